// The frame of the teachers page (see teacher_page.h): opening and closing,
// the teacher list and the current teacher, leaving a teacher (validation,
// change check, save question), the per-teacher settings, saving and
// abandoning. The teacher list is small (at most 500 names) and is rebuilt
// whole whenever a name or the list mode's filter may have changed.
//
// Leaving a teacher is the one place where edits become files: a changed
// record is written only when the user agrees (or chose auto-save), and a
// failed write keeps the teacher current with his edits.
#include "structure/teacher_page.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"
#include "structure/dictionary_page.h"
#include "structure/labs_page.h"
#include "structure/quick_entry_page.h"
#include "structure/subjects_page.h"
#include "structure/teaching_post_summary.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;
using namespace procat;
namespace text = procat_text;

Cprocat g_procat_page;

void teachers_install_pages() {
  ui_register_teacher_page_template();
  g_pages.Install(PageSlot::Procat, &g_procat_page);
  ui_register_summary_page_template();
  g_pages.Install(PageSlot::Syncat, &g_syncat_page);
  ui_register_quick_entry_template();
  g_pages.Install(PageSlot::Proqui, &g_proqui_page);
}

namespace {

constexpr int kButtonIds[] = {Cprocat::kPreviousId,    Cprocat::kNextId,       Cprocat::kAddTeacherId,
                              Cprocat::kRenameId,      Cprocat::kSaveId,       Cprocat::kAbandonId,
                              Cprocat::kNewYearId,     Cprocat::kTryTeacherId, Cprocat::kTryClassesId,
                              Cprocat::kAddPostId,     Cprocat::kDeletePostId, Cprocat::kReAddId,
                              Cprocat::kPlusId,        Cprocat::kMinusId,      Cprocat::kNoItpId,
                              Cprocat::kJointRemoveId, Cprocat::kNewSubjectId, Cprocat::kNewLabId};
constexpr int kButtonCount = int(sizeof kButtonIds / sizeof kButtonIds[0]);
static_assert(kButtonCount <= 20);

constexpr std::uint8_t kLabMode = 1, kConversationMode = 2, kPartnerBit = 16;
constexpr Color kPageBackground = rgb(244, 244, 244);

}  // namespace

Cprocat::Cprocat() : CResizableDialog(kTemplate, nullptr, kPageBackground) {
  // The store of deleted posts lives as long as the page object: once per run.
  for (UiTeachingPost& post : deletedPosts) og_reset_teaching_post(post);
  std::memset(&teacherSnapshot, 0, sizeof teacherSnapshot);
}

void Cprocat::DoDataExchange(DataExchange& dx) {
  dx.Control(kHelpId, m_help);
  for (int i = 0; i < kButtonCount; ++i) dx.Control(kButtonIds[i], m_buttons[i]);
}

bool Cprocat::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  SetWindowText(text::kTitle.Get());
  ui_set_current_dialog_title(text::kTitle.Get());
  AnchorControl(kPostListId, kAnchorTopLeft, kAnchorMiddleRight);
  AnchorControl(kHelpId, kAnchorMiddleLeft, kAnchorBottomRight);
  AnchorPastEdgesOf(kPostListId);
  listMode = std::uint8_t(g_page_argument & 0xFF);
  m_school_days = 0;
  m_max_day_hours = 0;
  for (int d = 0; d < 7; ++d) {
    int hours = g_ui_header.hours_per_day[d];
    if (hours > 0) ++m_school_days;
    if (hours > m_max_day_hours) m_max_day_hours = hours;
  }
  m_filling = true;
  for (int id : {kStandbyId, kSupportId}) {
    ComboBox* box = combo(*this, id);
    box->ResetContent();
    for (int h = 0; h <= 83; ++h) box->AddString(std::to_string(h));
  }
  ComboBox* main_subject = combo(*this, kMainSubjectId);
  main_subject->ResetContent();
  for (int s = 0; s < subject_count(); ++s)
    if (!g_ui_structure.subjects[s].hidden && g_ui_structure.subjects[s].name[0])
      main_subject->AddString(subject_name(s));
  FillEditorLists();
  m_filling = false;
  std::memset(&teacherSnapshot, 0, sizeof teacherSnapshot);
  SetupAssignmentList();
  int start = procat_find_current_teacher();
  if (start >= 0 && !Listed(start)) {
    start = -1;
    for (int t = 0; t < procat_teacher_count() && start < 0; ++t)
      if (Listed(t)) start = t;
  }
  g_procat_teacher = start;
  FillTeacherList();
  g_procat_post = nullptr;
  g_procat_new_post = 0;
  MakeCurrent(start);
  button(*this, kAutoSaveId)->SetCheck(g_auto_save ? kBstChecked : kBstUnchecked);
  m_help.SetTextML(&text::kGeneralHelp);
  if (listMode & (kLabMode | kConversationMode)) {
    GetDlgItem(kAddTeacherId)->EnableWindow(false);
    GetDlgItem(kAddTeacherId)->ShowWindow(kSwHide);
  }
  return true;
}

bool Cprocat::Listed(int teacher) const {
  if (listMode & kLabMode)
    return (listMode & kPartnerBit ? og_count_lab_posts_with_partner(teacher) : og_count_lab_posts(teacher)) > 0;
  if (listMode & kConversationMode)
    return (listMode & kPartnerBit ? og_count_conversation_posts_with_partner(teacher)
                                   : og_count_conversation_posts(teacher)) > 0;
  return true;
}

void Cprocat::FillTeacherList() {
  ComboBox* list = combo(*this, kTeacherListId);
  bool was_filling = m_filling;
  m_filling = true;
  list->ResetContent();
  for (int t = 0; t < procat_teacher_count(); ++t)
    if (Listed(t)) list->AddString(teacher_name(t));
  SelectCurrentInList();
  FillPartnerList();
  m_filling = was_filling;
}

void Cprocat::SelectCurrentInList() {
  ComboBox* list = combo(*this, kTeacherListId);
  if (g_procat_teacher < 0) {
    list->SetCurSel(-1);
    return;
  }
  select_exact(*list, teacher_name(g_procat_teacher));
}

void Cprocat::RemovePartnerCopies() {
  if (procat_current_teacher()) og_remove_partner_post_copies(g_procat_teacher);
  if (g_procat_post && procat_current_post_number() < 0) g_procat_post = nullptr;
}

void Cprocat::RebuildPartnerCopies() {
  if (!procat_current_teacher()) return;
  og_remove_partner_post_copies(g_procat_teacher);
  og_add_partner_post_copies(g_procat_teacher);
}

bool Cprocat::TeacherChanged() {
  UiTeacher* teacher = procat_current_teacher();
  return teacher && std::memcmp(teacher, &teacherSnapshot, sizeof teacherSnapshot) != 0;
}

bool Cprocat::WriteAssignments() {
  if (og_write_assignments_file(0, 0) == 0) return true;
  ui_message_box(format(text::kWriteFailed, og_description_write_error()).c_str());
  return false;
}

void Cprocat::AskAutoSaveOnce() {
  if (askedAutoSave) return;
  askedAutoSave = 1;
  if (ui_message_box_type(text::kSaveNextWithoutAsking, kQuestion) != kYes) return;
  button(*this, kAutoSaveId)->SetCheck(kBstChecked);
  g_auto_save = 1;
}

// Steps 1 and 2 of changing teacher: the posts must be valid, and a changed
// record is saved (with or without a question) before another becomes
// current. False keeps the current teacher, with his copies, in the list.
bool Cprocat::LeaveTeacher() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher) return true;
  if (!ValidateAllPosts()) {
    SelectCurrentInList();
    return false;
  }
  RemovePartnerCopies();
  if (!TeacherChanged()) return true;
  std::string name = teacher_name(g_procat_teacher);
  if (button(*this, kAutoSaveId)->GetCheck() == kBstChecked) {
    m_help.SetText(format(text::kSavedAutomatically, name.c_str()).c_str());
    message_beep(kBeepExclamation);
  } else {
    if (ui_message_box_type(format(text::kSaveChanges, name.c_str()).c_str(), kQuestion) != kYes) {
      RebuildPartnerCopies();
      SelectCurrentInList();
      return false;
    }
    AskAutoSaveOnce();
  }
  if (WriteAssignments()) return true;
  RebuildPartnerCopies();
  SelectCurrentInList();
  return false;
}

// Makes a teacher current without the leave check (the caller did it).
void Cprocat::MakeCurrent(int teacher) {
  if (teacher >= procat_teacher_count()) teacher = procat_teacher_count() > 0 ? 0 : -1;
  g_procat_teacher = teacher;
  g_procat_post = nullptr;
  if (teacher < 0) {
    std::memset(&teacherSnapshot, 0, sizeof teacherSnapshot);
    combo(*this, kTeacherListId)->SetCurSel(-1);
    FillAssignmentList();
    ShowPost();
    return;
  }
  og_remove_partner_post_copies(teacher);
  LoadTeacherControls();
  std::memcpy(&teacherSnapshot, &g_ui_teachers[teacher], sizeof teacherSnapshot);
  RebuildPartnerCopies();
  SelectCurrentInList();
  FillAssignmentList();
  ShowPost();
  procat_remember_teacher(teacher);
}

void Cprocat::LoadTeacherControls() {
  UiTeacher& t = g_ui_teachers[g_procat_teacher];
  bool was_filling = m_filling;
  m_filling = true;
  combo(*this, kStandbyId)->SetCurSel(t.standby_hours >= 0 && t.standby_hours <= 83 ? t.standby_hours : 0);
  combo(*this, kSupportId)->SetCurSel(t.support_hours >= 0 && t.support_hours <= 83 ? t.support_hours : 0);
  button(*this, kReceptionId)->SetCheck(t.nor_flag ? kBstUnchecked : kBstChecked);
  select_exact(*combo(*this, kMainSubjectId), t.main_subject >= 0 ? subject_name(t.main_subject) : "");
  GetDlgItem(kDummyCheckedId)->EnableWindow(false);
  button(*this, kDummyCheckedId)->SetCheck(kBstUnchecked);
  bool dummy = (t.fc_mode & 1) != 0;
  for (int id : {kStandbyId, kSupportId, kReceptionId}) GetDlgItem(id)->EnableWindow(!dummy);
  button(*this, kDummyFreeId)->SetCheck(dummy ? kBstChecked : kBstUnchecked);
  if (dummy) button(*this, kReceptionId)->SetCheck(kBstUnchecked);
  m_filling = was_filling;
}

void Cprocat::OnTeacherChosen() {
  if (m_filling) return;
  ComboBox* list = combo(*this, kTeacherListId);
  int row = list->GetCurSel();
  std::string chosen = row >= 0 ? list->GetLBText(row) : "";
  if (procat_current_teacher() && chosen == teacher_name(g_procat_teacher)) return;
  if (!LeaveTeacher()) return;
  int found = find_teacher(chosen);
  MakeCurrent(found >= 0 ? found : (procat_teacher_count() > 0 ? 0 : -1));
}

void Cprocat::SettingsChanged() {
  FillAssignmentList();
  ShowPost();
}

void Cprocat::OnReception() {
  UiTeacher* t = procat_current_teacher();
  if (!t) return;
  t->nor_flag = button(*this, kReceptionId)->GetCheck() == kBstChecked ? 0 : 1;
  SettingsChanged();
}

void Cprocat::OnStandby() {
  UiTeacher* t = procat_current_teacher();
  int row = combo(*this, kStandbyId)->GetCurSel();
  if (!t || m_filling || row < 0) return;
  t->standby_hours = std::int8_t(row);
  SettingsChanged();
}

void Cprocat::OnSupport() {
  UiTeacher* t = procat_current_teacher();
  int row = combo(*this, kSupportId)->GetCurSel();
  if (!t || m_filling || row < 0) return;
  t->support_hours = std::int8_t(row);
  SettingsChanged();
}

void Cprocat::OnMainSubject() {
  UiTeacher* t = procat_current_teacher();
  ComboBox* box = combo(*this, kMainSubjectId);
  int row = box->GetCurSel();
  if (!t || m_filling || row < 0) return;
  t->main_subject = std::int16_t(find_subject(box->GetLBText(row)));
  SettingsChanged();
}

// bit 1: without constraints (the box of this page); bit 2: with controlled
// constraints (shown disabled here). A dummy teacher has no reception, no
// stand-by and no support hours.
void Cprocat::OnDummy(int bit) {
  UiTeacher* t = procat_current_teacher();
  if (!t) return;
  int id = bit == 1 ? kDummyFreeId : kDummyCheckedId;
  int other = bit == 1 ? kDummyCheckedId : kDummyFreeId;
  bool ticked = button(*this, id)->GetCheck() == kBstChecked;
  if (ticked) {
    t->fc_mode = std::uint8_t(bit);
    button(*this, other)->SetCheck(kBstUnchecked);
    if (t->standby_hours != 0 || t->support_hours != 0) ui_message_box(text::kDummyWarning);
    t->nor_flag = 1;
    t->standby_hours = 0;
    t->support_hours = 0;
  } else {
    t->fc_mode = std::uint8_t(t->fc_mode & ~bit);
  }
  LoadTeacherControls();
  if (!ticked) button(*this, id)->SetCheck(kBstUnchecked);
  SettingsChanged();
}

void Cprocat::OnAutoSave() { g_auto_save = button(*this, kAutoSaveId)->GetCheck() == kBstChecked ? 1 : 0; }

void Cprocat::OnSave() {
  if (!ValidateAllPosts()) {
    SelectCurrentInList();
    return;
  }
  RemovePartnerCopies();
  if (og_save_school_files() && procat_current_teacher()) {
    std::memcpy(&teacherSnapshot, procat_current_teacher(), sizeof teacherSnapshot);
  }
  RebuildPartnerCopies();
  FillAssignmentList();
  ShowPost();
}

// Drops the edits: true when the page may go on (files re-read), false to
// stay. A pending new post with no hours is all that goes when there is one.
bool Cprocat::AbandonChanges() {
  UiTeacher* teacher = procat_current_teacher();
  if (teacher && g_procat_new_post && teacher->post_count > 0) {
    int last = int(teacher->post_count) - 1;
    if (last < kUiMaxPosts && procat_current_post_number() == last && teacher->posts[last].own.hours == 0) {
      DeletePost(last);
      g_procat_new_post = 0;
      g_procat_post = nullptr;
      FillAssignmentList();
      ShowPost();
      return false;
    }
  }
  RemovePartnerCopies();
  if (TeacherChanged() && ui_message_box_type(g_abandon_question, kQuestion) != kYes) {
    RebuildPartnerCopies();
    return false;
  }
  g_procat_post = nullptr;
  g_procat_new_post = 0;
  og_read_school_files(0);
  return true;
}

void Cprocat::OnAbandon() {
  if (!AbandonChanges()) return;
  if (g_current_page == this && alfadlg_go_to_page(kPageReopen)) return;
  // Shown outside the frame: reload in place.
  OnInitDialog();
}

void Cprocat::OnCancel() {
  if (!AbandonChanges()) return;
  CResizableDialog::OnCancel();
}

void Cprocat::OnOK() {
  if (GetFocus() == GetDlgItem(kAddPostId)) OnAddPost();
}

// The subjects and labs pages run as dialogs over this page to add an item;
// the editor's lists are filled again afterwards.
void Cprocat::OpenDictionaryPage(PageSlot slot) {
  ui_register_dictionary_templates();
  if (slot == PageSlot::Materie) {
    Cmaterie dialog;
    dialog.DoModalCaptioned(true);
  } else {
    Clapal dialog;
    dialog.DoModalCaptioned(true);
  }
  FillEditorLists();
  ShowPost();
}

int Cprocat::DestroyWindow() {
  if (IsWindow()) {
    if (!ValidateAllPosts()) return 0;
    RemovePartnerCopies();
    if (og_save_if_changed(0) != 0) {
      RebuildPartnerCopies();
      return 0;
    }
  }
  return CResizableDialog::DestroyWindow();
}

bool Cprocat::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange) {
    switch (id) {
      case kTeacherListId: OnTeacherChosen(); return true;
      case kStandbyId: OnStandby(); return true;
      case kSupportId: OnSupport(); return true;
      case kMainSubjectId: OnMainSubject(); return true;
      case kClassId: OnClassChosen(); return true;
      case kSubjectId: OnSubjectChosen(); return true;
      case kHoursId: OnHoursChosen(0); return true;
      case kExtendedId: OnExtendedChosen(); return true;
      case kLabId: OnLabChosen(); return true;
      case kConversationId: OnConversationChosen(); return true;
      case kPartnerId: OnPartnerChosen(); return true;
      case kPartnerHoursId: OnPartnerHoursChosen(); return true;
      case kAssistantId: OnAssistantChosen(); return true;
      case kLabEquipmentId: OnLabEquipmentChosen(); return true;
      case kGymEquipmentId: OnGymEquipmentChosen(); return true;
      case kJointComboId: OnJointChosen(); return true;
      default: break;
    }
  }
  if (code == kBnSetFocus && (id == kAddTeacherId || id == kNewYearId)) {
    m_help.SetTextML(id == kAddTeacherId ? &text::kAddTeacherHelp : &text::kNewYearHelp);
    return true;
  }
  if (code == kCbnSetFocus) {
    OnFieldFocus(id);
    return true;
  }
  if (code == kCbnKillFocus && id == kConversationId) {
    OnConversationLeft();
    return true;
  }
  if (code == kBnClicked) {
    switch (id) {
      case kPreviousId: OnStep(-1); return true;
      case kNextId: OnStep(1); return true;
      case kAddTeacherId: AddTeacher(false); return true;
      case kRenameId: OnRename(); return true;
      case kReceptionId: OnReception(); return true;
      case kDummyFreeId: OnDummy(1); return true;
      case kDummyCheckedId: OnDummy(2); return true;
      case kAutoSaveId: OnAutoSave(); return true;
      case kSaveId: OnSave(); return true;
      case kAbandonId: OnAbandon(); return true;
      case kNewYearId: OnNewSchoolYear(); return true;
      case kTryTeacherId: OnTrial(false); return true;
      case kTryClassesId: OnTrial(true); return true;
      case kAddPostId: OnAddPost(); return true;
      case kDeletePostId: OnDeletePost(); return true;
      case kReAddId: OnReAddPost(); return true;
      case kPlusId: OnHoursChosen(1); return true;
      case kMinusId: OnHoursChosen(-1); return true;
      case kNoItpId: OnNoItp(); return true;
      case kJointRemoveId: OnJointRemove(); return true;
      case kAnyClassId: OnAnyClass(); return true;
      case kNewSubjectId: OpenDictionaryPage(PageSlot::Materie); return true;
      case kNewLabId: OpenDictionaryPage(PageSlot::Lapal); return true;
      case kFieldHelpIds[0]: case kFieldHelpIds[1]: case kFieldHelpIds[2]: case kFieldHelpIds[3]:
      case kFieldHelpIds[4]: case kFieldHelpIds[5]: OnFieldHelp(id - kFieldHelpIds[0]); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}
