// A school opened in the desktop program and saved without a change comes
// back line for line (the save stamps apart), from each page that saves; a
// value no page edits goes back as the file held it, letters and all.
#include <fstream>
#include <string>
#include <vector>

#include "constraints/param_pages.h"
#include "constraints/post_constraints_page.h"
#include "constraints/special_options.h"
#include "constraints/special_teacher_page.h"
#include "constraints/teacher_constraints_page.h"
#include "engine/engine_main.h"
#include "engine/model.h"
#include "frame_test_support.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"
#include "structure/buildings_page.h"
#include "structure/gyms_page.h"
#include "structure/labs_page.h"
#include "structure/lessons_by_class_page.h"
#include "structure/quick_entry_page.h"
#include "structure/school_page.h"
#include "structure/subjects_page.h"
#include "structure/teacher_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class SchoolRoundTrip : public ProgramOnSample {
 protected:
  // The school's two files in clear, one line per entry, without the stamps
  // every save renews.
  std::string lines_of(const std::string& folder) const {
    std::string all;
    for (const char* name : {"scuola1.txt", "scuola2.txt"}) {
      std::string why;
      EXPECT_EQ(og_read_school_lines((data_root() / folder / name).string(), [&](const std::string& line) {
        if (stamp(line)) return true;
        all += line + "\n";
        return true;
      }, &why), SchoolLines::kRead) << why;
    }
    return all;
  }
  // The lines every save writes anew: the save counter, the pair stamp,
  // the program's release and the folder it saved in.
  static bool stamp(const std::string& line) {
    for (const char* key : {"SERVICEMEMO:", "REM:KTPAIR:", "DATARELEASE:"})
      if (line.rfind(key, 0) == 0) return true;
    return line.rfind("REM:", 0) == 0 && line.find(" (KestrinTempus ") != std::string::npos;
  }
  // The school the program opens at start-up.
  void StartIn(const std::string& folder) {
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\" + folder + "\n");
  }
  // Reads the school as the officer does, opens `page` and presses its save button.
  void SaveFrom(int page, int save_id) {
    alfadlg_go_to_page(kPageHome);
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    alfadlg_go_to_page(page);
    ASSERT_NE(g_current_page, nullptr);
    ASSERT_TRUE(ui.Click(*g_current_page, save_id)) << std::hex << page;
  }
};

// The first "DISPOSIZIONE:" value (the stand-by grouping of the engine) is
// edited by no page: it went back to the file as 0 on every save, and the
// engine then grouped stand-by hours as with no value at all.
TEST_F(SchoolRoundTrip, StandbyGroupingIsKeptOnSave) {
  {
    std::ofstream add(data_root() / "piccola" / "scuola2.txt", std::ios::app | std::ios::binary);
    add << "disposizione:\t30\tDISPODAY:\t3-1:6-2:99-3\t\n";
  }
  Run([&] {
    SaveFrom(kPageParameters4, Corapage::kSaveId);
    std::string all = school_file_lines();
    EXPECT_NE(all.find("disposizione:\t30\tDISPODAY:\t3-1:6-2:99-3\t\n"), std::string::npos) << all;
    const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
    EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
    EXPECT_EQ(g_eng_school.standby_grouping, 30);
    EXPECT_EQ(g_eng_school.standby_band.count, 3);
  });
}

// A lab's building keeps its letters in a school of one building; in a
// school of two it is found whatever its case, and saved under the name
// the building has.
TEST_F(SchoolRoundTrip, LabBuildingIsFoundWhateverItsCase) {
  copy_example("liceo", "liceo");
  StartIn("liceo");
  fs::path file = data_root() / "liceo" / "scuola2.txt";
  std::string text = read(file);
  const std::string upper = "LABOR:|LAB FISICA-SEDE CENTRALE|";
  std::size_t at = text.find(upper);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, upper.size(), "LABOR:|LAB FISICA-Sede Centrale|");
  write(file, text);
  Run([&] {
    SaveFrom(kPageParameters1, Corapage::kSaveId);
    std::string all = lines_of("liceo");
    EXPECT_NE(all.find(upper + "OR:"), std::string::npos) << all.substr(0, 2000);
  });
}

// A school without its structure file (a converted or imported one) gets
// its classes from the teaching lines; a class calendar written before them
// named a class not known yet and was dropped on the first save, though the
// engine keeps it. Now it waits for the end of the file.
TEST_F(SchoolRoundTrip, CalendarBeforeTheTeachingLinesIsKept) {
  fs::remove(data_root() / "piccola" / "scuola1.txt");
  fs::path file = data_root() / "piccola" / "scuola2.txt";
  std::string text = read(file);
  const std::string after = "CLNAMES:\t2\t\n";
  std::size_t at = text.find(after);
  ASSERT_NE(at, std::string::npos);
  const std::string calendar = "CALESPE:G:2A:LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5SA:1-4\t";
  text.insert(at + after.size(), calendar + "\nSCALJAN:G:2A:2-1\t\n");
  write(file, text);
  Run([&] {
    SaveFrom(kPageParameters1, Corapage::kSaveId);
    std::string all = lines_of("piccola");
    EXPECT_NE(all.find(calendar + "\n"), std::string::npos) << all.substr(0, 3000);
    EXPECT_NE(all.find("SCALJAN:G:2A:2-1\t\n"), std::string::npos);
    // Saved a second time, the school comes back as the first save left it.
    const std::string first = all;
    SaveFrom(kPageParameters4, Corapage::kSaveId);
    EXPECT_EQ(lines_of("piccola"), first);
  });
}

// The release a file carries stops an older program from overwriting what
// a newer one wrote. A converter's mark ("CONV1", as a converted school
// carries) is no program's release, though it sorts above ours: such a
// school opens and saves, and the saved file reads in the engine. A real
// newer release is still refused and its file left as it was.
class ReleaseCheck : public SchoolRoundTrip, public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(ReleaseCheck, OnlyANewerProgramReleaseStopsTheSave) {
  fs::path file = data_root() / "piccola" / "scuola2.txt";
  const std::string original = read(file);
  const std::string ours = "DATARELEASE:|5.8.C|\n";
  ASSERT_NE(original.find(ours), std::string::npos);
  struct Case { const char* release; bool saves; };
  const Case c{GetParam().first, GetParam().second};
  {
    std::string text = original;
    text.replace(text.find(ours), ours.size(), c.release);
    write(file, text);
    const std::size_t shown = ui.boxes().size();
    if (!c.saves) {
      // Reading the school for the configuration ends the program with the
      // message, as a file of a newer program must: nothing is written.
      int runs = 0;
      ui.OnNextModal([&](Dialog&) {
        ++runs;
        alfadlg_go_to_page(kPageHome);
        ui.Click(g_home_page, CPlenixDlg::kConfiguration);
        ui.Pump();
      });
      const char* argv[] = {"kestrintempus"};
      g_app.InitInstance(1, argv);
      EXPECT_EQ(runs, 1);
      bool refused = false;
      for (std::size_t b = shown; b < ui.boxes().size(); ++b)
        refused = refused || ui.boxes()[b].texts.at(0).rfind("Aggiornare il Software con la release ", 0) == 0;
      EXPECT_TRUE(refused);
      EXPECT_FALSE(og_school_loaded());
      EXPECT_EQ(read(file), text);
      return;
    }
    Run([&] {
      alfadlg_go_to_page(kPageHome);
      ui.Click(g_home_page, CPlenixDlg::kConfiguration);
      ui.Pump();
      bool refused = false;
      for (std::size_t b = shown; b < ui.boxes().size(); ++b)
        refused = refused || ui.boxes()[b].texts.at(0).rfind("Aggiornare il Software con la release ", 0) == 0;
      EXPECT_EQ(refused, !c.saves);
      if (!c.saves) {
        EXPECT_FALSE(og_school_loaded());
        return;
      }
      alfadlg_go_to_page(kPageParameters1);
      ASSERT_NE(g_current_page, nullptr);
      ASSERT_TRUE(ui.Click(*g_current_page, Corapage::kSaveId));
      std::string release;
      EXPECT_EQ(og_read_school_lines(file.string(), [&](const std::string& line) {
        if (line.rfind("DATARELEASE:", 0) == 0) release = line;
        return true;
      }, nullptr), SchoolLines::kRead);
      EXPECT_EQ(release, std::string("DATARELEASE:|") + kProgramRelease + "|");
      const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
      EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
    });
    if (!c.saves) EXPECT_EQ(read(file), text);
  }
}

INSTANTIATE_TEST_SUITE_P(Releases, ReleaseCheck,
                         ::testing::Values(std::make_pair("DATARELEASE:\tCONV1\t\n", true),   // converted school
                                           std::make_pair("DATARELEASE:|ZZZZZ|\n", true),       // no release
                                           std::make_pair("DATARELEASE:|5.8.C|\n", true),       // older
                                           std::make_pair("DATARELEASE:|6.9.Z|\n", false),      // newer
                                           std::make_pair("DATARELEASE:|6.1.Z|\n", false)));    // newer letter

// Each sample school, saved from each page that saves, without a change.
class SampleRoundTrip : public SchoolRoundTrip, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleRoundTrip, ComesBackLineForLine) {
  struct SavingPage { int page, save_id; };
  const SavingPage pages[] = {{kPageParameters1, Corapage::kSaveId},
                              {kPageParameters4, Corapage::kSaveId},
                              {kPageOraspec, Coraspec::kSaveId},
                              {kPageParameters2, Corapage::kSaveId},
                              {kPageParameters3, Corapage::kSaveId},
                              {kPageProscuola, Cproscuola::kSaveId},
                              {kPagePlessi, Cplessi::kSaveId},
                              {kPageMaterie, Cmaterie::kSaveId},
                              {kPageLapal, Clapal::kSaveId},
                              {kPagePale, Cpale::kSaveId},
                              {kPageProqui, Cproqui::kSaveId},
                              {kPageLacoco, Clacoco::kSaveId},
                              {kPageProcat, Cprocat::kSaveId},
                              {kPageVicat, Cvicat::kSaveId},
                              {kPageVipro, Cvipro::kSaveId},
                              {kPageVidia, Cvidia::kSaveId}};
  const std::string school = GetParam();
  if (school != "piccola") copy_example(school, school);
  StartIn(school);
  const std::string before = lines_of(school);
  Run([&] {
    for (const SavingPage& p : pages) {
      SaveFrom(p.page, p.save_id);
      EXPECT_EQ(lines_of(school), before) << "saved from page " << std::hex << p.page;
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTrip, ::testing::Values("piccola", "liceo", "istituto"));

}  // namespace
