// Stand-in files and system: real files under a temporary folder.
#include "platform/sim/sim_system.h"

#include <algorithm>

#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

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

std::string SimSystem::HostPath(const std::string& winPath) const {
  std::string p = winPath;
  std::string out = root_;
  if (p.size() >= 2 && p[1] == ':') {
    out += "/";
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(p[0])));
    p = p.substr(2);
  }
  for (char c : p) out += (c == '\\') ? '/' : c;
  return out;
}

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
  if (failWrites) return false;
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
  std::error_code ec;
  fs::path p = HostPath(path);
  if (!fs::is_regular_file(p, ec)) return false;
  if (FileAttributes(path).value_or(0) & kAttrReadOnly) return false;  // as the system refuses
  return fs::remove(p, ec);
}

bool SimSystem::CreateDirectory(const std::string& path) {
  std::error_code ec;
  return fs::create_directory(HostPath(path), ec);
}

bool SimSystem::RemoveDirectory(const std::string& path) {
  std::error_code ec;
  fs::path p = HostPath(path);
  if (!fs::is_directory(p, ec) || !fs::is_empty(p, ec)) return false;
  return fs::remove(p, ec);
}

std::vector<DirEntry> SimSystem::ListDirectory(const std::string& path) {
  std::vector<DirEntry> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(HostPath(path), ec))
    out.push_back({e.path().filename().string(), e.is_directory()});
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
  lastWriteError = WriteError::None;
  if (failWrites) {
    lastWriteError = failWritesAs;
    return false;
  }
  std::string target = HostPath(path);
  std::error_code ec;
  if (fs::exists(target, ec) && (FileAttributes(path).value_or(0) & kAttrReadOnly)) {
    lastWriteError = WriteError::ReadOnly;
    return false;
  }
  std::string tmp = target + ".zt-tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) {
      lastWriteError = WriteError::AccessDenied;
      return false;
    }
    size_t length = path == cutShortPath ? std::min(cutShortAt, bytes.size()) : bytes.size();
    out.write(bytes.data(), static_cast<std::streamsize>(length));
    if (!out.flush()) {
      fs::remove(tmp, ec);
      lastWriteError = WriteError::DiskFull;
      return false;
    }
  }
  fs::rename(tmp, target, ec);
  if (ec) {
    fs::remove(tmp, ec);
    lastWriteError = WriteError::Other;
    return false;
  }
  return true;
}

int SimSystem::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  boxes.push_back({text, caption, flags});
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
