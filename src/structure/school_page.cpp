// The school page's frame of behaviour (see school_page.h): opening, the
// school name, the weekly calendar, the short day, prolonged hours, the
// special-calendars entry, help buttons, saving and leaving. The tracks are
// in school_tracks.cpp and the sections panel in school_sections.cpp.
//
// A calendar edit gives the school's new clock times to every class that
// followed the school's times before it, and leaves alone a class with a
// calendar of its own; that is decided before the picker runs.
#include "structure/school_page.h"

#include <algorithm>
#include <cstring>

#include "platform/cp1252.h"
#include "remote/guide_windows.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/school_page_texts.h"

using namespace kt::ui;

Cproscuola g_school_page;
void (*Cproscuola::s_special_calendars)(int set) = nullptr;
char Cproscuola::s_kept_first_track[21] = "";
std::uint8_t Cproscuola::s_class_message_pending = 1;
std::uint8_t Cproscuola::s_section_message_pending = 1;

namespace {

// A class follows the school's clock times when its tables equal the
// school's, or when they were never set (all zero: a school file without
// clock times of the class).
bool same_times(const UiClassCalendar& c) {
  static const std::int16_t kZero[kUiWeekCells] = {};
  if (std::memcmp(c.hour_start_times, kZero, sizeof kZero) == 0 && std::memcmp(c.hour_durations, kZero, sizeof kZero) == 0)
    return true;
  return std::memcmp(c.hour_start_times, g_ui_header.hour_start_times, sizeof c.hour_start_times) == 0 &&
         std::memcmp(c.hour_durations, g_ui_header.hour_durations, sizeof c.hour_durations) == 0;
}

bool has_own_calendar(const UiClass& c) {
  const UiClassCalendar& cal = c.calendars[0];
  for (int i = 0; i < 12; ++i)
    if (cal.day_lengths[0][i][1] > 0) return true;
  if (cal.max_day_difference != 0 || cal.second_hour_entries != 0) return true;
  for (std::uint8_t h : cal.calendar_hours)
    if (h == 1) return true;
  return !same_times(cal);
}

}  // namespace

Cproscuola::Cproscuola() : CResizableDialog(kTemplate, nullptr, rgb(244, 244, 244)) {}

KT_BEGIN_MESSAGE_MAP(Cproscuola, CResizableDialog)
  KT_ON_NOTIFY(kLvnItemChanged, kSectionListId, OnListChanged)
  KT_ON_NOTIFY(kNmSetFocus, kSectionListId, OnListSetFocus)
KT_END_MESSAGE_MAP()

void Cproscuola::DoDataExchange(DataExchange& dx) {
  dx.Control(kNameId, m_name);
  dx.Control(kTrackCountId, m_track_count);
  for (int t = 0; t < kTracks; ++t) {
    dx.Control(kFirstTrackNameId + t, m_track_names[t]);
    dx.Control(kFirstShortNameId + t, m_short_names[t]);
    dx.Control(kFirstInitialId + t, m_initials[t]);
    for (int s = 0; s < kSections; ++s) dx.Control(section_id(t, s), m_section_buttons[t * kSections + s]);
  }
  dx.Control(kDeleteEmptyId, m_delete_empty);
  dx.Control(kCalendarId, m_calendar);
  dx.Control(kShortDayId, m_short_day);
  dx.Control(kProlongedId, m_prolonged);
  dx.Control(kSpecialId, m_special);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kSectionListId, m_list);
  dx.Control(kKeyLabelId, m_key_label);
  for (int y = 0; y < kYears; ++y) dx.Control(kFirstYearId + y, m_year_buttons[y]);
  dx.Control(kQuickId, m_quick);
  dx.Control(kClassicalId, m_classical);
  dx.Control(kTypeId, m_type);
  dx.Control(kMoveId, m_move);
  constexpr int kHelpButtonIds[7] = {kNameHelpId, kHowToId, kTracksHelpId, kShortDayHelpId, kProlongedHelpId,
                                     kSpecialHelpId, kClassHelpId};
  for (int i = 0; i < 7; ++i) dx.Control(kHelpButtonIds[i], m_help_buttons[std::size_t(i)]);
}

bool Cproscuola::OnInitDialog() {
  m_filling = true;
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("1 Configurazione Indirizzi sezioni");
  FitIntoPageArea();
  ShowGrip(false);
  m_help.SetTextML(&kHowToText);
  m_name.LimitText(80);
  g_ui_header.school_name[80] = 0;
  m_name.SetWindowText(g_ui_header.school_name);
  ComputeLessonMarks();
  if (g_ui_structure.track_count < 1) g_ui_structure.track_count = 1;
  if (g_ui_structure.track_count > kTracks) g_ui_structure.track_count = kTracks;
  SetTrackCountList();
  SetUpListColumns();
  m_track_guard = m_short_guard = true;
  RefreshTrackRows();
  m_track_guard = m_short_guard = false;
  RefreshSectionButtons();
  BuildCalendarGrid();
  m_short_day.ResetContent();
  m_short_day.AddString("-");
  for (int d = 0; d < 7; ++d) m_short_day.AddString(std::string(g_ui_header.day_codes[d], strnlen(g_ui_header.day_codes[d], 2)));
  m_short_day.SetCurSel(0);
  for (int d = 0; d < 7; ++d) {
    if (!g_ui_header.short_days[d]) continue;
    m_short_day.SetCurSel(d + 1);
    break;
  }
  m_prolonged.ResetContent();
  m_prolonged.AddString("-");
  for (int minutes = 40; minutes <= 120; minutes += 5) m_prolonged.AddString(std::to_string(minutes));
  int stored = int(g_ui_header.extended_hours);
  m_prolonged.SetCurSel(stored == 0 ? 0 : stored >= 40 && stored <= 120 && stored % 5 == 0 ? (stored - 40) / 5 + 1 : -1);
  m_type.ResetContent();
  for (const MlText& type : kTypeNames) m_type.AddString(type.Get());
  UpdateSpecialMark();
  g_guide_saba.ClearCreated();
  m_filling = false;
  RefreshList();
  return false;
}

bool Cproscuola::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (m_filling) return CResizableDialog::OnCommand(w, l);
  if (code == kEnChange) {
    if (id == kNameId) OnNameChange();
    else if (id >= kFirstTrackNameId && id < kFirstTrackNameId + kTracks) OnTrackName(id - kFirstTrackNameId);
    else if (id >= kFirstShortNameId && id < kFirstShortNameId + kTracks) OnShortName(id - kFirstShortNameId);
    return true;
  }
  if (code == kEnSetFocus) {
    if (id == kNameId) m_help.SetTextML(&kNameHelp);
    else if (id >= kFirstTrackNameId && id < kFirstTrackNameId + kTracks) m_help.SetTextML(&kTracksHelp);
    return true;
  }
  if (code == kCbnSetFocus) {
    if (id == kShortDayId) m_help.SetTextML(&kShortDayHelp);
    else if (id == kProlongedId) m_help.SetTextML(&kProlongedHelp);
    else if (id == kTypeId) m_help.SetTextML(&kTypeHelp);
    return true;
  }
  if (code == kCbnSelChange) {
    if (id == kTrackCountId) OnTrackCount();
    else if (id == kShortDayId) OnShortDay();
    else if (id == kProlongedId) OnProlonged();
    else if (id == kTypeId) OnType();
    return true;
  }
  if (code != kBnClicked) return CResizableDialog::OnCommand(w, l);
  if (id >= kFirstSectionId && id < kFirstSectionId + kTracks * kSections) {
    OnSection((id - kFirstSectionId) / kSections, (id - kFirstSectionId) % kSections);
    return true;
  }
  if (id >= kFirstYearId && id < kFirstYearId + kYears) {
    OnYear(id - kFirstYearId + 1);
    return true;
  }
  switch (id) {
    case kDeleteEmptyId: OnDeleteEmpty(); return true;
    case kCalendarId: OnCalendar(); return true;
    case kSpecialId: OnSpecialCalendars(); return true;
    case kSaveId: OnSave(); return true;
    case kAbandonId: OnAbandon(); return true;
    case kQuickId: OnQuick(); return true;
    case kClassicalId: OnClassical(); return true;
    case kMoveId: OnMove(); return true;
    case kHowToId: case kNameHelpId: case kTracksHelpId: case kShortDayHelpId: case kProlongedHelpId:
    case kSpecialHelpId: case kClassHelpId:
      OnHelpButton(id);
      return true;
    default:
      return CResizableDialog::OnCommand(w, l);
  }
}

void Cproscuola::OnHelpButton(int id) {
  switch (id) {
    case kHowToId: m_help.SetTextML(&kHowToText); break;
    case kNameHelpId: m_help.SetTextML(&kNameHelp); break;
    case kTracksHelpId: m_help.SetTextML(&kTracksHelp); break;
    case kShortDayHelpId: m_help.SetTextML(&kShortDayHelp); break;
    case kProlongedHelpId: m_help.SetTextML(&kProlongedHelp); break;
    case kClassHelpId: m_help.SetTextML(&kClassGroupHelp); break;
    case kSpecialHelpId:
      m_help.SetTextML(&kSpecialHelp);
      g_guide_saba.Open(this);
      break;
  }
}

void Cproscuola::OnNameChange() {
  std::string text = m_name.GetWindowText().substr(0, 80);
  std::memset(g_ui_header.school_name, 0, sizeof g_ui_header.school_name);
  std::memcpy(g_ui_header.school_name, text.data(), text.size());
  og_clean_name(g_ui_header.school_name, 80, 0);
  if (const MlText* note = og_name_cleaning_note(text.c_str(), 0)) m_help.SetTextML(note);
}

void Cproscuola::OnOK() {
  Window* focus = GetFocus();
  if (focus == &m_name) OnNameChange();
  else if (focus == &m_calendar) OnCalendar();
}

void Cproscuola::OnCancel() { g_frame.PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0); }

// The picker edits the school week: existing hours are those below each
// day's hours, with the school's clock times.
void Cproscuola::BuildCalendarGrid() {
  m_existing.fill(0);
  m_starts.fill(0);
  m_durations.fill(0);
  for (int d = 0; d < 7; ++d) {
    for (int h = 0; h < 12 && h < g_ui_header.hours_per_day[d]; ++h) {
      int i = d * 12 + h;
      m_existing[std::size_t(i)] = 1;
      m_starts[std::size_t(i)] = g_ui_header.hour_start_times[i];
      m_durations[std::size_t(i)] = g_ui_header.hour_durations[i];
    }
  }
  m_picker.SetGridData(&m_calendar, kCalendarTitle.Get(), "", m_existing.data(), m_starts.data(),
                       m_durations.data(), nullptr, nullptr, &kCalendarExplanation, 1);
}

void Cproscuola::OnCalendar() {
  m_help.SetTextML(&kCalendarHelp);
  std::array<bool, kUiMaxClasses> follows{};
  for (int c = 0; c < og_class_count(); ++c) follows[std::size_t(c)] = same_times(g_ui_structure.classes[c].calendars[0]);
  std::fill(std::begin(g_ui_header.hours_per_day), std::end(g_ui_header.hours_per_day), std::uint8_t(12));
  alfadlg_lock_navigation(1);
  bool confirmed = m_picker.DoModal() == kIdOk;
  for (int d = 0; d < 7; ++d) {
    int last = 0;
    for (int h = 0; h < 12; ++h)
      if (m_existing[0] == 255 || m_existing[std::size_t(d * 12 + h)] == 1) last = h + 1;
    g_ui_header.hours_per_day[d] = std::uint8_t(last);
    if (!confirmed) continue;
    for (int h = 0; h < last; ++h) {
      g_ui_header.hour_start_times[d * 12 + h] = m_starts[std::size_t(d * 12 + h)];
      g_ui_header.hour_durations[d * 12 + h] = m_durations[std::size_t(d * 12 + h)];
    }
  }
  for (int c = 0; c < og_class_count(); ++c) {
    if (!follows[std::size_t(c)]) continue;
    UiClassCalendar& cal = g_ui_structure.classes[c].calendars[0];
    std::memcpy(cal.hour_start_times, g_ui_header.hour_start_times, sizeof cal.hour_start_times);
    std::memcpy(cal.hour_durations, g_ui_header.hour_durations, sizeof cal.hour_durations);
  }
  BuildCalendarGrid();
  alfadlg_unlock_navigation(1);
}

void Cproscuola::OnShortDay() {
  int sel = m_short_day.GetCurSel();
  std::fill(std::begin(g_ui_header.short_days), std::end(g_ui_header.short_days), std::uint8_t(0));
  if (sel >= 1 && sel <= 7) g_ui_header.short_days[sel - 1] = 1;
}

void Cproscuola::OnProlonged() {
  int sel = m_prolonged.GetCurSel();
  if (sel < 0) return;
  g_ui_header.extended_hours = std::uint8_t(sel == 0 ? 0 : 40 + (sel - 1) * 5);
}

void Cproscuola::OnSpecialCalendars() {
  if (!s_special_calendars) {
    ui_message_box(ui_not_available_text());
    return;
  }
  s_special_calendars(0);
  UpdateSpecialMark();
}

void Cproscuola::UpdateSpecialMark() {
  bool own = false;
  for (int c = 0; c < og_class_count() && !own; ++c)
    own = g_ui_structure.classes[c].code[0] != 0 && has_own_calendar(g_ui_structure.classes[c]);
  m_special.m_state = own ? 12 : 0;
  m_special.Redraw();
}

bool Cproscuola::LeaveChecks(bool ask_to_save) {
  // Its boxes give the focus back to the list when they close: no check of
  // the list's own on top of this one.
  ++m_quiet_list_focus;
  bool passed = PassesLeaveChecks(ask_to_save);
  --m_quiet_list_focus;
  return passed;
}

bool Cproscuola::PassesLeaveChecks(bool ask_to_save) {
  if (!ValidateTracks()) return false;
  int classes = 0;
  for (int c = 0; c < og_class_count(); ++c) classes += g_ui_structure.classes[c].code[0] != 0;
  if (classes < 2 && ui_message_box_flags(kNoClassesQuestion, kMbYesNo | kMbIconQuestion, kMbCursorBetween) == 7) {
    if (m_list.GetItemCount() > 0) SelectRow(0);
    FocusList();
    return false;
  }
  bool any_hour = std::any_of(std::begin(g_ui_header.hours_per_day), std::end(g_ui_header.hours_per_day),
                              [](std::uint8_t h) { return h != 0; });
  if (!any_hour && ui_message_box_flags(kNoCalendarQuestion, kMbYesNo | kMbIconQuestion, kMbCursorBetween) == 7)
    return false;
  for (int d = 0; d < 7; ++d) {
    if (!g_ui_header.short_days[d] || g_ui_header.hours_per_day[d] != 0) continue;
    GotoDlgCtrl(&m_short_day);
    ui_message_box(kShortDayZero);
    return false;
  }
  if (ask_to_save && og_save_if_changed(0) != 0) return false;
  return true;
}

void Cproscuola::OnSave() {
  if (!LeaveChecks(false)) return;
  og_save_school_files();
}

void Cproscuola::OnAbandon() { g_frame.PostMessage(kMsgCommand, make_command_param(kPageReopen, 0), 0); }

int Cproscuola::DestroyWindow() {
  if (IsWindow() && !LeaveChecks(true)) return 0;
  return CResizableDialog::DestroyWindow();
}
