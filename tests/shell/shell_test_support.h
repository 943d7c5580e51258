// Helpers of the toolkit tests: a scope that sets the user-interface
// language and puts Italian back when it ends (tests share the process
// global), and lookups of the last drawing operation of one kind that a
// control recorded in a display list. The display list must outlive the
// pointers these return.
#pragma once

#include <cstdint>

#include "platform/display_list.h"
#include "shell/ml_text.h"

namespace kt_shell_test {

class LanguageScope {
 public:
  explicit LanguageScope(int language) { g_language = std::uint8_t(language); }
  ~LanguageScope() { g_language = 0; }
};

inline const kt::ui::DrawItemOp* last_op(const kt::ui::DisplayList& list, int control_id, kt::ui::DrawOp kind) {
  const kt::ui::DrawItemOp* found = nullptr;
  for (const kt::ui::DrawItemOp& op : list.ops())
    if (op.control_id == control_id && op.op == kind) found = &op;
  return found;
}

inline kt::ui::Color last_color(const kt::ui::DisplayList& list, int control_id, kt::ui::DrawOp kind) {
  const kt::ui::DrawItemOp* op = last_op(list, control_id, kind);
  return op ? op->color : kt::ui::kNoColor;
}

}  // namespace kt_shell_test
