// Behaviour of the spreadsheet import page (see spreadsheet_page.h):
// opening with its explanations, reading a file, listing and sorting the
// rows, clearing the posts and reading again, and the save that turns the
// rows into teaching posts.
//
// A row whose co-teacher is the teacher himself makes a post without
// partner; weekly hours added to a post stay within 84.
#include "schooldata/spreadsheet_page.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/import_list_sort.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

std::function<void()> g_show_spreadsheet_example;

namespace {

const MlText kColumns[13] = {
    {{"Progr.", "Progr.", "Progr."}},
    {{"Materia", "Fach", "Subject"}},
    {{"Professore", "Lehrer", "Teacher"}},
    {{"Classe", "Klasse", "Class"}},
    {{"Sezione", "Abschnitt", "Section"}},
    {{"Indirizzo", "Fachrichtung", "Address"}},
    {{"Ore", "Stunden", "Hours"}},
    {{"Ore Compito", "Klassenarbeit", "Class Work"}},
    {{"Compresenza", "Mitanwesenheit", "Twin Teacher"}},
    {{"Ore", "Stunden", "Hours"}},
    {{"Laboratorio", "Laboratorium", "Laboratory"}},
    {{"Configurato", "konfiguriert", "configured"}},
    {{"Da Importare", "von den Einfuhrabgaben", "From Import"}},
};
const char* const kIntroduction[5] = {"L'importazione consente di", "risparmiare molto lavoro!",
                                      "Se non riesce, chiedete", "consiglio all'Assistenza!",
                                      "Assistenza tecnica: dal menu Servizi"};
const char* const kColumnsHelp =
    "Il foglio ha le colonne: nome della materia, nome del professore, classe nella forma classe - sezione - "
    "indirizzo (l'indirizzo è facoltativo, per esempio 1A, oppure 1AT quando ci sono più indirizzi), ore di "
    "lezione nella classe, e '2' o '3' quando è richiesto un compito di due o tre ore, altrimenti 'N'. Per due "
    "professori in compresenza aggiungete il nome del secondo professore, le ore di compresenza (al massimo le "
    "ore totali) e il laboratorio dove si svolge la compresenza, se c'è. Salvate il foglio come testo delimitato "
    "da tabulazione e importate il file \".txt\" ottenuto."_cp;
const char* const kPurpose =
    "Le lezioni si possono configurare salvando un foglio elettronico come testo delimitato da tabulazione e "
    "importandolo: è la parte più pesante della configurazione. I vincoli si aggiungono dopo. Chi non è esperto "
    "configuri invece a mano."_cp;
const MlText kSureToClear = {{"Sicuro di cancellare tutti gli elementi ?", "Wollen Sie wirklich alle Artikel löschen?"_cp,
                              "Sure to delete all the items?"}};

int teacher_count() {
  return static_cast<int>(g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers);
}
bool valid_teacher(int t) { return t >= 0 && t < teacher_count(); }
bool valid_class(int c) { return c >= 0 && c < static_cast<int>(g_ui_structure.class_count) && c < kUiMaxClasses; }
bool valid_subject(int s) {
  return s >= 0 && s < static_cast<int>(g_ui_structure.subject_count) && s < kUiMaxSubjects;
}
bool valid_lab(int l) { return l >= 0 && l < static_cast<int>(g_ui_structure.lab_count) && l < kUiMaxLabs; }
const char* teacher_name(int t) { return valid_teacher(t) ? g_ui_teachers[t].name : ""; }
const char* class_code(int c) { return valid_class(c) ? g_ui_structure.classes[c].code : ""; }
const char* subject_name(int s) { return valid_subject(s) ? g_ui_structure.subjects[s].name : ""; }
signed char code_char(int c, int at) {
  return valid_class(c) ? static_cast<signed char>(g_ui_structure.classes[c].code[at]) : 0;
}

bool has_post(const SpreadsheetRow& row) {
  if (!valid_teacher(row.teacher)) return false;
  const UiTeacher& t = g_ui_teachers[row.teacher];
  for (std::uint32_t p = 0; p < t.post_count && p < kUiMaxPosts; ++p) {
    if (t.posts[p].subject == row.subject && t.posts[p].class_index == row.class_index) return true;
  }
  return false;
}

// Columns 7 to 10 compare equal: a click on them keeps the order.
int compare(const SpreadsheetRow& a, const SpreadsheetRow& b, int column) {
  switch (column) {
    case 0: return b.number - a.number;
    case 1: return std::strcmp(subject_name(a.subject), subject_name(b.subject));
    case 2: return std::strcmp(teacher_name(a.teacher), teacher_name(b.teacher));
    case 3: return std::strcmp(class_code(a.class_index), class_code(b.class_index));
    case 4: return code_char(a.class_index, 1) - code_char(b.class_index, 1);
    case 5: return code_char(a.class_index, 2) - code_char(b.class_index, 2);
    case 6: return b.hours - a.hours;
    case 11: return b.configured - a.configured;
    case 12: return b.to_import - a.to_import;
    default: return 0;
  }
}

std::int8_t add_hours(int have, int more) {
  int total = have + more;
  return static_cast<std::int8_t>(total > 84 ? 84 : total < 0 ? 0 : total);
}

}  // namespace

Coraxls::Coraxls() : CResizableDialog(kTemplate) {}

LResult Coraxls::DoModal() {
  ui_register_import_templates();
  return CResizableDialog::DoModal();
}

void Coraxls::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kColumnsHelpId, m_columns_help);
  dx.Control(kPurposeId, m_purpose);
  dx.Control(kOpenId, m_open);
  dx.Control(kClearId, m_clear);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kNotExpertId, m_not_expert);
  dx.Control(kExampleId, m_example);
  dx.Control(kSortTipId, m_sort_tip);
  dx.Control(kClearTipId, m_clear_tip);
  dx.Control(kColumnsTipId, m_columns_tip);
}

bool Coraxls::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("Importa da XLS");
  FitIntoPageArea();
  ShowGrip(false);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  for (int c = 0; c < 13; ++c) {
    const char* head = kColumns[c].Get();
    m_list.InsertColumn(c, head, kLvcfmtLeft, static_cast<int>(std::strlen(head)) * (c == 2 ? 16 : 8));
  }
  for (const char* line : kIntroduction) m_list.SetItemText(m_list.InsertItem(m_list.GetItemCount(), ""), 2, line);
  m_import = SpreadsheetImport();
  m_columns_help.SetText(kColumnsHelp);
  m_purpose.SetText(kPurpose);
  EnableAfterRead(false);
  return true;
}

void Coraxls::EnableAfterRead(bool on) {
  m_clear.EnableWindow(on);
  m_clear_tip.EnableWindow(on);
  m_save.EnableWindow(on);
}

bool Coraxls::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kOpenId: OpenFile(); return true;
      case kClearId: ClearPosts(); return true;
      case kSaveId: Save(); return true;
      case kAbandonId:
      case kNotExpertId: OnCancel(); return true;
      case kSortTipId: m_purpose.SetText(og_import_sort_tip()); return true;
      case kClearTipId: m_purpose.SetText(og_import_clear_tip()); return true;
      case kColumnsTipId: m_columns_help.SetText(kColumnsHelp); return true;
      case kExampleId:
        if (g_show_spreadsheet_example) {
          g_show_spreadsheet_example();
        } else {
          m_columns_help.SetText(kColumnsHelp);
        }
        return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Coraxls::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId && header->code == kLvnColumnClick) {
    SortBy(reinterpret_cast<ListViewNotify*>(l)->subitem);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Coraxls::OnOK() {
  Window* focus = Window::GetFocus();
  if (focus == &m_save) Save();
  if (focus == &m_abandon) OnCancel();
}

void Coraxls::OnCancel() {
  m_import = SpreadsheetImport();
  og_read_structure_file(0);
  og_read_assignments_file(0);
  EndDialog(kIdCancel);
}

bool Coraxls::ReadStoredFile() {
  auto tell = [](const std::string& text) { ui_message_box(text.c_str()); };
  if (og_read_spreadsheet_text(m_path, m_import, tell) < 0) {
    m_import = SpreadsheetImport();
    EndDialog(-1);
    return false;
  }
  m_list.DeleteAllItems();
  FillList(true);
  return true;
}

void Coraxls::OpenFile() {
  char folder[4096];
  std::string kept = ::getcwd(folder, sizeof folder) ? folder : "";
  std::string path;
  if (!g_import_file_chooser || !g_import_file_chooser("TXT(*.txt)|*.txt||", "", path)) return;
  m_path = kt::translate_path(path);
  bool read = ReadStoredFile();
  if (!kept.empty() && ::chdir(kept.c_str()) != 0) kept.clear();
  if (!read) return;
  ui_fit_list_columns(m_list, 0, 12, false);
  EnableAfterRead(true);
}

void Coraxls::FillList(bool first_fill) {
  for (SpreadsheetRow& row : m_import.rows) {
    row.configured = has_post(row) ? 1 : 0;
    if (first_fill) row.to_import = row.configured ? 0 : 1;
    char number[16], hours[8], co_hours[8];
    std::snprintf(number, sizeof number, "%d", row.number);
    std::snprintf(hours, sizeof hours, "%d", row.hours);
    std::snprintf(co_hours, sizeof co_hours, "%d", row.co_hours);
    int at = -1;
    for (int i = 0; i < m_list.GetItemCount() && at < 0; ++i) {
      if (m_list.GetItemText(i, 0) == number) at = i;
    }
    if (at < 0) at = m_list.InsertItem(m_list.GetItemCount(), number);
    const char* code = class_code(row.class_index);
    int track = row.track >= 0 && row.track < kUiMaxTracks ? row.track : 0;
    bool co = valid_teacher(row.co_teacher);
    m_list.SetItemText(at, 1, subject_name(row.subject));
    m_list.SetItemText(at, 2, teacher_name(row.teacher));
    m_list.SetItemText(at, 3, code);
    m_list.SetItemText(at, 4, code[0] ? code + 1 : "");
    m_list.SetItemText(at, 5, g_ui_structure.track_names[track]);
    m_list.SetItemText(at, 6, hours);
    m_list.SetItemText(at, 7, row.test_pattern);
    m_list.SetItemText(at, 8, co ? teacher_name(row.co_teacher) : "");
    m_list.SetItemText(at, 9, co ? co_hours : "");
    m_list.SetItemText(at, 10, co && valid_lab(row.lab) ? g_ui_structure.labs[row.lab].name : "");
    m_list.SetItemText(at, 11, og_import_yes_no(row.configured));
    m_list.SetItemText(at, 12, og_import_yes_no(row.to_import));
  }
}

void Coraxls::SortBy(int column) {
  if (column < 0 || column > 12) return;
  m_purpose.SetText(og_import_sort_tip());
  og_sort_import_rows(m_import.rows, m_list, column, &m_directions[column], compare);
  m_list.DeleteAllItems();
  FillList(false);
  og_reselect_import_rows(m_import.rows, m_list);
}

void Coraxls::ClearPosts() {
  if (ui_message_box_type(kSureToClear.Get(), kMbYesNo | kMbIconQuestion) != kIdYes) return;
  for (int t = 0; t < teacher_count(); ++t) {
    for (UiTeachingPost& post : g_ui_teachers[t].posts) og_reset_teaching_post(post);
    g_ui_teachers[t].post_count = 0;
  }
  if (!ReadStoredFile()) return;
  m_clear.EnableWindow(false);
  m_clear_tip.EnableWindow(false);
}

void Coraxls::ApplyRows() {
  for (const SpreadsheetRow& row : m_import.rows) {
    if (!row.to_import || !valid_teacher(row.teacher) || !valid_class(row.class_index) || !valid_subject(row.subject)) {
      continue;
    }
    bool co = valid_teacher(row.co_teacher) && row.co_teacher != row.teacher;
    int partner = co ? row.co_teacher : -1;
    int lab = co && valid_lab(row.lab) ? row.lab : -1;
    UiTeacher& teacher = g_ui_teachers[row.teacher];
    UiTeachingPost* post = nullptr;
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts && !post; ++p) {
      UiTeachingPost& q = teacher.posts[p];
      if (q.subject == row.subject && q.class_index == row.class_index && q.partner == partner && q.lab == lab) {
        post = &q;
      }
    }
    if (post == nullptr) {
      if (teacher.post_count >= kUiMaxPosts) {
        char text[80];
        std::snprintf(text, sizeof text, "Troppe classi per il Professore %s", teacher.name);
        ui_message_box(text);
        continue;
      }
      post = &teacher.posts[teacher.post_count++];
      og_reset_teaching_post(*post);
      post->subject = row.subject;
      post->class_index = row.class_index;
      std::memcpy(post->own.grouping1, row.test_pattern, sizeof post->own.grouping1);
    }
    post->own.hours = add_hours(post->own.hours, row.hours);
    if (!co) continue;
    post->partner = partner;
    post->partner_part.hours = add_hours(post->partner_part.hours, row.co_hours);
    if (lab >= 0) {
      post->lab = lab;
    } else {
      post->conversation_subject = m_import.co_presence_subject;
    }
  }
}

void Coraxls::Save() {
  ApplyRows();
  m_import = SpreadsheetImport();
  char& status = g_ui_structure.status[5];
  status = status < '1' ? '1' : '2';
  og_write_structure_file();
  og_write_assignments_file(0, 0);
  EndDialog(kSaved);
}
