// Model post-passes after loading: hour totals and their limits, display
// names, hour timings, car-share partners, free-day lists, calendar lessons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/save_files.h"
#include "save_test_fixture.h"

namespace {

std::string message() { return g_status.message; }

// A teacher or a room over the week is impossible. A laboratory shared by 30
// classes holds 300 lessons, more than its count byte keeps: the message
// still gives the whole number.
TEST(PostPasses, ATeacherOrRoomOverTheWeekIsImpossible) {
  struct Case { void (*build)(); const char* message; } cases[] = {
      {[] {
         save_test::reset_school(1, 2);
         int k1 = save_test::add_class("1A"), k2 = save_test::add_class("1B"), s = save_test::add_subject("ITALIANO");
         int t = save_test::add_teacher("ROSSI");
         for (int k : {k1, k1, k2}) save_test::add_lesson(t, k, s);
       },
       "Il professore ROSSI                ha 3 Ore, quando il massimo settimanale prevede 2 Ore."},
      {[] {
         save_test::reset_school(5, 6);
         int lab = save_test::add_room("LAB FISICA"), s = save_test::add_subject("FISICA");
         for (int c = 0; c < 30; ++c) {
           int k = save_test::add_class(("C" + std::to_string(c)).c_str());
           for (int h = 0; h < 10; ++h) {
             int t = save_test::add_teacher(("T" + std::to_string(c * 10 + h)).c_str());
             g_eng_lessons[save_test::add_lesson(t, k, s)].room = lab;
           }
         }
       },
       "La  Classe / l'Aula LAB FISICA           ha 300 Ore, quando il massimo settimanale prevede 30 Ore."},
  };
  for (const Case& c : cases) {
    c.build();
    EXPECT_THROW(or_count_hours(0), EngineError);
    EXPECT_NE(message().find(std::string("Elaborazione richiesta impossibile\n[") + c.message), std::string::npos)
        << message();
  }
}

TEST(PostPasses, HourTotalsCountSecondTeachersAndClassTables) {
  save_test::SmallSchool school;
  // Hours, classes, and the class list's closing -1.
  struct Case { int teacher, hours, classes; } cases[] = {{school.rossi, 3, 2}, {school.bianchi, 2, 2}, {school.verdi, 2, 1}};
  for (const Case& c : cases) {
    const EngineTeacher& x = g_eng_teachers[c.teacher];
    EXPECT_EQ((std::vector<int>{x.lesson_hours, x.class_count, x.class_indexes[c.classes]}),
              (std::vector<int>{c.hours, c.classes, -1}));
  }
  EXPECT_EQ(g_eng_teachers[school.rossi].class_hours[0], 2);
  EXPECT_EQ(g_eng_teachers[school.verdi].type_flags & kTeacherLaboratory, 0)
      << "VERDI leads lessons of his own, so he keeps his flags";
}

TEST(PostPasses, DisplayNames) {
  // mode: the class's kind, 1 "GINNASIO:", 2 "INDISIGLE:" (1A and 3A are the loader table's).
  struct Case { int mode; const char* code; const char* shown; } cases[] = {
      {1, "2A", "VA"}, {1, "3B", "IB"}, {1, "5C", "IIIC"}, {1, "6A", "?"}, {0, "2A", "2A"}, {2, "2A", "keep"}};
  for (const Case& c : cases) {
    save_test::reset_school();
    int k = save_test::add_class(c.code);
    std::snprintf(g_eng_classes[k].display_name, 41, "keep");
    g_eng_classes[k].kind = static_cast<std::uint8_t>(c.mode);
    or_build_class_display_name(k);
    EXPECT_STREQ(g_eng_classes[k].display_name, c.shown) << c.mode << c.code;
  }
  or_build_class_display_name(5);
  EXPECT_STREQ(g_eng_classes[5].display_name, "?") << "beyond the class count";
}

TEST(PostPasses, DefaultTimingsAndNonStandardHours) {
  save_test::SmallSchool school;
  or_prepare_hour_timings();
  const EngineSchool& s = g_eng_school;
  EXPECT_EQ((std::vector<int>{s.timing[0][0][0], s.timing[0][4][3], s.timing[1][2][5], s.nonstandard_timing_days}),
            (std::vector<int>{480, 480 + 180, 60, 0}));
  // Class 1B starts Wednesday at 08:10: the day and its teachers are marked.
  g_eng_classes[school.c1b].timing[0][2][0] = 490;
  or_prepare_hour_timings();
  EXPECT_EQ((std::vector<int>{g_eng_school.nonstandard_timing_days, g_eng_teachers[school.verdi].nonstandard_timing,
                              g_eng_teachers[school.rossi].nonstandard_timing}),
            (std::vector<int>{1 << 2, 1, 1}));
}

TEST(PostPasses, CarSharePartnersAndFreeDayLists) {
  save_test::SmallSchool school;
  EngineTeacher& x = g_eng_teachers[school.rossi];
  EngineTeacher& y = g_eng_teachers[school.bianchi];
  std::snprintf(x.carshare_name, kNameSize, "VERDI");
  x.carshare_wait = 1, g_eng_teachers[school.verdi].carshare_wait = 2;
  or_link_car_share_partners();
  EXPECT_EQ((std::vector<int>{x.carshare_partner, g_eng_teachers[school.verdi].carshare_partner, x.carshare_wait,
                              y.carshare_partner}),
            (std::vector<int>{school.verdi, school.rossi, 2, -1}));
  // The free-day lists merge; an empty second list stays empty.
  x.free_day_count = 2, x.free_days[0] = 4, x.free_days[1] = 1;
  x.alt_free_day_count = 1, x.alt_free_days[0] = 1;
  y.free_day_count = 1, y.free_days[0] = 3;
  or_merge_teacher_day_lists();
  EXPECT_EQ((std::vector<int>{x.alt_free_day_count, x.alt_free_days[1], y.alt_free_day_count}), (std::vector<int>{2, 4, 0}));
  // A name in other letter case is not a partner.
  std::snprintf(g_eng_teachers[school.bianchi].carshare_name, kNameSize, "Rossi");
  EXPECT_THROW(or_link_car_share_partners(), EngineError);
  EXPECT_NE(message().find("Errore di configurazione [Non trovato Car Share per BIANCHI - Richiesto = Rossi"),
            std::string::npos) << message();
  EXPECT_NE(message().find("Controllare nome di Rossi"), std::string::npos);
}

TEST(PostPasses, CalendarTeachersFillTheWeek) {
  save_test::SmallSchool school;
  EXPECT_EQ(g_eng_school.teacher_count, 5);
  EXPECT_EQ(g_eng_teachers[3].calendar_class, school.c1a);
  // A class that already fills the week gets no calendar teacher: rebuilding
  // drops the calendar records and makes the same ones again.
  EXPECT_EQ(or_rebuild_calendar_lessons(1), 60);
  EXPECT_EQ((std::vector<int>{g_eng_school.teacher_count, g_eng_school.subject_count}), (std::vector<int>{5, 3}));
  or_rebuild_calendar_lessons(0);
  const EngineSchool& s = g_eng_school;
  EXPECT_EQ((std::vector<int>{s.lesson_count, s.teacher_count, s.subject_count}), (std::vector<int>{6, 3, 2}));
}

}  // namespace
