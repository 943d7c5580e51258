// Helpers of the picker tests: a picker's modal run scripted as steps, then
// OK with the focus on it (when confirming) and cancel for whatever is
// still open, the message boxes the steps raise answered with their first
// button; whether any box showed a text; and a school week with the day
// codes "Lu".."Do" and chosen per-day hour counts (the provisional counts
// cleared, provisional mode off) written into the shared header.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string>

#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
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

inline void set_week(std::array<int, 7> hours) {
  static const char* kCodes[7] = {"Lu", "Ma", "Me", "Gi", "Ve", "Sa", "Do"};
  for (int d = 0; d < 7; ++d) {
    std::memcpy(g_ui_header.day_codes[d], kCodes[d], 3);
    g_ui_header.hours_per_day[d] = std::uint8_t(hours[std::size_t(d)]);
    g_ui_header.provisional_hours_per_day[d] = 0;
  }
  g_provisional_mode = 0;
}

}  // namespace kt_constraints_test
