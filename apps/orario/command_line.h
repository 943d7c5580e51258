// The command line of `orario`: the engine's command words and options plus
// the program's own options, the user's language from the environment, and
// the exit status derived from the engine's result code. Kept apart from
// main.cpp so the rules read in one place.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The room-assignment window's settings given on the command line (texts as
// typed, UTF-8): present when any room option was given.
struct RoomOptions {
  bool given = false;
  std::vector<int> rooms_per_building;  // --rooms N[,N...]
  int teachers_per_room = 0;            // --teachers-per-room N
  int mode = 0;                         // --room-mode class|teacher|room
  int cycles = 0;                       // --room-cycles N: the optimiser's cycles, 0 until stopped
  struct ClassRoom {
    std::string code, room;
    bool movable = true;
  };
  std::vector<ClassRoom> class_rooms;   // --class-room / --fixed-class-room CODE=ROOM
  std::vector<std::pair<std::string, std::string>> forbidden;  // --forbid CODE=ROOM
};

struct OrarioOptions {
  std::vector<std::string> engine_args;  // COMMAND:file [option] [cycles]
  double time_limit_seconds = -1;        // --time-limit: ask the engine to stop after it
  std::int64_t seed = -1;                // --seed
  int processes = 1;                     // --processes
  RoomOptions rooms;
  bool compute_anew = false;             // --new: CALC: from an empty week, the saved timetable set aside
  bool take_back = false;                // --take-back: the timetable set aside swaps with the saved one
  bool help = false;
  std::string error;                     // non-empty: the command line was not understood
};

OrarioOptions parse_command_line(int argc, char** argv);

// 0 Italian, 1 German, 2 English: the first of LC_ALL, LC_MESSAGES, LANG
// that is set and not empty decides ("it..." 0, "de..." 1, "en..." 2,
// anything else 0); no locale need be installed.
int language_from_environment();

// 0 for result 0; 1 for -1; 2 for -2; 3 for -3; 4 for -998 and -999; 130
// after Ctrl-C when nothing could be saved (main also answers 130 for a
// computation that Ctrl-C or the time limit stopped before its first save).
int exit_status(int result, bool interrupted);

// The program's own texts in the user's language (UTF-8, for the terminal).
enum class OrarioText { kUsage, kBadOption, kNoFolder, kBadFileName, kNoProcesses,
                        kViolationCount, kRoomCommand, kGroupingRooms, kDefaultCycles, kLostWorker,
                        kEndedBySignal, kEndedWithCode, kAnewCommand, kSetAside, kTakenBack, kNothingAside,
                        kReportsNotFollowing, kNoSavedTimetable, kStoppedBeforeSave };
const char* orario_text(OrarioText text, int language);
