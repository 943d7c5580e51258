// Opening a file or folder for the user with the desktop's own application
// (a report in the text editor, the school folder in the file manager): the
// program runs "xdg-open <path>" from an argument vector, never a shell
// string, so no character of a school or file name can become a command.
//
// The launcher is injectable so tests see the exact vector without starting
// anything; the default starts it detached and reaps it when it ends.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kt {

// Starts argv; true when it started. *error receives errno otherwise.
using DesktopLauncher = std::function<bool(const std::vector<std::string>& argv, int* error)>;

// The argument vector that opens `path`: {"xdg-open", path}; a path that
// starts with '-' is written "./-..." so it cannot pass for an option.
std::vector<std::string> desktop_open_command(const std::string& path);

// Opens `path` (a path of this machine) with the desktop's application.
bool open_with_desktop(const std::string& path, const DesktopLauncher& launcher = nullptr,
                       int* error = nullptr);

}  // namespace kt
