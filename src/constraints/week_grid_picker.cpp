// Behaviour of the week-grid picker (see week_grid_picker.h): opening from
// the working copy, cell, header, invert and always clicks, the counter, and
// a confirmation that writes the caller's mask only when OK has the focus.
// The header fill values and the saved always byte are shared by every
// picker object of the run, so a header click continues from the value
// last used on any page.
#include "constraints/week_grid_picker.h"
#include "constraints/week_grid_common.h"

#include <cstring>
#include <string>

using namespace kt::ui;

namespace {

// Program-wide state of the headers and the always toggle; zero at start.
WeekGridHeaderState g_dwh_shared;

}  // namespace

KT_BEGIN_MESSAGE_MAP(Cdwh, CDialogML)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_COMMAND_LIST(kDayHeaderIds, OnDayHeader)
  KT_ON_COMMAND_LIST(kHourHeaderIds, OnHourHeader)
  KT_ON_COMMAND(kInvertId, OnInvert)
  KT_ON_COMMAND(kAlwaysId, OnAlways)
  KT_ON_COMMAND(kHelpButtonId, OnHelpButton)
KT_END_MESSAGE_MAP()

Cdwh::Cdwh(Window* parent) : CDialogML(kTemplate, parent) {}

void Cdwh::ResetSharedState() { g_dwh_shared = WeekGridHeaderState{}; }

void Cdwh::SetGridData(Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                       const MlText* explanation, std::uint8_t mode) {
  if (title) m_title = title;
  if (subtitle) m_subtitle = subtitle;
  if (explanation) m_explanation = explanation;
  m_mode = mode;
  if (mask) {
    m_caller = mask;
    std::memcpy(m_work.data(), mask, m_work.size());
  }
  if (target && m_caller)
    target->SetWindowText(week_summary_text(m_caller, m_title, m_subtitle, week_existing_hours()));
}

LResult Cdwh::DoModal() {
  ui_register_week_grid_templates();
  return CDialogML::DoModal();
}

void Cdwh::DoDataExchange(DataExchange& dx) {
  for (std::size_t i = 0; i < kCellIds.size(); ++i) dx.Control(kCellIds[i], m_cells[i]);
  for (std::size_t i = 0; i < kDayHeaderIds.size(); ++i) dx.Control(kDayHeaderIds[i], m_day_headers[i]);
  for (std::size_t i = 0; i < kHourHeaderIds.size(); ++i) dx.Control(kHourHeaderIds[i], m_hour_headers[i]);
  dx.Control(kTitleId, m_title_text);
  dx.Control(kAlwaysId, m_always);
  dx.Control(kInvertId, m_invert);
  dx.Control(kHelpButtonId, m_help_button);
  dx.Control(kCounterId, m_counter);
  dx.Control(kCounterLabelId, m_counter_label);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kIdOk, m_ok);
  dx.Control(kIdCancel, m_cancel);
}

bool Cdwh::OnInitDialog() {
  CDialogML::OnInitDialog();
  week_grid_set_day_captions(m_day_headers);
  for (CCheck& cell : m_cells) cell.EnableWindow(false);
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
  m_hours = week_existing_hours();
  m_counter.SetTranslated(true);
  Refresh();
  m_help.SetTextML(m_explanation);
  return true;
}

void Cdwh::Refresh() {
  m_existing = week_existing_total(m_hours);
  m_marked = week_marked_count(m_work.data(), m_hours);
  bool always = m_work[0] == kWeekAlways;
  m_always.SetCheck(always ? kBstChecked : kBstUnchecked);
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) {
      CCheck& cell = m_cells[std::size_t(d * kDayHours + h)];
      cell.SetCheck(always || m_work[std::size_t(d * kDayHours + h)] == 1 ? kBstChecked : kBstUnchecked);
      cell.EnableWindow(!always);
    }
  ShowCounter();
}

void Cdwh::ShowCounter() {
  m_counter.SetWindowText(week_grid_counter_text((m_mode & kDwhCountFree) != 0, m_existing, m_marked));
}

void Cdwh::OnCell(int slot) {
  if (!week_grid_cell_editable(m_work, m_hours, slot)) return;
  int day = slot / kDayHours, hour = slot % kDayHours;
  bool on = m_cells[std::size_t(slot)].GetCheck() == kBstChecked;
  week_grid_mark_cell(m_work, m_marked, slot, on);
  if (on && (m_mode & kDwhFillEarlier)) {
    for (int h = hour - 1; h >= 0; --h) {
      std::size_t i = std::size_t(day * kDayHours + h);
      if (m_work[i] == 1) continue;
      m_work[i] = 1;
      ++m_marked;
      m_cells[i].SetCheck(kBstChecked);
    }
  }
  ShowCounter();
}

void Cdwh::OnDayHeader(int day) {
  if (week_grid_fill_day(g_dwh_shared, m_work, m_hours, day)) Refresh();
}

void Cdwh::OnHourHeader(int hour) {
  if (week_grid_fill_hour(g_dwh_shared, m_work, m_hours, hour)) Refresh();
}

void Cdwh::OnInvert() {
  week_grid_invert(m_work, m_hours);
  Refresh();
}

void Cdwh::OnAlways() {
  week_grid_toggle_always(g_dwh_shared, m_work, m_always.GetCheck() == kBstChecked);
  Refresh();
}

void Cdwh::OnHelpButton() { m_help.SetTextML(&week_grid_help_text()); }

void Cdwh::OnOK() {
  if (Window::GetFocus() != &m_ok) return;
  // Cells holding 1 are counted as they stand: the always state already
  // on keeps the other bytes, a full grid of marks becomes the always state.
  int ones = 0;
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) ones += m_work[std::size_t(d * kDayHours + h)] == 1 ? 1 : 0;
  if (ones == week_existing_total(m_hours)) {
    m_work.fill(0);
    m_work[0] = kWeekAlways;
  }
  if (m_caller) std::memcpy(m_caller, m_work.data(), m_work.size());
  EndDialog(kIdOk);
}
