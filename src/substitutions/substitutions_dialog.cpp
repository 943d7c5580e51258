// Behaviour of the substitutions dialog (see substitutions_dialog.h). The
// lists are rebuilt from g_substitution_state after every change, so what
// the dialog shows is always what the next engine step will write.
#include "substitutions/substitutions_dialog.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/substitution_services.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"
#include "shell/engine_commands.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

using namespace kt::ui;

namespace {

const MlText kTitle = {"Gestione Sostituzioni - Insegnanti assenti del giorno", "Vertretungen - abwesende Lehrer des Tages",
                       "Substitutions - absent teachers of the day"};
const MlText kNeedHours = {"Indicare le ore di assenza", "Bitte die Stunden der Abwesenheit angeben",
                           "Please mark the hours of absence"};
const MlText kNoAbsent = {"Nessun insegnante assente: segnare prima gli assenti",
                          "Kein Lehrer abwesend: zuerst die Abwesenden angeben",
                          "No teacher is absent: first mark the absent teachers"};
const MlText kTooMany = {"Troppi insegnanti assenti", "Zu viele abwesende Lehrer", "Too many absent teachers"};
const MlText kChangeDay = {"Cambiando giorno si tolgono gli assenti segnati. Continuare?",
                           "Ein anderer Tag entfernt die angegebenen Abwesenden. Weiter?",
                           "Another day removes the absent teachers marked. Go on?"};
const MlText kNotRecorded = {
    "Le modifiche agli assenti non sono state salvate in assenze.txt. Chiudere comunque, perdendo le modifiche?",
    "Die Änderungen der Abwesenden wurden nicht in assenze.txt gespeichert. Trotzdem schließen und die Änderungen "
    "verlieren?"_cp,
    "The changes to the absent teachers were not saved in assenze.txt. Close anyway, losing the changes?"};
const MlText kHourWord = {"Ora", "Std.", "Hour"};
const MlText kHoursWord = {"ore", "Std.", "hours"};
const MlText kUncoveredText = {"SCOPERTA", "NICHT VERTRETEN", "UNCOVERED"};
const MlText kStandby = {"Disposizione", "Verfügung"_cp, "Stand-by"};
const MlText kClassTeacher = {"Docente della classe", "Lehrer der Klasse", "Class teacher"};

constexpr int kYes = 6;

SubstitutionState& state() { return g_substitution_state; }

// The hours of absence that the day has.
std::string hours_text(const AbsentTeacher& a, int day_hours) {
  std::string text;
  for (int h = 0; h < kAbsenceHours && h < day_hours; ++h)
    if (a.hours[h]) text += (text.empty() ? "" : ",") + std::to_string(h + 1);
  return text;
}

int absent_index(const char* name) {
  for (int i = 0; i < state().absent_count; ++i)
    if (std::strcmp(state().absent[i].name, name) == 0) return i;
  return -1;
}

// Runs one engine step; false after the engine's message.
bool run_step(SubstitutionStep step) {
  if (og_run_substitution_step(static_cast<std::uint32_t>(step)) == 0) return true;
  ui_message_box(g_status.message);
  return false;
}

}  // namespace

LResult Cmenu_sost::DoModal() {
  ui_register_substitution_templates();
  return CDialogML::DoModal();
}

void Cmenu_sost::DoDataExchange(DataExchange& dx) {
  dx.Control(kDayId, m_days);
  dx.Control(kReasonId, m_reasons);
  dx.Control(kTeachersId, m_teachers);
  dx.Control(kAbsentId, m_absent);
  dx.Control(kResultsId, m_results);
  dx.Control(kMarkId, m_mark);
  dx.Control(kRemoveId, m_remove);
  dx.Control(kComputeId, m_compute);
  dx.Control(kPrintId, m_print);
  dx.Control(kIdCancel, m_close);
}

bool Cmenu_sost::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowTextML(kTitle);
  SetDlgItemText(kTitleId, kTitle.Get());
  SubstitutionState& s = state();
  for (int d = 0; d < s.day_count && d < 7; ++d) m_days.AddString(s.day_names[d]);
  if (s.day < 1 || s.day > s.day_count) {
    // A new day starts without the absences of another one.
    or_clear_substitution_day();
    s.day = s.day_count > 0 ? 1 : 0;
  }
  m_days.SetCurSel(s.day - 1);
  for (int r = 0; r < s.reason_count; ++r) m_reasons.AddString(s.reasons[r]);
  m_reasons.SetCurSel(0);
  ShowTeachers();
  ShowAbsent();
  ShowResults();
  RememberRecorded();
  return true;
}

void Cmenu_sost::RememberRecorded() {
  const SubstitutionState& s = state();
  m_recorded_day = s.day;
  m_recorded_count = s.absent_count;
  for (int i = 0; i < s.absent_count && i < kMaxAbsentTeachers; ++i) m_recorded[i] = s.absent[i];
}

// Field by field: the names' bytes past their end and the padding are no
// part of what the file holds.
bool Cmenu_sost::AbsencesUnrecorded() const {
  const SubstitutionState& s = state();
  if (s.absent_count != m_recorded_count) return true;
  // With nobody absent before or after, the day alone records nothing.
  if (s.absent_count > 0 && s.day != m_recorded_day) return true;
  for (int i = 0; i < s.absent_count && i < kMaxAbsentTeachers; ++i) {
    const AbsentTeacher &now = s.absent[i], &was = m_recorded[i];
    if (std::strncmp(now.name, was.name, sizeof now.name) != 0 || now.reason != was.reason ||
        std::memcmp(now.hours, was.hours, sizeof now.hours) != 0)
      return true;
  }
  return false;
}

// Every way out of the dialog comes here. The absences marked since the
// file was last read or written are recorded as "CALCOLA" records them,
// without computing the cover; a failed write keeps the dialog open unless
// the officer, told why, chooses to close without them.
void Cmenu_sost::OnCancel() {
  if (AbsencesUnrecorded()) {
    // The engine's message says why; the question comes on its own, so
    // neither is cut short by the other's length.
    if (run_step(SubstitutionStep::Sosa)) RememberRecorded();
    else if (ui_message_box_flags(kNotRecorded, kMbYesNo | kMbIconQuestion, kMbCursorSecond) != kYes) return;
  }
  CDialogML::OnCancel();
}

bool Cmenu_sost::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (id == kDayId && code == kCbnSelChange) {
    OnDayChosen();
    return true;
  }
  if ((id == kTeachersId || id == kAbsentId) && code == kLbnSelChange) {
    OnTeacherChosen();
    return true;
  }
  if (code == kBnClicked) {
    switch (id) {
      case kMarkId: OnMark(); return true;
      case kRemoveId: OnRemove(); return true;
      case kComputeId: OnCompute(); return true;
      case kPrintId: OnPrint(); return true;
      default: break;
    }
  }
  return CDialogML::OnCommand(w, l);
}

int Cmenu_sost::DayHours() const {
  int d = state().day - 1;
  return d >= 0 && d < 7 ? state().hours_per_day[d] : 0;
}

void Cmenu_sost::OnDayChosen() {
  int row = m_days.GetCurSel();
  if (row < 0 || row + 1 == state().day) return;
  if (state().absent_count > 0 &&
      ui_message_box_flags(kChangeDay, kMbYesNo | kMbIconQuestion, 0) != kYes) {
    m_days.SetCurSel(state().day - 1);
    return;
  }
  or_clear_substitution_day();
  state().day = row + 1;
  ShowTeachers();
  ShowAbsent();
  ShowResults();
}

// Each row: the name, then hour by hour the day's cell code ("1:x 2:Dis
// 3:-": a lesson, a stand-by hour, free).
void Cmenu_sost::ShowTeachers() {
  m_teachers.ResetContent();
  const SubstitutionState& s = state();
  for (int i = 0; i < s.teacher_count; ++i) {
    std::string row = std::string(s.teachers[i]) + "  ";
    for (int h = 0; h < DayHours(); ++h) {
      char code[8];
      or_lesson_cell_code(code, s.teacher_index[i], s.day - 1, h);
      std::string shown = code;
      shown.erase(0, shown.find_first_not_of(' '));
      shown.erase(shown.find_last_not_of(' ') + 1);
      row += " " + std::to_string(h + 1) + ":" + (shown.empty() ? "-" : shown);
    }
    m_teachers.AddString(row);
  }
  for (int h = 0; h < kAbsenceHours; ++h) {
    Window* box = GetDlgItem(kFirstHourId + h);
    if (box) box->EnableWindow(h < DayHours());
    CheckDlgButton(kFirstHourId + h, h < DayHours() ? 1 : 0);
  }
}

void Cmenu_sost::ShowAbsent() {
  m_absent.ResetContent();
  const SubstitutionState& s = state();
  for (int i = 0; i < s.absent_count; ++i) {
    const AbsentTeacher& a = s.absent[i];
    const char* reason = a.reason >= 0 && a.reason < s.reason_count ? s.reasons[a.reason] : "";
    m_absent.AddString(std::string(a.name) + " - " + reason + " - " + kHoursWord.Get() + " " + hours_text(a, DayHours()));
  }
}

void Cmenu_sost::ShowResults() {
  m_results.ResetContent();
  const SubstitutionState& s = state();
  if (s.computed_day != s.day) return;
  for (int i = 0; i < s.row_count; ++i) {
    const SubstitutionRow& r = s.rows[i];
    char row[200];
    const char* how = r.kind == kCoveredByStandby ? kStandby.Get() : kClassTeacher.Get();
    if (r.kind == kUncovered)
      std::snprintf(row, sizeof row, "%s %d - %s - %s -> %s", kHourWord.Get(), r.hour + 1, r.class_name, r.absent,
                    kUncoveredText.Get());
    else
      std::snprintf(row, sizeof row, "%s %d - %s - %s -> %s (%s)", kHourWord.Get(), r.hour + 1, r.class_name,
                    r.absent, r.substitute, how);
    m_results.AddString(row);
  }
}

// Choosing a teacher (in either list) shows his reason and hours when he is
// already marked absent, else the whole day.
void Cmenu_sost::OnTeacherChosen() {
  const SubstitutionState& s = state();
  int row = m_teachers.GetCurSel();
  int absent_row = m_absent.GetCurSel();
  const char* name = nullptr;
  if (GetFocus() == &m_absent && absent_row >= 0 && absent_row < s.absent_count) name = s.absent[absent_row].name;
  else if (row >= 0 && row < s.teacher_count) name = s.teachers[row];
  if (!name) return;
  int i = absent_index(name);
  for (int h = 0; h < kAbsenceHours; ++h)
    CheckDlgButton(kFirstHourId + h, h < DayHours() && (i < 0 || s.absent[i].hours[h]) ? 1 : 0);
  if (i >= 0) m_reasons.SetCurSel(s.absent[i].reason);
}

void Cmenu_sost::OnMark() {
  SubstitutionState& s = state();
  int row = m_teachers.GetCurSel();
  if (row < 0 || row >= s.teacher_count) {
    message_beep(kBeepSimple);
    return;
  }
  std::uint8_t hours[kAbsenceHours] = {};
  bool any = false;
  for (int h = 0; h < DayHours() && h < kAbsenceHours; ++h) {
    hours[h] = IsDlgButtonChecked(kFirstHourId + h) ? 1 : 0;
    any |= hours[h] != 0;
  }
  if (!any) {
    ui_message_box(kNeedHours);
    return;
  }
  int i = absent_index(s.teachers[row]);
  if (i < 0) {
    if (s.absent_count >= kMaxAbsentTeachers) {
      ui_message_box(kTooMany);
      return;
    }
    i = s.absent_count++;
    std::memcpy(s.absent[i].name, s.teachers[row], sizeof s.absent[i].name);
  }
  int reason = m_reasons.GetCurSel();
  s.absent[i].reason = reason >= 0 ? reason : 0;
  std::memcpy(s.absent[i].hours, hours, sizeof hours);
  AbsencesChanged();
}

// The cover computed before no longer answers the absences marked: it is
// dropped, so neither the list nor a printout shows it, and "STAMPA"
// computes the day again first.
void Cmenu_sost::AbsencesChanged() {
  state().computed_day = 0;
  state().row_count = 0;
  ShowAbsent();
  ShowResults();
}

void Cmenu_sost::OnRemove() {
  SubstitutionState& s = state();
  int row = m_absent.GetCurSel();
  if (row < 0 || row >= s.absent_count) {
    message_beep(kBeepSimple);
    return;
  }
  for (int i = row; i + 1 < s.absent_count; ++i) s.absent[i] = s.absent[i + 1];
  --s.absent_count;
  AbsencesChanged();
}

void Cmenu_sost::OnCompute() {
  if (state().absent_count == 0) {
    ui_message_box(kNoAbsent);
    return;
  }
  if (run_step(SubstitutionStep::Sosa)) {
    RememberRecorded();
    run_step(SubstitutionStep::Sost);
  }
  ShowResults();
}

void Cmenu_sost::OnPrint() {
  if (state().computed_day != state().day) OnCompute();
  if (state().computed_day != state().day) return;
  if (run_step(SubstitutionStep::Sosx)) ui_open_in_explorer(kSubstitutionFolder);
}
