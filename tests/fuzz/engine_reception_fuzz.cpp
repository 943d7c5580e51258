// The reception-hours file "ricevi.txt" ("RIGO:") and the exemption file
// "scuola3.txt" (read back by "SNOD:") on any bytes, beside the small sample
// school and its saved timetable. The first byte chooses the file. A failed
// run leaves the description and the saved timetable as they were.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  if (size == 0) return 0;
  static const std::string description = source_file("examples/piccola/scuola2.txt");
  static const std::string saved = source_file("tests/data/savefiles/piccola-savego.txt");
  const bool reception = (data[0] & 1) == 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  fresh_folder();
  write_bytes("scuola2.txt", description);
  write_bytes("savego.txt", saved);
  write_bytes(reception ? "ricevi.txt" : "scuola3.txt", input);
  int result = run_engine(reception ? "RIGO:scuola2.txt" : "SNOD:scuola2.txt");
  if (read_bytes(file_path("scuola2.txt")) != description) broken("the run changed the description");
  if (failed(result) && read_bytes(file_path("savego.txt")) != saved)
    broken("a failed run rewrote the saved timetable");
  return 0;
}
