// Behaviour of the week grid with a number per hour (see
// week_grid_values.h). Box and list of one hour stay in step: a box click
// shows the hour's value (or 0 when cleared) without changing it, a list
// choice sets box and value together. A full week, every hour available
// at the maximum, is stored as the always state.
#include "pickers/week_grid_values.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace kt::ui;

namespace {

// Program-wide state of the headers and the always toggle; zero at start.
WeekGridHeaderState g_dwh_combo_shared;

}  // namespace

KT_BEGIN_MESSAGE_MAP(CdwhCombo, CWeekGridDialog)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_CONTROL_RANGE(kCbnSelChange, 2137, 2220, OnList)
KT_END_MESSAGE_MAP()

CdwhCombo::CdwhCombo(Window* parent) : CWeekGridDialog(kTemplate, parent, g_dwh_combo_shared) {}

void CdwhCombo::ResetSharedState() { g_dwh_combo_shared = WeekGridHeaderState{}; }

void CdwhCombo::SetGridData(Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                            std::int8_t* values, int maximum, const MlText* explanation, std::uint8_t mode) {
  TakeGridData(title, subtitle, mask, explanation, mode);
  m_maximum = maximum;
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
  CWeekGridDialog::DoDataExchange(dx);
  for (std::size_t i = 0; i < 84; ++i) dx.Control(kListIds[i], m_lists[i]);
}

bool CdwhCombo::OnInitDialog() {
  CDialogML::OnInitDialog();
  OpenGrid(week_normal_hours());
  for (std::size_t i = 0; i < 84; ++i) {
    m_lists[i].EnableWindow(false);
    m_lists[i].ResetContent();
    for (int n = 0; n <= m_maximum; ++n) m_lists[i].AddString(std::to_string(n));
  }
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
  ShowBoxes();
  bool always = m_work[0] == kWeekAlways;
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) {
      int slot = d * kDayHours + h;
      m_lists[std::size_t(slot)].SetCurSel(Shown(slot));
      m_lists[std::size_t(slot)].EnableWindow(!always);
    }
  ShowCounter();
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
