// Colour states of the coloured button as a table (state, caption, palette
// -> face, text, frame, caption shown), the generated colours of states
// 1001 and above worked out step by step, and the buttons drawn: the main
// command's colours, a translated caption with its marks, the disabled
// checkerboard, the focus frame, and a caption that stays as it was set
// however often the button is painted.
#include <gtest/gtest.h>

#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"
#include "shell/plain_buttons.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using kt_shell_test::LanguageScope;
using kt_shell_test::last_color;
using kt_shell_test::last_op;

constexpr Color kBlack = rgb(0, 0, 0), kWhite = rgb(255, 255, 255);
constexpr Color kPrevBack = rgb(1, 2, 3), kPrevText = rgb(4, 5, 6);

struct LookCase {
  const char* id;
  int state;
  const char* caption;
  bool provisional;
  Color background, text, frame;
  const char* shown;
};

TEST(ColorButtonLook, States) {
  const LookCase cases[] = {
      {"main", 0, "!SALVA", false, rgb(198, 198, 198), rgb(0, 85, 221), kNoColor, "SALVA"},
      {"main-prov", 0, "!SALVA", true, rgb(198, 202, 151), kBlack, kNoColor, "SALVA"},
      {"plain", 0, "Apri", false, rgb(244, 244, 244), rgb(52, 52, 52), kNoColor, "Apri"},
      {"plain-prov", 0, "Apri", true, rgb(223, 228, 159), kBlack, kNoColor, "Apri"},
      {"empty", 0, "", false, rgb(244, 244, 244), rgb(52, 52, 52), kNoColor, ""},
      {"hash", 0, "#Stampa", false, rgb(215, 215, 215), rgb(35, 35, 35), kNoColor, "Stampa"},
      {"hash-prov", 0, "#Stampa", true, rgb(198, 202, 151), kBlack, kNoColor, "Stampa"},
      {"at", 0, "@Elimina", false, rgb(239, 199, 39), rgb(153, 51, 0), kNoColor, "Elimina"},
      {"hash-at", 0, "#@Elimina", false, rgb(239, 199, 39), rgb(153, 51, 0), kNoColor, "Elimina"},
      {"at-hash", 0, "@#Voce", false, rgb(223, 228, 159), kBlack, kNoColor, "Voce"},
      {"hash-hash", 0, "##Voce", false, rgb(223, 228, 159), kBlack, kNoColor, "Voce"},
      {"at-at", 0, "@@Voce", false, rgb(198, 202, 151), kBlack, kNoColor, "Voce"},
      {"help", 0, "??Aiuto", false, rgb(244, 244, 244), rgb(64, 64, 64), rgb(159, 204, 250), "? Aiuto"},
      {"help-at", 0, "@?Aiuto", false, rgb(244, 244, 244), rgb(64, 64, 64), rgb(159, 204, 250), "? Aiuto"},
      {"red", 1, "!SALVA", false, rgb(225, 0, 0), kWhite, kNoColor, "SALVA"},
      {"white", 7, "#@x", false, kWhite, kBlack, kNoColor, "x"},
      {"keep-text", 11, "x", false, kWhite, kPrevText, kNoColor, "x"},
      {"unknown", 77, "x", false, kPrevBack, kPrevText, kNoColor, "x"},
      {"shared", 9, "x", false, rgb(223, 228, 159), rgb(223, 228, 159), kNoColor, "x"},
      {"solid", 103, "?x", false, rgb(0, 51, 153), rgb(0, 51, 153), rgb(0, 51, 153), "x"},
      {"gen-1001", 1001, "", false, rgb(23, 23, 23), kWhite, kNoColor, ""},
      {"gen-1002", 1002, "", false, rgb(46, 23, 23), kWhite, kNoColor, ""},
      {"gen-1003", 1003, "", false, rgb(46, 46, 23), kWhite, kNoColor, ""},
      // Third step: blue reaches 46 like the others and takes 23 more.
      {"gen-1004", 1004, "", false, rgb(46, 46, 69), kWhite, kNoColor, ""},
      // Steps 4-6: red 69; green 69 equals both, so 92; blue 92.
      {"gen-1007", 1007, "", false, rgb(69, 92, 92), kWhite, kNoColor, ""},
  };
  for (const LookCase& c : cases) {
    ColorButtonLook look = color_button_look(c.state, c.caption, c.provisional, kPrevBack, kPrevText);
    EXPECT_EQ(look.background, c.background) << c.id;
    EXPECT_EQ(look.text, c.text) << c.id;
    EXPECT_EQ(look.frame, c.frame) << c.id;
    EXPECT_EQ(look.caption, c.shown) << c.id;
  }
}

TEST(ColorButtonLook, GeneratedTextIsWhiteWhereTheFaceIsDark) {
  EXPECT_EQ(color_button_generated_text(rgb(200, 50, 128)), rgb(0, 255, 0));
  EXPECT_EQ(color_button_generated_text(rgb(127, 128, 0)), rgb(255, 0, 255));
  // Nine steps: (46,23,23) (46,46,23) (46,46,69) (69,46,69) (69,92,69)
  // (69,92,92) (115,92,92) (115,115,92) (115,115,138).
  Color c = color_button_generated(1010);
  EXPECT_EQ(c, rgb(115, 115, 138));
  EXPECT_EQ(color_button_generated_text(c), rgb(255, 255, 0));
}

constexpr int kTemplate = 9301;
constexpr int kMain = 1101, kConfig = 1102, kGen2 = 1103, kGen3 = 1104, kHelp = 1105, kPlain = 1106, kIcon = 1107, kFace = 1108;
constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Button", kMain, "!SALVA", kOwner, 5, 5, 60, 14},
    {"Button", kConfig, "Configurazione", kOwner, 70, 5, 60, 14},
    {"Button", kGen2, "", kOwner, 5, 25, 20, 14},
    {"Button", kGen3, "", kOwner, 30, 25, 20, 14},
    {"Button", kHelp, "", kOwner, 55, 25, 60, 14},
    {"Button", kPlain, "Configurazione", kBsPushButton | kWsTabStop, 5, 45, 80, 20},  // drawn all the same
    {"Button", kIcon, "", kBsPushButton, 90, 25, 20, 20},
    {"Button", kFace, "", kBsPushButton, 90, 50, 20, 14},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Pulsanti", kWsPopup | kWsCaption, 0, 0, 140, 70, kControls},
};

class ButtonsDialog : public CDialogML {
 public:
  ButtonsDialog() : CDialogML(kTemplate) {}
  CColorButton main, config, gen2, gen3, help;
  MLButton plain;
  CBigIcon icon;
  CColorBitmap face;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Control(kMain, main);
    dx.Control(kConfig, config);
    dx.Control(kGen2, gen2);
    dx.Control(kGen3, gen3);
    dx.Control(kHelp, help);
    dx.Control(kPlain, plain);
    dx.Control(kIcon, icon);
    dx.Control(kFace, face);
  }
};

class ColorButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { register_dialog_templates(kTemplates); }
  void TearDown() override { g_provisional_mode = 0; }
  bool Open() {
    if (!dialog.Create(nullptr)) return false;
    dialog.ShowWindow(kSwShow);
    return true;
  }
  TestDriver ui;
  ButtonsDialog dialog;
};

TEST_F(ColorButtonTest, MainCommandShowsItsTranslatedCaptionOnItsColours) {
  LanguageScope language(1);
  ASSERT_TRUE(Open());
  DisplayList list = ui.Render(dialog);
  EXPECT_EQ(list.LastFill(kMain), rgb(198, 198, 198));
  EXPECT_EQ(list.TextsOf(kMain), "Speichern");
  EXPECT_EQ(last_color(list, kMain, DrawOp::kText), rgb(0, 85, 221));
  EXPECT_EQ(list.TextsOf(kConfig), "Konfiguration");
  EXPECT_EQ(list.LastFill(kConfig), rgb(244, 244, 244));
  EXPECT_EQ(list.TextsOf(kPlain), "Konfiguration");  // MLButton
  EXPECT_EQ(list.LastFill(kPlain), rgb(244, 244, 244));
}

TEST_F(ColorButtonTest, ProvisionalPaletteForTheMainCommand) {
  g_provisional_mode = 1;
  ASSERT_TRUE(Open());
  DisplayList list = ui.Render(dialog);
  EXPECT_EQ(list.LastFill(kMain), rgb(198, 202, 151));
  EXPECT_EQ(last_color(list, kMain, DrawOp::kText), kBlack);
}

TEST_F(ColorButtonTest, CaptionMarksAreReadFromACopyAtEachPaint) {
  ASSERT_TRUE(Open());
  dialog.help.SetCaption("??Aiuto");
  for (int paint = 0; paint < 3; ++paint) {
    DisplayList list = ui.Render(dialog);
    EXPECT_EQ(list.TextsOf(kHelp), "? Aiuto") << paint;
    EXPECT_EQ(last_color(list, kHelp, DrawOp::kFrame), rgb(159, 204, 250)) << paint;
  }
  EXPECT_EQ(dialog.help.Caption(), "??Aiuto");
  EXPECT_EQ(dialog.help.GetWindowText(), "??Aiuto");
  EXPECT_EQ(dialog.main.Caption(), "!SALVA");
}

TEST_F(ColorButtonTest, DisabledButtonIsCheckeredWithAGreyBlueFrame) {
  ASSERT_TRUE(Open());
  dialog.config.EnableWindow(false);
  DisplayList list = ui.Render(dialog);
  const DrawItemOp* checker = last_op(list, kConfig, DrawOp::kChecker);
  ASSERT_NE(checker, nullptr);
  EXPECT_EQ(checker->color, kWhite);
  EXPECT_EQ(last_color(list, kConfig, DrawOp::kFrame), rgb(140, 170, 200));
  EXPECT_EQ(last_color(list, kMain, DrawOp::kFrame), rgb(0, 51, 153));  // the focused one
  dialog.main.m_no_focus_frame = true;
  EXPECT_EQ(last_color(ui.Render(dialog), kMain, DrawOp::kFrame), rgb(51, 153, 255));
  dialog.main.m_frame_color = rgb(9, 9, 9);
  EXPECT_EQ(last_color(ui.Render(dialog), kMain, DrawOp::kFrame), rgb(9, 9, 9));
}

TEST_F(ColorButtonTest, GeneratedStatesDiffer) {
  ASSERT_TRUE(Open());
  dialog.gen2.m_state = 1002;
  dialog.gen3.m_state = 1003;
  DisplayList list = ui.Render(dialog);
  EXPECT_EQ(list.LastFill(kGen2), rgb(46, 23, 23));
  EXPECT_EQ(list.LastFill(kGen3), rgb(46, 46, 23));
}

TEST_F(ColorButtonTest, UnknownStateKeepsTheColoursLastChosen) {
  ASSERT_TRUE(Open());
  dialog.gen2.m_state = 1;
  EXPECT_EQ(ui.Render(dialog).LastFill(kGen2), rgb(225, 0, 0));
  dialog.gen2.m_state = 77;
  EXPECT_EQ(ui.Render(dialog).LastFill(kGen2), rgb(225, 0, 0));
}

TEST_F(ColorButtonTest, IconButtonAndBitmapFace) {
  ASSERT_TRUE(Open());
  dialog.icon.SizeToIcon();
  EXPECT_EQ(dialog.icon.GetRectInParent().Width(), 72);  // twice 32 plus 8
  EXPECT_EQ(dialog.icon.GetRectInParent().Height(), 72);
  dialog.face.m_states[0] = 1;
  dialog.face.m_states[1] = 1;
  DisplayList list = ui.Render(dialog);
  const DrawItemOp* icon = last_op(list, kIcon, DrawOp::kBitmap);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->resource, CBigIcon::kAppIcon);
  EXPECT_EQ(list.LastFill(kIcon), rgb(64, 64, 64));  // the shadow
  EXPECT_EQ(list.LastFill(kFace), kButtonFaceColor);
  EXPECT_EQ(last_color(list, kFace, DrawOp::kFrame), rgb(105, 105, 105));
}

TEST_F(ColorButtonTest, TranslatedCaptionIsTakenAgainWhenTheWindowIsMadeAgain) {
  {
    LanguageScope language(1);
    ASSERT_TRUE(Open());
    EXPECT_EQ(ui.Render(dialog).TextsOf(kConfig), "Konfiguration");
    dialog.DestroyWindow();
  }
  LanguageScope language(2);
  ASSERT_TRUE(Open());
  DisplayList list = ui.Render(dialog);
  EXPECT_EQ(list.TextsOf(kConfig), "Configuration");
  EXPECT_EQ(list.TextsOf(kPlain), "Configuration");
}

}  // namespace
