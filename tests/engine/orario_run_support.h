// Running the orario program in a temporary school folder for the engine's
// end-to-end tests: its exit status and what it printed, and what the folder
// holds afterwards.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace orario_test {

using engine_test::read_file;
using engine_test::TempDir;

struct Outcome { int status = -1; std::string out, err; };

// Runs orario in `folder` with a clean environment plus `env` (e.g.
// "LANG=de_DE.UTF-8"); `as` runs it through another command (one that drops
// privileges), from a copy in a folder open to all: that user may not reach
// the build folder.
inline Outcome run_orario(const TempDir& folder, const std::string& env, const std::string& args, const std::string& as = "") {
  TempDir capture;
  std::filesystem::permissions(capture.path(), std::filesystem::perms::all);
  std::string binary = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
  if (!as.empty()) { std::filesystem::copy_file(binary, capture.file("orario")); binary = capture.file("orario"); }
  std::string command = "cd '" + folder.path().string() + "' && " + as + " env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT='" +
                        folder.path().string() + "' " + env + " '" + binary + "' " + args + " >'" + capture.file("out") +
                        "' 2>'" + capture.file("err") + "'";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw), read_file(capture.file("out")),
          read_file(capture.file("err"))};
}

inline std::set<std::string> entries(const TempDir& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.path()))
    names.insert(e.path().filename().string());
  return names;
}

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The small sample school with its hand-made saved week in `school`; a
// non-empty `from` is replaced by `to` in the description first (and must be
// there).
inline void piccola_with_saved_week(const TempDir& school, const std::string& from = "", const std::string& to = "") {
  std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  if (!from.empty()) {
    std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  }
  engine_test::write_file(school.file("scuola2.txt"), text);
  engine_test::write_file(school.file("savego.txt"),
                          read_file(std::string(KT_TEST_DATA) + "/savefiles/piccola-savego.txt"));
}

}  // namespace orario_test
