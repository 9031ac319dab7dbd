// Stand-in shell: the documents folder is whatever the test sets.
#pragma once
#include <stdexcept>

#include "platform/shell.h"

namespace zt {

class SimShell : public Shell {
 public:
  std::string PersonalFolder() override {
    if (fails) throw std::runtime_error("shell fault");
    return personal;
  }
  std::string personal = "C:\\Documents and Settings\\user\\My Documents";
  bool fails = false;
};

}  // namespace zt
