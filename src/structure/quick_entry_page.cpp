// The quick entry page's table and list (see quick_entry_page.h): loading
// the existing posts, the list rows, the totals of a row's class and
// teacher, selecting rows, the hours of new rows, deleting them, stand-by
// hours, sorting by column and leaving the page. The adding, the new
// teacher and subject, and the commit are in quick_entry_actions.cpp.
//
// The table is rebuilt from the model on every opening; sorting reorders
// the rows themselves, so the commit first sorts them back by number.
#include "structure/quick_entry_page.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "shell/dialog_title.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/shared_texts.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;
using namespace procat;

Cproqui g_proqui_page;

namespace {

// Letter `at` of a class code ("1A" has no third): none past the code's end,
// so no NUL byte ever reaches a cell.
std::string code_letter(const char* code, int at) {
  for (int k = 0; k <= at; ++k)
    if (!code[k]) return std::string();
  return std::string(1, code[at]);
}

using shared_text::kDummy;
using shared_text::kClassTotal;
using shared_text::kLessonHours;
using shared_text::kTeacherTotal;

const MlText kTitle = {"6A Inserimento Iniziale", "6A Ersteingabe", "6A Initial Insertion"};
const MlText kGeneralHelp = {
    "Usate questo pannello per inserire rapidamente soltanto i Professori, le loro CATTEDRE e le ore a "
    "DISPOSIZIONE.",
    "Mit dieser Seite geben Sie schnell nur die Lehrer, ihre LEHRAUFTRÄGE und die BEREITSCHAFTSSTUNDEN ein."_cp,
    "Use this panel to enter quickly only the teachers, their TEACHING POSTS and the STAND-BY hours."};
const MlText kSortHelp = {
    "SUGGERIMENTO: se volete vedere, ad esempio, in quali Sezioni  avete assegnato Classi a un Professore, dovete "
    "ordinare la tabella clickando PRIMA sulla colonna SEZIONE, e DOPO sulla colonna Professore.",
    "TIPP: um zum Beispiel zu sehen, in welchen Zügen ein Lehrer Klassen hat, sortieren Sie die Tabelle ZUERST "
    "nach der Spalte ZUG und DANACH nach der Spalte Lehrer."_cp,
    "TIP: to see, for example, in which sections a teacher has classes, sort the table FIRST by the SECTION "
    "column and THEN by the Teacher column."};
const MlText kStandbyNeedsTeacher = {"Selezionare un Professore per l'assegnazione delle ore a disposizione",
                                     "Bitte einen Lehrer für die Bereitschaftsstunden wählen"_cp,
                                     "Select a teacher to assign the stand-by hours"};
const MlText kHeaders[Cproqui::kColumns] = {
    {"Progr.", "Nr.", "No."},
    {"Classe", "Klasse", "Class"},
    {"Ore Classe", "Std. Klasse", "Class hours"},
    {"Sezione", "Zug", "Section"},
    {"Indirizzo", "Fachrichtung", "Study track"},
    {"Materia", "Fach", "Subject"},
    {"Professore", "Lehrer", "Teacher"},
    {"Ore in questa Classe", "Std. in dieser Klasse", "Hours in this class"},
    {"Disposizione", "Bereitschaft", "Stand-by"},
    {"Ore totali", "Stunden gesamt", "Total hours"},
};
constexpr int kButtonIds[13] = {Cproqui::kHoursMinusId, Cproqui::kHoursPlusId, Cproqui::kAddId,
                                Cproqui::kDeleteId,     Cproqui::kRowMinusId,  Cproqui::kRowPlusId,
                                Cproqui::kNewTeacherId, Cproqui::kNewSubjectId, Cproqui::kGoToPostsId,
                                Cproqui::kSaveId,       Cproqui::kAbandonId,   Cproqui::kHowToId,
                                Cproqui::kSortHelpId};

ListView* entry_list(Window& page) { return static_cast<ListView*>(page.GetDlgItem(Cproqui::kListId)); }

}  // namespace

Cproqui::Cproqui() : CResizableDialog(kTemplate, nullptr, rgb(244, 244, 244)) {}

void Cproqui::DoDataExchange(DataExchange& dx) {
  dx.Control(kHelpId, m_help);
  for (int i = 0; i < 13; ++i) dx.Control(kButtonIds[i], m_buttons[i]);
}

bool Cproqui::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  SetWindowText(kTitle.Get());
  ui_set_current_dialog_title(kTitle.Get());
  AnchorControl(kListId, kAnchorTopLeft, kAnchorBottomRight);
  AnchorPastEdgesOf(kListId);
  m_rows.clear();
  m_selected_number = -1;
  std::fill(std::begin(m_directions), std::end(m_directions), 0);
  for (int t = 0; t < procat_teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    m_standby[t] = teacher.standby_hours;
    for (int p = 0; p < std::min<int>(teacher.post_count, kUiMaxPosts) && m_rows.size() < kMaxRows; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy) continue;
      m_rows.push_back({int(m_rows.size()) + 1, post.subject, post.class_index, t, post.own.hours, 0});
    }
  }
  m_committed = int(m_rows.size());
  ListView* list = entry_list(*this);
  list->SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  while (list->GetColumnCount() > 0) list->DeleteColumn(0);
  for (int c = 0; c < kColumns; ++c) {
    bool right = c == 0 || c >= 7;
    int width = og_text_width(nullptr, kHeaders[c].Get()) + 12;
    list->InsertColumn(c, kHeaders[c].Get(), right ? kLvcfmtRight : kLvcfmtLeft, c == 5 || c == 6 ? 2 * width : width);
  }
  m_filling = true;
  FillSubjectCombo();
  int week_hours = 0;
  for (int d = 0; d < 7; ++d) week_hours += g_ui_header.hours_per_day[d];
  ComboBox* hours = combo(*this, kHoursId);
  hours->ResetContent();
  for (int h = 1; h <= std::max(week_hours, 1); ++h) hours->AddString(std::to_string(h));
  ComboBox* classes = combo(*this, kClassId);
  classes->ResetContent();
  for (int c = 0; c < class_count(); ++c)
    if (g_ui_structure.classes[c].code[0]) classes->AddString(class_label(c));
  og_sort_class_list_box(*classes);
  FillTeacherCombo();
  ComboBox* standby = combo(*this, kStandbyId);
  standby->ResetContent();
  for (int h = 0; h <= 83; ++h) standby->AddString(std::to_string(h));
  m_filling = false;
  FillList();
  EnableRowButtons(false);
  GetDlgItem(kStandbyId)->EnableWindow(false);
  static_cast<Edit*>(GetDlgItem(kNewTeacherEditId))->LimitText(20);
  m_help.SetTextML(&kGeneralHelp);
  if (Clegsimco::Wanted() && m_notice.Create(this)) m_notice.ShowWindow(kSwShow);
  return true;
}

// The import notice is owned by the frame, not by the page: left alone it
// would stay over the next page.
void Cproqui::OnDestroy() {
  if (m_notice.IsWindow()) m_notice.DestroyWindow();
  CResizableDialog::OnDestroy();
}

void Cproqui::FillTeacherCombo() {
  ComboBox* teachers = combo(*this, kTeacherId);
  teachers->ResetContent();
  for (int t = 0; t < procat_teacher_count(); ++t) teachers->AddString(teacher_name(t));
}

void Cproqui::FillSubjectCombo() {
  ComboBox* subjects = combo(*this, kSubjectId);
  subjects->ResetContent();
  for (int s = 0; s < subject_count(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (subject.type != 'C' && !subject.hidden && subject.name[0]) subjects->AddString(subject_name(s));
  }
}

void Cproqui::EnableRowButtons(bool enable) {
  for (int id : {kDeleteId, kRowMinusId, kRowPlusId}) GetDlgItem(id)->EnableWindow(enable);
}

bool Cproqui::IsCommitted(const QuickEntryRow& row) const { return std::abs(row.number) <= m_committed; }

bool Cproqui::HasUncommitted() const {
  for (const QuickEntryRow& row : m_rows)
    if (row.number > 0 && !IsCommitted(row)) return true;
  return false;
}

int Cproqui::LessonHours(int teacher) const {
  int total = 0;
  for (const QuickEntryRow& row : m_rows)
    if (row.number > 0 && row.teacher == teacher) total += row.hours;
  return total;
}

void Cproqui::FillList() {
  ListView* list = entry_list(*this);
  m_filling = true;
  list->DeleteAllItems();
  std::vector<int> class_hours(std::size_t(class_count()) + 1, 0);
  for (const QuickEntryRow& row : m_rows)
    if (row.number > 0 && row.class_index >= 0 && row.class_index < class_count())
      class_hours[std::size_t(row.class_index)] += row.hours;
  for (std::size_t r = 0; r < m_rows.size(); ++r) {
    const QuickEntryRow& row = m_rows[r];
    if (row.number <= 0) continue;
    bool class_ok = row.class_index >= 0 && row.class_index < class_count();
    const char* code = class_ok ? g_ui_structure.classes[row.class_index].code : "   ";
    int standby = row.teacher >= 0 && row.teacher < kUiMaxTeachers ? m_standby[row.teacher] : 0;
    std::string teacher = teacher_name(row.teacher);
    if (row.teacher >= 0 && row.teacher < procat_teacher_count() && g_ui_teachers[row.teacher].fc_mode)
      teacher += std::string(" (") + kDummy.Get() + ")";
    std::string cells[kColumns] = {format_int("%d", row.number),
                                   class_label(row.class_index),
                                   class_ok ? format_int("%d", class_hours[std::size_t(row.class_index)]) : "",
                                   code_letter(code, 1),
                                   code_letter(code, 2),
                                   subject_name(row.subject),
                                   teacher,
                                   format_int("%d", row.hours),
                                   standby > 0 ? format_int("%d", standby) : "",
                                   format_int("%d", LessonHours(row.teacher) + std::max<int>(standby, 0))};
    int item = list->InsertItem(list->GetItemCount(), cells[0], r);
    for (int c = 1; c < kColumns; ++c) list->SetItemText(item, c, cells[c]);
    if (row.number == m_selected_number || row.selected) list->SetItemState(item, kLvisSelected, kLvisSelected);
  }
  m_filling = false;
}

void Cproqui::ShowTotals(const QuickEntryRow& row) {
  int class_total = 0;
  for (const QuickEntryRow& other : m_rows)
    if (other.number > 0 && other.class_index == row.class_index) class_total += other.hours;
  std::string name = teacher_name(row.teacher);
  int lesson = LessonHours(row.teacher);
  int standby = row.teacher >= 0 && row.teacher < kUiMaxTeachers ? m_standby[row.teacher] : 0;
  SetDlgItemText(kClassTotalId, format(kClassTotal, class_label(row.class_index).c_str()) + ": " +
                                    format_int("%d", class_total));
  SetDlgItemText(kLessonHoursId, format(kLessonHours, name.c_str()) + ": " + format_int("%d", lesson));
  SetDlgItemText(kTeacherTotalId, format(kTeacherTotal, name.c_str()) + ": " + format_int("%d", lesson + standby));
  bool was_filling = m_filling;
  m_filling = true;
  combo(*this, kStandbyId)->SetCurSel(std::clamp<int>(standby, 0, 83));
  m_filling = was_filling;
}

int Cproqui::SelectedIndex() const {
  for (std::size_t r = 0; r < m_rows.size(); ++r)
    if (m_selected_number > 0 && m_rows[r].number == m_selected_number) return int(r);
  return -1;
}

void Cproqui::OnRowSelected(int row_index) {
  if (row_index < 0 || row_index >= int(m_rows.size())) return;
  const QuickEntryRow& row = m_rows[std::size_t(row_index)];
  m_selected_number = row.number;
  ShowTotals(row);
  m_filling = true;
  ComboBox* teachers = combo(*this, kTeacherId);
  int before = teachers->GetCurSel();
  select_exact(*teachers, teacher_name(row.teacher));
  if (teachers->GetCurSel() != before) {
    combo(*this, kSubjectId)->SetCurSel(-1);
    combo(*this, kClassId)->SetCurSel(-1);
    combo(*this, kHoursId)->SetCurSel(-1);
  }
  combo(*this, kHoursId)->SetCurSel(row.hours - 1);
  m_filling = false;
  EnableRowButtons(!IsCommitted(row));
  GetDlgItem(kStandbyId)->EnableWindow(true);
}

void Cproqui::SelectRowIndex(int row_index) {
  ListView* list = entry_list(*this);
  int item = list->FindItemByData(-1, std::uintptr_t(row_index));
  if (item < 0) return;
  m_filling = true;
  list->SetItemState(-1, 0, kLvisSelected | kLvisFocused);
  list->SetItemState(item, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_filling = false;
  list->EnsureVisible(item);
  OnRowSelected(row_index);
}

void Cproqui::SelectFirstRowOf(int teacher) {
  for (std::size_t r = 0; r < m_rows.size(); ++r)
    if (m_rows[r].number > 0 && m_rows[r].teacher == teacher) return SelectRowIndex(int(r));
}

void Cproqui::OnTeacherChosen() {
  ComboBox* teachers = combo(*this, kTeacherId);
  if (m_filling || teachers->GetCurSel() < 0) return;
  SelectFirstRowOf(find_teacher(teachers->GetLBText(teachers->GetCurSel())));
}

void Cproqui::OnStandbyChosen() {
  if (m_filling) return;
  ComboBox* teachers = combo(*this, kTeacherId);
  int teacher = teachers->GetCurSel() < 0 ? -1 : find_teacher(teachers->GetLBText(teachers->GetCurSel()));
  if (teacher < 0) {
    ui_message_box(kStandbyNeedsTeacher);
    return;
  }
  m_standby[teacher] = std::int8_t(std::max(combo(*this, kStandbyId)->GetCurSel(), 0));
  int selected = SelectedIndex();
  FillList();
  SelectFirstRowOf(teacher);
  if (SelectedIndex() < 0 && selected >= 0) SelectRowIndex(selected);
}

void Cproqui::OnRowHours(int delta) {
  int index = SelectedIndex();
  if (index < 0 || IsCommitted(m_rows[std::size_t(index)])) return;
  QuickEntryRow& row = m_rows[std::size_t(index)];
  if (delta < 0 && row.hours >= 2) --row.hours;
  if (delta > 0 && row.hours < 84 && FitsClassWeek(row.class_index, 1)) ++row.hours;
  FillList();
  SelectRowIndex(index);
}

void Cproqui::OnDeleteRow() {
  int index = SelectedIndex();
  if (index < 0 || IsCommitted(m_rows[std::size_t(index)])) return;
  QuickEntryRow& row = m_rows[std::size_t(index)];
  row.hours = 0;
  row.number = -row.number;
  m_selected_number = -1;
  FillList();
  EnableRowButtons(false);
}

void Cproqui::StepHoursChoice(int delta) {
  ComboBox* hours = combo(*this, kHoursId);
  int now = hours->GetCurSel();
  if (now < 0) hours->SetCurSel(0);
  else hours->SetCurSel(std::clamp(now + delta, 0, hours->GetCount() - 1));
}

// Stable sort by a column; each click reverses its direction (ascending the
// first time); the rows selected now are selected again afterwards.
void Cproqui::SortBy(int column, bool reset) {
  if (column < 0 || column >= kColumns) return;
  ListView* list = entry_list(*this);
  for (QuickEntryRow& row : m_rows) row.selected = 0;
  for (int item = 0; item < list->GetItemCount(); ++item)
    if (list->GetItemState(item, kLvisSelected) & kLvisSelected) m_rows[list->GetItemData(item)].selected = 1;
  if (reset) m_directions[column] = 1;
  else m_directions[column] = m_directions[column] > 0 ? -1 : 1;
  int direction = m_directions[column];
  auto key_text = [&](const QuickEntryRow& r) -> std::string {
    switch (column) {
      case 1: return class_label(r.class_index);
      case 3:
      case 4:
        return r.class_index >= 0 && r.class_index < class_count()
                   ? code_letter(g_ui_structure.classes[r.class_index].code, column - 2)
                   : "";
      case 5: return subject_name(r.subject);
      case 6: return teacher_name(r.teacher);
      default: return "";
    }
  };
  auto key_number = [&](const QuickEntryRow& r) -> int {
    int standby = r.teacher >= 0 && r.teacher < kUiMaxTeachers ? m_standby[r.teacher] : 0;
    switch (column) {
      case 0: return std::abs(r.number);
      case 7: return r.hours;
      case 8: return standby;
      case 9: return LessonHours(r.teacher) + standby;
      default: return 0;
    }
  };
  bool by_text = column >= 1 && column <= 6 && column != 2;
  std::vector<QuickEntryRow> rows = m_rows;
  std::stable_sort(rows.begin(), rows.end(), [&](const QuickEntryRow& a, const QuickEntryRow& b) {
    int order = by_text ? kt::cp1252_casecmp(key_text(a).c_str(), key_text(b).c_str())
                        : (key_number(a) > key_number(b)) - (key_number(a) < key_number(b));
    return order * direction < 0;
  });
  m_rows = rows;
  FillList();
  m_help.SetTextML(&procat_text::kSortTip);
}

bool Cproqui::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (!header || header->id != kListId) return CResizableDialog::OnNotify(w, l, result);
  auto* notify = reinterpret_cast<ListViewNotify*>(l);
  if (header->code == kLvnColumnClick) {
    SortBy(notify->subitem, false);
    return true;
  }
  if (header->code == kLvnItemChanged && !m_filling && (notify->new_state & kLvisSelected) &&
      !(notify->old_state & kLvisSelected)) {
    OnRowSelected(int(notify->param));
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Cproqui::OnOK() {
  Window* focus = GetFocus();
  if (focus == GetDlgItem(kNewTeacherEditId) || focus == GetDlgItem(kNewTeacherId)) AddTeacher();
  // Enter on the add button or in one of the entry's lists adds the entry.
  else if (focus == GetDlgItem(kAddId) || focus == GetDlgItem(kTeacherId) || focus == GetDlgItem(kSubjectId) ||
           focus == GetDlgItem(kClassId) || focus == GetDlgItem(kHoursId))
    AddEntry();
}

bool Cproqui::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange) {
    if (id == kTeacherId) OnTeacherChosen();
    if (id == kStandbyId) OnStandbyChosen();
    return true;
  }
  if (code == kCbnSetFocus && (id == kSubjectId || id == kClassId || id == kHoursId)) {
    ListView* list = entry_list(*this);
    if (list->GetItemCount() > 0) list->EnsureVisible(list->GetItemCount() - 1);
    m_help.SetTextML(&kGeneralHelp);
    return true;
  }
  if (code != kBnClicked) return CResizableDialog::OnCommand(w, l);
  switch (id) {
    case kHoursMinusId: StepHoursChoice(-1); return true;
    case kHoursPlusId: StepHoursChoice(1); return true;
    case kAddId: AddEntry(); return true;
    case kDeleteId: OnDeleteRow(); return true;
    case kRowMinusId: OnRowHours(-1); return true;
    case kRowPlusId: OnRowHours(1); return true;
    case kNewTeacherId: AddTeacher(); return true;
    case kNewSubjectId: OnNewSubject(); return true;
    case kGoToPostsId: OnGoToPosts(); return true;
    case kSaveId: OnSave(); return true;
    case kAbandonId: OnAbandon(); return true;
    case kHowToId: m_help.SetTextML(&kGeneralHelp); return true;
    case kSortHelpId: m_help.SetTextML(&kSortHelp); return true;
    default: return CResizableDialog::OnCommand(w, l);
  }
}

// Leaving with new rows asks first: save (commit), drop them, or stay.
int Cproqui::DestroyWindow() {
  if (IsWindow() && HasUncommitted()) {
    int answer = ui_ask_unsaved_changes();
    if (answer == 3) return 0;
    if (answer == 1) CommitEntries();
    if (answer == 2) std::erase_if(m_rows, [this](const QuickEntryRow& row) { return !IsCommitted(row); });
  }
  if (IsWindow() && og_save_if_changed(0) != 0) return 0;
  return CResizableDialog::DestroyWindow();
}
