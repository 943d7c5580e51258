// Choosing rows with the mouse: in a list of several choices, a press
// chooses one row, Shift a run from the last pressed row (and only that
// run), Control adds or takes away one row and moves the start of the next
// run; a list of toggles flips the row pressed; in an open combo list every
// row can be chosen by a click, the first and the last too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9361, kExtended = 4801, kToggles = 4802, kDays = 4803;
const ControlTemplate kControls[] = {
    {"ListBox", kExtended, "", kLbsNotify | kLbsExtendedSel | kWsTabStop, 5, 5, 60, 90},
    {"ListBox", kToggles, "", kLbsNotify | kLbsMultipleSel | kWsTabStop, 70, 5, 60, 90},
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 135, 5, 60, 80},
    {"ComboBox", 4804, "", kCbsDropDown | kWsTabStop, 135, 25, 60, 80},
    {"ListBox", 4805, "", kLbsNotify | kWsTabStop, 135, 45, 60, 50},
    {"Button", 4811, "Mattina", kBsAutoRadioButton | kWsGroup, 5, 95, 40, 10},
    {"Button", 4812, "Pomeriggio", kBsAutoRadioButton, 45, 95, 40, 10},
    {"Button", 4813, "Sera", kBsAutoRadioButton, 85, 95, 40, 10},
    {"Button", 4814, "Sabato", kBsAutoCheckBox, 125, 95, 40, 10},
    {"Button", 4810, "Festivi", kBsAutoCheckBox, 165, 95, 30, 10},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Scelte", kWsPopup | kWsCaption, 0, 0, 200, 110, kControls}};

class Choices : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    for (int id : {kExtended, kToggles})
      for (int i = 0; i < 9; ++i) list(id).AddString("riga " + std::to_string(i));
    for (const char* d : {"LU", "MA", "ME", "GI", "VE"}) days().AddString(d);
  }
  ListBox& list(int id) { return *static_cast<ListBox*>(page.GetDlgItem(id)); }
  ComboBox& days() { return *static_cast<ComboBox*>(page.GetDlgItem(kDays)); }
  // The rows chosen, as "0110...".
  std::string Chosen(int id) {
    std::string s;
    for (int i = 0; i < list(id).GetCount(); ++i) s += list(id).GetSel(i) ? '1' : '0';
    return s;
  }
  void Press(int id, int row, unsigned mods = 0) {
    ListBox& l = list(id);
    Point at{10, row * l.GetItemHeight() + l.GetItemHeight() / 2 + 1};
    ASSERT_EQ(l.ItemFromPoint(at), row);
    ui.ClickAt(l, at, mods);
  }
  TestDriver ui;
  Dialog page{kTemplate};
};

TEST_F(Choices, ShiftChoosesOnlyTheRunControlOneRow) {
  struct Step {
    int row;
    unsigned mods;
    const char* chosen;
  } steps[] = {
      {3, 0, "000100000"},
      {5, kModShift, "000111000"},
      {1, kModShift, "011100000"},           // from the same start, the other way
      {7, kModControl, "011100010"},
      {8, kModShift, "000000011"},           // the run starts at the row Control pressed
      {8, kModControl, "000000010"},
      {0, 0, "100000000"},
      {0, kModShift, "100000000"},
  };
  for (const Step& s : steps) {
    Press(kExtended, s.row, s.mods);
    EXPECT_EQ(Chosen(kExtended), s.chosen) << s.row << " " << s.mods;
    EXPECT_EQ(list(kExtended).GetCaretIndex(), s.row);
  }
}

TEST_F(Choices, AListOfTogglesFlipsThePressedRow) {
  Press(kToggles, 2);
  Press(kToggles, 6);
  Press(kToggles, 0, kModShift);
  EXPECT_EQ(Chosen(kToggles), "101000100");
  Press(kToggles, 2);
  EXPECT_EQ(Chosen(kToggles), "100000100");
}

TEST_F(Choices, EveryRowOfAnOpenComboListCanBeClicked) {
  for (int row : {0, 4, 2}) {
    days().ShowDropDown(true);
    Window* open = days().DropDownWindow();
    ASSERT_NE(open, nullptr);
    DisplayList drawn = ui.Render(*open);
    const DrawItemOp* text = drawn.CellText(0, row, 0);
    ASSERT_NE(text, nullptr) << row;
    ui.ClickAt(*open, text->rect.Center());
    EXPECT_EQ(days().GetCurSel(), row);
    EXPECT_FALSE(days().GetDroppedState()) << row;
  }
  EXPECT_EQ(days().GetWindowText(), "ME");
}

// Typing in a combo's field leaves no row chosen, though the text starts as
// a row's; a list box whose chosen row is deleted has no choice, and the
// rows after it move up with their choice.
TEST_F(Choices, TypingOrDeletingLeavesNoChoice) {
  auto& names = *static_cast<ComboBox*>(page.GetDlgItem(4804));
  for (const char* n : {"Rossi", "Bianchi"}) names.AddString(n);
  ASSERT_TRUE(ui.Select(page, 4804, 1));
  EXPECT_EQ(names.GetCurSel(), 1);
  ui.Type(names, "ni");
  EXPECT_EQ(names.GetWindowText(), "Bianchini");
  EXPECT_EQ(names.GetCurSel(), -1);
  ui.Key(kVkDown);
  EXPECT_EQ(names.GetCurSel(), 0) << "Down from no choice takes the first row";
  EXPECT_EQ(names.GetWindowText(), "Rossi");

  auto& rooms = *static_cast<ListBox*>(page.GetDlgItem(4805));
  for (const char* r : {"A1", "A2", "A3", "A4"}) rooms.AddString(r);
  ASSERT_TRUE(ui.Select(page, 4805, 2));
  EXPECT_EQ(rooms.DeleteString(2), 3);
  EXPECT_EQ(rooms.GetCurSel(), -1);
  ASSERT_TRUE(ui.Select(page, 4805, 2));
  EXPECT_EQ(rooms.GetText(2), "A4");
  EXPECT_EQ(rooms.DeleteString(0), 2);
  EXPECT_EQ(rooms.GetCurSel(), 1) << "the choice moves up with its row";
  EXPECT_EQ(rooms.GetText(rooms.GetCurSel()), "A4");
  EXPECT_EQ(rooms.DeleteString(7), -1);
  EXPECT_EQ(rooms.GetCount(), 2);
}

// A row chosen by the page in a list of one choice is the choice, the
// caret and drawn lit; no row, or one not there, leaves no choice; a list of
// several choices takes none this way.
TEST_F(Choices, ARowChosenByThePageIsTheChoice) {
  auto& rooms = *static_cast<ListBox*>(page.GetDlgItem(4805));
  for (const char* r : {"A1", "A2", "A3"}) rooms.AddString(r);
  EXPECT_EQ(rooms.SetCurSel(2), 2);
  EXPECT_EQ(rooms.GetCurSel(), 2);
  EXPECT_EQ(rooms.GetCaretIndex(), 2);
  DisplayList drawn = ui.Render(page);
  int lit = -1;
  for (const DrawItemOp* op : drawn.ForControl(4805))
    if (op->op == DrawOp::kFill && op->color == kHighlightColor) lit = op->item;
  EXPECT_EQ(lit, 2);
  EXPECT_EQ(rooms.SetCurSel(-1), kLbErr);
  EXPECT_EQ(rooms.GetCurSel(), -1);
  rooms.SetCurSel(0);
  EXPECT_EQ(rooms.SetCurSel(3), kLbErr);
  EXPECT_EQ(rooms.GetCurSel(), -1);
  EXPECT_EQ(list(kExtended).SetCurSel(1), kLbErr);
  EXPECT_EQ(Chosen(kExtended), "000000000");
}

// Checking one radio button of a range unchecks the others of the range
// and leaves the controls outside it as they were.
TEST_F(Choices, ARadioRangeLeavesTheControlsOutsideIt) {
  page.CheckDlgButton(4810, 1);
  page.CheckDlgButton(4814, 1);
  page.CheckRadioButton(4811, 4813, 4812);
  EXPECT_EQ(page.IsDlgButtonChecked(4811), 0);
  EXPECT_EQ(page.IsDlgButtonChecked(4812), 1);
  EXPECT_EQ(page.IsDlgButtonChecked(4813), 0);
  EXPECT_EQ(page.IsDlgButtonChecked(4810), 1) << "below the range";
  EXPECT_EQ(page.IsDlgButtonChecked(4814), 1) << "above the range";
  page.CheckRadioButton(4811, 4813, 4813);
  EXPECT_EQ(page.IsDlgButtonChecked(4812), 0);
  EXPECT_EQ(page.IsDlgButtonChecked(4813), 1);
  EXPECT_EQ(page.IsDlgButtonChecked(4810) + page.IsDlgButtonChecked(4814), 2);
}

// A page closed while its combo's list was open comes back with the list
// closed: the first click opens it. The page keeps its combo object (bound
// by the page, as the program's pages keep theirs) across its showings.
class DaysPage : public Dialog {
 public:
  DaysPage() : Dialog(kTemplate) {}
  ComboBox days;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kDays, days); }
};

TEST_F(Choices, APageClosedWithItsListOpenComesBackClosed) {
  page.DestroyWindow();
  DaysPage again;
  for (int showing = 0; showing < 2; ++showing) {
    ASSERT_TRUE(again.Create(nullptr));
    again.ShowWindow(kSwShow);
    EXPECT_FALSE(again.days.GetDroppedState()) << showing;
    EXPECT_EQ(again.days.GetCount(), 0) << "the rows of before are gone";
    for (const char* d : {"LU", "MA"}) again.days.AddString(d);
    EXPECT_EQ(again.days.GetCurSel(), -1);
    ui.Click(again.days);
    EXPECT_TRUE(again.days.GetDroppedState()) << showing;
    EXPECT_NE(again.days.DropDownWindow(), nullptr) << showing;
    // Closed with the list open, by the program (no focus moves first).
    again.GetDlgItem(kExtended)->SetFocus();
    again.days.ShowDropDown(true);
    ASSERT_TRUE(again.days.GetDroppedState());
    again.DestroyWindow();
    EXPECT_EQ(ComboBox::Dropped(), nullptr);
  }
}

}  // namespace
}  // namespace kt::ui
