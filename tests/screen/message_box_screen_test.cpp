// The message box on a real display (Xvfb under scripts/test), once in each
// language: shown by the FLTK backend, read back after its buttons are laid
// out, written to message_box_it.png, _de.png and _en.png in the build
// folder for a person to look at, and checked where the display list puts
// the question's blue edge bar and the plain face of the first button.
// The box is made modeless for the picture: a modal run would wait for a
// click that no test sends. Without a display every test skips.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp1252.h"
#include "platform/fltk/fltk_backend.h"
#include "platform/ui.h"
#include "screen/png_file.h"
#include "screen/screen_support.h"
#include "shell/message_box.h"

namespace {

using namespace kt::ui;

using screen::channel_distance;
using screen::pump_until;

class MessageBoxOnScreen : public screen::OnScreenTest {
 protected:
  void SetUp() override {
    OnScreenTest::SetUp();
    if (started_) ui_register_toolkit_templates();
  }
  void TearDown() override {
    g_language = 0;
    OnScreenTest::TearDown();
  }
};

TEST_F(MessageBoxOnScreen, OneScreenshotInEachLanguage) {
  static const MlText kQuestion = {"Salvare le modifiche alla scuola?", "Änderungen an der Schule speichern?"_cp,
                                   "Save the changes to the school?"};
  const char* const names[3] = {"it", "de", "en"};
  for (int language = 0; language < 3; ++language) {
    g_language = std::uint8_t(language);
    CMessageBox box;
    box.SetContent(kQuestion.Get(), kMbYesNo | kMbIconQuestion, 0, nullptr, nullptr, nullptr);
    ASSERT_TRUE(box.Create(nullptr)) << names[language];
    box.ShowWindow(kSwShow);
    Window* first = box.GetDlgItem(CMessageBox::kButtonIds[0]);
    int template_right = first->GetRectInParent().right;
    // Two buttons share the width once the layout timer has run.
    ASSERT_TRUE(pump_until([&] { return first->GetRectInParent().right != template_right; })) << names[language];
    WindowPixels pixels;
    ASSERT_TRUE(pump_until([&] { return read_window_pixels(box, pixels) && pixels.width > 0; })) << names[language];

    std::string shot = std::string(KT_BINARY_DIR) + "/message_box_" + names[language] + ".png";
    EXPECT_TRUE(write_png(shot, pixels.width, pixels.height, pixels.rgb)) << shot;
    EXPECT_LE(channel_distance(pixels.At(pixels.width / 2, 0), rgb(0, 51, 153)), 8) << names[language];
    Rect face = first->GetRectInParent();
    EXPECT_LE(channel_distance(pixels.At(face.left + 3, face.top + 3), rgb(244, 244, 244)), 8) << names[language];
    box.DestroyWindow();
  }
}

}  // namespace
