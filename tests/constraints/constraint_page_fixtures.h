// The fixtures the constraint-page tests share, each a school the page is
// opened on: the teacher constraints page on a copy of the small sample
// school (five days of six hours); the special teacher constraints page on
// three teachers ANNA, BRUNO, CARLO with a school lunch break at the hour
// shown "4"; the teaching-post page in the frame on ROSSI and BIANCHI; the
// general-parameter pages and the special options page (with the teaching
// weights) on a copy of the small sample school.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "../shell/app_test_support.h"
#include "constraints/constraint_pages.h"
#include "constraints/param_pages.h"
#include "constraints/post_constraints_page.h"
#include "constraints/special_options.h"
#include "constraints/teaching_weights.h"
#include "structure/input_box.h"
#include "constraints/special_teacher_page.h"
#include "constraints/teacher_constraints_page.h"
#include "pickers/constraint_copy_panels.h"
#include "platform/test_driver.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "structure/teacher_page_state.h"
#include "ui_school_builders.h"

namespace kt_constraints_test {

using namespace kt_app_test;

// The item a page's list shows.
inline int selection(kt::ui::Dialog& page, int id) {
  return static_cast<kt::ui::ComboBox*>(page.GetDlgItem(id))->GetCurSel();
}

// The posts beside a teacher page are there to read: choosing one only says
// so, and the choice does not stay.
inline void expect_posts_only_read(kt::ui::TestDriver& ui, kt::ui::Dialog& page, int posts_id) {
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ASSERT_TRUE(ui.Select(page, posts_id, 0));
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Qui si configurano i vincoli globali per il Professore. La selezione delle sue CLASSI non serve.");
  auto* posts = static_cast<kt::ui::ListView*>(page.GetDlgItem(posts_id));
  EXPECT_EQ(posts->GetNextItem(-1, kt::ui::kLvniSelected), -1);
}

class TeacherPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_teacher_constraints_templates();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    og_read_structure_file(0);
    og_read_assignments_file(0);
    const std::uint8_t hours[7] = {6, 6, 6, 6, 6, 0, 0};
    std::memcpy(g_ui_header.hours_per_day, hours, 7);
    og_snapshot_all();
    g_vipro_current_teacher = 0;
    g_auto_save = 0;
  }
  void TearDown() override {
    og_snapshot_all();
    if (page.IsWindow()) page.DestroyWindow();
    TempRoot::TearDown();
  }
  kt::ui::TestDriver ui;
  Cvipro page;
};

class SpecialTeacherPage : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_special_teacher_template();
    fs::create_directories(data_root() / "scuola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
    og_clear_structure();
    og_clear_school_blocks();
    for (int d = 0; d < 5; ++d) g_ui_header.hours_per_day[d] = 6;
    g_ui_settings.teacher_count = 3;
    og_init_teacher(0, "ANNA");
    og_init_teacher(1, "BRUNO");
    og_init_teacher(2, "CARLO");
    const std::uint8_t lunch[4] = {3, 1, 4, 0};
    std::memcpy(g_ui_settings.lunch_break, lunch, 4);
    og_snapshot_all();
    procat_remember_teacher(0);
    g_auto_save = 0;
  }
  void TearDown() override {
    og_snapshot_all();
    if (page.IsWindow()) page.DestroyWindow();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  // The page opened the frame's way, among the installed pages.
  void OpenInFrame() {
    constraints_install_pages();
    ui_register_frame_templates();
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
    ASSERT_TRUE(alfadlg_go_to_page(kPageVidia));
    ASSERT_NE(g_current_page, nullptr);
  }
  kt::ui::TestDriver ui;
  Cvidia page;
};

class PostConstraintsPage : public TempRoot {
 protected:
  static constexpr int kYesButton = CMessageBox::kButtonIds[0];
  static constexpr int kNoButton = CMessageBox::kButtonIds[1];
  using V = Cvicat;

  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    fs::create_directories(data_root() / "scuola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\scuola"));
    BuildSchool();
    post_constraints_install_pages();
    procat_remember_teacher(-1);
    g_auto_save = 0;
    g_service_mode = 0;
  }
  void TearDown() override {
    g_service_mode = 0;
    og_snapshot_all();
    og_snapshot_structure();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::Vicat, nullptr);
    g_frame_service_hooks.refresh_lesson_constraints_page = nullptr;
    g_procat_teacher = -1;
    g_procat_post = nullptr;
    TempRoot::TearDown();
  }

  // ROSSI teaches MATEMATICA in 1A (4h) and 2A (4h) and SCIENZE in 1A (2h,
  // lab with BIANCHI for 2h); BIANCHI teaches INGLESE in 1A (3h).
  void BuildSchool() {
    new_ui_school({"1A ", "2A ", "3A "});
    math_ = add_subject("MATEMATICA", 'N');
    science_ = add_subject("SCIENZE", 'N');
    english_ = add_subject("INGLESE", 'N');
    add_rossi_bianchi_and_lab();
    add_post(0, math_, 0, 4);
    add_post(0, math_, 1, 4);
    add_lab_post(0, science_, 0, 2, 1, 2);
    add_post(1, english_, 0, 3);
    ASSERT_EQ(og_write_structure_file(), 0);
    ASSERT_EQ(og_write_assignments_file(0, 0), 0);
    og_snapshot_all();
  }
  void Open() {
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
    ASSERT_TRUE(alfadlg_go_to_page(kPageVicat));
    ASSERT_EQ(g_current_page, &g_vicat_page);
  }
  void SelectPost(int post) {
    auto* list = static_cast<kt::ui::ListView*>(g_vicat_page.GetDlgItem(V::kPostListId));
    ASSERT_TRUE(ui.Select(g_vicat_page, V::kPostListId, list->FindItemByData(-1, std::uintptr_t(post))));
  }
  // Answers the grouping editor's two tables: counts by block size.
  void AnswerGrouping(std::vector<std::pair<int, int>> row, int top, std::vector<std::pair<int, int>> alternative = {}) {
    ui.OnNextModal([this, row, alternative, top](kt::ui::Dialog& d) {
      for (auto [size, count] : row) ui.Select(d, Chq2alt::QuantityId(0, top - size), count);
      for (auto [size, count] : alternative) ui.Select(d, Chq2alt::QuantityId(1, top - size), count);
      d.GetDlgItem(kt::ui::kIdOk)->SetFocus();
      ui.Click(d, kt::ui::kIdOk);
    });
  }
  std::string LastBox() { return ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0); }
  std::string Description() { return read(data_root() / "scuola" / "scuola2.txt"); }
  UiTeachingPost& Post(int teacher, int p) { return g_ui_teachers[teacher].posts[p]; }

  kt::ui::TestDriver ui;
  int math_ = 0, science_ = 0, english_ = 0;
};

class ParamPages : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_param_page_templates();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    og_read_structure_file(0);
    og_read_assignments_file(0);
    g_pages.m_parameter_page = 0;
  }
  void TearDown() override {
    og_snapshot_all();  // nothing left to ask about
    if (page.IsWindow()) page.DestroyWindow();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  void Open(int mode) {
    og_snapshot_all();
    page.SelectPage(mode);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kt::ui::kSwShow);
  }
  kt::ui::TestDriver ui;
  Corapage page;
};

class SchoolPages : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_special_options_templates();
    ui_register_teaching_weight_templates();
    ui_register_structure_templates();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    og_read_structure_file(0);
    og_read_assignments_file(0);
  }
  void TearDown() override {
    og_snapshot_all();
    if (page.IsWindow()) page.DestroyWindow();
    TempRoot::TearDown();
  }
  void AnswerInputBox(const char* text) {
    ui.OnNextModal([this, text](kt::ui::Dialog& d) {
      d.GetDlgItem(Ccasella::kEdit1Id)->SetWindowText(text);
      ui.Click(d, kt::ui::kIdOk);
    });
  }
  kt::ui::TestDriver ui;
  Coraspec page;
};

}  // namespace kt_constraints_test
