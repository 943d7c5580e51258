// The lab booking chooser on an hour with no lesson placed: the list holds
// only " Nessuno" and opens by itself after 133 ms; choosing it frees the
// lab (-1); Esc, the bitmap button and the list closing without a choice
// leave the booking as it is (-2).
#include "structure/lab_booking_chooser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/save_test_fixture.h"
#include "platform/test_driver.h"
#include "shell/message_box.h"

namespace {

using namespace kt::ui;

TEST(LabBookingChooser, EmptyHourOffersNobodyAndEveryOtherWayLeavesItUnchanged) {
  ui_register_toolkit_templates();
  save_test::reset_school();  // a school with no lesson anywhere
  struct Case {
    const char* id;
    std::function<void(TestDriver&, Dialog&)> act;
    LResult expected;
  };
  const Case cases[] = {
      {"nobody", [](TestDriver& ui, Dialog& d) { ui.Select(d, Cmanulab::kListId, 0); }, Cmanulab::kNone},
      {"esc", [](TestDriver& ui, Dialog&) { ui.Key(kVkEscape); }, Cmanulab::kUnchanged},
      {"button", [](TestDriver& ui, Dialog& d) { ui.Click(d, Cmanulab::kButtonId); }, Cmanulab::kUnchanged},
      {"close-up",
       [](TestDriver& ui, Dialog& d) {
         static_cast<ComboBox*>(d.GetDlgItem(Cmanulab::kListId))->ShowDropDown(false);
         ui.Pump();
       },
       Cmanulab::kUnchanged},
  };
  for (const Case& c : cases) {
    TestDriver ui;
    Cmanulab chooser;
    chooser.m_day = 2;
    chooser.m_hour = 3;
    std::string items;
    bool dropped_before = true, dropped_after = false;
    ui.OnNextModal([&](Dialog& d) {
      auto* list = static_cast<ComboBox*>(d.GetDlgItem(Cmanulab::kListId));
      for (int i = 0; i < list->GetCount(); ++i) items += list->GetLBText(i) + ";";
      dropped_before = list->GetDroppedState();
      ui.Advance(133);
      dropped_after = list->GetDroppedState();
      c.act(ui, d);
    });
    EXPECT_EQ(chooser.DoModal(), c.expected) << c.id;
    EXPECT_EQ(items, " Nessuno;") << c.id;
    EXPECT_FALSE(dropped_before) << c.id;
    EXPECT_TRUE(dropped_after) << c.id;
    EXPECT_TRUE(ui.Problems().empty()) << c.id;
  }
}

}  // namespace
