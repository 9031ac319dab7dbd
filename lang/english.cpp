// The English texts.
#include "lang/texts.h"

namespace zt {

const Texts& EnglishTexts() {
  static const Texts t = {
      // msg
      {
          "ON",
          "OFF",
          " Active",
          "One or more files missing! Please reinstall zapotrix",
          "Zapotrix paused",
          "stop &Zapotrix",
          "continue &blocking",
          " stop blocking",
          " continue blocking",
          "Could not save database. File is write protected.",
          "Values invalid. Please check your input!",
          "Access to Service Manager denied.\n\rPlease check that your have administrator rights.",
          "Error accessing host-file. File is write protected.",
          "Fehler beim Zugriff auf das Backup der Host-Datei. Datei ist schreibgeschützt!",
          "Error accessing host file.",
          "Do you really want to restore defaults?",
          "Error getting menu path.",
          "Could not found Adobe Acrobat Reader 5",
          "Could not found \"zapotrix_handbuch.pdf\"",
          "Cannot read the file \"%s\".",
          "Cannot write the file \"%s\".",
          "Cannot write the file \"%s\": the folder \"%s\" does not exist.",
          "The disk is full.",
          "Access is denied.",
          "The file is write protected.",
          "The file could not be written.",
          "Could not save database.",
          "Zapotrix keeps running so that nothing is lost: free some space or fix the access, then quit again.",
          "Zapotrix could not start:",
          "\"%s\" is not a host name. A host name consists of letters, digits, '.', '-' and '_' (at most 253 characters).",
          "%s host names imported, %s lines skipped.",
      },
      // main
      {"&Stop Zapotrix"},
      // scanner
      {"Window Caption", "URL", "Keyword", "Windowsize", "MinSize", "Flashremove", "Notepad"},
      // updater
      {"Next", "Finish", "Cancel", "Close", "Connecting to server ...", "Connection etablished ...",
       "Receiving new data ...", "done...", "Error on update",
       "Could not save database. File is write protected."},
  };
  return t;
}

}  // namespace zt
