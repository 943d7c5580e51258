// The one translation from the Windows-style paths the program speaks
// ("\\KestrinTempusDati\\scuola\\scuola2.txt", ".\\Orario\\Classi.txt") to
// paths on this machine. Paths inside the program are 1252 bytes; the result
// is a UTF-8 path for the file system.
//
// - "\\X" and "C:\\X" lie below the drive root: the folder named by the
//   environment variable KESTRINTEMPUS_ROOT, else the user's home folder.
// - ".\\X" and plain relative names lie below the current (school) folder.
// - Each component that does not exist as written is matched against the
//   existing entries of its folder ignoring case, so a file written as
//   "SaveGo.txt" by one program version is found as "savego.txt" by another.
#pragma once

#include <string>
#include <string_view>

namespace kt {

// Environment variable that moves the drive root (tests, portable installs).
inline constexpr const char* kDriveRootVariable = "KESTRINTEMPUS_ROOT";

std::string drive_root();
std::string translate_path(std::string_view windows_path);

}  // namespace kt
