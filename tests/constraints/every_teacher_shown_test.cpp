// The personal and the special constraints pages opened on each sample
// school and walked teacher by teacher with the "next" arrow: what every
// control shows for every teacher (lists, choices, boxes, greyed controls,
// the posts list) equals the record in tests/data/constraints/shown, kept as
// one hash a teacher. A teacher whose limits the checks refuse would keep
// the page, with the box that says why, and the walk would stay there. In
// the sample schools as read, which have no weekly-days table, a teacher
// with only a maximum of days (piccola's BRUNO, at most 4) takes it as his
// least too; the personal page is walked again with the table a new school
// starts with (where BRUNO's limits filled in from it ask to be saved on
// leaving him, and the walk goes on unanswered). The walk saves nothing: the school's files are the same bytes
// afterwards. KT_UPDATE_GOLDEN=1 rewrites the records after a
// change checked by eye.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "constraint_page_fixtures.h"
#include "page_contents.h"

namespace {

using namespace kt::ui;
using namespace kt_constraints_test;

const fs::path kRecords = fs::path(KT_TEST_DATA) / "constraints/shown";

struct WalkCase {
  const char* school;
  const char* page;  // "personal" or "special"
  bool days_table;   // the weekly-days table a new school starts with, in place of none
};

class EveryTeacherShown : public TempRoot, public ::testing::WithParamInterface<WalkCase> {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_teacher_constraints_templates();
    ui_register_special_teacher_template();
    school_ = copy_example(GetParam().school, GetParam().school);
    ASSERT_TRUE(og_set_current_folder((std::string("\\KestrinTempusDati\\") + GetParam().school).c_str()));
    og_read_structure_file(0);
    og_read_assignments_file(0);
    if (GetParam().days_table) g_ui_settings.iggiorni = {{{3, 1}, {6, 2}, {9, 3}, {14, 4}, {99, 5}}, 5};
    og_snapshot_all();
    g_vipro_current_teacher = 0;
    procat_remember_teacher(0);
    g_auto_save = 0;
  }
  void TearDown() override {
    og_snapshot_all();
    if (personal_.IsWindow()) personal_.DestroyWindow();
    if (special_.IsWindow()) special_.DestroyWindow();
    // The pages open on the teacher last shown: the next test starts on the first.
    g_vipro_current_teacher = 0;
    procat_remember_teacher(0);
    TempRoot::TearDown();
  }
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(school_))
      if (e.is_regular_file()) out[e.path().filename().string()] = read(e.path());
    return out;
  }
  fs::path school_;
  TestDriver ui;
  Cvipro personal_;
  Cvidia special_;
};

TEST_P(EveryTeacherShown, EachTeacherAsRecorded) {
  const WalkCase& c = GetParam();
  std::map<std::string, std::string> before = Files();
  bool personal = std::string(c.page) == "personal";
  Dialog& page = personal ? static_cast<Dialog&>(personal_) : static_cast<Dialog&>(special_);
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Pump();
  int next = personal ? Cvipro::kNextId : Cvidia::kNextId;
  // The walk starts from the first name of the list (the list is sorted).
  ASSERT_TRUE(ui.Select(page, personal ? Cvipro::kTeacherId : Cvidia::kTeacherId, 0));
  int teachers = int(g_ui_settings.teacher_count);
  ASSERT_GT(teachers, 1);
  std::ostringstream listing;
  std::map<int, std::string> shown;
  for (int t = 0; t < teachers; ++t) {
    std::size_t boxes = ui.boxes().size();
    if (t > 0) ui.Click(page, next);
    std::string text = page_contents(page);
    // A teacher whose stored constraints the page's checks refuse keeps the
    // page on him: the box says why (and the walk goes on from there).
    for (std::size_t b = boxes; b < ui.boxes().size(); ++b) text += "box: " + ui.boxes()[b].texts.at(0) + "\n";
    for (const std::string& p : ui.Problems()) text += "unanswered: " + p + "\n";
    shown[t] = text;
    listing << t << " " << contents_hash(text) << (ui.boxes().size() > boxes ? " box" : "") << "\n";
  }
  fs::path record = kRecords / (std::string(c.school) + "_" + c.page + (c.days_table ? "_days" : "") + ".txt");
  if (std::getenv("KT_UPDATE_GOLDEN")) {
    fs::create_directories(kRecords);
    std::ofstream(record, std::ios::binary) << listing.str();
  } else {
    std::istringstream want(read(record)), got(listing.str());
    std::string w, g;
    int line = 0;
    ASSERT_FALSE(read(record).empty()) << record;
    while (std::getline(want, w)) {
      std::getline(got, g);
      EXPECT_EQ(g, w) << c.school << " " << c.page << ", teacher " << line << " shows:\n"
                      << shown[line].substr(0, 4000);
      ++line;
    }
    EXPECT_FALSE(std::getline(got, g)) << "more teachers than recorded";
  }
  EXPECT_EQ(Files(), before) << "the walk wrote to the school's files";
}

INSTANTIATE_TEST_SUITE_P(Schools, EveryTeacherShown,
                         ::testing::Values(WalkCase{"piccola", "personal", false}, WalkCase{"piccola", "personal", true},
                                           WalkCase{"piccola", "special", false},
                                           WalkCase{"liceo", "special", false}, WalkCase{"istituto", "special", false}),
                         [](const ::testing::TestParamInfo<WalkCase>& info) {
                           return std::string(info.param.school) + "_" + info.param.page +
                                  (info.param.days_table ? "_days" : "");
                         });

}  // namespace
