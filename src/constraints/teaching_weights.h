// Cpesodi: the teaching-weight dialog. Every subject has a weight, LOW or
// HIGH (demanding subjects such as Italian and mathematics should not pile
// up in one school day of a class); the dialog lists the subjects, sets the
// weight of the selected ones, and configures the optional hard constraint:
// a three-column band table that limits, per length of a class's day, the
// HIGH hours and the different HIGH subjects of that day. Opened in
// balancing mode the hard-constraint controls are disabled.
//
// The dialog edits the working model; the save button writes both school
// files and ends with 555, abandon reads them again. Its own state (display
// order, sort directions) lives only while it is open. At most 400
// subjects: sorting is a plain bubble sort that nests successive sorts.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "pickers/band_table_triple.h"
#include "pickers/summary_buttons.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"

class Cpesodi : public CDialogML {
 public:
  static constexpr int kTemplate = 226;
  static constexpr int kListId = 1000, kLowId = 1001, kHighId = 1002, kHardId = 1003, kTableId = 1004;
  static constexpr int kHelpPaneId = 1005, kSaveId = 1006, kHowToId = 1007, kListHelpId = 1008,
                       kTableHelpId = 1009;
  static constexpr int kSaved = 555;

  explicit Cpesodi(bool balancing = false, kt::ui::Window* parent = nullptr);
  kt::ui::LResult DoModal() override;

  // Sorts the display order by a column (0 name, 1 type, 2 weight),
  // flipping that column's direction first.
  void SortByColumn(int column);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;

 private:
  int Compare(int column, int a, int b) const;
  void FillList(const std::vector<std::string>& selected);
  std::vector<std::string> SelectedNames() const;
  void SetWeight(std::uint8_t weight);
  void OnLow() { SetWeight(0); }
  void OnHigh() { SetWeight(1); }
  void OnHard();
  void OnTable();
  void OnSave();
  void OnHowTo();
  void OnListHelp();
  void OnTableHelp();
  Hq3TableSpec TableSpec();

  bool m_balancing;
  int m_direction[3] = {0, 0, 0};
  std::vector<int> m_order;  // subject indexes in display order
  UiHq3Table m_table{};      // the picker's copy of the weight table
  Chq3 m_picker;

  kt::ui::ListView m_list;
  CCheckML m_hard;
  CBW_HQ3 m_table_button;
  CSpiegaML m_help;
  CColorButton m_low, m_high, m_save, m_abandon, m_howto, m_list_help, m_table_help;

  KT_DECLARE_MESSAGE_MAP()
};

// Registers template 226; idempotent.
void ui_register_teaching_weight_templates();
