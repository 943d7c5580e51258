// "assenze.txt", the absences of one school day, in the school folder. Plain
// 1252 text, one item per line, '|' between fields:
//   GIORNO:<day of the week, 1-based>
//   MOTIVO:<absence reason>                      (zero or more, in order)
//   ASSENTE:<teacher>|<reason>|<12 digits 0/1>   (one per absent teacher)
// The twelve digits mark the hours of the day the teacher is away. Empty
// lines are skipped; readers accept "\r\n".
//
// The writer replaces the file whole through a temporary file. The reader
// checks every line against the loaded model before anything is kept, so a
// damaged file ends the command with the line it stopped at and leaves the
// shared state and every file as they were. A file holds a few dozen lines.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/absences_file.h"
#include "engine/errors.h"
#include "engine/file_replace.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/text_lines.h"
#include "engine/week_grid_access.h"
#include "engine/whole_file_open.h"
#include "platform/cp1252.h"

namespace {

const char* const kNoDay[3] = {
    "Nessun giorno di assenze da registrare: scegliere il giorno e gli insegnanti assenti"_cp,
    "Kein Tag mit Abwesenheiten zu speichern: Tag und abwesende Lehrer wählen"_cp,
    "No day of absences to record: choose the day and the absent teachers"};
const char* const kBadName[3] = {"Nome non registrabile in assenze.txt: \"%s\""_cp,
                                 "Name kann nicht in assenze.txt gespeichert werden: \"%s\""_cp,
                                 "Name that cannot be recorded in assenze.txt: \"%s\""};
const char* const kDamaged[3] = {"Il file assenze.txt è danneggiato (riga %d: %s).\n\"%.60s\""_cp,
                                 "Die Datei assenze.txt ist beschädigt (Zeile %d: %s).\n\"%.60s\""_cp,
                                 "The file assenze.txt is damaged (line %d: %s).\n\"%.60s\""};
const char* const kWhy[][3] = {
    {"riga sconosciuta", "unbekannte Zeile", "unknown line"},
    {"giorno non valido", "ungültiger Tag"_cp, "invalid day"},
    {"insegnante sconosciuto", "unbekannter Lehrer", "unknown teacher"},
    {"motivo sconosciuto", "unbekannter Grund", "unknown reason"},
    {"ore non valide", "ungültige Stunden"_cp, "invalid hours"},
    {"insegnante ripetuto", "Lehrer wiederholt", "teacher repeated"},
    {"troppi insegnanti assenti (al massimo 100)", "zu viele abwesende Lehrer (höchstens 100)"_cp,
     "too many absent teachers (at most 100)"},
    {"manca il giorno", "Tag fehlt", "day missing"},
    {"riga troppo lunga", "Zeile zu lang", "line too long"},
    {"motivo più lungo di 20 caratteri"_cp, "Grund länger als 20 Zeichen"_cp, "reason longer than 20 characters"},
    {"motivo vuoto o con un carattere non ammesso", "Grund leer oder mit unzulässigem Zeichen"_cp,
     "reason empty or with a character not allowed"},
    {"troppi motivi (al massimo 40)", "zu viele Gründe (höchstens 40)"_cp, "too many reasons (at most 40)"},
    {"giorno ripetuto", "Tag wiederholt", "day repeated"},
    {"byte zero nella riga", "Null-Byte in der Zeile", "zero byte in the line"},
};
enum Why {
  kUnknownLine, kBadDay, kUnknownTeacher, kUnknownReason, kBadHours, kRepeated, kTooManyAbsent, kNoDayLine,
  kTooLong, kLongReason, kBadReason, kTooManyReasons, kSecondDay, kZeroByte
};
static_assert(sizeof kWhy / sizeof kWhy[0] == kZeroByte + 1);

// The layout's lines (a day, the reasons, the absent teachers), each as long
// as the reader takes a line: no file of the layout is longer, and a longer
// one is refused before it is read.
constexpr int kLineSize = 256;
constexpr long long kLongestAbsencesFile = (1LL + kMaxAbsenceReasons + kMaxAbsentTeachers) * kLineSize;

// A name the file can carry: not empty, no separator, no control character.
bool writable(const char* name) {
  if (!name[0]) return false;
  for (const char* p = name; *p; ++p)
    if (*p == '|' || static_cast<unsigned char>(*p) < 32) return false;
  return true;
}

void refuse_name(const char* name) {
  char text[200];
  std::snprintf(text, sizeof text, or_pick_text(kBadName), name);
  or_raise_impossible(text);
}

bool starts(const char* line, const char* word) { return std::strncmp(line, word, std::strlen(word)) == 0; }

// The real teacher of that exact name, -1 when there is none.
int find_teacher(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0 && !or_is_calendar_teacher(t) &&
        !(g_eng_teachers[t].type_flags & kTeacherLabPseudo))
      return t;
  return -1;
}

struct LineReader {
  AbsencesFileContent& out;
  int why = -1;

  bool reason(const char* text) {
    if (out.reason_count >= kMaxAbsenceReasons) return fail(kTooManyReasons);
    if (!writable(text)) return fail(kBadReason);
    if (std::strlen(text) > 20) return fail(kLongReason);
    std::snprintf(out.reasons[out.reason_count++], 21, "%.20s", text);
    return true;
  }
  bool day(const char* text) {
    // A second day line would silently decide which day the absences are for.
    if (out.day != 0) return fail(kSecondDay);
    int d = 0;
    for (const char* p = text; *p; ++p) {
      if (*p < '0' || *p > '9' || d > 7) return fail(kBadDay);
      d = d * 10 + (*p - '0');
    }
    if (d < 1 || d > or_week_days()) return fail(kBadDay);
    out.day = d;
    return true;
  }
  bool absent(char* text) {
    char* bar1 = std::strchr(text, '|');
    char* bar2 = bar1 ? std::strchr(bar1 + 1, '|') : nullptr;
    if (!bar2) return fail(kUnknownLine);
    *bar1 = *bar2 = '\0';
    if (find_teacher(text) < 0) return fail(kUnknownTeacher);
    for (int i = 0; i < out.absent_count; ++i)
      if (std::strcmp(out.absent[i].name, text) == 0) return fail(kRepeated);
    if (out.absent_count >= kMaxAbsentTeachers) return fail(kTooManyAbsent);
    int r = 0;
    while (r < out.reason_count && std::strcmp(out.reasons[r], bar1 + 1) != 0) ++r;
    if (r == out.reason_count) return fail(kUnknownReason);
    const char* hours = bar2 + 1;
    if (std::strlen(hours) != kAbsenceHours) return fail(kBadHours);
    AbsentTeacher& a = out.absent[out.absent_count];
    for (int h = 0; h < kAbsenceHours; ++h) {
      if (hours[h] != '0' && hours[h] != '1') return fail(kBadHours);
      a.hours[h] = static_cast<std::uint8_t>(hours[h] - '0');
    }
    std::snprintf(a.name, sizeof a.name, "%.20s", text);
    a.reason = r;
    ++out.absent_count;
    return true;
  }
  bool fail(int w) {
    why = w;
    return false;
  }
};

}  // namespace

void or_write_absences_file() {
  const SubstitutionState& s = g_substitution_state;
  if (s.day < 1 || s.day > 7) or_raise_impossible(or_pick_text(kNoDay));
  for (int r = 0; r < s.reason_count; ++r)
    if (!writable(s.reasons[r])) refuse_name(s.reasons[r]);
  for (int i = 0; i < s.absent_count; ++i) {
    if (!writable(s.absent[i].name)) refuse_name(s.absent[i].name);
    if (s.absent[i].reason < 0 || s.absent[i].reason >= s.reason_count) refuse_name(s.absent[i].name);
  }
  ReplacementFile file;
  if (!file.open(kAbsencesFile)) or_raise_substitution_write_error(kAbsencesFile, file.error(), 131);
  std::FILE* f = file.stream();
  std::fprintf(f, "GIORNO:%d\n", s.day);
  for (int r = 0; r < s.reason_count; ++r) std::fprintf(f, "MOTIVO:%s\n", s.reasons[r]);
  for (int i = 0; i < s.absent_count; ++i) {
    const AbsentTeacher& a = s.absent[i];
    char hours[kAbsenceHours + 1];
    for (int h = 0; h < kAbsenceHours; ++h) hours[h] = a.hours[h] ? '1' : '0';
    hours[kAbsenceHours] = '\0';
    std::fprintf(f, "ASSENTE:%s|%s|%s\n", a.name, s.reasons[a.reason], hours);
  }
  if (!file.commit()) or_raise_substitution_write_error(kAbsencesFile, file.error(), 141);
}

bool or_read_absences_file(AbsencesFileContent& out) {
  std::memset(&out, 0, sizeof out);
  or_default_absence_reasons();
  const SubstitutionState& s = g_substitution_state;
  out.reason_count = s.reason_count;
  std::memcpy(out.reasons, s.reasons, sizeof out.reasons);
  // A folder, a device or a FIFO in the file's place is said, never read.
  std::FILE* f = or_open_whole_file_or_raise(kAbsencesFile, kLongestAbsencesFile, kSourceSubstitutions, 160);
  if (!f) return false;
  LineReader reader{out};
  char line[kLineSize];
  int number = 0;
  bool own_reasons = false;
  char shown[kLineSize] = "";
  long n;
  // A read error is the file error of the line reader, naming the file.
  while (reader.why < 0 && (n = or_read_plain_line(line, sizeof line, f)) != -1) {
    ++number;
    std::snprintf(shown, sizeof shown, "%s", line);
    if (n == kLineTooLong) {
      reader.fail(kTooLong);
      break;
    }
    if (std::strlen(line) != static_cast<std::size_t>(n)) {
      reader.fail(kZeroByte);
      break;
    }
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) line[--n] = '\0';
    std::snprintf(shown, sizeof shown, "%s", line);
    if (n == 0) continue;
    if (starts(line, "GIORNO:")) {
      reader.day(line + 7);
    } else if (starts(line, "MOTIVO:")) {
      if (!own_reasons) out.reason_count = 0;
      own_reasons = true;
      reader.reason(line + 7);
    } else if (starts(line, "ASSENTE:")) {
      reader.absent(line + 8);
    } else {
      reader.fail(kUnknownLine);
    }
  }
  or_fclose(f);
  if (reader.why < 0 && out.day == 0) {
    reader.fail(kNoDayLine);
    shown[0] = '\0';
  }
  if (reader.why >= 0) {
    char text[400];
    std::snprintf(text, sizeof text, or_pick_text(kDamaged), number, or_pick_text(kWhy[reader.why]), shown);
    or_raise_impossible(text);
  }
  return true;
}

void or_raise_substitution_write_error(const char* name, int error, int line) {
  static const char* const kFileInTheWay[3] = {"Al posto della cartella c'è un file con lo stesso nome"_cp,
                                               "An Stelle des Ordners steht eine Datei gleichen Namens",
                                               "A file of the same name stands where the folder should be"};
  bool file_in_the_way = error == EEXIST || error == ENOTDIR;
  errno = error;
  or_raise_file_error(name, file_in_the_way ? or_pick_text(kFileInTheWay) : or_write_failure_reason(error, or_language()),
                      kSourceSubstitutions, line);
}
