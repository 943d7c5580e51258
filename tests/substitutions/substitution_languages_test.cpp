// The substitutions dialog and the provisional page in the user's language,
// chosen in the status file before the desktop program starts: the
// dialog's title, the absent teachers' rows and the result rows with their
// word for the hour and for each way of cover (a teacher on stand-by, a
// teacher of the class, nobody); the provisional page's title, notice and
// the message for a week without a calendar. Every label of both windows
// is plain text from the left.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "desktop_wiring.h"
#include "frame_test_support.h"
#include "engine/substitution_services.h"
#include "platform/cp1252.h"
#include "platform/dialog_template.h"
#include "platform/test_driver.h"
#include "shell/color_button.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "substitutions/provisional_page.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt::ui;
using S = Cmenu_sost;
using substitution_test::row_starting;
using substitution_test::rows_of;

struct Language {
  int number;
  const char* title;
  const char* hours_word;  // in the absent list
  const char* reason;      // the first default reason
  const char *hour_word, *standby, *class_teacher, *uncovered;
  const char* provisional_title;
  const char* provisional_notice_start;
  const char* no_calendar;
};

const Language kLanguages[] = {
    {0, "Gestione Sostituzioni - Insegnanti assenti del giorno", "ore", "Malattia", "Ora", "Disposizione",
     "Docente della classe", "SCOPERTA", "Orario Provvisorio", "Si lavora sull'orario provvisorio",
     "Indicare prima il Calendario Settimanale dell'orario provvisorio"},
    {1, "Vertretungen - abwesende Lehrer des Tages", "Std.", "Krankenheit", "Std.", "Verf\xFCgung",
     "Lehrer der Klasse", "NICHT VERTRETEN", "Vorl\xE4ufiger Stundenplan", "Sie arbeiten am vorl\xE4ufigen Stundenplan",
     "Bitte zuerst den Wochenkalender des vorl\xE4ufigen Stundenplans angeben"},
    {2, "Substitutions - absent teachers of the day", "hours", "Sickness", "Hour", "Stand-by", "Class teacher",
     "UNCOVERED", "Provisional Timetable", "You are working on the provisional timetable",
     "First mark the weekly calendar of the provisional timetable"},
};

// Wednesday with these teachers away all day (the sample school's cover,
// as the results test finds it in Italian).
const char* const kAway[] = {"BIANCHI  ", "ESPOSITO  ", "COLOMBO  ", "RICCI  ",
                             "GRECO  ",   "BRUNO  ",    "MARINO  ",  "FERRARI  "};
struct Cover {
  int hour;
  const char *class_name, *absent, *substitute;  // no substitute: uncovered
  bool standby;
};
const Cover kCover[] = {
    {1, "1A", "BRUNO", "GALLO", false},    {1, "2B", "RICCI", "MANCINI", false},  {1, "3A", "COLOMBO", nullptr, false},
    {2, "1A", "BRUNO", "CONTI", false},    {2, "1B", "BIANCHI", "GALLO", false},  {2, "2B", "RICCI", "MANCINI", false},
    {2, "3A", "COLOMBO", nullptr, false},  {3, "1B", "RICCI", "ROSSI", true},     {3, "2A", "BRUNO", "CONTI", false},
    {3, "2B", "GRECO", "GALLO", false},    {3, "3A", "BIANCHI", "MANCINI", false}, {3, "3B", "ESPOSITO", nullptr, false},
    {4, "1B", "RICCI", "CONTI", false},    {4, "2A", "BRUNO", "GALLO", false},    {4, "2B", "FERRARI", "MANCINI", false},
    {4, "3A", "BIANCHI", nullptr, false},  {4, "3B", "GRECO", nullptr, false},    {5, "2B", "FERRARI", "CONTI", false},
    {5, "3A", "BIANCHI", nullptr, false},  {5, "3B", "RICCI", nullptr, false},
};

std::vector<std::string> expected_rows(const Language& l) {
  std::vector<std::string> rows;
  for (const Cover& c : kCover) {
    std::string row = std::string(l.hour_word) + " " + std::to_string(c.hour) + " - " + c.class_name + " - " +
                      c.absent + " -> ";
    if (!c.substitute)
      row += l.uncovered;
    else
      row += std::string(c.substitute) + " (" + (c.standby ? l.standby : l.class_teacher) + ")";
    rows.push_back(row);
  }
  return rows;
}

class LanguageProgram : public kt_app_test::TempRoot {
 protected:
  void Start(int language) {
    kestrintempus_install();
    school_ = data_root() / "piccola";
    substitution_test::copy_computed_school(school_);
    write(data_root() / "plenixstatus.txt",
          "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:" + std::to_string(language) + "\n");
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
  }
  void TearDown() override {
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    TempRoot::TearDown();
  }
  kt_app_test::fs::path school_;
  TestDriver ui;
};

TEST_F(LanguageProgram, TheSubstitutionsDialogSpeaksTheUsersLanguage) {
  for (const Language& l : kLanguages) {
    SCOPED_TRACE(l.number);
    TearDown();
    SetUp();
    Start(l.number);
    std::string title, window_title;
    std::vector<std::string> absent, results;
    kt_app_test::run_program(ui, [&] {
      ui.OnNextModal([&](Dialog& d) {
        title = ui.Text(d, S::kTitleId);
        window_title = d.GetWindowText();
        ASSERT_TRUE(ui.Select(d, S::kDayId, 2));  // Wednesday
        for (const char* who : kAway) {
          ASSERT_TRUE(ui.Select(d, S::kTeachersId, row_starting(d, S::kTeachersId, who))) << who;
          ui.Click(d, S::kMarkId);
        }
        absent = rows_of(d, S::kAbsentId);
        ui.Click(d, S::kComputeId);
        results = rows_of(d, S::kResultsId);
        ui.Click(d, kIdCancel);
      });
      ui.Click(g_home_page, CPlenixDlg::kSubstitutions);
    });
    EXPECT_EQ(title, l.title);
    EXPECT_EQ(window_title, l.title);
    ASSERT_EQ(absent.size(), std::size(kAway));
    EXPECT_EQ(absent[0], std::string("BIANCHI - ") + l.reason + " - " + l.hours_word + " 1,2,3,4,5");
    EXPECT_EQ(results, expected_rows(l));
  }
}

TEST_F(LanguageProgram, TheProvisionalPageSpeaksTheUsersLanguage) {
  for (const Language& l : kLanguages) {
    SCOPED_TRACE(l.number);
    TearDown();
    SetUp();
    Start(l.number);
    std::string title, notice, told;
    kt_app_test::run_program(ui, [&] {
      ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
      ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));
      ASSERT_EQ(g_current_page, &g_provisional_page);
      title = ui.Text(g_provisional_page, Cprovvi::kTitleId);
      notice = ui.Text(g_provisional_page, Cprovvi::kNoticeId);
      ui.OnNextModal([&](Dialog& box) {
        told = ui.Text(box, CMessageBox::kTextId);
        box.EndDialog(kIdOk);
      });
      ui.Click(g_provisional_page, Cprovvi::kComputeId);
      ui.Click(g_provisional_page, Cprovvi::kLeaveId);
    });
    EXPECT_EQ(title, l.provisional_title);
    EXPECT_EQ(notice.rfind(l.provisional_notice_start, 0), 0u) << notice;
    EXPECT_EQ(told, l.no_calendar);
    EXPECT_FALSE(kt_app_test::fs::exists(school_ / "cattPROV.txt")) << "nothing written without a calendar";
  }
}

TEST(SubstitutionLabels, EveryLabelIsPlainTextFromTheLeft) {
  ui_register_substitution_templates();
  int labels = 0;
  for (int id : {S::kTemplate, Cprovvi::kTemplate}) {
    const DialogTemplate* t = find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    for (const ControlTemplate& c : t->controls)
      if (std::string(c.class_name) == "Static") {
        ++labels;
        EXPECT_EQ(c.style & 0x1Fu, kSsLeft) << "window " << id << ", label " << c.id << " \"" << c.caption << "\"";
      }
  }
  EXPECT_GE(labels, 8);
}

// Each label names the control it stands by: above a list or a drop-down
// list, on its left edge and with its width, right on its top; the day's
// label on the left of its drop-down list, two units before it and on its
// text line; the hours' label above the first row of hour boxes.
TEST(SubstitutionLabels, EachLabelStandsByItsControl) {
  ui_register_substitution_templates();
  const DialogTemplate* t = find_dialog_template(S::kTemplate);
  ASSERT_NE(t, nullptr);
  auto label = [&](const char* caption) -> const ControlTemplate& {
    for (const ControlTemplate& c : t->controls)
      if (std::string(c.class_name) == "Static" && std::string(c.caption) == caption) return c;
    ADD_FAILURE() << "no label " << caption;
    return t->controls.front();
  };
  auto control = [&](int id) -> const ControlTemplate& {
    for (const ControlTemplate& c : t->controls)
      if (c.id == id) return c;
    ADD_FAILURE() << "no control " << id;
    return t->controls.front();
  };
  const struct {
    const char* caption;
    int id;
    bool same_width;
  } above[] = {
      {"Insegnanti e ore del giorno:", S::kTeachersId, true},
      {"Motivo:", S::kReasonId, true},
      {"Assenti:", S::kAbsentId, true},
      {"Sostituzioni:", S::kResultsId, false},
  };
  for (const auto& a : above) {
    const ControlTemplate &l = label(a.caption), &c = control(a.id);
    EXPECT_EQ(l.x, c.x) << a.caption;
    EXPECT_EQ(l.y + l.cy, c.y) << a.caption;
    if (a.same_width) EXPECT_EQ(l.cx, c.cx) << a.caption;
  }
  const ControlTemplate &day = label("Giorno:"), &days = control(S::kDayId);
  EXPECT_EQ(day.x + day.cx + 2, days.x);
  EXPECT_EQ(day.y, days.y + 2);
  EXPECT_EQ(day.x, control(S::kTeachersId).x);
  const ControlTemplate& hours = label("Ore di assenza:");
  EXPECT_EQ(hours.x, control(S::kFirstHourId).x);
  EXPECT_EQ(hours.y + hours.cy + 2, control(S::kFirstHourId).y);
  EXPECT_EQ(hours.cx, control(S::kReasonId).cx);
}

// The provisional page's two commands are the program's coloured buttons:
// each face in the colour its caption's mark gives in the provisional
// palette, the caption shown without the mark.
TEST_F(LanguageProgram, TheProvisionalPagesCommandsAreColouredButtons) {
  Start(0);
  struct Drawn {
    Color face = kNoColor;
    std::string text;
  };
  std::map<int, Drawn> drawn;
  kt_app_test::run_program(ui, [&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_TRUE(ui.Click(g_frame, CAlfaDlg::kSectionIds[3]));
    ASSERT_EQ(g_current_page, &g_provisional_page);
    DisplayList list = ui.Render(g_provisional_page);
    for (int id : {Cprovvi::kComputeId, Cprovvi::kLeaveId})
      for (const DrawItemOp* op : list.ForControl(id)) {
        if (op->op == DrawOp::kFill && drawn[id].face == kNoColor) drawn[id].face = op->color;
        if (op->op == DrawOp::kText) drawn[id].text += op->text;
      }
    ui.Click(g_provisional_page, Cprovvi::kLeaveId);
  });
  const struct {
    int id;
    const char* caption;
  } buttons[] = {{Cprovvi::kComputeId, "!CALCOLA l'Orario Provvisorio"},
                 {Cprovvi::kLeaveId, "Torna all'orario definitivo"}};
  for (const auto& b : buttons) {
    ColorButtonLook look = color_button_look(0, b.caption, true, kNoColor, kNoColor);
    EXPECT_EQ(drawn[b.id].face, look.background) << b.caption;
    EXPECT_EQ(drawn[b.id].text, look.caption) << b.caption;
  }
  EXPECT_NE(drawn[Cprovvi::kComputeId].face, drawn[Cprovvi::kLeaveId].face) << "the main command stands out";
}

}  // namespace
