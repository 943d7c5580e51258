// The code fill-in of the SISSI import page in code-correction mode and the
// chooser it asks: teachers, then classes, then subjects, each record whose
// SISSI identifier is missing takes the identifier of the export's entry of
// the same name; where no name matches, CsissiASK offers the entries whose
// identifiers no record of that kind holds yet. Abandoning the chooser
// stops the whole fill-in; identifiers filled before stay.
//
// A teacher's or class's chosen entry is emptied so it cannot be offered
// twice; a subject's stays (several subjects may share one SISSI subject).
#include <cstdio>
#include <cstring>

#include "schooldata/sissi_code_check.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"

using namespace kt::ui;
using kt::imports::class_count;
using kt::imports::subject_count;
using kt::imports::teacher_count;

namespace {

const MlText kKindTitle[3] = {{{"Professore", "Lehrer", "Teacher"}},
                              {{"Classe", "Klasse", "Class"}},
                              {{"Materia", "Fach", "Subject"}}};

int record_count(int kind) { return kind == 1 ? teacher_count() : kind == 2 ? class_count() : subject_count(); }

// The record's name and identifier field (with its size) of a kind.
const char* record_name(int kind, int r) {
  return kind == 1 ? g_ui_teachers[r].name : kind == 2 ? g_ui_structure.classes[r].code : g_ui_structure.subjects[r].name;
}
char* record_id(int kind, int r, std::size_t& size) {
  size = kind == 3 ? 9 : 17;
  return kind == 1 ? g_ui_teachers[r].sissi_id
                   : kind == 2 ? g_ui_structure.classes[r].sissi_id : g_ui_structure.subjects[r].sissi_id;
}

char* entry_name(SissiCorrespondence& e, int kind) {
  return kind == 1 ? e.teacher_name : kind == 2 ? e.class_name : e.subject_name;
}
char* entry_id(SissiCorrespondence& e, int kind) {
  return kind == 1 ? e.teacher_id : kind == 2 ? e.class_id : e.subject_id;
}

void copy_id(char* out, std::size_t size, const char* id) {
  std::size_t n = strnlen(id, size - 1);
  std::memcpy(out, id, n);
  std::memset(out + n, 0, size - n);
}

// Class codes of one-track schools may end in a blank; the export's names
// never do.
std::string trimmed(const char* text) {
  std::string s = text;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

bool og_sissi_id_missing(const char* id) { return id[0] == 0 || std::strncmp(id, "UNDEF:", 6) == 0; }

int Csissi::AssignCode(int kind, int record) {
  int entries = m_import.entry_count;
  bool any = false;
  for (int e = 0; e < entries; ++e) {
    SissiCorrespondence& entry = m_import.entries[e];
    entry.candidate = 0;
    if (entry_name(entry, kind)[0] == 0) continue;
    bool held = false;
    for (int r = 0; r < record_count(kind) && !held; ++r) {
      std::size_t size = 0;
      held = std::strcmp(record_id(kind, r, size), entry_id(entry, kind)) == 0;
    }
    entry.candidate = held ? 0 : 1;
    any = any || entry.candidate;
  }
  if (!any) return 0;
  CsissiASK ask(kind, trimmed(record_name(kind, record)), m_import);
  LResult chosen = ask.DoModal();
  if (chosen == CsissiASK::kAbandon) return 1;
  if (chosen < 0 || chosen >= entries) return 0;
  SissiCorrespondence& entry = m_import.entries[chosen];
  std::size_t size = 0;
  char* id = record_id(kind, record, size);
  copy_id(id, size, entry_id(entry, kind));
  if (kind != 3) {
    entry_name(entry, kind)[0] = 0;
    entry_id(entry, kind)[0] = 0;
  }
  return 0;
}

void Csissi::FillMissingCodes() {
  for (int kind = 1; kind <= 3; ++kind) {
    for (int r = 0; r < record_count(kind); ++r) {
      std::size_t size = 0;
      char* id = record_id(kind, r, size);
      if (!og_sissi_id_missing(id)) continue;
      std::string name = trimmed(record_name(kind, r));
      int found = -1;
      for (int e = 0; e < m_import.entry_count && found < 0; ++e) {
        if (name == entry_name(m_import.entries[e], kind)) found = e;
      }
      if (found >= 0) {
        copy_id(id, size, entry_id(m_import.entries[found], kind));
      } else if (AssignCode(kind, r) == 1) {
        return;
      }
    }
  }
}

CsissiASK::CsissiASK(int kind, std::string record_name, const SissiImport& import)
    : CResizableDialog(kTemplate), m_kind(kind), m_name(std::move(record_name)), m_import(import) {}

LResult CsissiASK::DoModal() {
  ui_register_sissi_templates();
  return CResizableDialog::DoModal();
}

void CsissiASK::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kNameId, m_name_text);
  dx.Control(kChooseId, m_choose);
  dx.Control(kSkipId, m_skip);
  dx.Control(kAbandonId, m_abandon);
}

bool CsissiASK::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  const char* title = kKindTitle[m_kind - 1].Get();
  SetDlgItemText(kKindId, title);
  m_name_text.SetWindowText(m_name);
  m_name_text.SetColorValues(rgb(0xAA, 0, 0), kNoColor);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  const char* code_head = "Codice per esportazione verso SISSI";
  m_list.InsertColumn(0, title, kLvcfmtLeft, static_cast<int>(std::strlen(title)) * 24);
  m_list.InsertColumn(1, code_head, kLvcfmtLeft, static_cast<int>(std::strlen(code_head)) * 8);
  m_list.InsertColumn(2, "Progr.", kLvcfmtLeft, 6 * 8);
  std::size_t prefix = m_kind == 2 ? 3 : 5;
  int alike = -1, alike_count = 0;
  for (int e = 0; e < m_import.entry_count; ++e) {
    SissiCorrespondence entry = m_import.entries[e];
    if (!entry.candidate) continue;
    const char* name = entry_name(entry, m_kind);
    int at = m_list.InsertItem(m_list.GetItemCount(), name);
    m_list.SetItemText(at, 1, entry_id(entry, m_kind));
    char index[16];
    std::snprintf(index, sizeof index, "%d", e);
    m_list.SetItemText(at, 2, index);
    if (std::strncmp(name, m_name.c_str(), prefix) == 0) {
      alike = at;
      ++alike_count;
    }
  }
  if (alike_count == 1) {
    m_list.SetItemState(alike, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    m_list.EnsureVisible(alike + 5 < m_list.GetItemCount() ? alike + 5 : m_list.GetItemCount() - 1);
    m_list.EnsureVisible(alike);
  }
  return true;
}

bool CsissiASK::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kChooseId: {
        int selected = m_list.GetNextItem(-1, kLvniSelected);
        if (selected < 0) {
          message_beep(kBeepSimple);
        } else {
          EndDialog(std::atoi(m_list.GetItemText(selected, 2).c_str()));
        }
        return true;
      }
      case kSkipId: EndDialog(kSkip); return true;
      case kAbandonId: EndDialog(kAbandon); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void CsissiASK::OnCancel() { EndDialog(kAbandon); }
