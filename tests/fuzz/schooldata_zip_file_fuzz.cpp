// The zip reader on any bytes as a file of this machine, as a backup is.
#include "zip_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  write_bytes("backup.zip", data, size);
  UiZipHandle* handle = ui_zip_open_file("\\backup.zip", nullptr);
  if (handle) exercise_archive(handle, {"a", "backup.zip"});
  return 0;
}
