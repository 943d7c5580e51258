// Numbers written by hand into a school's description, opened from the
// frame as a user would: a number its field cannot hold is refused with a
// message naming the file, the line and the item, and the files are left
// as they are; the largest and smallest numbers the fields hold open, save
// and open again unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/test_driver.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "structure/config_menu.h"
#include "structure/structure_pages.h"
#include "structure/teacher_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class HandEditedNumbers : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    ui_register_frame_templates();
    structure_install_pages();
    school_ = copy_example("piccola", "piccola");
    g_hint_flags = 1;
    ASSERT_NO_FATAL_FAILURE(show_frame_in_school(ui, "piccola"));
    good1_ = read(school_ / "scuola1.txt");
    good2_ = read(school_ / "scuola2.txt");
  }
  void TearDown() override {
    // A refused school stays refused for the whole program (nothing is
    // saved over its files): the sound one is opened again, as a user would
    // after mending the file, so that later tests find a school to save.
    if (!og_school_loaded() && g_frame.IsWindow()) {
      write(school_ / "scuola1.txt", good1_);
      write(school_ / "scuola2.txt", good2_);
      EXPECT_TRUE(Open().empty());
      EXPECT_TRUE(og_school_loaded());
    }
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    TempRoot::TearDown();
  }
  // The description with COLOMBO's constraint line given more items.
  std::string WithColombo(const std::string& items) const {
    const std::string anchor = "V:\tCOLOMBO\tINSEGNA:4\t";
    std::size_t at = good2_.find(anchor) + anchor.size();
    return good2_.substr(0, at) + items + good2_.substr(at);
  }
  // The description with a school line put before the first subject.
  std::string WithSchoolLine(const std::string& line) const {
    std::size_t at = good2_.find("\nGM:") + 1;
    return good2_.substr(0, at) + line + "\n" + good2_.substr(at);
  }
  // The description with more items on the common room's line.
  std::string WithRoomItems(const std::string& items) const {
    const std::string anchor = "PRMAX:1\t";
    std::size_t at = good2_.find(anchor) + anchor.size();
    return good2_.substr(0, at) + items + good2_.substr(at);
  }
  // Opens the school from the home page; the texts of the boxes it showed.
  std::vector<std::string> Open() { return open_school_from_home(ui); }
  static const UiTeacher* Teacher(const char* name) {
    for (std::uint32_t t = 0; t < g_ui_settings.teacher_count && t < kUiMaxTeachers; ++t) {
      if (std::strcmp(g_ui_teachers[t].name, name) == 0) return &g_ui_teachers[t];
    }
    return nullptr;
  }
  fs::path school_;
  std::string good1_, good2_;
  TestDriver ui;
};

TEST_F(HandEditedNumbers, ANumberItsFieldCannotHoldIsRefusedNamingFileLineAndItem) {
  struct Case {
    const char* id;
    std::string text;
    const char* message;  // the reason, before the file's name
  };
  const Case cases[] = {
      // The lunch hour is kept less 1 in a signed byte: 200 would come back
      // as "not set" and vanish at the next save.
      {"teacher lunch hour", WithColombo("PAUSAMEPER:200-1-2-2\t"),
       "Valore fuori dai limiti (da -127 a 128): PAUSAMEPER:200-1-2-2"},
      {"teacher lunch length", WithColombo("PAUSAMEPER:5-1-300-2\t"),
       "Valore fuori dai limiti (da -128 a 127): PAUSAMEPER:5-1-300-2"},
      {"hours per day", WithColombo("OV:LU:300\t"), "Valore fuori dai limiti (da -128 a 127): OV:LU:300"},
      {"band first value", WithColombo("PMIN:200-1\t"), "Valore fuori dai limiti (da -128 a 127): PMIN:200-1"},
      {"light days", WithColombo("GL:4-999999999999\t"),
       "Valore fuori dai limiti (da -128 a 127): GL:4-999999999999"},
      {"pair table", WithColombo("GRUPPIOREMAX:3-130\t"),
       "Valore fuori dai limiti (da -128 a 127): GRUPPIOREMAX:3-130"},
      {"rest", WithColombo("RIPOSO:128\t"), "Valore fuori dai limiti (da -128 a 127): RIPOSO:128"},
      {"extra gaps", WithColombo("BUK:1:-129\t"), "Valore fuori dai limiti (da -128 a 127): BUK:1:-129"},
      {"break days", WithColombo("MXR:256\t"), "Valore fuori dai limiti (da 0 a 255): MXR:256"},
      {"week limit", WithColombo("NOMWEEK:4294967297\t"),
       "Valore fuori dai limiti (da -128 a 127): NOMWEEK:4294967297"},
      // School lines: the line names the item.
      {"school lunch hour", WithSchoolLine("PAUSAMENSA:\t-3-1-2-2\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"school lunch hour not set", WithSchoolLine("PAUSAMENSA:\t256-1-2-2\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"school band", WithSchoolLine("IHBUCHE:\t1-300\t"), "Valore fuori dai limiti (da -128 a 127)\n"},
      {"school pair", WithSchoolLine("TOCOMI:\t1-200\t"), "Valore fuori dai limiti (da -128 a 127)\n"},
      {"extended hours", WithSchoolLine("OREPROLU:\t300\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      // Class calendars, the school's other lists and values, common rooms.
      {"calendar steps", WithSchoolLine("SCALJAN:G:1A:200-1\t"), "Valore fuori dai limiti (da -128 a 127)\n"},
      {"calendar step", WithSchoolLine("CALESPE:G:1A:LU:1-5\tSCALINO:-129\t"),
       "Valore fuori dai limiti (da -128 a 127)\n"},
      {"day lengths", WithSchoolLine("SKAVA:1A:300-2\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"provisional value", WithSchoolLine("DAYSPRNS:5-5-5-5-5-5-0\t0\t200\t"),
       "Valore fuori dai limiti (da -128 a 127)\n"},
      {"provisional count", WithSchoolLine("DAYSPRNS:5-5-5-5-5-5-0\t-1\t0\t"),
       "Valore fuori dai limiti (da 0 a 4294967295)\n"},
      {"short day", WithSchoolLine("CORTO:\tLU-256\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"stand-by band", WithSchoolLine("DISPOSIZIONE:\t10\tDISPODAY:\t1-200\t"),
       "Valore fuori dai limiti (da -128 a 127)\n"},
      {"rotation", WithSchoolLine("ROTAZIX:\t1A:300\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"rotation pause", WithSchoolLine("ROTAZIAPAUSA:-1-2-3-4\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"tekno", WithSchoolLine("TEKNO:\t1-2-300-X-4\t"), "Valore fuori dai limiti (da -128 a 127)\n"},
      // Saved as one digit each.
      {"room pairs", WithRoomItems("COPPIE:1-10\t"), "Valore fuori dai limiti (da 0 a 9)\n"},
      {"room sharing", WithRoomItems("PEROCO:1-256\t"), "Valore fuori dai limiti (da 0 a 255)\n"},
      {"room product", WithRoomItems("AVOMAX:200\t"), "Valore fuori dai limiti (da -128 a 127)\n"},
      {"room errors", WithRoomItems("PEROCOET:4294967296\t"), "Valore fuori dai limiti (da 0 a 4294967295)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    write(school_ / "scuola2.txt", c.text);
    std::vector<std::string> said = Open();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind(c.message, 0), 0u) << said[0];
    EXPECT_NE(said[0].find("\nFile: " + (school_ / "scuola2.txt").string() + "\nRiga "), std::string::npos)
        << said[0];
    EXPECT_FALSE(og_school_loaded());

    // A save from the teachers page writes nothing over the file.
    alfadlg_go_to_page(kPageProcat);
    ui.Pump();
    ASSERT_NE(g_current_page, nullptr);
    ui.Click(*g_current_page, Cprocat::kSaveId);
    EXPECT_EQ(read(school_ / "scuola2.txt"), c.text);
  }
}

// The structure file's classroom settings: the last value is a signed byte.
TEST_F(HandEditedNumbers, TheStructureFilesClassroomSettingRefusesANumberItCannotHold) {
  const std::string good1 = read(school_ / "scuola1.txt");
  for (const char* last : {"128", "-129"}) {
    SCOPED_TRACE(last);
    const std::string text = good1 + "ASAU:|0-0-0-0-0-0-0-0-0-0-0|" + last + "|\n";
    write(school_ / "scuola1.txt", text);
    std::vector<std::string> said = Open();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].rfind("Valore fuori dai limiti (da -128 a 127)\n", 0), 0u) << said[0];
    EXPECT_NE(said[0].find("\nFile: " + (school_ / "scuola1.txt").string() + "\nRiga "), std::string::npos)
        << said[0];
    EXPECT_FALSE(og_school_loaded());
    alfadlg_go_to_page(kPageProcat);
    ui.Pump();
    ASSERT_NE(g_current_page, nullptr);
    ui.Click(*g_current_page, Cprocat::kSaveId);
    EXPECT_EQ(read(school_ / "scuola1.txt"), text);
    EXPECT_EQ(read(school_ / "scuola2.txt"), good2_);
  }
  write(school_ / "scuola1.txt", good1 + "ASAU:|0-0-0-0-0-0-0-0-0-0-0|-128|\n");
  ASSERT_TRUE(Open().empty());
  EXPECT_EQ(g_ui_structure.room_assignment_last, -128);
}

TEST_F(HandEditedNumbers, TheEndsOfEachFieldsRangeSaveAndOpenUnchanged) {
  std::string text = WithColombo("PAUSAMEPER:128-1-127--128\tRIPOSO:127\tGL:1-127\tMXR:255\tBUK:127:-128\t");
  std::size_t at = text.find("\nGM:") + 1;
  text.insert(at, "PAUSAMENSA:\t255-0-255-2\t\nIHBUCHE:\t127--128\t\nOREPROLU:\t255\t\n"
                 "SCALJAN:G:1A:127-127\t\nDISPOSIZIONE:\t10\tDISPODAY:\t127--128\t\n");
  const std::string room = "PRMAX:1\t";
  text.insert(text.find(room) + room.size(), "PEROCO:0-255\tPEROCOET:4294967295\tAVOMAX:127\t");
  write(school_ / "scuola2.txt", text);
  ASSERT_TRUE(Open().empty());
  ASSERT_TRUE(og_school_loaded());

  alfadlg_go_to_page(kPageProcat);
  ui.Pump();
  ASSERT_NE(g_current_page, nullptr);
  std::size_t shown = ui.boxes().size();
  ui.Click(*g_current_page, Cprocat::kSaveId);
  ui.Pump();
  for (std::size_t i = shown; i < ui.boxes().size(); ++i) ADD_FAILURE() << ui.boxes()[i].texts.at(0);
  ASSERT_NE(read(school_ / "scuola2.txt"), text) << "not saved";

  ASSERT_TRUE(Open().empty());
  ASSERT_TRUE(og_school_loaded());
  const UiTeacher* colombo = Teacher("COLOMBO");
  ASSERT_NE(colombo, nullptr);
  const UiTeacherConstraints& c = colombo->personal;
  EXPECT_EQ(c.pausameper[0], 127);
  EXPECT_EQ(c.pausameper[1], 1);
  EXPECT_EQ(c.pausameper[2], 127);
  EXPECT_EQ(c.pausameper[3], -128);
  EXPECT_EQ(c.riposo, 127);
  EXPECT_EQ(c.gl[0], 1);
  EXPECT_EQ(c.gl[1], 127);
  EXPECT_EQ(colombo->mxr, 255);
  EXPECT_EQ(c.buk[0], 127);
  EXPECT_EQ(c.buk[1], -128);
  EXPECT_EQ(g_ui_settings.lunch_break[0], 254);
  EXPECT_EQ(g_ui_settings.lunch_break[1], 0);
  EXPECT_EQ(g_ui_settings.lunch_break[2], 255);
  EXPECT_EQ(g_ui_settings.lunch_break[3], 2);
  ASSERT_GE(g_ui_settings.ihbuche.count, 1);
  EXPECT_EQ(g_ui_settings.ihbuche.pairs[0][0], 127);
  EXPECT_EQ(g_ui_settings.ihbuche.pairs[0][1], -128);
  EXPECT_EQ(g_ui_header.extended_hours, 255);
  const UiClassCalendar& steps = g_ui_structure.classes[0].calendars[0];
  ASSERT_STREQ(g_ui_structure.classes[0].code, "1A");
  EXPECT_EQ(steps.max_day_difference, 127);
  EXPECT_EQ(steps.second_hour_entries, 127);
  ASSERT_GE(g_ui_settings.dispoday.count, 1);
  EXPECT_EQ(g_ui_settings.dispoday.pairs[0][0], 127);
  EXPECT_EQ(g_ui_settings.dispoday.pairs[0][1], -128);
  // Packed fields: compared by value, not bound to a reference.
  ASSERT_GE(std::uint32_t{g_ui_settings.gym_count}, 1u);
  ASSERT_EQ(g_ui_settings.gyms[0].sharing_count, 1);
  EXPECT_EQ(g_ui_settings.gyms[0].sharing[0][0], 0);
  EXPECT_EQ(g_ui_settings.gyms[0].sharing[0][1], 255);
  EXPECT_EQ(std::uint32_t{g_ui_settings.gyms[0].tolerated_errors}, 4294967295u);
  EXPECT_EQ(g_ui_settings.gyms[0].max_product, 127);
}

}  // namespace
