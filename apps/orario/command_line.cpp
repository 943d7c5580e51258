// Parsing orario's command line, choosing the language, mapping results to
// exit statuses, and the program's own three-language texts.
#include "command_line.h"

#include <cstdlib>
#include <cstring>

namespace {

bool parse_number(const char* text, double* out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  double value = std::strtod(text, &end);
  if (*end != '\0' || value < 0) return false;
  *out = value;
  return true;
}

bool parse_integer(const char* text, std::int64_t* out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  long long value = std::strtoll(text, &end, 10);
  if (*end != '\0' || value < 0) return false;
  *out = value;
  return true;
}

// "CODE=ROOM" into its two halves; false without a code or a room.
bool parse_pair(const char* text, std::string* code, std::string* room) {
  if (!text) return false;
  const char* equals = std::strchr(text, '=');
  if (!equals || equals == text || equals[1] == '\0') return false;
  code->assign(text, equals);
  room->assign(equals + 1);
  return true;
}

// "N[,N...]", at most ten counts of 0 to 99.
bool parse_counts(const char* text, std::vector<int>* out) {
  if (!text || !*text) return false;
  out->clear();
  while (*text) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || value < 0 || value > 99 || out->size() >= 10) return false;
    out->push_back(static_cast<int>(value));
    if (*end == ',') ++end;
    else if (*end != '\0') return false;
    text = end;
  }
  return true;
}

bool parse_room_option(const char* arg, const char* value, RoomOptions* rooms) {
  rooms->given = true;
  if (std::strcmp(arg, "--rooms") == 0) return parse_counts(value, &rooms->rooms_per_building);
  if (std::strcmp(arg, "--teachers-per-room") == 0 || std::strcmp(arg, "--room-cycles") == 0) {
    std::int64_t n = 0;
    if (!parse_integer(value, &n) || n > 1000000) return false;
    (arg[2] == 't' ? rooms->teachers_per_room : rooms->cycles) = static_cast<int>(n);
    return true;
  }
  if (std::strcmp(arg, "--room-mode") == 0) {
    const char* const kModes[] = {"class", "teacher", "room"};
    for (int m = 0; m < 3; ++m)
      if (value && std::strcmp(value, kModes[m]) == 0) {
        rooms->mode = m;
        return true;
      }
    return false;
  }
  RoomOptions::ClassRoom entry;
  if (!parse_pair(value, &entry.code, &entry.room)) return false;
  if (std::strcmp(arg, "--forbid") == 0) {
    rooms->forbidden.emplace_back(entry.code, entry.room);
    return true;
  }
  entry.movable = std::strcmp(arg, "--class-room") == 0;
  rooms->class_rooms.push_back(entry);
  return true;
}

bool is_room_option(const char* arg) {
  for (const char* name : {"--rooms", "--teachers-per-room", "--room-cycles", "--room-mode", "--class-room",
                           "--fixed-class-room", "--forbid"})
    if (std::strcmp(arg, name) == 0) return true;
  return false;
}

const char* const kTexts[][3] = {
    {"Uso: orario COMANDO:file_descrizione [opzione] [cicli] [--time-limit SECONDI] "
     "[--seed N] [--processes N]\n"
     "  CALC: [--new]   orario --take-back file_descrizione\n"
     "  ASAU:/MISV: [--rooms N[,N...]] [--teachers-per-room N] [--room-cycles N]\n"
     "  [--room-mode class|teacher|room]"
     "  [--class-room CLASS=ROOM] [--fixed-class-room CLASS=ROOM] [--forbid CLASS=ROOM]\n",
     "Aufruf: orario BEFEHL:Beschreibungsdatei [Option] [Zyklen] [--time-limit SEKUNDEN] "
     "[--seed N] [--processes N]\n"
     "  CALC: [--new]   orario --take-back Beschreibungsdatei\n"
     "  ASAU:/MISV: [--rooms N[,N...]] [--teachers-per-room N] [--room-cycles N]\n"
     "  [--room-mode class|teacher|room]"
     "  [--class-room CLASS=ROOM] [--fixed-class-room CLASS=ROOM] [--forbid CLASS=ROOM]\n",
     "Usage: orario COMMAND:description_file [option] [cycles] [--time-limit SECONDS] "
     "[--seed N] [--processes N]\n"
     "  CALC: [--new]   orario --take-back description_file\n"
     "  ASAU:/MISV: [--rooms N[,N...]] [--teachers-per-room N] [--room-cycles N]\n"
     "  [--room-mode class|teacher|room]"
     "  [--class-room CLASS=ROOM] [--fixed-class-room CLASS=ROOM] [--forbid CLASS=ROOM]\n"},
    {"Opzione non valida: ", "Ungültige Option: ", "Invalid option: "},
    {"Cartella della scuola non trovata: ", "Schulordner nicht gefunden: ",
     "School folder not found: "},
    {"Nome di file non rappresentabile: ", "Dateiname nicht darstellbar: ",
     "File name cannot be represented: "},
    {"Impossibile avviare i processi di calcolo paralleli: il calcolo usa un solo processo.\n",
     "Parallele Rechenprozesse konnten nicht gestartet werden: die Berechnung läuft in einem "
     "Prozess.\n",
     "Parallel solver processes could not be started: the computation runs in one process.\n"},
    {"Violazioni residue: ", "Verbleibende Verstöße: ", "Remaining violations: "},
    {"Le opzioni delle aule valgono solo con ASAU: e MISV:\n",
     "Die Zimmer-Optionen gelten nur mit ASAU: und MISV:\n",
     "The room options apply only to ASAU: and MISV:\n"},
    // The teacher grouping's result per building (the name, or empty).
    {"Aule impegnate%s: %d per %d docenti (al più %d per aula)\n",
     "Belegte Räume%s: %d für %d Lehrer (höchstens %d pro Raum)\n",
     "Rooms used%s: %d for %d teachers (at most %d per room)\n"},
    {"Nessun numero di cicli: la fase finisce dopo %d cicli senza un nuovo record "
     "(Ctrl-C o --time-limit la fermano prima e salvano il migliore).\n",
     "Keine Zyklenzahl: die Phase endet nach %d Zyklen ohne neuen Rekord "
     "(Strg-C oder --time-limit beenden sie früher und speichern das beste Ergebnis).\n",
     "No cycle count: the phase ends after %d cycles without a new record "
     "(Ctrl-C or --time-limit stop it sooner and save the best).\n"},
    {"Il processo di calcolo parallelo %d è terminato durante il calcolo (%s): il calcolo è proseguito "
     "senza di lui.\n",
     "Der parallele Rechenprozess %d endete während der Berechnung (%s): die Berechnung lief ohne ihn "
     "weiter.\n",
     "Parallel solver process %d ended during the computation (%s): the computation went on without it.\n"},
    {"segnale %d", "Signal %d", "signal %d"},
    {"codice di uscita %d", "Exit-Code %d", "exit code %d"},
    {"L'opzione --new vale solo con CALC:\n", "Die Option --new gilt nur mit CALC:\n",
     "The option --new applies only to CALC:\n"},
    {"L'orario salvato è messo da parte in savego_precedente.txt (orario --take-back lo riprende)\n",
     "Der gespeicherte Stundenplan ist in savego_precedente.txt beiseitegelegt (orario --take-back holt ihn "
     "zurück)\n",
     "The saved timetable is set aside in savego_precedente.txt (orario --take-back takes it back)\n"},
    {"Ripreso l'orario messo da parte; quello che sostituisce è ora in savego_precedente.txt\n",
     "Der beiseitegelegte Stundenplan ist zurückgeholt; der ersetzte liegt jetzt in savego_precedente.txt\n",
     "The timetable set aside is taken back; the one it replaces is now in savego_precedente.txt\n"},
    {"Nessun orario messo da parte in questa cartella\n", "In diesem Ordner ist kein Stundenplan beiseitegelegt\n",
     "No timetable is set aside in this folder\n"},
    {"I report non sono stati scritti: quelli nella cartella Orario non sono dell'orario ripreso "
     "(orario REPO: li riscrive)\n",
     "Die Berichte wurden nicht geschrieben: die im Ordner Orario gehören nicht zum zurückgeholten Stundenplan "
     "(orario REPO: schreibt sie neu)\n",
     "The reports were not written: those in the folder Orario are not those of the timetable taken back "
     "(orario REPO: writes them again)\n"},
    // The saved file the command reads, then the command that writes it.
    {"Nessun orario salvato da leggere in questa cartella (%s): il comando non è stato eseguito e non ha "
     "scritto nulla; eseguite prima %s\n",
     "In diesem Ordner ist kein gespeicherter Stundenplan zu lesen (%s): der Befehl wurde nicht ausgeführt und "
     "hat nichts geschrieben; führen Sie zuerst %s aus\n",
     "No saved timetable to read in this folder (%s): the command did not run and wrote nothing; "
     "run %s first\n"},
    // A stop that came before the first whole week was placed.
    {"Calcolo fermato prima che un orario fosse completo: nessun orario salvato, nessun report scritto\n",
     "Berechnung angehalten, bevor ein Stundenplan vollständig war: kein Stundenplan gespeichert, keine "
     "Berichte geschrieben\n",
     "Computation stopped before a timetable was complete: no timetable saved, no reports written\n"},
};

}  // namespace

const char* orario_text(OrarioText text, int language) {
  if (language < 0 || language > 2) language = 0;
  return kTexts[static_cast<int>(text)][language];
}

OrarioOptions parse_command_line(int argc, char** argv) {
  OrarioOptions options;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      options.help = true;
    } else if (std::strcmp(arg, "--time-limit") == 0) {
      if (!parse_number(value(), &options.time_limit_seconds)) options.error = arg;
    } else if (std::strcmp(arg, "--seed") == 0) {
      if (!parse_integer(value(), &options.seed)) options.error = arg;
    } else if (std::strcmp(arg, "--processes") == 0) {
      std::int64_t n = 0;
      if (!parse_integer(value(), &n) || n < 1 || n > 8)
        options.error = arg;
      else
        options.processes = static_cast<int>(n);
    } else if (std::strcmp(arg, "--new") == 0) {
      options.compute_anew = true;
    } else if (std::strcmp(arg, "--take-back") == 0) {
      options.take_back = true;
    } else if (is_room_option(arg)) {
      if (!parse_room_option(arg, value(), &options.rooms)) options.error = arg;
    } else if (std::strncmp(arg, "--", 2) == 0) {
      options.error = arg;
    } else if (options.engine_args.size() < 3) {
      options.engine_args.push_back(arg);
    } else {
      options.error = arg;
    }
    if (!options.error.empty()) break;
  }
  return options;
}

int language_from_environment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    if (std::strncmp(value, "it", 2) == 0) return 0;
    if (std::strncmp(value, "de", 2) == 0) return 1;
    if (std::strncmp(value, "en", 2) == 0) return 2;
    return 0;
  }
  return 0;
}

int exit_status(int result, bool interrupted) {
  if (interrupted && result != 0) return 130;
  switch (result) {
    case 0: return 0;
    case -2: return 2;
    case -3: return 3;
    case -998:
    case -999: return 4;
    default: return 1;
  }
}
