// The USB pen of the backup page (see pen_backup.h).
#include "remote/pen_backup.h"


#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/removable_media.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "schooldata/data_file_search_dialog.h"
#include "schooldata/school_files.h"
#include "shell/frame.h"
#include "shell/message_box.h"

namespace {

const char* const kReserve = "KestrinTempusRiserva";

const MlText kNoPen = {"Penna USB non trovata: inserirla e riprovare.",
                       "USB-Stick nicht gefunden: einstecken und erneut versuchen.",
                       "USB pen not found: insert it and try again."};

std::string pen_root() {
  std::vector<kt::MountedMedium> media = kt::removable_media();
  if (media.empty() || !kt::folder_exists(media.front().mount_point)) return std::string();
  return media.front().mount_point;
}

std::uint64_t free_bytes(const std::string& folder) { return kt::free_space(folder).value_or(0); }

// The ballast files of the reserve, in name order.
std::vector<std::string> ballast_files(const std::string& reserve) {
  std::vector<std::string> files;
  auto entries = kt::list_folder(reserve);
  if (!entries) return files;
  for (const kt::FolderEntry& e : *entries)
    if (!e.is_folder && e.name.rfind("riserva_", 0) == 0) files.push_back(reserve + "/" + e.name);
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::uint64_t ui_make_room_on_pen(std::uint64_t bytes) {
  std::string root = pen_root();
  if (root.empty()) return 0;
  std::vector<std::string> files = ballast_files(root + "/" + kReserve);
  while (free_bytes(root) < bytes && !files.empty()) {
    if (!kt::remove_file_if_present(files.back())) break;
    files.pop_back();
  }
  return free_bytes(root);
}

std::uint64_t ui_fill_pen_ballast(int create, char drive) {
  (void)drive;  // the one pen of this system
  std::string root = pen_root();
  if (root.empty()) return 0;
  std::string reserve = root + "/" + kReserve;
  if (!kt::folder_exists(reserve)) {
    if (!create || !kt::make_folders(reserve)) return 0;
  }
  std::uint64_t held = 0;
  std::vector<std::string> files = ballast_files(reserve);
  for (const std::string& f : files) {
    std::error_code ignored;
    std::uintmax_t size = std::filesystem::file_size(f, ignored);
    if (!ignored) held += size;
  }
  std::uint64_t room = std::min(kPenBallastBytes - std::min(held, kPenBallastBytes), free_bytes(root) / 2);
  std::uint64_t written = 0;
  for (int n = int(files.size()); room >= 64 * 1024; ++n) {
    char name[64];
    std::snprintf(name, sizeof name, "/riserva_%03d.bin", n);
    if (!kt::write_file_atomically(reserve + name, std::string(64 * 1024, '\0'))) break;
    room -= 64 * 1024;
    written += 64 * 1024;
  }
  return written;
}

int ui_open_pen_copies(int delete_mode) {
  if (pen_root().empty()) {
    ui_message_box(kNoPen);
    return -1;
  }
  if (delete_mode) ui_make_room_on_pen(1024);
  g_rical.m_drive = static_cast<std::int8_t>(kt::cp1252_upper(static_cast<unsigned char>(kPenDrive)));
  g_rical.m_selection_mode = 0;
  g_rical.m_search_root = nullptr;
  g_rical.m_delete_mode = delete_mode ? 1 : 0;
  alfadlg_lock_navigation(0);
  g_rical.DoModal();
  alfadlg_unlock_navigation(1);
  // The window's other callers search every drive.
  g_rical.m_drive = Crical::kEveryDrive;
  g_rical.m_delete_mode = 0;
  if (delete_mode) ui_fill_pen_ballast(0, kPenDrive);
  else og_read_school_files(0);  // a restored school is read again, so no save writes the old one back
  return 0;
}
