// The day names of the user's language, copied into the school settings at
// the start of every command: the full name (at most 20 characters) and its
// first three characters as the abbreviation ("Lun", "Mon" ...). Each table
// entry carries a two-letter code and a '-' in front of the name.
#include <cstring>

#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/model.h"
#include "platform/cp1252.h"

namespace {

const char* const kDayNames[3][kDays] = {
    {"LU-Lunedì"_cp, "MA-Martedì"_cp, "ME-Mercoledì"_cp, "GI-Giovedì"_cp, "VE-Venerdì"_cp,
     "SA-Sabato", "DO-Domenica"},
    {"MO-Montag", "DI-Dienstag", "MI-Mittwoch", "DO-Donnerstag", "FR-Freitag", "SA-Samstag",
     "SO-Sontag"},
    {"MO-Monday", "TU-Tuesday", "WE-Wednesday", "TH-Thursday", "FR-Friday", "SA-Saturday",
     "SU-Sunday"}};

}  // namespace

void or_set_day_names() {
  int language = or_language();
  for (int day = 0; day < kDays; ++day) {
    const char* name = kDayNames[language][day] + 3;
    char* out = g_eng_school.day_names[day];
    int i = 0;
    while (i < kNameSize - 1 && name[i] && name[i] != '|') {
      out[i] = name[i];
      ++i;
    }
    out[i] = '\0';
    std::memcpy(g_eng_school.day_abbrevs[day], out, 3);
    g_eng_school.day_abbrevs[day][3] = '\0';
  }
}
