// Stand-in files and system: real files under a temporary folder, found
// without regard to the case of their names.
#include "platform/sim/sim_system.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/ansi_case.h"

namespace zt {
namespace fs = std::filesystem;

SimSystem::SimSystem() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (;;) {
    fs::path p = fs::temp_directory_path() /
                 ("zt-sim-" + std::to_string(random()) + "-" + std::to_string(++counter));
    if (fs::create_directory(p)) {
      root_ = p.string();
      return;
    }
  }
}

SimSystem::~SimSystem() {
  std::error_code ec;
  fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(root_, ec);
}

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && UpperAnsi(a) == UpperAnsi(b);
}

// The name of a host folder's entry in the bytes it was made of. On a
// Windows host the library makes a path from our bytes as the same code
// points but gives names back in UTF-8: that is undone here.
std::string EntryName(const fs::path& entry) {
#ifdef _WIN32
  const fs::path file = entry.filename();
  std::string name;
  for (wchar_t c : file.native()) name += static_cast<char>(c);
  return name;
#else
  return entry.filename().string();
#endif
}

// The name of an entry of a host folder that matches name in the way of
// Windows; nothing when there is none.
std::optional<std::string> ExistingName(const std::string& folder, const std::string& name) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(folder + "/" + name, ec))) return name;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = EntryName(it->path());
    if (SameName(entry, name)) return entry;
  }
  return std::nullopt;
}

}  // namespace

std::string SimSystem::HostPath(const std::string& winPath) const {
  std::string p = winPath;
  std::string out = root_;
  if (p.size() >= 2 && p[1] == ':') {
    out += "/";
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(p[0])));
    p = p.substr(2);
  }
  // Each name takes the case of an existing entry; from the first name that
  // does not exist on, the rest cannot exist and keeps the case given.
  bool looking = true;
  size_t start = 0;
  while (start < p.size()) {
    size_t end = p.find_first_of("\\/", start);
    if (end == std::string::npos) end = p.size();
    std::string name = p.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    if (looking) {
      std::optional<std::string> existing = ExistingName(out, name);
      looking = existing.has_value();
      if (existing) name = *existing;
    }
    out += "/" + name;
  }
  if (!p.empty() && (p.back() == '\\' || p.back() == '/')) out += "/";
  return out;
}

// The single file operations of a replacement on the host folder, with the
// failures a test scripted.
class SimSystem::Steps : public FileSteps {
 public:
  explicit Steps(SimSystem& sys) : sys_(sys) {}

  std::optional<uint32_t> Attributes(const std::string& path) override {
    return sys_.FileAttributes(path);
  }

  bool WriteNew(const std::string& path, const std::string& bytes) override {
    if (sys_.Locked(path)) return Failure(WriteError::AccessDenied);
    bool full = sys_.failWrites || Fails(SimFileStep::Write, path, "");
    std::ofstream out(sys_.HostPath(path), std::ios::binary | std::ios::trunc);
    if (!out) return Failure(WriteError::AccessDenied);
    size_t n = full ? bytes.size() / 2 : bytes.size();
    out.write(bytes.data(), static_cast<std::streamsize>(n));
    if (!out.flush()) return Failure(WriteError::DiskFull);
    if (full) return Failure(sys_.failWrites ? sys_.failWritesAs : WriteError::DiskFull);
    return true;
  }

  bool Delete(const std::string& path) override {
    if (sys_.Locked(path)) return Failure(WriteError::AccessDenied);
    if (Fails(SimFileStep::Delete, path, "")) return false;
    std::error_code ec;
    fs::path p = sys_.HostPath(path);
    if (!fs::is_regular_file(p, ec)) return false;
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::add, ec);
    return fs::remove(p, ec);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    if (sys_.Locked(from) || sys_.Locked(to) || Fails(SimFileStep::Rename, from, to))
      return Failure(WriteError::AccessDenied);
    if (!sys_.FileAttributes(from) || sys_.FileAttributes(to)) return Failure(WriteError::Other);
    return Move(from, to);
  }

  StepResult RenameReplacing(const std::string& from, const std::string& to) override {
    if (!sys_.hasReplacingRename) return StepResult::Unsupported;
    std::optional<uint32_t> target = sys_.FileAttributes(to);
    if (sys_.Locked(from) || sys_.Locked(to) || Fails(SimFileStep::RenameReplacing, from, to) ||
        (target && (*target & kAttrDirectory)))
      return Failed(WriteError::AccessDenied);
    return Move(from, to) ? StepResult::Done : StepResult::Failed;
  }

  StepResult Replace(const std::string& target, const std::string& replacement,
                     const std::string& backup) override {
    if (!sys_.hasReplaceFile || !sys_.FileAttributes(target)) return StepResult::Unsupported;
    if (sys_.Locked(target) || Fails(SimFileStep::Replace, replacement, target))
      return Failed(WriteError::AccessDenied);
    // The target goes to the backup name (over an earlier backup), the
    // replacement takes its place.
    if (!Move(target, backup)) return StepResult::Failed;
    if (Fails(SimFileStep::ReplaceAfterAside, replacement, target))
      return Failed(WriteError::AccessDenied);
    if (Move(replacement, target)) return StepResult::Done;
    Move(backup, target);
    return StepResult::Failed;
  }

  WriteError FailureCause() override { return cause_; }

 private:
  bool Failure(WriteError cause) {
    cause_ = cause;
    return false;
  }
  StepResult Failed(WriteError cause) {
    cause_ = cause;
    return StepResult::Failed;
  }
  bool Fails(SimFileStep step, const std::string& from, const std::string& to) {
    return sys_.failFileStep && sys_.failFileStep(step, from, to);
  }
  bool Move(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(sys_.HostPath(from), sys_.HostPath(to), ec);
    return !ec || Failure(WriteError::Other);
  }

  SimSystem& sys_;
  WriteError cause_ = WriteError::Other;
};

SemaphoreResult SimSystem::CreateInstanceSemaphore(const std::string&) {
  if (semaphoreFails) return SemaphoreResult::Failed;
  holding_ = true;
  return semaphoreExists ? SemaphoreResult::AlreadyExists : SemaphoreResult::Created;
}

void SimSystem::CloseInstanceSemaphore() { holding_ = false; }

std::string SimSystem::LanguageName(uint16_t id) {
  auto named = languageNames.find(id);
  if (named != languageNames.end()) return named->second;
  switch (id & 0x3FF) {
    case 0x07: return id == 0x0407 ? "Deutsch (Deutschland)" : "Deutsch";
    case 0x09: return "English (United States)";
    default: return "Language Neutral";
  }
}

std::optional<uint32_t> SimSystem::FileAttributes(const std::string& path) {
  std::error_code ec;
  fs::file_status st = fs::status(HostPath(path), ec);
  if (ec || !fs::exists(st)) return std::nullopt;
  uint32_t a = 0;
  if (fs::is_directory(st)) a |= kAttrDirectory;
  if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) a |= kAttrReadOnly;
  return a == 0 ? 0x80u : a;  // FILE_ATTRIBUTE_NORMAL when nothing else is set
}

bool SimSystem::SetFileAttributes(const std::string& path, uint32_t attributes) {
  std::error_code ec;
  fs::path p = HostPath(path);
  if (!fs::exists(p, ec)) return false;
  fs::permissions(p, fs::perms::owner_write,
                  (attributes & kAttrReadOnly) ? fs::perm_options::remove : fs::perm_options::add, ec);
  return !ec;
}

bool SimSystem::CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  if (failWrites || Locked(to)) return false;
  std::error_code ec;
  fs::path dst = HostPath(to);
  if (fs::exists(dst, ec)) {
    if (failIfExists) return false;
    if (FileAttributes(to).value_or(0) & kAttrReadOnly) return false;
  }
  fs::copy_file(HostPath(from), dst, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool SimSystem::DeleteFile(const std::string& path) {
  if (Locked(path)) return false;
  if (failFileStep && failFileStep(SimFileStep::Delete, path, "")) return false;
  std::error_code ec;
  fs::path p = HostPath(path);
  if (!fs::is_regular_file(p, ec)) return false;
  if (FileAttributes(path).value_or(0) & kAttrReadOnly) return false;  // as the system refuses
  return fs::remove(p, ec);
}

bool SimSystem::CreateDirectory(const std::string& path) {
  if (Locked(path)) return false;
  std::error_code ec;
  return fs::create_directory(HostPath(path), ec);
}

bool SimSystem::RemoveDirectory(const std::string& path) {
  if (Locked(path)) return false;
  std::error_code ec;
  fs::path p = HostPath(path);
  if (!fs::is_directory(p, ec) || !fs::is_empty(p, ec)) return false;
  return fs::remove(p, ec);
}

bool SimSystem::CanCreateFile(const std::string& path) {
  if (Locked(path) || FileAttributes(path)) return false;
  fs::path p = HostPath(path);
  std::ofstream(p, std::ios::binary).close();
  std::error_code ec;
  return fs::remove(p, ec);
}

bool SimSystem::Locked(const std::string& winPath) const {
  std::string path = UpperAnsi(winPath);
  for (std::string folder : lockedFolders) {
    folder = UpperAnsi(folder);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    if (path.compare(0, folder.size(), folder) == 0) return true;
  }
  return false;
}

std::vector<DirEntry> SimSystem::ListDirectory(const std::string& path) {
  std::vector<DirEntry> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(HostPath(path), ec))
    out.push_back({EntryName(e.path()), e.is_directory()});
  return out;
}

std::optional<std::string> SimSystem::ReadFile(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(HostPath(path), ec)) return std::nullopt;
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SimSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  Steps steps(*this);
  std::string written = bytes;
  if (path == cutShortPath) written.resize(std::min(cutShortAt, bytes.size()));
  lastWriteError = ReplaceWhole(steps, version.platformId == 1 ? ReplaceWay::Aside : ReplaceWay::Nt,
                                path, written);
  return lastWriteError == WriteError::None;
}

int SimSystem::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  boxes.push_back({text, caption, flags});
  if (onMessageBox) onMessageBox();
  if (!answers.empty()) {
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  return (flags & 0x0F) == kMbYesNo ? kIdYes : kIdOk;
}

void SimSystem::PutFile(const std::string& winPath, const std::string& bytes) {
  fs::path p = HostPath(winPath);
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zt
