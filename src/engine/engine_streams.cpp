// The engine's own open files. Every stream that or_fopen (or a replacement
// file) opens on the thread running an engine command is listed here, so the
// error paths can close exactly those and never a stream the user interface
// opened on its own thread.
//
// Invariants: a listed stream is open; or_fclose removes it before closing.
// A mutex guards the list because the user interface's thread also calls
// or_fclose on its own (unlisted) streams. A command opens a handful of files,
// so a small vector is the right shape.
#include <algorithm>
#include <mutex>
#include <vector>

#include "engine/errors.h"
#include "engine/report_services.h"

namespace {

thread_local bool t_engine_thread = false;
std::mutex g_streams_mutex;
std::vector<std::FILE*> g_streams;

}  // namespace

void or_mark_engine_thread(bool running) { t_engine_thread = running; }
bool or_on_engine_thread() { return t_engine_thread; }

void or_register_stream(std::FILE* stream) {
  if (!stream || !t_engine_thread) return;
  std::lock_guard<std::mutex> lock(g_streams_mutex);
  g_streams.push_back(stream);
}

void or_forget_stream(std::FILE* stream) {
  std::lock_guard<std::mutex> lock(g_streams_mutex);
  g_streams.erase(std::remove(g_streams.begin(), g_streams.end(), stream), g_streams.end());
}

int or_fclose(std::FILE* stream) {
  if (!stream) return EOF;
  or_forget_stream(stream);
  return std::fclose(stream);
}

void or_close_engine_streams() {
  or_drop_residual_log();
  std::vector<std::FILE*> open;
  {
    std::lock_guard<std::mutex> lock(g_streams_mutex);
    open.swap(g_streams);
  }
  for (std::FILE* s : open) std::fclose(s);
}
