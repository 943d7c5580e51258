// Corafac: the page that imports an Orario Facile data file (".ofd") or an
// Argo Darwin export (".drw") into the current school. It lists one row per
// imported lesson (whether the teacher already has that post, whether it
// will be imported), sorts the rows on a header click, and on saving turns
// the lessons into teaching posts, with a co-presence subject for lessons
// of two teachers, and writes both school files. Abandoning re-reads them.
//
// The lesson table lives in the page (at most kImportedLessonLimit rows);
// every model index is checked before use. Results: 555 saved, -1 a read
// failed or a repeated import was declined, kIdCancel abandoned.
// User-interface thread only.
#pragma once

#include "platform/ui.h"
#include "schooldata/import_names.h"
#include "schooldata/import_page.h"
#include "shell/color_button.h"
#include "shell/help_pane.h"

void ui_register_import_templates();

class Corafac : public CImportPage {
 public:
  static constexpr int kTemplate = 235;
  static constexpr int kOpenId = 1164, kArgoId = 1165, kSaveId = 1166, kAbandonId = 1167, kSortTipId = 1168,
                       kHelpId = 1071;

  Corafac();
  kt::ui::LResult DoModal() override;

  const ImportedLessons& Lessons() const { return m_lessons; }
  void AddImportedLesson(int teacher, int second_teacher, int class_index, int subject, int hours) {
    m_lessons.Add(teacher, second_teacher, class_index, subject, hours);
  }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnCancel() override;
  void FillList(bool first_fill) override;
  void SortBy(int column) override;
  void Save() override;

 private:
  void OpenFile(bool argo);
  void ApplyLessons();

  CSpiegaML m_help;
  CColorButton m_open, m_argo, m_sort_tip;
  ImportedLessons m_lessons;
  // A file gave lessons: a save may follow, and one refused (a full disk)
  // may be made again without applying the lessons twice.
  bool m_read = false;
};
