// The SISSI (Axios) export reader on any bytes, in import mode.
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kt_fuzz::read_sissi_export(data, size, false);
  return 0;
}
