// CBandTableDialog: what the three band-table pickers (Chq2, Chq2alt, Chq3)
// have around their rows: the help pane, the save and abandon buttons, the
// restore button with its "?", the save reminder, the running-sum title,
// the defaults help text and the refusal of a faulty confirmation. Each
// picker keeps its own rows (BandRows) and template; the control ids below
// are shared by the three templates.
//
// Invariant: a picker writes its caller's table only from OnOK with the
// save button focused and every check passed; abandon writes nothing.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "pickers/band_table_rows.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"

class CBandTableDialog : public CDialogML {
 public:
  static constexpr int kHelpPaneId = 1513;
  static constexpr int kRestoreId = 1515;
  static constexpr int kReminderId = 1516;
  static constexpr int kRestoreHelpId = 1517;

  explicit CBandTableDialog(int template_id, kt::ui::Window* parent = nullptr) : CDialogML(template_id, parent) {}
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  // Focuses the faulty control and shows the refusal; returns false.
  bool Refuse(const MlText& text, kt::ui::Window* focus);
  bool SaveFocused() const { return kt::ui::Window::GetFocus() == &m_save; }
  // The title, or in sum mode the title with its digits and running sum.
  static std::string SumTitle(const char* title, const BandRows& rows);
  // The restore help: the introduction and the default table, one line per
  // caption, the captions padded to the widest; no defaults: the no-defaults text.
  void ShowDefaultsHelp(const std::vector<const char*>& captions, const BandRows& rows,
                        const std::int8_t* defaults);
  // Asks the restore question when there are defaults; true on Yes.
  bool ConfirmRestore(const std::int8_t* defaults);
  // The confirmation of a one-table picker: with the save button focused,
  // re-sorts the rows, refuses a faulty or non-closing table, else writes
  // the rows (columns bytes each) and their count to the caller and closes.
  void ConfirmRows(BandRows& rows, const std::int8_t* defaults, std::int8_t* table, int columns, std::uint8_t* count);

  // The tables as the dialog opened them: Esc or ABBANDONA asks before
  // dropping edits made to them.
  void KeepOpened(std::initializer_list<const BandRows*> tables);
  void OnCancel() override;

  CSpiegaML m_help;
  CStaticML m_reminder;
  CColorButton m_save, m_abandon, m_restore, m_restore_help;

 private:
  std::vector<std::pair<const BandRows*, std::array<BandRows::Row, 9>>> m_opened;
};

// One summary line: the caption, then per row a tab and a blank for an
// unused row (past count or band under band_min), the band, or "Oltre" for
// the band maximum when over is set. table holds nine rows of stride bytes,
// the band first.
std::string band_summary_line(const char* caption, const std::int8_t* table, int stride, int count, int band_min,
                              int band_max, bool over);

// Registers the templates of the three band-table pickers; idempotent.
void ui_register_band_table_templates();
