// The gallery without a screen: its template is sound and the display list
// holds the colours the screen test looks for, so a failing screen test
// points at the backend, not at the gallery.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "screen/gallery.h"

namespace kt::ui::gallery {
namespace {

TEST(GalleryHeadless, TemplateIsSoundAndListHoldsTheCheckedColours) {
  register_templates();
  EXPECT_TRUE(lint_dialog_template(*find_dialog_template(kTemplateId)).empty());
  TestDriver ui;
  GalleryDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  dialog.ShowWindow(kSwShow);
  ui.Pump();
  DisplayList list = ui.Render(dialog);
  ASSERT_NE(list.CellFill(kClassList, 0, 1), nullptr);
  EXPECT_EQ(list.CellFill(kClassList, 0, 1)->color, kMarkedCell);
  EXPECT_EQ(list.CellFill(kClassList, 2, 0)->color, kHighlightColor);
  EXPECT_EQ(list.LastFill(kColourButton), kColourButtonFace);
  EXPECT_EQ(list.ForControl(0).front()->color, kPageBackground);
  EXPECT_TRUE(ui.IsChecked(dialog, kMondayCheck));
  EXPECT_TRUE(ui.HasFocus(dialog, kNameEdit));
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
}  // namespace kt::ui::gallery

#include "platform/fltk/file_open_dialog.h"

namespace kt::ui {
namespace {

TEST(FileOpenDialog, AnswersThroughTheInstalledHandler) {
  FileOpenHandler old = set_file_open_handler(nullptr);
  FileOpenRequest request;
  request.filter = "TXT(*.txt)|*.txt||";
  request.initial_name = "..\\.";
  EXPECT_EQ(choose_file_to_open(request).outcome, FileOpenResult::Outcome::kCancelled);
  std::string seen_filter;
  set_file_open_handler([&](const FileOpenRequest& r) {
    seen_filter = r.filter;
    return FileOpenResult{FileOpenResult::Outcome::kChosen, "\\Scuola\\Dati.txt"};
  });
  FileOpenResult chosen = choose_file_to_open(request);
  EXPECT_TRUE(chosen.chosen());
  EXPECT_EQ(chosen.path, "\\Scuola\\Dati.txt");
  EXPECT_EQ(seen_filter, "TXT(*.txt)|*.txt||");
  set_file_open_handler(old);
}

}  // namespace
}  // namespace kt::ui
