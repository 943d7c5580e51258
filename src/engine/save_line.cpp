// Writer and checked reader of one plain timetable save line (layout in
// save_line.h). The reader walks the line left to right with explicit
// delimiters; every number is parsed with an end check and every name is
// bounded to the 20 characters of the model's name fields.
//
// A save holds up to 10000 lines and is read once per command, so clarity
// wins over speed here.
#include "engine/save_line.h"

#include <charconv>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>


namespace {

constexpr std::size_t kNameLimit = 20;  // 21-byte name fields of the model

// Parses a signed decimal at p; advances p. False when no digit is there.
bool take_int(const char*& p, long& value) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(p, &end, 10);
  if (end == p || errno != 0 || v < -1000000 || v > 1000000) return false;
  value = v;
  p = end;
  return true;
}

bool take_unsigned(const char*& p, std::uint32_t& value) {
  if (*p < '0' || *p > '9') return false;
  char* end = nullptr;
  errno = 0;
  unsigned long long v = std::strtoull(p, &end, 10);
  if (end == p || errno != 0 || v > 0xFFFFFFFFull) return false;
  value = static_cast<std::uint32_t>(v);
  p = end;
  return true;
}

bool take_literal(const char*& p, const char* literal) {
  std::size_t n = std::strlen(literal);
  if (std::strncmp(p, literal, n) != 0) return false;
  p += n;
  return true;
}

// A name followed by " (index)". The name ends at the first " (" so that
// names with inner blanks survive; an empty name is allowed.
bool take_named_index(const char*& p, std::string& name, int& index) {
  const char* mark = std::strstr(p, " (");
  if (mark == nullptr) return false;
  std::size_t n = static_cast<std::size_t>(mark - p);
  if (n > kNameLimit) return false;
  name.assign(p, n);
  p = mark + 2;
  long v = 0;
  if (!take_int(p, v) || v < -1 || v > 65535) return false;
  if (*p != ')') return false;
  ++p;
  index = static_cast<int>(v);
  return true;
}

bool take_text_to(const char*& p, char stop, std::string& out) {
  const char* end = std::strchr(p, stop);
  if (end == nullptr) return false;
  std::size_t n = static_cast<std::size_t>(end - p);
  if (n > kNameLimit) return false;
  out.assign(p, n);
  p = end + 1;
  return true;
}

}  // namespace

namespace {

// The line is built in a buffer on the stack without printf: the search
// writes a save line per lesson at every end of a stage.
class LineBuilder {
 public:
  explicit LineBuilder(char* start) : p_(start) {}
  char* end() const { return p_; }
  void put(char c) { *p_++ = c; }
  template <std::size_t N>
  void put(const char (&text)[N]) {
    std::memcpy(p_, text, N - 1);
    p_ += N - 1;
  }
  // At most the model's name field.
  void name(const std::string& text) {
    std::size_t n = text.size() < kNameLimit ? text.size() : kNameLimit;
    std::memcpy(p_, text.data(), n);
    p_ += n;
  }
  // Plain decimal, as "%d" and "%u" print it.
  template <typename Int>
  void number(Int v) {
    p_ = std::to_chars(p_, p_ + kNumberRoom, v).ptr;
  }
  // "%04d": at least four digits, zero-padded after the sign.
  void padded4(int v) {
    char digits[kNumberRoom];
    auto r = std::to_chars(digits, digits + sizeof digits, v);
    std::size_t sign = v < 0 ? 1 : 0;
    std::size_t n = static_cast<std::size_t>(r.ptr - digits) - sign;
    if (sign) put('-');
    for (std::size_t k = n; k < 4 - sign; ++k) put('0');
    std::memcpy(p_, digits + sign, n);
    p_ += n;
  }

  static constexpr std::size_t kNumberRoom = 24;

 private:
  char* p_;
};

// Nine numbers, five names and the fixed texts of one line, with room to spare.
constexpr std::size_t kLineRoom = 9 * LineBuilder::kNumberRoom + 5 * kNameLimit + 64;

}  // namespace

void format_save_line_into(const SaveLine& l, std::string& out) {
  char text[kLineRoom];
  LineBuilder b(text);
  b.padded4(l.lesson);
  if (l.pseudo_letter == 'D' || l.pseudo_letter == 'S') b.put(l.pseudo_letter);
  b.put(' ');
  b.number(l.day);
  b.put(' ');
  b.number(l.hour);
  b.put(' ');
  auto named = [&](const std::string& name, int index) {
    b.name(name);
    b.put(" (");
    b.number(index);
    b.put(')');
  };
  named(l.class_code, l.class_index);
  b.put(' ');
  named(l.teacher, l.teacher_index);
  b.put(' ');
  named(l.second_teacher, l.second_index);
  b.put(" CE:");
  b.number(l.points);
  if (l.has_second_points) {
    b.put("CF:");
    b.number(l.second_points);
  }
  if (l.has_supported_class) {
    b.put(" SOCL:");
    b.name(l.supported_class);
    b.put('-');
  }
  if (l.no_room) b.put(" STZN:|");
  if (l.has_room) {
    b.put(" STZM:");
    b.name(l.room);
    b.put('|');
  }
  b.put('\n');
  out.assign(text, static_cast<std::size_t>(b.end() - text));
}

char save_line_pseudo_letter(const char* text) {
  const char* blank = std::strchr(text, ' ');
  if (blank == nullptr || blank == text) return 0;
  char c = blank[-1];
  return c == 'D' || c == 'S' ? c : 0;
}

bool parse_save_line(const char* text, SaveLine& out) {
  SaveLine l;
  const char* p = text;
  long v = 0;
  if (*p < '0' || *p > '9') return false;
  if (!take_int(p, v) || v < 0) return false;
  l.lesson = static_cast<int>(v);
  if (*p == 'D' || *p == 'S') l.pseudo_letter = *p++;
  if (*p++ != ' ') return false;
  long day = 0, hour = 0;
  if (!take_int(p, day) || *p++ != ' ') return false;
  if (!take_int(p, hour) || *p++ != ' ') return false;
  bool unplaced = day == -1 && hour == -1;
  if (!unplaced && (day < 0 || day > 6 || hour < 0 || hour > 11)) return false;
  l.day = static_cast<int>(day);
  l.hour = static_cast<int>(hour);
  if (!take_named_index(p, l.class_code, l.class_index) || *p++ != ' ') return false;
  if (!take_named_index(p, l.teacher, l.teacher_index) || *p++ != ' ') return false;
  if (!take_named_index(p, l.second_teacher, l.second_index)) return false;
  if (!take_literal(p, " CE:") || !take_unsigned(p, l.points)) return false;
  if (take_literal(p, "CF:")) {
    if (!take_unsigned(p, l.second_points)) return false;
    l.has_second_points = true;
  }
  if (take_literal(p, " SOCL:")) {
    if (!take_text_to(p, '-', l.supported_class)) return false;
    l.has_supported_class = true;
  }
  if (take_literal(p, " STZN:")) {
    if (*p++ != '|') return false;
    l.no_room = true;
  }
  if (take_literal(p, " STZM:")) {
    if (!take_text_to(p, '|', l.room)) return false;
    l.has_room = true;
  }
  while (*p == ' ' || *p == '\r' || *p == '\n') ++p;
  if (*p != '\0') return false;
  out = std::move(l);
  return true;
}

