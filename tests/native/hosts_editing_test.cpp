// The hosts list editor's flow without a window: the buttons only once the
// list is loaded, one action at a time with a close asked for meanwhile
// coming after it, and the selection kept after an add and a sort.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/hosts_editing.h"
#include "app/zapotrix_main.h"
#include "sim_world.h"

namespace zt::test {
namespace {

// Records what the flow asks of the window; at each "process pending
// messages" point it can run what a user does meanwhile.
struct RecordingHostsView : HostsEditorView {
  void SetProgressRange(size_t) override {}
  void SetProgressPosition(size_t) override {}
  void ProcessPendingMessages() override {
    if (meanwhile) std::exchange(meanwhile, nullptr)();
  }
  std::string AddText() override { return addText; }
  void SetAddText(const std::string& text) override { addText = text; }
  void ShowList() override { ++shown; }
  void ScrollTo(int row) override { scrolledTo = row; }
  void FocusList() override {}
  void SetListRedraw(bool on) override { redrawOff += on ? -1 : 1; }
  void ShowCount(const std::string& text) override { count = text; }
  void EnableCancel() override { cancel = true; }
  void EnableListButtons() override { buttons = true; }
  std::string OpenFile(const std::string&) override { return openFile; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return ""; }
  bool Ask(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return answer;
  }
  void Close() override { ++closed; }

  std::function<void()> meanwhile;
  std::string addText, count, openFile;
  int shown = 0, scrolledTo = -1, redrawOff = 0, closed = 0;
  bool cancel = false, buttons = false, answer = true;
};

class HostsFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    w.system.PutFile(w.Dir() + "config\\zapotrix_hosts.dat", "beta.example\r\nalpha.example\r\ngamma.example\r\n");
    main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
    main->FormCreate();
    editing = std::make_unique<HostsEditing>(main->state(), view);
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const ListModel& list = editing->editor().ListViewHosts;
    for (size_t i = 0; i < list.size(); ++i) rows.push_back(list.text(i));
    return rows;
  }
  int Selected() { return editing->editor().ListViewHosts.selected; }
  std::string SelectedText() { return Rows().at(static_cast<size_t>(Selected())); }

  SimWorld w;
  std::unique_ptr<ZapotrixMain> main;
  RecordingHostsView view;
  std::unique_ptr<HostsEditing> editing;
};

}  // namespace

TEST_F(HostsFlow, ListButtonsWorkOnlyOnceTheListIsLoaded) {
  view.addText = "new.example";
  editing->BtHostsAddClick();
  editing->Bt_clearClick();
  editing->Bt_OKClick();
  editing->BT_CancelClick();
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(0, view.closed);
  EXPECT_FALSE(view.buttons);

  editing->Timer1Timer();
  EXPECT_TRUE(view.cancel);
  EXPECT_TRUE(view.buttons);
  EXPECT_TRUE(editing->loaded());
  EXPECT_EQ(std::vector<std::string>({"alpha.example", "beta.example", "gamma.example"}), Rows());
  EXPECT_EQ(editing->CountText(), view.count);
  EXPECT_EQ(0, view.redrawOff);  // painting is on again
  editing->BtHostsAddClick();
  EXPECT_EQ(4u, Rows().size());
  EXPECT_EQ(3, view.scrolledTo);  // the new name's row is shown
  EXPECT_EQ("", view.addText);
}

// A close asked for while an action lets messages run comes after it,
// emptying the list; a second action meanwhile does not start.
TEST_F(HostsFlow, OneActionAtATimeAndACloseMeanwhileComesAfterIt) {
  struct Case {
    const char* name;
    std::function<void(HostsEditing&)> meanwhile;
    int closed;
    size_t rows;
  } cases[] = {
      {"cancel", [](HostsEditing& e) { e.BT_CancelClick(); }, 1, 0},
      {"menu close", [](HostsEditing& e) { e.Fensterschliessen1Click(); }, 1, 0},
      {"an add", [](HostsEditing& e) { e.BtHostsAddClick(); }, 0, 3},
  };
  for (const Case& c : cases) {
    view = RecordingHostsView();
    SetUp();
    editing->Timer1Timer();
    view.addText = "epsilon.example";
    bool busyMeanwhile = false;
    view.meanwhile = [&] {
      busyMeanwhile = editing->busy();
      c.meanwhile(*editing);
      EXPECT_EQ(0, view.closed) << c.name << ": not while the help opens";
    };
    editing->Button_helpClick();  // lets messages run before it opens the manual
    EXPECT_TRUE(busyMeanwhile) << c.name;
    EXPECT_EQ(c.closed, view.closed) << c.name;
    EXPECT_EQ(c.rows, Rows().size()) << c.name;
    EXPECT_FALSE(editing->busy()) << c.name;
  }
}

TEST_F(HostsFlow, SelectionStaysOnItsNameAfterAnAddAndASort) {
  editing->Timer1Timer();
  editing->editor().ListViewHosts.selected = 1;  // beta.example
  view.addText = "aaa.example";                  // sorts before it
  editing->BtHostsAddClick();
  EXPECT_EQ(1, Selected());  // the row number stays, as the list view keeps it
  editing->editor().ListViewHosts.selected = 2;
  ASSERT_EQ("beta.example", SelectedText());
  for (int sort = 0; sort < 2; ++sort) {
    editing->ListViewHostsColumnClick();
    EXPECT_EQ("beta.example", SelectedText()) << sort;
  }
  editing->ListViewHostsClick();
  EXPECT_EQ("beta.example", view.addText);
}

}  // namespace zt::test
