// Shell folders and ShellExecute through shell32.
#pragma once
#include "platform/shell.h"

namespace zt {

class Win32Shell : public Shell {
 public:
  std::string PersonalFolder() override;
  std::string AppDataFolder() override;
  int Execute(const std::string& verb, const std::string& file, const std::string& parameters) override;
};

}  // namespace zt
