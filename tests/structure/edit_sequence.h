// The seeded edit sequence over a sample school, shared by the structure
// test (a few hundred steps per seed) and its benchmark (many more): the
// frame runs on a copy of the sample as the program does, and each step is a
// page action a user takes (hours of a post up or down, a post deleted, a
// teacher added or renamed, a building renamed, an hour of a class deleted,
// a subject of the ministry list added, "-" and 21 characters included)
// followed by the page's
// SALVA. After every save the engine loads the written description
// ("SYNT:" 0), and reading the two files back gives the model that was
// saved.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "../engine/loader_harness.h"
#include "platform/test_driver.h"
#include "school_model_copy.h"
#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "structure/buildings_page.h"
#include "structure/config_menu.h"
#include "structure/input_box.h"
#include "structure/lessons_by_class_page.h"
#include "structure/subjects_page.h"
#include "structure/structure_pages.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_state.h"

namespace edit_sequence {

using namespace kt::ui;
using namespace kt_app_test;

// The saved blocks (the snapshots: what the writers wrote) and the working
// ones, so a read-back can be compared and then undone.
struct SavedModel {
  UiSchoolStructure structure = g_ui_structure_saved;
  UiSchoolHeader header = g_ui_header_saved;
  UiSchoolSettings settings = g_ui_settings_saved;
  UiTeacher teachers[kUiMaxTeachers];
  SavedModel() { std::memcpy(teachers, g_ui_teachers_saved, sizeof teachers); }
};

class EditSequence : public TempRoot {
 protected:
  void Start(const char* school) {
    ui_register_frame_templates();
    structure_install_pages();
    school_ = copy_example(school, school);
    ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + std::string(school)).c_str()));
    g_hint_flags = 1;
    g_auto_save = 0;
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    alfadlg_go_to_page(kPageConfigMenu);
    ASSERT_EQ(g_current_page, &g_config_menu);
    ASSERT_GT(+g_ui_settings.teacher_count, 0u);
  }
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_procat_post = nullptr;
    g_procat_teacher = -1;
    TempRoot::TearDown();
  }

  // Runs steps seeded by seed; stops at the first step that breaks the rule.
  void Run(unsigned seed, int steps) {
    std::mt19937 random(seed);
    for (int step = 0; step < steps; ++step) {
      std::string action = Act(random, step);
      ui.Problems();  // questions left unanswered were cancelled, as a user may
      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " + action);
      Check();
      if (HasFailure()) return;
    }
  }

  int Pick(std::mt19937& random, int count) { return count <= 0 ? -1 : int(random() % unsigned(count)); }

  bool OnTeacherPage(std::mt19937& random) {
    if (g_current_page != &g_procat_page) alfadlg_go_to_page(kPageProcat);
    if (g_current_page != &g_procat_page) return false;
    int teachers = int(g_ui_settings.teacher_count);
    int t = Pick(random, teachers);
    if (t >= 0) ui.Select(g_procat_page, Cprocat::kTeacherListId, t);
    return true;
  }

  // Selects a random post of the current teacher; false when it has none.
  bool SelectPost(std::mt19937& random) {
    auto* list = static_cast<ListView*>(g_procat_page.GetDlgItem(Cprocat::kPostListId));
    int rows = list ? list->GetItemCount() : 0;
    if (rows <= 0) return false;
    return ui.Select(g_procat_page, Cprocat::kPostListId, Pick(random, rows)) && procat_current_post_number() >= 0;
  }

  // Whether one more hour still fits the week of the current post's class;
  // a user adding an hour past the week gets the engine's explanation,
  // which this sequence does not provoke.
  bool ClassHasRoom() {
    const UiTeachingPost* post = g_procat_post;
    if (post == nullptr) return false;
    int c = post->class_index, week = 0, taken = 0;
    for (int d = 0; d < 7; ++d) week += g_ui_header.hours_per_day[d];
    for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t) {
      const UiTeacher& teacher = g_ui_teachers[t];
      for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
        const UiTeachingPost& other = teacher.posts[p];
        bool in = !other.copy && other.class_index == c;
        for (int j = 0; j < other.joint_count && j < 8; ++j) in = in || (!other.copy && other.joint_classes[j] == c);
        if (in) taken += other.own.hours;
      }
    }
    return taken + 1 <= week;
  }

  void AnswerName(const std::string& name) {
    ui.OnNextModal([this, name](Dialog& d) {
      ui.Type(d, Ccasella::kEdit1Id, name);
      ui.Click(d, kIdOk);
    });
  }

  // An hour of a random class deleted on the lessons-by-class page.
  std::string DeleteClassHour(std::mt19937& random) {
    alfadlg_go_to_page(kPageLacoco);
    auto* page = dynamic_cast<Clacoco*>(g_current_page);
    if (page == nullptr) return "lessons by class not reached";
    int classes = static_cast<ComboBox*>(page->GetDlgItem(Clacoco::kClassId))->GetCount();
    if (classes > 0) ui.Select(*page, Clacoco::kClassId, Pick(random, classes));
    int row = Pick(random, int(page->Rows().size()));
    if (row < 0) return "class without hours";
    page->ShowHour(row, 1);
    ui.Click(*page, Clacoco::kDeleteId);
    ui.Click(*page, Clacoco::kSaveId);
    return "class hour deleted, row " + std::to_string(row);
  }

  // A subject of the ministry list added on the subjects page and saved:
  // names with "-", one of 21 characters that the model cuts to 20.
  std::string AddMinistrySubject(std::mt19937& random) {
    // As the list shows them: cut to the 20 characters of a name.
    static const char* const kNames[] = {"A946 LCS SERBO-CROAT", "C038 CONV. SERBO-CR", "A846 LSANIERA SLOVEN",
                                         "A036 FILOSOFIA,PSICO", "C032 CONV. INGLESE"};
    const char* name = kNames[Pick(random, int(std::size(kNames)))];
    alfadlg_go_to_page(kPageMaterie);
    auto* page = dynamic_cast<Cmaterie*>(g_current_page);
    if (page == nullptr) return "subjects page not reached";
    if (!ui.Select(*page, Cmaterie::kMinistryId, name)) {
      ADD_FAILURE() << "not in the ministry list: " << name;
      return "";
    }
    ui.Click(*page, Cmaterie::kAddMinistryId);
    ui.Click(*page, Cmaterie::kSaveId);
    return std::string("ministry subject added: ") + name;
  }

  std::string Act(std::mt19937& random, int step) {
    int kind = Pick(random, 8);
    if (kind == 6) return DeleteClassHour(random);
    if (kind == 7) return AddMinistrySubject(random);
    std::string name = std::string(1, char('A' + Pick(random, 26))) + "NOME" + std::to_string(step);
    if (kind == 5) {
      if (g_ui_settings.building_count < 2) kind = Pick(random, 5);
      else {
        alfadlg_go_to_page(kPagePlessi);
        if (g_current_page != &g_buildings_page) return "buildings page not reached";
        int b = Pick(random, g_ui_settings.building_count);
        // The same initial keeps the initials apart.
        std::string renamed = std::string(1, g_ui_settings.buildings[b].name[0]) + "PLESSO " + std::to_string(step);
        g_buildings_page.GotoDlgCtrl(g_buildings_page.GetDlgItem(Cplessi::kFirstNameId + b));
        ui.Type(g_buildings_page, Cplessi::kFirstNameId + b, renamed);
        ui.Click(g_buildings_page, Cplessi::kSaveId);
        return "building " + std::to_string(b) + " renamed " + renamed;
      }
    }
    if (!OnTeacherPage(random)) return "teacher page not reached";
    std::string teacher = ui.Text(g_procat_page, Cprocat::kTeacherListId);
    switch (kind) {
      case 0:
      case 1:
        if (!SelectPost(random)) return "no post of " + teacher;
        if (kind == 1 && !ClassHasRoom()) return "class full for " + teacher;
        ui.Click(g_procat_page, kind == 0 ? Cprocat::kMinusId : Cprocat::kPlusId);
        break;
      case 2:
        if (!SelectPost(random)) return "no post of " + teacher;
        ui.PressInNextModal(CMessageBox::kButtonIds[0]);
        ui.Click(g_procat_page, Cprocat::kDeletePostId);
        break;
      case 3:
        AnswerName(name);
        ui.Click(g_procat_page, Cprocat::kAddTeacherId);
        break;
      case 4:
        AnswerName(name);
        ui.Click(g_procat_page, Cprocat::kRenameId);
        break;
    }
    ui.Click(g_procat_page, Cprocat::kSaveId);
    static const char* const kNames[5] = {"-1", "+1", "post deleted", "teacher added", "teacher renamed"};
    return std::string(kNames[kind]) + " on " + teacher + " / " + name;
  }

  // The saved files: the engine loads the description, and reading both
  // back gives the blocks the writers saved. The model is then put back.
  void Check() {
    loader_test::Outcome synt = loader_test::run_synt(save_reopen::slurp((school_ / "scuola2.txt").string()));
    EXPECT_EQ(synt.code, 0) << synt.message;
    auto saved = std::make_unique<SavedModel>();
    auto working = std::make_unique<save_reopen::ModelCopy>();
    ASSERT_EQ(og_read_structure_file(0), 0) << og_structure_error();
    ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
    save_reopen::ModelCopy read_back;
    std::swap(g_ui_structure, saved->structure);
    std::swap(g_ui_header, saved->header);
    std::swap(g_ui_settings, saved->settings);
    for (int t = 0; t < kUiMaxTeachers; ++t) std::swap(g_ui_teachers[t], saved->teachers[t]);
    // The model now holds the saved blocks; read_back holds what was read.
    std::string differences = read_back.Differences();
    EXPECT_EQ(differences, "") << "the model read back is the model saved";
    // Working copies and snapshots as they were before the read.
    og_snapshot_all();
    working->Restore();
  }

  fs::path school_;
  TestDriver ui;
};

}  // namespace edit_sequence
