// The command-line converter: with the test fixture's heading and clock it
// must write exactly the golden documents, beside the report it is given by
// a plain path of this machine. Skipped when the tool was not built.
#include <cstdlib>
#include <string>

#include "reports/report_test_support.h"

namespace {

using kt_test::ReportFolder;
namespace fs = std::filesystem;

class ConverterTool : public ReportFolder {};

TEST_F(ConverterTool, WritesTheGoldenDocuments) {
  fs::path tool = fs::path(KT_BINARY_DIR) / "apps" / "report-convert" / "report-convert";
  if (!fs::exists(tool)) GTEST_SKIP() << "report-convert is not built";
  fs::path data = fs::path(KT_TEST_DATA) / "reports";
  put("classi.txt", kt_test::read_bytes(data / "classi.txt"));
  put("tabellone_classi.txt", kt_test::read_bytes(data / "tabellone_classi.txt"));
  std::string common = tool.string() + " --heading 'Istituto \"G. Galilei\"' --time 2026-03-09T14:05 ";
  struct Case { const char* args; const char* produced; const char* golden; } cases[] = {
      {"rtf --blank-paragraphs 1 classi.txt", "classi.rtf", "classi_table.rtf"},
      {"rtf --text-option classi.txt", "classi.rtf", "classi_text.rtf"},
      {"html classi.txt", "HTML/classi.html", "classi.html"},
      {"csv tabellone_classi.txt", "tabellone_classi.csv", "tabellone_classi.csv"},
  };
  for (const Case& c : cases) {
    std::string command = "cd '" + file("").string() + "' && " + common + c.args;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(get(c.produced), kt_test::read_bytes(data / "expected" / c.golden)) << c.args;
  }
  EXPECT_FALSE(has("tabellone_classi.txt"));
  std::string missing = "cd '" + file("").string() + "' && " + common + "rtf absent.txt 2>/dev/null";
  EXPECT_NE(std::system(missing.c_str()), 0);
}

}  // namespace
