// The home page reached from the running program: the about box, the cloud
// code asked by the archive button in the data root, the service tools.
#include "frame_test_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/about_box.h"
#include "structure/input_box.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class HomePageProgram : public ProgramOnSample {
 protected:
  // The next modal must be the input box: types the answer and confirms.
  void AnswerInputBox(const std::string& answer, int* asked) {
    ui.OnNextModal([this, answer, asked](Dialog& d) {
      EXPECT_EQ(d.template_id(), Ccasella::kTemplate);
      ++*asked;
      ui.Type(d, Ccasella::kEdit1Id, answer);
      ui.Click(d, kIdOk);
    });
  }
  // The next modal must be a message box: records its texts and closes it.
  void CloseMessageBox(std::string* texts) {
    ui.OnNextModal([this, texts](Dialog& d) {
      EXPECT_EQ(d.template_id(), CMessageBox::kTemplate);
      *texts = ui.Text(d, CMessageBox::kTextId);
      d.EndDialog(kIdOk);
    });
  }
};

TEST_F(HomePageProgram, AboutCommandOpensTheAboutBox) {
  Run([&] {
    int shown = 0;
    std::string release;
    ui.OnNextModal([&](Dialog& d) {
      shown = d.template_id();
      release = ui.Text(d, CAboutDlg::kReleaseId);
      ui.Click(d, kIdOk);
    });
    g_home_page.SendMessage(kMsgSysCommand, CPlenixDlg::kAboutCommand, 0);
    EXPECT_EQ(shown, CAboutDlg::kTemplate);
    EXPECT_EQ(release, "KestrinTempus - Release 6.1.M");
    g_home_page.SendMessage(kMsgSysCommand, kScMinimize, 0);
    EXPECT_EQ(g_display_minimised, 1);
    g_home_page.SendMessage(kMsgSysCommand, kScRestore, 0);
    EXPECT_EQ(g_display_minimised, 0);
  });
}

// With a school open the archive button asks nothing; in the data root it
// asks for the cloud code.
TEST_F(HomePageProgram, ArchiveAsksForTheCloudCodeOnlyInTheDataRoot) {
  const std::string code = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
  Run([&] {
    std::string shown;
    CloseMessageBox(&shown);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(shown.find("Cloud"), std::string::npos);
    EXPECT_EQ(ui.PendingSteps(), 0u);
    ASSERT_TRUE(og_set_current_folder(g_data_root));
    int asked = 0;
    std::string too_short, not_available;
    AnswerInputBox("ABCD EFGH IJKL MNOP QRST UVWX YZ01 2345", &asked);  // 32 without the blanks
    CloseMessageBox(&too_short);
    AnswerInputBox(code, &asked);
    CloseMessageBox(&not_available);  // the archive dialog itself is not in this program
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(asked, 2);
    EXPECT_NE(too_short.find("Lunghezza Minima: 40 caratteri"), std::string::npos) << too_short;
    EXPECT_EQ(std::string(g_ui_header.school_code), code);

    // Cancelled: nothing kept, no reproach, the archive answers as before.
    std::string after_cancel;
    ui.OnNextModal([&](Dialog& d) {
      ++asked;
      d.EndDialog(kIdCancel);
    });
    CloseMessageBox(&after_cancel);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(after_cancel, not_available);
    EXPECT_EQ(std::string(g_ui_header.school_code), code);
  });
}

UiTeacher& teacher_named(const char* name) {
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    if (std::string(g_ui_teachers[t].name) == name) return g_ui_teachers[t];
  ADD_FAILURE() << name;
  return g_ui_teachers[0];
}

int first_hours = 0;  // of the first post, before the hours are doubled
std::string subject_of(const UiTeachingPost& post) { return g_ui_structure.subjects[post.subject].name; }

// "@(Service Tools)": each tool changes the open school's teachers as its
// caption says, through the school files; a cancelled choice runs nothing.
TEST_F(HomePageProgram, ServiceToolsChangeTheTeachersConstraints) {
  struct Case {
    int button;
    std::function<void()> prepare, check;
  };
  const Case cases[] = {
      {1436,  // "Leva liberi" Monday: only Monday's free day goes
       [] { teacher_named("ROSSI").personal.li[0] = teacher_named("ROSSI").personal.li[2] = 1; },
       [] {
         EXPECT_NE(teacher_named("ROSSI").personal.li[0], 1);
         EXPECT_EQ(teacher_named("ROSSI").personal.li[2], 1);
       }},
      {1296,  // "leva OM": the per-day OM limits go, OV stays
       [] { teacher_named("ROSSI").personal.om[1] = teacher_named("ROSSI").personal.ov[1] = 3; },
       [] {
         EXPECT_LE(teacher_named("ROSSI").personal.om[1], 0);
         EXPECT_EQ(teacher_named("ROSSI").personal.ov[1], 3);
       }},
      {1056,  // full forbidden days go for 18 hours and more, not for FERRARI's 16
       [] {
         for (const char* name : {"ROSSI", "FERRARI"}) {
           UiTeacher& t = teacher_named(name);
           for (int h = 0; h < 5; ++h) t.personal.op[h] = 1;  // all of Monday
           t.personal.op[12] = 1;                              // first hour of Tuesday
         }
       },
       [] {
         EXPECT_EQ(teacher_named("ROSSI").personal.op[0], 0);
         EXPECT_EQ(teacher_named("ROSSI").personal.op[12], 1);
         EXPECT_EQ(teacher_named("FERRARI").personal.op[0], 1);
       }},
      {1040,  // the weekly hours of every post doubled
       [] { first_hours = g_ui_teachers[0].posts[0].own.hours; },
       [] { EXPECT_EQ(g_ui_teachers[0].posts[0].own.hours, 2 * first_hours); }},
      {1034,  // "Salva Alfabetico": posts in their subjects' order
       [] {},
       [] {
         const UiTeacher& t = teacher_named("ROSSI");
         ASSERT_GE(+t.post_count, 2u);  // a packed field, compared by value
         for (std::uint32_t p = 1; p < t.post_count; ++p) EXPECT_LE(subject_of(t.posts[p - 1]), subject_of(t.posts[p]));
         EXPECT_EQ(subject_of(t.posts[0]), "GEOGRAFIA");
       }},
  };
  Run([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.button);
      ASSERT_EQ(og_read_structure_file(0), 0);
      ASSERT_EQ(og_read_assignments_file(0), 0);
      c.prepare();
      ASSERT_EQ(og_write_assignments_file(0, 0), 0);
      ui.PressInNextModal(c.button);
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kServiceTools));
      ASSERT_EQ(og_read_assignments_file(0), 0);
      c.check();
    }
    int hours = g_ui_teachers[0].posts[0].own.hours;
    ui.AnswerNextModal(kIdCancel);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kServiceTools));  // cancelled: nothing runs
    ASSERT_EQ(og_read_assignments_file(0), 0);
    EXPECT_EQ(g_ui_teachers[0].posts[0].own.hours, hours);
  });
}

}  // namespace
