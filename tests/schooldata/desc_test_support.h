// Helpers of the description tests: paths of the sample schools and a
// temporary folder for written files.
#pragma once

#include <string>

inline std::string desc_example(const char* school, const char* file) {
  return std::string(KT_SOURCE_DIR) + "/examples/" + school + "/" + file;
}
