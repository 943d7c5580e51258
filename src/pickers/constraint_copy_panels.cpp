// The copy and paste panels of constraints (see constraint_copy_panels.h):
// the paste rules of a teaching post's placement constraints and the two
// panels' buttons. A paste reaches one post, the current teacher's own
// posts, or every teacher's own posts of the copied subject and hours;
// partner copies are never pasted into, since they only mirror a post that
// its owner edits.
#include "pickers/constraint_copy_panels.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "schooldata/model_utilities.h"
#include "shell/frame.h"

using namespace kt::ui;

Ccopypas g_copypas;
Ccopysma g_copysma;

namespace {

int post_count(const UiTeacher& t) { return int(std::min<std::uint32_t>(+t.post_count, kUiMaxPosts)); }
bool digit(char c) { return c >= '1' && c <= '9'; }

bool part_has_constraints(const UiPostPart& p) {
  return p.forbidden_hours[0] != 255 || p.joined_class != -1 || p.excluded_day_subject != -1 ||
         p.subgroup_subject != -1 || p.building_move != -1 || p.placement > 0 || p.daily_max > 0 ||
         p.triple[0] > 0 || digit(p.grouping1[0]) || digit(p.grouping2[0]);
}

// True when a post of `owner` teaches `subject` (as its subject or its
// conversation subject) in class `class_index`.
bool owner_teaches(int owner, int subject, int class_index) {
  if (owner < 0 || owner >= kUiMaxTeachers || subject < 0) return false;
  const UiTeacher& t = g_ui_teachers[owner];
  for (int p = 0; p < post_count(t); ++p) {
    const UiTeachingPost& post = t.posts[p];
    if (post.class_index == class_index && (post.subject == subject || post.conversation_subject == subject))
      return true;
  }
  return false;
}

void paste_part(UiPostPart& to, const UiPostPart& from) {
  if (from.forbidden_hours[0] != 255) std::memcpy(to.forbidden_hours, from.forbidden_hours, kUiWeekCells);
  if (from.joined_class != -1) to.joined_class = from.joined_class;
  if (from.excluded_day_subject != -1) to.excluded_day_subject = from.excluded_day_subject;
  if (from.subgroup_subject != -1) to.subgroup_subject = from.subgroup_subject;
  if (from.triple[0] > 0) {
    std::memcpy(to.triple, from.triple, sizeof to.triple);
    to.letter_j = from.letter_j;
  }
  if (digit(from.grouping1[0])) {
    std::memcpy(to.grouping1, from.grouping1, sizeof to.grouping1);
    std::memcpy(to.grouping2, from.grouping2, sizeof to.grouping2);
  } else if (digit(from.grouping2[0])) {
    std::memcpy(to.grouping2, from.grouping2, sizeof to.grouping2);
  }
  if (from.building_move != -1) {
    to.building_move = from.building_move;
    to.building_move_option = from.building_move_option;
  }
  if (from.placement > 0) to.placement = from.placement;
  if (from.daily_max > 0) to.daily_max = from.daily_max;
}

// What was pasted must fit the target: no day exclusion or subgroup on a
// subject its own teacher teaches in that class, no grouping or classwork
// beyond the part's weekly hours.
void fit_part(UiPostPart& part, int owner, int class_index) {
  if (owner_teaches(owner, part.excluded_day_subject, class_index)) part.excluded_day_subject = -1;
  if (owner_teaches(owner, part.subgroup_subject, class_index)) part.subgroup_subject = -1;
  og_clamp_hour_digits(part);
  if (part.triple[0] > part.hours) {
    if (part.hours > 0) {
      part.triple[0] = part.hours;
    } else {
      part.triple[0] = part.triple[1] = part.triple[2] = -1;
      part.letter_j = 0;
    }
  }
}

std::string subject_name(int s) {
  if (s < 0 || s >= int(std::min<std::uint32_t>(+g_ui_structure.subject_count, kUiMaxSubjects))) return "";
  return std::string(g_ui_structure.subjects[s].name, strnlen(g_ui_structure.subjects[s].name, kUiNameSize - 1));
}

}  // namespace

bool copypas_has_constraints(const UiTeachingPost& post) {
  return part_has_constraints(post.own) || part_has_constraints(post.partner_part);
}

void copypas_paste_into(UiTeachingPost& target, const UiTeachingPost& clip, int owner) {
  paste_part(target.own, clip.own);
  paste_part(target.partner_part, clip.partner_part);
  fit_part(target.own, owner, target.class_index);
  fit_part(target.partner_part, owner, target.class_index);
}

// ---- CCopyPanel ----

int CCopyPanel::Create(Window* parent) {
  if (m_created && IsWindow()) return 1;
  ui_register_copy_panel_templates();
  if (!Dialog::Create(template_id(), parent)) return 0;
  m_created = true;
  ShowWindow(kSwHide);
  return 1;
}

void CCopyPanel::OnCancel() { ShowWindow(kSwHide); }

void CCopyPanel::OnDestroy() {
  m_created = false;
  CDialogML::OnDestroy();
}

// ---- Ccopypas ----

void Ccopypas::DoDataExchange(DataExchange& dx) {
  const int ids[] = {kCopyId, kPasteId, kResetId, kPasteTeacherId, kPasteEveryoneId};
  for (int i = 0; i < 5; ++i) dx.Control(ids[i], m_buttons[i]);
}

bool Ccopypas::OnInitDialog() {
  CDialogML::OnInitDialog();
  DisablePaste();
  return true;
}

void Ccopypas::ShowPanel(bool show) {
  if (!IsCreated() || !IsWindow()) return;
  if (!show) {
    ShowWindow(kSwHide);
    return;
  }
  for (int id : {kPasteId, kPasteTeacherId, kPasteEveryoneId}) GetDlgItem(id)->EnableWindow(m_copied);
  if (m_copied) {
    char caption[120];
    std::snprintf(caption, sizeof caption, "Incolla a tutti i docenti %s Ore %d", subject_name(m_clip.subject).c_str(),
                  int(m_clip.own.hours));
    m_buttons[4].SetCaption(caption);
  }
  bool has = m_current && !m_current->copy && copypas_has_constraints(*m_current);
  GetDlgItem(kCopyId)->EnableWindow(has);
  GetDlgItem(kResetId)->EnableWindow(has);
  ShowWindow(has || m_copied ? kSwShow : kSwHide);
}

void Ccopypas::DisablePaste() {
  for (int id : {kPasteId, kPasteTeacherId, kPasteEveryoneId}) GetDlgItem(id)->EnableWindow(false);
}

void Ccopypas::OnCopy() {
  if (!m_current) return;
  m_clip = *m_current;
  m_copied = true;
  ShowWindow(kSwHide);
}

void Ccopypas::OnPaste() {
  if (!m_copied || !m_current || m_current->copy) return;
  copypas_paste_into(*m_current, m_clip, m_teacher);
  DisablePaste();
  alfadlg_refresh_lesson_constraints_page();
}

void Ccopypas::OnReset() {
  if (!m_current || m_current->copy) return;
  og_reset_teaching_post(*m_current, 1);
  GetDlgItem(kCopyId)->EnableWindow(false);
  GetDlgItem(kResetId)->EnableWindow(false);
  alfadlg_refresh_lesson_constraints_page();
}

void Ccopypas::OnPasteTeacher() {
  if (!m_copied || m_teacher < 0 || m_teacher >= og_teacher_count()) return;
  UiTeacher& t = g_ui_teachers[m_teacher];
  for (int p = 0; p < post_count(t); ++p)
    if (!t.posts[p].copy) copypas_paste_into(t.posts[p], m_clip, m_teacher);
  DisablePaste();
  alfadlg_refresh_lesson_constraints_page();
}

void Ccopypas::OnPasteEveryone() {
  if (!m_copied) return;
  for (int i = 0; i < og_teacher_count(); ++i) {
    UiTeacher& t = g_ui_teachers[i];
    for (int p = 0; p < post_count(t); ++p) {
      UiTeachingPost& post = t.posts[p];
      if (!post.copy && post.subject == m_clip.subject && post.own.hours == m_clip.own.hours)
        copypas_paste_into(post, m_clip, i);
    }
  }
  DisablePaste();
  alfadlg_refresh_lesson_constraints_page();
}

bool Ccopypas::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kCopyId: OnCopy(); return true;
      case kPasteId: OnPaste(); return true;
      case kResetId: OnReset(); return true;
      case kPasteTeacherId: OnPasteTeacher(); return true;
      case kPasteEveryoneId: OnPasteEveryone(); return true;
      case kCloseId: ShowWindow(kSwHide); return true;
      default: break;
    }
  }
  return CCopyPanel::OnCommand(w, l);
}


// ---- Ccopysma ----

void Ccopysma::DoDataExchange(DataExchange& dx) {
  dx.Control(kCopyId, m_buttons[0]);
  dx.Control(kPasteId, m_buttons[1]);
}

UiClassCalendar* Ccopysma::Target() {
  int count = int(std::min<std::uint32_t>(+g_ui_structure.class_count, kUiMaxClasses));
  if (m_class < 0 || m_class >= count || m_set < 0 || m_set > 1) return nullptr;
  return &g_ui_structure.classes[m_class].calendars[m_set];
}

void Ccopysma::ShowPanel(bool show) {
  if (!IsCreated() || !IsWindow()) return;
  bool has = Target() != nullptr;
  if (!show || (!has && !m_copied)) {
    ShowWindow(kSwHide);
    return;
  }
  GetDlgItem(kPasteId)->EnableWindow(m_copied);
  GetDlgItem(kCopyId)->EnableWindow(has);
  ShowWindow(kSwShow);
}

bool Ccopysma::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    UiClassCalendar* target = Target();
    switch (command_id(w)) {
      case kCopyId:
        if (target) {
          m_clip = *target;
          m_pasted = false;
          m_copied = true;
          ShowWindow(kSwHide);
        }
        return true;
      case kPasteId:
        if (target && m_copied) {
          *target = m_clip;
          m_pasted = true;
          ShowWindow(kSwHide);
          GetDlgItem(kPasteId)->EnableWindow(false);
        }
        return true;
      case kCloseId: ShowWindow(kSwHide); return true;
      default: break;
    }
  }
  return CCopyPanel::OnCommand(w, l);
}

