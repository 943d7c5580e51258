// The fixture of the import page tests: a temporary drive folder holding an
// empty school of one track, written plain, and the import file chooser
// answering with chosen_; column() reads one column of a dialog's list.
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/test_driver.h"
#include "schooldata/description_writer.h"
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
  // Writes the school's two files as they stand, under the given name.
  static void WriteSchool(const char* name) {
    std::strcpy(g_ui_header.school_name, name);
    og_write_structure_file();
    og_write_assignments_file(0, 0);
  }
  static const UiTeacher* teacher(const char* name) {
    for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t) {
      if (std::strcmp(g_ui_teachers[t].name, name) == 0) return &g_ui_teachers[t];
    }
    return nullptr;
  }
  static std::vector<std::string> column(kt::ui::Dialog& d, int id, int col) {
    auto& list = *static_cast<kt::ui::ListView*>(d.GetDlgItem(id));
    std::vector<std::string> out;
    for (int i = 0; i < list.GetItemCount(); ++i) out.push_back(list.GetItemText(i, col));
    return out;
  }
  // Clicks a column's heading twice: the rows come in the column's order,
  // then in the reverse order. Empty when so; else what was seen.
  static std::string SortsBothWays(kt::ui::TestDriver& ui, kt::ui::Dialog& d, int id, int col, bool number) {
    std::string seen;
    int first = 0;
    for (int click = 0; click < 2; ++click) {
      ui.ClickHeader(d, id, col);
      std::vector<std::string> shown = column(d, id, col);
      int sign = 0;
      seen += "|";
      for (std::size_t r = 0; r < shown.size(); ++r) {
        seen += shown[r] + ";";
        if (r == 0) continue;
        int order = number ? std::atoi(shown[r - 1].c_str()) - std::atoi(shown[r].c_str())
                           : std::strcmp(shown[r - 1].c_str(), shown[r].c_str());
        if (order == 0) continue;
        if (sign == 0) sign = order < 0 ? -1 : 1;
        if ((order < 0 ? -1 : 1) != sign) return "out of order " + seen;
      }
      if (sign == 0) return "all alike " + seen;
      if (click == 0) first = sign;
      else if (sign == first) return "not reversed " + seen;
    }
    return "";
  }
  static inline std::string chosen_;
};

}  // namespace kt_search_test
