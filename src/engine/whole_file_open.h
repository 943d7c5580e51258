// Opening a file that the engine reads from its start to its end (the
// school description, a saved timetable, the absences of the day). Only a
// regular file is read: a folder, a device such as /dev/zero, a FIFO or a
// socket would make a reader wait for ever or read without end, so it is
// refused before a byte is read, and the open itself never waits (a FIFO
// without a writer). A file longer than the longest its format allows is
// refused the same way, so no reader runs on without bound.
#pragma once

#include <cstdio>

enum class WholeFileRefusal {
  kNone,
  kMissing,      // no such file (or a folder on its path is missing)
  kNoName,       // an empty name
  kNameTooLong,  // the name or one of its parts is longer than the system takes
  kFolder,
  kNotRegular,   // a device, FIFO or socket
  kTooLong,      // longer than max_bytes
  kDenied,       // no right to read it
  kFailed,       // any other failure to open
};

// Opens the Windows-style name for reading as an engine stream (close it
// with or_fclose). Null, with the reason in *why (and errno as the system
// left it), when the file is refused.
std::FILE* or_open_whole_file(const char* name, long long max_bytes, WholeFileRefusal* why);
// The reason bracket of a refusal in the language (0 Italian, 1 German,
// 2 English); code page 1252.
const char* or_whole_file_refusal_text(WholeFileRefusal why, int language);
// The file error of a refusal: the file named (a name too long to show is
// shortened) and the reason, with the caller's source and line.
[[noreturn]] void or_raise_whole_file_refusal(const char* name, WholeFileRefusal why, const char* source, int line);
// As or_open_whole_file, but every refusal other than a missing file is the
// file error naming the file (a name too long to show is shortened) and its
// reason, with the caller's source and line. Null only for a missing file.
std::FILE* or_open_whole_file_or_raise(const char* name, long long max_bytes, const char* source, int line);
