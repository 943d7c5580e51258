// Cdwh: the modal week-grid picker in which the user marks hours of the
// school week (a lab's availability, a post's or a teacher's forbidden
// hours, the days of the provisional calendar). A page keeps one Cdwh as a
// member, calls SetGridData with its mask and texts, runs DoModal, and calls
// SetGridData again so that its summary button shows the result. The
// picker edits a working copy; only a confirmation (OK with the keyboard
// focus) writes the caller's mask, a cancel writes nothing. All 84 cells
// reach one handler with their day and hour.
//
// Invariants: cells of hours that do not exist stay disabled and are never
// counted; marking every existing hour is stored as the always state (255
// then 83 zeros). Header fill values, the last headers clicked and the
// saved first byte of the always toggle live for the whole run.
#pragma once

#include <array>
#include <cstdint>

#include "pickers/week_grid_dialog.h"
#include "pickers/week_hour_mask.h"

// Registers the picker's dialog template (146); idempotent.
void ui_register_week_grid_templates();

class Cdwh : public CWeekGridDialog {
 public:
  static constexpr int kTemplate = 146;

  explicit Cdwh(kt::ui::Window* parent = nullptr);

  // Copies the caller's mask into the working copy, keeps its address and
  // the texts (null keeps the previous title, subtitle or explanation) and
  // writes the summary of the caller's mask into the target's window text.
  // A null mask leaves the working copy and the caller's address as they
  // were; a null target only skips the summary.
  void SetGridData(kt::ui::Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                   const MlText* explanation, std::uint8_t mode);
  kt::ui::LResult DoModal() override;

  // Program-wide state of the picker's headers and always toggle; tests
  // put it back to its start-up values.
  static void ResetSharedState();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void Refresh() override;

 private:
  void OnCell(int slot);
  void OnInvert();

  CColorButton m_invert;

  KT_DECLARE_MESSAGE_MAP()
};
