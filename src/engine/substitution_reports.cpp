// The substitution reports of the last computed day, in ".\\Sostituzioni\\":
// "Sostituzioni" lists every lesson to cover by hour and class with its
// substitute, or says that it stays uncovered, and ends with the count of
// uncovered hours; "Sostituzioni per Docente" lists each substitute's hours.
// Each text report gets its RTF form beside it. They are written from the
// shared state alone (no model is loaded for "SOSX:"), so a day must have
// been computed in this process first.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/absences_file.h"
#include "engine/errors.h"
#include "engine/file_replace.h"
#include "engine/report_services.h"
#include "engine/substitution_services.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_files.h"

namespace {

const char* const kNothingComputed[3] = {
    "Nessuna sostituzione calcolata: eseguire prima il calcolo delle sostituzioni del giorno",
    "Keine Vertretung berechnet: zuerst die Vertretungen des Tages berechnen",
    "No substitutions computed: first compute the substitutions of the day"};
const char* const kByHourTitle[3] = {"Sostituzioni", "Vertretungen", "Substitutions"};
const char* const kByTeacherTitle[3] = {"Sostituzioni per Docente", "Vertretungen nach Lehrer", "Substitutions by Teacher"};
const char* const kHour[3] = {"Ora", "Stunde", "Hour"};
const char* const kClass[3] = {"Classe", "Klasse", "Class"};
const char* const kAbsent[3] = {"Assente", "Abwesend", "Absent"};
const char* const kSubstitute[3] = {"Sostituto", "Vertreter", "Substitute"};
const char* const kHow[3] = {"Tipo", "Art", "Kind"};
const char* const kKinds[3][3] = {{"SCOPERTA", "NICHT VERTRETEN", "UNCOVERED"},
                                  {"Disposizione", "Verfügung"_cp, "Stand-by"},
                                  {"Docente della classe", "Lehrer der Klasse", "Class teacher"}};
const char* const kUncoveredCount[3] = {"Ore scoperte: %d", "Nicht vertretene Stunden: %d", "Uncovered hours: %d"};
const char* const kDay[3] = {"Giorno: %s", "Tag: %s", "Day: %s"};

std::string rule(std::size_t width) { return std::string(width, '-') + "\n"; }

template <typename... Args>
std::string format(const char* f, Args... args) {
  char line[300];
  std::snprintf(line, sizeof line, f, args...);
  return line;
}

void write_report(const char* const title[3], const std::string& body) {
  std::string path = std::string(kSubstitutionFolder) + or_pick_text(title) + ".txt";
  // Written whole or not at all: a full disk leaves the last report as it was.
  ReplacementFile file;
  if (!file.open(path.c_str())) or_raise_substitution_write_error(path.c_str(), file.error(), 53);
  std::fwrite(body.data(), 1, body.size(), file.stream());
  if (!file.commit()) or_raise_substitution_write_error(path.c_str(), file.error(), 56);
  or_convert_report_to_rtf(path.c_str(), 8, 0, 0);
}

std::string day_line(const SubstitutionState& s) {
  return format(or_pick_text(kDay), s.day_names[s.computed_day - 1]) + "\n\n";
}

}  // namespace

void or_write_substitution_reports() {
  const SubstitutionState& s = g_substitution_state;
  if (s.computed_day < 1 || s.computed_day > 7) or_raise_impossible(or_pick_text(kNothingComputed));
  int error = 0;
  if (!kt::make_folders(kt::translate_path(kSubstitutionFolder), &error))
    or_raise_substitution_write_error(kSubstitutionFolder, error, 68);

  const char* row_format = "%-6s|%-20.20s|%-20.20s|%-20.20s|%-20.20s|";
  std::string header = format(row_format, or_pick_text(kHour), or_pick_text(kClass), or_pick_text(kAbsent),
                              or_pick_text(kSubstitute), or_pick_text(kHow));
  std::string body = day_line(s) + rule(header.size()) + header + "\n" + rule(header.size());
  int uncovered = 0;
  for (int i = 0; i < s.row_count; ++i) {
    const SubstitutionRow& r = s.rows[i];
    int kind = r.kind >= 0 && r.kind < 3 ? r.kind : 0;
    uncovered += kind == kUncovered;
    body += format(row_format, std::to_string(r.hour + 1).c_str(), r.class_name, r.absent,
                   kind == kUncovered ? "" : r.substitute, or_pick_text(kKinds[kind])) +
            "\n";
  }
  body += rule(header.size()) + format(or_pick_text(kUncoveredCount), uncovered) + "\n";
  write_report(kByHourTitle, body);

  const char* teacher_format = "%-20.20s|%-6s|%-20.20s|%-20.20s|";
  header = format(teacher_format, or_pick_text(kSubstitute), or_pick_text(kHour), or_pick_text(kClass),
                  or_pick_text(kAbsent));
  body = day_line(s) + rule(header.size()) + header + "\n" + rule(header.size());
  std::vector<const SubstitutionRow*> covered;
  for (int i = 0; i < s.row_count; ++i)
    if (s.rows[i].kind != kUncovered) covered.push_back(&s.rows[i]);
  std::stable_sort(covered.begin(), covered.end(), [](const SubstitutionRow* a, const SubstitutionRow* b) {
    return std::strcmp(a->substitute, b->substitute) < 0;
  });
  for (const SubstitutionRow* r : covered)
    body += format(teacher_format, r->substitute, std::to_string(r->hour + 1).c_str(), r->class_name, r->absent) + "\n";
  body += rule(header.size());
  write_report(kByTeacherTitle, body);
}
