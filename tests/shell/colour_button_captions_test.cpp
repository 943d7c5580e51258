// A coloured button's caption as a page shows it: a caption taken from the
// window text is translated on the first paint, and again for the window
// made anew (after a change of language, or in the same language when the
// page is left and opened again); a caption the program set itself stays
// what it set, whatever the language and however often the window is made.
#include <gtest/gtest.h>

#include <string>

#include "platform/test_driver.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using kt_shell_test::LanguageScope;

constexpr int kTemplate = 9431;
constexpr int kFromText = 1301, kSet = 1302;

const ControlTemplate kControls[] = {
    {"Button", kFromText, "Configurazione", kBsPushButton | kWsTabStop, 5, 5, 80, 14},
    {"Button", kSet, "Elaborazione", kBsPushButton | kWsTabStop, 5, 25, 80, 14},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Pagina", kWsPopup | kWsCaption, 0, 0, 120, 60, kControls},
};

class Page : public CDialogML {
 public:
  Page() : CDialogML(kTemplate) {}
  CColorButton from_text;
  CColorButton set;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kFromText, from_text);
    dx.Control(kSet, set);
  }
};

class ColourButtonCaptions : public ::testing::Test {
 protected:
  void SetUp() override { register_dialog_templates(kTemplates); }
  void TearDown() override {
    if (page.IsWindow()) page.DestroyWindow();
  }
  // Makes the page's window, the set caption given after creation as the
  // pages do; then what each button draws on the first paint.
  std::pair<std::string, std::string> OpenAndDraw(const char* set_caption) {
    if (!page.Create(nullptr)) return {"<no window>", ""};
    page.ShowWindow(kSwShow);
    if (set_caption) page.set.SetCaption(set_caption);
    DisplayList list = ui.Render(page);
    return {list.TextsOf(kFromText), list.TextsOf(kSet)};
  }
  TestDriver ui;
  Page page;
};

TEST_F(ColourButtonCaptions, TheWindowTextIsTranslatedForEachWindowMade) {
  const struct {
    int language;
    const char* shown;
  } opened[] = {
      {2, "Configuration"}, {2, "Configuration"}, {1, "Konfiguration"}, {0, "Configurazione"}, {2, "Configuration"},
  };
  for (const auto& o : opened) {
    LanguageScope language(o.language);
    auto drawn = OpenAndDraw(nullptr);
    EXPECT_EQ(drawn.first, o.shown) << "language " << o.language;
    EXPECT_EQ(page.from_text.Caption(), o.shown);
    page.DestroyWindow();
  }
}

TEST_F(ColourButtonCaptions, ACaptionSetByTheProgramOutlivesItsWindow) {
  {
    LanguageScope language(2);
    auto drawn = OpenAndDraw("Calcola 3");
    EXPECT_EQ(drawn.second, "Calcola 3");
    page.DestroyWindow();
  }
  LanguageScope language(1);
  auto drawn = OpenAndDraw(nullptr);
  EXPECT_EQ(drawn.first, "Konfiguration");
  EXPECT_EQ(drawn.second, "Calcola 3");  // kept as set, not looked up
  EXPECT_TRUE(page.set.HasCaption());
}

// A change of language with the window kept: the translated caption is
// looked up again on the next paint, the set one left as it is.
TEST_F(ColourButtonCaptions, RetranslatingFollowsTheLanguageOnlyForTakenCaptions) {
  LanguageScope italian(0);
  auto drawn = OpenAndDraw("Calcola");
  EXPECT_EQ(drawn.first, "Configurazione");
  LanguageScope english(2);
  page.from_text.Retranslate();
  page.set.Retranslate();
  DisplayList list = ui.Render(page);
  EXPECT_EQ(list.TextsOf(kFromText), "Configuration");
  EXPECT_EQ(list.TextsOf(kSet), "Calcola");
}

}  // namespace
