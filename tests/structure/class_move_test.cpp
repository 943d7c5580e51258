// The class move run headless on small schools built in the test: a class
// moved to a free section keeps its index, lessons and flags and switches
// the section on; a taken code, a missing section, track or class are
// refused with the model unchanged; abandon asks first; the class list
// offers only the key's section; labels follow the tracks' short names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionary_support.h"
#include "platform/cp1252.h"
#include "structure/class_move.h"

namespace {

using namespace kt::ui;
using dictionary_test::box_said;

constexpr int kYesButton = CMessageBox::kButtonIds[0];
constexpr int kNoButton = CMessageBox::kButtonIds[1];

void add_class(const char* code, std::uint8_t classical = 0, std::uint8_t type = 0) {
  UiClass& c = g_ui_structure.classes[g_ui_structure.class_count++];
  std::memcpy(c.code, code, 3);
  c.code[3] = '\0';
  c.classical_numbering = classical;
  c.class_type = type;
}

// One track: 2A, 3A, 2B; sections A and B on.
void one_track_school() {
  og_clear_structure();
  g_ui_structure.track_count = 1;
  std::strcpy(g_ui_structure.track_names[0], "Ordinario");
  add_class("2A ", 0, 3);
  add_class("3A ");
  add_class("2B ");
  g_ui_structure.sections[0][0] = g_ui_structure.sections[0][1] = 1;
}

// Two tracks, Liceo (L, "Lic") and Tecnico (T, ""): 1AL, 2AL, 1AT.
void two_track_school() {
  og_clear_structure();
  g_ui_structure.track_count = 2;
  std::strcpy(g_ui_structure.track_names[0], "Liceo");
  std::strcpy(g_ui_structure.track_short_names[0], "Lic");
  std::strcpy(g_ui_structure.track_names[1], "Tecnico");
  add_class("1AL", 1);
  add_class("2AL");
  add_class("1AT");
  g_ui_structure.sections[0][0] = g_ui_structure.sections[1][0] = 1;
}

std::string code_of(int index) { return std::string(g_ui_structure.classes[index].code, 3); }

TEST(ClassMove, MovesToAFreeSectionKeepingIndexAndFlags) {
  ui_register_toolkit_templates();
  one_track_school();
  TestDriver ui;
  Ccanocla move;
  move.m_key_section = 'A';
  std::string listed;
  bool section_enabled_first = true;
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_TRUE(ui.HasFocus(d, Ccanocla::kSaveId));
    section_enabled_first = ui.IsEnabled(d, Ccanocla::kSectionListId);
    EXPECT_FALSE(ui.IsEnabled(d, Ccanocla::kTrackListId));
    ComboBox* classes = static_cast<ComboBox*>(d.GetDlgItem(Ccanocla::kClassListId));
    for (int i = 0; i < classes->GetCount(); ++i) listed += classes->GetLBText(i) + ";";
    EXPECT_TRUE(ui.Select(d, Ccanocla::kClassListId, "2A"));
    EXPECT_TRUE(ui.Select(d, Ccanocla::kSectionListId, 3));
    EXPECT_FALSE(ui.IsEnabled(d, Ccanocla::kTrackListId));
    ui.Click(d, Ccanocla::kSaveId);
  });
  EXPECT_EQ(move.DoModal(), Ccanocla::kMoved);
  EXPECT_FALSE(section_enabled_first);
  EXPECT_EQ(listed, "2A;3A;");
  EXPECT_EQ(code_of(0), "2D ");
  EXPECT_EQ(g_ui_structure.sections[0][3], 1);
  EXPECT_EQ(g_ui_structure.classes[0].class_type, 3);
  EXPECT_STREQ(og_class_label(0), "2D");
  EXPECT_EQ(code_of(1), "3A ");
  EXPECT_EQ(+g_ui_structure.class_count, 3u);
}

struct TakenCase {
  const char* id;
  int section;
  const char* message;
};

TEST(ClassMove, TakenCodeIsRefusedAndAbandonLeavesTheModel) {
  ui_register_toolkit_templates();
  const TakenCase cases[] = {
      {"other-class", 1, "La Classe 2B esiste già"_cp},
      {"own-section", 0, "La Classe 2A esiste già"_cp},
  };
  for (const TakenCase& c : cases) {
    one_track_school();
    TestDriver ui;
    Ccanocla move;
    ui.OnNextModal([&](Dialog& d) {
      ui.Select(d, Ccanocla::kClassListId, "2A");
      ui.Select(d, Ccanocla::kSectionListId, c.section);
      ui.Click(d, Ccanocla::kSaveId);
    });
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.OnNextModal([&](Dialog& d) { ui.Click(d, Ccanocla::kAbandonId); });
    ui.PressInNextModal(kYesButton);
    EXPECT_EQ(move.DoModal(), kIdCancel) << c.id;
    EXPECT_TRUE(box_said(ui, c.message)) << c.id;
    EXPECT_EQ(code_of(0), "2A ") << c.id;
    EXPECT_EQ(g_ui_structure.sections[0][3], 0) << c.id;
  }
}

TEST(ClassMove, MissingChoicesAreRefused) {
  ui_register_toolkit_templates();
  one_track_school();
  TestDriver ui;
  Ccanocla move;
  int beeps_without_class = -1;
  ui.OnNextModal([&](Dialog& d) {
    ui.Click(d, Ccanocla::kSaveId);
    beeps_without_class = ui.beeps();
    ui.Select(d, Ccanocla::kClassListId, "3A");
    ui.Click(d, Ccanocla::kSaveId);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.OnNextModal([&](Dialog& d) { ui.Key(kVkEscape); });
  ui.PressInNextModal(kNoButton);
  ui.OnNextModal([&](Dialog& d) { ui.Click(d, Ccanocla::kAbandonId); });
  ui.PressInNextModal(kYesButton);
  EXPECT_EQ(move.DoModal(), kIdCancel);
  EXPECT_EQ(beeps_without_class, 1);
  EXPECT_TRUE(box_said(ui, "Specificare la Sezione"));
  EXPECT_TRUE(box_said(ui, "Sicuro di abbandonare le modifiche ?"));
  EXPECT_EQ(code_of(1), "3A ");
}

TEST(ClassMove, TwoTracksNeedATrackAndMoveAcrossTracks) {
  ui_register_toolkit_templates();
  two_track_school();
  TestDriver ui;
  Ccanocla move;
  move.m_key_section = 'A';
  move.m_key_track = 'L';
  std::string listed, tracks;
  ui.OnNextModal([&](Dialog& d) {
    ComboBox* classes = static_cast<ComboBox*>(d.GetDlgItem(Ccanocla::kClassListId));
    for (int i = 0; i < classes->GetCount(); ++i) listed += classes->GetLBText(i) + ";";
    ComboBox* track_list = static_cast<ComboBox*>(d.GetDlgItem(Ccanocla::kTrackListId));
    for (int i = 0; i < track_list->GetCount(); ++i) tracks += track_list->GetLBText(i) + ";";
    ui.Select(d, Ccanocla::kClassListId, "IVAL");
    ui.Select(d, Ccanocla::kSectionListId, 2);
    EXPECT_TRUE(ui.IsEnabled(d, Ccanocla::kTrackListId));
    ui.Click(d, Ccanocla::kSaveId);
  });
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.OnNextModal([&](Dialog& d) {
    ui.Select(d, Ccanocla::kTrackListId, 1);
    ui.Key(kVkReturn);  // the focus is on the track list: nothing happens
    EXPECT_TRUE(d.IsWindow());
    ui.Click(d, Ccanocla::kSaveId);
  });
  EXPECT_EQ(move.DoModal(), Ccanocla::kMoved);
  EXPECT_TRUE(box_said(ui, "Specificare l'Indirizzo"));
  EXPECT_EQ(listed, "IVAL;2ALic;");
  EXPECT_EQ(tracks, "Liceo - Lic;Tecnico   ;");
  EXPECT_EQ(code_of(0), "1CT");
  EXPECT_EQ(g_ui_structure.sections[1][2], 1);
  EXPECT_EQ(g_ui_structure.sections[0][2], 0);
  EXPECT_EQ(g_ui_structure.classes[0].classical_numbering, 1);
  EXPECT_STREQ(og_class_label(0), "IVCT");
}

TEST(ClassLabels, OutOfRangeAndDamagedCounts) {
  two_track_school();
  EXPECT_STREQ(og_class_label(3), "?");
  EXPECT_STREQ(og_class_label(-1), "?");
  EXPECT_EQ(og_find_class_by_label("2ALic"), 1);
  EXPECT_EQ(og_find_class_by_label("9Z"), 3);
  g_ui_structure.class_count = 100000;
  g_ui_structure.track_count = 100;
  EXPECT_EQ(og_class_count(), kUiMaxClasses);
  EXPECT_EQ(og_track_count(), kUiMaxTracks);
  og_clear_structure();
}

}  // namespace
