// Lists with no rows yet (a new school's pages): every key, typed letter,
// click, double click and wheel notch on an empty list box, drop-down list,
// combo and report list leaves them empty and unchosen, and the page hears
// only what the user did (focus, a press on the report list), never a
// choice; the same list filled afterwards works as usual.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9321, kRooms = 4401, kDays = 4402, kNames = 4403, kGrid = 4404, kMany = 4405;
const ControlTemplate kControls[] = {
    {"ListBox", kRooms, "", kLbsNotify | kWsVScroll | kWsTabStop, 5, 5, 80, 60},
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 90, 5, 80, 60},
    {"ComboBox", kNames, "", kCbsDropDown | kWsTabStop, 90, 25, 80, 60},
    {"ListView", kGrid, "", kLvsReport | kLvsSingleSel | kWsTabStop, 5, 70, 200, 60},
    {"ListBox", kMany, "", kLbsNotify | kLbsExtendedSel | kWsTabStop, 180, 5, 40, 60},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Vuoto", kWsPopup | kWsCaption, 0, 0, 230, 135, kControls}};

class EmptyPage : public Dialog {
 public:
  EmptyPage() : Dialog(kTemplate) {}
  std::vector<std::string> heard;

 protected:
  bool OnCommand(WParam w, LParam l) override {
    int id = command_id(w);
    if (id >= kRooms && id <= kMany)
      heard.push_back(std::to_string(id) + ":" + std::to_string(command_code(w)));
    return Dialog::OnCommand(w, l);
  }
  bool OnNotify(WParam w, LParam l, LResult* result) override {
    auto* h = reinterpret_cast<NotifyHeader*>(l);
    if (h->id == kGrid && h->code != kNmCustomDraw) {
      auto* n = reinterpret_cast<ListViewNotify*>(h);
      heard.push_back("grid " + std::to_string(h->code) + " row " + std::to_string(n->item));
    }
    return Dialog::OnNotify(w, l, result);
  }
};

class EmptyControls : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    grid().InsertColumn(0, "Nome", kLvcfmtLeft, 80);
    grid().InsertColumn(1, "Ore", kLvcfmtLeft, 40);
  }
  ListBox& rooms() { return *static_cast<ListBox*>(page.GetDlgItem(kRooms)); }
  ListBox& many() { return *static_cast<ListBox*>(page.GetDlgItem(kMany)); }
  ComboBox& days() { return *static_cast<ComboBox*>(page.GetDlgItem(kDays)); }
  ComboBox& names() { return *static_cast<ComboBox*>(page.GetDlgItem(kNames)); }
  ListView& grid() { return *static_cast<ListView*>(page.GetDlgItem(kGrid)); }
  // Every key and letter a user might press on a focused control.
  void PressEverything(Window& control) {
    control.SetFocus();
    ui.Pump();
    page.heard.clear();
    for (int key : {kVkDown, kVkUp, kVkHome, kVkEnd, kVkNext, kVkPrior, kVkLeft, kVkRight})
      for (unsigned mods : {0u, unsigned(kModShift), unsigned(kModControl)}) control.SendMessage(kMsgKeyDown, WParam(key), mods);
    for (char ch : std::string("aZ9 "))
      control.SendMessage(kMsgChar, static_cast<unsigned char>(ch), 0);
    Point inside = control.GetClientRect().Center();
    control.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, make_point_param(inside));
    control.SendMessage(kMsgMouseWheel, WParam(120) << 16, make_point_param(inside));
    ui.Pump();
  }
  TestDriver ui;
  EmptyPage page;
};

TEST_F(EmptyControls, KeysAndLettersChooseNothing) {
  for (ListBox* list : {&rooms(), &many()}) {
    PressEverything(*list);
    EXPECT_EQ(page.heard, std::vector<std::string>{}) << list->GetDlgCtrlID();
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetCaretIndex(), -1);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetTopIndex(), 0);
  }
  PressEverything(days());
  EXPECT_EQ(page.heard, std::vector<std::string>{});
  EXPECT_EQ(days().GetCurSel(), -1);
  EXPECT_EQ(days().GetWindowText(), "");
  PressEverything(grid());
  // The report list tells the page of each key pressed; nothing is chosen.
  for (const std::string& h : page.heard) EXPECT_EQ(h, "grid " + std::to_string(kLvnKeyDown) + " row -1");
  EXPECT_EQ(grid().GetNextItem(-1, kLvniSelected), -1);
  EXPECT_EQ(grid().GetSelectedCount(), 0);
  EXPECT_EQ(grid().GetTopIndex(), 0);
  EXPECT_EQ(grid().GetScrollX(), 0);
}

TEST_F(EmptyControls, ClicksChooseNothing) {
  page.heard.clear();
  ui.Click(rooms());
  ui.DoubleClick(rooms());
  EXPECT_EQ(rooms().GetCurSel(), -1);
  EXPECT_EQ(page.heard, std::vector<std::string>{}) << "a press on no row is no choice and opens nothing";

  // The drop-down list opens empty and closes again choosing nothing, by
  // Enter, Esc or another click.
  for (int key : {kVkReturn, kVkEscape, 0}) {
    page.heard.clear();
    ui.Click(days());
    EXPECT_TRUE(days().GetDroppedState()) << key;
    if (key) ui.Key(key);
    else ui.Click(days());
    EXPECT_FALSE(days().GetDroppedState()) << key;
    EXPECT_EQ(days().GetCurSel(), -1);
    std::string d = std::to_string(kDays) + ":";
    std::vector<std::string> told;
    for (const std::string& h : page.heard)
      if (h == d + std::to_string(kCbnDropDown) || h == d + std::to_string(kCbnCloseUp) ||
          h == d + std::to_string(kCbnSelChange))
        told.push_back(h.substr(d.size()));
    EXPECT_EQ(told, (std::vector<std::string>{std::to_string(kCbnDropDown), std::to_string(kCbnCloseUp)})) << key;
  }

  page.heard.clear();
  ui.ClickAt(grid(), {30, 40});
  ui.ClickAt(grid(), {30, 40}, kModControl);
  ui.DoubleClick(grid());
  EXPECT_EQ(grid().GetSelectedCount(), 0);
  int told = 0;
  for (const std::string& h : page.heard)
    if (h.starts_with("grid ")) {
      ++told;
      EXPECT_NE(h.find("row -1"), std::string::npos) << h;
    }
  EXPECT_GE(told, 3) << "each press told, on no row";
}

TEST_F(EmptyControls, ATypedComboKeepsItsTextWithNoRows) {
  ui.Type(names(), "Aula 3");
  EXPECT_EQ(names().GetWindowText(), "Aula 3");
  EXPECT_EQ(names().GetCurSel(), -1);
  ui.Key(kVkDown);
  ui.Key(kVkNext);
  EXPECT_EQ(names().GetWindowText(), "Aula 3") << "no row to move to";
  EXPECT_EQ(names().GetCurSel(), -1);
}

TEST_F(EmptyControls, FilledAfterwardsTheyWorkAsUsual) {
  PressEverything(rooms());
  PressEverything(grid());
  for (const char* r : {"Aula 1", "Aula 2", "Lab"}) {
    rooms().AddString(r);
    days().AddString(r);
  }
  for (int r = 0; r < 3; ++r) grid().InsertItem(r, "riga " + std::to_string(r));
  rooms().SetFocus();
  page.heard.clear();
  ui.Key(kVkDown);
  EXPECT_EQ(rooms().GetCurSel(), 0) << "the first Down from no choice takes the first row";
  ui.Key(kVkEnd);
  EXPECT_EQ(rooms().GetCurSel(), 2);
  EXPECT_EQ(page.heard, (std::vector<std::string>{std::to_string(kRooms) + ":1", std::to_string(kRooms) + ":1"}));
  grid().SetFocus();
  ui.Key(kVkDown);
  EXPECT_EQ(grid().GetNextItem(-1, kLvniSelected), 0);
  ui.Type(grid(), "r");
  EXPECT_EQ(grid().GetNextItem(-1, kLvniSelected), 1) << "typing goes on to the next row named so";
  days().SetFocus();
  ui.Key(kVkDown);
  EXPECT_EQ(days().GetCurSel(), 0);
  EXPECT_EQ(days().GetWindowText(), "Aula 1");
}

}  // namespace
}  // namespace kt::ui
