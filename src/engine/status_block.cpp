// The status block instance, the run-control bytes and the parallel set-up
// handles, with the few operations on them that every engine file shares.
//
// clear() stores every atomic and wipes every buffer, field by field (atomics
// may not be memset). The mutex helpers take robust, process-shared pthread
// mutexes: a worker that died holding one leaves EOWNERDEAD, which we turn
// back into a usable mutex instead of blocking every other process.
#include "engine/status_block.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <cstring>

EngineStatusBlock g_status;

std::uint8_t g_quiet_no_timetable = 0;
std::uint8_t g_provisional_mode = 0;
std::uint8_t g_test_run = 0;
std::uint8_t g_eval_mode = 0;
std::int64_t g_requested_seed = -1;

std::uint8_t g_process_count = 0;
std::uint8_t g_parpro_trace = 0;
std::uint8_t g_worker_keeps_values = 0;
std::uint8_t* g_parpro_area = nullptr;
pthread_mutex_t* g_parpro_io_mutex = nullptr;
pthread_mutex_t* g_parpro_com_mutex = nullptr;

std::timed_mutex g_problems_mutex;

std::string or_parpro_object_name(const char* base) {
  const char* tag = std::getenv("KESTRINTEMPUS_PARPRO_TAG");
  std::string name = base;
  if (tag && *tag) name += std::string(".") + tag;
  return name;
}

void EngineStatusBlock::clear() {
  for (AtomicU8* b : {&run_state, &phase, &focus_mode, &staging_request, &staging_parameter,
                      &staging_ack, &weight_balancing, &exemption_proposal, &cpu_pacing,
                      &gap_stage_state, &gap_tolerance_level, &reporting})
    b->store(0);
  pause = 0;
  history_count = 0;
  for (AtomicI32* w :
       {&record_cycle, &test_count, &error_count, &second_stage_counter, &level,
        &level_companion, &stage_id, &stage_value, &gap_stage_teacher, &gap_stage_count,
        &gap_stage_target, &gap_stage_error, &test_counter, &worst_teacher, &worst_class,
        &switched_off_count, &stage_start_id, &stage_counters[0], &stage_counters[1],
        &teachers_processed, &released_teacher, &teachers_in_test, &teacher_total, &gap_count,
        &elapsed_seconds, &language, &violation_count})
    w->store(0);
  room_params = nullptr;
  std::memset(test_name, 0, sizeof(test_name));
  std::memset(history_codes, 0, sizeof(history_codes));
  std::memset(history_first, 0, sizeof(history_first));
  std::memset(history_second, 0, sizeof(history_second));
  std::memset(test_display_name, 0, sizeof(test_display_name));
  std::memset(status_text, 0, sizeof(status_text));
  std::memset(progress_text, 0, sizeof(progress_text));
  std::memset(violations, 0, sizeof(violations));
  std::memset(message, 0, sizeof(message));
}

void or_append_history(std::int32_t code) {
  int count = g_status.history_count;
  if (count < 0 || count >= kRunHistorySize) return;
  g_status.history_codes[count] = code;
  g_status.history_count = static_cast<std::int8_t>(count + 1);
}

bool or_wait_mutex_for(pthread_mutex_t* mutex, int milliseconds) {
  if (!mutex) return true;
  timespec until;
  clock_gettime(CLOCK_REALTIME, &until);
  until.tv_sec += milliseconds / 1000;
  until.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
  if (until.tv_nsec >= 1000000000L) {
    until.tv_sec += 1;
    until.tv_nsec -= 1000000000L;
  }
  int rc = pthread_mutex_timedlock(mutex, &until);
  if (rc == EOWNERDEAD) pthread_mutex_consistent(mutex);
  return rc == 0 || rc == EOWNERDEAD;
}

void or_release_mutex(pthread_mutex_t* mutex) {
  if (!mutex) return;
  // A robust mutex answers EPERM when this thread is not the owner; the
  // error paths release both mutexes whether or not they hold them.
  pthread_mutex_unlock(mutex);
}
