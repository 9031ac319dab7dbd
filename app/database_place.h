// Where this user's rule database and the updater's download live. The
// installed database stands beside the program; a user who may not write
// the program folder (a limited account on Windows 2000/XP with the program
// in "Program Files") keeps a copy of it in the user's application-data
// folder instead, made from the installed one the first time.
#pragma once
#include <string>

#include "platform/shell.h"
#include "platform/system.h"

namespace zt {

// The installed files, relative to the program folder.
constexpr char kMainDBRelative[] = "config\\zapotrix_mainDB.ini";
constexpr char kNewMainDBRelative[] = "config\\zapotrix_mainDB_new.ini";
// The user's folder below the application-data folder, and the names there.
constexpr char kUserFolderName[] = "Zapotrix";
constexpr char kMainDBName[] = "zapotrix_mainDB.ini";
constexpr char kNewMainDBName[] = "zapotrix_mainDB_new.ini";

struct DatabasePlace {
  std::string MainDBFile;     // read at start, written at the end
  std::string NewMainDBFile;  // the updater's download
};

// Chooses, in this order:
// 1. the user's copy "<application data>\Zapotrix\zapotrix_mainDB.ini" where
//    it exists (once made, it stays this user's database);
// 2. the installed database where this user may write the program's config
//    folder (an administrator, Windows 9x, a portable folder): as installed;
// 3. a new user's copy, written from the installed database;
// 4. the installed database (nothing else can be written: its save fails at
//    the end, and the quit says so).
// The download goes beside the database, or in case 4 into the temporary
// folder. The folders are tried, never changed, except that case 3 makes the
// user's folder and copy.
DatabasePlace ChooseDatabasePlace(System& sys, Shell& shell, const std::string& programDir);

}  // namespace zt
