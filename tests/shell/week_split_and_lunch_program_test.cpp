// The three-week split tool and the lunch-break lists as the officer meets
// them in the program started from main(): in service mode the split of the
// small sample school saved as three week folders keeps, for every post,
// twice its main hours and twice its lab hours over the three weeks; a
// hand-written "PAUSAMENSA:" hour past the lists' "11" is shown as stored in
// the afternoon returns dialog and on the special options page, and a save
// without changes writes it back; so is a teacher's own hand-written
// "PAUSAMEPER:" hour on the special teacher constraints page, and a teacher
// without one sees the school's hour there and is saved still without one.
#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "constraints/special_options.h"
#include "constraints/special_teacher_page.h"
#include "frame_test_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "shell/service_mode.h"
#include "structure/afternoon_returns.h"
#include "structure/config_menu.h"
#include "structure/school_page.h"
#include "structure/special_calendars.h"
#include "structure/week_split.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

// A post as the three week folders can all name it: a post left with no
// hours in a week is not written in that week's folder, so the posts after
// it move up and the index in the teacher's list does not follow the post;
// a post left with no lab hours in a week is written there without its lab.
struct PostKey {
  std::string teacher;
  int class_index, subject, nth;  // nth: among the teacher's posts equal so far
  bool operator<(const PostKey& o) const {
    return std::tie(teacher, class_index, subject, nth) < std::tie(o.teacher, o.class_index, o.subject, o.nth);
  }
};
using PostHours = std::map<PostKey, std::pair<int, int>>;  // post -> (main, lab)

std::ostream& operator<<(std::ostream& out, const PostKey& k) {
  return out << k.teacher << " class " << k.class_index << " subject " << k.subject << " #" << k.nth;
}

PostHours read_post_hours(const std::string& folder) {
  PostHours hours;
  EXPECT_TRUE(og_set_current_folder(folder.c_str())) << folder;
  EXPECT_EQ(og_read_structure_file(0), 0) << og_structure_error();
  EXPECT_EQ(og_read_assignments_file(0), 0) << og_description_error();
  for (int t = 0; t < int(g_ui_settings.teacher_count); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (int p = 0; p < int(teacher.post_count); ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy || post.own.hours <= 0) continue;
      PostKey key{std::string(teacher.name, ::strnlen(teacher.name, sizeof teacher.name)), post.class_index,
                  post.subject, 0};
      while (hours.count(key)) ++key.nth;
      hours[key] = {post.own.hours, post.partner_part.hours};
    }
  }
  return hours;
}

class WeekSplitInServiceMode : public ProgramOnSample {
 protected:
  void TearDown() override {
    g_service_mode = 0;  // as a program started without "SERVIZIO"
    ProgramOnSample::TearDown();
  }
};

TEST_F(WeekSplitInServiceMode, EveryPostKeepsTwiceItsMainAndLabHours) {
  const std::string school = "\\KestrinTempusDati\\piccola";
  PostHours weekly = read_post_hours(school);
  int fewer_lab = 0;  // posts with some, but fewer, lab hours than main hours
  for (const auto& [key, h] : weekly) fewer_lab += h.second > 0 && h.second < h.first ? 1 : 0;
  ASSERT_GT(fewer_lab, 0);
  bool ran = false;
  ui.OnNextModal([&](Dialog&) {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_NE(g_current_page, nullptr);
    ui.OnNextModal([&](Dialog& d) {
      ran = true;
      auto& list = *static_cast<ListBox*>(d.GetDlgItem(Ccreate_crux::kListId));
      ui.Click(d, Ccreate_crux::kStartId);
      for (int i = 0; i < 4000 && list.GetCount() < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ui.Pump();
      }
      ui.Click(d, Ccreate_crux::kStopId);
      for (int i = 0; i < 4000 && !ui.IsEnabled(d, Ccreate_crux::kStartId); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ui.Pump();
      }
      EXPECT_TRUE(ui.IsEnabled(d, Ccreate_crux::kSaveId));
      ui.Click(d, Ccreate_crux::kSaveId);
      ui.Click(d, Ccreate_crux::kEndId);
    });
    ASSERT_TRUE(ui.Click(*g_current_page, Cmenu_confora::kServiceId));
    alfadlg_go_to_page(kPageHome);
    g_frame.SetFocus();
    ui.AnswerNextModal(kIdYes);
    ui.Key(kVkEscape);
  });
  const char* argv[] = {"kestrintempus", "SERVIZIO"};
  EXPECT_EQ(g_app.InitInstance(2, argv), 0);
  ASSERT_TRUE(ran);
  for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;

  PostHours sum;
  for (char w : {'A', 'B', 'C'}) {
    PostHours week = read_post_hours(school + "_Settimana_" + w);
    for (const auto& [key, h] : week) EXPECT_EQ(weekly.count(key), 1u) << w << " " << key;  // no post of its own
    for (const auto& [key, h] : weekly) {
      auto it = week.find(key);
      int main = it == week.end() ? 0 : it->second.first, lab = it == week.end() ? 0 : it->second.second;
      EXPECT_GE(lab, 0) << w;
      EXPECT_LE(lab, std::min(h.second, main)) << w << " " << key;
      sum[key].first += main;
      sum[key].second += lab;
    }
  }
  for (const auto& [key, h] : weekly) {
    EXPECT_EQ(sum[key].first, 2 * h.first) << key;
    EXPECT_EQ(sum[key].second, 2 * h.second) << key;
  }
}

// A lunch break at the 12th hour, minimum 1, maximum 3, written by hand.
class HandWrittenLunchHour : public ProgramOnSample {
 protected:
  void SetUp() override {
    ProgramOnSample::SetUp();
    std::ofstream add(data_root() / "piccola" / "scuola2.txt", std::ios::app | std::ios::binary);
    add << "PAUSAMENSA:\t12-1-3-0\t\n";
  }
  std::string lunch_line() const {
    std::string all = school_file_lines();
    std::size_t at = all.find("PAUSAMENSA:");
    return at == std::string::npos ? "" : all.substr(at, all.find('\n', at) - at);
  }
};

TEST_F(HandWrittenLunchHour, TheDialogAndThePageShowItAndSaveItBack) {
  std::string dialog_hour, page_hour, line_after_dialog, line_after_page;
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_EQ(g_current_page, &g_school_page);
    ui.OnNextModal([&](Dialog& calendars) {
      ui.OnNextModal([&](Dialog& g) {
        dialog_hour = ui.Text(g, Cgerien::kHourId);
        ui.Click(g, Cgerien::kSaveId);
      });
      ui.Click(calendars, Ccalespe::kReturnsId);
      ui.Click(calendars, Ccalespe::kSaveId);
    });
    ui.Click(g_school_page, Cproscuola::kSpecialId);
    ui.Click(g_school_page, Cproscuola::kSaveId);
    line_after_dialog = lunch_line();
    alfadlg_go_to_page(kPageOraspec);
    ASSERT_NE(g_current_page, nullptr);
    page_hour = ui.Text(*g_current_page, Coraspec::kLunchHourId);
    ui.Click(*g_current_page, Coraspec::kSaveId);
    line_after_page = lunch_line();
  });
  EXPECT_EQ(dialog_hour, "12");
  EXPECT_EQ(page_hour, "12");
  EXPECT_EQ(line_after_dialog, "PAUSAMENSA:\t12-1-3-0\t");
  EXPECT_EQ(line_after_page, "PAUSAMENSA:\t12-1-3-0\t");
}

// The school's lunch break at the 12th hour and ROSSI's own at the 13th,
// both written by hand.
class HandWrittenTeacherLunchHour : public HandWrittenLunchHour {
 protected:
  void SetUp() override {
    HandWrittenLunchHour::SetUp();
    fs::path file = data_root() / "piccola" / "scuola2.txt";
    std::string all = read(file);
    const std::string rossi = "V:\tROSSI\tLI:SA:\t";
    std::size_t at = all.find(rossi);
    ASSERT_NE(at, std::string::npos);
    all.insert(at + rossi.size(), "PAUSAMEPER:13-1-3-0\t");
    write(file, all);
  }
  std::string teacher_line(const std::string& name) const {
    std::string all = school_file_lines();
    std::size_t at = all.find("V:\t" + name + "\t");
    return at == std::string::npos ? "" : all.substr(at, all.find('\n', at) - at);
  }
  static std::vector<std::string> items(Window& page, int id) {
    auto& list = *static_cast<ComboBox*>(page.GetDlgItem(id));
    std::vector<std::string> all;
    for (int i = 0; i < list.GetCount(); ++i) all.push_back(list.GetLBText(i));
    return all;
  }
};

TEST_F(HandWrittenTeacherLunchHour, TheSpecialTeacherPageShowsItAndSavesItBack) {
  std::vector<std::string> rossi_items, bianchi_items;
  std::string rossi_hour, bianchi_hour, rossi_line, bianchi_line;
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(kPageVidia);
    ASSERT_NE(g_current_page, nullptr);
    Window& page = *g_current_page;
    ASSERT_TRUE(ui.Select(page, Cvidia::kTeacherId, "ROSSI"));
    rossi_hour = ui.Text(page, Cvidia::kLunchHourId);
    rossi_items = items(page, Cvidia::kLunchHourId);
    ui.Click(page, Cvidia::kSaveId);
    rossi_line = teacher_line("ROSSI");
    ASSERT_TRUE(ui.Select(page, Cvidia::kTeacherId, "BIANCHI"));  // ROSSI unchanged: nothing asked
    bianchi_hour = ui.Text(page, Cvidia::kLunchHourId);
    bianchi_items = items(page, Cvidia::kLunchHourId);
    ui.Click(page, Cvidia::kSaveId);
    bianchi_line = teacher_line("BIANCHI");
  });
  std::vector<std::string> listed = {"-", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
  EXPECT_EQ(rossi_hour, "13");
  listed.push_back("13");
  EXPECT_EQ(rossi_items, listed);
  EXPECT_EQ(rossi_line, "V:\tROSSI\tLI:SA:\tPAUSAMEPER:13-1-3-0\t");
  EXPECT_EQ(bianchi_hour, "12");  // the school's, which he follows
  listed.back() = "12";
  EXPECT_EQ(bianchi_items, listed);
  EXPECT_EQ(bianchi_line, "V:\tBIANCHI\tOP:LU:1-2\t");
  EXPECT_EQ(teacher_line("ROSSI"), "V:\tROSSI\tLI:SA:\tPAUSAMEPER:13-1-3-0\t");
}

}  // namespace
