// Behaviour of the SISSI code check page Csissiedit (see sissi_code_check.h):
// the four lists with their missing-identifier counts, choosing and
// accepting an identifier, hiding unused subjects and teachers, re-reading
// an export through the import page, and the save that needs the school's
// own identifier.
//
// Identifiers are stored cut to their fields (4, 16, 8 characters); counts
// of the model are bounded by its capacities. A few hundred rows.
#include "schooldata/sissi_code_check.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_lookups.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/status_info.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;
using kt::imports::class_count;
using kt::imports::subject_count;
using kt::imports::teacher_count;

namespace {

const MlText kHeads[4] = {{{"Scuola", "Schule", "School"}},
                          {{"Classe", "Klasse", "Class"}},
                          {{"Materia", "Fach", "Subject"}},
                          {{"Professore", "Lehrer", "Teacher"}}};
const MlText kCodeHead = {{"Codice per esportazione verso SISSI", "Code für die Ausfuhr in SISSI"_cp,
                           "Code for export to SISSI"}};
const MlText kNoteHead = {{"Annotazioni", "Anmerkungen", "Annotations"}};
const MlText kNotDefined = {{" Non definito", " nicht definiert", " Not defined"}};
const MlText kStandbyWord = {{"Disposizione", "Verfügung"_cp, "Substitutions"}};
const MlText kSupportWord = {{"Sostegno", "Behindertenhilfe", "Handicap Help"}};
const MlText kItalianOnly = {{"Solo per la versione italiana.", "Nur für die Italienische Version."_cp,
                              "Only for the italian Version."}};
const char* const kExplanation =
    "Qui si possono correggere i codici di corrispondenza con SISSI, o darli a professori, classi e materie "
    "creati a mano. Si può anche rileggere un file esportato da SISSI più recente. In caso di dubbio chiedere "
    "all'assistenza tecnica."_cp;
const char* const kRereadHelp =
    "Il file esportato da SISSI può essere riletto per completare i codici sconosciuti (per esempio a fine "
    "settembre, dopo che la segreteria ha cambiato le cattedre in SISSI). Dove un nome è scritto diversamente in "
    "SISSI e nella scuola, il codice viene chiesto, un elemento alla volta."_cp;
constexpr Color kMissingColour = rgb(0xA5, 0x00, 0x21);
constexpr Color kCompleteColour = rgb(0x00, 0x33, 0x99);


void store(char* out, std::size_t size, const std::string& id) {
  std::memset(out, 0, size);
  std::memcpy(out, id.data(), id.size() < size - 1 ? id.size() : size - 1);
}

std::string trimmed(const char* text) {
  std::string s = text;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool named_post(int subject) {
  for (int t = 0; t < teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      if (teacher.posts[p].subject == subject || teacher.posts[p].conversation_subject == subject) return true;
    }
  }
  return false;
}

bool teacher_in_use(int t) {
  const UiTeacher& teacher = g_ui_teachers[t];
  if (teacher.standby_hours > 0 || teacher.support_hours > 0) return true;
  for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
    if (!teacher.posts[p].copy) return true;
  }
  for (int o = 0; o < teacher_count(); ++o) {
    if (o == t) continue;
    const UiTeacher& other = g_ui_teachers[o];
    for (std::uint32_t p = 0; p < other.post_count && p < kUiMaxPosts; ++p) {
      if (other.posts[p].partner == t) return true;
    }
  }
  return false;
}

}  // namespace

Csissiedit::Csissiedit() : CResizableDialog(kTemplate) {}

LResult Csissiedit::DoModal() {
  ui_register_sissi_templates();
  return CResizableDialog::DoModal();
}

void Csissiedit::DoDataExchange(DataExchange& dx) {
  const int lists[4] = {kSchoolListId, kClassListId, kSubjectListId, kTeacherListId};
  for (int i = 0; i < 4; ++i) dx.Control(lists[i], m_lists[i]);
  const int counts[3] = {kClassCountId, kSubjectCountId, kTeacherCountId};
  for (int i = 0; i < 3; ++i) dx.Control(counts[i], m_counts[i]);
  dx.Control(kElementId, m_element);
  dx.Control(kIdEditId, m_id);
  dx.Control(kHelpId, m_help);
  dx.Control(kAcceptId, m_accept);
  dx.Control(kHideSubjectsId, m_hide_subjects);
  dx.Control(kHideTeachersId, m_hide_teachers);
  dx.Control(kRereadId, m_reread);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpButtonId, m_help_button);
}

bool Csissiedit::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("Aggiusta Codici Sissi");
  FitIntoPageArea();
  ShowGrip(false);
  int first_width = static_cast<int>(std::strlen(kHeads[3].Get())) * 16;
  for (int i = 0; i < 4; ++i) {
    m_lists[i].SetExtendedStyle(m_lists[i].GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
    m_lists[i].InsertColumn(0, kHeads[i].Get(), kLvcfmtLeft, first_width);
    m_lists[i].InsertColumn(1, kCodeHead.Get(), kLvcfmtLeft, static_cast<int>(std::strlen(kCodeHead.Get())) * 8);
    m_lists[i].InsertColumn(2, kNoteHead.Get(), kLvcfmtLeft, static_cast<int>(std::strlen(kNoteHead.Get())) * 8);
  }
  m_id.SetLimitText(80);
  FillLists();
  m_help.SetText(kExplanation);
  return true;
}

void Csissiedit::FillLists() {
  for (ListView& list : m_lists) list.DeleteAllItems();
  m_lists[0].InsertItem(0, g_ui_header.school_name);
  m_lists[0].SetItemText(0, 1, g_ui_settings.sissi_school_id);
  auto add = [&](int list, const std::string& name, const char* id) {
    int at = m_lists[list].InsertItem(m_lists[list].GetItemCount(), name);
    m_lists[list].SetItemText(at, 1, id);
    if (og_sissi_id_missing(id)) {
      m_lists[list].SetItemText(at, 2, kNotDefined.Get());
      ++m_missing[list - 1];
    }
  };
  std::memset(m_missing, 0, sizeof m_missing);
  for (int c = 0; c < class_count(); ++c) add(1, trimmed(g_ui_structure.classes[c].code), g_ui_structure.classes[c].sissi_id);
  for (int s = 0; s < subject_count(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (!subject.hidden) add(2, subject.name, subject.sissi_id);
  }
  for (int t = 0; t < teacher_count(); ++t) {
    if (!g_ui_teachers[t].sissi_excluded) add(3, g_ui_teachers[t].name, g_ui_teachers[t].sissi_id);
  }
  for (int i = 1; i < 4; ++i) ui_sort_list_by_column(m_lists[i], 0, 0, kListSortAscending);
  bool any = false;
  for (int i = 0; i < 3; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", m_missing[i]);
    m_counts[i].SetWindowText(text);
    m_counts[i].SetColorValues(m_missing[i] > 0 ? kMissingColour : kCompleteColour, kNoColor);
    any = any || m_missing[i] > 0;
  }
  m_reread.EnableWindow(any);
  for (ListView& list : m_lists) ui_fit_list_columns(list, 0, 2, false);
}

bool Csissiedit::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kAcceptId: Accept(); return true;
      case kHideSubjectsId: HideSubjects(); return true;
      case kHideTeachersId: HideTeachers(); return true;
      case kRereadId: Reread(); return true;
      case kSaveId: Save(); return true;
      case kAbandonId: EndDialog(kIdCancel); return true;
      case kHelpButtonId: m_help.SetText(kRereadHelp); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Csissiedit::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  for (int i = 0; header && i < 4; ++i) {
    if (header->id != m_lists[i].GetDlgCtrlID()) continue;
    if (header->code == kLvnColumnClick) {
      ui_sort_list_by_column(m_lists[i], reinterpret_cast<ListViewNotify*>(l)->subitem, 0, 0);
      return true;
    }
    auto* change = reinterpret_cast<ListViewNotify*>(l);
    bool chosen = header->code == kLvnItemChanged && (change->new_state & kLvisSelected) &&
                  (change->new_state & kLvisFocused);
    if (chosen || header->code == kNmSetFocus) Choose(i + 1);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Csissiedit::Choose(int list) {
  int row = m_lists[list - 1].GetNextItem(-1, kLvniSelected);
  if (row < 0) return;
  m_chosen_list = list;
  m_element.SetWindowText(m_lists[list - 1].GetItemText(row, 0));
  m_id.SetWindowText(m_lists[list - 1].GetItemText(row, 1));
}

void Csissiedit::Accept() {
  std::string name = m_element.GetWindowText().substr(0, 80);
  char cleaned[kUiNameSize];
  og_clean_name(cleaned, m_id.GetWindowText().substr(0, 80).c_str());
  std::string id = cleaned;
  switch (m_chosen_list) {
    case 1: store(g_ui_settings.sissi_school_id, sizeof g_ui_settings.sissi_school_id, id); break;
    case 2:
      for (int c = 0; c < class_count(); ++c) {
        if (trimmed(g_ui_structure.classes[c].code) != name) continue;
        store(g_ui_structure.classes[c].sissi_id, sizeof g_ui_structure.classes[c].sissi_id, id);
        break;
      }
      break;
    case 3:
      for (int s = 0; s < subject_count(); ++s) {
        if (name != g_ui_structure.subjects[s].name) continue;
        store(g_ui_structure.subjects[s].sissi_id, sizeof g_ui_structure.subjects[s].sissi_id, id);
        break;
      }
      break;
    case 4:
      for (int t = 0; t < teacher_count(); ++t) {
        if (name != g_ui_teachers[t].name) continue;
        store(g_ui_teachers[t].sissi_id, sizeof g_ui_teachers[t].sissi_id, id);
        break;
      }
      break;
    default: return;
  }
  FillLists();
}

void Csissiedit::HideSubjects() {
  for (int s = 0; s < subject_count(); ++s) {
    UiSubject& subject = g_ui_structure.subjects[s];
    if (kt::cp1252_casecmp(subject.name, kStandbyWord.Get()) == 0) continue;
    if (kt::cp1252_casecmp(subject.name, kSupportWord.Get()) == 0) continue;
    if (!named_post(s)) subject.hidden = 1;
  }
  FillLists();
}

void Csissiedit::HideTeachers() {
  for (int t = 0; t < teacher_count(); ++t) {
    if (teacher_in_use(t)) continue;
    std::memset(g_ui_teachers[t].sissi_id, 0, sizeof g_ui_teachers[t].sissi_id);
    g_ui_teachers[t].sissi_excluded = 1;
  }
  FillLists();
}

void Csissiedit::Reread() {
  if (ui_language() != 0) {
    ui_message_box(kItalianOnly.Get());
    return;
  }
  Csissi import;
  import.m_code_correction = 1;
  import.DoModal();
  og_read_school_files(0);
  FillLists();
}

void Csissiedit::OnOK() {
  Window* focus = Window::GetFocus();
  if (focus == &m_id) return Accept();
  if (focus == &m_save) return Save();
  if (focus == &m_abandon) return EndDialog(kIdCancel);
}

void Csissiedit::OnCancel() { EndDialog(kIdCancel); }

void Csissiedit::Save() {
  if (m_chosen_list != 0) Accept();
  if (g_ui_settings.sissi_school_id[0] == 0) {
    ui_message_box("Occorre assegnare un codice numerico alla scuola!");
    m_lists[0].SetItemState(0, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    m_lists[0].SetFocus();
    return;
  }
  char& status = g_ui_structure.status[kStatusSissiOrigin];
  status = status < '1' ? '1' : '2';
  if (!og_save_school_files()) return;
  EndDialog(kSaved);
}
