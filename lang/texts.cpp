// Filling in the placeholders of a text.
#include "lang/texts.h"

namespace zt {

std::string Format(const char* text, std::initializer_list<std::string> args) {
  std::string out;
  auto next = args.begin();
  for (const char* p = text; *p; ++p) {
    if (p[0] == '%' && p[1] == 's' && next != args.end()) {
      out += *next++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string SaveFailedText(const Texts& texts, const std::string& head, WriteError cause) {
  const MessageTexts& m = texts.msg;
  const char* why = m.causeOther;
  switch (cause) {
    case WriteError::DiskFull: why = m.causeDiskFull; break;
    case WriteError::AccessDenied: why = m.causeAccessDenied; break;
    case WriteError::ReadOnly: why = m.causeReadOnly; break;
    case WriteError::None:
    case WriteError::Other: break;
  }
  return head + " " + why;
}

}  // namespace zt
