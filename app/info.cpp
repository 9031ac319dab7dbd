// The info window's language and links.
#include "app/info.h"

#include "app/help_actions.h"

namespace zt {

Info::Info(AppState& app, InfoView& view)
    : app_(app), view_(view), language_([](const Texts& t) -> const InfoTexts& { return t.info; }) {}

void Info::FormShow() { SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish); }

void Info::SetLanguage(int language) {
  if (language_.Set(language)) view_.ShowTexts(language_.texts());
}

void Info::Label5Click() { OpenURL(app_.os.registry, app_.os.shell, kMakerHomePage); }
void Info::Label6Click() { OpenURL(app_.os.registry, app_.os.shell, kDistributorHomePage); }

}  // namespace zt
