// Shared RTF pieces and the enlarged halves of wide reports; see
// rtf_document.h. The halves exist because a wide landscape table printed
// whole comes out in a tiny font: each half goes on its own portrait page set
// at the report's own size.
#include "reports/rtf_document.h"

#include <cstdio>

#include "platform/cp1252.h"
#include "reports/conversions.h"
#include "reports/report_files.h"
#include "reports/report_services.h"

namespace kt {

std::string rtf_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

void rtf_write_document_start(ReportOutput& out, const char* font, bool colour_table, bool landscape,
                              double side_margin, int half_points) {
  out.printf("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040\\deflangfe1040{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 %s;}}\n",
             font);
  if (colour_table) {
    out.put(
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;"
        "\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;"
        "\\red0\\green0\\blue128;\\red0\\green128\\blue128;\\red0\\green128\\blue0;\\red128\\green0\\blue128;"
        "\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;\\red192\\green192\\blue192;}\n");
  }
  const double top_margin = kRtfTopMargin;
  out.printf("%s\\margl%.0f\\margr%.0f\\margt%.0f\\margb%.0f %s\n",
             landscape ? "\\paperh11907\\paperw16840" : "\\paperw11907\\paperh16840", side_margin, side_margin,
             top_margin, top_margin, landscape ? "\\landscape" : "");
  out.printf("\\sectd%s\\pgwsxn%d\\pghsxn%d\\marglsxn%.0f\\margrsxn%.0f\\margtsxn%.0f\\margbsxn%.0f\n",
             landscape ? "\\lndscpsxn" : "", landscape ? kRtfPaperLong : kRtfPaperShort,
             landscape ? kRtfPaperShort : kRtfPaperLong, side_margin, side_margin, top_margin, top_margin);
  out.printf("\\viewkind4\\uc1\\pard\\f0\\fs%d ", half_points);
  out.put("\\viewscale100 ");
}

int rtf_rows_per_page(bool landscape, int half_points) {
  // The header and the footer with its credit line take an inch together; a
  // row is its line (1.2 times the font) and its borders and padding.
  int body = (landscape ? kRtfPaperShort : kRtfPaperLong) - 2 * static_cast<int>(kRtfTopMargin) - 1440;
  int row = half_points * 12 + 100;
  return body / row;
}

std::string rtf_footer_date(const std::tm& t, int language) {
  static const char* const kMonths[3][12] = {
      {"Gennaio", "Febbraio", "Marzo", "Aprile", "Maggio", "Giugno", "Luglio", "Agosto", "Settembre", "Ottobre",
       "Novembre", "Dicembre"},
      {"Januar", "Februar", "März"_cp, "April", "Mai", "Juni", "Juli", "August", "September", "Oktober", "November",
       "Dezember"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
       "December"}};
  int lang = (language >= 0 && language < 3) ? language : 0;
  int month = (t.tm_mon >= 0 && t.tm_mon < 12) ? t.tm_mon : 0;
  char buf[80];
  std::snprintf(buf, sizeof buf, " (%2d %s %4d %02d:%02d) ", t.tm_mday, kMonths[lang][month], t.tm_year + 1900,
                t.tm_hour, t.tm_min);
  return buf;
}

const char* rtf_provisional_text() {
  static const char* const kText[3] = {"Orario Provvisorio", "Vorläufiger Stundenplan"_cp, "Temporary Timetable"};
  if (!report_services().provisional_mode()) return "";
  int lang = report_services().language();
  return kText[(lang >= 0 && lang < 3) ? lang : 0];
}

static std::string_view without_newline(const std::string& line) {
  std::string_view v(line);
  if (!v.empty() && v.back() == '\n') v.remove_suffix(1);
  return v;
}

int rtf_halves_split_column(const std::vector<std::string>& lines) {
  std::size_t longest = 0;
  for (const std::string& line : lines) {
    std::string_view text = without_newline(line);
    if (text.size() > longest) longest = text.size();
    std::size_t from = longest / 2, to = longest * 8 / 10;
    for (std::size_t i = from; i < to && i < text.size(); ++i)
      if (text[i] == '|' || text[i] == '#') return static_cast<int>(i);
  }
  return -1;
}

void rtf_split_line(const std::string& line, int c, std::string& left, std::string& right) {
  std::string_view text = without_newline(line);
  std::size_t cut = static_cast<std::size_t>(c);
  bool page = !text.empty() && text[0] == '\f';
  if (page) {
    text.remove_prefix(1);
    left = "\f";
    right = "\f";
  } else {
    left.clear();
    right.clear();
  }
  // A line that ends before the split column stays whole on the left.
  if (text.size() > cut) {
    left.append(text.substr(0, cut + 1));
    right.append(text.substr(cut));
  } else {
    left.append(text);
  }
  left += '\n';
  right += '\n';
}

void rtf_write_halves(const std::string& path, const std::vector<std::string>& lines, int points,
                      bool from_table_form) {
  int c = rtf_halves_split_column(lines);
  if (c < 0) return;
  std::string folder = report_folder(path) + "Tabelle Ingrandite";
  if (!report_services().make_folder(folder.c_str())) return;
  std::string stem = folder + "\\" + report_stem(path);
  std::string left_path = stem + "_A_SINISTRA.txt", right_path = stem + "_B_DESTRA.txt";
  const char* source = from_table_form ? "OR_form" : "OR_forT";
  {
    ReportOutput left, right;
    if (!left.open(left_path, source, false) || !right.open(right_path, source, false)) return;
    std::string l, r;
    for (const std::string& line : lines) {
      rtf_split_line(line, c, l, r);
      left.put(l);
      right.put(r);
    }
    left.commit();
    right.commit();
  }
  for (const std::string* half : {&left_path, &right_path}) {
    if (from_table_form) {
      or_convert_report_to_rtf_text(half->c_str(), points, 0, 0);
    } else {
      or_convert_report_to_rtf(half->c_str(), points, 0, 0);
    }
  }
}

}  // namespace kt
