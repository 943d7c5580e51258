// The derogation list driven headless on derogation files written by the
// test: rows and names of stored records, deleting the selected rows and
// all rows (the file keeps one empty record), refusals while a computation
// runs, and the search for derogations still in use, with the engine's
// load, apply and error count replaced by a model in which only one of two
// records lowers the errors (and, with the engine's own, a school without a
// timetable, where none is dropped).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <cerrno>
#include <cstring>

#include "pickers/constraint_copy_panels.h"
#include "pickers/exemption_list.h"
#include "constraints/constraint_pages.h"
#include "constraints/post_constraints_page.h"
#include "pickers/week_grid_times.h"
#include "pickers/week_grid_values.h"
#include "engine/text_lines.h"
#include "engine/timetable_view.h"
#include "platform/test_driver.h"
#include "schooldata/structure_file.h"
#include "shell/app_test_support.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "solver/exemptions.h"

namespace {

using namespace kt::ui;
using namespace kt_app_test;
using E = Cvedide;

ExemptionLine record(std::uint32_t id, std::uint32_t who, const char* note, bool automatic) {
  ExemptionLine l{};
  or_set_exemption_word(l.record, kExemptionIdOffset, id);
  or_set_exemption_word(l.record, id < 75 ? kExemptionTeacherOffset : kExemptionClassOffset, who);
  std::strcpy(reinterpret_cast<char*>(l.record.bytes + kExemptionTextOffset), note);
  l.record.bytes[197] = automatic ? 1 : 0;
  char text[4 + 2 * kExemptionRecordSize + 8];
  or_format_exemption_line(l.record, text, sizeof text);
  l.text.assign(text, std::strlen(text) - 2);
  return l;
}

class ExemptionList : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    fs::create_directories(data_root() / "scuola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
    std::strcpy(g_timetable_view.teacher_names[2], "ROSSI");
    std::strcpy(g_timetable_view.class_display_names[1], "2A");
    path_ = vedide_file_path(false);
  }
  void TearDown() override {
    if (view_.IsWindow()) view_.DestroyWindow();
    std::memset(&g_timetable_view.teacher_names[2], 0, kNameSize);
    std::memset(&g_timetable_view.class_display_names[1], 0, kNameSize);
    std::memset(g_timetable_view.day_codes, 0, sizeof g_timetable_view.day_codes);
    TempRoot::TearDown();
  }
  int Rows() { return static_cast<ListView*>(view_.GetDlgItem(E::kListId))->GetItemCount(); }
  std::string Cell(int row, int column) {
    return static_cast<ListView*>(view_.GetDlgItem(E::kListId))->GetItemText(row, column);
  }
  std::vector<ExemptionLine> Stored() {
    std::vector<ExemptionLine> lines;
    vedide_read_file(path_, lines);
    return lines;
  }

  TestDriver ui;
  Cvedide view_;
  std::string path_;
  std::uint8_t running_ = 0;
};

TEST_F(ExemptionList, ListsDeletesAndRefusesWhileRunning) {
  ASSERT_TRUE(vedide_write_file(path_, {}));
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  EXPECT_EQ(Rows(), 0);  // only the empty record
  view_.DestroyWindow();

  ASSERT_TRUE(vedide_write_file(path_, {record(5, 2, "troppe ore", false), record(80, 1, "", true),
                                        record(7, 2, "buche", false)}));
  view_.m_running = &running_;
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  ASSERT_EQ(Rows(), 3);
  EXPECT_EQ(Cell(0, 2), "ROSSI");
  EXPECT_EQ(Cell(0, 5), "troppe ore");
  EXPECT_EQ(Cell(1, 2), "2A");
  EXPECT_EQ(Cell(1, 6), "automatica");

  // While a computation runs nothing is deleted and the buttons go grey.
  running_ = 1;
  ui.Select(view_, E::kListId, 0);
  ui.Click(view_, E::kDeleteSelectedId);  // still enabled until the timer runs
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(Stored().size(), 3u);
  ui.Advance(E::kTimerMs);
  EXPECT_FALSE(ui.IsEnabled(view_, E::kDeleteAllId));
  running_ = 0;
  ui.Advance(E::kTimerMs);
  ASSERT_TRUE(ui.IsEnabled(view_, E::kDeleteSelectedId));

  ui.Click(view_, E::kDeleteSelectedId);
  ASSERT_EQ(Stored().size(), 2u);
  EXPECT_EQ(or_exemption_id(Stored()[0].record), 80);
  EXPECT_EQ(Rows(), 2);

  ui.Advance(E::kTimerMs);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(view_, E::kDeleteAllId);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Stored().size(), 0u);
  std::string file = read(path_);
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1);  // one empty record stays
  EXPECT_TRUE(ui.Problems().empty());
}

// The disk fails while the list is read for a deletion: nothing is written
// back, so the records past the failure are not lost.
TEST_F(ExemptionList, AReadErrorDeletesNothing) {
  ASSERT_TRUE(vedide_write_file(path_, {record(5, 2, "A", false), record(7, 2, "B", false),
                                        record(9, 2, "C", false)}));
  std::string before = read(path_);
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  ASSERT_EQ(Rows(), 3);
  LineByteSource saved = g_line_byte_source;
  static long served;
  served = 0;
  g_line_byte_source = [](std::FILE* stream) {
    if (served++ >= 500) {
      errno = EIO;
      return kLineReadError;
    }
    return std::fgetc(stream);
  };
  ui.Select(view_, E::kListId, 0);
  ui.Click(view_, E::kDeleteSelectedId);
  std::vector<ExemptionLine> lines;
  served = 0;
  EXPECT_FALSE(vedide_read_file(path_, lines));
  g_line_byte_source = saved;
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(read(path_), before);
}

TEST_F(ExemptionList, UnusedDerogationsAreDroppedAndUsedOnesKept) {
  // Record "A" removes one error, record "B" none.
  std::vector<ExemptionLine> lines = {record(5, 2, "A", false), record(7, 2, "B", false)};
  int applied_a = 0;
  ExemptionTrialHooks hooks;
  hooks.load = [&] {
    applied_a = 0;
    return true;
  };
  hooks.apply = [&](const StoredExemption& r) { applied_a += std::strcmp((const char*)r.bytes + 26, "A") == 0; };
  hooks.errors = [&] { return std::int32_t(3 - applied_a); };
  ASSERT_TRUE(vedide_write_file(path_, lines));
  view_.m_hooks = hooks;
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  ui.Click(view_, E::kDeleteUnusedId);
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].text, lines[0].text);
  EXPECT_EQ(Rows(), 1);

  hooks.load = [] { return false; };  // the school cannot be loaded: nothing changes
  view_.m_hooks = hooks;
  ui.ClearBeeps();
  ui.Advance(E::kTimerMs);  // the buttons come back with the timer
  ui.Click(view_, E::kDeleteUnusedId);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(Stored().size(), 1u);
}

// With the engine's own load: a school that has no timetable yet has no
// derogation to try, so none is dropped.
TEST_F(ExemptionList, WithoutATimetableNoDerogationIsDropped) {
  ASSERT_TRUE(vedide_write_file(path_, {record(5, 2, "A", false), record(7, 2, "B", false)}));
  std::string before = read(path_);
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  std::size_t shown = ui.boxes().size();
  ui.Click(view_, E::kDeleteUnusedId);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(read(path_), before);
  EXPECT_EQ(Rows(), 2);
  ASSERT_GT(ui.boxes().size(), shown) << "the engine says why";
  EXPECT_NE(ui.boxes().back().texts.at(0).find("Manca file descrizione scuola"), std::string::npos);
}

// A header click sorts by its column and the order stays through the
// reloads a deletion makes; the Delete key deletes the selected row; a
// file changed on disk shows with the next timer tick; the help button
// explains the buttons and the end button closes the window.
TEST_F(ExemptionList, SortsByAColumnDeletesWithTheKeyAndFollowsTheFile) {
  ASSERT_TRUE(vedide_write_file(path_, {record(5, 2, "C", false), record(7, 2, "A", false),
                                        record(9, 2, "B", false)}));
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  ui_reset_list_sort_directions();
  ASSERT_TRUE(ui.ClickHeader(view_, E::kListId, 5));  // the first click sorts downwards
  EXPECT_EQ(Cell(0, 5) + Cell(1, 5) + Cell(2, 5), "CBA");
  ASSERT_TRUE(ui.ClickHeader(view_, E::kListId, 5));
  EXPECT_EQ(Cell(0, 5) + Cell(1, 5) + Cell(2, 5), "ABC");
  EXPECT_EQ(Cell(0, 0), "2");  // the row keeps its number in the file

  ASSERT_TRUE(ui.Select(view_, E::kListId, 0));
  ui.Key(kVkDelete);
  ASSERT_EQ(Stored().size(), 2u);
  EXPECT_EQ(Stored()[0].text, record(5, 2, "C", false).text);
  EXPECT_EQ(Stored()[1].text, record(9, 2, "B", false).text);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 5) + Cell(1, 5), "BC");

  ASSERT_TRUE(vedide_write_file(path_, {record(11, 2, "D", false)}));
  fs::last_write_time(path_, fs::last_write_time(path_) + std::chrono::seconds(5));
  ui.Advance(E::kTimerMs);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 5), "D");

  ui.Click(view_, E::kHelpButtonId);
  EXPECT_EQ(ui.Text(view_, E::kHelpId).rfind("Selezionate le deroghe da cancellare.", 0), 0u);
  ui.Click(view_, E::kEndId);
  EXPECT_FALSE(view_.IsWindow());
  EXPECT_TRUE(ui.Problems().empty());
}

// An empty file found on opening is made again holding the one empty
// record the engine's writer appends to.
TEST_F(ExemptionList, AnEmptyFileGetsItsEmptyRecordOnOpening) {
  { std::ofstream(path_, std::ios::binary | std::ios::trunc); }
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  EXPECT_EQ(Rows(), 0);
  std::string file = read(path_);
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1);
  EXPECT_TRUE(Stored().empty());
}

}  // namespace

namespace {

// Every template of the constraint pages, pickers and panels is sound, and
// the post page, the copy panels and the derogation list hold every control
// their code binds.
TEST(ConstraintPageTemplates, AreSoundAndHoldEveryBoundControl) {
  constraints_install_pages();
  ui_register_copy_panel_templates();
  ui_register_exemption_list_template();
  ui_register_week_times_templates();
  ui_register_week_values_templates();
  EXPECT_EQ(kt::ui::lint_all_dialog_templates(), std::vector<std::string>{});
  Cvicat page;
  Ccopypas post_panel;
  Ccopysma calendar_panel;
  Cvedide list;
  const std::pair<int, kt::ui::Dialog*> dialogs[] = {
      {Cvicat::kTemplate, &page}, {Ccopypas::kTemplate, &post_panel}, {Ccopysma::kTemplate, &calendar_panel},
      {Cvedide::kTemplate, &list}};
  for (auto [id, dialog] : dialogs) {
    const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    EXPECT_EQ(kt::ui::lint_bound_ids(*t, dialog->BoundControlIds()), std::vector<std::string>{}) << id;
  }
}

// A record naming a teacher or class outside the school's tables (a file
// from another school, a damaged one) shows no name, whatever the view holds
// beside its tables (here the day codes a loaded school has).
TEST_F(ExemptionList, ARecordOutsideTheSchoolsTablesShowsNoName) {
  const char* days[] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  for (std::size_t d = 0; d < sizeof g_timetable_view.day_codes / sizeof g_timetable_view.day_codes[0] && d < 7; ++d)
    std::memcpy(g_timetable_view.day_codes[d], days[d], 3);
  const struct {
    std::uint32_t id, who;
    const char* name;
  } cases[] = {
      {5, 2, "ROSSI"},
      {5, 0xFFFFFFFFu, ""},
      {5, kMaxTeachers, ""},
      {80, 1, "2A"},
      {80, 0xFFFFFFFFu, ""},
      {80, kMaxClasses, ""},
  };
  std::vector<ExemptionLine> lines;
  for (const auto& c : cases) lines.push_back(record(c.id, c.who, "", false));
  ASSERT_TRUE(vedide_write_file(path_, lines));
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  ASSERT_EQ(Rows(), static_cast<int>(std::size(cases)));
  for (int r = 0; r < Rows(); ++r) EXPECT_EQ(Cell(r, 2), cases[r].name) << r;
}

// The service mode's button marks every stored derogation automatic, each
// record otherwise as it was, and the list says so; outside the service
// mode the button is not shown; while a computation runs it changes nothing.
TEST_F(ExemptionList, TheServiceButtonMarksEveryDerogationAutomatic) {
  ASSERT_TRUE(vedide_write_file(path_, {record(5, 2, "troppe ore", false), record(80, 1, "", true)}));
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  EXPECT_FALSE(ui.IsVisible(view_, E::kFakeAutomaticId)) << "not in the plain mode";
  view_.DestroyWindow();

  g_service_mode = 1;
  view_.m_running = &running_;
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  g_service_mode = 0;
  EXPECT_TRUE(ui.IsVisible(view_, E::kFakeAutomaticId));
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 6), "");
  running_ = 1;
  ui.Click(view_, E::kFakeAutomaticId);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(Stored()[0].record.bytes[197], 0) << "refused while running";
  running_ = 0;
  ui.Click(view_, E::kFakeAutomaticId);
  std::vector<ExemptionLine> stored = Stored();
  ASSERT_EQ(stored.size(), 2u);
  for (const ExemptionLine& l : stored) EXPECT_EQ(l.record.bytes[197], 1);
  EXPECT_EQ(or_exemption_id(stored[0].record), 5);
  EXPECT_STREQ(reinterpret_cast<const char*>(stored[0].record.bytes + kExemptionTextOffset), "troppe ore");
  EXPECT_EQ(stored[0].text, record(5, 2, "troppe ore", true).text) << "the line as the engine writes it";
  EXPECT_EQ(or_exemption_id(stored[1].record), 80);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 6), "automatica");
  EXPECT_EQ(Cell(1, 6), "automatica");
  EXPECT_EQ(Cell(0, 5), "troppe ore");
  EXPECT_TRUE(ui.Problems().empty());
}

// The list's columns: their headings in order, each as wide as 8 pixels a
// character of its heading (16 for the error's description and the notes),
// the ranking and the quantity kept out of sight at no width.
TEST_F(ExemptionList, TheColumnsAreAsWideAsTheirHeadings) {
  ASSERT_TRUE(vedide_write_file(path_, {record(5, 2, "troppe ore", false)}));
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  auto* list = static_cast<ListView*>(view_.GetDlgItem(E::kListId));
  ASSERT_EQ(list->GetColumnCount(), 7);
  std::vector<int> widths;
  std::vector<std::string> headings;
  for (int c = 0; c < 7; ++c) {
    widths.push_back(list->GetColumnWidth(c));
    headings.push_back(list->GetColumnHeading(c));
  }
  EXPECT_EQ(headings, (std::vector<std::string>{"Num", "Descrizione dell'errore", "Professore o classe", "Classifica",
                                                "Quantit\xE0", "Annotazioni", "Tipologia"}));
  EXPECT_EQ(widths, (std::vector<int>{8 * 3, 16 * 23, 8 * 19, 0, 0, 16 * 11, 8 * 9}));
}

}  // namespace

namespace {

// Lines the list cannot show (cut, damaged, too long, a length past the
// record's) are the officer's: every rewrite keeps them as they were, and a
// file that holds only such lines is not made again on opening.
TEST_F(ExemptionList, LinesItCannotShowSurviveEveryRewrite) {
  const std::string cut = "0219ab";
  const std::string damaged = "zz19" + std::string(438, '0') + "note di mano";
  const std::string too_long = "0219" + std::string(900, '1');
  const std::string past_the_record = "0300" + std::string(600, 'a');
  const std::string others[] = {cut, damaged, too_long, past_the_record};
  {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << cut << "\r\n" << record(5, 2, "A", false).text << "\r\n" << damaged << "\r\n"
        << record(7, 2, "B", false).text << "\r\n" << too_long << "\r\n" << past_the_record << "\r\n";
  }
  auto kept_as_they_were = [&](const char* when) {
    std::string file = read(path_);
    for (const std::string& line : others)
      EXPECT_NE(file.find(line + "\r\n"), std::string::npos) << when << ": " << line.substr(0, 16);
  };
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  view_.ShowPanel(true);
  ASSERT_EQ(Rows(), 2);

  ASSERT_TRUE(ui.Select(view_, E::kListId, 0));
  ui.Click(view_, E::kDeleteSelectedId);
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].text, record(7, 2, "B", false).text);
  kept_as_they_were("deleting a row");

  ui.Advance(E::kTimerMs);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(view_, E::kDeleteAllId);
  EXPECT_EQ(Rows(), 0);
  EXPECT_TRUE(Stored().empty());
  kept_as_they_were("deleting all");

  // Only such lines left: opening again leaves the file as it is.
  std::string before = read(path_);
  view_.DestroyWindow();
  ASSERT_EQ(view_.CreatePanel(nullptr), 1);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(read(path_), before);
  EXPECT_EQ(ui.beeps(), 0);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
