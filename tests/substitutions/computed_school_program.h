// The desktop program's set-up on a computed copy of the small sample made
// the current school, with the folder opener caught (`opened_` lists what
// it was asked to show) and the substitutions' state empty before and after.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "computed_school.h"
#include "desktop_wiring.h"
#include "engine/substitution_services.h"
#include "shell/home_page.h"

namespace substitution_test {

class ComputedSchoolFolder : public kt_app_test::TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    school_ = data_root() / "piccola";
    copy_computed_school(school_);
    write(data_root() / "plenixstatus.txt", "CURDIR:\\KestrinTempusDati\\piccola\n");
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    g_desktop_launcher = [this](const std::vector<std::string>& argv, int*) {
      opened_.push_back(argv.back());
      return true;
    };
  }
  void TearDown() override {
    g_desktop_launcher = nullptr;
    std::memset(&g_substitution_state, 0, sizeof g_substitution_state);
    TempRoot::TearDown();
  }
  kt_app_test::fs::path school_;
  std::vector<std::string> opened_;
};

}  // namespace substitution_test
