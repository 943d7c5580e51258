// Whole conversions of small reports written for the tests, compared byte
// for byte with golden files in tests/data/reports/expected: the RTF table
// form, the text form (directly and under the "Word 2000" option), the
// enlarged halves of a wide report from either form, HTML pages with title
// spans and both CSV modes. The clock and heading are fixed by the fixture.
// Run with KT_UPDATE_GOLDEN=1 to rewrite the golden files after a change
// that has been checked by eye.
#include <functional>
#include <vector>

#include "reports/conversions.h"
#include "reports/report_test_support.h"

namespace {

using kt_test::read_bytes;
using kt_test::ReportFolder;
namespace fs = std::filesystem;

struct Output {
  const char* produced;  // below the output folder
  const char* golden;    // below tests/data/reports/expected
};

struct GoldenCase {
  const char* id;
  const char* input;     // below tests/data/reports
  const char* as;        // name of the report in the output folder
  std::function<void(kt::ReportServices&)> settings;
  std::function<void(const char* path)> convert;
  std::vector<Output> outputs;
};

const fs::path kData = fs::path(KT_TEST_DATA) / "reports";

std::vector<GoldenCase> cases() {
  auto none = [](kt::ReportServices&) {};
  return {
      {"table", "classi.txt", "classi.txt", [](kt::ReportServices& s) { s.table_blank_paragraphs = [] { return 1; }; },
       [](const char* p) { or_convert_report_to_rtf(p, 10, 0, 0); },
       {{"classi.rtf", "classi_table.rtf"}}},
      {"text", "classi.txt", "classi.txt", none, [](const char* p) { or_convert_report_to_rtf_text(p, 10, 0, 0); },
       {{"classi.rtf", "classi_text.rtf"}}},
      {"option", "classi.txt", "classi.txt", [](kt::ReportServices& s) { s.rtf_text_form_option = [] { return true; }; },
       [](const char* p) { or_convert_report_to_rtf(p, 10, 0, 0); },
       {{"classi.rtf", "classi_text.rtf"}}},
      {"halves", "tabellone.txt", "tabellone.txt", none, [](const char* p) { or_convert_report_to_rtf(p, 8, 1, 1); },
       {{"tabellone.rtf", "tabellone_table.rtf"},
        {"Tabelle Ingrandite/tabellone_A_SINISTRA.txt", "tabellone_A_SINISTRA.txt"},
        {"Tabelle Ingrandite/tabellone_B_DESTRA.txt", "tabellone_B_DESTRA.txt"},
        {"Tabelle Ingrandite/tabellone_A_SINISTRA.rtf", "tabellone_A_SINISTRA_text.rtf"},
        {"Tabelle Ingrandite/tabellone_B_DESTRA.rtf", "tabellone_B_DESTRA_text.rtf"}}},
      {"halves_text", "tabellone.txt", "tabellone.txt", none,
       [](const char* p) { or_convert_report_to_rtf_text(p, 8, 1, 1); },
       {{"tabellone.rtf", "tabellone_text.rtf"},
        {"Tabelle Ingrandite/tabellone_A_SINISTRA.rtf", "tabellone_A_SINISTRA_table.rtf"},
        {"Tabelle Ingrandite/tabellone_B_DESTRA.rtf", "tabellone_B_DESTRA_table.rtf"}}},
      {"html", "classi.txt", "classi.txt", none, [](const char* p) { or_convert_report_to_html(p, 0); },
       {{"HTML/classi.html", "classi.html"}}},
      {"html_spans", "tabellone.txt", "tabellone.txt", none, [](const char* p) { or_convert_report_to_html(p, 1); },
       {{"HTML/tabellone.html", "tabellone.html"}}},
      {"html_dots", "tabellone_classi.txt", "tabellone_classi.txt", none,
       [](const char* p) { or_convert_report_to_html(p, 2); },
       {{"HTML/tabellone_classi.html", "tabellone_classi.html"}}},
      {"csv", "tabellone_classi.txt", "tabellone_classi.txt", none, [](const char* p) { or_convert_report_to_csv(p); },
       {{"tabellone_classi.csv", "tabellone_classi.csv"}}},
      {"csv_rules", "tabellone_classi.txt", "tabellone_classi.txu", none,
       [](const char* p) { or_convert_report_to_csv(p); },
       {{"tabellone_classi.csv", "tabellone_classi_txu.csv"}}},
  };
}

class GoldenFiles : public ReportFolder, public ::testing::WithParamInterface<int> {};

TEST_P(GoldenFiles, MatchByteForByte) {
  GoldenCase c = cases()[GetParam()];
  c.settings(services_);
  apply();
  put(c.as, read_bytes(kData / c.input));
  c.convert(report_path(c.as).c_str());
  bool update = std::getenv("KT_UPDATE_GOLDEN") != nullptr;
  for (const Output& o : c.outputs) {
    ASSERT_TRUE(has(o.produced)) << c.id << ": " << o.produced;
    std::string got = get(o.produced);
    fs::path golden = kData / "expected" / o.golden;
    if (update) kt_test::write_bytes(golden, got);
    EXPECT_EQ(got, read_bytes(golden)) << c.id << ": " << o.produced << " differs from " << golden;
  }
}

INSTANTIATE_TEST_SUITE_P(Reports, GoldenFiles, ::testing::Range(0, static_cast<int>(cases().size())),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(cases()[info.param].id); });

}  // namespace
