// CdwhExt: the week-grid picker in which every marked hour also has a start
// and an end clock time, for the school's week calendar and the special
// calendars of classes; on the special calendars it also offers two options
// of the class calendar (the largest difference of hours between days and
// how often a week the class may enter at the second hour). It behaves as
// Cdwh for boxes, headers, invert, the always box and the counter, with
// header and always state of its own and existing hours from the normal
// per-day counts only.
//
// Invariants: the picker edits copies of the times and options; the
// caller's mask, times and option bytes are written only by a confirmation
// that passed its checks (start times growing within each day, durations
// of at least one minute), which also sets the clock-times flag.
#pragma once

#include <array>
#include <cstdint>

#include "pickers/week_grid_picker.h"
#include "shell/edit_hm.h"

// Registers the picker's dialog template (131); idempotent.
void ui_register_week_times_templates();

// Control ids of the start and end fields of an hour.
constexpr int dwh_start_id(int day, int hour) {
  return hour < 10 ? 1600 + 10 * day + hour : 1983 + 2 * day + hour - 10;
}
constexpr int dwh_end_id(int day, int hour) {
  return hour < 10 ? 1700 + 10 * day + hour : 1997 + 2 * day + hour - 10;
}

class CdwhExt : public CWeekGridDialog {
 public:
  static constexpr int kTemplate = 131;
  static constexpr std::array<int, 6> kCopyIds = {2040, 2041, 2042, 2043, 2044, 2045};
  static constexpr int kPlaceholderId = 2046;
  static constexpr int kDifferenceLabelId = 2047;
  static constexpr int kSecondHourLabelId = 2048;
  static constexpr int kDifferenceListId = 2049;
  static constexpr int kSecondHourListId = 2050;
  static constexpr int kOptionsHelpId = 2051;

  explicit CdwhExt(kt::ui::Window* parent = nullptr);

  // As Cdwh::SetGridData, with the caller's starts and durations (84 each,
  // minutes) and the two option bytes (a negative first byte hides both).
  void SetGridData(kt::ui::Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                   std::int16_t* starts, std::int16_t* durations, std::int8_t* maximum_difference,
                   std::int8_t* second_hour_entries, const MlText* explanation, std::uint8_t mode);
  kt::ui::LResult DoModal() override;

  static void ResetSharedState();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void Refresh() override;

 private:
  void OnCell(int slot);
  void OnInvert();
  void OnCopy(int index);
  void OnOptionsHelp();
  void OnOptionChange(int index);
  void ShowHour(int day, int hour);
  void Correct(int day, int hour);
  void ReadTimes(int day, int hour);
  bool Check(int day, int hour);
  bool Marked(int slot) const { return m_work[0] == kWeekAlways || m_work[std::size_t(slot)] == 1; }

  std::int16_t* m_caller_starts = nullptr;
  std::int16_t* m_caller_durations = nullptr;
  std::int8_t* m_caller_difference = nullptr;
  std::int8_t* m_caller_second_hour = nullptr;
  std::array<std::int16_t, 84> m_starts{}, m_durations{};
  std::int8_t m_difference = -1, m_second_hour = -1;

  std::array<CEditHM, 84> m_start_fields, m_end_fields;
  std::array<CColorButton, 6> m_copy;
  CColorButton m_invert, m_placeholder, m_options_help;
  CStaticML m_difference_label, m_second_hour_label;
  kt::ui::ComboBox m_difference_list, m_second_hour_list;

  KT_DECLARE_MESSAGE_MAP()
};
