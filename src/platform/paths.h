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
//
// The program keeps its Windows-style names; only a name shown to the user
// (a message, a caption) goes through shown_path, the one routine that
// writes it the way this system does.
#pragma once

#include <string>
#include <string_view>

namespace kt {

// Environment variable that moves the drive root (tests, portable installs).
inline constexpr const char* kDriveRootVariable = "KESTRINTEMPUS_ROOT";

std::string drive_root();
std::string translate_path(std::string_view windows_path);

// A name the program speaks as the user is shown it: the way this system
// writes it, relative to the current (school) folder for a file inside it
// ("Orario/Orario Classi.txt" for ".\\Orario\\Orario Classi.txt",
// "scuola2.txt" for "\\KestrinTempusDati\\piccola\\scuola2.txt" while the
// school folder is current), else its absolute path (the school folder
// itself, "..\\Orario\\x", a file of another folder). A name that starts
// with '/' and holds no '\\' is a path of this system already. 1252 text in
// and out; the file need not exist.
std::string shown_path(std::string_view name);

}  // namespace kt
