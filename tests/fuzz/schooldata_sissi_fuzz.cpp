// The SISSI (Axios) export reader on any bytes, in import mode.
#include "import_fuzz_support.h"
#include "schooldata/sissi_export_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  open_sample_school();
  write_bytes("export.txt", data, size);
  SissiImport import;
  og_read_sissi_export(file_path("export.txt"), false, import, ignore_message);
  return 0;
}
