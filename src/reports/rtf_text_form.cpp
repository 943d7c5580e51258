// The text form of the RTF conversion: the report's own fixed-width layout
// in Courier New, with its '|', '#', '-' and '=' drawn as box-drawing
// characters chosen from the characters above and below, so tables appear
// framed. Used under the "Word 2000" option, by a class table directly and
// for the enlarged halves of wide table-form reports.
//
// Frame state along the lines: open (a frame is being drawn), new (a page
// break just happened: the next line starts a frame with a corner) or
// closed (a bottom rule ended the frame: lines get no left edge until the
// next rule). Neighbour lookups past the end of a shorter line see nothing.
#include <cstdio>

#include "platform/cp1252.h"
#include "reports/conversions.h"
#include "reports/report_files.h"
#include "reports/report_services.h"
#include "reports/report_text_format.h"
#include "reports/rtf_document.h"

namespace kt {
namespace {

constexpr const char* kSource = "OR_forT";

enum class Frame { open, new_frame, closed };

// Each glyph: "\uN" with a one-byte stand-in for readers without Unicode.
constexpr const char* kTopLeft = "\\u9484\\'2b";
constexpr const char* kLeftTee = "\\u9500\\'2b";
constexpr const char* kBottomLeft = "\\u9492\\'2b";
constexpr const char* kVertical = "\\u9474\\'a6";
constexpr const char* kDoubleVertical = "\\u9553\\'a6";

struct Line {
  std::string text;  // without newline and form feeds, title marker blanked
  int page_breaks = 0;
  bool blank = true;  // nothing above code 32 in the original line
};

Line prepare(const std::string& raw) {
  Line l;
  for (char c : raw) {
    if (static_cast<unsigned char>(c) > 32) l.blank = false;
    if (c == '\f') {
      ++l.page_breaks;
    } else if (c != '\n') {
      l.text += c;
    }
  }
  if (is_report_title_line(l.text.c_str())) l.text[0] = l.text[1] = ' ';
  return l;
}

char at(const Line* l, std::size_t column) { return l && column < l->text.size() ? l->text[column] : 0; }

// The glyph of a rule character from its neighbours above and below;
// sets `closes` when the rule ends a frame there.
const char* rule_glyph(char above, char below, bool end, bool& closes) {
  closes = false;
  if (end) {
    if (above == '|' && below == '|') return "\\u9508\\'a6";
    if (above == '|') {
      closes = true;
      return "\\u9496\\'2b";
    }
    if (below == '|') return "\\u9488\\'2b";
    if (above == '#') return below == '#' ? "\\u9570\\'a6" : "\\u9564\\'2b";
    if (below == '#') return "\\u9558\\'2b";
    return " ";
  }
  if (above == '|' && below == '|') return "\\u9532\\'2b";
  if (above == '|') {
    closes = true;
    return "\\u9524\\'2d";
  }
  if (below == '|') return "\\u9516\\'2d";
  if (above == '#') return below == '#' ? "\\u9579\\'2d" : "\\u9576\\'2d";
  if (below == '#') return "\\u9573\\'2b";
  return "\\u9472\\'2d";
}

bool is_edge_character(char c) {
  return c == ' ' || c == '|' || c == '#' || c == '-' || c == '=' || c == '.';
}

}  // namespace

std::string rtf_text_form_body(const std::vector<std::string>& raw_lines) {
  std::vector<Line> lines;
  lines.reserve(raw_lines.size());
  for (const std::string& r : raw_lines) lines.push_back(prepare(r));

  std::string body;
  Frame frame = Frame::closed;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& cur = lines[i];
    const Line* prev = i > 0 ? &lines[i - 1] : nullptr;
    const Line* next = i + 1 < lines.size() ? &lines[i + 1] : nullptr;
    for (int k = 0; k < cur.page_breaks; ++k) {
      if (next && !next->blank) {
        body += "\\page ";
        frame = Frame::new_frame;
      }
    }
    // A line that held only its page break writes no paragraph of its own.
    if (cur.page_breaks > 0 && cur.text.empty()) continue;

    std::string out;
    std::size_t tee = std::string::npos;
    const std::string& t = cur.text;
    bool rule = !t.empty() && (t[0] == '-' || t[0] == '=');
    if (frame == Frame::new_frame) {
      out += kTopLeft;
      frame = Frame::open;
    } else if (rule) {
      if (frame == Frame::closed) {
        out += kTopLeft;
        frame = Frame::open;
      } else {
        tee = out.size();
        out += kLeftTee;
      }
    } else {
      out += frame == Frame::closed ? " " : kVertical;
    }
    // The left edge stands in the place of a leading blank or frame character.
    std::size_t start = !t.empty() && is_edge_character(t[0]) ? 1 : 0;
    for (std::size_t j = start; j < t.size(); ++j) {
      char c = t[j];
      if (c == '|') {
        out += kVertical;
      } else if (c == '#') {
        out += kDoubleVertical;
      } else if ((rule || is_rule_stroke(t, j)) && (c == '-' || c == '=')) {
        bool end = j + 1 >= t.size() || t[j + 1] == ' ';
        bool closes = false;
        out += rule_glyph(at(prev, j), at(next, j), end, closes);
        if (closes) {
          frame = Frame::closed;
          if (tee != std::string::npos) out.replace(tee, std::char_traits<char>::length(kBottomLeft), kBottomLeft);
        }
      } else {
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += c;
      }
    }
    body += out;
    body += "\\par \n";
  }
  return body;
}

int rtf_text_form_half_points(const std::vector<std::string>& lines, bool landscape, int points) {
  std::size_t longest = 0;
  for (const std::string& line : lines) {
    std::size_t n = prepare(line).text.size();
    if (n > longest) longest = n;
  }
  // A Courier New character is 0.6 of the font size wide: 6 twips per
  // half-point; the frame's left edge takes one character more.
  long long between = (landscape ? kRtfPaperLong : kRtfPaperShort) - 2 * static_cast<long long>(kRtfTextFormMargin);
  long long fitting = between / (6 * static_cast<long long>(longest + 1));
  int size = 2 * points;
  if (fitting < size) size = static_cast<int>(fitting < 7 ? 7 : fitting);
  return size;
}

namespace {

void convert_text_form(const std::string& path, int points, bool landscape, bool halves) {
  ReportText report(path, {".txt"}, kSource);
  if (report.empty()) return;
  ReportOutput out;
  out.open(replace_report_extension(path, ".rtf"), kSource);
  rtf_write_document_start(out, "Courier New", false, landscape, kRtfTextFormMargin,
                           rtf_text_form_half_points(report.lines, landscape, points));
  out.printf("{\\header \\pard\\plain \\s15\\qc \\fs24 {%s\\par }}\n",
             rtf_escape(report_institution_heading()).c_str());
  out.printf(
      "{\\footer \\pard\\plain \\s16\\qc \\fs24 {%s  %s  Pag. {\\field{\\*\\fldinst { PAGE }}{\\fldrslt {1}}} / "
      "{\\field{\\*\\fldinst { NUMPAGES }}{\\fldrslt {1}}}\\par }}\n",
      kRtfCredit, rtf_escape(report_stem(path)).c_str());
  out.put(rtf_text_form_body(report.lines));
  out.put("}\n");
  out.commit();
  if (halves) rtf_write_halves(path, report.lines, points, false);
}

}  // namespace
}  // namespace kt

void or_convert_report_to_rtf_text(const char* path, int points, int landscape, int halves) {
  if (kt::report_conversions_disabled()) return;
  kt::convert_text_form(path, points, landscape != 0, halves != 0);
}
