// The shared area of the parallel solver processes ("KestrinTempusParproArea.map",
// 68530 bytes) and its two named mutexes, as one packed record whose field
// offsets are the ones every process of every build agrees on.
//
// The main process creates the area and the mutexes before it starts its
// workers; each worker opens them. Every field is read and written under
// the COM mutex (g_parpro_com_mutex); the data files under the IO mutex.
// The record is packed and the area is mapped at a page boundary, so
// scalar fields are read through the packed record (the compiler emits
// unaligned loads) and timetables are byte arrays copied with memcpy.
// Bytes the layout leaves free carry the description's name, the lesson
// count and a model checksum, which a process checks before it takes a
// timetable from the area, and each worker's cycles and starts of the run.
//
// Workload: a few accesses per search cycle, each copying at most one
// timetable of 20000 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/model.h"
#include "engine/status_block.h"

inline constexpr std::size_t kParproAreaBytes = kParproAreaSize;  // one size for every process
inline constexpr int kParproFolderSize = 400;
inline constexpr int kParproFileNameSize = 23;
inline constexpr int kParproTimetableBytes = kMaxLessons * 2;

// Command bytes of the workers.
inline constexpr std::uint8_t kParproGo = 1;
inline constexpr std::uint8_t kParproStopAuto = 9;
inline constexpr std::uint8_t kParproQuit = 100;
// Request bits of the workers.
inline constexpr std::uint8_t kParproRequestExemptions = 1;
inline constexpr std::uint8_t kParproRequestPairings = 2;
// Slot states.
inline constexpr std::uint8_t kSlotAFull = '3';
inline constexpr std::uint8_t kSlotBFull = '4';

#pragma pack(push, 1)
// The progress header a process writes and a result slot carries.
struct ParproHeader {
  std::uint32_t second_stage_counter;
  std::uint32_t level;
  std::uint8_t gap_stage_state;
  std::uint32_t gap_stage_count;
  std::uint32_t stage_id;
  std::uint32_t cycle_target;  // test runs: the teacher under test
};

struct ParproArea {
  char current_folder[kParproFolderSize];     // 0: the school folder of the run
  char description_name[kParproFileNameSize]; // 400: the description the workers load
  std::uint8_t command[8];                    // 423 + i: process i (1..7); [0] unused
  std::uint8_t request[8];                    // 431 + i
  std::uint8_t spare0;                        // 439
  std::uint32_t lesson_count;                 // 440: of the published timetable
  std::uint32_t model_checksum;               // 444: of the publishing model
  std::int32_t requested_seed;                // 448: the main's fixed seed, -1 none
  std::uint32_t worker_takes;                 // 452: publishes the workers took while searching
  std::int32_t main_pid;                      // 456: the process that created the area
  std::uint8_t slot_a_finished;               // 460: slot A holds a run that ended with no error
  // 461: counts the main process's runs. The desktop program's workers live
  // across its runs, and a run's go looks like the last one's (the same
  // command, model and stage), so this is what tells them apart.
  std::uint32_t run_serial;
  std::uint8_t spare1[6];                     // 465
  std::uint8_t eval_mode;                     // 471
  std::uint8_t provisional_mode;              // 472
  std::uint8_t test_run;                      // 473
  std::uint8_t run_code;                      // 474
  std::uint8_t worker_pacing;                 // 475: tenths of a second before a move
  std::uint32_t worker_sleep_ms;              // 476
  ParproHeader progress;                      // 480
  std::uint8_t start_timetable[kParproTimetableBytes];  // 501
  std::uint32_t teacher_values[kMaxTeachers];           // 20501
  std::uint32_t level_rises[kMaxTeachers];              // 22501
  std::uint32_t level_falls[kMaxTeachers];              // 24501
  std::uint8_t slot_a_state;                            // 26501
  ParproHeader slot_a_header;                           // 26502
  std::uint8_t slot_a_timetable[kParproTimetableBytes]; // 26523
  // What each worker did in the current run (for the run's summary): the
  // search cycles it ran and how often it started the computation.
  std::uint32_t worker_cycles[8];                       // 46523 + 4 i
  std::uint32_t worker_starts[8];                       // 46555 + 4 i
  std::uint8_t spare2[1936];                            // 46587
  std::uint8_t slot_b_state;                            // 48523
  std::uint8_t slot_b_flag;                             // 48524
  std::uint8_t slot_b_quality;                          // 48525
  std::uint32_t slot_b_value;                           // 48526
  std::uint8_t slot_b_timetable[kParproTimetableBytes]; // 48530
};
#pragma pack(pop)

static_assert(sizeof(ParproHeader) == 21, "progress header is 21 bytes");
static_assert(offsetof(ParproArea, command) + 0 == kParproCommandByte, "command bytes at 423 + i");
static_assert(offsetof(ParproArea, request) == 431, "request bytes at 431 + i");
static_assert(offsetof(ParproArea, run_serial) == 461, "run serial at 461");
static_assert(offsetof(ParproArea, eval_mode) == 471, "mode bytes at 471");
static_assert(offsetof(ParproArea, worker_pacing) == 475, "pacing byte at 475");
static_assert(offsetof(ParproArea, worker_sleep_ms) == 476, "sleep word at 476");
static_assert(offsetof(ParproArea, progress) == 480, "progress header at 480");
static_assert(offsetof(ParproArea, start_timetable) == 501, "start timetable at 501");
static_assert(offsetof(ParproArea, teacher_values) == 20501, "teacher values at 20501");
static_assert(offsetof(ParproArea, level_rises) == 22501, "first level table at 22501");
static_assert(offsetof(ParproArea, level_falls) == 24501, "second level table at 24501");
static_assert(offsetof(ParproArea, slot_a_state) == 26501, "slot A at 26501");
static_assert(offsetof(ParproArea, slot_a_header) == 26502, "slot A header at 26502");
static_assert(offsetof(ParproArea, slot_a_timetable) == 26523, "slot A timetable at 26523");
static_assert(offsetof(ParproArea, slot_b_state) == 48523, "slot B at 48523");
static_assert(offsetof(ParproArea, slot_b_flag) == 48524, "slot B flag at 48524");
static_assert(offsetof(ParproArea, slot_b_quality) == 48525, "slot B quality at 48525");
static_assert(offsetof(ParproArea, slot_b_value) == 48526, "slot B value at 48526");
static_assert(offsetof(ParproArea, slot_b_timetable) == 48530, "slot B timetable at 48530");
static_assert(sizeof(ParproArea) == kParproAreaBytes, "the area is 68530 bytes");

inline ParproArea* parpro_area() { return reinterpret_cast<ParproArea*>(g_parpro_area); }

// True when this process takes part in a parallel run: the main process with
// workers, or a worker.
bool parpro_active();

// Creates the area and both mutexes (main process), replacing stale ones;
// records the school folder and description name for the workers. False,
// with nothing set up, when a name is too long or the system refuses.
bool parpro_create(int process_count, const char* folder, const char* description_name);
// Opens what the main process created (worker process index 1..7). False
// when it is not there (yet).
bool parpro_open(int worker_index);
// Unmaps the area and the mutexes and clears the engine's handles; the
// creator also removes the names.
void parpro_close();
// Removes names a crashed run left behind.
void parpro_remove_names();
// Removes the area and mutex names that main processes killed before they
// could remove them left behind (their tag names a process that is gone).
void parpro_remove_orphaned_names();
// Main process, before it creates the area: tags the names with its process
// id (KESTRINTEMPUS_PARPRO_TAG, which the workers inherit) unless a tag is
// set already, so two programs on one machine never share an area and the
// area of a program that was killed is known for an orphan.
void parpro_tag_names_with_process();

// Takes and releases the COM mutex. The wait is bounded: a holder that died
// hands the mutex on (it is robust), and one that is stuck while holding it
// makes the caller skip its access instead of waiting for ever. False when
// the mutex was not taken (or there is none).
inline constexpr int kParproLockWaitMs = 2000;
bool parpro_lock();
void parpro_unlock();

// Command and request bytes of process i (1..7), each under the COM mutex.
std::uint8_t parpro_command(int i);
// Main process: the description the workers load at their next go (the
// desktop program's workers live across runs of different descriptions).
bool parpro_set_description_name(const char* name);
// The process that created the open area (0 when none is open). A worker
// whose parent is no longer that process has lost its program, even when
// the program died before the worker first looked.
int parpro_main_pid();
void parpro_set_all_commands(std::uint8_t value);

// A checksum of the loaded model's lessons (who teaches what to whom): two
// processes that loaded the same description agree on it.
std::uint32_t parpro_model_checksum();

// Checks a timetable taken from the area against the loaded model: the
// lesson count and checksum the area carries, every lesson inside the week,
// no clash. Returns -1 when it may be used, else the first lesson that fails
// (0 when the count or checksum differs). Leaves the placement unchanged.
int parpro_check_timetable(const std::uint8_t* timetable);
// Copies a placement into an area timetable field and back.
void parpro_store_timetable(std::uint8_t* field, const std::uint16_t* placement);
void parpro_load_timetable(std::uint16_t* placement, const std::uint8_t* field);
