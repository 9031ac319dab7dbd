// Shell folders (shell32).
#pragma once
#include <string>

namespace zt {

class Shell {
 public:
  virtual ~Shell() = default;
  // The user's documents folder (CSIDL_PERSONAL) as the shell reports it;
  // empty when the query fails.
  virtual std::string PersonalFolder() = 0;
};

}  // namespace zt
