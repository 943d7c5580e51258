// The special options page (page 15) in German and English: the heading of
// its first option, whose second line the template lines up with blanks, is
// shown translated like every other option, not in Italian.
#include <string>

#include "constraints/special_options.h"
#include "frame_test_support.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

class SpecialOptionsWords : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    kestrintempus_install();
    copy_example("piccola", "piccola");
  }
  // The first option's heading as page 15 shows it once drawn.
  std::string FirstHeading(int language) {
    write(data_root() / "plenixstatus.txt",
          "CURDIR:\\KestrinTempusDati\\piccola\nLINGUA:" + std::to_string(language) + "\n");
    std::string shown;
    run_program(ui, [&] {
      alfadlg_go_to_page(kPageOraspec);
      if (!g_current_page) return ADD_FAILURE() << "no page";
      ui.Render(*g_current_page);
      shown = ui.Text(*g_current_page, Coraspec::kFirstCaptionId);
    });
    return shown;
  }
  TestDriver ui;
};

TEST_F(SpecialOptionsWords, FirstOptionInGerman) {
  EXPECT_EQ(FirstHeading(1), "15.1 - Ein Tag pro Woche mit 2 Freistunden ist erlaubt\n                         "
                             "(eine Bereitschaft und eine Sprechstunde)");
}

TEST_F(SpecialOptionsWords, FirstOptionInEnglish) {
  EXPECT_EQ(FirstHeading(2).rfind("15.1 - One day a week with 2 idle hours is allowed\n", 0), 0u);
}

TEST_F(SpecialOptionsWords, FirstOptionInItalianStaysAsWritten) {
  EXPECT_EQ(FirstHeading(0), "15.1 - E' ammesso un giorno alla settimana con 2 ore buche\n                         "
                             "(una a disposizione e una per il ricevimento)");
}

}  // namespace
