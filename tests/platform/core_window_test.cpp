// Window tree, handles and message routing of the headless core: stale
// handles, message maps (commands, ranges, id lists, notifications, private
// messages), a control answering its own messages first, destruction from
// inside a handler, the dispatch hook, and the hand-over from other threads.
// Windows here are plain ones created by hand; dialogs have tests of their own.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/device_context.h"
#include "platform/message_map.h"
#include "platform/ui_backend.h"
#include "platform/ui_thread.h"
#include "platform/window.h"

namespace kt::ui {
namespace {

class Fresh : public ::testing::Test {
 protected:
  void SetUp() override { reset_ui(); }
  void TearDown() override { reset_ui(); }
};

bool create(Window& w, Window* parent, int id, Rect r = {0, 0, 50, 20}) {
  CreateParams p;
  p.parent = parent;
  p.id = id;
  p.rect = r;
  p.style = (parent ? kWsChild : kWsPopup) | kWsVisible | kWsTabStop;
  return w.CreateEx(p);
}

constexpr int kCellIds[] = {1372, 1582, 1442, 1969};

class Board : public Window {
 public:
  std::vector<std::string> log;
  bool destroy_on_quit = false;

 protected:
  void OnSave() { log.push_back("save"); }
  void OnRow(int index) { log.push_back("row " + std::to_string(index)); }
  void OnCell(int index) { log.push_back("cell " + std::to_string(index)); }
  void OnChanged() { log.push_back("changed"); }
  void OnListClick(NotifyHeader* h, LResult* result) {
    log.push_back("click " + std::to_string(h->id));
    *result = 7;
  }
  LResult OnHelp(WParam w, LParam) {
    log.push_back("help " + std::to_string(w));
    return 42;
  }
  void OnQuit() {
    log.push_back("quit");
    if (destroy_on_quit) DestroyWindow();
  }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(Board, Window)
  KT_ON_COMMAND(10, OnSave)
  KT_ON_COMMAND_RANGE(2000, 2029, OnRow)
  KT_ON_COMMAND_LIST(kCellIds, OnCell)
  KT_ON_CONTROL(kEnChange, 11, OnChanged)
  KT_ON_NOTIFY(kNmClick, 12, OnListClick)
  KT_ON_MESSAGE(kMsgUser + 5, OnHelp)
  KT_ON_COMMAND(13, OnQuit)
KT_END_MESSAGE_MAP()

TEST_F(Fresh, MessageMapRoutesEveryKindOfEntry) {
  Board b;
  ASSERT_TRUE(create(b, nullptr, 0));
  struct Case { const char* id; std::uint32_t msg; WParam w; const char* expect; } cases[] = {
      {"cmd", kMsgCommand, make_command_param(10, 0), "save"},
      {"accel", kMsgCommand, make_command_param(10, 1), "save"},
      {"range-first", kMsgCommand, make_command_param(2000, 0), "row 0"},
      {"range-last", kMsgCommand, make_command_param(2029, 0), "row 29"},
      {"list", kMsgCommand, make_command_param(1442, 0), "cell 2"},
      {"control", kMsgCommand, make_command_param(11, kEnChange), "changed"},
      {"user", kMsgUser + 5, 3, "help 3"},
  };
  for (const Case& c : cases) {
    b.log.clear();
    b.SendMessage(c.msg, c.w, 0);
    ASSERT_EQ(b.log.size(), 1u) << c.id;
    EXPECT_EQ(b.log[0], c.expect) << c.id;
  }
  b.log.clear();
  b.SendMessage(kMsgCommand, make_command_param(2030, 0), 0);       // outside the range
  b.SendMessage(kMsgCommand, make_command_param(11, kEnKillFocus), 0);  // other code
  EXPECT_TRUE(b.log.empty());
  NotifyHeader h;
  h.id = 12;
  h.code = kNmClick;
  EXPECT_EQ(b.SendMessage(kMsgNotify, 12, reinterpret_cast<LParam>(&h)), 7);
  EXPECT_EQ(b.SendMessage(kMsgUser + 5, 1, 0), 42);
}

TEST_F(Fresh, StaleHandlesReachNothing) {
  Board b;
  ASSERT_TRUE(create(b, nullptr, 0));
  WindowHandle first = b.handle();
  b.PostMessage(kMsgUser + 5, 9, 0);
  b.DestroyWindow();
  EXPECT_EQ(Window::FromHandle(first), nullptr);
  EXPECT_EQ(pump_pending(), 1);  // taken from the queue, dropped
  EXPECT_TRUE(b.log.empty());
  ASSERT_TRUE(create(b, nullptr, 0));  // the same object lives again
  EXPECT_EQ(b.handle().slot, first.slot);
  EXPECT_NE(b.handle(), first);
  EXPECT_EQ(Window::FromHandle(first), nullptr);
  EXPECT_EQ(Window::FromHandle(b.handle()), &b);
}

TEST_F(Fresh, WindowDestroyedInsideItsOwnHandler) {
  Board b;
  b.destroy_on_quit = true;
  ASSERT_TRUE(create(b, nullptr, 0));
  Window* child = new Window;
  child->SetAutoDelete(true);
  ASSERT_TRUE(create(*child, &b, 5));
  b.SendMessage(kMsgCommand, make_command_param(13, 0), 0);
  EXPECT_FALSE(b.IsWindow());
  EXPECT_EQ(b.log, std::vector<std::string>{"quit"});
  EXPECT_TRUE(create(b, nullptr, 0));
}

class SelfColoured : public Window {
 public:
  int notified = 0;

 protected:
  Color CtlColor(DeviceContext&, CtlType) override { return rgb(1, 2, 3); }
  bool OnChildNotify(std::uint32_t m, WParam w, LParam l, LResult* r) override {
    if (m == kMsgCommand && command_code(w) == kBnClicked) {
      ++notified;
      return true;
    }
    return Window::OnChildNotify(m, w, l, r);
  }
};

class Parent : public Window {
 public:
  int commands = 0;
  Color answer = rgb(9, 9, 9);

 protected:
  bool OnCommand(WParam, LParam) override {
    ++commands;
    return true;
  }
  Color OnCtlColor(DeviceContext&, Window*, CtlType) override { return answer; }
};

TEST_F(Fresh, ControlAnswersItsOwnMessagesFirst) {
  Parent p;
  SelfColoured own;
  Window plain;
  ASSERT_TRUE(create(p, nullptr, 0));
  ASSERT_TRUE(create(own, &p, 1));
  ASSERT_TRUE(create(plain, &p, 2));
  own.NotifyParentCommand(kBnClicked);
  plain.NotifyParentCommand(kBnClicked);
  EXPECT_EQ(own.notified, 1);
  EXPECT_EQ(p.commands, 1);
  DisplayList list;
  HeadlessMetrics m;
  DeviceContext dc(list, m, {0, 0}, {0, 0, 10, 10}, {}, 0);
  EXPECT_EQ(own.RequestColors(dc, CtlType::kStatic), rgb(1, 2, 3));
  EXPECT_EQ(plain.RequestColors(dc, CtlType::kStatic), rgb(9, 9, 9));
}

TEST_F(Fresh, DestroyingAParentTakesChildrenAndOwnedWindows) {
  Board frame, owned;
  Window child;
  ASSERT_TRUE(create(frame, nullptr, 0));
  ASSERT_TRUE(create(child, &frame, 3));
  CreateParams p;
  p.owner = &frame;
  p.style = kWsPopup;
  ASSERT_TRUE(owned.CreateEx(p));
  EXPECT_EQ(owned.GetOwner(), &frame);
  EXPECT_EQ(frame.GetDlgItem(3), &child);
  child.SetTimer(1, 100);
  frame.DestroyWindow();
  EXPECT_FALSE(child.IsWindow());
  EXPECT_FALSE(owned.IsWindow());
  EXPECT_EQ(next_timer_due(), -1);
}

// ---- threads ----

std::atomic<int> g_violations{0};
void count_violation(const char*) { ++g_violations; }

TEST_F(Fresh, OtherThreadsHandWorkToTheUiThread) {
  claim_ui_thread();
  Board b;
  ASSERT_TRUE(create(b, nullptr, 0));
  std::thread worker([&] {
    b.PostMessage(kMsgUser + 5, 4, 0);
    post_to_ui([&] { b.log.push_back("task"); });
  });
  worker.join();
  pump_pending();
  EXPECT_EQ(b.log, (std::vector<std::string>{"help 4", "task"}));

  std::atomic<int> answer{0};
  std::thread caller([&] { answer = call_on_ui([&] { return int(b.log.size()) * 10; }); });
  while (answer == 0) pump_one();  // the UI thread serves the call
  caller.join();
  EXPECT_EQ(answer, 20);
}

TEST_F(Fresh, WindowCallFromAnotherThreadIsCaught) {
  claim_ui_thread();
  Board b;
  ASSERT_TRUE(create(b, nullptr, 0));
  ThreadCheckHandler old = set_thread_check_handler(count_violation);
  g_violations = 0;
  std::thread rogue([&] {
    b.SetWindowText("x");
    b.SetTimer(1, 5);
  });
  rogue.join();
  set_thread_check_handler(old);
  EXPECT_EQ(g_violations, 2);
}

}  // namespace
}  // namespace kt::ui
