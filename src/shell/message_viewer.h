// Cmessshow: the resizable window in which the home page shows a message
// file downloaded from the maker's server ("Message.txt", "Warning.txt").
// It reads the file into a read-only help pane, line by line; "#IGNO:" ends
// the reading and empties the count (the server's way of withdrawing a
// message), other "#" lines are comments. The caller shows the window when
// at least one character was shown and otherwise deletes the file and
// destroys the window. "Ho capito: ..." deletes the file and closes.
#pragma once

#include "shell/color_button.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

class Cmessshow : public CResizableDialog {
 public:
  static constexpr int kTemplate = 240;
  static constexpr int kTextId = 1789, kCloseId = 1, kUnderstoodId = 1031;
  static constexpr kt::ui::WParam kFocusTimer = 12345679;

  Cmessshow() : CResizableDialog(kTemplate) {}

  // Makes the modeless window unless it is open; false when it was.
  bool Create(kt::ui::Window* parent);

  const char* m_file_name = nullptr;     // Windows-style path of the message file
  kt::ui::Rect m_placement;              // all 0: the window stays where it is made
  int ShownCount() const { return m_shown; }
  // The file was not read whole: it is shown with a note and never deleted.
  bool ReadFailed() const { return m_read_failed; }
  bool IsOpen() const { return m_open; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnTimer(kt::ui::WParam id) override;
  void OnDestroy() override;
  void OnCancel() override;

 private:
  void ReadMessageFile();
  void OnCloseButton();
  void OnUnderstood();

  CSpiegaML m_text;
  CColorButton m_close, m_understood;
  bool m_open = false;
  int m_shown = 0;
  int m_ticks = 0;
  bool m_read_failed = false;  // the file was not read whole: it is kept

  KT_DECLARE_MESSAGE_MAP()
};
