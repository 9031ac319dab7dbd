// Stand-in shell: the documents folder is whatever the test sets; opened
// documents are recorded and answered with a scripted result.
#pragma once
#include <stdexcept>
#include <vector>

#include "platform/shell.h"

namespace zt {

struct SimShellCall {
  std::string verb, file, parameters;
};

class SimShell : public Shell {
 public:
  std::string PersonalFolder() override {
    if (fails) throw std::runtime_error("shell fault");
    return personal;
  }
  std::string AppDataFolder() override { return appData; }
  int Execute(const std::string& verb, const std::string& file, const std::string& parameters) override {
    executed.push_back({verb, file, parameters});
    return executeResult;
  }
  std::string personal = "C:\\Documents and Settings\\user\\My Documents";
  std::string appData = "C:\\Documents and Settings\\user\\Application Data";  // empty: none
  bool fails = false;
  int executeResult = 42;  // success
  std::vector<SimShellCall> executed;
};

}  // namespace zt
