// Child processes of the program: copies of the program itself (the parallel
// solver workers, started with "PARPRO:i-n") or another program, started with
// posix_spawn from an argument vector (never through a shell), watched,
// stopped and reaped.
//
// A ChildProcess owns its process: destroying it while the child still runs
// stops it (SIGTERM, then SIGKILL after a grace time) and reaps it, so the
// program leaves neither orphans nor zombies. The child starts with default
// signal handling and an empty signal mask, inherits the environment and the
// current folder, and none of the program's own descriptors (they are all
// opened close-on-exec). Waits are bounded and wake on the child's exit
// (a pidfd), not by polling.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kt {

struct ExitStatus {
  bool exited = false;  // ended by exit(); `code` holds its status
  int code = 0;
  int signal = 0;       // the signal that ended it, when not exited
  bool success() const { return exited && code == 0; }
};

// The running program's file, for argv[0] of its copies.
std::string self_executable_path();

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `program` (a path; no PATH search) with `args` after argv[0].
  // On failure the result tests false and error() holds the errno.
  static ChildProcess spawn(const std::string& program, const std::vector<std::string>& args);
  // Starts a copy of the running program with `args`.
  static ChildProcess spawn_self(const std::vector<std::string>& args);

  explicit operator bool() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  int error() const { return error_; }

  // True while the child has not ended; reaps it when it has.
  bool running();
  // Waits at most `timeout` for the end; the exit status when it ended.
  std::optional<ExitStatus> wait_for(std::chrono::milliseconds timeout);
  // The exit status once the child has ended and been reaped.
  std::optional<ExitStatus> exit_status() const { return status_; }

  // Sends SIGTERM, waits up to `grace`, then SIGKILL; reaps. Returns how it ended.
  ExitStatus stop(std::chrono::milliseconds grace = std::chrono::milliseconds(1000));
  // SIGKILL now; reaps.
  ExitStatus kill();

 private:
  // Runs `path` with argv (its first word: the name shown) and args after it.
  static ChildProcess start(const std::string& path, std::vector<std::string> argv,
                            const std::vector<std::string>& args);
  bool reap(bool block);
  pid_t pid_ = -1;
  int pidfd_ = -1;
  int error_ = 0;
  std::optional<ExitStatus> status_;
};

// Starts `argv` (argv[0] searched in PATH) and reaps it on a detached thread
// without waiting for it: for programs such as xdg-open whose end the program
// does not care about. False (and *error) when it could not be started.
bool spawn_detached(const std::vector<std::string>& argv, int* error = nullptr);

}  // namespace kt
