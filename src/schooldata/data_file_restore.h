// Restoring a copy of school data found by the data-file search into the
// working folder, or deleting a copy from the pen. The questions go through
// the caller's dialogue (the search dialog shows message boxes; tests
// answer), texts in the user's language (1252).
//
// Files are copied through a temporary beside each target and renamed, so
// a copy that fails halfway leaves the old file whole. Once a copy's files
// are in place, the target's school data files that it did not give (work
// done after the copy was made) are moved into a sub-folder, and the user is
// told which and where (later_work_aside.h). A deletion only ever
// touches a folder strictly below the pen's root that is not the working
// folder.
#pragma once

#include <functional>
#include <string>

struct DataFileDialogue {
  std::function<bool(const std::string& text)> ask_yes_no;  // true for Yes
  std::function<void(const std::string& text)> tell;
  // The data-folder chooser: negative cancels, 11 makes the working folder
  // the target, anything else keeps the target. Empty: keep the target.
  std::function<int(const std::string& working, const std::string& target)> choose_data_folder;
};

enum class DataFileOutcome {
  kNothingSelected,
  kSameFolder,
  kCancelled,
  kRestored,  // the files are in the target; a pen restore made it current
  kDeleted,
  kFailed,
};

// Restore after a search of every drive: asks, then copies the eight data
// files (scuola3P.txt included) into the working folder. Paths are this
// machine's.
DataFileOutcome data_file_restore_to_working(const std::string& selected, const std::string& working,
                                             const DataFileDialogue& dialogue, int language);

// The folder a pen copy returns to: the same path below the drive root,
// with "Copia_Dati_Orario" replaced by the data folder "KestrinTempusDati".
std::string data_file_pen_target(const std::string& selected, const std::string& pen_root,
                                 const std::string& drive_root);

// Restore from the pen: the target by data_file_pen_target (or the working
// folder when the chooser says so), asks before covering an existing school
// and again when the disk's scuola2.txt is newer, copies the seven data
// files and makes the target the current folder (*now_current).
DataFileOutcome data_file_restore_from_pen(const std::string& selected, const std::string& pen_root,
                                           const std::string& working, bool working_is_data_root,
                                           const DataFileDialogue& dialogue, int language,
                                           std::string* now_current);

// Deletes a copy from the pen: inside "Copia_Dati_Orario" it is moved to
// "Copia_Dati_DELETE" at the pen's root, elsewhere removed with its files.
DataFileOutcome data_file_delete_copy(const std::string& selected, const std::string& pen_root,
                                      const std::string& working, const DataFileDialogue& dialogue, int language);

// The texts of the search dialog and of the restore (1252).
enum class DataFileText {
  kSelectFirst,
  kChooseOtherFolder,
  kCoverExisting,
  kPenOlder,
  kDeleteConfirm,  // holds one %s: the folder
  kErrorCreating,  // holds one %s
  kCopyFailed,     // holds one %s
  kTitlePen,
  kTitleComputer,
  kRecover,
  kDelete,
  kBusy,
  kCannotDelete,
};
const char* data_file_text(DataFileText which, int language);
