// Formatting routines of the text reports; see report_text_format.h. Called
// many thousands of times per report run (one time format per slot and
// teacher), so they format into static buffers and never allocate, except
// the centring buffer, which grows once to the longest text centred.
#include "reports/report_text_format.h"

#include <cstring>
#include <string>

#include "platform/cp1252.h"

char g_subject_short_names[kt::kSubjectCapacity][kt::kNameField];

namespace kt {

bool is_report_title_line(const char* line) {
  return line && (line[0] == '!' || line[0] == '*' || line[0] == '@' || line[0] == '^') && line[1] >= '0' &&
         line[1] <= '9';
}

bool is_rule_stroke(std::string_view text, std::size_t j) {
  auto stroke = [&](std::size_t k) { return k < text.size() && (text[k] == '-' || text[k] == '='); };
  return stroke(j) && (j == 0 || stroke(j - 1) || stroke(j + 1));
}

}  // namespace kt

namespace {

constexpr int kRing = 8;         // results of one routine that stay valid together
constexpr int kTimeBuffer = 22;  // "-35791394:07" and a tag fit with room to spare

char g_minutes_ring[kRing][kTimeBuffer];
int g_minutes_next = 0;
char g_tagged_ring[kRing][kTimeBuffer];
int g_tagged_next = 0;
std::string g_centred;
char g_class_code_split[64];

char g_last_grid_subject[kt::kNameField];
int g_last_short_name = -1;

}  // namespace

const char* or_format_minutes(int minutes) {
  char* out = g_minutes_ring[g_minutes_next];
  g_minutes_next = (g_minutes_next + 1) % kRing;
  if (minutes < 0) {
    out[0] = 0;
  } else {
    std::snprintf(out, kTimeBuffer, "%d:%02d", minutes / 60, minutes % 60);
  }
  return out;
}

const char* or_format_tagged_minutes(int minutes, char tag) {
  char* out = g_tagged_ring[g_tagged_next];
  g_tagged_next = (g_tagged_next + 1) % kRing;
  if (minutes < 0) {
    out[0] = 0;
  } else {
    std::snprintf(out, kTimeBuffer, "%c:%d:%02d", tag, minutes / 60, minutes % 60);
  }
  return out;
}

const char* or_center_text(int width, const char* text) {
  if (width < 0 || width > kt::kCenterBufferWidth) return "Buffer Length ?";
  int n = static_cast<int>(std::strlen(text));
  // The reports' own centring leans right of the middle: half the text is
  // taken off the width before halving. A text longer than two thirds of
  // the field pushes the padding after it past the field's end (a negative
  // count of blanks counts as its size, as a printf field width does).
  int left = (width - n / 2) / 2;
  int right = width - (n + left);
  g_centred.assign(static_cast<std::size_t>(left < 0 ? -left : left), ' ');
  g_centred += text;
  g_centred.append(static_cast<std::size_t>(right < 0 ? -right : right), ' ');
  return g_centred.c_str();
}

const char* or_split_class_code(const char* code) {
  if (code[0] == 'I' || code[0] == 'V') {
    int roman = std::strncmp(code, "III", 3) == 0                                     ? 3
                : (std::strncmp(code, "II", 2) == 0 || std::strncmp(code, "IV", 2) == 0) ? 2
                                                                                       : 1;
    char section = code[roman] ? code[roman] : ' ';
    const char* rest = code[roman] && code[roman + 1] ? code + roman + 1 : " ";
    std::snprintf(g_class_code_split, sizeof g_class_code_split, "%*.*s/%c/%s", roman, roman, code, section, rest);
    return g_class_code_split;
  }
  if (!(code[0] >= '0' && code[0] <= '9'))
    while (*code == ' ') ++code;
  char year = code[0] ? code[0] : ' ';
  char section = code[0] && code[1] ? code[1] : ' ';
  const char* rest = code[0] && code[1] && code[2] ? code + 2 : " ";
  std::snprintf(g_class_code_split, sizeof g_class_code_split, "%c/%c/%s", year, section, rest);
  return g_class_code_split;
}

void or_write_teacher_label_column(std::FILE* out, int mode, const char* display_name, const char* main_subject,
                                   int teacher_kind, int language) {
  static const char* const kLab[3] = {"Laboratorio", "Labor", "Laboratory"};
  static const char* const kConversation[3] = {"Conversazione", "Mitanwesenheit", "Twin Teacher Lesson"};
  int lang = (language >= 0 && language < 3) ? language : 0;
  const char* text = "";
  if (mode == 0) {
    text = display_name;
  } else if (mode == 1) {
    text = main_subject;
  } else if (mode == 2) {
    if (teacher_kind == 1 || teacher_kind == 4) text = kLab[lang];
    if (teacher_kind == 2) text = kConversation[lang];
  }
  std::fprintf(out, "%-20.20s", text ? text : "");
}

// Both iterators start their search from a candidate above every name they
// list (twenty 'z', twenty bytes 127): a name that sorts after it, one that
// begins with an accented capital for instance, is never listed.
int or_next_teacher_grid_by_subject(int restart, const char* const* main_subjects, int count) {
  constexpr int kLength = kt::kNameField - 1;
  if (restart) g_last_grid_subject[0] = 0;
  char best[kt::kNameField];
  std::memset(best, 'z', kLength);
  best[kLength] = 0;
  bool found = false;
  for (int i = 0; i < count; ++i) {
    const char* name = main_subjects[i];
    if (std::strncmp(name, best, kLength) < 0 && std::strncmp(name, g_last_grid_subject, kLength) > 0) {
      std::snprintf(best, sizeof best, "%.20s", name);
      found = true;
    }
  }
  std::memcpy(g_last_grid_subject, best, sizeof best);
  return found ? 0 : -1;
}

const char* or_teacher_grid_subject() { return g_last_grid_subject; }

int or_next_subject_short_name(int restart, int subject_count) {
  if (restart) g_last_short_name = -1;
  if (subject_count > kt::kSubjectCapacity) subject_count = kt::kSubjectCapacity;
  const char* last = g_last_short_name >= 0 ? g_subject_short_names[g_last_short_name] : "";
  char none[kt::kNameField];
  std::memset(none, 127, kt::kNameField - 1);
  none[kt::kNameField - 1] = 0;
  const char* best_name = none;
  int best = -1;
  for (int i = 0; i < subject_count; ++i) {
    const char* name = g_subject_short_names[i];
    if (!name[0] || std::strncmp(name, last, kt::kNameField) <= 0) continue;
    if (std::strncmp(name, best_name, kt::kNameField) < 0) best = i, best_name = name;
  }
  if (best >= 0) g_last_short_name = best;
  return best;
}
