// The three-week split tool on a school of two classes: teacher ROSSI has
// 3 h in 1A (1 h of them co-taught), BIANCHI 3 h in 1A and 3 h in 2A.
// The search keeps twice each post's hours over the three weeks, its best
// split is reported and scored; saving writes three week folders whose
// files hold that week's hours, and the school in memory stays as it was;
// an endless search ends on "stop THREAD".
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "../engine/loader_harness.h"
#include "platform/paths.h"
#include "platform/test_driver.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_files.h"
#include "schooldata/model_utilities.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "structure/week_split.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

void two_class_school() {
  og_clear_structure();
  og_clear_school_blocks();
  g_ui_structure.track_count = 1;
  std::strcpy(g_ui_structure.track_names[0], "UNICO");
  g_ui_structure.class_count = 2;
  std::strcpy(g_ui_structure.classes[0].code, "1A");
  std::strcpy(g_ui_structure.classes[1].code, "2A");
  std::strcpy(g_ui_header.school_name, "Liceo");
  std::strcpy(g_ui_structure.subjects[0].name, "ITALIANO");
  g_ui_structure.subject_count = 1;
  g_ui_settings.teacher_count = 2;
  og_init_teacher(0, "ROSSI");
  og_init_teacher(1, "BIANCHI");
  auto post = [](int t, int class_index, int hours, int second) {
    UiTeachingPost& p = g_ui_teachers[t].posts[g_ui_teachers[t].post_count++];
    og_reset_teaching_post(p);
    p.class_index = class_index;
    p.subject = 0;
    p.own.hours = std::int8_t(hours);
    p.partner_part.hours = std::int8_t(second);
  };
  post(0, 0, 3, 1);
  post(1, 0, 3, 0);
  post(1, 1, 3, 0);
}

TEST(WeekSplitSearch, BuildKeepsTwiceEachPostAndScoresTeacherWeeks) {
  WeekSplitSearch search;
  search.Load({{0, 0, 0, 3, 1}, {1, 0, 0, 3, 0}, {1, 1, 1, 3, 2}, {1, 2, -1, 2, 2}}, 2, 2);
  std::mt19937 random(5);
  for (int trial = 0; trial < 20; ++trial) {
    WeekSplit split;
    ASSERT_TRUE(search.Build(random, split)) << trial;
    for (std::size_t i = 0; i < 4; ++i) {
      int hours = search.Posts()[i].hours_a, lab = search.Posts()[i].hours_b, sum = 0, lab_sum = 0;
      for (int w = 0; w < 3; ++w) {
        EXPECT_GE(split.a[w][i], 0);
        EXPECT_LE(split.a[w][i], hours);
        EXPECT_GE(split.b[w][i], 0);
        EXPECT_LE(split.b[w][i], std::min(lab, split.a[w][i]));  // no lab hour without its main hour
        sum += split.a[w][i];
        lab_sum += split.b[w][i];
      }
      EXPECT_EQ(sum, 2 * hours) << trial << " post " << i;
      EXPECT_EQ(lab_sum, 2 * lab) << trial << " post " << i;  // 3 h with 1 in the lab: 2 lab hours
    }
  }
  // Hand-made splits: ROSSI 2/2/2, BIANCHI 4/4/4 scores 0; ROSSI 3/2/1 adds
  // 1 + 4 + 1.
  WeekSplit even;
  even.a[0] = {2, 2, 2, 0};
  even.a[1] = {2, 1, 1, 2};
  even.a[2] = {2, 3, 1, 0};
  EXPECT_EQ(search.Score(even), 0);
  WeekSplit uneven = even;
  uneven.a[0][0] = 3;
  uneven.a[2][0] = 1;
  EXPECT_EQ(search.Score(uneven), 6);
  EXPECT_EQ(search.ClassWeek(uneven, 0, 0), 5);
  EXPECT_EQ(search.TotalsLine(uneven), "Ore totali: 7 \t | \t Ore totali: 6 \t | \t Ore totali: 5 \t | \t ");
}

// A post with more partner hours than its own (the model allows it until
// written; the files cannot hold it): no week gets more lab hours than main
// hours, and the three weeks hold twice the lab hours the post can carry.
TEST(WeekSplitSearch, NoWeekHoldsMoreLabHoursThanMainHours) {
  WeekSplitSearch search;
  search.Load({{0, 0, 0, 1, 2}, {0, 1, 0, 2, 3}, {0, 2, 0, 2, -1}}, 1, 1);
  std::mt19937 random(7);
  for (int trial = 0; trial < 20; ++trial) {
    WeekSplit split;
    ASSERT_TRUE(search.Build(random, split)) << trial;
    const int main_hours[3] = {1, 2, 2}, lab_hours[3] = {1, 2, 0};
    for (std::size_t i = 0; i < 3; ++i) {
      int sum = 0, lab_sum = 0;
      for (int w = 0; w < 3; ++w) {
        EXPECT_GE(split.b[w][i], 0) << trial << " post " << i;
        EXPECT_LE(split.b[w][i], split.a[w][i]) << trial << " post " << i << " week " << w;
        sum += split.a[w][i];
        lab_sum += split.b[w][i];
      }
      EXPECT_EQ(sum, 2 * main_hours[i]) << trial << " post " << i;
      EXPECT_EQ(lab_sum, 2 * lab_hours[i]) << trial << " post " << i;
    }
  }
}

class WeekSplitTool : public TempRoot {};

// Runs the tool: start, wait for the search, save, end; `seen` reads the
// window once the search is over.
void run_and_save(TestDriver& ui, Ccreate_crux& tool, const std::function<void(Dialog&)>& seen = nullptr) {
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(ui.IsEnabled(d, Ccreate_crux::kSaveId));  // nothing found yet
    ui.Click(d, Ccreate_crux::kStartId);
    tool.WaitForSearch();
    ui.Pump();
    if (seen) seen(d);
    ui.Click(d, Ccreate_crux::kSaveId);
    ui.Click(d, Ccreate_crux::kEndId);
  });
  tool.DoModal();
}

// The combination's report cannot be written (a folder stands in its
// place): the user is told which file and why, not left to look for a file
// that does not hold it; the folders are still saved.
TEST_F(WeekSplitTool, AReportThatCannotBeWrittenIsTold) {
  ui_register_toolkit_templates();
  fs::create_directories(data_root() / "liceo");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
  two_class_school();
  fs::create_directories(kt::translate_path("\\tmp\\COMBINAZIONI.txt"));
  TestDriver ui;
  Ccreate_crux tool;
  tool.m_trial_limit = 3;
  tool.m_seed = 11;
  bool save_after = false;
  ui.OnNextModal([&](Dialog& d) {
    // The box that tells of the report: it may come as soon as the click
    // hands the search its first messages.
    ui.AnswerNextModal(kt::ui::kIdOk);
    ui.Click(d, Ccreate_crux::kStartId);
    tool.WaitForSearch();
    ui.Pump();
    save_after = ui.IsEnabled(d, Ccreate_crux::kSaveId);
    ui.Click(d, Ccreate_crux::kSaveId);
    ui.Click(d, Ccreate_crux::kEndId);
  });
  tool.DoModal();
  EXPECT_TRUE(save_after);
  bool told = false;
  for (const auto& box : ui.boxes())
    for (const std::string& text : box.texts)
      told = told || text.find("Impossibile scrivere il file \\tmp\\COMBINAZIONI.txt") != std::string::npos;
  EXPECT_TRUE(told);
  std::vector<std::string> problems = ui.Problems();
  EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : problems.front());
  EXPECT_TRUE(fs::is_directory(kt::translate_path("\\tmp\\COMBINAZIONI.txt")));
}

TEST_F(WeekSplitTool, SearchReportsBestAndSavesThreeWeekFolders) {
  ui_register_toolkit_templates();
  fs::create_directories(data_root() / "liceo");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
  two_class_school();
  std::string folder = og_current_folder_path();
  TestDriver ui;
  Ccreate_crux tool;
  tool.m_trial_limit = 3;
  tool.m_seed = 11;
  bool save_after = false;
  std::string best_text;
  std::vector<std::string> list;
  run_and_save(ui, tool, [&](Dialog& d) {
    save_after = ui.IsEnabled(d, Ccreate_crux::kSaveId);
    best_text = ui.Text(d, Ccreate_crux::kBestId);
    auto& box = *static_cast<ListBox*>(d.GetDlgItem(Ccreate_crux::kListId));
    for (int i = 0; i < box.GetCount(); ++i) list.push_back(box.GetText(i));
  });
  ASSERT_TRUE(save_after);
  ASSERT_TRUE(tool.Found());
  const WeekSplit& best = tool.Best();
  EXPECT_EQ(tool.BestScore(), tool.Search().Score(best));
  EXPECT_EQ(best.b[0][0] + best.b[1][0] + best.b[2][0], 2);  // ROSSI's co-taught hour, twice over three weeks
  EXPECT_EQ(best_text, std::to_string(tool.BestScore()));
  // An empty line, two classes, two teachers, the totals: 6 hours a week.
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0], "");
  EXPECT_EQ(list[1].rfind("Classe 1A: ", 0), 0u);
  EXPECT_EQ(list[3].rfind("Profes ROSSI: ", 0), 0u);
  EXPECT_EQ(list[5], "Ore totali: 6 \t | \t Ore totali: 6 \t | \t Ore totali: 6 \t | \t ");
  std::ifstream report(kt::translate_path("\\tmp\\COMBINAZIONI.txt"));
  std::stringstream text;
  text << report.rdbuf();
  EXPECT_EQ(text.str().substr(0, 1), "\n");
  EXPECT_NE(text.str().find(list[5]), std::string::npos);

  // The model in memory is the school as it was.
  EXPECT_EQ(og_current_folder_path(), folder);
  EXPECT_STREQ(g_ui_header.school_name, "Liceo");
  EXPECT_EQ(g_ui_header.special_values[1], 0);
  EXPECT_EQ(g_ui_teachers[1].posts[1].own.hours, 3);

  // Each week folder holds its own week's hours, number and title.
  for (int w = 0; w < 3; ++w) {
    std::string week = folder + "_Settimana_" + char('A' + w);
    ASSERT_TRUE(og_set_current_folder(week.c_str())) << week;
    ASSERT_EQ(og_read_structure_file(0), 0) << og_structure_error();
    ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
    EXPECT_EQ(g_ui_header.special_values[0], w + 1);
    EXPECT_EQ(g_ui_header.special_values[1], 3);
    EXPECT_EQ(std::string(g_ui_header.school_name), std::string("Liceo Settimana ") + char('A' + w));
    ASSERT_EQ(+g_ui_settings.teacher_count, 2u);
    EXPECT_EQ(g_ui_teachers[0].posts[0].own.hours, best.a[w][0]) << w;
    EXPECT_EQ(g_ui_teachers[1].posts[1].own.hours, best.a[w][2]) << w;
  }
  // "stop THREAD" ends an endless search; whatever it found is reported.
  ASSERT_TRUE(og_set_current_folder(folder.c_str()));
  two_class_school();
  Ccreate_crux endless;
  bool start_again = false, save_matches = false;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ccreate_crux::kStartId);
    ui.Click(d, Ccreate_crux::kStopId);
    endless.WaitForSearch();
    ui.Pump();
    start_again = ui.IsEnabled(d, Ccreate_crux::kStartId);
    save_matches = ui.IsEnabled(d, Ccreate_crux::kSaveId) == endless.Found();
    ui.Click(d, Ccreate_crux::kEndId);
  });
  endless.DoModal();
  EXPECT_TRUE(start_again);
  EXPECT_TRUE(save_matches);
  EXPECT_TRUE(ui.Problems().empty());
  og_clear_structure();
  og_clear_school_blocks();
}

// On both sample schools every week folder's description loads in the
// engine, grouping rows included (a week's post may have fewer hours than
// its rows ask).
class WeekSplitSamples : public TempRoot, public ::testing::WithParamInterface<const char*> {};

TEST_P(WeekSplitSamples, EveryWeekFolderLoadsInTheEngine) {
  ui_register_toolkit_templates();
  copy_example(GetParam(), GetParam());
  ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + std::string(GetParam())).c_str()));
  TestDriver ui;
  ASSERT_TRUE(og_read_school_files(0));
  Ccreate_crux tool;
  tool.m_trial_limit = 3;
  tool.m_seed = 5;
  run_and_save(ui, tool);
  ASSERT_TRUE(tool.Found());
  for (int w = 0; w < 3; ++w) {
    std::string week = og_current_folder_path() + "_Settimana_" + char('A' + w);
    std::string written = read(kt::translate_path(week + "\\scuola2.txt"));
    ASSERT_FALSE(written.empty()) << week;
    loader_test::Outcome synt = loader_test::run_synt(written);
    EXPECT_EQ(synt.code, 0) << week << ": " << synt.message;
  }
  og_clear_structure();
  og_clear_school_blocks();
}

INSTANTIATE_TEST_SUITE_P(Samples, WeekSplitSamples, ::testing::Values("piccola", "liceo"));

}  // namespace

namespace {

// While the search runs, the list shows the week totals of each split
// tried, one line each ("Ore totali" of each of the three weeks);
// the stop button ends the search.
TEST_F(WeekSplitTool, TheListShowsEachSplitTriedWhileTheSearchRuns) {
  ui_register_toolkit_templates();
  fs::create_directories(data_root() / "liceo");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\liceo"));
  two_class_school();
  TestDriver ui;
  Ccreate_crux tool;
  tool.m_trial_limit = 100000000;  // never reached: the stop button ends it
  tool.m_seed = 11;
  std::vector<std::string> seen;
  ui.OnNextModal([&](Dialog& d) {
    auto& list = *static_cast<ListBox*>(d.GetDlgItem(Ccreate_crux::kListId));
    ui.Click(d, Ccreate_crux::kStartId);
    for (int i = 0; i < 2000 && list.GetCount() < 3; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      ui.Pump();
    }
    for (int i = 0; i < list.GetCount(); ++i) seen.push_back(list.GetText(i));
    ui.Click(d, Ccreate_crux::kStopId);
    tool.WaitForSearch();
    ui.Pump();
    ui.Click(d, Ccreate_crux::kEndId);
  });
  tool.DoModal();
  ASSERT_GE(seen.size(), 3u);
  // Each week of this school holds its six hours, whatever the split.
  for (const std::string& line : seen)
    EXPECT_EQ(line, "Ore totali: 6 \t | \t Ore totali: 6 \t | \t Ore totali: 6 \t | \t ");
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
