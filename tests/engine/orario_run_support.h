// Running the orario program in a temporary school folder for the engine's
// end-to-end tests: its exit status and what it printed, and what the folder
// holds afterwards.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

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

}  // namespace orario_test
