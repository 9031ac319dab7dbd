// The manual and the web pages of the help menu.
#include "app/help_actions.h"

namespace zt {

const char* const kHtmlOpenCommandKey = "htmlfile\\shell\\open\\command";

void OpenHandbook(System& system, Shell& shell, const std::string& handbookFile, const Texts& texts) {
  if (!FileExists(system, handbookFile)) {
    system.MessageBox(texts.msg.handbookMissing, kAppCaption, kMbIconError);
    return;
  }
  if (shell.Execute("open", handbookFile, "") <= kShellExecuteMaxError)
    system.MessageBox(texts.msg.viewerMissing, kAppCaption, kMbIconError);
}

std::string QuotedProgram(const std::string& command) {
  size_t first = command.find('"');
  if (first == std::string::npos) return {};
  size_t second = command.find('"', first + 1);
  if (second == std::string::npos) return {};
  return command.substr(first + 1, second - first - 1);
}

void OpenURL(Registry& registry, Shell& shell, const std::string& url) {
  std::optional<RegValue> value = registry.QueryValue(HKey::ClassesRoot, kHtmlOpenCommandKey, "");
  if (!value || (value->type != RegType::Sz && value->type != RegType::ExpandSz)) return;
  std::string program = QuotedProgram(value->data);
  if (program.empty()) return;
  shell.Execute("open", program, url);
}

}  // namespace zt
