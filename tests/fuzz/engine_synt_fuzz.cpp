// The engine's description loader ("SYNT:") on any bytes as "scuola2.txt".
// Whatever the bytes, the description keeps its bytes, and a check that
// fails leaves the saved timetable beside it as it was.
#include "fuzz_support.h"

namespace {

void check_synt(const std::string& input) {
  using namespace kt_fuzz;
  static const std::string saved = source_file("tests/data/savefiles/piccola-savego.txt");
  fresh_folder();
  write_bytes("scuola2.txt", input);
  write_bytes("savego.txt", saved);
  int result = run_engine("SYNT:scuola2.txt");
  if (read_bytes(file_path("scuola2.txt")) != input) broken("SYNT: changed the description");
  if (failed(result) && read_bytes(file_path("savego.txt")) != saved)
    broken("a failed SYNT: changed the saved timetable");
}

}  // namespace

// Bytes whose last line has no line end are refused as a cut file before
// any parser sees them; the same bytes ended take the parsers' road too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  check_synt(input);
  if (!input.empty() && input.back() != '\n') check_synt(input + '\n');
  return 0;
}
