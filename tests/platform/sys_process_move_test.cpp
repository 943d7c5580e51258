// A child process handed from one holder to another (kept in a list, moved
// into a member, replaced by a new one): the new holder waits for it and
// learns its exit code; a holder given a new child stops the child it held.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/process.h"
#include "sys_child.h"

using namespace std::chrono_literals;

TEST(ChildProcessMoves, TheNewHolderWaitsForTheChild) {
  kt::ChildProcess first = spawn_sys_child("exit-with", {"5"});
  ASSERT_TRUE(first) << first.error();
  pid_t pid = first.pid();
  kt::ChildProcess moved(std::move(first));
  EXPECT_EQ(moved.pid(), pid);
  auto status = moved.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, 5);

  kt::ChildProcess held = spawn_sys_child("exit-with", {"6"});
  ASSERT_TRUE(held);
  pid = held.pid();
  kt::ChildProcess other;
  other = std::move(held);
  EXPECT_EQ(other.pid(), pid);
  status = other.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, 6);
  EXPECT_FALSE(other.running());

  // Kept in a list that grows and loses its first: each still waited for.
  std::vector<kt::ChildProcess> children;
  for (int i = 0; i < 4; ++i) children.push_back(spawn_sys_child("exit-with", {std::to_string(20 + i)}));
  children.erase(children.begin());
  for (std::size_t i = 0; i < children.size(); ++i) {
    status = children[i].wait_for(20s);
    ASSERT_TRUE(status) << i;
    EXPECT_EQ(status->code, 21 + int(i));
  }
}

TEST(ChildProcessMoves, AHolderGivenANewChildStopsTheOldOne) {
  kt::ChildProcess holder = spawn_sys_child("exit-with", {"3"});
  kt::ChildProcess next = spawn_sys_child("exit-with", {"4"});
  pid_t next_pid = next.pid();
  holder = std::move(next);
  EXPECT_EQ(holder.pid(), next_pid);
  auto status = holder.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->code, 4);
}
