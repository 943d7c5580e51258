// The school model's snapshot and unsaved-changes check, band-table
// defaults and the defaults of a new school.
#include <gtest/gtest.h>

#include <utility>

#include "schooldata/band_defaults.h"
#include "platform/test_driver.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"

namespace {

class UiSchoolModel : public ::testing::Test {
 protected:
  void SetUp() override {
    og_clear_structure();
    og_clear_school_blocks();
  }
};

TEST_F(UiSchoolModel, EachBlockChangeIsSeen) {
  EXPECT_EQ(og_save_if_changed(1), 0);
  g_ui_structure.subjects[399].option_m = 1;
  EXPECT_EQ(og_save_if_changed(1), 1);
  og_snapshot_all();
  g_ui_header.hours_per_day[6] = 3;
  EXPECT_EQ(og_save_if_changed(1), 1);
  og_snapshot_all();
  g_ui_settings.claripo = 1;
  EXPECT_EQ(og_save_if_changed(1), 1);
  og_snapshot_all();
  EXPECT_EQ(og_save_if_changed(1), 0);
}

TEST_F(UiSchoolModel, TeacherBeyondCountIsNoChange) {
  g_ui_settings.teacher_count = g_ui_settings_saved.teacher_count = 2;
  g_ui_teachers[2].standby_hours = 4;
  EXPECT_EQ(og_save_if_changed(1), 0);
  g_ui_teachers[1].standby_hours = 4;
  EXPECT_EQ(og_save_if_changed(1), 1);
  og_snapshot_all();
  g_ui_settings.teacher_count = g_ui_settings_saved.teacher_count = 10000;  // bounded by the table
  EXPECT_EQ(og_save_if_changed(1), 0);
}

TEST_F(UiSchoolModel, StayAnswerKeepsChanges) {
  og_set_unsaved_changes_prompt([] { return 3; });
  g_ui_header.extended_hours = 5;
  EXPECT_EQ(og_save_if_changed(0), 1);
  og_set_unsaved_changes_prompt(nullptr);
}

// A prompt answer outside save, discard and stay ends the program as a
// system error "SW" (exit code 0) and writes nothing.
TEST_F(UiSchoolModel, AnswerOutsideThePromptsThreeIsFatal) {
  struct Ended {
    int code;
  };
  ProcessEnd before = og_set_process_end([](int code) { throw Ended{code}; });
  ui_register_toolkit_templates();
  kt::ui::TestDriver ui;
  for (int i = 0; i < 3; ++i) ui.AnswerNextModal(kt::ui::kIdOk);
  og_set_unsaved_changes_prompt([] { return 7; });
  g_ui_header.extended_hours = 5;
  int code = 99;
  try {
    og_save_if_changed(0);
  } catch (const Ended& e) {
    code = e.code;
  }
  og_set_unsaved_changes_prompt(nullptr);
  og_set_process_end(before);
  EXPECT_EQ(code, 0);
  ASSERT_EQ(ui.boxes().size(), 3u);  // the system error is shown three times
  EXPECT_NE(ui.boxes()[0].texts.at(0).find("Errore di sistema (SW)"), std::string::npos) << ui.boxes()[0].texts.at(0);
  EXPECT_EQ(og_save_if_changed(1), 1);  // nothing was saved or read again
}

TEST_F(UiSchoolModel, BandCountStopsAtZeroThreshold) {
  UiHq2Table t{};
  t.pairs[1][0] = 5;
  EXPECT_EQ(og_hq2_count(t), 0);
  t.pairs[0][0] = 2;
  EXPECT_EQ(og_hq2_count(t), 2);
}

TEST_F(UiSchoolModel, DefaultsByIdentity) {
  UiHq2Table row{};
  EXPECT_EQ(og_get_hq2_defaults(&g_ui_settings.iggiorni, &row, 0), 5);
  EXPECT_EQ(row.pairs[3][0], 14);
  EXPECT_EQ(+g_ui_settings.iggiorni.count, 0);  // not copied
  EXPECT_EQ(og_get_hq2_defaults(&g_ui_settings.ultimeoremax, nullptr, 1), 2);
  EXPECT_EQ(+g_ui_settings.ultimeoremax.pairs[1][1], 33);
  UiHq2Table stranger{};
  EXPECT_EQ(og_get_hq2_defaults(&stranger, &row, 1), -1);
  EXPECT_EQ(og_get_hq2_defaults_alt(&g_ui_settings.iggiorni, nullptr, 1), -1);
}

// A new school's band tables by weekly hours, lower schools' and upper
// ones': each rises band by band and its last band is 99, "beyond" any
// teacher's week, so every teacher falls in one.
TEST_F(UiSchoolModel, NewSchoolBandsRiseToBeyond) {
  for (int type : {42, 52}) {
    og_clear_structure();
    og_set_new_school_defaults(type);
    UiSchoolSettings& s = g_ui_settings;
    const std::pair<const char*, const UiHq2Table*> tables[] = {
        {"IGGIORNI", &s.iggiorni}, {"IHMINIMO", &s.ihminimo},     {"IHSG", &s.ihsg},
        {"IHSGCON", &s.ihsgcon},   {"IHSGLAB", &s.ihsglab},       {"ENTEREXIT", &s.enterexit},
        {"ENTEREXITCON", &s.enterexitcon}, {"ENTEREXITLAB", &s.enterexitlab}, {"IHBUCHE", &s.ihbuche}};
    for (const auto& [name, table] : tables) {
      int n = og_hq2_count(*table);
      ASSERT_GT(n, 0) << name << " " << type;
      for (int k = 1; k < n; ++k) EXPECT_LT(table->pairs[k - 1][0], table->pairs[k][0]) << name << " " << type;
      EXPECT_EQ(table->pairs[n - 1][0], 99) << name << " " << type;
    }
  }
}

// A new school's conversation teachers start from the ordinary teachers'
// bands: daily hours, entries and exits, presence and teaching, lower
// schools and upper ones.
TEST_F(UiSchoolModel, NewSchoolConversationBandsAreTheOrdinaryOnes) {
  for (int type : {42, 52}) {
    og_clear_structure();
    og_set_new_school_defaults(type);
    UiSchoolSettings& s = g_ui_settings;
    const std::tuple<const char*, const UiHq2Table*, const UiHq2Table*> pairs[] = {
        {"IHSGCON", &s.ihsgcon, &s.ihsg},
        {"ENTEREXITCON", &s.enterexitcon, &s.enterexit},
        {"IHCONPRESENZA", &s.ihconpresenza, &s.ihpresenza},
        {"IHCONINSEGNA", &s.ihconinsegna, &s.ihinsegna}};
    for (const auto& [name, conversation, ordinary] : pairs) {
      int n = og_hq2_count(*ordinary);
      ASSERT_GT(n, 0) << name << " " << type;
      EXPECT_EQ(og_hq2_count(*conversation), n) << name << " " << type;
      for (int k = 0; k < n; ++k)
        for (int v : {0, 1}) EXPECT_EQ(conversation->pairs[k][v], ordinary->pairs[k][v]) << name << " " << type << " " << k;
    }
  }
}

struct NewSchoolCase {
  const char* id;
  int type;
  int weekday_hours, saturday_hours, saturday_short;
  int ihinsegna_first_value;
  int extra_first_threshold;
};

class NewSchool : public UiSchoolModel, public ::testing::WithParamInterface<NewSchoolCase> {};

TEST_P(NewSchool, CalendarAndBands) {
  const NewSchoolCase& c = GetParam();
  og_set_new_school_defaults(c.type);
  EXPECT_EQ(+g_ui_header.hours_per_day[0], c.weekday_hours);
  EXPECT_EQ(+g_ui_header.hours_per_day[5], c.saturday_hours);
  EXPECT_EQ(+g_ui_header.short_days[5], c.saturday_short);
  EXPECT_EQ(+g_ui_header.hours_per_day[6], 0);
  EXPECT_STREQ(g_ui_header.day_codes[3], "GI");
  EXPECT_STREQ(g_ui_settings.buildings[0].name, "Centrale");
  EXPECT_EQ(+g_ui_settings.ihinsegna.pairs[0][1], c.ihinsegna_first_value);
  EXPECT_EQ(+g_ui_settings.ihinsegnaextra.triples[0][0], c.extra_first_threshold);
  EXPECT_EQ(+g_ui_settings.ihbuchecst.count, 4);
}

// Units digit: 0 five days of 7, 1 Saturday short of 5, 2 six days of 6.
// Below 50 the lower-school rows win (IHINSEGNA 14-6, extra from table 5).
INSTANTIATE_TEST_SUITE_P(Types, NewSchool,
                         ::testing::Values(NewSchoolCase{"s50", 50, 7, 0, 0, 4, 18},
                                           NewSchoolCase{"s51", 51, 7, 5, 1, 4, 18},
                                           NewSchoolCase{"s52", 52, 6, 6, 1, 4, 18},
                                           NewSchoolCase{"p10", 10, 7, 0, 0, 6, 14}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST_F(UiSchoolModel, NewStructureDefaults) {
  og_set_new_structure_defaults();
  EXPECT_EQ(+g_ui_structure.track_count, 1);
  EXPECT_EQ(+g_ui_structure.status[1], '0');
  EXPECT_STREQ(g_ui_header.school_name, "Inserire Nome della scuola");
}

}  // namespace
