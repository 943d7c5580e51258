// The program status file "plenixstatus.txt" in the data root: the school
// folder that was open, the language, the frame's position and the option
// bytes that pages of several subsystems keep between runs. One setting a
// line, "KEY:value", each line through the line scrambler; plain lines
// written by hand read the same. The whole set is ProgramStatusSettings.
//
// Read once at start in every process; written at the end of the run and
// when the school folder changes, by the main process only, through a
// temporary file renamed over the old one, so a crash never leaves half a
// file. A damaged value reads as 0 and a language outside 0..2 as Italian.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kListColumnSlots = 30;  // widths kept by "PLCOLW:"
inline constexpr const char* kStatusFileName = "plenixstatus.txt";

extern std::uint8_t g_hint_flags;             // "IMCOOK:"
extern std::uint8_t g_nointe_option;          // "NOINTE:" first
extern std::uint8_t g_nointe_reply;           // "NOINTE:" second
extern std::uint8_t g_processing_options[2];  // "OLDWRD:"
extern std::uint8_t g_auto_derogation;        // "ELFLAG:" first
extern std::uint8_t g_cpu_saver;              // "ELFLAG:" second
extern std::uint8_t g_remote_monitor_option;  // "ELFLAG:" third
extern std::int32_t g_frame_top;              // "INICOO:" first
extern std::int32_t g_frame_left;             // "INICOO:" second
extern std::uint8_t g_nietsk_option;          // "NIETSK:"
extern std::uint16_t g_list_column_widths[kListColumnSlots];  // "PLCOLW:", read only

// The settings as one value (tests, and callers that save and restore them).
struct ProgramStatusSettings {
  char current_folder[400];
  std::uint8_t hint_flags, nointe_option, nointe_reply, processing_options[2];
  std::uint8_t auto_derogation, cpu_saver, remote_monitor_option;
  std::int32_t frame_top, frame_left;
  std::uint8_t language, nietsk_option;
  std::uint16_t list_column_widths[kListColumnSlots];
};
ProgramStatusSettings og_capture_status_settings();
void og_apply_status_settings(const ProgramStatusSettings& s);

// Writes the file (main process only); silently nothing when it cannot,
// and nothing after a reading that met a read error.
void og_write_status_file();
// Reads the file into the globals; false when it is missing or a read
// error stopped the reading (the lines before it are applied).
bool og_read_status_file();
// Whether the last reading met a read error, and the message that says so.
bool og_status_file_unreadable();
std::string og_status_file_unreadable_text();
// Applies one line (already unscrambled) to the globals; false for no known key.
bool og_apply_status_line(char* line);
