// Small file and folder routines shared by the pages: delete a file that may
// be missing, copy a file (optionally stepping a progress bar), empty a
// folder tree, create every folder of a path, the temporary folder. Paths
// are program paths (1252, Windows-style, see platform/paths.h).
//
// Copies replace the target through a temporary file, so a failed copy
// leaves the old target whole. Emptying never follows a symbolic link out
// of the folder.
#pragma once

#include <cstddef>
#include <string>

namespace kt::ui {
class ProgressBar;
}

// The delete-if-present of the pages, with its result: non-zero when the
// file was absent or is deleted, 0 when it exists and could not be deleted.
// (The engine's og_delete_file_if_present is the same without a result.)
int og_delete_file_checked(const char* path);
// 0 on success; the errno when the source cannot be opened; -1 when the
// target cannot be written.
int og_copy_file(const char* source, const char* target, kt::ui::ProgressBar* progress);
// Deletes every file of the folder (joined with sub when given) and of its
// sub-folders, and removes the sub-folders; the folder itself stays. 0, or
// -1 when something could not be removed.
int og_empty_folder(const char* folder, const char* sub);
// Creates each folder along the path; the last component only when the path
// ends with a separator. Returns 0.
int og_make_path(const char* path);
// The system's temporary folder with a trailing '/', cut to size; its length.
int og_get_temp_path(int size, char* buffer);
// A program path as the user is shown it: the way this system writes it
// ("/home/anna/KestrinTempusDati/piccola" for "\KestrinTempusDati\piccola",
// "Orario/Export_A.txt" for ".\Orario\Export_A.txt"), in 1252; the
// engine's messages name their files through the same kt::shown_path.
std::string ui_shown_path(const std::string& program_path);
