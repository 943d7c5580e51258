// Dialogs on the headless core: modality and focus (a box opened from a
// 231 ms timer), nested modal runs, timers on the virtual clock, Tab order,
// groups, default button, Enter and Esc, pages that refuse to close or close
// themselves from their own handler, one object run as a page and as a
// captioned modal dialog, the template lint and the translation of captions
// no object holds.
#include <gtest/gtest.h>

#include <thread>

#include "platform/controls/button.h"
#include "platform/controls/edit.h"
#include "platform/cp1252.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"
#include "platform/ui_thread.h"

namespace kt::ui {
namespace {

constexpr int kOwnerTemplate = 9001, kBoxTemplate = 9002, kFormTemplate = 9003, kPageTemplate = 9004;
constexpr int kStart = 1001, kStatus = 1002, kList = 1003, kOpenInner = 1004;
constexpr int kName = 2001, kCode = 2002, kRadioA = 2003, kRadioB = 2004, kRadioC = 2005, kCheck = 2006, kOff = 2007;
constexpr std::uint32_t kTab = kWsTabStop, kGroup = kWsGroup;

const ControlTemplate kOwnerControls[] = {
    {"Button", kStart, "Avvia", kBsPushButton | kTab, 10, 10, 60, 14},
    {"Static", kStatus, "Pronto", 0, 10, 30, 120, 10},
    {"ListBox", kList, "", kLbsNotify | kTab, 10, 45, 120, 60},
};
const ControlTemplate kBoxControls[] = {
    {"Static", kStaticId, "Attività completata"_cp, 0, 10, 10, 180, 20},
    {"Button", kOpenInner, "Altro", kBsPushButton | kTab, 10, 60, 50, 14},
    {"Button", kIdOk, "OK", kBsDefPushButton | kTab, 70, 60, 50, 14},
    {"Button", kIdCancel, "Annulla", kBsPushButton | kTab, 130, 60, 50, 14},
};
const ControlTemplate kFormControls[] = {
    {"Edit", kName, "", kEsAutoHScroll | kTab | kGroup, 10, 10, 100, 12},
    {"Edit", kCode, "", kEsAutoHScroll | kTab, 10, 26, 100, 12},
    {"Button", kRadioA, "Lun", kBsAutoRadioButton | kTab | kGroup, 10, 42, 40, 10},
    {"Button", kRadioB, "Mar", kBsAutoRadioButton, 55, 42, 40, 10},
    {"Button", kRadioC, "Mer", kBsAutoRadioButton, 100, 42, 40, 10},
    {"Button", kCheck, "Sempre", kBsAutoCheckBox | kTab | kGroup, 10, 56, 60, 10},
    {"Button", kOff, "Spento", kBsPushButton | kTab, 10, 70, 50, 14},
    {"Button", kIdOk, "OK", kBsDefPushButton | kTab, 70, 70, 50, 14},
    {"Button", kIdCancel, "Annulla", kBsPushButton | kTab, 130, 70, 50, 14},
};
const ControlTemplate kPageControls[] = {
    {"Button", kStart, "!SALVA", kBsPushButton | kTab, 5, 5, 60, 14},
    {"Static", kStatus, "", 0, 5, 25, 100, 10},
};
const DialogTemplate kTemplates[] = {
    {kOwnerTemplate, "Elaborazione", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 200, 120, kOwnerControls},
    {kBoxTemplate, "", kWsPopup | kDsModalFrame, 0, 0, 200, 80, kBoxControls},
    {kFormTemplate, "Modulo", kWsPopup | kWsCaption, 0, 0, 190, 90, kFormControls},
    {kPageTemplate, "Pagina", kWsChild, 0, 0, 150, 60, kPageControls},
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { register_dialog_templates(kTemplates); }
  TestDriver ui;
};

// A box that can open a second box from its "Altro" button.
class Box : public Dialog {
 public:
  Box() : Dialog(kBoxTemplate) {}
  Box* inner = nullptr;
  LResult inner_result = 0;

 protected:
  void OnOpenInner() {
    if (inner) inner_result = inner->DoModal();
  }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(Box, Dialog)
  KT_ON_COMMAND(kOpenInner, OnOpenInner)
KT_END_MESSAGE_MAP()

// A processing page: polls every 231 ms and shows a box on the third tick.
class Poller : public Dialog {
 public:
  Poller() : Dialog(kOwnerTemplate) {}
  int ticks = 0;
  LResult box_result = 0;
  bool owner_enabled_in_box = true;
  Box box;

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    SetTimer(12345678, 231);
    return true;
  }
  void OnTimer(WParam id) override {
    if (id != 12345678 || ++ticks != 3) return;
    box_result = box.DoModal();
  }
};

TEST_F(DialogTest, BoxFromTimerReturnsWithOwnerEnabledAndFocusBack) {
  Poller page;
  ASSERT_TRUE(page.Create(nullptr));
  page.ShowWindow(kSwShow);
  ui.Click(page, kList);
  ASSERT_TRUE(ui.HasFocus(page, kList));
  ui.OnNextModal([&](Dialog& box) {
    EXPECT_FALSE(page.IsWindowEnabled());
    EXPECT_FALSE(ui.Click(page, kStart));  // the owner refuses the click with a beep
    EXPECT_EQ(ui.beeps(), 1);
    ui.Click(box, kIdOk);
  });
  ui.Advance(692);
  EXPECT_EQ(page.ticks, 2);
  EXPECT_EQ(ui.boxes().size(), 0u);
  ui.Advance(1);
  EXPECT_EQ(page.ticks, 3);
  EXPECT_EQ(page.box_result, kIdOk);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].template_id, kBoxTemplate);
  EXPECT_EQ(ui.boxes()[0].texts[0], "Attivit\xE0 completata");
  EXPECT_TRUE(page.IsWindowEnabled());
  EXPECT_EQ(Window::GetActiveWindow(), &page);
  EXPECT_TRUE(ui.HasFocus(page, kList));
  EXPECT_FALSE(page.box.IsWindow());
  ui.Advance(231);  // the timer keeps running after the box
  EXPECT_EQ(page.ticks, 4);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(DialogTest, NestedModalRunsUnwindInOrder) {
  Box outer, inner;
  outer.inner = &inner;
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, kOpenInner); });
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(outer.IsWindowEnabled());
    inner.EndDialog(kIdRetry);
    inner.EndDialog(kIdAbort);  // a second end changes nothing
  });
  ui.AnswerNextModal(kIdNo);
  EXPECT_EQ(outer.DoModal(), kIdNo);
  EXPECT_EQ(outer.inner_result, kIdRetry);
  EXPECT_EQ(ui.boxes().size(), 2u);
  EXPECT_TRUE(ui.Problems().empty());
  EXPECT_EQ(outer.DoModal(), kIdCancel);  // nothing scripted: abandoned, never hung
  EXPECT_EQ(ui.Problems().size(), 2u);   // the core's report and the driver's
}

class Ticker : public Window {
 public:
  std::vector<std::pair<WParam, std::int64_t>> fired;

 protected:
  void OnTimer(WParam id) override { fired.emplace_back(id, ui_clock().NowMs()); }
};

TEST_F(DialogTest, TimersFireOnTheVirtualClock) {
  Ticker t;
  CreateParams p;
  p.style = kWsPopup;
  ASSERT_TRUE(t.CreateEx(p));
  std::int64_t t0 = ui.clock().NowMs();
  t.SetTimer(1, 100);
  t.SetTimer(2, 250);
  ui.Advance(50);
  t.SetTimer(1, 100);  // setting again starts the interval again
  ui.Advance(250);
  // Timers due at the same time fire in the order they were set.
  struct Want { WParam id; std::int64_t at; } want[] = {{1, 150}, {2, 250}, {1, 250}};
  ASSERT_EQ(t.fired.size(), std::size(want));
  for (std::size_t i = 0; i < std::size(want); ++i) {
    EXPECT_EQ(t.fired[i].first, want[i].id) << i;
    EXPECT_EQ(t.fired[i].second - t0, want[i].at) << i;
  }
  EXPECT_TRUE(t.KillTimer(2));
  EXPECT_FALSE(t.KillTimer(2));
  t.fired.clear();
  ui.Advance(1000);
  EXPECT_EQ(t.fired.size(), 10u);
  t.DestroyWindow();
  EXPECT_EQ(next_timer_due(), -1);
  ui_clock().SleepMs(60000);  // sleeps move the virtual clock
  EXPECT_EQ(ui.clock().NowMs() - t0, 61300);
}

class Form : public Dialog {
 public:
  Form() : Dialog(kFormTemplate) {}
  std::string name = "Rossi";
  int always = 0;
  int day = 1;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    if (dx.mode() == DataExchange::Mode::kLoad) {
      SetDlgItemText(kName, name);
      CheckDlgButton(kCheck, always);
      CheckDlgButton(kRadioA + day, 1);
    } else if (dx.saving()) {
      name = GetDlgItemText(kName);
      always = IsDlgButtonChecked(kCheck);
      for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(kRadioA + i)) day = i;
    }
  }
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    GetDlgItem(kOff)->EnableWindow(false);
    return true;
  }
};

TEST_F(DialogTest, TabOrderSkipsWhatCannotTakeFocusAndWraps) {
  Form f;
  ASSERT_TRUE(f.Create(nullptr));
  f.ShowWindow(kSwShow);
  ASSERT_TRUE(ui.HasFocus(f, kName));
  EXPECT_TRUE(f.IsDlgButtonChecked(kRadioB));
  int forward[] = {kCode, kRadioA, kCheck, kIdOk, kIdCancel, kName};
  for (int id : forward) {
    ui.Key(kVkTab);
    EXPECT_TRUE(ui.HasFocus(f, id)) << id;
  }
  ui.Key(kVkTab, kModShift);
  EXPECT_TRUE(ui.HasFocus(f, kIdCancel));
  // Arrows move inside the radio group and check what they reach.
  f.GetDlgItem(kRadioA)->SetFocus();
  ui.Key(kVkDown);
  ui.Key(kVkDown);
  EXPECT_TRUE(ui.HasFocus(f, kRadioC));
  EXPECT_TRUE(f.IsDlgButtonChecked(kRadioC));
  EXPECT_FALSE(f.IsDlgButtonChecked(kRadioB));
  ui.Key(kVkDown);  // wraps inside the group
  EXPECT_TRUE(ui.HasFocus(f, kRadioA));
  // Space clicks the focused check box.
  f.GetDlgItem(kCheck)->SetFocus();
  ui.Key(kVkSpace);
  EXPECT_TRUE(f.IsDlgButtonChecked(kCheck));
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscCancels) {
  Form f;
  ui.OnNextModal([&](Dialog& d) {
    ui.Key(kVkEnd);  // the focus came with the whole text selected
    ui.Type(d, kName, " Bianchi");
    ui.Click(d, kRadioC);
    ui.Key(kVkReturn);  // from the edit: the default button
  });
  EXPECT_EQ(f.DoModal(), kIdOk);
  EXPECT_EQ(f.name, "Rossi Bianchi");
  EXPECT_EQ(f.day, 2);

  ui.OnNextModal([&](Dialog& d) {
    d.GetDlgItem(kIdOk)->EnableWindow(false);
    ui.Key(kVkReturn);  // a disabled default button only beeps
    EXPECT_TRUE(d.IsWindowVisible());
    ui.Key(kVkEscape);
  });
  ui.ClearBeeps();
  EXPECT_EQ(f.DoModal(), kIdCancel);
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(f.name, "Rossi Bianchi");
}

// A page of the frame: refuses to close while it holds changes; its button
// closes the page from inside its own handler.
class Page : public Dialog {
 public:
  Page() : Dialog(kPageTemplate) {}
  bool dirty = false;
  Button save;  // bound member control

  int DestroyWindow() override {
    if (dirty) return 0;
    return Dialog::DestroyWindow();
  }

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kStart, save); }
  void OnSave() { DestroyWindow(); }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(Page, Dialog)
  KT_ON_COMMAND(kStart, OnSave)
KT_END_MESSAGE_MAP()

TEST_F(DialogTest, PagesRefuseToCloseOrCloseThemselves) {
  Dialog frame(kOwnerTemplate);
  ASSERT_TRUE(frame.Create(nullptr));
  frame.ShowWindow(kSwShow);
  Page page;
  Rect area{10, 40, 300, 180};
  page.SetCreationRect(&area);
  ASSERT_TRUE(page.Create(&frame));
  page.ShowWindow(kSwShow);
  EXPECT_EQ(page.GetParent(), &frame);
  EXPECT_EQ(page.GetRectInParent(), area);
  EXPECT_EQ(page.GetDlgItem(kStart), &page.save);
  page.dirty = true;
  EXPECT_EQ(page.DestroyWindow(), 0);
  EXPECT_TRUE(page.IsWindow());
  page.dirty = false;
  ui.Click(page, kStart);  // destroyed from inside its own handler
  EXPECT_FALSE(page.IsWindow());
  EXPECT_FALSE(page.save.IsWindow());
  ASSERT_TRUE(page.Create(&frame));  // the same objects again
  EXPECT_TRUE(page.save.IsWindow());
  page.DestroyWindow();

  // The same page object run as a captioned modal dialog.
  page.SetCreationRect(nullptr);
  page.SetCreationStyle(kWsChild, kWsCaption | kWsSysMenu);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_EQ(&d, &page);
    EXPECT_EQ(d.GetParent(), nullptr);
    EXPECT_EQ(d.GetStyle() & kWsCaption, kWsCaption);
    d.EndDialog(999);
  });
  EXPECT_EQ(page.DoModal(), 999);
  EXPECT_TRUE(ui.Problems().empty());
}

// Built before main, like the program's page holder.
class Shortcuts : public Dialog {
 public:
  Shortcuts() : Dialog(kOwnerTemplate) { SetAccelerators({{kVkF1 + 4, 0, kStart}, {'S', kModControl, kStart}}); }
  int started = 0;

 protected:
  void OnStart() { ++started; }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(Shortcuts, Dialog)
  KT_ON_COMMAND(kStart, OnStart)
KT_END_MESSAGE_MAP()
Shortcuts g_shortcuts;

TEST_F(DialogTest, GlobalModelessDialogComesAndGoesWithItsAccelerators) {
  g_shortcuts.started = 0;
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(g_shortcuts.Create(nullptr)) << round;
    for (int shown = 0; shown < 2; ++shown) {
      g_shortcuts.ShowWindow(kSwShow);
      ui.Click(g_shortcuts, kList);  // keys go to the list; the dialog's table sees them first
      ui.Key(kVkF1 + 4);
      ui.Key('S', kModControl);
      ui.Key('S');
      g_shortcuts.ShowWindow(kSwHide);
      EXPECT_FALSE(ui.Key(kVkF1 + 4));  // nothing shown takes keys
    }
    g_shortcuts.DestroyWindow();
  }
  EXPECT_EQ(g_shortcuts.started, 12);
}

TEST_F(DialogTest, TemplateLintFindsWhatIsWrong) {
  EXPECT_EQ(lint_all_dialog_templates(), std::vector<std::string>{});
  static const ControlTemplate bad_controls[] = {
      {"Button", 5, "A", 0, 0, 0, 20, 10},
      {"Button", 5, "B", 0, 0, 12, 20, 10},        // id used twice
      {"Static", kStaticId, "", 0, 0, 24, 20, 10},
      {"Static", kStaticId, "", 0, 90, 0, 20, 10},  // outside
      {"Slider", 6, "", 0, 0, 36, 20, 10},          // unknown class
      {"ComboBox", 8, "", kCbsDropDownList, 30, 36, 40, 80},  // its list may open past the edge
      {"ComboBox", 9, "", kCbsSimple, 74, 36, 20, 30},         // outside: a simple one's list is shown
  };
  static const DialogTemplate bad{9999, "x", kWsPopup, 0, 0, 100, 50, bad_controls};
  EXPECT_EQ(lint_dialog_template(bad).size(), 4u);
  const int bound[] = {5, 7};
  EXPECT_EQ(lint_bound_ids(bad, bound).size(), 1u);

  Page page;
  std::vector<int> ids = page.BoundControlIds();
  EXPECT_TRUE(lint_bound_ids(kTemplates[3], ids).empty());
  page.set_template_id(kBoxTemplate);  // a template without the bound button
  EXPECT_EQ(lint_bound_ids(*page.GetTemplate(), ids).size(), 1u);
  ui.AnswerNextModal(kIdOk);
  page.DoModal();
  EXPECT_EQ(ui.Problems().size(), 1u);  // reported when created too
}

// Captions go through the program's translator as they are made, told
// which code object holds the control.
TEST_F(DialogTest, CaptionsAreTranslatedAsMadeKnowingTheirHolder) {
  class Held : public Dialog {
   public:
    Held() : Dialog(kFormTemplate) {}
    Button check;
    void DoDataExchange(DataExchange& dx) override { dx.Control(kCheck, check); }
  };
  set_template_caption_translator([](const ControlTemplate& c, const Window* held) {
    return held ? std::string(c.caption) : "[" + std::string(c.caption) + "]";
  });
  Held form;
  ASSERT_TRUE(form.Create(nullptr));
  set_template_caption_translator(nullptr);
  const std::pair<int, const char*> shown[] = {
      {kRadioA, "[Lun]"}, {kOff, "[Spento]"}, {kIdOk, "[OK]"}, {kCheck, "Sempre"}, {kName, ""}};
  for (const auto& [id, text] : shown) EXPECT_EQ(ui.Text(form, id), text) << id;
  form.DestroyWindow();
}

}  // namespace
}  // namespace kt::ui
