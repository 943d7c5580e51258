// The desktop program's description reader on any bytes as "scuola2.txt",
// with the small sample's structure file read first, as opening a school
// does. A description it accepts is saved, reopened and saved again: the two
// saves must hold the same lines, or a user's file drifts with every save.
#include "fuzz_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  static const std::string structure = source_file("examples/piccola/scuola1.txt");
  fresh_folder();
  write_bytes("scuola1.txt", structure);
  write_bytes("scuola2.txt", data, size);
  if (og_read_structure_file_from(file_path("scuola1.txt"), 0) != 0) broken("the sample structure did not read");
  if (og_read_assignments_file_from(file_path("scuola2.txt"), 0) != 0) return 0;
  if (og_write_assignments_file_to(file_path("first.txt"), 0) != 0) return 0;
  if (og_read_assignments_file_from(file_path("first.txt"), 0) != 0) broken("a saved description did not read back");
  if (og_write_assignments_file_to(file_path("second.txt"), 0) != 0) return 0;
  expect_same(school_file_content(file_path("first.txt")), school_file_content(file_path("second.txt")),
              "save, reopen and save gave other bytes");
  return 0;
}
