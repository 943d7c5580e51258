// The USB pen's copies (a folder of the test standing for the pen), from the
// archive dialog of the home page in the desktop program started on the
// small sample school: restoring opens the search window on the pen, and
// the school's files are read again afterwards; deleting opens it to delete
// copies, and the pen's reserve is filled again afterwards, never beyond its
// size nor into a reserve the pen does not have; leaving the dialog opens
// nothing; without a pen the user is told, in his language. Navigation is
// locked while the window is open and the window's settings are put back
// after it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "remote/pen_backup.h"
#include "remote_test_support.h"
#include "schooldata/data_file_search_dialog.h"
#include "schooldata/ui_school_model.h"
#include "shell/home_page.h"

namespace {

using namespace kt_remote_test;

struct Opened {
  int times = 0;
  int drive = 0, delete_mode = -1, selection_mode = -1;
  bool root_given = true, navigation_locked = false;
};

class PenArchive : public RemoteProgram {
 protected:
  // Clicks the archive button and, in the archive dialog, `button` (0: the
  // dialog is left with Esc); `during` runs while the search window is open.
  // What the window was opened with.
  Opened Archive(int button, const std::function<void()>& during = [] {}) {
    Opened o;
    InArchiveDialog([&](Dialog& d) {
      if (!button) {
        ui.Key(kVkEscape);
        return;
      }
      ui.OnNextModal([&](Dialog& search) {
        ++o.times;
        EXPECT_EQ(search.template_id(), Crical::kTemplate);
        o.drive = g_rical.m_drive;
        o.delete_mode = g_rical.m_delete_mode;
        o.selection_mode = g_rical.m_selection_mode;
        o.root_given = g_rical.m_search_root != nullptr;
        o.navigation_locked = !ui.IsEnabled(g_frame, CAlfaDlg::kSectionIds[0]);
        g_rical.WaitForSearch();
        ui.Advance(2 * Crical::kPollMs);
        during();
        ui.Key(kVkEscape);
      });
      EXPECT_TRUE(ui.Click(d, button));
    });
    EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    EXPECT_EQ(ui.PendingSteps(), 0u);
    return o;
  }
  // Renames the school in both of its files, as a restore from the pen would
  // replace them.
  void ReplaceSchoolName(const std::string& name) {
    for (const char* file : {"scuola1.txt", "scuola2.txt"}) {
      std::string text = read(school() / file);
      std::size_t end = text.find('\n');
      write(school() / file, "REM:" + name + text.substr(end));
    }
  }
  static std::vector<std::string> Reserve(const fs::path& pen) {
    std::vector<std::string> names;
    if (!fs::exists(pen / "KestrinTempusRiserva")) return names;
    for (const auto& e : fs::directory_iterator(pen / "KestrinTempusRiserva"))
      names.push_back(e.path().filename().string() + ":" + std::to_string(fs::file_size(e.path())));
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(PenArchive, RestoringReadsTheSchoolAgain) {
  Pen();
  Opened o;
  std::string name_after;
  Run([&] {
    o = Archive(Carchivio::kPenRestoreId, [&] { ReplaceSchoolName("Scuola Ripristinata"); });
    name_after = g_ui_header.school_name;
    EXPECT_TRUE(ui.IsEnabled(g_frame, CAlfaDlg::kSectionIds[0])) << "navigation unlocked again";
    EXPECT_EQ(g_rical.m_drive, Crical::kEveryDrive) << "the window's other callers search every drive";
    EXPECT_EQ(g_rical.m_delete_mode, 0);
  });
  EXPECT_EQ(o.times, 1);
  EXPECT_EQ(o.drive, 'E');
  EXPECT_EQ(o.delete_mode, 0);
  EXPECT_EQ(o.selection_mode, 0);
  EXPECT_FALSE(o.root_given);
  EXPECT_TRUE(o.navigation_locked);
  EXPECT_EQ(name_after, "Scuola Ripristinata") << "no later save writes the old school back";
}

TEST_F(PenArchive, DeletingFillsThePensReserveAgain) {
  fs::path pen = Pen();
  fs::create_directories(pen / "KestrinTempusRiserva");
  write(pen / "KestrinTempusRiserva" / "riserva_000.bin", std::string(1000, '\0'));
  write(pen / "KestrinTempusRiserva" / "altro.txt", "not ballast");
  Opened o;
  Run([&] {
    o = Archive(Carchivio::kPenDeleteId);
    EXPECT_EQ(g_rical.m_delete_mode, 0) << "back to restoring for the window's other callers";
    EXPECT_EQ(g_rical.m_drive, Crical::kEveryDrive);
  });
  EXPECT_EQ(o.times, 1);
  EXPECT_EQ(o.delete_mode, 1);
  EXPECT_EQ(o.drive, 'E');
  EXPECT_TRUE(o.navigation_locked);
  // Up to the reserve's size in blocks of 64 KiB, after the ballast already there.
  std::vector<std::string> expected = {"altro.txt:11", "riserva_000.bin:1000"};
  for (int n = 1; n <= 15; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "riserva_%03d.bin:65536", n);
    expected.push_back(name);
  }
  EXPECT_EQ(Reserve(pen), expected);
  EXPECT_LE(1000u + 15u * 65536u, kPenBallastBytes);
  EXPECT_GT(1000u + 16u * 65536u, kPenBallastBytes);
}

// Room on the pen is made by deleting ballast files, only as far as
// needed: with room enough nothing goes; asked for more than the pen
// holds, every ballast file goes and the reserve's other files stay.
TEST_F(PenArchive, MakingRoomDeletesOnlyTheBallastNeeded) {
  fs::path pen = Pen();
  fs::create_directories(pen / "KestrinTempusRiserva");
  for (const char* name : {"riserva_000.bin", "riserva_001.bin"})
    write(pen / "KestrinTempusRiserva" / name, std::string(1000, '\0'));
  write(pen / "KestrinTempusRiserva" / "altro.txt", "not ballast");
  EXPECT_GE(ui_make_room_on_pen(1024), 1024u);
  EXPECT_EQ(Reserve(pen).size(), 3u);
  EXPECT_GT(ui_make_room_on_pen(UINT64_MAX), 0u) << "the free bytes then";
  EXPECT_EQ(Reserve(pen), std::vector<std::string>{"altro.txt:11"});
}

TEST_F(PenArchive, APenWithoutAReserveGetsNone) {
  fs::path pen = Pen();
  Opened o;
  Run([&] { o = Archive(Carchivio::kPenDeleteId); });
  EXPECT_EQ(o.times, 1);
  EXPECT_FALSE(fs::exists(pen / "KestrinTempusRiserva"));
}

TEST_F(PenArchive, CancelOpensNothingAndWithoutAPenTheUserIsTold) {
  Pen();
  std::string said[2];
  Run([&] {
    EXPECT_EQ(Archive(0).times, 0) << "leaving the dialog opens no search window";
    NoPen();
    for (int language : {0, 2}) {
      if (language == 2) {
        ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kEnglish));
      }
      InArchiveDialog([&](Dialog& d) {
        AnswerBox(&said[language / 2]);
        EXPECT_TRUE(ui.Click(d, Carchivio::kPenRestoreId));
      });
      EXPECT_TRUE(ui.Click(g_home_page, CPlenixDlg::kArchive));
    }
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kItalian));
  });
  EXPECT_EQ(said[0], "Penna USB non trovata: inserirla e riprovare.");
  EXPECT_EQ(said[1], "USB pen not found: insert it and try again.");
}

}  // namespace
