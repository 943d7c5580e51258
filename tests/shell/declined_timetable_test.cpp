// Declining to view a timetable the program never computed changes nothing
// the officer would have to save: on the sample school, whose files carry
// no computation state, the balance page's question answered No, then a
// configuration page opened and left, brings no "data changed" question,
// and the school's files stay as they were; the question about the
// timetable is asked again the next time.
#include <map>

#include "frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using DeclinedTimetable = ProgramOnSample;

TEST_F(DeclinedTimetable, LeavesNoChangesToSave) {
  auto files = [&] {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(data_root() / "piccola"))
      if (e.is_regular_file()) out[e.path().filename().string()] = read(e.path());
    return out;
  };
  const auto before = files();
  int asked = 0;
  Run([&] {
    for (int round = 0; round < 2; ++round) {
      ui.OnNextModal([&](Dialog& box) {
        ++asked;
        box.EndDialog(kIdNo);
      });
      alfadlg_go_to_page(kPageBila);
      EXPECT_EQ(g_current_page_template, std::uint32_t(CPlenixDlg::kTemplate));
      alfadlg_go_to_page(kPageMaterie);
      alfadlg_go_to_page(kPageHome);  // no question about unsaved data comes
      EXPECT_EQ(g_current_page_template, std::uint32_t(CPlenixDlg::kTemplate));
    }
  });
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(files(), before);
}

}  // namespace
