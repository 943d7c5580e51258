// The saved timetable set aside, taken back, replaced by the balanced week
// and the balanced week dropped, as the desktop program's balancing and
// trial pages call them in its own process: what each folder file holds right
// after each step (before the process ends), what each step answers when
// there is nothing to do, the normal set (savego, saveprec, ricevi) and the
// provisional one (saveprov) kept apart, and a file that cannot be read
// leaving every file as it was with the message naming it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "engine_test_support.h"

namespace {

namespace fs = std::filesystem;
using engine_test::read_file;
using engine_test::write_file;

class TimetableAsideSteps : public ::testing::Test {
 protected:
  void SetUp() override {
    g_status.clear();
    g_provisional_mode = 0;
  }
  void TearDown() override {
    g_provisional_mode = 0;
    g_status.clear();
  }
  // Every file of the folder with its bytes (the lock file left out).
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(school_.path())) {
      std::string name = e.path().filename().string();
      if (name == "orario.lock" || !e.is_regular_file()) continue;
      out[name] = read_file(e.path().string());
    }
    return out;
  }
  void put(const std::string& name, const std::string& bytes) { write_file(school_.file(name), bytes); }
  engine_test::TempDir school_;
  engine_test::InFolder in_{school_.path()};
};

TEST_F(TimetableAsideSteps, NothingSavedNothingAsideNothingBalanced) {
  EXPECT_FALSE(or_saved_timetable_present());
  EXPECT_FALSE(or_saved_timetable_aside());
  EXPECT_FALSE(or_balanced_timetable_present());
  EXPECT_EQ(or_set_aside_saved_timetable(), 1);
  EXPECT_EQ(or_take_back_saved_timetable(), 1);
  EXPECT_EQ(or_take_balanced_timetable(), 1);
  EXPECT_EQ(or_drop_balanced_timetable(), 1);
  EXPECT_TRUE(files().empty());
}

TEST_F(TimetableAsideSteps, SetAsideCopiesEachFileAndTakeBackSwapsThem) {
  put("savego.txt", "week one\n");
  put("saveprec.txt", "record one\n");
  put("ricevi.txt", "reception one\n");
  put("saveprov.txt", "provisional\n");
  EXPECT_TRUE(or_saved_timetable_present());
  EXPECT_FALSE(or_saved_timetable_aside());
  ASSERT_EQ(or_set_aside_saved_timetable(), 0) << g_status.message;
  EXPECT_TRUE(or_saved_timetable_aside());
  std::map<std::string, std::string> want = {
      {"savego.txt", "week one\n"},          {"saveprec.txt", "record one\n"},
      {"ricevi.txt", "reception one\n"},     {"saveprov.txt", "provisional\n"},
      {"savego_precedente.txt", "week one\n"}, {"saveprec_precedente.txt", "record one\n"},
      {"ricevi_precedente.txt", "reception one\n"}};
  EXPECT_EQ(files(), want);
  // A new computation writes its week; taking back swaps the two sets.
  put("savego.txt", "week two\n");
  fs::remove(school_.file("saveprec.txt"));
  put("ricevi.txt", "reception two\n");
  ASSERT_EQ(or_take_back_saved_timetable(), 0) << g_status.message;
  want = {{"savego.txt", "week one\n"},         {"saveprec.txt", "record one\n"},
          {"ricevi.txt", "reception one\n"},    {"saveprov.txt", "provisional\n"},
          {"savego_precedente.txt", "week two\n"}, {"ricevi_precedente.txt", "reception two\n"}};
  EXPECT_EQ(files(), want);
  // And back again: the record that was missing is missing again.
  ASSERT_EQ(or_take_back_saved_timetable(), 0) << g_status.message;
  want = {{"savego.txt", "week two\n"},          {"ricevi.txt", "reception two\n"},
          {"saveprov.txt", "provisional\n"},     {"savego_precedente.txt", "week one\n"},
          {"saveprec_precedente.txt", "record one\n"}, {"ricevi_precedente.txt", "reception one\n"}};
  EXPECT_EQ(files(), want);
  EXPECT_EQ(g_status.message[0], '\0');
}

TEST_F(TimetableAsideSteps, ARecordAloneCountsAsASavedTimetable) {
  put("saveprec.txt", "record\n");
  EXPECT_TRUE(or_saved_timetable_present());
  ASSERT_EQ(or_set_aside_saved_timetable(), 0);
  EXPECT_EQ(files(), (std::map<std::string, std::string>{{"saveprec.txt", "record\n"},
                                                         {"saveprec_precedente.txt", "record\n"}}));
  // Only an aside copy of the reception hours is still something aside.
  fs::remove(school_.file("saveprec_precedente.txt"));
  EXPECT_FALSE(or_saved_timetable_aside());
  put("ricevi_precedente.txt", "r\n");
  EXPECT_TRUE(or_saved_timetable_aside());
}

TEST_F(TimetableAsideSteps, TheProvisionalModeKeepsItsOwnSet) {
  put("savego.txt", "normal\n");
  put("savebi.txt", "balanced\n");
  g_provisional_mode = 1;
  EXPECT_FALSE(or_saved_timetable_present());
  EXPECT_FALSE(or_balanced_timetable_present());
  EXPECT_EQ(or_set_aside_saved_timetable(), 1);
  EXPECT_EQ(or_take_balanced_timetable(), 1);
  EXPECT_EQ(or_drop_balanced_timetable(), 1);
  put("saveprov.txt", "provisional one\n");
  EXPECT_TRUE(or_saved_timetable_present());
  ASSERT_EQ(or_set_aside_saved_timetable(), 0) << g_status.message;
  EXPECT_TRUE(or_saved_timetable_aside());
  put("saveprov.txt", "provisional two\n");
  ASSERT_EQ(or_take_back_saved_timetable(), 0) << g_status.message;
  std::map<std::string, std::string> want = {{"savego.txt", "normal\n"},
                                             {"savebi.txt", "balanced\n"},
                                             {"saveprov.txt", "provisional one\n"},
                                             {"saveprov_precedente.txt", "provisional two\n"}};
  EXPECT_EQ(files(), want);
  g_provisional_mode = 0;
  EXPECT_FALSE(or_saved_timetable_aside());
  EXPECT_EQ(or_take_back_saved_timetable(), 1);
}

TEST_F(TimetableAsideSteps, TheBalancedWeekBecomesTheTimetableOrIsDropped) {
  put("savego.txt", "computed\n");
  put("saveprec.txt", "record\n");
  put("ricevi.txt", "reception\n");
  put("savebi.txt", "balanced\n");
  EXPECT_TRUE(or_balanced_timetable_present());
  ASSERT_EQ(or_take_balanced_timetable(), 0) << g_status.message;
  std::map<std::string, std::string> want = {{"savego.txt", "balanced\n"},
                                             {"ricevi.txt", "reception\n"},
                                             {"savego_precedente.txt", "computed\n"},
                                             {"saveprec_precedente.txt", "record\n"},
                                             {"ricevi_precedente.txt", "reception\n"}};
  EXPECT_EQ(files(), want);
  EXPECT_FALSE(or_balanced_timetable_present());
  // The computed week comes back with its record.
  ASSERT_EQ(or_take_back_saved_timetable(), 0) << g_status.message;
  EXPECT_EQ(read_file(school_.file("savego.txt")), "computed\n");
  EXPECT_EQ(read_file(school_.file("saveprec.txt")), "record\n");
  EXPECT_EQ(read_file(school_.file("savego_precedente.txt")), "balanced\n");
  // A balanced week dropped goes, and nothing else changes.
  put("savebi.txt", "balanced again\n");
  std::map<std::string, std::string> before = files();
  ASSERT_EQ(or_drop_balanced_timetable(), 0) << g_status.message;
  before.erase("savebi.txt");
  EXPECT_EQ(files(), before);
  EXPECT_EQ(or_drop_balanced_timetable(), 1);
}

TEST_F(TimetableAsideSteps, AFileThatCannotBeReadLeavesEveryFile) {
  // A folder where a file is read cannot be read, even by root.
  put("savego.txt", "week\n");
  put("ricevi.txt", "reception\n");
  fs::create_directory(school_.path() / "saveprec.txt");
  std::map<std::string, std::string> before = files();
  EXPECT_EQ(or_set_aside_saved_timetable(), -1);
  EXPECT_NE(std::string(g_status.message).find("saveprec.txt"), std::string::npos) << g_status.message;
  EXPECT_EQ(files(), before);
  EXPECT_FALSE(fs::exists(school_.path() / "savego_precedente.txt"));
  EXPECT_FALSE(or_saved_timetable_aside());
}

}  // namespace
