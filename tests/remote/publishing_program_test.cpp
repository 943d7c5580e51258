// Publishing from the processing menu of the running program, on the small
// sample school with its computed timetable: the memo and the choice to
// publish or to withdraw reach the export as its "#MEMO:" and "#DELETE:"
// lines, a cancelled question writes nothing, and a memo never breaks the
// export's lines.
#include <gtest/gtest.h>

#include "board/processing_menu.h"
#include "remote/publish_dialog.h"
#include "remote/publishing.h"
#include "remote_test_support.h"
#include "schooldata/ui_school_model.h"

namespace {

using namespace kt_remote_test;

class PublishingProgram : public RemoteProgram {
 protected:
  void SetUp() override {
    RemoteProgram::SetUp();
    write(school() / "savego.txt", read(fs::path(KT_TEST_DATA) / "savefiles" / "piccola-savego.txt"));
  }
  fs::path Export() const { return school() / "Orario" / ("Export_" + std::string(g_ui_header.school_code) + ".txt"); }
  // The export's lines after "#SCHOOL:" and "#CALE:".
  std::vector<std::string> LinesAfterTheHead() const {
    std::string text = read(Export());
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
      std::size_t end = text.find('\n', at);
      lines.push_back(text.substr(at, end - at));
      at = end == std::string::npos ? text.size() : end + 1;
    }
    EXPECT_GE(lines.size(), 3u);
    if (lines.size() >= 2) {
      EXPECT_EQ(lines[0].rfind("#SCHOOL:" + std::string(g_ui_header.school_code) + ":", 0), 0u) << lines[0];
      EXPECT_EQ(lines[1].rfind("#CALE:", 0), 0u) << lines[1];
      lines.erase(lines.begin(), lines.begin() + 2);
    }
    return lines;
  }
};

TEST_F(PublishingProgram, MemoAndWithdrawalReachTheExport) {
  struct Case {
    const char* id;
    int button;  // 0: the question is cancelled
    const char* memo;
    std::vector<std::string> head;  // the first lines after "#CALE:"
    bool teachers;                  // teacher lines follow
    const char* said;
  };
  const Case cases[] = {
      {"publish", Cpubblica::kPublishId, "", {"#MEMO: "}, true, "Orario pronto per la pubblicazione"},
      {"withdraw", Cpubblica::kWithdrawId, "Orario ritirato il 3 marzo", {"#MEMO:Orario ritirato il 3 marzo", "#DELETE:", ""},
       false, "Ritiro dell'orario pubblicato pronto"},
      {"cancel", 0, "non va", {}, false, nullptr},
  };
  Run([&] {
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu);
    for (const Case& c : cases) {
      std::error_code ignored;
      fs::remove(Export(), ignored);
      std::string said;
      // The state bytes say the program never computed this timetable: the menu asks first.
      ui.AnswerNextModal(kIdYes);
      ui.OnNextModal([&](Dialog& d) {
        EXPECT_EQ(d.template_id(), Cpubblica::kTemplate);
        ui.Type(d, Cpubblica::kMemoId, c.memo);
        if (c.button) {
          AnswerBox(&said);
          ui.Click(d, c.button);
        } else {
          ui.Key(kVkEscape);
        }
      });
      ui.Click(g_processing_menu, Cmakedibi::kPublishId);
      if (!c.said) {
        EXPECT_FALSE(fs::exists(Export())) << c.id;
        continue;
      }
      EXPECT_NE(said.find(c.said), std::string::npos) << c.id << ": " << said;
      EXPECT_NE(said.find("Export_"), std::string::npos) << c.id << ": " << said;
      EXPECT_NE(said.find("non \xE8 disponibile"), std::string::npos) << c.id << ": " << said;
      std::vector<std::string> lines = LinesAfterTheHead();
      ASSERT_GE(lines.size(), c.head.size()) << c.id;
      EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + c.head.size()), c.head) << c.id;
      if (c.teachers) {
        EXPECT_GT(lines.size(), c.head.size() + 5) << c.id;
        EXPECT_NE(lines[c.head.size()].find(':'), std::string::npos) << c.id;
      } else {
        EXPECT_EQ(lines.size(), c.head.size()) << c.id;
      }
    }
    // A memo given by another caller keeps the export's lines whole.
    std::string path;
    ASSERT_TRUE(krv_publish_timetable("riga uno\r\nriga\tdue", true, &path));
    EXPECT_EQ(LinesAfterTheHead(), (std::vector<std::string>{"#MEMO:riga uno  riga due", "#DELETE:", ""}));
  });
}

}  // namespace
