// Csissi: the page that imports a SISSI (Axios) export into the current
// school. The user opens the export, sees one row per assignment (whether
// the teacher already has that post, whether it will be imported), sorts
// the rows, may clear every teaching post first, and saves: the rows become
// teaching posts (support hours for the support subject) and both school
// files are written. In code-correction mode the same read only collects
// the file's identifiers and the save fills in the school's missing ones
// (sissi_code_fill.cpp), asking with CsissiASK where names differ.
//
// The page keeps the rows and the correspondence table of the last read and
// its sort directions; the model changes only in its working copies until
// the save. Results: 555 saved, -1 read failed or repeated import declined,
// kIdCancel abandoned. User-interface thread only.
#pragma once

#include "platform/ui.h"
#include "schooldata/import_page.h"
#include "schooldata/sissi_export_reader.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"

void ui_register_sissi_templates();

class Csissi : public CImportPage {
 public:
  static constexpr int kTemplate = 191;
  static constexpr int kOpenId = 1164, kClearId = 1165, kSaveId = 1166, kAbandonId = 1167, kSortTipId = 1168,
                       kClearTipId = 1169, kHelpId = 1071, kSupportLabelId = 1170, kSupportId = 1171,
                       kReadNoticeId = 1172;

  Csissi();
  kt::ui::LResult DoModal() override;

  std::uint8_t m_code_correction = 0;  // set by the opener
  const SissiImport& Import() const { return m_import; }

  // The code fill-in of the code-correction save and the question for one
  // missing identifier (kind 1 teacher, 2 class, 3 subject); 1 when the user
  // abandoned.
  void FillMissingCodes();
  int AssignCode(int kind, int record);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnCancel() override;
  void FillList(bool first_fill) override;
  void SortBy(int column) override;
  void Save() override;

 private:
  void OpenFile();
  void ClearPosts();

  CSpiegaML m_help;
  kt::ui::Edit m_support;
  CColorButton m_open, m_clear, m_sort_tip, m_clear_tip;
  SissiImport m_import;
  bool m_read = false;
};
