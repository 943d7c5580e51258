// Paths of the controls that a planted fault once passed unseen: deleting
// rows of a list box keeps the caret on a row that exists; a closed,
// focused drop-down list shows its choice highlighted, and neither an
// unfocused nor an open one does; only a window with a whole caption style
// loses a caption's height from its client area.
#include <gtest/gtest.h>

#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9231;
constexpr int kDays = 4101, kTeachers = 4102, kOther = 4103;
const ControlTemplate kControls[] = {
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 5, 5, 80, 60},
    {"ListBox", kTeachers, "", kLbsNotify | kWsTabStop, 5, 25, 80, 50},
    {"Edit", kOther, "", kWsTabStop, 100, 5, 40, 12},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Controlli", kWsPopup | kWsCaption, 0, 0, 170, 100, kControls}};

class ControlFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    days = static_cast<ComboBox*>(page.GetDlgItem(kDays));
    teachers = static_cast<ListBox*>(page.GetDlgItem(kTeachers));
    for (const char* d : {"LU", "MA", "ME"}) days->AddString(d);
    for (const char* t : {"Rossi", "Bianchi", "Verdi", "Neri"}) teachers->AddString(t);
  }
  // The choice's field highlighted (the open list's own rows lie below it).
  bool highlighted() {
    DisplayList list = ui.Render(page);  // the ops point into it: kept while read
    std::vector<const DrawItemOp*> ops = list.ForControl(kDays);
    if (ops.empty()) return false;
    int field_top = ops.front()->rect.top;  // the field's frame is drawn first
    for (const DrawItemOp* op : ops)
      if (op->op == DrawOp::kFill && op->color == kHighlightColor && op->rect.top - field_top < 5) return true;
    return false;
  }
  TestDriver ui;
  Dialog page{kTemplate};
  ComboBox* days = nullptr;
  ListBox* teachers = nullptr;
};

TEST_F(ControlFaults, DeletingRowsKeepsTheCaretOnARow) {
  ui.Select(page, kTeachers, 3);
  ASSERT_EQ(teachers->GetCaretIndex(), 3);
  EXPECT_EQ(teachers->DeleteString(3), 3);  // the last row, under the caret
  EXPECT_EQ(teachers->GetCaretIndex(), 2);
  EXPECT_EQ(teachers->DeleteString(0), 2);  // a row above the caret
  EXPECT_LT(teachers->GetCaretIndex(), teachers->GetCount());
  EXPECT_GE(teachers->GetCaretIndex(), 0);
}

TEST_F(ControlFaults, ClosedFocusedDropDownListIsHighlighted) {
  days->SetCurSel(1);
  page.GetDlgItem(kOther)->SetFocus();
  EXPECT_FALSE(highlighted()) << "not focused";
  days->SetFocus();
  EXPECT_TRUE(highlighted()) << "focused and closed";
  days->ShowDropDown(true);
  ui.Pump();
  EXPECT_FALSE(highlighted()) << "open";
  days->ShowDropDown(false);
  ui.Pump();
  EXPECT_TRUE(highlighted()) << "closed again";
}

TEST(WindowFaults, OnlyACaptionedWindowLosesTheCaptionHeight) {
  constexpr int kBordered = 9232, kCaptioned = 9233;
  // The registry keeps the table's address: it outlives the test.
  static const ControlTemplate none[] = {{"Static", 4201, "", 0, 0, 0, 10, 10}};
  static const DialogTemplate templates[] = {{kBordered, "Bordo", kWsPopup | kWsBorder, 0, 0, 100, 60, none},
                                      {kCaptioned, "Titolo", kWsPopup | kWsCaption, 0, 0, 100, 60, none}};
  register_dialog_templates(templates);
  TestDriver ui;
  Dialog bordered(kBordered), captioned(kCaptioned);
  ASSERT_TRUE(bordered.Create(nullptr));
  ASSERT_TRUE(captioned.Create(nullptr));
  auto frame_height = [](Window& w) { return w.GetWindowRect().Height() - w.GetClientRect().Height(); };
  auto frame_width = [](Window& w) { return w.GetWindowRect().Width() - w.GetClientRect().Width(); };
  // A border alone takes the same on every side; a caption takes more at the top.
  EXPECT_EQ(frame_height(bordered), frame_width(bordered));
  EXPECT_GT(frame_height(captioned), frame_width(captioned));
  bordered.DestroyWindow();
  captioned.DestroyWindow();
}

}  // namespace
}  // namespace kt::ui
