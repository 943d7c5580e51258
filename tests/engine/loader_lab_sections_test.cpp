// The lines of a laboratory section of the description ("GM:LAB ...
// LAB:SPECIFICO"), read through "SYNT:" on the small sample: a teacher's
// name alone (with or without a field separator after it) is no lab line and
// changes nothing; a lab line that gives a class where its main subject
// belongs cannot be joined to a lesson and says which.
#include <gtest/gtest.h>

#include <string>

#include "loader_harness.h"

namespace {

const char* const kLabLine = "GM:LAB SCIENZE\tLAB:SPECIFICO\t\nCOLOMBO\tSCIENZE\t1A 1\t\n";

std::string piccola_with(const std::string& inserted) {
  std::string text = engine_test::read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  std::size_t at = text.find(kLabLine);
  if (at == std::string::npos) return "";
  at += std::string("GM:LAB SCIENZE\tLAB:SPECIFICO\t\n").size();
  return text.insert(at, inserted);
}

struct Loaded {
  int code;
  std::string message;
  int lessons, teachers, lab_lessons;
};

Loaded load(const std::string& text) {
  loader_test::Outcome o = loader_test::run_synt(text);
  return {o.code, o.message, g_eng_school.lesson_count, g_eng_school.teacher_count, g_eng_school.lab_lesson_count};
}

TEST(LoaderLabSections, ANameAloneIsNoLabLine) {
  ASSERT_FALSE(piccola_with("").empty());
  Loaded plain = load(piccola_with(""));
  ASSERT_EQ(plain.code, 0) << plain.message;
  for (const char* line : {"COLOMBO\n", "COLOMBO\t\n", "RICCI\n"}) {
    Loaded with = load(piccola_with(line));
    EXPECT_EQ(with.code, 0) << line << with.message;
    EXPECT_EQ(with.lessons, plain.lessons) << line;
    EXPECT_EQ(with.teachers, plain.teachers) << line;
    EXPECT_EQ(with.lab_lessons, plain.lab_lessons) << line;
  }
}

TEST(LoaderLabSections, ALabLineWithoutItsMainSubjectNamesTheLesson) {
  Loaded with = load(piccola_with("RICCI\t3A 1\t\n"));
  EXPECT_EQ(with.code, kResultConfig);
  EXPECT_NE(with.message.find("Manca materia principale per lab/con LAB SCIENZE SCIENZE"), std::string::npos)
      << with.message;
  EXPECT_NE(with.message.find("RICCI"), std::string::npos) << with.message;
  EXPECT_NE(with.message.find("3A"), std::string::npos) << with.message;
}

}  // namespace
