// The language tables of every window and the language routine that
// chooses between them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "lang/texts.h"

namespace zt::test {
namespace {

// Every section is a plain list of text pointers: read it as one.
template <class Section>
std::vector<const char*> Fields(const Section& s) {
  static_assert(std::is_standard_layout_v<Section> && sizeof(Section) % sizeof(const char*) == 0);
  const char* const* p = reinterpret_cast<const char* const*>(&s);
  return {p, p + sizeof(Section) / sizeof(const char*)};
}

constexpr size_t Index(size_t offset) { return offset / sizeof(const char*); }

template <class Section>
struct Window {
  const char* name;
  const Section& (*select)(const Texts&);
  std::vector<size_t> emptyInEnglish;  // fields the English routine sets empty
};

template <class Section>
void CheckRoutine(const Window<Section>& w) {
  SCOPED_TRACE(w.name);
  WindowLanguage<Section> language(w.select);
  // Before the routine ran, every message text is empty; another value
  // than 0 or 1 changes nothing.
  for (int value : {-1, 2, 255}) {
    EXPECT_FALSE(language.Set(value));
    for (const char* f : Fields(language.texts())) EXPECT_STREQ("", f);
  }
  std::vector<const char*> german = Fields(w.select(GermanTexts()));
  std::vector<const char*> english = Fields(w.select(EnglishTexts()));
  EXPECT_TRUE(language.Set(kLanguageGerman));
  EXPECT_EQ(german, Fields(language.texts()));
  EXPECT_FALSE(language.Set(7));
  EXPECT_EQ(german, Fields(language.texts()));
  EXPECT_TRUE(language.Set(kLanguageEnglish));
  EXPECT_EQ(english, Fields(language.texts()));

  // Every text exists in both languages, but for the ones English leaves empty.
  for (size_t i = 0; i < german.size(); ++i) {
    EXPECT_STRNE("", german[i]) << "German field " << i;
    bool empty = std::find(w.emptyInEnglish.begin(), w.emptyInEnglish.end(), i) != w.emptyInEnglish.end();
    EXPECT_EQ(empty, std::strlen(english[i]) == 0) << "English field " << i;
  }
}

}  // namespace

TEST(LanguageTables, EveryWindowsRoutineTakesOneOrZeroAndIgnoresOtherValues) {
  CheckRoutine(Window<MainWindowTexts>{"main window", [](const Texts& t) -> const MainWindowTexts& { return t.main; },
                                      {Index(offsetof(MainWindowTexts, Label2)), Index(offsetof(MainWindowTexts, Label3))}});
  CheckRoutine(Window<MessageTexts>{"messages", [](const Texts& t) -> const MessageTexts& { return t.msg; }, {}});
  CheckRoutine(Window<ScannerNames>{"scanner names", [](const Texts& t) -> const ScannerNames& { return t.scanner; }, {}});
  CheckRoutine(Window<UpdaterTexts>{"updater", [](const Texts& t) -> const UpdaterTexts& { return t.updater; }, {}});
  CheckRoutine(Window<SettingsTexts>{"settings", [](const Texts& t) -> const SettingsTexts& { return t.settings; }, {}});
  CheckRoutine(Window<RuleAssistantTexts>{
      "rule assistant", [](const Texts& t) -> const RuleAssistantTexts& { return t.assistant; }, {}});
  CheckRoutine(Window<StatisticsTexts>{
      "statistics", [](const Texts& t) -> const StatisticsTexts& { return t.statistics; }, {}});
  CheckRoutine(Window<HostsEditorTexts>{
      "hosts editor", [](const Texts& t) -> const HostsEditorTexts& { return t.hostsEditor; }, {}});
  CheckRoutine(Window<InfoTexts>{"info", [](const Texts& t) -> const InfoTexts& { return t.info; }, {}});
}

TEST(LanguageTables, TextsAreCp1252NotUtf8) {
  // A UTF-8 umlaut would be the lead byte 0xC3 and a continuation byte.
  for (const Texts* t : {&GermanTexts(), &EnglishTexts()}) {
    std::vector<std::vector<const char*>> all = {Fields(t->msg),        Fields(t->main),      Fields(t->scanner),
                                                 Fields(t->updater),    Fields(t->settings),  Fields(t->assistant),
                                                 Fields(t->statistics), Fields(t->hostsEditor), Fields(t->info)};
    for (const auto& fields : all)
      for (const char* f : fields)
        for (const char* p = f; *p; ++p)
          EXPECT_FALSE(static_cast<unsigned char>(p[0]) == 0xC3 && (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80)
              << f;
  }
  // The umlauts and "ß" of the German tables are there, as single bytes.
  int high = 0;
  for (const char* f : Fields(GermanTexts().main))
    for (const char* p = f; *p; ++p) high += static_cast<unsigned char>(*p) >= 0x80;
  EXPECT_GT(high, 20);
}

TEST(LanguageTables, TabCaptionsAreEighteenCharactersInBothLanguages) {
  for (const Texts* t : {&GermanTexts(), &EnglishTexts()})
    for (const char* tab : t->main.TabSet1) EXPECT_EQ(18u, std::strlen(tab)) << "<" << tab << ">";
}

}  // namespace zt::test
