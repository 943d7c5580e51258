// The spreadsheet import (tab-delimited text) on any bytes.
#include "import_fuzz_support.h"
#include "schooldata/spreadsheet_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kt_fuzz;
  fresh_folder();
  open_sample_school();
  write_bytes("lessons.txt", data, size);
  SpreadsheetImport import;
  og_read_spreadsheet_text(file_path("lessons.txt"), import, ignore_message);
  return 0;
}
