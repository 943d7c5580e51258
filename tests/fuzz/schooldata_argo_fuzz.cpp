// The Argo Darwin reader on any bytes as a ".drw" export.
#include "import_fuzz_support.h"
#include "schooldata/import_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  open_sample_school();
  write_bytes("export.drw", data, size);
  ImportedLessons lessons;
  og_read_argo_darwin(file_path("export.drw"), lessons, ignore_message);
  return 0;
}
