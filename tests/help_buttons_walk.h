// A walk over the "?" buttons of the pages, in the desktop program started
// on the small sample school: each "?" is pressed on the page as it opens,
// and what the user then sees (a text in the page, a guide window, a box)
// is recorded by page and button; a "?" that brings back the help the page
// opens with is pressed again after another's.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"

namespace help_walk {

// Every text a window and its descendants show, visible windows marked.
inline std::string shown_texts(kt::ui::Window& w) {
  std::string out = (w.IsWindowVisible() ? "+" : "-") + w.GetWindowText() + "\n";
  for (kt::ui::Window* c : w.Children()) out += shown_texts(*c);
  return out;
}

struct Seen {
  int page;
  int button;
  std::string what;  // the first line that changed, or the box that came; empty: nothing
};

// Presses each enabled "?" of the page `page_id`, opened anew before each;
// `others` are windows outside the page (guides) whose texts count as shown.
inline std::vector<Seen> press_help_buttons(kt::ui::TestDriver& ui, int page_id,
                                            const std::vector<kt::ui::Window*>& others) {
  std::vector<Seen> seen;
  alfadlg_go_to_page(page_id);
  if (!g_current_page) return seen;
  std::vector<int> buttons;
  for (kt::ui::Window* c : g_current_page->Children())
    if (c->GetWindowText() == "?" && c->IsWindowVisible() && c->IsWindowEnabled()) buttons.push_back(c->GetDlgCtrlID());
  for (int id : buttons) {
    alfadlg_go_to_page(kPageHome);
    for (kt::ui::Window* o : others)
      if (o != &g_frame && o->IsWindow()) o->DestroyWindow();  // a guide left open from before
    alfadlg_go_to_page(page_id);
    kt::ui::Window* page = g_current_page;
    auto all = [&] {
      std::string s = shown_texts(*page);
      for (kt::ui::Window* o : others)
        if (o->IsWindow()) s += shown_texts(*o);
      return s;
    };
    std::string before = all();
    std::size_t boxes = ui.boxes().size();
    ui.Click(*page, id);
    std::string what;
    if (ui.boxes().size() > boxes && !ui.boxes().back().texts.empty()) what = "box:" + ui.boxes().back().texts.front();
    std::string after = all();
    if (what.empty() && after != before) {
      std::size_t at = 0;
      while (at < after.size() && at < before.size() && after[at] == before[at]) ++at;
      std::size_t line = after.rfind('\n', at);
      line = line == std::string::npos ? 0 : line + 1;
      what = after.substr(line, after.find('\n', at) - line);
    }
    seen.push_back({page_id, id, what});
  }
  // A "?" that showed nothing new on the page as it opened may bring back
  // the help the page opens with: after another's help it must show again.
  for (Seen& s : seen) {
    if (!s.what.empty()) continue;
    for (const Seen& other : seen) {
      if (other.what.empty()) continue;
      kt::ui::Window* page = g_current_page;
      ui.Click(*page, other.button);
      std::string before = shown_texts(*page);
      ui.Click(*page, s.button);
      std::string after = shown_texts(*page);
      if (after != before) s.what = "the page's own help again";
      break;
    }
  }
  return seen;
}

// The frame open on a copy of the small sample school, with the pages the
// test's library installs (`install`), as the program installs them.
class HelpButtonsProgram : public kt_app_test::TempRoot {
 protected:
  explicit HelpButtonsProgram(std::function<void()> install) : install_(std::move(install)) {}
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    install_();
    copy_example("piccola", "piccola");
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\piccola"));
    ASSERT_TRUE(og_read_school_files(0));
    g_hint_flags = 1;  // no archive-import notice
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kt::ui::kSwShow);
    ui.Pump();
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_hint_flags = 0;
    og_clear_structure();
    og_clear_school_blocks();
    TempRoot::TearDown();
  }
  // The "?" of every page in `pages`, pressed in turn.
  std::vector<Seen> PressAll(std::initializer_list<int> pages, const std::vector<kt::ui::Window*>& others) {
    std::vector<Seen> seen;
    for (int page : pages) {
      std::vector<Seen> page_seen = press_help_buttons(ui, page, others);
      seen.insert(seen.end(), page_seen.begin(), page_seen.end());
    }
    return seen;
  }
  kt::ui::TestDriver ui;

 private:
  std::function<void()> install_;
};

}  // namespace help_walk
