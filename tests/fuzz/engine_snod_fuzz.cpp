// The saved-timetable reader ("SNOD:") on any bytes as "savego.txt" beside
// the small sample school. A run that fails never touches the saved file nor
// the description: a timetable that can't be read is never rewritten.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  static const std::string description = source_file("examples/piccola/scuola2.txt");
  const std::string input(reinterpret_cast<const char*>(data), size);
  fresh_folder();
  write_bytes("scuola2.txt", description);
  write_bytes("savego.txt", input);
  int result = run_engine("SNOD:scuola2.txt");
  if (read_bytes(file_path("scuola2.txt")) != description) broken("SNOD: changed the description");
  if (failed(result) && read_bytes(file_path("savego.txt")) != input)
    broken("a failed SNOD: rewrote the saved timetable");
  return 0;
}
