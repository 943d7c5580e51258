// HTML conversion of a text report: one page in the "HTML\" folder beside
// the report, one block per report page (the print style starts each block
// after the first on a new sheet), the report's cells as HTML table cells.
//
// The page is built by one pass over the lines with a look-ahead of one
// line, counting the cells and rows it has opened so that every rule, blank
// line, page break and line end closes exactly what is open. A line's end
// opens the next row at once, so a following line that starts with '|' gets
// an empty first cell: pages have always looked that way. The page declares
// its windows-1252 charset, and '&', '<', '>' in report text are escaped.
// A lone hyphen inside text stays text; a run of '-' or '=' draws the rule.
#include <cstdio>

#include "reports/conversion_text.h"
#include "reports/conversions.h"
#include "reports/report_files.h"
#include "reports/report_services.h"
#include "reports/report_text_format.h"

namespace kt {
namespace {

constexpr const char* kSource = "OR_html";
constexpr const char* kCreditTitle = "KestrinTempus - Orario scolastico";
constexpr const char* kCreditText = "Orario elaborato con KestrinTempus";

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else {
      out += c;
    }
  }
  return out;
}

class PageWriter {
 public:
  PageWriter(int options, const std::string& heading, const std::string& stem)
      : options_(options), heading_(escaped(heading)), stem_(escaped(stem)) {}

  std::string page(const std::vector<std::string>& lines) {
    head();
    out_ += "<div class=\"blocco\" align=\"center\">\n";
    block_heading();
    for (std::size_t i = 0; i < lines.size(); ++i) line(lines[i], i + 1 < lines.size() ? &lines[i + 1] : nullptr);
    close_all();
    close_table();
    out_ += "</div>";
    finale();
    out_ += "</body></html>";
    return std::move(out_);
  }

 private:
  void head() {
    out_ += "<html><head>";
    out_ += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n";
    out_ += "<title>";
    out_ += kCreditTitle;
    out_ += "</title>\n";
    out_ += "<style type=\"text/css\">\n";
    out_ += "div.blocco {font: bold 14px Verdana,Arial; color:black;}\n";
    out_ += "div.titblocco {font: bold 14px Verdana,Arial; color:black;}\n";
    out_ += "div.finale {font: 10px Verdana,Arial; color:black; }\n";
    out_ += ".orarioclass {font: 10px Verdana,Arial; color:black;}\n";
    out_ += ".bianco      {font: 10px Verdana,Arial; color:white; background-color:#6699cc}\n";
    out_ += ".rosso       {font: 10px Verdana,Arial; color:red; background-color:#e2e2e2}\n";
    out_ += ".microbo     {font: 2px Verdana,Arial; color:black;}\n";
    out_ += "</style>\n";
    out_ += "<style media=\"print\" type=\"text/css\">\n";
    out_ += "div.blocco {font: bold 14px Verdana,Arial; color:black;}\n";
    out_ += "div.titblocco {page-break-before: always; font: bold 14px Verdana,Arial; color:black;}\n";
    out_ += "div.finale {font: 10px Verdana,Arial; color:black; display:none;}\n";
    out_ += ".orarioclass {font: 10px Verdana,Arial; color:black;}\n";
    out_ += ".bianco      {font: 10px Verdana,Arial; color:black;}\n";
    out_ += ".rosso       {font: 10px Verdana,Arial; color:black;}\n";
    out_ += ".microbo     {font: 2px Verdana,Arial; color:black;}\n";
    out_ += "</style>\n";
    out_ += "</head>\n";
    out_ += "<body>\n";
  }

  void block_heading() {
    out_ += "<br><br>" + heading_ + "<br><br>";
    out_ += stem_ + "\n";
    table_start();
  }

  void table_start() {
    out_ += (options_ & 1) ? "<br><br><table width=\"982\" class=\"orarioclass\" border=\"1\">\n"
                           : "<br><br><table class=\"orarioclass\" border=\"1\">\n";
    table_open_ = true;
  }

  // A blank line closes the table and opens the next only when text
  // follows, so the last blank line of a report, or a blank line before a
  // page break, has already closed it: a second "</table>" would end a
  // table that is not there.
  void close_table() {
    if (table_open_) out_ += "</table>";
    table_open_ = false;
  }

  // Rows go into a table: one that a blank line closed before a short line
  // is opened again when a row follows.
  void ensure_table() {
    if (!table_open_) table_start();
  }

  void finale() { out_ += std::string("<div class=\"finale\" align=\"center\">") + kCreditText + "</div>\n"; }

  void close_all() {
    for (; open_cells_ > 0; --open_cells_) out_ += "</td>";
    for (; open_rows_ > 0; --open_rows_) out_ += "</tr>";
  }

  void close_cell() {
    if (open_cells_ > 0) {
      out_ += "</td>";
      --open_cells_;
    }
  }

  // Ends the row at a line end and opens the next row and its first cell.
  void next_row() {
    close_all();
    ensure_table();
    out_ += "<tr><td class=\"" + cls_ + "\">\n";
    open_rows_ = open_cells_ = 1;
    last_row_cells_ = row_cells_;
    row_cells_ = 1;
  }

  // Text goes into a cell of a row: a report's title line, which no '|'
  // opens, would otherwise stand loose inside the table, where a browser
  // moves it out above the table and drops the title's colour and span.
  // That cell is not the line's first cell for a '^' marker, which counts
  // the cells its separators open.
  void ensure_cell() {
    if (!table_open_ || open_cells_ > 0) return;
    cell_tag(span_all_);
  }

  void open_cell() {
    cell_tag(span_all_ ? span_all_ : (span_after_first_ && first_cell_done_ ? span_after_first_ : 0));
    if (caret_line_ && !first_cell_done_) cls_ = "bianco";
    first_cell_done_ = true;
  }

  void cell_tag(int span) {
    if (table_open_ && open_rows_ == 0) {
      out_ += "<tr>";
      open_rows_ = 1;
    }
    if (span) {
      char buf[120];
      std::snprintf(buf, sizeof buf, "<td class=\"%s\" colspan=\"%d\">\n", cls_.c_str(), span + 1);
      out_ += buf;
    } else {
      out_ += "<td class=\"" + cls_ + "\">\n";
    }
    ++open_cells_;
    ++row_cells_;
  }

  static bool is_empty(const std::string* l) { return !l || l->empty() || (*l)[0] == '\n'; }

  void line(std::string text, const std::string* next) {
    if ((options_ & 2) && !text.empty() && text[0] == ' ') text[0] = '.';
    if (is_empty(&text)) {
      close_all();
      if (table_open_) {
        close_table();
        out_ += "\n";
      }
      if (next && next->size() > 2) table_start();
      return;
    }
    std::size_t breaks = 0;
    for (std::size_t p; (p = text.find('\f')) != std::string::npos; ++breaks) text.erase(p, 1);
    if (breaks && !is_empty(next)) {
      close_all();
      close_table();
      out_ += "</div>";
      finale();
      out_ += "<div class=\"titblocco\" align=\"center\">\n";
      block_heading();
    }
    markers(text);
    for (std::size_t j = 0; j < text.size(); ++j) {
      char c = text[j];
      unsigned char after = j + 1 < text.size() ? static_cast<unsigned char>(text[j + 1]) : 0;
      if (c != '|' && c != '#' && !is_rule_stroke(text, j)) ensure_cell();
      if (c == ' ') {
        bool run = (j > 0 && text[j - 1] == ' ') || after == ' ';
        out_ += run ? "&nbsp;" : " ";
      } else if (c == '|' || c == '#') {
        close_cell();
        if (after <= 10) {
          // A thick separator at the line end ends the row like a thin one.
          next_row();
        } else {
          open_cell();
        }
      } else if (is_rule_stroke(text, j)) {
        close_all();
        ensure_table();
        if (c == '=') {
          char buf[160];
          std::snprintf(buf, sizeof buf,
                        "<tr bgcolor=\"#e2e2e2\"><td class=\"microbo\" colspan=\"%d\">&nbsp;</td></tr>\n",
                        last_row_cells_);
          out_ += buf;
        }
        out_ += "<tr><td class=\"" + cls_ + "\">\n";
        open_rows_ = open_cells_ = 1;
        row_cells_ = 1;
        break;
      } else if (c == '&' || c == '<' || c == '>') {
        out_ += escaped(std::string(1, c));
      } else {
        out_ += c;
      }
    }
  }

  void markers(std::string& text) {
    cls_ = "orarioclass";
    span_all_ = span_after_first_ = 0;
    caret_line_ = first_cell_done_ = false;
    if (text.size() < 2 || text[1] < '0' || text[1] > '9') return;
    int d = text[1] - '0';
    switch (text[0]) {
      case '*': cls_ = "bianco"; span_all_ = d; break;
      case '^': span_after_first_ = d; caret_line_ = true; break;
      case '!': cls_ = "rosso"; span_all_ = d; break;
      case '@': cls_ = "bianco"; break;
      default: return;
    }
    text[0] = text[1] = ' ';
  }

  int options_;
  std::string heading_, stem_, out_;
  int open_cells_ = 0, open_rows_ = 0, row_cells_ = 0, last_row_cells_ = 0;
  bool table_open_ = false;
  std::string cls_ = "orarioclass";
  int span_all_ = 0, span_after_first_ = 0;
  bool caret_line_ = false, first_cell_done_ = false;
};

}  // namespace

std::string html_page(const std::vector<std::string>& lines, int options, const std::string& heading,
                      const std::string& stem) {
  return PageWriter(options, heading, stem).page(lines);
}

}  // namespace kt

void or_convert_report_to_html(const char* path, int options) {
  using namespace kt;
  if (report_conversions_disabled()) return;
  ReportText report(path, {".txt"}, kSource);
  if (report.empty()) return;
  std::string folder = report_folder(path) + "HTML";
  report_services().make_folder(folder.c_str());
  ReportOutput out;
  out.open(folder + "\\" + report_stem(path) + ".html", kSource);
  out.put(html_page(report.lines, options, report_institution_heading(), report_stem(path)));
  out.commit();
}
