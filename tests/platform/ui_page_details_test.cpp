// Details of a page that pages rely on: a control made in code carries its
// caption, id and place; a report list refuses texts for rows and columns it
// does not have and tells each change of a row's state with the row's data
// word; the mouse elsewhere while a drop-down list is open (a move passes,
// a press only closes the list); a check box takes the page's background;
// dialog units of every sign in fonts of several sizes, rounded half away
// from zero.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/list_view.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"
#include "platform/ui_input.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9331, kGrid = 4501, kDays = 4502, kSave = 4503, kWeekly = 4504;
const ControlTemplate kControls[] = {
    {"ListView", kGrid, "", kLvsReport | kWsTabStop, 5, 5, 150, 60},
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 160, 5, 60, 60},
    {"Button", kSave, "Salva", kBsPushButton | kWsTabStop, 160, 70, 50, 14},
    {"Button", kWeekly, "Settimanale", kBsAutoCheckBox | kWsTabStop, 5, 70, 80, 10},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Dettagli", kWsPopup | kWsCaption, 0, 0, 230, 95, kControls}};

class DetailsPage : public Dialog {
 public:
  DetailsPage() : Dialog(kTemplate) {}
  std::vector<std::string> log;

 protected:
  void OnChanged(NotifyHeader* h, LResult*) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    log.push_back("row " + std::to_string(n->item) + " changed " + std::to_string(n->changed) + " data " +
                  std::to_string(n->param) + " state " + std::to_string(n->old_state) + ">" +
                  std::to_string(n->new_state));
  }
  void OnSave() { log.push_back("save"); }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(DetailsPage, Dialog)
  KT_ON_NOTIFY(kLvnItemChanged, kGrid, OnChanged)
  KT_ON_COMMAND(kSave, OnSave)
KT_END_MESSAGE_MAP()

class PageDetails : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    grid = static_cast<ListView*>(page.GetDlgItem(kGrid));
    grid->InsertColumn(0, "Classe", kLvcfmtLeft, 60);
    grid->InsertColumn(1, "Ore", kLvcfmtLeft, 40);
    for (int r = 0; r < 3; ++r) {
      grid->InsertItem(r, "c" + std::to_string(r), std::uintptr_t(700 + r));
      grid->SetItemText(r, 1, std::to_string(r * 10));
    }
    days = static_cast<ComboBox*>(page.GetDlgItem(kDays));
    for (const char* d : {"LU", "MA", "ME"}) days->AddString(d);
  }
  Point In(int id, Point local) {
    Window* c = page.GetDlgItem(id);
    return page.ScreenToClient(c->ClientToScreen(local));
  }
  TestDriver ui;
  DetailsPage page;
  ListView* grid = nullptr;
  ComboBox* days = nullptr;
};

TEST_F(PageDetails, AControlMadeInCodeCarriesItsCaptionIdAndPlace) {
  Button made;
  ASSERT_TRUE(made.CreateChild("Button", "Stampa", kBsPushButton | kWsVisible | kWsTabStop, Rect{10, 120, 90, 140},
                               &page, 4599));
  EXPECT_EQ(made.GetWindowText(), "Stampa");
  EXPECT_EQ(made.GetDlgCtrlID(), 4599);
  EXPECT_EQ(made.GetParent(), &page);
  EXPECT_EQ(page.GetDlgItem(4599), &made);
  EXPECT_EQ(made.GetRectInParent(), (Rect{10, 120, 90, 140}));
  EXPECT_EQ(made.GetStyle() & (kWsChild | kWsVisible | kWsTabStop), kWsChild | kWsVisible | kWsTabStop);
  EXPECT_EQ(page.GetDlgItemText(4599), "Stampa");
  EXPECT_EQ(ui.Render(page).TextsOf(4599), "Stampa");
  made.DestroyWindow();
}

TEST_F(PageDetails, AReportListRefusesRowsAndColumnsItHasNot) {
  struct Case {
    int row, column;
  } refused[] = {{-1, 0}, {3, 0}, {0, -1}, {99, 1}, {-5, -5}};
  for (const Case& c : refused) {
    EXPECT_FALSE(grid->SetItemText(c.row, c.column, "x")) << c.row << "," << c.column;
    EXPECT_EQ(grid->GetItemText(c.row, c.column), "") << c.row << "," << c.column;
  }
  EXPECT_FALSE(grid->SetItemData(3, 5));
  EXPECT_FALSE(grid->SetItemData(-1, 5));
  EXPECT_EQ(grid->GetItemData(3), 0u);
  EXPECT_EQ(grid->GetItemData(-1), 0u);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(grid->GetItemText(r, 0), "c" + std::to_string(r));
    EXPECT_EQ(grid->GetItemText(r, 1), std::to_string(r * 10));
    EXPECT_EQ(grid->GetItemData(r), std::uintptr_t(700 + r));
  }
  EXPECT_EQ(grid->GetItemCount(), 3);
  // A column past the last one shown takes a text the list keeps.
  EXPECT_TRUE(grid->SetItemText(1, 1, "15"));
  EXPECT_EQ(grid->GetItemText(1, 1), "15");
  EXPECT_TRUE(grid->SetItemData(1, 42));
  EXPECT_EQ(grid->GetItemData(1), 42u);
}

TEST_F(PageDetails, EachChangeOfARowsStateIsToldWithItsData) {
  ui.ClickCell(page, kGrid, 1, 0);
  ASSERT_FALSE(page.log.empty());
  const std::string on = "row 1 changed 8 data 701 state 0>" + std::to_string(kLvisSelected | kLvisFocused);
  EXPECT_EQ(page.log, (std::vector<std::string>{on}));
  page.log.clear();
  ui.ClickCell(page, kGrid, 2, 1);
  EXPECT_EQ(page.log, (std::vector<std::string>{
                          "row 1 changed 8 data 701 state " + std::to_string(kLvisSelected | kLvisFocused) + ">" +
                              std::to_string(kLvisFocused),
                          "row 2 changed 8 data 702 state 0>" + std::to_string(kLvisSelected | kLvisFocused)}));
  page.log.clear();
  grid->SetItemState(0, kLvisSelected, kLvisSelected);
  EXPECT_EQ(page.log, (std::vector<std::string>{"row 0 changed 8 data 700 state 0>" + std::to_string(kLvisSelected)}));
  page.log.clear();
  grid->SetItemState(0, kLvisSelected, kLvisSelected);
  EXPECT_EQ(page.log, std::vector<std::string>{}) << "no change, nothing told";
}

TEST_F(PageDetails, TheMouseElsewhereWhileADropDownListIsOpen) {
  days->ShowDropDown(true);
  ASSERT_TRUE(days->GetDroppedState());
  Point save = In(kSave, {5, 5});
  // Moves and releases elsewhere leave the list open.
  input_mouse(page, kMsgMouseMove, save);
  input_mouse(page, kMsgLButtonUp, save);
  input_mouse(page, kMsgRButtonUp, save);
  ui.Pump();
  EXPECT_TRUE(days->GetDroppedState());
  EXPECT_EQ(page.log, std::vector<std::string>{});
  // A press elsewhere, with either button or twice, closes it and goes no further.
  for (std::uint32_t press : {kMsgLButtonDown, kMsgRButtonDown, kMsgLButtonDblClk}) {
    days->ShowDropDown(true);
    ASSERT_TRUE(days->GetDroppedState());
    EXPECT_FALSE(input_mouse(page, press, save)) << press;
    input_mouse(page, press == kMsgRButtonDown ? kMsgRButtonUp : kMsgLButtonUp, save);
    ui.Pump();
    EXPECT_FALSE(days->GetDroppedState()) << press;
    EXPECT_EQ(page.log, std::vector<std::string>{}) << "the button under the press is not pressed: " << press;
  }
  // Closed, the next click reaches the button.
  ui.Click(page, kSave);
  EXPECT_EQ(page.log, (std::vector<std::string>{"save"}));
}

// However the list closed (a row chosen, Esc, its own field pressed again,
// the page closing it), the next press of the real mouse elsewhere reaches
// the control under it.
TEST_F(PageDetails, OnceTheListClosesTheMouseReachesThePageAgain) {
  Point save = In(kSave, {5, 5});
  auto press_save = [&] {
    page.log.clear();
    EXPECT_TRUE(input_mouse(page, kMsgLButtonDown, save));
    EXPECT_TRUE(input_mouse(page, kMsgLButtonUp, save));
    ui.Pump();
    return page.log == std::vector<std::string>{"save"};
  };
  struct Way {
    const char* what;
    std::function<void()> close;
  } ways[] = {
      {"a row chosen by Enter", [&] { ui.Key(kVkReturn); }},
      {"Esc", [&] { ui.Key(kVkEscape); }},
      {"the field pressed again",
       [&] {
         Point field = In(kDays, {5, 5});
         input_mouse(page, kMsgLButtonDown, field);
         input_mouse(page, kMsgLButtonUp, field);
         ui.Pump();
       }},
      {"the page", [&] { days->ShowDropDown(false); }},
  };
  for (const Way& w : ways) {
    days->SetFocus();
    days->ShowDropDown(true);
    ui.Pump();
    ASSERT_TRUE(days->GetDroppedState()) << w.what;
    ASSERT_EQ(ComboBox::Dropped(), days) << w.what;
    w.close();
    EXPECT_FALSE(days->GetDroppedState()) << w.what;
    EXPECT_EQ(ComboBox::Dropped(), nullptr) << w.what;
    EXPECT_TRUE(press_save()) << w.what;
  }
}

TEST_F(PageDetails, ACheckBoxTakesThePagesBackground) {
  for (Color back : {rgb(250, 240, 200), rgb(10, 90, 160)}) {
    page.SetBackgroundColor(back);
    DisplayList drawn = ui.Render(page);
    std::vector<const DrawItemOp*> ops = drawn.ForControl(kWeekly);
    ASSERT_FALSE(ops.empty());
    Rect box = page.GetDlgItem(kWeekly)->ClientToScreen(page.GetDlgItem(kWeekly)->GetClientRect());
    Rect in_page = page.ScreenToClient(box);
    bool filled = false;
    for (const DrawItemOp* op : ops)
      if (op->op == DrawOp::kFill && op->rect == in_page) {
        EXPECT_EQ(op->color, back);
        filled = true;
      }
    EXPECT_TRUE(filled) << "the whole box in the page's colour";
  }
}

// A check box's mark on the left, or on the right with its text on the left;
// the focus framed round the text's room beside the mark, to the pixel.
TEST_F(PageDetails, ACheckBoxShowsItsMarkAndFocusOnEitherSide) {
  struct Case {
    std::uint32_t style;
    Rect mark, room;  // in the box, 100 x 20
  } cases[] = {
      {0, Rect{0, 3, 13, 16}, Rect{17, 0, 100, 20}},
      {kBsLeftText, Rect{87, 3, 100, 16}, Rect{0, 0, 83, 20}},
  };
  for (const Case& c : cases) {
    Button box;
    ASSERT_TRUE(box.CreateChild("Button", "Festivo", kBsAutoCheckBox | c.style | kWsVisible | kWsTabStop,
                                Rect{200, 120, 300, 140}, &page, 4598));
    box.SetFocus();
    Point origin = page.ScreenToClient(box.ClientToScreen(Point{0, 0}));
    auto in_box = [&](Rect r) { return Rect{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y}; };
    DisplayList drawn = ui.Render(page);
    Rect mark, focus;
    std::string text;
    for (const DrawItemOp* op : drawn.ForControl(4598)) {
      if (op->op == DrawOp::kCheckMark) mark = in_box(op->rect);
      if (op->op == DrawOp::kFrame && op->color == kGrayTextColor) focus = in_box(op->rect);
      if (op->op == DrawOp::kText) text = op->text;
    }
    EXPECT_EQ(mark, c.mark) << c.style;
    EXPECT_EQ(focus, c.room) << c.style;
    EXPECT_EQ(text, "Festivo");
    box.DestroyWindow();
  }
}

TEST(DialogUnits, EverySignRoundsHalfAwayFromZero) {
  // Base units: 8 points 6 x 13, 9 points 7 x 15, 10 points 8 x 16 (the
  // headless letters); across, v * x / 4, down, v * y / 8, rounded.
  struct Font_ {
    int points;
    int across, down;
  } fonts[] = {{8, 6, 13}, {9, 7, 15}, {10, 8, 16}};
  auto rounded = [](int num, int den) {
    int q = (2 * std::abs(num) + den) / (2 * den);
    return num < 0 ? -q : q;
  };
  for (const Font_& f : fonts) {
    Font font;
    font.points = f.points;
    Size base = backend().metrics().DialogBaseUnits(font);
    ASSERT_EQ(base, (Size{f.across, f.down})) << f.points;
    for (int v = -9; v <= 9; ++v) {
      Rect r = dialog_units_to_pixels(v, v, 4, 8, base);
      EXPECT_EQ(r.left, rounded(v * f.across, 4)) << f.points << " points, " << v;
      EXPECT_EQ(r.top, rounded(v * f.down, 8)) << f.points << " points, " << v;
      EXPECT_EQ(r.Width(), f.across) << f.points;
      EXPECT_EQ(r.Height(), f.down) << f.points;
    }
  }
}

}  // namespace
}  // namespace kt::ui
