// The file-open dialog as the pages ask for it: a filter in the program's
// own form ("TXT(*.txt)|*.txt||": pairs of a label and patterns separated by
// ';', ended by an empty pair), an optional initial name (a program path such
// as "..\\."), and the rule that the file must exist. The answer is a program
// path in 1252 that kt::translate_path turns back into the chosen file: below
// the drive root it is written "\\folder\\file", elsewhere relative to the
// current folder.
//
// Which dialog shows is a handler: the screen backend installs the native
// chooser when it starts; with no handler (headless runs, tests) the request
// is answered as cancelled, unless a test installs its own answer. The parsing
// and path helpers are inline so headless tests check them without a display.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp1252.h"

namespace kt::ui {

class Window;

struct FileOpenRequest {
  std::string filter;        // 1252, "Label|patterns|...||"
  std::string initial_name;  // 1252 program path, may be empty
  std::string title;         // 1252, may be empty
  bool must_exist = true;
  bool choose_folder = false;  // a folder is chosen instead of a file (the filter is not used)
  Window* owner = nullptr;
  int language = 0;  // of the chooser's own texts: 0 Italian, 1 German, 2 English
};

struct FileOpenResult {
  enum class Outcome { kChosen, kCancelled, kNameNotRepresentable };
  Outcome outcome = Outcome::kCancelled;
  std::string path;  // kChosen: the program path (1252)
  bool chosen() const { return outcome == Outcome::kChosen; }
};

using FileOpenHandler = std::function<FileOpenResult(const FileOpenRequest&)>;
// Installs the dialog (nullptr: none, every request is cancelled); returns the old one.
FileOpenHandler set_file_open_handler(FileOpenHandler handler);
// Shows the dialog modally over the request's owner.
FileOpenResult choose_file_to_open(const FileOpenRequest& request);

struct FileFilterEntry {
  std::string label;                  // 1252
  std::vector<std::string> patterns;  // 1252, e.g. "*.txt"
};

// Splits a filter; a missing pattern half takes the label's text, empty pairs end it.
inline std::vector<FileFilterEntry> parse_file_filter(std::string_view filter) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= filter.size()) {
    std::size_t bar = filter.find('|', start);
    if (bar == std::string_view::npos) bar = filter.size();
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<FileFilterEntry> out;
  for (std::size_t i = 0; i < parts.size() && !parts[i].empty(); i += 2) {
    FileFilterEntry e;
    e.label = std::string(parts[i]);
    std::string_view pats = i + 1 < parts.size() && !parts[i + 1].empty() ? parts[i + 1] : parts[i];
    std::size_t p = 0;
    while (p <= pats.size()) {
      std::size_t semi = pats.find(';', p);
      if (semi == std::string_view::npos) semi = pats.size();
      std::string_view one = pats.substr(p, semi - p);
      while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
      while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
      if (!one.empty()) e.patterns.emplace_back(one);
      p = semi + 1;
    }
    out.push_back(std::move(e));
  }
  return out;
}

// The filter in the chooser's form, UTF-8: "Label\tpattern" lines, several
// patterns of one label as "{a,b}".
inline std::string chooser_filter(const std::vector<FileFilterEntry>& entries) {
  std::string out;
  for (const FileFilterEntry& e : entries) {
    if (e.patterns.empty()) continue;
    if (!out.empty()) out += '\n';
    out += cp1252_to_utf8(e.label);
    out += '\t';
    if (e.patterns.size() == 1) {
      out += cp1252_to_utf8(e.patterns[0]);
    } else {
      out += '{';
      for (std::size_t i = 0; i < e.patterns.size(); ++i) {
        if (i) out += ',';
        out += cp1252_to_utf8(e.patterns[i]);
      }
      out += '}';
    }
  }
  return out;
}

// A chosen absolute UTF-8 path as a program path: "\\x\\y" below the drive
// root, else relative to the current folder ("..\\..\\x"). Empty when a name
// holds a character 1252 cannot hold (the caller tells the user).
inline std::string program_path_for(std::string_view chosen, std::string_view drive_root, std::string_view cwd) {
  auto split = [](std::string_view p) {
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i <= p.size()) {
      std::size_t j = p.find('/', i);
      if (j == std::string_view::npos) j = p.size();
      if (j > i && p.substr(i, j - i) != ".") parts.push_back(p.substr(i, j - i));
      i = j + 1;
    }
    return parts;
  };
  std::vector<std::string_view> file = split(chosen), root = split(drive_root), here = split(cwd);
  auto under = [&](const std::vector<std::string_view>& base) {
    if (base.size() > file.size()) return false;
    for (std::size_t i = 0; i < base.size(); ++i)
      if (base[i] != file[i]) return false;
    return true;
  };
  std::string utf8;
  if (under(root)) {
    for (std::size_t i = root.size(); i < file.size(); ++i) utf8 += "\\" + std::string(file[i]);
    if (utf8.empty()) utf8 = "\\";
  } else {
    std::size_t common = 0;
    while (common < here.size() && common < file.size() && here[common] == file[common]) ++common;
    for (std::size_t i = common; i < here.size(); ++i) utf8 += utf8.empty() ? ".." : "\\..";
    for (std::size_t i = common; i < file.size(); ++i) {
      if (!utf8.empty()) utf8 += '\\';
      utf8 += file[i];
    }
    if (utf8.empty()) utf8 = ".";
  }
  bool ok = true;
  std::string text = utf8_to_cp1252(utf8, &ok);
  return ok ? text : std::string();
}

}  // namespace kt::ui
