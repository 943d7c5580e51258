// Replacing a file's contents so that a crash, a full disk or a failed write
// never leaves a half file: the new contents go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the old one.
// Until the rename the old file stays exactly as it was.
//
// AtomicFile is the general form (callers that write line by line get a
// FILE*); write_file_atomically and copy_file_replacing are the two common
// uses. The temporary is named "<name>.~<pid>-<n>" beside the target (only
// ".~<pid>-<n>" when the name is too long to take the suffix), takes
// the old file's permissions (else 0666 less the umask) and is removed again
// on every failure and when an AtomicFile is destroyed without commit().
//
// replace_files_together extends the promise to several files of one folder
// (a school's two files): all are replaced or none, even across a crash,
// through a commit marker that complete_files_together finishes on the
// next start.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kt {

class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  FILE* stream() { return stream_; }
  const std::string& temporary_path() const { return temp_; }
  const std::string& target() const { return target_; }
  // errno of the first failure, 0 while none.
  int error() const { return error_; }

  bool write(std::string_view bytes);
  // Flushes, syncs and closes the temporary, which then holds the whole new
  // contents on disk; false (the temporary removed) on any failure.
  bool prepare();
  // Prepares when not yet done and renames over the target. False (the
  // target untouched, the temporary removed) when any write so far or the
  // rename failed.
  bool commit();
  // Drops the new contents; the target stays as it was.
  void discard();
  // Gives up the prepared temporary without renaming or removing it: a
  // commit marker names it and whoever completes the marker renames it.
  void release();

 private:
  std::string target_;
  std::string temp_;
  FILE* stream_ = nullptr;
  int error_ = 0;
  bool prepared_ = false;
};

// Where a replacement can be made to fail in tests.
enum class AtomicStep { kWrite, kSync, kRename };
// Test seam: consulted before each write, sync and rename of a replacement
// with the target's path; a non-zero errno makes that step fail with it (a
// full disk, a failed rename). A fault may also end the process there, as a
// crash would. Null: no faults.
using AtomicFault = int (*)(AtomicStep step, const std::string& target);
void set_atomic_write_fault(AtomicFault fault);

// Replaces the files (path, new contents) of one folder together: every
// new contents goes to a flushed temporary first, then the marker file
// (in the same folder) records the renames still to do, then the renames
// happen and the marker goes. Before the marker exists a failure or a crash
// leaves every file as it was; after it, complete_files_together finishes
// the renames. False on failure, with errno and the path that failed (empty
// when only the renames failed: complete_files_together will retry them).
bool replace_files_together(const std::vector<std::pair<std::string, std::string>>& files,
                            const std::string& marker, std::string* failed_path = nullptr,
                            int* error = nullptr);
enum class Completion { kNothing, kCompleted, kAbandoned, kFailed };
// Finishes the replacement a marker left by a save that did not end: the
// temporaries still there are renamed over their targets and the marker
// removed. kNothing without a marker; kFailed (errno in *error) when a
// rename failed or a temporary was lost, the marker kept for another try;
// kAbandoned when a target still to replace was itself replaced since the
// save stopped (the marker records each target's identity): the newer
// files stay, and the marker and the temporaries go.
Completion complete_files_together(const std::string& marker, int* error = nullptr);
// The same with the marker's text already read by the caller (through its
// own reading path, which tells a read error from an end of file): a failed
// read must never reach here, since a marker that is not whole is removed.
Completion complete_files_as_marked(const std::string& marker, const std::string& text, int* error = nullptr);
// Removes the temporaries of replacements that a process now gone left in
// folder ("<name>.~<pid>-<n>" of this layer, "<name>.kt-tmp-<pid>[-<n>]" of
// the engine's). Run after complete_files_together, which still needs the
// ones its marker names. Returns how many were removed.
int remove_stale_temporaries(const std::string& folder);

// Replaces (or creates) `path` with `bytes`. *error receives errno on failure.
bool write_file_atomically(const std::string& path, std::string_view bytes, int* error = nullptr);

enum class CopyResult { kOk, kSourceUnreadable, kTargetFailed };
// Called after each block with the bytes copied so far and the source size.
using CopyProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Copies `source` over `target` through a temporary file, in blocks of 16384
// bytes. An empty source makes an empty target.
CopyResult copy_file_replacing(const std::string& source, const std::string& target,
                               const CopyProgress& progress = nullptr, int* error = nullptr);

}  // namespace kt
