// The list utilities: column widths saved, restored and fitted; sorting by
// a column and the grouped sort of posts; classical class codes; the
// extended list's cell colours and row data; tinting a bitmap and loading
// one on white.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/bitmap_colours.h"
#include "shell/dialog_ml.h"
#include "shell/list_ctrl_ex.h"
#include "shell/list_utilities.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9612, kList = 1401, kEx = 1403, kBox = 1404;
const ControlTemplate kControls[] = {
    {"ListView", kList, "", kLvsReport, 0, 0, 200, 100},
    {"ListView", kEx, "", kLvsReport, 0, 160, 200, 100},
    {"ListBox", kBox, "", kWsVScroll, 0, 104, 100, 50},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Liste", kWsPopup | kWsCaption, 0, 0, 210, 270, kControls},
};

class Page : public CDialogML {
 public:
  Page() : CDialogML(kTemplate) {}
  ListView list;
  CListCtrlEx ex;
  ListBox box;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kList, list);
    dx.Control(kEx, ex);
    dx.Control(kBox, box);
  }
};

struct ListUtilities : ::testing::Test {
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ui_reset_list_sort_directions();
    ASSERT_TRUE(page.Create(nullptr));
  }
  std::string Widths(ListView& list) {
    std::string out;
    for (int c = 0; c < list.GetColumnCount(); ++c) out += (c ? "," : "") + std::to_string(list.GetColumnWidth(c));
    return out;
  }
  static std::string Column(ListView& list, int column) {
    std::string out;
    for (int r = 0; r < list.GetItemCount(); ++r) out += (r ? "," : "") + list.GetItemText(r, column);
    return out;
  }
  std::string Column(int column) { return Column(page.list, column); }
  TestDriver ui;
  Page page;
};

TEST_F(ListUtilities, SaveAndRestoreWidths) {
  for (int c = 0; c < 4; ++c) page.list.InsertColumn(c, "C", kLvcfmtLeft, 50 + c);
  ListColumnWidths widths{};
  ui_save_list_column_widths(2, 99, page.list, widths);
  EXPECT_EQ(widths[0], 50);
  EXPECT_EQ(widths[2], 99);
  EXPECT_EQ(widths[3], 53);
  EXPECT_EQ(widths[4], 0);

  ListColumnWidths zeros{};
  EXPECT_EQ(ui_restore_list_column_widths(page.list, zeros), 0);
  EXPECT_EQ(Widths(page.list), "50,51,52,53");

  ListColumnWidths stored{100, 80, 120, 5};
  EXPECT_EQ(ui_restore_list_column_widths(page.list, stored), 1);
  EXPECT_EQ(Widths(page.list), "100,80,120,20");

  ListColumnWidths shrinking{90, 70};  // only ever narrower: still a layout
  EXPECT_EQ(ui_restore_list_column_widths(page.list, shrinking), 1);
  EXPECT_EQ(Widths(page.list), "90,70,20,20");
}

TEST_F(ListUtilities, FitNarrowsTheWidestUntilItFits) {
  for (int c = 0; c < 4; ++c) page.list.InsertColumn(c, "C", kLvcfmtLeft, 100);
  int available = page.list.GetWindowRect().Width() - 4;
  ui_fit_list_columns(page.list, 0, 1, false);
  int sum = page.list.GetColumnWidth(2) + page.list.GetColumnWidth(3);
  EXPECT_EQ(page.list.GetColumnWidth(0), 0);
  EXPECT_EQ(page.list.GetColumnWidth(1), 100);
  EXPECT_LE(sum, available);
}

TEST_F(ListUtilities, ContentFitSharesTheExcess) {
  page.list.InsertColumn(0, "Codice", kLvcfmtLeft, 10);
  page.list.InsertColumn(1, "Disciplina insegnata in classe", kLvcfmtLeft, 10);
  page.list.InsertColumn(2, "Docenti", kLvcfmtLeft, 10);
  page.list.InsertItem(0, "x");
  page.list.SetItemText(0, 2, "Professoressa Maria Bianchi della sede");
  int w1 = ui_list_heading_width(page.list, 1), w2 = ui_list_content_width(page.list, 2);
  int w0 = ui_list_heading_width(page.list, 0);
  int width = page.list.GetWindowRect().Width();
  int excess = w0 + w1 + w2 - width, q = excess / 2, r = excess % 2;
  ASSERT_GT(excess, 0);
  ui_fit_list_columns_to_content(page.list, -1, 0);
  EXPECT_EQ(page.list.GetColumnWidth(0), w0);
  EXPECT_EQ(page.list.GetColumnWidth(1), w1 - q - r);
  EXPECT_EQ(page.list.GetColumnWidth(2), w2 - q);
}

TEST_F(ListUtilities, SortTurnsOnTheSecondClickAndKeepsRowsWhole) {
  page.list.InsertColumn(0, "Nome");
  page.list.InsertColumn(1, "Ore");
  const char* names[] = {"bianchi", "Rossi", "Verdi", "Anna"};
  for (int i = 0; i < 4; ++i) {
    page.list.InsertItem(i, names[i], std::uintptr_t(10 + i));
    page.list.SetItemText(i, 1, std::to_string(i));
  }
  // The direction is remembered for the whole run: start from a known one.
  EXPECT_EQ(ui_sort_list_by_column(page.list, 0, 0, kListSortAscending), 0);
  EXPECT_EQ(ui_sort_list_by_column(page.list, 0, 0, 0), 0);
  EXPECT_EQ(Column(0), "Verdi,Rossi,bianchi,Anna");
  EXPECT_EQ(Column(1), "2,1,0,3");
  EXPECT_EQ(page.list.GetItemData(0), 12u);
  EXPECT_EQ(ui_list_sort_direction(0), 2);
  EXPECT_EQ(ui_sort_list_by_column(page.list, 0, 0, 0), 0);
  EXPECT_EQ(Column(0), "Anna,bianchi,Rossi,Verdi");
  EXPECT_EQ(ui_sort_list_by_column(page.list, 0, 1, kListSortKeep), 0);
  EXPECT_EQ(Column(0), "Anna,bianchi,Rossi,Verdi");
  EXPECT_EQ(ui_sort_list_by_column(page.list, 0, 1, kListSortDescending), 0);
  EXPECT_EQ(Column(0), "Anna,Verdi,Rossi,bianchi");  // the first row stays
  EXPECT_EQ(ui_sort_list_by_column(page.list, 5, 0, 0), -1);
  EXPECT_EQ(ui_sort_list_by_column(page.list, 0, -1, 0), -2);
}

TEST_F(ListUtilities, GroupedSortKeepsTeacherRowsTogether) {
  for (int c = 0; c < 5; ++c) page.list.InsertColumn(c, "C");
  struct Row {
    const char* teacher;
    const char* subject;
    const char* fifth;
  } rows[] = {{"Rossi", "b", "x"}, {"Bianchi", "c", ""}, {"Rossi", "d", ""}, {"Bianchi", "a", ""}, {"Totale", "", ""}};
  for (int i = 0; i < 5; ++i) {
    page.list.InsertItem(i, rows[i].teacher);
    page.list.SetItemText(i, 1, rows[i].subject);
    page.list.SetItemText(i, 4, rows[i].fifth);
  }
  EXPECT_EQ(ui_sort_grouped_list_by_column(page.list, 1), 0);  // descending first
  EXPECT_EQ(Column(0), "Rossi,Rossi,Bianchi,Bianchi,Totale");
  EXPECT_EQ(Column(1), "d,b,c,a,");
  EXPECT_EQ(ui_sort_grouped_list_by_column(page.list, 1), 0);
  EXPECT_EQ(Column(0), "Bianchi,Bianchi,Rossi,Rossi,Totale");
  EXPECT_EQ(Column(1), "a,c,d,b,");  // the filled fifth column follows its group
}

TEST(ListClassSort, ClassicalCodes) {
  const char* cases[][2] = {{"IVAc", "1Ac"}, {"VBc", "2Bc"}, {"IAc", "3Ac"}, {"IIAc", "4Ac"},
                            {"IIIB", "5B"},  {"Liceo:IIIBx", "5Bx"}, {"XA", "?XA"}};
  for (const auto& c : cases) EXPECT_EQ(og_classical_class_code(c[0]), c[1]) << c[0];
}

// Class order: track text, section, year for modern labels; the classical
// ones by their code's track, section and year.
TEST_F(ListUtilities, ClassBoxSortedIntoClassOrder) {
  for (const char* label : {"2B", "1B", "2A", "IIIAc", "IVBc", "IVAc", "1Ax", "1A"}) page.box.AddString(label);
  og_sort_class_list_box(page.box);
  std::string order;
  for (int i = 0; i < page.box.GetCount(); ++i) order += (i ? "," : "") + page.box.GetText(i);
  EXPECT_EQ(order, "1A,2A,1B,2B,IVAc,IIIAc,IVBc,1Ax");
}

TEST_F(ListUtilities, ExtendedListRowAndColumnColoursAndRowDeletion) {
  CListCtrlEx& list = page.ex;
  list.InsertColumn(0, "Nome", kLvcfmtLeft, 80);
  list.InsertColumn(1, "Ore", kLvcfmtLeft, 60);
  for (const char* name : {"ROSSI", "BIANCHI", "VERDI"}) list.InsertItem(list.GetItemCount(), name, 7);
  const Color red = rgb(255, 0, 0), blue = rgb(0, 0, 255), green = rgb(0, 255, 0);
  list.SetColumnColors(1, green, kNoColor);
  list.SetRowColors(1, blue, kNoColor);
  list.SetCellColors(1, 1, red, kNoColor);
  Color back = 0, text = 0;
  list.CellColors(1, 1, back, text);
  EXPECT_EQ(back, red);  // the cell first
  list.CellColors(1, 0, back, text);
  EXPECT_EQ(back, blue);  // then its row
  list.CellColors(2, 1, back, text);
  EXPECT_EQ(back, green);  // then its column
  EXPECT_TRUE(list.SetItemData(2, 42));
  EXPECT_TRUE(list.DeleteItem(1));
  EXPECT_EQ(Column(list, 0), "ROSSI,VERDI");
  EXPECT_EQ(list.GetItemData(1), 42u);
  list.CellColors(1, 0, back, text);
  EXPECT_EQ(back, list.DefaultBack());  // the deleted row's colours went with it
}

TEST_F(ListUtilities, ExtendedListCellColoursAndDataFollowTheirRow) {
  CListCtrlEx& list = page.ex;
  list.InsertColumn(0, "Nome", kLvcfmtLeft, 80);
  list.InsertColumn(1, "Ore", kLvcfmtLeft, 60);
  std::uintptr_t data = 100;
  for (const char* name : {"ROSSI", "BIANCHI", "VERDI"}) list.InsertItem(list.GetItemCount(), name, data++);
  const Color red = rgb(255, 0, 0), blue = rgb(0, 0, 255);
  list.SetCellColors(1, 1, kNoColor, red);  // only a text colour
  list.SetCellColors(2, 0, blue, red);
  list.SetCellColors(7, 0, blue, red);  // out of range: ignored
  Color back = 0, text = 0;
  list.CellColors(1, 1, back, text);
  EXPECT_EQ(back, list.DefaultBack());
  EXPECT_EQ(text, red);
  list.CellColors(1, 0, back, text);
  EXPECT_EQ(text, list.DefaultText());
  list.InsertItem(0, "NERI", 99);  // rows below move, their records with them
  EXPECT_EQ(Column(list, 0), "NERI,ROSSI,BIANCHI,VERDI");
  EXPECT_EQ(list.FindItem({CListCtrlEx::kFindParam, {}, 102}), 3);
  EXPECT_EQ(list.FindItem({CListCtrlEx::kFindParam, {}, 100}, 1), -1);  // only rows after the start
  EXPECT_EQ(list.GetItemData(0), 99u);
  list.CellColors(3, 0, back, text);
  EXPECT_EQ(back, blue);
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.FindItem({CListCtrlEx::kFindParam, {}, 102}), -1);
}

}  // namespace

namespace {

using namespace kt::ui;

// Tinting paints every pixel but the white ones; loading a resource on white
// turns exactly its (236, 233, 216) pixels white, and an unknown resource
// leaves the bitmap alone. Pixels are blue, green, red, unused.
// Texts right-aligned by blanks in front, as the band tables' columns are:
// up to the width asked (8 pixels a character without a device context),
// never beyond the length limit; a text already wide enough stays.
TEST(ListTextWidth, PaddedInFrontUpToTheWidthOrTheLimit) {
  const struct {
    const char* text;
    int pixels, limit;
    const char* padded;
    int width;
  } cases[] = {{"12", 40, 200, "   12", 40}, {"12", 44, 200, "    12", 48}, {"12", 40, 4, "  12", 32},
               {"12345", 40, 200, "12345", 40}, {"", 16, 200, "  ", 16}};
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(og_pad_text_to_width(nullptr, text, c.pixels, c.limit), c.width) << c.text << " " << c.pixels;
    EXPECT_EQ(text, c.padded) << c.text << " " << c.pixels;
  }
}

TEST(BitmapColours, TintAndWhiteBackground) {
  const std::vector<std::uint8_t> pixels = {
      255, 255, 255, 0,  // white
      216, 233, 236, 0,  // the old dialog grey
      216, 233, 235, 7,  // one step off it
      0,   0,   0,   9,  // black
  };
  Bitmap32 picture{2, 2, pixels};
  og_tint_bitmap(picture, rgb(10, 20, 30));
  EXPECT_EQ(picture.bits, (std::vector<std::uint8_t>{255, 255, 255, 0, 30, 20, 10, 0, 30, 20, 10, 7, 30, 20, 10, 9}));

  ui_register_bitmap_resource(9631, Bitmap32{2, 2, pixels});
  Bitmap32 loaded;
  ASSERT_TRUE(og_load_bitmap_on_white(loaded, 9631));
  EXPECT_EQ(loaded.width, 2);
  EXPECT_EQ(loaded.bits, (std::vector<std::uint8_t>{255, 255, 255, 0, 255, 255, 255, 0, 216, 233, 235, 7, 0, 0, 0, 9}));
  Bitmap32 kept = loaded;
  EXPECT_FALSE(og_load_bitmap_on_white(kept, 9632));
  EXPECT_EQ(kept.bits, loaded.bits);

  Bitmap32 short_bits{4, 4, {1, 2, 3, 4, 5}};  // fewer bits than its size says
  og_tint_bitmap(short_bits, rgb(0, 0, 0));
  EXPECT_EQ(short_bits.bits, (std::vector<std::uint8_t>{0, 0, 0, 4, 5}));
}

// Tinting keeps only pure white: a pixel with one or two full channels is
// tinted like any other.
TEST(BitmapColours, TintKeepsOnlyPureWhite) {
  const struct {
    std::uint8_t b, g, r;
    bool kept;
  } cases[] = {{255, 255, 255, true}, {255, 255, 0, false}, {0, 255, 255, false}, {255, 0, 255, false},
               {0, 0, 255, false},    {255, 0, 0, false},   {254, 255, 255, false}};
  for (const auto& c : cases) {
    Bitmap32 picture{1, 1, {c.b, c.g, c.r, 0}};
    og_tint_bitmap(picture, rgb(10, 20, 30));
    std::vector<std::uint8_t> expected = c.kept ? std::vector<std::uint8_t>{c.b, c.g, c.r, 0}
                                                : std::vector<std::uint8_t>{30, 20, 10, 0};
    EXPECT_EQ(picture.bits, expected) << int(c.b) << "," << int(c.g) << "," << int(c.r);
  }
}

}  // namespace
