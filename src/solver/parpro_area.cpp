// Creating, opening and closing the shared area of the parallel solver
// processes and its two named mutexes; the command bytes; the checks a
// timetable from the area passes before a process uses it.
//
// The mutexes are robust, process-shared, recursive pthread mutexes, each
// in a small shared-memory object of its own, so that the engine can hold
// them through the plain pthread handles it keeps (g_parpro_io_mutex,
// g_parpro_com_mutex): a worker that dies holding one leaves it to the next
// locker instead of blocking every other process. The object names carry
// an optional tag from the environment (KESTRINTEMPUS_PARPRO_TAG), which the
// workers inherit, so two runs on one machine never share an area.
#include "solver/parpro_area.h"

#include <unistd.h>

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "engine/placement_check.h"
#include "engine/shell_services.h"
#include "platform/shared_memory.h"
#include "solver/solver_state.h"

namespace {

constexpr std::uint32_t kCellReady = 0x50504D58;

struct MutexCell {
  std::atomic<std::uint32_t> ready;
  pthread_mutex_t mutex;
};

kt::SharedMemory g_area_memory;
kt::SharedMemory g_io_memory;
kt::SharedMemory g_com_memory;

// The bases also appear in parpro_remove_orphaned_names.
std::string area_name() { return or_parpro_object_name("KestrinTempusParproArea.map"); }
std::string io_name() { return or_parpro_object_name("KestrinTempusParproMutexIO.dat"); }
std::string com_name() { return or_parpro_object_name("KestrinTempusParproMutexCOM.dat"); }

bool create_cell(kt::SharedMemory& memory, const std::string& name) {
  memory = kt::SharedMemory::create(name, sizeof(MutexCell));
  if (!memory) return false;
  MutexCell* cell = new (memory.data()) MutexCell;
  pthread_mutexattr_t attr;
  int rc = pthread_mutexattr_init(&attr);
  if (rc == 0) rc = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
  if (rc == 0) rc = pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
  if (rc == 0) rc = pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  if (rc == 0) rc = pthread_mutex_init(&cell->mutex, &attr);
  pthread_mutexattr_destroy(&attr);
  if (rc != 0) {
    memory.close();
    return false;
  }
  cell->ready.store(kCellReady, std::memory_order_release);
  return true;
}

bool open_cell(kt::SharedMemory& memory, const std::string& name) {
  memory = kt::SharedMemory::open(name, sizeof(MutexCell));
  if (!memory) return false;
  // The creator initialises the cell before it starts any worker, so a
  // worker finds it ready; a cell that is not is refused, not waited for.
  auto* cell = static_cast<MutexCell*>(memory.data());
  if (cell->ready.load(std::memory_order_acquire) != kCellReady) {
    memory.close();
    return false;
  }
  return true;
}

pthread_mutex_t* mutex_of(const kt::SharedMemory& memory) {
  return &static_cast<MutexCell*>(memory.data())->mutex;
}

void copy_text(char* to, int size, const char* from) {
  std::memset(to, 0, static_cast<std::size_t>(size));
  std::strncpy(to, from, static_cast<std::size_t>(size - 1));
}

}  // namespace

bool parpro_active() {
  return g_parpro_area != nullptr && (g_process_count > 1 || g_process_number > 0);
}

bool parpro_create(int process_count, const char* folder, const char* description_name) {
  if (std::strlen(folder) >= kParproFolderSize ||
      std::strlen(description_name) >= kParproFileNameSize)
    return false;
  parpro_close();
  g_area_memory = kt::SharedMemory::create(area_name(), kParproAreaBytes);
  if (!g_area_memory || !create_cell(g_io_memory, io_name()) ||
      !create_cell(g_com_memory, com_name())) {
    parpro_close();
    return false;
  }
  g_parpro_area = g_area_memory.bytes();
  g_parpro_io_mutex = mutex_of(g_io_memory);
  g_parpro_com_mutex = mutex_of(g_com_memory);
  ParproArea* area = parpro_area();
  copy_text(area->current_folder, kParproFolderSize, folder);
  copy_text(area->description_name, kParproFileNameSize, description_name);
  area->requested_seed = -1;
  area->main_pid = static_cast<std::int32_t>(::getpid());
  g_process_count = static_cast<std::uint8_t>(process_count);
  g_process_number = 0;
  return true;
}

bool parpro_open(int worker_index) {
  parpro_close();
  g_area_memory = kt::SharedMemory::open(area_name(), kParproAreaBytes);
  if (!g_area_memory || !open_cell(g_io_memory, io_name()) ||
      !open_cell(g_com_memory, com_name())) {
    parpro_close();
    return false;
  }
  g_parpro_area = g_area_memory.bytes();
  g_parpro_io_mutex = mutex_of(g_io_memory);
  g_parpro_com_mutex = mutex_of(g_com_memory);
  // A worker sees a process count below 2 and its own index above 0.
  g_process_count = 1;
  g_process_number = static_cast<std::int8_t>(worker_index);
  g_solver.worker_index = worker_index;
  return true;
}

void parpro_close() {
  g_parpro_area = nullptr;
  g_parpro_io_mutex = nullptr;
  g_parpro_com_mutex = nullptr;
  g_area_memory.close();
  g_io_memory.close();
  g_com_memory.close();
  g_process_count = 0;
}

void parpro_remove_orphaned_names() {
  for (const char* base : {"KestrinTempusParproArea.map", "KestrinTempusParproMutexIO.dat",
                           "KestrinTempusParproMutexCOM.dat"})
    kt::SharedMemory::remove_orphans(base);
}

void parpro_tag_names_with_process() {
  const char* tag = std::getenv("KESTRINTEMPUS_PARPRO_TAG");
  if (tag && *tag) return;
  ::setenv("KESTRINTEMPUS_PARPRO_TAG", std::to_string(::getpid()).c_str(), 1);
}

void parpro_remove_names() {
  kt::SharedMemory::remove(area_name());
  kt::SharedMemory::remove(io_name());
  kt::SharedMemory::remove(com_name());
}

bool parpro_lock() {
  if (!g_parpro_area || !g_parpro_com_mutex) return false;
  return or_wait_mutex_for(g_parpro_com_mutex, kParproLockWaitMs);
}

void parpro_unlock() { or_release_mutex(g_parpro_com_mutex); }

bool parpro_set_description_name(const char* name) {
  if (!g_parpro_area || g_process_number != 0 || std::strlen(name) >= kParproFileNameSize || !parpro_lock())
    return false;
  copy_text(parpro_area()->description_name, kParproFileNameSize, name);
  parpro_unlock();
  return true;
}

int parpro_main_pid() { return g_parpro_area ? parpro_area()->main_pid : 0; }

std::uint8_t parpro_command(int i) {
  if (!g_parpro_area || i < 1 || i > kMaxWorkerProcesses || !parpro_lock()) return 0;
  std::uint8_t value = parpro_area()->command[i];
  parpro_unlock();
  return value;
}

void parpro_set_all_commands(std::uint8_t value) {
  if (!g_parpro_area) return;
  bool locked = parpro_lock();
  for (int i = 1; i <= kMaxWorkerProcesses; ++i) parpro_area()->command[i] = value;
  if (locked) parpro_unlock();
}

std::uint32_t parpro_model_checksum() {
  // FNV-1a over the fields that say who teaches what to whom.
  std::uint32_t h = 2166136261u;
  auto mix = [&h](std::int32_t v) {
    for (int b = 0; b < 4; ++b) {
      h ^= static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * b));
      h *= 16777619u;
    }
  };
  int n = g_eng_school.lesson_count;
  mix(n);
  mix(g_eng_school.teacher_count);
  mix(g_eng_school.class_count);
  for (int i = 0; i < n && i < kMaxLessons; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    mix(l.teacher);
    mix(l.class_index);
    mix(l.subject);
    mix(l.second_teacher);
    mix(l.room);
  }
  return h;
}

void parpro_store_timetable(std::uint8_t* field, const std::uint16_t* placement) {
  int n = g_eng_school.lesson_count;
  if (n < 0) n = 0;
  if (n > kMaxLessons) n = kMaxLessons;
  std::memcpy(field, placement, static_cast<std::size_t>(n) * 2);
}

void parpro_load_timetable(std::uint16_t* placement, const std::uint8_t* field) {
  int n = g_eng_school.lesson_count;
  if (n < 0) n = 0;
  if (n > kMaxLessons) n = kMaxLessons;
  std::memcpy(placement, field, static_cast<std::size_t>(n) * 2);
}

int parpro_check_timetable(const std::uint8_t* timetable) {
  const ParproArea* area = parpro_area();
  int n = g_eng_school.lesson_count;
  if (!area || n < 0 || n > kMaxLessons) return 0;
  if (area->lesson_count != static_cast<std::uint32_t>(n) ||
      area->model_checksum != parpro_model_checksum())
    return 0;
  // Place the candidate on the lessons, ask the placement check, and put
  // the lessons back whatever it answers.
  std::vector<std::uint16_t> own(static_cast<std::size_t>(n));
  std::vector<std::uint16_t> candidate(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) own[i] = lesson_place(i);
  std::memcpy(candidate.data(), timetable, static_cast<std::size_t>(n) * 2);
  for (int i = 0; i < n; ++i) set_lesson_place(i, candidate[i]);
  int bad = or_first_misplaced_lesson(true);
  for (int i = 0; i < n; ++i) set_lesson_place(i, own[i]);
  return bad;
}
