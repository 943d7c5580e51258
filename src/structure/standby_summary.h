// CContadispo: the small modeless window "Riepilogo Ore a Disposizione"
// that shows, for each of the 84 hours of the week, how many stand-by hours
// ("ore a disposizione") of the computed timetable are placed there. It
// refreshes itself every second from the engine's cached counts while the
// timetable is edited, marks the slot the timetable board last stored, and
// a click on a cell selects, one after the other, the teachers who have a
// stand-by hour there (written into the board's selected-teacher variable).
//
// One global object, g_contadispo, lives for the run; the board creates its
// window on demand (at most once) and destroys it with itself. The click
// state (last cell, rotating teacher) belongs to the object and survives
// the window. Only the UI thread uses it, while no engine command runs.
#pragma once

#include <cstdint>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"

class CContadispo : public CDialogML {
 public:
  static constexpr int kTemplate = 200;
  static constexpr int kCaptionId = 1360, kFirstDayHeadingId = 1361, kFirstHourHeadingId = 1601, kHintId = 1368;
  static constexpr kt::ui::WParam kTimer = 12345679;
  static constexpr std::uint32_t kTimerMs = 1000;
  static constexpr int kMarkedState = 8;

  CContadispo() : CDialogML(kTemplate) {}
  ~CContadispo() override;

  // The cell control of a slot (day 0-6, hour 0-11).
  static int CellId(int day, int hour);

  // Creates the window unless it exists: 1 created, 0 not. Without a
  // board variable to write into, the program ends (system error "SW").
  int Create(kt::ui::Window* parent);
  bool IsCreated() const { return m_created; }
  int DestroyWindow() override;
  // The point the window opens at (its corner goes 15 pixels left of it
  // and 25 above); without one the template's place is kept.
  void SetOpenPoint(int x, int y);

  // The board's selected-teacher index (a teacher of the timetable view);
  // set by the board before Create.
  std::int32_t* m_selected_teacher = nullptr;

  // Cells of slots the school's week does not have stay empty and disabled.
  void Refresh();
  void FindStandbyTeacher(int day, int hour);
  CColorButton& Cell(int day, int hour) { return m_cells[day * 12 + hour]; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnDestroy() override;
  // Enter and Esc leave the window open; the close box of its title bar
  // closes it, and the board's button makes it again.
  void OnOK() override {}
  void OnCancel() override {}
  void OnClose() override { DestroyWindow(); }

 private:
  CColorButton m_cells[84];
  bool m_created = false;
  bool m_first_fill = false;
  bool m_has_point = false;
  int m_x = 0, m_y = 0;
  int m_last_day = -1, m_last_hour = -1;
  int m_rotating = 0;
};

extern CContadispo g_contadispo;
