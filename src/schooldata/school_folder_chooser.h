// Cselscuole: the school-folder chooser. The user walks the folders below
// the data root, sees each folder's school title, chooses the folder to work
// in (OK leaves it current) or creates a new school folder; Cancel makes the
// folder current at opening current again. In create mode the dialog goes
// straight to the creation and ends, with Cancel when nothing was made; its
// caller has already entered the data root, so it hands the dialog the
// folder that was current before, and that is the one Cancel puts back.
// Rows come from school_folder_list.h; the dialog keeps only its list and
// the folder and school code of the opening.
#pragma once

#include <string>

#include "platform/ui.h"
#include "schooldata/school_folder_list.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

void ui_register_school_folder_template();

class Cselscuole : public CResizableDialog {
 public:
  static constexpr int kTemplate = 136;
  static constexpr int kListId = 1030, kCreateId = 1164, kHowId = 1049, kTransferId = 1307, kPathId = 1040,
                       kHelpId = 1071, kServiceId = 1621;

  Cselscuole();
  kt::ui::LResult DoModal() override;

  bool m_create_mode = false;
  bool m_service_mode = false;
  std::string m_current_school_code;  // of the school current at opening; set by the caller
  std::string m_current_folder;       // create mode: the program path current before the data root; set by the caller
  NewSchoolHooks m_hooks;             // the school model's steps of a new school
  std::function<void()> m_show_transfer_guide;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void Fill(bool select_self);
  // Enters the selected row's folder; its name, empty when none is selected.
  std::string OpenSelectedRow();
  void ShowOkCaption();

  kt::ui::ListView m_list;
  CSpiegaML m_help;
  std::string m_opening_folder;  // program path
  std::string m_opening_code;
};
