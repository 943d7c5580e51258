// A computed copy of the small sample school for the substitution tests: two
// teachers get stand-by hours ("TED:"), the orario program computes the
// timetable ("CALC:", fixed seed, short time limit) and places the stand-by
// hours ("DISP:"). It is computed once per test program and copied into each
// test's own folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/controls/list_box.h"
#include "platform/dialog.h"
#include "test_temp_folder.h"

namespace substitution_test {

namespace fs = std::filesystem;

inline std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_file(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

inline void replace_once(std::string& text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

// A sample school of examples/ with its recorded week (the test data's
// "<school>-savego.txt") copied into `folder`.
inline void copy_sample_school(const std::string& school, const fs::path& folder) {
  for (const auto& e : fs::directory_iterator(fs::path(KT_SOURCE_DIR) / "examples" / school))
    if (e.is_regular_file()) fs::copy_file(e.path(), folder / e.path().filename());
  fs::path week = fs::path(KT_SOURCE_DIR) / "tests/data/savefiles" / (school + "-savego.txt");
  write_file(folder / "savego.txt", read_file(week));
}

// Runs the orario program in the school folder, as its own root.
inline void run_orario(const fs::path& folder, const std::string& args) {
  std::string orario = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
  std::string command = "cd '" + folder.string() + "' && env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT='" +
                        folder.string() + "' '" + orario + "' " + args + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << args;
}

// The folder with the computed school (scuola2.txt, savego.txt ...), made
// on first use and removed when the program ends.
inline const fs::path& computed_school() {
  static kt_test::TempDir folder("kt-computed-school-");
  static bool made = false;
  if (made) return folder.path();
  made = true;
  std::string text = read_file(fs::path(KT_SOURCE_DIR) / "examples/piccola/scuola2.txt");
  replace_once(text, "ROSSI\t1A 6\t", "ROSSI\tTED:18+2\t1A 6\t");
  replace_once(text, "BIANCHI\t3A 6\t", "BIANCHI\tTED:18+3\t3A 6\t");
  write_file(folder.path() / "scuola2.txt", text);
  for (const char* args : {"--seed 3 --time-limit 20 CALC:scuola2.txt", "DISP:scuola2.txt"}) run_orario(folder.path(), args);
  EXPECT_TRUE(fs::exists(folder.path() / "savego.txt"));
  return folder.path();
}

// Copies the computed school's files (not its output folders) into `to`.
inline void copy_computed_school(const fs::path& to) {
  fs::create_directories(to);
  for (const auto& e : fs::directory_iterator(computed_school()))
    if (e.is_regular_file()) fs::copy_file(e.path(), to / e.path().filename(), fs::copy_options::overwrite_existing);
}

// The rows of the list box `id` of a dialog, top to bottom.
inline std::vector<std::string> rows_of(kt::ui::Dialog& d, int id) {
  std::vector<std::string> rows;
  auto* list = dynamic_cast<kt::ui::ListBox*>(d.GetDlgItem(id));
  if (!list) return rows;
  for (int i = 0; i < list->GetCount(); ++i) rows.push_back(list->GetText(i));
  return rows;
}

// The first row of that list that starts with `start`; -1 when none.
inline int row_starting(kt::ui::Dialog& d, int id, const std::string& start) {
  std::vector<std::string> rows = rows_of(d, id);
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].rfind(start, 0) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace substitution_test
