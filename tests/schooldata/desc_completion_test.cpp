// The reader's completion: sections of the description's classes kept,
// placeholder tracks gone, an unknown reachable building reported and dropped.

#include <cstdio>
#include <cstring>

#include "desc_test_support.h"
#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"

namespace {

class DescCompletion : public PlainSchoolFolder<> {};

TEST_F(DescCompletion, SectionsOfDescriptionClassesAreKeptAndTracksTidied) {
  ASSERT_EQ(og_read_structure_file_from(desc_example("liceo", "scuola1.txt"), 0), 0);
  UiSchoolStructure& st = g_ui_structure;
  ASSERT_GE(st.track_count, 2);
  ASSERT_LT(st.track_count, kUiMaxTracks - 1);
  // Section B of every track forgotten, a placeholder first track and an
  // unnamed one added around the real ones.
  for (int t = 0; t < st.track_count; ++t) st.sections[t]['B' - 'A'] = 0;
  int real = st.track_count;
  std::memmove(st.track_names[1], st.track_names[0], sizeof st.track_names[0] * std::size_t(real));
  std::memmove(st.sections[1], st.sections[0], sizeof st.sections[0] * std::size_t(real));
  std::memmove(st.track_short_names[1], st.track_short_names[0], sizeof st.track_short_names[0] * std::size_t(real));
  std::snprintf(st.track_names[0], kUiNameSize, "%s", "Indirizzo Unico");
  st.track_names[real + 1][0] = 0;
  st.track_count = static_cast<std::int8_t>(real + 2);
  ASSERT_EQ(og_write_structure_file_to(dir_ + "/scuola1.txt"), 0);

  ASSERT_EQ(og_read_structure_file_from(dir_ + "/scuola1.txt", 0), 0);
  ASSERT_EQ(og_read_assignments_file_from(desc_example("liceo", "scuola2.txt"), 0), 0) << og_description_error();
  EXPECT_EQ(+st.track_count, real);
  for (int t = 0; t < st.track_count; ++t) EXPECT_NE(st.track_names[t][0], 0) << t;
  int section_b = 0;
  for (std::uint32_t c = 0; c < st.class_count; ++c) {
    EXPECT_TRUE(og_class_in_structure(st.classes[c])) << st.classes[c].code;
    section_b += st.classes[c].code[1] == 'B';
  }
  EXPECT_GT(section_b, 0);
  ASSERT_EQ(og_write_structure_file_to(dir_ + "/scuola1.txt"), 0);
  EXPECT_NE(slurp(dir_ + "/scuola1.txt").find("2BS"), std::string::npos);
}

TEST_F(DescCompletion, UnknownReachableBuildingIsReportedAndDropped) {
  kt::ui::TestDriver ui;
  ui_register_toolkit_templates();
  ASSERT_EQ(og_read_structure_file_from(desc_example("liceo", "scuola1.txt"), 0), 0);
  std::string text = slurp(desc_example("liceo", "scuola2.txt"));
  std::string from = "NOCS:SEDE CENTRALE-2", to = "NOCS:SEDE LONTANA-2";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), to);
  spit(dir_ + "/scuola2.txt", text);
  ui.AnswerNextModal(1);
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error();
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Plesso [SEDE LONTANA] NON ESISTENTE - Correggere configurazione Plessi");
  for (int b = 0; b < g_ui_settings.building_count; ++b)
    for (int k = 0; k < g_ui_settings.buildings[b].reachable_count; ++k)
      EXPECT_STRNE(g_ui_settings.buildings[b].reachable_names[k], "SEDE LONTANA");
  EXPECT_EQ(g_ui_settings.buildings[0].reachable_count, 1);  // the other building's own entry stays
}

// A building's unreachable buildings: two at the same distance are both
// kept; the same condition written twice is kept once.
TEST_F(DescCompletion, ReachableBuildingsAtTheSameDistanceAreAllKept) {
  ASSERT_EQ(og_read_structure_file_from(desc_example("istituto", "scuola1.txt"), 0), 0);
  std::string text = slurp(desc_example("istituto", "scuola2.txt"));
  std::string from = "NOCS:SEDE CENTRALE-2\tNOCS:PLESSO NORD-2";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), from + "\tNOCS:PLESSO NORD-2");
  spit(dir_ + "/scuola2.txt", text);
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error();
  const UiBuilding* linguistico = nullptr;
  for (int b = 0; b < g_ui_settings.building_count; ++b)
    if (std::string(g_ui_settings.buildings[b].name) == "LINGUISTICO") linguistico = &g_ui_settings.buildings[b];
  ASSERT_NE(linguistico, nullptr);
  ASSERT_EQ(linguistico->reachable_count, 2);
  EXPECT_EQ(std::string(linguistico->reachable_names[0]) + "-" + std::to_string(linguistico->reachable_values[0]) + " " +
                linguistico->reachable_names[1] + "-" + std::to_string(linguistico->reachable_values[1]),
            "SEDE CENTRALE-2 PLESSO NORD-2");
}

}  // namespace
