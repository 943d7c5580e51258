// The RTF table form: report lines into cell records, the column unit and
// font size fitted to the page, and whole conversions for the failures, test
// runs, blank paragraphs, header and footer texts and very long lines.
#include <cstdlib>
#include <string>
#include <vector>

#include "reports/conversions.h"
#include "reports/report_test_support.h"
#include "reports/rtf_document.h"
#include "reports/rtf_table_form.h"

namespace {

using kt::RtfCellRecord;
using kt_test::ReportFolder;
namespace fs = std::filesystem;

// "type:length:text:right:top" per record, joined by spaces.
std::string describe(const kt::RtfRecordArray& records) {
  std::string out;
  for (const RtfCellRecord& r : records) {
    if (!out.empty()) out += ' ';
    if (r.type >= 3) {
      out += std::to_string(r.type);
      continue;
    }
    out += std::to_string(r.type) + ":" + std::to_string(r.length) + ":" + std::string(r.text) + ":" +
           std::to_string(r.right_border) + ":" + std::to_string(r.top_border);
  }
  return out;
}

TEST(RtfCells, LinesBecomeRecords) {
  struct Case { const char* id; std::vector<std::string> lines; const char* records; } cases[] = {
      {"thick", {"x|y#z\n"}, "1:1:x:1:1 2:1:y:3:1"},  // text after the last separator is dropped
      {"title_cells", {"^1 Ora|Lun #\n"}, "1:6: Ora:1:1 2:4:Lun:3:1"},
      {"empty_cell", {"||a|\n"}, "1:1::1:1 2:1:a:1:1"},
      {"no_cells", {"text without separators\n"}, ""},
      {"rules", {"-----\n", "| a |\n", "=====\n", "| b |\n", ".....\n", "| c |\n", "| d |\n"},
       "1:4:  a:1:1 1:4:  b:1:3 1:4:  c:1:0 1:4:  d:1:1"},
      {"blank_ends", {"| a |\n", "\n", "| b |\n"}, "1:4:  a:1:1 3 1:4:  b:1:1"},
      {"rule_blank", {"| a |\n", "-----\n", "   \n", "| b |\n"}, "1:4:  a:1:1 4 1:4:  b:1:1"},
      {"two_rules", {"| a |\n", "-----\n", "=====\n", "| b |\n"}, "1:4:  a:1:1 4 1:4:  b:1:1"},
      {"dot_after_rule", {"-----\n", ".....\n", "| b |\n"}, "4 1:4:  b:1:1"},
      {"page", {"| a |\n", "\f| b |\n"}, "1:4:  a:1:1 4 1:4:  b:1:1"},
      {"page_alone", {"| a |\n", "\f\n", "| b |\n"}, "1:4:  a:1:1 3 1:4:  b:1:1"},
      {"skip_empty", {"", "| a |\n"}, "1:4:  a:1:1"},
  };
  for (const Case& c : cases) EXPECT_EQ(describe(kt::rtf_read_cells(c.lines)), c.records) << c.id;
}

class RtfConversion : public ReportFolder {};

std::size_t count(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (std::size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + 1)) ++n;
  return n;
}

// A cell's text is held in 200 characters: a longer cell stops the run with
// the critical error "maxlen testo"; one of 200 is kept whole.
TEST_F(RtfConversion, OverlongCellStopsTheRun) {
  std::string text(199, 'x');
  auto& records = kt::rtf_read_cells({"|" + text + "|\n"});
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].length, 200);
  EXPECT_EQ(std::string(records[0].text), " " + text);
  struct Seen { std::string text, source; int value = 0; } seen;
  services_.or_raise_critical_error = [&](const char* t, int value, const char* source, int) {
    seen = {t, source, value};  // returns: the conversion must stop anyway
  };
  apply();
  put("wide.txt", "| a |\n|" + text + "x|\n");
  EXPECT_THROW(or_convert_report_to_rtf(report_path("wide.txt").c_str(), 10, 0, 0), kt::ReportError);
  EXPECT_EQ(seen.text, "maxlen testo");
  EXPECT_EQ(seen.value, 201);
  EXPECT_EQ(seen.source, "OR_form");
  EXPECT_FALSE(has("wide.rtf"));
}

// The records grow by 1000 whenever fewer than 250 are free; a growth that
// fails stops the run with the critical error "realloc".
void* failing_realloc(void*, std::size_t) { return nullptr; }

TEST_F(RtfConversion, RecordsGrowInStepsAndAFailedGrowthStopsTheRun) {
  std::vector<std::string> lines(760, "| a | b |\n");  // 1520 records
  kt::RtfRecordArray& records = kt::rtf_read_cells(lines);
  EXPECT_EQ(records.size(), 1520u);
  EXPECT_EQ(records.capacity() % 1000, 0u);
  EXPECT_GE(records.capacity(), 1770u) << "at least 250 spare after the last";
  std::string seen;
  services_.or_raise_critical_error = [&](const char* t, int, const char*, int) { seen = t; };
  apply();
  std::string big;
  for (std::size_t i = 0; i < records.capacity() / 2 + 1; ++i) big += "| a | b |\n";  // past what the array holds
  put("big.txt", big);
  kt::g_rtf_realloc = failing_realloc;
  EXPECT_THROW(or_convert_report_to_rtf(report_path("big.txt").c_str(), 10, 0, 0), kt::ReportError);
  kt::g_rtf_realloc = std::realloc;
  EXPECT_EQ(seen, "realloc");
  EXPECT_FALSE(has("big.rtf"));
}

TEST(RtfFit, UnitAndFontSize) {
  struct Case { const char* id; std::vector<std::string> lines; int width; int points; int unit; int half_points; } cases[] = {
      // the leading separator counts in the first cell: (4 + 1) + (3 + 1)
      // characters, (10773 - 1) / 9
      {"fits", {"| a | b |\n"}, kt::kRtfPortraitWidth, 10, 1196, 20},
      {"landscape", {"| a | b |\n"}, kt::kRtfLandscapeWidth, 8, 1745, 16},
      // ten M (12190 twips at 72 points) in a cell of 11 units of 979 twips,
      // inner width 10699: 12190 x size / 144 fits first at size 126
      {"first_fit", {"MMMMMMMMMM|\n"}, kt::kRtfPortraitWidth, 72, 979, 126},
      // the widest row decides the unit
      {"widest_row", {"| a |\n", "| a | b | c | d |\n"}, kt::kRtfPortraitWidth, 10, 633, 20},
  };
  for (Case& c : cases) {
    auto& records = kt::rtf_read_cells(c.lines);
    kt::RtfFit fit = kt::or_rtf_fit_columns(records, c.width, c.points);
    EXPECT_EQ(fit.unit, c.unit) << c.id;
    EXPECT_EQ(fit.half_points, c.half_points) << c.id;
  }
}

TEST(RtfFit, VeryWideRowsStopAtSevenHalfPoints) {
  std::string row;
  for (int i = 0; i < 100; ++i) row += "WW|";
  auto& records = kt::rtf_read_cells({row + "\n"});
  kt::RtfFit fit = kt::or_rtf_fit_columns(records, kt::kRtfPortraitWidth, 10);
  EXPECT_EQ(fit.unit, 35);  // 10772 / 300
  EXPECT_EQ(fit.half_points, 7);
}

TEST_F(RtfConversion, FailuresGoThroughTheFileErrorReporter) {
  struct Seen { std::string file, text, source; } seen;
  services_.or_raise_file_error = [&](const char* file, const char* text, const char* source, int) {
    seen = {file, text, source};  // returns: the conversion must stop anyway
  };
  apply();
  put("report.doc", "| a |\n");
  EXPECT_THROW(or_convert_report_to_rtf(report_path("report.doc").c_str(), 10, 0, 0), kt::ReportError);
  // The file named the way this system writes it: its full path below the drive root.
  EXPECT_EQ(seen.file, "Nome file [" + file("report.doc").string() + "] di testo errato");
  EXPECT_EQ(seen.text, "(Chiudere il documento Word o Xls in uso e ripetere l'operazione)");
  EXPECT_EQ(seen.source, "OR_form");

  EXPECT_THROW(or_convert_report_to_rtf_text(report_path("missing.txt").c_str(), 10, 0, 0), kt::ReportError);
  EXPECT_EQ(seen.file, "File [" + file("missing.txt").string() + "] non trovato");
  EXPECT_EQ(seen.source, "OR_forT");

  put("report.txt", "| a |\n");
  services_.language = [] { return 2; };
  fail_outputs_named("report.rtf");  // the output cannot be created
  EXPECT_THROW(or_convert_report_to_rtf(report_path("report.txt").c_str(), 10, 0, 0), kt::ReportError);
  EXPECT_EQ(seen.file, "File [" + file("report.rtf").string() + "] errore output");
  EXPECT_EQ(seen.text, "Close document and repeat operation)");
  EXPECT_FALSE(has("report.rtf"));
}

TEST_F(RtfConversion, DefaultReporterMessage) {
  try {
    or_convert_report_to_rtf(report_path("missing.txt").c_str(), 10, 0, 0);
    FAIL() << "no error";
  } catch (const kt::ReportError& e) {
    EXPECT_EQ(e.code, -1);
    EXPECT_EQ(std::string(e.what()).rfind("(0) Errore File \n[File [" + file("missing.txt").string() + "] non trovato]\n"
                                          "[(Chiudere il documento Word o Xls in uso e ripetere l'operazione)]\n"
                                          "[OR_form, line:",
                                          0),
              0u)
        << e.what();
  }
}

TEST_F(RtfConversion, NothingInTestRunsNorForEmptyReports) {
  put("report.txt", "| a |\n");
  put("empty.txt", "");
  services_.run_mode = [] { return 14; };
  apply();
  or_convert_report_to_rtf(report_path("wrong.doc").c_str(), 10, 0, 0);  // not even the name check
  or_convert_report_to_html(report_path("report.txt").c_str(), 0);
  or_convert_report_to_csv(report_path("report.txt").c_str());
  EXPECT_FALSE(has("HTML"));
  EXPECT_TRUE(has("report.txt"));
  services_.run_mode = [] { return 0; };
  apply();
  or_convert_report_to_rtf(report_path("empty.txt").c_str(), 10, 0, 0);
  or_convert_report_to_rtf_text(report_path("empty.txt").c_str(), 10, 0, 0);
  EXPECT_FALSE(has("empty.rtf"));
  EXPECT_FALSE(has("empty.rtf.tmp"));
}

TEST_F(RtfConversion, BlankParagraphsBetweenTablesSeparatedByARule) {
  put("two.txt", "| a | b |\n-------\n\n| c |\n");
  const std::string paragraph = "\n{ \\par }\n";
  struct Case { int setting; std::size_t between; } cases[] = {{-1, 0}, {0, 1}, {2, 3}};
  for (const Case& c : cases) {
    services_.table_blank_paragraphs = [c] { return c.setting; };
    apply();
    or_convert_report_to_rtf(report_path("two.txt").c_str(), 10, 0, 0);
    std::string rtf = get("two.rtf");
    // one paragraph always stands before the first table
    EXPECT_EQ(count(rtf, paragraph), 1 + c.between) << c.setting;
    EXPECT_EQ(count(rtf, "\\row }"), 2u);
    EXPECT_EQ(count(rtf, "\\trgaph90"), 0u) << "no row definition left standing after a table";
    EXPECT_EQ(count(rtf, "\\trowd"), 2u) << "one definition for each row";
  }
}

TEST_F(RtfConversion, DotLineGivesAWhiteTopBorder) {
  put("dot.txt", "| a |\n.....\n| b |\n");
  or_convert_report_to_rtf(report_path("dot.txt").c_str(), 10, 0, 0);
  std::string rtf = get("dot.rtf");
  // the row of b
  EXPECT_EQ(count(rtf, "\\clbrdrt\\brdrs\\brdrw20\\brdrcf8 "), 1u);
  EXPECT_EQ(count(rtf, "\\clbrdrt\\brdrs\\brdrw10 "), 1u);
}

TEST_F(RtfConversion, HeaderAndFooterInTheLanguage) {
  services_.language = [] { return 2; };
  services_.provisional_mode = [] { return true; };
  services_.institution_heading = [] { return std::string("Liceo {Nuovo}"); };
  apply();
  put("plain.txt", "| a |\n");
  or_convert_report_to_rtf(report_path("plain.txt").c_str(), 8, 1, 0);
  std::string rtf = get("plain.rtf");
  EXPECT_NE(rtf.find("{\\insrsid8004868 Liceo \\{Nuovo\\} Temporary Timetable\\par }}"), std::string::npos);
  EXPECT_NE(rtf.find("plain ( 9 March 2026 14:05)   P. "), std::string::npos);
  EXPECT_NE(rtf.find("\\paperh11907\\paperw16840\\margl567\\margr567\\margt907\\margb907 \\landscape\n"
                     "\\sectd\\lndscpsxn\\pgwsxn16840\\pghsxn11907\\marglsxn567\\margrsxn567\\margtsxn907\\margbsxn907\n"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\viewkind4\\uc1\\pard\\f0\\fs16 \\viewscale100 "), std::string::npos);
}

TEST_F(RtfConversion, HeadingStandsInWhenNoneIsSet) {
  services_.institution_heading = [] { return std::string(); };
  apply();
  put("plain.txt", "| a |\n");
  or_convert_report_to_rtf(report_path("plain.txt").c_str(), 10, 0, 0);
  EXPECT_NE(get("plain.rtf").find("{\\insrsid8004868 (non assegnato) \\par }}"), std::string::npos);
  or_convert_report_to_html(report_path("plain.txt").c_str(), 0);
  EXPECT_NE(get("HTML/plain.html").find("<br><br>(non assegnato)<br><br>plain\n"), std::string::npos);
}

TEST_F(RtfConversion, GermanMonthInCodePage1252) {
  services_.language = [] { return 1; };
  apply();
  EXPECT_EQ(kt::rtf_footer_date(kt_test::fixed_clock(), 1), " ( 9 M\xE4rz 2026 14:05) ");
  EXPECT_STREQ(kt::rtf_provisional_text(), "");
  services_.provisional_mode = [] { return true; };
  apply();
  EXPECT_STREQ(kt::rtf_provisional_text(), "Vorl\xE4ufiger Stundenplan");
}

TEST_F(RtfConversion, WallChartLinesConvertWhole) {
  // 700 cells of 8 characters and a separator: 6300 characters in one line.
  std::string line;
  for (int i = 0; i < 700; ++i) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "c%06d |", i);
    line += cell;
  }
  put("wall.txt", "*1 Tabellone|\n" + line + "\n");
  or_convert_report_to_rtf(report_path("wall.txt").c_str(), 8, 1, 0);
  std::string rtf = get("wall.rtf");
  EXPECT_NE(rtf.find("c000000\\cell "), std::string::npos);
  EXPECT_NE(rtf.find("c000699\\cell "), std::string::npos);
  EXPECT_NE(rtf.find("\\fs7\\cgrid0"), std::string::npos);
  or_convert_report_to_rtf_text(report_path("wall.txt").c_str(), 8, 1, 0);
  EXPECT_NE(get("wall.rtf").find("c000699 \\u9474\\'a6\\par"), std::string::npos);
}

}  // namespace
