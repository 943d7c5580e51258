// Clipboard: a copy and a paste through the backend, a paste into a short
// buffer cut and terminated, an empty clipboard leaving the buffer alone;
// image sizes read from the headers of each kind (damaged headers refused),
// and a missing file leaving nothing drawn while the program goes on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/clipboard.h"
#include "shell/dialog_ml.h"
#include "shell/image_display.h"
#include "test_temp_folder.h"

namespace {

using namespace kt::ui;

TEST(ChooserClipboard, PasteThroughTheBackend) {
  TestDriver ui;
  char buffer[32] = "prima";
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "prima");  // empty clipboard
  backend().SetClipboardText("Qualità 3A"_cp);
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Qualità 3A"_cp);
  char small[5];
  EXPECT_EQ(ui_paste_text_from_clipboard(small, sizeof small), 0);
  EXPECT_STREQ(small, "Qual");
  EXPECT_EQ(ui_paste_text_from_clipboard(small, 0), -1);
  EXPECT_EQ(ui_copy_text_to_clipboard("Ore 3B"), 0);
  EXPECT_EQ(ui_paste_text_from_clipboard(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "Ore 3B");
  EXPECT_EQ(ui_copy_text_to_clipboard(nullptr), -1);
}

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += char(v);
  return out;
}

TEST(ChooserImage, SizesFromHeaders) {
  struct HeaderCase {
    const char* id;
    std::string data;
    bool ok;
    int width, height;
  };
  std::string png = "\x89PNG\r\n\x1a\n" + bytes({0, 0, 0, 13}) + "IHDR" + bytes({0, 0, 1, 44, 0, 0, 0, 200});
  std::string bmp = "BM" + std::string(16, '\0') + bytes({100, 0, 0, 0, 0x9C, 0xFF, 0xFF, 0xFF});  // height -100
  std::string gif = "GIF89a" + bytes({64, 0, 32, 0});
  std::string jpeg = bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC0, 0, 11, 8, 0, 50, 0, 80, 3, 0, 0});
  const HeaderCase cases[] = {
      {"png", png, true, 300, 200},
      {"bmp-top-down", bmp, true, 100, 100},
      {"gif", gif, true, 64, 32},
      {"jpeg", jpeg, true, 80, 50},
      {"png-cut", png.substr(0, 20), false, 0, 0},
      {"jpeg-no-frame", jpeg.substr(0, 10), false, 0, 0},
      {"jpeg-zero-length", bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0, 0, 0, 0, 0}), false, 0, 0},
      {"text", "Classe;Ore\n", false, 0, 0},
  };
  for (const HeaderCase& c : cases) {
    int w = -1, h = -1;
    EXPECT_EQ(image_size_from_header(c.data, w, h), c.ok) << c.id;
    if (c.ok) {
      EXPECT_EQ(w, c.width) << c.id;
      EXPECT_EQ(h, c.height) << c.id;
    }
  }
}

constexpr int kTemplate = 9615, kPicture = 1601;
const DialogTemplate kTemplates[] = {
    {kTemplate, "Immagine", kWsPopup | kWsCaption, 0, 0, 200, 150, {}},
};

TEST(ChooserImage, ShownAtItsSizeAndMissingFileDrawsNothing) {
  kt_test::TempDir root("kt_image_");
  kt_test::InDriveRoot in_root(root.path(), {});
  std::ofstream(root.path() / "logo.gif", std::ios::binary) << "GIF87a" << bytes({40, 0, 30, 0}) << std::string(20, '\0');
  register_dialog_templates(kTemplates);
  TestDriver ui;
  CDialogML page(kTemplate);
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  CImageDisplay picture;
  ASSERT_TRUE(picture.Create(Rect{10, 10, 150, 110}, &page, kPicture));
  EXPECT_TRUE(util_gdi_show_image("\\logo.gif", &picture));
  kt::ui::DisplayList drawn = ui.Render(page);
  auto ops = drawn.ForControl(kPicture);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0]->op, DrawOp::kBitmap);
  EXPECT_EQ(ops[0]->rect.Width(), 40);
  EXPECT_EQ(ops[0]->rect.Height(), 30);
  EXPECT_FALSE(util_gdi_show_image("\\missing.png", &picture));
  EXPECT_TRUE(util_gdi_current_image().path.empty());
  EXPECT_TRUE(ui.Render(page).ForControl(kPicture).empty());
  EXPECT_FALSE(util_gdi_show_image(nullptr, nullptr));
}

}  // namespace
