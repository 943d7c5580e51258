// The dictionary pages (subjects, labs, gyms) run as a dialog on a caller's
// stack: their save button writes both school files and ends the dialog;
// a save whose check fails says why and keeps the dialog open; the abandon
// button ends it without writing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "dictionary_support.h"
#include "schooldata/structure_file.h"
#include "structure/gyms_page.h"
#include "structure/labs_page.h"
#include "structure/subjects_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;

struct Form {
  const char* name;
  std::function<std::unique_ptr<CDictionaryPage>()> make;
  int save_id, abandon_id;
};

const Form kForms[] = {
    {"subjects", [] { return std::unique_ptr<CDictionaryPage>(new Cmaterie); }, Cmaterie::kSaveId,
     Cmaterie::kAbandonId},
    {"labs", [] { return std::unique_ptr<CDictionaryPage>(new Clapal); }, Clapal::kSaveId, Clapal::kAbandonId},
    {"gyms", [] { return std::unique_ptr<CDictionaryPage>(new Cpale); }, Cpale::kSaveId, Cpale::kAbandonId},
};

void small_school() {
  empty_school();
  add_subject("ITALIANO");
  add_lab("CHIMICA");
  og_snapshot_all();
}

TEST(DictionaryDialogForm, SaveWritesTheFilesAndEndsTheDialog) {
  for (const Form& form : kForms) {
    SCOPED_TRACE(form.name);
    SchoolFolder folder;
    small_school();
    std::strcpy(g_ui_structure.subjects[0].name, "LATINO");  // a change to save
    TestDriver ui;
    std::unique_ptr<CDictionaryPage> page = form.make();
    ui.OnNextModal([&](Dialog& d) { ui.Click(d, form.save_id); });
    EXPECT_EQ(page->DoModalCaptioned(true), CDictionaryPage::kDialogFormEnd);
    EXPECT_TRUE(std::filesystem::exists(folder.dir.path() / "scuola1.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder.dir.path() / "scuola2.txt"));
    EXPECT_FALSE(og_school_changed());
    ASSERT_EQ(og_read_structure_file(0), 0);
    EXPECT_EQ(subject_name(0), "LATINO");
    EXPECT_TRUE(ui.Problems().empty());
  }
}

TEST(DictionaryDialogForm, AbandonEndsTheDialogWithoutWriting) {
  for (const Form& form : kForms) {
    SCOPED_TRACE(form.name);
    SchoolFolder folder;
    small_school();
    TestDriver ui;
    std::unique_ptr<CDictionaryPage> page = form.make();
    ui.OnNextModal([&](Dialog& d) { ui.Click(d, form.abandon_id); });
    EXPECT_EQ(page->DoModalCaptioned(true), CDictionaryPage::kDialogFormEnd);
    EXPECT_FALSE(std::filesystem::exists(folder.dir.path() / "scuola1.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.dir.path() / "scuola2.txt"));
    EXPECT_TRUE(ui.Problems().empty());
  }
}

TEST(DictionaryDialogForm, ARefusedCheckKeepsTheDialogOpen) {
  SchoolFolder folder;
  small_school();
  add_subject("4ITALIANO");  // a name the files cannot carry
  TestDriver ui;
  Cmaterie page;
  bool still_open = false;
  ui.OnNextModal([&](Dialog& d) {
    ui.PressInNextModal(kOkButton);
    ui.Click(d, Cmaterie::kSaveId);
    still_open = d.IsWindow() && d.IsWindowVisible();
    std::strcpy(g_ui_structure.subjects[1].name, "STORIA");
    ui.Click(d, Cmaterie::kSaveId);
  });
  EXPECT_EQ(page.DoModalCaptioned(true), CDictionaryPage::kDialogFormEnd);
  EXPECT_TRUE(still_open);
  EXPECT_TRUE(box_said(ui, "I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)"));
  EXPECT_TRUE(std::filesystem::exists(folder.dir.path() / "scuola2.txt"));
  ASSERT_EQ(og_read_structure_file(0), 0);
  EXPECT_EQ(subject_name(1), "STORIA");
}

}  // namespace
