// Ccalespe, "1A Calendario Speciale": the modal dialog in which single
// classes get a weekly calendar of their own (afternoon returns, a free
// Saturday, hours of another length) instead of the school's general one.
// Run from the school page on the normal calendars (set 0), from the
// provisional timetable on set 1, and from the check of class hours before
// a computation, which also saves both school files on "!SALVA".
//
// Every operation edits the working class records at once; the dialog keeps
// a copy of every class's two calendars taken at opening, and abandoning
// with Yes puts them all back. A class's weekly teaching hours (T total, J
// from joint classes, W with co-teaching counted once) are computed at
// opening from the teaching posts. The calendar copy panel is reached
// through CalendarCopyPanelHooks, so this dialog runs without it.
// Workload: at most 300 classes and 500 x 40 posts per computation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pickers/band_table_double.h"
#include "pickers/summary_buttons.h"
#include "pickers/week_grid_times.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/list_ctrl_ex.h"
#include "shell/resizable_dialog.h"

// Weekly teaching hours of every class (index = class): T, J and W.
struct ClassWeekHours {
  std::vector<std::int16_t> total, joint, weekly;
};
ClassWeekHours calespe_class_week_hours();

// Number of lesson hours of a class calendar: the set cells, or all the
// school's hours when the mask is in the always state.
int calespe_calendar_hours(const UiClassCalendar& calendar);
// 1 = the class has a special calendar in this set, 255 = none.
std::uint8_t calespe_calendar_state(const UiClassCalendar& calendar);

// The modeless panel that copies one class calendar into another class. The
// panel's own unit installs these; each may be null (no panel).
struct CalendarCopyPanelHooks {
  // Makes the panel once with this parent, hides it, sets the calendar set.
  void (*attach)(kt::ui::Window* parent, int set) = nullptr;
  // Makes the class current and shows the panel beside the row (screen).
  void (*select)(int class_index, const kt::ui::Rect& row) = nullptr;
  // The pasted flag, read and cleared.
  bool (*take_pasted)() = nullptr;
  // Hides the panel when its owner closes.
  void (*hide)() = nullptr;
};
extern CalendarCopyPanelHooks g_calendar_copy_panel;

class Ccalespe : public CResizableDialog {
 public:
  static constexpr int kTemplate = 237;
  static constexpr int kSaved = 555;
  static constexpr int kColumns = 11;
  static constexpr kt::ui::WParam kPasteTimer = 333;
  enum Id {
    kListId = 1500, kCalendarId, kClearId, kStandardId, kLengthsId, kReturnsId, kCountId, kSaveId, kAbandonId,
    kHelpPaneId,
  };

  // set: 0 normal, 1 provisional; save: write both school files on "!SALVA".
  Ccalespe(int set, bool save);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  void OnTimer(kt::ui::WParam id) override;
  void OnDestroy() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  void OnItemChanged(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void OnColumnClick(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void OnCalendar();
  void OnClear();
  void OnStandard();
  void OnLengths();
  void OnReturns();
  void OnSave();
  void FillRows();
  void WriteRow(int c);
  void ShowSelected();
  void SortBy(int column);
  std::vector<int> Selected() const;
  int Compare(int a, int b, int column) const;
  std::string CalendarText(int c) const;
  bool Changed() const;
  UiClassCalendar& Cal(int c) { return g_ui_structure.classes[c].calendars[m_set]; }

  int m_set;
  bool m_save;
  std::vector<int> m_order;
  std::array<std::int8_t, kColumns> m_direction{};
  std::vector<std::array<UiClassCalendar, 2>> m_opened_with;
  ClassWeekHours m_hours;
  int m_mismatches = 0;
  bool m_filling = false;
  // The pickers keep their titles by address: the texts live here.
  char m_calendar_title[120] = {};
  char m_lengths_title[120] = {};
  std::uint8_t m_length_counts[2] = {};

  kt::ui::ListView m_list;
  CBW_dwh m_calendar;
  CBW_HQ2alt m_lengths;
  CColorButton m_clear, m_standard, m_returns, m_save_button, m_abandon;
  CMuto m_count;
  CSpiegaML m_help;
  CdwhExt m_picker;
  Chq2alt m_length_picker;

  KT_DECLARE_MESSAGE_MAP()
};

// Runs the dialog modally on a calendar set.
int calespe_run(int set, bool save);

// Before a computation: mode 0 stops at the first class whose calendar
// hours differ from its weekly teaching hours, mode 1 warns and opens the
// dialog with saving, mode 2 (test runs) warns once. 0: go on, -1: stop.
int calespe_check_class_hours(int mode);

void ui_register_special_calendars_template();
