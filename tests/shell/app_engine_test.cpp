// The engine command wrappers: argument vectors, the syntax check of the
// small sample school, engine messages shown or kept quiet, the engine thread.
#include <cstring>

#include "app_test_support.h"
#include "engine/report_services.h"
#include "platform/test_driver.h"

namespace {

using namespace kt_app_test;
using kt::ui::TestDriver;

TEST(AppEngineArguments, EveryCommandNumber) {
  struct Case {
    std::uint32_t code;
    bool test_name;
    bool provisional;
    const char* command;
    const char* option;  // "" none
  };
  const Case cases[] = {
      {0, false, false, "SYNT:scuola2.txt", ""},      {0, true, false, "SYNT:cattTEST.txt", ""},
      {15, true, false, "CALC:scuola2.txt", "REDO"},  {15, false, true, "CALC:cattPROV.txt", "REDO"},
      {0, true, true, "SYNT:cattTEST.txt", ""},       {13, true, false, "CALC:cattTEST.txt", "TPRO"},
      {24, true, false, "RIGO:scuola2.txt", ""},      {25, true, false, "SBIL:cattTEST.txt", ""},
      {30, true, false, "SNOD:scuola2.txt", "NEDE"},  {41, false, false, "REPO:scuola2.txt", "Tkas"},
  };
  for (const Case& c : cases) {
    g_status.clear();
    if (c.test_name) std::strcpy(g_status.test_name, "ROSSI");
    g_provisional_mode = c.provisional ? 1 : 0;
    EngineArguments args;
    ASSERT_TRUE(og_engine_arguments(c.code, args)) << c.code;
    EXPECT_STREQ(args.command, c.command) << c.code;
    EXPECT_EQ(args.has_option, c.option[0] != 0) << c.code;
    EXPECT_STREQ(args.option, c.option) << c.code;
  }
  g_status.clear();
  g_provisional_mode = 0;
  EngineArguments args;
  for (std::uint32_t code : {1u, 11u, 12u, 21u, 26u, 31u, 40u, 42u}) EXPECT_FALSE(og_engine_arguments(code, args)) << code;
}

class AppEngine : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    school_ = copy_example("piccola", "piccola");
    fs::current_path(school_);
  }
  fs::path school_;
};

// The syntax check of the sample school runs clean in the user's language;
// on a broken description the engine's message is shown.
TEST_F(AppEngine, SyntaxCheckRunsCleanOrShowsTheEngineMessage) {
  TestDriver ui;
  g_language = 2;
  std::int32_t r = og_run_engine(EngineCommandCode::Synt);
  EXPECT_EQ(r, 0) << g_status.message;
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_EQ(g_status.language.load(), 2);  // the user's language went to the engine
  write(school_ / "scuola2.txt", read(school_ / "scuola2.txt") + "MAXBUDAY:\t3\n");
  ui.AnswerNextModal(1);
  r = og_run_engine(EngineCommandCode::Synt);
  EXPECT_LT(r, 0);
  EXPECT_NE(r, -998);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), std::string(g_status.message));
}

TEST(AppEngineResults, WhichResultsShowTheMessage) {
  struct Case {
    std::int32_t result;
    std::uint8_t quiet;
    bool shown;
  };
  const Case cases[] = {{0, 0, false},  {-998, 0, false}, {-999, 0, true}, {-1, 0, true},
                        {-2, 0, true},  {1, 0, true},     {-1, 157, false}};
  for (const Case& c : cases) {
    g_engine_quiet_byte = c.quiet;
    EXPECT_EQ(og_engine_result_shows_message(c.result), c.shown) << c.result << "/" << int(c.quiet);
  }
  g_engine_quiet_byte = 0;
}

// The engine thread runs one command at a time; its message is shown by the
// interface thread.
TEST_F(AppEngine, EngineThreadRunsOneCommandAtATimeAndTheInterfaceShowsItsMessage) {
  TestDriver ui;
  EngineThread thread;
  ASSERT_TRUE(thread.Start(0));
  EXPECT_FALSE(thread.Start(0) && thread.Running());
  EXPECT_EQ(thread.Join(), 0) << g_status.message;
  EXPECT_FALSE(thread.Running());
  EXPECT_TRUE(ui.boxes().empty());
  fs::remove(school_ / "scuola2.txt");
  ui.AnswerNextModal(1);
  ASSERT_TRUE(thread.Start(0));
  EXPECT_EQ(thread.Join(), -1);
  EXPECT_EQ(ui.boxes().size(), 1u);
  g_engine_quiet_byte = 157;  // the quiet marker shows nothing
  EXPECT_EQ(og_run_engine(EngineCommandCode::Synt), -1);
  g_engine_quiet_byte = 0;
  EXPECT_EQ(ui.boxes().size(), 1u);
}

// The two option bytes of the status file ("OLDWRD:") reach the report
// writers at every command, without the processing menu being opened: byte
// 0 chooses the RTF text form, byte 1 the blank paragraphs between tables
// (out-of-range values brought to -1 or 3).
TEST_F(AppEngine, StatusFileOptionBytesReachTheReportsOfEachCommand) {
  TestDriver ui;
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", school_ / "savego.txt");
  struct Case {
    const char* id;
    const char* option_line;
    int text_form;
    int blank;
    const char* present;
  };
  const Case cases[] = {{"text form", "OLDWRD:1-2\n", 1, 2, "Courier New"},
                        {"table form", "OLDWRD:0-255\n", 0, -1, "\\trowd"},
                        {"too many blank lines", "OLDWRD:0-9\n", 0, 3, "\\trowd"}};
  for (const Case& c : cases) {
    write(data_root() / "plenixstatus.txt", std::string("CURDIR:\\KestrinTempusDati\\piccola\n") + c.option_line);
    g_rtf_text_form_option = std::uint8_t(1 - c.text_form);  // what an earlier run left
    og_start_instance();
    g_instance_lock.release();
    fs::remove_all(school_ / "Orario");
    ASSERT_EQ(og_run_engine(EngineCommandCode::Repo), 0) << c.id << ": " << g_status.message;
    EXPECT_EQ(g_rtf_text_form_option, c.text_form) << c.id;
    EXPECT_EQ(g_table_blank_paragraphs, c.blank) << c.id;
    std::string rtf = read(school_ / "Orario" / "Orario Classi Completo.rtf");
    EXPECT_NE(rtf.find(c.present), std::string::npos) << c.id;
  }
  EXPECT_TRUE(ui.boxes().empty());
}

// No page offers the stand-by allocation "DISP:" (code 23) or the check of a
// test timetable "REPO:" with "Tkas" (code 41) on their own; both run
// through the wrapper as the table says: "DISP:" places the stand-by hours
// and writes the reports, "Tkas" checks "savetest.txt" and writes none.
TEST_F(AppEngine, StandbyAllocationAndTestTimetableCheckRunThroughTheWrapper) {
  TestDriver ui;
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/piccola-savego.txt", school_ / "savego.txt");
  EXPECT_EQ(og_run_engine(EngineCommandCode::Disp), 0) << g_status.message;
  EXPECT_TRUE(fs::exists(school_ / "Orario" / "Orario Classi Completo.rtf"));
  fs::copy_file(school_ / "savego.txt", school_ / "savetest.txt");
  EXPECT_EQ(og_run_engine(EngineCommandCode::RepoTkas), 0) << g_status.message;
  EXPECT_TRUE(fs::is_directory(school_ / "RisultatoTest"));
  EXPECT_FALSE(fs::exists(school_ / "RisultatoTest" / "Orario Classi Completo.rtf"));
  EXPECT_EQ(g_status.run_state.load(), kRunStateFinished);
  EXPECT_TRUE(ui.boxes().empty());
}

}  // namespace

namespace {

// What the solver leaves for the computation page: a progress line and the
// phase byte at 255. Each line taken joins the page's text; past 4000
// characters the oldest whole lines go, keeping those that start in the
// last 3000.
void solver_says(const std::string& line) {
  std::snprintf(g_status.progress_text, sizeof g_status.progress_text, "%s", line.c_str());
  g_status.phase = 255;
}

TEST(EngineProgress, LinesJoinTheTextAndTheOldestGoPastItsLength) {
  std::string text;
  g_status.phase = 0;
  EXPECT_FALSE(og_take_engine_progress(text));
  solver_says("");
  EXPECT_TRUE(og_take_engine_progress(text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(g_status.phase.load(), 0);
  auto line = [](int i) {
    std::string l = "Fase " + std::to_string(100 + i) + " ";
    return l + std::string(298 - l.size(), '.');
  };
  for (int i = 1; i <= 13; ++i) {
    solver_says(line(i));
    ASSERT_TRUE(og_take_engine_progress(text));
  }
  EXPECT_EQ(text.size(), 13u * 300u);  // 3900: nothing goes yet
  solver_says(line(14));
  ASSERT_TRUE(og_take_engine_progress(text));
  std::string kept;
  for (int i = 5; i <= 14; ++i) kept += line(i) + "\r\n";  // the last 3000 characters exactly
  EXPECT_EQ(text, kept);
  EXPECT_FALSE(og_take_engine_progress(text));  // nothing new
  std::string full;  // 4000 characters exactly stay whole
  for (int i = 0; i < 10; ++i) {
    solver_says(std::string(398, char('a' + i)));
    ASSERT_TRUE(og_take_engine_progress(full));
  }
  EXPECT_EQ(full.size(), 4000u);
  EXPECT_EQ(full[0], 'a');
  // Lines as long as the solver writes them: whole lines only, ever.
  std::string longest(kProgressTextSize - 1, 'x');
  for (int i = 0; i < 12; ++i) {
    solver_says(longest);
    ASSERT_TRUE(og_take_engine_progress(text));
    EXPECT_LE(text.size(), 4000u + kProgressTextSize + 1) << i;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  }
  EXPECT_EQ(text.rfind("Fase", std::string::npos), std::string::npos);
  EXPECT_EQ(text.size() % (longest.size() + 2), 0u);
  g_status.phase = 0;
}

}  // namespace
