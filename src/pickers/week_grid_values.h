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

#include "pickers/week_grid_picker.h"

// Registers the picker's dialog template (153); idempotent.
void ui_register_week_values_templates();

constexpr std::array<int, 84> dwh_make_list_ids() {
  std::array<int, 84> ids{};
  for (int i = 0; i < 84; ++i) ids[std::size_t(i)] = 2137 + i;
  return ids;
}

class CdwhCombo : public CWeekGridDialog {
 public:
  static constexpr int kTemplate = 153;
  static constexpr std::array<int, 84> kListIds = dwh_make_list_ids();

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
  void Refresh() override;

 private:
  void OnCell(int slot);
  void OnList(int slot);
  int Shown(int slot) const;

  std::int8_t* m_caller_values = nullptr;
  std::array<std::int8_t, 84> m_values{};
  int m_maximum = 0;

  std::array<kt::ui::ComboBox, 84> m_lists;

  KT_DECLARE_MESSAGE_MAP()
};
