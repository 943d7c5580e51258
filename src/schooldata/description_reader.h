// Reader of the school description "scuola2.txt" into the user interface's
// model: header (days, hours), settings (bands, buildings, gyms), teachers
// with their posts and personal constraints, and the classes, labs and
// subjects the description names beyond "scuola1.txt".
//
// A read starts from cleared blocks and either completes (working copies
// and snapshots equal) or fails with a message in the user's language and
// leaves the school blocks cleared and the structure as it was before; no
// partial model is kept and no table is written past its capacity.
// User-interface thread only.
#pragma once

#include <string>

// The release text this program writes and accepts up to.
inline constexpr const char* kProgramRelease = "6.1.M";

// 0 read; -1 file missing and create 0; -2 bad content or a newer release,
// the message in og_description_error(). With create, a missing file is a
// new school: the user is asked its type (the school-type chooser) and its
// first description is written (a failed write is told, the school stays
// in memory).
int og_read_assignments_file(int create_if_missing);
int og_read_assignments_file_from(const std::string& path, int create_if_missing);
const char* og_description_error();
// The support subject's word in the user's language ("Sostegno") and its
// SISSI identifier, written when no subject carries that name.
const char* og_support_subject_word();
// The only building's name in the user's language ("Centrale Sede Unica"):
// the reader gives it, and the buildings page keeps it while there is one.
const char* og_single_building_name();
extern char g_ui_support_sissi_id[9];
