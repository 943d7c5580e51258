// The afternoon returns question (see afternoon_returns_question.h).
#include "structure/afternoon_returns_question.h"

#include <cstdio>
#include <string>

#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "structure/input_box.h"

namespace {

const MlText kReturnsQuestion = {
    {"Rientri alla settimana ammessi per ogni insegnante nel caso più comune (da 0 a %d) ?"_cp,
     "Erlaubte Nachmittage pro Woche für jeden Lehrer im häufigsten Fall (von 0 bis %d) ?"_cp,
     "Afternoon returns a week allowed for each teacher in the most common case (0 to %d) ?"}};
const MlText kReturnsExplanation = {
    {"(Il massimo di Rientri ammessi è configurabile anche singolarmente per ogni insegnante)"_cp,
     "(Das Maximum der Nachmittage ist auch für jeden Lehrer einzeln einstellbar)"_cp,
     "(The maximum of afternoon returns can also be set for each teacher)"}};
const MlText kReturnsRange = {
    {"Inserire un numero da 0 a %d.", "Bitte eine Zahl von 0 bis %d eingeben.", "Enter a number from 0 to %d."}};

}  // namespace

int lunch_ask_afternoon_returns(int break_hour) {
  std::uint32_t count = g_ui_settings.teacher_count;
  int teachers = count < std::uint32_t(kUiMaxTeachers) ? int(count) : kUiMaxTeachers;
  if (teachers == 0) return -1;
  for (int t = 1; t < teachers; ++t)
    if (g_ui_teachers[t].mxr != g_ui_teachers[0].mxr) return -1;
  int days = 0;
  for (int d = 0; d < 7; ++d) days += g_ui_header.hours_per_day[d] > break_hour ? 1 : 0;
  char question[200];
  std::snprintf(question, sizeof question, kReturnsQuestion.Get(), days);
  int answer = -1;
  while (answer < 0) {
    char buffer[2] = {char('0' + days), 0};
    // Cancel leaves every teacher's maximum as it was: the proposed number
    // is only a proposal, and writing it would overwrite what the officer
    // set per teacher without being asked to.
    if (casella_run_input_box(question, buffer, 1, 1, nullptr, nullptr, 0, 0, kReturnsExplanation.Get(), 0) != 1) {
      return -1;
    } else if (buffer[0] >= '0' && buffer[0] <= '0' + days) {
      answer = buffer[0] - '0';
    } else {
      char refusal[100];
      std::snprintf(refusal, sizeof refusal, kReturnsRange.Get(), days);
      ui_message_box(refusal);
    }
  }
  for (int t = 0; t < teachers; ++t) g_ui_teachers[t].mxr = std::uint8_t(answer);
  return answer;
}

void LunchHourList::Fill(kt::ui::ComboBox& list, int stored) {
  list.ResetContent();
  list.AddString("-");
  for (int h = 2; h <= 11; ++h) list.AddString(std::to_string(h));
  beyond = stored > 10 ? stored : 0;
  if (beyond) list.AddString(std::to_string(beyond + 1));
}
