// The unsaved-changes question and the destination folder choice run
// headless: each button's answer, Enter and Esc ignored by the question,
// "save always" answering every later question without showing it (the
// question installed as the school model's prompt is driven from the frame
// in the dictionary page test), and the folder choice showing both folders
// whole on its buttons with Esc giving up.
#include <gtest/gtest.h>

#include <string>

#include "platform/test_driver.h"
#include "schooldata/data_file_search_dialog.h"
#include "structure/structure_pages.h"
#include "structure/destination_folder_choice.h"
#include "structure/unsaved_changes_prompt.h"

namespace {

using namespace kt::ui;

struct AnswerCase {
  const char* id;
  int button;
  int result;
};

TEST(UnsavedChangesPrompt, EachButtonGivesItsAnswer) {
  const AnswerCase cases[] = {
      {"save", CDaticambia::kSaveId, 1},
      {"discard", CDaticambia::kDiscardId, 2},
      {"stay", CDaticambia::kStayId, 3},
  };
  for (const AnswerCase& c : cases) {
    g_autosave_this_run = 0;
    TestDriver ui;
    ui.OnNextModal([&](Dialog& d) { ui.Click(d, c.button); });
    EXPECT_EQ(ui_ask_unsaved_changes(), c.result) << c.id;
    EXPECT_EQ(g_autosave_this_run, 0) << c.id;
    EXPECT_TRUE(ui.Problems().empty()) << c.id;
  }
}

TEST(UnsavedChangesPrompt, EnterAndEscLeaveItOpen) {
  g_autosave_this_run = 0;
  TestDriver ui;
  bool open_after_keys = false;
  ui.OnNextModal([&](Dialog& d) {
    ui.Key(kVkReturn);
    ui.Key(kVkEscape);
    open_after_keys = d.IsWindow();
    ui.Click(d, CDaticambia::kStayId);
  });
  EXPECT_EQ(ui_ask_unsaved_changes(), 3);
  EXPECT_TRUE(open_after_keys);
}

TEST(UnsavedChangesPrompt, SaveAlwaysAnswersLaterQuestionsUnseen) {
  g_autosave_this_run = 0;
  TestDriver ui;
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, CDaticambia::kSaveAlwaysId); });
  EXPECT_EQ(ui_ask_unsaved_changes(), 1);
  EXPECT_EQ(g_autosave_this_run, 1);
  // No step is scripted: a shown window would be reported as abandoned.
  EXPECT_EQ(ui_ask_unsaved_changes(), 1);
  EXPECT_EQ(ui_ask_unsaved_changes(), 1);
  EXPECT_TRUE(ui.Problems().empty());
  g_autosave_this_run = 0;
}

struct FolderCase {
  const char* id;
  int button;
  int result;
};

TEST(DestinationFolderChoice, ButtonsShowFoldersAndAnswer) {
  const std::string saved =
      "C:\\KestrinTempusDati\\Istituto Comprensivo Statale di Montebello Vicentino\\Plesso Centrale 2026";
  const FolderCase cases[] = {
      {"current", Ccanuco::kCurrentId, 11},
      {"saved", Ccanuco::kSavedId, 12},
      {"back", Ccanuco::kBackId, -1},
  };
  // The search dialog's restore asks through the chooser the structure
  // editors install.
  structure_install_pages();
  for (const FolderCase& c : cases) {
    TestDriver ui;
    Crical search;
    ASSERT_TRUE(search.m_dialogue.choose_data_folder);
    std::string current_caption, saved_caption;
    ui.OnNextModal([&](Dialog& d) {
      current_caption = ui.Text(d, Ccanuco::kCurrentId);
      saved_caption = ui.Text(d, Ccanuco::kSavedId);
      ui.Click(d, c.button);
    });
    EXPECT_EQ(search.m_dialogue.choose_data_folder("C:\\KestrinTempusDati\\Scuola", saved), c.result) << c.id;
    EXPECT_EQ(current_caption, "C:\\KestrinTempusDati\\Scuola") << c.id;
    EXPECT_EQ(saved_caption, saved) << c.id;
  }
}

// Enter presses the focused button, as everywhere in the program: the
// folder the user is looking at, never the other one.
TEST(DestinationFolderChoice, EscGivesUpAndEnterPressesTheFocusedButton) {
  struct KeyCase {
    const char* id;
    int key;
    int result;
  };
  const KeyCase cases[] = {{"esc", kVkEscape, -1}, {"enter", kVkReturn, 11}};
  for (const KeyCase& c : cases) {
    TestDriver ui;
    Ccanuco choice;
    choice.m_current_folder = "A";
    choice.m_saved_folder = "B";
    ui.OnNextModal([&](Dialog&) { ui.Key(c.key); });
    EXPECT_EQ(choice.DoModal(), c.result) << c.id;
  }
}

}  // namespace
