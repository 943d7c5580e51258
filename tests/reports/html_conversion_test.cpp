// The HTML page of a report: cells and rows, title spans, rules, page blocks
// and the options; and the page file in the "HTML" folder beside the report.
#include <string>
#include <vector>

#include "reports/conversion_text.h"
#include "reports/conversions.h"
#include "reports/report_test_support.h"

namespace {

using kt_test::ReportFolder;

// The page without its head, from the first table on.
std::string body(const std::vector<std::string>& lines, int options = 0) {
  std::string page = kt::html_page(lines, options, "Liceo", "Orario Classi");
  std::size_t start = page.find("<table");
  return page.substr(page.find('\n', start) + 1);
}

bool holds(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

std::size_t count(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (std::size_t p = text.find(piece); p != std::string::npos; p = text.find(piece, p + 1)) ++n;
  return n;
}

TEST(HtmlPage, Pieces) {
  struct Case { const char* id; std::vector<std::string> lines; int options; const char* piece; bool present; } cases[] = {
      {"single_blank", {"x a b|\n"}, 0, "x a b", true},
      {"cells", {"a|b|c|\n"}, 0, "a</td><td class=\"orarioclass\">\nb</td><td class=\"orarioclass\">\nc</td>", true},
      {"cell_open", {"a|b|\n"}, 0, "<tr><td class=\"orarioclass\">\na</td><td class=\"orarioclass\">\nb</td></tr><tr><td class=\"orarioclass\">\n", true},
      // the previous line's end opened a row and a cell: the leading '|' closes it empty
      {"empty_first", {"|a|\n", "|b|\n"}, 0,
       "<tr><td class=\"orarioclass\">\n\n</td><td class=\"orarioclass\">\nb</td>", true},
      {"star_span", {"*2 A | B |\n"}, 0, "<td class=\"bianco\" colspan=\"3\">\n B </td>", true},
      {"bang_span", {"!1 A | B |\n"}, 0, "<td class=\"rosso\" colspan=\"2\">", true},
      {"caret_first_plain", {"^1 H | X | Y |\n"}, 0,
       "<td class=\"orarioclass\">\n X </td><td class=\"bianco\" colspan=\"2\">\n Y </td>", true},
      {"marker_gone", {"*2 A | B |\n"}, 0, "*2", false},
      {"no_digit_no_marker", {"* A | B |\n"}, 0, "* A", true},
      {"dash_run_ends_row", {"| a -- b |\n"}, 0, " b ", false},
      {"lone_hyphen_stays", {"| 1A-inf |\n"}, 0, "1A-inf", true},
      {"thick_end_ends_row", {"|a#\n", "|b#\n"}, 0, "a</td></tr><tr><td class=\"orarioclass\">\n\n</td><td class=\"orarioclass\">\nb</td></tr><tr>", true},
      {"dot_option", {" a|\n"}, 2, ".a", true},
  };
  for (const Case& c : cases) EXPECT_EQ(holds(body(c.lines, c.options), c.piece), c.present) << c.id;
}

TEST(HtmlPage, BlankLineEndsTheTable) {
  std::string b = body({"|a|\n", "\n", "|b|\n"});
  EXPECT_EQ(count(b, "</table>\n<br><br><table class=\"orarioclass\" border=\"1\">\n"), 1u);
  // a blank line before a short line starts no new table
  EXPECT_EQ(count(body({"|a|\n", "\n", "x\n"}), "<table"), 0u);
}

// A report ends with a blank line, and a blank line may stand before a short
// line: each table is closed once, and rows are always inside a table.
TEST(HtmlPage, EveryTableIsClosedOnceAndHoldsTheRows) {
  struct Case { const char* id; std::vector<std::string> lines; } cases[] = {
      {"blank_last", {"|a|\n", "\n"}},
      {"blank_then_break", {"|a|\n", "\n", "\f|b|\n", "\n"}},
      {"blank_before_short", {"|a|\n", "\n", "x\n", "|b|\n", "----\n", "|c|\n", "\n"}},
      {"two_blanks", {"|a|\n", "\n", "\n", "|b|\n"}},
  };
  for (const Case& c : cases) {
    std::string page = kt::html_page(c.lines, 0, "Liceo", "Classi");
    int depth = 0;
    bool stray = false, row_outside = false;
    for (std::size_t at = 0; (at = page.find('<', at)) != std::string::npos; ++at) {
      if (page.compare(at, 6, "<table") == 0) ++depth;
      else if (page.compare(at, 8, "</table>") == 0) stray |= depth-- == 0;
      else if (page.compare(at, 3, "<tr") == 0) row_outside |= depth == 0;
    }
    EXPECT_FALSE(stray) << c.id << "\n" << page;
    EXPECT_EQ(depth, 0) << c.id << "\n" << page;
    EXPECT_FALSE(row_outside) << c.id << "\n" << page;
  }
}

// Text inside a table stands in a cell of a row: a title line, which no '|'
// opens, is the table's first row with its marker's class and span.
TEST(HtmlPage, TitleLinesAndCellsStandInRows) {
  auto loose = [](const std::string& page) {
    int tables = 0, rows = 0, cells = 0;
    std::string found;
    for (std::size_t at = 0; at < page.size(); ++at) {
      if (page[at] == '<') {
        std::size_t end = page.find('>', at);
        std::string tag = page.substr(at, end - at + 1);
        if (tag.rfind("<table", 0) == 0) ++tables;
        else if (tag == "</table>") --tables;
        else if (tag.rfind("<tr", 0) == 0) ++rows;
        else if (tag == "</tr>") --rows;
        else if (tag.rfind("<td", 0) == 0) {
          if (rows == 0) found += "[cell outside a row]";
          ++cells;
        } else if (tag == "</td>") --cells;
        at = end;
      } else if (tables > 0 && cells == 0 && page[at] != '\n') {
        found += page[at];
      }
    }
    return found;
  };
  struct Case { const char* id; std::vector<std::string> lines; } cases[] = {
      {"star_title", {"*2   Classe 1A - Aula {A}   |\n", "^1 Ora | Lun | Mar |\n", "\n"}},
      {"plain_title", {"ORARIO DEL DOCENTE\n", "|a|b|\n", "\n"}},
      {"leading_bar", {"|a|\n", "|b|\n"}},
      {"after_blank", {"|a|\n", "\n", "Titolo due\n", "|b|\n"}},
      {"after_break", {"|a|\n", "\fTitolo\n", "|b|\n"}},
      {"thick_end", {"|a#\n", "x\n"}},
  };
  for (const Case& c : cases) {
    std::string page = kt::html_page(c.lines, 0, "Liceo", "Classi");
    EXPECT_EQ(loose(page), "") << c.id << "\n" << page;
  }
  std::string b = body({"*2   Classe 1A|\n", "^1 Ora | Lun | Mar |\n"});
  EXPECT_EQ(b.rfind("<tr><td class=\"bianco\" colspan=\"3\">\n&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Classe 1A</td></tr>", 0), 0u) << b;
}

TEST(HtmlPage, PageBreaksStartBlocks) {
  std::string page = kt::html_page({"|a|\n", "\f|b|\n", "|c|\n", "\f|d|\n"}, 0, "Liceo", "Classi");
  EXPECT_EQ(count(page, "<div class=\"titblocco\" align=\"center\">\n<br><br>Liceo<br><br>Classi\n"), 1u)
      << "a form feed on the last line starts no block";
  EXPECT_EQ(count(page, "<div class=\"finale\" align=\"center\">"), 2u);
  EXPECT_FALSE(holds(page, "\f"));
}

class HtmlFile : public ReportFolder {};

TEST_F(HtmlFile, WrittenIntoTheHtmlFolder) {
  put("Orario Classi.txt", "| a |\n");
  or_convert_report_to_html(report_path("Orario Classi.txt").c_str(), 0);
  ASSERT_TRUE(has("HTML/Orario Classi.html"));
  EXPECT_TRUE(holds(get("HTML/Orario Classi.html"), "Istituto \"G. Galilei\""));
  // an existing folder is no failure, and the page is replaced
  put("Orario Classi.txt", "| b |\n");
  or_convert_report_to_html(report_path("Orario Classi.txt").c_str(), 0);
  EXPECT_TRUE(holds(get("HTML/Orario Classi.html"), " b "));
  EXPECT_FALSE(has("HTML/Orario Classi.html.tmp"));
}

TEST_F(HtmlFile, WrongNameMissingAndEmpty) {
  EXPECT_THROW(or_convert_report_to_html(report_path("x.rtf").c_str(), 0), kt::ReportError);
  EXPECT_THROW(or_convert_report_to_html(report_path("missing.txt").c_str(), 0), kt::ReportError);
  put("empty.txt", "");
  or_convert_report_to_html(report_path("empty.txt").c_str(), 0);
  EXPECT_FALSE(has("HTML/empty.html"));
}

}  // namespace
