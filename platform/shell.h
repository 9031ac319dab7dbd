// Shell (shell32): the documents folder and opening documents and programs.
#pragma once
#include <string>

namespace zt {

// ShellExecute results up to this value are errors.
constexpr int kShellExecuteMaxError = 32;

class Shell {
 public:
  virtual ~Shell() = default;
  // The user's documents folder (CSIDL_PERSONAL) as the shell reports it;
  // empty when the query fails.
  virtual std::string PersonalFolder() = 0;
  // The user's application-data folder (CSIDL_APPDATA), without trailing
  // backslash; empty where the system cannot name it (Windows 95 and NT 4
  // without the shell update of Internet Explorer 4).
  virtual std::string AppDataFolder() = 0;
  // ShellExecuteA without owner window, shown normally (SW_SHOW): the verb
  // ("open") on the file with the parameters (empty: none). Returns the
  // system's result; kShellExecuteMaxError or less is a failure.
  virtual int Execute(const std::string& verb, const std::string& file, const std::string& parameters) = 0;
};

}  // namespace zt
