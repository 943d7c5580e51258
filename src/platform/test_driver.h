// The test driver: runs windows on the headless backend and drives them as
// a user would, by control id, caption or row, and reads back what the user
// would see. Modal runs cannot be driven from outside (the test's own call
// is blocked inside DoModal), so steps for them are scripted in advance:
// each modal dialog or pop-up menu that comes up and has nothing left to do
// takes the next scripted step; one with no step waiting is abandoned (as
// cancelled) and reported in Problems(), so a test never hangs.
//
//   TestDriver ui;
//   page.Create(&frame);
//   ui.AnswerNextModal(kIdYes);          // the box the Delete button asks
//   ui.Click(page, kDeleteButton);
//   EXPECT_EQ(ui.boxes().back().texts, ...);
//   ui.Advance(231);                     // the page's timer fires once
//   EXPECT_EQ(ui.Render(page).CellFill(1021, 2, 3)->color, rgb(255, 0, 0));
//
// Time is a virtual clock that only Advance moves; every action pumps the
// queue until it is empty, so posted messages have been handled when it
// returns. One driver at a time; it resets the window core on both ends.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog.h"
#include "platform/display_list.h"
#include "platform/ui_backend.h"

namespace kt::ui {

class PopupMenu;

class TestDriver {
 public:
  TestDriver();
  ~TestDriver();
  TestDriver(const TestDriver&) = delete;
  TestDriver& operator=(const TestDriver&) = delete;

  HeadlessBackend& headless() { return backend_; }
  VirtualClock& clock() { return backend_.virtual_clock(); }

  // ---- scripted modal steps, taken in order ----
  void AnswerNextModal(LResult result);
  void OnNextModal(std::function<void(Dialog&)> step);
  // Clicks a button of the next modal dialog, by id or by caption (boxes that
  // only their buttons can end).
  void PressInNextModal(int id);
  void PressInNextModal(std::string_view caption);
  void ChooseNextMenuItem(int id);
  void ChooseNextMenuItem(std::string_view text);
  void CancelNextMenu();
  // Looks at the next pop-up menu (its class, title, items); the step chooses or cancels it.
  void OnNextMenu(std::function<void(PopupMenu&)> step);
  std::size_t PendingSteps() const { return steps_.size(); }

  // ---- actions; false when the input was refused ----
  bool Click(Window& control);
  bool Click(Window& dialog, int id);
  bool ClickCaption(Window& dialog, std::string_view caption);
  bool DoubleClick(Window& control);
  bool DoubleClick(Window& dialog, int id) { Window* c = Find(dialog, id); return c && DoubleClick(*c); }
  bool RightClick(Window& control);
  // A click at a point of a window's client area, hit-tested like the mouse;
  // `clicks` quick clicks there (2: a double click, 3: a triple click).
  bool ClickAt(Window& window, Point client, unsigned mods = 0, int clicks = 1);
  // The left button pressed at the first point of a window's client area,
  // the mouse moved through the others and the button let go at the last,
  // routed like the real mouse (the press may take the capture); the press
  // is the last of `clicks` quick ones at the first point.
  bool Drag(Window& window, const std::vector<Point>& path, unsigned mods = 0, int clicks = 1);
  bool Type(Window& control, std::string_view text);
  bool Type(Window& dialog, int id, std::string_view text) { Window* c = Find(dialog, id); return c && Type(*c, text); }
  bool Key(int key, unsigned mods = 0);
  // The window manager's close request for a window's top-level window (its
  // close button); refused, with a beep, while a modal dialog is up over it.
  bool Close(Window& window);
  // Rows of list boxes, combo boxes and list views, by index or text.
  bool Select(Window& dialog, int id, int index, unsigned mods = 0);
  bool Select(Window& dialog, int id, std::string_view text);
  bool ClickCell(Window& dialog, int id, int row, int column, bool double_click = false);
  bool ClickHeader(Window& dialog, int id, int column);
  bool DragColumnEdge(Window& dialog, int id, int column, int width);
  void Advance(std::int64_t ms);
  int Pump();

  // ---- reading ----
  struct BoxShown {
    int template_id = 0;
    std::string caption;
    std::vector<std::string> texts;  // visible statics, edits and buttons, in template order
  };
  const std::vector<BoxShown>& boxes() const { return boxes_; }
  int beeps() const { return int(backend_.beeps().size()); }
  void ClearBeeps() { backend_.ClearBeeps(); }
  DisplayList Render(Window& window);
  std::string Text(Window& dialog, int id);
  bool IsChecked(Window& dialog, int id);
  bool IsEnabled(Window& dialog, int id);
  bool IsVisible(Window& dialog, int id);
  bool HasFocus(Window& dialog, int id);
  // Problems of the core (abandoned modal runs, bindings without controls)
  // and of the driver (a control that does not exist); taken and cleared.
  std::vector<std::string> Problems();

 private:
  struct Step {
    bool menu = false;
    std::function<void(ModalFrame&)> run;
  };
  bool OnIdle(ModalFrame& frame);
  Window* Find(Window& dialog, int id);
  bool Usable(Window& control);
  bool Mouse(Window& control, Point local, std::uint32_t down, std::uint32_t up, unsigned mods, bool twice);

  HeadlessBackend backend_;
  std::deque<Step> steps_;
  std::vector<BoxShown> boxes_;
  std::vector<std::string> problems_;
};

}  // namespace kt::ui
