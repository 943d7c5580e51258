// A list box and a combo emptied and filled again, as pages do on each
// showing; the keys, the wheel and the double click of a single-choice list
// box and of a combo; a field's cut and caret keys; and the dialog's item
// helpers the pages use to read and set their controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9251;
constexpr int kClasses = 4101, kRooms = 4102, kHours = 4103, kNote = 4104, kMorning = 4105, kAfternoon = 4106,
              kEvening = 4107;
const ControlTemplate kControls[] = {
    {"ListBox", kClasses, "", kLbsNotify | kWsVScroll | kWsTabStop, 5, 5, 80, 60},
    {"ComboBox", kRooms, "", kCbsDropDownList | kWsTabStop, 90, 5, 80, 60},
    {"Edit", kHours, "", kEsAutoHScroll | kWsTabStop, 90, 25, 40, 12},
    {"Edit", kNote, "", kEsAutoHScroll | kWsTabStop, 90, 40, 80, 12},
    {"Button", kMorning, "Mattino", kBsAutoRadioButton | kWsTabStop, 5, 70, 50, 10},
    {"Button", kAfternoon, "Pomeriggio", kBsAutoRadioButton, 60, 70, 50, 10},
    {"Button", kEvening, "Sera", kBsAutoRadioButton, 115, 70, 50, 10},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Classi", kWsPopup | kWsCaption, 0, 0, 175, 85, kControls}};

class ClassesPage : public Dialog {
 public:
  ClassesPage() : Dialog(kTemplate) {}
  std::vector<std::string> log;
  ListBox& classes() { return *static_cast<ListBox*>(GetDlgItem(kClasses)); }
  ComboBox& rooms() { return *static_cast<ComboBox*>(GetDlgItem(kRooms)); }
  // The page's lists filled afresh, as each showing of a page does.
  void Fill(int count, const std::string& prefix) {
    classes().ResetContent();
    rooms().ResetContent();
    for (int i = 0; i < count; ++i) {
      classes().AddString(prefix + std::to_string(i));
      rooms().AddString("aula " + prefix + std::to_string(i));
    }
  }

 protected:
  void OnClassChosen() { log.push_back("class " + std::to_string(classes().GetCurSel())); }
  void OnClassOpened() { log.push_back("open " + std::to_string(classes().GetCurSel())); }
  void OnRoomChosen() { log.push_back("room " + std::to_string(rooms().GetCurSel())); }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(ClassesPage, Dialog)
  KT_ON_CONTROL(kLbnSelChange, kClasses, OnClassChosen)
  KT_ON_CONTROL(kLbnDblClk, kClasses, OnClassOpened)
  KT_ON_CONTROL(kCbnSelChange, kRooms, OnRoomChosen)
KT_END_MESSAGE_MAP()

class ListsAndFields : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    page.Fill(20, "1A");
  }
  TestDriver ui;
  ClassesPage page;
};

TEST_F(ListsAndFields, ListsEmptiedAndRefilledShowOnlyTheNewRows) {
  page.classes().SetCurSel(15);
  page.rooms().SetCurSel(15);
  ASSERT_GT(page.classes().GetTopIndex(), 0);
  page.Fill(3, "2B");
  EXPECT_EQ(page.classes().GetCount(), 3);
  EXPECT_EQ(page.classes().GetCurSel(), -1);
  EXPECT_EQ(page.classes().GetCaretIndex(), -1);
  EXPECT_EQ(page.classes().GetTopIndex(), 0);
  EXPECT_EQ(page.rooms().GetCount(), 3);
  EXPECT_EQ(page.rooms().GetCurSel(), -1);
  EXPECT_EQ(page.rooms().GetWindowText(), "");
  DisplayList look = ui.Render(page);
  EXPECT_EQ(look.TextsOf(kClasses), "2B0|2B1|2B2");
  EXPECT_EQ(look.TextsOf(kRooms), "");
  // A choice out of range clears the one made.
  EXPECT_EQ(page.rooms().SetCurSel(1), 1);
  EXPECT_EQ(page.rooms().GetWindowText(), "aula 2B1");
  EXPECT_EQ(page.rooms().SetCurSel(3), kCbErr);
  EXPECT_EQ(page.rooms().GetWindowText(), "");
  EXPECT_EQ(page.classes().SetCurSel(3), kLbErr);
  EXPECT_EQ(page.classes().GetCurSel(), -1);
}

// A single-choice list: Home, End and the page keys move the choice and
// keep it in view, each move telling the page; the wheel scrolls three rows
// a notch within the list; a double click on a row tells the page.
TEST_F(ListsAndFields, ListBoxKeysWheelAndDoubleClick) {
  ListBox& list = page.classes();
  int shown = list.VisibleRows();
  ASSERT_LT(shown, 20);
  ui.Select(page, kClasses, 0);
  page.log.clear();
  const struct {
    int key;
    int row;
  } steps[] = {{kVkNext, shown - 1}, {kVkNext, 2 * shown - 2}, {kVkPrior, shown - 1}, {kVkEnd, 19}, {kVkHome, 0}};
  for (const auto& s : steps) {
    ui.Key(s.key);
    EXPECT_EQ(list.GetCurSel(), s.row) << s.key;
    EXPECT_LE(list.GetTopIndex(), s.row) << s.key;
    EXPECT_GT(list.GetTopIndex() + shown, s.row) << s.key;
  }
  EXPECT_EQ(page.log.size(), 5u);
  EXPECT_EQ(page.log.back(), "class 0");
  list.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  EXPECT_EQ(list.GetTopIndex(), 3);
  for (int i = 0; i < 10; ++i) list.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  EXPECT_EQ(list.GetTopIndex(), 20 - shown);
  list.SendMessage(kMsgMouseWheel, WParam(120) << 16, 0);
  EXPECT_EQ(list.GetTopIndex(), 20 - shown - 3);
  page.log.clear();
  int row = list.GetTopIndex() + 1;
  Point at{4, 2 + list.GetItemHeight() * 1 + list.GetItemHeight() / 2};
  ASSERT_EQ(list.ItemFromPoint(at), row);
  list.SendMessage(kMsgLButtonDown, 0, make_point_param(at));
  list.SendMessage(kMsgLButtonUp, 0, make_point_param(at));
  list.SendMessage(kMsgLButtonDblClk, 0, make_point_param(at));
  EXPECT_EQ(page.log, (std::vector<std::string>{"class " + std::to_string(row), "open " + std::to_string(row)}));
}

// In a list filled afresh, with no row chosen yet, each key starts from the
// first row: down and up choose it, the page key the last of the first page.
TEST_F(ListsAndFields, ListBoxKeysFromNoChoice) {
  ListBox& list = page.classes();
  int shown = list.VisibleRows();
  const struct {
    int key;
    int row;
  } steps[] = {{kVkDown, 0}, {kVkUp, 0}, {kVkNext, shown - 1}, {kVkPrior, 0}, {kVkEnd, 19}, {kVkHome, 0}};
  for (const auto& s : steps) {
    list.ResetContent();
    for (int i = 0; i < 20; ++i) list.AddString("3C" + std::to_string(i));
    list.SetFocus();
    ui.Key(s.key);
    EXPECT_EQ(list.GetCurSel(), s.row) << s.key;
  }
}

// A combo's keys move its choice by one, a list's page less one, or to the
// ends, telling the page only when the choice changed.
TEST_F(ListsAndFields, ComboKeysMoveTheChoice) {
  ComboBox& combo = page.rooms();
  combo.SetFocus();
  combo.SetCurSel(5);
  const struct {
    int key;
    int row;
  } steps[] = {{kVkUp, 4}, {kVkHome, 0}, {kVkUp, 0}, {kVkEnd, 19}, {kVkDown, 19}};
  for (const auto& s : steps) {
    ui.Key(s.key);
    EXPECT_EQ(combo.GetCurSel(), s.row) << s.key;
  }
  EXPECT_EQ(page.log, (std::vector<std::string>{"room 4", "room 0", "room 19"}));
  EXPECT_EQ(combo.GetWindowText(), "aula 1A19");
  ui.Key(kVkPrior);
  int page_rows = 19 - combo.GetCurSel();
  EXPECT_GT(page_rows, 1);
  ui.Key(kVkPrior);
  EXPECT_EQ(combo.GetCurSel(), 19 - 2 * page_rows);
  ui.Key(kVkNext);
  EXPECT_EQ(combo.GetCurSel(), 19 - page_rows);
}

// The open list of a combo: the row under the mouse lights up, the wheel
// scrolls it, and a click on its bar does not choose.
TEST_F(ListsAndFields, OpenComboListFollowsTheMouse) {
  ComboBox& combo = page.rooms();
  combo.ShowDropDown(true);
  Window* open = combo.DropDownWindow();
  ASSERT_NE(open, nullptr);
  DisplayList drawn = ui.Render(*open);
  const DrawItemOp* second = drawn.CellText(0, 1, 0);
  ASSERT_NE(second, nullptr);
  open->SendMessage(kMsgMouseMove, 0, make_point_param(second->rect.Center()));
  drawn = ui.Render(*open);
  EXPECT_EQ(drawn.CellFill(0, 1, 0)->color, kHighlightColor);
  EXPECT_EQ(drawn.CellText(0, 1, 0)->color, kHighlightTextColor);
  EXPECT_EQ(drawn.CellText(0, 2, 0)->color, kWindowTextColor);
  open->SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  drawn = ui.Render(*open);
  EXPECT_EQ(drawn.CellText(0, 3, 0)->text, "aula 1A3");
  EXPECT_EQ(drawn.CellText(0, 0, 0), nullptr);  // scrolled off the top
  EXPECT_TRUE(combo.GetDroppedState());
  EXPECT_EQ(page.log, std::vector<std::string>{});
  combo.ShowDropDown(false);
}

// Ctrl+X takes the selected text to the clipboard and out of the field; the
// arrows move the caret one character, Shift extends the selection.
TEST_F(ListsAndFields, FieldCutAndCaretKeys) {
  Edit& note = *static_cast<Edit*>(page.GetDlgItem(kNote));
  note.SetWindowText("Lab chimica");
  note.SetFocus();
  note.SetSel(0, 4);
  ui.Key('X', kModControl);
  EXPECT_EQ(note.GetWindowText(), "chimica");
  EXPECT_EQ(ui.headless().GetClipboardText(), "Lab ");
  ui.Key(kVkEnd);
  ui.Key(kVkLeft);
  ui.Key(kVkLeft, kModShift);
  int start = -1, end = -1;
  note.GetSel(start, end);
  EXPECT_EQ(start, 6);
  EXPECT_EQ(end, 5);
  ui.Key(kVkRight);
  note.GetSel(start, end);
  EXPECT_EQ(std::vector<int>({start, end}), (std::vector<int>{6, 6}));
  // A click puts the caret at the nearest character boundary.
  int x = ui.headless().metrics().TextWidth(note.GetFont(), "chi") + 2;
  note.SendMessage(kMsgLButtonDown, 0, make_point_param({x, 5}));
  note.SendMessage(kMsgLButtonUp, 0, make_point_param({x, 5}));
  note.GetSel(start, end);
  EXPECT_EQ(std::vector<int>({start, end}), (std::vector<int>{3, 3}));
  note.SetReadOnly(true);
  note.SetSel(0, 2);
  ui.Key('X', kModControl);  // a read-only field only copies
  EXPECT_EQ(note.GetWindowText(), "chimica");
  EXPECT_EQ(ui.headless().GetClipboardText(), "ch");
}

// The item helpers: numbers read back only when the whole text is one,
// texts cut to the buffer, a radio group checked at one button, controls
// enabled and hidden by id.
TEST_F(ListsAndFields, DialogItemHelpersReadAndSetControls) {
  page.SetDlgItemInt(kHours, 27);
  bool ok = false;
  EXPECT_EQ(page.GetDlgItemInt(kHours, &ok), 27);
  EXPECT_TRUE(ok);
  for (const char* bad : {"", "27a", "x"}) {
    page.SetDlgItemText(kHours, bad);
    ok = true;
    EXPECT_EQ(page.GetDlgItemInt(kHours, &ok), 0) << bad;
    EXPECT_FALSE(ok) << bad;
  }
  page.SetDlgItemText(kNote, "Laboratorio");
  char buffer[5] = "????";
  EXPECT_EQ(page.GetDlgItemText(kNote, buffer, sizeof buffer), 4);
  EXPECT_EQ(std::string(buffer), "Labo");
  EXPECT_EQ(page.GetDlgItemText(9999, buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer), "");
  page.CheckRadioButton(kMorning, kEvening, kAfternoon);
  EXPECT_EQ(std::vector<bool>({ui.IsChecked(page, kMorning), ui.IsChecked(page, kAfternoon), ui.IsChecked(page, kEvening)}),
            (std::vector<bool>{false, true, false}));
  page.CheckRadioButton(kMorning, kEvening, kEvening);
  EXPECT_EQ(std::vector<bool>({ui.IsChecked(page, kMorning), ui.IsChecked(page, kAfternoon), ui.IsChecked(page, kEvening)}),
            (std::vector<bool>{false, false, true}));
  page.EnableDlgItem(kNote, false);
  EXPECT_FALSE(ui.IsEnabled(page, kNote));
  page.EnableDlgItem(kNote, true);
  EXPECT_TRUE(ui.IsEnabled(page, kNote));
  page.ShowDlgItem(kHours, kSwHide);
  EXPECT_FALSE(ui.IsVisible(page, kHours));
  EXPECT_FALSE(page.EnableDlgItem(9999, false));
  EXPECT_FALSE(page.ShowDlgItem(9999, kSwHide));
  ui.Problems();
}

}  // namespace
}  // namespace kt::ui
