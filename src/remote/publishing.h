// The publishing export of the timetable: the school's code, a memo and
// the delete flag go to the report writer, which writes only
// "Export_<code>.txt" into the output folder ("REPO:" with "Pubk"); with the
// delete flag the export withdraws a timetable published before. The
// export's path is read back for the caller. Sending it to the maker's
// servers is not available in this program. User-interface thread only.
#pragma once

#include <string>

// Runs the export; true with the export's path in *path. A school without a
// code, or a run that failed (its message already shown by the engine
// call), writes nothing and answers false.
bool krv_publish_timetable(const char* memo, bool delete_published, std::string* path);

// The processing menu's command: asks for the memo and whether to publish
// or to withdraw (Cpubblica), runs the export and tells the user where it
// went (or why nothing was written), and that sending it is not available.
void krv_publish_from_menu();
