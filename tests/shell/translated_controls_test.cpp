// Self-translating and coloured texts on a page: the title and the static
// and check-box captions translated on the first paint (normalised first),
// again for a window made anew after a change of language; SetWindowTextML
// that leaves its argument alone; statics and check boxes whose colours are
// read back from the display list; the help pane's two blues, schemes,
// coloured texts and translation requests; the hours-and-minutes field.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/edit_hm.h"
#include "shell/help_pane.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using kt_shell_test::LanguageScope;
using kt_shell_test::last_color;

constexpr int kTemplate = 9401;
constexpr int kOpen = 1201, kTrip = 1202, kPlain = 1203, kBalance = 1204, kHelp = 1205, kTime = 1206,
              kUnknown = 1207;

const ControlTemplate kControls[] = {
    {"Static", kOpen, "apri", 0, 5, 5, 60, 10},
    {"Static", kTrip, " In  Gita\nda Ora sino a Ora", 0, 5, 20, 100, 20},
    {"Static", kPlain, "testo", 0, 5, 45, 60, 10},
    {"Button", kBalance, "Bilanciamento per peso didattico", kBsAutoCheckBox | kWsTabStop, 5, 60, 150, 10},
    {"Edit", kHelp, "", kEsMultiLine | kEsReadOnly, 5, 75, 150, 40},
    {"Edit", kTime, "", kWsTabStop, 5, 120, 40, 12},
    {"Static", kUnknown, "Nessuna  riga", 0, 70, 5, 80, 10},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Selezione  Scuola", kWsPopup | kWsCaption, 0, 0, 170, 140, kControls},
};

class Page : public CDialogML {
 public:
  Page() : CDialogML(kTemplate) {}
  CStaticML open;
  CMutoML trip;
  CMuto plain;
  CCheckML balance;
  CSpiegaML help;
  CEditHM time;
  CStaticML unknown;
  int help_notices = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kOpen, open);
    dx.Control(kTrip, trip);
    dx.Control(kPlain, plain);
    dx.Control(kBalance, balance);
    dx.Control(kHelp, help);
    dx.Control(kTime, time);
    dx.Control(kUnknown, unknown);
  }
  LResult OnHelpShown(WParam w, LParam) {
    if (w == 1) ++help_notices;
    return 0;
  }
  KT_DECLARE_MESSAGE_MAP()
};
KT_BEGIN_MESSAGE_MAP(Page, CDialogML)
  KT_ON_MESSAGE(kMsgUser + 5, OnHelpShown)
KT_END_MESSAGE_MAP()

class TranslatedControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { register_dialog_templates(kTemplates); }
  bool Open() {
    if (!page.Create(nullptr)) return false;
    page.ShowWindow(kSwShow);
    return true;
  }
  TestDriver ui;
  Page page;
};

TEST_F(TranslatedControlsTest, FirstPaintTranslatesTitleAndCaptions) {
  LanguageScope language(1);
  ASSERT_TRUE(Open());
  EXPECT_EQ(page.GetWindowText(), "Selezione  Scuola");  // nothing before the first paint
  DisplayList list = ui.Render(page);
  EXPECT_EQ(page.GetWindowText(), "Schule wählen"_cp);
  EXPECT_EQ(list.TextsOf(kOpen), "öffnen"_cp);
  EXPECT_EQ(page.trip.GetWindowText(), " In Ausflug\nseit St.       bis St.");
  EXPECT_EQ(page.balance.GetWindowText(), "Balance durch Pädagogischen Gewicht"_cp);
  EXPECT_EQ(page.plain.GetWindowText(), "testo");            // not a translating control
  EXPECT_EQ(page.unknown.GetWindowText(), "Nessuna riga");   // no row: normalised Italian
}

TEST_F(TranslatedControlsTest, ItalianIsLeftAsTheTemplateWroteIt) {
  ASSERT_TRUE(Open());
  ui.Render(page);
  EXPECT_EQ(page.GetWindowText(), "Selezione  Scuola");
  EXPECT_EQ(page.trip.GetWindowText(), " In  Gita\nda Ora sino a Ora");
  EXPECT_TRUE(page.open.IsTranslated());
  EXPECT_TRUE(page.IsTitleTranslated());
}

TEST_F(TranslatedControlsTest, WindowMadeAgainAfterALanguageChangeIsTranslatedAgain) {
  {
    LanguageScope language(1);
    ASSERT_TRUE(Open());
    ui.Render(page);
    page.SetWindowText("Selezione Scuola");  // a later Italian title is not looked up again
    ui.Render(page);
    EXPECT_EQ(page.GetWindowText(), "Selezione Scuola");
    page.DestroyWindow();
    EXPECT_FALSE(page.IsTitleTranslated());
    EXPECT_FALSE(page.open.IsTranslated());
    EXPECT_FALSE(page.balance.IsTranslated());
  }
  LanguageScope language(2);
  ASSERT_TRUE(Open());
  ui.Render(page);
  EXPECT_EQ(page.GetWindowText(), "School Selection");
  EXPECT_EQ(page.open.GetWindowText(), "explore");
  EXPECT_EQ(page.balance.GetWindowText(), "Balancing through Educational weight");
}

TEST_F(TranslatedControlsTest, SetWindowTextMLTranslatesACopy) {
  LanguageScope language(2);
  ASSERT_TRUE(Open());
  char title[] = "messaggio  di  sistema";
  page.SetWindowTextML(title);
  EXPECT_EQ(page.GetWindowText(), "System message");
  EXPECT_STREQ(title, "messaggio  di  sistema");
  page.SetWindowTextML(nullptr);
  EXPECT_EQ(page.GetWindowText(), "");
}

TEST_F(TranslatedControlsTest, ColoursAreReadFromTheDisplayList) {
  ASSERT_TRUE(Open());
  DisplayList list = ui.Render(page);
  EXPECT_EQ(list.LastFill(kPlain), rgb(255, 255, 255));
  EXPECT_EQ(list.LastFill(kTrip), rgb(229, 240, 245));
  EXPECT_EQ(last_color(list, kTrip, DrawOp::kText), rgb(0, 0, 0));
  EXPECT_EQ(list.LastFill(0), rgb(255, 255, 255));  // the dialog's own background

  page.plain.SetColors(rgb(255, 0, 0), rgb(0, 0, 255));
  list = ui.Render(page);
  EXPECT_EQ(list.LastFill(kPlain), rgb(0, 0, 255));
  EXPECT_EQ(last_color(list, kPlain, DrawOp::kText), rgb(255, 0, 0));
  page.plain.SetColors(kNoColor, kNoColor);  // all bits set keeps both
  page.plain.SetColorValues(kNoColor, rgb(0, 255, 0));  // the brush stays
  list = ui.Render(page);
  EXPECT_EQ(list.LastFill(kPlain), rgb(0, 0, 255));
  EXPECT_EQ(page.plain.BackgroundColor(), rgb(0, 255, 0));

  page.balance.SetColors(rgb(9, 9, 9), rgb(200, 0, 0));
  list = ui.Render(page);
  EXPECT_EQ(list.LastFill(kBalance), rgb(200, 0, 0));
  EXPECT_EQ(last_color(list, kBalance, DrawOp::kText), rgb(9, 9, 9));
  page.balance.SetColors(kNoColor, kNoColor);  // black on white, the brush kept
  list = ui.Render(page);
  EXPECT_EQ(last_color(list, kBalance, DrawOp::kText), rgb(0, 0, 0));
  EXPECT_EQ(page.balance.BackgroundColor(), rgb(255, 255, 255));
  EXPECT_EQ(list.LastFill(kBalance), rgb(200, 0, 0));
}

TEST_F(TranslatedControlsTest, HelpPaneAlternatesBluesAndShowsSchemes) {
  ASSERT_TRUE(Open());
  page.help.SetOwnerWindow(&page);
  const Color blue = rgb(0, 51, 153), dark_blue = rgb(0, 34, 136);
  page.help.SetText("Primo");
  Color first = last_color(ui.Render(page), kHelp, DrawOp::kText);
  EXPECT_TRUE(first == blue || first == dark_blue);
  EXPECT_EQ(last_color(ui.Render(page), kHelp, DrawOp::kText), first);  // steady after the blink
  page.help.SetText("Secondo");
  EXPECT_EQ(last_color(ui.Render(page), kHelp, DrawOp::kText), first == blue ? dark_blue : blue);
  EXPECT_EQ(page.help_notices, 2);

  page.help.SetTextColored("Rosso", rgb(200, 0, 0));
  EXPECT_EQ(last_color(ui.Render(page), kHelp, DrawOp::kText), rgb(200, 0, 0));
  page.help.SetSchemeText(13, "Errore");
  EXPECT_EQ(last_color(ui.Render(page), kHelp, DrawOp::kText), rgb(170, 0, 0));
  page.help.SetSchemeText(2, "Avviso");
  DisplayList list = ui.Render(page);
  const DrawItemOp* text = kt_shell_test::last_op(list, kHelp, DrawOp::kText);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->color, rgb(0, 0, 0));
  EXPECT_EQ(page.help_notices, 3);  // scheme texts tell nobody
}

TEST_F(TranslatedControlsTest, HelpPaneTextsAndTranslationRequests) {
  ASSERT_TRUE(Open());
  const MlText row = {"Spiegazione", "deu", "ENG"};
  {
    LanguageScope language(2);
    page.help.SetTextML(&row);
    EXPECT_EQ(page.help.GetWindowText(), "PLEASE TRANSLATE INTO ENGLISH:\nSpiegazione");
  }
  {
    LanguageScope language(1);
    page.help.SetTextML(&row);
    EXPECT_EQ(page.help.GetWindowText(), "BITTE AUF DEUTSCH UEBERSETZEN:\nSpiegazione");
  }
  page.help.SetTextML(&row);
  EXPECT_EQ(page.help.GetWindowText(), "Spiegazione");
  std::string long_text(2000, 'x');
  page.help.SetText(long_text.c_str());
  EXPECT_EQ(page.help.LastText().size(), 1335u);
}

TEST_F(TranslatedControlsTest, HoursAndMinutes) {
  ASSERT_TRUE(Open());
  struct Case {
    const char* id;
    const char* text;
    int minutes;
  };
  page.time.SetMinutes(125);
  EXPECT_EQ(page.time.GetWindowText(), "2:05");
  const Case cases[] = {
      {"two-digits", "1:45", 105}, {"one-digit-tens", "1:3", 90}, {"seven-refused", "1:7", 90},
      {"no-colon", "3", 180},      {"zero", "0:00", 0},           {"empty-minutes", "4:", 240},
      {"huge", "99999999999999:00", 168 * 60}, {"negative", "-3:00", 0},
  };
  for (const Case& c : cases) {
    page.time.SetWindowText(c.text);
    int minutes = page.time.GetMinutes();
    EXPECT_EQ(minutes, c.minutes) << c.id;
    page.time.SetMinutes(minutes);  // as the field does after each key
  }
  page.time.SetWindowText("");
  page.time.SetSel(0, -1);
  ui.Type(page.time, "1");
  EXPECT_EQ(page.time.GetWindowText(), "1:00");
  EXPECT_EQ(g_edit_hm_last_minutes, 60);
}

}  // namespace
