// The error reporters' messages and exceptions, the trace log with an
// injected clock, the small utilities, report paths and save-file clean-up.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "engine/errors.h"
#include "engine/model.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine_test_support.h"

using engine_test::InFolder;
using engine_test::TempDir;
using engine_test::write_file;

namespace {

// Runs a reporter and returns the exception's code (-100 for a file error).
template <typename F>
int raised_code(F reporter) {
  try {
    reporter();
  } catch (const EngineFileError&) {
    return -100;
  } catch (const EngineError& e) {
    return e.code;
  }
  return 0;
}

std::int64_t g_fake_now = 0;
std::int64_t fake_clock() { return g_fake_now; }

class ReporterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_status.clear();
    g_eng_run.run_seed = 4711;
    g_process_number = 0;
  }
};

}  // namespace

TEST_F(ReporterTest, MessagesAndCodesInEachLanguage) {
  struct Case {
    const char* id;
    int language;
    int code;
    const char* message;
  } cases[] = {
      {"impossible-it", 0, -3, "(0) Elaborazione richiesta impossibile\n[testo]\n"},
      {"impossible-de", 1, -3, "(0) Verarbeitung unm\xF6glich\n[testo]\n"},
      {"impossible-en", 2, -3, "(0) Requested processing impossible\n[testo]\n"},
      {"config-it", 0, -2, "(0) Errore di configurazione [testo] - [riga]\n"},
      {"config-en", 2, -2, "(0) Configuration error [testo] - [riga]\n"},
      {"critical-de", 1, -1,
       "(0) Kritischer Fehler [testo][7]\n[..\\Orario\\OR_LOAD, line:65, errno=2, GLE=2, s=4711]\n"},
      {"file-en", 2, -100,
       "(0) File error \n[testo]\n[riga]\n[..\\Orario\\OR_UTIL, line:9, errno=2, GLE=2, s=4711]\n"},
  };
  for (const Case& c : cases) {
    g_status.language = c.language;
    errno = ENOENT;
    int code = raised_code([&] {
      switch (c.code) {
        case -3: or_raise_impossible("testo");
        case -2: or_raise_config_error("testo", "riga");
        case -1: or_raise_critical_error("testo", 7, kSourceLoad, 65);
        default: or_raise_file_error("testo", "riga", kSourceUtil, 9);
      }
    });
    EXPECT_EQ(code, c.code) << c.id;
    EXPECT_STREQ(g_status.message, c.message) << c.id;
  }
}

TEST_F(ReporterTest, WorkerIndexAndUnknownLanguage) {
  g_process_number = 3;
  g_status.language = 9;  // reads as Italian
  raised_code([] { or_raise_impossible("x"); });
  EXPECT_STREQ(g_status.message, "(3) Elaborazione richiesta impossibile\n[x]\n");
  g_process_number = 0;
}

TEST_F(ReporterTest, LongMessagesAreCutAtTheBuffer) {
  std::string huge(5000, 'L');
  for (int kind = 0; kind < 4; ++kind) {
    std::memset(g_status.message, 'Z', kMessageSize);
    raised_code([&] {
      switch (kind) {
        case 0: or_raise_impossible(huge.c_str());
        case 1: or_raise_config_error(huge.c_str(), huge.c_str());
        case 2: or_raise_critical_error(huge.c_str(), 0, kSourceMain, 1);
        default: or_raise_file_error(huge.c_str(), huge.c_str(), kSourceMain, 1);
      }
    });
    EXPECT_EQ(std::strlen(g_status.message), static_cast<std::size_t>(kMessageSize - 1))
        << "kind " << kind;
  }
}

TEST(Trace, TimedLines) {
  or_set_trace_clock(fake_clock);
  g_eng_run.report_mode = 0;
  g_fake_now = 10000;
  or_trace(nullptr);
  EXPECT_EQ(g_status.elapsed_seconds, 0);

  testing::internal::CaptureStdout();
  g_fake_now = 12345;
  or_trace("first");
  g_fake_now = 13000;
  or_trace(std::string(120, 'T').c_str());
  std::string out = testing::internal::GetCapturedStdout();
  or_set_trace_clock(nullptr);

  std::string first = std::string("first") + std::string(93, ' ') + " Ms:2345     TS:2\n";
  std::string second = std::string(98, 'T') + " Ms:655      TS:3\n";
  EXPECT_EQ(out, first + second);
  EXPECT_EQ(g_status.elapsed_seconds, 3);
}

TEST(Utilities, IntTextAndNowText) {
  EXPECT_STREQ(or_int_text(0), "");
  EXPECT_STREQ(or_int_text(-42), "-42");
  EXPECT_STREQ(or_int_text(2147483647), "2147483647");
  std::string now = or_now_text();
  ASSERT_EQ(now.size(), 19u);
  EXPECT_EQ(now[2], '-');
  EXPECT_EQ(now[5], '-');
  EXPECT_EQ(now[13], ':');
}

TEST(Utilities, Counters) {
  struct Case {
    const char* id;
    EngineCounter start;
    std::uint32_t add;
    EngineCounter result;
  } cases[] = {
      {"carry", {0, 0xFFFFFFFFu}, 1, {1, 0}},
      {"plain", {2, 5}, 10, {2, 15}},
  };
  for (const Case& c : cases) {
    EngineCounter k = c.start;
    or_counter_add(&k, c.add);
    EXPECT_EQ(k.high, c.result.high) << c.id;
    EXPECT_EQ(k.low, c.result.low) << c.id;
  }
}

TEST(ReportPath, Cases) {
  struct Case {
    const char* id;
    const char* name;
    const char* extension;
    int kind;
    int language;
    const char* path;
  } cases[] = {
      {"csv-caps", "Classi.CSV", nullptr, 0, 0, ".\\Orario\\Classi.CSV"},
      {"no-extension", "Classi", nullptr, 0, 0, ".\\Orario\\Classi.txt"},
      {"extension", "Classi", "rtf", 0, 0, ".\\Orario\\Classi.rtf"},
      {"prefix-en", "Classes", nullptr, 'n', 2, ".\\Orario\\Timetable Classes.txt"},
      {"prefix-de", "Klassen.txt", nullptr, 'b', 1, ".\\Orario\\Stundenplan Klassen.txt"},
      {"short-name", "txt", nullptr, 0, 0, ".\\Orario\\txt.txt"},
  };
  const char* saved = g_output_folder;
  g_output_folder = ".\\Orario\\";
  for (const Case& c : cases) {
    g_status.language = c.language;
    char buffer[kReportPathSize];
    ASSERT_EQ(or_report_path(buffer, c.name, c.extension, c.kind), buffer) << c.id;
    EXPECT_STREQ(buffer, c.path) << c.id;
  }
  g_output_folder = nullptr;
  char buffer[kReportPathSize];
  EXPECT_EQ(or_report_path(buffer, "x", nullptr, 0), nullptr);
  g_output_folder = saved;
  g_status.language = 0;
}

TEST(SaveCleanup, DeletesByModeAndKeep) {
  const char* all[] = {"savetest.txt", "saveprov.txt", "saveprec.txt",
                       "savego.txt",   "savebi.txt",   "ricevi.txt"};
  struct Case {
    const char* id;
    int provisional;
    int keep;
    const char* left;  // one letter per file of `all`: y kept, n deleted
  } cases[] = {
      {"keep", 0, 1, "nyyyyy"},
      {"all", 0, 0, "nynnnn"},
      {"provisional-keep", 1, 1, "nyyyyy"},
      {"provisional-all", 1, 0, "nnyyyy"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    InFolder in(dir.path());
    for (const char* name : all) write_file(name, "x");
    g_provisional_mode = static_cast<std::uint8_t>(c.provisional);
    or_delete_save_files(c.keep);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(std::filesystem::exists(all[i]), c.left[i] == 'y') << c.id << " " << all[i];
  }
  g_provisional_mode = 0;

  TempDir dir;
  InFolder in(dir.path());
  write_file("savego.txt", "x");
  g_process_number = 2;  // a worker writes no save files and deletes none
  or_delete_save_files(0);
  g_process_number = 0;
  EXPECT_TRUE(std::filesystem::exists("savego.txt"));
}

TEST(ParallelWorkers, StopWritesTheCommandBytes) {
  std::uint8_t area[kParproAreaSize] = {};
  g_parpro_area = area;
  g_process_count = 1;
  or_stop_parallel_workers();
  EXPECT_EQ(area[kParproCommandByte + 1], 0);
  g_process_count = 3;
  or_stop_parallel_workers();
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(area[kParproCommandByte + i], kParproStop) << i;
  EXPECT_EQ(area[kParproCommandByte], 0);
  EXPECT_EQ(area[kParproCommandByte + 8], 0);
  g_parpro_area = nullptr;
  g_process_count = 0;
}

TEST(ParallelWorkers, StopReachesTheWorkersWhenTheAreaMutexStaysTaken) {
  std::uint8_t area[kParproAreaSize] = {};
  pthread_mutex_t stuck;
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_ERRORCHECK);
  pthread_mutex_init(&stuck, &attr);
  std::thread holder([&] { pthread_mutex_lock(&stuck); });  // ends still holding it
  holder.join();
  pthread_mutex_t* saved = g_parpro_com_mutex;
  g_parpro_com_mutex = &stuck;
  g_parpro_area = area;
  g_process_count = 2;
  or_stop_parallel_workers();  // returns after its bounded wait
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(area[kParproCommandByte + i], kParproStop) << i;
  g_parpro_com_mutex = saved;
  g_parpro_area = nullptr;
  g_process_count = 0;
}
