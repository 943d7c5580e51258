// The other controls on a test page: edit limits and notifications, combo
// and list box choices, owner-drawn buttons and self-coloured statics drawn
// through the device context, pop-up menus with owner-drawn items, the
// progress bar, and text layout in the draw-text formats the pages use.
// The page binds its own control classes where the program's pages would.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/controls/popup_menu.h"
#include "platform/controls/progress_bar.h"
#include "platform/controls/static_control.h"
#include "platform/cp1252.h"
#include "platform/device_context.h"
#include "platform/dialog.h"
#include "platform/test_driver.h"

namespace kt::ui {
namespace {

constexpr int kTemplate = 9201;
constexpr int kName = 4001, kDays = 4002, kTeachers = 4003, kColour = 4004, kPlain = 4005, kNote = 4006, kBar = 4007,
              kUndrawn = 4008;
const ControlTemplate kControls[] = {
    {"Edit", kName, "", kEsAutoHScroll | kWsTabStop, 5, 5, 80, 12},
    {"ComboBox", kDays, "", kCbsDropDownList | kWsTabStop, 5, 20, 80, 60},
    {"ListBox", kTeachers, "", kLbsNotify | kLbsExtendedSel | kWsTabStop, 5, 40, 80, 50},
    {"Button", kColour, "!SALVA", kBsOwnerDraw | kWsTabStop, 100, 5, 60, 14},
    {"Button", kPlain, "Stampa", kBsOwnerDraw | kWsTabStop, 100, 22, 60, 14},
    {"Static", kNote, "Ore totali", 0, 100, 40, 60, 10},
    {"ProgressBar", kBar, "", 0, 100, 55, 60, 8},
    {"Button", kUndrawn, "Chiudi", kBsOwnerDraw | kWsTabStop, 100, 66, 60, 14},
};
const DialogTemplate kTemplates[] = {{kTemplate, "Controlli", kWsPopup | kWsCaption, 0, 0, 170, 100, kControls}};

// A push button that draws itself in one colour (the coloured buttons of the pages).
class SolidButton : public Button {
 public:
  Color face = rgb(122, 183, 42);
  std::uint32_t last_state = 0;

 protected:
  bool DrawItem(DrawItemInfo& info) override {
    last_state = info.state;
    info.dc->FillRect(info.rect.Deflate(1), face);
    info.dc->SetTextColor((info.state & kOdsDisabled) ? rgb(140, 170, 200) : kWindowTextColor);
    info.dc->DrawText(GetWindowText().substr(1), info.rect, 21);
    return true;
  }
};

// A static that answers its own colour request (crimson on white).
class CrimsonText : public StaticText {
 protected:
  Color CtlColor(DeviceContext& dc, CtlType) override {
    dc.SetTextColor(rgb(165, 0, 33));
    dc.SetBkColor(kWindowColor);
    return kWindowColor;
  }
};

class Page : public Dialog {
 public:
  Page() : Dialog(kTemplate) {}
  SolidButton colour;
  CrimsonText note;
  std::vector<std::string> log;
  int plain_draws = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kColour, colour);
    dx.Control(kNote, note);
  }
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    static_cast<Edit*>(GetDlgItem(kName))->SetLimitText(5);
    auto* days = static_cast<ComboBox*>(GetDlgItem(kDays));
    for (const char* d : {"Lunedì"_cp, "Martedì"_cp, "Mercoledì"_cp}) days->AddString(d);
    auto* teachers = static_cast<ListBox*>(GetDlgItem(kTeachers));
    for (const char* t : {"Rossi", "Bianchi", "Verdi", "Neri"}) teachers->AddString(t);
    log.clear();
    return true;
  }
  void OnDrawItem(int id, DrawItemInfo& info) override {
    if (id != kPlain) return;
    ++plain_draws;
    info.dc->FillRect(info.rect, rgb(244, 244, 244));
  }
  void OnNameChange() { log.push_back("change"); }
  void OnNameFull() { log.push_back("full"); }
  void OnDrop() { log.push_back("dropdown"); }
  void OnCloseUp() { log.push_back("closeup"); }
  void OnEndOk() { log.push_back("selendok"); }
  void OnSelChange() { log.push_back("selchange"); }
  void OnTeachers() { log.push_back("lbn"); }
  void OnMenu(int index) { log.push_back("menu " + std::to_string(index)); }
  KT_DECLARE_MESSAGE_MAP()
};

KT_BEGIN_MESSAGE_MAP(Page, Dialog)
  KT_ON_CONTROL(kEnChange, kName, OnNameChange)
  KT_ON_CONTROL(kEnMaxText, kName, OnNameFull)
  KT_ON_CONTROL(kCbnDropDown, kDays, OnDrop)
  KT_ON_CONTROL(kCbnCloseUp, kDays, OnCloseUp)
  KT_ON_CONTROL(kCbnSelEndOk, kDays, OnEndOk)
  KT_ON_CONTROL(kCbnSelChange, kDays, OnSelChange)
  KT_ON_CONTROL(kLbnSelChange, kTeachers, OnTeachers)
  KT_ON_COMMAND_RANGE(0x763E522, 0x763E543, OnMenu)
KT_END_MESSAGE_MAP()

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kTemplates);
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
  }
  TestDriver ui;
  Page page;
};

TEST_F(ControlsTest, EditKeepsItsLimitAndTellsEveryChange) {
  ui.Type(page, kName, "abcdefg");
  EXPECT_EQ(ui.Text(page, kName), "abcde");
  EXPECT_EQ(ui.beeps(), 2);
  EXPECT_EQ(std::count(page.log.begin(), page.log.end(), "change"), 5);
  EXPECT_EQ(std::count(page.log.begin(), page.log.end(), "full"), 2);
  ui.Type(page, kName, "\b");
  ui.Key(kVkHome);
  ui.Key(kVkDelete);
  EXPECT_EQ(ui.Text(page, kName), "bcd");
  ui.Key('A', kModControl);
  ui.Key('C', kModControl);
  EXPECT_EQ(ui.headless().GetClipboardText(), "bcd");
  ui.Key(kVkEnd);
  ui.Key('V', kModControl);  // only two more fit
  EXPECT_EQ(ui.Text(page, kName), "bcdbc");
}

TEST_F(ControlsTest, MultiLineFieldMovesByLinesAndScrolls) {
  Edit notes;
  CreateParams p;
  p.class_name = "Edit";
  p.style = kEsMultiLine | kEsWantReturn | kEsAutoHScroll | kWsVisible | kWsChild;
  p.rect = {0, 100, 120, 130};
  p.parent = &page;
  p.id = 99;
  ASSERT_TRUE(notes.CreateEx(p));
  notes.SetWindowText("riga uno\r\ndue\r\nriga tre\r\nquattro");
  notes.SetFocus();
  notes.SetSel(6, 6);  // in "uno"
  ui.Key(kVkDown);
  int start = 0, end = 0;
  notes.GetSel(start, end);
  EXPECT_EQ(end, 13);  // the end of "due", the shorter line
  ui.Key(kVkDown);
  ui.Key(kVkDown);
  notes.GetSel(start, end);
  EXPECT_EQ(end, 28);  // "quattro", column 3
  EXPECT_EQ(notes.GetFirstVisibleLine(), 2);  // two lines fit in 30 pixels
  ui.Key(kVkUp);
  notes.GetSel(start, end);
  EXPECT_EQ(end, 18);
  DisplayList list = ui.Render(page);
  EXPECT_EQ(list.TextsOf(99), "riga tre|quattro");
  notes.LineScroll(-5);
  EXPECT_EQ(ui.Render(page).TextsOf(99), "riga uno|due");
  // The wheel scrolls a multi-line field three lines a notch, no further
  // than its last lines; a one-line field it leaves alone.
  notes.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  EXPECT_EQ(notes.GetFirstVisibleLine(), 2);
  notes.SendMessage(kMsgMouseWheel, WParam(120) << 16, 0);
  EXPECT_EQ(notes.GetFirstVisibleLine(), 0);
  Edit name;
  p.style = kEsAutoHScroll | kWsVisible | kWsChild;
  p.id = 98;
  ASSERT_TRUE(name.CreateEx(p));
  name.SetWindowText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
  name.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  EXPECT_EQ(name.GetFirstVisibleLine(), 0);
  notes.SetWindowText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");
  notes.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-120)) << 16, 0);
  EXPECT_EQ(notes.GetFirstVisibleLine(), 3);
  notes.SendMessage(kMsgMouseWheel, WParam(std::uint16_t(-240)) << 16, 0);
  EXPECT_EQ(notes.GetFirstVisibleLine(), 8);
  notes.SetWindowText("riga uno\r\ndue\r\nriga tre\r\nquattro");
  // A read-only field refuses typing with a beep and keeps its text.
  notes.SetReadOnly(true);
  ui.ClearBeeps();
  ui.Type(notes, "x");
  EXPECT_EQ(ui.beeps(), 1);
  EXPECT_EQ(notes.GetWindowText(), "riga uno\r\ndue\r\nriga tre\r\nquattro");
  EXPECT_EQ(notes.GetLineCount(), 4);
  notes.SetReadOnly(false);
  notes.SetSel(0, 0);
  ui.Type(notes, "x");
  EXPECT_EQ(notes.GetWindowText().substr(0, 5), "xriga");
}

// A log (the progress boxes): it follows its newest line until the user
// scrolls up, then keeps the lines read in place, also when the oldest lines
// go from its top, until they are gone; the bar shows while lines overflow.
TEST_F(ControlsTest, ALogFollowsItsEndUntilTheUserScrollsUp) {
  Edit log;
  CreateParams p;
  p.class_name = "Edit";
  p.style = kEsMultiLine | kEsReadOnly | kWsVScroll | kWsVisible | kWsChild;
  p.rect = {0, 100, 200, 130};  // two lines fit
  p.parent = &page;
  p.id = 98;
  ASSERT_TRUE(log.CreateEx(p));
  auto lines = [](int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) text += "riga " + std::to_string(i) + "\r\n";
    return text;
  };
  auto drawn = [&] { return ui.Render(page).TextsOf(98); };
  log.SetLogText(lines(1, 1));
  EXPECT_EQ(log.ScrollBarRect().Width(), 0) << "everything fits";
  struct Step {
    const char* id;
    int from, to;     // the log's lines
    int scroll;       // the user's scroll before the text changes
    const char* top;  // the first line drawn after it
  };
  const Step steps[] = {
      {"follows", 1, 6, 0, "riga 6"},           // the newest line above the empty one after it
      {"read-stays", 1, 9, -3, "riga 3"},       // scrolled up to 3, three lines come
      {"oldest-go", 3, 10, 0, "riga 3"},        // two lines go from the top: 3 stays on top
      {"read-gone", 6, 11, 0, "riga 6"},        // line 3 is gone: the top
      {"back-at-end", 6, 12, 20, "riga 12"},    // scrolled to the end: followed again
  };
  for (const Step& s : steps) {
    log.LineScroll(s.scroll);
    log.SetLogText(lines(s.from, s.to));
    EXPECT_EQ(drawn().substr(0, drawn().find('|')), s.top) << s.id;
    EXPECT_GT(log.ScrollBarRect().Width(), 0) << s.id;
  }
  // A click on the bar's up arrow scrolls one line, the caret stays.
  int first = log.GetFirstVisibleLine(), start = 0, end = 0;
  Rect bar = log.ScrollBarRect();
  ASSERT_TRUE(ui.ClickAt(log, Point{bar.left + 4, bar.top + 3}));
  EXPECT_EQ(log.GetFirstVisibleLine(), first - 1);
  log.GetSel(start, end);
  EXPECT_EQ(end, log.GetWindowTextLength());
}

TEST_F(ControlsTest, ComboChoicesNotifyInOrderCodeChangesDoNot) {
  ui.Select(page, kDays, "Martedì"_cp);
  EXPECT_EQ(page.log, (std::vector<std::string>{"dropdown", "closeup", "selendok", "selchange"}));
  auto* days = static_cast<ComboBox*>(page.GetDlgItem(kDays));
  EXPECT_EQ(days->GetCurSel(), 1);
  EXPECT_EQ(days->GetWindowText(), "Marted\xEC");
  EXPECT_FALSE(days->GetDroppedState());
  page.log.clear();
  ui.Key(kVkDown);
  EXPECT_EQ(days->GetCurSel(), 2);
  EXPECT_EQ(page.log, std::vector<std::string>{"selchange"});
  days->SetCurSel(0);
  EXPECT_EQ(page.log.size(), 1u);
  days->ShowDropDown(true);  // opened from code, as pages do
  EXPECT_TRUE(days->GetDroppedState());
  // The open list is a pop-up of its own just below the field, so no
  // neighbouring control can cover it; a click outside only closes it.
  Window* open = days->DropDownWindow();
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->GetParent(), nullptr);
  EXPECT_EQ(open->GetWindowRect().top, days->GetWindowRect().bottom);
  DisplayList drawn = ui.Render(*open);
  const DrawItemOp* row = drawn.CellText(0, 2, 0);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text, "Mercoled\xEC");
  page.log.clear();
  ui.ClickAt(page, {1, 1});
  EXPECT_FALSE(days->GetDroppedState());
  EXPECT_EQ(days->DropDownWindow(), nullptr);
  EXPECT_EQ(page.log, std::vector<std::string>{"closeup"});
  // Typing picks the row that starts with what was typed within a pause.
  days->SetFocus();
  ui.Type(*days, "me");
  EXPECT_EQ(days->GetCurSel(), 2);
  ui.Advance(2000);
  ui.Type(*days, "l");
  EXPECT_EQ(days->GetCurSel(), 0);
}

// A click on a row of the open list chooses it and closes the list; the
// field of a list-only combo is white, grey when disabled, whatever the
// dialog's own colours.
TEST_F(ControlsTest, ComboListRowClickChoosesAndTheFieldIsWhite) {
  auto* days = static_cast<ComboBox*>(page.GetDlgItem(kDays));
  days->ShowDropDown(true);
  Window* open = days->DropDownWindow();
  ASSERT_NE(open, nullptr);
  DisplayList drawn = ui.Render(*open);
  const DrawItemOp* row = drawn.CellText(0, 1, 0);
  ASSERT_NE(row, nullptr);
  page.log.clear();
  ui.ClickAt(*open, row->rect.Center());
  EXPECT_EQ(days->GetCurSel(), 1);
  EXPECT_FALSE(days->GetDroppedState());
  EXPECT_EQ(page.log, (std::vector<std::string>{"closeup", "selendok", "selchange"}));
  for (bool enabled : {true, false}) {
    days->EnableWindow(enabled);
    DisplayList look = ui.Render(page);
    const DrawItemOp* field = nullptr;
    for (const DrawItemOp* op : look.ForControl(kDays))
      if (op->op == DrawOp::kFill && !field) field = op;
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->color, enabled ? kWindowColor : kButtonFaceColor) << enabled;
  }
}

TEST_F(ControlsTest, ListBoxExtendedSelection) {
  auto* list = static_cast<ListBox*>(page.GetDlgItem(kTeachers));
  ui.Select(page, kTeachers, 0);
  ui.Select(page, kTeachers, 2, kModShift);
  ui.Select(page, kTeachers, 1, kModControl);
  EXPECT_EQ(std::vector<int>({list->GetSel(0), list->GetSel(1), list->GetSel(2)}), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(std::count(page.log.begin(), page.log.end(), "lbn"), 3);
  EXPECT_EQ(list->FindStringExact(-1, "verdi"), 2);
  ui.Type(*list, "v");  // typing selects the row it names
  EXPECT_EQ(std::vector<int>({list->GetSel(0), list->GetSel(1), list->GetSel(2)}), (std::vector<int>{0, 0, 1}));
  EXPECT_EQ(list->DeleteString(0), 3);
  EXPECT_EQ(std::vector<int>({list->GetSel(0), list->GetSel(1)}), (std::vector<int>{0, 1}));
}

TEST_F(ControlsTest, OwnerDrawnButtonsDrawThroughTheDeviceContext) {
  DisplayList list = ui.Render(page);
  // An owner-drawn button that nobody draws still shows as a button.
  EXPECT_EQ(list.TextsOf(kUndrawn), "Chiudi");
  EXPECT_EQ(list.LastFill(kColour), rgb(122, 183, 42));
  EXPECT_EQ(list.TextsOf(kColour), "SALVA");
  EXPECT_EQ(list.LastFill(kPlain), rgb(244, 244, 244));
  EXPECT_EQ(page.plain_draws, 1);
  page.colour.EnableWindow(false);
  list = ui.Render(page);
  EXPECT_TRUE(page.colour.last_state & kOdsDisabled);
  EXPECT_EQ(list.ForControl(kColour).back()->color, rgb(140, 170, 200));
  ui.ClearBeeps();
  EXPECT_FALSE(ui.Click(page, kColour));  // a disabled button takes no click
  // The static answered its own colours before the dialog could.
  const DrawItemOp* note = list.ForControl(kNote).back();
  EXPECT_EQ(note->text, "Ore totali");
  EXPECT_EQ(note->color, rgb(165, 0, 33));
}

// The state an owner-drawn button draws with: nothing marked at rest, pushed
// while the mouse holds it down, focused once it has the focus.
TEST_F(ControlsTest, OwnerDrawnButtonStateFollowsMouseAndFocus) {
  page.GetDlgItem(kName)->SetFocus();
  ui.Render(page);
  EXPECT_EQ(page.colour.last_state, 0u);
  page.colour.SendMessage(kMsgLButtonDown, 0, 0);
  ui.Render(page);
  EXPECT_TRUE(page.colour.last_state & kOdsSelected);
  page.colour.SendMessage(kMsgLButtonUp, 0, 0);
  page.colour.SetFocus();
  ui.Render(page);
  EXPECT_EQ(page.colour.last_state, kOdsFocus);
}

// A title menu: its first item is an owner-drawn title bar it draws itself.
class TitleMenu : public PopupMenu {
 public:
  int measured = 0, drawn = 0;
  bool MeasureItem(MeasureItemInfo& info) override {
    ++measured;
    info.height = 20;
    return true;
  }
  bool DrawItem(DrawItemInfo& info) override {
    ++drawn;
    info.dc->GradientFill(info.rect, rgb(0, 84, 227), rgb(61, 149, 255), false);
    return true;
  }
};

TEST_F(ControlsTest, PopupMenusReturnOrSendTheChosenCommand) {
  TitleMenu menu;
  menu.AppendMenu(kMfOwnerDraw | kMfGrayed, 0xFFFE, "Configurazione");
  menu.AppendMenu(kMfString, 0x763E526, "Indirizzi di Studio", "IKOP_1");
  menu.AppendMenu(kMfSeparator);
  menu.AppendMenu(kMfString | kMfGrayed, 0x763E527, "Sedi");
  ui.ChooseNextMenuItem(0x763E526);
  EXPECT_TRUE(menu.TrackPopupMenu(kTpmLeftAlign, 40, 40, &page));
  ui.Pump();
  EXPECT_EQ(page.log, std::vector<std::string>{"menu 4"});
  EXPECT_EQ(menu.measured, 1);

  ui.ChooseNextMenuItem(0x763E527);  // grayed: cannot be chosen
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 40, 40, &page), 0);
  EXPECT_EQ(ui.Problems().size(), 1u);
  ui.ChooseNextMenuItem("Indirizzi di Studio");
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 40, 40, &page), 0x763E526);

  // While the menu is up it is a window of its own, drawn like any other.
  ui.OnNextModal([](Dialog&) {});  // never used: menus take menu steps
  ui.CancelNextMenu();
  EXPECT_FALSE(menu.TrackPopupMenu(0, 40, 40, &page));
  ui.Problems();
}

// Once a menu has closed, chosen or cancelled, nothing tracks it any more:
// the mouse and the keys reach the page again.
TEST_F(ControlsTest, AClosedMenuLeavesTheMouseToThePage) {
  PopupMenu menu;
  menu.AppendMenu(kMfString, 0x763E526, "Indirizzi di Studio");
  ui.ChooseNextMenuItem(0x763E526);
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 40, 40, &page), 0x763E526);
  EXPECT_EQ(PopupMenu::Tracking(), nullptr);
  ui.CancelNextMenu();
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 40, 40, &page), 0);
  EXPECT_EQ(PopupMenu::Tracking(), nullptr);
  page.log.clear();
  ASSERT_TRUE(ui.Click(page, kTeachers));
  EXPECT_EQ(page.log, std::vector<std::string>{"lbn"});
}

// A menu whose owner went while it was up: the choice goes to no one.
TEST_F(ControlsTest, AMenuWhoseOwnerWentSendsNothing) {
  auto owner = std::make_unique<Page>();
  ASSERT_TRUE(owner->Create(nullptr));
  PopupMenu menu;
  menu.AppendMenu(kMfString, 0x763E526, "Indirizzi di Studio");
  ui.OnNextMenu([&](PopupMenu& shown) {
    owner->DestroyWindow();
    shown.Choose(0x763E526);
  });
  EXPECT_TRUE(menu.TrackPopupMenu(kTpmLeftAlign, 40, 40, owner.get()));
  ui.Pump();
  EXPECT_EQ(page.log, std::vector<std::string>{});
  ui.Problems();
}

// A menu as the mouse sees it: rows 19 pixels high and separators 8 under
// a two-pixel edge, the row under the mouse lit, icons and check marks in
// the left room, grey text for what cannot be chosen, and a release on a
// row choosing it, on a separator or a grey row nothing.
TEST_F(ControlsTest, MenusFollowTheMouseAndShowWhatCanBeChosen) {
  PopupMenu menu;
  menu.AppendMenu(kMfString, 0x763E526, "Indirizzi di Studio", "IKOP_1");
  menu.AppendMenu(kMfSeparator);
  menu.AppendMenu(kMfString | kMfChecked, 0x763E527, "Sedi");
  menu.AppendMenu(kMfString | kMfGrayed, 0x763E528, "Materie");
  menu.AppendMenu(kMfString | kMfDisabled, 0x763E529, "Aule");
  std::vector<std::string> seen;
  ui.OnNextMenu([&](PopupMenu& shown) {
    Window& w = *shown.MenuWindow();
    Point sedi{30, 2 + 19 + 8 + 9}, materie{30, 2 + 19 + 8 + 19 + 9}, aule{30, 2 + 19 + 8 + 2 * 19 + 9},
        separator{30, 2 + 19 + 4};
    w.SendMessage(kMsgMouseMove, 0, make_point_param(sedi));
    DisplayList look = ui.Render(w);
    for (const DrawItemOp& op : look.ops()) {
      if (op.op == DrawOp::kFill && op.item == 2)
        seen.push_back("lit " + color_name(op.color) + " " + std::to_string(op.rect.top) + "-" +
                       std::to_string(op.rect.bottom));
      if (op.op == DrawOp::kText) seen.push_back(op.text + " " + color_name(op.color));
      if (op.op == DrawOp::kIcon) seen.push_back("icon " + op.text + " row " + std::to_string(op.item));
      if (op.op == DrawOp::kCheckMark) seen.push_back("check row " + std::to_string(op.item));
      if (op.op == DrawOp::kLine && op.item == 1) seen.push_back("separator");
    }
    EXPECT_EQ(w.GetWindowRect().Height(), 2 + 19 + 8 + 3 * 19 + 2);
    w.SendMessage(kMsgLButtonUp, 0, make_point_param(separator));
    w.SendMessage(kMsgLButtonUp, 0, make_point_param(materie));
    w.SendMessage(kMsgLButtonUp, 0, make_point_param(aule));
    EXPECT_EQ(PopupMenu::Tracking(), &shown);
    w.SendMessage(kMsgLButtonUp, 0, make_point_param(sedi));
  });
  EXPECT_EQ(menu.TrackPopupMenu(kTpmReturnCmd, 40, 40, &page), 0x763E527);
  EXPECT_EQ(seen, (std::vector<std::string>{"icon IKOP_1 row 0", "Indirizzi di Studio " + color_name(kWindowTextColor),
                                            "separator", "lit " + color_name(kHighlightColor) + " 29-48", "check row 2",
                                            "Sedi " + color_name(kHighlightTextColor),
                                            "Materie " + color_name(kGrayTextColor),
                                            "Aule " + color_name(kGrayTextColor)}));
  ui.Problems();
}

TEST_F(ControlsTest, ProgressBarStaysInItsRange) {
  auto* bar = static_cast<ProgressBar*>(page.GetDlgItem(kBar));
  bar->SetRange(0, 40);
  EXPECT_EQ(bar->SetPos(50), 0);
  EXPECT_EQ(bar->GetPos(), 40);
  bar->OffsetPos(-20);
  EXPECT_EQ(bar->GetPos(), 20);
  DisplayList list = ui.Render(page);
  EXPECT_EQ(list.ForControl(kBar).back()->rect.Width(), 88 * 20 / 40);
}

TEST(DrawText, FormatsBreakAndAlignLines) {
  DisplayList out;
  HeadlessMetrics m;
  DeviceContext dc(out, m, {0, 0}, {0, 0, 200, 200}, {}, 0);
  Rect r{0, 0, 60, 60};
  struct Case { const char* id; const char* text; std::uint32_t format; int lines; int first_x; } cases[] = {
      {"wrap-centre", "Ore di servizio", 21, 2, 13},           // "Ore di" (33 px) centred in 60
      {"single", "Ore di servizio", kDtSingleLine, 1, 0},
      {"right", "abc", kDtRight | kDtSingleLine, 1, 42},
      {"breaks", "a\r\nb\nc", kDtLeft, 3, 0},
      {"prefix", "&Salva", kDtSingleLine, 1, 0},
  };
  for (const Case& c : cases) {
    out.Clear();
    EXPECT_EQ(dc.DrawText(c.text, r, c.format), c.lines * 13) << c.id;
    ASSERT_EQ(int(out.size()), c.lines) << c.id;
    EXPECT_EQ(out.ops()[0].rect.left, c.first_x) << c.id;
  }
  EXPECT_EQ(out.ops()[0].text, "Salva");
  Rect calc{0, 0, 60, 0};
  dc.DrawText("Ore di servizio", calc, kDtWordBreak | kDtCalcRect);
  EXPECT_EQ(calc.bottom, 26);
}

}  // namespace
}  // namespace kt::ui
