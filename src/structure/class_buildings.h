// Cplecla, "2A Plessi e Classi": the modal dialog in which each class is
// placed in one of the school's buildings. The buildings page runs it when
// the school has two or more buildings. Each button click writes the
// selected classes' building into the working model at once; abandoning
// with Yes puts back the building every class had when the dialog opened.
// "!SALVA le modifiche" closes with 555 and leaves saving to the page.
#pragma once

#include <array>
#include <cstdint>

#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/list_ctrl_ex.h"
#include "shell/resizable_dialog.h"
#include "structure/class_order_list.h"

class Cplecla : public CResizableDialog {
 public:
  static constexpr int kTemplate = 143;
  static constexpr int kSaved = 555;
  static constexpr int kListId = 1500, kFirstButtonId = 1510, kFirstCounterId = 1520, kSaveId = 1530,
                       kAbandonId = 1531, kHowToId = 1532, kListHelpId = 1533, kButtonsHelpId = 1534,
                       kHelpPaneId = 1535;

  Cplecla() : CResizableDialog(kTemplate, nullptr, kt::ui::rgb(244, 244, 244)) {}

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  void OnColumnClick(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void Assign(int building);
  void FillRows();
  void SortBy(int column);

  kt::ui::ListView m_list;
  std::array<CColorButton, 10> m_buttons;
  std::array<CMuto, 10> m_counters;
  CColorButton m_save, m_abandon;
  std::array<CColorButton, 3> m_help_buttons;
  CSpiegaML m_help;
  std::array<std::int8_t, 300> m_opened_with{};
  ClassOrderList m_order;  // with its directions, for this run of the dialog

  KT_DECLARE_MESSAGE_MAP()
};

void ui_register_class_buildings_template();
