// The German texts.
#include "lang/texts.h"

namespace zt {

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
          "Zapotrix läuft weiter, damit nichts verloren geht: Schaffen Sie Platz oder beheben Sie den Zugriff, "
          "dann beenden Sie Zapotrix erneut.",
          "Zapotrix konnte nicht starten:",
          "\"%s\" ist kein Hostname. Ein Hostname besteht aus Buchstaben, Ziffern, '.', '-' und '_' (höchstens "
          "253 Zeichen).",
          "%s Hostnamen importiert, %s Zeilen übersprungen.",
      },
      // main
      {"&Zapotrix anhalten"},
      // scanner
      {"Fenstername", "URL", "Keyword", "Fenstergröße", "MinSize", "Flashremove", "Notepad"},
      // updater
      {"Weiter", "Fertigstellen", "Abbrechen", "Schließen", "Verbinde mit Server ...",
       "Verbindung hergestellt ...", "Übertrage neue Daten ...", "Update fertiggestellt ...",
       "Fehler beim Download der Datenbank",
       "Datenbank konnte nicht gespeichert werden. Datei ist schreibgeschützt!"},
  };
  return t;
}

}  // namespace zt
