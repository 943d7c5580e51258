// The SISSI (Axios) export reader on any bytes, in the code-correction mode of the
// SISSI code check, which matches the export against the school's codes.
#include "import_fuzz_support.h"
#include "schooldata/sissi_export_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  open_sample_school();
  write_bytes("export.txt", data, size);
  SissiImport import;
  og_read_sissi_export(file_path("export.txt"), true, import, ignore_message);
  return 0;
}
