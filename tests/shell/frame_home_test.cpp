// The home page reached from the running program: the about box, the cloud
// code asked by the archive button in the data root, the service tools and
// their bulk repairs, the service mode.
#include <array>

#include "engine/engine_main.h"
#include "frame_test_support.h"
#include "platform/removable_media.h"
#include "remote/archive_dialog.h"
#include "remote/guide_windows.h"
#include "remote/pen_backup.h"
#include "remote/service_windows.h"
#include "schooldata/data_file_search_dialog.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_folder_chooser.h"
#include "schooldata/spreadsheet_page.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/about_box.h"
#include "shell/corner_windows.h"
#include "shell/service_mode.h"
#include "structure/config_menu.h"
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

// With a school open the archive button asks nothing and opens the archive
// dialog in its normal mode; in the data root it asks for the cloud code
// first: the dialog then opens in mode 1 with the code kept, or, cancelled,
// in its no-folder mode with nothing kept and no reproach.
TEST_F(HomePageProgram, ArchiveAsksForTheCloudCodeOnlyInTheDataRoot) {
  const std::string code = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
  Run([&] {
    std::vector<int> modes;
    std::vector<bool> can_archive;
    auto close_archive = [&] {
      ui.OnNextModal([&](Dialog& d) {
        EXPECT_EQ(d.template_id(), Carchivio::kTemplate);
        modes.push_back(g_archive_dialog.m_mode);
        can_archive.push_back(ui.IsEnabled(d, Carchivio::kArchiveId));
        ui.Key(kVkEscape);
      });
    };
    close_archive();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(ui.PendingSteps(), 0u);
    ASSERT_TRUE(og_set_current_folder(g_data_root));
    int asked = 0;
    std::string too_short;
    AnswerInputBox("ABCD EFGH IJKL MNOP QRST UVWX YZ01 2345", &asked);  // 32 without the blanks
    CloseMessageBox(&too_short);
    AnswerInputBox(code, &asked);
    close_archive();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(asked, 2);
    EXPECT_NE(too_short.find("Lunghezza Minima: 40 caratteri"), std::string::npos) << too_short;
    EXPECT_EQ(std::string(g_ui_header.school_code), code);

    ui.OnNextModal([&](Dialog& d) {
      ++asked;
      d.EndDialog(kIdCancel);
    });
    close_archive();
    std::size_t boxes = ui.boxes().size();
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(asked, 3);
    for (std::size_t i = boxes; i < ui.boxes().size(); ++i)
      EXPECT_NE(ui.boxes()[i].template_id, CMessageBox::kTemplate) << ui.boxes()[i].texts.at(0);
    EXPECT_EQ(std::string(g_ui_header.school_code), code);
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(can_archive, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(g_tulm_monitor.m_request, 1);  // the monitor is told after the dialog
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
       [] { EXPECT_EQ(+g_ui_teachers[0].posts[0].own.hours, 2 * first_hours); }},
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
    EXPECT_EQ(+g_ui_teachers[0].posts[0].own.hours, hours);
  });
}

}  // namespace

namespace {

using namespace kt_app_test;
using namespace kt::ui;

int post_of(const UiTeacher& t, const char* subject) {
  for (std::uint32_t p = 0; p < t.post_count; ++p)
    if (subject_of(t.posts[p]) == subject) return int(p);
  ADD_FAILURE() << subject;
  return 0;
}

// The maintenance codes that change the school in bulk: each through the
// chooser's button, each result read back from the files, and every
// description they leave loads in the engine.
TEST_F(HomePageProgram, ServiceCodesRepairTheSchoolInBulk) {
  struct Case {
    int button;
    std::function<void()> prepare, answer, check;
  };
  auto none = [] {};
  const Case cases[] = {
      {1049,  // "G:x" into "PMGY:x", in both grouping rows of a part
       [] {
         std::snprintf(g_ui_teachers[0].posts[0].own.grouping1, 13, "32");
         std::snprintf(g_ui_teachers[0].posts[0].own.grouping2, 13, "14");
         std::snprintf(g_ui_teachers[1].posts[0].own.grouping2, 13, "23");
       },
       none,
       [] {
         EXPECT_STREQ(g_ui_teachers[0].posts[0].own.grouping1, "3");
         EXPECT_STREQ(g_ui_teachers[0].posts[0].own.grouping2, "1");
         EXPECT_EQ(+g_ui_teachers[0].posts[0].own.daily_max, 4);
         EXPECT_STREQ(g_ui_teachers[1].posts[0].own.grouping2, "2");
         EXPECT_EQ(+g_ui_teachers[1].posts[0].own.daily_max, 3);
       }},
      {1051, [] {}, none, [] { EXPECT_LT(+teacher_named("ESPOSITO").personal.gmax, 0); }},  // the GMAX:3 goes
      {1052, [] { teacher_named("COLOMBO").personal.insegnamin = 4; }, none,
       [] { EXPECT_EQ(+teacher_named("COLOMBO").personal.insegnamin, 2); }},
      {1037,  // "ZZ" is nobody's partner any more
       [] {
         std::snprintf(teacher_named("MANCINI").name, kUiNameSize, "ZZ");
         UiTeachingPost& post = g_ui_teachers[0].posts[0];
         post.partner = std::int32_t(&teacher_named("ZZ") - g_ui_teachers);
         post.partner_part.hours = 1;
       },
       [this] { ui.AnswerNextModal(kIdOk); },
       [this] {
         EXPECT_EQ(+g_ui_teachers[0].posts[0].partner, -1);
         EXPECT_EQ(ui.boxes().back().texts.at(0), "TOLTO ITP Zz - resto DA SVILUPPARE (PER ITP \xE8 FACILE)");
       }},
      {1039, [] {}, none, [] { EXPECT_EQ(+teacher_named("BIANCHI").nor_flag, 1); }},  // no reception
      {1032, [] { g_ui_teachers[0].posts[0].own.placement = 2; }, none,
       [] { EXPECT_EQ(+g_ui_teachers[0].posts[0].own.placement, -1); }},
      {1055,  // provisional exclusions and the timetable states go
       [] {
         teacher_named("ROSSI").prns = 1;
         g_ui_structure.status[3] = '3';
         ASSERT_EQ(og_write_structure_file(), 0);
       },
       none,
       [] {
         EXPECT_EQ(+teacher_named("ROSSI").prns, 0);
         ASSERT_EQ(og_read_structure_file(0), 0);
         EXPECT_EQ(g_ui_structure.status[3], '0');
       }},
      {1043, [] {}, none, [] { EXPECT_EQ(+teacher_named("GALLO").personal.maxbudayper, 2); }},  // one building
      {1621,  // the clean-up: hours to 18, posts merged; the odd labs kept (a name that
       // starts with a digit no longer reads, so its step finds none)
       [] {
         UiTeacher& rossi = teacher_named("ROSSI");
         int geo = post_of(rossi, "GEOGRAFIA");
         rossi.posts[geo].own.hours = 1;
         rossi.posts[rossi.post_count++] = rossi.posts[geo];
         UiTeacher& bianchi = teacher_named("BIANCHI");  // room in 1B for two hours
         bianchi.posts[post_of(bianchi, "ITALIANO") + 1].own.hours = 4;
       },
       [this] {
         for (LResult r : {kIdYes, kIdOk, kIdYes, kIdYes, kIdNo, kIdYes}) ui.AnswerNextModal(r);
       },
       [this] {
         const UiTeacher& rossi = teacher_named("ROSSI");
         EXPECT_EQ(rossi.posts[post_of(rossi, "GEOGRAFIA")].own.hours, 2);
         bool one_changed = false;  // the one whose class has room
         for (const TestDriver::BoxShown& box : ui.boxes()) one_changed = one_changed || box.texts.at(0) == "Modificati 1";
         EXPECT_TRUE(one_changed);
       }},
      {1036,  // the archive marker, then plain files
       [] {}, none,
       [this] {
         std::string text = read(data_root() / "piccola" / "scuola2.txt");
         std::size_t rossi = text.find("\nV:\tROSSI\t");
         ASSERT_NE(rossi, std::string::npos);  // plain
         std::string line = text.substr(rossi + 1, text.find('\n', rossi + 1) - rossi);
         EXPECT_EQ(line.substr(line.size() - 10), "\tQWEQWE\t\t\n") << line;
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
      c.answer();
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kServiceTools));
      EXPECT_EQ(ui.PendingSteps(), 0u);
      ASSERT_EQ(og_read_assignments_file(0), 0);
      c.check();
      const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
      EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
    }
  });
}

}  // namespace

namespace {

using namespace kt_app_test;
using namespace kt::ui;

// The copy of a school the service server received: the choice starts in
// the server's folder, the school lands in a folder named after it, and the
// received files with the zip they came in are kept in "MIRVOL" (whose old
// content goes) and leave the server's folder.
TEST_F(HomePageProgram, ServerCopyKeepsTheReceivedZip) {
  fs::path server = root_ / "VPS_Server_Data" / "MIRVAT";
  fs::create_directories(server);
  fs::copy(fs::path(KT_SOURCE_DIR) / "examples" / "piccola", server / "ricevuta");
  write(server / "ricevuta.zip", "PK zip");
  fs::create_directories(root_ / "VPS_Server_Data" / "MIRVOL");
  write(root_ / "VPS_Server_Data" / "MIRVOL" / "vecchio.zip", "old");
  std::string started_in;
  auto saved = g_school_folder_chooser;
  g_school_folder_chooser = [&](std::string& folder) {
    started_in = og_current_folder_path();
    folder = "\\VPS_Server_Data\\MIRVAT\\ricevuta";
    return true;
  };
  Run([&] {
    ui.PressInNextModal(1035);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kServiceTools));
    EXPECT_EQ(started_in, "\\VPS_Server_Data\\MIRVAT");
    fs::path copy = server / "ricevuta" / "Scuola Media Giuseppe Verdi";
    EXPECT_EQ(og_current_folder_path(), "\\VPS_Server_Data\\MIRVAT\\ricevuta\\Scuola Media Giuseppe Verdi");
    EXPECT_TRUE(fs::exists(copy / "scuola1.txt"));
    EXPECT_EQ(read(root_ / "VPS_Server_Data" / "MIRVOL" / "ricevuta.zip"), "PK zip");
    EXPECT_FALSE(fs::exists(root_ / "VPS_Server_Data" / "MIRVOL" / "vecchio.zip"));
    EXPECT_EQ(read(root_ / "VPS_Server_Data" / "MIRVOL" / "scuola2.txt"), read(copy / "scuola2.txt"));
    EXPECT_TRUE(fs::exists(root_ / "VPS_Server_Data" / "MIRVOL" / "scuola1.txt"));
    EXPECT_FALSE(fs::exists(server / "ricevuta.zip"));
    EXPECT_FALSE(fs::exists(server / "ricevuta" / "scuola2.txt"));
    EXPECT_FALSE(fs::exists(server / "ricevuta" / "scuola1.txt"));
    const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
    EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
  });
  g_school_folder_chooser = saved;
}

}  // namespace

namespace {

using namespace kt_app_test;
using namespace kt::ui;

// Started with "SERVIZIO" the program runs in service mode, and the school
// chooser offers the service extraction.
TEST_F(HomePageProgram, ServiceWordOnTheCommandLineShowsTheServiceExtraction) {
  EXPECT_FALSE(og_parse_service_mode(2, std::array<const char*, 2>{"kestrintempus", "PARPRO:1"}.data()));
  {
    const bool service = true;
    bool shown = false;
    ui.OnNextModal([&](Dialog&) {
      EXPECT_EQ(g_service_mode != 0, service);
      ui.OnNextModal([&](Dialog& chooser) {
        EXPECT_EQ(chooser.template_id(), 136);
        Window* button = chooser.GetDlgItem(1621);
        ASSERT_NE(button, nullptr);
        shown = button->IsWindowVisible();
        chooser.EndDialog(kIdCancel);
      });
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kSelectSchool));
      alfadlg_go_to_page(kPageHome);
      g_frame.SetFocus();
      ui.Key(kVkEscape);
    });
    const char* argv[] = {"kestrintempus", "SERVIZIO"};
    EXPECT_EQ(g_app.InitInstance(2, argv), 0);
    EXPECT_EQ(shown, service);
    g_service_mode = 0;
  }
}

}  // namespace

namespace {

using namespace kt_app_test;
using namespace kt::ui;

// The guides of the running program: the advice and getting-started guides
// of the home page, the transfer guide of the school chooser, the example
// spreadsheet of its import page; the forum and social buttons say the web
// pages are not available.
// The video button runs the tutorial video's window; the activity report
// button opens the monitor of the computations on the servers.
TEST_F(HomePageProgram, VideoAndActivityReportOpenTheirWindows) {
  Run([&] {
    int templates_shown = 0;
    ui.OnNextModal([&](Dialog& video) {
      if (video.template_id() == Cvideoplay::kTemplate) ++templates_shown;
      video.EndDialog(kIdCancel);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kVideo));
    EXPECT_EQ(templates_shown, 1);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kRemoteReport));
    EXPECT_TRUE(g_tulm_monitor.IsWindow() && g_tulm_monitor.IsWindowVisible());
    g_tulm_monitor.DestroyWindow();
  });
}

TEST_F(HomePageProgram, GuidesOpenFromTheirButtons) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kAdvice));
    EXPECT_TRUE(g_guide_menu.IsWindow() && g_guide_menu.IsWindowVisible());
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kGettingStarted));
    EXPECT_TRUE(g_guide_gene.IsWindow() && g_guide_gene.IsWindowVisible());
    g_guide_gene.ShowWindow(kSwHide);  // minimised with the frame, back on restore
    g_home_page.SendMessage(kMsgSysCommand, kScRestore, 0);
    EXPECT_TRUE(g_guide_gene.IsWindowVisible());
    for (int id : {CPlenixDlg::kForum, CPlenixDlg::kSocial}) {
      std::string said;
      CloseMessageBox(&said);
      ASSERT_TRUE(ui.Click(g_home_page, id));
      EXPECT_EQ(said, "Il forum e le pagine del programma sul web non sono disponibili in questa versione del programma.");
    }
    ui.OnNextModal([&](Dialog& chooser) {
      ui.Click(chooser, Cselscuole::kTransferId);
      chooser.EndDialog(kIdCancel);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kSelectSchool));
    EXPECT_TRUE(g_guide_trasfe.IsWindow() && g_guide_trasfe.IsWindowVisible());
    alfadlg_go_to_page(kPageConfigMenu);
    ui.OnNextModal([&](Dialog& import) {
      ui.Click(import, Coraxls::kExampleId);
      import.EndDialog(kIdCancel);
    });
    ui.Click(*g_current_page, Cmenu_confora::kSpreadsheet);
    EXPECT_TRUE(g_guide_xls.IsWindow() && g_guide_xls.IsWindowVisible());
    for (CGuideWindow* guide : std::initializer_list<CGuideWindow*>{&g_guide_menu, &g_guide_gene, &g_guide_trasfe, &g_guide_xls})
      if (guide->IsWindow()) guide->DestroyWindow();
    g_corner.Remove(&g_guide_gene);
  });
}

}  // namespace

namespace {

using namespace kt_app_test;
using namespace kt::ui;

// The archive dialog's USB pen (a folder standing for it): deleting copies
// opens the search window on the pen in delete mode with navigation locked,
// empties the reserve first and fills it again afterwards; without a pen the
// user is told.
TEST_F(HomePageProgram, ArchiveOpensTheSearchOnThePen) {
  fs::path pen = root_ / "penna";
  fs::create_directories(pen / "KestrinTempusRiserva");
  write(pen / "KestrinTempusRiserva" / "riserva_000.bin", std::string(1000, '\0'));
  const char* old = std::getenv(kt::kMediaFolderVariable);
  std::string saved = old ? old : "";
  ::setenv(kt::kMediaFolderVariable, pen.c_str(), 1);
  Run([&] {
    int mode = -1, drive = 0;
    bool locked = false;
    ui.OnNextModal([&](Dialog& archive) {
      ui.OnNextModal([&](Dialog& d) {
        EXPECT_EQ(d.template_id(), Crical::kTemplate);
        mode = g_rical.m_delete_mode;
        drive = g_rical.m_drive;
        locked = !ui.IsEnabled(g_frame, 1773);
        g_rical.WaitForSearch();  // the pen is searched at once; its end is seen on the timer
        ui.Advance(2 * Crical::kPollMs);
        EXPECT_FALSE(g_rical.Searching());
        ui.Key(kVkEscape);
      });
      ui.Click(archive, Carchivio::kPenDeleteId);
      archive.EndDialog(kIdCancel);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(drive, 'E');
    EXPECT_TRUE(locked);
    EXPECT_EQ(g_rical.m_delete_mode, 0);
    std::uintmax_t ballast = 0;
    for (const auto& e : fs::directory_iterator(pen / "KestrinTempusRiserva")) ballast += fs::file_size(e.path());
    EXPECT_GT(ballast, 1000u);
    EXPECT_LE(ballast, kPenBallastBytes + 1000);
    ::setenv(kt::kMediaFolderVariable, (root_ / "nessuna").c_str(), 1);
    std::string said;
    ui.OnNextModal([&](Dialog& archive) {
      CloseMessageBox(&said);
      ui.Click(archive, Carchivio::kPenRestoreId);
      archive.EndDialog(kIdCancel);
    });
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(said, "Penna USB non trovata: inserirla e riprovare.");
  });
  if (old) ::setenv(kt::kMediaFolderVariable, saved.c_str(), 1);
  else ::unsetenv(kt::kMediaFolderVariable);
}

}  // namespace
