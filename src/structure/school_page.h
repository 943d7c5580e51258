// Cproscuola, step 1 of the configuration ("1 Configurazione Indirizzi
// sezioni"): the school's name, its study tracks with their short print
// names, the weekly calendar (through the clock-time week grid), the short
// day and prolonged hours, the special calendars entry, and in its lower
// half the sections panel: the grid of sections per track, the list of
// sections with their classes, the class-year buttons, the section type,
// the classical-lyceum numbering and the move of a class.
//
// Every control writes straight into the working copies of the school
// model; nothing reaches disk until "!SALVA le modifiche" or the
// unsaved-changes prompt. A class is known everywhere by its index, so
// classes are deleted by zeroing their code, never by moving records, and
// a class any teaching post uses is never deleted here. The page leaves
// (its window is destroyed) only when the tracks validate and the user
// agrees to leave; otherwise DestroyWindow refuses and the frame stays.
// Workload: 14 tracks x 26 sections of buttons; refreshes walk at most 300
// classes and 500 x 40 posts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pickers/summary_buttons.h"
#include "pickers/week_grid_times.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/list_ctrl_ex.h"
#include "shell/resizable_dialog.h"

class Cproscuola : public CResizableDialog {
 public:
  static constexpr int kTemplate = 139;
  static constexpr int kTracks = 14, kSections = 26, kYears = 9;
  enum Id {
    kNameId = 1100, kNameHelpId, kTrackCountId, kTracksHelpId, kDeleteEmptyId = 1170, kCalendarId,
    kShortDayId, kShortDayHelpId, kProlongedId, kProlongedHelpId, kSpecialId, kSpecialHelpId, kSaveId,
    kAbandonId, kHowToId, kHelpPaneId, kSectionListId = 1190, kKeyLabelId, kFirstYearId,
    kQuickId = kFirstYearId + kYears, kClassicalId, kTypeId, kMoveId, kClassHelpId,
  };
  static constexpr int kFirstTrackNameId = 1110, kFirstShortNameId = 1130, kFirstInitialId = 1150;
  static constexpr int kFirstSectionId = 3000;  // + track x 26 + section
  static constexpr int section_id(int track, int section) { return kFirstSectionId + track * kSections + section; }

  Cproscuola();

  // Replaceable modal run of the special calendars of classes (argument:
  // the calendar set, 0 normal); none: "not available yet".
  static void (*s_special_calendars)(int set);

  // The first track's name kept while the school has one track (program-wide).
  static char s_kept_first_track[21];
  // The one-shot flags of the two "has lessons" messages (program-wide).
  static std::uint8_t s_class_message_pending, s_section_message_pending;

  int DestroyWindow() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  // Upper half (school_page.cpp, school_tracks.cpp).
  void OnNameChange();
  void OnTrackCount();
  void OnTrackName(int track);
  void OnShortName(int track);
  void OnDeleteEmpty();
  void OnCalendar();
  void OnShortDay();
  void OnProlonged();
  void OnSpecialCalendars();
  void OnSave();
  void OnAbandon();
  void OnHelpButton(int id);
  void RefreshTrackRows();
  bool ValidateTracks();
  bool LeaveChecks(bool ask_to_save);
  bool PassesLeaveChecks(bool ask_to_save);
  void BuildCalendarGrid();
  void UpdateSpecialMark();
  void SetTrackCountList();
  void ClearTrackInitials();

  // Lower half (school_sections.cpp).
  void OnSection(int track, int section);
  void OnListFocus();
  void OnListSetFocus(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void FocusList();
  void OnListChanged(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void OnYear(int year);
  void OnQuick();
  void OnClassical();
  void OnType();
  using CResizableDialog::OnMove;
  void OnMove();
  void ComputeLessonMarks();
  void SetUpListColumns();
  void RefreshList();
  void RefreshSectionButtons();
  void SelectRow(int row);
  void ClassSwitch(int year, bool classical);
  void WriteRowCells(int row);
  void Renumber(bool on);
  int FindClass(int year) const;
  bool InSection(int class_index) const;
  bool ClassHasLessons(int class_index) const;

  std::array<kt::ui::Edit, kTracks> m_track_names, m_short_names, m_initials;
  std::array<CCheck, kTracks * kSections> m_section_buttons;
  std::array<CCheck, kYears> m_year_buttons;
  kt::ui::Edit m_name;
  kt::ui::ComboBox m_track_count, m_short_day, m_prolonged, m_type;
  CColorButton m_special, m_save, m_abandon, m_delete_empty, m_quick, m_move;
  CBW_dwh m_calendar;  // the week's summary, drawn from its window text at each paint
  CCheck m_classical;
  std::array<CColorButton, 7> m_help_buttons;
  CSpiegaML m_help;
  CListCtrlEx m_list;
  CMuto m_key_label;
  CdwhExt m_picker;

  std::array<std::uint8_t, 84> m_existing{};
  std::array<std::int16_t, 84> m_starts{}, m_durations{};
  std::array<std::uint8_t, 300> m_has_lessons{};
  char m_key[3] = {0, 0, 0};  // section letter, track initial (blank with one track)
  int m_row = -1;
  bool m_track_guard = false, m_short_guard = false, m_filling = false;
  // The list takes the focus from the page's own code (a refill, a leaving
  // check, a message box giving the focus back) without the help line and
  // the track check a user's focus brings; and a check never runs inside
  // another, so a box that hands the focus back cannot start it again.
  int m_quiet_list_focus = 0;
  bool m_list_checking = false;

  KT_DECLARE_MESSAGE_MAP()
};

extern Cproscuola g_school_page;
void ui_register_school_page_template();
