// The hours-and-minutes field: what it reads from its text (a single minute
// digit counts as tens, a first minute digit of 6 or more keeps the value
// before, hours without a colon, no overflow, nothing below zero) and what
// it shows once the user types.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/edit_hm.h"

namespace {

using namespace kt::ui;

constexpr int kTemplate = 9613, kField = 1401;
const ControlTemplate kControls[] = {{"Edit", kField, "", 0, 10, 10, 60, 12}};
const DialogTemplate kTemplates[] = {{kTemplate, "Orari", kWsPopup | kWsCaption, 0, 0, 100, 40, kControls}};

class Page : public CDialogML {
 public:
  Page() : CDialogML(kTemplate) {}
  CEditHM field;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kField, field); }
};

TEST(EditHM, ReadsHoursAndMinutesAndShowsThemBack) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  Page page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  page.field.SetMinutes(7 * 60 + 15);
  EXPECT_EQ(page.field.GetWindowText(), "7:15");
  struct Case {
    const char* text;
    int minutes;
  } cases[] = {
      {"8:05", 485}, {"8:3", 510}, {"8:59", 539}, {"8:7", 435} /* the value before */, {"9", 540},
      {"9:", 540},   {"12:x", 720}, {"99999999999:00", 168 * 60},
  };
  for (const Case& c : cases) {
    page.field.SetMinutes(435);
    page.field.SetWindowText(c.text);
    EXPECT_EQ(page.field.GetMinutes(), c.minutes) << c.text;
  }
  page.field.SetMinutes(-20);
  EXPECT_EQ(page.field.GetWindowText(), "0:00");
  // Typing: the field reads its text again at once and shows it as h:mm.
  page.field.SetWindowText("");
  ui.Type(page.field, "9");
  EXPECT_EQ(page.field.GetWindowText(), "9:00");
  EXPECT_EQ(g_edit_hm_last_minutes, 540);
  page.DestroyWindow();
}

}  // namespace
