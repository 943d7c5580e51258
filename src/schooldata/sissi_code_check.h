// The SISSI code check: Csissiedit lists the SISSI identifiers of the
// school, its classes, subjects and teachers, marks the missing ones ("" or
// "UNDEF:..."), lets the user type one, hides subjects and teachers that
// nothing uses, re-reads a SISSI export through the import page in
// code-correction mode, and saves both school files. CsissiASK asks which
// identifier of the export belongs to one school record whose name the
// export spells differently.
//
// Both dialogs keep only their controls and the element being edited; the
// model changes in its working copies until the save. User-interface
// thread only.
#pragma once

#include <string>

#include "platform/ui.h"
#include "schooldata/sissi_export_reader.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

// True when an identifier counts as missing: empty or "UNDEF:...".
bool og_sissi_id_missing(const char* id);

class CsissiASK : public CResizableDialog {
 public:
  static constexpr int kTemplate = 302;
  static constexpr int kListId = 1030, kNameId = 1040, kKindId = 1041, kExplainId = 1042, kChooseId = 1164,
                       kSkipId = 1165, kAbandonId = 1166;
  static constexpr kt::ui::LResult kSkip = -1, kAbandon = -99;

  // kind: 1 teacher, 2 class, 3 subject; entries: the candidates are those
  // with their candidate flag set.
  CsissiASK(int kind, std::string record_name, const SissiImport& import);
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnCancel() override;

 private:
  int m_kind;
  std::string m_name;
  const SissiImport& m_import;
  kt::ui::ListView m_list;
  CMutoML m_name_text;
  CColorButton m_choose, m_skip, m_abandon;
};

class Csissiedit : public CResizableDialog {
 public:
  static constexpr int kTemplate = 203;
  static constexpr int kSchoolListId = 1030, kClassListId = 1031, kSubjectListId = 1032, kTeacherListId = 1033,
                       kClassCountId = 1040, kSubjectCountId = 1041, kTeacherCountId = 1042, kElementId = 1043,
                       kIdEditId = 1044, kAcceptId = 1164, kHideSubjectsId = 1165, kHideTeachersId = 1166,
                       kRereadId = 1167, kSaveId = 1168, kAbandonId = 1169, kHelpButtonId = 1170, kHelpId = 1071;
  static constexpr kt::ui::LResult kSaved = 555;

  Csissiedit();
  kt::ui::LResult DoModal() override;
  int MissingCount(int list) const { return m_missing[list]; }  // 0 classes, 1 subjects, 2 teachers

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void FillLists();
  void Choose(int list);
  void Accept();
  void HideSubjects();
  void HideTeachers();
  void Reread();
  void Save();

  kt::ui::ListView m_lists[4];  // school, classes, subjects, teachers
  CMuto m_counts[3];
  CMutoML m_element;
  kt::ui::Edit m_id;
  CSpiegaML m_help;
  CColorButton m_accept, m_hide_subjects, m_hide_teachers, m_reread, m_save, m_abandon, m_help_button;
  int m_missing[3] = {};
  int m_chosen_list = 0;  // 1 school, 2 classes, 3 subjects, 4 teachers
};
