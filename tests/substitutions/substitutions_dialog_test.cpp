// The substitutions dialog on a computed school whose Wednesday is shorter
// than its other days, driven through the desktop program from start-up:
// the hour boxes and the teachers' rows follow the chosen day's hours, a
// teacher already marked shows his own reason and hours again when chosen,
// the lists are rebuilt (never appended to) on every change, a change of day
// with teachers marked asks first and a removal takes the chosen row only;
// a mark needs a teacher and an hour, a removal a row; what is marked is
// recorded when the dialog closes, and only then when it changed;
// the provisional page's calendar from the picker.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "desktop_wiring.h"
#include "frame_test_support.h"
#include "engine/substitution_services.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/list_box.h"
#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "substitutions/provisional_page.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt::ui;
using S = Cmenu_sost;
namespace fs = std::filesystem;

// Two classes on three days of 4, 4 and 2 hours; ROSSI has two stand-by hours.
const char* const kShortDaySchool =
    "REM:Scuola Breve\n"
    "DAYS:\tLU4-Luned\xEC\tMA4-Marted\xEC\tME2-Mercoled\xEC\tGI0-Gioved\xEC\tVE0-Venerd\xEC\tSA0-Sabato\t"
    "DO0-Domenica\t\n"
    "GM:ITALIANO\t\nROSSI\tTED:6+2\t1A 4\t2A 2\t\nBIANCHI\t1A 3\t2A 3\t\n"
    "GM:MATEMATICA\t\nVERDI\t1A 3\t2A 5\t\n";

// The school computed once per test program ("CALC:" then "DISP:").
const fs::path& short_day_school() {
  static kt_test::TempDir folder("kt-short-day-school-");
  static bool made = false;
  if (made) return folder.path();
  made = true;
  substitution_test::write_file(folder.path() / "scuola2.txt", kShortDaySchool);
  std::string orario = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
  for (const char* args : {"--seed 3 --time-limit 20 CALC:scuola2.txt", "DISP:scuola2.txt"}) {
    std::string command = "cd '" + folder.path().string() + "' && env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT='" +
                          folder.path().string() + "' '" + orario + "' " + args + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << args;
  }
  return folder.path();
}

using substitution_test::row_starting;
using substitution_test::rows_of;

class ShortDayDialog : public kt_app_test::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    school_ = data_root() / "breve";
    fs::create_directories(school_);
    for (const auto& e : fs::directory_iterator(short_day_school()))
      if (e.is_regular_file()) fs::copy_file(e.path(), school_ / e.path().filename());
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\breve\n");
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  }
  void TearDown() override {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    TempRoot::TearDown();
  }
  // Opens the dialog from the home page of the started program; `steps` run in it.
  void InDialog(const std::function<void(Dialog&)>& steps) {
    kt_app_test::run_program(ui, [&] {
      ui.OnNextModal([&](Dialog& d) {
        steps(d);
        ui.Click(d, kIdCancel);
      });
      ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    });
  }
  // The hour boxes: (enabled, checked) of each of the twelve.
  std::vector<std::pair<bool, bool>> Boxes(Dialog& d) {
    std::vector<std::pair<bool, bool>> boxes;
    for (int h = 0; h < kAbsenceHours; ++h)
      boxes.emplace_back(ui.IsEnabled(d, S::kFirstHourId + h), ui.IsChecked(d, S::kFirstHourId + h));
    return boxes;
  }
  static std::vector<std::pair<bool, bool>> Expected(int day_hours, std::vector<int> checked) {
    std::vector<std::pair<bool, bool>> boxes;
    for (int h = 0; h < kAbsenceHours; ++h) {
      bool on = false;
      for (int c : checked) on = on || c == h + 1;
      boxes.emplace_back(h < day_hours, on);
    }
    return boxes;
  }
  fs::path school_;
  TestDriver ui;
};

TEST_F(ShortDayDialog, TheShortDaysHoursAreTheOnlyOnesOffered) {
  InDialog([&](Dialog& d) {
    auto* days = dynamic_cast<ComboBox*>(d.GetDlgItem(S::kDayId));
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->GetCount(), 3) << "only the school's days";
    EXPECT_EQ(Boxes(d), Expected(4, {1, 2, 3, 4})) << "Monday: four hours, all offered";
    std::vector<std::string> monday = rows_of(d, S::kTeachersId);
    ASSERT_EQ(monday.size(), 3u);
    for (const std::string& row : monday) EXPECT_NE(row.find(" 4:"), std::string::npos) << row;
    ASSERT_TRUE(ui.Select(d, S::kDayId, 2));  // Wednesday, two hours
    EXPECT_EQ(Boxes(d), Expected(2, {1, 2}));
    std::vector<std::string> wednesday = rows_of(d, S::kTeachersId);
    ASSERT_EQ(wednesday.size(), 3u) << "the list is refilled, not added to";
    for (const std::string& row : wednesday) {
      EXPECT_NE(row.find(" 2:"), std::string::npos) << row;
      EXPECT_EQ(row.find(" 3:"), std::string::npos) << row;
    }
    // A teacher chosen offers the whole (short) day.
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "VERDI  ")));
    EXPECT_EQ(Boxes(d), Expected(2, {1, 2}));
    ui.Click(d, S::kFirstHourId);  // away at the second hour only
    ui.Click(d, S::kMarkId);
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"VERDI - Malattia - ore 2"}));
  });
  EXPECT_NE(substitution_test::read_file(school_ / "assenze.txt").find("ASSENTE:VERDI|Malattia|010000000000\n"),
            std::string::npos)
      << "the mark is recorded on closing";
  EXPECT_FALSE(fs::exists(school_ / "Sostituzioni" / "dati_sostituzioni.txt")) << "nothing is computed";
}

TEST_F(ShortDayDialog, AMarkedTeacherShowsHisReasonAndHoursAgain) {
  InDialog([&](Dialog& d) {
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "BIANCHI  ")));
    ASSERT_TRUE(ui.Select(d, S::kReasonId, 2));  // "Famiglia"
    ui.Click(d, S::kFirstHourId + 1);
    ui.Click(d, S::kFirstHourId + 3);  // away at hours 1 and 3
    ui.Click(d, S::kMarkId);
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "ROSSI  ")));
    ASSERT_TRUE(ui.Select(d, S::kReasonId, 0));
    EXPECT_EQ(Boxes(d), Expected(4, {1, 2, 3, 4})) << "an unmarked teacher: the whole day";
    ui.Click(d, S::kMarkId);
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"BIANCHI - Famiglia - ore 1,3",
                                                                   "ROSSI - Malattia - ore 1,2,3,4"}));
    // Chosen again, BIANCHI brings back his own reason and hours.
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "BIANCHI  ")));
    EXPECT_EQ(Boxes(d), Expected(4, {1, 3}));
    EXPECT_EQ(ui.Text(d, S::kReasonId), "Famiglia");
    // Marked again with another reason: his row changes, no second row.
    ASSERT_TRUE(ui.Select(d, S::kReasonId, 3));
    ui.Click(d, S::kMarkId);
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"BIANCHI - Recupero - ore 1,3",
                                                                   "ROSSI - Malattia - ore 1,2,3,4"}));
    // The removal takes the chosen row of the absent list.
    ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));
    ui.Click(d, S::kRemoveId);
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"ROSSI - Malattia - ore 1,2,3,4"}));
    // Another day with a teacher marked: "No" keeps the day and the mark.
    ui.AnswerNextModal(7);
    ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
    EXPECT_EQ(ui.Text(d, S::kDayId), "Luned\xEC");
    EXPECT_EQ(rows_of(d, S::kAbsentId).size(), 1u);
    // "Yes" moves to the day and clears the marks.
    ui.AnswerNextModal(6);
    ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
    EXPECT_EQ(ui.Text(d, S::kDayId), "Marted\xEC");
    EXPECT_TRUE(rows_of(d, S::kAbsentId).empty());
    EXPECT_EQ(rows_of(d, S::kTeachersId).size(), 3u);
  });
}

// A mark needs a teacher chosen and an hour ticked, a removal a row of the
// absent list: otherwise nothing changes (a beep, or a message for the
// hours).
TEST_F(ShortDayDialog, AMarkNeedsATeacherAndAnHourAndARemovalARow) {
  std::string told;
  int beeps = 0;
  InDialog([&](Dialog& d) {
    ui.ClearBeeps();
    ui.Click(d, S::kMarkId);
    EXPECT_TRUE(rows_of(d, S::kAbsentId).empty());
    ui.Click(d, S::kRemoveId);
    beeps = ui.beeps();
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "VERDI  ")));
    for (int h = 0; h < 4; ++h) ui.Click(d, S::kFirstHourId + h);  // none ticked
    ui.OnNextModal([&](Dialog& box) {
      told = ui.Text(box, CMessageBox::kTextId);
      box.EndDialog(kIdOk);
    });
    ui.Click(d, S::kMarkId);
    EXPECT_TRUE(rows_of(d, S::kAbsentId).empty());
    ui.Click(d, S::kFirstHourId + 2);
    ui.Click(d, S::kMarkId);
    ui.ClearBeeps();
    ui.Click(d, S::kRemoveId);
    EXPECT_EQ(ui.beeps(), 1);
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"VERDI - Malattia - ore 3"}));
  });
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(told, "Indicare le ore di assenza");
}

// Chosen in the absent list, a marked teacher shows his own reason and
// hours; a teacher chosen in the teachers' list afterwards shows his,
// though a row of the absent list stays chosen. Each teacher's row names
// the class of each hour, or "-" for a free one, without padding.
TEST_F(ShortDayDialog, EachListShowsTheTeacherChosenInIt) {
  std::vector<std::string> rows;
  InDialog([&](Dialog& d) {
    rows = rows_of(d, S::kTeachersId);
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "BIANCHI  ")));
    ASSERT_TRUE(ui.Select(d, S::kReasonId, 2));  // "Famiglia"
    ui.Click(d, S::kFirstHourId);
    ui.Click(d, S::kFirstHourId + 2);  // away at hours 2 and 4
    ui.Click(d, S::kMarkId);
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "VERDI  ")));
    EXPECT_EQ(Boxes(d), Expected(4, {1, 2, 3, 4}));
    ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));
    EXPECT_EQ(Boxes(d), Expected(4, {2, 4})) << "BIANCHI, from the absent list";
    EXPECT_EQ(ui.Text(d, S::kReasonId), "Famiglia");
    ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "VERDI  ")));
    EXPECT_EQ(Boxes(d), Expected(4, {1, 2, 3, 4})) << "VERDI, from the teachers' list";
  });
  ASSERT_EQ(rows.size(), 3u);
  for (const std::string& row : rows) {
    EXPECT_EQ(row.find(": "), std::string::npos) << row;
  }
}

// The day and the absences recorded in "assenze.txt" come back when the
// dialog opens again; a day the school does not have starts on the first.
TEST_F(ShortDayDialog, TheRecordedDayAndItsAbsencesComeBack) {
  write(school_ / "assenze.txt",
        "GIORNO:3\nMOTIVO:Malattia\nMOTIVO:Permesso\nASSENTE:VERDI|Permesso|010000000000\n");
  InDialog([&](Dialog& d) {
    EXPECT_EQ(ui.Text(d, S::kDayId), "Mercoled\xEC");
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"VERDI - Permesso - ore 2"}));
    EXPECT_EQ(Boxes(d), Expected(2, {1, 2}));
  });
}

// Hours recorded past the end of the chosen day (the file written for a
// longer day, or by hand) are not the day's: the absent list names only the
// day's own hours, and choosing the teacher ticks only those.
TEST_F(ShortDayDialog, RecordedHoursPastTheDayAreNotShown) {
  write(school_ / "assenze.txt",
        "GIORNO:3\nMOTIVO:Malattia\nMOTIVO:Permesso\nASSENTE:VERDI|Permesso|111100000011\n");
  InDialog([&](Dialog& d) {
    EXPECT_EQ(ui.Text(d, S::kDayId), "Mercoled\xEC");
    EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"VERDI - Permesso - ore 1,2"}));
    ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));
    EXPECT_EQ(Boxes(d), Expected(2, {1, 2}));
  });
}

// Absences changed in the dialog are recorded in "assenze.txt" when it
// closes, whichever way (Chiudi, Esc, the window's close button), as
// CALCOLA records them and without computing anything; the dialog opened
// again finds them.
TEST_F(ShortDayDialog, AnAbsenceMarkedAndClosedIsFoundOnReopening) {
  const std::string kRecorded =
      "GIORNO:1\nMOTIVO:Malattia\nMOTIVO:Permesso\nMOTIVO:Famiglia\nMOTIVO:Recupero\nMOTIVO:Legge 104\n";
  const std::vector<std::function<void(Dialog&)>> ways_out = {
      [&](Dialog& d) { ui.Click(d, kIdCancel); },
      [&](Dialog& d) {
        ui.Select(d, S::kAbsentId, 0);  // the keyboard's focus in the dialog
        ui.Key(kVkEscape);
      },
      [&](Dialog& d) { ui.Close(d); },
  };
  std::vector<std::vector<std::string>> reopened(ways_out.size());
  std::vector<std::string> recorded(ways_out.size()), after_removal(ways_out.size());
  std::vector<bool> ended(ways_out.size());
  kt_app_test::run_program(ui, [&] {
    for (std::size_t way = 0; way < ways_out.size(); ++way) {
      std::size_t boxes = 0;
      ui.OnNextModal([&](Dialog& d) {
        ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "VERDI  ")));
        ASSERT_TRUE(ui.Select(d, S::kReasonId, 1));  // "Permesso"
        ui.Click(d, S::kFirstHourId);                // away at hours 2 to 4
        ui.Click(d, S::kMarkId);
        boxes = ui.boxes().size();
        ways_out[way](d);
        ended[way] = !d.IsWindowVisible();
      });
      ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
      EXPECT_EQ(ui.boxes().size(), boxes) << way << ": nothing to ask or say";
      EXPECT_EQ(g_substitution_state.computed_day, 0) << way << ": closing computes no cover";
      recorded[way] = substitution_test::read_file(school_ / "assenze.txt");
      // Opened again: the mark is there; taken off, it stays off.
      ui.OnNextModal([&](Dialog& d) {
        reopened[way] = rows_of(d, S::kAbsentId);
        ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));
        ui.Click(d, S::kRemoveId);
        ui.Click(d, kIdCancel);
      });
      ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
      after_removal[way] = substitution_test::read_file(school_ / "assenze.txt");
    }
  });
  for (std::size_t way = 0; way < ways_out.size(); ++way) {
    EXPECT_TRUE(ended[way]) << way;
    EXPECT_EQ(reopened[way], (std::vector<std::string>{"VERDI - Permesso - ore 2,3,4"})) << way;
    EXPECT_EQ(recorded[way], kRecorded + "ASSENTE:VERDI|Permesso|011100000000\n") << way;
    EXPECT_EQ(after_removal[way], kRecorded) << way;
  }
  EXPECT_FALSE(fs::exists(school_ / "Sostituzioni" / "dati_sostituzioni.txt")) << "nothing is computed";
}

// The file is written only when what it holds changed: opening and closing,
// or marking a teacher and taking him off again, leave it byte for byte
// (its "\r\n" and the hours past the short day included).
TEST_F(ShortDayDialog, OnlyAChangeIsRecorded) {
  const std::string kFile = "GIORNO:3\r\nMOTIVO:Malattia\r\nASSENTE:VERDI|Malattia|110000000011\r\n";
  write(school_ / "assenze.txt", kFile);
  std::string untouched;
  kt_app_test::run_program(ui, [&] {
    ui.OnNextModal([&](Dialog& d) { ui.Click(d, kIdCancel); });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    untouched = substitution_test::read_file(school_ / "assenze.txt");
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "BIANCHI  ")));
      ui.Click(d, S::kMarkId);
      ASSERT_TRUE(ui.Select(d, S::kAbsentId, 1));
      ui.Click(d, S::kRemoveId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  EXPECT_EQ(untouched, kFile);
  EXPECT_EQ(substitution_test::read_file(school_ / "assenze.txt"), kFile);
}

// A change of day still asks first when teachers are marked: "No" keeps
// the day and the marks, "Yes" clears them, and the cleared day is what the
// dialog opened again shows. A change of day with nobody marked writes
// nothing.
TEST_F(ShortDayDialog, TheDayChangeStillAsksAndWhatItLeavesIsRecorded) {
  std::vector<std::string> kept, reopened;
  std::string reopened_day;
  kt_app_test::run_program(ui, [&] {
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kDayId, 1));  // nobody marked: no question
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    EXPECT_FALSE(fs::exists(school_ / "assenze.txt"));
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(ui.Text(d, S::kDayId), "Luned\xEC");
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "ROSSI  ")));
      ui.Click(d, S::kMarkId);
      ui.AnswerNextModal(kIdNo);
      ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
      EXPECT_EQ(ui.Text(d, S::kDayId), "Luned\xEC");
      kept = rows_of(d, S::kAbsentId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_EQ(rows_of(d, S::kAbsentId).size(), 1u);
      ui.AnswerNextModal(kIdYes);
      ASSERT_TRUE(ui.Select(d, S::kDayId, 1));
      EXPECT_TRUE(rows_of(d, S::kAbsentId).empty());
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    ui.OnNextModal([&](Dialog& d) {
      reopened_day = ui.Text(d, S::kDayId);
      reopened = rows_of(d, S::kAbsentId);
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  EXPECT_EQ(kept, (std::vector<std::string>{"ROSSI - Malattia - ore 1,2,3,4"}));
  EXPECT_EQ(reopened_day, "Marted\xEC");
  EXPECT_TRUE(reopened.empty());
  EXPECT_EQ(substitution_test::read_file(school_ / "assenze.txt"),
            "GIORNO:2\nMOTIVO:Malattia\nMOTIVO:Permesso\nMOTIVO:Famiglia\nMOTIVO:Recupero\nMOTIVO:Legge 104\n");
}

// When the absences cannot be written on closing (here a folder stands in
// the file's place) the officer is told why, then asked: "No", or Esc,
// keeps the dialog open with the marks; once the file can be written,
// closing records them. "Yes" closes without them and leaves what was there.
TEST_F(ShortDayDialog, AFailedRecordOnClosingIsSaidAndKeepsTheDialogOpen) {
  std::vector<std::string> said;
  std::vector<bool> open_after;
  std::vector<std::string> reopened;
  // The engine's message, then the question, answered by `answer`.
  auto on_failure = [&](std::function<void(Dialog&)> answer) {
    ui.OnNextModal([&, answer](Dialog& box) {
      said.push_back(ui.Text(box, CMessageBox::kTextId));
      ui.OnNextModal([&, answer](Dialog& question) {
        said.push_back(ui.Text(question, CMessageBox::kTextId));
        answer(question);
      });
      box.EndDialog(kIdOk);
    });
  };
  kt_app_test::run_program(ui, [&] {
    ui.OnNextModal([&](Dialog& d) {
      ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, "BIANCHI  ")));
      ui.Click(d, S::kMarkId);
      fs::create_directories(school_ / "assenze.txt" / "dentro");
      on_failure([](Dialog& question) { question.EndDialog(kIdNo); });
      ui.Click(d, kIdCancel);
      open_after.push_back(d.IsWindowVisible());
      on_failure([&](Dialog&) { ui.Key(kVkEscape); });
      ui.Close(d);
      open_after.push_back(d.IsWindowVisible());
      EXPECT_EQ(rows_of(d, S::kAbsentId), (std::vector<std::string>{"BIANCHI - Malattia - ore 1,2,3,4"}));
      fs::remove_all(school_ / "assenze.txt");
      ui.Click(d, kIdCancel);
      open_after.push_back(d.IsWindowVisible());
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    ui.OnNextModal([&](Dialog& d) {
      reopened = rows_of(d, S::kAbsentId);
      ASSERT_TRUE(ui.Select(d, S::kAbsentId, 0));
      ui.Click(d, S::kRemoveId);
      fs::rename(school_ / "assenze.txt", school_ / "assenze.prima");
      fs::create_directories(school_ / "assenze.txt" / "dentro");
      on_failure([](Dialog& question) { question.EndDialog(kIdYes); });
      ui.Click(d, kIdCancel);
      open_after.push_back(d.IsWindowVisible());
    });
    ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
  });
  EXPECT_EQ(open_after, (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(reopened, (std::vector<std::string>{"BIANCHI - Malattia - ore 1,2,3,4"}));
  ASSERT_EQ(said.size(), 6u);
  for (std::size_t i = 0; i < said.size(); i += 2) {
    EXPECT_NE(said[i].find("[assenze.txt]"), std::string::npos) << "the engine's reason: " << said[i];
    EXPECT_EQ(said[i + 1],
              "Le modifiche agli assenti non sono state salvate in assenze.txt. Chiudere comunque, perdendo le "
              "modifiche?");
  }
  EXPECT_TRUE(fs::is_directory(school_ / "assenze.txt" / "dentro")) << "nothing replaced it";
  EXPECT_NE(substitution_test::read_file(school_ / "assenze.prima").find("ASSENTE:BIANCHI|Malattia|111100000000"),
            std::string::npos);
}

// The provisional page on the same school: the picker opens on the normal
// week (the provisional mode lifted while it is open), and what it leaves is
// each day's hours from the first up to the latest marked, shown on the
// calendar button and found again when the picker reopens.
TEST_F(ShortDayDialog, TheProvisionalCalendarKeepsTheHoursUpToTheLatestMarked) {
  constexpr int kCell = 1372;  // the picker's first cell; 9 cells a day
  std::string before, after;
  std::vector<bool> reopened;
  kt_app_test::run_program(ui, [&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));  // "Orario Provvisorio"
    ASSERT_EQ(g_current_page, &g_provisional_page);
    before = ui.Text(g_provisional_page, Cprovvi::kCalendarId);
    ui.OnNextModal([&](Dialog& d) {
      EXPECT_EQ(g_provisional_mode, 0) << "the picker works in the normal week";
      ui.Click(d, kCell + 0 * 9 + 2);  // Monday's third hour
      ui.Click(d, kCell + 2 * 9 + 1);  // Wednesday's second (its last)
      ui.Click(d, kIdOk);
    });
    ui.Click(g_provisional_page, Cprovvi::kCalendarId);
    EXPECT_EQ(g_provisional_mode, 1);
    EXPECT_EQ(std::vector<int>(g_ui_header.provisional_hours_per_day, g_ui_header.provisional_hours_per_day + 7),
              (std::vector<int>{3, 0, 2, 0, 0, 0, 0}));
    after = ui.Text(g_provisional_page, Cprovvi::kCalendarId);
    ui.OnNextModal([&](Dialog& d) {
      for (int day = 0; day < 3; ++day)
        for (int h = 0; h < 4; ++h) reopened.push_back(ui.IsChecked(d, kCell + 9 * day + h));
      ui.Click(d, kIdCancel);
    });
    ui.Click(g_provisional_page, Cprovvi::kCalendarId);
    EXPECT_EQ(ui.Text(g_provisional_page, Cprovvi::kCalendarId), after) << "a cancelled picker changes nothing";
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
  });
  EXPECT_NE(after, before);
  EXPECT_EQ(reopened, (std::vector<bool>{true, true, true, false, false, false, false, false, true, true, false, false}));
}

// Each teacher's row on each day: his name, then hour by hour of that day
// only "h:" and the hour's code with no padding (x a lesson, Dis a stand-by
// hour, - free), one space apart; the rows of a day hold a lesson for every
// lesson hour the timetable gives that day.
TEST_F(ShortDayDialog, EachTeachersRowNamesTheDaysHoursCodeByCode) {
  int standby = 0;
  InDialog([&](Dialog& d) {
    const int hours[3] = {4, 4, 2};
    for (int day = 0; day < 3; ++day) {
      ASSERT_TRUE(ui.Select(d, S::kDayId, day));
      std::string pattern = "(ROSSI|BIANCHI|VERDI)  ";
      for (int h = 1; h <= hours[day]; ++h) pattern += " " + std::to_string(h) + ":(x|Dis|-)";
      std::vector<std::string> rows = rows_of(d, S::kTeachersId);
      ASSERT_EQ(rows.size(), 3u) << day;
      int lessons = 0;
      for (const std::string& row : rows) {
        EXPECT_TRUE(std::regex_match(row, std::regex(pattern))) << "day " << day << ": [" << row << "]";
        for (std::size_t at = row.find(":x"); at != std::string::npos; at = row.find(":x", at + 1)) ++lessons;
        for (std::size_t at = row.find(":Dis"); at != std::string::npos; at = row.find(":Dis", at + 1)) ++standby;
      }
      EXPECT_GT(lessons, 0) << day;
      EXPECT_LE(lessons, 2 * hours[day]) << day << ": two classes, one lesson an hour each";
    }
  });
  EXPECT_EQ(standby, 2) << "ROSSI's two stand-by hours of the week";
}

}  // namespace
