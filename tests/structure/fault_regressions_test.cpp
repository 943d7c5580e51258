// Paths of the structure pages that a planted fault once passed unseen: on
// a change of class with unsaved edits, Yes saves the school before the
// class changes and No changes class without saving.
#include <gtest/gtest.h>

#include <filesystem>

#include "dictionary_support.h"
#include "structure/lessons_by_class_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using C = Clacoco;
constexpr int kYes = 1031, kNo = 1049;  // the message box's Yes and No buttons

TEST(StructureFaults, ClassChangeWithUnsavedEditsSavesOnYesOnly) {
  struct Case {
    const char* id;
    int answer;  // the message box's button
    bool saved;
  } cases[] = {{"yes", kYes, true}, {"no", kNo, false}};
  for (const Case& c : cases) {
    SchoolFolder folder;
    empty_school();
    for (const char* code : {"1A ", "2A "})
      std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, code, 3);
    g_ui_structure.sections[0][0] = 1;
    int rossi = add_teacher("ROSSI", add_subject("MATEMATICA"));
    g_ui_teachers[rossi].posts[0].class_index = 0;
    g_ui_teachers[rossi].posts[0].own.hours = 2;
    og_snapshot_all();
    g_lacoco_save_without_asking = false;
    TestDriver ui;
    Clacoco page;
    ASSERT_TRUE(page.Create(nullptr)) << c.id;
    page.ShowWindow(kSwShow);
    g_ui_teachers[rossi].posts[0].own.hours = 3;  // an edit not saved yet
    ui.PressInNextModal(c.answer);
    if (c.saved) ui.PressInNextModal(kNo);  // and go on asking before each change
    ui.Click(page, C::kNextId);
    EXPECT_TRUE(box_said(ui, "I dati di 1A sono stati modificati. Salvo le modifiche?")) << c.id;
    EXPECT_EQ(page.SelectedClass(), 1) << c.id;
    EXPECT_EQ(std::filesystem::exists(folder.dir.path() / "scuola2.txt"), c.saved) << c.id;
    EXPECT_FALSE(g_lacoco_save_without_asking) << c.id;
    page.DestroyWindow();
    og_snapshot_all();
    for (const std::string& p : ui.Problems()) ADD_FAILURE() << c.id << ": " << p;
  }
}

}  // namespace
