// What a page hears when focus and activation move: the window left behind
// is told it is no longer active and the new one that it is; a report list
// tells its page when it gains and when it loses the focus; keys pressed in
// an empty report list reach the page as key notes only (no row is chosen,
// Enter opens nothing, the sideways arrows scroll nothing).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/edit.h"
#include "platform/controls/list_view.h"
#include "platform/test_driver.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

constexpr int kList = 61, kField = 62;

// A top-level window that writes down its activations and its children's
// notes.
class Page : public Window {
public:
  explicit Page(std::vector<std::string> &log, std::string name)
      : log_(log), name_(std::move(name)) {}

protected:
  void OnActivate(bool active) override {
    log_.push_back(name_ + (active ? " active" : " inactive"));
  }
  bool OnNotify(WParam, LParam l, LResult *result) override {
    auto *n = reinterpret_cast<ListViewNotify *>(l);
    std::string what;
    switch (n->hdr.code) {
    case kNmSetFocus:
      what = "set focus";
      break;
    case kNmKillFocus:
      what = "kill focus";
      break;
    case kNmReturn:
      what = "return";
      break;
    case kNmClick:
      what = "click";
      break;
    case kLvnKeyDown:
      what = "key " + std::to_string(n->key);
      break;
    case kLvnItemChanged:
      what = "changed " + std::to_string(n->item);
      break;
    case kNmCustomDraw:
      return false;
    default:
      what = "note " + std::to_string(n->hdr.code);
      break;
    }
    log_.push_back(name_ + ": " + what);
    *result = 0;
    return true;
  }

private:
  std::vector<std::string> &log_;
  std::string name_;
};

CreateParams top_level(Rect r) {
  CreateParams p;
  p.style = kWsPopup | kWsVisible | kWsCaption;
  p.rect = r;
  return p;
}

CreateParams child(const char *class_name, std::uint32_t style, Window &parent,
                   int id, Rect r) {
  CreateParams p;
  p.class_name = class_name;
  p.style = style | kWsChild | kWsVisible | kWsTabStop;
  p.parent = &parent;
  p.id = id;
  p.rect = r;
  return p;
}

TEST(FocusNotes, ActivatingAnotherWindowDeactivatesTheFirst) {
  TestDriver ui;
  std::vector<std::string> log;
  Page first(log, "first"), second(log, "second");
  ASSERT_TRUE(first.CreateEx(top_level({0, 0, 200, 100})));
  ASSERT_TRUE(second.CreateEx(top_level({50, 50, 250, 150})));
  first.SetActiveWindow();
  log.clear();
  second.SetActiveWindow();
  EXPECT_EQ(log, (std::vector<std::string>{"first inactive", "second active"}));
  log.clear();
  second.SetActiveWindow();
  EXPECT_TRUE(log.empty()) << "already active";
  first.SetActiveWindow();
  EXPECT_EQ(log, (std::vector<std::string>{"second inactive", "first active"}));
  second.DestroyWindow();
  first.DestroyWindow();
}

TEST(FocusNotes, AReportListTellsItsPageWhenItGainsAndLosesTheFocus) {
  TestDriver ui;
  std::vector<std::string> log;
  Page page(log, "page");
  ASSERT_TRUE(page.CreateEx(top_level({0, 0, 300, 200})));
  ListView list;
  ASSERT_TRUE(list.CreateEx(child("ListView", kLvsReport | kLvsSingleSel, page,
                                  kList, {5, 5, 205, 105})));
  list.InsertColumn(0, "Classe", kLvcfmtLeft, 80);
  list.InsertItem(0, "1A");
  Edit field;
  ASSERT_TRUE(
      field.CreateEx(child("Edit", 0, page, kField, {5, 120, 105, 140})));
  field.SetFocus();
  log.clear();
  list.SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"page: set focus"}));
  log.clear();
  field.SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"page: kill focus"}));
  page.DestroyWindow();
}

TEST(FocusNotes, KeysInAnEmptyReportListOnlyReachThePageAsKeys) {
  TestDriver ui;
  std::vector<std::string> log;
  Page page(log, "page");
  ASSERT_TRUE(page.CreateEx(top_level({0, 0, 300, 200})));
  page.SetActiveWindow();
  ListView list;
  // Columns wider than the list, so that a sideways arrow could scroll.
  ASSERT_TRUE(list.CreateEx(child("ListView", kLvsReport | kLvsSingleSel, page,
                                  kList, {5, 5, 205, 105})));
  for (int c = 0; c < 4; ++c)
    list.InsertColumn(c, "Giorno " + std::to_string(c), kLvcfmtLeft, 120);
  list.SetFocus();
  std::string before = ui.Render(page).Describe();
  log.clear();
  for (int key : {kVkDown, kVkUp, kVkHome, kVkEnd, kVkNext, kVkPrior, kVkReturn,
                  kVkRight, kVkLeft}) {
    ASSERT_TRUE(ui.Key(key));
    EXPECT_EQ(log,
              (std::vector<std::string>{"page: key " + std::to_string(key)}))
        << key;
    log.clear();
  }
  EXPECT_EQ(list.GetNextItem(-1, kLvniSelected), -1);
  EXPECT_EQ(ui.Render(page).Describe(), before)
      << "nothing scrolled, nothing lit";
  // With a row, the same keys choose it and Enter reaches the page.
  list.InsertItem(0, "1A");
  ASSERT_TRUE(ui.Key(kVkDown));
  EXPECT_EQ(list.GetNextItem(-1, kLvniSelected), 0);
  log.clear();
  ASSERT_TRUE(ui.Key(kVkReturn));
  EXPECT_EQ(log,
            (std::vector<std::string>{"page: key " + std::to_string(kVkReturn),
                                      "page: return"}));
  page.DestroyWindow();
}

} // namespace
} // namespace kt::ui
