// Coraxls: the page that imports teaching assignments from spreadsheet text
// into the current school. It explains the columns, lists one row per line
// read (whether the teacher already has that post, whether it will be
// imported), sorts on a header click, can clear every teaching post and
// read the same file again, and on saving turns the rows into teaching
// posts with test patterns, co-presence partners and labs and writes both
// school files. Abandoning re-reads them.
//
// Save, clear and the clearing tip stay disabled until a file is read.
// Results: 555 saved, -1 a read failed, kIdCancel abandoned. User-interface
// thread only.
#pragma once

#include <functional>
#include <string>

#include "platform/ui.h"
#include "schooldata/import_page.h"
#include "schooldata/spreadsheet_reader.h"
#include "shell/color_button.h"
#include "shell/help_pane.h"

// Shows the example spreadsheet guide (a window of the remote services);
// none set: the page shows the column explanation instead.
extern std::function<void()> g_show_spreadsheet_example;

void ui_register_import_templates();

class Coraxls : public CImportPage {
 public:
  static constexpr int kTemplate = 443;
  static constexpr int kOpenId = 1164, kClearId = 1165, kSaveId = 1166, kAbandonId = 1167, kSortTipId = 1168,
                       kClearTipId = 1169, kExampleId = 1170, kNotExpertId = 1171, kColumnsTipId = 1172,
                       kColumnsHelpId = 1071, kPurposeId = 1073;

  Coraxls();
  kt::ui::LResult DoModal() override;
  const SpreadsheetImport& Import() const { return m_import; }

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
  bool ReadStoredFile();
  void ClearPosts();
  void ApplyRows();
  void EnableAfterRead(bool on);

  CSpiegaML m_columns_help, m_purpose;
  CColorButton m_open, m_clear, m_not_expert, m_example, m_sort_tip, m_clear_tip, m_columns_tip;
  SpreadsheetImport m_import;
  std::string m_path;  // local path of the last file read
};
