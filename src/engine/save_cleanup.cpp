// Clean-up and path helpers the error paths and the writers share: the
// report path builder, the stop request to the parallel workers and the
// deletion of save files after a run.
//
// The deletions go through the shell's delete-if-present operation, so a
// missing file is never an error. A parallel worker writes no save files and
// therefore deletes none either.
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "platform/cp1252.h"

namespace {

const char* const kTimetablePrefix[3] = {"Orario ", "Stundenplan ", "Timetable "};

bool has_report_extension(const char* name) {
  std::size_t len = std::strlen(name);
  if (len < 4) return false;
  const char* tail = name + len - 4;
  return kt::cp1252_casecmp(tail, ".txt") == 0 || kt::cp1252_casecmp(tail, ".csv") == 0;
}

}  // namespace

char* or_report_path(char* buffer, const char* name, const char* extension, int kind) {
  if (!g_output_folder) return nullptr;
  if (!name) name = "";
  const char* prefix = (kind == 'b' || kind == 'n') ? or_pick_text(kTimetablePrefix) : "";
  if (has_report_extension(name))
    std::snprintf(buffer, kReportPathSize, "%s%s%s", g_output_folder, prefix, name);
  else if (!extension || !*extension)
    std::snprintf(buffer, kReportPathSize, "%s%s%s.txt", g_output_folder, prefix, name);
  else
    std::snprintf(buffer, kReportPathSize, "%s%s%s.%s", g_output_folder, prefix, name, extension);
  return buffer;
}

void or_stop_parallel_workers() {
  if (g_process_count <= 1 || !g_parpro_area) return;
  // The stop must reach the workers even when one of them keeps the area's
  // mutex (a worker stuck or dying while it holds it): after a bounded wait
  // the command bytes are written anyway, each a single byte.
  bool locked = or_wait_mutex_for(g_parpro_com_mutex, 2000);
  for (int i = 1; i <= kMaxWorkerProcesses; ++i) g_parpro_area[kParproCommandByte + i] = kParproStop;
  if (locked) or_release_mutex(g_parpro_com_mutex);
}

void or_delete_previous_save() { og_delete_file_if_present(".\\saveprec.txt"); }
void or_delete_test_save() { og_delete_file_if_present(".\\savetest.txt"); }

void or_delete_save_files(int keep) {
  if (g_process_number != 0) return;
  or_close_engine_streams();
  og_delete_file_if_present(".\\savetest.txt");
  // An error exit passes keep 1: the user's saved timetable, provisional
  // or not, survives a failed run; only a deliberate reset (keep 0) drops it.
  if (keep) return;
  if (g_provisional_mode) {
    og_delete_file_if_present(".\\saveprov.txt");
    return;
  }
  for (const char* name : {".\\saveprec.txt", ".\\savego.txt", ".\\savebi.txt", ".\\ricevi.txt"})
    og_delete_file_if_present(name);
}
