// The frame of the teaching-post constraints page (see
// post_constraints_page.h): opening and closing, the teacher drop-down and
// the current teacher, leaving a teacher (validation, change check, save
// question), the post list, saving, abandoning and the trial runs. The
// teacher list is small (at most 500 names) and is filled whole on opening.
//
// Leaving a teacher is where edits become files: a changed record is
// written only when the user agrees (or chose auto-save), and a refused
// validation or a failed write keeps the teacher current with his edits.
#include "constraints/post_constraints_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "pickers/constraint_copy_panels.h"
#include "constraints/post_constraints_texts.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_state.h"
#include "structure/trial_computation.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;
namespace text = vicat_text;

Cvicat g_vicat_page;

namespace {

constexpr int kYes = 6;
constexpr int kQuestion = 0x24;
constexpr std::uintptr_t kTotalsRow = kProcatTotalsRow;
constexpr std::int64_t kCopyNoticeMs = 5000;
constexpr Color kPageBackground = rgb(244, 244, 244);
constexpr int kButtonIds[] = {Cvicat::kPreviousId,         Cvicat::kNextId,
                              Cvicat::kSaveId,             Cvicat::kAbandonId,
                              Cvicat::kTryTeacherId,       Cvicat::kTryClassesId,
                              Cvicat::kHowToId,            Cvicat::kTestHelpId,
                              Cvicat::kPanels[0].grouping, Cvicat::kPanels[0].forbidden,
                              Cvicat::kPanels[1].grouping, Cvicat::kPanels[1].forbidden};
static_assert(sizeof kButtonIds / sizeof kButtonIds[0] == Cvicat::kButtonCount);

ComboBox* combo(Window& page, int id) { return static_cast<ComboBox*>(page.GetDlgItem(id)); }
Button* button(Window& page, int id) { return static_cast<Button*>(page.GetDlgItem(id)); }
ListView* post_list(Window& page) { return static_cast<ListView*>(page.GetDlgItem(Cvicat::kPostListId)); }

std::string name_of(const char* field) { return std::string(field, strnlen(field, kUiNameSize - 1)); }
std::string teacher_name(int t) {
  return t >= 0 && t < procat_teacher_count() ? name_of(g_ui_teachers[t].name) : "";
}
std::string number(int n) { return std::to_string(n); }
std::string formatted(const MlText& t, const std::string& a) {
  char buffer[600];
  std::snprintf(buffer, sizeof buffer, t.Get(), a.c_str());
  return buffer;
}

void refresh_hook() { g_vicat_page.Refresh(); }

}  // namespace

void post_constraints_install_pages() {
  ui_register_post_constraints_template();
  ui_register_copy_panel_templates();
  g_pages.Install(PageSlot::Vicat, &g_vicat_page);
  g_frame_service_hooks.refresh_lesson_constraints_page = refresh_hook;
}

Cvicat::Cvicat() : CResizableDialog(kTemplate, nullptr, kPageBackground) {}

void Cvicat::DoDataExchange(DataExchange& dx) {
  dx.Control(kHelpId, m_help);
  for (int i = 0; i < kButtonCount; ++i) dx.Control(kButtonIds[i], m_buttons[i]);
}

bool Cvicat::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  SetWindowText(text::kTitle.Get());
  ui_set_current_dialog_title(text::kTitle.Get());
  AnchorControl(kPostListId, kAnchorTopLeft, kAnchorTopRight);
  AnchorPastEdgesOf(kPostListId);
  g_copypas.Create(this);
  g_copypas.ShowPanel(false);
  m_filling = true;
  FillTeacherList();
  FillFixedLists();
  m_filling = false;
  std::memset(&m_snapshot, 0, sizeof m_snapshot);
  SetupList();
  m_teacher = -1;
  LoadTeacher(procat_find_current_teacher());
  button(*this, kAutoSaveId)->SetCheck(g_auto_save ? kBstChecked : kBstUnchecked);
  m_help.SetTextML(&text::kPageHelp);
  return true;
}

void Cvicat::FillTeacherList() {
  ComboBox* list = combo(*this, kTeacherListId);
  list->ResetContent();
  for (int t = 0; t < procat_teacher_count(); ++t) list->AddString(teacher_name(t));
}

void Cvicat::SelectCurrentInList() {
  bool was = m_filling;
  m_filling = true;
  combo(*this, kTeacherListId)->SetCurSel(m_teacher >= 0 ? m_teacher : -1);
  m_filling = was;
}

void Cvicat::RemovePartnerCopies() {
  if (m_teacher < 0) return;
  int number = m_post ? int(m_post - g_ui_teachers[m_teacher].posts) : -1;
  og_remove_partner_post_copies(m_teacher);
  if (number >= int(g_ui_teachers[m_teacher].post_count)) m_post = nullptr;
}

void Cvicat::RebuildPartnerCopies() {
  if (m_teacher < 0) return;
  og_remove_partner_post_copies(m_teacher);
  og_add_partner_post_copies(m_teacher);
}

// Compared without the partner copies, which the snapshot never holds.
bool Cvicat::TeacherChanged() const {
  return m_teacher >= 0 && std::memcmp(&g_ui_teachers[m_teacher], &m_snapshot, sizeof m_snapshot) != 0;
}

void Cvicat::ShowTeacherFields() {
  const UiTeacher* t = m_teacher >= 0 ? &g_ui_teachers[m_teacher] : nullptr;
  SetDlgItemText(kStandbyId, t ? number(t->standby_hours).c_str() : "");
  SetDlgItemText(kReceptionId, t && !t->nor_flag ? "1" : "0");
  // Ticked for a teacher who has support hours.
  button(*this, kSupportId)->SetCheck(t && t->support_hours > 0 ? kBstChecked : kBstUnchecked);
  button(*this, kDummyFreeId)->SetCheck(t && (t->fc_mode & 1) ? kBstChecked : kBstUnchecked);
  button(*this, kDummyCheckedId)->SetCheck(t && (t->fc_mode & 2) ? kBstChecked : kBstUnchecked);
}

// Makes a teacher current without the leave check (the caller did it).
void Cvicat::LoadTeacher(int teacher) {
  if (teacher < 0 || teacher >= procat_teacher_count()) teacher = procat_teacher_count() > 0 ? 0 : -1;
  m_teacher = teacher;
  g_procat_teacher = teacher;
  m_post = nullptr;
  g_procat_post = nullptr;
  g_copypas.ShowPanel(false);
  g_copypas.m_current = nullptr;
  g_copypas.m_teacher = teacher;
  if (teacher >= 0) {
    procat_remember_teacher(teacher);
    og_remove_partner_post_copies(teacher);
    std::memcpy(&m_snapshot, &g_ui_teachers[teacher], sizeof m_snapshot);
    og_add_partner_post_copies(teacher);
  } else {
    std::memset(&m_snapshot, 0, sizeof m_snapshot);
  }
  SelectCurrentInList();
  ShowTeacherFields();
  FillList();
  FillPanels();
}

// Steps 1 to 3 of a change of teacher; false keeps the current teacher.
bool Cvicat::LeaveTeacher() {
  if (m_teacher < 0) return true;
  if (!ValidateTeacher()) {
    SelectCurrentInList();
    return false;
  }
  RemovePartnerCopies();
  if (!TeacherChanged()) return true;
  std::string name = teacher_name(m_teacher);
  if (button(*this, kAutoSaveId)->GetCheck() == kBstChecked) {
    m_help.SetText(formatted(text::kSavedAutomatically, name).c_str());
    message_beep(kBeepExclamation);
  } else {
    if (ui_message_box_type(formatted(text::kSaveChanges, name).c_str(), kQuestion) != kYes) {
      RebuildPartnerCopies();
      SelectCurrentInList();
      return false;
    }
    if (!m_asked_auto_save) {
      m_asked_auto_save = true;
      if (ui_message_box_type(text::kSaveNextWithoutAsking, kQuestion) == kYes) {
        button(*this, kAutoSaveId)->SetCheck(kBstChecked);
        g_auto_save = 1;
      }
    }
  }
  if (og_write_assignments_file(0, 0) == 0) return true;
  ui_message_box(formatted(text::kWriteFailed, og_description_write_error()).c_str());
  RebuildPartnerCopies();
  SelectCurrentInList();
  return false;
}

void Cvicat::OnTeacherChosen() {
  if (m_filling) return;
  ComboBox* list = combo(*this, kTeacherListId);
  int row = list->GetCurSel();
  if (row == m_teacher) return;
  if (!LeaveTeacher()) return;
  LoadTeacher(row);
}

void Cvicat::OnStep(int direction) {
  if (m_teacher < 0 || !LeaveTeacher()) return;
  LoadTeacher(std::clamp(m_teacher + direction, 0, procat_teacher_count() - 1));
}

void Cvicat::OnSave() {
  if (!ValidateTeacher()) {
    SelectCurrentInList();
    return;
  }
  RemovePartnerCopies();
  if (og_write_assignments_file(0, 0) != 0) {
    ui_message_box(formatted(text::kWriteFailed, og_description_write_error()).c_str());
  } else if (m_teacher >= 0) {
    std::memcpy(&m_snapshot, &g_ui_teachers[m_teacher], sizeof m_snapshot);
  }
  RebuildPartnerCopies();
  Refresh();
}

void Cvicat::OnAbandon() {
  g_copypas.ShowPanel(false);
  RemovePartnerCopies();
  if (TeacherChanged() && ui_message_box_type(g_abandon_question, kQuestion) != kYes) {
    RebuildPartnerCopies();
    return;
  }
  if (m_teacher >= 0) std::memcpy(&g_ui_teachers[m_teacher], &m_snapshot, sizeof m_snapshot);
  m_post = nullptr;
  if (g_current_page == this && alfadlg_go_to_page(kPageReopen)) return;
  LoadTeacher(m_teacher);
}

// Esc asks the same question and closes in any case; the frame's leave
// check (DestroyWindow) decides about what is still unsaved.
void Cvicat::OnCancel() {
  RemovePartnerCopies();
  if (TeacherChanged() && ui_message_box_type(g_abandon_question, kQuestion) == kYes && m_teacher >= 0)
    std::memcpy(&g_ui_teachers[m_teacher], &m_snapshot, sizeof m_snapshot);
  RebuildPartnerCopies();
  CResizableDialog::OnCancel();
}

void Cvicat::OnTrial(bool classes) {
  m_help.SetTextML(&text::kTestHelp);
  if (m_teacher < 0 || !ValidateTeacher()) return;
  RemovePartnerCopies();
  bool ran = trial_run(classes, g_ui_teachers[m_teacher].name);
  // After the class test the list shows the teacher's own posts until he is
  // loaded again.
  if (!classes || !ran) RebuildPartnerCopies();
  Refresh();
}

int Cvicat::DestroyWindow() {
  if (IsWindow()) {
    if (!ValidateTeacher()) return 0;
    g_copypas.ShowPanel(false);
    RemovePartnerCopies();
    if (og_save_if_changed(0) != 0) {
      RebuildPartnerCopies();
      return 0;
    }
    m_post = nullptr;
    g_copypas.m_current = nullptr;
  }
  return CResizableDialog::DestroyWindow();
}

// ---- the post list ----

void Cvicat::SetupList() {
  SetDlgItemText(kListCaptionId, text::kListCaption.Get());
  procat_setup_assignment_list(*post_list(*this), 0, &m_widths, nullptr);
}

// The teacher pages' post list; the current post's row shows its
// constraints as they are now.
void Cvicat::FillList() {
  bool was = m_filling;
  m_filling = true;
  int current = m_teacher >= 0 && m_post ? int(m_post - g_ui_teachers[m_teacher].posts) : -1;
  procat_fill_assignment_list(*post_list(*this), m_teacher, current);
  m_filling = was;
}

void Cvicat::MakePostCurrent(int number) {
  if (m_teacher < 0) return;
  UiTeacher& teacher = g_ui_teachers[m_teacher];
  m_post = number >= 0 && number < int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts))
               ? &teacher.posts[number]
               : nullptr;
  g_procat_post = m_post;
  g_copypas.m_current = m_post;
  g_copypas.m_teacher = m_teacher;
  if (m_post && m_post->copy) {
    std::string notice = std::string(text::kEditCopy.Get()) + " " + teacher_name(m_post->partner);
    m_help.SetText(notice.c_str());
    std::int64_t now = ui_clock().NowMs();
    if (now - m_last_copy_notice >= kCopyNoticeMs) {
      m_last_copy_notice = now;
      ui_message_box(notice.c_str());
    }
    g_copypas.ShowPanel(false);
  } else if (m_post) {
    m_help.SetTextML(&text::kEditable);
    // Beside the list: over its right edge, below its header.
    if (g_copypas.IsWindow()) {
      Rect list = GetDlgItem(kPostListId)->GetWindowRect();
      Rect panel = g_copypas.GetWindowRect();
      g_copypas.MoveWindow(list.right - panel.Width(), list.top + 16, panel.Width(), panel.Height());
    }
    g_copypas.ShowPanel(true);
  }
  Refresh();
}

// The totals row stands for the row before it.
void Cvicat::OnPostSelected(int row) {
  ListView* list = post_list(*this);
  if (list->GetItemData(row) == kTotalsRow) {
    if (row == 0) return;
    --row;
  }
  MakePostCurrent(int(list->GetItemData(row)));
}

void Cvicat::Refresh() {
  FillList();
  FillPanels();
}

bool Cvicat::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (!header || header->id != kPostListId) return CResizableDialog::OnNotify(w, l, result);
  auto* notify = reinterpret_cast<ListViewNotify*>(l);
  if (header->code == kLvnItemChanged) {
    if (!m_filling && (notify->new_state & kLvisSelected) && !(notify->old_state & kLvisSelected))
      OnPostSelected(notify->item);
    return true;
  }
  if (header->code == kHdnEndTrack) {
    ui_save_list_column_widths(notify->item, notify->width, *post_list(*this), m_widths);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

bool Cvicat::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange && id == kTeacherListId) {
    OnTeacherChosen();
    return true;
  }
  if (code == kBnClicked) {
    switch (id) {
      case kPreviousId: OnStep(-1); return true;
      case kNextId: OnStep(1); return true;
      case kSaveId: OnSave(); return true;
      case kAbandonId: OnAbandon(); return true;
      case kTryTeacherId: OnTrial(false); return true;
      case kTryClassesId: OnTrial(true); return true;
      case kAutoSaveId: g_auto_save = button(*this, kAutoSaveId)->GetCheck() == kBstChecked ? 1 : 0; return true;
      case kHowToId: m_help.SetTextML(&text::kPageHelp); return true;
      case kTestHelpId: m_help.SetTextML(&text::kTestHelp); return true;
      default: break;
    }
  }
  if (PanelCommand(id, code)) return true;
  return CResizableDialog::OnCommand(w, l);
}
