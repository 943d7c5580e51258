// The school page's sections list when it takes the focus: a user's click
// shows the list's help line and checks the tracks (a track without a name
// or two with one initial: its box once, the focus to the track's name),
// while the page's own refills (a track's name being typed, a section
// switched on) and the boxes of the leaving checks neither change the help
// nor check again. The "fewer than two classes" answer leaves only the
// first row chosen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "schooldata/model_utilities.h"
#include "shell/home_page.h"
#include "structure/school_page.h"
#include "structure_page_fixture.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using P = Cproscuola;

constexpr int kNo = 1049;  // message box button
constexpr char kListHelpText[] = "Selezionare una Sezione, e specificare quali Classi esistono.";
constexpr char kHowTo[] = "Usate questa pagina per configurare:";  // the help the page opens with
constexpr char kNameMissing[] =
    "Specificare il nome di ciascun indirizzo di studio esistente (Deve iniziare con A..Z)";
constexpr char kTracksHelpStart[] = "Inserire il NUMERO di Indirizzi di studio esistenti.";
constexpr char kInitialsDiffer[] = "I nomi degli indirizzi di studio devono avere tutti iniziali diverse";

class SchoolListFocus : public TempRoot {
 protected:
  void TearDown() override {
    og_snapshot_all();
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    g_pages.Install(PageSlot::MenuConfora, nullptr);
    g_pages.Install(PageSlot::Proscuola, nullptr);
    TempRoot::TearDown();
  }
  template <typename Before>
  void Open(std::initializer_list<const char*> classes, Before before) {
    ASSERT_NO_FATAL_FAILURE(open_test_school(data_root(), classes));
    std::strcpy(g_ui_structure.track_names[0], "Ordinario");
    std::memcpy(g_ui_header.day_codes, "LU\0MA\0ME\0GI\0VE\0SA\0DO", 21);
    before();
    og_snapshot_all();
    Cproscuola::s_class_message_pending = Cproscuola::s_section_message_pending = 1;
    ASSERT_NO_FATAL_FAILURE(show_frame_page(ui, kPageProscuola));
    ASSERT_EQ(g_current_page, &g_school_page);
  }
  // Two tracks, ORDINARIO with 1AO and 2AO and a second one as `second` names it.
  void OpenTwoTracks(const char* second) {
    Open({"1AO", "2AO"}, [second] {
      g_ui_structure.track_count = 2;
      std::strcpy(g_ui_structure.track_names[0], "ORDINARIO");
      std::strcpy(g_ui_structure.track_names[1], second);
    });
  }
  ListView& list() { return *static_cast<ListView*>(g_school_page.GetDlgItem(P::kSectionListId)); }
  std::string help() { return ui.Text(g_school_page, P::kHelpPaneId); }
  std::vector<int> chosen_rows() {
    std::vector<int> rows;
    for (int r = list().GetNextItem(-1, kLvniSelected); r >= 0; r = list().GetNextItem(r, kLvniSelected))
      rows.push_back(r);
    return rows;
  }
  void ClickWithSecondTrack(const char* second, const char* box);
  TestDriver ui;
};

TEST_F(SchoolListFocus, AClickOnTheListShowsItsHelpAfterAnotherField) {
  Open({"1A ", "2A "}, [] {});
  EXPECT_EQ(help().rfind(kHowTo, 0), 0u) << help();  // opening focuses the list quietly
  ui.Click(g_school_page, P::kShortDayHelpId);
  ASSERT_NE(help(), kListHelpText);
  ASSERT_TRUE(ui.Select(g_school_page, P::kSectionListId, 0));
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kSectionListId));
  EXPECT_EQ(help(), kListHelpText);
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_EQ(chosen_rows(), std::vector<int>{0});
  EXPECT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "A ");
  EXPECT_TRUE(ui.Problems().empty());
}

// A click on the list with the second track named `second`: the one box,
// the focus on that track's name.
void SchoolListFocus::ClickWithSecondTrack(const char* second, const char* box) {
  OpenTwoTracks(second);
  ASSERT_TRUE(ui.boxes().empty());  // opening checks nothing
  ui.Click(g_school_page, P::kNameHelpId);
  ui.AnswerNextModal(1);
  ui.Select(g_school_page, P::kSectionListId, 0);
  ASSERT_EQ(ui.boxes().size(), 1u);  // one box, not one for each focus it gives back
  EXPECT_EQ(ui.boxes().back().texts.at(0), box);
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kFirstTrackNameId + 1));
  EXPECT_EQ(help().rfind(kTracksHelpStart, 0), 0u) << help();  // the track's name took the focus
  EXPECT_EQ(ui.PendingSteps(), 0u);
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolListFocus, AClickOnTheListWithATrackWithoutANameSaysSoOnce) {
  ClickWithSecondTrack("", kNameMissing);
}

TEST_F(SchoolListFocus, AClickOnTheListWithATrackNameNotALetterSaysSoOnce) {
  ClickWithSecondTrack("1TECNICO", kNameMissing);
}

TEST_F(SchoolListFocus, AClickOnTheListWithTwoTracksOfOneInitialSaysSoOnce) {
  ClickWithSecondTrack("OTTICO", kInitialsDiffer);
}

TEST_F(SchoolListFocus, AShortNameLikeAnotherTracksInitialIsCheckedOnTheClick) {
  OpenTwoTracks("TECNICO");
  std::strcpy(g_ui_structure.track_short_names[1], "O");  // ORDINARIO's initial
  ui.Click(g_school_page, P::kNameHelpId);
  ui.AnswerNextModal(1);
  ui.Select(g_school_page, P::kSectionListId, 0);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("La sigla per le stampe di un indirizzo", 0), 0u);
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kFirstShortNameId + 1));

  // A short name equal to the track's own initial is dropped by the check.
  std::strcpy(g_ui_structure.track_short_names[1], "T");
  ui.Click(g_school_page, P::kNameHelpId);
  ui.Select(g_school_page, P::kSectionListId, 0);
  EXPECT_EQ(ui.boxes().size(), 1u);
  EXPECT_STREQ(g_ui_structure.track_short_names[1], "");
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kSectionListId));
}

TEST_F(SchoolListFocus, TypingATrackNameRefillsTheListWithoutChecking) {
  OpenTwoTracks("");
  ASSERT_TRUE(ui.Type(g_school_page, P::kFirstTrackNameId + 1, "tecnico"));
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_STREQ(g_ui_structure.track_names[1], "TECNICO");
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kFirstTrackNameId + 1));
  EXPECT_EQ(help().rfind(kTracksHelpStart, 0), 0u) << help();
  EXPECT_EQ(list().GetItemText(0, 1), "ORDINARIO   ");

  // A section switched on refills the list and gives it the focus: no help.
  ui.Click(g_school_page, P::kNameHelpId);
  std::string before = help();
  ui.Click(g_school_page, P::section_id(1, 1));
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kSectionListId));
  EXPECT_EQ(help(), before);
  ASSERT_EQ(list().GetItemCount(), 2);
  EXPECT_EQ(list().GetItemText(1, 0), "BT");
  EXPECT_EQ(chosen_rows(), std::vector<int>{1});
  EXPECT_TRUE(ui.boxes().empty());
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolListFocus, LeavingWithTheListFocusedAsksOnce) {
  OpenTwoTracks("TECNICO");
  ui.Select(g_school_page, P::kSectionListId, 0);
  ASSERT_TRUE(ui.HasFocus(g_school_page, P::kSectionListId));
  g_ui_structure.track_names[1][0] = '\0';
  ui.AnswerNextModal(1);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes().back().texts.at(0), kNameMissing);
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kFirstTrackNameId + 1));
  EXPECT_EQ(ui.PendingSteps(), 0u);
  std::strcpy(g_ui_structure.track_names[1], "TECNICO");
  EXPECT_TRUE(ui.Problems().empty());
}

TEST_F(SchoolListFocus, FewerThanTwoClassesChoosesOnlyTheFirstRow) {
  Open({"1A "}, [] { g_ui_structure.sections[0][2] = 1; });  // sections A and C
  ASSERT_EQ(list().GetItemCount(), 2);
  ASSERT_TRUE(ui.Select(g_school_page, P::kSectionListId, 1));
  ASSERT_EQ(chosen_rows(), std::vector<int>{1});
  EXPECT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "C ");
  ui.PressInNextModal(kNo);
  alfadlg_go_to_page(kPageHome);
  EXPECT_EQ(g_current_page, &g_school_page);
  EXPECT_EQ(chosen_rows(), std::vector<int>{0});
  EXPECT_EQ(ui.Text(g_school_page, P::kKeyLabelId), "A ");
  EXPECT_TRUE(ui.IsChecked(g_school_page, P::kFirstYearId));  // 1A shown for the chosen row
  EXPECT_TRUE(ui.HasFocus(g_school_page, P::kSectionListId));
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
