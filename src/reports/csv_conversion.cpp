// CSV conversion of a text report: the report's separators and rules become
// semicolons, title markers and rule lines go, and the text report itself is
// deleted so that only the spreadsheet file (and any RTF made before) stays.
// The class wall charts use it; their lines reach several thousand
// characters and are converted whole.
//
// A field that holds a semicolon or a double quote of its own is written in
// double quotes with its quotes doubled, so a spreadsheet reads the same
// columns as the report shows. Separators are recognised from the second
// character on: the first column never starts with an empty field. A '-' or
// '=' separates only as part of a rule (a run of them, or one at the start
// of the line); a lone one inside a name ("ROSSI-MARTINELLI", "1A-inf")
// is a hyphen of the name, as in the RTF and HTML forms, and splitting it
// would move every later column of the row.
#include "reports/conversion_text.h"
#include "reports/conversions.h"
#include "reports/report_files.h"
#include "reports/report_services.h"
#include "reports/report_text_format.h"

namespace kt {
namespace {

constexpr const char* kSource = "OR_csv";

bool is_rule_character(char c) { return c == '-' || c == '=' || c == '.'; }

void put_field(std::string& out, std::string_view field) {
  if (field.find_first_of(";\"") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// One report line as CSV, or false when the line is dropped.
bool csv_line(std::string line, bool rule_mode, std::string& out) {
  if (line.empty()) return false;
  const std::string as_written = line;  // rule strokes are told before the markers are blanked
  bool only_rules = true;
  for (char c : line) only_rules = only_rules && (static_cast<unsigned char>(c) <= 32 || is_rule_character(c));
  if (only_rules) return false;
  char first = line[0];
  if (first == '\n' || first == '\f' || first == '\r') return false;
  if (first == '!' || first == '*' || first == '@' || first == '^') {
    line[0] = ' ';
    if (line.size() > 1 && line[1] != '\n') line[1] = ' ';
  } else if (first == '#' || first == '|') {
    line[0] = ' ';
  } else if (is_rule_character(first)) {
    if (rule_mode) return false;
    line[0] = ' ';
  }
  std::string_view text(line);
  std::string_view end;
  if (!text.empty() && text.back() == '\n') {
    end = "\n";
    text.remove_suffix(1);
  }
  std::size_t start = 0;
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    bool rule = (c == '-' || c == '=') && is_rule_stroke(as_written, i);
    if (c == '#' || c == '|' || rule) {
      put_field(out, text.substr(start, i - start));
      out += ';';
      start = i + 1;
    }
  }
  put_field(out, text.substr(start));
  out += end;
  return true;
}

}  // namespace

std::string csv_text(const std::vector<std::string>& lines, bool rule_mode) {
  std::string out;
  for (const std::string& l : lines) csv_line(l, rule_mode, out);
  out += '\n';
  return out;
}

}  // namespace kt

void or_convert_report_to_csv(const char* path) {
  using namespace kt;
  if (report_conversions_disabled()) return;
  ReportText report(path, {".txu", ".txt"}, kSource);
  if (report.empty()) return;
  bool rule_mode = ends_with_nocase(path, ".txt");
  ReportOutput out;
  out.open(replace_report_extension(path, ".csv"), kSource);
  out.put(csv_text(report.lines, rule_mode));
  out.commit();
  report_services().delete_file(path);
}
