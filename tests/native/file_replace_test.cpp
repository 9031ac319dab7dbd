// Replacing a file on the stand-in: the behavioural cases shared with the
// real file system, and every step of a replacement failing in turn.
#include <gtest/gtest.h>

#include <optional>

#include "file_replace_cases.h"
#include "platform/sim/sim_system.h"

namespace zt::test {
namespace {

class SimFileWorld : public FileWorld {
 public:
  explicit SimFileWorld(ReplaceWay way) {
    sim.version.platformId = way == ReplaceWay::Aside ? 1 : 2;
    sim.CreateDirectory("C:");
    sim.CreateDirectory("C:\\Data");
  }
  System& sys() override { return sim; }
  std::string folder() override { return "C:\\Data"; }
  SimSystem sim;
};

INSTANTIATE_TEST_SUITE_P(
    Sim, FileReplace,
    ::testing::Combine(::testing::Values(FileWorldMaker{"Sim",
                                                        [](ReplaceWay way) {
                                                          return std::unique_ptr<FileWorld>(
                                                              new SimFileWorld(way));
                                                        }}),
                       ::testing::Values(ReplaceWay::Nt, ReplaceWay::Aside)),
    FileReplaceName);

const std::string kTarget = "C:\\Data\\zapotrix_hosts.dat";
const std::string kNew = kTarget + kReplaceNewSuffix;
const std::string kOld = kTarget + kReplaceOldSuffix;

std::vector<std::string> Names(SimSystem& sys) {
  std::vector<std::string> names;
  for (const DirEntry& e : sys.ListDirectory("C:\\Data")) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

struct Fault {
  const char* what;
  int platformId;  // 2: NT family, 1: Windows 9x
  bool hasReplaceFile, hasReplacingRename;
  bool hadOld;
  std::optional<SimFileStep> step;  // the step that fails; nothing: none
  std::string from, to;             // its paths; empty: any
  WriteError cause;                 // None: saved
  std::vector<std::string> left;    // the folder afterwards
};

TEST(FileReplaceSim, EachFailingStepLeavesOneWholeFileAndNoNewOne) {
  const std::vector<std::string> target = {"zapotrix_hosts.dat"};
  const std::vector<std::string> none = {};
  const std::vector<std::string> withAside = {"zapotrix_hosts.dat", "zapotrix_hosts.dat.zt-old"};
  const Fault faults[] = {
      {"write fails (NT)", 2, true, true, true, SimFileStep::Write, "", "", WriteError::DiskFull, target},
      {"write fails (9x)", 1, true, true, true, SimFileStep::Write, "", "", WriteError::DiskFull, target},
      {"ReplaceFile fails", 2, true, true, true, SimFileStep::Replace, "", "", WriteError::AccessDenied, target},
      {"ReplaceFile fails after moving the target aside", 2, true, true, true,
       SimFileStep::ReplaceAfterAside, "", "", WriteError::AccessDenied, target},
      {"no ReplaceFile: a replacing rename", 2, false, true, true, std::nullopt, "", "",
       WriteError::None, target},
      {"no ReplaceFile, the rename fails", 2, false, true, true, SimFileStep::RenameReplacing, "",
       "", WriteError::AccessDenied, target},
      {"new file, the rename fails", 2, true, true, false, SimFileStep::RenameReplacing, "", "",
       WriteError::AccessDenied, none},
      {"no replacing rename on an NT version: moved aside", 2, false, false, true,
       std::nullopt, "", "", WriteError::None, target},
      {"9x: moving the old file aside fails", 1, true, true, true, SimFileStep::Rename, kTarget,
       "", WriteError::AccessDenied, target},
      {"9x: the new file cannot take its place", 1, true, true, true, SimFileStep::Rename, kNew,
       "", WriteError::AccessDenied, target},
      {"9x: new file, the rename fails", 1, true, true, false, SimFileStep::Rename, kNew, "",
       WriteError::AccessDenied, none},
      {"9x: the old file aside cannot be deleted", 1, true, true, true, SimFileStep::Delete, kOld,
       "", WriteError::None, withAside},
      {"NT: the backup cannot be deleted", 2, true, true, true, SimFileStep::Delete, kOld, "",
       WriteError::None, withAside},
  };
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.what);
    SimSystem sys;
    sys.version.platformId = static_cast<uint32_t>(f.platformId);
    sys.hasReplaceFile = f.hasReplaceFile;
    sys.hasReplacingRename = f.hasReplacingRename;
    sys.CreateDirectory("C:");
    sys.CreateDirectory("C:\\Data");
    if (f.hadOld) sys.PutFile(kTarget, "old whole");
    sys.failFileStep = [&f](SimFileStep step, const std::string& from, const std::string& to) {
      return step == f.step && (f.from.empty() || f.from == from) && (f.to.empty() || f.to == to);
    };
    bool saved = f.cause == WriteError::None;
    EXPECT_EQ(saved, sys.WriteFileAtomic(kTarget, "new whole"));
    EXPECT_EQ(f.cause, sys.LastWriteError());
    EXPECT_EQ(f.left, Names(sys));
    std::string expected = saved ? "new whole" : f.hadOld ? "old whole" : "<none>";
    EXPECT_EQ(expected, sys.ReadFile(kTarget).value_or("<none>"));

    // The next save, with nothing failing, tidies up.
    sys.failFileStep = nullptr;
    EXPECT_TRUE(sys.WriteFileAtomic(kTarget, "next"));
    EXPECT_EQ(target, Names(sys));
  }
}

TEST(FileReplaceSim, OldFileStuckAsideIsPutBackByTheNextSave) {
  SimSystem sys;
  sys.CreateDirectory("C:");
  sys.CreateDirectory("C:\\Data");
  sys.version.platformId = 1;
  sys.PutFile(kTarget, "old whole");
  // Neither the new file nor the old one can move back: the old one stays
  // complete under the aside name.
  sys.failFileStep = [](SimFileStep step, const std::string& from, const std::string&) {
    return step == SimFileStep::Rename && from != kTarget;
  };
  EXPECT_FALSE(sys.WriteFileAtomic(kTarget, "new"));
  EXPECT_EQ(std::vector<std::string>{"zapotrix_hosts.dat.zt-old"}, Names(sys));
  EXPECT_EQ("old whole", sys.ReadFile(kOld).value_or("<none>"));

  // The next save puts it back first; when that save fails too, the old
  // content stands under its name again.
  sys.failFileStep = [](SimFileStep step, const std::string&, const std::string&) {
    return step == SimFileStep::Write;
  };
  EXPECT_FALSE(sys.WriteFileAtomic(kTarget, "new"));
  EXPECT_EQ(std::vector<std::string>{"zapotrix_hosts.dat"}, Names(sys));
  EXPECT_EQ("old whole", sys.ReadFile(kTarget).value_or("<none>"));
}

TEST(FileReplaceSim, HostFolderKeepsOneEntryPerNameWhateverTheCase) {
  SimSystem sys;
  sys.PutFile("C:\\Program Files\\Zapotrix\\Config\\Rules.ini", "a");
  EXPECT_TRUE(sys.WriteFileAtomic("c:\\PROGRAM FILES\\zapotrix\\CONFIG\\rules.INI", "b"));
  sys.PutFile("C:\\program files\\ZAPOTRIX\\config\\RULES.ini", "c");
  EXPECT_EQ(1u, sys.ListDirectory("C:\\").size());
  EXPECT_EQ("Program Files", sys.ListDirectory("C:\\")[0].name);
  EXPECT_EQ(1u, sys.ListDirectory("C:\\PROGRAM FILES\\ZAPOTRIX\\CONFIG").size());
  EXPECT_EQ("c", sys.ReadFile("C:\\Program Files\\Zapotrix\\Config\\Rules.ini").value_or(""));
}

}  // namespace
}  // namespace zt::test
