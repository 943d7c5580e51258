// Carchivio, the archive and cloud dialog of the home page's "Archiviazioni
// e cloud": the school archived to a zip file in a folder the user picks, a
// school restored from such an archive, the copies on the USB pen (restore
// and delete, through the search window), and the cloud, which needs the
// maker's servers and says that it is not available.
//
// The home page sets the mode before it runs the dialog modally: 0 normal,
// 1 the cloud code was just entered (in the data root), 2 no school folder
// is open (then nothing can be archived, but a school can be restored). The
// dialog ends with 9876 when the current school folder changed (a restore),
// which asks the home page to run it again for the school now current.
// User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "shell/dialog_ml.h"

class Carchivio : public CDialogML {
 public:
  static constexpr int kTemplate = 9826;
  static constexpr int kRunAgain = 9876;
  static constexpr int kStateId = 1001, kHelpId = 1002, kArchiveId = 1003, kRestoreId = 1004, kPenRestoreId = 1005,
                       kPenDeleteId = 1006, kCloudSaveId = 1007, kCloudRestoreId = 1008, kZipLabelId = 1009,
                       kPenLabelId = 1010, kCloudLabelId = 1011;
  Carchivio() : CDialogML(kTemplate) {}

  std::uint8_t m_mode = 0;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  void OnArchive();
  void OnRestore();
  void OnPen(int delete_mode);
};

extern Carchivio g_archive_dialog;

// The platform's chooser as the program sets it (the chooser is the screen
// backend's): kind 0 asks for the folder an archive goes to, kind 1 for the
// archive file to restore; the answer is a program path. False: cancelled.
// None set: the dialog says that choosing is not available.
extern std::function<bool(int kind, std::string& path)> g_archive_chooser;
// The chooser's title for a kind, in the user's language (1252).
const char* ui_archive_chooser_title(int kind);

// What the home page runs: the dialog in `mode`; its result (9876: again).
int ui_run_archive_dialog(int mode);
void ui_register_archive_template();
