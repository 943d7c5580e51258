// Helpers of the remote services' tests: the desktop program started on the
// small sample school (frame_test_support.h), a message box closed with its
// text recorded, and the USB pen as a folder of the test's root
// (KESTRINTEMPUS_MEDIA), put back as it was afterwards.
#pragma once

#include <cstdlib>
#include <string>

#include "platform/removable_media.h"
#include "shell/frame_test_support.h"
#include "shell/message_box.h"

namespace remote_test {

using namespace kt_app_test;

class RemoteProgram : public ProgramOnSample {
 protected:
  void SetUp() override {
    ProgramOnSample::SetUp();
    const char* old = std::getenv(kt::kMediaFolderVariable);
    had_media_ = old != nullptr;
    if (had_media_) media_ = old;
  }
  void TearDown() override {
    if (had_media_) ::setenv(kt::kMediaFolderVariable, media_.c_str(), 1);
    else ::unsetenv(kt::kMediaFolderVariable);
    g_language = 0;
    ProgramOnSample::TearDown();
  }
  fs::path School() const { return data_root() / "piccola"; }
  // A folder standing for the USB pen.
  fs::path Pen() {
    fs::path pen = root_ / "penna";
    fs::create_directories(pen);
    ::setenv(kt::kMediaFolderVariable, pen.c_str(), 1);
    return pen;
  }
  void NoPen() { ::setenv(kt::kMediaFolderVariable, (root_ / "nessuna").c_str(), 1); }
  // The next modal must be a message box: records its text and closes it.
  void CloseMessageBox(std::string* text, kt::ui::LResult answer = kt::ui::kIdOk) {
    ui.OnNextModal([this, text, answer](kt::ui::Dialog& d) {
      EXPECT_EQ(d.template_id(), CMessageBox::kTemplate);
      *text = ui.Text(d, CMessageBox::kTextId);
      d.EndDialog(answer);
    });
  }

 private:
  bool had_media_ = false;
  std::string media_;
};

}  // namespace remote_test
