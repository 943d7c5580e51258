// Report list views driven through a page: notifications for clicks, keys,
// header clicks and column drags, per-cell colours answered by the page or
// by the list's own class, multiple selection, scrolling to keep the
// selection visible, in-place editing and sorting by data word.
// The grid holds 30 rows of four columns, more than one page shows.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/list_view.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9101, kGrid = 3001, kRows = 3002;
const ControlTemplate kControls[] = {
    {"ListView", kGrid, "", kLvsReport | kLvsSingleSel | kLvsEditLabels | kWsTabStop, 5, 5, 200, 60},
    {"ListView", kRows, "", kLvsReport | kLvsShowSelAlways | kWsTabStop, 5, 70, 200, 60},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Quadro", kWsPopup | kWsCaption, 0, 0, 210, 135, kControls}};

// A list that colours its rows itself (one colour per row), answering its
// own custom drawing before the page sees it.
class RowColourList : public ListView {
 public:
  std::vector<Color> colours;

 protected:
  bool OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) override {
    if (message != kMsgNotify || reinterpret_cast<NotifyHeader*>(l)->code != kNmCustomDraw)
      return ListView::OnChildNotify(message, w, l, result);
    auto* cd = reinterpret_cast<ListViewCustomDraw*>(l);
    if (cd->stage == kCddsPrePaint) *result = kCdrfNotifyItemDraw;
    if (cd->stage == kCddsItemPrePaint) *result = kCdrfNotifySubItemDraw;
    if (cd->stage == (kCddsItemPrePaint | kCddsSubItem) && cd->item < int(colours.size()))
      cd->back_color = colours[std::size_t(cd->item)];
    return true;
  }
};

class Board : public Dialog {
 public:
  Board() : Dialog(kTemplate) {}
  RowColourList rows;
  std::vector<std::string> log;
  int grid_custom_draws = 0, rows_custom_draws = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kRows, rows); }
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    ListView* grid = static_cast<ListView*>(GetDlgItem(kGrid));
    const char* heads[] = {"Classe", "Lun", "Mar", "Mer"};
    for (int c = 0; c < 4; ++c) grid->InsertColumn(c, heads[c], kLvcfmtLeft, 60);
    for (int r = 0; r < 30; ++r) {
      grid->InsertItem(r, "r" + std::to_string(r), std::uintptr_t(100 - r));
      for (int c = 1; c < 4; ++c) grid->SetItemText(r, c, std::to_string(r) + "." + std::to_string(c));
    }
    rows.InsertColumn(0, "Nome", kLvcfmtLeft, 120);
    for (int r = 0; r < 6; ++r) rows.InsertItem(r, "n" + std::to_string(r));
    return true;
  }
  void OnClick(NotifyHeader* h, LResult*) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    log.push_back("click " + std::to_string(n->item) + "," + std::to_string(n->subitem));
  }
  void OnChanged(NotifyHeader* h, LResult*) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    bool sel = n->new_state & kLvisSelected, was = n->old_state & kLvisSelected;
    if (sel != was) log.push_back("changed " + std::to_string(n->item) + (sel ? " on" : " off"));
  }
  void OnColumn(NotifyHeader* h, LResult*) {
    log.push_back("column " + std::to_string(reinterpret_cast<ListViewNotify*>(h)->subitem));
  }
  void OnEndTrack(NotifyHeader* h, LResult*) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    log.push_back("track " + std::to_string(n->item) + " " + std::to_string(n->width));
  }
  void OnKey(NotifyHeader* h, LResult*) { log.push_back("key " + std::to_string(reinterpret_cast<ListViewNotify*>(h)->key)); }
  void OnEndEdit(NotifyHeader* h, LResult* result) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    *result = n->text && std::string(n->text) != "no";
  }
  void OnGridDraw(NotifyHeader* h, LResult* result) {
    ++grid_custom_draws;
    auto* cd = reinterpret_cast<ListViewCustomDraw*>(h);
    if (cd->stage == kCddsPrePaint) *result = kCdrfNotifyItemDraw;
    if (cd->stage == kCddsItemPrePaint) *result = kCdrfNotifySubItemDraw;
    if (cd->stage != (kCddsItemPrePaint | kCddsSubItem)) return;
    if (cd->item == 2 && cd->subitem == 3) cd->back_color = rgb(255, 0, 0);
    if (cd->item == 1) cd->text_color = rgb(0, 0, 255);
  }
  void OnRowsDraw(NotifyHeader*, LResult*) { ++rows_custom_draws; }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(Board, Dialog)
  KT_ON_NOTIFY(kNmClick, kGrid, OnClick)
  KT_ON_NOTIFY(kLvnItemChanged, kGrid, OnChanged)
  KT_ON_NOTIFY(kLvnItemChanged, kRows, OnChanged)
  KT_ON_NOTIFY(kLvnColumnClick, kGrid, OnColumn)
  KT_ON_NOTIFY(kHdnEndTrack, kGrid, OnEndTrack)
  KT_ON_NOTIFY(kLvnKeyDown, kGrid, OnKey)
  KT_ON_NOTIFY(kLvnEndLabelEdit, kGrid, OnEndEdit)
  KT_ON_NOTIFY(kNmCustomDraw, kGrid, OnGridDraw)
  KT_ON_NOTIFY(kNmCustomDraw, kRows, OnRowsDraw)
KT_END_MESSAGE_MAP()

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(board.Create(nullptr));
    board.ShowWindow(kSwShow);
    grid = static_cast<ListView*>(board.GetDlgItem(kGrid));
  }
  TestDriver ui;
  Board board;
  ListView* grid = nullptr;
};

TEST_F(ListViewTest, ClicksSelectOneRowAndTellThePage) {
  ui.ClickCell(board, kGrid, 2, 3);
  ui.ClickCell(board, kGrid, 4, 1);
  EXPECT_EQ(board.log, (std::vector<std::string>{"changed 2 on", "click 2,3", "changed 2 off", "changed 4 on", "click 4,1"}));
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 4);
  EXPECT_EQ(grid->GetNextItem(4, kLvniSelected), -1);
  int sub = -1;
  Rect cell;
  grid->GetSubItemRect(4, 1, cell);
  EXPECT_EQ(grid->SubItemHitTest(cell.Center(), &sub), 4);
  EXPECT_EQ(sub, 1);
}

TEST_F(ListViewTest, HeaderClicksAndColumnDrags) {
  ui.ClickHeader(board, kGrid, 2);
  ui.DragColumnEdge(board, kGrid, 0, 120);
  EXPECT_EQ(board.log, (std::vector<std::string>{"column 2", "track 0 120"}));
  EXPECT_EQ(grid->GetColumnWidth(0), 120);
  EXPECT_EQ(grid->GetHeaderItemRect(1).left, 121);
  grid->SetSortArrow(1, 2);
  int arrow_lines = 0;
  DisplayList list = ui.Render(board);
  for (const DrawItemOp* op : list.ForControl(kGrid))
    if (op->op == DrawOp::kLine && op->subitem == 1) ++arrow_lines;
  EXPECT_EQ(arrow_lines, 4);
  EXPECT_EQ(grid->GetStringWidth("Lun"), 18);
}

// Columns wider than the list: a bar at the bottom, its arrow and the Right
// key move the view, the last column can be brought whole into view, and a
// click lands on the cell shown under the mouse.
TEST_F(ListViewTest, ColumnsWiderThanTheListScrollSideways) {
  EXPECT_FALSE(grid->HasColumnsScrollBar());
  int rows_shown = grid->GetCountPerPage();
  ui.DragColumnEdge(board, kGrid, 2, 500);
  ASSERT_TRUE(grid->HasColumnsScrollBar());
  EXPECT_EQ(board.log, (std::vector<std::string>{"track 2 500"}));  // a drag never sorts
  EXPECT_LT(grid->GetCountPerPage(), rows_shown);
  Rect bar = grid->ColumnsScrollBar();
  ui.ClickAt(*grid, Point{bar.right - 3, bar.Center().y});
  EXPECT_EQ(grid->GetScrollX(), 24);
  grid->SetFocus();
  ui.Key(kVkRight);
  EXPECT_EQ(grid->GetScrollX(), 48);
  ui.ClickCell(board, kGrid, 0, 3);
  EXPECT_EQ(grid->GetScrollX(), grid->MaxScrollX());
  EXPECT_LE(grid->GetHeaderItemRect(3).right, 1 + grid->ViewWidth());
  EXPECT_EQ(board.log.back(), "click 0,3");
  bool last_column_drawn = false;
  DisplayList drawn = ui.Render(board);
  for (const DrawItemOp* op : drawn.ForControl(kGrid))
    last_column_drawn = last_column_drawn || (op->op == DrawOp::kText && op->text == "0.3");
  EXPECT_TRUE(last_column_drawn);
  ui.DragColumnEdge(board, kGrid, 2, 20);
  EXPECT_FALSE(grid->HasColumnsScrollBar());
  EXPECT_EQ(grid->GetScrollX(), 0);
}

TEST_F(ListViewTest, CellColoursComeFromCustomDrawing) {
  DisplayList list = ui.Render(board);
  struct Case { const char* id; int row, col; Color fill, text; } cases[] = {
      {"red-cell", 2, 3, rgb(255, 0, 0), kWindowTextColor},
      {"blue-text", 1, 0, kWindowColor, rgb(0, 0, 255)},
      {"default", 0, 2, kWindowColor, kWindowTextColor},
  };
  for (const Case& c : cases) {
    const DrawItemOp* fill = list.CellFill(kGrid, c.row, c.col);
    const DrawItemOp* text = list.CellText(kGrid, c.row, c.col);
    ASSERT_TRUE(fill && text) << c.id;
    EXPECT_EQ(color_name(fill->color), color_name(c.fill)) << c.id;
    EXPECT_EQ(color_name(text->color), color_name(c.text)) << c.id;
  }
  EXPECT_EQ(list.CellText(kGrid, 2, 3)->text, "2.3");
  EXPECT_EQ(list.TextsOf(kGrid).substr(0, 18), "Classe|Lun|Mar|Mer");
  // A selected row without custom colours shows the highlight.
  ui.ClickCell(board, kGrid, 0, 0);
  EXPECT_EQ(ui.Render(board).CellFill(kGrid, 0, 0)->color, kHighlightColor);
}

TEST_F(ListViewTest, AListAnswersItsOwnCustomDrawFirst) {
  board.rows.colours = {rgb(237, 237, 237), rgb(255, 255, 255), rgb(131, 255, 170)};
  DisplayList list = ui.Render(board);
  EXPECT_EQ(list.CellFill(kRows, 0, 0)->color, rgb(237, 237, 237));
  EXPECT_EQ(list.CellFill(kRows, 2, 0)->color, rgb(131, 255, 170));
  EXPECT_EQ(list.CellFill(kRows, 4, 0)->color, kWindowColor);
  EXPECT_EQ(board.rows_custom_draws, 0);
  EXPECT_GT(board.grid_custom_draws, 0);
}

TEST_F(ListViewTest, KeysMoveTheSelectionAndKeepItVisible) {
  ui.ClickCell(board, kGrid, 0, 0);
  board.log.clear();
  ui.Key(kVkEnd);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 29);
  EXPECT_EQ(grid->GetTopIndex(), 30 - grid->GetCountPerPage());
  ui.Key(kVkHome);
  ui.Key(kVkDown);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 1);
  EXPECT_EQ(grid->GetTopIndex(), 0);
  EXPECT_EQ(board.log.front(), "key " + std::to_string(kVkEnd));
  EXPECT_EQ(std::count(board.log.begin(), board.log.end(), "changed 1 on"), 1);
}

// Typing moves to the row whose first column starts with what was typed
// within a pause; after the pause a letter starts again.
TEST_F(ListViewTest, TypingMovesToTheRowItNames) {
  ui.ClickCell(board, kGrid, 0, 0);
  const std::pair<const char*, int> steps[] = {{"r", 1}, {"2", 2}, {"5", 25}, {"9", 25}};
  for (const auto& [typed, row] : steps) {
    ui.Type(*grid, typed);
    EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), row) << typed;
  }
  EXPECT_GE(grid->GetTopIndex() + grid->GetCountPerPage(), 26);  // brought into view
  ui.Advance(2000);
  ui.Type(*grid, "R");
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 26);
}

TEST_F(ListViewTest, ControlAndShiftExtendTheSelection) {
  ListView& rows = board.rows;
  auto at = [&](int row) {
    Rect r;
    rows.GetSubItemRect(row, 0, r);
    return r.Center();
  };
  ui.ClickAt(rows, at(0));
  ui.ClickAt(rows, at(1), kModControl);
  ui.ClickAt(rows, at(0), kModControl);  // a second control-click takes it away
  ui.ClickAt(rows, at(2), kModControl);
  auto selected = [&] {
    std::vector<int> out;
    for (int i = rows.GetNextItem(-1, kLvniSelected); i >= 0; i = rows.GetNextItem(i, kLvniSelected)) out.push_back(i);
    return out;
  };
  EXPECT_EQ(selected(), (std::vector<int>{1, 2}));
  ui.ClickAt(rows, at(4), kModShift);  // from the last control-click
  EXPECT_EQ(selected(), (std::vector<int>{2, 3, 4}));
}

}  // namespace
}  // namespace kt::ui
