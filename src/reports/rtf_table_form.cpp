// Writing the table form of the RTF conversion: real RTF tables in Verdana
// whose column edges sit where the text report's separators were, on A4 in
// either orientation, with the institution heading above and the report
// name, date and page numbers below every page. Also the entry
// or_convert_report_to_rtf, which chooses the form.
//
// A new RTF table starts whenever a row's cells differ in number or width
// from the row before, at a blank line and at a page break; between tables
// separated by a rule the processing menu's blank paragraphs are written.
//
// The rows of a table that fits on one page keep with the next row, so the
// table is not split between pages; its last row does not, so one table
// never drags the next one along. A table taller than a page keeps none:
// a word processor that cannot keep it whole would otherwise push it past
// an empty first page. A table ends with its last row: a row definition
// left standing after it would open a row of its own in some word
// processors and take in the paragraph that follows.
#include <cstdio>

#include "reports/conversions.h"
#include "reports/report_files.h"
#include "reports/report_services.h"
#include "reports/rtf_document.h"
#include "reports/rtf_table_form.h"

namespace kt {
namespace {

constexpr const char* kSource = "OR_form";

class TableWriter {
 public:
  TableWriter(ReportOutput& out, const RtfRecordArray& records, RtfFit fit, int rows_per_page)
      : out_(out), records_(records), fit_(fit) {
    mark_kept_rows(rows_per_page);
  }

  void write() {
    bool row_open = false;
    std::size_t previous_row = kNone;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      const RtfCellRecord& r = records_[i];
      if (r.type == 1 || (r.type == 2 && !row_open)) {
        bool differs = previous_row == kNone || !or_rtf_same_row_layout(records_, previous_row, i);
        if (row_open) {
          or_rtf_end_row();
          if (differs) or_rtf_end_table(0);
        }
        // Every row carries its own definition: word processors other than
        // the one the format grew up with do not carry one row's definition
        // over to the next.
        or_rtf_begin_row(i, 30);
        or_rtf_begin_cell(kept_[i]);
        row_open = true;
        previous_row = i;
        out_.printf("%s\\cell ", rtf_escape(r.text).c_str());
      } else if (r.type == 2) {
        out_.printf("%s\\cell ", rtf_escape(r.text).c_str());
      } else if (row_open) {
        or_rtf_end_row();
        or_rtf_end_table(r.type);
        row_open = false;
      }
    }
    if (row_open) {
      or_rtf_end_row();
      or_rtf_end_table(0);
    }
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Marks the first record of every row that keeps with the next: the rows
  // of a table of at most rows_per_page rows, its last row excepted. A table
  // is a run of rows of one layout, as write() closes them.
  void mark_kept_rows(int rows_per_page) {
    kept_.assign(records_.size(), false);
    std::vector<std::size_t> table;  // first records of the rows of the open table
    auto close = [&] {
      if (!table.empty() && static_cast<int>(table.size()) <= rows_per_page)
        for (std::size_t k = 0; k + 1 < table.size(); ++k) kept_[table[k]] = true;
      table.clear();
    };
    bool row_open = false;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      const RtfCellRecord& r = records_[i];
      if (r.type == 1 || (r.type == 2 && !row_open)) {
        if (!table.empty() && !or_rtf_same_row_layout(records_, table.back(), i)) close();
        table.push_back(i);
        row_open = true;
      } else if (r.type != 2) {
        close();
        row_open = false;
      }
    }
    close();
  }

  // The row definition of the row starting at `first`: cell right edges at
  // the running sum of (cell length + 1) units, borders from the record.
  void or_rtf_begin_row(std::size_t first, int gap) {
    out_.printf("\\trowd \\trgaph%d\\trleft-%d", gap, 0);
    out_.put("\\trbrdrt\\brdrs\\brdrw10 \\trbrdrl\\brdrs\\brdrw10 \\trbrdrb\\brdrs\\brdrw10 \\trbrdrr\\brdrs\\brdrw10");
    out_.put("\\trbrdrh\\brdrs\\brdrw10 \\trbrdrv\\brdrs\\brdrw10");
    long long x = 0;
    for (std::size_t i = first; i < records_.size() && (i == first || records_[i].type == 2); ++i) {
      const RtfCellRecord& c = records_[i];
      x += static_cast<long long>(c.length + 1) * fit_.unit;
      if (c.top_border != 0) {
        out_.printf("\\clvertalt\\clbrdrt\\brdrs\\brdrw%d \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 ",
                    c.top_border * 10);
      } else {
        out_.printf("\\clvertalt\\clbrdrt\\brdrs\\brdrw%d\\brdrcf8 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 ",
                    20);
      }
      out_.printf("\\clbrdrr\\brdrs\\brdrw%d \\cltxlrtb \\cellx%lld", c.right_border * 10, x);
    }
    out_.put("\\pard");
  }

  void or_rtf_begin_cell(bool keep_with_next) {
    out_.put("\n\\intbl\\adjustright");
    if (keep_with_next) out_.put("\\keepn");
    out_.printf("\\fs%d\\cgrid0 ", fit_.half_points);
    out_.printf("{\\fs%d\\cgrid0 ", fit_.half_points);
  }

  void or_rtf_end_row() {
    out_.put("}\\pard \\widctlpar");
    out_.printf("{\\fs%d\\cgrid0 \\row }\n", fit_.half_points);
  }

  void or_rtf_end_table(int type) {
    out_.put("\\pard");
    if (type == 4) {
      int blank = report_services().table_blank_paragraphs();
      for (int i = 0; i <= blank; ++i) out_.put("\n{ \\par }\n");
    }
  }

  ReportOutput& out_;
  const RtfRecordArray& records_;
  RtfFit fit_;
  std::vector<bool> kept_;
};

void write_header_and_footer(ReportOutput& out, const std::string& stem, int size) {
  out.printf(
      "{\\header \\pard\\plain \\s15\\ql \\li0\\ri0\\widctlpar\\tqc\\tx4819\\tqr\\tx9638\\aspalpha\\aspnum\\faauto"
      "\\adjustright\\rin0\\lin0\\itap0                     \\fs%d\\lang1040\\langfe1040\\cgrid\\langnp1040"
      "\\langfenp1040 {\\insrsid8004868 %s %s\\par }}\n",
      size, rtf_escape(report_institution_heading()).c_str(), rtf_provisional_text());
  std::string when = rtf_footer_date(report_services().local_time(), report_services().language());
  out.printf(
      "{\\footer \\pard\\plain \\s16\\qc \\li0\\ri0\\widctlpar\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0"
      "\\itap0 \\fs%d\\lang1040\\langfe1040\\cgrid\\langnp1040\\langfenp1040 {%s%s%s  P. "
      "{\\field{\\*\\fldinst { PAGE }}{\\fldrslt {1}}} / {\\field{\\*\\fldinst { NUMPAGES }}{\\fldrslt {1}}}\\par }"
      "{\\fs%d %s\\par }}\n",
      size, "", rtf_escape(stem).c_str(), when.c_str(), size < 8 ? size : 8, kRtfCredit);
}

void convert_table_form(const std::string& path, int points, bool landscape, bool halves) {
  ReportText report(path, {".txt"}, kSource);
  if (report.empty()) return;
  RtfRecordArray& records = rtf_read_cells(report.lines);
  RtfFit fit = or_rtf_fit_columns(records, landscape ? kRtfLandscapeWidth : kRtfPortraitWidth, points);

  ReportOutput out;
  out.open(replace_report_extension(path, ".rtf"), kSource);
  rtf_write_document_start(out, "Verdana", true, landscape, 567, fit.half_points);
  write_header_and_footer(out, report_stem(path), fit.half_points);
  out.put("\n{ \\par }\n");
  TableWriter(out, records, fit, rtf_rows_per_page(landscape, fit.half_points)).write();
  out.put("}\n");
  out.commit();

  if (halves) rtf_write_halves(path, report.lines, points, true);
}

}  // namespace
}  // namespace kt

void or_convert_report_to_rtf(const char* path, int points, int landscape, int halves) {
  if (kt::report_conversions_disabled()) return;
  if (kt::report_services().rtf_text_form_option()) {
    or_convert_report_to_rtf_text(path, points, landscape, halves);
    return;
  }
  kt::convert_table_form(path, points, landscape != 0, halves != 0);
}
