// Settings record <-> registry key, value by value in one fixed order.
#include "system/settings.h"

#include <optional>
#include <utility>
#include <vector>

namespace zt {

const char* const kSettingsKey = "Software\\veltrano\\Zapotrix\\V1\\settings\\";

const BrowserFamilyValue kBrowserFamilyValues[6] = {
    {"SeaMonkey", &Settings::SeaMonkey}, {"Netscape", &Settings::Netscape},
    {"Opera", &Settings::Opera},         {"K_Meleon", &Settings::K_Meleon},
    {"Gecko_Goanna", &Settings::Gecko_Goanna}, {"Chromium", &Settings::Chromium},
};

namespace {

// One registry value: how to read it into the record and what to write.
struct Field {
  const char* name;
  enum Kind { Int, Bool, Mode, Text } kind;
  void* field;
};

// The 28 values of the record, then the browser family switches.
std::vector<Field> Fields(Settings& s) {
  std::vector<Field> fields = {
      {"Main_Left", Field::Int, &s.Main_Left},
      {"Main_Top", Field::Int, &s.Main_Top},
      {"AutoStart", Field::Bool, &s.AutoStart},
      {"ShowHint", Field::Bool, &s.ShowHint},
      {"UseADS", Field::Bool, &s.UseADS},
      {"UseURL", Field::Bool, &s.UseURL},
      {"UseWDS", Field::Bool, &s.UseWDS},
      {"UseWCS", Field::Bool, &s.UseWCS},
      {"interval", Field::Mode, &s.interval},
      {"Small_Windows", Field::Bool, &s.Small_Windows},
      {"SmallWindowHeight", Field::Int, &s.SmallWindowHeight},
      {"SmallWindowWidth", Field::Int, &s.SmallWindowWidth},
      {"Internet_Explorer", Field::Bool, &s.Internet_Explorer},
      {"Mozilla", Field::Bool, &s.Mozilla},
      {"Firefox", Field::Bool, &s.Firefox},
      {"FlashAX", Field::Bool, &s.FlashAX},
      {"Flash7", Field::Bool, &s.Flash7},
      {"Flash_MZ", Field::Bool, &s.Flash_MZ},
      {"Notepad", Field::Bool, &s.Notepad},
      {"hosts", Field::Bool, &s.hosts},
      {"host_ip", Field::Text, &s.host_ip},
      {"hosts_onstartup", Field::Bool, &s.hosts_onstartup},
      {"Services_NachrichtenDienst", Field::Bool, &s.Services_NachrichtenDienst},
      {"Services_Warndienst", Field::Bool, &s.Services_Warndienst},
      {"Services_RemoteRegistrierung", Field::Bool, &s.Services_RemoteRegistrierung},
      {"Services_Fehlerberichterstattung", Field::Bool, &s.Services_Fehlerberichterstattung},
      {"Services_AutomatischeUpdates", Field::Bool, &s.Services_AutomatischeUpdates},
      {"Services_Systemwiederherstellung", Field::Bool, &s.Services_Systemwiederherstellung},
  };
  for (const BrowserFamilyValue& v : kBrowserFamilyValues) fields.push_back({v.name, Field::Bool, &(s.*v.field)});
  return fields;
}

constexpr size_t kRecordValues = 28;

// The 28 values in order, up to the first that is missing or of the wrong type.
void ReadRecord(Registry& reg, const std::vector<Field>& fields) {
  for (size_t i = 0; i < kRecordValues; ++i) {
    const Field& f = fields[i];
    std::optional<RegValue> v = reg.QueryValue(HKey::CurrentUser, kSettingsKey, f.name);
    if (f.kind == Field::Text) {
      if (!v) {
        *static_cast<std::string*>(f.field) = "";
        continue;
      }
      if (v->type != RegType::Sz && v->type != RegType::ExpandSz) return;
      *static_cast<std::string*>(f.field) = v->data;
      continue;
    }
    if (!v || v->type != RegType::Dword) return;
    switch (f.kind) {
      case Field::Int: *static_cast<int32_t*>(f.field) = static_cast<int32_t>(v->dword); break;
      case Field::Bool: *static_cast<bool*>(f.field) = v->dword != 0; break;
      case Field::Mode: *static_cast<int8_t*>(f.field) = static_cast<int8_t>(v->dword & 0xFF); break;
      case Field::Text: break;
    }
  }
}

}  // namespace

void SetDefaults(Settings& s) { s = Settings(); }

void RegIniRead(Registry& reg, Settings& s) {
  if (!reg.OpenKey(HKey::CurrentUser, kSettingsKey, false)) return;
  std::vector<Field> fields = Fields(s);
  ReadRecord(reg, fields);
  // A key written by an earlier version has no family switches: each one
  // missing keeps its value, and the others are still read.
  for (size_t i = kRecordValues; i < fields.size(); ++i) {
    std::optional<RegValue> v = reg.QueryValue(HKey::CurrentUser, kSettingsKey, fields[i].name);
    if (v && v->type == RegType::Dword) *static_cast<bool*>(fields[i].field) = v->dword != 0;
  }
}

namespace {

// Puts back the values a save wrote before it failed, as they were: a
// record half of one save and half of the one before would hold settings
// the user never chose. Best effort: where the registry refuses the writes
// altogether, nothing was written either.
void RestoreValues(Registry& reg, const std::vector<std::pair<const char*, std::optional<RegValue>>>& before) {
  for (const auto& [name, old] : before) {
    if (!old) reg.DeleteValue(HKey::CurrentUser, kSettingsKey, name);
    else if (old->type == RegType::Dword) reg.SetDword(HKey::CurrentUser, kSettingsKey, name, old->dword);
    else if (old->type == RegType::Sz) reg.SetString(HKey::CurrentUser, kSettingsKey, name, old->data);
  }
}

}  // namespace

void RegIniSave(Registry& reg, const Settings& settings) {
  reg.CreateKey(HKey::CurrentUser, kSettingsKey);  // a failure shows at the first write
  Settings s = settings;
  std::vector<std::pair<const char*, std::optional<RegValue>>> written;  // names and their old values
  for (const Field& f : Fields(s)) {
    std::optional<RegValue> old = reg.QueryValue(HKey::CurrentUser, kSettingsKey, f.name);
    bool ok = false;
    switch (f.kind) {
      case Field::Int:
        ok = reg.SetDword(HKey::CurrentUser, kSettingsKey, f.name,
                          static_cast<uint32_t>(*static_cast<int32_t*>(f.field)));
        break;
      case Field::Bool:
        ok = reg.SetDword(HKey::CurrentUser, kSettingsKey, f.name,
                          *static_cast<bool*>(f.field) ? 1 : 0);
        break;
      case Field::Mode:
        ok = reg.SetDword(HKey::CurrentUser, kSettingsKey, f.name,
                          static_cast<uint32_t>(static_cast<int32_t>(*static_cast<int8_t*>(f.field))));
        break;
      case Field::Text:
        ok = reg.SetString(HKey::CurrentUser, kSettingsKey, f.name,
                           *static_cast<std::string*>(f.field));
        break;
    }
    if (!ok) {
      RestoreValues(reg, written);
      throw RegistryError(std::string("Failed to set data for '") + f.name + "'");
    }
    written.emplace_back(f.name, std::move(old));
  }
}

}  // namespace zt
