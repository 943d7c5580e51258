// The engine status block and the run-control bytes: what a running engine
// command shares with the user interface's computation pages, and the flags
// the user interface sets before a run.
//
// One instance, `g_status`, is shared by the engine thread and the pages'
// timers without a lock. Every scalar field is an atomic (single bytes and
// 32-bit words, lock-free), so a page may poll it while the engine writes;
// the text buffers and record arrays are written by the engine and read
// after the phase byte or the run-state byte says they are ready. The page
// clears the block with clear() before each run.
//
// Workload: the search loop reads the stop, pause, pacing and staging bytes
// once per cycle; the pages read counters and texts a few times a second.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <pthread.h>

#include "engine/model.h"

inline constexpr int kMessageSize = 400;          // the engine's message text buffer
inline constexpr int kRunHistorySize = 99;        // entries are added only below it
inline constexpr int kMaxViolationRecords = 199;  // violation list of the status block
inline constexpr int kStatusTextSize = 41;        // 40 characters and a terminator
inline constexpr int kProgressTextSize = 400;     // one progress line and its terminator
inline constexpr int kTestNameSize = 21;

// Run-state byte values.
inline constexpr std::uint8_t kRunStateRunning = 0;
inline constexpr std::uint8_t kRunStateStopRequested = 1;
inline constexpr std::uint8_t kRunStateFinished = 255;

// Run-history codes written by the command interpreter at the end of a
// command: +1 when a stop was requested during the run, -1 when none was,
// 51 for an error exit.
inline constexpr std::int32_t kHistoryEndAfterStop = 1;
inline constexpr std::int32_t kHistoryEndWithoutStop = -1;
inline constexpr std::int32_t kHistoryErrorExit = 51;

// One entry of the violation list (the remaining problems of a run).
struct ViolationRecord {
  std::uint32_t constraint_id;
  std::uint32_t teacher;
  std::uint32_t class_index;
  std::uint32_t detail;
  std::uint32_t count;
  std::uint32_t record_number;
  char text[41];
  std::uint8_t detail_map[129];
  std::uint32_t teacher_points;
  std::uint32_t teacher_points2;
  std::uint32_t teacher_release_rank;
};

// Parameters of the room-assignment window, reached through the status block.
struct RoomAllocationParams {
  std::int32_t teachers_per_room;  // 0 selects the lesson-to-room allocation
  std::int32_t rooms_per_building[10];
  std::int32_t best_result;        // 99888777 = no result yet
  std::uint8_t allocation_mode;    // 0 by class, 1 by teacher, 2 by room
};

using AtomicU8 = std::atomic<std::uint8_t>;
using AtomicI8 = std::atomic<std::int8_t>;
using AtomicI32 = std::atomic<std::int32_t>;
using AtomicU32 = std::atomic<std::uint32_t>;

struct EngineStatusBlock {
  // run control
  AtomicU8 run_state;          // 0 running, 1 stop asked by the user interface, 255 finished
  AtomicU8 phase;              // 255 whenever a progress line or status text is ready
  AtomicU32 pause;             // non-zero asks for a pause
  AtomicU8 focus_mode;
  AtomicU8 staging_request;    // bit 4 apply the stage again, bit 8 leave the gap stage
  AtomicU8 staging_parameter;
  AtomicU8 staging_ack;        // the request bits the engine served
  AtomicU8 weight_balancing;   // non-zero: "BILA:" runs the weight balancing phase
  AtomicU8 exemption_proposal;
  AtomicU8 cpu_pacing;         // "Non utilizzare la CPU al massimo"
  char test_name[kTestNameSize];
  // run history
  AtomicI8 history_count;
  std::int32_t history_codes[kRunHistorySize];
  std::int32_t history_first[kRunHistorySize];
  std::int32_t history_second[kRunHistorySize];
  // search counters
  AtomicI32 record_cycle;
  AtomicI32 test_count;
  char test_display_name[kTestNameSize];
  AtomicI32 error_count;
  AtomicI32 second_stage_counter;
  AtomicI32 level;
  AtomicI32 level_companion;
  AtomicU8 gap_stage_state;
  AtomicI32 stage_id;          // -1 none
  AtomicI32 stage_value;       // -1 none
  AtomicI32 gap_stage_teacher;
  AtomicI32 gap_stage_count;
  AtomicI32 gap_stage_target;
  AtomicI32 gap_stage_error;
  AtomicI32 test_counter;
  AtomicI32 worst_teacher;     // -2 none
  AtomicI32 worst_class;       // -2 none
  AtomicI32 switched_off_count;
  AtomicI32 stage_start_id;
  AtomicI32 stage_counters[2];
  AtomicI32 teachers_processed;
  AtomicU8 gap_tolerance_level;  // 0 to 7
  AtomicI32 released_teacher;    // t, or -100 - t; -1 none
  AtomicI32 teachers_in_test;
  AtomicI32 teacher_total;
  AtomicI32 gap_count;
  AtomicU8 reporting;            // 1 while a full evaluation with reports runs
  AtomicI32 elapsed_seconds;     // written by the trace log
  // language and texts
  AtomicI32 language;            // 0 Italian, 1 German, 2 English
  char status_text[kStatusTextSize];
  char progress_text[kProgressTextSize];
  // violation list
  AtomicI32 violation_count;
  ViolationRecord violations[kMaxViolationRecords];
  std::atomic<RoomAllocationParams*> room_params;
  // the engine's message for the user (code page 1252)
  char message[kMessageSize];

  // Clears the whole block, as the launching page does before each run.
  void clear();
};

extern EngineStatusBlock g_status;

// ---- Run-control bytes set by the user interface before a run ---------------

extern std::uint8_t g_quiet_no_timetable;  // a missing timetable ends the command quietly
extern std::uint8_t g_provisional_mode;    // "cattPROV.txt", ".\\Provvisorio\\", ".\\saveprov.txt"
extern std::uint8_t g_test_run;            // "cattTEST.txt", ".\\savetest.txt"
extern std::uint8_t g_eval_mode;           // 2: every evaluator runs whatever its switch says
// A fixed seed for the next computations (the command line's --seed, tests);
// -1: the initial assignment derives the seed from the clock as usual.
extern std::int64_t g_requested_seed;

// ---- Parallel solver processes -----------------------------------------------

inline constexpr int kMaxWorkerProcesses = 7;
inline constexpr int kParproCommandByte = 423;  // + i: command byte of process i (1..7)
inline constexpr std::uint8_t kParproStop = 2;
inline constexpr int kParproAreaSize = 68530;   // past result slot B's timetable

// The name of a shared object of the parallel set-up: the Windows-style base
// name, with "." and the tag of KESTRINTEMPUS_PARPRO_TAG added when that is
// set. The workers inherit the tag, so two runs on one machine never share
// an area; the main process, its workers and their fallback wait all name
// the objects through here.
std::string or_parpro_object_name(const char* base);

extern std::uint8_t g_process_count;        // solver processes; above 1 when workers run
extern std::uint8_t g_parpro_trace;         // asks for "PARTIAL" and history code 61
extern std::uint8_t g_worker_keeps_values;  // a worker keeps the derived minimum hours
extern std::uint8_t* g_parpro_area;         // the shared area, null when none was set up
// The two named mutexes of the parallel set-up: process-shared, robust
// pthread mutexes in shared memory; null when none was set up.
extern pthread_mutex_t* g_parpro_io_mutex;
extern pthread_mutex_t* g_parpro_com_mutex;
// Waits at most that long for a parallel mutex (none: returns at once); a
// holder that died leaves it consistent for the next owner. False when the
// mutex stayed taken that long.
bool or_wait_mutex_for(pthread_mutex_t* mutex, int milliseconds);
// Releases a parallel mutex; harmless when this thread does not hold it.
void or_release_mutex(pthread_mutex_t* mutex);

// Guards the live problems list between the solver and the problems monitor;
// lives for the whole process.
extern std::timed_mutex g_problems_mutex;

// ---- Room-assignment window, held for the engine ------------------------------

// Appends a code to the run history when fewer than 99 entries are stored.
void or_append_history(std::int32_t code);
