// The file-open chooser without a screen: a request reaches the installed
// handler, and with none installed it answers as cancelled.
#include <gtest/gtest.h>

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
