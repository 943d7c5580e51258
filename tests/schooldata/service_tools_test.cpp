// The service tools on a copy of the small sample school, as the home page
// runs them: each reads the school, changes the teachers' records and writes
// the description, which reads back with the change.
#include <gtest/gtest.h>

#include <string>

#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/service_tools.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "search_test_support.h"

namespace {

using namespace kt_search_test;

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
  static UiTeacher& teacher(const char* name) {
    for (std::uint32_t t = 0; t < g_ui_settings.teacher_count; ++t)
      if (std::string(g_ui_teachers[t].name) == name) return g_ui_teachers[t];
    ADD_FAILURE() << name;
    return g_ui_teachers[0];
  }
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

}  // namespace
