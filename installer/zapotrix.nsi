; The Zapotrix installer and uninstaller (makensis, called by scripts/dist.sh).
;
; Owns what an installation puts on a machine: the program folder (exe,
; config\, help\), the Start menu folder, the Add/Remove Programs entry, the
; optional autostart entry (the same Run value the program manages itself)
; and, when asked for, the machine-wide ZAPOTRIX_UPDATE_BASE. The uninstaller
; takes all of it away again and puts back the hosts file the program had
; rewritten.
;
; Defines from the command line:
;   VERSION  program version, e.g. 1.2.0.90
;   SRCDIR   the program folder as built (zapotrix.exe, config\, help\)
;   OUTFILE  the installer to write
;   TARGET   x86-ansi for the product (Windows 98 to XP); amd64-unicode
;            builds the same script around the 64-bit test build, for
;            machines whose Wine runs no 32-bit programs
;
; Switches (see README.md, "Roll-out"):
;   /S                      silent, with the defaults below
;   /D=<folder>             install folder (last on the line, no quotes)
;   /AUTOSTART=1|0          start Zapotrix at log-on (default: off on a new
;                           installation, as it was on an upgrade)
;   /UPDATEBASE=<address>   set ZAPOTRIX_UPDATE_BASE for the whole machine
;   uninstall.exe /S /KEEPDATA   keep the rules, the lists and the settings

!ifndef TARGET
  !define TARGET x86-ansi
!endif
Target ${TARGET}

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinVer.nsh
!include WinMessages.nsh
!include Sections.nsh

!define PRODUCT "Zapotrix"
!define PUBLISHER "Veltrano"
!define HOMEPAGE "http://www.veltrano.de/"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zapotrix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "zapotrix"
!define SETTINGS_KEY "Software\veltrano\Zapotrix\V1\settings\"
!define ENV_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define ENV_VALUE "ZAPOTRIX_UPDATE_BASE"
; The running program: its main window class and its single-instance semaphore.
!define MAIN_CLASS "Tzapotrix_main"
!define INSTANCE_SEMAPHORE "zapotrix"
!define SYNCHRONIZE 0x00100000
; The program's quit message for set-up (WM_USER + 89): it saves what it can
; and ends without asking anything, even where its save fails (a user who
; may not write anywhere, a full disk). It answers QUIT_ACCEPTED at once; a
; program older than this message answers otherwise and gets WM_CLOSE.
!define QUIT_FOR_SETUP 0x0459
!define QUIT_ACCEPTED 0x5A54
; How long a running Zapotrix may take to save and end, in 100 ms steps.
!define QUIT_WAIT_STEPS 300

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!if ${TARGET} == amd64-unicode
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An upgrade goes where the last installation went.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Var AutoStartWanted   ; 1 or 0
Var UpdateBase        ; empty: leave ZAPOTRIX_UPDATE_BASE alone
Var KeepData          ; uninstaller: 1 keeps the user's data

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\zapotrix.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString SecProgram ${LANG_ENGLISH} "Zapotrix"
LangString SecProgram ${LANG_GERMAN} "Zapotrix"
LangString SecAutoStart ${LANG_ENGLISH} "Run with Windows"
LangString SecAutoStart ${LANG_GERMAN} "Start mit Windows"
LangString LinkManual ${LANG_ENGLISH} "Zapotrix Manual"
LangString LinkManual ${LANG_GERMAN} "Zapotrix Handbuch"
LangString LinkUninstall ${LANG_ENGLISH} "Uninstall Zapotrix"
LangString LinkUninstall ${LANG_GERMAN} "Zapotrix deinstallieren"
LangString NeedAdmin ${LANG_ENGLISH} "Installing Zapotrix needs administrator rights."
LangString NeedAdmin ${LANG_GERMAN} "Für die Installation von Zapotrix sind Administratorrechte nötig."
LangString StillRunning ${LANG_ENGLISH} "Zapotrix is still running. Please quit it (tray menu: Quit) and try again."
LangString StillRunning ${LANG_GERMAN} "Zapotrix läuft noch. Bitte beenden Sie es (Tray-Menü: Beenden) und versuchen Sie es erneut."
LangString AskDeleteData ${LANG_ENGLISH} "Delete your rules, blocked-host list and settings as well?$\r$\n$\r$\nChoose No to keep them for a later installation."
LangString AskDeleteData ${LANG_GERMAN} "Auch Ihre Regeln, die Hostliste und die Einstellungen löschen?$\r$\n$\r$\nWählen Sie Nein, um sie für eine spätere Installation zu behalten."
LangString HostsRestored ${LANG_ENGLISH} "Hosts file restored from the backup made by Zapotrix"
LangString HostsRestored ${LANG_GERMAN} "Hosts-Datei aus der Sicherung von Zapotrix wiederhergestellt"
LangString HostsNotRestored ${LANG_ENGLISH} "Could not restore the hosts file: the backup stays in the program folder."
LangString HostsNotRestored ${LANG_GERMAN} "Die Hosts-Datei konnte nicht wiederhergestellt werden: die Sicherung bleibt im Programmordner."
LangString MirrorRefused ${LANG_ENGLISH} "The mirror address must not contain any of the characters % | < > & ^ $\" (the command interpreter would take them as its own)."
LangString MirrorRefused ${LANG_GERMAN} "Die Adresse des Spiegelservers darf keines der Zeichen % | < > & ^ $\" enthalten (der Befehlsinterpreter würde sie als seine eigenen lesen)."
LangString AutoexecFailed ${LANG_ENGLISH} "Could not write AUTOEXEC.BAT: the mirror is not set, and AUTOEXEC.BAT is as it was."
LangString AutoexecFailed ${LANG_GERMAN} "AUTOEXEC.BAT konnte nicht geschrieben werden: der Spiegelserver ist nicht eingetragen, und AUTOEXEC.BAT ist unverändert."

; ---- shared by installer and uninstaller ----

; Asks a running Zapotrix to quit (it saves its settings and rules), and
; waits until the process has ended: its single-instance semaphore lives
; exactly as long as the process.
!macro QUIT_ZAPOTRIX un
Function ${un}QuitZapotrix
  Push $0
  Push $1
  FindWindow $0 "${MAIN_CLASS}"
  ${If} $0 <> 0
    DetailPrint "Zapotrix is running: asking it to quit"
    SendMessage $0 ${QUIT_FOR_SETUP} 0 0 $1 /TIMEOUT=5000
    ${If} $1 <> ${QUIT_ACCEPTED}
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
  ${EndIf}
  StrCpy $1 0
  ${Do}
    System::Call 'kernel32::OpenSemaphore(i ${SYNCHRONIZE}, i 0, t "${INSTANCE_SEMAPHORE}") p.r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    IntOp $1 $1 + 1
    ${If} $1 >= ${QUIT_WAIT_STEPS}
      MessageBox MB_OK|MB_ICONSTOP "$(StillRunning)" /SD IDOK
      SetErrorLevel 3
      Quit
    ${EndIf}
    Sleep 100
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro QUIT_ZAPOTRIX ""
!insertmacro QUIT_ZAPOTRIX "un."

!macro REQUIRE_ADMIN
  ${If} ${IsNT}
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
  ${EndIf}
!macroend

; ---- installer ----

Section "$(SecProgram)" SecProgram
  SectionIn RO
  Call QuitZapotrix

  SetOutPath "$INSTDIR"
  File "${SRCDIR}\zapotrix.exe"
  SetOutPath "$INSTDIR\help"
  File "${SRCDIR}\help\zapotrix_handbuch.pdf"
  ; The rule database, the blocked-host list and the Mozilla filter are the
  ; user's once installed: an upgrade keeps them, the program's updater
  ; brings new rules.
  SetOutPath "$INSTDIR\config"
  SetOverwrite off
  File "${SRCDIR}\config\zapotrix_mainDB.ini"
  File "${SRCDIR}\config\zapotrix_hosts.dat"
  File "${SRCDIR}\config\zapotrix_mozilla.dat"
  SetOverwrite on

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Start menu entries for everybody on the machine.
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\zapotrix.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\$(LinkManual).lnk" "$INSTDIR\help\zapotrix_handbuch.pdf"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\$(LinkUninstall).lnk" "$INSTDIR\uninstall.exe"

  ; Add/Remove Programs.
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\zapotrix.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0

  ; A company mirror of the rule database, for every user of the machine.
  ${If} $UpdateBase != ""
    ${If} ${IsNT}
      WriteRegExpandStr HKLM "${ENV_KEY}" "${ENV_VALUE}" "$UpdateBase"
      SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:Environment" /TIMEOUT=5000
    ${Else}
      Call SetUpdateBase9x
    ${EndIf}
  ${EndIf}
SectionEnd

; The autostart entry is the one the program keeps itself ("zapotrix" in the
; machine's Run key, the quoted path of the exe). The program reconciles it
; with its AutoStart setting at every start, so the choice is stored there
; too (for the user who installs): otherwise the first start would undo it.
Section "$(SecAutoStart)" SecAutoStart
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\zapotrix.exe"'
SectionEnd

Section "-AutoStartSetting"
  ; The settings are read in a fixed order that stops at the first missing
  ; value: the window position comes before AutoStart (-1 = centred).
  ClearErrors
  ReadRegDWORD $0 HKCU "${SETTINGS_KEY}" "Main_Left"
  ${If} ${Errors}
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "Main_Left" 0xFFFFFFFF
  ${EndIf}
  ClearErrors
  ReadRegDWORD $0 HKCU "${SETTINGS_KEY}" "Main_Top"
  ${If} ${Errors}
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "Main_Top" 0xFFFFFFFF
  ${EndIf}
  ${If} ${SectionIsSelected} ${SecAutoStart}
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "AutoStart" 1
  ${Else}
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "AutoStart" 0
    ; An upgrade without autostart takes away the entry of this installation.
    ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"$INSTDIR\zapotrix.exe"'
      DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
  ${EndIf}
SectionEnd

; Section indexes exist only after their sections: .onInit comes here.
Function .onInit
  !insertmacro REQUIRE_ADMIN
  ${GetParameters} $R0
  ; Autostart: as asked, else as the existing installation had it.
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART=" $AutoStartWanted
  ${If} ${Errors}
    ReadRegStr $AutoStartWanted HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $AutoStartWanted != ""
      StrCpy $AutoStartWanted 1
    ${Else}
      StrCpy $AutoStartWanted 0
    ${EndIf}
  ${EndIf}
  ${If} $AutoStartWanted == 1
    !insertmacro SelectSection ${SecAutoStart}
  ${Else}
    !insertmacro UnselectSection ${SecAutoStart}
  ${EndIf}
  Call GetUpdateBase
  Call CheckUpdateBase
FunctionEnd

; /UPDATEBASE=<address>: the address up to the next blank. (GetOptions
; would end it at the first "/" of "http://".)
Function GetUpdateBase
  StrCpy $UpdateBase ""
  StrLen $1 $R0
  StrCpy $2 0
  ${DoWhile} $2 < $1
    StrCpy $3 $R0 12 $2
    ${If} $3 == "/UPDATEBASE="
      IntOp $2 $2 + 12
      StrCpy $3 $R0 "" $2
      StrCpy $4 0
      ${Do}
        StrCpy $5 $3 1 $4
        ${If} $5 == " "
        ${OrIf} $5 == ""
          ${Break}
        ${EndIf}
        IntOp $4 $4 + 1
      ${Loop}
      StrCpy $UpdateBase $3 $4
      ${Break}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
FunctionEnd

; Windows 98 and Me read machine-wide variables from AUTOEXEC.BAT only: one
; line of ours, "SET ZAPOTRIX_UPDATE_BASE=<address>", replaced on every
; installation and removed by the uninstaller (effective after a restart).
; The exact line is kept in the Add/Remove entry ("UpdateBase9xLine"), so
; that nothing else is ever removed, and the user's file as it was before
; our first change is kept as AUTOEXEC.ZT. The file is never written in
; place: the new content goes into AUTOEXEC.ZTN, is checked, and takes the
; old file's place by two renames, which need no room on the disk; any
; failure leaves AUTOEXEC.BAT as it was.
!macro AUTOEXEC_LINES un
; In: $R8 the line of ours to take out ("" for none), $R9 the line to add
; ("" for none), both without their line end. Out: $R7 "ok" when
; AUTOEXEC.BAT holds the change, "" when it is as it was.
Function ${un}RewriteAutoexec
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  Push $7
  Push $8
  StrCpy $R7 ""
  StrCpy $3 "$WINDIR" 3
  StrCpy $5 ""   ; the last character written
  StrCpy $6 0    ; 1 once our old line was left out
  StrCpy $7 0    ; bytes written
  StrCpy $8 0    ; 1 when a read or write failed
  ClearErrors
  FileOpen $1 "$3AUTOEXEC.ZTN" w
  ${If} ${Errors}
    Goto done
  ${EndIf}
  ${If} ${FileExists} "$3AUTOEXEC.BAT"
    FileOpen $0 "$3AUTOEXEC.BAT" r
    ${If} ${Errors}
      StrCpy $8 1
    ${Else}
      ${Do}
        ClearErrors
        FileRead $0 $2
        ${If} ${Errors}
          ${Break}  ; the end of the file
        ${EndIf}
        ; The line without its end, to compare with ours.
        StrCpy $4 $2
        ${Do}
          StrCpy $R6 $4 1 -1
          ${If} $R6 == "$\n"
          ${OrIf} $R6 == "$\r"
            StrCpy $4 $4 -1
          ${Else}
            ${Break}
          ${EndIf}
        ${Loop}
        ${If} $6 == 0
        ${AndIf} $R8 != ""
        ${AndIf} $4 == $R8
          StrCpy $6 1
          ${Continue}
        ${EndIf}
        FileWrite $1 $2
        ${If} ${Errors}
          StrCpy $8 1
          ${Break}
        ${EndIf}
        StrLen $4 $2
        IntOp $7 $7 + $4
        StrCpy $5 $2 1 -1
      ${Loop}
      FileClose $0
    ${EndIf}
  ${EndIf}
  ${If} $R9 != ""
  ${AndIf} $8 == 0
    ClearErrors
    ; A last line without its line end would take our line as its own.
    ${If} $5 != ""
    ${AndIf} $5 != "$\n"
      FileWrite $1 "$\r$\n"
      IntOp $7 $7 + 2
    ${EndIf}
    FileWrite $1 "$R9$\r$\n"
    StrLen $4 "$R9$\r$\n"
    IntOp $7 $7 + $4
    ${If} ${Errors}
      StrCpy $8 1
    ${EndIf}
  ${EndIf}
  FileClose $1
  ${If} $8 == 1
    Goto failed
  ${EndIf}
  ; The new file must hold every byte written (a full disk may cut it).
  ClearErrors
  FileOpen $1 "$3AUTOEXEC.ZTN" r
  FileSeek $1 0 END $4
  FileClose $1
  ${If} ${Errors}
  ${OrIf} $4 != $7
    Goto failed
  ${EndIf}
  ; A file that would hold nothing held only our line: it goes.
  ${If} $7 == 0
    Delete "$3AUTOEXEC.ZTN"
    Delete "$3AUTOEXEC.BAT"
    StrCpy $R7 "ok"
    Goto done
  ${EndIf}
  Delete "$3AUTOEXEC.ZTO"
  ClearErrors
  ${If} ${FileExists} "$3AUTOEXEC.BAT"
    Rename "$3AUTOEXEC.BAT" "$3AUTOEXEC.ZTO"
    ${If} ${Errors}
      Goto failed
    ${EndIf}
  ${EndIf}
  Rename "$3AUTOEXEC.ZTN" "$3AUTOEXEC.BAT"
  ${If} ${Errors}
    Rename "$3AUTOEXEC.ZTO" "$3AUTOEXEC.BAT"
    Goto failed
  ${EndIf}
  Delete "$3AUTOEXEC.ZTO"
  StrCpy $R7 "ok"
  Goto done
failed:
  Delete "$3AUTOEXEC.ZTN"
done:
  Pop $8
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro AUTOEXEC_LINES ""
!insertmacro AUTOEXEC_LINES "un."

; Keeps the user's AUTOEXEC.BAT as AUTOEXEC.ZT before our first change (a
; later installation keeps that first copy). $R7: "ok" when the copy stands
; (or there is no file to keep).
Function KeepAutoexecCopy
  StrCpy $R7 "ok"
  StrCpy $3 "$WINDIR" 3
  ${If} ${FileExists} "$3AUTOEXEC.BAT"
  ${AndIfNot} ${FileExists} "$3AUTOEXEC.ZT"
    System::Call 'kernel32::CopyFile(t "$3AUTOEXEC.BAT", t "$3AUTOEXEC.ZT", i 1) i.r0'
    ClearErrors
    FileOpen $1 "$3AUTOEXEC.BAT" r
    FileSeek $1 0 END $4
    FileClose $1
    FileOpen $1 "$3AUTOEXEC.ZT" r
    FileSeek $1 0 END $5
    FileClose $1
    ${If} $0 == 0
    ${OrIf} ${Errors}
    ${OrIf} $4 != $5
      Delete "$3AUTOEXEC.ZT"
      StrCpy $R7 ""
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SetUpdateBase9x
  Call KeepAutoexecCopy
  ${If} $R7 == "ok"
    ReadRegStr $R8 HKLM "${UNINST_KEY}" "UpdateBase9xLine"
    StrCpy $R9 "SET ${ENV_VALUE}=$UpdateBase"
    Call RewriteAutoexec
  ${EndIf}
  ${If} $R7 == "ok"
    WriteRegStr HKLM "${UNINST_KEY}" "UpdateBase9xLine" $R9
  ${Else}
    MessageBox MB_OK|MB_ICONSTOP "$(AutoexecFailed)" /SD IDOK
    SetErrorLevel 2
  ${EndIf}
FunctionEnd

; An address with a character that the command interpreter reads as its own
; would break the SET line (and "%" would be expanded in the system
; environment too): refused before anything is installed.
Function CheckUpdateBase
  StrLen $1 $UpdateBase
  StrCpy $2 0
  ${DoWhile} $2 < $1
    StrCpy $3 $UpdateBase 1 $2
    ${If} $3 == "%"
    ${OrIf} $3 == "|"
    ${OrIf} $3 == "<"
    ${OrIf} $3 == ">"
    ${OrIf} $3 == "&"
    ${OrIf} $3 == "^"
    ${OrIf} $3 == '"'
      MessageBox MB_OK|MB_ICONSTOP "$(MirrorRefused)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
FunctionEnd

; ---- uninstaller ----

Function un.onInit
  !insertmacro REQUIRE_ADMIN
  ${GetParameters} $R0
  StrCpy $KeepData 0
  ClearErrors
  ${GetOptions} $R0 "/KEEPDATA" $R1
  ${IfNot} ${Errors}
    StrCpy $KeepData 1
  ${EndIf}
FunctionEnd

; The hosts file the backup was taken of: on the NT family (Windows 2000
; and XP) the one in the system folder; on every other Windows HOSTS in the
; Windows folder, whose backup the program marks with hosts_org.txt beside
; it. A backup without the mark is one that earlier versions took of
; hosts.sam there.
Function un.HostsFile
  ${If} ${IsNT}
  ${AndIf} ${AtLeastWin2000}
  ${AndIf} ${AtMostWinXP}
    Push "$SYSDIR\drivers\etc\hosts"
  ${ElseIf} ${FileExists} "$INSTDIR\hosts_org.txt"
    Push "$WINDIR\HOSTS"
  ${Else}
    Push "$WINDIR\hosts.sam"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.QuitZapotrix

  ; The backup beside the program is the hosts file as it was before the
  ; program first rewrote it.
  IfFileExists "$INSTDIR\hosts_org.bak" 0 hosts_done
    Call un.HostsFile
    Pop $1
    System::Call 'kernel32::CopyFile(t "$INSTDIR\hosts_org.bak", t r1, i 0) i.r0'
    ${If} $0 <> 0
      Delete "$INSTDIR\hosts_org.bak"
      Delete "$INSTDIR\hosts_org.txt"
      DetailPrint "$(HostsRestored): $1"
    ${Else}
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(HostsNotRestored)" /SD IDOK
    ${EndIf}
hosts_done:

  ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\zapotrix.exe"'
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  ReadRegStr $0 HKLM "${ENV_KEY}" "${ENV_VALUE}"
  ${If} $0 != ""
    DeleteRegValue HKLM "${ENV_KEY}" "${ENV_VALUE}"
    SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
  ; Exactly the line the installer added, nothing else.
  ReadRegStr $R8 HKLM "${UNINST_KEY}" "UpdateBase9xLine"
  ${If} $R8 != ""
    StrCpy $R9 ""
    Call un.RewriteAutoexec
    ${If} $R7 == "ok"
      StrCpy $0 "$WINDIR" 3
      Delete "$0AUTOEXEC.ZT"
    ${EndIf}
  ${EndIf}

  ${If} $KeepData == 0
    MessageBox MB_YESNO|MB_ICONQUESTION "$(AskDeleteData)" /SD IDYES IDYES delete_data
    StrCpy $KeepData 1
  ${EndIf}
delete_data:
  ${If} $KeepData == 0
    Delete "$INSTDIR\config\zapotrix_mainDB.ini"
    Delete "$INSTDIR\config\zapotrix_hosts.dat"
    Delete "$INSTDIR\config\zapotrix_mozilla.dat"
    DeleteRegKey HKCU "Software\veltrano\Zapotrix"
    DeleteRegKey /ifempty HKCU "Software\veltrano"
    ; The rules of this user, kept where the program folder was not
    ; writable for the user.
    Delete "$APPDATA\Zapotrix\zapotrix_mainDB.ini"
  ${EndIf}
  ; What the program leaves beside its files: the updater's download and
  ; the temporary names of an interrupted save.
  Delete "$INSTDIR\config\zapotrix_mainDB_new.ini"
  Delete "$INSTDIR\config\*.zt-new"
  Delete "$INSTDIR\config\*.zt-old"
  RMDir "$INSTDIR\config"
  Delete "$APPDATA\Zapotrix\zapotrix_mainDB_new.ini"
  Delete "$APPDATA\Zapotrix\*.zt-new"
  Delete "$APPDATA\Zapotrix\*.zt-old"
  RMDir "$APPDATA\Zapotrix"
  Delete "$INSTDIR\help\zapotrix_handbuch.pdf"
  RMDir "$INSTDIR\help"
  Delete "$INSTDIR\zapotrix.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\*.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
