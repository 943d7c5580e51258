// CdwhCombo: the week-grid picker with a number beside each hour, used by
// the gyms page: the box says whether the gym is available in that hour,
// the list how many classes may use it at once (0 = the gym's maximum).
// It behaves as Cdwh (focused OK confirms, cancel writes nothing, header
// fill values alternate, the always box) with header and always state of
// its own, no invert button, and existing hours from the normal per-day
// counts only. A confirmation writes both the availability and the values.
//
// Invariants: list index equals the number shown; boxes and lists of hours
// that do not exist stay disabled; unchecking a box keeps the hour's value,
// so checking it again shows the old number.
#pragma once

#include <array>
#include <cstdint>

#include "constraints/week_grid_picker.h"

// Registers the picker's dialog template (153); idempotent.
void ui_register_week_values_templates();

constexpr std::array<int, 84> dwh_make_list_ids() {
  std::array<int, 84> ids{};
  for (int i = 0; i < 84; ++i) ids[std::size_t(i)] = 2137 + i;
  return ids;
}

class CdwhCombo : public CDialogML {
 public:
  static constexpr int kTemplate = 153;
  static constexpr std::array<int, 84> kCellIds = Cdwh::kCellIds;
  static constexpr std::array<int, 84> kListIds = dwh_make_list_ids();
  static constexpr std::array<int, 7> kDayHeaderIds = Cdwh::kDayHeaderIds;
  static constexpr std::array<int, 12> kHourHeaderIds = Cdwh::kHourHeaderIds;
  static constexpr int kTitleId = Cdwh::kTitleId;
  static constexpr int kAlwaysId = Cdwh::kAlwaysId;
  static constexpr int kHelpButtonId = Cdwh::kHelpButtonId;
  static constexpr int kCounterId = Cdwh::kCounterId;
  static constexpr int kCounterLabelId = Cdwh::kCounterLabelId;
  static constexpr int kHelpPaneId = Cdwh::kHelpPaneId;

  explicit CdwhCombo(kt::ui::Window* parent = nullptr);

  // As Cdwh::SetGridData, with the caller's value mask and the maximum.
  void SetGridData(kt::ui::Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                   std::int8_t* values, int maximum, const MlText* explanation, std::uint8_t mode);
  kt::ui::LResult DoModal() override;

  static void ResetSharedState();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  void OnCell(int slot);
  void OnList(int slot);
  void OnDayHeader(int day);
  void OnHourHeader(int hour);
  void OnAlways();
  void OnHelpButton();
  void Refresh();
  void ShowCounter();
  int Shown(int slot) const;

  const char* m_title = nullptr;
  const char* m_subtitle = nullptr;
  const MlText* m_explanation = nullptr;
  std::uint8_t* m_caller = nullptr;
  std::int8_t* m_caller_values = nullptr;
  std::array<std::uint8_t, 84> m_work{};
  std::array<std::int8_t, 84> m_values{};
  std::array<int, kWeekDays> m_hours{};
  int m_maximum = 0;
  std::uint8_t m_mode = 0;
  int m_marked = 0;
  int m_existing = 0;

  std::array<CCheck, 84> m_cells;
  std::array<kt::ui::ComboBox, 84> m_lists;
  std::array<CColorButton, 7> m_day_headers;
  std::array<CColorButton, 12> m_hour_headers;
  CMuto m_title_text;
  CCheck m_always;
  CColorButton m_help_button, m_ok, m_cancel;
  CMutoML m_counter;
  CStaticML m_counter_label;
  CSpiegaML m_help;

  KT_DECLARE_MESSAGE_MAP()
};
