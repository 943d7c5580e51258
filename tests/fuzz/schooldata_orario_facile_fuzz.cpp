// The Orario Facile reader on any bytes as an ".ofd" export.
#include "import_fuzz_support.h"
#include "schooldata/import_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  open_sample_school();
  write_bytes("export.ofd", data, size);
  ImportedLessons lessons;
  og_read_orario_facile(file_path("export.ofd"), lessons, ignore_message);
  return 0;
}
