// The values the teacher constraints page shows in a teacher's unset
// fields, on the fixture school of the teaching-post page (ROSSI with
// posts of his own, BIANCHI the lab assistant of ROSSI's SCIENZE): the
// most hours of presence and of teaching come from the general tables of
// the teacher's kind (ordinary, lab assistant, conversation; a teacher
// with both kinds of posts takes the lab tables only when the school says
// assistants are treated leniently), and the derogation lists from the
// exceptional-day tables reached by his weekly hours.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::PostConstraintsPage;

class TeacherDefaultsShown : public PostConstraintsPage {
 protected:
  void SetUp() override {
    PostConstraintsPage::SetUp();
    ui_register_teacher_constraints_templates();
    UiSchoolSettings& s = g_ui_settings;
    s.ihpresenza = {{{60, 6}}, 1};
    s.ihinsegna = {{{60, 5}}, 1};
    s.ihlabpresenza = {{{60, 4}}, 1};
    s.ihlabinsegna = {{{60, 3}}, 1};
    s.ihconpresenza = {{{60, 2}}, 1};
    s.ihconinsegna = {{{60, 1}}, 1};
    s.itpleggero = 0;
  }
  // The presence and teaching maxima shown for a teacher.
  std::pair<int, int> Shown(int teacher) {
    UiTeacherConstraints& c = g_ui_teachers[teacher].personal;
    c.presenza = c.insegna = c.insegnamin = -1;  // unset: the page shows the defaults
    c.inse = c.xprese = {};
    og_snapshot_all();
    g_vipro_current_teacher = teacher;
    Cvipro page;
    EXPECT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    auto sel = [&](int id) { return static_cast<ComboBox*>(page.GetDlgItem(id))->GetCurSel(); };
    std::pair<int, int> shown{sel(3020), sel(3022)};
    derogations_ = ui.Text(page, Cvipro::kLessonDerogationsId);
    presence_derogations_ = ui.Text(page, Cvipro::kPresenceDerogationsId);
    page.DestroyWindow();  // the defaults go with the page: nothing is left changed
    EXPECT_EQ(std::memcmp(&g_ui_teachers[teacher], &g_ui_teachers_saved[teacher], sizeof(UiTeacher)), 0);
    return shown;
  }
  std::string derogations_, presence_derogations_;
};

TEST_F(TeacherDefaultsShown, TheMaximaComeFromTheTablesOfTheTeachersKind) {
  EXPECT_EQ(Shown(0), std::pair(6, 5)) << "ROSSI: the ordinary tables";
  EXPECT_EQ(Shown(1), std::pair(6, 5)) << "BIANCHI with a post of his own";
  g_ui_settings.itpleggero = 1;
  EXPECT_EQ(Shown(1), std::pair(4, 3)) << "BIANCHI, assistants treated leniently";
  g_ui_settings.itpleggero = 0;
  g_ui_teachers[1].post_count = 0;  // BIANCHI the lab assistant alone
  og_reset_teaching_post(g_ui_teachers[1].posts[0]);
  EXPECT_EQ(Shown(1), std::pair(4, 3));
  Post(0, 2).lab = -1;
  Post(0, 2).conversation_subject = english_;  // a conversation partner instead
  EXPECT_EQ(Shown(1), std::pair(2, 1));
}

TEST_F(TeacherDefaultsShown, TheDerogationListsComeFromTheExceptionalDayTables) {
  g_ui_settings.ihinsegnaextra = {{{5, 6, 2}, {20, 6, 3}}, 2};  // from 5 and from 20 weekly hours
  g_ui_settings.ihpresenzaextra = {{{3, 6, 1}}, 1};
  Shown(0);  // ROSSI: ten hours reach the first row only
  EXPECT_NE(derogations_.find("\t 6\t"), std::string::npos) << derogations_;
  std::string quantities = derogations_.substr(derogations_.rfind('\n', derogations_.size() - 2));
  EXPECT_EQ(quantities.find("\t 2\t"), quantities.find('\t')) << derogations_;
  std::string presence = presence_derogations_.substr(presence_derogations_.rfind('\n', presence_derogations_.size() - 2));
  EXPECT_EQ(presence.find("\t 1\t"), presence.find('\t')) << presence_derogations_;
  Shown(1);  // BIANCHI's five hours: the first row too
  quantities = derogations_.substr(derogations_.rfind('\n', derogations_.size() - 2));
  EXPECT_EQ(quantities.find("\t 2\t"), quantities.find('\t')) << derogations_;
  g_ui_teachers[1].post_count = 0;  // two hours: below every row
  og_reset_teaching_post(g_ui_teachers[1].posts[0]);
  Shown(1);
  EXPECT_EQ(derogations_.find("\t 6\t"), std::string::npos) << derogations_;
}

}  // namespace
