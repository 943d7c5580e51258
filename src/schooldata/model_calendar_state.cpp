// The school calendar's small helpers and the computation-state guards (see
// model_utilities.h): the longest school day, the weekly mask as text, the
// day names of the user's language, and the questions asked before a page
// works on a timetable that has not been computed (fully).
//
// Invariant: a timetable state byte outside '1'..'5' is stored back as '1'
// whenever it is read here, so a damaged school file reads as "not
// computed" and never skips the question. User-interface thread only.
#include <cstdio>
#include <algorithm>
#include <cstring>

#include "engine/status_block.h"
#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "shell/frame.h"
#include "shell/message_box.h"

char& g_timetable_state = g_ui_structure.status[3];
char& g_provisional_timetable_state = g_ui_structure.status[4];
std::uint8_t g_timetable_pass_once = 0;

namespace {

bool out_of_range(char state) { return state < '1' || state > '5'; }

// The reset is a reading of the byte, not an edit: when the school as read
// held the same unreadable byte, the copy kept of it is reset too, or the
// next page left would ask to save changes the user never made.
char checked_state(char& state) {
  if (!out_of_range(state)) return state;
  for (std::size_t at = 0; at < sizeof g_ui_structure.status; ++at)
    if (&g_ui_structure.status[at] == &state && g_ui_structure_saved.status[at] == state)
      g_ui_structure_saved.status[at] = '1';
  state = '1';
  return state;
}

const MlText kNotComputed = {
    {"Questo Orario non è stato elaborato.\nElaborare per soddisfare i vincoli prima di procedere nel lavoro.\n"
     "Usare il tasto: Calcolo dell'Orario\n\nVisualizzare ora egualmente?"_cp,
     "Dieser Stundenplan wurde nicht erstellt.\nDie Berechnung soll fortgesetzt werden (mit der Taste: Berechnung "
     "des Stundenplanes).\n\nStundenplan gleich jetzt anzeigen?",
     "This timetable was not processed.\nContinue processing before continuing the work.\nUse the button: "
     "Timetable Calculation.\n\nDo you want to view the Timetable now anyway?"}};
const MlText kTwoGapDays = {
    {"Questo Orario è stato elaborato, ma restano giorni con due ore Buche.\nQuesto non è accettabile: proseguire "
     "il Calcolo dell'Orario prima di procedere nel lavoro.\n\nVisualizzare ora egualmente?"_cp,
     kNotComputed.text[1], kNotComputed.text[2]}};
const MlText kGapGoalNotMet = {
    {"Questo Orario è elaborato, ma l'obiettivo di riduzione delle Buche non è pienamente raggiunto.\n"
     "Eventualmente, proseguire il Calcolo dell'Orario per eliminare altre ore Buche."_cp,
     "Dieser Zeitplan ist erstellt, aber das Ziel der Reduzierung der Leerstunden (Zeitabstände) ist noch nicht "
     "vollständig erreicht.\nFalls erforderlich, die Berechnung fortsetzen um mehrere Leerstunden aus zu "
     "schalten."_cp,
     "This timetable was drawn up, but the goal of reducing Vacant Hours is not fully achieved.\nIf necessary, "
     "continue the Calculation to rule out other Vacant Hours."}};

const char* const kDayTable[3][7] = {
    {"LU-Lunedì"_cp, "MA-Martedì"_cp, "ME-Mercoledì"_cp, "GI-Giovedì"_cp, "VE-Venerdì"_cp, "SA-Sabato",
     "DO-Domenica"},
    {"MO-Montag", "DI-Dienstag", "MI-Mittwoch", "DO-Donnerstag", "FR-Freitag", "SA-Samstag", "SO-Sonntag"},
    {"MO-Monday", "TU-Tuesday", "WE-Wednesday", "TH-Thursday", "FR-Friday", "SA-Saturday", "SU-Sunday"}};

}  // namespace

int og_max_day_hours() {
  int most = 0;
  for (std::uint8_t hours : g_ui_header.hours_per_day) most = hours > most ? hours : most;
  return 1 + most;
}

void og_format_week_mask(const std::uint8_t* mask, char* out, int blank) {
  std::size_t used = 0;
  out[0] = 0;
  if (mask[0] == 255) return;
  auto put = [&](const char* format, auto... args) {
    int n = std::snprintf(out + used, kWeekMaskTextSize - used, format, args...);
    if (n > 0) used = std::min(kWeekMaskTextSize - 1, used + std::size_t(n));
  };
  for (int d = 0; d < 7; ++d) {
    bool open = false;
    for (int h = 0; h < 12; ++h) {
      std::uint8_t cell = mask[d * 12 + h];
      if (cell == 1 && !open) {
        if (blank && d > 0) put(" ");
        put("%2.2s:%d-", g_ui_header.day_codes[d], h + 1);
        open = true;
      } else if (cell == 0 && open) {
        put("%d", h);
        open = false;
      }
    }
    if (open) put("%d", 12);
  }
}

// Only the days the school gives no code get the language's defaults: the
// codes and names a school file holds are the school's, and the program's
// language never rewrites them (the free-day and band lines name their days
// by these codes, so a switch would move them).
void og_set_default_day_names() {
  const char* const* table = kDayTable[ui_language()];
  for (int d = 0; d < 7; ++d) {
    if (g_ui_header.day_codes[d][0] != 0 && g_ui_header.day_codes[d][1] != 0) continue;
    std::snprintf(g_ui_header.day_codes[d], sizeof g_ui_header.day_codes[d], "%.2s", table[d]);
    std::snprintf(g_ui_header.day_names[d], sizeof g_ui_header.day_names[d], "%s", table[d] + 3);
  }
}

// Both files carry the status bytes: they are written as one step (the pair
// save), so a failure leaves both as they were, and the user is told.
void og_save_if_state_changed() {
  if (std::memcmp(g_ui_structure.status, g_ui_structure_saved.status, sizeof g_ui_structure.status) == 0) return;
  og_save_school_files();
}

void og_record_timetable_state(char state) {
  if (state < '1' || state > '5') return;
  (g_provisional_mode ? g_provisional_timetable_state : g_timetable_state) = state;
  og_save_if_state_changed();
}

int og_check_timetable_state(char level, const char* text, int refuse) {
  char state = checked_state(g_provisional_mode ? g_provisional_timetable_state : g_timetable_state);
  if (level < '1' || level > '4' || state > level) return 0;
  if (level == '1' && refuse) {
    if (text != nullptr) ui_message_box(text);
    return 1;
  }
  if (text == nullptr) return 0;
  return ui_message_box_type(text, kMbYesNo | kMbIconQuestion) == 7 ? 1 : 0;
}

int og_confirm_timetable_use() {
  if (g_provisional_mode) return 1;
  char state = checked_state(g_timetable_state);
  if (g_timetable_pass_once) {
    g_timetable_pass_once = 0;
    return 1;
  }
  switch (state) {
    case '1':
    case '2':
      return ui_message_box_type(kNotComputed, kMbYesNo | kMbIconQuestion) == 7 ? 0 : 1;
    case '3':
      return ui_message_box_type(kTwoGapDays, kMbYesNo | kMbIconQuestion) == 7 ? 0 : 1;
    case '4':
      ui_message_box(kGapGoalNotMet);
      return 1;
    default:
      return 1;
  }
}

void og_install_model_utility_hooks() {
  g_frame_service_hooks.confirm_timetable_use = [] { return og_confirm_timetable_use() != 0; };
}
