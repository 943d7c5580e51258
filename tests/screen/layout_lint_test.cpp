// The layout lint over every dialog template of the desktop program, in
// Italian, German and English, measured with the screen font's widths: no
// caption wider than its control, no control outside its dialog, no two
// controls overlapping unless the template means it or the pair takes turns
// in one place (shared_places, with the reason), and no dialog larger than
// a 1024x600 screen (pages scroll in the frame; dialogs do not). What is found is
// compared with the worklist (layout_worklist.txt beside this file): a new
// problem fails, and so does a worklist line that no longer occurs, so the
// list only shrinks. The test passes clean when the worklist is empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

#include "board/processing_menu.h"
#include "constraints/constraint_pages.h"
#include "screen/dialog_layout_lint.h"
#include "remote/archive_dialog.h"
#include "remote/guide_windows.h"
#include "remote/service_windows.h"
#include "schooldata/data_file_search_dialog.h"
#include "schooldata/school_folder_chooser.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/spreadsheet_page.h"
#include "shell/caption_translation.h"
#include "shell/frame.h"
#include "shell/launcher_panel.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "shell/small_choosers.h"
#include "structure/structure_pages.h"
#include "substitutions/substitutions_dialog.h"

namespace {

using namespace kt::ui;

// Controls that take turns in one place, with the reason.
std::vector<SharedPlace> shared_places() {
  const char* band_text = "a fixed band shows as text where its band list is hidden";
  const char* extra_row = "the exceptional-day tables come on the page of six rows, over the two unused rows";
  std::vector<SharedPlace> out = {
      {138, 1607, 1620, extra_row}, {138, 1608, 1620, extra_row}, {138, 1608, 1622, extra_row},
      {138, 1617, 1621, extra_row}, {138, 1618, 1623, extra_row},
      {191, 1030, 1172, "in a code correction the read notice replaces the hidden import list"},
  };
  for (int i = 0; i < 9; ++i) {
    out.push_back({148, 1430 + i, 1500 + i, band_text});
    out.push_back({282, 1699 + 3 * i, 1700 + 3 * i, band_text});
    out.push_back({282, 1728 + 3 * i, 1729 + 3 * i, band_text});
  }
  return out;
}

TEST(LayoutLint, EveryTemplateInEveryLanguageFitsOrIsOnTheWorklist) {
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  ui_register_chooser_templates();
  ui_register_launcher_templates();
  ui_register_guide_templates();
  ui_register_remote_templates();
  ui_register_archive_template();
  ui_register_school_folder_template();
  ui_register_data_file_search_template();
  ui_register_import_templates();
  ui_register_sissi_templates();
  constraints_install_pages();
  structure_install_pages();
  ui_register_substitution_templates();
  board_install_pages();
  ScreenFontMetrics metrics;
  std::set<std::string> found;
  const char* const kLanguages[3] = {"it", "de", "en"};
  int saved = g_language;
  for (int language = 0; language < 3; ++language) {
    g_language = language;
    for (const DialogTemplate* t : registered_dialog_templates()) {
      auto shown = [](const DialogTemplate&, const ControlTemplate& c) {
        return ui_translate_caption_copy(c.caption ? c.caption : "", ui_caption_table_for(c));
      };
      for (const std::string& p : lint_dialog_layout(*t, metrics, shown, shared_places()))
        found.insert(std::string(kLanguages[language]) + ": " + p);
      // The smallest screen the program is used on: 1024x600. Two windows
      // take their size at run time: the frame (sizeable, its least size at
      // most the screen's) and the Pages panel (as high as the frame).
      bool sized_at_run_time = t->id == CAlfaDlg::kTemplate || t->id == Calfaopi::kTemplate;
      if (language == 0 && !sized_at_run_time)
        for (const std::string& p : lint_dialog_on_screen(*t, metrics, Size{1024, 600})) found.insert("screen: " + p);
    }
  }
  // A named pair must still overlap, or its exception is stale.
  for (const SharedPlace& s : shared_places()) {
    const DialogTemplate* t = find_dialog_template(s.template_id);
    ASSERT_NE(t, nullptr) << s.template_id;
    std::string overlap = "control " + std::to_string(s.control);
    std::string with = " overlaps control " + std::to_string(s.other);
    bool seen = false;
    for (const std::string& p : lint_dialog_layout(*t, metrics))
      seen = seen || (p.find(overlap) != std::string::npos && p.find(with) != std::string::npos);
    EXPECT_TRUE(seen) << s.template_id << ": " << s.control << " and " << s.other << " no longer share a place";
  }
  g_language = saved;
  ASSERT_GT(registered_dialog_templates().size(), 40u);

  std::set<std::string> worklist;
  std::ifstream in(std::string(KT_SOURCE_DIR) + "/tests/screen/layout_worklist.txt");
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') worklist.insert(line);
  std::string added, gone;
  for (const std::string& f : found)
    if (!worklist.count(f)) added += f + "\n";
  for (const std::string& w : worklist)
    if (!found.count(w)) gone += w + "\n";
  EXPECT_TRUE(added.empty()) << "new layout problems:\n" << added;
  EXPECT_TRUE(gone.empty()) << "mended, take them off the worklist:\n" << gone;
}

}  // namespace
