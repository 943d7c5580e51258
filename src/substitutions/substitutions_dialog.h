// Cmenu_sost, the substitutions of the day (template 130), run modally by the
// home page once "SOLO:" has loaded the school, its timetable and the
// absences recorded so far into g_substitution_state. The user chooses the
// day, marks absent teachers with a reason and their hours (each teacher's
// row shows the day's cell codes, so it is plain when he teaches), then
// computes: the absences go to "assenze.txt" ("SOSA:"), the engine computes
// the cover ("SOST:") and the rows show in the result list; "STAMPA" writes
// the reports ("SOSX:") and opens their folder.
//
// The dialog edits only the shared state; every file is written by the
// engine steps, and a failed step shows the engine's message and leaves the
// list as it was. Closing (Chiudi, Esc, the close button) with absences
// marked or taken off since "assenze.txt" was last read or written records
// them there first ("SOSA:" only, nothing is computed): the officer who
// marks the day's absences and closes finds them again. When that write
// fails the dialog says so and stays open unless the officer chooses to
// close without them.
#pragma once

#include <cstdint>

#include "engine/substitution_services.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"

class Cmenu_sost : public CDialogML {
 public:
  static constexpr int kTemplate = 130;
  static constexpr int kTitleId = 1001, kDayId = 1002, kTeachersId = 1003, kReasonId = 1004, kMarkId = 1005,
                       kRemoveId = 1006, kAbsentId = 1007, kComputeId = 1008, kPrintId = 1009, kResultsId = 1030,
                       kFirstHourId = 1010;  // 12 hour boxes: 1010 .. 1021

  Cmenu_sost() : CDialogML(kTemplate) {}
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  void OnDayChosen();
  void OnTeacherChosen();
  void OnMark();
  void OnRemove();
  void OnCompute();
  void AbsencesChanged();
  void OnPrint();
  void ShowTeachers();
  void ShowAbsent();
  void ShowResults();
  int DayHours() const;
  // The day and absences as "assenze.txt" holds them since it was last read
  // or written by this dialog.
  void RememberRecorded();
  bool AbsencesUnrecorded() const;

  kt::ui::ComboBox m_days, m_reasons;
  kt::ui::ListBox m_teachers, m_absent, m_results;
  CColorButton m_mark, m_remove, m_compute, m_print, m_close;
  std::int32_t m_recorded_day = 0;
  std::int32_t m_recorded_count = 0;
  AbsentTeacher m_recorded[kMaxAbsentTeachers] = {};
};

// Registers templates 130 and 242.
void ui_register_substitution_templates();
// Puts the provisional page in the frame and gives the home page the dialog.
void substitutions_install_pages();
