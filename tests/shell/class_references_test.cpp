// The classes a teaching post names besides its own, in the running program
// on the small sample school.
//
// A class that a teaching post names only as one of its articulated classes
// is still taught: in the running program on the small sample school, the
// officer creates 1C, joins it to ROSSI's geography in 1A, and then tries to
// delete 1C (its year and its whole section). Both are refused as for a
// class with lessons of its own, and the saved description still names 1C
// where the engine reads it, instead of a blank class code that it took for
// a class without a name and a teacher of its own.
#include "frame_test_support.h"
#include "engine/engine_main.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"
#include "shell/list_ctrl_ex.h"
#include "structure/school_page.h"
#include "structure/teacher_page.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;

using P = Cproscuola;
using T = Cprocat;

class ClassReferences : public ProgramOnSample {
 protected:
  // The description's lines in clear.
  std::string description() const {
    std::string all;
    std::string why;
    EXPECT_EQ(og_read_school_lines((data_root() / "piccola" / "scuola2.txt").string(),
                                   [&](const std::string& line) {
                                     all += line + "\n";
                                     return true;
                                   },
                                   &why),
              SchoolLines::kRead)
        << why;
    return all;
  }
  // key: the section letter and the track initial, a blank with one track.
  static int section_row(const char* key) {
    auto* list = static_cast<ListView*>(g_school_page.GetDlgItem(P::kSectionListId));
    for (int row = 0; row < list->GetItemCount(); ++row)
      if (list->GetItemText(row, 0) == key) return row;
    return -1;
  }
  // ROSSI's geography in 1A (his fifth post) on the teaching-post page,
  // taking `joined` as an articulated class.
  void JoinRossisGeography(const char* joined) {
    alfadlg_go_to_page(kPageProcat);
    ASSERT_EQ(g_current_page, &g_procat_page);
    ui.Select(g_procat_page, T::kTeacherListId, "ROSSI");  // the page opens on the teacher shown last
    ASSERT_EQ(ui.Text(g_procat_page, T::kTeacherListId), "ROSSI");
    ui.Select(g_procat_page, T::kPostListId, 4);
    ASSERT_EQ(ui.Text(g_procat_page, T::kSubjectId), "GEOGRAFIA");
    ASSERT_TRUE(ui.Select(g_procat_page, T::kJointComboId, joined));
  }
};

TEST_F(ClassReferences, AnArticulatedClassIsNotDeleted) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));  // reads the school
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_EQ(g_current_page, &g_school_page);
    // Section C, year 1: the new class 1C, saved.
    ui.Click(g_school_page, P::section_id(0, 2));
    ASSERT_EQ(section_row("C "), 2);
    ui.Select(g_school_page, P::kSectionListId, 2);
    ui.Click(g_school_page, P::kFirstYearId);
    ASSERT_GE(og_find_class_by_label("1C"), 0);
    ui.Click(g_school_page, P::kSaveId);

    // ROSSI's geography in 1A (his fifth post) takes 1C as articulated class.
    ASSERT_NO_FATAL_FAILURE(JoinRossisGeography("1C"));
    ui.Click(g_procat_page, T::kSaveId);
    ASSERT_NE(description().find("ROSSI\t1A 2 ARTYW:1C\t"), std::string::npos) << description();

    // Back on the school page: 1C is shown as a class with lessons, and
    // neither its year nor its section can be switched off.
    P::s_class_message_pending = P::s_section_message_pending = 1;
    alfadlg_go_to_page(kPageProscuola);
    ASSERT_EQ(g_current_page, &g_school_page);
    int c = og_find_class_by_label("1C");
    ASSERT_GE(c, 0);
    ui.Select(g_school_page, P::kSectionListId, section_row("C "));
    // Its cell is drawn in black, as a class with lessons, not crimson.
    Color back{}, text{};
    auto* list = dynamic_cast<CListCtrlEx*>(g_school_page.GetDlgItem(P::kSectionListId));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->CellColors(section_row("C "), 2, back, text));
    EXPECT_EQ(text, rgb(0, 0, 0));
    ASSERT_TRUE(ui.IsChecked(g_school_page, P::kFirstYearId));
    std::size_t boxes = ui.boxes().size();
    ui.ClearBeeps();
    ui.AnswerNextModal(1);
    ui.Click(g_school_page, P::kFirstYearId);
    EXPECT_EQ(og_find_class_by_label("1C"), c);
    EXPECT_TRUE(ui.IsChecked(g_school_page, P::kFirstYearId));
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("Questa Classe ha Ore di Lezione", 0), 0u)
        << ui.boxes().back().texts.at(0);
    EXPECT_EQ(ui.beeps(), 1);

    ui.AnswerNextModal(1);
    ui.Click(g_school_page, P::section_id(0, 2));
    EXPECT_EQ(og_find_class_by_label("1C"), c);
    EXPECT_TRUE(ui.IsChecked(g_school_page, P::section_id(0, 2)));
    ASSERT_EQ(ui.boxes().size(), boxes + 2);
    EXPECT_EQ(ui.boxes().back().texts.at(0).rfind("La Classe 1C", 0), 0u) << ui.boxes().back().texts.at(0);

    ui.Click(g_school_page, P::kSaveId);
    std::string saved = description();
    EXPECT_NE(saved.find("ROSSI\t1A 2 ARTYW:1C\t"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("ARTYW: "), std::string::npos) << saved;
    const char* argv[] = {"orario", "SYNT:scuola2.txt", nullptr};
    EXPECT_EQ(or_main(0, 2, argv), 0) << g_status.message;
    EXPECT_TRUE(ui.Problems().empty());
  });
}

// A post moved to one of its own articulated classes: ROSSI's geography in
// 1A, articulated with 3B, moved to 3B. The class is no longer listed as
// articulated with itself, where the engine counted the post's hours twice
// in 3B.
TEST_F(ClassReferences, APostMovedToItsArticulatedClassLeavesItOut) {
  Run([&] {
    ASSERT_TRUE(ui.Click(g_home_page, CPlenixDlg::kConfiguration));
    ASSERT_NO_FATAL_FAILURE(JoinRossisGeography("3B"));
    auto* joined = static_cast<ListBox*>(g_procat_page.GetDlgItem(T::kJointListId));
    ASSERT_EQ(joined->GetCount(), 1);
    ASSERT_TRUE(ui.Select(g_procat_page, T::kClassId, "3B"));
    EXPECT_EQ(joined->GetCount(), 0);
    ui.Click(g_procat_page, T::kSaveId);
    std::string saved = description();
    EXPECT_NE(saved.find("ROSSI\t3B 2\t"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("ARTYW:"), std::string::npos) << saved;
    EXPECT_TRUE(ui.Problems().empty());
  });
}

}  // namespace
