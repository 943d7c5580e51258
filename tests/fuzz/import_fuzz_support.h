// What the import harnesses share: the small sample school opened as the
// import pages find it (structure and description read), so an import adds
// to a real model; the messages an import gives are collected, not shown.
#pragma once

#include "fuzz_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/sissi_export_reader.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace kt_fuzz {

inline void open_sample_school() {
  static const std::string structure = source_file("examples/piccola/scuola1.txt");
  static const std::string description = source_file("examples/piccola/scuola2.txt");
  write_bytes("scuola1.txt", structure);
  write_bytes("scuola2.txt", description);
  if (og_read_structure_file_from(file_path("scuola1.txt"), 0) != 0 ||
      og_read_assignments_file_from(file_path("scuola2.txt"), 0) != 0)
    broken("the sample school did not open");
}

inline void ignore_message(const std::string&) {}

// A SISSI export on any bytes, read in import or code-correction mode.
inline void read_sissi_export(const std::uint8_t* data, std::size_t size, bool code_correction) {
  fresh_folder();
  open_sample_school();
  write_bytes("export.txt", data, size);
  SissiImport import;
  og_read_sissi_export(file_path("export.txt"), code_correction, import, ignore_message);
}

}  // namespace kt_fuzz
