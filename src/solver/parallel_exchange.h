// The search's side of the parallel solver processes: publishing a start
// timetable, offering and taking results through the two result slots,
// the progress header, the workers' sleep value and request bits.
#pragma once

#include <cstdint>
#include <string>

// Results this process took from the slots since it started (a figure for
// the benchmarks and tests).
extern int g_parpro_takes;
// Worker: the stage of the publish its current computation started from
// (-1 none), noted when it takes the go.
extern int g_worker_start_stage;
// Worker: the main process's run its current computation belongs to (the
// area's run serial), noted when it takes the go. Only that run's main
// takes its offers.
extern std::uint32_t g_worker_run_serial;
// The position of a stage in the staging order; -1 for none.
int or_stage_rank(int stage_id);
// Worker, before its search loop: a computation started from a publish of
// a later stage switches the stages before it on at once, their errors
// still counting, as the main process left them; it does not search each
// of them again until it stalls. Nothing in the main process.
void or_worker_catch_up();

// Worker: set while the run that has just ended with no error (every
// stage on, every teacher counted, no gap tolerated) offers its timetable.
// The offer is marked finished, and the main process takes it in whatever
// stage it is: the run's result, not a stage's.
extern bool g_offering_finished_run;

// Main process: kind 1 publishes the start timetable and header, kind 2
// after a slot-B take; source 1 the live placement, 0 slot A's timetable,
// -1 the stage's best. In a worker the same call offers a result.
void or_publish_to_workers(int kind, int cycle_target, int source);
// A worker offers its live placement (kind 1, slot A) or its stage best
// (kind 2, slot B).
void or_offer_to_main(int kind, int cycle_target);
// Once per cycle in the main process of a parallel run: level statistics,
// taking a slot, writing its progress header; in a worker: what it does
// with a publish it finds (or_worker_take_published). Nothing with a single
// process.
void or_exchange_with_workers();
// What a worker's search does with a publish (its go) of the run it
// computes, once per cycle: a publish of a stage before the worker's own is
// kept aside (the go is cleared, the search goes on); in the same stage, a
// timetable further on (every stage counter not above its own, one below)
// or a gap-stage best of better quality is taken into the running search,
// anything else kept aside; the gap stage's open search keeps its own
// always. A run that is being stopped leaves the go alone. A publish of a later stage or of another run is
// left to the command watcher, which starts the run again from it.
inline constexpr int kPublishLeft = 0;
inline constexpr int kPublishKept = 1;
inline constexpr int kPublishTakenAsLive = 2;
inline constexpr int kPublishTakenAsBest = 3;
int or_worker_take_published();
// Main process: the publishes its workers took into their searches so far.
int or_parpro_worker_takes();
// Main process: what each worker did in this run, "cicli=C1/C2/.. avvii=S1/S2/.."
// (search cycles and starts of the computation, worker by worker); the
// counts start again at every run.
std::string or_parpro_worker_counts();
void or_parpro_clear_worker_counts();
// Main process, as a run starts: a new run serial, and the result slots
// emptied. A worker that finished the last run after the main process had
// ended it leaves its timetable waiting there, and the next run would take
// it as its own result: the last run's week again (computed, if the school
// changed meanwhile, for the school as it was). A worker still on the last
// run offers nothing more.
void or_parpro_begin_run();
// Main process's CPU pacing: the workers' sleep value.
void or_set_worker_sleep(std::uint32_t milliseconds);
// Worker: serves the request bits and sleeps the shared sleep value.
void or_serve_worker_requests();
// Takes (and empties) the result slots; answers which one was taken: 0
// none, 1 slot A, 2 slot B. A slot whose timetable fails the checks is
// emptied and not taken. refused_a, when given, tells whether a slot-A
// result was there and not taken.
int or_take_result_slot(bool* refused_a = nullptr);
// Slot-A results this process looked at and did not take.
extern int g_parpro_refusals;
