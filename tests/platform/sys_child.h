// Lets a platform test run part of itself in a separate process: the test
// starts a copy of its own program with "--kt-sys-child ROLE ARGS...", and a
// SysChildRole object defined in the test file that owns ROLE runs the role
// during static initialisation, before GoogleTest starts, and ends the copy
// with the role's result as exit status.
//
// ReadySignal is a pipe whose write end the copy inherits: the copy writes
// one byte once it reached the state the test waits for (holding a mutex,
// ignoring SIGTERM), and the test waits for that byte with a bounded poll.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/process.h"

inline constexpr const char* kSysChildFlag = "--kt-sys-child";

// This process's arguments after argv[0], read from /proc so that static
// initialisers can see them.
inline std::vector<std::string> sys_own_arguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> args;
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    args.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  if (!args.empty()) args.erase(args.begin());
  return args;
}

using SysChildMain = int (*)(const std::vector<std::string>& args);

struct SysChildRole {
  SysChildRole(const char* role, SysChildMain main) {
    std::vector<std::string> args = sys_own_arguments();
    if (args.size() < 2 || args[0] != kSysChildFlag || args[1] != role) return;
    int status = main(std::vector<std::string>(args.begin() + 2, args.end()));
    std::fflush(nullptr);
    ::_exit(status);
  }
};

inline kt::ChildProcess spawn_sys_child(const char* role, std::vector<std::string> args) {
  args.insert(args.begin(), {kSysChildFlag, role});
  return kt::ChildProcess::spawn_self(args);
}

class ReadySignal {
 public:
  ReadySignal() {
    if (::pipe(fds_) != 0) fds_[0] = fds_[1] = -1;
    if (fds_[0] >= 0) ::fcntl(fds_[0], F_SETFD, FD_CLOEXEC);
  }
  ~ReadySignal() {
    for (int fd : fds_)
      if (fd >= 0) ::close(fd);
  }
  ReadySignal(const ReadySignal&) = delete;
  ReadySignal& operator=(const ReadySignal&) = delete;
  // The argument that tells a copy which descriptor to write to.
  std::string arg() const { return std::to_string(fds_[1]); }
  // Waits at most `ms` for the copy's byte.
  bool wait(int ms) {
    pollfd p{fds_[0], POLLIN, 0};
    char c;
    return ::poll(&p, 1, ms) == 1 && ::read(fds_[0], &c, 1) == 1;
  }
  // In the copy: reports that it is ready.
  static void send(const std::string& arg) {
    char c = 'r';
    ssize_t n = ::write(std::atoi(arg.c_str()), &c, 1);
    (void)n;
  }

 private:
  int fds_[2] = {-1, -1};
};
