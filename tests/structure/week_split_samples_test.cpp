// The three-week split on both sample schools: "Salva le cartelle multiple"
// writes three week folders whose descriptions the engine loads, grouping
// rows included (a week's post may have fewer hours than its rows ask).
#include <gtest/gtest.h>

#include <string>

#include "../engine/loader_harness.h"
#include "platform/paths.h"
#include "platform/test_driver.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "schooldata/model_utilities.h"
#include "structure/week_split.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class WeekSplitSamples : public TempRoot, public ::testing::WithParamInterface<const char*> {};

TEST_P(WeekSplitSamples, EveryWeekFolderLoadsInTheEngine) {
  ui_register_toolkit_templates();
  copy_example(GetParam(), GetParam());
  ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + std::string(GetParam())).c_str()));
  TestDriver ui;
  ASSERT_TRUE(og_read_school_files(0));
  std::string folder = og_current_folder_path();
  Ccreate_crux tool;
  tool.m_trial_limit = 3;
  tool.m_seed = 5;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ccreate_crux::kStartId);
    tool.WaitForSearch();
    ui.Pump();
    ui.Click(d, Ccreate_crux::kSaveId);
    ui.Click(d, Ccreate_crux::kEndId);
  });
  tool.DoModal();
  ASSERT_TRUE(tool.Found());
  for (int w = 0; w < 3; ++w) {
    std::string week = folder + "_Settimana_" + char('A' + w);
    std::string written = read(kt::translate_path(week + "\\scuola2.txt"));
    ASSERT_FALSE(written.empty()) << week;
    loader_test::Outcome synt = loader_test::run_synt(written);
    EXPECT_EQ(synt.code, 0) << week << ": " << synt.message;
  }
  og_clear_structure();
  og_clear_school_blocks();
}

INSTANTIATE_TEST_SUITE_P(Samples, WeekSplitSamples, ::testing::Values("piccola", "liceo"));

}  // namespace
