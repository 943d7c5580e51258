// The timed trace log of a run and the small utilities the whole engine
// shares: date and number texts and the 64-bit counters.
//
// A trace line is "%-98.98s Ms:%-8d TS:%d\n": the text cut or padded to 98
// characters, the milliseconds since the previous line (since the restart for
// the first one) and the whole seconds since the restart. While the report
// mode word is negative the line also goes to the residual-errors file.
// The clock is injectable so tests can check the figures without sleeping.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/report_services.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"

namespace {

std::int64_t steady_milliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TraceClock g_trace_clock = steady_milliseconds;
std::int32_t g_trace_start = 0;
std::int32_t g_trace_last = 0;

std::int32_t clock_now() { return static_cast<std::int32_t>(g_trace_clock()); }

}  // namespace

void or_set_trace_clock(TraceClock clock) {
  g_trace_clock = clock ? clock : steady_milliseconds;
}

void or_trace(const char* text) {
  std::int32_t now = clock_now();
  if (!text) {
    g_trace_start = now;
    g_trace_last = 0;
    g_status.elapsed_seconds = 0;
    return;
  }
  std::int32_t elapsed = now - g_trace_start;
  std::int32_t seconds = elapsed / 1000;
  std::int32_t delta = elapsed - g_trace_last;
  char line[160];
  std::snprintf(line, sizeof(line), "%-98.98s Ms:%-8d TS:%d\n", text, delta, seconds);
  g_status.elapsed_seconds = seconds;
  g_trace_last = elapsed;
  if (g_process_number != 0) return;  // a worker's trace is not the run's
  if (g_eng_run.report_mode < 0)
    or_log_residual_error(line);
  else
    or_print_console(line);
}

const char* or_now_text() {
  static char buffer[80];
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  std::snprintf(buffer, sizeof(buffer), "%02d-%02d-%04d %02d:%02d:%02d", local.tm_mday,
                local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
                local.tm_sec);
  return buffer;
}

const char* or_int_text(int n) {
  static char buffer[16];
  if (n == 0)
    buffer[0] = '\0';
  else
    std::snprintf(buffer, sizeof(buffer), "%d", n);
  return buffer;
}

void or_counter_add(EngineCounter* counter, std::uint32_t amount) {
  std::uint32_t before = counter->low;
  counter->low += amount;
  if (counter->low < before) ++counter->high;
}

void or_counter_copy(EngineCounter* destination, const EngineCounter* source) {
  destination->high = source->high;
  destination->low = source->low;
}

int or_counter_less(const EngineCounter* a, const EngineCounter* b) {
  if (a->high != b->high) return a->high < b->high ? 1 : 0;
  return a->low < b->low ? 1 : 0;
}
