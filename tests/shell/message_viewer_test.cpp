// The message-file viewer reading files under a temporary drive root:
// comment lines skipped, "#IGNO:" withdrawing the message, a missing file,
// one window at a time, "understood" deleting the file, close keeping it.
#include "app_test_support.h"
#include <cerrno>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/test_driver.h"
#include "shell/help_pane.h"
#include "shell/message_viewer.h"
#include "shell/small_dialogs.h"
#include "shell_test_support.h"

namespace {

using namespace kt::ui;
using namespace kt_app_test;

class MessageViewerTest : public TempRoot {
 protected:
  void SetUp() override {
    TempRoot::SetUp();
    fs::create_directories(data_root());
    viewer.m_file_name = "\\KestrinTempusDati\\Message.txt";
  }
  void Write(const char* text) { write(data_root() / "Message.txt", text); }
  bool FileThere() { return fs::exists(data_root() / "Message.txt"); }
  TestDriver ui;
  Cmessshow viewer;
};

TEST_F(MessageViewerTest, ReadsLinesAndSkipsComments) {
  Write("# dal server\r\nPrima riga\r\n\r\nSeconda\n#altro\n");
  ASSERT_TRUE(viewer.Create(nullptr));
  EXPECT_EQ(viewer.ShownCount(), 17);
  EXPECT_EQ(viewer.GetDlgItemText(Cmessshow::kTextId), "\r\nPrima riga\r\nSeconda");
  EXPECT_FALSE(viewer.Create(nullptr));  // one window at a time
}

TEST_F(MessageViewerTest, IgnoreLineAndMissingFileShowNothing) {
  Write("Vecchio avviso\n#IGNO:\naltro\n");
  ASSERT_TRUE(viewer.Create(nullptr));
  EXPECT_EQ(viewer.ShownCount(), 0);
  viewer.DestroyWindow();
  fs::remove(data_root() / "Message.txt");
  ASSERT_TRUE(viewer.Create(nullptr));
  EXPECT_EQ(viewer.ShownCount(), 0);
}

TEST_F(MessageViewerTest, UnderstoodDeletesTheFileAndCloses) {
  Write("Avviso\n");
  ASSERT_TRUE(viewer.Create(nullptr));
  viewer.ShowWindow(kSwShow);
  ASSERT_TRUE(ui.Click(viewer, Cmessshow::kUnderstoodId));
  EXPECT_FALSE(viewer.IsWindow());
  EXPECT_FALSE(viewer.IsOpen());
  EXPECT_FALSE(FileThere());
}

// The disk fails part-way: the part read is shown with the read error, and
// "understood" keeps the file, so the rest is not deleted unseen.
TEST_F(MessageViewerTest, AMessageReadInPartSaysSoAndIsKept) {
  Write("Prima riga\nSeconda riga\n");
  LineByteSource saved = g_line_byte_source;
  static int served;
  served = 0;
  g_line_byte_source = [](std::FILE* f) {
    if (served++ >= 12) {
      errno = EIO;
      return kLineReadError;
    }
    return std::fgetc(f);
  };
  ASSERT_TRUE(viewer.Create(nullptr));
  g_line_byte_source = saved;
  viewer.ShowWindow(kSwShow);
  EXPECT_EQ(viewer.GetDlgItemText(Cmessshow::kTextId),
            "\r\nPrima riga\r\n\r\n[Errore di lettura del file (il file non \xE8 stato letto intero)]");
  ASSERT_TRUE(ui.Click(viewer, Cmessshow::kUnderstoodId));
  EXPECT_TRUE(FileThere());
}

TEST_F(MessageViewerTest, CloseKeepsTheFileAndButtonsAreTranslated) {
  kt_shell_test::LanguageScope language(1);
  Write("Avviso\n");
  ASSERT_TRUE(viewer.Create(nullptr));
  viewer.ShowWindow(kSwShow);
  EXPECT_EQ(ui.Render(viewer).TextsOf(Cmessshow::kCloseId), "Dieses Fenster schließen"_cp);
  ASSERT_TRUE(ui.Click(viewer, Cmessshow::kCloseId));
  EXPECT_FALSE(viewer.IsOpen());
  EXPECT_TRUE(FileThere());
}

// The list window of the service messages: each pair lands at the end and
// the last line is the one selected.
TEST_F(MessageViewerTest, ListWindowAddsPairsAndSelectsTheLast) {
  Czzempty list;
  ASSERT_TRUE(list.Create(nullptr));
  list.AddLinePair("uno", "due");
  list.AddLinePair("tre", "quattro");
  auto* box = dynamic_cast<ListBox*>(list.GetDlgItem(Czzempty::kListId));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetCount(), 4);
  EXPECT_EQ(box->GetCurSel(), 3);
  // A help pane given lone line feeds shows them as line ends.
  CSpiegaML pane;
  ASSERT_TRUE(pane.CreateChild("Edit", "", 0, Rect{0, 0, 100, 40}, &list, 1999));
  pane.SetMultilineText("\nuno\r\ndue\ntre", rgb(1, 2, 3));
  EXPECT_EQ(pane.GetWindowText(), "\r\nuno\r\ndue\r\ntre");
  list.DestroyWindow();
}

// The help pane's coloured texts: the dark red of a warning, alternating
// with crimson while it flashes, and the other schemes' text colours (their
// grounds are the field's white); a text given its own colour shows in it;
// a German or English text still to be translated asks for its translation
// above the Italian.
TEST_F(MessageViewerTest, HelpPaneSchemesAndTextsToTranslate) {
  Czzempty list;
  ASSERT_TRUE(list.Create(nullptr));
  CSpiegaML pane;
  ASSERT_TRUE(pane.CreateChild("Edit", "", kEsMultiLine | kWsVisible, Rect{0, 0, 200, 60}, &list, 1999));
  list.ShowWindow(kSwShow);
  auto shown = [&] {
    DisplayList look = ui.Render(list);
    for (const DrawItemOp* op : look.ForControl(1999))
      if (op->op == DrawOp::kText) return color_name(op->color);
    return std::string("nothing");
  };
  const struct {
    int scheme;
    Color text;
  } schemes[] = {{1, rgb(0, 0, 0)},        {2, rgb(0, 0, 0)},    {3, rgb(0, 0, 0)},    {11, rgb(153, 255, 102)},
                 {12, rgb(255, 255, 0)}, {13, rgb(170, 0, 0)}, {14, rgb(165, 0, 33)}};
  for (const auto& c : schemes) {
    pane.SetSchemeText(c.scheme, "Sedi raggiungibili");
    EXPECT_EQ(pane.GetWindowText(), "Sedi raggiungibili");
    EXPECT_EQ(shown(), color_name(c.text)) << c.scheme;
  }
  pane.SetTextColored("Attenzione", rgb(1, 2, 3));
  EXPECT_EQ(shown(), color_name(rgb(1, 2, 3)));
  // A plain text shows in one of the two blues of the pane, changing at
  // each new text.
  pane.SetText("Prima");
  std::string first = shown();
  pane.SetText("Seconda");
  std::string second = shown();
  EXPECT_NE(first, second);
  for (const std::string& c : {first, second})
    EXPECT_TRUE(c == color_name(rgb(0, 34, 136)) || c == color_name(rgb(0, 51, 153))) << c;
  const MlText untranslated = {"Scegliere la sede", "deu", "eng"};
  const struct {
    int language;
    const char* text;
  } languages[] = {{0, "Scegliere la sede"},
                   {1, "BITTE AUF DEUTSCH UEBERSETZEN:\nScegliere la sede"},
                   {2, "PLEASE TRANSLATE INTO ENGLISH:\nScegliere la sede"}};
  for (const auto& l : languages) {
    kt_shell_test::LanguageScope language(l.language);
    pane.SetTextML(&untranslated);
    EXPECT_EQ(pane.GetWindowText(), l.text) << l.language;
  }
  list.DestroyWindow();
}

}  // namespace
