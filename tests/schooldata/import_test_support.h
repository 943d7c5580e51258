// The fixture of the import page tests: a temporary drive folder holding an
// empty school of one track, written plain, and the import file chooser
// answering with chosen_; column() reads one column of a dialog's list.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "schooldata/import_page.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "search_test_support.h"
#include "shell/message_box.h"

namespace kt_search_test {

class ImportFolder : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    ui_register_toolkit_templates();
    fs::current_path(drive_);
    og_clear_structure();
    og_clear_school_blocks();
    g_ui_structure.track_count = 1;
    std::strcpy(g_ui_structure.track_names[0], "INDIRIZZO UNICO");
    g_school_files_plain = 1;
    chosen_.clear();
    g_import_file_chooser = [](const std::string&, const std::string&, std::string& path) {
      path = chosen_;
      return true;
    };
  }
  void TearDown() override {
    g_import_file_chooser = nullptr;
    g_school_files_plain = 0;
    SearchFolders::TearDown();
  }
  static std::vector<std::string> column(kt::ui::Dialog& d, int id, int col) {
    auto& list = *static_cast<kt::ui::ListView*>(d.GetDlgItem(id));
    std::vector<std::string> out;
    for (int i = 0; i < list.GetItemCount(); ++i) out.push_back(list.GetItemText(i, col));
    return out;
  }
  static inline std::string chosen_;
};

}  // namespace kt_search_test
