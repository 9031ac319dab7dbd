// The choice of the rule database's place at start-up.
#include "app/database_place.h"

#include <optional>

#include "platform/file_replace.h"

namespace zt {
namespace {

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

// Whether a save of the file can begin: it writes its new content beside
// the file first. The probe uses that temporary name, which a save tidies
// away anyway, so a probe cut short leaves nothing foreign behind.
bool CanSaveBeside(System& sys, const std::string& file) {
  const std::string probe = ReplaceNewName(file);
  if (sys.FileAttributes(probe)) sys.DeleteFile(probe);
  return sys.CanCreateFile(probe);
}

// Writes the user's copy of the installed database; false when the
// installed one cannot be read or the copy cannot be written. The copy is
// written whole or not at all, and is the user's to change: it does not
// take over a write protection of the installed file (a program folder on
// a CD).
bool MakeUserCopy(System& sys, const std::string& installed, const std::string& userFolder,
                  const std::string& userFile) {
  std::optional<std::string> bytes = sys.ReadFile(installed);
  if (!bytes) return false;
  if (!sys.FileAttributes(userFolder)) sys.CreateDirectory(userFolder);
  return sys.WriteFileAtomic(userFile, *bytes);
}

}  // namespace

DatabasePlace ChooseDatabasePlace(System& sys, Shell& shell, const std::string& programDir) {
  const DatabasePlace installed{programDir + kMainDBRelative, programDir + kNewMainDBRelative};
  std::string appData = shell.AppDataFolder();
  std::string userFolder = appData.empty() ? "" : WithBackslash(appData) + kUserFolderName;
  DatabasePlace user{WithBackslash(userFolder) + kMainDBName, WithBackslash(userFolder) + kNewMainDBName};

  if (!userFolder.empty() && FileExists(sys, user.MainDBFile)) return user;
  if (CanSaveBeside(sys, installed.MainDBFile)) return installed;
  if (!userFolder.empty() && MakeUserCopy(sys, installed.MainDBFile, userFolder, user.MainDBFile)) return user;
  std::string temp = sys.TempDirectory();
  return {installed.MainDBFile, temp.empty() ? installed.NewMainDBFile : WithBackslash(temp) + kNewMainDBName};
}

}  // namespace zt
