// After a restore of an older copy over a school: the school's data files
// that the copy does not hold come from work done after the copy was made (a
// timetable computed, a search's record, absences, a provisional
// timetable), and read beside the copy's older description they would give
// the timetable of another school. They are moved, never deleted, into a
// sub-folder of the school, so the restored school reads as the copy was and
// the later work can still be taken back by hand. Files that are not the
// school's data (notes, printed reports, sub-folders) stay where they are.
#pragma once

#include <set>
#include <string>
#include <vector>

// The sub-folder's name when it is free; otherwise the same with the date
// and time, and a number after it when that is taken too.
inline constexpr const char* kLaterWorkFolder = "Prima del ripristino";

// Whether `name` (1252, any case) is one of the files the engine and the
// program read as a school's state: descriptions, structure, exemptions,
// saved, balanced, test and provisional timetables, a search's record, the
// timetables set aside, reception hours, absences, carried stand-by lines.
bool og_is_school_data_file(const std::string& name);

struct LaterWorkAside {
  std::string folder;              // the sub-folder (1252 name), empty when none was made
  std::vector<std::string> moved;  // names (1252) now in it
  std::vector<std::string> left;   // names (1252) that could not be moved
  int error = 0;                   // errno of the first failure
};

// Moves the school data files of `folder` (a path of this machine) whose
// names on disk are not in `written` (names on disk, exactly as the restore
// wrote them: a look-alike in another case is not the copy's file) into a
// new sub-folder. Call it only once the copy's files are in place: a
// restore that failed must leave everything as it was.
LaterWorkAside og_set_aside_later_work(const std::string& folder, const std::set<std::string>& written);

// What the restore adds to its message (1252, the language given): empty
// when nothing was found to set aside; else the files and the sub-folder,
// and each file that could not be moved with the reason.
std::string og_later_work_message(const LaterWorkAside& aside, int language);
