// The German texts. They are also the design of every window: a control
// that a language routine leaves alone shows its German design text.
#include "lang/texts.h"

namespace zt {
namespace {

MainWindowTexts MainWindow() {
  MainWindowTexts m;
  m.BTOpenRule = "Regeln";
  m.BtURLAdd = "Hinzufügen";
  m.BtUrlDel = "Entfernen";
  m.Label1 = "Zapotrix angehalten";
  m.GroupBox3 = " Aktive Browser Fenster ";
  m.ListView1Column0 = "Aktive Fenster";
  m.GroupBox7 = " URL hinzufügen/ändern ";
  m.Label2 = "(Eingabe ohne Platzhalter !)";
  m.ListViewURLColumn0 = "Adresse";
  m.GroupBoxWS = " Fenstergrößen-Scanner (WDS) ";
  m.ListViewWDSColumn0 = "Breite";
  m.ListViewWDSColumn1 = "Höhe";
  m.GroupBox5 = " Fenstergröße hinzufügen/ändern ";
  m.Label7 = "Breite";
  m.Label6 = "Höhe";
  m.BtAddtoGrid = "Hinzufügen";
  m.BtRemWDS = "Entfernen";
  m.GroupBox6 = " Minimale Fenstergröße ";
  m.Label10 = "Breite";
  m.Label11 = "Höhe";
  m.CheckBoxSW = " Schließe alle kleineren Fenster ";
  m.GroupBoxADS = " Schlüsselwort-Scanner (ADS) ";
  m.ListViewADSColumn0 = "Schlüsselwörter";
  m.GroupBox1 = " Neue Schlüsselwörter hinzufügen ";
  m.Label3 = "(Eingabe ohne Platzhalter !)";
  m.BtAddKey = "Hinzufügen";
  m.BTDelKey = "Entfernen";
  m.GroupBoxWCS = " Fenstertitel-Scanner (WCS) ";
  m.ListViewWCSColumn0 = "Fenstername";
  m.GroupBox2 = " Fenstername hinzufügen/ändern ";
  m.BtAdd = "Hinzufügen";
  m.ButtonRemove = "Entfernen";
  m.TabSet1[0] = "   Fenstergröße   ";
  m.TabSet1[1] = "         URL      ";
  m.TabSet1[2] = "  Schlüsselwörter ";
  m.TabSet1[3] = "    Fenstername   ";

  m.BTOpenRuleHint = "Startet den Rule-Assistenten für den selektierten Eintrag";
  m.BtAddKeyHint = "Fügt das eingegebene Schlüsselwort der Liste hinzu";
  m.BTDelKeyHint = "Entfernt das selektierte Schlüsselwort aus der Liste";
  m.ListViewADSHint = "Jeder Eintrag wird auf Übereinstimmung mit einem Browserfenster überprüft";
  m.BtURLAddHint = "Fügt die eingegebene URL der Liste hinzu";
  m.BtUrlDelHint = "Entfernt die selektierte URL aus der Liste";
  m.ListViewURLHint = "Jeder Eintrag wird auf Übereinstimmung mit einem Browserfenster überprüft";
  m.BtAddHint = "Fügt das ausgewählte Fenster (Liste aktive Browserfenster) zur WCS Liste hinzu";
  m.ButtonRemoveHint = "Entfernt den selektierten Eintrag aus der Liste";
  m.ListViewWCSHint = "Jeder Eintrag wird auf Übereinstimmung mit einem Browserfenster überprüft";
  m.BtAddtoGridHint = "Fügt Breite und Höhe der Liste hinzu";
  m.BtRemWDSHint = "Entfernt den selektierten Eintrag aus der Liste";
  m.ListView1Hint = "Zeigt alle aktiven Browserfenster an";
  m.ListViewWDSHint = "Breite und Höhe werden mit den Browserfenstern auf Übereintimmung geprüft";

  m.MenuDatei = "&Datei";
  m.MenuExtras = "&Extras";
  m.MenuHilfe = "&Hilfe";
  m.Action_zapotrixhalten = "&Zapotrix anhalten";
  m.Action_close = "&Beenden";
  m.Action4_handbuch = "Zapotrix Hand&buch (pdf)";
  m.Action_produkte_news = "Veltrano-Homepage";
  m.Action_zapotrix_anzeigen = "Zapotrix anzeigen";
  m.Action_DatenbankUpdater = "&Datenbank-Update";
  m.Action_Hostlisteneditor = "&Hostlisten-Editor (Banner-Remove)";
  m.Action_Einstellungen = "&Konfiguration";

  m.trayCreateRule = "Regel erstellen: ";
  m.trayShow = " Zapotrix anzeigen";
  m.trayOptions = " Einstellungen";
  m.trayQuit = " Beenden";
  m.ruleWindowCaption = "Fenstertitel";
  m.ruleWindowSize = "Fenstergröße";
  m.ruleKeywords = "Schlüsselwörter";
  m.ruleNoValue = "keine definiert";
  m.trayTipClosedOne = "Zapotrix – %s Popup geschlossen";
  m.trayTipClosedMany = "Zapotrix – %s Popups geschlossen";
  return m;
}

UpdaterTexts UpdaterWindow() {
  UpdaterTexts u;
  u.caption = "Datenbank Updater";
  u.Label1 = "Zapotrix Datenbank Updater";
  u.Label4 = "Der Updater sucht nach aktualisierten Daten für Ihre Datenbank";
  u.GroupBox1 = " Datenbank aktualisieren ";
  u.CheckBoxUPWDS = "Fenstergrößen-Scanner";
  u.CheckBoxUPURL = "URL-Scanner";
  u.CheckBoxUPADS = "Schlüsselwort-Scanner";
  u.CheckBoxUPWCS = "Fensternamen-Scanner";
  u.CheckBoxUpClear = "Vorhandene Dateien nicht überschreiben";
  u.next = "Weiter";
  u.finish = "Fertigstellen";
  u.cancel = "Abbrechen";
  u.close = "Schließen";
  u.connecting = "Verbinde mit Server ...";
  u.connected = "Verbindung hergestellt ...";
  u.receiving = "Übertrage neue Daten ...";
  u.done = "Update fertiggestellt ...";
  u.failed = "Fehler beim Download der Datenbank";
  u.noSignature = "Die Datenbank hat keine Signatur.";
  u.badSignature = "Die Signatur passt nicht zur Datenbank.";
  u.untrustedKey = "Mit einem nicht vertrauenswürdigen Schlüssel signiert.";
  u.undated = "Die Signatur trägt kein Datum.";
  u.rolledBack = "Älter als die zuletzt übernommene Datenbank.";
  u.noRuleLists = "Der Download enthält keine Regellisten.";
  u.tooLarge = "Der Download ist zu groß.";
  u.stalled = "Der Server sendet nicht mehr.";
  u.tookTooLong = "Der Download hat zu lange gedauert.";
  u.checkFailed = "Prüfung fehlgeschlagen (zu wenig Speicher).";
  u.refused = "%s Einträge nicht übernommen (leer oder zu allgemein).";
  return u;
}

SettingsTexts SettingsDialog() {
  SettingsTexts k;
  k.caption = "Konfiguration";
  k.TabSheet1 = "Allgemein";
  k.TabSheet5 = "Extras";
  k.TabSheet7 = "MS-Dienste";
  k.BT_Cancel = "Abbruch";
  k.BT_OK = "OK";
  k.GroupBox3 = "Allgemein ";
  k.CheckBoxHint = "Kommentare anzeigen";
  k.CheckBoxAutoStart = "Start mit Windows";
  k.GroupBoxScanner = " Aktive Scanner ";
  k.CheckBoxWDS = "Fenstergrößen-Scanner (WDS) verwenden";
  k.CheckBoxURL = "URL-Scanner (URS) verwenden";
  k.CheckBoxADS = "Schlüsselwort-Scanner (ADS) verwenden";
  k.CheckBoxWCS = "Fenstertitel-Scanner (WCS) verwenden";
  k.GroupBoxBrowser = " Verwendete Browser ";
  k.CheckBox_Firefox = "Mozilla Firefox (Kein Tab Support)";
  k.CheckBox_SeaMonkey = "SeaMonkey";
  k.CheckBox_Netscape = "Netscape 7 und 8";
  k.CheckBox_Opera = "Opera 7 bis 12";
  k.CheckBox_KMeleon = "K-Meleon";
  k.CheckBox_Gecko = "Pale Moon, New Moon, Serpent, Mypal, RetroZilla";
  k.CheckBox_Chromium = "Google Chrome, Chromium, Supermium";
  k.CheckBoxFlashAX = "Entferne Flash-Filme (Filter bis Version 6)";
  k.CheckBoxFlash7 = "Unterdrücke Flash-Filme (Hard-Remove Versionen 1-7)";
  k.GroupBoxAdFilter = " Ad-Filter (filtert Flash, Bannerwerbung, Werbegrafiken ";
  k.GroupBoxExtras = " Extras ";
  k.CheckBox_Notepad = "Notepad anhalten";
  k.CheckBox_Banner = "Werbebanner entfernen (aktiviert neue Hostliste)";
  k.RadioButton_B127 = "Schreibe 127.0.0.1 (empfohlen)";
  k.RadioButton_B0 = "Schreibe 0.0.0.0";
  k.CheckBox_Check_host_on_start = "Host Datei beim Start setzen";
  k.GroupBoxServices = " MS-Dienste deaktivieren (nur Windows XP) ";
  k.Button1 = "Alle";
  k.Button2 = "Keine";

  k.BT_CancelHint = "Schließt das Fenster ohne die veränderten Einstellungen zu übernehmen";
  k.BT_OKHint = "Übernimmt alle veränderten Einstellungen";
  k.CheckBoxAutoStartHint = "Das Programm wird automatisch mit Windows gestartet";
  k.CheckBoxHintHint = "Zeigt Hilfetexte über den Bedienelementen an";
  k.CheckBoxADSHint = "Schlüsselwort-Scanner (ADS) verwenden";
  k.CheckBoxURLHint = "URL Scanner ein/ausschalten";
  k.CheckBoxWCSHint = "Fenstertitel-Scanner (WCS) verwenden";
  k.CheckBoxWDSHint = "Fenstergrößen-Scanner (WDS) verwenden";
  k.RadioButton1Hint = "Schneller Scan: Alle Popupfenster werden sofort geschlossen (etwas höhere Systemlast)";
  k.RadioButton2Hint =
      "Normale Scangeschwindigkeit: Alle Popupfenster werden nach c.a. 1 sec geschlossen (für langsamere Rechner)";
  k.RadioButton3Hint = "Slow Mode (1 sec)";
  k.CheckBox_IEHint = "Es wird nach Internet Explorer Fenstern gesucht";
  k.CheckBox_FirefoxHint = "Es wird nach Mozilla Firefox Fenstern gesucht";
  k.CheckBox_MZHint = "Es wird nach Mozilla Fenstern gesucht";
  k.CheckBox_SeaMonkeyHint = "Es wird nach SeaMonkey Fenstern gesucht";
  k.CheckBox_NetscapeHint = "Es wird nach Netscape Fenstern gesucht";
  k.CheckBox_OperaHint = "Es wird nach Opera Fenstern gesucht";
  k.CheckBox_KMeleonHint = "Es wird nach K-Meleon Fenstern gesucht";
  k.CheckBox_GeckoHint = "Es wird nach Fenstern dieser Browser gesucht";
  k.CheckBox_ChromiumHint = "Es wird nach Fenstern dieser Browser gesucht";
  k.CheckBoxFlash7Hint = "Entfernt Macromedia Flash Animationen (ab V7)";
  k.CheckBoxFlashAXHint = "Entfernt Macromedia Flash Animationen aus der Website (V1-V6)";
  k.CheckboxFlash_MZHint = "Entfernt Macromedia Flash Animationen aus der Website";
  k.CheckBox_NotepadHint = "Beendet Notepad Programmaufrufe";
  k.Button_hostDefHint = "Setzt die Hostdatei auf Standardwerte zurück";
  k.CheckBox_BannerHint = "Entfernt Werbebanner durch setzen einer neuen Hostliste";
  k.CheckBox_Check_host_on_startHint = "Die neue Hostliste wird beim Programmstart gesetzt.";
  k.RadioButton_B0Hint = "Schreibt als Adresse 0.0.0.0 in die Hostliste.";
  k.RadioButton_B127Hint = "Schreibt als Adresse 127.0.0.1 in die Hostliste.";

  k.titleWin9x = "Konfiguration (Win9x)";
  k.titleRestricted = "Konfiguration (Eingeschränktes Konto)";
  k.titleRestrictedWin9x = "Konfiguration (Eingeschränktes Konto, Win9x)";
  return k;
}

RuleAssistantTexts RuleAssistantWindow() {
  RuleAssistantTexts r;
  r.caption = "Regel Assistent";
  r.Label1 = "Regeln hinzufügen";
  r.GroupBox2 = " Regelliste ";
  r.ListViewRuleColumn1 = "Regelliste";
  r.ListViewRuleColumn2 = "Bezeichnung/Wert";
  r.Label2 = "Schlüsselwörter hinzufügen:";
  r.BTRuleAdd = "Regelliste übernehmen";
  r.BTcancel = "Abbrechen";
  r.BTcancelHint = "Beendet den Regelassistenten ohne die Regeln zu übernehmen";
  r.BTRuleAddHint = "Übernimmt alle Regeln in die jeweiligen Listen";
  r.Button1Hint = "Fügt das Schlüsselwort in die Regelliste ein";
  r.ListViewRuleHint = "Enthält alle Regeln, die in die jeweiligen Listen übertragen werden";
  r.noValue = "keine definiert";
  r.rowCaption = "Fenstertitel";
  r.rowSize = "Fenstergröße";
  r.rowKeywords = "Schlüsselwörter";
  return r;
}

RuleTexts RuleRecordTexts() {
  RuleTexts r;
  r.minSize = "Mindestgröße: %s x %s";
  r.setting = "Einstellung: %s";
  r.wouldClose = "Würde geschlossen durch: %s";
  r.wouldCloseNone = "Keine Regel würde dieses Fenster schließen";
  r.removeQuestion = "Die Regel „%s“ entfernen?";
  r.offQuestion = "„%s“ ausschalten?";
  return r;
}

StatisticsTexts StatisticsWindow() {
  StatisticsTexts s;
  s.ListViewHistoryColumn0 = "Nr.";
  s.ListViewHistoryColumn1 = "Fenstertitel";
  s.ListViewHistoryColumn3 = "Breite";
  s.ListViewHistoryColumn4 = "Höhe";
  s.ListViewHistoryColumn6 = "Zeit";
  s.GroupBox1 = " geschlossene Popups / Extras ";
  s.Edit1 = "nach Fenstergröße : ";
  s.Edit2 = "nach URL: ";
  s.Edit3 = "nach Schlüsselwörtern: ";
  s.Edit4 = "nach Fenstername : ";
  s.Edit7 = "Flash Filme entfernt : ";
  s.Edit5 = "Notepad gestoppt : ";
  s.Edit8 = "insgesamt : ";
  s.Button1 = "OK";
  s.Button2 = "Hilfe";
  s.ListViewHistoryColumn7 = "Regel";
  s.Regelentfernen1 = "Regel entfernen";
  s.countWindowSize = "Fenstergröße : ";
  s.countUrl = "URL : ";
  s.countKeywords = "Schlüsselwörter : ";
  s.countCaption = "Fenstername : ";
  s.countFlash = "Flash Filme entfernt : ";
  s.countNotepad = "Notepad gestoppt : ";
  s.countTotal = "insgesamt : ";
  s.kindWindowSize = "Fenstergröße";
  s.kindCaption = "Fenstername";
  s.kindKeyword = "Schlüsselwörter";
  return s;
}

HostsEditorTexts HostsEditorWindow() {
  HostsEditorTexts h;
  h.caption = "Hostlisten-Editor";
  h.GroupBoxURL = "Datenbank Einträge ";
  h.ListViewHostsColumn0 = "URL/IP-Adresse";
  h.Label1 = "Einträge in der Datenbank: ";
  h.GroupBox7 = " URL/ IP-Adresse hinzufügen/ändern ";
  h.BtHostsAdd = "Hinzufügen";
  h.Bt_clear = "Liste löschen";
  h.BtHostsDel = "Entfernen";
  h.Bt_OK = "OK";
  h.BT_Cancel = "Abbruch";
  h.Button_help = "Hilfe";
  h.Datei1 = "Datei";
  h.ImporthostsDateitxtformat1 = " Hosts-Datei (.txt) importieren";
  h.ExportListtxt1 = " Liste (.txt) exportieren";
  h.Fensterschliessen1 = " Fenster schliessen";
  h.BT_CancelHint = "Schließt den Editor ohne Einstellungen zu ändern";
  h.Bt_clearHint = "Löscht die gesamte Liste";
  h.Bt_OKHint = "Schließt den Editor, Alle Einstellungen werden übernommen";
  h.Button_helpHint = "Zeigt die Programmhilfe an";
  h.BtHostsAddHint = "Fügt die eingegebene URL der Liste hinzu";
  h.BtHostsDelHint = "Entfernt die selektierte URL aus der Liste";
  h.countPrefix = "Einträge in der Datenbank: ";
  h.clearQuestion = "Wollen Sie wirklich die gesamte Datenbank löschen?";
  h.fileFilter = "Textdatei (*.txt)|*.txt|all files (*.*)|*.*";
  return h;
}

InfoTexts InfoWindow() {
  InfoTexts i;
  i.Label4 = "Für Updates und weitere Informationen";
  i.Label9 = "besuchen Sie unsere Webseiten:";
  i.Label7 = "Updates und Vertrieb:";
  return i;
}

}  // namespace

const Texts& GermanTexts() {
  static const Texts t = {
      // msg
      {
          "An",
          "Aus",
          " Aktiv",
          "Ein oder mehrere notwendige Files fehlen! Bitte Installieren Sie Zapotrix neu!",
          "Zapotrix angehalten",
          "&Zapotrix anhalten",
          "&Zapotrix fortsetzen",
          " Popupblocker anhalten",
          " Popupblocker fortsetzen",
          "Datenbank konnte nicht gespeichert werden. Datei ist schreibgeschützt!",
          "Werte ungültig! Bitte überprüfen Sie Ihre Eingabe!",
          "Auf den Service Manager konnte nicht zugegriffen werden!\n\rBitte stellen Sie sicher, dass Sie über "
          "die notwendigen Rechte verfügen.",
          "Fehler beim Zugriff auf die Host-Datei. Datei ist schreibgeschützt!",
          "Fehler beim Zugriff auf das Backup der Host-Datei. Datei ist schreibgeschützt!",
          "Fehler beim Zugriff auf die Host-Datei.",
          "Wollen Sie wirklich den Windows Standard wiederherstellen?",
          "Fehler bei der Ermittlung des Verzeichnisses.",
          "Zum Öffnen der Hilfedatei wird der Adobe Acrobat Reader benötigt!",
          "Die Hilfedatei \"zapotrix_handbuch.pdf\" konnte nicht gefunden werden!",
          "Die Datei \"%s\" kann nicht gelesen werden.",
          "Die Datei \"%s\" kann nicht geschrieben werden.",
          "Die Datei \"%s\" kann nicht geschrieben werden: der Ordner \"%s\" fehlt.",
          "Der Datenträger ist voll.",
          "Der Zugriff wurde verweigert.",
          "Die Datei ist schreibgeschützt.",
          "Die Datei konnte nicht geschrieben werden.",
          "Datenbank konnte nicht gespeichert werden.",
          "Trotzdem beenden? Die Änderungen seit dem Start von Zapotrix gehen dann verloren.\n\n"
          "Wählen Sie Nein, damit Zapotrix weiterläuft: Schaffen Sie Platz oder beheben Sie den Zugriff, "
          "dann beenden Sie Zapotrix erneut.",
          "Zapotrix konnte nicht starten:",
          "\"%s\" ist kein Hostname. Ein Hostname besteht aus Buchstaben, Ziffern, '.', '-' und '_' (höchstens "
          "253 Zeichen).",
          "%s Hostnamen importiert, %s Zeilen übersprungen.",
          "Zapotrix benötigt Internet Explorer 4 oder neuer. Auf diesem Computer fehlt:\n\n%s\n"
          "Bitte installieren Sie Internet Explorer 4 oder neuer und starten Sie Zapotrix dann erneut.",
      },
      MainWindow(),
      // scanner
      {"Fenstername", "URL", "Keyword", "Fenstergröße", "MinSize", "Flashremove", "Notepad"},
      UpdaterWindow(),
      SettingsDialog(),
      RuleAssistantWindow(),
      StatisticsWindow(),
      HostsEditorWindow(),
      InfoWindow(),
      RuleRecordTexts(),
  };
  return t;
}

}  // namespace zt
