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

// Plain decimal, as "%d" and "%u" print it: the search writes a save line
// per lesson at every end of a stage, so the line is built without printf.
template <typename Int>
void append_number(std::string& out, Int v) {
  char digits[24];
  auto r = std::to_chars(digits, digits + sizeof digits, v);
  out.append(digits, r.ptr);
}

// "%04d": at least four digits, zero-padded after the sign.
void append_padded4(std::string& out, int v) {
  char digits[24];
  auto r = std::to_chars(digits, digits + sizeof digits, v);
  std::size_t sign = v < 0 ? 1 : 0;
  std::size_t n = static_cast<std::size_t>(r.ptr - digits) - sign;
  if (sign) out += '-';
  if (n < 4 - sign) out.append(4 - sign - n, '0');
  out.append(digits + sign, n);
}

}  // namespace

std::string format_save_line(const SaveLine& l) {
  std::string out;
  out.reserve(96);
  append_padded4(out, l.lesson);
  if (l.pseudo_letter == 'D' || l.pseudo_letter == 'S') out += l.pseudo_letter;
  out += ' ';
  append_number(out, l.day);
  out += ' ';
  append_number(out, l.hour);
  out += ' ';
  auto named = [&](const std::string& name, int index) {
    out.append(name, 0, kNameLimit);
    out += " (";
    append_number(out, index);
    out += ')';
  };
  named(l.class_code, l.class_index);
  out += ' ';
  named(l.teacher, l.teacher_index);
  out += ' ';
  named(l.second_teacher, l.second_index);
  out += " CE:";
  append_number(out, l.points);
  if (l.has_second_points) {
    out += "CF:";
    append_number(out, l.second_points);
  }
  if (l.has_supported_class) {
    out += " SOCL:";
    out.append(l.supported_class, 0, kNameLimit);
    out += '-';
  }
  if (l.no_room) out += " STZN:|";
  if (l.has_room) {
    out += " STZM:";
    out.append(l.room, 0, kNameLimit);
    out += '|';
  }
  out += '\n';
  return out;
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

