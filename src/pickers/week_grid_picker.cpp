// Behaviour of the week-grid picker (see week_grid_picker.h): opening from
// the working copy, cell, header, invert and always clicks, the counter, and
// a confirmation that writes the caller's mask only when OK has the focus.
// The header fill values and the saved always byte are shared by every
// picker object of the run, so a header click continues from the value
// last used on any page.
#include "pickers/week_grid_picker.h"

#include <cstring>
#include <string>

using namespace kt::ui;

namespace {

// Program-wide state of the headers and the always toggle; zero at start.
WeekGridHeaderState g_dwh_shared;

}  // namespace

KT_BEGIN_MESSAGE_MAP(Cdwh, CWeekGridDialog)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_COMMAND(kInvertId, OnInvert)
KT_END_MESSAGE_MAP()

Cdwh::Cdwh(Window* parent) : CWeekGridDialog(kTemplate, parent, g_dwh_shared) {}

void Cdwh::ResetSharedState() { g_dwh_shared = WeekGridHeaderState{}; }

void Cdwh::SetGridData(Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                       const MlText* explanation, std::uint8_t mode) {
  TakeGridData(title, subtitle, mask, explanation, mode);
  if (target && m_caller)
    target->SetWindowText(week_summary_text(m_caller, m_title, m_subtitle, week_existing_hours()));
}

LResult Cdwh::DoModal() {
  ui_register_week_grid_templates();
  return CDialogML::DoModal();
}

void Cdwh::DoDataExchange(DataExchange& dx) {
  CWeekGridDialog::DoDataExchange(dx);
  dx.Control(kInvertId, m_invert);
}

bool Cdwh::OnInitDialog() {
  CDialogML::OnInitDialog();
  OpenGrid(week_existing_hours());
  Refresh();
  m_help.SetTextML(m_explanation);
  return true;
}

void Cdwh::Refresh() {
  ShowBoxes();
  ShowCounter();
}

void Cdwh::OnCell(int slot) {
  if (!week_grid_cell_editable(m_work, m_hours, slot)) return;
  int day = slot / kDayHours, hour = slot % kDayHours;
  bool on = m_cells[std::size_t(slot)].GetCheck() == kBstChecked;
  week_grid_mark_cell(m_work, m_marked, slot, on);
  if (on && FillsEarlier()) {
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

void Cdwh::OnInvert() {
  week_grid_invert(m_work, m_hours);
  Refresh();
}

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
