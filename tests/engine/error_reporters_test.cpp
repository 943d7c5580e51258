// The error reporters' messages and exceptions, the trace log with an injected
// clock, small utilities, report paths, save-file clean-up, stopping workers.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "engine_test_support.h"

using engine_test::InFolder;
using engine_test::TempDir;
using engine_test::write_file;

namespace {

// Raises the error the code names (-100 a file error); returns the code caught.
int raise_and_catch(int code, const char* text, const char* line) {
  try {
    switch (code) {
      case -3: or_raise_impossible(text);
      case -2: or_raise_config_error(text, line);
      case -1: or_raise_critical_error(text, 7, kSourceLoad, 65);
      default: or_raise_file_error(text, line, kSourceUtil, 9);
    }
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
  struct Case { const char* id; int language, code, process; const char* message; } cases[] = {
      {"impossible-it", 0, -3, 0, "(0) Elaborazione richiesta impossibile\n[testo]\n"},
      {"impossible-de", 1, -3, 0, "(0) Verarbeitung unm\xF6glich\n[testo]\n"},
      {"impossible-en", 2, -3, 0, "(0) Requested processing impossible\n[testo]\n"},
      {"worker-unknown-language", 9, -3, 3, "(3) Elaborazione richiesta impossibile\n[testo]\n"},
      {"config-it", 0, -2, 0, "(0) Errore di configurazione [testo] - [riga]\n"},
      {"config-en", 2, -2, 0, "(0) Configuration error [testo] - [riga]\n"},
      {"critical-de", 1, -1, 0,
       "(0) Kritischer Fehler [testo][7]\n[..\\Orario\\OR_LOAD, line:65, errno=2, GLE=2, s=4711]\n"},
      {"file-en", 2, -100, 0,
       "(0) File error \n[testo]\n[riga]\n[..\\Orario\\OR_UTIL, line:9, errno=2, GLE=2, s=4711]\n"},
  };
  for (const Case& c : cases) {
    g_status.language = c.language;
    g_process_number = static_cast<std::int8_t>(c.process);
    errno = ENOENT;
    EXPECT_EQ(raise_and_catch(c.code, "testo", "riga"), c.code) << c.id;
    EXPECT_STREQ(g_status.message, c.message) << c.id;
    // A long text is cut at the message buffer.
    std::string huge(5000, 'L');
    std::memset(g_status.message, 'Z', kMessageSize);
    raise_and_catch(c.code, huge.c_str(), huge.c_str());
    EXPECT_EQ(std::strlen(g_status.message), static_cast<std::size_t>(kMessageSize - 1)) << c.id;
  }
  g_process_number = 0;
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
  EXPECT_EQ(out, "first" + std::string(93, ' ') + " Ms:2345     TS:2\n" + std::string(98, 'T') + " Ms:655      TS:3\n");
  EXPECT_EQ(g_status.elapsed_seconds, 3);
}

TEST(Utilities, IntTextAndCounters) {
  std::vector<std::string> texts;  // one static buffer: each text is copied before the next
  for (int n : {0, -42, 2147483647}) texts.push_back(or_int_text(n));
  EXPECT_EQ(texts, (std::vector<std::string>{"", "-42", "2147483647"}));
  struct Case { const char* id; EngineCounter start; std::uint32_t add; EngineCounter result; } cases[] = {
      {"carry", {0, 0xFFFFFFFFu}, 1, {1, 0}},
      {"plain", {2, 5}, 10, {2, 15}},
  };
  for (const Case& c : cases) {
    EngineCounter k = c.start;
    or_counter_add(&k, c.add);
    EXPECT_EQ((std::vector<std::uint32_t>{k.high, k.low}), (std::vector<std::uint32_t>{c.result.high, c.result.low})) << c.id;
  }
  // The high word decides first.
  EngineCounter a{1, 0}, b{0, 0xFFFFFFFFu}, copy{};
  EXPECT_EQ((std::vector<int>{or_counter_less(&b, &a), or_counter_less(&a, &b), or_counter_less(&a, &a)}),
            (std::vector<int>{1, 0, 0}));
  or_counter_copy(&copy, &b);
  EXPECT_EQ((std::vector<std::uint32_t>{copy.high, copy.low}), (std::vector<std::uint32_t>{0, 0xFFFFFFFFu}));
}

TEST(ReportPath, Cases) {
  struct Case { const char* name; const char* extension; int kind, language; const char* path; } cases[] = {
      {"Classi.CSV", nullptr, 0, 0, ".\\Orario\\Classi.CSV"}, {"Classi", nullptr, 0, 0, ".\\Orario\\Classi.txt"},
      {"Classi", "rtf", 0, 0, ".\\Orario\\Classi.rtf"},
      {"Classes", nullptr, 'n', 2, ".\\Orario\\Timetable Classes.txt"},
      {"Klassen.txt", nullptr, 'b', 1, ".\\Orario\\Stundenplan Klassen.txt"},
      {"txt", nullptr, 0, 0, ".\\Orario\\txt.txt"},
  };
  const char* saved = g_output_folder;
  g_output_folder = ".\\Orario\\";
  for (const Case& c : cases) {
    g_status.language = c.language;
    char buffer[kReportPathSize];
    ASSERT_EQ(or_report_path(buffer, c.name, c.extension, c.kind), buffer) << c.path;
    EXPECT_STREQ(buffer, c.path);
  }
  g_output_folder = nullptr;
  char buffer[kReportPathSize];
  EXPECT_EQ(or_report_path(buffer, "x", nullptr, 0), nullptr);
  g_output_folder = saved;
  g_status.language = 0;
}

TEST(SaveCleanup, DeletesByModeAndKeep) {
  const char* all[] = {"savetest.txt", "saveprov.txt", "saveprec.txt", "savego.txt", "savebi.txt", "ricevi.txt"};
  // left: one letter per file of `all`, y kept, n deleted.
  struct Case { const char* id; int provisional, keep; const char* left; } cases[] = {
      {"keep", 0, 1, "nyyyyy"}, {"all", 0, 0, "nynnnn"}, {"provisional-keep", 1, 1, "nyyyyy"}, {"provisional-all", 1, 0, "nnyyyy"}};
  for (const Case& c : cases) {
    TempDir dir;
    InFolder in(dir.path());
    for (const char* name : all) write_file(name, "x");
    g_provisional_mode = static_cast<std::uint8_t>(c.provisional);
    or_delete_save_files(c.keep);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(std::filesystem::exists(all[i]), c.left[i] == 'y') << c.id << " " << all[i];
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

// Stopping writes the stop byte for the seven workers, also when the area's
// mutex stays taken (its wait is bounded), and nothing with one process.
TEST(ParallelWorkers, StopWritesTheCommandBytes) {
  std::uint8_t area[kParproAreaSize] = {};
  g_parpro_area = area;
  g_process_count = 1;
  or_stop_parallel_workers();
  EXPECT_EQ(area[kParproCommandByte + 1], 0);
  pthread_mutex_t stuck;
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_ERRORCHECK);
  pthread_mutex_init(&stuck, &attr);
  std::thread holder([&] { pthread_mutex_lock(&stuck); });  // ends still holding it
  holder.join();
  pthread_mutex_t* saved = g_parpro_com_mutex;
  g_parpro_com_mutex = &stuck, g_process_count = 3;
  or_stop_parallel_workers();
  for (int i = 0; i <= 8; ++i) EXPECT_EQ(area[kParproCommandByte + i], i >= 1 && i <= 7 ? kParproStop : 0) << i;
  g_parpro_com_mutex = saved, g_parpro_area = nullptr, g_process_count = 0;
}
