// Line splitting and checked reading and writing of the hosts routines' files.
#include "hosts/hosts_io.h"

namespace zt {

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t pos = 0, n = bytes.size();
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (pos < n) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) {
      lines.emplace_back(bytes, pos, n - pos);
      break;
    }
    lines.emplace_back(bytes, pos, end - pos);
    pos = end + 1;
    if (bytes[end] == '\r' && pos < n && bytes[pos] == '\n') ++pos;
  }
  return lines;
}

size_t CountNonEmptyLines(const std::string& bytes) {
  size_t count = 0;
  bool inLine = false;
  for (size_t i = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; i < bytes.size(); ++i) {
    bool end = bytes[i] == '\r' || bytes[i] == '\n';
    if (!end && !inLine) ++count;
    inLine = !end;
  }
  return count;
}

std::string ReadTextFile(System& sys, const std::string& path, const Texts& texts) {
  std::optional<std::string> bytes = sys.ReadFile(path);
  if (!bytes) throw HostsFileError(Format(texts.msg.cannotRead, {path}));
  return std::move(*bytes);
}

void WriteTextFile(System& sys, const std::string& path, const std::string& bytes, const Texts& texts) {
  if (sys.WriteFileAtomic(path, bytes)) return;
  WriteError cause = sys.LastWriteError();
  std::string folder = path.substr(0, path.rfind('\\') + 1);
  std::optional<uint32_t> attrs = folder.empty() ? std::nullopt : sys.FileAttributes(folder);
  if (!folder.empty() && (!attrs || !(*attrs & kAttrDirectory)))
    throw HostsFileError(Format(texts.msg.folderMissing, {path, folder}));
  throw HostsFileError(SaveFailedText(texts, Format(texts.msg.cannotWrite, {path}), cause));
}

}  // namespace zt
