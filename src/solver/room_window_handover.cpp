// The room-assignment window's hand-over (see room_window_handover.h).
#include "solver/room_window_handover.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/section_parsers.h"
#include "engine/timetable_aside.h"
#include "platform/cp1252.h"
#include "solver/classroom_allocation.h"

namespace {

std::string format(const char* const texts[3], const std::string& a, const std::string& b = "") {
  char line[512];
  std::snprintf(line, sizeof line, or_pick_text(texts), a.c_str(), b.c_str());
  return line;
}

int building_slots() {
  int b = g_eng_school.building_count;
  return b < 1 ? 1 : (b > kMaxBuildings ? kMaxBuildings : b);
}

const char* const kNoRooms[3] = {
    "Nessuna aula da assegnare: indicare quante aule ha ogni plesso.%s%s",
    "Keine Klassenzimmer zuzuweisen: bitte die Zahl der Zimmer je Gebaeude angeben.%s%s",
    "No classrooms to allocate: give the number of rooms of each building.%s%s"};
const char* const kBadCount[3] = {"Numero di aule non valido: %s (da 0 a 99).%s",
                                  "Ungueltige Zahl der Zimmer: %s (0 bis 99).%s",
                                  "Invalid number of rooms: %s (0 to 99).%s"};
const char* const kEnough[3] = {
    "Le aule (%s) bastano per tutte le %s classi: ogni classe resta nella propria aula, non c'e' nulla da assegnare.",
    "Die Zimmer (%s) reichen fuer alle %s Klassen: jede Klasse bleibt in ihrem Zimmer, nichts zuzuweisen.",
    "The rooms (%s) are enough for all %s classes: every class keeps its own room, nothing to allocate."};
const char* const kFirstBuilding[3] = {
    "Il primo plesso non ha aule: l'assegnazione parte dalle sue aule.%s%s",
    "Das erste Gebaeude hat keine Zimmer: die Zuweisung beginnt mit seinen Zimmern.%s%s",
    "The first building has no rooms: the allocation starts from its rooms.%s%s"};
const char* const kUnknownClass[3] = {"Classe %s sconosciuta: non fa parte della scuola.%s",
                                      "Unbekannte Klasse %s: sie gehoert nicht zur Schule.%s",
                                      "Unknown class %s: it is not a class of the school.%s"};
const char* const kUnknownRoom[3] = {
    "Aula vietata %s della classe %s: nessuna classe ha un'aula con questo nome.",
    "Verbotenes Zimmer %s der Klasse %s: keine Klasse hat ein Zimmer mit diesem Namen.",
    "Forbidden room %s of class %s: no class has a room of that name."};
const char* const kTooMany[3] = {"Classe %s: al massimo 30 aule vietate.%s",
                                 "Klasse %s: hoechstens 30 verbotene Zimmer.%s",
                                 "Class %s: at most 30 forbidden rooms.%s"};
const char* const kLongName[3] = {"Nome di aula non valido (al massimo 20 caratteri, senza '|'): %s%s",
                                  "Ungueltiger Zimmername (hoechstens 20 Zeichen, ohne '|'): %s%s",
                                  "Invalid room name (at most 20 characters, no '|'): %s%s"};
const char* const kUnallocated[3] = {
    "%s ore senza aula: restano nell'aula della classe (vedere \"ERRORI Allocazione Aule\").%s",
    "%s Stunden ohne Zimmer: sie bleiben im Zimmer der Klasse (siehe \"ERRORI Allocazione Aule\").%s",
    "%s lessons without a room: they stay in their class's room (see \"ERRORI Allocazione Aule\").%s"};

const char* const kTaken[3] = {
    "Per avere meno cambi d'aula alcune ore sono state spostate: questo orario e' ora l'orario salvato, il "
    "precedente e' messo da parte.",
    "Für weniger Zimmerwechsel wurden Stunden verschoben: dieser Stundenplan ist jetzt der gespeicherte, der vorige "
    "ist beiseitegelegt."_cp,
    "Lessons were moved to save room changes: this timetable is now the saved one, the previous one is set aside."};

const char* const kLeftOut[3] = {
    "Classi senza lezioni, escluse dall'assegnazione delle aule: ",
    "Klassen ohne Stunden, von der Zimmerzuweisung ausgeschlossen: ",
    "Classes without lessons, left out of the room allocation: "};

bool room_named(const std::vector<RoomWindowClass>& classes, const std::string& name) {
  for (const RoomWindowClass& c : classes)
    if (!c.room.empty() && c.room == name) return true;
  return false;
}

}  // namespace

std::string or_room_window_problem(const RoomAllocationParams& params,
                                   const std::vector<RoomWindowClass>& classes) {
  for (const RoomWindowClass& c : classes) {
    if (c.code.empty() || or_find_class(c.code.c_str()) < 0) return format(kUnknownClass, c.code);
    // The school's file separates its fields with '|'.
    if (c.room.size() >= kNameSize || c.room.find('|') != std::string::npos) return format(kLongName, c.room);
    if (static_cast<int>(c.forbidden.size()) > kMaxForbiddenRooms) return format(kTooMany, c.code);
    for (const std::string& name : c.forbidden)
      if (!room_named(classes, name)) return format(kUnknownRoom, name, c.code);
  }
  if (params.teachers_per_room != 0) return {};
  int total = 0;
  for (int b = 0; b < building_slots(); ++b) {
    int n = params.rooms_per_building[b];
    if (n < 0 || n > 99) return format(kBadCount, std::to_string(n));
    total += n;
  }
  if (total == 0) return format(kNoRooms, "");
  // The allocation runs only while the first building has fewer rooms than
  // the school has classes; otherwise it would end without a word.
  int first = params.rooms_per_building[0];
  int real = g_eng_school.real_class_count;
  if (first == 0) return format(kFirstBuilding, "");
  if (first >= real) return format(kEnough, std::to_string(first), std::to_string(real));
  return {};
}

std::vector<std::string> or_room_window_drop_classes_without_lessons(std::vector<RoomWindowClass>& classes) {
  std::vector<std::string> dropped, rooms;
  std::vector<RoomWindowClass> kept;
  for (RoomWindowClass& c : classes) {
    if (!c.code.empty() && or_find_class(c.code.c_str()) >= 0) {
      kept.push_back(std::move(c));
      continue;
    }
    if (c.code.empty()) continue;
    dropped.push_back(c.code);
    if (!c.room.empty()) rooms.push_back(c.room);
  }
  for (RoomWindowClass& c : kept)
    for (const std::string& room : rooms)
      if (!room_named(kept, room))
        c.forbidden.erase(std::remove(c.forbidden.begin(), c.forbidden.end(), room), c.forbidden.end());
  classes = std::move(kept);
  return dropped;
}

std::string or_room_window_left_out_note(const std::vector<std::string>& codes) {
  if (codes.empty()) return {};
  std::string list;
  for (const std::string& code : codes) list += (list.empty() ? "" : ", ") + code;
  return or_pick_text(kLeftOut) + list;
}

void or_room_window_handover(const std::vector<RoomWindowClass>& classes) {
  or_room_allocation_query(9999, nullptr, nullptr, nullptr, nullptr);
  // Results an earlier run stored and no window read (the window was closed
  // first) are not this run's: the window would show them as its first record.
  for (std::int32_t& changes : g_room_allocation.result_changes) changes = -1;
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    bool listed = false;
    for (const RoomWindowClass& r : classes) listed = listed || or_find_class(r.code.c_str()) == c;
    if (!listed) or_room_allocation_query(1, g_eng_classes[c].code, "", nullptr, nullptr);
  }
  for (const RoomWindowClass& r : classes)
    or_room_allocation_query(r.movable ? 1 : 0, r.code.c_str(), r.room.c_str(), nullptr, nullptr);
  or_add_room_class_pair("", "");
  for (const RoomWindowClass& r : classes)
    for (const std::string& name : r.forbidden) or_add_room_class_pair(r.code.c_str(), name.c_str());
}

int or_unallocated_lesson_count() {
  const RoomAllocationState& s = g_room_allocation;
  if (!s.rooms_allocated) return 0;
  int n = 0;
  int end = or_real_lesson_end();
  for (int l = 0; l < end && l < kMaxLessons; ++l)
    if (or_room_lesson_eligible(l) && s.lesson_result[l] == g_eng_lessons[l].class_index) ++n;
  return n;
}

int or_take_room_allocation_timetable() {
  const RoomAllocationState& s = g_room_allocation;
  if (!s.rooms_allocated || !s.lessons_moved) return 0;
  int taken = or_take_balanced_timetable();
  return taken < 0 ? -1 : (taken == 0 ? 1 : 0);
}

std::string or_room_allocation_taken_message() { return or_pick_text(kTaken); }

std::string or_unallocated_message(int count) {
  return count > 0 ? format(kUnallocated, std::to_string(count)) : std::string();
}
