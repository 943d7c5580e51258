// Tests that touch school files start, as the program does, in a folder
// with no school: reading the missing files lifts an earlier test's block.
#pragma once

#include <string>

#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"

inline void start_without_school(const std::string& empty_folder) {
  og_read_structure_file_from(empty_folder + "/scuola1.txt", 0);
  og_read_assignments_file_from(empty_folder + "/scuola2.txt", 0);
}
