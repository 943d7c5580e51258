// Self-translating texts on a page: the title and the static and check-box
// captions translated on the first paint (normalised first), and again for
// a window made anew after a change of language.
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using kt_shell_test::LanguageScope;

constexpr int kTemplate = 9401;
constexpr int kOpen = 1201, kTrip = 1202, kPlain = 1203, kBalance = 1204, kUnknown = 1207;

const ControlTemplate kControls[] = {
    {"Static", kOpen, "apri", 0, 5, 5, 60, 10},
    {"Static", kTrip, " In  Gita\nda Ora sino a Ora", 0, 5, 20, 100, 20},
    {"Static", kPlain, "testo", 0, 5, 45, 60, 10},
    {"Button", kBalance, "Bilanciamento per peso didattico", kBsAutoCheckBox | kWsTabStop, 5, 60, 150, 10},
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
  CStaticML unknown;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kOpen, open);
    dx.Control(kTrip, trip);
    dx.Control(kPlain, plain);
    dx.Control(kBalance, balance);
    dx.Control(kUnknown, unknown);
  }
};

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

}  // namespace
