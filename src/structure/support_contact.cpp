// Behaviour of the support contact window (see support_contact.h). The
// folder text compares the current directory with the data root without
// regard to case; a folder that nothing on this machine can open is named,
// with what to install. The data-file search runs with every drive
// searched and neither selection nor deletion mode.
#include "structure/support_contact.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_open.h"
#include "remote/service_windows.h"
#include "schooldata/data_file_search_dialog.h"
#include "shell/message_box.h"
#include "shell/small_dialogs.h"
#include "structure/input_box.h"

using namespace kt::ui;

namespace {

const MlText kNoFolderOpener = {
    "Nessun programma apre le cartelle su questo computer: installare xdg-utils e un gestore di file.\n"
    "La cartella è:\n%s"_cp,
    "Kein Programm öffnet auf diesem Computer Ordner: xdg-utils und einen Dateimanager installieren.\n"
    "Der Ordner ist:\n%s"_cp,
    "No program opens folders on this computer: install xdg-utils and a file manager.\nThe folder is:\n%s"};

const MlText kMakeFolder = {"\\ [ cartella che avrete creato per i dati della vostra scuola ]",
                            "\\ [Ordner, den Sie für die Daten Ihrer Schule angelegt haben]"_cp,
                            "\\ [folder  which you created for the data of your school]"};

constexpr Color kDarkBlue = rgb(0, 51, 153);

std::string folded(std::string text) {
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  for (char& c : text) c = char(kt::cp1252_lower(static_cast<unsigned char>(c)));
  return text;
}

std::string current_directory() {
  std::vector<char> buffer(4096, '\0');
  if (!getcwd(buffer.data(), buffer.size())) return std::string();
  return std::string(buffer.data());
}

SupportContactHooks make_default_hooks() {
  SupportContactHooks h;
  h.open_folder = [](const std::string& folder) { return kt::open_with_desktop(folder); };
  h.search_data_files = [] {
    g_rical.m_drive = Crical::kEveryDrive;
    g_rical.m_selection_mode = 0;
    g_rical.m_delete_mode = 0;
    g_rical.m_search_root = nullptr;
    g_rical.DoModal();
  };
  h.show_assistance_console = ui_show_assistance_console;
  h.show_callback_dialog = krv_show_callback_dialog;
  h.show_toll_free_number = [] {
    Cmemoverde notice;
    notice.DoModal();
  };
  return h;
}

}  // namespace

SupportContactHooks& support_contact_hooks() {
  static SupportContactHooks hooks = make_default_hooks();
  return hooks;
}

std::string support_contact_folder_text(const std::string& directory) {
  std::string root = kt::translate_path("\\KestrinTempusDati\\");
  if (!directory.empty() && folded(directory) == folded(root)) return directory + kMakeFolder.Get();
  return directory;
}

int Cemergex::Create(Window* parent) {
  if (m_created && IsWindow()) return 0;
  ui_register_structure_templates();
  if (!CDialogML::Create(kTemplate, parent)) return 0;
  m_created = 1;
  return 1;
}

void Cemergex::DoDataExchange(DataExchange& dx) {
  dx.Control(kFolderId, m_folder);
  dx.Control(kPictureId, m_picture);
}

bool Cemergex::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_folder.SetTextColored(support_contact_folder_text(current_directory()).c_str(), kDarkBlue);
  m_picture.ShowWindow(kSwHide);
  return true;
}

bool Cemergex::OnCommand(WParam w, LParam l) {
  if (command_code(w) != kBnClicked) return CDialogML::OnCommand(w, l);
  int id = command_id(w);
  SupportContactHooks& hooks = support_contact_hooks();
  for (int open : kOpenFolderIds) {
    if (id != open) continue;
    std::string folder = current_directory();
    if (!hooks.open_folder || !hooks.open_folder(folder)) {
      std::string shown = kt::utf8_to_cp1252(folder);
      std::vector<char> text(shown.size() + 300);
      std::snprintf(text.data(), text.size(), kNoFolderOpener.Get(), shown.c_str());
      ui_message_box(text.data());
    }
    return true;
  }
  if (id == kSearchId) {
    if (hooks.search_data_files) hooks.search_data_files();
    return true;
  }
  if (id == kChatIds[0] || id == kChatIds[1]) {
    if (hooks.show_assistance_console) hooks.show_assistance_console();
    return true;
  }
  if (id == kBookCallIds[0] || id == kBookCallIds[1]) {
    if (hooks.show_callback_dialog) hooks.show_callback_dialog(kCallbackShowCode);
    return true;
  }
  if (id == kTollFreeIds[0] || id == kTollFreeIds[1]) {
    if (hooks.show_toll_free_number) hooks.show_toll_free_number();
    return true;
  }
  if (id == kCloseId) {
    Close();
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

void Cemergex::Close() {
  m_created = 0;
  DestroyWindow();
}
