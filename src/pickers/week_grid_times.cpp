// Behaviour of the week grid with clock times (see week_grid_times.h):
// showing and correcting the times of each marked hour, copying a day onto
// the next, the class-calendar options, and a confirmation that reads the
// fields, checks them and only then writes the caller's data. Times typed
// into the fields are read back before every redraw, so a header click or
// the always box never throws them away.
#include "pickers/week_grid_times.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "shell/message_box.h"

using namespace kt::ui;

namespace {

// Program-wide state of the headers and the always toggle; zero at start.
WeekGridHeaderState g_dwh_ext_shared;
const MlText kCopyCaption = {"Copia le ore di %s", "Stunden von %s kopieren", "Copy Hours of %s"};
const MlText kGrowing = {"Inserire valori crescenti, Giorno:%s Ora:%d", "Steigende Werte eingeben, Tag:%s Stunde:%d",
                         "Enter growing values, Day:%s Hour:%d"};
const MlText kOptionsHelp = {
    "Assegnate un valore maggiore di uno nel caso in cui:\r\n* il calendario speciale preveda un numero di Ore "
    "maggiore rispetto alle Ore di lezione della Classe,\r\n* e sia ammissibile che la Classe abbia giorni più "
    "lunghi di altri di oltre un'Ora.\r\nQuesto si verifica solo in casi particolari, ad esempio volendo lasciare "
    "scegliere al sistema il giorno destinato al rientro pomeridiano, su due o più disponibili."_cp,
    "Geben Sie einen Wert größer als eins, wenn:\r\n* der Sonderkalender mehr Stunden vorsieht als die "
    "Unterrichtsstunden der Klasse,\r\n* und die Klasse Tage haben darf, die um mehr als eine Stunde länger sind "
    "als andere.\r\nDas kommt nur in besonderen Fällen vor, etwa wenn das System unter zwei oder mehr möglichen "
    "Tagen den Tag mit Nachmittagsunterricht wählen soll."_cp,
    "Give a value greater than one when:\r\n* the special calendar has more Hours than the Class's lesson "
    "Hours,\r\n* and the Class may have days longer than others by more than one Hour.\r\nThis happens only in "
    "particular cases, for instance to let the system choose the day of the afternoon return among two or more "
    "available days."};

constexpr int kDefaultStart = 480;
constexpr int kDefaultDuration = 60;

}  // namespace

KT_BEGIN_MESSAGE_MAP(CdwhExt, CWeekGridDialog)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_COMMAND_LIST(kCopyIds, OnCopy)
  KT_ON_COMMAND(kInvertId, OnInvert)
  KT_ON_COMMAND(kOptionsHelpId, OnOptionsHelp)
  KT_ON_CONTROL_RANGE(kCbnSelChange, kDifferenceListId, kSecondHourListId, OnOptionChange)
KT_END_MESSAGE_MAP()

CdwhExt::CdwhExt(Window* parent) : CWeekGridDialog(kTemplate, parent, g_dwh_ext_shared) {}

void CdwhExt::ResetSharedState() { g_dwh_ext_shared = WeekGridHeaderState{}; }

void CdwhExt::SetGridData(Window* target, const char* title, const char* subtitle, std::uint8_t* mask,
                          std::int16_t* starts, std::int16_t* durations, std::int8_t* maximum_difference,
                          std::int8_t* second_hour_entries, const MlText* explanation, std::uint8_t mode) {
  TakeGridData(title, subtitle, mask, explanation, mode);
  if (starts) {
    m_caller_starts = starts;
    std::memcpy(m_starts.data(), starts, sizeof(std::int16_t) * 84);
  }
  if (durations) {
    m_caller_durations = durations;
    std::memcpy(m_durations.data(), durations, sizeof(std::int16_t) * 84);
  }
  m_caller_difference = maximum_difference;
  m_caller_second_hour = second_hour_entries;
  m_difference = maximum_difference ? *maximum_difference : -1;
  m_second_hour = second_hour_entries ? *second_hour_entries : -1;
  if (target && m_caller)
    target->SetWindowText(week_summary_text(m_caller, m_title, m_subtitle, week_normal_hours()));
}

LResult CdwhExt::DoModal() {
  ui_register_week_times_templates();
  return CDialogML::DoModal();
}

void CdwhExt::DoDataExchange(DataExchange& dx) {
  CWeekGridDialog::DoDataExchange(dx);
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < kDayHours; ++h) {
      std::size_t i = std::size_t(d * kDayHours + h);
      dx.Control(dwh_start_id(d, h), m_start_fields[i]);
      dx.Control(dwh_end_id(d, h), m_end_fields[i]);
    }
  for (std::size_t i = 0; i < kCopyIds.size(); ++i) dx.Control(kCopyIds[i], m_copy[i]);
  dx.Control(kInvertId, m_invert);
  dx.Control(kPlaceholderId, m_placeholder);
  dx.Control(kDifferenceLabelId, m_difference_label);
  dx.Control(kSecondHourLabelId, m_second_hour_label);
  dx.Control(kDifferenceListId, m_difference_list);
  dx.Control(kSecondHourListId, m_second_hour_list);
  dx.Control(kOptionsHelpId, m_options_help);
}

bool CdwhExt::OnInitDialog() {
  CDialogML::OnInitDialog();
  OpenGrid(week_normal_hours());
  char codes[7][3] = {};
  for (int d = 0; d < kWeekDays; ++d) std::memcpy(codes[d], g_ui_header.day_codes[d], 2);
  for (int k = 1; k < kWeekDays; ++k) {
    char caption[64];
    std::snprintf(caption, sizeof caption, kCopyCaption.Get(), codes[k - 1]);
    m_copy[std::size_t(k - 1)].SetCaption(caption);
  }
  for (std::size_t i = 0; i < 84; ++i) {
    m_start_fields[i].SetWindowText("");
    m_start_fields[i].EnableWindow(false);
    m_end_fields[i].SetWindowText("");
    m_end_fields[i].EnableWindow(false);
  }
  bool options = m_difference >= 0;
  for (Window* w : std::initializer_list<Window*>{&m_difference_list, &m_second_hour_list, &m_difference_label,
                                                   &m_second_hour_label, &m_options_help})
    w->ShowWindow(options ? kSwShow : kSwHide);
  m_difference_list.ResetContent();
  m_second_hour_list.ResetContent();
  for (int n = 1; n <= 3; ++n) m_difference_list.AddString(std::to_string(n));
  for (int n = 0; n <= 7; ++n) m_second_hour_list.AddString(std::to_string(n));
  Refresh();
  m_help.SetTextML(m_explanation);
  return true;
}

void CdwhExt::ShowHour(int day, int hour) {
  std::size_t i = std::size_t(day * kDayHours + hour);
  if (m_work[0] == kWeekAlways) return;
  if (m_work[i] == 1) {
    m_start_fields[i].SetMinutes(m_starts[i]);
    m_end_fields[i].SetMinutes(m_starts[i] + m_durations[i]);
    m_start_fields[i].EnableWindow(true);
    m_end_fields[i].EnableWindow(true);
    Correct(day, hour);
  } else {
    m_start_fields[i].SetWindowText("");
    m_end_fields[i].SetWindowText("");
    m_start_fields[i].EnableWindow(false);
    m_end_fields[i].EnableWindow(false);
  }
}

void CdwhExt::Correct(int day, int hour) {
  std::size_t i = std::size_t(day * kDayHours + hour);
  bool changed = false;
  if (hour == 0) {
    if (m_starts[i] == 0 && m_durations[i] == 0) {
      m_starts[i] = kDefaultStart;
      m_durations[i] = kDefaultDuration;
      changed = true;
    }
  } else {
    int previous_end = m_starts[i - 1] + m_durations[i - 1];
    if (m_starts[i] < previous_end) {
      m_starts[i] = std::int16_t(previous_end);
      changed = true;
    }
  }
  if (m_durations[i] < 1) {
    m_durations[i] = kDefaultDuration;
    changed = true;
  }
  if (changed) {
    m_start_fields[i].SetMinutes(m_starts[i]);
    m_end_fields[i].SetMinutes(m_starts[i] + m_durations[i]);
  }
}

void CdwhExt::ReadTimes(int day, int hour) {
  std::size_t i = std::size_t(day * kDayHours + hour);
  int start = m_start_fields[i].GetMinutes();
  int end = m_end_fields[i].GetMinutes();
  m_starts[i] = std::int16_t(start);
  m_durations[i] = std::int16_t(end - start);
}

bool CdwhExt::Check(int day, int hour) {
  std::size_t i = std::size_t(day * kDayHours + hour);
  bool ok = m_durations[i] >= 1;
  if (hour > 0) ok = ok && m_starts[i] >= m_starts[i - 1] + m_durations[i - 1];
  else ok = ok && !(m_starts[i] == 0 && m_durations[i] == 0);
  if (ok) return true;
  char name[kUiNameSize] = {};
  std::memcpy(name, g_ui_header.day_names[day], kUiNameSize - 1);
  char text[160];
  std::snprintf(text, sizeof text, kGrowing.Get(), name, hour + 1);
  ui_message_box(text);
  return false;
}

void CdwhExt::Refresh() {
  // Times typed into shown fields are kept before the fields are redrawn.
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h)
      if (m_start_fields[std::size_t(d * kDayHours + h)].IsWindowEnabled()) ReadTimes(d, h);
  ShowBoxes();
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h) ShowHour(d, h);
  if (m_difference >= 0) {
    m_difference_list.SetCurSel(m_difference);
    m_second_hour_list.SetCurSel(m_second_hour);
  }
  ShowCounter();
}

void CdwhExt::OnCell(int slot) {
  if (!week_grid_cell_editable(m_work, m_hours, slot)) return;
  int day = slot / kDayHours, hour = slot % kDayHours;
  std::size_t i = std::size_t(slot);
  bool on = m_cells[i].GetCheck() == kBstChecked;
  if (!on && m_start_fields[i].IsWindowEnabled()) ReadTimes(day, hour);
  week_grid_mark_cell(m_work, m_marked, slot, on);
  ShowHour(day, hour);
  if (on && FillsEarlier()) {
    for (int h = hour - 1; h >= 0; --h) {
      std::size_t k = std::size_t(day * kDayHours + h);
      if (m_work[k] != 1) {
        m_work[k] = 1;
        ++m_marked;
        m_cells[k].SetCheck(kBstChecked);
      }
      ShowHour(day, h);
    }
    for (int h = 0; h <= hour; ++h) Correct(day, h);
  }
  ShowCounter();
}

void CdwhExt::OnInvert() {
  week_grid_invert(m_work, m_hours);
  Refresh();
}

void CdwhExt::OnCopy(int index) {
  int to = index + 1, from = index;
  if (to < 1 || to >= kWeekDays) return;
  for (int h = 0; h < m_hours[std::size_t(from)]; ++h) {
    std::size_t i = std::size_t(from * kDayHours + h);
    if (m_work[i] != 1 || m_work[0] == kWeekAlways) continue;
    ReadTimes(from, h);
    if (!Check(from, h)) return;
  }
  if (!m_cells[std::size_t(to * kDayHours)].IsWindowEnabled()) {
    message_beep(kBeepExclamation);
    Refresh();
    return;
  }
  std::size_t a = std::size_t(from * kDayHours), b = std::size_t(to * kDayHours);
  std::memcpy(&m_work[b], &m_work[a], kDayHours);
  std::memcpy(&m_starts[b], &m_starts[a], kDayHours * sizeof(std::int16_t));
  std::memcpy(&m_durations[b], &m_durations[a], kDayHours * sizeof(std::int16_t));
  // The copied times replace whatever the target day's fields showed, so
  // the redraw must not read those fields back.
  for (int h = 0; h < kDayHours; ++h) m_start_fields[b + std::size_t(h)].EnableWindow(false);
  Refresh();
}

void CdwhExt::OnOptionsHelp() { m_help.SetTextML(&kOptionsHelp); }

void CdwhExt::OnOptionChange(int index) {
  if (m_difference < 0) return;
  if (index == 0 && m_difference_list.GetCurSel() >= 0) m_difference = std::int8_t(m_difference_list.GetCurSel());
  if (index == 1 && m_second_hour_list.GetCurSel() >= 0) m_second_hour = std::int8_t(m_second_hour_list.GetCurSel());
  m_help.SetTextML(&kOptionsHelp);
}

void CdwhExt::OnOK() {
  if (Window::GetFocus() != &m_ok) return;
  int set = 0;
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h)
      if (m_work[std::size_t(d * kDayHours + h)] == 1 && m_work[0] != kWeekAlways) {
        ReadTimes(d, h);
        ++set;
      }
  for (int d = 0; d < kWeekDays; ++d)
    for (int h = 0; h < m_hours[std::size_t(d)]; ++h)
      if (m_work[std::size_t(d * kDayHours + h)] == 1 && m_work[0] != kWeekAlways && !Check(d, h)) return;
  g_clock_times_flag = 1;
  if (set == week_existing_total(m_hours)) {
    m_work.fill(0);
    m_work[0] = kWeekAlways;
  }
  if (m_caller) std::memcpy(m_caller, m_work.data(), m_work.size());
  if (m_caller_starts) std::memcpy(m_caller_starts, m_starts.data(), sizeof(std::int16_t) * 84);
  if (m_caller_durations) std::memcpy(m_caller_durations, m_durations.data(), sizeof(std::int16_t) * 84);
  if (m_caller_difference && m_difference >= 0) *m_caller_difference = m_difference;
  if (m_caller_second_hour && m_difference >= 0) *m_caller_second_hour = m_second_hour;
  EndDialog(kIdOk);
}
