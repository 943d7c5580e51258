// The computation's state recorded in a copy of the small sample school as
// the working folder: a new state is saved at once in both files' status
// bytes (and reads back); the same state again, or a state outside 1-5,
// writes nothing; a save that fails says so in a box.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "desc_test_support.h"
#include "platform/system_atomic_write.h"
#include "platform/test_driver.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"

namespace {

namespace fs = std::filesystem;

int full_disk(kt::AtomicStep step, const std::string& target) {
  return step == kt::AtomicStep::kWrite && target.ends_with("scuola1.txt") ? ENOSPC : 0;
}

class StateRecord : public SamplePairFolder {
 protected:
  // Both files dated long ago, so that a save shows in their dates.
  void Age() {
    for (const char* name : {"scuola1.txt", "scuola2.txt"}) {
      struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
      ASSERT_EQ(::utimensat(AT_FDCWD, (fs::path(dir_) / name).c_str(), times, 0), 0);
    }
  }
  bool Saved() const {
    struct stat st {};
    EXPECT_EQ(::stat((fs::path(dir_) / "scuola1.txt").c_str(), &st), 0);
    return st.st_mtime != 1000000000;
  }
};

TEST_F(StateRecord, ANewStateIsSavedAtOnceAndReadsBack) {
  ASSERT_NE(g_timetable_state, '3');
  Age();
  kt::ui::TestDriver ui;
  og_record_timetable_state('3');
  EXPECT_TRUE(Saved());
  EXPECT_TRUE(ui.boxes().empty());
  for (const char* name : {"scuola1.txt", "scuola2.txt"}) {
    std::string text;
    og_read_school_lines(dir_ + "/" + name, [&](const std::string& line) {
      if (line.rfind("STATUSINFO:", 0) == 0) text = line;
      return true;
    }, nullptr);
    ASSERT_GE(text.size(), std::string("STATUSINFO:").size() + 4) << name;
    EXPECT_EQ(text[std::string("STATUSINFO:").size() + 3], '3') << name << ": " << text;
  }
  og_clear_structure();
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_EQ(g_timetable_state, '3');

  // The same state again, or none of 1-5: nothing is written.
  Age();
  og_record_timetable_state('3');
  EXPECT_FALSE(Saved());
  for (char state : {'0', '6', 'x'}) {
    og_record_timetable_state(state);
    EXPECT_FALSE(Saved()) << state;
    EXPECT_EQ(g_timetable_state, '3') << state;
  }
  og_record_timetable_state('5');
  EXPECT_TRUE(Saved());
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(StateRecord, AStateThatCannotBeSavedIsTold) {
  Age();
  kt::set_atomic_write_fault(full_disk);
  kt::ui::TestDriver ui;
  ui.AnswerNextModal(kt::ui::kIdOk);
  og_record_timetable_state(g_timetable_state == '4' ? '2' : '4');
  EXPECT_FALSE(Saved());
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Dati NON salvati: impossibile scrivere scuola1.txt: disco pieno");
}

}  // namespace
