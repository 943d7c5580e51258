// The page every RTF report asks for, through "REPO:" on the liceo with its
// own save, in both forms (the table form, and the text form of the "Word
// 2000" option): the orientation of the page line and of the section agree,
// every table column stands within the page's table width, no row
// definition is left standing after a table, a table taller than a page
// keeps none of its rows with the next (word processors push such a table
// past an empty first page), and the text form's font lets its longest line
// fit between the margins. Also the kept rows of small tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "fresh_process.h"
#include "engine/report_services.h"
#include "engine/save_test_fixture.h"
#include "reports/conversions.h"
#include "reports/report_test_support.h"
#include "reports/rtf_document.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<long> numbers_after(const std::string& text, const std::string& word) {
  std::vector<long> out;
  std::regex re("\\\\" + word + "(-?[0-9]+)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
    out.push_back(std::stol((*it)[1]));
  return out;
}

std::size_t longest_line(const fs::path& report) {
  std::istringstream in(read_file(report));
  std::size_t longest = 0;
  for (std::string line; std::getline(in, line);) {
    line.erase(std::remove(line.begin(), line.end(), '\f'), line.end());
    longest = std::max(longest, line.size());
  }
  return longest;
}

// Rows of each table of the table form (a row ends with "\row }", a table
// with a "\pard" right after its last row) and how many keep with the next.
struct TableRows {
  int rows = 0, kept = 0;
};
std::vector<TableRows> tables_of(const std::string& rtf) {
  std::vector<TableRows> tables;
  bool open = false;
  for (std::size_t row = rtf.find("\\intbl"); row != std::string::npos; row = rtf.find("\\intbl", row + 1)) {
    if (!open) tables.emplace_back();
    open = true;
    ++tables.back().rows;
    if (rtf.compare(row, 24, "\\intbl\\adjustright\\keepn") == 0) ++tables.back().kept;
    std::size_t end = rtf.find("\\row }\n", row);
    if (end == std::string::npos) break;
    if (rtf.compare(end + 7, 5, "\\pard") == 0) open = false;
  }
  return tables;
}

struct Form {
  const char* id;
  unsigned char option;  // the "Word 2000" check box
  const char* font;
};

class RtfPages : public ::testing::TestWithParam<Form> {};

// The run leaves what a finished command leaves (its report mode among
// them), which the next command would reset: it runs in a process of its own.
void check_pages(const Form& form);

TEST_P(RtfPages, EveryReportFitsThePageItAsks) { KT_IN_FRESH_PROCESS({ check_pages(GetParam()); }); }

void check_pages(const Form& form) {
  save_test::SchoolFolder folder;
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/liceo/scuola2.txt", folder.path() / "scuola2.txt");
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/liceo-savego.txt", folder.path() / "savego.txt");
  save_test::reset_run_flags();
  g_rtf_text_form_option = form.option;
  const char* argv[] = {"Questo non serve", "REPO:scuola2.txt"};
  int result = or_main(1, 2, argv);
  g_rtf_text_form_option = 0;
  ASSERT_EQ(result, 0) << g_status.message;
  int checked = 0;
  bool classes_landscape = false;
  for (const auto& e : fs::directory_iterator(folder.path() / "Orario")) {
    if (e.path().extension() != ".rtf") continue;
    std::string name = e.path().filename().string();
    SCOPED_TRACE(name);
    std::string rtf = read_file(e.path());
    bool landscape = rtf.find("\\landscape\n") != std::string::npos;
    if (name == "Orario Classi.rtf") classes_landscape = landscape;
    EXPECT_NE(rtf.find(landscape ? "\\paperh11907\\paperw16840" : "\\paperw11907\\paperh16840"), std::string::npos);
    EXPECT_NE(rtf.find(landscape ? "\\sectd\\lndscpsxn\\pgwsxn16840\\pghsxn11907"
                                 : "\\sectd\\pgwsxn11907\\pghsxn16840"),
              std::string::npos);
    if (rtf.find(std::string("\\fcharset0 ") + form.font + ";") == std::string::npos) continue;  // the halves' other form
    ++checked;
    if (form.option == 0) {
      std::vector<long> edges = numbers_after(rtf, "cellx");
      ASSERT_FALSE(edges.empty());
      EXPECT_LE(*std::max_element(edges.begin(), edges.end()),
                landscape ? kt::kRtfLandscapeWidth : kt::kRtfPortraitWidth);
      EXPECT_EQ(rtf.find("\\trgaph90"), std::string::npos);
      int size = numbers_after(rtf, "fs")[0];
      for (const TableRows& t : tables_of(rtf)) {
        if (t.rows > kt::rtf_rows_per_page(landscape, size)) {
          EXPECT_EQ(t.kept, 0) << t.rows;
        }
        EXPECT_LT(t.kept, std::max(t.rows, 1));
      }
    } else {
      fs::path report = e.path();
      report.replace_extension(".txt");
      long size = numbers_after(rtf, "fs")[0];
      long between = (landscape ? kt::kRtfPaperLong : kt::kRtfPaperShort) - 2 * 680;
      if (size > 7) {
        EXPECT_LE(6 * size * static_cast<long>(longest_line(report) + 1), between) << size;
      }
      std::size_t body = rtf.find("}}\n", rtf.find("{\\footer")) + 3;
      std::size_t first_page = rtf.find("\\page ", body);
      if (first_page != std::string::npos) {
        EXPECT_GT(first_page, rtf.find("\\par \n", body)) << "a page first";
      }
    }
  }
  EXPECT_GT(checked, 20);
  EXPECT_TRUE(classes_landscape);
}

INSTANTIATE_TEST_SUITE_P(Forms, RtfPages,
                         ::testing::Values(Form{"table", 0, "Verdana"}, Form{"text", 1, "Courier New"}),
                         [](const ::testing::TestParamInfo<Form>& info) { return std::string(info.param.id); });

// A table that fits on a page keeps every row but its last with the next, so
// it is not split and does not drag the next table along; a taller one keeps
// none.
class RtfKeptRows : public kt_test::ReportFolder {};

TEST_F(RtfKeptRows, OnlyTablesThatFitAPageAreKeptTogether) {
  struct Case {
    const char* id;
    int rows;
    bool kept;
  } cases[] = {{"small", 5, true}, {"page", kt::rtf_rows_per_page(false, 20), true},
               {"tall", kt::rtf_rows_per_page(false, 20) + 1, false}};
  for (const Case& c : cases) {
    std::string report;
    for (int t = 0; t < 2; ++t) {  // two tables of the same size, a rule and a blank line between
      for (int i = 0; i < c.rows; ++i) report += "| a | b |\n";
      report += "-------\n\n";
    }
    put("rows.txt", report);
    or_convert_report_to_rtf(report_path("rows.txt").c_str(), 10, 0, 0);
    std::vector<TableRows> tables = tables_of(get("rows.rtf"));
    ASSERT_EQ(tables.size(), 2u) << c.id;
    for (const TableRows& t : tables) {
      EXPECT_EQ(t.rows, c.rows) << c.id;
      EXPECT_EQ(t.kept, c.kept ? c.rows - 1 : 0) << c.id;
    }
  }
}

}  // namespace
