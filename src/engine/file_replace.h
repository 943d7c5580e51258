// Rewriting a file safely: the new content goes to a temporary file in the
// same folder, which is renamed over the old file only when every byte was
// written and flushed. A crash, a full disk or an error exit in between
// leaves the old file as it was and removes the temporary one.
//
// Used by every engine writer that replaces a whole file (save files, the
// reception file, scrambled and plain copies of text files).
#pragma once

#include <cstdio>
#include <string>

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile() { abandon(); }

  // Opens the temporary file for the Windows-style target name; false when
  // it cannot be created. The stream belongs to the engine's open files.
  // While an engine command gathers its files (run_files.h) the temporary
  // is the command's, and commit() only closes it: the command's end puts
  // it in place with the others.
  // With keep_current the command's temporary starts with the file's
  // current contents (an appending writer); outside a command the writer
  // copies them itself.
  bool open(const char* windows_name, bool keep_current = false);
  // The temporary belongs to the running command's files.
  bool staged() const { return staged_; }
  // Before open(): this file is written straight through even while a
  // command gathers its files; with undo the command's failure puts the
  // old file back.
  void set_direct(bool undo) {
    direct_ = true;
    undo_ = undo;
  }
  std::FILE* stream() const { return stream_; }
  // Flushes, closes and renames over the target; false (and nothing
  // replaced) when any write failed.
  bool commit();
  // Closes and removes the temporary file; the target stays untouched.
  void abandon();
  // errno of the failure of the last open() or commit(), 0 while none.
  int error() const { return error_; }

 private:
  int error_ = 0;
  bool direct_ = false, undo_ = false;
  bool staged_ = false;  // the temporary belongs to the command's files
  std::FILE* stream_ = nullptr;
  std::string temp_path_;
  std::string target_path_;
};
