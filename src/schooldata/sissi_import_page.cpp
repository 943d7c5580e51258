// Behaviour of the SISSI import page (see sissi_import_page.h): opening
// with the repeated-import question, reading the export, the list of rows
// and its stable sort, clearing the teaching posts, and the save that turns
// the rows into posts or fills in the missing identifiers.
//
// Rows refer to the model by index; every index is checked against the
// model's counts before it is used, so a row never reaches past a table.
// A few thousand rows at most.
#include "schooldata/school_files.h"
#include "schooldata/sissi_import_page.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/status_info.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;
using namespace kt::imports;

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

}  // namespace

const char* og_import_sort_tip() { return kSortTip; }
const char* og_import_clear_tip() { return kClearTip; }
const char* og_import_yes_no(bool yes) { return (yes ? kYes : kNo).Get(); }

Csissi::Csissi() : CImportPage(kTemplate) {}

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
  SetUpList("Importa da Axios Sissi", kColumns, kColumnFactor, 9);
  if (Window* notice = GetDlgItem(kReadNoticeId)) notice->ShowWindow(kSwHide);
  m_import = SissiImport();
  m_read = false;
  m_help.SetText(kExplanation);
  m_support.SetLimitText(kUiNameSize - 1);
  m_support.SetWindowText(kSupportWord.Get());
  if (m_code_correction) {
    m_clear.EnableWindow(false);
  } else if (og_data_from_sissi() &&
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

void Csissi::OnCancel() {
  m_import = SissiImport();
  EndDialog(kIdCancel);
}

void Csissi::OpenFile() {
  int read = 0;
  auto read_file = [&](const std::string& local) {
    read = og_read_sissi_export(local, m_code_correction != 0, m_import, tell);
    if (read == 0 && nothing_read(m_import.rows.size(), local)) read = -1;
  };
  if (!read_chosen_file("TXT(*.txt)|*.txt||", "..\\.", read_file)) return;
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
    row.configured = has_post(row.teacher, row.subject, row.class_index) ? 1 : 0;
    if (first_fill) row.to_import = row.configured ? 0 : 1;
    if (m_code_correction) row.to_import = 0;
    int at = RowFor(row.number);
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
  SortRows(m_import.rows, column, compare);
}

void Csissi::ClearPosts() {
  if (!sure_to_clear()) return;
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
      UiTeachingPost* post = new_post(teacher);
      if (post == nullptr) continue;
      post->subject = row.subject;
      post->class_index = row.class_index;
      post->own.hours = static_cast<std::int8_t>(row.hours);
    }
  }
  char& status = g_ui_structure.status[kStatusSissiOrigin];
  status = status < '1' ? '1' : '2';
  m_import = SissiImport();
  if (!og_save_school_files()) return;
  EndDialog(kSaved);
}
