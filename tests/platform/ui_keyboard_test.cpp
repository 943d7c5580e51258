// Keyboard rules beyond Tab order: which control keeps Enter, Esc and the
// arrows for itself (multi-line edits, open combo boxes, lists, pop-up
// menus), Enter on a focused push button, the default button moved by code,
// Esc without a cancel button, and typing into an editable combo box.
// Keys are pressed through the driver as a user would, one message at a time.
#include <gtest/gtest.h>

#include "platform/ui.h"
#include "platform/test_driver.h"
#include "platform/ui_input.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9301;
constexpr int kNotes = 5001, kDays = 5002, kCity = 5003, kList = 5004, kApply = 5005, kDelete = 5006;
const ControlTemplate kControls[] = {
    {"Edit", kNotes, "", kEsMultiLine | kEsWantReturn | kWsTabStop, 5, 5, 100, 30},
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 5, 40, 80, 60},
    {"ComboBox", kCity, "", kCbsDropDown | kWsTabStop, 5, 58, 80, 40},
    {"ListBox", kList, "", kLbsNotify | kWsTabStop, 110, 5, 60, 50},
    {"Button", kApply, "Applica", kBsPushButton | kWsTabStop, 110, 60, 50, 14},
    {"Button", kDelete, "Elimina", kBsPushButton | kWsTabStop, 110, 78, 50, 14},
    {"Button", kIdOk, "OK", kBsDefPushButton | kWsTabStop, 5, 78, 50, 14},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Tasti", kWsPopup | kWsCaption, 0, 0, 180, 100, kControls}};

class Keys : public Dialog {
 public:
  Keys() : Dialog(kTemplate) {}
  std::vector<std::string> log;

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    auto* days = static_cast<ComboBox*>(GetDlgItem(kDays));
    auto* city = static_cast<ComboBox*>(GetDlgItem(kCity));
    auto* list = static_cast<ListBox*>(GetDlgItem(kList));
    for (const char* d : {"Lun", "Mar", "Mer"}) days->AddString(d);
    city->AddString("Roma");
    for (const char* t : {"a", "b", "c", "d"}) list->AddString(t);
    return true;
  }
  void OnOK() override { log.push_back("ok"); }
  void OnCancel() override { log.push_back("cancel"); }
  void OnApply() { log.push_back("apply"); }
  void OnDelete() { log.push_back("delete"); }
  void OnCityEdit() { log.push_back("edit " + GetDlgItemText(kCity)); }
  void OnListChange() { log.push_back("list " + std::to_string(static_cast<ListBox*>(GetDlgItem(kList))->GetCurSel())); }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(Keys, Dialog)
  KT_ON_COMMAND(kApply, OnApply)
  KT_ON_COMMAND(kDelete, OnDelete)
  KT_ON_CONTROL(kCbnEditChange, kCity, OnCityEdit)
  KT_ON_CONTROL(kLbnSelChange, kList, OnListChange)
KT_END_MESSAGE_MAP()

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(keys.Create(nullptr));
    keys.ShowWindow(kSwShow);
  }
  void Focus(int id) { keys.GetDlgItem(id)->SetFocus(); }
  TestDriver ui;
  Keys keys;
};

// The dark default frame marks the push button Return would press, and
// only that one; the focused push button also has a focus rectangle.
TEST_F(KeyboardTest, EnterGoesWhereItBelongsAndTheFrameShowsIt) {
  struct Case { const char* id; int focus; const char* expect; int marked; } cases[] = {
      {"multi-line edit keeps it", kNotes, "", kIdOk},
      {"focused push button", kApply, "apply", kApply},
      {"other push button", kDelete, "delete", kDelete},
      {"list: default button", kList, "ok", kIdOk},
      {"closed combo: default button", kDays, "ok", kIdOk},
  };
  for (const Case& c : cases) {
    keys.log.clear();
    Focus(c.focus);
    DisplayList list = ui.Render(keys);
    for (int button : {kApply, kDelete, kIdOk}) {
      bool framed = false, dotted = false;
      for (const DrawItemOp* op : list.ForControl(button)) {
        framed |= op->op == DrawOp::kFrame && op->color == kWindowTextColor;
        dotted |= op->op == DrawOp::kChecker;
      }
      EXPECT_EQ(framed, button == c.marked) << c.id << " " << button;
      EXPECT_EQ(dotted, button == c.focus) << c.id << " " << button;
    }
    ui.Key(kVkReturn);
    ui.Type(*keys.GetDlgItem(c.focus), c.focus == kNotes ? "\r" : "");
    std::string got = keys.log.empty() ? "" : keys.log.back();
    EXPECT_EQ(got, c.expect) << c.id;
  }
  EXPECT_EQ(ui.Text(keys, kNotes), "\r\n");
}

TEST_F(KeyboardTest, OpenComboKeepsEnterAndEsc) {
  auto* days = static_cast<ComboBox*>(keys.GetDlgItem(kDays));
  Focus(kDays);
  ui.Key(kVkDown, kModAlt);
  EXPECT_TRUE(days->GetDroppedState());
  ui.Key(kVkEscape);  // closes the list, not the dialog
  EXPECT_FALSE(days->GetDroppedState());
  EXPECT_TRUE(keys.log.empty());
  ui.Key(kVkDown, kModAlt);
  ui.Key(kVkReturn);
  EXPECT_EQ(days->GetCurSel(), 0);
  EXPECT_TRUE(keys.log.empty());
  ui.Key(kVkEscape);  // now the dialog's
  EXPECT_EQ(keys.log, std::vector<std::string>{"cancel"});
}

TEST_F(KeyboardTest, ArrowsMoveInsideListsAndTypingEditsTheCombo) {
  Focus(kList);
  ui.Key(kVkDown);
  ui.Key(kVkDown);
  ui.Key(kVkEnd);
  ui.Key(kVkUp);
  EXPECT_EQ(keys.log, (std::vector<std::string>{"list 0", "list 1", "list 3", "list 2"}));
  keys.log.clear();
  ui.Type(keys, kCity, "Pisa");
  EXPECT_EQ(keys.log.back(), "edit Pisa");
  EXPECT_EQ(static_cast<ComboBox*>(keys.GetDlgItem(kCity))->GetCurSel(), -1);
}

TEST_F(KeyboardTest, MenuKeysSkipSeparatorsAndGrayedItems) {
  PopupMenu menu;
  menu.AppendMenu(kMfString, 11, "Uno");
  menu.AppendMenu(kMfSeparator);
  menu.AppendMenu(kMfGrayed, 12, "Due");
  menu.AppendMenu(kMfString, 13, "Tre");
  // The keys are pressed from inside the menu's loop, as a user would.
  post_to_ui([&] {
    ui.Key(kVkDown);
    ui.Key(kVkDown);
    ui.Key(kVkReturn);
  });
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 10, 10, &keys), 13);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(KeyboardTest, ButtonReleasedOutsideItselfDoesNotClick) {
  Window* apply = keys.GetDlgItem(kApply);
  Rect r = apply->GetRectInParent();
  Point on{r.left + 3, r.top + 3}, off{r.left - 30, r.top + 3};
  ASSERT_TRUE(input_mouse(keys, kMsgLButtonDown, on));
  ui.Pump();
  ASSERT_TRUE(input_mouse(keys, kMsgLButtonUp, off));  // the button holds the mouse
  ui.Pump();
  EXPECT_TRUE(keys.log.empty());
  EXPECT_EQ(Window::GetCapture(), nullptr);
  ui.ClickAt(keys, on);
  EXPECT_EQ(keys.log, std::vector<std::string>{"apply"});
}

}  // namespace
}  // namespace kt::ui
