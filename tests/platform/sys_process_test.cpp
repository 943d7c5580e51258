// Child processes: copies of the test program started with an argument
// vector that arrives unchanged, their exit status, a bounded wait, stopping
// with SIGTERM and, for a copy that ignores it, SIGKILL; a missing program.
// Copies run roles of this file (see sys_child.h) and report over a pipe
// when they are ready, so no case sleeps to wait for a copy to start.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/process.h"
#include "sys_child.h"

using namespace std::chrono_literals;

namespace {

const std::vector<std::string> kOddArguments = {"PARPRO:3-8", "a b", "", "$(rm -rf x); `y` 'z\"", "\xE0"};

int check_arguments(const std::vector<std::string>& args) {
  return args == kOddArguments ? 0 : 1;
}

int exit_with(const std::vector<std::string>& args) { return std::atoi(args.at(0).c_str()); }

// args: ready descriptor, "ignore" to ignore SIGTERM.
int wait_to_be_stopped(const std::vector<std::string>& args) {
  if (args.size() > 1 && args[1] == "ignore") ::signal(SIGTERM, SIG_IGN);
  ReadySignal::send(args.at(0));
  ::sleep(30);  // bounded, in case the test is gone
  return 9;
}

SysChildRole arguments_role("check-arguments", check_arguments);
SysChildRole exit_role("exit-with", exit_with);
SysChildRole stopped_role("wait-to-be-stopped", wait_to_be_stopped);

}  // namespace

// The argument vector arrives unchanged; the exit code comes back.
TEST(ChildProcess, ArgumentsArriveUnchangedAndTheExitCodeComesBack) {
  kt::ChildProcess child = spawn_sys_child("check-arguments", kOddArguments);
  ASSERT_TRUE(child) << child.error();
  auto status = child.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->success());
  kt::ChildProcess seven = spawn_sys_child("exit-with", {"7"});
  status = seven.wait_for(20s);
  ASSERT_TRUE(status);
  EXPECT_TRUE(status->exited);
  EXPECT_EQ(status->code, 7);
  EXPECT_FALSE(seven.running());
  EXPECT_EQ(seven.exit_status()->code, 7);
}

// SIGTERM ends a running copy; one that ignores it is killed after the grace time.
TEST(ChildProcess, StopEndsACopyWithSigtermOrKillsOneThatIgnoresIt) {
  for (bool ignores : {false, true}) {
    ReadySignal ready;
    kt::ChildProcess child = spawn_sys_child("wait-to-be-stopped", {ready.arg(), ignores ? "ignore" : ""});
    ASSERT_TRUE(ready.wait(10000));
    EXPECT_TRUE(child.running());
    EXPECT_FALSE(child.wait_for(1ms));  // still there after a short bounded wait
    kt::ExitStatus end = child.stop(ignores ? 20ms : 10s);
    EXPECT_FALSE(end.exited);
    EXPECT_EQ(end.signal, ignores ? SIGKILL : SIGTERM);
    EXPECT_FALSE(child.running());
  }
}

TEST(ChildProcess, DestroyingARunningChildEndsAndReapsIt) {
  ReadySignal ready;
  pid_t pid;
  {
    kt::ChildProcess child = spawn_sys_child("wait-to-be-stopped", {ready.arg()});
    ASSERT_TRUE(ready.wait(10000));
    pid = child.pid();
  }
  EXPECT_EQ(::kill(pid, 0), -1);  // neither running nor a zombie
  EXPECT_EQ(errno, ESRCH);
}

TEST(ChildProcess, MissingProgramsAreReportedDetachedOnesFoundOnThePath) {
  kt::ChildProcess child = kt::ChildProcess::spawn("/nonexistent/kt-program", {});
  EXPECT_FALSE(child);
  EXPECT_EQ(child.error(), ENOENT);
  EXPECT_FALSE(child.running());
  EXPECT_FALSE(child.wait_for(1ms));
  // A detached program is found on the path search.
  int error = 0;
  EXPECT_TRUE(kt::spawn_detached({"true"}, &error)) << error;
  EXPECT_FALSE(kt::spawn_detached({"kt-no-such-program-anywhere"}, &error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(kt::spawn_detached({}, &error));
}

