// Cprocat, the page "6C Cattedre per Docente": one teacher at a time is
// chosen from a drop-down list, his teaching posts are listed below, and
// the selected post is edited in the lower half. The page edits the working
// teacher records in place; nothing reaches the school files until a save.
//
// Behaviour is split by unit: the page frame and the current teacher
// (teacher_page.cpp), the teacher actions (teacher_page_actions.cpp), the
// post list and whole-post operations (teaching_post_list.cpp) and the post
// editor with its validation (teaching_post_editor.cpp).
//
// Invariants: while a teacher is current his list holds the copies of the
// posts that name him as partner; they are taken out before the record is
// compared with teacherSnapshot, left or written, so the files never hold
// copies. A refused action leaves the record as it was.
#pragma once

#include <cstdint>

#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/frame.h"
#include "shell/help_pane.h"
#include "shell/list_utilities.h"
#include "shell/resizable_dialog.h"

class Cprocat : public CResizableDialog {
 public:
  static constexpr int kTemplate = 140;
  // The page frame.
  static constexpr int kTeacherListId = 1100, kPreviousId = 1101, kNextId = 1102, kAddTeacherId = 1103,
                       kRenameId = 1104, kReceptionId = 1105, kStandbyId = 1106, kSupportId = 1107,
                       kMainSubjectId = 1108, kDummyFreeId = 1109, kDummyCheckedId = 1110, kAutoSaveId = 1111,
                       kSaveId = 1112, kAbandonId = 1113, kNewYearId = 1114, kTryTeacherId = 1115,
                       kTryClassesId = 1116, kHelpId = 1117;
  // The post list.
  static constexpr int kPostListId = 1120, kAddPostId = 1121, kDeletePostId = 1122, kReAddId = 1123,
                       kListCaptionId = 1124;
  // The post editor.
  static constexpr int kClassId = 1130, kSubjectId = 1131, kHoursId = 1132, kPlusId = 1133, kMinusId = 1134,
                       kExtendedId = 1135, kLabId = 1136, kConversationId = 1137, kPartnerId = 1138,
                       kPartnerHoursId = 1139, kAssistantId = 1140, kNoItpId = 1141, kLabEquipmentId = 1142,
                       kGymEquipmentId = 1143, kJointComboId = 1144, kJointListId = 1145, kJointRemoveId = 1146,
                       kAnyClassId = 1147, kNewSubjectId = 1148, kNewLabId = 1149;
  // The "?" buttons beside the fields: extended hours, lab, assistant hours
  // (with the guide to partly assisted lab hours), lab equipment, gym
  // equipment, joint classes (with the guide to combined classes).
  static constexpr int kFieldHelpIds[6] = {1150, 1151, 1152, 1153, 1154, 1155};
  static constexpr int kDeletedStoreSize = 40;

  Cprocat();
  int DestroyWindow() override;

  // Validates every post of the current teacher, last to first; on a
  // failure shows why, makes the failing post current and returns false.
  bool ValidateAllPosts();
  // Fills the post list: every row (post -1), or the rows of one post.
  void FillAssignmentList(int post = -1);
  // Shows the current post in the editor, or clears it (no post).
  void ShowPost();
  // The store of deleted posts (read by tests and the next page opening).
  const UiTeachingPost& DeletedPost(int slot) const { return deletedPosts[slot]; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override;
  void OnCancel() override;
  bool PreTranslateMessage(kt::ui::Message& msg) override;

 private:
  friend struct ProcatAccess;
  // ---- page frame (teacher_page.cpp) ----
  void FillTeacherList();
  bool Listed(int teacher) const;
  bool LeaveTeacher();
  void MakeCurrent(int teacher);
  void LoadTeacherControls();
  void RebuildPartnerCopies();
  void RemovePartnerCopies();
  bool TeacherChanged();
  void SelectCurrentInList();
  void OnTeacherChosen();
  void OnReception();
  void OnStandby();
  void OnSupport();
  void OnMainSubject();
  void OnDummy(int bit);
  void OnAutoSave();
  void OnSave();
  void OnAbandon();
  bool AbandonChanges();
  bool WriteAssignments();
  void AskAutoSaveOnce();
  void SettingsChanged();
  // ---- teacher actions (teacher_page_actions.cpp) ----
 public:
  // Adds a teacher by the input box; inline (from the partner list) keeps
  // the current teacher. The new or existing teacher's index, -1 when none.
  int AddTeacher(bool inline_add);
 private:
  void OnRename();
  void OnStep(int direction);
  void OnNewSchoolYear();
  void OnTrial(bool classes);
  // ---- post list (teaching_post_list.cpp) ----
  void SetupAssignmentList();
  void OnPostSelected(int row);
  void OnAddPost();
  void OnDeletePost();
  void DeletePost(int number);
  void OnReAddPost();
  bool ConfirmAssistantTeachesMain();
  void EndQuickEntry();
  void OnListKey(int key);
  // ---- post editor (teaching_post_editor.cpp) ----
  void FillEditorLists();
  void FillPartnerList();
  void OnClassChosen();
  void OnSubjectChosen();
  void OnHoursChosen(int delta);
  void OnExtendedChosen();
  void OnLabChosen();
  void OnConversationChosen();
  void OnPartnerChosen();
  void OnPartnerHoursChosen();
  void OnAssistantChosen();
  void OnNoItp();
  void OnLabEquipmentChosen();
  void OnGymEquipmentChosen();
  void OnJointChosen();
  void OnJointRemove();
  void OnAnyClass();
  void OnFieldFocus(int id);
  void OnFieldHelp(int button);
  void OpenDictionaryPage(PageSlot slot);
  bool OnConversationLeft();
  int AddEquipmentKind(char (*kinds)[kUiNameSize]);
  void PostChanged();
  void EnableEditor(bool enable);
  bool EditablePost();

  UiTeacher teacherSnapshot;
  std::uint8_t listMode = 0;
  std::uint8_t askedAutoSave = 0;
  UiTeachingPost deletedPosts[kDeletedStoreSize];
  int m_school_days = 0;
  int m_max_day_hours = 0;
  bool m_filling = false;
  std::int64_t m_last_copy_notice = -1000000;
  ListColumnWidths m_widths{};

  CSpiegaML m_help;
  CColorButton m_buttons[20];

};

extern Cprocat g_procat_page;

// The teaching-post list of the teacher pages, also shown by the constraint
// pages: 21 columns (number, class, the class's hours, subject, lab or
// conversation, lab group, hours, totals, then the post's conditions), one
// row per post, a second row for the partner's part, and a totals row last
// whose data word is kProcatTotalsRow (the others hold the post number).
// Mode bit 0 names the class and lab columns for labs; subject_heading, when
// given, follows the subject column's heading; widths, when given, are the
// stored column widths put back.
inline constexpr std::uintptr_t kProcatTotalsRow = 1000;
void procat_setup_assignment_list(kt::ui::ListView& list, int mode, const ListColumnWidths* widths,
                                  const char* subject_heading);
// Fills the list with the posts of a teacher (none for an index out of
// range); the rows of post number current are selected and marked.
void procat_fill_assignment_list(kt::ui::ListView& list, int teacher, int current);
// Installs the teachers page, the teaching-post summary and the quick entry
// of teaching hours in the frame's page holder.
void teachers_install_pages();
// Registers the page's dialog template; idempotent.
void ui_register_teacher_page_template();
