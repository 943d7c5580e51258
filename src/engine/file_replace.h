// Writing a file of the school folder so that a crash, a full disk or a
// failed write never leaves a half file in place of the old one: the text
// goes to a temporary file beside the target, and only a complete, flushed
// and closed temporary file is renamed over the target. A failure raises
// the engine's file error with the file's name (the caller's text), after
// the temporary file is removed; the old file stays untouched.
//
// Used by the save files, "ricevi.txt" and the exemption files; each write
// is a few hundred kilobytes at most.
#pragma once

#include <cstdio>
#include <string>

class ReplacingFile {
 public:
  // name: a Windows-style path as the engine speaks it (".\\savego.txt").
  explicit ReplacingFile(const char* name);
  ~ReplacingFile();  // an uncommitted file is discarded
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Creates the temporary file; false when it cannot be created.
  bool open();
  std::FILE* stream() { return stream_; }
  // Closes and renames over the target; raises the file error on failure.
  void commit();
  // Copies the current target (when there is one) into the temporary file,
  // for appending writers; raises the file error on failure.
  void copy_existing();
  // Raises the file error for this file (and discards the temporary file).
  [[noreturn]] void fail(const char* hint);

 private:
  std::string name_;
  std::string target_;
  std::string temporary_;
  std::FILE* stream_ = nullptr;
};
