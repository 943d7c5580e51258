// The subjects' short codes for the short class table: every subject gets a
// code as short as possible and distinct from the codes of the subjects with
// other names (MATEMATICA and MUSICA become MA and M), and the longest code
// length sizes the table's cells.
//
// Invariants: subjects of the same name share the code of the first of them;
// a code never grows past 20 characters nor past its whole cleaned name, so
// the passes always end (each pass either extends a code or is the last).
// Shaped for 400 subjects: a pass compares each code with the earlier ones.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/model.h"
#include "engine/special_calendars.h"
#include "reports/report_run.h"
#include "reports/report_text_format.h"

std::uint16_t g_subject_code_link[kMaxSubjects];
std::uint8_t g_subject_code_used[kMaxSubjects];
int g_subject_code_longest = 1;

namespace {

bool is_alnum_ascii(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A subject takes part unless it is internal: the description gives the
// engine no option bits for subjects, so the one subject kept out is the
// placeholder of the special calendars, which no report shows.
bool takes_part(int s) { return std::strcmp(g_eng_subjects[s].group_name, kCalendarSubject) != 0; }

std::string cleaned_name(int s) {
  std::string name = or_report_subject_name(s);
  if (name.empty()) name = std::string(g_eng_subjects[s].group_name) + " " + std::to_string(s);
  std::string out;
  for (char c : name)
    if (is_alnum_ascii(static_cast<unsigned char>(c))) out += c;
  return out.substr(0, 20);
}

std::string first_code(int s, const std::string& clean) {
  std::string code;
  if (clean.empty()) return code;
  code += clean[0];
  const char* name = or_report_subject_name(s);
  const char* last = nullptr;
  for (const char* p = name; *p; ++p)
    if (!is_alnum_ascii(static_cast<unsigned char>(*p))) last = p;
  if (last && last[1]) code += last[1];
  return code;
}

}  // namespace

void or_build_subject_codes() {
  int n = g_eng_school.subject_count < kMaxSubjects ? g_eng_school.subject_count : kMaxSubjects;
  std::string clean[kMaxSubjects], code[kMaxSubjects];
  g_subject_code_longest = 1;
  for (int s = 0; s < kMaxSubjects; ++s) {
    g_subject_code_link[s] = 0xFFFF;
    g_subject_code_used[s] = 0;
    g_subject_short_names[s][0] = 0;
  }
  for (int s = 0; s < n; ++s) {
    if (!takes_part(s)) continue;
    for (int j = 0; j < s; ++j)
      if (takes_part(j) && std::strcmp(or_report_subject_name(j), or_report_subject_name(s)) == 0) {
        g_subject_code_link[s] = static_cast<std::uint16_t>(j);
        break;
      }
    if (g_subject_code_link[s] != 0xFFFF) continue;
    clean[s] = cleaned_name(s);
    code[s] = first_code(s, clean[s]);
  }
  auto grow = [&](int s, size_t at) {
    if (at >= clean[s].size() || code[s].size() >= 20) return false;
    code[s] += clean[s][at];
    return true;
  };
  for (bool extended = true; extended;) {
    extended = false;
    for (int s = 0; s < n; ++s) {
      if (!takes_part(s) || g_subject_code_link[s] != 0xFFFF) continue;
      size_t length = code[s].size();
      if (length == 0) {
        if (!clean[s].empty()) code[s] = clean[s].substr(0, 1), extended = true;
        continue;
      }
      for (int j = 0; j < s; ++j) {
        if (!takes_part(j) || g_subject_code_link[j] != 0xFFFF || code[j] != code[s]) continue;
        bool grew = clean[s].size() <= clean[j].size() ? grow(j, length) : grow(s, length);
        if (!grew) continue;
        extended = true;
        if (static_cast<int>(length) + 1 > g_subject_code_longest) g_subject_code_longest = static_cast<int>(length) + 1;
        break;
      }
    }
  }
  for (int s = 0; s < n; ++s) {
    int from = g_subject_code_link[s] != 0xFFFF ? g_subject_code_link[s] : s;
    std::snprintf(g_subject_short_names[s], kt::kNameField, "%.20s", code[from].c_str());
  }
}
