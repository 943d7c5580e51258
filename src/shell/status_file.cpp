// Reading and writing the program status file (see status_file.h). Values
// are read with atoi; each further value of a key follows the next '-', so
// a missing one leaves its global as it was. The frame coordinates are
// forced to 100 when either is negative, on reading and on writing, so a
// frame saved off screen comes back where it can be seen.
#include "shell/status_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "shell/app_startup.h"
#include "shell/ml_text.h"

std::uint8_t g_hint_flags = 0;
std::uint8_t g_nointe_option = 0;
std::uint8_t g_nointe_reply = 0;
std::uint8_t g_processing_options[2] = {0, 0};
std::uint8_t g_auto_derogation = 0;
std::uint8_t g_cpu_saver = 0;
std::uint8_t g_remote_monitor_option = 0;
std::int32_t g_frame_top = 0;
std::int32_t g_frame_left = 0;
std::uint8_t g_nietsk_option = 0;
std::uint16_t g_list_column_widths[kListColumnSlots] = {};

namespace {

std::string status_file_path() { return kt::translate_path(std::string(g_data_root) + kStatusFileName); }

// The text after the next '-' of a value list, or null.
char* next_value(char* text) {
  char* dash = or_find_range_dash(text);
  return dash ? dash + 1 : nullptr;
}

void fix_frame_position() {
  if (g_frame_top < 0 || g_frame_left < 0) g_frame_top = g_frame_left = 100;
}

// Set when the last reading of the file met a read error.
bool g_status_file_unreadable = false;

const MlText kUnreadable = {
    "Errore di lettura del file %s: il file non \xE8 stato letto per intero.\n\nIl programma parte con le "
    "impostazioni iniziali e non salva le sue impostazioni finch\xE9 il file non si legge di nuovo.",
    "Lesefehler in der Datei %s: die Datei wurde nicht ganz gelesen.\n\nDas Programm startet mit den "
    "Anfangseinstellungen und speichert seine Einstellungen nicht, bis die Datei wieder lesbar ist.",
    "Read error in the file %s: the file was not read whole.\n\nThe program starts with its initial settings "
    "and does not save its settings until the file can be read again."};

}  // namespace

bool og_apply_status_line(char* line) {
  std::size_t n = std::strlen(line);
  while (n > 0 && static_cast<unsigned char>(line[n - 1]) >= 1 && static_cast<unsigned char>(line[n - 1]) <= 32)
    line[--n] = 0;
  if (n < 7) return false;
  char* value = line + 7;
  auto key = [&](const char* k) { return std::strncmp(line, k, 7) == 0; };
  auto byte = [](const char* t) { return static_cast<std::uint8_t>(std::atoi(t)); };
  char* more = nullptr;
  if (key("CURDIR:")) {
    std::snprintf(g_current_folder, sizeof g_current_folder, "%s", value);
  } else if (key("IMCOOK:")) {
    g_hint_flags = byte(value);
  } else if (key("NOINTE:")) {
    g_nointe_option = byte(value);
    if ((more = next_value(value))) g_nointe_reply = byte(more);
  } else if (key("OLDWRD:")) {
    g_processing_options[0] = byte(value);
    if ((more = next_value(value))) g_processing_options[1] = byte(more);
  } else if (key("ELFLAG:")) {
    g_auto_derogation = byte(value);
    if ((more = next_value(value))) {
      g_cpu_saver = byte(more);
      if ((more = next_value(more))) g_remote_monitor_option = byte(more);
    }
  } else if (key("INICOO:")) {
    g_frame_top = std::atoi(value);
    if ((more = next_value(value))) g_frame_left = std::atoi(more);
    fix_frame_position();
  } else if (key("LINGUA:")) {
    int language = std::atoi(value);
    g_language = static_cast<std::uint8_t>(language >= 0 && language <= 2 ? language : 0);
  } else if (key("NIETSK:")) {
    g_nietsk_option = byte(value);
  } else if (key("PLCOLW:")) {
    char* at = value;
    for (int slot = 0; slot < kListColumnSlots && at; ++slot) {
      g_list_column_widths[slot] = static_cast<std::uint16_t>(std::atoi(at));
      at = next_value(at);
    }
  } else {
    return false;
  }
  return true;
}

bool og_read_status_file() {
  g_status_file_unreadable = false;
  std::FILE* f = or_fopen((std::string(g_data_root) + kStatusFileName).c_str(), "rt");
  if (!f) return false;
  char line[kCurrentFolderSize + 2];
  // The reader tells a read error from the end of the file through ferror,
  // or errno for its test seam; a value's atoi may set errno on its own.
  errno = 0;
  while (or_read_line(line, sizeof line, f)) {
    og_apply_status_line(line);
    errno = 0;
  }
  g_status_file_unreadable = std::ferror(f) != 0 || errno != 0;
  or_fclose(f);
  return !g_status_file_unreadable;
}

bool og_status_file_unreadable() { return g_status_file_unreadable; }

std::string og_status_file_unreadable_text() {
  std::string name = kt::utf8_to_cp1252(status_file_path());
  std::vector<char> text(name.size() + std::strlen(kUnreadable.Get()) + 1);
  std::snprintf(text.data(), text.size(), kUnreadable.Get(), name.c_str());
  return text.data();
}

void og_write_status_file() {
  // A file that could not be read is not written over: the settings it
  // holds past the error would be lost with it.
  if (g_process_number >= 1 || g_status_file_unreadable) return;
  std::snprintf(g_current_folder, sizeof g_current_folder, "%s", og_current_folder_path().c_str());
  kt::AtomicFile file(status_file_path());
  if (!file.is_open()) return;
  fix_frame_position();
  char line[kCurrentFolderSize + 40];
  char work[2 * sizeof line + 10];
  auto put = [&](const char* format, auto... values) {
    std::snprintf(line, sizeof line, format, values...);
    or_write_status_line(file.stream(), line, work);
  };
  put("CURDIR:%s\n", g_current_folder);
  put("IMCOOK:%d\n", g_hint_flags);
  put("NOINTE:%d-%d\n", g_nointe_option, g_nointe_reply);
  put("OLDWRD:%d-%d\n", g_processing_options[0], g_processing_options[1]);
  put("ELFLAG:%d-%d-%d\n", g_auto_derogation, g_cpu_saver, g_remote_monitor_option);
  put("INICOO:%d-%d\n", g_frame_top, g_frame_left);
  put("LINGUA:%d\n", g_language);
  put("NIETSK:%d\n", g_nietsk_option);
  file.commit();
}

ProgramStatusSettings og_capture_status_settings() {
  ProgramStatusSettings s{};
  std::memcpy(s.current_folder, g_current_folder, sizeof s.current_folder);
  s.hint_flags = g_hint_flags;
  s.nointe_option = g_nointe_option;
  s.nointe_reply = g_nointe_reply;
  s.processing_options[0] = g_processing_options[0];
  s.processing_options[1] = g_processing_options[1];
  s.auto_derogation = g_auto_derogation;
  s.cpu_saver = g_cpu_saver;
  s.remote_monitor_option = g_remote_monitor_option;
  s.frame_top = g_frame_top;
  s.frame_left = g_frame_left;
  s.language = g_language;
  s.nietsk_option = g_nietsk_option;
  std::memcpy(s.list_column_widths, g_list_column_widths, sizeof s.list_column_widths);
  return s;
}

void og_apply_status_settings(const ProgramStatusSettings& s) {
  std::memcpy(g_current_folder, s.current_folder, sizeof g_current_folder);
  g_current_folder[sizeof g_current_folder - 1] = 0;
  g_hint_flags = s.hint_flags;
  g_nointe_option = s.nointe_option;
  g_nointe_reply = s.nointe_reply;
  g_processing_options[0] = s.processing_options[0];
  g_processing_options[1] = s.processing_options[1];
  g_auto_derogation = s.auto_derogation;
  g_cpu_saver = s.cpu_saver;
  g_remote_monitor_option = s.remote_monitor_option;
  g_frame_top = s.frame_top;
  g_frame_left = s.frame_left;
  g_language = s.language;
  g_nietsk_option = s.nietsk_option;
  std::memcpy(g_list_column_widths, s.list_column_widths, sizeof g_list_column_widths);
}
