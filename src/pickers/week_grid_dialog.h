// CWeekGridDialog: the base of the three week-grid pickers (Cdwh, CdwhCombo,
// CdwhExt). It holds what they share: the texts and mode a page hands over,
// the working mask and the caller's address, the 84 hour boxes with the day
// and hour headers, the title, the always box, the counter, the help pane,
// OK and Cancel; it binds those controls, answers the header, always and
// help clicks, and sets up the common part of the dialog when it opens.
// Each picker adds its own cells' behaviour and redraw (Refresh).
//
// Invariant: each kind of picker hands the base its own program-wide header
// state, so header fill values continue only within that kind.
#pragma once

#include <array>
#include <cstdint>

#include "pickers/week_grid_common.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"

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

class CWeekGridDialog : public CDialogML {
 public:
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

  CWeekGridDialog(int template_id, kt::ui::Window* parent, WeekGridHeaderState& shared)
      : CDialogML(template_id, parent), m_shared(shared) {}

  const std::uint8_t* WorkingMask() const { return m_work.data(); }
  int MarkedCount() const { return m_marked; }
  int ExistingCount() const { return m_existing; }

 protected:
  // Keeps the texts (null keeps the previous one) and the mode, and copies
  // a non-null mask into the working copy, remembering its address.
  void TakeGridData(const char* title, const char* subtitle, std::uint8_t* mask, const MlText* explanation,
                    std::uint8_t mode);
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  // The common part of opening: day captions, boxes disabled until the
  // redraw, title, always box (hidden, and the always state dropped, without
  // a subtitle), the existing hours, the counter; the caller then redraws.
  void OpenGrid(const WeekGridHours& hours);
  void ShowCounter();
  // Recounts, sets the always box and every existing box from the mask.
  void ShowBoxes();
  bool FillsEarlier() const { return (m_mode & kDwhFillEarlier) != 0; }
  virtual void Refresh() = 0;

  const char* m_title = nullptr;
  const char* m_subtitle = nullptr;
  const MlText* m_explanation = nullptr;
  std::uint8_t* m_caller = nullptr;
  WeekGridMask m_work{};
  WeekGridHours m_hours{};
  std::uint8_t m_mode = 0;
  int m_marked = 0;
  int m_existing = 0;

  std::array<CCheck, 84> m_cells;
  std::array<CColorButton, 7> m_day_headers;
  std::array<CColorButton, 12> m_hour_headers;
  CMuto m_title_text;
  CCheck m_always;
  CColorButton m_help_button, m_ok, m_cancel;
  CMutoML m_counter;
  CStaticML m_counter_label;
  CSpiegaML m_help;

 private:
  void OnDayHeader(int day);
  void OnHourHeader(int hour);
  void OnAlways();
  void OnHelpButton();

  WeekGridHeaderState& m_shared;

  KT_DECLARE_MESSAGE_MAP()
};
