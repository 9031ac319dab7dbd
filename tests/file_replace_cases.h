// Behavioural tests of System::WriteFileAtomic and of names that ignore
// case, run against the stand-in natively and against the real file system
// under Wine, in both ways of replacing a file (NT family and Windows 9x).
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/file_replace.h"
#include "platform/system.h"

namespace zt::test {

// A system with an empty folder to write in, replacing files in a given way.
class FileWorld {
 public:
  virtual ~FileWorld() = default;
  virtual System& sys() = 0;
  virtual std::string folder() = 0;  // Windows path, no trailing backslash
};

struct FileWorldMaker {
  std::string name;
  std::function<std::unique_ptr<FileWorld>(ReplaceWay)> make;
};
inline void PrintTo(const FileWorldMaker& m, std::ostream* os) { *os << m.name; }

class FileReplace : public ::testing::TestWithParam<std::tuple<FileWorldMaker, ReplaceWay>> {
 protected:
  void SetUp() override { world = std::get<0>(GetParam()).make(std::get<1>(GetParam())); }
  System& sys() { return world->sys(); }
  std::string In(const std::string& name) { return world->folder() + "\\" + name; }
  // The folder's entries, sorted, as the system lists them.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const DirEntry& e : sys().ListDirectory(world->folder())) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  void Put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(sys().WriteFileAtomic(In(name), bytes)) << name;
  }
  std::string Read(const std::string& name) { return sys().ReadFile(In(name)).value_or("<none>"); }

  std::unique_ptr<FileWorld> world;
};

inline std::string FileReplaceName(
    const ::testing::TestParamInfo<std::tuple<FileWorldMaker, ReplaceWay>>& info) {
  return std::get<0>(info.param).name +
         (std::get<1>(info.param) == ReplaceWay::Nt ? "_NtWay" : "_AsideWay");
}

TEST_P(FileReplace, TargetHoldsExactlyTheNewBytesAndNothingElseStays) {
  std::string big(3 * 1024 * 1024 + 17, '\0');  // more than one write call
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 251);
  struct Case {
    const char* what;
    bool hadOld;
    std::string old, fresh;
  } cases[] = {
      {"new file", false, "", "one\r\ntwo\r\n"},
      {"shorter over longer", true, std::string(5000, 'x'), "short"},
      {"longer over shorter", true, "short", std::string(5000, 'y')},
      {"empty over content", true, "content", ""},
      {"bytes of every kind", true, "old", std::string("a\0b\r\n\xFF\x81\x1A", 8)},
      {"several megabytes", true, "old", big},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string target = In("zapotrix_mainDB.ini");
    sys().DeleteFile(target);
    if (c.hadOld) Put("zapotrix_mainDB.ini", c.old);
    ASSERT_TRUE(sys().WriteFileAtomic(target, c.fresh));
    EXPECT_EQ(WriteError::None, sys().LastWriteError());
    EXPECT_TRUE(Read("zapotrix_mainDB.ini") == c.fresh) << "content differs";
    EXPECT_EQ(std::vector<std::string>{"zapotrix_mainDB.ini"}, Names());
    EXPECT_TRUE(FileExists(sys(), target));
  }
}

TEST_P(FileReplace, WriteProtectedFileAndFolderAreNotReplaced) {
  Put("hosts", "127.0.0.1 localhost\r\n");
  ASSERT_TRUE(sys().SetFileAttributes(In("hosts"), kAttrReadOnly));
  EXPECT_FALSE(sys().WriteFileAtomic(In("hosts"), "new"));
  EXPECT_EQ(WriteError::ReadOnly, sys().LastWriteError());
  EXPECT_EQ("127.0.0.1 localhost\r\n", Read("hosts"));
  EXPECT_TRUE(sys().FileAttributes(In("hosts")).value_or(0) & kAttrReadOnly);

  ASSERT_TRUE(sys().CreateDirectory(In("config")));
  EXPECT_FALSE(sys().WriteFileAtomic(In("config"), "new"));
  EXPECT_EQ(WriteError::AccessDenied, sys().LastWriteError());
  EXPECT_TRUE(sys().FileAttributes(In("config")).value_or(0) & kAttrDirectory);

  EXPECT_EQ((std::vector<std::string>{"config", "hosts"}), Names());
  sys().SetFileAttributes(In("hosts"), 0);
}

TEST_P(FileReplace, LeftoversOfAnEarlierSaveAreTidiedAway) {
  const std::string fresh = std::string("rules.ini") + kReplaceNewSuffix;
  const std::string aside = std::string("rules.ini") + kReplaceOldSuffix;
  struct Case {
    const char* what;
    bool target;     // the target stood
    bool strayNew;   // a half written new file
    bool strayOld;   // the old file aside
    bool readOnly;   // the leftovers are marked read-only
  } cases[] = {
      {"half written new file", true, true, false, false},
      {"old file aside beside the target", true, false, true, false},
      {"both", true, true, true, false},
      {"only the old file aside", false, false, true, false},
      {"only the old file aside, and a half written one", false, true, true, false},
      {"read-only leftovers", true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& n : Names()) {
      sys().SetFileAttributes(In(n), 0);
      sys().DeleteFile(In(n));
    }
    if (c.target) Put("rules.ini", "current");
    if (c.strayNew) Put(fresh, "half wri");
    if (c.strayOld) Put(aside, "previous");
    if (c.readOnly) {
      sys().SetFileAttributes(In(fresh), kAttrReadOnly);
      sys().SetFileAttributes(In(aside), kAttrReadOnly);
    }
    ASSERT_TRUE(sys().WriteFileAtomic(In("rules.ini"), "saved"));
    EXPECT_EQ("saved", Read("rules.ini"));
    EXPECT_EQ(std::vector<std::string>{"rules.ini"}, Names());
  }
}

TEST_P(FileReplace, FailedSaveLeavesTheOldFileUnderItsName) {
  // A folder of the new file's name makes the write fail on every system.
  const std::string blocker = std::string("hosts.dat") + kReplaceNewSuffix;
  const std::string aside = std::string("hosts.dat") + kReplaceOldSuffix;
  struct Case {
    const char* what;
    bool target, strayOld;
    const char* expected;  // content under the target's name afterwards
  } cases[] = {
      {"old file in place", true, false, "in place"},
      {"old file only aside", false, true, "aside"},
      {"no old file", false, false, "<none>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sys().DeleteFile(In("hosts.dat"));
    sys().RemoveDirectory(In(blocker));
    if (c.target) Put("hosts.dat", "in place");
    if (c.strayOld) Put(aside, "aside");
    ASSERT_TRUE(sys().CreateDirectory(In(blocker)));
    EXPECT_FALSE(sys().WriteFileAtomic(In("hosts.dat"), "new"));
    EXPECT_EQ(WriteError::AccessDenied, sys().LastWriteError());
    EXPECT_EQ(c.expected, Read("hosts.dat"));
    std::vector<std::string> names = Names();
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), aside));
  }
}

TEST_P(FileReplace, NamesIgnoreCaseAndKeepTheCaseTheyWereMadeWith) {
  ASSERT_TRUE(sys().CreateDirectory(In("Config")));
  EXPECT_FALSE(sys().CreateDirectory(In("CONFIG")));
  Put("Config\\Zapotrix_MainDB.ini", "first");
  struct Case {
    const char* written;
    const char* read;
  } cases[] = {
      {"config\\zapotrix_maindb.ini", "CONFIG\\ZAPOTRIX_MAINDB.INI"},
      {"CONFIG\\ZAPOTRIX_MAINDB.INI", "Config\\zapotrix_MainDB.INI"},
      {"cOnFiG\\Zapotrix_MainDB.INI", "config\\zapotrix_maindb.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    ASSERT_TRUE(sys().WriteFileAtomic(In(c.written), c.written));
    EXPECT_EQ(c.written, Read(c.read));
    EXPECT_TRUE(FileExists(sys(), In(c.read)));
    // One file, whatever case the replacement gave its name.
    std::vector<DirEntry> entries = sys().ListDirectory(In("config"));
    ASSERT_EQ(1u, entries.size());
    std::string name = entries[0].name;
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ("zapotrix_maindb.ini", name);
  }

  // "Änderungen.txt" in CP1252: the Latin letters of the code page too.
  Put("\xC4nderungen.txt", "umlaut");
  EXPECT_EQ("umlaut", Read("\xE4NDERUNGEN.TXT"));
  EXPECT_EQ((std::vector<std::string>{"Config", "\xC4nderungen.txt"}), Names());
  EXPECT_TRUE(sys().SetFileAttributes(In("\xE4nderungen.txt"), kAttrReadOnly));
  EXPECT_TRUE(sys().FileAttributes(In("\xC4NDERUNGEN.txt")).value_or(0) & kAttrReadOnly);
  EXPECT_TRUE(sys().SetFileAttributes(In("\xC4NDERUNGEN.txt"), 0));
  EXPECT_TRUE(sys().CopyFile(In("\xE4nderungen.TXT"), In("CONFIG\\Copy.TXT"), true));
  EXPECT_FALSE(sys().CopyFile(In("\xE4nderungen.TXT"), In("config\\copy.txt"), true));
  EXPECT_TRUE(sys().DeleteFile(In("\xE4nderungen.TXT")));
  EXPECT_TRUE(sys().DeleteFile(In("CONFIG\\COPY.txt")));
  EXPECT_TRUE(sys().DeleteFile(In("config\\ZAPOTRIX_maindb.ini")));
  EXPECT_TRUE(sys().RemoveDirectory(In("CONFIG")));
  EXPECT_TRUE(Names().empty());
}

}  // namespace zt::test
