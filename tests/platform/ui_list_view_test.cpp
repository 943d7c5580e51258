// Report list views driven through a page: notifications for clicks, keys,
// header clicks and column drags, per-cell colours answered by the page or
// by the list's own class, multiple selection, scrolling to keep the
// selection visible, in-place editing and sorting by data word, rows and
// columns taken away, the other clicks, the page keys and the wheel.
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
  int grid_custom_draws = 0, rows_custom_draws = 0, grid_focus_notes = 0;

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
  void OnDouble(NotifyHeader* h, LResult*) { log.push_back("double " + item_of(h)); }
  void OnRight(NotifyHeader* h, LResult*) { log.push_back("right " + item_of(h)); }
  void OnReturn(NotifyHeader* h, LResult*) { log.push_back("return " + item_of(h)); }
  void OnGridFocus(NotifyHeader*, LResult*) { ++grid_focus_notes; }
  static std::string item_of(NotifyHeader* h) {
    auto* n = reinterpret_cast<ListViewNotify*>(h);
    return std::to_string(n->item) + "," + std::to_string(n->subitem);
  }
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
  KT_ON_NOTIFY(kNmDblClk, kGrid, OnDouble)
  KT_ON_NOTIFY(kNmRClick, kGrid, OnRight)
  KT_ON_NOTIFY(kNmReturn, kGrid, OnReturn)
  KT_ON_NOTIFY(kNmSetFocus, kGrid, OnGridFocus)
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

// Rows put in at the top, in the middle, at the end or past it land there,
// and the chosen row stays chosen: the keys go on from it.
TEST_F(ListViewTest, RowsInsertedWhereAskedKeepTheChoice) {
  ListView& rows = board.rows;
  ui.ClickCell(board, kRows, 3, 0);
  const struct {
    int index;
    const char* text;
    int landed;
  } inserts[] = {{0, "primo", 0}, {2, "mezzo", 2}, {-1, "ultimo", 8}, {99, "oltre", 9}};
  for (const auto& i : inserts) EXPECT_EQ(rows.InsertItem(i.index, i.text), i.landed) << i.text;
  std::string texts;
  for (int r = 0; r < rows.GetItemCount(); ++r) texts += rows.GetItemText(r, 0) + " ";
  EXPECT_EQ(texts, "primo n0 mezzo n1 n2 n3 n4 n5 ultimo oltre ");
  EXPECT_EQ(rows.GetNextItem(-1, kLvniSelected), 5);
  EXPECT_EQ(rows.GetSelectionMark(), 5);
  rows.SetFocus();
  ui.Key(kVkDown);
  EXPECT_EQ(rows.GetItemText(rows.GetNextItem(-1, kLvniSelected), 0), "n4");
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

// A column scrolled wholly out of view on the left draws nothing, not even
// over the list's frame; the next column's cells are drawn.
TEST_F(ListViewTest, AColumnScrolledOutOfViewDrawsNothing) {
  ui.DragColumnEdge(board, kGrid, 2, 500);
  ASSERT_TRUE(grid->HasColumnsScrollBar());
  int first = grid->GetColumnWidth(0);
  grid->Scroll(first, 0);
  ASSERT_EQ(grid->GetScrollX(), first);
  ASSERT_EQ(grid->GetHeaderItemRect(0).right, 1);
  DisplayList list = ui.Render(board);
  int gone = 0, next = 0;
  for (const DrawItemOp* op : list.ForControl(kGrid)) {
    if (op->item < 0) continue;
    gone += op->subitem == 0;
    next += op->subitem == 1;
  }
  EXPECT_EQ(gone, 0);
  EXPECT_GT(next, 0);
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
  DisplayList selected = ui.Render(board);
  EXPECT_EQ(selected.CellFill(kGrid, 0, 0)->color, kHighlightColor);
  EXPECT_EQ(selected.CellText(kGrid, 0, 0)->color, kHighlightTextColor);
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

// The page hears each time the list takes the focus (the pages show their
// help for the list then).
TEST_F(ListViewTest, ThePageHearsWhenTheListTakesTheFocus) {
  board.rows.SetFocus();
  board.grid_focus_notes = 0;
  grid->SetFocus();
  EXPECT_EQ(board.grid_focus_notes, 1);
  grid->SetFocus();  // it has it already
  EXPECT_EQ(board.grid_focus_notes, 1);
  board.rows.SetFocus();
  ui.ClickCell(board, kGrid, 1, 1);
  EXPECT_EQ(board.grid_focus_notes, 2);
}

// Rows taken away: the selection stays on its row, whose index follows;
// the selected row itself gone leaves none; emptied, the list starts again
// at its top.
TEST_F(ListViewTest, DeletingRowsKeepsTheSelectionOnItsRow) {
  ui.ClickCell(board, kGrid, 5, 0);
  EXPECT_TRUE(grid->DeleteItem(2));
  EXPECT_EQ(grid->GetItemCount(), 29);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 4);
  EXPECT_EQ(grid->GetSelectionMark(), 4);
  EXPECT_EQ(grid->GetItemText(4, 0), "r5");
  EXPECT_EQ(grid->GetItemText(2, 1), "3.1");
  EXPECT_FALSE(grid->DeleteItem(29));
  EXPECT_TRUE(grid->DeleteItem(4));
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  EXPECT_EQ(grid->GetSelectionMark(), -1);
  ui.Key(kVkEnd);
  EXPECT_GT(grid->GetTopIndex(), 0);
  EXPECT_TRUE(grid->DeleteAllItems());
  EXPECT_EQ(grid->GetItemCount(), 0);
  EXPECT_EQ(grid->GetTopIndex(), 0);
  EXPECT_EQ(grid->GetSelectionMark(), -1);
  EXPECT_EQ(grid->InsertItem(0, "nuova"), 0);
  EXPECT_EQ(ui.Render(board).CellText(kGrid, 0, 0)->text, "nuova");
}

// Sorting by data word (100 - row here): the rows turn round with their
// texts, and the selection goes with its row.
TEST_F(ListViewTest, SortingByDataMovesTheSelectionWithItsRow) {
  ui.ClickCell(board, kGrid, 3, 0);
  auto by_data = [](std::uintptr_t a, std::uintptr_t b, std::uintptr_t) { return a < b ? -1 : a > b ? 1 : 0; };
  EXPECT_TRUE(grid->SortItems(by_data, 0));
  EXPECT_EQ(grid->GetItemText(0, 0), "r29");
  EXPECT_EQ(grid->GetItemText(29, 2), "0.2");
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 26);
  EXPECT_EQ(grid->GetSelectionMark(), 26);
  EXPECT_EQ(grid->FindItemByData(-1, 100 - 3), 26);
  EXPECT_EQ(grid->FindItemByData(26, 100 - 3), -1);
  EXPECT_EQ(grid->FindItemByText(-1, "R3"), 26);
  EXPECT_EQ(grid->FindItemByText(-1, "r99"), -1);
  EXPECT_FALSE(grid->SortItems(nullptr, 0));
}

// A row's first cell edited in place: Enter keeps what was typed unless the
// page refuses it, Esc drops it; the editor covers the cell.
TEST_F(ListViewTest, LabelEditingKeepsOrDropsTheText) {
  const struct {
    const char* typed;
    int key;
    const char* after;
  } cases[] = {{"r3 bis", kVkReturn, "r3 bis"}, {"no", kVkReturn, "r3 bis"}, {"altro", kVkEscape, "r3 bis"}};
  for (const auto& c : cases) {
    Edit* editor = grid->EditLabel(3);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(grid->EditingItem(), 3);
    Rect cell;
    grid->GetSubItemRect(3, 0, cell);
    EXPECT_EQ(editor->GetWindowRect().left, grid->GetWindowRect().left + cell.left) << c.typed;
    editor->SetWindowText(c.typed);
    ui.Key(c.key);
    EXPECT_EQ(grid->EditingItem(), -1) << c.typed;
    EXPECT_EQ(grid->GetItemText(3, 0), c.after) << c.typed;
    EXPECT_FALSE(editor->IsWindowVisible());
  }
  EXPECT_EQ(grid->EditLabel(30), nullptr);
}

// Double and right clicks and Enter tell the page which row; a right click
// selects the row under it; page keys move by a page less one row; the
// wheel scrolls three rows a notch.
TEST_F(ListViewTest, OtherClicksAndKeysTellThePageAndMove) {
  ui.ClickCell(board, kGrid, 2, 1, true);
  EXPECT_EQ(board.log.back(), "double 2,1");
  Rect cell;
  grid->GetSubItemRect(4, 2, cell);
  board.log.clear();
  grid->SendMessage(kMsgRButtonDown, 0, make_point_param(cell.Center()));
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 4);
  EXPECT_EQ(board.log.back(), "right 4,2");
  grid->SetFocus();
  grid->SendMessage(kMsgKeyDown, kVkReturn, 0);  // the dialog takes Enter first; a page passes it on
  EXPECT_EQ(board.log.back(), "return 4,0");
  int page = grid->GetCountPerPage();
  ui.Key(kVkNext);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 4 + page - 1);
  ui.Key(kVkPrior);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 4);
  ui.Key(kVkUp);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 3);
  int top = grid->GetTopIndex();
  grid->SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, make_point_param(cell.Center()));
  EXPECT_EQ(grid->GetTopIndex(), top + 3);
  grid->SendMessage(kMsgMouseWheel, WParam(120) << 16, make_point_param(cell.Center()));
  EXPECT_EQ(grid->GetTopIndex(), top);
}

// Columns inserted between others move the texts after them; a heading
// changed shows; a column deleted takes its texts.
TEST_F(ListViewTest, ColumnsInsertedAndDeletedTakeTheirTexts) {
  EXPECT_EQ(grid->InsertColumn(1, "Aula", kLvcfmtLeft, 40), 1);
  EXPECT_EQ(grid->GetItemText(2, 1), "");
  EXPECT_EQ(grid->GetItemText(2, 2), "2.1");
  EXPECT_TRUE(grid->SetColumnHeading(1, "Laboratorio"));
  EXPECT_EQ(grid->GetColumnHeading(1), "Laboratorio");
  EXPECT_EQ(ui.Render(board).TextsOf(kGrid).substr(0, 30), "Classe|Laboratorio|Lun|Mar|Mer");
  EXPECT_TRUE(grid->DeleteColumn(2));
  EXPECT_EQ(grid->GetColumnCount(), 4);
  EXPECT_EQ(grid->GetItemText(2, 2), "2.2");
  EXPECT_FALSE(grid->DeleteColumn(4));
  EXPECT_FALSE(grid->SetColumnHeading(4, "x"));
  EXPECT_EQ(grid->GetColumnHeading(4), "");
  grid->SetSortArrow(3, 1);
  EXPECT_EQ(grid->GetSortArrow(3), 1);
  EXPECT_EQ(grid->GetSortArrow(9), 0);
}

}  // namespace
}  // namespace kt::ui
