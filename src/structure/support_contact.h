// Cemergex: the modeless window "Istruzioni per contattare l'assistenza".
// It tells the user which folder holds the school's data and which files to
// send, and offers to open that folder, to search the data files, to chat
// with the on-line assistance, to book a call and to show the toll-free
// number. Each offering place keeps one instance for the whole run; Create
// makes the window only when it is not open, so a second request leaves
// the open one untouched. Closing destroys the window and clears the
// created flag. The services that belong elsewhere are reached through
// hooks the program (or a test) installs; an absent hook does nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"

struct SupportContactHooks {
  // Opens a folder of this machine; false when nothing could be started.
  std::function<bool(const std::string& folder)> open_folder;
  std::function<void()> search_data_files;
  std::function<void()> show_assistance_console;
  std::function<void(int show_code)> show_callback_dialog;
  std::function<void()> show_toll_free_number;
};
// The hooks every window uses; defaults open the folder with the desktop,
// run the data-file search and the toll-free notice.
SupportContactHooks& support_contact_hooks();

// The folder text the window shows for a current directory: the directory,
// followed by the request to make a school folder when it is the data root.
std::string support_contact_folder_text(const std::string& current_directory);

class Cemergex : public CDialogML {
 public:
  static constexpr int kTemplate = 199;
  static constexpr int kFolderId = 1700;
  static constexpr int kPictureId = 1701;
  static constexpr int kOpenFolderIds[3] = {1702, 1703, 1704};  // large, call me, email
  static constexpr int kSearchId = 1705;
  static constexpr int kChatIds[2] = {1706, 1707};
  static constexpr int kBookCallIds[2] = {1708, 1709};
  static constexpr int kTollFreeIds[2] = {1710, 1711};
  static constexpr int kCloseId = 1712;
  static constexpr int kCallbackShowCode = 5;

  Cemergex() : CDialogML(kTemplate) {}
  // 1 when it made the window, 0 when the window was already open.
  int Create(kt::ui::Window* parent);
  bool IsCreated() const { return m_created != 0; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override { Close(); }
  void OnCancel() override { Close(); }
  void OnClose() override { Close(); }

 private:
  void Close();

  std::uint8_t m_created = 0;
  CSpiegaML m_folder;
  kt::ui::StaticText m_picture;
};
