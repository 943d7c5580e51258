// The CSV form of a report: dropped lines, markers and separators, quoting,
// the two modes, and the report deleted after a conversion, kept otherwise.
#include <algorithm>
#include <string>
#include <vector>

#include "reports/conversion_text.h"
#include "reports/conversions.h"
#include "reports/report_test_support.h"

namespace {

using kt_test::ReportFolder;

TEST(CsvText, Lines) {
  struct Case { const char* id; const char* line; bool rule_mode; const char* csv; } cases[] = {
      {"first_not_empty", "|a|b|\n", true, " a;b;\n"},
      // A hyphen or an equals sign inside a name is the name's: the row keeps its fields.
      {"hyphen_stays", "| 1A-inf |ROSSI-MARTINELLI |Ita |\n", true, "  1A-inf ;ROSSI-MARTINELLI ;Ita ;\n"},
      {"equals_stays", "| a=b |c |\n", true, "  a=b ;c ;\n"},
      {"rule_inside", "|a|--|b|\n", true, " a;;;;b;\n"},
      {"lone_hyphen_after_marker", "*0- a|\n", true, "  - a;\n"},
      {"title_short", "!\n", true, " \n"},
      {"dots_only", " ....\n", false, ""},
      {"blank", "   \n", true, ""},
      {"page", "\f| a |\n", true, ""},
      {"rule_mode_drops", "--- x ---\n", true, ""},
      {"rule_kept", "--- x ---\n", false, " ;; x ;;;\n"},
      {"dot_kept", ". nota\n", false, "  nota\n"},
      {"semicolon", "| a;b |c |\n", true, "\"  a;b \";c ;\n"},
      {"quote", "| \"q\" |c |\n", true, "\"  \"\"q\"\" \";c ;\n"},
      {"no_newline", "|a|b", true, " a;b"},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::csv_text({c.line}, c.rule_mode), std::string(c.csv) + "\n") << c.id;
}

class CsvFile : public ReportFolder {};

TEST_F(CsvFile, ReplacesTheReport) {
  put("Tabellone.txt", "| a |b |\n------\n");
  or_convert_report_to_csv(report_path("Tabellone.txt").c_str());
  EXPECT_EQ(get("Tabellone.csv"), "  a ;b ;\n\n");
  EXPECT_FALSE(has("Tabellone.txt"));
  EXPECT_FALSE(has("Tabellone.csv.tmp"));
}

TEST_F(CsvFile, KeepsRulesOfATxuReportAndTakesAnyCase) {
  put("Tabellone.TXU", "| a |\n---\n");
  or_convert_report_to_csv(report_path("Tabellone.TXU").c_str());
  EXPECT_EQ(get("Tabellone.csv"), "  a ;\n\n");  // a rule of rule characters only is still dropped
  put("Muro.txu", "| a |\n-- x\n");
  or_convert_report_to_csv(report_path("Muro.txu").c_str());
  EXPECT_EQ(get("Muro.csv"), "  a ;\n ; x\n\n");
}

TEST_F(CsvFile, EmptyReportStays) {
  put("Vuoto.txt", "");
  or_convert_report_to_csv(report_path("Vuoto.txt").c_str());
  EXPECT_TRUE(has("Vuoto.txt"));
  EXPECT_FALSE(has("Vuoto.csv"));
}

TEST_F(CsvFile, TheReportStaysWhenItsCsvCannotBeWritten) {
  put("Tabellone.txt", "| a |\n");
  fail_outputs_named("Tabellone.csv");
  EXPECT_THROW(or_convert_report_to_csv(report_path("Tabellone.txt").c_str()), kt::ReportError);
  EXPECT_TRUE(has("Tabellone.txt"));
  // A full disk names itself in the message, and no half file is left.
  put("Tabellone.csv", "the old table\n");
  fail_outputs_named("Tabellone.csv", true);
  try {
    or_convert_report_to_csv(report_path("Tabellone.txt").c_str());
    ADD_FAILURE() << "a full disk went unnoticed";
  } catch (const kt::ReportError& e) {
    EXPECT_NE(std::string(e.what()).find("[Disco pieno: non c"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Tabellone.csv] errore output"), std::string::npos) << e.what();
  }
  EXPECT_EQ(get("Tabellone.csv"), "the old table\n");
  for (const auto& entry : std::filesystem::directory_iterator(file("")))
    EXPECT_EQ(entry.path().filename().string().find(".~"), std::string::npos) << entry.path();
}

TEST_F(CsvFile, WallChartLinesConvertWhole) {
  std::string line = "|";
  for (int i = 0; i < 1000; ++i) line += "abcde|";  // 6001 characters
  put("Muro.txt", line + "\n");
  or_convert_report_to_csv(report_path("Muro.txt").c_str());
  std::string csv = get("Muro.csv");
  EXPECT_EQ(csv.size(), 6001u + 2);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), ';'), 1000);
}

}  // namespace
