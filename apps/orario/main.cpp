// orario: one engine command from the command line, run exactly as the user
// interface runs it (fromGui 1, argv[0] "Questo non serve"), in the school
// folder that holds the description. It prints the trace's lines, writes the
// engine's message in the user's language on failure, and exits with a status
// derived from the result code (see command_line.h).
//
// Ctrl-C and --time-limit ask the running computation to stop through the
// engine's own stop request (the run-state byte), so the best timetable is
// saved as on a stop from the user interface; a second Ctrl-C ends at once.
// With --processes N it starts N-1 copies of itself ("PARPRO:i-n") that
// search beside it through the shared area and ends them with the command.
#include <unistd.h>

#include <sys/stat.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "command_line.h"
#include "engine/engine_main.h"
#include "engine/shell_services.h"
#include "engine/solver_entry.h"
#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "engine/report_services.h"
#include "solver/classroom_allocation.h"
#include "solver/parallel_workers.h"
#include "solver/parpro_area.h"
#include "solver/room_window_handover.h"
#include "solver/violation_reporter.h"

namespace {

volatile std::sig_atomic_t g_interrupts = 0;
// Set once the time limit passed: a later command of the same run (the room
// options run several) is asked to stop too.
std::atomic<bool> g_time_up{false};

void on_interrupt(int) {
  if (g_interrupts > 0) ::_exit(130);
  g_interrupts = 1;
  g_status.run_state.store(kRunStateStopRequested);
}

// Asks the engine to stop when the time limit passes; ends early when the
// command finishes first.
class StopTimer {
 public:
  explicit StopTimer(double seconds) {
    if (seconds < 0) return;
    // No time at all: the stop stands before the command starts, not after
    // however long a thread takes to be scheduled.
    if (seconds == 0) {
      g_time_up = true;
      g_status.run_state.store(kRunStateStopRequested);
      return;
    }
    thread_ = std::thread([this, seconds] {
      std::unique_lock<std::mutex> lock(mutex_);
      auto limit = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
      if (!done_cv_.wait_for(lock, limit, [this] { return done_; })) {
        g_time_up = true;
        g_status.run_state.store(kRunStateStopRequested);
      }
    });
  }
  ~StopTimer() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    done_cv_.notify_all();
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool done_ = false;
};

void print_error(const std::string& text) { std::fputs(text.c_str(), stderr); }

// A parallel worker ("PARPRO:i-n"): serves its command byte until the main
// process tells it to quit or is gone.
int run_worker(const std::string& word, int language) {
  int index = 0, count = 0;
  if (std::sscanf(word.c_str() + 7, "%d-%d", &index, &count) != 2 || index < 1 || index > 7)
    return 1;
  return parpro_run_worker_process(index, language);
}

// Starts the workers of --processes; false when they could not be started.
bool start_workers(int processes, const std::string& engine_file) {
  parpro_tag_names_with_process();
  char folder[4096];
  if (!::getcwd(folder, sizeof folder)) return false;
  // The area carries the folder as the program names it (1252).
  return parpro_start_workers(processes, kt::utf8_to_cp1252(folder).c_str(), engine_file.c_str());
}

// "SNOD:" and "SBIL:" check the saved timetable: the violations the engine
// kept, one per line as the residual list writes them, then their count.
void print_violations(int language) {
  int records = g_status.violation_count.load();
  if (records < 0) records = 0;
  if (records > kMaxViolationRecords) records = kMaxViolationRecords;
  char line[256];
  for (int i = 0; i < records; ++i) {
    const ViolationRecord& r = g_status.violations[i];
    or_format_violation_line(line, sizeof line, r.teacher, r.class_index, r.text, r.count,
                             r.constraint_id);
    std::fputs(kt::cp1252_to_utf8(line).c_str(), stdout);
  }
  std::printf("%s%d\n", orario_text(OrarioText::kViolationCount, language),
              static_cast<int>(g_status.error_count.load()));
}

// Workers that ended during the command (killed, or failed) are named: the
// computation went on without them, which the user should know.
void say_lost_workers(const std::vector<LostWorker>& lost, int language) {
  for (const LostWorker& w : lost) {
    char how[64], line[400];
    if (w.status.exited)
      std::snprintf(how, sizeof how, orario_text(OrarioText::kEndedWithCode, language), w.status.code);
    else
      std::snprintf(how, sizeof how, orario_text(OrarioText::kEndedBySignal, language), w.status.signal);
    std::snprintf(line, sizeof line, orario_text(OrarioText::kLostWorker, language), w.index, how);
    print_error(line);
  }
}

// One engine command as the user interface starts it: the status block
// cleared, the language set, the room block handed over when there is one.
int run_engine(const std::string& command, const std::vector<std::string>& texts, int language,
               RoomAllocationParams* rooms = nullptr) {
  std::vector<const char*> argv = {"Questo non serve", command.c_str()};
  for (const std::string& text : texts) argv.push_back(text.c_str());
  argv.push_back(nullptr);
  g_status.clear();
  if (g_interrupts > 0 || g_time_up) g_status.run_state = kRunStateStopRequested;
  g_status.language = language;
  g_status.room_params = rooms;
  g_language = static_cast<std::uint8_t>(language);
  int result = or_main(1, static_cast<int>(argv.size() - 1), argv.data());
  g_status.room_params = nullptr;
  return result;
}

void print_engine_message(int result) {
  if (result == 0 || !g_status.message[0]) return;
  std::string message = kt::cp1252_to_utf8(g_status.message);
  if (message.back() != '\n') message += '\n';
  print_error(message);
}

void print_cp1252_line(std::FILE* out, const std::string& text) {
  std::fputs((kt::cp1252_to_utf8(text.c_str()) + "\n").c_str(), out);
}

std::vector<RoomWindowClass> room_records(const RoomOptions& options) {
  std::vector<RoomWindowClass> records;
  auto record = [&records](const std::string& code) -> RoomWindowClass& {
    for (RoomWindowClass& r : records)
      if (r.code == code) return r;
    records.push_back({code, true, "", {}});
    return records.back();
  };
  for (const RoomOptions::ClassRoom& c : options.class_rooms) {
    RoomWindowClass& r = record(kt::utf8_to_cp1252(c.code));
    r.room = kt::utf8_to_cp1252(c.room);
    r.movable = c.movable;
  }
  for (const auto& [code, room] : options.forbidden)
    record(kt::utf8_to_cp1252(code)).forbidden.push_back(kt::utf8_to_cp1252(room));
  return records;
}

// The rooms the teacher grouping used, per building.
void print_grouping(int per_room, int language) {
  for (const TeacherGroupingResult& r : or_last_teacher_grouping()) {
    std::string where;
    if (r.building >= 0 && r.building < g_eng_school.building_count)
      where = " - " + kt::cp1252_to_utf8(g_eng_buildings[r.building].name);
    std::printf(orario_text(OrarioText::kGroupingRooms, language), where.c_str(), r.rooms, r.teachers, per_room);
  }
}

// "BILA:" and "MISV:" without a cycle count run until that many cycles
// bring no new record, which on a large school is a long time: the user is
// told at the start, so the progress lines are not taken for a hang.
void note_default_cycles(const std::string& word, std::size_t engine_args, int language) {
  bool phase = kt::cp1252_ncasecmp(word.c_str(), "BILA:", 5) == 0 || kt::cp1252_ncasecmp(word.c_str(), "MISV:", 5) == 0;
  if (phase && engine_args < 3) std::printf(orario_text(OrarioText::kDefaultCycles, language), kDefaultPhaseCycles);
  std::fflush(stdout);
}

// The room-assignment window's run on the command line: the school is read
// ("SYNT:") so the window's records can be matched to its classes, the
// settings are checked (a problem ends the run before anything is written),
// handed over, and the allocation command runs; a run that allocated rooms
// writes the reports at once, while the allocation is still in memory, and
// converts its room reports. Prints each class's room changes as the window
// shows them.
int run_room_window(const OrarioOptions& options, const std::string& word, const std::string& file,
                    const std::vector<std::string>& texts, int language) {
  int result = run_engine("SYNT:" + file, {}, language);
  if (result != 0) {
    print_engine_message(result);
    return exit_status(result, false);
  }
  RoomAllocationParams params{};
  params.teachers_per_room = options.rooms.teachers_per_room;
  for (std::size_t b = 0; b < options.rooms.rooms_per_building.size() && b < 10; ++b)
    params.rooms_per_building[b] = options.rooms.rooms_per_building[b];
  params.best_result = kNoRecord;
  params.allocation_mode = static_cast<std::uint8_t>(options.rooms.mode);
  std::vector<RoomWindowClass> records = room_records(options.rooms);
  std::string problem = or_room_window_problem(params, records);
  if (!problem.empty()) {
    print_cp1252_line(stderr, problem);
    return 2;
  }
  or_room_window_handover(records);
  g_room_optimiser_max_cycles = options.rooms.cycles;
  // Nobody is beside the run to stop the teacher grouping and read its
  // result: it runs its batch search and leaves its report.
  g_room_grouping_unattended = 1;
  result = run_engine(word + file, texts, language, &params);
  print_engine_message(result);
  if (result != 0) return exit_status(result, g_interrupts > 0);
  if (!g_room_report_flag) {
    // The grouping of teachers into rooms writes its own room reports.
    or_show_room_reports(0);
    print_grouping(params.teachers_per_room, language);
    return 0;
  }
  int unallocated = or_unallocated_lesson_count();
  int taken = or_take_room_allocation_timetable();
  if (taken < 0) {
    print_engine_message(-1);
    return 1;
  }
  if (taken > 0) print_cp1252_line(stdout, or_room_allocation_taken_message());
  result = run_engine("REPO:" + file, {}, language);
  print_engine_message(result);
  if (result != 0) return exit_status(result, false);
  or_show_room_reports(0);
  for (int c = 0; c < g_eng_school.real_class_count && c < kMaxClasses; ++c) {
    int own = 0;
    std::uint8_t days = 0;
    int changes = or_room_allocation_query(11, g_eng_classes[c].code, nullptr, &own, &days);
    std::printf("%s: %d %d\n", kt::cp1252_to_utf8(g_eng_classes[c].code).c_str(), changes, own);
  }
  std::string note = or_unallocated_message(unallocated);
  if (!note.empty()) print_cp1252_line(stdout, note);
  return 0;
}

// Whether anything stands at the engine's name `name` in the school folder:
// a folder or another odd entry in a save's place is left to the engine,
// which says what is there.
bool present(const char* name) {
  std::error_code error;
  auto status = std::filesystem::symlink_status(kt::translate_path(name), error);
  return status.type() != std::filesystem::file_type::not_found;
}

// What stands at the save files a computation writes: a computation
// stopped before its first whole week (while the lessons are still being
// placed) ends without error and writes neither, and the command must not
// pass for one that computed a timetable. Saves replace the file by rename,
// so a write shows as a new file, inode or time.
struct SaveStamp {
  bool present = false;
  ino_t inode = 0;
  std::int64_t nanoseconds = 0;
  bool operator==(const SaveStamp&) const = default;
};

std::array<SaveStamp, 2> save_stamps() {
  std::array<SaveStamp, 2> stamps;
  const char* const names[2] = {".\\savego.txt", ".\\saveprec.txt"};
  for (int i = 0; i < 2; ++i) {
    struct stat st;
    if (::stat(kt::translate_path(names[i]).c_str(), &st) != 0) continue;
    stamps[i] = {true, st.st_ino, static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
  }
  return stamps;
}

// The commands that work on the saved timetable, on a school with none to
// read, would go on from a week of the engine's own making (its load step
// seeds one) and write reports, stand-by hours or substitutions of a
// timetable nobody computed. They stop before running instead, naming the
// file they read and the command that writes it: status 3, nothing written.
// The file is the one the engine reads on the command line: the balancing's
// for "SBIL:", the trial's for "REPO:" with "Tkas", else the search's record
// (left by a computation stopped before its first save) or the saved one.
int refuse_without_saved_timetable(const std::string& word, const std::vector<std::string>& texts, int language) {
  auto is = [&word](const char* command) { return kt::cp1252_ncasecmp(word.c_str(), command, 5) == 0; };
  const char* file = nullptr;
  const char* writer = "CALC:";
  if (is("SBIL:")) {
    if (present(".\\savebi.txt")) return 0;
    file = "savebi.txt";
    writer = "BILA:";
  } else if (is("REPO:") && !texts.empty() && kt::cp1252_ncasecmp(texts[0].c_str(), "Tkas", 4) == 0) {
    if (present(".\\savetest.txt")) return 0;
    file = "savetest.txt";
    writer = "CALC: TPRO / CALC: TCLA";
  } else if (is("REPO:") || is("SNOD:") || is("DISP:") || is("RIGO:") || is("SOST:") || is("SOLO:") ||
             is("BILA:") || is("MISV:") || is("ASAU:")) {
    if (present(".\\saveprec.txt") || present(".\\savego.txt")) return 0;
    file = "savego.txt";
  } else {
    return 0;
  }
  char line[600];
  std::snprintf(line, sizeof line, orario_text(OrarioText::kNoSavedTimetable, language), file, writer);
  print_error(line);
  return 3;
}

// Enters the folder of a description path; *file gets the name in it.
bool enter_school_folder(const std::string& path, int language, std::string* file) {
  std::string folder = ".";
  *file = path;
  std::size_t slash = path.rfind('/');
  if (slash != std::string::npos) {
    folder = slash == 0 ? "/" : path.substr(0, slash);
    *file = path.substr(slash + 1);
  }
  if (::chdir(folder.c_str()) == 0) return true;
  print_error(std::string(orario_text(OrarioText::kNoFolder, language)) + folder + "\n");
  return false;
}

// "orario --take-back path/scuola2.txt": the timetable set aside swaps with
// the saved one of that school folder, and the reports are written for the
// timetable taken back ("REPO:"), so "Orario" never shows the one that went
// aside. 0 done, 3 nothing set aside, 1 failed (nothing swapped). A report
// run that fails leaves the timetable taken back, says that the reports do
// not show it, and exits with the report run's status.
int take_back(const OrarioOptions& options, int language) {
  if (options.engine_args.size() != 1) {
    print_error(orario_text(OrarioText::kUsage, language));
    return 1;
  }
  std::string file;
  if (!enter_school_folder(options.engine_args[0], language, &file)) return 1;
  // Checked before the swap: the report run needs the name as the engine reads it.
  bool convertible = true;
  std::string engine_file = kt::utf8_to_cp1252(file, &convertible);
  if (!convertible) {
    print_error(std::string(orario_text(OrarioText::kBadFileName, language)) + file + "\n");
    return 1;
  }
  g_status.language = language;
  int result = or_take_back_saved_timetable();
  if (result < 0) {
    print_engine_message(-1);
    return 1;
  }
  if (result > 0) {
    print_error(orario_text(OrarioText::kNothingAside, language));
    return 3;
  }
  std::fputs(orario_text(OrarioText::kTakenBack, language), stdout);
  std::fflush(stdout);
  std::signal(SIGINT, on_interrupt);
  result = run_engine("REPO:" + engine_file, {}, language);
  std::fflush(stdout);
  print_engine_message(result);
  if (result != 0 && result != kResultRecovered) print_error(orario_text(OrarioText::kReportsNotFollowing, language));
  return exit_status(result, g_interrupts > 0);
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file-size limit a write should fail like one on a full disk, with
  // its message and the earlier files kept, not end the program unseen.
  std::signal(SIGXFSZ, SIG_IGN);
  int language = language_from_environment();
  OrarioOptions options = parse_command_line(argc, argv);
  if (!options.error.empty()) {
    print_error(std::string(orario_text(OrarioText::kBadOption, language)) + options.error + "\n");
    print_error(orario_text(OrarioText::kUsage, language));
    return 1;
  }
  if (options.help) {
    std::fputs(orario_text(OrarioText::kUsage, language), stdout);
    return 0;
  }
  g_language = static_cast<std::uint8_t>(language);
  if (!options.engine_args.empty() && options.engine_args[0].rfind("PARPRO:", 0) == 0)
    return run_worker(options.engine_args[0], language);
  // A main process killed earlier could not remove its shared area.
  parpro_remove_orphaned_names();
  if (options.take_back) return take_back(options, language);
  // A missing or too short command word: the engine's own usage text.
  if (options.engine_args.empty() || options.engine_args[0].size() < 5) {
    print_error(or_usage_text());
    return 1;
  }

  std::string word = options.engine_args[0].substr(0, 5);
  if (options.engine_args.size() >= 2 &&
      !or_command_option_known(word.c_str(), kt::utf8_to_cp1252(options.engine_args[1]).c_str())) {
    print_error(std::string(orario_text(OrarioText::kBadOption, language)) + options.engine_args[1] + "\n");
    print_error(orario_text(OrarioText::kUsage, language));
    return 1;
  }
  std::string file;
  if (!enter_school_folder(options.engine_args[0].substr(5), language, &file)) return 1;
  bool convertible = true;
  std::string engine_file = kt::utf8_to_cp1252(file, &convertible);
  if (!convertible) {
    print_error(std::string(orario_text(OrarioText::kBadFileName, language)) + file + "\n");
    return 1;
  }
  bool rooms = options.rooms.given;
  if (rooms && kt::cp1252_ncasecmp(word.c_str(), "ASAU:", 5) != 0 && kt::cp1252_ncasecmp(word.c_str(), "MISV:", 5) != 0) {
    print_error(orario_text(OrarioText::kRoomCommand, language));
    return 1;
  }
  bool calc = kt::cp1252_ncasecmp(word.c_str(), "CALC:", 5) == 0;
  if (options.compute_anew && !calc) {
    print_error(orario_text(OrarioText::kAnewCommand, language));
    return 1;
  }
  std::vector<std::string> engine_texts;
  for (std::size_t i = 1; i < options.engine_args.size(); ++i)
    engine_texts.push_back(kt::utf8_to_cp1252(options.engine_args[i]));
  if (int refused = refuse_without_saved_timetable(word, engine_texts, language)) return refused;
  // A new timetable from an empty week: the saved one goes aside first, and
  // stays there whatever becomes of the run.
  if (options.compute_anew) {
    g_status.language = language;
    int aside = or_set_aside_saved_timetable();
    if (aside < 0) {
      print_engine_message(-1);
      return 1;
    }
    if (aside == 0) std::fputs(orario_text(OrarioText::kSetAside, language), stdout);
    g_calc_from_empty_week = 1;
  }
  g_requested_seed = options.seed;
  bool workers = options.processes > 1 && start_workers(options.processes, engine_file);
  if (options.processes > 1 && !workers)
    print_error(orario_text(OrarioText::kNoProcesses, language));

  // A teacher's or his classes' trial is a test run, as the desktop program
  // runs it: its first failure reads as the test's own result (status 4).
  g_test_run = kt::cp1252_ncasecmp(word.c_str(), "CALC:", 5) == 0 && engine_texts.size() == 1 &&
                       (kt::cp1252_ncasecmp(engine_texts[0].c_str(), "TPRO", 5) == 0 ||
                        kt::cp1252_ncasecmp(engine_texts[0].c_str(), "TCLA", 5) == 0)
                   ? 1
                   : 0;
  std::signal(SIGINT, on_interrupt);
  if (!rooms || options.rooms.teachers_per_room != 0) note_default_cycles(word, options.engine_args.size(), language);
  // A computation that saves its week in savego.txt (a trial run writes the
  // trial's save instead).
  bool saves_week = calc && !rooms && g_test_run == 0;
  std::array<SaveStamp, 2> before = save_stamps();
  int result;
  {
    StopTimer timer(options.time_limit_seconds);
    result = rooms ? run_room_window(options, word, engine_file, engine_texts, language)
                   : run_engine(word + engine_file, engine_texts, language);
  }
  if (workers) say_lost_workers(parpro_end_workers(), language);
  if (rooms) {
    std::fflush(stdout);
    return result;
  }
  if (result == 0 && (kt::cp1252_ncasecmp(word.c_str(), "SNOD:", 5) == 0 ||
                      kt::cp1252_ncasecmp(word.c_str(), "SBIL:", 5) == 0))
    print_violations(language);
  std::fflush(stdout);
  print_engine_message(result);
  bool stopped = g_interrupts > 0 || g_time_up.load();
  if (result == 0 && saves_week && stopped && save_stamps() == before) {
    print_error(orario_text(OrarioText::kStoppedBeforeSave, language));
    return exit_status(-1, true);
  }
  return exit_status(result, g_interrupts > 0);
}
