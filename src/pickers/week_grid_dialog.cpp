// The shared frame of the week-grid pickers (see week_grid_dialog.h):
// binding, opening, the counter, and the header, always and help clicks.
#include "pickers/week_grid_dialog.h"

#include <cstring>

using namespace kt::ui;

KT_BEGIN_MESSAGE_MAP(CWeekGridDialog, CDialogML)
  KT_ON_COMMAND_LIST(kDayHeaderIds, OnDayHeader)
  KT_ON_COMMAND_LIST(kHourHeaderIds, OnHourHeader)
  KT_ON_COMMAND(kAlwaysId, OnAlways)
  KT_ON_COMMAND(kHelpButtonId, OnHelpButton)
KT_END_MESSAGE_MAP()

void CWeekGridDialog::TakeGridData(const char* title, const char* subtitle, std::uint8_t* mask,
                                   const MlText* explanation, std::uint8_t mode) {
  if (title) m_title = title;
  if (subtitle) m_subtitle = subtitle;
  if (explanation) m_explanation = explanation;
  m_mode = mode;
  if (mask) {
    m_caller = mask;
    std::memcpy(m_work.data(), mask, m_work.size());
  }
}

void CWeekGridDialog::DoDataExchange(DataExchange& dx) {
  for (std::size_t i = 0; i < kCellIds.size(); ++i) dx.Control(kCellIds[i], m_cells[i]);
  for (std::size_t i = 0; i < kDayHeaderIds.size(); ++i) dx.Control(kDayHeaderIds[i], m_day_headers[i]);
  for (std::size_t i = 0; i < kHourHeaderIds.size(); ++i) dx.Control(kHourHeaderIds[i], m_hour_headers[i]);
  dx.Control(kTitleId, m_title_text);
  dx.Control(kAlwaysId, m_always);
  dx.Control(kHelpButtonId, m_help_button);
  dx.Control(kCounterId, m_counter);
  dx.Control(kCounterLabelId, m_counter_label);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kIdOk, m_ok);
  dx.Control(kIdCancel, m_cancel);
}

void CWeekGridDialog::OpenGrid(const WeekGridHours& hours) {
  week_grid_set_day_captions(m_day_headers);
  // An hour the day does not have shows neither enabled nor marked, whatever
  // the grid showed when it last opened on a longer day.
  for (CCheck& cell : m_cells) {
    cell.SetCheck(kBstUnchecked);
    cell.EnableWindow(false);
  }
  const char* title = m_title ? m_title : "";
  SetWindowTextML(title);
  m_title_text.SetWindowText(title);
  bool has_always = m_subtitle && *m_subtitle;
  m_always.SetWindowText(has_always ? m_subtitle : "");
  if (!has_always) {
    m_always.SetCheck(kBstUnchecked);
    m_always.EnableWindow(false);
    m_always.ShowWindow(kSwHide);
    if (m_work[0] == kWeekAlways) m_work[0] = 0;
  }
  m_hours = hours;
  m_counter.SetTranslated(true);
}

void CWeekGridDialog::ShowCounter() {
  m_counter.SetWindowText(week_grid_counter_text((m_mode & kDwhCountFree) != 0, m_existing, m_marked));
}

void CWeekGridDialog::ShowBoxes() {
  m_existing = week_existing_total(m_hours);
  m_marked = week_marked_count(m_work.data(), m_hours);
  bool always = m_work[0] == kWeekAlways;
  m_always.SetCheck(always ? kBstChecked : kBstUnchecked);
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) {
      std::size_t i = std::size_t(d * kDayHours + h);
      m_cells[i].SetCheck(always || m_work[i] == 1 ? kBstChecked : kBstUnchecked);
      m_cells[i].EnableWindow(!always);
    }
}

void CWeekGridDialog::OnDayHeader(int day) {
  if (week_grid_fill_day(m_shared, m_work, m_hours, day)) Refresh();
}

void CWeekGridDialog::OnHourHeader(int hour) {
  if (week_grid_fill_hour(m_shared, m_work, m_hours, hour)) Refresh();
}

void CWeekGridDialog::OnAlways() {
  week_grid_toggle_always(m_shared, m_work, m_always.GetCheck() == kBstChecked);
  Refresh();
}

void CWeekGridDialog::OnHelpButton() { m_help.SetTextML(&week_grid_help_text()); }
