// The settings record and its registry key
// HKCU "Software\veltrano\Zapotrix\V1\settings\" (28 values, no file).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/registry.h"

namespace zt {

extern const char* const kSettingsKey;

struct Settings {
  int32_t Main_Left = -1;
  int32_t Main_Top = -1;
  bool AutoStart = true;
  bool ShowHint = true;
  bool UseADS = true;
  bool UseURL = true;
  bool UseWDS = true;
  bool UseWCS = true;
  int8_t interval = 0;  // 0 fast, 1 normal, 2 slow; other values change nothing
  bool Small_Windows = true;
  int32_t SmallWindowHeight = 200;
  int32_t SmallWindowWidth = 320;
  bool Internet_Explorer = true;
  bool Mozilla = false;
  bool Firefox = false;
  bool Notepad = false;
  bool hosts = false;
  std::string host_ip = "127.0.0.1";
  bool hosts_onstartup = false;
  bool FlashAX = false;
  bool Flash7 = false;
  bool Flash_MZ = false;
  bool Services_NachrichtenDienst = false;
  bool Services_Warndienst = false;
  bool Services_RemoteRegistrierung = false;
  bool Services_Fehlerberichterstattung = false;
  bool Services_AutomatischeUpdates = false;
  bool Services_Systemwiederherstellung = false;

  // The browser families beyond the three above, each switched on by
  // default. They are not part of the 28 values: each is a value of its
  // own in the same key (kBrowserFamilyValues), read and written with them.
  bool SeaMonkey = true;
  bool Netscape = true;
  bool Opera = true;
  bool K_Meleon = true;
  bool Gecko_Goanna = true;  // Pale Moon, New Moon, Serpent, Mypal, RetroZilla
  bool Chromium = true;      // Google Chrome, Chromium builds, Supermium
};

// The registry values of the browser family switches, in the order they
// are written, with their fields.
struct BrowserFamilyValue {
  const char* name;
  bool Settings::*field;
};
extern const BrowserFamilyValue kBrowserFamilyValues[6];

// A value of the settings key could not be written.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every field to its default.
void SetDefaults(Settings& s);

// Fills the record from the registry in the fixed value order. The first
// value that is missing or of the wrong type ends the reading; the fields
// from it on keep their values. A missing or empty "host_ip" reads as the
// empty text and the reading goes on. The browser family switches are read
// each on its own: one that is missing or not a number keeps its value.
// Never reports anything.
void RegIniRead(Registry& reg, Settings& s);

// Writes all 28 values and the browser family switches (creating the key). Throws RegistryError naming the
// first value that cannot be written; the values after it are not written,
// and those before it get their old values back (or go, where there were
// none), so the stored record stays the one saved before.
void RegIniSave(Registry& reg, const Settings& s);

}  // namespace zt
