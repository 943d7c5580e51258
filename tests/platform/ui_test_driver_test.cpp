// The test driver acts only as a user could: on a control that is missing
// it does nothing and reports the missing id with the page's caption; on a
// hidden or disabled control it does nothing; under a window a modal run
// has disabled it beeps, as the real window does. Rows are chosen by index
// or by text in list boxes, combos and report lists alike, the first row
// too; a row that is not there, or a control without rows, is reported.
// The window manager's close and Alt+F4 reach a dialog as its Cancel, and
// not while a box of its own is up over it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9341, kRooms = 4601, kDays = 4602, kGrid = 4603, kName = 4604, kOk = 4605, kCheck = 4606;
const ControlTemplate kControls[] = {
    {"ListBox", kRooms, "", kLbsNotify | kWsTabStop, 5, 5, 60, 40},
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 70, 5, 60, 60},
    {"ListView", kGrid, "", kLvsReport | kLvsSingleSel | kWsTabStop, 5, 50, 120, 50},
    {"Edit", kName, "", kEsAutoHScroll | kWsTabStop, 70, 25, 60, 12},
    {"Button", kOk, "Conferma", kBsPushButton | kWsTabStop, 135, 5, 50, 14},
    {"Button", kCheck, "Attivo", kBsAutoCheckBox | kWsTabStop, 135, 25, 50, 10},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Pilota", kWsPopup | kWsCaption, 0, 0, 190, 105, kControls}};

class DriverPage : public Dialog {
 public:
  DriverPage() : Dialog(kTemplate) {}
  std::vector<std::string> log;

 protected:
  void OnCancel() override {}  // stays open, so every close can be counted
  bool OnCommand(WParam w, LParam l) override {
    int id = command_id(w), code = command_code(w);
    if (id == kOk || id == kIdCancel || (id == kRooms && code == kLbnSelChange) ||
        (id == kDays && code == kCbnSelChange) || (id == kCheck && code == 0))
      log.push_back(std::to_string(id) + ":" + std::to_string(code));
    return Dialog::OnCommand(w, l);
  }
};

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    auto* rooms = static_cast<ListBox*>(page.GetDlgItem(kRooms));
    auto* days = static_cast<ComboBox*>(page.GetDlgItem(kDays));
    grid = static_cast<ListView*>(page.GetDlgItem(kGrid));
    grid->InsertColumn(0, "Nome", kLvcfmtLeft, 80);
    for (const char* t : {"Aula 1", "Aula 2", "Lab"}) {
      rooms->AddString(t);
      days->AddString(t);
      grid->InsertItem(grid->GetItemCount(), t);
    }
    ASSERT_TRUE(ui.Problems().empty());
  }
  // Every action the driver offers, on one control id; how many it did.
  int Everything(int id) {
    int done = 0;
    done += ui.Click(page, id);
    done += ui.DoubleClick(page, id);
    done += ui.Type(page, id, "x");
    done += ui.Select(page, id, 0);
    done += ui.ClickCell(page, id, 0, 0);
    done += ui.ClickHeader(page, id, 0);
    done += ui.DragColumnEdge(page, id, 0, 50);
    return done;
  }
  TestDriver ui;
  DriverPage page;
  ListView* grid = nullptr;
};

TEST_F(DriverTest, AMissingControlIsReportedWithThePage) {
  EXPECT_EQ(Everything(4699), 0);
  EXPECT_FALSE(ui.IsChecked(page, 4699));
  EXPECT_FALSE(ui.IsEnabled(page, 4699));
  EXPECT_FALSE(ui.IsVisible(page, 4699));
  EXPECT_FALSE(ui.HasFocus(page, 4699));
  EXPECT_EQ(ui.Text(page, 4699), "");
  std::vector<std::string> problems = ui.Problems();
  ASSERT_FALSE(problems.empty());
  for (const std::string& p : problems) EXPECT_EQ(p, "no control 4699 in \"Pilota\"");
  EXPECT_TRUE(ui.Problems().empty()) << "taken once";
  EXPECT_FALSE(ui.ClickCaption(page, "Annulla"));
  EXPECT_EQ(ui.Problems(), (std::vector<std::string>{"no control captioned \"Annulla\""}));
  EXPECT_TRUE(ui.ClickCaption(page, "Conferma"));
  EXPECT_EQ(page.log, (std::vector<std::string>{std::to_string(kOk) + ":0"}));
}

TEST_F(DriverTest, HiddenAndDisabledControlsTakeNothing) {
  for (int id : {kRooms, kDays, kGrid, kName, kOk, kCheck}) {
    page.GetDlgItem(id)->ShowWindow(kSwHide);
    EXPECT_EQ(Everything(id), 0) << "hidden " << id;
    page.GetDlgItem(id)->ShowWindow(kSwShow);
    page.GetDlgItem(id)->EnableWindow(false);
    EXPECT_EQ(Everything(id), 0) << "disabled " << id;
    page.GetDlgItem(id)->EnableWindow(true);
  }
  EXPECT_EQ(page.log, std::vector<std::string>{});
  EXPECT_EQ(ui.beeps(), 0);
  EXPECT_EQ(ui.Text(page, kName), "");
  EXPECT_FALSE(ui.IsChecked(page, kCheck));
  // Under a disabled window (a box of its own open over it): a beep each.
  page.EnableWindow(false);
  EXPECT_FALSE(ui.Click(page, kOk));
  EXPECT_FALSE(ui.Type(page, kName, "x"));
  EXPECT_FALSE(ui.Select(page, kRooms, 1));
  EXPECT_EQ(ui.beeps(), 3);
  page.EnableWindow(true);
  EXPECT_TRUE(ui.Click(page, kCheck));
  EXPECT_TRUE(ui.IsChecked(page, kCheck));
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(DriverTest, RowsByIndexOrTextInEveryKindOfList) {
  for (int id : {kRooms, kDays, kGrid}) {
    EXPECT_TRUE(ui.Select(page, id, "Lab")) << id;
    EXPECT_TRUE(ui.Select(page, id, "Aula 1")) << "the first row, " << id;
    EXPECT_FALSE(ui.Select(page, id, "Palestra")) << id;
    EXPECT_FALSE(ui.Select(page, id, 3)) << id;
    EXPECT_FALSE(ui.Select(page, id, -1)) << id;
  }
  EXPECT_EQ(static_cast<ListBox*>(page.GetDlgItem(kRooms))->GetCurSel(), 0);
  EXPECT_EQ(static_cast<ComboBox*>(page.GetDlgItem(kDays))->GetCurSel(), 0);
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 0);
  EXPECT_EQ(page.log, (std::vector<std::string>{std::to_string(kRooms) + ":1", std::to_string(kRooms) + ":1",
                                                std::to_string(kDays) + ":1", std::to_string(kDays) + ":1"}));
  std::vector<std::string> problems = ui.Problems();
  EXPECT_EQ(problems, (std::vector<std::string>{"no row \"Palestra\" in control " + std::to_string(kRooms),
                                                "no row \"Palestra\" in control " + std::to_string(kDays),
                                                "no row \"Palestra\" in control " + std::to_string(kGrid)}));
  EXPECT_FALSE(ui.Select(page, kOk, 0));
  EXPECT_EQ(ui.Problems(), (std::vector<std::string>{"control " + std::to_string(kOk) + " has no rows to select"}));
}

TEST_F(DriverTest, ColumnsAndCellsThatAreNotThereTakeNothing) {
  for (int column : {-1, 1, 5}) {
    EXPECT_FALSE(ui.ClickHeader(page, kGrid, column)) << column;
    EXPECT_FALSE(ui.DragColumnEdge(page, kGrid, column, 40)) << column;
    EXPECT_FALSE(ui.ClickCell(page, kGrid, 0, column)) << column;
  }
  EXPECT_FALSE(ui.ClickCell(page, kGrid, 3, 0));
  EXPECT_FALSE(ui.ClickCell(page, kGrid, -1, 0));
  EXPECT_EQ(grid->GetColumnWidth(0), 80);
  EXPECT_EQ(grid->GetSelectedCount(), 0);
  EXPECT_TRUE(ui.DragColumnEdge(page, kGrid, 0, 40));
  EXPECT_EQ(grid->GetColumnWidth(0), 40);
  EXPECT_TRUE(ui.ClickCell(page, kGrid, 2, 0));
  EXPECT_EQ(grid->GetNextItem(-1, kLvniSelected), 2);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(DriverTest, TheCloseButtonAndAltF4AreTheDialogsCancel) {
  const std::string cancel = std::to_string(kIdCancel) + ":0";
  EXPECT_TRUE(ui.Close(page));
  EXPECT_EQ(page.log, std::vector<std::string>{cancel});
  // From a control inside the window: the close of its top-level window,
  // never a key of the control (F4 alone drops a combo's list; with Alt, not).
  ui.Type(page, kName, "ab");
  auto* days = static_cast<ComboBox*>(page.GetDlgItem(kDays));
  days->SetFocus();
  EXPECT_TRUE(ui.Key(kVkF4, kModAlt));
  EXPECT_FALSE(days->GetDroppedState());
  EXPECT_EQ(page.log, (std::vector<std::string>{cancel, cancel}));
  EXPECT_EQ(ui.Text(page, kName), "ab");
  // A box of its own up over it: both only beep.
  page.EnableWindow(false);
  ui.ClearBeeps();
  EXPECT_FALSE(ui.Close(*page.GetDlgItem(kName)));
  EXPECT_FALSE(ui.Key(kVkF4, kModAlt));
  EXPECT_EQ(ui.beeps(), 2);
  EXPECT_EQ(page.log.size(), 2u);
  page.EnableWindow(true);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
}  // namespace kt::ui
