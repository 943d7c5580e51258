// Seeded computations of the sample schools through the orario program, each
// in a process of its own as the user starts it: what the run prints (its
// progress lines without their clock columns), the timetable it saves (read
// in its plain form, as its scrambling seed comes from the clock) and every
// text file it leaves in the school folder and its timetable folder equal
// the recorded ones in tests/data/golden/orario. So a change anywhere on the
// way from the description to the saved week and its reports (the reading of
// the description, the limits derived from it, the save and the timetable's
// views) shows as a difference. Only a change meant to alter a computation
// rewrites them (KT_UPDATE_GOLDEN=1, said in its commit).
#include <gtest/gtest.h>

#include <filesystem>
#include <cstdint>
#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "engine/text_lines.h"
#include "orario_run_support.h"
#include "run_text.h"

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;
using orario_test::Outcome;
using orario_test::run_orario;
using run_text::without_clock;

namespace {

const fs::path kGolden = fs::path(KT_TEST_DATA) / "golden" / "orario";

// FNV-1a of a text: the reports are many and long, so the golden files
// keep each one's hash and length, and the school files in full.
std::string digest(const std::string& text) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  char out[40];
  std::snprintf(out, sizeof out, "%016llx %zu", static_cast<unsigned long long>(h), text.size());
  return out;
}

// What the folder holds, the descriptions left out: the files of the school
// folder in full (their plain lines) and the residual-errors log without its
// clock; every file of the timetable folder as its hash and length.
// The printing date and time in the headings of the documents.
const std::regex kPrintDate(R"(\( ?[0-9]{1,2} [^ ()]+ [0-9]{4} [0-9]{2}:[0-9]{2}\))");

struct Contents {
  std::map<std::string, std::string> full;
  std::string listing;
};

Contents contents_of(const TempDir& folder) {
  Contents c;
  std::map<std::string, std::string> hashes;
  for (const auto& e : fs::recursive_directory_iterator(folder.path())) {
    if (!e.is_regular_file()) continue;
    std::string name = fs::relative(e.path(), folder.path()).generic_string();
    if (name == "scuola1.txt" || name == "scuola2.txt") continue;
    if (name.find('/') == std::string::npos)
      c.full[name] = run_text::plain_lines(read_file(e.path().string()));
    else if (name.rfind(".txt") == name.size() - 4 && name.find("Errori Residui") != std::string::npos)
      c.full[name] = without_clock(read_file(e.path().string()));
    else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".rtf") == 0)
      hashes[name] = digest(std::regex_replace(read_file(e.path().string()), kPrintDate, "(date)"));
    else
      hashes[name] = digest(read_file(e.path().string()));
  }
  for (const auto& [name, hash] : hashes) c.listing += hash + " " + name + "\n";
  return c;
}

// The name a golden file of the folder takes: its path with '/' as '_'.
std::string flat(std::string name) {
  for (char& ch : name)
    if (ch == '/') ch = '_';
  return name;
}

struct SeededRun {
  const char* name;    // of the golden folder
  const char* school;  // under examples/
};

void PrintTo(const SeededRun& run, std::ostream* out) { *out << run.name; }

// The commands a user runs on a school, one after the other: the computation
// from the seed, the check of the saved week, the reports, the stand-by
// hours, the reception hours, a short balancing and its check, the rooms.
const char* const kCommands[] = {"CALC:scuola2.txt", "SNOD:scuola2.txt",        "REPO:scuola2.txt",
                                 "DISP:scuola2.txt", "RIGO:scuola2.txt",        "BILA:scuola2.txt 0 30",
                                 "SBIL:scuola2.txt", "ASAU:scuola2.txt"};

class OrarioSeededRun : public ::testing::TestWithParam<SeededRun> {};

TEST_P(OrarioSeededRun, PrintsAndWritesTheRecordedFiles) {
  const SeededRun& run = GetParam();
  TempDir school;
  for (const char* file : {"scuola1.txt", "scuola2.txt"})
    fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples" / run.school / file, school.path() / file);
  std::string printed;
  for (const char* command : kCommands) {
    Outcome o = run_orario(school, "LANG=it_IT.UTF-8", std::string("--seed 1 ") + command);
    printed += std::string("=== ") + command + " -> " + std::to_string(o.status) + "\n" + without_clock(o.out) +
               "--- stderr\n" + without_clock(o.err);
  }
  Contents now = contents_of(school);
  fs::path golden = kGolden / run.name;
  if (const char* update = std::getenv("KT_UPDATE_GOLDEN"); update && *update == '1') {
    fs::remove_all(golden);
    fs::create_directories(golden);
    write_file((golden / "printed.txt").string(), printed);
    write_file((golden / "listing.txt").string(), now.listing);
    for (const auto& [name, text] : now.full) write_file((golden / ("file_" + flat(name))).string(), text);
    GTEST_SKIP() << "golden files written";
  }
  EXPECT_EQ(printed, read_file((golden / "printed.txt").string()));
  EXPECT_EQ(now.listing, read_file((golden / "listing.txt").string()));
  std::set<std::string> expected;
  for (const auto& e : fs::directory_iterator(golden)) {
    std::string name = e.path().filename().string();
    if (name.rfind("file_", 0) == 0) expected.insert(name);
  }
  for (const auto& [name, text] : now.full) {
    std::string file = "file_" + flat(name);
    EXPECT_TRUE(expected.erase(file)) << name << " written unexpectedly";
    EXPECT_EQ(text, read_file((golden / file).string())) << name;
  }
  for (const std::string& file : expected) ADD_FAILURE() << file << " not written";
}

std::string run_name(const ::testing::TestParamInfo<SeededRun>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Samples, OrarioSeededRun,
                         ::testing::Values(SeededRun{"piccola", "piccola"}, SeededRun{"liceo", "liceo"}), run_name);

}  // namespace
