// Text files of the hosts routines: the typed error that reaches the
// window's error box, the line splitter, and reading and writing with that
// error on failure.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "lang/texts.h"
#include "platform/system.h"

namespace zt {

// A hosts file, the blocked-host list, or an import or export file could
// not be read or written. The window that started the operation shows the
// text in an error box.
class HostsFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Splits file contents into lines. CR LF, a lone LF and a lone CR each end
// a line; a last line without an end counts; a UTF-8 byte-order mark at the
// very start belongs to no line.
std::vector<std::string> SplitLines(const std::string& bytes);

// The number of non-empty lines SplitLines would give.
size_t CountNonEmptyLines(const std::string& bytes);

// The whole file; throws HostsFileError when it cannot be read.
std::string ReadTextFile(System& sys, const std::string& path, const Texts& texts);

// Replaces the file as a whole (never half written); throws HostsFileError
// naming the cause (a missing folder, a full disk, denied access).
void WriteTextFile(System& sys, const std::string& path, const std::string& bytes, const Texts& texts);

}  // namespace zt
