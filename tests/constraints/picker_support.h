// Helpers of the picker tests: a picker's modal run scripted as steps, then
// OK with the focus on it (when confirming) and cancel for whatever is
// still open, the message boxes the steps raise answered with their first
// button; and whether any box showed a text.
#pragma once

#include <algorithm>
#include <functional>
#include <string>

#include "platform/test_driver.h"
#include "shell/message_box.h"

namespace kt_constraints_test {

inline kt::ui::LResult run_picker(kt::ui::Dialog& picker, kt::ui::TestDriver& ui,
                                  const std::function<void(kt::ui::Dialog&)>& steps, bool confirm, int boxes = 0) {
  using namespace kt::ui;
  ui_register_toolkit_templates();
  ui.OnNextModal([&](Dialog& d) {
    steps(d);
    if (confirm) {
      d.GetDlgItem(kIdOk)->SetFocus();
      ui.Click(d, kIdOk);
    }
    if (d.IsWindow() && d.IsWindowVisible()) ui.Click(d, kIdCancel);
  });
  for (int i = 0; i < boxes; ++i) ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  return picker.DoModal();
}

inline bool box_says(kt::ui::TestDriver& ui, const std::string& text) {
  for (const auto& box : ui.boxes())
    if (std::find(box.texts.begin(), box.texts.end(), text) != box.texts.end()) return true;
  return false;
}

}  // namespace kt_constraints_test
