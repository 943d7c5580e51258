// The program status file "plenixstatus.txt" on any bytes, in the data
// folder below the drive root: read, written and read back twice. Writing
// puts in what the program holds of its own (the open folder, a frame
// position inside the screen), so the second round must change nothing.
#include <cstring>

#include "fuzz_support.h"
#include "shell/status_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  fs::create_directory(work_folder() / "KestrinTempusDati");
  write_bytes(std::string("KestrinTempusDati/") + kStatusFileName, data, size);
  og_read_status_file();
  auto round = [] {
    og_write_status_file();
    og_apply_status_settings(ProgramStatusSettings{});
    if (!og_read_status_file()) broken("the written status file did not read back");
    return og_capture_status_settings();
  };
  const ProgramStatusSettings first = round();
  const ProgramStatusSettings second = round();
  if (std::strcmp(first.current_folder, second.current_folder) != 0 ||
      first.hint_flags != second.hint_flags || first.nointe_option != second.nointe_option ||
      first.nointe_reply != second.nointe_reply ||
      std::memcmp(first.processing_options, second.processing_options, sizeof first.processing_options) != 0 ||
      first.auto_derogation != second.auto_derogation || first.cpu_saver != second.cpu_saver ||
      first.remote_monitor_option != second.remote_monitor_option || first.frame_top != second.frame_top ||
      first.frame_left != second.frame_left || first.language != second.language ||
      first.nietsk_option != second.nietsk_option)
    broken("the status file read back other settings");
  return 0;
}
