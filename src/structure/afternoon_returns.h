// Cgerien, "Gestione Rientri": the small modal dialog in which a school
// with a canteen sets its lunch break, the hour of the day at which the
// break falls and the shortest and longest duration of it in hours. The
// special calendars dialog builds it on its stack and runs it.
//
// Every choice writes the working settings at once; abandoning with Yes
// puts back the four lunch-break bytes as they were at opening (the
// returns written into the teachers by the first switch-on stay).
// "!SALVA le modifiche" closes with 555; Enter does so only while that
// button has the focus.
#pragma once

#include <cstdint>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"
#include "structure/afternoon_returns_question.h"

class Cgerien : public CDialogML {
 public:
  static constexpr int kTemplate = 238;
  static constexpr int kSaved = 555;
  static constexpr int kHourId = 1500, kMinId = 1501, kMaxId = 1502, kHelpButtonId = 1503, kHelpPaneId = 1504,
                       kSaveId = 1505, kAbandonId = 1506;

  Cgerien() : CDialogML(kTemplate) {}
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void OnHour();
  void OnDuration(int which);
  void Refresh();

  std::uint8_t m_opened_with[4] = {};
  LunchHourList m_hours;
  kt::ui::ComboBox m_hour, m_min, m_max;
  CSpiegaML m_help;
  CColorButton m_help_button, m_save, m_abandon;
};

void ui_register_afternoon_returns_template();
