// Cprovvi, the provisional-timetable page (template 242) that the frame's
// "Orario Provvisorio" button opens. While it is open the program works on
// the provisional timetable: g_provisional_mode is set (the coloured buttons
// take the provisional palette, the week-grid pickers count the provisional
// hours, the engine reads "cattPROV.txt", saves ".\\saveprov.txt" and
// reports into ".\\Provvisorio\\"); leaving the page clears it.
//
// The page holds the provisional week calendar (the hours of each day of the
// first school days, edited in the week-grid picker with earlier hours filled
// in; a changed calendar is saved with the school at once, since the
// description carries it) and the computation: it writes "cattPROV.txt"
// (posts adapted to the shorter week) and runs the computation window on it.
// With a provisional week saved, the user chooses first: continue from it,
// or set it aside (".\\saveprov_precedente.txt") and compute from an empty
// week.
// The final timetable's files are never written from here.
#pragma once

#include <cstdint>

#include "pickers/summary_buttons.h"
#include "pickers/week_grid_picker.h"
#include "shell/color_button.h"
#include "shell/resizable_dialog.h"

class Cprovvi : public CResizableDialog {
 public:
  static constexpr int kTemplate = 242;
  static constexpr int kTitleId = 1001, kCalendarId = 1002, kComputeId = 1003, kLeaveId = 1004, kNoticeId = 1005;

  Cprovvi() : CResizableDialog(kTemplate) {}

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
  void OnDestroy() override;

 private:
  void OnCalendar();
  void OnCompute();
  void ShowCalendar();

  std::uint8_t m_mask[84] = {};
  Cdwh m_picker;
  CBW_dwh m_calendar;
  CColorButton m_compute, m_leave;
};

extern Cprovvi g_provisional_page;
