// A hand-made school whose posts carry every option a teaching line may
// hold, on their own part and on a lab or conversation partner's part, with
// labs, a lab group, a gym with its limits and equipment, two buildings:
// read into the model (values the pages cannot all type but a file
// carries), written back byte for byte (but for the folder line), loaded
// by the engine.

#include <cstring>
#include <string>

#include "../engine/loader_harness.h"
#include "desc_test_support.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "school_model_copy.h"

namespace {

std::string posts_file(const char* name) { return std::string(KT_TEST_DATA) + "/description/posts/" + name; }
std::string every_item_file(const char* name) {
  return std::string(KT_TEST_DATA) + "/description/every_item/" + name;
}

std::string without_folder_line(const std::string& text) {
  std::size_t first = text.find('\n');
  std::size_t second = text.find('\n', first + 1);
  return text.substr(0, first + 1) + text.substr(second + 1);
}

class DescPostOptions : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    ASSERT_EQ(og_read_structure_file_from(posts_file("scuola1.txt"), 0), 0);
    ASSERT_EQ(og_read_assignments_file_from(posts_file("scuola2.txt"), 0), 0) << og_description_error();
  }
  std::string out() const { return dir_ + "/out.txt"; }
};

int teacher(const char* name) {
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
    if (std::strcmp(g_ui_teachers[t].name, name) == 0) return static_cast<int>(t);
  return -1;
}

int subject(const char* name) {
  for (std::uint32_t s = 0; s < g_ui_structure.subject_count; ++s)
    if (std::strcmp(g_ui_structure.subjects[s].name, name) == 0) return static_cast<int>(s);
  return -2;
}

int class_index(const char* code) {
  for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c)
    if (std::strcmp(g_ui_structure.classes[c].code, code) == 0) return static_cast<int>(c);
  return -2;
}

// The post of `owner` in class `code` (its subject `name`).
const UiTeachingPost* post(const char* owner, const char* code, const char* name) {
  int t = teacher(owner);
  if (t < 0) return nullptr;
  for (std::uint32_t p = 0; p < g_ui_teachers[t].post_count; ++p) {
    const UiTeachingPost& x = g_ui_teachers[t].posts[p];
    if (x.class_index == class_index(code) && x.subject == subject(name)) return &x;
  }
  return nullptr;
}

// A week mask as the days' runs of set hours ("LU:1-2MA:5-5").
std::string runs(const unsigned char* mask) {
  if (mask[0] == 255) return "unset";
  return og_format_week_mask(mask);
}

TEST_F(DescPostOptions, ReadsEveryOptionIntoItsPart) {
  const UiTeachingPost* rossi = post("ROSSI", "1A", "ITALIANO");
  const UiTeachingPost* rossi2 = post("ROSSI", "2A", "ITALIANO");
  const UiTeachingPost* lab = post("BIANCHI", "1A", "SCIENZE");
  const UiTeachingPost* lab2 = post("BIANCHI", "2A", "SCIENZE");
  const UiTeachingPost* conversation = post("GIALLI", "1A", "INGLESE");
  const UiTeachingPost* verdi = post("VERDI", "3A", "MATEMATICA");
  const UiTeachingPost* gym2 = post("BRUNI", "2A", "SCIENZE MOTORIE");
  ASSERT_TRUE(rossi && rossi2 && lab && lab2 && conversation && verdi && gym2);
  const UiSchoolSettings& se = g_ui_settings;
  const UiSchoolStructure& st = g_ui_structure;
  struct Case {
    const char* what;
    long long value, expected;
  };
  const Case cases[] = {
      // The own part of ROSSI's first post: one option of each kind.
      {"joint classes", rossi->joint_count, 1},
      {"joint class", rossi->joint_classes[0], class_index("2A")},
      {"lab equipment", rossi->own.lab_equipment, 1},
      {"lab group", rossi->lab_group, 0},
      {"extended hours", rossi->own.extended_hours, 1},
      {"joined class", rossi->own.joined_class, class_index("3A")},
      {"tasks", rossi->own.triple[0] * 100 + rossi->own.triple[1] * 10 + rossi->own.triple[2], 203},
      {"tasks letter", rossi->own.letter_j, 0},
      {"placement", rossi->own.placement, 2},
      {"daily maximum", rossi->own.daily_max, 2},
      {"excluded day subject", rossi->own.excluded_day_subject, subject("MATEMATICA")},
      {"subgroup subject", rossi->own.subgroup_subject, subject("MATEMATICA")},
      {"building move", rossi->own.building_move, 1},
      {"building move option", rossi->own.building_move_option, 2},
      {"classwork hours", rossi->own.classwork_hours, 2},
      {"second post's tasks", rossi2->own.triple[0] * 100 + rossi2->own.triple[1] * 10 + rossi2->own.triple[2], 114},
      {"second post's tasks letter", rossi2->own.letter_j, 1},
      {"second post's building move", rossi2->own.building_move, 0},
      {"second post's building move option", rossi2->own.building_move_option, 0},
      {"unset options", rossi2->own.placement * 1000 + rossi2->own.daily_max * 100 + rossi2->own.classwork_hours,
       -101},
      // The teacher's own items.
      {"stand-by hours", g_ui_teachers[teacher("ROSSI")].standby_hours, 2},
      {"NOR", g_ui_teachers[teacher("ROSSI")].nor_flag, 1},
      {"support hours", g_ui_teachers[teacher("ROSSI")].support_hours, 1},
      {"NI", g_ui_teachers[teacher("ROSSI")].personal.ni, teacher("VERDI")},
      {"main subject", g_ui_teachers[teacher("ROSSI")].main_subject, subject("MATEMATICA")},
      {"FCV", g_ui_teachers[teacher("VERDI")].fc_mode, 2},
      {"FCA", g_ui_teachers[teacher("NERI")].fc_mode, 1},
      {"VERDI's stand-by hours", g_ui_teachers[teacher("VERDI")].standby_hours, 1},
      // Equipment: numbered in the order the file first names it, per list.
      {"VERDI's lab equipment", verdi->own.lab_equipment, 2},
      {"BIANCHI's lab equipment", lab->own.lab_equipment, 3},
      {"lab partner's gym equipment", lab->partner_part.gym_equipment, 1},
      {"gym equipment of 2A", gym2->own.gym_equipment, 3},
      {"LAVAGNA", std::strcmp(se.lab_equipment[0], "LAVAGNA"), 0},
      {"COMPASSI", std::strcmp(se.lab_equipment[1], "COMPASSI"), 0},
      {"MICROSCOPI", std::strcmp(se.lab_equipment[2], "MICROSCOPI"), 0},
      {"VETRINI", std::strcmp(se.gym_equipment[0], "VETRINI"), 0},
      {"PALLONI", std::strcmp(se.gym_equipment[1], "PALLONI"), 0},
      {"CORDE", std::strcmp(se.gym_equipment[2], "CORDE"), 0},
      {"no fourth gym equipment", se.gym_equipment[3][0], 0},
      // The lab partner's part of BIANCHI's 1A post, and its second post.
      {"lab partner", lab->partner, teacher("NERI")},
      {"lab", lab->lab, 0},
      {"lab partner's hours", lab->partner_part.hours, 2},
      {"lab partner's extended hours", lab->partner_part.extended_hours, -1},
      {"lab partner's daily maximum", lab->partner_part.daily_max, 1},
      {"lab partner's classwork hours", lab->partner_part.classwork_hours, 1},
      {"own part untouched by the partner's", lab->own.daily_max * 10 + lab->own.gym_equipment, -10},
      {"second lab partner", lab2->partner, teacher("NERI")},
      {"second lab partner's hours", lab2->partner_part.hours, 1},
      // The conversation partner: placement read with "ORQ:" marks the reception.
      {"conversation partner", conversation->partner, teacher("SMITH")},
      {"conversation subject", conversation->conversation_subject, subject("CONV INGLESE")},
      {"conversation placement", conversation->partner_part.placement, 1},
      {"reception", g_ui_teachers[teacher("SMITH")].reception, 1},
      {"no reception", g_ui_teachers[teacher("ROSSI")].reception, 0},
      // Rooms and buildings.
      {"building count", se.building_count, 2},
      {"building of 3A", st.classes[class_index("3A")].building, 1},
      {"building of 2A", st.classes[class_index("2A")].building, 0},
      {"reachable", se.buildings[0].reachable_count * 10 + se.buildings[0].reachable_values[0], 12},
      {"lab group's labs", st.lab_groups[0].labs[0] * 10 + st.lab_groups[0].labs[1], 1},
      {"gym's classes", se.gyms[0].max_classes * 1000 + se.gyms[0].min_classes[0] * 100 +
                            se.gyms[0].min_classes[1] * 10 + se.gyms[0].min_classes[2], 2123},
      {"gym's product", se.gyms[0].max_product, 4},
      {"gym's building", se.gyms[0].building, 0},
      {"lab's building", st.labs[1].building, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, c.expected) << c.what;
  struct Text {
    const char* what;
    std::string value, expected;
  };
  const Text texts[] = {
      {"grouping", rossi->own.grouping1, "2"},
      {"second grouping", rossi->own.grouping2, "3"},
      {"forbidden hours", runs(rossi->own.forbidden_hours), "LU:1-2MA:5-5"},
      {"lab partner's grouping", lab->partner_part.grouping1, "2"},
      {"lab partner's forbidden hours", runs(lab->partner_part.forbidden_hours), "ME:1-2"},
      {"lab's hours", runs(st.labs[0].hours), "LU:1-5MA:2-4ME:1-3"},
      {"lab without hours", runs(st.labs[1].hours), "unset"},
      {"gym's hours", runs(se.gyms[0].hours), "LU:1-5MA:1-5"},
      {"reachable building", se.buildings[1].reachable_names[0], "CENTRO"},
  };
  for (const Text& t : texts) EXPECT_EQ(t.value, t.expected) << t.what;
}

TEST_F(DescPostOptions, WritesTheSameBytesAndTheEngineLoadsThem) {
  ASSERT_EQ(og_write_assignments_file_to(out(), 0), 0) << og_description_write_error();
  std::string written = slurp(out());
  EXPECT_EQ(without_folder_line(written), without_folder_line(slurp(posts_file("scuola2.txt"))));
  loader_test::Outcome synt = loader_test::run_synt(written);
  EXPECT_EQ(synt.code, 0) << synt.message;
}

// The sample schools' labs as the program reads them (the structure first,
// so the day codes are the school's): every "LABOR:" line's hours are the
// lab's, and a lab without "OR:" is open all week.
class SampleLabHours : public PlainSchoolFolder<::testing::TestWithParam<const char*>> {};

TEST_P(SampleLabHours, EveryLabKeepsTheHoursOfItsLine) {
  ASSERT_EQ(og_read_structure_file_from(desc_example(GetParam(), "scuola1.txt"), 0), 0);
  ASSERT_EQ(og_read_assignments_file_from(desc_example(GetParam(), "scuola2.txt"), 0), 0) << og_description_error();
  std::istringstream text(slurp(desc_example(GetParam(), "scuola2.txt")));
  int labs = 0;
  for (std::string line; std::getline(text, line);) {
    if (line.rfind("LABOR:|", 0) != 0) continue;
    std::string name = line.substr(7, line.rfind('-', line.find('|', 7)) - 7);
    std::size_t hours = line.find("|OR:");
    std::string expected = hours == std::string::npos ? "unset" : line.substr(hours + 4, line.find('\t', hours) - hours - 4);
    bool found = false;
    for (std::uint32_t l = 0; l < g_ui_structure.lab_count; ++l) {
      if (name != g_ui_structure.labs[l].name) continue;
      found = true;
      EXPECT_EQ(runs(g_ui_structure.labs[l].hours), expected) << name;
    }
    EXPECT_TRUE(found) << name;
    ++labs;
  }
  EXPECT_GT(labs, 0);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleLabHours, ::testing::Values("piccola", "liceo", "istituto"));

// A school whose teachers carry every personal-constraint item and whose
// common rooms every option (subjects list, pairs, sharing, hours by cell),
// with band tables: read, written back byte for byte (but for the folder
// line), read again into the same model; a few values checked as read.
class DescEveryItem : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    ASSERT_EQ(og_read_structure_file_from(every_item_file("scuola1.txt"), 0), 0);
    ASSERT_EQ(og_read_assignments_file_from(every_item_file("scuola2.txt"), 0), 0) << og_description_error();
  }
};

TEST_F(DescEveryItem, WritesTheSameBytesAndReadsBackTheSameModel) {
  save_reopen::ModelCopy read;
  std::string out = dir_ + "/out.txt";
  ASSERT_EQ(og_write_assignments_file_to(out, 0), 0) << og_description_write_error();
  EXPECT_EQ(without_folder_line(slurp(out)), without_folder_line(slurp(every_item_file("scuola2.txt"))));
  ASSERT_EQ(og_read_assignments_file_from(out, 0), 0) << og_description_error();
  EXPECT_EQ(read.Differences(), "");
}

TEST_F(DescEveryItem, ReadsEachValueIntoItsField) {
  const UiTeacher& rossi = g_ui_teachers[teacher("ROSSI")];
  const UiTeacher& verdi = g_ui_teachers[teacher("VERDI")];
  const UiTeacherConstraints& r = rossi.personal;
  const UiTeacherConstraints& v = verdi.personal;
  ASSERT_EQ(+g_ui_settings.gym_count, 2u);
  const UiGym& hall = g_ui_settings.gyms[1];
  struct Case {
    const char* what;
    long long value, expected;
  };
  const Case cases[] = {
      {"PMIN", r.pmin[0] * 10 + r.pmin[1], 23},
      {"EMIN", r.emin[0] * 100 + r.emin[1] * 10 + r.emin[2], 231},
      {"OV Tuesday", r.ov[1], 3},
      {"OM Wednesday", r.om[2], 2},
      {"DIMPE Friday", r.dimpe[4], 2},
      {"LIALT Monday", r.lialt[0], 1},
      {"INSE second pair", r.inse.pairs[1][0] * 10 + r.inse.pairs[1][1], 31},
      {"GX", r.gx[0] * 100 + r.gx[1] * 10 + r.gx[2], 123},
      {"BUK", r.buk[0] * 10 + r.buk[1], 21},
      {"car share", r.carshare_partner * 10 + r.carshare_wait, teacher("VERDI") * 10 + 2},
      {"MXR", rossi.mxr, 2},
      {"BRENTIX and PRNS", rossi.brentix * 10 + rossi.prns, 11},
      {"QUORVEX and CLASENOC", r.quorvex * 10 + r.clasenoc, 32},
      {"PAUSAMEPER", r.pausameper[0] * 1000 + r.pausameper[3], 2001},
      {"FERCAV", r.fercav[0] * 100 + r.fercav[1] * 10 + r.fercav[2], 123},
      {"TEKGRADO", r.tekgrado[0] * 10 + r.tekgrado[1], 12},
      {"VERDI's NOMOTOR", v.nomotor, 12},
      {"VERDI's BUK", v.buk[0] * 10 + v.buk[1], 1},
      {"VERDI's car share", v.carshare_partner * 10 + v.carshare_wait, teacher("ROSSI") * 10},
      {"hall's subjects", hall.subjects[0] * 100 + hall.subjects[1] * 10 + (hall.subjects[2] + 1),
       subject("ITALIANO") * 100 + subject("INGLESE") * 10},
      {"hall's building", hall.building, 1},
      {"hall's pairs", hall.pair_count * 1000 + hall.pairs[0][0] * 100 + hall.pairs[0][1] * 10 + hall.pairs[1][0], 2123},
      {"hall's pair of none", hall.pairs[1][1], 255},
      {"hall's sharing", hall.sharing_count * 100 + hall.sharing[1][0] * 10 + hall.sharing[1][1], 223},
      {"hall's tolerated errors", hall.tolerated_errors, 4},
      {"hall's classes by hour", hall.classes_by_hour[1] * 100 + hall.classes_by_hour[2] * 10 + hall.classes_by_hour[5], 320},
      {"hall's product", hall.max_product, 6},
      {"first band table", g_ui_settings.iggiorni.count * 10 + g_ui_settings.iggiorni.pairs[1][0], 25},
      {"triples", g_ui_settings.pexdiz.count * 10 + g_ui_settings.pexdiz.triples[1][2], 26},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, c.expected) << c.what;
  EXPECT_EQ(runs(v.op), "LU:3-5ME:1-1VE:2-4");
  EXPECT_EQ(runs(hall.hours), "unset");
}

}  // namespace
