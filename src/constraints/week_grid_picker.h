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

#include "constraints/week_hour_mask.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"

// Registers the picker's dialog template (146); idempotent.
void ui_register_week_grid_templates();

// Control id of the cell of hour `hour` (0-11) of day `day` (0-6).
constexpr int dwh_cell_id(int day, int hour) {
  if (hour < 9) return 1372 + 9 * day + hour;
  if (hour == 9) return day == 0 ? 1582 : 1442 + day;
  return 1969 + 2 * day + (hour - 10);
}

constexpr std::array<int, 84> dwh_make_cell_ids() {
  std::array<int, 84> ids{};
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < kDayHours; ++h) ids[std::size_t(d * kDayHours + h)] = dwh_cell_id(d, h);
  return ids;
}

// Mode bits of SetGridData.
inline constexpr std::uint8_t kDwhFillEarlier = 1;  // marking an hour marks the earlier ones of the day
inline constexpr std::uint8_t kDwhCountFree = 2;    // the counter shows the hours not marked

class Cdwh : public CDialogML {
 public:
  static constexpr int kTemplate = 146;
  static constexpr std::array<int, 84> kCellIds = dwh_make_cell_ids();
  static constexpr std::array<int, 7> kDayHeaderIds = {1460, 1461, 1462, 1463, 1464, 1465, 1466};
  static constexpr std::array<int, 12> kHourHeaderIds = {1467, 1468, 1469, 1470, 1471, 1472,
                                                         1473, 1474, 1475, 1476, 2025, 2026};
  static constexpr int kTitleId = 1200;
  static constexpr int kAlwaysId = 1201;
  static constexpr int kInvertId = 1202;
  static constexpr int kHelpButtonId = 1203;
  static constexpr int kCounterId = 1204;
  static constexpr int kCounterLabelId = 1205;
  static constexpr int kHelpPaneId = 1206;

  explicit Cdwh(kt::ui::Window* parent = nullptr);

  // Copies the caller's mask into the working copy, keeps its address and
  // the texts (null keeps the previous title, subtitle or explanation) and
  // writes the summary of the caller's mask into the target's window text.
  // A null mask leaves the working copy and the caller's address as they
  // were; a null target only skips the summary.
  void SetGridData(kt::ui::Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                   const MlText* explanation, std::uint8_t mode);
  kt::ui::LResult DoModal() override;

  const std::uint8_t* WorkingMask() const { return m_work.data(); }
  int MarkedCount() const { return m_marked; }
  int ExistingCount() const { return m_existing; }

  // Program-wide state of the picker's headers and always toggle; tests
  // put it back to its start-up values.
  static void ResetSharedState();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void OnCell(int slot);
  void OnDayHeader(int day);
  void OnHourHeader(int index);
  void OnInvert();
  void OnAlways();
  void OnHelpButton();
  void Refresh();
  void ShowCounter();

  const char* m_title = nullptr;
  const char* m_subtitle = nullptr;
  const MlText* m_explanation = nullptr;
  std::uint8_t* m_caller = nullptr;
  std::array<std::uint8_t, 84> m_work{};
  std::array<int, kWeekDays> m_hours{};
  std::uint8_t m_mode = 0;
  int m_marked = 0;
  int m_existing = 0;

  std::array<CCheck, 84> m_cells;
  std::array<CColorButton, 7> m_day_headers;
  std::array<CColorButton, 12> m_hour_headers;
  CMuto m_title_text;
  CCheck m_always;
  CColorButton m_invert, m_help_button, m_ok, m_cancel;
  CMutoML m_counter;
  CStaticML m_counter_label;
  CSpiegaML m_help;

  KT_DECLARE_MESSAGE_MAP()
};
