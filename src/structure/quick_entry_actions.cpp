// The actions of the quick entry page: adding an entry (with the checks,
// the duplicate question and the move of the class choice to the next
// class), a new teacher, a new subject, the commit of the new rows into the
// teachers' posts, saving, abandoning and the way to the teaching-post page.
//
// The commit is the one place that changes the model: rows are appended as
// whole new posts; a row whose teacher already has 40 posts is reported and
// kept uncommitted in the table, so the user can still move or delete it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/message_box.h"
#include "structure/dictionary_page.h"
#include "structure/quick_entry_page.h"
#include "structure/shared_texts.h"
#include "structure/special_calendars.h"
#include "structure/subjects_page.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;
using namespace procat;
namespace text = procat_text;

namespace {

using shared_text::kTableFull;

const MlText kNeedTeacher = {"Specificare il Professore", "Bitte den Lehrer angeben", "Please specify the teacher"};
const MlText kNeedHours = {"Specificare il Numero di Ore", "Bitte die Stundenzahl angeben",
                           "Please specify the number of hours"};
const MlText kWeekFull = {"La classe %s ha %d ore di lezione nella settimana: con queste ore ne avrebbe %d.",
                          "Die Klasse %s hat %d Unterrichtsstunden in der Woche: mit diesen Stunden hätte sie %d."_cp,
                          "Class %s has %d lesson hours in the week: with these hours it would have %d."};
const MlText kDuplicate = {"Inserimento di un elemento eguale a uno precedente(Progr. %d). Sicuro?",
                           "Eingabe eines Elements gleich einem früheren (Nr. %d). Sicher?"_cp,
                           "Inserting an item equal to an earlier one (No. %d). Sure?"};
const MlText kTeacherFull = {"Inserimento impossibile per %s. Ha raggiunto %d classi.",
                             "Einfügen für %s unmöglich. Er hat %d Klassen erreicht."_cp,
                             "Cannot insert for %s. The teacher has reached %d classes."};
const MlText kSaveFirst = {"Passo alla visione completa delle cattedre. Prima salvo gli inserimenti effettuati ora?",
                           "Wechsel zur vollständigen Ansicht der Lehraufträge. Zuerst die neuen Eingaben speichern?"_cp,
                           "Going to the full view of the teaching posts. Save the entries made now first?"};
const MlText kNewTeacherHelp = {
    "NOTA: i nominativi dei Professori che non vengono associati a cattedre non vengono salvati.",
    "HINWEIS: Lehrer ohne Lehraufträge werden nicht gespeichert."_cp,
    "NOTE: teachers who are not given teaching posts are not saved."};

}  // namespace

// After an entry the class choice moves on: the next year of the section,
// else the first year of the next section, else nothing.
void Cproqui::MoveClassChoice(int class_index) {
  ComboBox* classes = combo(*this, kClassId);
  classes->SetCurSel(-1);
  if (class_index < 0 || class_index >= class_count()) return;
  const char* code = g_ui_structure.classes[class_index].code;
  if (code[0] >= '9') return;
  std::size_t length = og_track_count() >= 2 ? 3 : 2;
  auto find = [&](char year, char section) {
    for (int c = 0; c < class_count(); ++c) {
      const char* k = g_ui_structure.classes[c].code;
      if (k[0] == year && k[1] == section && (length == 2 || k[2] == code[2])) return c;
    }
    return -1;
  };
  int next = find(char(code[0] + 1), code[1]);
  if (next < 0) next = find('1', char(code[1] + 1));
  if (next >= 0) select_exact(*classes, class_label(next));
}

bool Cproqui::FitsClassWeek(int class_index, int more) {
  if (class_index < 0 || class_index >= class_count()) return true;
  const UiClassCalendar& calendar = g_ui_structure.classes[class_index].calendars[g_provisional_mode ? 1 : 0];
  int week = 0;
  if (calespe_calendar_state(calendar) == 255) {
    for (std::uint8_t hours : g_ui_header.hours_per_day) week += std::min<int>(hours, 12);
  } else {
    week = calespe_calendar_hours(calendar);
  }
  int held = 0;
  for (const QuickEntryRow& row : m_rows)
    if (row.number > 0 && row.class_index == class_index) held += row.hours;
  if (week <= 0 || held + more <= week) return true;
  char text[300];
  std::snprintf(text, sizeof text, kWeekFull.Get(), class_label(class_index).c_str(), week, held + more);
  ui_message_box(text);
  return false;
}

void Cproqui::AddEntry() {
  ComboBox* subjects = combo(*this, kSubjectId);
  ComboBox* classes = combo(*this, kClassId);
  ComboBox* teachers = combo(*this, kTeacherId);
  ComboBox* hours = combo(*this, kHoursId);
  int subject = subjects->GetCurSel() < 0 ? -1 : find_subject(subjects->GetLBText(subjects->GetCurSel()));
  if (subject < 0) {
    subjects->SetFocus();
    ui_message_box(text::kNeedSubject);
    return;
  }
  int class_index = -1;
  if (classes->GetCurSel() >= 0) {
    char code[64];
    std::snprintf(code, sizeof code, "%s", classes->GetLBText(classes->GetCurSel()).c_str());
    std::size_t length = std::size_t(og_class_code_from_label(code));
    for (int c = 0; c < class_count() && class_index < 0 && length > 0; ++c)
      if (std::strncmp(g_ui_structure.classes[c].code, code, length) == 0) class_index = c;
  }
  if (class_index < 0) {
    classes->SetFocus();
    ui_message_box(text::kNeedClass);
    return;
  }
  int teacher = teachers->GetCurSel() < 0 ? -1 : find_teacher(teachers->GetLBText(teachers->GetCurSel()));
  if (teacher < 0) {
    subjects->SetFocus();
    ui_message_box(kNeedTeacher);
    return;
  }
  if (hours->GetCurSel() < 0) {
    subjects->SetFocus();
    ui_message_box(kNeedHours);
    return;
  }
  for (const QuickEntryRow& row : m_rows) {
    if (row.number < 1 || row.class_index != class_index || row.subject != subject || row.teacher != teacher) continue;
    char question[200];
    std::snprintf(question, sizeof question, kDuplicate.Get(), row.number);
    if (ui_message_box_flags(question, kQuestion, kMbCursorBetween) != kYes) return;
  }
  if (m_rows.size() >= kMaxRows) {
    ui_message_box(kTableFull);
    return;
  }
  if (!FitsClassWeek(class_index, std::min(hours->GetCurSel() + 1, 84))) {
    hours->SetFocus();
    return;
  }
  int number = 0;
  for (const QuickEntryRow& row : m_rows) number = std::max(number, std::abs(row.number));
  m_rows.push_back({number + 1, subject, class_index, teacher, std::int8_t(std::min(hours->GetCurSel() + 1, 84)), 0});
  FillList();
  SelectRowIndex(int(m_rows.size()) - 1);
  subjects->SetFocus();
  MoveClassChoice(class_index);
  EnableRowButtons(false);
  m_selected_number = -1;
  GetDlgItem(kStandbyId)->EnableWindow(true);
}

void Cproqui::AddTeacher() {
  m_help.SetTextML(&kNewTeacherHelp);
  int count = procat_teacher_count();
  if (count >= kUiMaxTeachers) {
    ui_message_box(text::kTooManyTeachers);
    return;
  }
  char name[64];
  std::snprintf(name, sizeof name, "%s", GetDlgItemText(kNewTeacherEditId).substr(0, 60).c_str());
  if (const MlText* note = og_name_cleaning_note(name, 1)) m_help.SetTextML(note);
  og_clean_name(name, 20, 1);
  kt::cp1252_make_upper(name);
  if (std::strlen(name) < 4) {
    GetDlgItem(kNewTeacherEditId)->SetFocus();
    ui_message_box(text::kNameTooShort);
    return;
  }
  if (name[0] < 'A' || name[0] > 'Z') {
    ui_message_box(text::kNameFirstLetter);
    return;
  }
  if (find_teacher(name) >= 0) {
    ui_message_box(text::kAlreadyExists);
  } else {
    og_init_teacher(count, name);
    g_ui_settings.teacher_count = std::uint32_t(count + 1);
    m_standby[count] = 0;
  }
  m_filling = true;
  FillTeacherCombo();
  select_exact(*combo(*this, kTeacherId), name);
  m_filling = false;
  GetDlgItem(kClassId)->SetFocus();
  SetDlgItemText(kNewTeacherEditId, "");
}

void Cproqui::OnNewSubject() {
  ui_register_dictionary_templates();
  Cmaterie dialog;
  dialog.m_type_restriction = 0;
  dialog.DoModalCaptioned(true);
  m_filling = true;
  FillSubjectCombo();
  if (dialog.m_added_name[0]) select_exact(*combo(*this, kSubjectId), dialog.m_added_name);
  m_filling = false;
}

bool Cproqui::CommitEntries() {
  SortBy(0, true);
  bool changed = false;
  std::vector<QuickEntryRow> kept;
  std::vector<QuickEntryRow> waiting;
  for (const QuickEntryRow& row : m_rows) {
    if (row.number < 0) continue;
    if (IsCommitted(row)) {
      kept.push_back(row);
      continue;
    }
    UiTeacher* teacher = row.teacher >= 0 && row.teacher < procat_teacher_count() ? &g_ui_teachers[row.teacher] : nullptr;
    if (!teacher || teacher->post_count >= std::uint32_t(kUiMaxPosts)) {
      char message[200];
      std::snprintf(message, sizeof message, kTeacherFull.Get(), teacher_name(row.teacher).c_str(), kUiMaxPosts);
      ui_message_box(message);
      waiting.push_back(row);
      continue;
    }
    UiTeachingPost& post = teacher->posts[teacher->post_count];
    og_reset_teaching_post(post);
    post.subject = row.subject;
    post.class_index = row.class_index;
    post.own.hours = row.hours;
    ++teacher->post_count;
    kept.push_back(row);
    changed = true;
  }
  for (int t = 0; t < procat_teacher_count(); ++t) {
    if (g_ui_teachers[t].standby_hours == m_standby[t]) continue;
    g_ui_teachers[t].standby_hours = m_standby[t];
    changed = true;
  }
  // Committed rows first, then the rows still waiting, numbered again.
  m_rows = kept;
  m_committed = int(kept.size());
  m_rows.insert(m_rows.end(), waiting.begin(), waiting.end());
  for (std::size_t r = 0; r < m_rows.size(); ++r) m_rows[r].number = int(r) + 1;
  m_selected_number = -1;
  if (changed && og_write_assignments_file(0, 0) != 0)
    ui_message_box(format(text::kWriteFailed, og_description_write_error()).c_str());
  if (!changed) message_beep(kBeepSimple);
  FillList();
  EnableRowButtons(false);
  return changed;
}

void Cproqui::OnSave() {
  CommitEntries();
  if (og_write_school_files() != 0) ui_message_box(format(text::kWriteFailed, og_school_files_write_error()).c_str());
}

void Cproqui::OnAbandon() {
  if (HasUncommitted() && ui_message_box_type(g_abandon_question, kQuestion) != kYes) return;
  std::erase_if(m_rows, [this](const QuickEntryRow& row) { return !IsCommitted(row); });
  og_read_school_files(0);
  if (g_current_page == this && alfadlg_go_to_page(kPageReopen)) return;
  OnInitDialog();
}

void Cproqui::OnGoToPosts() {
  if (HasUncommitted() && ui_message_box_type(kSaveFirst, kQuestion) == kYes) CommitEntries();
  ComboBox* teachers = combo(*this, kTeacherId);
  if (teachers->GetCurSel() >= 0) procat_remember_teacher(find_teacher(teachers->GetLBText(teachers->GetCurSel())));
  alfadlg_go_to_page(kPageProcat);
}
