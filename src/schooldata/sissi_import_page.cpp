// Behaviour of the SISSI import page (see sissi_import_page.h): opening
// with the repeated-import question, reading the export, the list of rows
// and its stable sort, clearing the teaching posts, and the save that turns
// the rows into posts or fills in the missing identifiers.
//
// Rows refer to the model by index; every index is checked against the
// model's counts before it is used, so a row never reaches past a table.
// A few thousand rows at most.
#include "schooldata/sissi_import_page.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/import_list_sort.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

std::function<bool(const std::string& filter, const std::string& initial, std::string& path)> g_import_file_chooser;

namespace {

const MlText kColumns[9] = {
    {{"Progr.", "Progr.", "Progr."}},
    {{"Professore", "Lehrer", "Teacher"}},
    {{"Classe", "Klasse", "Class"}},
    {{"Sezione", "Abschnitt", "Section"}},
    {{"Indirizzo", "Fachrichtung", "Address"}},
    {{"Materia", "Fach", "Subject"}},
    {{"Ore", "Stunden", "Hours"}},
    {{"Configurato", "konfiguriert", "configured"}},
    {{"Da Importare", "von den Einfuhrabgaben", "From Import"}},
};
const int kColumnFactor[9] = {8, 16, 8, 8, 16, 16, 8, 8, 8};
const MlText kYes = {{"si", "ja", "yes"}};
const MlText kNo = {{"NO", "Nein", "NO"}};
const MlText kSupportWord = {{"Sostegno", "Behindertenhilfe", "Handicap Help"}};
const MlText kSureToClear = {{"Sicuro di cancellare tutti gli elementi ?", "Wollen Sie wirklich alle Artikel löschen?"_cp,
                              "Sure to delete all the items?"}};
const char* const kExplanation =
    "La configurazione può essere creata dai dati esportati da SISSI, risparmiando l'inserimento delle materie e "
    "delle cattedre. Dopo l'importazione occorre rivedere tutti i passi della configurazione. Ogni elaborazione "
    "scrive \"Esportazione Sissi Axios.txt\" per SISSI."_cp;
const char* const kSortTip =
    "SUGGERIMENTO: se volete vedere, ad esempio, quali Professori ha una certa Classe, dovete ordinare la tabella "
    "clickando PRIMA sulla colonna Professori, e DOPO sulla colonna Classi.\r\nNotate che l'ordinamento avviene "
    "una volta in senso crescente e una volta in senso decrescente, per ciascuna colonna.";
const char* const kClearTip =
    "Potete cancellare le lezioni già configurate in precedenza, in modo da reimportare tutto completamente.\r\n"
    "In questo caso, i vincoli PERSONALI dei professori vengono conservati, mentre quelli sulle cattedre vengono "
    "perduti e dovranno essere riconfigurati."_cp;

int teacher_count() {
  return static_cast<int>(g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers);
}

bool valid_teacher(int t) { return t >= 0 && t < teacher_count(); }
bool valid_class(int c) { return c >= 0 && c < static_cast<int>(g_ui_structure.class_count) && c < kUiMaxClasses; }
bool valid_subject(int s) {
  return s >= 0 && s < static_cast<int>(g_ui_structure.subject_count) && s < kUiMaxSubjects;
}

const char* class_code(int c) { return valid_class(c) ? g_ui_structure.classes[c].code : ""; }
const char* subject_name(int s) { return valid_subject(s) ? g_ui_structure.subjects[s].name : ""; }
const char* teacher_name(int t) { return valid_teacher(t) ? g_ui_teachers[t].name : ""; }

bool has_post(const SissiImportRow& row) {
  if (!valid_teacher(row.teacher)) return false;
  const UiTeacher& t = g_ui_teachers[row.teacher];
  for (std::uint32_t p = 0; p < t.post_count && p < kUiMaxPosts; ++p) {
    if (t.posts[p].subject == row.subject && t.posts[p].class_index == row.class_index) return true;
  }
  return false;
}

// Second minus first for numbers, first against second for texts, so one
// click sorts texts ascending and numbers descending.
int compare(const SissiImportRow& a, const SissiImportRow& b, int column) {
  switch (column) {
    case 0: return b.number - a.number;
    case 1: return std::strcmp(teacher_name(a.teacher), teacher_name(b.teacher));
    case 2: return std::strcmp(class_code(a.class_index), class_code(b.class_index));
    case 3: return static_cast<signed char>(class_code(a.class_index)[0] ? class_code(a.class_index)[1] : 0) -
                   static_cast<signed char>(class_code(b.class_index)[0] ? class_code(b.class_index)[1] : 0);
    case 4: {
      auto third = [](int c) { return valid_class(c) ? static_cast<signed char>(g_ui_structure.classes[c].code[2]) : 0; };
      return third(a.class_index) - third(b.class_index);
    }
    case 5: return std::strcmp(subject_name(a.subject), subject_name(b.subject));
    case 6: return b.hours - a.hours;
    case 7: return b.configured - a.configured;
    default: return b.to_import - a.to_import;
  }
}

void enable(Window* w, bool on) {
  if (w) w->EnableWindow(on);
}

}  // namespace

const char* og_import_sort_tip() { return kSortTip; }
const char* og_import_clear_tip() { return kClearTip; }
const char* og_import_yes_no(bool yes) { return (yes ? kYes : kNo).Get(); }

Csissi::Csissi() : CResizableDialog(kTemplate) {}

LResult Csissi::DoModal() {
  ui_register_sissi_templates();
  return CResizableDialog::DoModal();
}

void Csissi::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kHelpId, m_help);
  dx.Control(kSupportId, m_support);
  dx.Control(kOpenId, m_open);
  dx.Control(kClearId, m_clear);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kSortTipId, m_sort_tip);
  dx.Control(kClearTipId, m_clear_tip);
}

bool Csissi::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("Importa da Axios Sissi");
  FitIntoPageArea();
  ShowGrip(false);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  for (int c = 0; c < 9; ++c) {
    const char* head = kColumns[c].Get();
    m_list.InsertColumn(c, head, kLvcfmtLeft, static_cast<int>(std::strlen(head)) * kColumnFactor[c]);
  }
  if (Window* notice = GetDlgItem(kReadNoticeId)) notice->ShowWindow(kSwHide);
  m_import = SissiImport();
  m_read = false;
  m_help.SetText(kExplanation);
  m_support.SetLimitText(kUiNameSize - 1);
  m_support.SetWindowText(kSupportWord.Get());
  if (m_code_correction) {
    m_clear.EnableWindow(false);
  } else if (g_ui_structure.status[0] >= '1' &&
             ui_message_box_type("I dati esportati da SISSI sono già stati inclusi: sicuro di proseguire?"_cp,
                                 kMbYesNo | kMbIconQuestion) != kIdYes) {
    EndDialog(-1);
  }
  return true;
}

bool Csissi::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kOpenId: OpenFile(); return true;
      case kClearId: ClearPosts(); return true;
      case kSaveId: Save(); return true;
      case kAbandonId: OnCancel(); return true;
      case kSortTipId: m_help.SetText(kSortTip); return true;
      case kClearTipId: m_help.SetText(kClearTip); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Csissi::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId && header->code == kLvnColumnClick) {
    SortBy(reinterpret_cast<ListViewNotify*>(l)->subitem);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Csissi::OnOK() {
  Window* focus = Window::GetFocus();
  if (focus == &m_save) Save();
  if (focus == &m_abandon) OnCancel();
}

void Csissi::OnCancel() {
  m_import = SissiImport();
  EndDialog(kIdCancel);
}

void Csissi::OpenFile() {
  char folder[4096];
  std::string kept = ::getcwd(folder, sizeof folder) ? folder : "";
  std::string path;
  if (!g_import_file_chooser || !g_import_file_chooser("TXT(*.txt)|*.txt||", "..\\.", path)) return;
  auto tell = [](const std::string& text) { ui_message_box(text.c_str()); };
  int read = og_read_sissi_export(kt::translate_path(path), m_code_correction != 0, m_import, tell);
  if (!kept.empty() && ::chdir(kept.c_str()) != 0) kept.clear();
  if (read < 0) {
    m_import = SissiImport();
    EndDialog(-1);
    return;
  }
  m_read = true;
  m_list.DeleteAllItems();
  FillList(true);
  if (m_code_correction) {
    m_list.EnableWindow(false);
    m_list.ShowWindow(kSwHide);
    if (Window* notice = GetDlgItem(kReadNoticeId)) notice->ShowWindow(kSwShow);
  }
}

void Csissi::FillList(bool first_fill) {
  int language = ui_language();
  for (SissiImportRow& row : m_import.rows) {
    row.configured = has_post(row) ? 1 : 0;
    if (first_fill) row.to_import = row.configured ? 0 : 1;
    if (m_code_correction) row.to_import = 0;
    char number[16];
    std::snprintf(number, sizeof number, "%d", row.number);
    int at = -1;
    for (int i = 0; i < m_list.GetItemCount() && at < 0; ++i) {
      if (m_list.GetItemText(i, 0) == number) at = i;
    }
    if (at < 0) at = m_list.InsertItem(m_list.GetItemCount(), number);
    const char* code = class_code(row.class_index);
    int track = row.track >= 0 && row.track < kUiMaxTracks ? row.track : 0;
    char hours[8];
    std::snprintf(hours, sizeof hours, "%d", row.hours);
    m_list.SetItemText(at, 1, teacher_name(row.teacher));
    m_list.SetItemText(at, 2, code);
    m_list.SetItemText(at, 3, code[0] ? code + 1 : "");
    m_list.SetItemText(at, 4, g_ui_structure.track_names[track]);
    m_list.SetItemText(at, 5, subject_name(row.subject));
    m_list.SetItemText(at, 6, hours);
    m_list.SetItemText(at, 7, (row.configured ? kYes : kNo)[language]);
    m_list.SetItemText(at, 8, (row.to_import ? kYes : kNo)[language]);
  }
}

void Csissi::SortBy(int column) {
  if (column < 0 || column > 8) return;
  m_help.SetText(kSortTip);
  og_sort_import_rows(m_import.rows, m_list, column, &m_directions[column], compare);
  m_list.DeleteAllItems();
  FillList(false);
  og_reselect_import_rows(m_import.rows, m_list);
}

void Csissi::ClearPosts() {
  if (ui_message_box_type(kSureToClear.Get(), kMbYesNo | kMbIconQuestion) != kIdYes) return;
  for (int t = 0; t < teacher_count(); ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    for (UiTeachingPost& post : teacher.posts) og_reset_teaching_post(post);
    teacher.post_count = 0;
    teacher.standby_hours = 0;
    teacher.support_hours = 0;
  }
  m_clear.EnableWindow(false);
  m_clear_tip.EnableWindow(false);
}

void Csissi::Save() {
  if (!m_read) return EndDialog(kSaved);
  if (m_code_correction) {
    FillMissingCodes();
  } else {
    std::string support = m_support.GetWindowText().substr(0, kUiNameSize - 1);
    for (const SissiImportRow& row : m_import.rows) {
      if (row.configured || !row.to_import || !valid_teacher(row.teacher)) continue;
      if (!valid_class(row.class_index) || !valid_subject(row.subject)) continue;
      UiTeacher& teacher = g_ui_teachers[row.teacher];
      if (kt::cp1252_casecmp(subject_name(row.subject), support.c_str()) == 0) {
        int hours = teacher.support_hours + row.hours;
        teacher.support_hours = static_cast<std::int8_t>(hours > 127 ? 127 : hours);
        continue;
      }
      if (teacher.post_count >= kUiMaxPosts) {
        char text[80];
        std::snprintf(text, sizeof text, "Troppe classi per il Professore %s", teacher.name);
        ui_message_box(text);
        continue;
      }
      UiTeachingPost& post = teacher.posts[teacher.post_count++];
      og_reset_teaching_post(post);
      post.subject = row.subject;
      post.class_index = row.class_index;
      post.own.hours = static_cast<std::int8_t>(row.hours);
    }
  }
  char& status = g_ui_structure.status[0];
  status = status < '1' ? '1' : '2';
  m_import = SissiImport();
  og_write_structure_file();
  og_write_assignments_file(0, 0);
  EndDialog(kSaved);
}
