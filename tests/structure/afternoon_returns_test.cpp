// The afternoon returns dialog, opened from the school page's special
// calendars: its lists and what they show of the stored lunch break, the
// first break hour giving the durations 1 to 4 and asking the weekly
// returns of every teacher (refused out of range, nothing changed on
// cancel, not asked when the teachers differ), a later hour keeping the
// durations, "-" clearing the whole break, durations refused before an
// hour, and saving or abandoning with its question.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "shell/message_box.h"
#include "structure/afternoon_returns.h"
#include "structure/input_box.h"
#include "structure/school_page.h"
#include "structure/special_calendars.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using G = Cgerien;
using Lunch = std::array<int, 4>;

constexpr int kYes = 1031, kNo = 1049;

Lunch lunch() {
  const std::uint8_t* l = g_ui_settings.lunch_break;
  return {l[0], l[1], l[2], l[3]};
}

class AfternoonReturns : public TempRoot {
 protected:
  void TearDown() override {
    std::memset(g_ui_settings.lunch_break, 0, 4);
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::MenuConfora, PageSlot::Proscuola}) g_pages.Install(s, nullptr);
    TempRoot::TearDown();
  }
  // Monday to Friday 6 hours, Saturday 4; a teacher for each weekly
  // returns count given; the lunch break as given.
  void Open(std::vector<int> returns, Lunch stored) {
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), {"1A ", "2A "}));
    std::strcpy(g_ui_structure.track_names[0], "Ordinario");
    std::memcpy(g_ui_header.day_codes, "LU\0MA\0ME\0GI\0VE\0SA\0DO", 21);
    g_ui_header.hours_per_day[5] = 4;
    g_ui_settings.teacher_count = std::uint32_t(returns.size());
    for (std::size_t t = 0; t < returns.size(); ++t) {
      og_init_teacher(int(t), t == 0 ? "ROSSI" : t == 1 ? "VERDI" : "BIANCHI");
      g_ui_teachers[t].mxr = std::uint8_t(returns[t]);
    }
    for (int i = 0; i < 4; ++i) g_ui_settings.lunch_break[i] = std::uint8_t(stored[std::size_t(i)]);
    og_snapshot_all();
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageProscuola));
    ASSERT_EQ(g_current_page, &g_school_page);
  }
  // The returns dialog opened through the special calendars; `body` works
  // in it and ends it; the calendars are then left unchanged.
  void Returns(const std::function<void(Dialog&)>& body) {
    bool ran = false;
    ui.OnNextModal([&](Dialog& calendars) {
      ui.OnNextModal([&](Dialog& g) {
        ran = true;
        body(g);
      });
      ui.Click(calendars, Ccalespe::kReturnsId);
      ui.Click(calendars, Ccalespe::kAbandonId);
    });
    ui.Click(g_school_page, Cproscuola::kSpecialId);
    EXPECT_TRUE(ran);
  }
  // The next input box: its question kept, `answer` typed, OK or Cancel.
  void AnswerReturns(const char* answer, bool ok = true) {
    ui.OnNextModal([this, answer, ok](Dialog& box) {
      questions.push_back(ui.Text(box, Ccasella::kPrompt1Id));
      proposed.push_back(ui.Text(box, Ccasella::kEdit1Id));
      static_cast<Edit*>(box.GetDlgItem(Ccasella::kEdit1Id))->SetWindowText(answer);
      ui.Click(box, ok ? kIdOk : kIdCancel);
    });
  }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& box : ui.boxes())
      if (box.template_id == CMessageBox::kTemplate) out.push_back(box.texts.at(0));
    return out;
  }
  ComboBox& combo(Dialog& g, int id) { return *static_cast<ComboBox*>(g.GetDlgItem(id)); }
  std::vector<std::string> questions, proposed;
  TestDriver ui;
};

const std::string kQuestion5 = "Rientri alla settimana ammessi per ogni insegnante nel caso più comune (da 0 a 5) ?"_cp;
const std::string kQuestion6 = "Rientri alla settimana ammessi per ogni insegnante nel caso più comune (da 0 a 6) ?"_cp;

TEST_F(AfternoonReturns, ListsShowTheStoredBreak) {
  struct Case {
    Lunch stored;
    std::string hour, min, max;
  } cases[] = {{{0, 0, 0, 0}, "-", "", ""},
               {{4, 2, 3, 7}, "5", "2", "3"},
               {{10, 9, 1, 0}, "11", "9", "1"},
               {{11, 0, 10, 0}, "12", "", ""},  // a hand-written hour past the list: its own entry
               {{14, 2, 3, 0}, "15", "2", "3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hour + c.min + c.max);
    ASSERT_NO_FATAL_FAILURE(Open({2}, c.stored));
    std::vector<std::string> hours;
    std::string shown[3], help;
    Returns([&](Dialog& g) {
      for (int i = 0; i < combo(g, G::kHourId).GetCount(); ++i) hours.push_back(combo(g, G::kHourId).GetLBText(i));
      EXPECT_EQ(combo(g, G::kMinId).GetCount(), 9);
      EXPECT_EQ(combo(g, G::kMaxId).GetCount(), 9);
      EXPECT_EQ(combo(g, G::kMaxId).GetLBText(8), "9");
      shown[0] = ui.Text(g, G::kHourId);
      shown[1] = ui.Text(g, G::kMinId);
      shown[2] = ui.Text(g, G::kMaxId);
      help = ui.Text(g, G::kHelpPaneId);
      EXPECT_TRUE(ui.HasFocus(g, G::kSaveId));
      ui.Click(g, G::kSaveId);
    });
    std::vector<std::string> listed = {"-", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    if (c.stored[0] > 10) listed.push_back(c.hour);
    EXPECT_EQ(hours, listed);
    EXPECT_EQ(shown[0], c.hour);
    EXPECT_EQ(shown[1], c.min);
    EXPECT_EQ(shown[2], c.max);
    EXPECT_EQ(help.rfind("La gestione dei RIENTRI serve alle scuole", 0), 0u) << help;
    EXPECT_EQ(lunch(), c.stored);  // saved as it was
    EXPECT_TRUE(messages().empty());
    TearDown();
    SetUp();
  }
}

TEST_F(AfternoonReturns, TheFirstBreakHourSetsDurationsAndAsksTheReturns) {
  ASSERT_NO_FATAL_FAILURE(Open({2, 2, 2}, {0, 0, 0, 0}));
  Lunch after_first{}, after_second{};
  std::string min, max;
  Returns([&](Dialog& g) {
    AnswerReturns("3");
    ui.Select(g, G::kHourId, 4);  // the hour shown "5": five days are longer
    after_first = lunch();
    min = ui.Text(g, G::kMinId);
    max = ui.Text(g, G::kMaxId);
    ui.Select(g, G::kMaxId, 5);
    ui.Select(g, G::kHourId, 3);  // another hour: no question, durations kept
    after_second = lunch();
    ui.Click(g, G::kSaveId);
  });
  EXPECT_EQ(after_first, (Lunch{4, 1, 4, 0}));
  EXPECT_EQ(min, "1");
  EXPECT_EQ(max, "4");
  EXPECT_EQ(after_second, (Lunch{3, 1, 6, 0}));
  EXPECT_EQ(lunch(), (Lunch{3, 1, 6, 0}));
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], kQuestion5);
  EXPECT_EQ(proposed[0], "5");
  for (int t = 0; t < 3; ++t) EXPECT_EQ(+g_ui_teachers[t].mxr, 3) << t;
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(AfternoonReturns, AnAnswerOutOfRangeIsRefusedAndCancelKeepsTheReturns) {
  ASSERT_NO_FATAL_FAILURE(Open({1, 1}, {0, 0, 0, 0}));
  Returns([&](Dialog& g) {
    AnswerReturns("7");  // more than the six days: refused, asked again
    ui.AnswerNextModal(1);
    AnswerReturns("9");
    ui.AnswerNextModal(1);
    AnswerReturns("0", false);  // cancelled: no teacher changes
    ui.Select(g, G::kHourId, 3);  // the hour shown "4": six days are longer
    ui.Click(g, G::kSaveId);
  });
  EXPECT_EQ(lunch(), (Lunch{3, 1, 4, 0}));
  EXPECT_EQ(questions, (std::vector<std::string>{kQuestion6, kQuestion6, kQuestion6}));
  EXPECT_EQ(messages(), (std::vector<std::string>{"Inserire un numero da 0 a 6.", "Inserire un numero da 0 a 6."}));
  EXPECT_EQ(+g_ui_teachers[0].mxr, 1);
  EXPECT_EQ(+g_ui_teachers[1].mxr, 1);
}

TEST_F(AfternoonReturns, TeachersWithDifferentReturnsAreNotAsked) {
  for (const std::vector<int>& returns : {std::vector<int>{2, 3}, std::vector<int>{}}) {
    SCOPED_TRACE(returns.size());
    ASSERT_NO_FATAL_FAILURE(Open(returns, {0, 0, 0, 0}));
    Returns([&](Dialog& g) {
      ui.Select(g, G::kHourId, 5);
      ui.Click(g, G::kSaveId);
    });
    EXPECT_EQ(lunch(), (Lunch{5, 1, 4, 0}));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ui.PendingSteps(), 0u);
    if (!returns.empty()) {
      EXPECT_EQ(+g_ui_teachers[0].mxr, 2);
      EXPECT_EQ(+g_ui_teachers[1].mxr, 3);
    }
    EXPECT_TRUE(ui.Problems().empty());
    TearDown();
    SetUp();
  }
}

TEST_F(AfternoonReturns, NoHourClearsTheWholeBreak) {
  ASSERT_NO_FATAL_FAILURE(Open({2}, {4, 2, 3, 7}));
  std::string shown;
  Returns([&](Dialog& g) {
    ui.Select(g, G::kHourId, 0);
    shown = ui.Text(g, G::kHourId) + "|" + ui.Text(g, G::kMinId) + "|" + ui.Text(g, G::kMaxId);
    ui.Click(g, G::kSaveId);
  });
  EXPECT_EQ(shown, "-||");
  EXPECT_EQ(lunch(), (Lunch{0, 0, 0, 0}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(AfternoonReturns, DurationsAreRefusedBeforeABreakHour) {
  struct Case {
    Lunch stored;
  } cases[] = {{{0, 0, 0, 0}}, {{0, 2, 3, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored[1]);
    ASSERT_NO_FATAL_FAILURE(Open({2}, c.stored));
    std::string min, max;
    bool hour_focused = false;
    Returns([&](Dialog& g) {
      ui.Select(g, G::kMinId, 3);
      min = ui.Text(g, G::kMinId);
      hour_focused = ui.HasFocus(g, G::kHourId);
      ui.Select(g, G::kMaxId, 6);
      max = ui.Text(g, G::kMaxId);
      ui.Click(g, G::kSaveId);
    });
    EXPECT_EQ(min, "");
    EXPECT_EQ(max, "");
    EXPECT_TRUE(hour_focused);
    EXPECT_EQ(lunch(), c.stored);
    TearDown();
    SetUp();
  }

  // With an hour stored, each duration is stored on its choice, the rest kept.
  ASSERT_NO_FATAL_FAILURE(Open({2}, {2, 0, 0, 9}));
  Lunch after_min{};
  Returns([&](Dialog& g) {
    ui.Select(g, G::kMinId, 1);
    after_min = lunch();
    ui.Select(g, G::kMaxId, 8);
    ui.Click(g, G::kSaveId);
  });
  EXPECT_EQ(after_min, (Lunch{2, 2, 0, 9}));
  EXPECT_EQ(lunch(), (Lunch{2, 2, 9, 9}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(AfternoonReturns, AbandonAsksAndPutsTheOpenedBreakBack) {
  ASSERT_NO_FATAL_FAILURE(Open({2}, {4, 2, 3, 7}));
  bool open_after_no = false;
  Lunch after_no{};
  Returns([&](Dialog& g) {
    ui.Select(g, G::kHourId, 0);
    ui.PressInNextModal(kNo);
    ui.Click(g, G::kAbandonId);
    open_after_no = g.IsWindow();
    after_no = lunch();
    ui.PressInNextModal(kYes);
    ui.Click(g, G::kAbandonId);
  });
  EXPECT_TRUE(open_after_no);
  EXPECT_EQ(after_no, (Lunch{0, 0, 0, 0}));
  EXPECT_EQ(lunch(), (Lunch{4, 2, 3, 7}));
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
