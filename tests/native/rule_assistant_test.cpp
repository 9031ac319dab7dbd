// The rule assistant's logic: the proposed rows, keywords, check marks,
// what a take-over adds to the rule lists, and the window's flow driven
// through a recording view.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/rule_assistant.h"
#include "engine_world.h"

namespace zt::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const ListModel& m) {
  Rows v;
  for (const ListRow& r : m.rows()) v.push_back(r.cols);
  return v;
}

struct RowView {
  std::string target, value;
  bool checked;
  bool operator==(const RowView& o) const { return target == o.target && value == o.value && checked == o.checked; }
};
std::ostream& operator<<(std::ostream& os, const RowView& r) {
  return os << "{" << r.target << "|" << r.value << "|" << r.checked << "}";
}
std::vector<RowView> Shown(const RuleAssistant& a) {
  std::vector<RowView> v;
  for (const AssistantRow& r : a.rows()) v.push_back({r.target, r.value, r.checked});
  return v;
}

TEST(RuleAssistant, ProposesFourRowsInEitherLanguage) {
  struct Case {
    bool german;
    RuleProposal proposal;
    std::vector<RowView> rows;
  } cases[] = {
      {false,
       {"Casino", "http://casino.example.com", "468", "60"},
       {{"Window Caption", "Casino", true},
        {"URL", "http://casino.example.com", true},
        {"Window Size", "468 x 60", false},
        {"Keywords", "none defined", false}}},
      {true,
       {"Casino", "", "", ""},  // no address: its row is not checked
       {{"Fenstertitel", "Casino", true},
        {"URL", "", false},
        {"Fenstergröße", " x ", false},
        {"Schlüsselwörter", "keine definiert", false}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.rows, Shown(RuleAssistant(TextsFor(c.german).assistant, c.proposal))) << c.german;
}

TEST(RuleAssistant, KeywordsReplaceThePlaceholderThenFollowWithTheDittoMark) {
  for (bool german : {false, true}) {
    RuleAssistant a(TextsFor(german).assistant, {"t", "", "1", "2"});
    const std::string keywords = TextsFor(german).assistant.rowKeywords;
    EXPECT_FALSE(a.Button1Click(""));  // an empty box adds nothing
    ASSERT_EQ(4u, a.rows().size());
    EXPECT_TRUE(a.Button1Click("casino"));
    EXPECT_TRUE(a.Button1Click("poker"));
    EXPECT_TRUE(a.Button1Click("poker"));  // no duplicate test
    std::vector<RowView> rows = Shown(a);
    ASSERT_EQ(6u, rows.size());
    EXPECT_EQ((RowView{keywords, "casino", true}), rows[3]);
    EXPECT_EQ((RowView{"           \"", "poker", true}), rows[4]);
    EXPECT_EQ((RowView{"           \"", "poker", true}), rows[5]);
  }
}

TEST(RuleAssistant, ThePlaceholderRowCannotStayCheckedAndTheMenuNeedsARow) {
  RuleAssistant a(TextsFor(false).assistant, {"t", "u", "1", "2"});
  struct Step {
    const char* what;
    std::function<void()> run;
    std::vector<bool> checked;
  } steps[] = {
      {"menu without a row", [&] { a.hinzufgen1Click(-1); }, {true, true, false, false}},
      {"menu beyond the rows", [&] { a.hinzufgen1Click(4); }, {true, true, false, false}},
      {"add size row", [&] { a.hinzufgen1Click(2); }, {true, true, true, false}},
      {"don't add URL row", [&] { a.nichthinzufgen1Click(1); }, {true, false, true, false}},
      {"check the placeholder", [&] { a.SetChecked(3, true); }, {true, false, true, true}},
      {"a click clears it", [&] { a.ListViewRuleClick(); }, {true, false, true, false}},
      {"a keyword replaces it", [&] { a.Button1Click("k"); }, {true, false, true, true}},
      {"now a click keeps it", [&] { a.ListViewRuleClick(); }, {true, false, true, true}},
  };
  for (const Step& s : steps) {
    s.run();
    std::vector<bool> checked;
    for (const AssistantRow& r : a.rows()) checked.push_back(r.checked);
    EXPECT_EQ(s.checked, checked) << s.what;
  }
}

class TakeOver : public ::testing::Test {
 protected:
  // Opens the assistant for the window in ListView1's chosen row, as the
  // main window's boxes describe it.
  RuleAssistant Open(const std::string& caption, const std::string& url, const std::string& width,
                     const std::string& height) {
    w.app.engine.ListView1.Add({caption, url, "0"});
    w.app.engine.ListView1.selected = static_cast<int>(w.app.engine.ListView1.size()) - 1;
    w.view.edits[EditBox::EdAddURL] = url;
    w.view.edits[EditBox::EdWidth] = width;
    w.view.edits[EditBox::EdHeight] = height;
    std::optional<RuleProposal> p = ProposeRules(w.app.engine.ListView1, w.view);
    EXPECT_TRUE(p);
    return RuleAssistant(w.app.texts().assistant, *p);
  }
  int InvalidValueBoxes() {
    int n = 0;
    for (const SimMessageBox& b : w.system.boxes) n += b.text == w.app.texts().msg.valuesInvalid;
    return n;
  }

  EngineWorld w;
  RuleEditing ed{w.app};
  RuleLists& rules = w.app.rules;
};

TEST_F(TakeOver, NothingIsProposedWithoutAChosenWindow) {
  EXPECT_FALSE(ProposeRules(w.app.engine.ListView1, w.view));
  w.app.engine.ListView1.Add({"a", "", "0"});
  EXPECT_FALSE(ProposeRules(w.app.engine.ListView1, w.view));
}

TEST_F(TakeOver, AddsTheCheckedRowsToTheirLists) {
  struct Case {
    const char* name;
    std::vector<int> check, uncheck;
    std::vector<std::string> keywords;
    Rows wcs, url, wds, ads;
    int invalidBoxes;
  } cases[] = {
      {"as proposed", {}, {}, {}, {{"Casino"}}, {{"http://c.example.com"}}, {}, {}, 0},
      {"two keywords", {}, {0, 1}, {"casino", "poker"}, {}, {}, {}, {{"casino"}, {"poker"}}, 0},
      {"placeholder checked adds no keyword", {3}, {0, 1}, {}, {}, {}, {}, {}, 0},
      {"size row", {2}, {0, 1}, {}, {}, {}, {{"468", "60"}}, {}, 0},
      {"unchecked keyword", {}, {0, 1, 4}, {"casino", "poker"}, {}, {}, {}, {{"casino"}}, 0},
  };
  for (const Case& c : cases) {
    for (ListModel* list : {&rules.WCS, &rules.URL, &rules.WDS, &rules.ADS, &w.app.engine.ListView1}) list->Clear();
    RuleAssistant a = Open("Casino", "http://c.example.com", "468", "60");
    for (const std::string& k : c.keywords) a.Button1Click(k);
    for (int r : c.check) a.SetChecked(r, true);
    for (int r : c.uncheck) a.SetChecked(r, false);
    a.BTRuleAddClick(ed, w.view);
    EXPECT_EQ(c.wcs, RowsOf(rules.WCS)) << c.name;
    EXPECT_EQ(c.url, RowsOf(rules.URL)) << c.name;
    EXPECT_EQ(c.wds, RowsOf(rules.WDS)) << c.name;
    EXPECT_EQ(c.ads, RowsOf(rules.ADS)) << c.name;
  }
}

TEST_F(TakeOver, EmptySizeBoxesShowTheMessageAndTheOtherRulesAreStillAdded) {
  RuleAssistant a = Open("Casino", "http://c.example.com", "", "");
  a.Button1Click("casino");
  a.SetChecked(RuleAssistant::kSizeRow, true);
  a.BTRuleAddClick(ed, w.view);
  EXPECT_EQ(1, InvalidValueBoxes());
  EXPECT_TRUE(rules.WDS.rows().empty());
  EXPECT_EQ((Rows{{"Casino"}}), RowsOf(rules.WCS));
  EXPECT_EQ((Rows{{"http://c.example.com"}}), RowsOf(rules.URL));
  EXPECT_EQ((Rows{{"casino"}}), RowsOf(rules.ADS));
}

TEST_F(TakeOver, AddsWhatTheRowsShowEvenAfterAnotherWindowWasChosen) {
  RuleAssistant a = Open("Casino", "http://c.example.com", "468", "60");
  a.SetChecked(RuleAssistant::kSizeRow, true);
  // Another window chosen in the main window meanwhile fills its boxes.
  w.view.edits[EditBox::EDADDCaption] = "Other";
  w.view.edits[EditBox::EdAddURL] = "http://other.example.com";
  w.view.edits[EditBox::EdWidth] = "100";
  w.view.edits[EditBox::EdHeight] = "200";
  a.BTRuleAddClick(ed, w.view);
  EXPECT_EQ((Rows{{"Casino"}}), RowsOf(rules.WCS));
  EXPECT_EQ((Rows{{"http://c.example.com"}}), RowsOf(rules.URL));
  EXPECT_EQ((Rows{{"468", "60"}}), RowsOf(rules.WDS));
}

TEST_F(TakeOver, AKeywordSpelledLikeThePlaceholderIsAKeyword) {
  RuleAssistant a = Open("Casino", "", "", "");
  a.SetChecked(RuleAssistant::kCaptionRow, false);
  a.Button1Click("first");
  a.Button1Click(w.app.texts().assistant.noValue);
  a.BTRuleAddClick(ed, w.view);
  EXPECT_EQ((Rows{{"first"}, {w.app.texts().assistant.noValue}}), RowsOf(rules.ADS));
}

// Records what RuleAssisting asks of the window.
struct RecordingAssistantView : RuleAssistantView {
  void ShowTexts(const RuleAssistantTexts& t) override { texts = &t; }
  void ShowRows(const std::vector<AssistantRow>& r) override {
    rows = r;
    ++shown;
  }
  void ActivateHints(bool on) override { hints = on; }
  std::string KeywordText() override { return keyword; }
  void SetKeywordText(const std::string& text) override { keyword = text; }
  int SelectedRow() override { return selected; }
  void Close() override { ++closed; }

  const RuleAssistantTexts* texts = nullptr;
  std::vector<AssistantRow> rows;
  std::string keyword;
  int shown = 0, selected = -1, closed = 0;
  bool hints = false;
};

class AssistantFlow : public TakeOver {
 protected:
  RuleAssisting& Start(const std::string& width = "468", const std::string& height = "60") {
    assisting = std::make_unique<RuleAssisting>(w.app, ed, view, Open("Casino", "http://c.example.com", width, height));
    assisting->FormCreate();
    return *assisting;
  }
  std::vector<bool> Checked() const {
    std::vector<bool> v;
    for (const AssistantRow& r : view.rows) v.push_back(r.checked);
    return v;
  }

  RecordingAssistantView view;
  std::unique_ptr<RuleAssisting> assisting;
};

TEST_F(AssistantFlow, CreatedInTheDesignLanguageThenShownInTheProgramsWithItsTooltips) {
  for (bool german : {false, true})
    for (bool hints : {false, true}) {
      w.app.flags.IsGerman = german;
      w.app.settings.ShowHint = hints;
      RuleAssisting& a = Start();
      EXPECT_EQ(&GermanTexts().assistant, view.texts);
      ASSERT_EQ(4u, view.rows.size());
      EXPECT_EQ("Casino", view.rows[0].value);
      a.FormShow();
      EXPECT_EQ(&TextsFor(german).assistant, view.texts);
      EXPECT_EQ(hints, view.hints);
    }
}

TEST_F(AssistantFlow, KeywordsAndTheContextMenuShowTheRowsAgain) {
  RuleAssisting& a = Start();
  struct Step {
    const char* what;
    std::function<void()> run;
    std::vector<bool> checked;
    std::string keyword;  // the box afterwards
  } steps[] = {
      {"an empty keyword", [&] { a.Button1Click(); }, {true, true, false, false}, ""},
      {"a keyword", [&] { view.keyword = "casino"; a.Button1Click(); }, {true, true, false, true}, ""},
      {"a second", [&] { view.keyword = "poker"; a.Button1Click(); }, {true, true, false, true, true}, ""},
      {"menu: add", [&] { view.selected = 2; a.hinzufgen1Click(); }, {true, true, true, true, true}, ""},
      {"menu: don't add", [&] { view.selected = 0; a.nichthinzufgen1Click(); }, {false, true, true, true, true}, ""},
      {"menu without a row", [&] { view.selected = -1; a.hinzufgen1Click(); }, {false, true, true, true, true}, ""},
      {"the user's check box", [&] { a.ListViewRuleChecked(4, false); a.ListViewRuleClick(); },
       {false, true, true, true, false}, ""},
  };
  for (const Step& s : steps) {
    s.run();
    EXPECT_EQ(s.checked, Checked()) << s.what;
    EXPECT_EQ(s.keyword, view.keyword) << s.what;
  }
  EXPECT_EQ("poker", view.rows[4].value);
}

TEST_F(AssistantFlow, TakesTheRulesOverOnceThenCloses) {
  RuleAssisting& a = Start("", "");  // empty size boxes: the add shows a message
  a.ListViewRuleChecked(RuleAssistant::kSizeRow, true);
  // A second click while the message is open is not taken over again.
  w.system.onMessageBox = [&] { a.BTRuleAddClick(); };
  a.BTRuleAddClick();
  EXPECT_EQ(1, InvalidValueBoxes());
  EXPECT_EQ((Rows{{"Casino"}}), RowsOf(rules.WCS));
  EXPECT_EQ(1, view.closed);
  a.BTcancelClick();
  EXPECT_EQ(2, view.closed);
}

}  // namespace
}  // namespace zt::test
