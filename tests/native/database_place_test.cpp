// Where the rule database is read and written: beside the program where the
// user may write there, else in the user's application-data folder; and the
// whole road of a user without administrator rights from start to quit.
#include <gtest/gtest.h>

#include "app/database_place.h"
#include "lang/texts.h"
#include "sim_world.h"

namespace zt::test {
namespace {

const std::string kProgram = "C:\\Program Files\\Zapotrix\\";
const std::string kInstalled = kProgram + "config\\zapotrix_mainDB.ini";
const std::string kInstalledNew = kProgram + "config\\zapotrix_mainDB_new.ini";
const std::string kAppData = "C:\\Documents and Settings\\user\\Application Data";
const std::string kUser = kAppData + "\\Zapotrix\\zapotrix_mainDB.ini";
const std::string kUserNew = kAppData + "\\Zapotrix\\zapotrix_mainDB_new.ini";
const std::string kTempNew = "C:\\WINDOWS\\TEMP\\zapotrix_mainDB_new.ini";
const std::string kShipped = "[WCS]\r\n1=shipped\r\n";

enum class AppData { Usable, Locked, None };

// The user's application-data folder exists, as the shell makes it.
void MakeAppData(SimSystem& sys) { sys.PutFile(kAppData + "\\desktop.ini", ""); }

struct PlaceCase {
  const char* name;
  bool programLocked;     // the user may not write the program folder
  const char* userCopy;   // the user's copy before the start (null: none)
  AppData appData;
  std::string mainDb, newMainDb;  // the expected choice
  const char* userCopyAfter;      // the user's copy after the choice (null: none)
};

}  // namespace

TEST(DatabasePlace, ChoosesWhereThisUserCanKeepTheRules) {
  const PlaceCase cases[] = {
      {"administrator: as installed", false, nullptr, AppData::Usable, kInstalled, kInstalledNew, nullptr},
      {"limited user, first start: a copy of the installed rules", true, nullptr, AppData::Usable, kUser,
       kUserNew, kShipped.c_str()},
      {"limited user with a copy: the copy", true, "[WCS]\r\n1=mine\r\n", AppData::Usable, kUser, kUserNew,
       "[WCS]\r\n1=mine\r\n"},
      {"a copy stays the user's when the folder becomes writable", false, "[WCS]\r\n1=mine\r\n",
       AppData::Usable, kUser, kUserNew, "[WCS]\r\n1=mine\r\n"},
      {"no application-data folder: as installed, download in temp", true, nullptr, AppData::None, kInstalled,
       kTempNew, nullptr},
      {"nothing writable: as installed, download in temp", true, nullptr, AppData::Locked, kInstalled, kTempNew,
       nullptr},
      {"no application-data folder, writable program folder", false, nullptr, AppData::None, kInstalled,
       kInstalledNew, nullptr},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    SimSystem sys;
    SimShell shell;
    MakeAppData(sys);
    sys.PutFile(kInstalled, kShipped);
    if (c.userCopy) sys.PutFile(kUser, c.userCopy);
    if (c.programLocked) sys.lockedFolders.push_back(kProgram);
    if (c.appData == AppData::None) shell.appData = "";
    if (c.appData == AppData::Locked) sys.lockedFolders.push_back(kAppData);

    DatabasePlace place = ChooseDatabasePlace(sys, shell, kProgram);
    EXPECT_EQ(c.mainDb, place.MainDBFile);
    EXPECT_EQ(c.newMainDb, place.NewMainDBFile);
    if (c.userCopyAfter) EXPECT_EQ(c.userCopyAfter, sys.ReadFile(kUser).value_or("(none)"));
    else EXPECT_FALSE(sys.FileAttributes(kUser).has_value());
    // The probe leaves nothing in the program folder.
    EXPECT_EQ(kShipped, *sys.ReadFile(kInstalled));
    EXPECT_EQ(1u, sys.ListDirectory(kProgram + "config").size());
  }
}

TEST(DatabasePlace, UserCopyIsWritableEvenOfAWriteProtectedInstallation) {
  // A program folder on a CD: read-only files in a folder nobody can write.
  SimSystem sys;
  SimShell shell;
  MakeAppData(sys);
  sys.PutFile(kInstalled, kShipped);
  sys.SetFileAttributes(kInstalled, kAttrReadOnly);
  sys.lockedFolders.push_back(kProgram);
  ASSERT_EQ(kUser, ChooseDatabasePlace(sys, shell, kProgram).MainDBFile);
  EXPECT_FALSE(*sys.FileAttributes(kUser) & kAttrReadOnly);
}

TEST(DatabasePlace, LeftoverOfAnInterruptedSaveDoesNotHideAWritableFolder) {
  SimSystem sys;
  SimShell shell;
  sys.PutFile(kInstalled, kShipped);
  sys.PutFile(kInstalled + ".zt-new", "half a save");
  EXPECT_EQ(kInstalled, ChooseDatabasePlace(sys, shell, kProgram).MainDBFile);
  EXPECT_FALSE(sys.FileAttributes(kInstalled + ".zt-new").has_value());
}

namespace {

// The program in "Program Files" for a user who may not write there.
class LimitedUser : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install(kShipped);
    MakeAppData(w.system);
    w.system.lockedFolders.push_back(kProgram);
  }
  std::unique_ptr<ZapotrixMain> Run() {
    auto main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
    main->FormCreate();
    return main;
  }
  SimWorld w;
};

}  // namespace

TEST_F(LimitedUser, RuleAddedIsKeptForTheUserAndTheProgramFolderStaysAsInstalled) {
  auto main = Run();
  EXPECT_TRUE(w.system.boxes.empty());  // no missing-file warning: the installation is whole
  main->state().rules.WCS.Add({"my popup"});
  EXPECT_TRUE(main->FormClose());
  EXPECT_TRUE(w.system.boxes.empty());
  EXPECT_EQ(kShipped, *w.system.ReadFile(kInstalled));
  EXPECT_EQ("[WCS]\r\n1=shipped\r\n2=my popup\r\n", w.system.ReadFile(kUser).value_or("(none)"));

  main = Run();  // the next start reads the user's copy
  ASSERT_EQ(2u, main->state().rules.WCS.size());
  EXPECT_EQ("my popup", main->state().rules.WCS.text(0));
}

TEST_F(LimitedUser, MissingInstalledFileStillWarnsAndNothingIsSaved) {
  w.system.lockedFolders.clear();
  w.system.DeleteFile(kProgram + "config\\zapotrix_mozilla.dat");
  w.system.lockedFolders.push_back(kProgram);
  w.system.PutFile(kUser, "[WCS]\r\n1=mine\r\n");
  auto main = Run();
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.missingFiles), w.system.boxes[0].text);
  main->state().rules.WCS.Add({"lost"});
  EXPECT_TRUE(main->FormClose());
  EXPECT_EQ("[WCS]\r\n1=mine\r\n", w.system.ReadFile(kUser).value_or("(none)"));
}

// Where even the user's copy cannot be written, the quit asks; the
// installer's quit and a log-off end without waiting for an answer.
TEST_F(LimitedUser, FailingSaveOfTheUsersCopy) {
  struct QuitCase {
    const char* name;
    std::function<bool(ZapotrixMain&)> quit;  // true: the program ends
    std::deque<int> answers;
    bool ends;
    size_t boxes;
  };
  const QuitCase cases[] = {
      {"the user keeps it running", [](ZapotrixMain& m) { return m.FormClose(); }, {kIdNo}, false, 1},
      {"the user quits anyway", [](ZapotrixMain& m) { return m.FormClose(); }, {kIdYes}, true, 1},
      {"the installer quits it", [](ZapotrixMain& m) { return m.FormClose(QuitBy::Setup); }, {}, true, 0},
      {"log-off", [](ZapotrixMain& m) { m.Cleanup(); return true; }, {}, true, 1},
  };
  for (const QuitCase& c : cases) {
    SCOPED_TRACE(c.name);
    w.system.failWrites = false;
    w.system.boxes.clear();
    w.system.PutFile(kUser, "[WCS]\r\n1=mine\r\n");
    auto main = Run();
    main->state().rules.WCS.Add({"today's"});
    w.system.failWrites = true;  // the user's disk is full
    w.system.failWritesAs = WriteError::DiskFull;
    w.system.answers = c.answers;
    EXPECT_EQ(c.ends, c.quit(*main));
    EXPECT_EQ(c.boxes, w.system.boxes.size());
    EXPECT_TRUE(w.system.answers.empty());
    EXPECT_EQ("[WCS]\r\n1=mine\r\n", w.system.ReadFile(kUser).value_or("(none)"));
    EXPECT_EQ(kShipped, *w.system.ReadFile(kInstalled));
  }
}

}  // namespace zt::test
