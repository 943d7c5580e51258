// What the general-parameter pages and the teaching-post page show on each
// sample school, every control, recorded by hash in
// tests/data/constraints/shown: the five parameter pages (bands, their rows,
// the extra options), and the teaching-post page walked teacher by teacher
// with the "next" arrow and, for each teacher, post by post (each panel's
// lists, choices and boxes, the partner's copy, the totals). Looking saves
// nothing: the school's files are the same bytes afterwards.
// KT_UPDATE_GOLDEN=1 rewrites the records after a change checked by eye.
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

class SchoolShown : public TempRoot, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    ui_register_param_page_templates();
    school_ = copy_example(GetParam(), GetParam());
    ASSERT_TRUE(og_set_current_folder((std::string("\\KestrinTempusDati\\") + GetParam()).c_str()));
    og_read_structure_file(0);
    og_read_assignments_file(0);
    og_snapshot_all();
    post_constraints_install_pages();
    procat_remember_teacher(-1);
    g_pages.m_parameter_page = 0;
    g_auto_save = 0;
    g_service_mode = 0;
    before_ = Files();
  }
  void TearDown() override {
    g_service_mode = 0;
    og_snapshot_all();
    og_snapshot_structure();
    if (params_.IsWindow()) params_.DestroyWindow();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Vicat, nullptr);
    g_frame_service_hooks.refresh_lesson_constraints_page = nullptr;
    g_procat_teacher = -1;
    g_procat_post = nullptr;
    TempRoot::TearDown();
  }
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(school_))
      if (e.is_regular_file()) out[e.path().filename().string()] = read(e.path());
    return out;
  }
  // The listing against its record; `shown` gives the text of a line's view.
  void Expect(const std::string& name, const std::string& listing, const std::map<std::string, std::string>& shown) {
    fs::path record = kRecords / (std::string(GetParam()) + "_" + name + ".txt");
    if (std::getenv("KT_UPDATE_GOLDEN")) {
      fs::create_directories(kRecords);
      std::ofstream(record, std::ios::binary) << listing;
      return;
    }
    std::string want_text = read(record);
    ASSERT_FALSE(want_text.empty()) << record;
    std::istringstream want(want_text), got(listing);
    std::string w, g;
    while (std::getline(want, w)) {
      std::getline(got, g);
      std::string key = w.substr(0, w.find(' '));
      auto it = shown.find(key);
      EXPECT_EQ(g, w) << GetParam() << " " << name << " " << key << " shows:\n"
                      << (it == shown.end() ? "" : it->second.substr(0, 4000));
    }
    EXPECT_FALSE(std::getline(got, g)) << "more views than recorded: " << g;
  }
  fs::path school_;
  std::map<std::string, std::string> before_;
  TestDriver ui;
  Corapage params_;
};

TEST_P(SchoolShown, EveryParameterPageAsRecorded) {
  std::ostringstream listing;
  std::map<std::string, std::string> shown;
  for (int mode = 1; mode <= 4; ++mode) {
    params_.SelectPage(mode);
    ASSERT_TRUE(params_.Create(nullptr));
    params_.ShowWindow(kSwShow);
    ui.Pump();
    std::string key = "page" + std::to_string(mode);
    shown[key] = page_contents(params_);
    listing << key << " " << contents_hash(shown[key]) << "\n";
    params_.DestroyWindow();
  }
  for (const std::string& p : ui.Problems()) ADD_FAILURE() << p;
  EXPECT_TRUE(ui.boxes().empty());
  Expect("parameters", listing.str(), shown);
  EXPECT_EQ(Files(), before_) << "looking wrote to the school's files";
}

TEST_P(SchoolShown, EveryTeachingPostAsRecorded) {
  ASSERT_TRUE(g_frame.Create(nullptr));
  g_frame.ShowWindow(kSwShow);
  ui.Pump();
  ASSERT_TRUE(alfadlg_go_to_page(kPageVicat));
  ASSERT_EQ(g_current_page, &g_vicat_page);
  Dialog& page = g_vicat_page;
  int teachers = int(g_ui_settings.teacher_count);
  ASSERT_GT(teachers, 1);
  ASSERT_TRUE(ui.Select(page, Cvicat::kTeacherListId, 0));  // the walk starts from the first name
  std::ostringstream listing;
  std::map<std::string, std::string> shown;
  for (int t = 0; t < teachers; ++t) {
    if (t > 0) ui.Click(page, Cvicat::kNextId);
    auto* posts = static_cast<ListView*>(page.GetDlgItem(Cvicat::kPostListId));
    int rows = posts ? posts->GetItemCount() : 0;
    for (int row = -1; row < rows; ++row) {
      if (row >= 0) {
        // A partner's copy tells, at most once in a while, to edit it from
        // its main teacher: whether that notice comes depends on when the
        // last one came, so the walk chooses the teacher's own posts only.
        std::uintptr_t post = posts->GetItemData(row);
        int own = int(g_ui_teachers[g_procat_teacher].post_count);
        if (post >= std::uintptr_t(own) || g_ui_teachers[g_procat_teacher].posts[post].copy) continue;
        ui.Select(page, Cvicat::kPostListId, row);
      }
      // What the page shows; a notice the walk leaves unanswered is not part of it.
      std::string text = page_contents(page);
      ui.Problems();
      std::string key = std::to_string(t) + "/" + std::to_string(row);
      shown[key] = text;
      listing << key << " " << contents_hash(text) << "\n";
    }
  }
  Expect("posts", listing.str(), shown);
  EXPECT_EQ(Files(), before_) << "looking wrote to the school's files";
}

INSTANTIATE_TEST_SUITE_P(Schools, SchoolShown, ::testing::Values("piccola", "liceo", "istituto"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
