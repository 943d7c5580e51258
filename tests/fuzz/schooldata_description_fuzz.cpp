// The desktop program's description reader on any bytes as "scuola2.txt",
// with the small sample's structure file read first, as opening a school
// does. A description it accepts is saved as both school files, reopened and
// saved again: the two saves must hold the same lines (but for the save
// counter of the structure's service memo) and reopen to the same model, or a
// user's school drifts with every save.
#include <memory>

#include "fuzz_support.h"
#include "school_model_copy.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

using namespace kt_fuzz;

// Writes both files under the prefix; false when either was not written.
bool save(const std::string& prefix) {
  return og_write_structure_file_to(file_path(prefix + "1.txt")) == 0 &&
         og_write_assignments_file_to(file_path(prefix + "2.txt"), 0) == 0;
}

// Reads both files back, as opening the school does.
void reopen(const std::string& prefix) {
  if (og_read_structure_file_from(file_path(prefix + "1.txt"), 0) != 0) broken("a saved structure did not read back");
  if (og_read_assignments_file_from(file_path(prefix + "2.txt"), 0) != 0) broken("a saved description did not read back");
}

// Both files' lines; the service memo counts the saves and is left out.
std::string content(const std::string& prefix) {
  std::string text = school_file_content(file_path(prefix + "1.txt")), kept;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at + 1);
    if (line.rfind("SERVICEMEMO:", 0) != 0) kept += line;
    at = end + 1;
  }
  return kept + school_file_content(file_path(prefix + "2.txt"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string structure = source_file("examples/piccola/scuola1.txt");
  fresh_folder();
  write_bytes("scuola1.txt", structure);
  write_bytes("scuola2.txt", data, size);
  if (og_read_structure_file_from(file_path("scuola1.txt"), 0) != 0) broken("the sample structure did not read");
  if (og_read_assignments_file_from(file_path("scuola2.txt"), 0) != 0) return 0;
  if (!save("first")) return 0;
  reopen("first");
  auto first = std::make_unique<save_reopen::ModelCopy>();
  if (!save("second")) return 0;
  reopen("second");
  expect_same(content("first"), content("second"), "save, reopen and save gave other bytes");
  first->structure.save_counter = g_ui_structure.save_counter;
  if (!first->Differences().empty()) {
    std::fprintf(stderr, "kt-fuzz: %s\n", first->Differences().c_str());
    broken("save, reopen and save gave another model");
  }
  return 0;
}
