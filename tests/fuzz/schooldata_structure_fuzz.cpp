// The structure file reader on any bytes as "scuola1.txt". A file it accepts
// is written, read back and written again: the two writes must hold the same
// lines but the service memo, whose save counter counts every write.
#include "fuzz_support.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  write_bytes("scuola1.txt", data, size);
  if (og_read_structure_file_from(file_path("scuola1.txt"), 0) != 0) return 0;
  if (og_write_structure_file_to(file_path("first.txt")) != 0) return 0;
  if (og_read_structure_file_from(file_path("first.txt"), 0) != 0) broken("a written structure did not read back");
  if (og_write_structure_file_to(file_path("second.txt")) != 0) return 0;
  auto content = [](const char* name) {
    std::string text = school_file_content(file_path(name)), kept;
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t end = text.find('\n', at);
      std::string line = text.substr(at, end - at + 1);
      if (line.rfind("SERVICEMEMO:", 0) != 0) kept += line;
      at = end + 1;
    }
    return kept;
  };
  expect_same(content("first.txt"), content("second.txt"),
              "write, read and write gave other bytes");
  return 0;
}
