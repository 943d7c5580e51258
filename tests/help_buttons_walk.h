// A walk over the "?" buttons of the pages, in the desktop program started
// on the small sample school: each "?" is pressed on the page as it opens,
// and what the user then sees (a text in the page, a guide window, a box)
// is recorded by page and button; a "?" that brings back the help the page
// opens with is pressed again after another's.
#pragma once

#include <string>
#include <vector>

#include "platform/test_driver.h"
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

}  // namespace help_walk
