// A page shaped like the week-grid pickers: 84 hour cells whose control ids
// follow no single range, built by constexpr functions into both the
// template and the id list of the message map, each cell reaching one
// handler with its slot (day x 12 + hour); day headers as a plain range; the
// cells coloured by their own class. It is the pattern the constraint pages
// are written in, checked here at full size.
#include <gtest/gtest.h>

#include <array>

#include "platform/test_driver.h"
#include "platform/ui.h"

namespace kt::ui {
namespace {

constexpr int kGridTemplate = 9601;
constexpr int kFirstDayHeader = 1467;

// Hours 0-8 of day d: 1372 + 9d + h; hour 9: 1582 on day 0, 1442 + d after;
// hours 10 and 11: 1969 + 2d and 1970 + 2d.
constexpr int cell_id(int day, int hour) {
  if (hour < 9) return 1372 + 9 * day + hour;
  if (hour == 9) return day == 0 ? 1582 : 1442 + day;
  return 1969 + 2 * day + (hour - 10);
}

constexpr std::array<int, 84> make_cell_ids() {
  std::array<int, 84> ids{};
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < 12; ++h) ids[std::size_t(d * 12 + h)] = cell_id(d, h);
  return ids;
}
constexpr std::array<int, 84> kCellIds = make_cell_ids();

constexpr std::array<ControlTemplate, 91> make_controls() {
  std::array<ControlTemplate, 91> c{};
  for (int d = 0; d < 7; ++d) {
    c[std::size_t(d)] = {"Button", kFirstDayHeader + d, "GW", kBsPushButton | kWsTabStop, 30 + d * 24, 4, 22, 10};
    for (int h = 0; h < 12; ++h)
      c[std::size_t(7 + d * 12 + h)] = {"Button", cell_id(d, h), "", kBsAutoCheckBox | kWsTabStop,
                                        34 + d * 24, 16 + h * 11, 12, 10};
  }
  return c;
}
constexpr std::array<ControlTemplate, 91> kGridControls = make_controls();
const DialogTemplate kTemplates[] = {{kGridTemplate, "Ore", kWsPopup | kWsCaption, 0, 0, 210, 152, kGridControls}};

// A cell that paints itself green when marked.
class Cell : public Button {
 protected:
  Color CtlColor(DeviceContext& dc, CtlType) override {
    Color c = GetCheck() ? rgb(131, 255, 170) : kWindowColor;
    dc.SetBkColor(c);
    return c;
  }
};

class WeekGrid : public Dialog {
 public:
  WeekGrid() : Dialog(kGridTemplate) {}
  std::array<unsigned char, 84> mask{};
  std::array<Cell, 84> cells;
  int last_day = -1;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    for (std::size_t i = 0; i < 84; ++i) dx.Control(kCellIds[i], cells[i]);
  }
  void OnCell(int slot) { mask[std::size_t(slot)] = static_cast<unsigned char>(cells[std::size_t(slot)].GetCheck()); }
  void OnDay(int day) {
    last_day = day;
    for (int h = 0; h < 12; ++h) {
      cells[std::size_t(day * 12 + h)].SetCheck(1);
      mask[std::size_t(day * 12 + h)] = 1;
    }
  }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(WeekGrid, Dialog)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_COMMAND_RANGE(kFirstDayHeader, kFirstDayHeader + 6, OnDay)
KT_END_MESSAGE_MAP()

TEST(WeekGridPage, EveryCellReachesItsSlotAndColoursItself) {
  register_dialog_templates(kTemplates);
  EXPECT_TRUE(lint_dialog_template(kTemplates[0]).empty());
  TestDriver ui;
  WeekGrid grid;
  ASSERT_TRUE(grid.Create(nullptr));
  grid.ShowWindow(kSwShow);
  struct Case { int day, hour; } cases[] = {{0, 0}, {0, 9}, {1, 9}, {3, 10}, {6, 11}, {6, 8}};
  for (const Case& c : cases) {
    ASSERT_TRUE(ui.Click(grid, cell_id(c.day, c.hour))) << c.day << "," << c.hour;
    EXPECT_EQ(grid.mask[std::size_t(c.day * 12 + c.hour)], 1) << c.day << "," << c.hour;
  }
  EXPECT_EQ(std::count(grid.mask.begin(), grid.mask.end(), 1), 6);
  ui.Click(grid, cell_id(0, 0));  // a second click clears
  EXPECT_EQ(grid.mask[0], 0);
  ui.Click(grid, kFirstDayHeader + 2);
  EXPECT_EQ(grid.last_day, 2);
  EXPECT_EQ(std::count(grid.mask.begin(), grid.mask.end(), 1), 17);
  DisplayList list = ui.Render(grid);
  EXPECT_EQ(list.LastFill(cell_id(2, 5)), rgb(131, 255, 170));
  EXPECT_EQ(list.LastFill(cell_id(0, 0)), kWindowColor);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
}  // namespace kt::ui
