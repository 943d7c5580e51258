// Casau, the room-assignment window: after a timetable exists it decides in
// which room each lesson is held. It owns the allocation parameters (rooms
// per building, teachers per room, the allocation mode by class, teacher or
// room) and, per class, the movable flag, the class's own room and its
// forbidden rooms; all of them are kept in the school's structure file
// ("ASAU:", "ASAUMOVE:", "ASAUPREF:", "ASAUVIET:").
//
// A run: the syntax check reads the school; the settings are checked
// against it (a problem is shown and nothing is run or written); they are
// saved, handed to the engine and the allocation ("ASAU:") or the
// reduction of room changes ("MISV:") runs on the engine thread. A timer
// (231 ms) shows the progress and the per-class results. A run that
// allocated rooms writes the reports at once, with the rooms, and converts
// the room reports; "Cancella" deletes them. Run modally from the
// processing menu with the frame's navigation locked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/status_block.h"
#include "shell/engine_commands.h"
#include "shell/resizable_dialog.h"
#include "solver/room_window_handover.h"

class Casau : public CResizableDialog {
 public:
  static constexpr int kTemplate = 9911;
  static constexpr int kTitleId = 1001, kRoomsId = 1002, kTeachersId = 1003, kModeId = 1004, kClassListId = 1005,
                       kMovableId = 1006, kRoomId = 1007, kForbiddenId = 1008, kAssignId = 1009, kReduceId = 1010,
                       kStopId = 1011, kDeleteReportsId = 1012, kCloseId = 1013, kProgressId = 1014,
                       kResultId = 1015, kRoomsLabelId = 1016, kTeachersLabelId = 1017, kRoomLabelId = 1018,
                       kForbiddenLabelId = 1019;
  static constexpr kt::ui::WParam kTimer = 12345680;
  static constexpr std::uint32_t kTimerMs = 231;

  Casau();
  ~Casau() override;
  kt::ui::LResult DoModal() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnOK() override {}
  void OnCancel() override { Close(); }

 private:
  void LoadSettings();
  bool ReadParams();
  void ShowRecord(int index);
  void KeepRecord();
  void SaveSettings();
  void Run(EngineCommandCode code);
  void Poll();
  void Finish(std::int32_t result);
  void ShowClassResults(int code);
  void ShowReportHint();
  void Close();

  RoomAllocationParams m_params{};
  std::vector<RoomWindowClass> m_classes;
  // The records of the last run: those of classes with lessons.
  std::vector<RoomWindowClass> m_run_classes;
  std::string m_note;  // which classes the last run left out
  int m_shown = -1;  // the class record in the edit fields
  bool m_running = false;
  std::int32_t m_result = -1;
  std::string m_progress;
};

void ui_register_room_window_template();
// The processing menu's command: runs the window.
void board_open_room_window();
