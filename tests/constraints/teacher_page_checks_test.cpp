// The checks the teacher constraints page runs before it saves a teacher,
// on the small sample school cut to five days of six hours: each refusal
// with its message and the control it puts the focus on, the teacher left
// unsaved; the stand-by hours dropped when the week cannot hold them; the
// extra idle hours asked for or questioned; the consecutive days allowed
// when a chosen free day leaves two days next to each other.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "constraint_page_fixtures.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::TeacherPage;
using V = Cvipro;
using K = UiTeacherConstraints&;
namespace fs = std::filesystem;

struct Refusal {
  const char* what;
  std::function<void(UiTeacher&)> edit;
  const char* message;  // its beginning
  int focus;
};

void forbid_day(K c, int day) {
  for (int h = 0; h < 6; ++h) c.op[day * 12 + h] = 1;
}

TEST_F(TeacherPage, EachCheckRefusesWithItsMessageAndFocus) {
  const Refusal cases[] = {
      {"band without its second hour", [](UiTeacher& t) { t.personal.fmin[0] = 3; t.personal.fmin[2] = 2; },
       "La Seconda ora della Fascia non pu\xF2 essere minore della Prima.", 3005},
      {"band's hours reversed", [](UiTeacher& t) { t.personal.emax[0] = 4; t.personal.emax[1] = 3; t.personal.emax[2] = 1; },
       "La Seconda ora della Fascia non pu\xF2 essere minore della Prima.", 3014},
      {"band without quantity", [](UiTeacher& t) { t.personal.fmax[0] = 2; t.personal.fmax[1] = 4; },
       "Specificare la Quantit\xE0 (oppure cancellare", 3009},
      {"minimum band of no days", [](UiTeacher& t) { t.personal.emin[0] = 2; t.personal.emin[1] = 4; t.personal.emin[2] = 0; },
       "Specificare la Quantit\xE0 (oppure cancellare", 3012},
      {"quantity without band", [](UiTeacher& t) { t.personal.pmax[1] = 2; },
       "Specificare la Fascia Oraria(oppure cancellare", 3002},
      {"second hour without band", [](UiTeacher& t) { t.personal.fmin[1] = 4; },
       "Specificare la Fascia Oraria(oppure cancellare", 3004},
      {"around an hour without days", [](UiTeacher& t) { t.personal.cavallomax[0] = 3; },
       "Specificare la Quantit\xE0 (oppure cancellare", 3017},
      {"minimum on the free day",
       [](UiTeacher& t) {
         t.personal.li[2] = 1;
         t.personal.ov[2] = 2;
       },
       "Non si pu\xF2 chiedere un MINIMO di Ore nei Giorni Liberi.", V::kFreeDayIds},
      {"every day a free day",
       [](UiTeacher& t) {
         for (int d = 0; d < 5; ++d) t.personal.li[d] = 1;
       },
       "Non ha senso definire TUTTI i giorni della settimana", V::kFreeDayIds},
      {"fewer days at most than at least",
       [](UiTeacher& t) {
         t.personal.gmin = 4;
         t.personal.gmax = 3;
       },
       "Il MASSIMO dei giorni nella settimana non pu\xF2 essere MINORE del MINIMO.", 3019},
      {"the whole week and a free day",
       [](UiTeacher& t) {
         t.personal.gmin = t.personal.gmax = 5;
         t.personal.li[1] = 1;
       },
       "Se il MINIMO dei giorni \xE8 pari alla settimana, non si pu\xF2 definire il giorno libero", V::kFreeDayIds + 1},
      {"the whole week and a closed day",
       [](UiTeacher& t) {
         t.personal.gmin = t.personal.gmax = 5;
         std::memset(t.personal.op, 0, sizeof t.personal.op);
         forbid_day(t.personal, 2);
       },
       "Se il MINIMO dei giorni \xE8 pari alla settimana, non si possono eslcudere tutte le ore del ", V::kForbiddenId},
      {"presence under teaching",
       [](UiTeacher& t) {
         t.personal.presenza = 4;
         t.personal.insegna = 5;
       },
       "Le Ore ammesse di PRESENZA in scuola non possono essere MINORI delle ore di INSEGNAMENTO.", 3020},
      {"teaching maximum under its minimum",
       [](UiTeacher& t) {
         t.personal.presenza = 6;
         t.personal.insegna = 3;
         t.personal.insegnamin = 4;
       },
       "Le Ore MASSIME di INSEGNAMENTO non possono essere MINORI delle ore MINIME.", 3022},
      {"exact days without their number", [](UiTeacher& t) { t.personal.gl[0] = 3; },
       "Specificare la Quantit\xE0 (oppure cancellare", 3061},
      {"exact days without their hours", [](UiTeacher& t) { t.personal.gl[1] = 2; },
       "Specificare la Fascia Oraria(oppure cancellare", 3060},
      {"full days without their number", [](UiTeacher& t) { t.personal.gp[0] = 3; },
       "Specificare la Quantit\xE0 (oppure cancellare", 3063},
      {"days to the end without their hour", [](UiTeacher& t) { t.personal.gu[1] = 2; },
       "Specificare la Fascia Oraria(oppure cancellare", 3064},
      {"limited days without their number",
       [](UiTeacher& t) {
         t.personal.gx[0] = 2;
         t.personal.gx[1] = 5;
       },
       "Specificare la Quantit\xE0 (oppure cancellare", 3068},
      {"limited days without their end", [](UiTeacher& t) { t.personal.gx[0] = 2; },
       "Specificare la Quantit\xE0 (oppure cancellare", 3068},
      {"limited days without their band", [](UiTeacher& t) { t.personal.gx[2] = 2; },
       "Specificare la Fascia Oraria(oppure cancellare", 3066},
      {"fewer open hours than lessons",
       [](UiTeacher& t) {
         std::memset(t.personal.op, 1, sizeof t.personal.op);
         t.personal.op[0] = t.personal.op[12] = 0;
       },
       "Le ore disponibili per il Professore sono 2, ossia meno delle sue ore di insegnamento.", V::kPostsId},
  };
  g_ui_settings.lunch_break[0] = 0;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  std::memset(t.personal.li, 255, sizeof t.personal.li);  // no free day of his own
  const UiTeacher shown = t;
  std::string before = read(data_root() / "piccola" / "scuola2.txt");
  for (const Refusal& c : cases) {
    t = shown;
    c.edit(t);
    std::size_t boxes = ui.boxes().size();
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(page, V::kSaveId);
    ASSERT_EQ(ui.boxes().size(), boxes + 1) << c.what;
    EXPECT_EQ(ui.boxes().back().texts.at(0).rfind(c.message, 0), 0u) << c.what << ": " << ui.boxes().back().texts.at(0);
    EXPECT_TRUE(ui.HasFocus(page, c.focus)) << c.what;
    EXPECT_EQ(read(data_root() / "piccola" / "scuola2.txt"), before) << c.what;
  }
  t = shown;
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The closed day the whole-week refusal names is the school's own day.
TEST_F(TeacherPage, TheWholeWeekRefusalNamesTheClosedDay) {
  std::strcpy(g_ui_header.day_names[3], "Gioved\xEC");
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  c.gmin = c.gmax = 5;
  std::memset(c.op, 0, sizeof c.op);
  forbid_day(c, 3);
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Se il MINIMO dei giorni \xE8 pari alla settimana, non si possono eslcudere tutte le ore del Gioved\xEC");
  std::memset(c.op, 255, sizeof c.op);
  c.gmin = c.gmax = -1;
  og_snapshot_all();
}

// Stand-by hours beyond what an open week holds are dropped, with the
// new total shown.
TEST_F(TeacherPage, StandbyHoursTheWeekCannotHoldAreDropped) {
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacher& t = g_ui_teachers[page.CurrentTeacher()];
  ASSERT_GT(+t.post_count, 0u);
  t.posts[0].own.hours = std::int8_t(t.posts[0].own.hours + 30);
  t.standby_hours = 2;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(page, V::kSaveId);
  ASSERT_FALSE(ui.boxes().empty());
  EXPECT_EQ(ui.boxes().back().texts.at(0), "Ore a disposizione totali = 0");
  EXPECT_EQ(+t.standby_hours, 0);
  t.posts[0].own.hours = std::int8_t(t.posts[0].own.hours - 30);
  og_snapshot_all();
}

// Forbidden hours inside the day make idle hours unavoidable: the page
// asks to add them (Yes stores them and stays), or goes on without them
// (No saves); more extra idle hours than needed are questioned (No brings
// them down to what is needed).
TEST_F(TeacherPage, ExtraIdleHoursAreAskedForOrQuestioned) {
  g_ui_settings.lunch_break[0] = 0;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  fs::path file = data_root() / "piccola" / "scuola2.txt";
  auto inner_hours_forbidden = [&] {
    std::memset(c.op, 0, sizeof c.op);
    c.op[2] = c.op[12 + 3] = 1;  // Monday's third and Tuesday's fourth hour
    c.gmin = 4;
    c.gmax = 5;
  };
  inner_hours_forbidden();
  std::string before = read(file);
  ui.PressInNextModal("NO, prosegui senza aggiungere buche");
  ui.Click(page, V::kSaveId);
  EXPECT_NE(ui.boxes().back().texts.at(0).find("insegna per 5 giorni, e quindi deve poter avere almeno 2 Ore Buche"),
            std::string::npos);
  EXPECT_NE(read(file), before) << "saved without them";
  EXPECT_NE(c.buk[0], 2);

  // The most days' band kept away from the day's ends: (5 - 2) days x 3 hours.
  std::memset(c.op, 255, sizeof c.op);
  c.gmax = 5;
  c.fmax[0] = 2;
  c.fmax[1] = 4;
  c.fmax[2] = 2;
  ui.PressInNextModal("SI, AGGIUNGI LE BUCHE IN PIU'");
  ui.Click(page, V::kSaveId);
  EXPECT_NE(ui.boxes().back().texts.at(0).find("almeno 9 Ore Buche"), std::string::npos);
  EXPECT_EQ(c.buk[0], 9);
  std::memset(c.fmax, 255, sizeof c.fmax);

  // Nine where none are needed: No brings them to 0, Yes keeps them.
  ui.AnswerNextModal(kIdNo);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(ui.boxes().back().texts.at(0),
            "Attenzione, sono state assegnate 9 Ore buche supplementari, quando ne dovrebbero bastare 0. Sicuro di "
            "volere le 9 le buche?");
  EXPECT_EQ(c.buk[0], 0);
  c.buk[0] = 3;
  before = read(file);
  ui.AnswerNextModal(kIdYes);
  ui.Click(page, V::kSaveId);
  EXPECT_EQ(c.buk[0], 3);
  EXPECT_NE(read(file), before);
  og_snapshot_all();
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// Two days left next to each other by the forbidden hours and a free day
// chosen on the page: the teacher may see his classes on consecutive days.
TEST_F(TeacherPage, TwoNeighbouringDaysLeftAllowConsecutiveDays) {
  g_ui_settings.lunch_break[0] = 0;
  og_snapshot_all();
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  UiTeacherConstraints& c = g_ui_teachers[page.CurrentTeacher()].personal;
  std::memset(c.op, 0, sizeof c.op);
  forbid_day(c, 3);
  forbid_day(c, 4);
  c.gmin = 4;
  c.gmax = 5;
  c.buk[0] = -1;
  c.ignorapausa = 0;
  std::memset(c.li, 255, sizeof c.li);
  ui.Click(page, V::kFreeDayIds + 2);  // Wednesday free: Monday and Tuesday stay
  ui.Click(page, V::kSaveId);
  for (const auto& b : ui.boxes()) ADD_FAILURE() << "asked: " << b.texts[0];
  EXPECT_EQ(+c.ignorapausa, 1);
  EXPECT_EQ(+c.gmax, 2);
  EXPECT_EQ(+c.gmin, 2);
  og_snapshot_all();
}

}  // namespace
