// The keyboard layout the X session types with, for the language of a first
// start: the first layout of XKB_DEFAULT_LAYOUT when set, else of XKBLAYOUT
// in the system's keyboard configuration ("/etc/default/keyboard", which
// the X server is started with). Empty when neither names one.
#pragma once

#include <string>

namespace kt {

std::string keyboard_layout();
// The same with another configuration file (tests).
std::string keyboard_layout_in(const std::string& keyboard_file);

}  // namespace kt
