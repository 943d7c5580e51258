// Ceditek: the technical editor for expert users. On a computed timetable
// it moves single lesson hours to another day and hour and changes the lab
// of a lesson hour, lists for every lesson the lessons each change collides
// with ("CONFLITTI progressivi"), and saves the edited timetable through the
// engine's timetable writer. It is the one page that works on the engine's
// own tables instead of the user interface's model; edits live in the edit
// table (technical_edits.h) until they are saved.
//
// The processing menu runs it modally (tech_run_editor_modal), in which case
// it ends with 999; it is also a page of the frame (slot Editek, its page
// command), which returns to the processing menu after saving or abandoning.
// Leaving with edits not saved asks first; conflicts block the save. Sized
// for 10000 lessons in one list.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/resizable_dialog.h"

class Ceditek : public CResizableDialog {
 public:
  static constexpr int kTemplate = 322;
  static constexpr int kListId = 323, kDayId = 1019, kHourId = 1890, kLabId = 1018, kSaveId = 1164,
                       kAbandonId = 1165, kHelpId = 1071;

  static constexpr kt::ui::LResult kModalEnd = 999;

  Ceditek() : CResizableDialog(kTemplate) {}
  kt::ui::LResult DoModal() override;
  int DestroyWindow() override;
  int Listed() const { return m_count; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override {}
  void OnCancel() override { Abandon(); }

 private:
  void FillList();
  void WriteRow(int row, int lesson);
  void RefreshRows(int lesson);
  void ChooseRow(int row);
  void OnDayOrHour(bool day);
  void OnLab();
  void AfterChange();
  void Save();
  void Abandon();
  bool LeaveAllowed();

  kt::ui::ListView m_list;
  kt::ui::ComboBox m_day, m_hour, m_lab;
  CColorButton m_save, m_abandon;
  std::vector<int> m_labs;  // the lab room of each lab item after " Nessuno"
  int m_count = 0;
  int m_lesson = -1;
  bool m_saved = false;
  bool m_loaded = false;  // the engine's tables hold the computed week
  bool m_dialog_form = false;
  bool m_leaving = false;
};

extern Ceditek g_technical_editor;
// Runs a technical editor of its own modally; 999 when it ends.
kt::ui::LResult tech_run_editor_modal();
void ui_register_technical_editor_template();
