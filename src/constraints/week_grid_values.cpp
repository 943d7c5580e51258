// Behaviour of the week grid with a number per hour (see
// week_grid_values.h). Box and list of one hour stay in step: a box click
// shows the hour's value (or 0 when cleared) without changing it, a list
// choice sets box and value together. A full week, every hour available
// at the maximum, is stored as the always state.
#include "constraints/week_grid_values.h"
#include "constraints/week_grid_common.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace kt::ui;

namespace {

// Program-wide state of the headers and the always toggle; zero at start.
WeekGridHeaderState g_dwh_combo_shared;

}  // namespace

KT_BEGIN_MESSAGE_MAP(CdwhCombo, CDialogML)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 2137, 2220, OnList)
  KT_ON_COMMAND_LIST(kDayHeaderIds, OnDayHeader)
  KT_ON_COMMAND_LIST(kHourHeaderIds, OnHourHeader)
  KT_ON_COMMAND(kAlwaysId, OnAlways)
  KT_ON_COMMAND(kHelpButtonId, OnHelpButton)
KT_END_MESSAGE_MAP()

CdwhCombo::CdwhCombo(Window* parent) : CDialogML(kTemplate, parent) {}

void CdwhCombo::ResetSharedState() { g_dwh_combo_shared = WeekGridHeaderState{}; }

void CdwhCombo::SetGridData(Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                            std::int8_t* values, int maximum, const MlText* explanation, std::uint8_t mode) {
  if (title) m_title = title;
  if (subtitle) m_subtitle = subtitle;
  if (explanation) m_explanation = explanation;
  m_mode = mode;
  m_maximum = maximum;
  if (mask) {
    m_caller = mask;
    std::memcpy(m_work.data(), mask, m_work.size());
  }
  if (values) {
    m_caller_values = values;
    std::memcpy(m_values.data(), values, m_values.size());
  }
  if (target && m_caller)
    target->SetWindowText(week_summary_text_values(m_caller, m_values.data(), m_maximum, m_title, m_subtitle,
                                                   week_normal_hours()));
}

LResult CdwhCombo::DoModal() {
  ui_register_week_values_templates();
  return CDialogML::DoModal();
}

void CdwhCombo::DoDataExchange(DataExchange& dx) {
  for (std::size_t i = 0; i < 84; ++i) {
    dx.Control(kCellIds[i], m_cells[i]);
    dx.Control(kListIds[i], m_lists[i]);
  }
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

bool CdwhCombo::OnInitDialog() {
  CDialogML::OnInitDialog();
  week_grid_set_day_captions(m_day_headers);
  for (std::size_t i = 0; i < 84; ++i) {
    m_cells[i].EnableWindow(false);
    m_lists[i].EnableWindow(false);
    m_lists[i].ResetContent();
    for (int n = 0; n <= m_maximum; ++n) m_lists[i].AddString(std::to_string(n));
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
  m_hours = week_normal_hours();
  m_counter.SetTranslated(true);
  Refresh();
  m_help.SetTextML(m_explanation);
  return true;
}

int CdwhCombo::Shown(int slot) const {
  std::size_t i = std::size_t(slot);
  if (m_work[0] != kWeekAlways && m_work[i] != 1) return 0;
  if (m_work[0] == kWeekAlways || m_values[i] == 0) return m_maximum;
  return m_values[i];
}

void CdwhCombo::Refresh() {
  m_existing = week_existing_total(m_hours);
  m_marked = week_marked_count(m_work.data(), m_hours);
  bool always = m_work[0] == kWeekAlways;
  m_always.SetCheck(always ? kBstChecked : kBstUnchecked);
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) {
      int slot = d * kDayHours + h;
      std::size_t i = std::size_t(slot);
      m_cells[i].SetCheck(always || m_work[i] == 1 ? kBstChecked : kBstUnchecked);
      m_cells[i].EnableWindow(!always);
      m_lists[i].SetCurSel(Shown(slot));
      m_lists[i].EnableWindow(!always);
    }
  ShowCounter();
}

void CdwhCombo::ShowCounter() {
  m_counter.SetWindowText(week_grid_counter_text((m_mode & kDwhCountFree) != 0, m_existing, m_marked));
}

void CdwhCombo::OnCell(int slot) {
  if (!week_grid_cell_editable(m_work, m_hours, slot)) return;
  std::size_t i = std::size_t(slot);
  bool on = m_cells[i].GetCheck() == kBstChecked;
  week_grid_mark_cell(m_work, m_marked, slot, on);
  m_lists[i].SetCurSel(Shown(slot));
  ShowCounter();
}

void CdwhCombo::OnList(int slot) {
  if (slot < 0 || slot >= 84) return;
  int day = slot / kDayHours, hour = slot % kDayHours;
  if (hour >= m_hours[std::size_t(day)] || m_work[0] == kWeekAlways) return;
  std::size_t i = std::size_t(slot);
  int n = m_lists[i].GetCurSel();
  if (n < 0) return;
  bool was = m_work[i] == 1;
  if (n == 0) {
    m_cells[i].SetCheck(kBstUnchecked);
    m_work[i] = 0;
    m_values[i] = 0;
    if (was) --m_marked;
  } else {
    m_cells[i].SetCheck(kBstChecked);
    m_work[i] = 1;
    m_values[i] = std::int8_t(n);
    if (!was) ++m_marked;
  }
  ShowCounter();
}

void CdwhCombo::OnDayHeader(int day) {
  if (week_grid_fill_day(g_dwh_combo_shared, m_work, m_hours, day)) Refresh();
}

void CdwhCombo::OnHourHeader(int hour) {
  if (week_grid_fill_hour(g_dwh_combo_shared, m_work, m_hours, hour)) Refresh();
}

void CdwhCombo::OnAlways() {
  week_grid_toggle_always(g_dwh_combo_shared, m_work, m_always.GetCheck() == kBstChecked);
  Refresh();
}

void CdwhCombo::OnHelpButton() { m_help.SetTextML(&week_grid_help_text()); }

void CdwhCombo::OnOK() {
  if (Window::GetFocus() != &m_ok) return;
  int full = 0;
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) {
      std::size_t i = std::size_t(d * kDayHours + h);
      full += m_work[i] == 1 && (m_values[i] == 0 || m_values[i] >= m_maximum) ? 1 : 0;
    }
  if (full == week_existing_total(m_hours)) {
    m_work.fill(0);
    m_work[0] = kWeekAlways;
  }
  if (m_caller) std::memcpy(m_caller, m_work.data(), m_work.size());
  if (m_caller_values) std::memcpy(m_caller_values, m_values.data(), m_values.size());
  EndDialog(kIdOk);
}
