// The rule database file config\zapotrix_mainDB.ini: sections "ADS", "URL",
// "WCS" with keys 1..N, and "WDS" with width/height in keys 2k-1 and 2k.
#pragma once
#include <string>

#include "platform/system.h"
#include "rules/rule_lists.h"

namespace zt {

// Appends the four sections of the file to the lists (a missing file reads
// as empty sections). Case-insensitive duplicates and empty values are
// skipped; of equal WDS pairs the first stays.
void LoadMainDB(System& sys, const std::string& path, RuleLists& lists);

// Replaces the four sections by the lists (an empty list leaves none); the
// rest of the file stays. A read-only or missing file gets the
// write-protection message and stays as it is. The file is replaced as a
// whole, so it is never left half written.
void SaveMainDB(System& sys, const std::string& path, const RuleLists& lists, bool german);

}  // namespace zt
