// The rule database file config\zapotrix_mainDB.ini: sections "ADS", "URL",
// "WCS" with keys 1..N, and "WDS" with width/height in keys 2k-1 and 2k.
#pragma once
#include <string>

#include "lang/texts.h"
#include "platform/system.h"
#include "rules/rule_lists.h"

namespace zt {

// Appends the four sections of the file to the lists (a missing file reads
// as empty sections). Case-insensitive duplicates and empty values are
// skipped; of equal WDS pairs the first stays.
void LoadMainDB(System& sys, const std::string& path, RuleLists& lists);

enum class DbSave {
  Saved,
  WriteProtected,  // read-only or missing: the message was shown (unless quiet), nothing written
  Failed,          // the write failed (System::LastWriteError tells why); nothing shown
};

// Replaces the four sections by the lists (an empty list leaves none); the
// rest of the file stays. A read-only or missing file gets the
// write-protection message and stays as it is. The file is replaced as a
// whole, so a write that fails (a full disk, denied access) leaves the old
// file; the caller tells the user, as only it knows whether the program can
// keep running for the user to mend the cause. A quiet save shows nothing
// (a quit asked by the installer, with nobody to answer).
DbSave SaveMainDB(System& sys, const std::string& path, const RuleLists& lists, const Texts& texts,
                  bool quiet = false);

}  // namespace zt
