// The SISSI (Axios) export reader on any bytes, in the code-correction mode of the
// SISSI code check, which matches the export against the school's codes.
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kt_fuzz::read_sissi_export(data, size, true);
  return 0;
}
