// Classical class labels converted to codes, the numerals read longest
// first.
#include <gtest/gtest.h>

#include "shell/list_utilities.h"

namespace {

using namespace kt::ui;

struct CodeCase {
  const char* id;
  const char* label;
  const char* code;
};

TEST(ListClassSort, ClassicalCodes) {
  const CodeCase cases[] = {
      {"iv", "IVAc", "1Ac"}, {"v", "VBc", "2Bc"},  {"i", "IAc", "3Ac"},
      {"ii", "IIAc", "4Ac"}, {"iii", "IIIB", "5B"}, {"prefix", "Liceo:IIIBx", "5Bx"},
      {"other", "XA", "?XA"},
  };
  for (const CodeCase& c : cases) EXPECT_EQ(og_classical_class_code(c.label), c.code) << c.id;
}

}  // namespace
