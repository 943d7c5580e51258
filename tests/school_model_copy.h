// A copy of the user interface's school model (the four working blocks) and
// the first differences between it and the model as it stands now, named by
// block, record and byte offset, so a test can say that a model read back
// from a file is the model that was written.
#pragma once

#include <cstddef>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "schooldata/ui_school_model.h"

namespace save_reopen {

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct ModelCopy {
  UiSchoolStructure structure = g_ui_structure;
  UiSchoolHeader header = g_ui_header;
  UiSchoolSettings settings = g_ui_settings;
  UiTeacher teachers[kUiMaxTeachers];
  ModelCopy() { std::memcpy(teachers, g_ui_teachers, sizeof teachers); }
  // Puts the copy back into the working blocks.
  void Restore() const {
    g_ui_structure = structure;
    g_ui_header = header;
    g_ui_settings = settings;
    std::memcpy(g_ui_teachers, teachers, sizeof teachers);
  }

  // Empty when equal; else up to a few "block[record]+offset" entries.
  std::string Differences() const {
    std::string out;
    int found = 0;
    auto compare = [&](const char* name, const void* a, const void* b, std::size_t size) {
      const unsigned char* x = static_cast<const unsigned char*>(a);
      const unsigned char* y = static_cast<const unsigned char*>(b);
      for (std::size_t i = 0; i < size && found < 6; ++i) {
        if (x[i] == y[i]) continue;
        out += std::string(name) + "+" + std::to_string(i) + " (" + std::to_string(x[i]) + " -> " +
               std::to_string(y[i]) + ") ";
        ++found;
        while (i + 1 < size && x[i + 1] != y[i + 1]) ++i;
      }
    };
    compare("structure", &structure, &g_ui_structure, sizeof structure);
    compare("header", &header, &g_ui_header, sizeof header);
    compare("settings", &settings, &g_ui_settings, sizeof settings);
    std::uint32_t count = settings.teacher_count < kUiMaxTeachers ? settings.teacher_count : kUiMaxTeachers;
    for (std::uint32_t t = 0; t < count; ++t) {
      std::string name = "teacher[" + std::to_string(t) + "]";
      compare(name.c_str(), &teachers[t], &g_ui_teachers[t], sizeof(UiTeacher));
    }
    return out;
  }
};

}  // namespace save_reopen
