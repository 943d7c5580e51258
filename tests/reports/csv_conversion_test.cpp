// The CSV form of a report: which lines are dropped, how markers and
// separators become blanks and semicolons, quoting of fields that hold a
// semicolon or a quote, the two modes, and the file handling (the report is
// deleted after a conversion, left alone when empty).
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
      {"cells", "| 1A |Ita |Mat #\n", true, "  1A ;Ita ;Mat ;\n"},
      {"first_not_empty", "|a|b|\n", true, " a;b;\n"},
      {"hyphen_splits", "| 1A-inf |Ita |\n", true, "  1A;inf ;Ita ;\n"},
      {"title", "*2 Titolo |\n", true, "   Titolo ;\n"},
      {"title_short", "!\n", true, " \n"},
      {"rule_only", "-----\n", false, ""},
      {"dots_only", " ....\n", false, ""},
      {"blank", "   \n", true, ""},
      {"empty", "\n", true, ""},
      {"page", "\f| a |\n", true, ""},
      {"rule_mode_drops", "--- x ---\n", true, ""},
      {"rule_kept", "--- x ---\n", false, " ;; x ;;;\n"},
      {"dot_kept", ". nota\n", false, "  nota\n"},
      {"semicolon", "| a;b |c |\n", true, "\"  a;b \";c ;\n"},
      {"quote", "| \"q\" |c |\n", true, "\"  \"\"q\"\" \";c ;\n"},
      {"no_newline", "|a|b", true, " a;b"},
      {"bytes", "| Citt\xE0 |\n", true, "  Citt\xE0 ;\n"},
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

TEST_F(CsvFile, Failures) {
  std::string message;
  services_.or_raise_file_error = [&](const char* file, const char*, const char* source, int) {
    message = std::string(source) + ": " + file;
    throw kt::ReportError(-1, message);
  };
  apply();
  put("Tabellone.rtf", "| a |\n");
  EXPECT_THROW(or_convert_report_to_csv(report_path("Tabellone.rtf").c_str()), kt::ReportError);
  EXPECT_EQ(message, "OR_csv: Nome file [\\Orario\\Tabellone.rtf] di testo errato");
  EXPECT_TRUE(has("Tabellone.rtf"));
  EXPECT_THROW(or_convert_report_to_csv(report_path("Assente.txt").c_str()), kt::ReportError);
  EXPECT_EQ(message, "OR_csv: File [\\Orario\\Assente.txt] non trovato");
  put("Tabellone.txt", "| a |\n");
  std::filesystem::create_directories(file("Tabellone.csv.tmp"));
  EXPECT_THROW(or_convert_report_to_csv(report_path("Tabellone.txt").c_str()), kt::ReportError);
  EXPECT_EQ(message, "OR_csv: File [\\Orario\\Tabellone.csv] errore output");
  EXPECT_TRUE(has("Tabellone.txt")) << "the report stays when its CSV could not be written";
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
