// Named shared memory between the program's own processes (the main process
// and its parallel solver workers): a POSIX shared-memory object mapped
// read-write. The program names its objects the Windows way
// ("KestrinTempusParproArea.map"); shm_object_name turns such a name into a
// valid, per-user object name so two users of one machine never meet.
//
// The creator makes a fresh, zero-filled object of the given size (a stale
// object left by a crashed run is replaced) and removes the name when it is
// destroyed; processes that have it mapped keep their mapping. An opener
// maps an existing object and is refused when it is smaller than it expects.
// Move-only; a failed create or open yields an object that tests false and
// tells why.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kt {

// "/" + the name with every byte outside [A-Za-z0-9._-] written as %XX, + "."
// + the effective user id. Distinct names stay distinct.
std::string shm_object_name(std::string_view windows_name);

enum class ShmStatus { kOk, kNotFound, kTooSmall, kFailed };

class SharedMemory {
 public:
  SharedMemory() = default;
  ~SharedMemory();
  SharedMemory(SharedMemory&& other) noexcept;
  SharedMemory& operator=(SharedMemory&& other) noexcept;
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;

  static SharedMemory create(std::string_view windows_name, std::size_t size);
  static SharedMemory open(std::string_view windows_name, std::size_t size);

  explicit operator bool() const { return data_ != nullptr; }
  void* data() const { return data_; }
  unsigned char* bytes() const { return static_cast<unsigned char*>(data_); }
  std::size_t size() const { return size_; }
  bool is_creator() const { return creator_; }
  const std::string& object_name() const { return name_; }
  ShmStatus status() const { return status_; }
  int error() const { return error_; }  // errno of a failure

  // Unmaps; the creator also removes the name.
  void close();

  // Removes a name left behind (tests, clean-up after a crash).
  static void remove(std::string_view windows_name);
  // Removes this user's objects named `windows_name` + "." + a process id
  // whose process no longer runs (a main process killed before it could
  // remove its names); returns how many went. Untagged names stay.
  static int remove_orphans(std::string_view windows_name);

 private:
  void* data_ = nullptr;
  std::size_t size_ = 0;
  bool creator_ = false;
  std::string name_;
  ShmStatus status_ = ShmStatus::kFailed;
  int error_ = 0;
};

}  // namespace kt
