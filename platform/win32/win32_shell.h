// Shell folders through shell32.
#pragma once
#include "platform/shell.h"

namespace zt {

class Win32Shell : public Shell {
 public:
  std::string PersonalFolder() override;
};

}  // namespace zt
