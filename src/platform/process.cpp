// Child processes; see process.h. At most eight solver processes and the
// odd helper run at once, so each ChildProcess keeps its own pidfd to wait
// on; on kernels without pidfd the waits fall back to naps of 2 ms up to
// their bound. Invariant: a ChildProcess reaps its pid exactly once (the
// exit status is kept), so a recycled pid is never signalled by mistake
// after the reap. Detached helpers are reaped by a thread of their own.
#include "platform/process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <thread>
#include <utility>

extern char** environ;

namespace kt {
namespace {

int open_pidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
  return -1;
#endif
}

ExitStatus decode(int raw) {
  ExitStatus s;
  if (WIFEXITED(raw)) {
    s.exited = true;
    s.code = WEXITSTATUS(raw);
  } else if (WIFSIGNALED(raw)) {
    s.signal = WTERMSIG(raw);
  }
  return s;
}

// posix_spawn with default signal dispositions and an empty mask, so a
// parent that ignores or blocks signals does not pass that on.
int spawn_with(const std::string& program, const std::vector<std::string>& argv, bool search,
               pid_t* pid) {
  std::vector<char*> raw;
  for (const std::string& a : argv) raw.push_back(const_cast<char*>(a.c_str()));
  raw.push_back(nullptr);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  int rc = search ? ::posix_spawnp(pid, program.c_str(), nullptr, &attr, raw.data(), environ)
                  : ::posix_spawn(pid, program.c_str(), nullptr, &attr, raw.data(), environ);
  posix_spawnattr_destroy(&attr);
  return rc;
}

}  // namespace

std::string self_executable_path() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "/proc/self/exe";
  return std::string(buffer, static_cast<std::size_t>(n));
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !status_) stop();
  if (pidfd_ >= 0) ::close(pidfd_);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept { *this = std::move(other); }

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    if (pid_ > 0 && !status_) stop();
    if (pidfd_ >= 0) ::close(pidfd_);
    pid_ = std::exchange(other.pid_, -1);
    pidfd_ = std::exchange(other.pidfd_, -1);
    error_ = other.error_;
    status_ = std::exchange(other.status_, std::nullopt);
  }
  return *this;
}

ChildProcess ChildProcess::start(const std::string& path, std::vector<std::string> argv,
                                 const std::vector<std::string>& args) {
  argv.insert(argv.end(), args.begin(), args.end());
  ChildProcess child;
  pid_t pid = -1;
  int rc = spawn_with(path, argv, false, &pid);
  if (rc != 0) {
    child.error_ = rc;
    return child;
  }
  child.pid_ = pid;
  child.pidfd_ = open_pidfd(pid);
  return child;
}

ChildProcess ChildProcess::spawn(const std::string& program, const std::vector<std::string>& args) {
  return start(program, {program}, args);
}

ChildProcess ChildProcess::spawn_self(const std::vector<std::string>& args) {
  // /proc/self/exe stays valid even when the file was replaced on disk
  // while the program runs; argv[0] carries the readable name.
  return start("/proc/self/exe", {self_executable_path()}, args);
}

bool ChildProcess::reap(bool block) {
  if (status_) return true;
  if (pid_ <= 0) return false;
  int raw = 0;
  pid_t r;
  do {
    r = ::waitpid(pid_, &raw, block ? 0 : WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == pid_) {
    status_ = decode(raw);
    return true;
  }
  if (r < 0) {  // reaped elsewhere (ECHILD): nothing more to learn
    status_ = ExitStatus{};
    return true;
  }
  return false;
}

bool ChildProcess::running() { return pid_ > 0 && !reap(false); }

std::optional<ExitStatus> ChildProcess::wait_for(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!reap(false)) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    if (pidfd_ >= 0) {
      pollfd p{pidfd_, POLLIN, 0};
      ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
    } else {
      std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(2)));
    }
  }
  return status_;
}

ExitStatus ChildProcess::stop(std::chrono::milliseconds grace) {
  if (pid_ <= 0) return ExitStatus{};
  if (!reap(false)) {
    ::kill(pid_, SIGTERM);
    if (!wait_for(grace)) return kill();
  }
  return *status_;
}

ExitStatus ChildProcess::kill() {
  if (pid_ <= 0) return ExitStatus{};
  if (!reap(false)) {
    ::kill(pid_, SIGKILL);
    reap(true);
  }
  return *status_;
}

bool spawn_detached(const std::vector<std::string>& argv, int* error) {
  if (argv.empty()) {
    if (error) *error = EINVAL;
    return false;
  }
  pid_t pid = -1;
  int rc = spawn_with(argv[0], argv, true, &pid);
  if (rc != 0) {
    if (error) *error = rc;
    return false;
  }
  std::thread([pid] {
    int raw;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace kt
