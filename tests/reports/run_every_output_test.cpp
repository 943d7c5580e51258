// Every file a full report run leaves in the timetable folder, the converted
// documents included (RTF in table and text form, HTML, CSV, the enlarged
// halves), equals the recorded listing of hashes and lengths in
// tests/data/reports/listings: the small sample school in Italian, and again
// in German and English with the documents in text form and blank paragraphs
// in the tables; the liceo (co-teachers, tracks, buildings, labs) in Italian.
// The printing date in the documents' footers is left out. A change of any
// report, of any conversion or of the folder's file names shows as a
// difference, named by file. KT_UPDATE_GOLDEN=1 rewrites the listings after
// a change that has been checked by eye.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "engine/engine_random.h"
#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
#include "engine/report_services.h"
#include "engine/save_files.h"
#include "engine/save_test_fixture.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/report_run.h"

namespace fs = std::filesystem;

namespace {

const fs::path kListings = fs::path(KT_TEST_DATA) / "reports/listings";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// FNV-1a and the length: the documents are many and long.
std::string digest(const std::string& text) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
  char out[40];
  std::snprintf(out, sizeof out, "%016llx %zu", static_cast<unsigned long long>(h), text.size());
  return out;
}

// The printing date and time in a document's footer.
const std::regex kPrintDate(R"(\( ?[0-9]{1,2} [^ ()]+ [0-9]{4} [0-9]{2}:[0-9]{2}\))");

std::map<std::string, std::string> listing_of(const fs::path& folder) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    if (!e.is_regular_file()) continue;
    std::string name = fs::relative(e.path(), folder).generic_string();
    std::string text = read_file(e.path());
    if (e.path().extension() == ".rtf") text = std::regex_replace(text, kPrintDate, "(date)");
    out[name] = digest(text);
  }
  return out;
}

std::map<std::string, std::string> parse(const std::string& text) {
  std::map<std::string, std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    // "<hash> <length> <name>"
    std::size_t a = line.find(' '), b = a == std::string::npos ? a : line.find(' ', a + 1);
    if (b == std::string::npos) continue;
    out[line.substr(b + 1)] = line.substr(0, b);
  }
  return out;
}

void expect_listing(const fs::path& folder, const std::string& golden_name) {
  std::map<std::string, std::string> got = listing_of(folder);
  fs::path golden = kListings / golden_name;
  if (std::getenv("KT_UPDATE_GOLDEN")) {
    fs::create_directories(kListings);
    std::ofstream out(golden, std::ios::binary);
    for (const auto& [name, hash] : got) out << hash << " " << name << "\n";
    return;
  }
  std::map<std::string, std::string> want = parse(read_file(golden));
  ASSERT_FALSE(want.empty()) << golden;
  for (const auto& [name, hash] : want) {
    auto it = got.find(name);
    if (it == got.end()) {
      ADD_FAILURE() << golden_name << ": not written: " << name;
      continue;
    }
    EXPECT_EQ(it->second, hash) << golden_name << ": " << name;
  }
  for (const auto& [name, hash] : got)
    EXPECT_TRUE(want.count(name)) << golden_name << ": written but not recorded: " << name;
}

struct RunCase {
  const char* id;
  const char* school;  // examples/<school>/scuola2.txt
  const char* save;    // tests/data/savefiles/<save>
  std::uint32_t seed;  // the reception hours the run allocates
  int language;
  unsigned char text_form;
  signed char blank_paragraphs;
};

class FullRun : public ::testing::TestWithParam<RunCase> {
 protected:
  void TearDown() override {
    g_output_folder = nullptr;
    g_status.language = 0;
    g_rtf_text_form_option = 0;
    g_table_blank_paragraphs = 0;
  }
  save_test::SchoolFolder folder;
};

TEST_P(FullRun, EveryFileOfTheTimetableFolderIsTheRecordedOne) {
  const RunCase& c = GetParam();
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples" / c.school / "scuola2.txt", folder.path() / "scuola2.txt");
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles" / c.save, folder.path() / "savego.txt");
  save_test::reset_run_flags();
  g_process_number = 0;
  g_status.language = c.language;
  g_rtf_text_form_option = c.text_form;
  g_table_blank_paragraphs = c.blank_paragraphs;
  or_reset_model();
  or_load_description("scuola2.txt", 0);
  or_finish_loaded_model();
  or_set_day_names();
  ASSERT_EQ(or_load_timetable(0), 0);
  g_engine_random.seed_with(c.seed);
  g_eng_run.run_mode = 0;
  g_output_folder = ".\\Orario\\";
  g_publish_school_code[0] = 0;
  g_publish_delete = 0;
  or_write_all_reports(110, 0);
  expect_listing(folder.path() / "Orario", std::string(c.id) + ".txt");
}

INSTANTIATE_TEST_SUITE_P(
    Schools, FullRun,
    ::testing::Values(RunCase{"piccola", "piccola", "piccola-savego.txt", 20260906, 0, 0, 0},
                      RunCase{"piccola_german_text_form", "piccola", "piccola-savego.txt", 20260906, 1, 1, 1},
                      RunCase{"piccola_english_blank_lines", "piccola", "piccola-savego.txt", 20260906, 2, 0, 2},
                      RunCase{"liceo", "liceo", "liceo-savego.txt", 20261207, 0, 0, 0}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.id); });

}  // namespace
