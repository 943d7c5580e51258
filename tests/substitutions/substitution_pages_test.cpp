// The substitutions dialog and the provisional page, driven through the
// desktop program from its start-up on a computed copy of the small sample
// school: what the user marks reaches "assenze.txt", the result list shows
// the engine's cover, the reports are written and opened; the provisional
// run writes only the provisional files.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "computed_school_program.h"
#include "desktop_wiring.h"
#include "frame_test_support.h"
#include "engine/substitution_services.h"
#include "engine/text_lines.h"
#include "platform/controls/list_box.h"
#include "platform/controls/popup_menu.h"
#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "schooldata/description_reader.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"
#include "pickers/week_grid_dialog.h"
#include "substitutions/provisional_page.h"
#include "substitutions/substitutions_dialog.h"
#include "trial_run_support.h"

namespace {

using namespace kt::ui;
using kt_app_test::fs::path;
using S = Cmenu_sost;

// The face colour of the frame's "Elaborazione" button.
Color processing_button_face(TestDriver& ui) {
  DisplayList list = ui.Render(g_frame);
  for (const DrawItemOp& op : list.ops())
    if (op.control_id == CAlfaDlg::kSectionIds[2] && op.op == DrawOp::kFill)
      return op.color;
  return kNoColor;
}

int post_hours() {
  int sum = 0;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) sum += g_ui_teachers[t].posts[p].own.hours;
  return sum;
}

using substitution_test::row_starting;
using substitution_test::rows_of;

// A school file as plain text: each stored piece unscrambled, the pieces joined.
std::string unscrambled(const path& file) {
  std::string text = substitution_test::read_file(file), plain;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    std::string piece = text.substr(at, end == std::string::npos ? std::string::npos : end + 1 - at);
    at = end == std::string::npos ? text.size() : end + 1;
    std::string out(piece.size() + 1, '\0');
    or_scramble_line(1, piece.c_str(), out.data());
    plain += out.c_str();
  }
  return plain;
}

// Every file below the folder (relative name -> contents).
std::map<std::string, std::string> files_below(const path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : kt_app_test::fs::recursive_directory_iterator(folder))
    if (e.is_regular_file())
      files[kt_app_test::fs::relative(e.path(), folder).string()] = substitution_test::read_file(e.path());
  return files;
}

class ComputedSchoolProgram : public substitution_test::ComputedSchoolFolder {
 protected:
  // Starts the program; `steps` run inside the frame, then Esc on the home page ends it.
  void Run(const std::function<void()>& steps) { kt_app_test::run_program(ui, steps); }
  TestDriver ui;
};

TEST_F(ComputedSchoolProgram, SubstitutionsOfTheDayFromTheHomePage) {
  std::vector<std::string> shown;
  int computed_rows = -1;
  Run([&] {
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(ui.Text(d, S::kDayId), "Lunedì"_cp) << "the first day when none was recorded";
      ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "ROSSI  ")));
      EXPECT_TRUE(ui.IsChecked(d, S::kFirstHourId + 4));  // the whole day is offered
      EXPECT_FALSE(ui.IsEnabled(d, S::kFirstHourId + 5));  // a five-hour day
      ui.Click(d, S::kMarkId);
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "COLOMBO  ")));
      ASSERT_TRUE(ui.Select(d, S::kReasonId, 1));
      ui.Click(d, S::kFirstHourId + 4);  // not away at the fifth hour
      ui.Click(d, S::kMarkId);
      EXPECT_EQ(rows_of(d, S::kAbsentId),
                (std::vector<std::string>{"ROSSI - Malattia - ore 1,2,3,4,5", "COLOMBO - Permesso - ore 1,2,3,4"}));
      ui.Click(d, S::kComputeId);
      shown = rows_of(d, S::kResultsId);
      computed_rows = g_substitution_state.row_count;
      ui.Click(d, S::kPrintId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    // Back from the substitutions the frame's section buttons answer.
    bool menu_shown = false;
    ui.OnNextMenu([&](PopupMenu& menu) {
      menu_shown = true;
      menu.Cancel();
    });
    EXPECT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[1]));
    EXPECT_TRUE(menu_shown);
  });
  EXPECT_EQ(substitution_test::read_file(school_ / "assenze.txt"),
            "GIORNO:2\nMOTIVO:Malattia\nMOTIVO:Permesso\nMOTIVO:Famiglia\nMOTIVO:Recupero\nMOTIVO:Legge 104\n"
            "ASSENTE:ROSSI|Malattia|111110000000\nASSENTE:COLOMBO|Permesso|111100000000\n");
  ASSERT_GT(computed_rows, 0);
  ASSERT_EQ(static_cast<int>(shown.size()), computed_rows);
  for (const std::string& row : shown) {
    EXPECT_TRUE(row.find("ROSSI ->") != std::string::npos || row.find("COLOMBO ->") != std::string::npos) << row;
    EXPECT_EQ(row.find("ROSSI (") == std::string::npos && row.find("COLOMBO (") == std::string::npos, true)
        << "an absent teacher never substitutes: " << row;
  }
  std::string report = substitution_test::read_file(school_ / "Sostituzioni/Sostituzioni.txt");
  EXPECT_NE(report.find("Giorno: Martedì"_cp), std::string::npos) << report;
  EXPECT_TRUE(kt_app_test::fs::exists(school_ / "Sostituzioni/Sostituzioni per Docente.rtf"));
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_NE(opened_[0].find("Sostituzioni"), std::string::npos) << opened_[0];
}

// Printing a day not computed yet computes it first, then opens the
// folder of the printed substitutions; choosing again the day already
// shown asks nothing and keeps the teachers marked.
TEST_F(ComputedSchoolProgram, PrintingComputesTheDayFirstAndTheSameDayAgainKeepsTheMarks) {
  std::vector<std::string> shown, absent;
  std::size_t boxes_before = 0, boxes_after = 0;
  Run([&] {
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "ROSSI  ")));
      ui.Click(d, S::kMarkId);
      boxes_before = ui.boxes().size();
      ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
      boxes_after = ui.boxes().size();
      absent = rows_of(d, S::kAbsentId);
      ui.Click(d, S::kPrintId);
      shown = rows_of(d, S::kResultsId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  EXPECT_EQ(boxes_after, boxes_before);
  EXPECT_EQ(absent, (std::vector<std::string>{"ROSSI - Malattia - ore 1,2,3,4,5"}));
  EXPECT_FALSE(shown.empty());
  EXPECT_EQ(opened_.size(), 1u);
}

// The results list names, hour by hour, the class, the absent teacher and
// who covers him and how: a teacher on stand-by, a teacher of the class, or
// nobody ("SCOPERTA"); with nobody marked absent there is nothing to
// compute and the user is told. On Wednesday ROSSI receives parents at the
// fourth hour, GRECO and DE LUCA at the fifth: none of them covers then. The
// dialog opens with the keyboard on the day list.
TEST_F(ComputedSchoolProgram, TheResultsSayWhoCoversEachHourAndHow) {
  const struct {
    const char* id;
    std::vector<const char*> absent;  // all day, Wednesday: ROSSI is on stand-by at the third hour
    std::vector<std::string> rows;
  } cases[] = {
      {"nobody", {}, {}},
      {"one",
       {"BIANCHI  "},
       {"Ora 2 - 1B - BIANCHI -> FERRARI (Docente della classe)", "Ora 3 - 3A - BIANCHI -> ROSSI (Disposizione)",
        "Ora 4 - 3A - BIANCHI -> COLOMBO (Docente della classe)", "Ora 5 - 3A - BIANCHI -> BRUNO (Docente della classe)"}},
      {"several",
       {"BIANCHI  ", "ESPOSITO  ", "COLOMBO  ", "RICCI  ", "GRECO  ", "BRUNO  ", "MARINO  ", "FERRARI  "},
       {
           "Ora 1 - 1A - BRUNO -> GALLO (Docente della classe)",
           "Ora 1 - 2B - RICCI -> MANCINI (Docente della classe)",
           "Ora 1 - 3A - COLOMBO -> SCOPERTA",
           "Ora 2 - 1A - BRUNO -> CONTI (Docente della classe)",
           "Ora 2 - 1B - BIANCHI -> GALLO (Docente della classe)",
           "Ora 2 - 2B - RICCI -> MANCINI (Docente della classe)",
           "Ora 2 - 3A - COLOMBO -> SCOPERTA",
           "Ora 3 - 1B - RICCI -> ROSSI (Disposizione)",
           "Ora 3 - 2A - BRUNO -> CONTI (Docente della classe)",
           "Ora 3 - 2B - GRECO -> GALLO (Docente della classe)",
           "Ora 3 - 3A - BIANCHI -> MANCINI (Docente della classe)",
           "Ora 3 - 3B - ESPOSITO -> SCOPERTA",
           "Ora 4 - 1B - RICCI -> CONTI (Docente della classe)",
           "Ora 4 - 2A - BRUNO -> GALLO (Docente della classe)",
           "Ora 4 - 2B - FERRARI -> MANCINI (Docente della classe)",
           "Ora 4 - 3A - BIANCHI -> SCOPERTA",
           "Ora 4 - 3B - GRECO -> SCOPERTA",
           "Ora 5 - 2B - FERRARI -> CONTI (Docente della classe)",
           "Ora 5 - 3A - BIANCHI -> SCOPERTA",
           "Ora 5 - 3B - RICCI -> SCOPERTA",
       }},
  };
  std::vector<std::vector<std::string>> computed;
  std::string told;
  Run([&] {
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_TRUE(ui.HasFocus(d, S::kDayId));
      ASSERT_TRUE(ui.Select(d, S::kDayId, 2));
      for (const auto& c : cases) {
        for (const char* who : c.absent) {
          ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, who))) << c.id << who;
          ui.Click(d, S::kMarkId);
        }
        if (c.absent.empty()) {
          ui.AnswerNextModal(kIdOk);
          ui.Click(d, S::kComputeId);
          told = ui.boxes().empty() ? "" : ui.boxes().back().texts.at(0);
        } else {
          ui.Click(d, S::kComputeId);
        }
        computed.push_back(rows_of(d, S::kResultsId));
        while (!rows_of(d, S::kAbsentId).empty()) {
          ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));
          ui.Click(d, S::kRemoveId);
        }
      }
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  EXPECT_EQ(told, "Nessun insegnante assente: segnare prima gli assenti");
  ASSERT_EQ(computed.size(), std::size(cases));
  for (std::size_t i = 0; i < computed.size(); ++i) {
    EXPECT_EQ(computed[i], cases[i].rows) << cases[i].id;
  }
}

// A damaged absences file: the engine's message, no dialog, the file as it was.
TEST_F(ComputedSchoolProgram, DamagedAbsencesFileIsShownAndKept) {
  write(school_ / "assenze.txt", "GIORNO:1\nASSENTE:ROSSI|Malattia|1x1\n");
  Run([&] {
    ui.AnswerNextModal(1);
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    EXPECT_EQ(g_current_page, &g_home_page);
  });
  bool said = false;
  for (const auto& box : ui.boxes())
    for (const std::string& text : box.texts)
      said = said || text.find("assenze.txt è danneggiato (riga 2: ore non valide)"_cp) != std::string::npos;
  EXPECT_TRUE(said);
  EXPECT_EQ(substitution_test::read_file(school_ / "assenze.txt"), "GIORNO:1\nASSENTE:ROSSI|Malattia|1x1\n");
  EXPECT_FALSE(kt_app_test::fs::exists(school_ / "Sostituzioni"));
}

// The provisional page: mode and palette while it is open, the calendar from
// the picker, a computation that writes only the provisional files.
TEST_F(ComputedSchoolProgram, ProvisionalRunWritesOnlyTheProvisionalFiles) {
  // The final timetable's computation was cut short (the machine went off):
  // its record is where that computation resumes, and must outlive the
  // provisional run like every other file of the final timetable.
  substitution_test::write_file(school_ / "saveprec.txt", substitution_test::read_file(school_ / "savego.txt"));
  std::map<std::string, std::string> before = files_below(school_);
  std::vector<TrialShown> shown;  // the small school's provisional week computes to its end
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));  // the sections open with a first page
    EXPECT_EQ(processing_button_face(ui), rgb(244, 244, 244));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));  // "Orario Provvisorio"
    ASSERT_EQ(g_current_page, &g_provisional_page);
    EXPECT_EQ(g_provisional_mode, 1);
    EXPECT_EQ(processing_button_face(ui), rgb(223, 228, 159));  // the provisional palette
    // Computing without a calendar says what is missing and writes nothing.
    ui.AnswerNextModal(1);
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    EXPECT_FALSE(kt_app_test::fs::exists(school_ / "cattPROV.txt"));
    // The fourth hour of every school day: earlier hours fill in.
    ui.OnNextModal([&](Dialog& d) {
      for (int day = 0; day < 6; ++day) ui.Click(d, 1372 + 9 * day + 3);
      ui.Click(d, kIdOk);
    });
    ui.Click(g_provisional_page, Cprovvi::kCalendarId);
    EXPECT_EQ(std::vector<int>(g_ui_header.provisional_hours_per_day, g_ui_header.provisional_hours_per_day + 7),
              (std::vector<int>{4, 4, 4, 4, 4, 4, 0}));
    EXPECT_EQ(g_provisional_mode, 1);
    // The calendar is the school's: saved on its page, no change left for
    // another page to find.
    EXPECT_FALSE(og_school_changed());
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(g_provisional_mode, 1);
      g_engine_thread.Join();
      ui.Advance(Cmake::kTimerMs);
      shown.push_back({ui.Text(d, Cmake::kTitleId), ui.Text(d, Cmake::kResultId), true});
      ui.Click(d, Cmake::kCloseId);
    });
    int hours_before = post_hours();
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    EXPECT_EQ(post_hours(), hours_before) << "the shorter posts live only in cattPROV.txt";
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
    EXPECT_EQ(g_provisional_mode, 0);
    EXPECT_EQ(processing_button_face(ui), rgb(244, 244, 244));
  });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Calcolo dell'Orario Provvisorio");
  EXPECT_EQ(shown[0].result, "Elaborazione terminata. Errori rimasti: 0");
  std::map<std::string, std::string> after = files_below(school_);
  // The school files take the provisional timetable's state and the
  // calendar, and only they change.
  for (const auto& [name, text] : before)
    if (name != "scuola1.txt" && name != "scuola2.txt") {
      EXPECT_TRUE(after.count(name)) << name << " deleted";
      EXPECT_EQ(after[name], text) << name << " changed";
    }
  // The calendar was saved with the school files and reads back.
  std::memset(g_ui_header.provisional_hours_per_day, 0, sizeof g_ui_header.provisional_hours_per_day);
  ASSERT_EQ(og_read_assignments_file_from((school_ / "scuola2.txt").string(), 0), 0);
  EXPECT_EQ(std::vector<int>(g_ui_header.provisional_hours_per_day, g_ui_header.provisional_hours_per_day + 7),
            (std::vector<int>{4, 4, 4, 4, 4, 4, 0}));
  char kept_state = g_timetable_state;
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_EQ(g_provisional_timetable_state, '5');
  EXPECT_EQ(g_timetable_state, kept_state);
  std::set<std::string> added;
  for (const auto& [name, text] : after)
    if (!before.count(name) && name != "scuola1.txt") added.insert(name.substr(0, name.find('/')));
  // (the description writer notes in "tech_log.txt" that the school moved folder)
  EXPECT_EQ(added, (std::set<std::string>{"Provvisorio", "cattPROV.txt", "saveprov.txt", "tech_log.txt"}));
  // Every class's posts were fitted to the 24 hours of the provisional week;
  // a one-hour post keeps its one hour (the teacher of six one-hour posts
  // keeps six hours, not twelve).
  std::string posts = unscrambled(school_ / "cattPROV.txt");
  EXPECT_NE(posts.find("MANCINI\t1A 1\t"), std::string::npos) << posts.substr(0, 2000);
  EXPECT_EQ(posts.find("MANCINI\t1A 2\t"), std::string::npos);
  std::string summary = after["Provvisorio/Orario Disposizione Provvisorio.txt"];
  EXPECT_NE(summary.find("Ore nel Provvisorio"), std::string::npos);
  EXPECT_EQ(summary.find("Classi incomplete"), std::string::npos) << summary;
}

// A saved provisional week: computing asks whether to continue from it or to
// compute a new week. Cancel runs nothing; "continue" reads the saved week;
// "new" sets it aside unread and computes from an empty week. The final
// timetable's files and its set-aside stay as they were throughout.
TEST_F(ComputedSchoolProgram, ASavedProvisionalWeekIsContinuedOrSetAsideForANewOne) {
  substitution_test::write_file(school_ / "saveprec.txt", substitution_test::read_file(school_ / "savego.txt"));
  const std::vector<std::string> final_files = {"savego.txt", "saveprec.txt"};
  std::map<std::string, std::string> final_before;
  for (const std::string& name : final_files) final_before[name] = substitution_test::read_file(school_ / name);
  struct Shown {
    std::string result;
  };
  std::vector<Shown> shown;
  auto watch = [&] {
    ui.OnNextModal([&](Dialog& d) {
      g_engine_thread.Join();
      ui.Advance(Cmake::kTimerMs);
      shown.push_back({ui.Text(d, Cmake::kResultId)});
      ui.Click(d, Cmake::kCloseId);
    });
  };
  auto questions = [&] {
    int n = 0;
    for (const auto& box : ui.boxes())
      for (const std::string& text : box.texts)
        n += text.find("Esiste gi\xE0 un orario provvisorio salvato.") == 0 ? 1 : 0;
    return n;
  };
  const std::string kUnreadable = "not a timetable\n";
  std::string first_week;
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));  // "Orario Provvisorio"
    ASSERT_EQ(g_current_page, &g_provisional_page);
    ui.OnNextModal([&](Dialog& d) {
      for (int day = 0; day < 6; ++day) ui.Click(d, 1372 + 9 * day + 3);
      ui.Click(d, kIdOk);
    });
    ui.Click(g_provisional_page, Cprovvi::kCalendarId);
    // No provisional week yet: nothing to ask, the week is drawn from empty.
    watch();
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    EXPECT_EQ(questions(), 0);
    ASSERT_EQ(shown.size(), 1u);
    first_week = substitution_test::read_file(school_ / "saveprov.txt");
    ASSERT_FALSE(first_week.empty());
    // Cancel: no window, no file touched.
    ui.AnswerNextModal(kIdCancel);
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(ui.PendingSteps(), 0u);
    EXPECT_EQ(substitution_test::read_file(school_ / "saveprov.txt"), first_week);
    // A saved week the engine cannot read tells which runs read it.
    substitution_test::write_file(school_ / "saveprov.txt", kUnreadable);
    // Yes: continues from the saved week (and is told it was damaged),
    // nothing set aside.
    ui.AnswerNextModal(kIdYes);
    watch();
    ui.AnswerNextModal(kIdOk);  // the engine's word on the damaged week
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(ui.PendingSteps(), 0u);
    EXPECT_FALSE(kt_app_test::fs::exists(school_ / "saveprov_precedente.txt"));
    EXPECT_EQ(substitution_test::read_file(school_ / "saveprov_danneggiato.txt"), kUnreadable);
    kt_app_test::fs::remove(school_ / "saveprov_danneggiato.txt");
    // No: the saved week goes aside unread, the new one is drawn from empty.
    substitution_test::write_file(school_ / "saveprov.txt", kUnreadable);
    ui.AnswerNextModal(kIdNo);
    watch();
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    EXPECT_EQ(questions(), 3);
    EXPECT_EQ(ui.PendingSteps(), 0u);
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
  });
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].result, "Elaborazione terminata. Errori rimasti: 0");
  EXPECT_NE(shown[1].result.find("saveprov_danneggiato.txt"), std::string::npos) << shown[1].result;
  EXPECT_EQ(shown[2].result, "Elaborazione terminata. Errori rimasti: 0");
  EXPECT_FALSE(kt_app_test::fs::exists(school_ / "saveprov_danneggiato.txt"));
  EXPECT_EQ(substitution_test::read_file(school_ / "saveprov_precedente.txt"), kUnreadable);
  std::string new_week = substitution_test::read_file(school_ / "saveprov.txt");
  EXPECT_NE(new_week, kUnreadable);
  EXPECT_FALSE(new_week.empty());
  for (const std::string& name : final_files)
    EXPECT_EQ(substitution_test::read_file(school_ / name), final_before[name]) << name;
  for (const char* aside : {"savego_precedente.txt", "saveprec_precedente.txt", "ricevi_precedente.txt"})
    EXPECT_FALSE(kt_app_test::fs::exists(school_ / aside)) << aside;
}

// The calendar's picker in turn: every hour marked (the picker's "always")
// is the school's own week, a day with no hours staying without; one hour
// on the first day only; then that hour taken off again.
TEST_F(ComputedSchoolProgram, TheCalendarPickedIsTheProvisionalWeek) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));  // "Orario Provvisorio"
    ASSERT_EQ(g_current_page, &g_provisional_page);
    std::vector<int> school(g_ui_header.hours_per_day, g_ui_header.hours_per_day + 7);
    ASSERT_EQ(school, (std::vector<int>{5, 5, 5, 5, 5, 5, 0}));
    const struct {
      const char* id;
      std::function<void(Dialog&)> pick;
      std::vector<int> week;
    } cases[] = {
        {"every hour", [&](Dialog& d) { ui.Click(d, CWeekGridDialog::kInvertId); }, school},
        {"first day, third hour",
         [&](Dialog& d) {
           ui.Click(d, CWeekGridDialog::kInvertId);
           ui.Click(d, dwh_cell_id(0, 2));
         },
         {3, 0, 0, 0, 0, 0, 0}},
        {"third hour taken off", [&](Dialog& d) { ui.Click(d, dwh_cell_id(0, 2)); }, {2, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
      ui.OnNextModal([&](Dialog& d) {
        c.pick(d);
        ui.Click(d, kIdOk);
      });
      ui.Click(g_provisional_page, Cprovvi::kCalendarId);
      EXPECT_EQ(std::vector<int>(g_ui_header.provisional_hours_per_day, g_ui_header.provisional_hours_per_day + 7),
                c.week)
          << c.id;
    }
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
  });
}

// A provisional week of one hour on five days cannot hold the classes'
// posts (each keeps at least one hour) nor a teacher's: the computation is
// refused at once with the engine's message naming the classes and the
// teachers, and writes no provisional timetable.
TEST_F(ComputedSchoolProgram, AProvisionalWeekThatCannotHoldTheLessonsIsRefusedAtOnce) {
  std::vector<TrialShown> shown;
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));  // "Orario Provvisorio"
    ASSERT_EQ(g_current_page, &g_provisional_page);
    ui.OnNextModal([&](Dialog& d) {
      for (int day = 0; day < 5; ++day) ui.Click(d, 1372 + 9 * day);
      ui.Click(d, kIdOk);
    });
    ui.Click(g_provisional_page, Cprovvi::kCalendarId);
    ASSERT_EQ(std::vector<int>(g_ui_header.provisional_hours_per_day, g_ui_header.provisional_hours_per_day + 7),
              (std::vector<int>{1, 1, 1, 1, 1, 0, 0}));
    watch_trial(ui, shown, false);
    ui.AnswerNextModal(kIdOk);  // the engine's message
    ui.Click(g_provisional_page, Cprovvi::kComputeId);
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
  });
  std::string said;
  for (const auto& box : ui.boxes())
    for (const std::string& text : box.texts) said += text + "\n";
  for (const TrialShown& s : shown) said += s.title + ": " + s.result + "\n";
  EXPECT_NE(said.find("Il calendario delle classi non può contenere le lezioni:"_cp), std::string::npos) << said;
  EXPECT_NE(said.find("classi: 1A (12 ore, calendario 5), 2A (12 ore, calendario 5)"), std::string::npos) << said;
  EXPECT_NE(said.find("FERRARI: 6 ore nelle classi 1B 2B 3B, i loro calendari ne hanno 5"), std::string::npos) << said;
  EXPECT_FALSE(kt_app_test::fs::exists(school_ / "saveprov.txt"));
}

// The calendar's summary on the provisional page: shown from the page's
// opening (the school's provisional calendar, or none), the same after the
// picker changed it and when the page is opened again.
TEST_F(ComputedSchoolProgram, TheProvisionalPageShowsItsCalendarFromTheStart) {
  std::string first, chosen, again, template_text;
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));  // "Orario Provvisorio"
    ASSERT_EQ(g_current_page, &g_provisional_page);
    first = ui.Text(g_provisional_page, Cprovvi::kCalendarId);
    ui.OnNextModal([&](Dialog& d) {
      for (int day = 0; day < 5; ++day) ui.Click(d, 1372 + 9 * day + 2);
      ui.Click(d, kIdOk);
    });
    ui.Click(g_provisional_page, Cprovvi::kCalendarId);
    chosen = ui.Text(g_provisional_page, Cprovvi::kCalendarId);
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));
    ASSERT_EQ(g_current_page, &g_provisional_page);
    again = ui.Text(g_provisional_page, Cprovvi::kCalendarId);
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
  });
  const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(Cprovvi::kTemplate);
  ASSERT_NE(t, nullptr);
  for (const kt::ui::ControlTemplate& c : t->controls)
    if (c.id == Cprovvi::kCalendarId) template_text = c.caption;
  EXPECT_NE(first, template_text) << "a summary, not the template's text";
  EXPECT_NE(first.find('\n'), std::string::npos) << first;
  EXPECT_NE(chosen, first);
  EXPECT_NE(chosen.find('\n'), std::string::npos) << chosen;
  EXPECT_EQ(again, chosen);
}

}  // namespace

namespace {

using substitution_test::row_starting;
using substitution_test::rows_of;

bool names(const std::vector<std::string>& rows, const std::string& teacher) {
  for (const std::string& r : rows)
    if (r.find(" - " + teacher + " -> ") != std::string::npos) return true;
  return false;
}

// Absences changed after the day was computed: the cover shown no longer
// answers them, so it goes, and printing computes the day again, so the
// printout covers the teacher marked since and no longer the one taken off.
TEST_F(ComputedSchoolProgram, AbsencesChangedAfterComputingArePrintedAsMarked) {
  std::vector<std::string> computed, after_mark, printed, after_remove, printed_again;
  std::string report;
  Run([&] {
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kDayId, 0));
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "ROSSI  ")));
      ui.Click(d, S::kMarkId);
      ui.Click(d, S::kComputeId);
      computed = rows_of(d, S::kResultsId);
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "GALLO  ")));
      ui.Click(d, S::kMarkId);
      after_mark = rows_of(d, S::kResultsId);
      ui.Click(d, S::kPrintId);
      printed = rows_of(d, S::kResultsId);
      report = substitution_test::read_file(school_ / "Sostituzioni" / "Sostituzioni.txt");
      ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));  // ROSSI
      ui.Click(d, S::kRemoveId);
      after_remove = rows_of(d, S::kResultsId);
      ui.Click(d, S::kPrintId);
      printed_again = rows_of(d, S::kResultsId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  ASSERT_TRUE(names(computed, "ROSSI"));
  EXPECT_FALSE(names(computed, "GALLO"));
  EXPECT_TRUE(after_mark.empty());
  EXPECT_TRUE(names(printed, "ROSSI"));
  EXPECT_TRUE(names(printed, "GALLO"));
  EXPECT_NE(report.find("GALLO"), std::string::npos);
  EXPECT_TRUE(after_remove.empty());
  EXPECT_FALSE(names(printed_again, "ROSSI"));
  EXPECT_TRUE(names(printed_again, "GALLO"));
  EXPECT_NE(substitution_test::read_file(school_ / "assenze.txt").find("GALLO"), std::string::npos);
}

}  // namespace
