// The zip archive of a school folder: written by the archive dialog into a
// folder the user picks, and restored from such an archive into a school
// folder of the data root. This program keeps no copy on the maker's
// servers, so the archive on a disk or a pen is the school's backup.
//
// An archive holds one top folder, the school folder's name, with every
// regular file below it (the school files, the timetable's save files, the
// output folders); names are code page 1252 as the zip reader expects.
//
// The restore works in two steps so that a damaged or hostile archive never
// touches a school: og_read_school_archive reads and checks every entry in
// memory (through the zip reader, with its safe names and limits) and only
// a plan that passed is written by og_restore_school_archive, which asks
// before it replaces the files of an existing school and never writes
// outside the folder it restores into. User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A school archive is a few megabytes: these bounds refuse anything else
// before it is held in memory.
inline constexpr std::uint64_t kArchiveFileLimit = 256ull << 20;
inline constexpr std::uint64_t kArchiveEntryLimit = 64ull << 20;
inline constexpr std::uint64_t kArchiveTotalLimit = 256ull << 20;

struct ArchiveResult {
  bool ok = false;
  bool cancelled = false;  // the user chose not to go on; nothing was written
  std::string message;     // 1252, in the user's language: what was done, or why not
  std::string path;        // this machine's path of the archive written or the folder restored
};

// Writes the school folder `school` as a new archive in `destination` (both
// this machine's paths), named after the folder, the day and the time. The
// archive is read back through the restore's own checks before it takes its
// name, so an archive that would not restore is never left behind.
ArchiveResult og_archive_school_folder(const std::string& school, const std::string& destination);

struct RestorePlan {
  struct File {
    std::string name;   // 1252, '/' between components, relative to the school folder
    std::string bytes;
    std::int64_t written = 0;  // last write, seconds since 1970
  };
  std::string folder;  // 1252, the school folder's name below the data root
  std::vector<File> files;
};

// The leftovers of a replacement in progress (temporaries, the commit
// marker): never archived, and an archive that holds one is refused.
bool og_is_replacement_leftover(const std::string& name);
// Reads a whole archive file into memory; false with the reason in *why.
bool og_load_archive_file(const std::string& path, std::string* bytes, std::string* why);
// Reads and checks the archive in `block`: false, with the reason in *why,
// for an archive that does not open or read whole, holds a link, a name that
// reaches out of its folder, two entries of one name, or no "scuola2.txt".
// `archive_name` (1252, without folder) names the school folder when the
// archive has no top folder of its own.
bool og_read_school_archive(const void* block, std::uint32_t length, const std::string& archive_name,
                            RestorePlan* plan, std::string* why);
// Writes the plan into `data_root`/folder (this machine's path of the data
// root). When that folder already holds files, `confirm_replace` is asked
// first (with the folder's name, 1252); false cancels with nothing written.
// A new folder is written whole under a temporary name and then renamed; in
// an existing one the school's own files are replaced together, all or none,
// and then its data files that the archive does not hold (a timetable
// computed after the archive was made) are moved into a sub-folder
// (later_work_aside.h), which the message names; other files stay.
ArchiveResult og_restore_school_archive(const RestorePlan& plan, const std::string& data_root,
                                        const std::function<bool(const std::string& folder)>& confirm_replace);
