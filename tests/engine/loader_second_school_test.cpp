// The desktop program loads one school after another in one process: the
// model a description leaves is the same whether another school was loaded
// before it or not, byte for byte, in every table the engine keeps (the
// school, the run values, teachers, classes, subjects, rooms, common rooms,
// buildings, lab groups and lessons). Each sample school is loaded after
// each other one (and after a description that sets what the samples leave
// unset) and compared with its load after itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/presolve.h"
#include "loader_harness.h"

namespace {

struct Table { const char* name; const void* at; std::size_t size; };

std::vector<Table> tables() {
  return {{"school", &g_eng_school, sizeof g_eng_school},
          {"run", &g_eng_run, sizeof g_eng_run},
          {"teachers", g_eng_teachers, sizeof g_eng_teachers},
          {"classes", g_eng_classes, sizeof g_eng_classes},
          {"subjects", g_eng_subjects, sizeof g_eng_subjects},
          {"rooms", g_eng_rooms, sizeof g_eng_rooms},
          {"common rooms", g_eng_common_rooms, sizeof g_eng_common_rooms},
          {"buildings", g_eng_buildings, sizeof g_eng_buildings},
          {"lab groups", g_eng_lab_groups, sizeof g_eng_lab_groups},
          {"lessons", g_eng_lessons, sizeof g_eng_lessons}};
}

// What may differ and shows nowhere: the bytes of a name or code past its
// end, and the running numbers of the articulated lessons, which go on
// from load to load in one process (only their order and distance count).
template <typename Record, std::size_t N>
void clear_tail(std::string& table, const Record* records, int count, const char (Record::*field)[N]) {
  for (int i = 0; i < count; ++i) {
    const char* at = records[i].*field;
    std::size_t start = static_cast<std::size_t>(i) * sizeof(Record) +
                        static_cast<std::size_t>(at - reinterpret_cast<const char*>(&records[i]));
    std::size_t end = strnlen(at, N);
    for (std::size_t k = end; k < N; ++k) table[start + k] = '\0';
  }
}

template <typename Record, std::size_t M, std::size_t N>
void clear_tails(std::string& table, const Record* records, int count, const char (Record::*field)[M][N]) {
  for (int i = 0; i < count; ++i)
    for (std::size_t m = 0; m < M; ++m) {
      const char* at = (records[i].*field)[m];
      std::size_t start = static_cast<std::size_t>(i) * sizeof(Record) +
                          static_cast<std::size_t>(at - reinterpret_cast<const char*>(&records[i]));
      std::size_t end = strnlen(at, N);
      for (std::size_t k = end; k < N; ++k) table[start + k] = '\0';
    }
}

std::vector<std::string> snapshot() {
  std::vector<std::string> out;
  for (const Table& t : tables()) out.emplace_back(static_cast<const char*>(t.at), t.size);
  clear_tail(out[0], &g_eng_school, 1, &EngineSchool::title);
  clear_tail(out[0], &g_eng_school, 1, &EngineSchool::school_code);
  clear_tail(out[0], &g_eng_school, 1, &EngineSchool::support_code);
  clear_tail(out[0], &g_eng_school, 1, &EngineSchool::tekno_text);
  clear_tails(out[0], &g_eng_school, 1, &EngineSchool::day_codes);
  clear_tails(out[0], &g_eng_school, 1, &EngineSchool::day_names);
  clear_tails(out[0], &g_eng_school, 1, &EngineSchool::day_abbrevs);
  clear_tails(out[0], &g_eng_school, 1, &EngineSchool::attre_names);
  clear_tails(out[0], &g_eng_school, 1, &EngineSchool::zendo_names);
  clear_tail(out[2], g_eng_teachers, kMaxTeachers, &EngineTeacher::name);
  clear_tail(out[2], g_eng_teachers, kMaxTeachers, &EngineTeacher::subject_text);
  clear_tail(out[2], g_eng_teachers, kMaxTeachers, &EngineTeacher::carshare_name);
  clear_tail(out[3], g_eng_classes, kMaxClasses, &EngineClass::code);
  clear_tail(out[3], g_eng_classes, kMaxClasses, &EngineClass::display_name);
  clear_tail(out[4], g_eng_subjects, kMaxSubjects, &EngineSubject::group_name);
  clear_tail(out[4], g_eng_subjects, kMaxSubjects, &EngineSubject::specific_name);
  clear_tail(out[5], g_eng_rooms, kMaxRooms, &EngineRoom::name);
  clear_tail(out[6], g_eng_common_rooms, kMaxCommonRooms, &EngineCommonRoom::name);
  clear_tail(out[7], g_eng_buildings, kMaxBuildings, &EngineBuilding::name);
  clear_tails(out[7], g_eng_buildings, kMaxBuildings, &EngineBuilding::sections);
  clear_tails(out[7], g_eng_buildings, kMaxBuildings, &EngineBuilding::classes);
  clear_tail(out[8], g_eng_lab_groups, kMaxLabGroups, &EngineLabGroup::name);
  std::string& lessons = out[9];
  clear_tails(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::joint_entries);
  clear_tail(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::joint_class_code);
  clear_tail(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::group_text);
  clear_tails(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::consecutive_maps);
  clear_tail(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::incompatible_subject_name);
  clear_tail(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::paired_subject_name);
  clear_tail(lessons, g_eng_lessons, kMaxLessons, &EngineLesson::joint_code);
  std::int32_t base = 0;
  for (int i = 0; i < kMaxLessons; ++i) {
    std::int32_t n = g_eng_lessons[i].articulated_number;
    if (n != 0 && (base == 0 || n < base)) base = n;
  }
  for (int i = 0; i < kMaxLessons; ++i) {
    std::int32_t n = g_eng_lessons[i].articulated_number;
    if (n != 0) n = n - base + 1;
    std::size_t at = static_cast<std::size_t>(i) * sizeof(EngineLesson) +
                     static_cast<std::size_t>(reinterpret_cast<const char*>(&g_eng_lessons[i].articulated_number) -
                                              reinterpret_cast<const char*>(&g_eng_lessons[i]));
    std::memcpy(&lessons[at], &n, sizeof n);
  }
  return out;
}

// The first differing byte of each table, for the message.
std::string differences(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::string out;
  std::vector<Table> t = tables();
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] == b[k]) continue;
    std::size_t at = 0;
    while (at < a[k].size() && a[k][at] == b[k][at]) ++at;
    out += std::string(t[k].name) + " from byte " + std::to_string(at) + "; ";
  }
  return out;
}

std::string description(const std::string& path) { return engine_test::read_file(std::string(KT_SOURCE_DIR) + path); }

TEST(LoaderSecondSchool, AModelIsTheSameAfterAnotherSchool) {
  const std::vector<std::pair<std::string, std::string>> schools = {
      {"piccola", description("/examples/piccola/scuola2.txt")},
      {"liceo", description("/examples/liceo/scuola2.txt")},
      {"every item", engine_test::read_file(std::string(KT_TEST_DATA) + "/description/every_item/scuola2.txt")},
  };
  for (const auto& [name, text] : schools) {
    for (const auto& [before_name, before_text] : schools) {
      if (before_name == name) continue;
      SCOPED_TRACE(name + " after " + before_name);
      ASSERT_EQ(loader_test::run_synt(text).code, 0);
      std::vector<std::string> alone = snapshot();
      ASSERT_EQ(loader_test::run_synt(before_text).code, 0);
      ASSERT_EQ(loader_test::run_synt(text).code, 0);
      EXPECT_EQ(differences(alone, snapshot()), "");
    }
  }
}

}  // namespace

namespace {

// The same once each is made ready for a search (the values derived from
// the description before the first cycle).
TEST(LoaderSecondSchool, APreparedModelIsTheSameAfterAnotherSchool) {
  const std::vector<std::pair<std::string, std::string>> schools = {
      {"piccola", description("/examples/piccola/scuola2.txt")},
      {"liceo", description("/examples/liceo/scuola2.txt")},
      {"every item", engine_test::read_file(std::string(KT_TEST_DATA) + "/description/every_item/scuola2.txt")},
  };
  auto load_and_prepare = [](const std::string& text) {
    if (loader_test::run_synt(text).code != 0) return false;
    or_prepare_model_for_solving();
    return true;
  };
  for (const auto& [name, text] : schools) {
    for (const auto& [before_name, before_text] : schools) {
      if (before_name == name) continue;
      SCOPED_TRACE(name + " after " + before_name);
      ASSERT_TRUE(load_and_prepare(text));
      std::vector<std::string> alone = snapshot();
      ASSERT_TRUE(load_and_prepare(before_text));
      ASSERT_TRUE(load_and_prepare(text));
      EXPECT_EQ(differences(alone, snapshot()), "");
    }
  }
}

}  // namespace
