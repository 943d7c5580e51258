// Clacoco, the lessons-by-class page (template 233): the teaching posts of
// all teachers seen from one class, one grid row per weekly lesson hour.
// The user changes one hour at a time: another subject or teacher, a lab or
// co-teaching hour with a second teacher, a subgroup parallel to another
// subject, one hour more or less, a co-teaching hour split into two frontal
// hours, and teachers renamed or added. Every change moves hours between
// the UiTeachingPost entries at once (class_hours.h); the rows are rebuilt
// from the model after each action.
//
// The current hour lives only in the page. Before the class changes and
// before the page is left, a post with a lab and no partner gets its own
// teacher as partner (a lab hour of the teacher alone).
#pragma once

#include <array>
#include <vector>

#include "platform/ui.h"
#include "remote/guide_windows.h"
#include "shell/cell_grid.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "structure/class_hours.h"
#include "structure/dictionary_page.h"

// "Salva senza conferma": changes are saved without a question when the
// class changes; kept while the program runs.
extern bool g_lacoco_save_without_asking;

class Clacoco : public CDictionaryPage {
 public:
  static constexpr int kTemplate = 233;
  static constexpr int kColumns = 14;
  enum Id {
    kClassId = 1501,
    kPrevId,
    kNextId,
    kCountId,
    kBuildingTextId,
    kGridId,
    kSubjectId,
    kNewSubjectId,
    kTeacherId,
    kNewTeacherId,
    kLabId,
    kNewLabId,
    kConversationId,
    kNewConversationId,
    kSecondId,
    kNewSecondId,
    kSubgroupId,
    kAddHourId,
    kAddHour2Id,
    kDeleteId,
    kAnotherId,
    kSeparateId,
    kRenameId,
    kSaveId,
    kAbandonId,
    kSave2Id,
    kAbandon2Id,
    kAutoSaveId,
    kHelpPaneId,
    kFirstHelpButtonId,
    kHowToId = kFirstHelpButtonId + 2,
    kFirstStaticId,
  };
  static constexpr int kStatics = 7;

  Clacoco() : CDictionaryPage(kTemplate) {}

  int SelectedClass() const { return m_class; }
  const std::vector<ClassHourRow>& Rows() const { return m_rows; }
  const ClassHour& CurrentHour() const { return m_hour; }
  bool Joining() const { return m_joining; }

  void BuildRows();
  void ShowHour(int row, int column);
  void SortByColumn(int column);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  bool CheckBeforeLeaving() override;
  void OnEnter(kt::ui::Window*) override {}

 private:
  void FillChoosers();
  void ShowRows();
  bool ChangeClass(int index);
  void EnableForColumn(int column);
  void AfterChange(int teacher);
  void OnFrontalTeacher();
  void OnFrontalSubject();
  void SetCoTeaching(int used);
  void OnSubgroup();
  void DeleteHour();
  void AnotherHour();
  void SeparateHours();
  void RenameTeacher();
  void NewTeacher(kt::ui::ComboBox& chooser);
  void NewSubject(bool conversation);
  void NewLab();
  void StartNewHour();
  void StartJoin();
  void CompleteJoin(const ClassHourRow& picked, int column);
  void Abandon();
  int ChosenTeacher(const kt::ui::ComboBox& chooser) const;
  int ChosenSubject(const kt::ui::ComboBox& chooser) const;
  int ChosenLab() const;

  int m_class = -1;
  ClassHour m_hour;
  int m_column = -1;
  bool m_new_hour = false;
  bool m_joining = false;  // the next click on column 7 picks the hour to join the current one to
  bool m_asked_auto_save = false;
  std::array<int, kColumns> m_directions{};
  std::vector<ClassHourRow> m_rows;

  kt::ui::ComboBox m_classes, m_subject, m_teacher, m_lab, m_conversation, m_second, m_subgroup;
  CXQLix m_grid;
  CMuto m_count, m_building_text;
  CColorButton m_prev, m_next, m_new_subject, m_new_teacher, m_new_lab, m_new_conversation, m_new_second;
  CColorButton m_add_hour, m_add_hour2, m_delete, m_another, m_separate, m_rename;
  CColorButton m_save, m_abandon, m_save2, m_abandon2, m_how_to;
  std::array<CColorButton, 2> m_help_buttons;
  CCheckML m_auto_save;
  CSpiegaML m_help;
  // The hint shown while a frontal hour waits for the hour it joins.
  Clegslaco m_join_hint;
  std::array<CStaticML, kStatics> m_statics;
};
