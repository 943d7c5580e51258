// Crical: the dialog that lists the copies of school data found on the
// computer or on the pen and restores one into the working folder, deletes
// one from the pen, or hands a chosen folder back to its caller. One global
// object, g_rical, whose mode its callers set before running it modally.
//
// The search runs on a worker thread (data_file_search.h) that never touches
// a window: the dialog polls it on a timer, adds the rows found so far and
// shows the folder being walked, and finishes the list when the worker is
// idle again. Esc while searching only asks the worker to stop; Esc when
// idle closes the dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "schooldata/data_file_restore.h"
#include "schooldata/data_file_search.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

// Registers the dialog template 252; idempotent.
void ui_register_data_file_search_template();

class Crical : public CResizableDialog {
 public:
  static constexpr int kTemplate = 252;
  static constexpr int kListId = 1030, kStartId = 1164, kActionId = 1165, kTitleId = 1552, kSearchLabelId = 1548,
                       kFolderId = 1635, kWorkLabelId = 1549, kWorkId = 1040, kHelpId = 1758;
  // The list column of the hidden sort key, year to second.
  static constexpr int kSortKeyColumn = 3;
  static constexpr kt::ui::WParam kPollTimer = 12345679;
  static constexpr std::uint32_t kPollMs = 231;  // the processing pages' pace
  static constexpr std::int8_t kEveryDrive = -1;

  Crical();
  ~Crical() override;

  // Mode, set by the caller before DoModal: drive kEveryDrive for the drive
  // root and every pen, 'C' for the drive root only, any other letter for
  // the pen; selection mode hands the chosen folder back (result 1).
  std::int8_t m_drive = kEveryDrive;
  std::uint8_t m_selection_mode = 0;
  std::uint8_t m_delete_mode = 0;
  const char* m_search_root = nullptr;  // program path below each root, or none
  std::string m_result_folder;          // selection mode: this machine's path

  kt::ui::LResult DoModal() override;
  // Waits until the worker has finished (tests; the timer still has to run).
  void WaitForSearch() { m_search.join(); }
  bool Searching() const { return m_searching; }
  const std::vector<DataFileCopy>& Rows() const { return m_rows; }
  // The questions of the restore go through message boxes; tests may
  // replace the data-folder chooser.
  DataFileDialogue m_dialogue;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnCancel() override;

 private:
  bool SingleDrive() const { return m_drive != kEveryDrive; }
  bool PenDrive() const { return SingleDrive() && m_drive != 'C'; }
  void StartSearch();
  void ShowRows(std::size_t from);
  void FinishSearch();
  void RestoreOrDelete();
  void ReadRestoredSchool();
  std::string PenRootOf(const std::string& folder) const;

  kt::ui::ListView m_list;
  CSpiegaML m_help;
  DataFileSearch m_search;
  std::vector<DataFileCopy> m_rows;  // the list's rows; item data is the index here
  bool m_searching = false;
  std::string m_working;  // the current folder when the dialog opened
  std::mutex m_walking_lock;
  std::string m_walking;  // written by the worker, shown by the timer
};

extern Crical g_rical;
// The data-folder chooser every search dialog starts with (the structure
// editors' destination folder choice); none: the target is kept.
extern std::function<int(const std::string& working, const std::string& target)> g_data_folder_chooser;
