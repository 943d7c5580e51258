// Where a press on a report list lands, pixel by pixel at the borders: the
// header's top and bottom rows, a column's edge and the few pixels either
// side that grab it, a column of no width that is never grabbed, the first
// row under the header; what a drag from each does; and the right button,
// which chooses an unchosen row but leaves a chosen group alone; and a row's
// text being edited in place, kept when the focus goes elsewhere.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/controls/list_view.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"
#include "platform/ui_input.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9311, kGrid = 3101, kMany = 3102;
const ControlTemplate kControls[] = {
    {"ListView", kGrid, "", kLvsReport | kLvsSingleSel | kWsTabStop, 5, 5, 200, 60},
    {"ListView", kMany, "", kLvsReport | kWsTabStop, 5, 70, 200, 60},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Griglia", kWsPopup | kWsCaption, 0, 0, 210, 135, kControls}};

class GridPage : public Dialog {
 public:
  GridPage() : Dialog(kTemplate) {}
  std::vector<std::string> log;

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    for (int id : {kGrid, kMany}) {
      auto* list = static_cast<ListView*>(GetDlgItem(id));
      const char* heads[] = {"Classe", "Lun", "Mar"};
      for (int c = 0; c < 3; ++c) list->InsertColumn(c, heads[c], kLvcfmtLeft, 60);
      for (int r = 0; r < 8; ++r) {
        list->InsertItem(r, "r" + std::to_string(r));
        for (int c = 1; c < 3; ++c) list->SetItemText(r, c, std::to_string(r) + "." + std::to_string(c));
      }
    }
    return true;
  }
  static std::string where(NotifyHeader* h) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    return std::to_string(n->item) + "," + std::to_string(n->subitem);
  }
  void OnClick(NotifyHeader* h, LResult*) { log.push_back("click " + where(h)); }
  void OnRight(NotifyHeader* h, LResult*) { log.push_back("right " + where(h)); }
  void OnDouble(NotifyHeader* h, LResult*) { log.push_back("double " + where(h)); }
  void OnColumn(NotifyHeader* h, LResult*) {
    log.push_back("column " + std::to_string(reinterpret_cast<ListViewNotify*>(h)->subitem));
  }
  void OnEndTrack(NotifyHeader* h, LResult*) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    log.push_back("track " + std::to_string(n->item) + " " + std::to_string(n->width));
  }
  // The page keeps its first row's name: no editing of it begins.
  void OnBeginEdit(NotifyHeader* h, LResult* result) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    log.push_back("begin " + std::to_string(n->item));
    *result = n->item == 0;
  }
  void OnEndEdit(NotifyHeader* h, LResult* result) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    log.push_back("edited " + std::to_string(n->item) + " " + (n->text ? n->text : "(dropped)"));
    *result = 1;
  }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(GridPage, Dialog)
  KT_ON_NOTIFY(kNmClick, kGrid, OnClick)
  KT_ON_NOTIFY(kNmRClick, kGrid, OnRight)
  KT_ON_NOTIFY(kNmRClick, kMany, OnRight)
  KT_ON_NOTIFY(kNmDblClk, kGrid, OnDouble)
  KT_ON_NOTIFY(kLvnColumnClick, kGrid, OnColumn)
  KT_ON_NOTIFY(kHdnEndTrack, kGrid, OnEndTrack)
  KT_ON_NOTIFY(kLvnBeginLabelEdit, kGrid, OnBeginEdit)
  KT_ON_NOTIFY(kLvnEndLabelEdit, kGrid, OnEndEdit)
KT_END_MESSAGE_MAP()

class ListViewMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    grid = static_cast<ListView*>(page.GetDlgItem(kGrid));
    many = static_cast<ListView*>(page.GetDlgItem(kMany));
  }
  // A press at a point of the list, a move by dx and a release there, as
  // the mouse does them; what the page was told.
  std::vector<std::string> Drag(ListView& list, Point p, int dx) {
    page.log.clear();
    Window* top = list.GetTopLevel();
    auto at = [&](Point q) { return top->ScreenToClient(list.ClientToScreen(q)); };
    input_mouse(*top, kMsgLButtonDown, at(p));
    ui.Pump();
    input_mouse(*top, kMsgMouseMove, at({p.x + dx, p.y}));
    ui.Pump();
    input_mouse(*top, kMsgLButtonUp, at({p.x + dx, p.y}));
    ui.Pump();
    return page.log;
  }
  using Log = std::vector<std::string>;
  TestDriver ui;
  GridPage page;
  ListView* grid = nullptr;
  ListView* many = nullptr;
};

TEST_F(ListViewMouse, TheHeaderSpansItsOwnRowsAndTheEdgesAFewPixelsEachSide) {
  // Headless: the header is 19 pixels high under the 1-pixel frame, rows 17.
  Rect head0 = grid->GetHeaderItemRect(0);
  ASSERT_EQ(head0, (Rect{1, 1, 61, 20}));
  const int edge = head0.right, top = 1, bottom = 19, first_row = 20;
  struct Case {
    const char* what;
    Point at;
    int dx;
    Log told;
    int width0;
  } cases[] = {
      {"edge, top row of the header", {edge, top}, 30, {"track 0 90"}, 90},
      {"edge, bottom row of the header", {edge, bottom}, -20, {"track 0 40"}, 40},
      {"four pixels left of the edge", {edge - 4, 10}, 10, {"track 0 70"}, 70},
      {"four pixels right of the edge", {edge + 4, 10}, 10, {"track 0 70"}, 70},
      {"five pixels left: the heading", {edge - 5, 10}, 10, {"column 0"}, 60},
      {"five pixels right: the next heading", {edge + 5, 10}, 10, {"column 1"}, 60},
      {"the first row under the header", {edge, first_row}, 10, {"click 0,1"}, 60},
      {"the frame above the header", {edge, 0}, 10, {"click -1,-1"}, 60},
  };
  for (const Case& c : cases) {
    grid->SetColumnWidth(0, 60);
    EXPECT_EQ(Drag(*grid, c.at, c.dx), c.told) << c.what;
    EXPECT_EQ(grid->GetColumnWidth(0), c.width0) << c.what;
    EXPECT_EQ(Window::GetCapture(), nullptr) << c.what;
  }
  // A drag past the left edge of the column leaves it no width, never less.
  grid->SetColumnWidth(0, 60);
  EXPECT_EQ(Drag(*grid, {edge, 10}, -90), (Log{"track 0 0"}));
  EXPECT_EQ(grid->GetColumnWidth(0), 0);
  EXPECT_EQ(grid->GetHeaderItemRect(1).left, 1);
}

TEST_F(ListViewMouse, AColumnOfNoWidthIsNeverGrabbed) {
  // The middle column hidden: its edge lies on the first column's, and the
  // press takes the first column, which can be widened again.
  grid->SetColumnWidth(1, 0);
  int edge = grid->GetHeaderItemRect(0).right;
  ASSERT_EQ(grid->GetHeaderItemRect(1).right, edge);
  EXPECT_EQ(Drag(*grid, {edge, 10}, 15), (Log{"track 0 75"}));
  EXPECT_EQ(grid->GetColumnWidth(0), 75);
  EXPECT_EQ(grid->GetColumnWidth(1), 0);
  // The last column's own edge is grabbed like any other.
  int last = grid->GetHeaderItemRect(2).right;
  EXPECT_EQ(Drag(*grid, {last - 2, 5}, -10), (Log{"track 2 50"}));
  EXPECT_EQ(grid->GetColumnWidth(2), 50);
}

TEST_F(ListViewMouse, RowsUnderTheMouseByPixel) {
  // Row r spans 17 pixels from 20 + 17 r; a click on its last pixel is still it.
  Rect cell;
  ASSERT_TRUE(grid->GetSubItemRect(2, 0, cell));
  EXPECT_EQ(cell.top, 20 + 2 * 17);
  EXPECT_EQ(cell.bottom, 20 + 3 * 17);
  struct Case {
    Point at;
    const char* told;
    int chosen;
  } cases[] = {
      {{10, 20 + 2 * 17}, "click 2,0", 2},
      {{10, 20 + 3 * 17 - 1}, "click 2,0", 2},
      {{10, 20 + 3 * 17}, "click 3,0", 3},
      {{70, 20}, "click 0,1", 0},
      {{250, 30}, "click -1,-1", 0},  // right of the last column: the choice stays
  };
  for (const auto& c : cases) {
    page.log.clear();
    ui.ClickAt(*grid, c.at);
    ASSERT_EQ(page.log.size(), 1u) << c.told;
    EXPECT_EQ(page.log[0], c.told);
    EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), c.chosen) << c.told;
  }
  // A double click on the header sorts nothing and chooses nothing.
  page.log.clear();
  Window* top = grid->GetTopLevel();
  Point head = top->ScreenToClient(grid->ClientToScreen(Point{30, 10}));
  input_mouse(*top, kMsgLButtonDblClk, head);
  ui.Pump();
  EXPECT_EQ(page.log, Log{});
  input_mouse(*top, kMsgLButtonUp, head);
  ui.Pump();
  // A double click on a row tells the page which cell.
  page.log.clear();
  ui.DoubleClick(*grid);
  ASSERT_FALSE(page.log.empty());
}

TEST_F(ListViewMouse, TheRightButtonChoosesAnUnchosenRowOnly) {
  // Several chosen: a right press on one of them keeps all; on another row
  // it chooses that row alone.
  auto row_at = [&](int row) {
    Rect cell;
    many->GetSubItemRect(row, 0, cell);
    return cell.Center();
  };
  ui.ClickAt(*many, row_at(1));
  ui.ClickAt(*many, row_at(3), kModShift);
  ASSERT_EQ(many->GetSelectedCount(), 3);
  Window* top = many->GetTopLevel();
  auto right_at = [&](int row, int col) {
    Rect cell;
    many->GetSubItemRect(row, col, cell);
    Point p = top->ScreenToClient(many->ClientToScreen(cell.Center()));
    page.log.clear();
    input_mouse(*top, kMsgRButtonDown, p);
    input_mouse(*top, kMsgRButtonUp, p);
    ui.Pump();
  };
  right_at(2, 1);
  EXPECT_EQ(page.log, (Log{"right 2,1"}));
  EXPECT_EQ(many->GetSelectedCount(), 3);
  right_at(0, 2);
  EXPECT_EQ(page.log, (Log{"right 0,2"}));
  EXPECT_EQ(many->GetSelectedCount(), 1);
  EXPECT_EQ(many->GetNextItem(-1, kLvniSelected), 0);
  EXPECT_EQ(Window::GetFocus(), many);
}

// The text typed into a row's editor is kept whichever way the editing
// ends without Esc: the focus going to another control, by a click or by
// the page, a press on another
// row of the same list, another row's editing begun.
TEST_F(ListViewMouse, AnEditedRowKeepsItsTextWhenTheFocusGoesElsewhere) {
  struct Case {
    const char* what;
    std::function<void()> leave;
    Log told;
  } cases[] = {
      {"another list clicked", [&] { ui.ClickCell(page, kMany, 0, 0); }, {"edited 1 nuovo"}},
      {"the page moving the focus", [&] { many->SetFocus(); }, {"edited 1 nuovo"}},
      {"another row clicked", [&] { ui.ClickCell(page, kGrid, 3, 0); }, {"edited 1 nuovo", "click 3,0"}},
      {"another row edited", [&] { grid->EditLabel(2); }, {"edited 1 nuovo", "begin 2"}},
  };
  for (const Case& c : cases) {
    grid->SetItemText(1, 0, "r1");
    Edit* editor = grid->EditLabel(1);
    ASSERT_NE(editor, nullptr) << c.what;
    EXPECT_EQ(Window::GetFocus(), editor) << c.what;
    EXPECT_EQ(editor->GetWindowText(), "r1") << c.what;
    editor->SetSel(0, -1);
    ui.Type(*editor, "nuovo");
    EXPECT_EQ(grid->GetItemText(1, 0), "r1") << "the row keeps its text while edited";
    page.log.clear();
    c.leave();
    EXPECT_EQ(page.log, c.told) << c.what;
    EXPECT_EQ(grid->GetItemText(1, 0), "nuovo") << c.what;
    if (grid->EditingItem() == 2) {
      grid->EndEditLabel(false);
      EXPECT_EQ(grid->GetItemText(2, 0), "r2") << "dropped: " << c.what;
    }
    EXPECT_EQ(grid->EditingItem(), -1) << c.what;
    EXPECT_FALSE(editor->IsWindowVisible()) << c.what;
  }
}

// Scrolling asked by the page: by whole rows of pixels, never above the
// first row or past the last, and sideways no further than the columns reach.
TEST_F(ListViewMouse, ScrollingByCodeStopsAtTheEnds) {
  ASSERT_EQ(grid->GetCountPerPage(), 4);
  struct Step {
    int dx, dy;
    int top, x;
  } steps[] = {
      {0, 17 * 3, 3, 0}, {0, 16, 3, 0}, {0, -17, 2, 0},     {0, -1000, 0, 0},
      {0, 1000, 7, 0},   {0, -17 * 7, 0, 0}, {-50, 0, 0, 0}, {500, 0, 0, 0},
  };
  for (const Step& s : steps) {
    grid->Scroll(s.dx, s.dy);
    EXPECT_EQ(grid->GetTopIndex(), s.top) << s.dx << "," << s.dy;
    EXPECT_EQ(grid->GetScrollX(), s.x) << s.dx << "," << s.dy;
  }
  // Columns wider than the list (300 pixels, 2 of frame and 16 of the rows
  // bar): 600 - 282 at most, the last column ending at the bar.
  for (int c = 0; c < 3; ++c) grid->SetColumnWidth(c, 200);
  grid->Scroll(100, 0);
  EXPECT_EQ(grid->GetScrollX(), 100);
  grid->Scroll(1000, 0);
  EXPECT_EQ(grid->GetScrollX(), 318);
  EXPECT_EQ(grid->GetHeaderItemRect(0).left, 1 - 318);
  EXPECT_EQ(grid->GetHeaderItemRect(2).right, 1 + 282);
  grid->Scroll(-1000, 0);
  EXPECT_EQ(grid->GetScrollX(), 0);
  // The rows drawn follow the top row.
  grid->Scroll(0, 17 * 2);
  DisplayList drawn = ui.Render(page);
  std::string first;
  for (const DrawItemOp* op : drawn.ForControl(kGrid))
    if (op->op == DrawOp::kText && op->item >= 0 && op->subitem == 0 && first.empty()) first = op->text;
  EXPECT_EQ(first, "r2");
}

// A row the page refuses to have edited shows no editor, keeps the focus on
// the list and tells no end of editing.
TEST_F(ListViewMouse, ARowThePageRefusesIsNotEdited) {
  grid->SetFocus();
  page.log.clear();
  EXPECT_EQ(grid->EditLabel(0), nullptr);
  EXPECT_EQ(grid->EditingItem(), -1);
  EXPECT_EQ(Window::GetFocus(), grid);
  EXPECT_EQ(page.log, (Log{"begin 0"}));
  for (Window* c : grid->Children()) EXPECT_FALSE(c->IsWindowVisible());
  EXPECT_EQ(grid->GetItemText(0, 0), "r0");
  // Another row may be: its editor shows over it with its text.
  Edit* editor = grid->EditLabel(4);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->IsWindowVisible());
  EXPECT_EQ(editor->GetWindowText(), "r4");
  EXPECT_GE(grid->GetTopIndex() + grid->GetCountPerPage(), 5) << "the row brought into view";
  grid->EndEditLabel(false);
  EXPECT_EQ(page.log, (Log{"begin 0", "begin 4", "edited 4 (dropped)"}));
}

}  // namespace
}  // namespace kt::ui
