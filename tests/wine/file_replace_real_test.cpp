// Replacing a file on the real file system: the behavioural cases shared
// with the stand-in in both ways, a rename the system refuses, and the
// executable's path. (Wine's ReplaceFile does not carry the target's
// attributes over as Windows does, so that is not tested here.)
#include <gtest/gtest.h>

#include <cstring>

#include "file_replace_cases.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "wine_support.h"

namespace zt::test {
namespace {

class RealFileWorld : public FileWorld {
 public:
  explicit RealFileWorld(ReplaceWay way) : system(way) {}
  System& sys() override { return system; }
  std::string folder() override { return dir.path(); }
  TempDir dir;
  Win32System system;
};

INSTANTIATE_TEST_SUITE_P(
    Real, FileReplace,
    ::testing::Combine(::testing::Values(FileWorldMaker{"Real",
                                                        [](ReplaceWay way) {
                                                          return std::unique_ptr<FileWorld>(
                                                              new RealFileWorld(way));
                                                        }}),
                       ::testing::Values(ReplaceWay::Nt, ReplaceWay::Aside)),
    FileReplaceName);

std::vector<std::string> Listed(Win32System& sys, const std::string& dir) {
  std::vector<std::string> names;
  for (const DirEntry& e : sys.ListDirectory(dir)) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileReplaceReal, FileOpenWithoutSharedDeleteStaysAndNoNewFileRemains) {
  for (ReplaceWay way : {ReplaceWay::Nt, ReplaceWay::Aside}) {
    SCOPED_TRACE(way == ReplaceWay::Nt ? "NT way" : "9x way");
    TempDir dir;
    Win32System sys(way);
    std::string target = dir.path() + "\\zapotrix_mainDB.ini";
    WriteBytes(target, "old whole");
    // Another program reads the file and lets nobody delete or rename it.
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(sys.WriteFileAtomic(target, "new whole"));
    EXPECT_EQ(WriteError::AccessDenied, sys.LastWriteError());
    CloseHandle(held);
    EXPECT_EQ("old whole", ReadBytes(target));
    EXPECT_EQ(std::vector<std::string>{"zapotrix_mainDB.ini"}, Listed(sys, dir.path()));
  }
}

// A stand-in of GetModuleFileNameA for a path of the given length, cutting
// it in the way of Windows XP (no terminating zero) or of later systems.
struct PathCall {
  std::string path;
  bool xpCut;
  uint32_t operator()(char* buf, uint32_t size) const {
    if (path.size() < size) {
      std::memcpy(buf, path.c_str(), path.size() + 1);
      return static_cast<uint32_t>(path.size());
    }
    if (xpCut) {
      std::memcpy(buf, path.data(), size);
      return size;
    }
    std::memcpy(buf, path.data(), size - 1);
    buf[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
};

TEST(FileReplaceReal, ExecutablePathIsWholeOrEmptyNeverCut) {
  auto pathOf = [](size_t length) {
    std::string p = "C:\\";
    while (p.size() < length) p += "d\\";
    p.resize(length - 4);
    return p + ".exe";
  };
  struct Case {
    size_t length;
    bool xpCut;
    bool whole;
  } cases[] = {
      {20, true, true},       {MAX_PATH - 1, true, true}, {MAX_PATH, true, true},
      {MAX_PATH, false, true}, {MAX_PATH + 1, true, true}, {1000, true, true},
      {1000, false, true},     {32767, true, true},        {40000, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.length) + (c.xpCut ? " XP" : " later"));
    std::string path = pathOf(c.length);
    EXPECT_EQ(c.whole ? path : std::string(), WholePathFrom(PathCall{path, c.xpCut}));
  }
  EXPECT_EQ("", WholePathFrom([](char*, uint32_t) { return 0u; }));

  char buf[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  Win32System sys;
  EXPECT_EQ(buf, sys.ExecutablePath());
}

// The folders and the probe that decide where a user's rules live.
TEST(FileReplaceReal, UserFoldersAndTheCreateProbe) {
  Win32System sys;
  Win32Shell shell;
  for (const std::string& folder : {shell.AppDataFolder(), sys.TempDirectory()}) {
    SCOPED_TRACE(folder);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE('\\', folder.back());
    EXPECT_TRUE(sys.FileAttributes(folder).value_or(0) & kAttrDirectory);
  }

  TempDir dir;
  const std::string probe = dir.path() + "\\probe.zt-new";
  EXPECT_TRUE(sys.CanCreateFile(probe));
  EXPECT_FALSE(sys.FileAttributes(probe).has_value());  // made and gone again
  EXPECT_FALSE(sys.CanCreateFile(dir.path() + "\\missing\\probe"));
  WriteBytes(probe, "a file of the user's");
  EXPECT_FALSE(sys.CanCreateFile(probe));  // never touches an existing file
  EXPECT_EQ("a file of the user's", ReadBytes(probe));
}

}  // namespace
}  // namespace zt::test
