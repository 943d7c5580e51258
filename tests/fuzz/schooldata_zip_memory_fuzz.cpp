// The zip reader on any bytes held in memory, as a received archive is.
#include "zip_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  UiZipHandle* handle = ui_zip_open_memory(data, static_cast<std::uint32_t>(size), nullptr);
  if (handle) exercise_archive(handle, {"a"});
  return 0;
}
