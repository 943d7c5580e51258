// Clipboard: a paste through the backend interface, a paste into a short
// buffer cut and terminated, an empty clipboard leaving the buffer alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/test_driver.h"
#include "shell/clipboard.h"
#include "shell/dialog_ml.h"

namespace {

using namespace kt::ui;

// A backend that records what reaches the system clipboard.
class RecordingBackend : public Backend {
 public:
  const TextMetrics& metrics() const override { return metrics_; }
  Clock& clock() override { return clock_; }
  bool WaitForEvents(std::int64_t, ModalFrame&) override { return false; }
  void SetClipboardText(std::string_view text) override {
    ++sets;
    Backend::SetClipboardText(text);
  }
  int sets = 0;

 private:
  HeadlessMetrics metrics_;
  VirtualClock clock_;
};

TEST(ChooserClipboard, RoundTripThroughTheBackend) {
  RecordingBackend recording;
  set_backend(&recording);
  recording.SetClipboardText("Qualità 3A"_cp);
  char buffer[32] = "unchanged";
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Qualità 3A"_cp);
  char small[5];
  EXPECT_EQ(ui_paste_text_from_clipboard(small, sizeof small), 0);
  EXPECT_STREQ(small, "Qual");
  EXPECT_EQ(ui_paste_text_from_clipboard(small, 0), -1);
  set_backend(nullptr);
}

TEST(ChooserClipboard, EmptyClipboardLeavesTheBuffer) {
  RecordingBackend recording;
  set_backend(&recording);
  char buffer[16] = "prima";
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "prima");
  set_backend(nullptr);
}

}  // namespace
