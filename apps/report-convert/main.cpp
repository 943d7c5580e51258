// report-convert: runs one conversion of a fixed-width text report from the
// command line, so that reports and their RTF, HTML and CSV forms can be made
// and looked at by hand without a school or a computed timetable.
//
//   report-convert [options] rtf|rtf-text|html|csv REPORT.txt
//
// Paths here are this machine's own (no drive-root translation); the
// outputs land beside the report exactly as in a report run. Arguments are
// UTF-8 and become code page 1252 inside, like every text of the program.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "platform/cp1252.h"
#include "reports/conversions.h"
#include "reports/report_services.h"

namespace {

const char kUsage[] =
    "usage: report-convert [options] FORM REPORT\n"
    "  FORM       rtf (table form, text form under --text-option), rtf-text, html, csv\n"
    "  REPORT     a .txt report (csv also takes .txu; csv deletes the report)\n"
    "options:\n"
    "  --points N            RTF font size in points (default 10)\n"
    "  --landscape           RTF on landscape paper\n"
    "  --halves              RTF: also the enlarged halves in \"Tabelle Ingrandite\"\n"
    "  --text-option         rtf: the \"Word 2000\" box-drawn text form\n"
    "  --blank-paragraphs N  RTF: blank paragraphs between tables (default 0)\n"
    "  --html-options N      html: bit 0 fixed width 982, bit 1 leading blank as '.'\n"
    "  --heading TEXT        institution heading (default \"(non assegnato)\")\n"
    "  --language it|de|en   language of dates and messages (default it)\n"
    "  --provisional         RTF header marks the provisional timetable\n"
    "  --time YYYY-MM-DDTHH:MM  date in the RTF footer (default now)\n";

// Paths of this tool are native: 1252 to UTF-8, '\' to '/'.
std::string native(const char* path) {
  std::string p = kt::cp1252_to_utf8(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

int fail(const char* message) {
  std::fprintf(stderr, "report-convert: %s\n%s", message, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string form;
  int points = 10, html_options = 0, blank = 0, language = 0;
  bool landscape = false, halves = false, text_option = false, provisional = false, have_time = false;
  std::string heading = "(non assegnato)", report;
  std::tm when{};
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool has_value = i + 1 < argc;
    if (a == "--points" && has_value) {
      points = std::atoi(argv[++i]);
    } else if (a == "--landscape") {
      landscape = true;
    } else if (a == "--halves") {
      halves = true;
    } else if (a == "--text-option") {
      text_option = true;
    } else if (a == "--provisional") {
      provisional = true;
    } else if (a == "--blank-paragraphs" && has_value) {
      blank = std::atoi(argv[++i]);
    } else if (a == "--html-options" && has_value) {
      html_options = std::atoi(argv[++i]);
    } else if (a == "--heading" && has_value) {
      heading = kt::utf8_to_cp1252(argv[++i]);
    } else if (a == "--language" && has_value) {
      std::string l = argv[++i];
      language = (l == "de" || l == "1") ? 1 : (l == "en" || l == "2") ? 2 : 0;
    } else if (a == "--time" && has_value) {
      if (std::sscanf(argv[++i], "%d-%d-%dT%d:%d", &when.tm_year, &when.tm_mon, &when.tm_mday, &when.tm_hour,
                      &when.tm_min) != 5)
        return fail("--time wants YYYY-MM-DDTHH:MM");
      when.tm_year -= 1900;
      when.tm_mon -= 1;
      have_time = true;
    } else if (!a.empty() && a[0] == '-') {
      return fail(("unknown option " + a).c_str());
    } else if (form.empty()) {
      form = a;
    } else if (report.empty()) {
      report = kt::utf8_to_cp1252(a);
    } else {
      return fail("one report at a time");
    }
  }
  if (report.empty()) return fail("missing arguments");
  if (points < 1 || points > 72) return fail("--points wants 1 to 72");

  kt::ReportServices s = kt::default_report_services();
  s.or_fopen = [](const char* path, const char* mode) {
    return std::fopen(native(path).c_str(), mode[0] == 'r' ? "r" : mode[0] == 'a' ? "a" : "w");
  };
  s.make_folder = [](const char* folder) {
    std::string n = native(folder);
    struct stat st;
    return ::mkdir(n.c_str(), 0777) == 0 || (::stat(n.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
  };
  s.delete_file = [](const char* path) { std::remove(native(path).c_str()); };
  s.rename_file = [](const char* from, const char* to) {
    return std::rename(native(from).c_str(), native(to).c_str()) == 0;
  };
  s.institution_heading = [heading] { return heading; };
  s.language = [language] { return language; };
  s.provisional_mode = [provisional] { return provisional; };
  s.rtf_text_form_option = [text_option] { return text_option; };
  s.table_blank_paragraphs = [blank] { return blank; };
  if (have_time) s.local_time = [when] { return when; };
  kt::set_report_services(s);

  try {
    if (form == "rtf") {
      or_convert_report_to_rtf(report.c_str(), points, landscape, halves);
    } else if (form == "rtf-text") {
      or_convert_report_to_rtf_text(report.c_str(), points, landscape, halves);
    } else if (form == "html") {
      or_convert_report_to_html(report.c_str(), html_options);
    } else if (form == "csv") {
      or_convert_report_to_csv(report.c_str());
    } else {
      return fail(("unknown form " + form).c_str());
    }
  } catch (const kt::ReportError& e) {
    std::fprintf(stderr, "%s", kt::cp1252_to_utf8(e.what()).c_str());
    return 1;
  }
  return 0;
}
