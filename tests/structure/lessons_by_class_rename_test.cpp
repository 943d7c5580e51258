// A teacher renamed on the lessons-by-class page, on a copy of a sample
// school run by the frame: the saved timetable names him the new way, as
// after a rename on the teachers page; when the saved timetable cannot be
// rewritten the rename is refused with the reason, and the teacher, the
// saved timetable and the school folder stay as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "edit_sequence.h"
#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/system_atomic_write.h"
#include "saved_timetable_files.h"

namespace {

using namespace kt::ui;
using edit_sequence::EditSequence;
using C = Clacoco;

using saved_timetable_test::saved_timetable_lines;
using saved_timetable_test::write_saved_timetable;

int g_failing_errno = 0;
int fail_rename(kt::AtomicStep step, const std::string& target) {
  return step == kt::AtomicStep::kRename && target.ends_with("savego.txt") ? g_failing_errno : 0;
}

class LessonsByClassRename : public EditSequence {
 protected:
  // The page on the first class where the teacher has an hour, that hour's
  // teacher cell chosen.
  Clacoco* OnHourOf(int teacher) {
    alfadlg_go_to_page(kPageLacoco);
    auto* page = dynamic_cast<Clacoco*>(g_current_page);
    if (page == nullptr) return nullptr;
    int classes = static_cast<ComboBox*>(page->GetDlgItem(C::kClassId))->GetCount();
    for (int c = 0; c < classes; ++c) {
      ui.Select(*page, C::kClassId, c);
      for (std::size_t r = 0; r < page->Rows().size(); ++r) {
        if (page->Rows()[r].teacher != teacher) continue;
        page->ShowHour(int(r), 2);
        return page;
      }
    }
    return nullptr;
  }

  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(school_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(LessonsByClassRename, TheSavedTimetableFollowsOrTheRenameIsRefused) {
  ASSERT_NO_FATAL_FAILURE(Start("istituto"));
  int fontana = -1;
  for (int t = 0; t < og_teacher_count(); ++t)
    if (std::string(g_ui_teachers[t].name) == "FONTANA") fontana = t;
  ASSERT_GE(fontana, 0);
  ASSERT_NO_FATAL_FAILURE(
      write_saved_timetable({"L:1 FONTANA 1AS\n", "L:2 FONTANA FONTANA 1AS\n", "X:SANTORO 1BS\n"}));
  Clacoco* page = OnHourOf(fontana);
  ASSERT_NE(page, nullptr);

  // The saved timetable cannot be replaced: nothing changes, and the
  // officer is told why.
  const std::string before = read(school_ / "savego.txt");
  const std::vector<std::string> names_before = FolderNames();
  g_failing_errno = EPERM;
  kt::set_atomic_write_fault(fail_rename);
  AnswerName("FONTANELLI");
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(*page, C::kRenameId);
  kt::set_atomic_write_fault(nullptr);
  EXPECT_STREQ(g_ui_teachers[fontana].name, "FONTANA");
  bool told = false;
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts)
      told = told || t == "Nome non cambiato: impossibile aggiornare l'orario salvato (savego.txt): accesso negato";
  EXPECT_TRUE(told);
  EXPECT_TRUE(read(school_ / "savego.txt") == before);
  EXPECT_EQ(FolderNames(), names_before);

  // Without the fault the rename reaches every line that names him.
  AnswerName("FONTANELLI");
  ui.Click(*page, C::kRenameId);
  EXPECT_STREQ(g_ui_teachers[fontana].name, "FONTANELLI");
  EXPECT_EQ(saved_timetable_lines(), (std::vector<std::string>{"L:1 FONTANELLI 1AS\n", "L:2 FONTANELLI FONTANA 1AS\n",
                                                                "X:SANTORO 1BS\n"}));
  EXPECT_EQ(FolderNames(), names_before);
  ui.Click(*page, C::kSaveId);
  Check();
}

}  // namespace
