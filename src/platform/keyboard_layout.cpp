// Keyboard layout names (see keyboard_layout.h). The configuration file is a
// few shell assignments; a file that cannot be read names no layout.
#include "platform/keyboard_layout.h"

#include <cstdlib>
#include <fstream>

namespace kt {

namespace {

// "de,us" -> "de"; quotes and blanks around the value dropped.
std::string first_layout(std::string value) {
  std::string out;
  for (char c : value) {
    if (c == ',') break;
    if (c != '"' && c != '\'' && c != ' ' && c != '\t' && c != '\r') out += c;
  }
  return out;
}

}  // namespace

std::string keyboard_layout_in(const std::string& keyboard_file) {
  if (const char* env = std::getenv("XKB_DEFAULT_LAYOUT"); env && *env) return first_layout(env);
  std::ifstream in(keyboard_file);
  std::string line;
  int lines = 0;
  while (in && ++lines <= 200 && std::getline(in, line)) {
    if (line.rfind("XKBLAYOUT=", 0) == 0) return first_layout(line.substr(10));
  }
  return std::string();
}

std::string keyboard_layout() { return keyboard_layout_in("/etc/default/keyboard"); }

}  // namespace kt
