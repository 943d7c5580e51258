// The values each keyword and item of a description leaves in the model, in
// the forms the user interface writes too, and the mends of names and codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/model_post_passes.h"
#include "loader_harness.h"

namespace {

using engine_test::class_index;
using engine_test::teacher_index;
using loader_test::kWeek;
using loader_test::repeat;

void load(const std::string& lines, int provisional = 0) {
  loader_test::Outcome outcome = loader_test::run_synt(std::string(kWeek) + lines, 0, provisional);
  ASSERT_EQ(outcome.code, 0) << outcome.message;
}

bool same(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

const std::string kClasses = "GM:MAT\t\nROSSI\t1A 1\t2A 1\t3A 1\t\n";

// A field of classes 1A, 2A, 3A; for the kind, also whether the display
// names are the ginnasio ones (years 1 and 2 are the fourth and fifth, 3 is
// the first liceo year).
std::vector<long> class_field(int field) {
  std::vector<long> v;
  for (const char* code : {"1A", "2A", "3A"}) {
    const EngineClass& k = g_eng_classes[class_index(code)];
    v.push_back(field == 0 ? k.kind : field == 1 ? k.room_type : k.rotazix);
  }
  if (field == 0) v.push_back(same(g_eng_classes[0].display_name, "IVA") && same(g_eng_classes[1].display_name, "2A") &&
                              same(g_eng_classes[2].display_name, "IA"));
  const EngineSchool& s = g_eng_school;
  if (field == 2) v.insert(v.end(), {s.rotazix_flag, s.rotation_pause[0], s.rotation_pause[1], s.rotation_pause[2]});
  return v;
}

// The values each keyword and item leaves in the tables.
TEST(LoaderFields, ValuesOfEachKeyword) {
  using V = std::vector<long>;
  struct Case { const char* id; std::string lines; V (*values)(); V expected; } cases[] = {
      // The list keywords read both the dash form and the tab-separated form.
      {"ginnasio-dash", kClasses + "GINNASIO:\t1A-3A\t\n", [] { return class_field(0); }, {1, 0, 1, 1}},
      {"ginnasio-tabs", kClasses + "GINNASIO:\t1A\t3A\t\n", [] { return class_field(0); }, {1, 0, 1, 1}},
      {"tipolocl-dash", kClasses + "TIPOLOCL:\t1A-3-2A-4\t\n", [] { return class_field(1); }, {3, 4, 0}},
      {"tipolocl-tabs", kClasses + "TIPOLOCL:\t1A-3\t2A-4\t\n", [] { return class_field(1); }, {3, 4, 0}},
      // The rotation flag 1, the pause's hours 2 and 3, the end mark -1.
      {"rotazix-dash", kClasses + "ROTAZIX:\t1A:003-2A:001\t\nROTAZIAPAUSA:3-4\t\n", [] { return class_field(2); },
       {3, 1, 0, 1, 2, 3, -1}},
      {"rotazix-tabs", kClasses + "ROTAZIX:\t1A:3\t2A:1\t\nROTAZIAPAUSA:3-4\t\n", [] { return class_field(2); },
       {3, 1, 0, 1, 2, 3, -1}},
      // Names derived from a long teacher name are cut to fit.
      {"derived-names", "GM:CHIMICA\t\nABCDEFGHIJKLMNOPQRST\t1A 2\t2A 1 ARTYW:4X\t\n"
                        "GM:LAB CHIMICA\tLAB:SPECIFICO\t\nABCDEFGHIJKLMNOPQRST\tCHIMICA\t1A 1\t\n",
       [] { const EngineTeacher& lab = g_eng_teachers[std::max(0, teacher_index("ABCDEFGHIJKLMNOP_LAB"))];
            return V{teacher_index("ABCDEFGHIJKLMNOP_LAB") >= 0, lab.type_flags & kTeacherLabPseudo,
                     lab.main_teacher == teacher_index("ABCDEFGHIJKLMNOPQRST"), teacher_index("ABCDEFGHIJKLMNOPQ A ") >= 0}; },
       {1, kTeacherLabPseudo, 1, 1}},
      // SEDE continues the first building whose name begins with the name given.
      {"sede", "CLNAMES:\t3\t\nSEDE:\tCENTRO\tAA-BB\t\nSEDE:\tCENTRONORD\tCC\t\nSEDE:\tCENTRO\tDD\t\nGM:MAT\t\nR\t1AA 1\t\n",
       [] { const EngineBuilding* b = g_eng_buildings;
            return V{g_eng_school.building_count, b[0].section_count, same(b[0].sections[2], "DD"), b[1].section_count,
                     g_eng_classes[0].building}; },
       {2, 3, 1, 1, 0}},
      {"sede-prefix", "CLNAMES:\t3\t\nSEDE:\tCENTRONORD\tAA\t\nSEDE:\tCENTRO\tBB\t\nGM:MAT\t\nR\t1BB 1\t\n",
       [] { const EngineBuilding* b = g_eng_buildings;
            return V{g_eng_school.building_count, b[0].section_count, same(b[0].name, "CENTRONORD"),
                     g_eng_classes[0].building}; },
       {1, 2, 1, 0}},
      // Any capital line that is no key is a teacher line; one without items is skipped.
      {"teacher-lines", "GM:MAT\t\nDR: ROSSI\t1A 2\t\nBIANCHI\t\nVERDI\n",
       [] { return V{g_eng_school.lesson_count >= 2, teacher_index("DR: ROSSI") == g_eng_lessons[0].teacher,
                     teacher_index("BIANCHI"), teacher_index("VERDI")}; },
       {1, 1, -1, -1}},
      // Conversation groups start a subject of their own; laboratory groups come back to theirs.
      {"group-reuse", "GM:MAT\t\nROSSI\t1A 2\t2A 2\t\nGM:LAB MAT\tLAB:SPECIFICO\t\nNERI\tMAT\t1A 1\t\n"
                      "GM:LAB MAT\tLAB:SPECIFICO\t\nNERI\tMAT\t2A 1\t\nGM:CONV\tCON:SPECIFICO\t\nBLU\tMAT\t1A 1\t\n"
                      "GM:CONV\tCON:SPECIFICO\t\nBLU\tMAT\t2A 1\t\n",
       [] { int lab = 0, conversation = 0;
            for (int s = 0; s < g_eng_school.subject_count; ++s) {
              lab += same(g_eng_subjects[s].group_name, "LAB MAT");
              conversation += same(g_eng_subjects[s].group_name, "CONV");
            }
            return V{lab, conversation}; },
       {1, 2}},
      {"nocs", "SEDECL:\tA\t1A-3A\tNOCS:B-3\tNOCS:B-3\t\nSEDECL:\tB\t2A\tNOSPOSTA:\t\n" + kClasses,
       [] { const EngineBuilding* b = g_eng_buildings;
            return V{b[0].condition_count, b[0].conditions[0].building, b[0].conditions[0].value, b[1].no_move,
                     g_eng_classes[class_index("2A")].building}; },
       {1, 1, 2, 1, 1}},
      {"long-codes", "CLNAMES:\t9\t\nGM:MAT\t\nROSSI\t1ALICEOSC 2 I:2ALICEOSC\t2ALICEOSC 2\t\n",
       [] { return V{g_eng_school.class_count, same(g_eng_classes[0].code, "1ALICEOSC"),
                     same(g_eng_lessons[0].joint_code, "2ALICEOSC"), g_eng_lessons[0].joint_count}; },
       {2, 1, 1, 1}},
      {"school", "MAXBUDAY:\t1-2\t\nPAMEZ:\t4\t\nBUDIME:\t2-3\t\nTEKNO:\t10-2-3-ABC-5\t\nPAUSAMENSA:\t5-2\t\n"
                 "SPECIALEX:\t3-4\t\nOREPROLU:\t50\t\nITPLEGGERO:\t1\t\nPEXDIY:7\t\n" + kClasses,
       [] { const EngineSchool& s = g_eng_school;
            return V{s.maxbuday[0], s.maxbuday[1], s.pamez, s.pamez_second, s.budime, s.budime_second, s.tekno[0],
                     s.tekno[3], same(s.tekno_text, "ABC"), s.pausamensa[0], s.pausamensa[1], s.specialex[1],
                     s.oreprolu, s.itpleggero, s.pexdiy}; },
       {0, 2, 4, 4, 2, 3, 10, 5, 1, 4, 2, 4, 50, 1, 7}},
      // A band keeps eight pairs; the list of days keeps nine.
      {"bands", "IHBUCHE:\t" + repeat("1-1:", 8) + "9-9\t\nGIORNIPAUSACL:\t" + repeat("1-1:", 8) + "9-9\t\n" + kClasses,
       [] { const EngineSchool& s = g_eng_school;
            return V{s.ihbuche.count, s.giornipausacl.count, or_band_lookup(s.ihbuche, 1), or_band_lookup(s.ihbuche, 9)}; },
       {8, 9, 1, 255}},
      {"map", "GM:MAT\t\nROSSI\t1A 6 G:123\t\n",
       [] { V v{same(g_eng_lessons[0].consecutive_maps[0], "321")};
            for (int i = 0; i < 6; ++i) v.push_back(g_eng_lessons[i].block_length);
            return v; },
       {1, 3, 3, 3, 2, 2, 1}},
      {"tasks-class-off", "GM:MAT\t\nROSSI\t1A 2 J:3:2-4 KOP:X:1-2\t2A 1 KOP:MA:3-4ME:1-1\t\n",
       [] { const EngineTeacher& t = g_eng_teachers[0];
            return V{t.task_count, t.tasks[0].day, t.tasks[0].first_hour, t.tasks[0].last_hour, t.tasks[0].j_flag,
                     t.class_off_count, t.class_off[0].day, t.class_off[1].day, t.class_off[2].day,
                     t.class_off[2].last_hour, g_eng_lessons[0].class_off_flag}; },
       {1, 3, 1, 3, 1, 3, -1, 1, 2, 0, 1}},
      {"lists-texts", "GM:MAT\t\nROSSI\t1A 1 ATTRE:PROG ZENDO:X ITPMX:3 MISCRE:2: ORQ:4 PMGY:< GLB:GRUPPO-\t2A 1 ATTRE:PROG\t\n",
       [] { const EngineLesson& l = g_eng_lessons[0];
            return V{l.list_positions[0], l.list_positions[1], g_eng_lessons[1].list_positions[0],
                     g_eng_school.attre_count, l.itpmx, l.miscre, l.filed_value, l.pmgy_digit,
                     same(l.group_text, "GRUPPO"), g_eng_teachers[0].item_marks}; },
       {1, 1, 1, 1, 3, 2, 4, 12, 1, kMarkOrq | kMarkMiscre | kMarkZendo}},
      {"list-names-with-blanks", "GM:MAT\t\nROSSI\t1A 1 ATTRE:PROGETTO A ORP:2 ZENDO:GRUPPO B\t\n",
       [] { return V{same(g_eng_school.attre_names[0], "PROGETTO A"), same(g_eng_school.zendo_names[0], "GRUPPO B"),
                     g_eng_lessons[0].filed_value}; },
       {1, 1, 2}},
      {"teacher-items", "GM:MAT\t\nROSSI\t1A 1\tTED:+3+NOR+FCA\tSOS:2\tKLK:FISICA\tNI:BIANCHI\tXPRESE:5-1\t\n",
       [] { const EngineTeacher& t = g_eng_teachers[teacher_index("ROSSI")];
            return V{t.contract_values[0], t.contract_values[1], t.pseudo_flag, t.type_flags & kTeacherFca,
                     t.standby_value, t.partner, g_eng_teachers[teacher_index("BIANCHI")].partner, t.xprese_count,
                     t.subject_index != 0xFFFF && same(g_eng_subjects[t.subject_index].group_name, "FISICA")}; },
       {3, 3, 1, kTeacherFca, 2, 1, 0, 1, 1}},
      {"second-subgroup", "GM:REL\t\nPAPA\t1A 1 GRUL:ALT:\t\nGM:ALT\t\nLUNA\t1A 1\t\nGM:ING\t\nSMITH\t1A 1 GRUL:TED:\t\n"
                          "GM:TED\t\nMULLER\t1A 1\t\n",
       [] { return V{class_index("1Z") >= 0, class_index("1Y") >= 0, g_eng_classes[class_index("1Y")].subgroup_keys[0]}; },
       {1, 1, 2}},
      // The first teacher's classwork follows his lesson into the subgroup class.
      {"subgroup-classwork", "GM:REL\t\nPAPA\t1A 1 GRUL:ALT: K:3:1-3\t\nGM:ALT\t\nLUNA\t1A 1 K:3:1-3\t\n",
       [] { const EngineLesson& l = g_eng_lessons[0];
            return V{l.teacher, l.class_index != class_index("1A"), g_eng_teachers[0].task_count,
                     g_eng_teachers[0].tasks[0].references[0] == l.class_index}; },
       {0, 1, 1, 1}},
      {"lab-groups", kClasses + "LABOR:\tLAB1-CENTRO\t\nLABOR:|LAB2-CENTRO|OR:LU:1-2\t\nGRULLAB:G1|LAB2|NESSUNO|LAB1|\n",
       [] { const EngineLabGroup& g = g_eng_lab_groups[0];
            int lab1 = g_eng_school.room_count - 2;
            const EngineRoom* r = g_eng_rooms + lab1;
            return V{g_eng_school.lab_group_count, g.rooms[0] - lab1, g.rooms[1], g.rooms[2] - lab1,
                     r[0].availability[83], r[1].availability[1], r[1].availability[2]}; },
       {1, 1, 0xFFFF, 0, 1, 1, 0}},
      {"lab-group-201", kClasses + loader_test::numbered(201, [](auto i) { return "GRULLAB:G" + i + "|NESSUNO|\n"; }),
       [] { return V{g_eng_school.lab_group_count, same(g_eng_lab_groups[199].name, "G199")}; }, {200, 1}},
      // Both car-share partners take the longer wait.
      {"teacher-constraints", kClasses + "GM:ITA\t\nBIANCHI\t1A 1\t\n" +
           "V:\tROSSI\tLI:LU:LU:ME:\tCAVALLOMAX:3-9\tQUORVEX:0\tCLASENOC:0\tOM:MA:4\tBUK:-1:2\t"
           "PAUSAMEPER:3-1\tTEKGRADO:1-2\tFERCAV:1-2-3\tLABRIFOL:1\tPRIVILEGIO\tCARSHARE:BIANCHI:2\t"
           "ENTEREXIT:2-1\tOP:VE:5-6\t\n",
       [] { const EngineTeacher& t = g_eng_teachers[0];
            const EngineTeacher& b = g_eng_teachers[1];
            return V{t.free_day_count, t.free_days[1], t.cavallomax_days, t.quorvex, t.clasenoc, t.om[0], t.om[1],
                     t.buk[0], t.buk[1], t.pausameper[0], t.pausameper[1], g_eng_school.uses_tekgrado,
                     g_eng_school.uses_fercav, g_eng_run.labrifol_flag, t.privilege_flag, t.enterexit_count,
                     same(t.carshare_name, "BIANCHI"), t.carshare_partner, t.carshare_wait, b.carshare_partner,
                     b.carshare_wait, t.forbidden_hours[4 * 12 + 4], t.forbidden_hours[4 * 12 + 3], t.allowed_hours[0]}; },
       {2, 2, 4, 2, 3, 12, 4, 0, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 2, 0, 2, 1, 0, 255}},
      // A teacher who names no band reads each as not given (-1), the mark the
      // solver takes for "no such rule".
      {"bands-not-given", kClasses + "GM:ITA\t\nBIANCHI\t1A 1\t\nV:\tBIANCHI\tGMAX:3\t\n",
       [] { const EngineTeacher& t = g_eng_teachers[0];
            return V{t.pmin_hours, t.pmin_days, t.pmax_hours, t.pmax_days, t.cavallomax_hour, t.cavallomax_days,
                     t.umin_hours, t.umin_days, t.umax_hours, t.umax_days}; },
       {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
      {"sissi", "GM:SOSTEGNO\t\nROSSI\t1A 1\t\nSISSI:IDS:AB1\t\nSISSI:IDD:ROSSI\tT0001\t\nSISSI:IDC:1A\tC0001\t\n"
                "SISSI:IDM:SOSTEGNO\tM0001\t\n",
       [] { return V{same(g_eng_school.school_code, "AB1"), same(g_eng_teachers[0].sissi_id, "T0001"),
                     same(g_eng_classes[0].sissi_id, "C0001"), same(g_eng_subjects[0].sissi_id, "M0001"),
                     same(g_eng_school.support_code, "M0001")}; },
       {1, 1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    load(c.lines);
    EXPECT_EQ(c.values(), c.expected) << c.id;
  }
  // Hour durations read with and without the colon after the class.
  for (const char* line : {"CLADAYS:G:1A:LU:480:50:530:50-MA:500:45-\n", "CLADAYS:G:1ALU:480:50:530:50-MA:500:45-\n"}) {
    load(kClasses + line);
    const EngineClass& k = g_eng_classes[class_index("1A")];
    EXPECT_EQ((V{k.timing[0][0][0], k.timing[1][0][1], k.timing[0][1][0]}), (V{480, 50, 500})) << line;
  }
}

// A teacher has a class or a subject through a lesson it leads or assists.
TEST(LoaderFields, TeacherHasClassAndSubject) {
  load("GM:MAT\t\nROSSI\t1A 2\t\nGM:ITA\t\nBIANCHI\t2A 1\t\n");
  int rossi = teacher_index("ROSSI"), bianchi = teacher_index("BIANCHI");
  int a = class_index("1A"), b = class_index("2A"), mat = g_eng_lessons[0].subject;
  EXPECT_EQ((std::vector<int>{or_teacher_has_class(rossi, a), or_teacher_has_class(rossi, b),
                              or_teacher_has_subject(rossi, mat), or_teacher_has_subject(bianchi, mat)}),
            (std::vector<int>{1, 0, 1, 0}));
}

// Each hour of a joint line takes the next hour of the other class not yet
// taken from this class, and the links end up both ways.
TEST(LoaderJointClasses, HoursPairInOrder) {
  load("GM:MAT\t\nROSSI\t1A 3 I:2A\t2A 3\t\nGM:ITA\t\nBIANCHI\t3A 2 I:2A\t2A 2\t\n");
  struct Case { int lesson, partner; } cases[] = {{0, 3}, {1, 4}, {2, 5}, {6, 8}, {7, 9}};
  for (const Case& c : cases) {
    const EngineLesson &a = g_eng_lessons[c.lesson], &b = g_eng_lessons[c.partner];
    EXPECT_EQ((std::vector<int>{a.joint_count, a.joint_lessons[0], b.joint_count, b.joint_lessons[0]}),
              (std::vector<int>{1, c.partner, 1, c.lesson}));
  }
}

// The same subject in one class given to two teachers loads, and each lesson
// names the first later lesson of another teacher not named before.
TEST(LoaderDuplicates, ReportLines) {
  struct Case { const char* id; const char* lines; const char* report; } cases[] = {
      {"two", "GM:MAT\t\nROSSI\t1A 2\t\nBIANCHI\t1A 1\t\n",
       "Materia MAT classe 1A assegnata a 0-ROSSI e a 1-BIANCHI \n"},
      {"chain", "GM:MAT\t\nROSSI\t1A 1\t\nBIANCHI\t1A 1\t\nVERDI\t1A 1\t\n",
       "Materia MAT classe 1A assegnata a 0-ROSSI e a 1-BIANCHI \n"
       "Materia MAT classe 1A assegnata a 1-BIANCHI e a 2-VERDI \n"},
      {"back", "GM:MAT\t\nROSSI\t1A 1\t\nBIANCHI\t1A 2\t\nROSSI\t1A 1\t\n",
       "Materia MAT classe 1A assegnata a 0-ROSSI e a 1-BIANCHI \n"
       "Materia MAT classe 1A assegnata a 1-BIANCHI e a 0-ROSSI \n"},
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStdout();
    loader_test::Outcome outcome = loader_test::run_synt(std::string(kWeek) + c.lines);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(outcome.code, 0) << c.id << outcome.message;
    std::string report;
    for (std::size_t at = out.find("Materia "); at != std::string::npos; at = out.find("Materia ", at + 1))
      report += out.substr(at, out.find('\n', at) + 1 - at);
    EXPECT_EQ(report, c.report) << c.id;
  }
}

TEST(LoaderCalendars, ProvisionalAndNormalLines) {
  std::string lines = kClasses + "DAYSPRNS:3-3-3-3-3-0-0\t0\t0\t\nCALESPE:G:1A:LU:1-2\t\nCALESPE:P:2A:MA:1-1\t\n"
                                 "SKAVA:P:3A:5-2:1-3:\nSCALJAN:G:1A:2-3\t\n";
  load(lines);
  const EngineClass &a = g_eng_classes[class_index("1A")], &b = g_eng_classes[class_index("2A")];
  EXPECT_EQ((std::vector<int>{a.special_calendar[1], b.special_calendar[0], a.class_digits[1], g_eng_school.option_flags & 1}),
            (std::vector<int>{1, 255, 3, 1}));
  load(lines, 1);
  EXPECT_EQ((std::vector<int>{a.special_calendar[0], b.special_calendar[12]}), (std::vector<int>{255, 1}));
  // Digits above the provisional days' hours (3) come down to 3.
  EXPECT_EQ(std::string(g_eng_classes[class_index("3A")].special_weekdays, 7), "3311100");
}

// A laboratory booked for every hour of the week lengthens the day after the
// longest one by an hour, timed after the day's last hour.
TEST(LoaderCalendars, AFullyBookedLabAddsAnHour) {
  struct Case {
    int lab_hours;
    int extra_day;  // -1: no extra hour
  } cases[] = {{3, 1}, {2, -1}};
  for (const Case& c : cases) {
    std::string lab = std::to_string(c.lab_hours);
    loader_test::Outcome outcome = loader_test::run_synt(
        "REM:Scuola\nDAYS:\tLU2-LUNEDI:480:50:530:50\tMA1-MARTEDI:480:55\tME0\tGI0\tVE0\tSA0\tDO0\t\n"
        "GM:CHIMICA\t\nVERDI\t1A 3\t\nGM:LAB CHIMICA\tLAB:SPECIFICO\t\nNERI\tCHIMICA\t1A " + lab + "\t\n");
    ASSERT_EQ(outcome.code, 0) << outcome.message;
    if (c.extra_day < 0) {
      EXPECT_EQ(g_eng_school.extra_hour, 0) << c.lab_hours;
      EXPECT_EQ(g_eng_school.hours_per_day[1], 1) << c.lab_hours;
      continue;
    }
    const EngineSchool& s = g_eng_school;
    EXPECT_EQ((std::vector<int>{s.extra_hour_day, s.extra_hour, s.extra_hour_former_length, s.hours_per_day[1],
                                s.timing[0][1][1], s.timing[1][1][1], g_eng_run.weekly_slots}),
              (std::vector<int>{c.extra_day, 1, 1, 2, 480 + 55, 55, 4}));
  }
}

}  // namespace
