// Which thread is the user interface's: the one that claimed it answers so,
// any other does not; a call handed to the interface from its own thread
// runs at once, from another it waits for the interface's loop.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/test_driver.h"
#include "platform/ui_thread.h"

namespace kt::ui {
namespace {

TEST(UiThread, OnlyTheClaimingThreadIsTheInterfaces) {
  TestDriver ui;
  claim_ui_thread();
  ASSERT_TRUE(on_ui_thread());
  std::atomic<int> elsewhere{-1};
  std::thread other([&] { elsewhere = on_ui_thread() ? 1 : 0; });
  other.join();
  EXPECT_EQ(elsewhere, 0);
  // From its own thread a call runs at once, with nothing pumped.
  int runs = 0;
  EXPECT_EQ(call_on_ui([&] { return ++runs * 7; }), 7);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(ui.Pump(), 0) << "nothing was queued";
  // From another thread it waits until the interface's loop runs it.
  std::atomic<int> answer{0};
  std::thread caller([&] { answer = call_on_ui([&] { return ++runs * 10; }); });
  while (answer == 0) pump_one();
  caller.join();
  EXPECT_EQ(answer, 20);
}

}  // namespace
}  // namespace kt::ui
