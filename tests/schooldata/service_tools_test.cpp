// The service tools on a copy of the small sample school, as the home page
// runs them: each reads the school, changes the teachers' records and writes
// the description, which reads back with the change.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/service_tools.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "platform/test_driver.h"
#include "search_test_support.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

namespace {

using namespace kt_search_test;

// The teacher of that name in the school read.
UiTeacher& named_teacher(const char* name) {
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    if (std::string(g_ui_teachers[t].name) == name) return g_ui_teachers[t];
  ADD_FAILURE() << name;
  return g_ui_teachers[0];
}

class ServiceTools : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    fs::current_path(drive_);
    for (const char* name : {"scuola1.txt", "scuola2.txt"})
      fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/piccola" / name, fs::path(drive_) / name);
    ASSERT_EQ(og_read_structure_file(0), 0);
    ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
  }
  void TearDown() override {
    og_clear_structure();
    SearchFolders::TearDown();
  }
  static UiTeacher& teacher(const char* name) { return named_teacher(name); }
};

// "Forbidden whole days" go for teachers of 18 hours or more: a day whose
// every hour is forbidden opens again; a day with one forbidden hour keeps
// it, and so do teachers of fewer hours.
TEST_F(ServiceTools, WholeForbiddenDaysOpenForFullTimeTeachers) {
  for (const char* name : {"ROSSI", "ESPOSITO"}) {  // 18 and 8 hours
    std::uint8_t* op = teacher(name).personal.op;
    std::fill(op, op + 84, std::uint8_t{0});
    for (int h = 0; h < 5; ++h) op[h] = 1;  // all of Monday
    op[12 + 2] = 1;                         // Tuesday's third hour
  }
  ASSERT_EQ(og_write_assignments_file(0, 0), 0);
  og_run_service_tool(17131);
  const std::uint8_t* rossi = teacher("ROSSI").personal.op;
  const std::uint8_t* esposito = teacher("ESPOSITO").personal.op;
  for (int h = 0; h < 5; ++h) {
    EXPECT_EQ(rossi[h], 0) << h;
    EXPECT_EQ(esposito[h], 1) << h;
  }
  EXPECT_EQ(rossi[14], 1);
  EXPECT_EQ(esposito[14], 1);
}

// The first post of `owner` without a lab partner.
UiTeachingPost* partnered_post(UiTeacher& owner, bool with) {
  for (std::uint32_t p = 0; p < owner.post_count; ++p)
    if (!owner.posts[p].copy && (owner.posts[p].partner >= 0) == with) return &owner.posts[p];
  ADD_FAILURE() << owner.name;
  return &owner.posts[0];
}

// The post of `owner` teaching `subject` in the class `code`.
UiTeachingPost& post_of(const char* owner, const char* subject, const char* code) {
  UiTeacher& t = named_teacher(owner);
  for (std::uint32_t p = 0; p < t.post_count; ++p) {
    const UiTeachingPost& post = t.posts[p];
    if (!post.copy && std::string(g_ui_structure.subjects[post.subject].name) == subject &&
        std::string(g_ui_structure.classes[post.class_index].code, 2) == code)
      return t.posts[p];
  }
  ADD_FAILURE() << owner << " " << subject << " " << code;
  return t.posts[0];
}

// The school's first post with a lab partner.
UiTeachingPost* lab_post() {
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p)
      if (!g_ui_teachers[t].posts[p].copy && g_ui_teachers[t].posts[p].partner >= 0) return &g_ui_teachers[t].posts[p];
  ADD_FAILURE() << "no post with a lab partner";
  return &g_ui_teachers[0].posts[0];
}

std::string subject_name(const UiTeachingPost& post) { return g_ui_structure.subjects[post.subject].name; }

int hours_total() {
  int total = 0;
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p)
      if (!g_ui_teachers[t].posts[p].copy) total += g_ui_teachers[t].posts[p].own.hours + g_ui_teachers[t].posts[p].partner_part.hours;
  return total;
}

// Each bulk repair of the open school, as its code runs it: the change is
// in the description read back from the files, what it leaves alone is
// unchanged, and the boxes it shows answer as the officer would.
TEST_F(ServiceTools, EachCodeChangesTheSchoolFilesAsItSays) {
  static int before = 0;  // a value of the school before the tool ran
  struct Case {
    int code;
    std::function<void()> prepare;
    std::vector<kt::ui::LResult> answers;
    std::function<void()> check;
  };
  using namespace kt::ui;
  const Case cases[] = {
      {17102,  // a grouping row's second digit (2-9) becomes the part's daily maximum
       [] {
         UiTeachingPost* own = partnered_post(teacher("ROSSI"), false);
         std::snprintf(own->own.grouping1, 13, "31");
         std::snprintf(own->own.grouping2, 13, "15");  // rows of the post's 6 hours
         UiTeachingPost* lab = lab_post();
         lab->partner_part.hours = 5;
         std::snprintf(lab->partner_part.grouping1, 13, "32");
         lab->partner_part.daily_max = 4;
       },
       {},
       [] {
         const UiTeachingPost* own = partnered_post(teacher("ROSSI"), false);
         EXPECT_STREQ(own->own.grouping1, "31");
         EXPECT_STREQ(own->own.grouping2, "1");
         EXPECT_EQ(+own->own.daily_max, 5);
         const UiTeachingPost* lab = lab_post();
         EXPECT_EQ(std::strlen(lab->partner_part.grouping1), 1u) << lab->partner_part.grouping1;
         EXPECT_EQ(+lab->partner_part.daily_max, 4);  // already above the digit
       }},
      {17104,  // the bands and the daily teaching minimum go; the presence stays
       [] {
         UiTeacherConstraints& c = teacher("ROSSI").personal;
         c.pmin[0] = 2, c.pmin[1] = 3, c.pmax[0] = 1, c.pmax[1] = 2, c.gmin = 2, c.insegnamin = 2, c.presenza = 4;
       },
       {},
       [] {
         const UiTeacherConstraints& c = teacher("ROSSI").personal;
         EXPECT_LE(c.pmin[0], 0);
         EXPECT_LE(c.pmax[0], 0);
         EXPECT_LT(+c.gmin, 0);
         EXPECT_LT(+c.insegnamin, 0);
         EXPECT_LT(+teacher("ESPOSITO").personal.gmax, 0);
         EXPECT_EQ(+c.presenza, 4);
       }},
      {17105,  // the daily teaching minimum at most 2
       [] { teacher("ROSSI").personal.insegnamin = 4, teacher("BIANCHI").personal.insegnamin = 1; },
       {},
       [] {
         EXPECT_EQ(+teacher("ROSSI").personal.insegnamin, 2);
         EXPECT_EQ(+teacher("BIANCHI").personal.insegnamin, 1);
       }},
      {17106,  // "ZZ" is nobody's partner; other partners stay
       [] {
         before = lab_post()->partner;
         std::snprintf(teacher("MANCINI").name, kUiNameSize, "ZZ");
         UiTeachingPost* post = partnered_post(teacher("ROSSI"), false);
         post->partner = std::int32_t(&teacher("ZZ") - g_ui_teachers);
         post->partner_part.hours = 1;
       },
       {kIdOk},
       [] {
         for (std::uint32_t p = 0; p < teacher("ROSSI").post_count; ++p) EXPECT_LT(+teacher("ROSSI").posts[p].partner, 0);
         EXPECT_EQ(partnered_post(teacher("ROSSI"), false)->partner_part.hours, 0);
         EXPECT_EQ(+lab_post()->partner, before);
       }},
      {17107, [] {}, {}, [] { EXPECT_EQ(+teacher("FERRARI").nor_flag, 1); }},  // no reception for anybody
      {17108,  // every part's hours doubled, the partner's too
       [] { before = hours_total(); },
       {},
       [] { EXPECT_EQ(hours_total(), 2 * before); }},
      {17181,  // every part's hours one fewer, never below none
       [] {
         lab_post()->partner_part.hours = 2;
         before = 2;
         partnered_post(teacher("ROSSI"), false)->own.hours = 2;
       },
       {},
       [] {
         EXPECT_EQ(+lab_post()->partner_part.hours, before - 1);
         EXPECT_EQ(partnered_post(teacher("ROSSI"), false)->own.hours, 1);
         EXPECT_EQ(partnered_post(teacher("ROSSI"), false)->partner_part.hours, 0);
       }},
      {17112,  // Wednesday's free days go, the other days' stay
       [] {}, {},
       [] {
         EXPECT_NE(teacher("MARINO").personal.li[2], 1);
         EXPECT_EQ(teacher("RICCI").personal.li[3], 1);
         EXPECT_EQ(teacher("ESPOSITO").personal.li[0], 1);
       }},
      {17116,  // the last weekday's code: Sunday
       [] { teacher("ROSSI").personal.li[6] = 1; }, {},
       [] {
         EXPECT_NE(teacher("ROSSI").personal.li[6], 1);
         EXPECT_EQ(teacher("ROSSI").personal.li[5], 1);
       }},
      {17122,  // the per-day OV limits go, OM stays
       [] { teacher("ROSSI").personal.om[1] = teacher("ROSSI").personal.ov[1] = teacher("ROSSI").personal.ov[4] = 3; },
       {},
       [] {
         EXPECT_LE(teacher("ROSSI").personal.ov[1], 0);
         EXPECT_LE(teacher("ROSSI").personal.ov[4], 0);
         EXPECT_EQ(teacher("ROSSI").personal.om[1], 3);
       }},
      {17141,  // no post keeps a placement option
       [] {
         partnered_post(teacher("ROSSI"), false)->own.placement = 2;
         lab_post()->own.placement = 1;
       },
       {},
       [] {
         EXPECT_EQ(partnered_post(teacher("ROSSI"), false)->own.placement, -1);
         EXPECT_EQ(+lab_post()->own.placement, -1);
       }},
      {17201,  // provisional exclusions and the timetable states go
       [] {
         teacher("ROSSI").prns = 1;
         g_ui_structure.status[3] = '3';
         g_ui_structure.status[4] = '2';
         ASSERT_EQ(og_write_structure_file(), 0);
       },
       {},
       [] {
         EXPECT_EQ(+teacher("ROSSI").prns, 0);
         ASSERT_EQ(og_read_structure_file(0), 0);
         EXPECT_EQ(g_ui_structure.status[3], '0');
         EXPECT_EQ(g_ui_structure.status[4], '0');
       }},
      {17203,  // two gaps a day for a teacher whose classes are in one building only
       [] {
         g_ui_settings.building_count = 2;
         std::snprintf(g_ui_settings.buildings[0].name, kUiNameSize, "CENTRO");
         std::snprintf(g_ui_settings.buildings[1].name, kUiNameSize, "NORD");
         g_ui_structure.classes[partnered_post(teacher("ROSSI"), false)->class_index].building = 1;
         before = partnered_post(teacher("ROSSI"), false)->class_index;
         for (std::uint32_t p = 0; p < teacher("ROSSI").post_count; ++p)
           if (teacher("ROSSI").posts[p].class_index != before) return;
         ADD_FAILURE() << "ROSSI teaches in one class only";
       },
       {},
       [] {
         EXPECT_LE(+teacher("ROSSI").personal.maxbudayper, 0);
         int in_other = 0;  // a teacher with no post in ROSSI's moved class
         for (std::uint32_t t = 0; t < g_ui_settings.teacher_count && in_other == 0; ++t) {
           bool touches = false;
           for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p)
             touches = touches || g_ui_teachers[t].posts[p].class_index == before;
           if (!touches && g_ui_teachers[t].post_count > 0) {
             EXPECT_EQ(+g_ui_teachers[t].personal.maxbudayper, 2) << g_ui_teachers[t].name;
             in_other = 1;
           }
         }
         EXPECT_EQ(in_other, 1);
       }},
      {17193,  // each teacher's posts in the order of their subjects' names, files plain
       [] {}, {},
       [this] {
         for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
           for (std::uint32_t p = 1; p < g_ui_teachers[t].post_count; ++p)
             EXPECT_LE(subject_name(g_ui_teachers[t].posts[p - 1]), subject_name(g_ui_teachers[t].posts[p]))
                 << g_ui_teachers[t].name;
         EXPECT_NE(read(drive_ + "/scuola2.txt").find("\nV:\tROSSI\t"), std::string::npos);
       }},
      {17190,  // the archive marker on every teacher's line, files plain
       [] {}, {},
       [this] {
         std::string text = read(drive_ + "/scuola2.txt");
         std::size_t at = text.find("\nV:\tBRUNO\t");
         ASSERT_NE(at, std::string::npos);
         std::string line = text.substr(at + 1, text.find('\n', at + 1) - at);
         EXPECT_NE(line.find("\tQWEQWE\t"), std::string::npos) << line;
         EXPECT_NE(read(drive_ + "/scuola1.txt").find("CLASSI:"), std::string::npos);
       }},
      {17191,  // plain copies, without the marker
       [] {}, {},
       [this] {
         std::string text = read(drive_ + "/scuola2.txt");
         EXPECT_NE(text.find("\nV:\tBRUNO\tGMAX:4"), std::string::npos);
         EXPECT_EQ(text.find("QWEQWE"), std::string::npos);
       }},
      {17192,  // the hour up to 18 goes to the first post whose class week has room: 2A, not the full 1A
       [] {
         post_of("ROSSI", "GEOGRAFIA", "1A").own.hours = 1;  // ROSSI at 17
         post_of("MARINO", "INGLESE", "1A").own.hours = 4;   // 1A full again
         post_of("MARINO", "INGLESE", "2A").own.hours = 2;   // room in 2A
       },
       {kIdYes, kIdOk, kIdNo, kIdNo, kIdNo, kIdNo},
       [] {
         EXPECT_EQ(post_of("ROSSI", "ITALIANO", "1A").own.hours, 6);
         EXPECT_EQ(post_of("ROSSI", "ITALIANO", "2A").own.hours, 7);
       }},
      {17192,  // the clean-up: hours up to 18, alike posts merged, the gym and odd labs dropped
       [] {
         UiTeacher& rossi = teacher("ROSSI");
         UiTeachingPost* post = partnered_post(rossi, false);
         post->own.hours = static_cast<std::int8_t>(post->own.hours - 1);  // 17: one hour to 18
         rossi.posts[rossi.post_count] = *post;  // an alike post of one hour
         rossi.posts[rossi.post_count++].own.hours = 1;
         ASSERT_GE(+g_ui_structure.lab_count, 1u);
         std::snprintf(g_ui_structure.labs[0].name, kUiNameSize, "Palestra");
         ASSERT_EQ(og_write_structure_file(), 0);
         before = post->own.hours + 1;
       },
       {kIdYes, kIdOk, kIdYes, kIdYes, kIdNo, kIdNo},
       [] {
         UiTeacher& rossi = teacher("ROSSI");
         int alike = 0;
         const UiTeachingPost* first = partnered_post(rossi, false);
         for (std::uint32_t p = 0; p < rossi.post_count; ++p)
           alike += rossi.posts[p].subject == first->subject && rossi.posts[p].class_index == first->class_index;
         EXPECT_EQ(alike, 1);
         EXPECT_EQ(+first->own.hours, before);  // 17 + 1 merged
         for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
           for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) EXPECT_LT(+g_ui_teachers[t].posts[p].lab, 0);
       }},
      {17192,  // the clean-up's odd labs: one named from an A is dropped from the posts, the gym is kept
       [] {
         UiTeachingPost* lab = lab_post();
         ASSERT_GE(+lab->lab, 0);
         std::snprintf(g_ui_structure.labs[lab->lab].name, kUiNameSize, "Aula 3");
         ASSERT_EQ(og_write_structure_file(), 0);
       },
       {kIdNo, kIdNo, kIdNo, kIdYes, kIdNo},
       [] {
         for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
           for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) EXPECT_LT(+g_ui_teachers[t].posts[p].lab, 0);
       }},
      {17192,  // the same lab named from a letter other than A stays
       [] {
         UiTeachingPost* lab = lab_post();
         std::snprintf(g_ui_structure.labs[lab->lab].name, kUiNameSize, "Bio 3");
         ASSERT_EQ(og_write_structure_file(), 0);
       },
       {kIdNo, kIdNo, kIdNo, kIdYes, kIdNo},
       [] { EXPECT_GE(+lab_post()->lab, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    g_school_files_plain = 0;
    ASSERT_EQ(og_read_structure_file(0), 0);
    ASSERT_EQ(og_read_assignments_file(0), 0);
    c.prepare();
    ASSERT_EQ(og_write_assignments_file(0, 0), 0);
    ASSERT_EQ(og_write_structure_file(), 0);
    kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
    for (LResult answer : c.answers) ui.AnswerNextModal(answer);
    og_run_service_tool(c.code);
    EXPECT_EQ(ui.PendingSteps(), 0u);
    EXPECT_TRUE(ui.Problems().empty());
    ASSERT_EQ(og_read_structure_file(0), 0);
    ASSERT_EQ(og_read_assignments_file(0), 0) << og_description_error();
    c.check();
    og_clear_structure();
    for (const char* name : {"scuola1.txt", "scuola2.txt"})
      fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/piccola" / name, fs::path(drive_) / name,
                    fs::copy_options::overwrite_existing);
  }
}

// A school that cannot be read is left as it is, with the reason shown; a
// code without an operation says so.
TEST_F(ServiceTools, UnreadableSchoolAndUnknownCode) {
  std::string structure = read(drive_ + "/scuola1.txt");
  fs::remove(fs::path(drive_) / "scuola2.txt");
  for (int code : {17102, 17104, 17105, 17106, 17107, 17108, 17110, 17121, 17131, 17141, 17142, 17181, 17190, 17191,
                   17192, 17193, 17201, 17203}) {
    kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
    ui.AnswerNextModal(kt::ui::kIdOk);
    og_run_service_tool(code);
    ASSERT_EQ(ui.boxes().size(), 1u) << code;
    EXPECT_EQ(ui.boxes()[0].texts.at(0), "Archivio non leggibile") << code;
    EXPECT_FALSE(fs::exists(fs::path(drive_) / "scuola2.txt")) << code;
    EXPECT_EQ(read(drive_ + "/scuola1.txt"), structure) << code;
  }
  kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
  ui.AnswerNextModal(kt::ui::kIdOk);
  og_run_service_tool(17999);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), std::string(ui_not_available_text().Get()));
}

// The copy of a chosen school into a folder named after it: made and made
// current; an existing one replaced only when the officer agrees; no
// choice, no copy.
TEST_F(ServiceTools, CopyToAFolderNamedAfterTheSchool) {
  auto saved = g_school_folder_chooser;
  std::string chosen = "\\SCUOLE";
  g_school_folder_chooser = [&](std::string& folder) {
    folder = chosen;
    return !chosen.empty();
  };
  fs::create_directories(fs::path(drive_) / "SCUOLE");
  for (const char* name : {"scuola1.txt", "scuola2.txt"})
    fs::copy_file(fs::path(drive_) / name, fs::path(drive_) / "SCUOLE" / name);
  fs::path target = fs::path(drive_) / "SCUOLE" / "Scuola Media Giuseppe Verdi";
  {
    kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
    EXPECT_EQ(og_copy_to_folder(0), 0);
    EXPECT_EQ(og_current_folder_path(), "\\SCUOLE\\Scuola Media Giuseppe Verdi");
    EXPECT_EQ(read((target / "scuola2.txt").string()), read(drive_ + "/SCUOLE/scuola2.txt"));
    EXPECT_TRUE(fs::exists(target / "scuola1.txt"));
    EXPECT_FALSE(fs::exists(target / "savego.txt"));
  }
  std::ofstream(target / "scuola2.txt", std::ios::binary) << "old";
  {
    kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
    ui.AnswerNextModal(kt::ui::kIdNo);
    EXPECT_EQ(og_copy_to_folder(0), 3);
    EXPECT_EQ(read((target / "scuola2.txt").string()), "old");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].texts.at(0), "[\\SCUOLE\\Scuola Media Giuseppe Verdi] esiste: ricopro con i nuovi dati ? ");
  }
  {
    kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
    ui.AnswerNextModal(kt::ui::kIdYes);
    EXPECT_EQ(og_copy_to_folder(0), 0);
    EXPECT_EQ(read((target / "scuola2.txt").string()), read(drive_ + "/SCUOLE/scuola2.txt"));
  }
  chosen.clear();
  EXPECT_EQ(og_copy_to_folder(0), 2);
  g_school_folder_chooser = saved;
}

// A school's name that climbs out of the chosen folder, or names a folder
// by its dots, still names one folder inside it: another school beside it
// keeps its files, and nothing is asked about a folder that is not the copy's.
TEST_F(ServiceTools, ASchoolNameWithSeparatorsOrDotsNamesOneFolder) {
  auto saved = g_school_folder_chooser;
  g_school_folder_chooser = [](std::string& folder) {
    folder = "\\SCUOLE";
    return true;
  };
  fs::create_directories(fs::path(drive_) / "ALTRA");
  std::ofstream(fs::path(drive_) / "ALTRA" / "scuola2.txt", std::ios::binary) << "REM:altra scuola";
  std::string description = read(drive_ + "/scuola2.txt");
  std::string rest = description.substr(description.find('\n'));
  struct Case {
    const char* title;
    const char* folder;
  } cases[] = {{"..\\ALTRA", "\\SCUOLE\\.._ALTRA"}, {"../ALTRA", "\\SCUOLE\\.._ALTRA"}, {"..", "\\SCUOLE\\__"}};
  for (const Case& c : cases) {
    fs::remove_all(fs::path(drive_) / "SCUOLE");
    fs::create_directories(fs::path(drive_) / "SCUOLE");
    fs::copy_file(fs::path(drive_) / "scuola1.txt", fs::path(drive_) / "SCUOLE" / "scuola1.txt");
    std::ofstream(fs::path(drive_) / "SCUOLE" / "scuola2.txt", std::ios::binary) << "REM:" << c.title << rest;
    kt::ui::TestDriver ui;
    ui_register_toolkit_templates();
    ui.AnswerNextModal(kt::ui::kIdYes);  // taken only when a folder that exists is to be covered
    EXPECT_EQ(og_copy_to_folder(0), 0) << c.title;
    EXPECT_TRUE(ui.boxes().empty()) << c.title;
    EXPECT_EQ(og_current_folder_path(), c.folder) << c.title;
    EXPECT_EQ(read(drive_ + "/ALTRA/scuola2.txt"), "REM:altra scuola") << c.title;
    EXPECT_EQ(read(drive_ + "/scuola2.txt"), description) << c.title;
    EXPECT_FALSE(fs::exists(fs::path(drive_) / "SCUOLE" / "ALTRA")) << c.title;
    fs::current_path(drive_);
  }
  g_school_folder_chooser = saved;
}

}  // namespace

namespace {

// The plain copies of the scrambled files: one that cannot be written (a
// folder stands where its temporary goes) keeps its scrambled contents and
// is named to the user, never passed over in silence; the others are
// written.
TEST_F(ServiceTools, APlainCopyThatCannotBeWrittenIsNamed) {
  ASSERT_EQ(og_write_assignments_file(0, 0), 0);
  const std::string scrambled = "a1b2c3d4e5f60718293a4b5c6d\n";
  std::ofstream(drive_ + "/savego.txt", std::ios::binary) << scrambled;
  fs::create_directory(fs::path(drive_) / ("savego.txt.kt-tmp-" + std::to_string(::getpid())));
  kt::ui::TestDriver ui;
  ui_register_toolkit_templates();
  ui.AnswerNextModal(kt::ui::kIdOk);
  og_run_service_tool(17191);
  fs::remove(fs::path(drive_) / ("savego.txt.kt-tmp-" + std::to_string(::getpid())));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Errore scrittura [savego.txt]");
  EXPECT_EQ(read(drive_ + "/savego.txt"), scrambled);
  EXPECT_EQ(read(drive_ + "/scuola2.txt").substr(0, 4), "REM:");
}

}  // namespace
