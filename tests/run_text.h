// What a seeded run prints and saves, in the form its recorded copies keep:
// the progress lines without their clock columns, and a saved file's
// scrambled lines read back plain.
#pragma once

#include <sstream>
#include <string>

#include "engine/text_lines.h"

namespace run_text {

// The progress lines without their clock columns and trailing blanks; the
// closing line without its date. Other console output passes as it stands.
inline std::string without_clock(const std::string& out) {
  std::istringstream in(out);
  std::string line, kept;
  while (std::getline(in, line)) {
    std::size_t ms = line.rfind(" Ms:");
    if (ms != std::string::npos && line.find(" TS:", ms) != std::string::npos) line.erase(ms);
    std::size_t date = line.rfind(" [");
    if (line.rfind("Fine ", 0) == 0 && date != std::string::npos) line.erase(date);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    kept += line + "\n";
  }
  return kept;
}

// A file's text with each line in its plain form (a plain line reads as it
// stands, so an unscrambled file passes unchanged).
inline std::string plain_lines(const std::string& text) {
  std::istringstream in(text);
  std::string line, plain;
  while (std::getline(in, line)) {
    line += "\n";  // the scrambled layout counts its line feed
    std::string out(2 * line.size() + 16, '\0');
    or_scramble_line(1, line.c_str(), out.data());
    std::string kept = out.c_str();
    while (!kept.empty() && (kept.back() == '\n' || kept.back() == '\r')) kept.pop_back();
    plain += kept + "\n";
  }
  return plain;
}

}  // namespace run_text
