// A scope that sets the user-interface language and puts Italian back when
// it ends: tests share the process global.
#pragma once

#include <cstdint>

#include "shell/ml_text.h"

namespace kt_shell_test {

class LanguageScope {
 public:
  explicit LanguageScope(int language) { g_language = std::uint8_t(language); }
  ~LanguageScope() { g_language = 0; }
};

}  // namespace kt_shell_test
