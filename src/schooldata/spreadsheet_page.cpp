// Behaviour of the spreadsheet import page (see spreadsheet_page.h):
// opening with its explanations, reading a file, listing and sorting the
// rows, clearing the posts and reading again, and the save that turns the
// rows into teaching posts.
//
// A row whose co-teacher is the teacher himself makes a post without
// partner; weekly hours added to a post stay within 84.
#include "schooldata/spreadsheet_page.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;
using namespace kt::imports;

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
const int kFactor[13] = {8, 8, 16, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};
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

}  // namespace

Coraxls::Coraxls() : CImportPage(kTemplate) {}

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
  SetUpList("Importa da XLS", kColumns, kFactor, 13);
  AddIntroduction(2);
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

void Coraxls::OnCancel() {
  m_import = SpreadsheetImport();
  og_read_school_files(0);
  EndDialog(kIdCancel);
}

bool Coraxls::ReadStoredFile() {
  if (og_read_spreadsheet_text(m_path, m_import, tell) < 0 || nothing_read(m_import.rows.size(), m_path)) {
    m_import = SpreadsheetImport();
    EndDialog(-1);
    return false;
  }
  m_list.DeleteAllItems();
  FillList(true);
  return true;
}

void Coraxls::OpenFile() {
  bool read = false;
  auto read_file = [&](const std::string& local) {
    m_path = local;
    read = ReadStoredFile();
  };
  if (!read_chosen_file("TXT(*.txt)|*.txt||", "", read_file) || !read) return;
  ui_fit_list_columns(m_list, 0, 12, false);
  EnableAfterRead(true);
}

void Coraxls::FillList(bool first_fill) {
  for (SpreadsheetRow& row : m_import.rows) {
    row.configured = has_post(row.teacher, row.subject, row.class_index) ? 1 : 0;
    if (first_fill) row.to_import = row.configured ? 0 : 1;
    char hours[8], co_hours[8];
    std::snprintf(hours, sizeof hours, "%d", row.hours);
    std::snprintf(co_hours, sizeof co_hours, "%d", row.co_hours);
    int at = RowFor(row.number);
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
  SortRows(m_import.rows, column, compare);
}

void Coraxls::ClearPosts() {
  if (!sure_to_clear()) return;
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
      if ((post = new_post(teacher)) == nullptr) continue;
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
  if (!og_save_school_files()) return;
  EndDialog(kSaved);
}
