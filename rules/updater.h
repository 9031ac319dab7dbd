// The rule database updater's logic: the address of the published
// database, its download into config\zapotrix_mainDB_new.ini, the check that
// what arrived is a rule database, and the merge of the chosen lists into
// the rule lists. The merged lists reach the rule database file when the
// program ends.
#pragma once
#include <cstdint>
#include <string>

#include "lang/texts.h"
#include "platform/download.h"
#include "platform/system.h"
#include "rules/rule_lists.h"

namespace zt {

// The choices of the updater window; all checked when it opens.
struct UpdateChoices {
  bool WDS = true;  // CheckBoxUPWDS
  bool URL = true;  // CheckBoxUPURL
  bool ADS = true;  // CheckBoxUPADS
  bool WCS = true;  // CheckBoxUPWCS
  bool keepExisting = true;  // CheckBoxUpClear: keep the rows already in a list
};

// The address of the published database: the update server (or the base
// address from the environment) followed by kUpdatePath.
std::string UpdateURL(Downloader& downloader);

// One download; true exactly when the system reports success.
bool DownloadFile(Downloader& downloader, const std::string& url, const std::string& file);

// False when the file can be read but holds none of the sections "ADS",
// "URL", "WCS", "WDS": an error page, a login page or a transfer cut short,
// not a rule database. An unreadable file is left to ReadDBParts to report.
bool IsRuleDatabase(System& sys, const std::string& file);

// Merges the chosen sections of the downloaded file into the lists. A
// read-only or missing file gets the write-protection message and nothing
// is merged. A chosen text list becomes the case-insensitively distinct,
// non-empty entries of the section (with keepExisting: the current rows
// first, so their spelling wins); WDS pairs are distinct by exact text.
// Lists not chosen are not touched.
void ReadDBParts(System& sys, const std::string& file, RuleLists& lists,
                 const UpdateChoices& choices, const Texts& texts);

}  // namespace zt
