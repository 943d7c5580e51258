// The program status file: scrambled and read back whole, the edge cases of
// reading, a worker never writing it, a failed write keeping the old file.
#include <algorithm>
#include <functional>
#include <vector>

#include "app_test_support.h"

namespace {

using namespace kt_app_test;

class StatusFile : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    fs::create_directories(data_root());
    ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\"));
    og_apply_status_settings(ProgramStatusSettings{});
  }
  fs::path file() const { return data_root() / "plenixstatus.txt"; }
};

std::vector<int> values(const ProgramStatusSettings& s) {
  return {s.hint_flags, s.nointe_option, s.nointe_reply, s.processing_options[0], s.processing_options[1],
          s.auto_derogation, s.cpu_saver, s.remote_monitor_option, s.frame_top, s.frame_left, s.language,
          s.nietsk_option};
}

TEST_F(StatusFile, RoundTripThroughTheScrambler) {
  fs::create_directories(data_root() / "Liceo Rossi");
  ASSERT_TRUE(og_set_current_folder("\\KestrinTempusDati\\Liceo Rossi"));
  ProgramStatusSettings set = og_capture_status_settings();
  set.hint_flags = 3;
  set.nointe_option = 1;
  set.nointe_reply = 4;
  set.processing_options[0] = 7;
  set.processing_options[1] = 9;
  set.auto_derogation = 1;
  set.cpu_saver = 0;
  set.remote_monitor_option = 1;
  set.frame_top = 40;
  set.frame_left = 300;
  set.language = 1;
  set.nietsk_option = 5;
  og_apply_status_settings(set);
  og_write_status_file();
  std::string bytes = read(file());
  EXPECT_EQ(bytes.find("LINGUA"), std::string::npos);  // no line is stored plain
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 8);
  og_apply_status_settings(ProgramStatusSettings{});
  ASSERT_TRUE(og_read_status_file());
  ProgramStatusSettings back = og_capture_status_settings();
  EXPECT_STREQ(back.current_folder, "\\KestrinTempusDati\\Liceo Rossi");
  EXPECT_EQ(values(back), values(set));
}

TEST_F(StatusFile, ReadingEdgeCases) {
  struct Case {
    const char* id;
    const char* text;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"lang2", "LINGUA:2\n", [] { EXPECT_EQ(g_language, 2); }},
      {"lang-bad", "LINGUA:7\n", [] { EXPECT_EQ(g_language, 0); }},
      {"pos-neg", "INICOO:-5-300\n", [] { EXPECT_EQ(g_frame_top, 100); EXPECT_EQ(g_frame_left, 100); }},
      {"pos", "INICOO:20-300\r\n", [] { EXPECT_EQ(g_frame_top, 20); EXPECT_EQ(g_frame_left, 300); }},
      {"elflag-one", "ELFLAG:1\n",
       [] { EXPECT_EQ(g_auto_derogation, 1); EXPECT_EQ(g_cpu_saver, 6); EXPECT_EQ(g_remote_monitor_option, 6); }},
      {"widths", "PLCOLW:80-120-95\n",
       [] { EXPECT_EQ(g_list_column_widths[0], 80); EXPECT_EQ(g_list_column_widths[2], 95); EXPECT_EQ(g_list_column_widths[3], 0); }},
      {"unknown", "XXXXXX:5\nlingua:2\n", [] { EXPECT_EQ(g_language, 0); }},
      {"malformed", "NIETSK:abc\n", [] { EXPECT_EQ(g_nietsk_option, 0); }},
      {"curdir", "CURDIR:\\KestrinTempusDati\\a b  \n", [] { EXPECT_STREQ(g_current_folder, "\\KestrinTempusDati\\a b"); }},
  };
  for (const Case& c : cases) {
    og_apply_status_settings(ProgramStatusSettings{});
    g_cpu_saver = 6;
    g_remote_monitor_option = 6;
    write(file(), c.text);
    ASSERT_TRUE(og_read_status_file()) << c.id;
    SCOPED_TRACE(c.id);
    c.check();
  }
}

// A worker never writes the file; the main process moves an off-screen frame back.
TEST_F(StatusFile, WorkerNeverWritesAndTheWriterFixesAnOffScreenFrame) {
  g_process_number = 2;
  og_write_status_file();
  EXPECT_FALSE(fs::exists(file()));
  g_process_number = 0;
  g_frame_top = -20;
  g_frame_left = 50;
  og_write_status_file();
  g_frame_top = g_frame_left = 0;
  ASSERT_TRUE(og_read_status_file());
  EXPECT_EQ(g_frame_top, 100);
  EXPECT_EQ(g_frame_left, 100);
}

TEST_F(StatusFile, UnwritableFolderKeepsOldFile) {
  write(file(), "LINGUA:1\n");
  fs::permissions(data_root(), fs::perms::owner_read | fs::perms::owner_exec);
  g_language = 2;
  og_write_status_file();  // silently nothing
  fs::permissions(data_root(), fs::perms::owner_all);
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anyway";
  EXPECT_EQ(read(file()), "LINGUA:1\n");
}

}  // namespace
