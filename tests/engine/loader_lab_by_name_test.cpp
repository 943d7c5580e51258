// A lab or conversation section naming its main subject outright
// ("GM:LAB FISICA<tab>LAB:FISICA", "GM:CONV INGLESE<tab>CON:INGLESE"), not
// by its teachers' lines ("SPECIFICO"): the section's lessons become
// laboratory (held in the lab named like the section) or conversation
// parts of a lesson of that subject, and the other lessons stay whole; a
// name that no other subject has is refused with its text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "loader_harness.h"

namespace {

// Every lesson of a teacher of the description (the classes' calendar
// teachers left out): teacher, subject, part kind, and for a lesson with a
// part its second teacher and part subject, and the room, by name.
std::vector<std::string> lessons() {
  std::vector<std::string> out;
  for (int i = 0; i < g_eng_school.lesson_count; ++i) {
    const EngineLesson& l = g_eng_lessons[i];
    if (l.teacher < 0 || l.teacher >= g_eng_school.teacher_count || g_eng_teachers[l.teacher].name[0] == 'C') continue;
    std::string line = std::string(g_eng_teachers[l.teacher].name) + " " + g_eng_subjects[l.subject].group_name + " " +
                       std::to_string(+l.piece_kind);
    if (l.piece_kind & (kHasLaboratoryPart | kHasConversationPart)) {
      line += " with " + std::string(l.second_teacher >= 0 ? g_eng_teachers[l.second_teacher].name : "-");
      line += " part " + std::string(l.part_subject >= 0 ? g_eng_subjects[l.part_subject].group_name : "-");
    }
    line += " in " + (l.room >= 0 && l.room < g_eng_school.room_count ? std::string(g_eng_rooms[l.room].name) : "-");
    out.push_back(line);
  }
  return out;
}

TEST(LoaderLabByName, TheSectionsLessonsBecomePartsOfTheNamedSubject) {
  loader_test::Outcome o = loader_test::run_synt(
      std::string(loader_test::kWeek) +
      "GM:FISICA\t\nROSSI\t1A 2\t\nGM:INGLESE\t\nSMITH\t1A 3\t\n"
      "GM:LAB FISICA\tLAB:FISICA\t\nVERDI\tFISICA\t1A 1\t\nGM:CONV INGLESE\tCON:INGLESE\t\nJONES\tINGLESE\t1A 1\t\n");
  ASSERT_EQ(o.code, 0) << o.message;
  // Each lab or conversation lesson joins the nearest main lesson of its
  // class before it: the lab's in the lab, the conversation's in the class's
  // room.
  EXPECT_EQ(lessons(), (std::vector<std::string>{"ROSSI FISICA 0 in 1A",
                                                 "ROSSI FISICA 16 with VERDI part LAB FISICA in LAB FISICA",
                                                 "SMITH INGLESE 0 in 1A", "SMITH INGLESE 0 in 1A",
                                                 "SMITH INGLESE 32 with JONES part CONV INGLESE in 1A"}));
}

TEST(LoaderLabByName, AMainSubjectThatIsMissingIsRefused) {
  loader_test::Outcome o = loader_test::run_synt(std::string(loader_test::kWeek) +
                                                 "GM:FISICA\t\nROSSI\t1A 2\t\nGM:LAB CHIMICA\tLAB:CHIMICA\t\nVERDI\t1A 1\t\n");
  EXPECT_NE(o.code, 0);
  EXPECT_NE(o.message.find("Manca materia principale per lab/con"), std::string::npos) << o.message;
}

}  // namespace
