// A list box and a combo emptied and filled again, as pages do on each
// showing; the keys, the wheel and the double click of a single-choice list
// box and of a combo; sorted lists, a combo with its list always shown, a
// combo's typed text limit, a list of several choices; a field's cut and
// caret keys; and the dialog's item helpers the pages use to read and set
// their controls.
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

// Sorted lists and combos put each new row in its alphabetical place,
// whatever the case of its letters (a row equal to one there goes after
// it), and a choice made stays on its row.
TEST_F(ListsAndFields, SortedListsKeepTheirRowsInOrder) {
  ListBox sorted_list;
  ComboBox sorted_combo;
  ASSERT_TRUE(sorted_list.CreateChild("ListBox", "", kLbsSort | kWsTabStop, Rect{5, 100, 120, 200}, &page, 4110));
  ASSERT_TRUE(sorted_combo.CreateChild("ComboBox", "", kCbsSort | kCbsDropDownList, Rect{130, 100, 250, 200}, &page,
                                       4111));
  const struct {
    const char* text;
    int at;
  } adds[] = {{"Rossi", 0}, {"bianchi", 0}, {"Verdi", 2}, {"\xC8sposito", 3}, {"Conti", 1}, {"rossi", 3}};
  std::string list_rows, combo_rows;
  for (const auto& a : adds) {
    EXPECT_EQ(sorted_list.AddString(a.text), a.at) << a.text;
    EXPECT_EQ(sorted_combo.AddString(a.text), a.at) << a.text;
  }
  for (int i = 0; i < sorted_list.GetCount(); ++i) list_rows += sorted_list.GetText(i) + "|";
  for (int i = 0; i < sorted_combo.GetCount(); ++i) combo_rows += sorted_combo.GetLBText(i) + "|";
  EXPECT_EQ(list_rows, "bianchi|Conti|Rossi|rossi|Verdi|\xC8sposito|");
  EXPECT_EQ(combo_rows, list_rows);
  EXPECT_EQ(sorted_combo.SetCurSel(2), 2);
  sorted_combo.AddString("Amato");
  EXPECT_EQ(sorted_combo.GetCurSel(), 3);
  EXPECT_EQ(sorted_combo.GetWindowText(), "Rossi");
  EXPECT_EQ(sorted_list.GetText(99), "");
}

// A combo with its list always shown draws its rows under the field, the
// chosen one highlighted, and a click on a row chooses it; a combo with a
// field takes typed text up to its limit and beeps at the rest.
TEST_F(ListsAndFields, SimpleCombosListAndTypedTextToTheLimit) {
  ComboBox simple;
  ASSERT_TRUE(simple.CreateChild("ComboBox", "", kCbsSimple | kWsTabStop, Rect{5, 100, 125, 220}, &page, 4112));
  simple.ShowWindow(kSwShow);
  for (const char* room : {"aula 1", "aula 2", "palestra"}) simple.AddString(room);
  simple.SetCurSel(1);
  DisplayList look = ui.Render(page);
  EXPECT_EQ(look.TextsOf(4112), "aula 2|aula 1|aula 2|palestra");
  const DrawItemOp* chosen = look.CellFill(4112, 1, 0);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->color, kHighlightColor);
  EXPECT_EQ(look.CellFill(4112, 0, 0), nullptr);
  Rect row = chosen->rect;
  Rect box = simple.GetRectInParent();
  Point third{row.left + 5 - box.left, row.top - box.top + row.Height() + row.Height() / 2};  // the row after the chosen one
  ASSERT_TRUE(ui.ClickAt(simple, third));
  EXPECT_EQ(simple.GetCurSel(), 2);
  EXPECT_EQ(simple.GetWindowText(), "palestra");

  ComboBox typed;
  ASSERT_TRUE(typed.CreateChild("ComboBox", "", kCbsDropDown | kWsTabStop, Rect{130, 100, 250, 200}, &page, 4113));
  typed.ShowWindow(kSwShow);
  typed.AddString("aula magna");
  typed.LimitText(6);
  typed.SetFocus();
  ui.ClearBeeps();
  ASSERT_TRUE(ui.Type(typed, "aula"));
  EXPECT_EQ(ui.beeps(), 0);
  ASSERT_TRUE(ui.Type(typed, " magna"));
  EXPECT_EQ(typed.GetWindowText(), "aula m");
  EXPECT_GE(ui.beeps(), 1);
  EXPECT_EQ(typed.GetCurSel(), -1);
}

// A list of several choices moves only its caret with the keys and with
// typing; a click toggles the row clicked.
TEST_F(ListsAndFields, AManyChoiceListMovesItsCaretWithoutChoosing) {
  ListBox many;
  ASSERT_TRUE(many.CreateChild("ListBox", "", kLbsMultipleSel | kLbsNotify | kWsTabStop, Rect{5, 100, 120, 200}, &page,
                               4114));
  many.ShowWindow(kSwShow);
  for (const char* t : {"Lun", "Mar", "Mer", "Gio", "Ven"}) many.AddString(t);
  many.SetFocus();
  ui.Key(kVkDown);
  ui.Key(kVkDown);
  EXPECT_EQ(many.GetCaretIndex(), 1);
  ui.Key(kVkEnd);
  EXPECT_EQ(many.GetCaretIndex(), 4);
  ASSERT_TRUE(ui.Type(many, "m"));
  EXPECT_EQ(many.GetCaretIndex(), 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(many.GetSel(i), 0) << i;
  int h = many.GetItemHeight();
  Point row2{4, 2 + h * 2 + h / 2};
  ASSERT_TRUE(ui.ClickAt(many, row2));
  EXPECT_EQ(many.GetSel(2), 1);
  ASSERT_TRUE(ui.ClickAt(many, row2));
  EXPECT_EQ(many.GetSel(2), 0);
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
