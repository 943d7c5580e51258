// The ten status bytes of a school ("STATUSINFO:"), as both school files
// carry them. Each byte is a character '0'-'9':
//   1st  the SISSI-origin marker: '1' or above once a SISSI import (or the
//        SISSI code check) was saved for this school
//   3rd  '1' or above once an Orario Facile import was saved
//   4th, 5th  the timetable states the timetable guards test
//   6th  '1' or above once a spreadsheet import was saved
//   7th  '1' once the default subject options were applied
//   8th  '1' once the school was saved in service mode
//   10th the number of solver processes of the last parallel computation
#pragma once

#include <string>

constexpr int kStatusSissiOrigin = 0;
constexpr int kStatusServiceSave = 7;
constexpr int kStatusProcesses = 9;

// Copies the status characters that follow "STATUSINFO:" (up to ten, up to
// the first '|') into the school model; missing ones read as '0'.
void og_read_status_info(const std::string& rest);
// Puts the school model's status bytes in shape for writing (a byte below 33
// becomes '0', the service-save and process bytes are set from the running
// program) and appends the line "STATUSINFO:<ten bytes>|" with its line end
// to file.
void og_write_status_info(std::string& file, char* buffer);
// The "STATUSINFO:" line alone, without its line end (the line writers add
// their own).
std::string og_status_info_line();
// The first status byte says the school's data came from SISSI.
bool og_data_from_sissi();
