// ztshow: the main window of zapotrix.exe, run as the program runs it (the
// real registry, files, desktop and shell, from the folder it lies in), on
// a system that names its language as given. Wine names every language in
// English, so a German system cannot be played there otherwise; the
// screenshots use this to show the German window.
//   ztshow LANGUAGE-NAME     e.g. ztshow "Deutsch (Deutschland)"
#include "platform/win32/win.h"

#include <string>

#include "platform/win32/win32_platform.h"
#include "ui/main_window.h"

namespace {

class NamedLanguageSystem : public zt::Win32System {
 public:
  explicit NamedLanguageSystem(std::string name) : name_(std::move(name)) {}
  std::string LanguageName(uint16_t) override { return name_; }

 private:
  std::string name_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  zt::Win32Platform<NamedLanguageSystem> platform(__argv[1]);
  int code = zt::RunProgram(platform.os);
  platform.system.CloseInstanceSemaphore();
  return code;
}
