// Helpers of the remote services' tests: the desktop program started on the
// small sample school, the archive dialog's chooser answered from a list the
// test gives (as the user would pick in the platform's chooser), the USB pen
// as a folder of the test's root (KESTRINTEMPUS_MEDIA, put back as it was
// afterwards), message boxes answered and read, and whole folders read for
// comparison.
#pragma once

#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "frame_test_support.h"
#include "platform/removable_media.h"
#include "remote/archive_dialog.h"
#include "shell/message_box.h"

namespace kt_remote_test {

namespace fs = std::filesystem;
using namespace kt::ui;
using namespace kt_app_test;

// Every regular file below `folder` by relative path, with its bytes.
inline std::map<std::string, std::string> folder_files(const fs::path& folder) {
  std::map<std::string, std::string> out;
  if (!fs::exists(folder)) return out;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) {
      std::ifstream in(e.path(), std::ios::binary);
      out[fs::relative(e.path(), folder).generic_string()] = {std::istreambuf_iterator<char>(in), {}};
    }
  return out;
}

class RemoteProgram : public ProgramOnSample {
 protected:
  void SetUp() override {
    ProgramOnSample::SetUp();
    saved_chooser_ = g_archive_chooser;
    // The platform's chooser, answered by the test: the next answer of the
    // list, or cancelled when none is left.
    g_archive_chooser = [this](int kind, std::string& path) {
      asked_kinds_.push_back(kind);
      if (answers_.empty()) return false;
      path = answers_.front();
      answers_.pop_front();
      return true;
    };
    const char* media = std::getenv(kt::kMediaFolderVariable);
    had_media_ = media != nullptr;
    if (had_media_) media_ = media;
  }
  void TearDown() override {
    g_archive_chooser = saved_chooser_;
    if (had_media_) ::setenv(kt::kMediaFolderVariable, media_.c_str(), 1);
    else ::unsetenv(kt::kMediaFolderVariable);
    g_language = 0;
    ProgramOnSample::TearDown();
  }
  // The next modal must be a message box: records its text and answers.
  void AnswerBox(std::string* text, int answer = kIdOk) {
    ui.OnNextModal([this, text, answer](Dialog& d) {
      EXPECT_EQ(d.template_id(), CMessageBox::kTemplate);
      if (text) *text = ui.Text(d, CMessageBox::kTextId);
      d.EndDialog(answer);
    });
  }
  // The next modal must be the archive dialog: `step` runs in it, then it is
  // closed with Esc unless the step ended it.
  void InArchiveDialog(std::function<void(Dialog&)> step) {
    ui.OnNextModal([this, step](Dialog& d) {
      EXPECT_EQ(d.template_id(), Carchivio::kTemplate);
      modes_.push_back(g_archive_dialog.m_mode);
      step(d);
      if (d.IsWindow() && d.IsWindowVisible()) d.EndDialog(kIdCancel);
    });
  }
  fs::path school() const { return data_root() / "piccola"; }
  // A folder standing for the USB pen.
  fs::path Pen() {
    fs::path pen = root_ / "penna";
    fs::create_directories(pen);
    ::setenv(kt::kMediaFolderVariable, pen.c_str(), 1);
    return pen;
  }
  void NoPen() { ::setenv(kt::kMediaFolderVariable, (root_ / "nessuna").c_str(), 1); }

  std::deque<std::string> answers_;
  std::vector<int> asked_kinds_;
  std::vector<int> modes_;
  std::function<bool(int, std::string&)> saved_chooser_;

 private:
  bool had_media_ = false;
  std::string media_;
};

}  // namespace kt_remote_test
