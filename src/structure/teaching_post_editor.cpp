// The editor of the selected teaching post (lower half of the teachers
// page) and the validation of a teacher's posts. Every field handler writes
// one field of the current post and shows the post again; a partner copy is
// shown read-only. Validation runs before a teacher is left, saved or tried
// and stops at the first faulty post, last to first, which it makes
// current so the user lands on the field to fix.
//
// Lab and conversation exclude each other: the list of the one not in use
// is disabled. The hours lists hold 0..84; the partner-hours and assistant
// lists 0..max(weekly hours, partner hours).
#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "remote/guide_windows.h"
#include "schooldata/model_lookups.h"
#include "shell/frame.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"

using namespace kt::ui;
using namespace procat;
namespace text = procat_text;

namespace {

constexpr const char* kGroupPrefix = " gruppo:";
constexpr int kEditorIds[] = {Cprocat::kClassId,       Cprocat::kSubjectId,      Cprocat::kHoursId,
                              Cprocat::kPlusId,        Cprocat::kMinusId,        Cprocat::kExtendedId,
                              Cprocat::kLabId,         Cprocat::kConversationId, Cprocat::kPartnerId,
                              Cprocat::kPartnerHoursId, Cprocat::kAssistantId,   Cprocat::kNoItpId,
                              Cprocat::kLabEquipmentId, Cprocat::kGymEquipmentId, Cprocat::kJointComboId,
                              Cprocat::kJointListId,   Cprocat::kJointRemoveId,  Cprocat::kAnyClassId};
constexpr int kPartnerIds[] = {Cprocat::kPartnerId, Cprocat::kPartnerHoursId, Cprocat::kAssistantId,
                               Cprocat::kLabEquipmentId, Cprocat::kNoItpId};

void fill_numbers(ComboBox& box, int last) {
  box.ResetContent();
  for (int n = 0; n <= last; ++n) box.AddString(std::to_string(n));
}

int kind_count(const char (*kinds)[kUiNameSize]) {
  int n = 0;
  while (n < 20 && kinds[n][0]) ++n;
  return n;
}

void fill_kinds(ComboBox& box, const char (*kinds)[kUiNameSize]) {
  box.ResetContent();
  box.AddString(text::kNotManaged.Get());
  box.AddString(text::kAddNewItem.Get());
  for (int k = 0; k < kind_count(kinds); ++k) box.AddString(name_of(kinds[k]));
}

bool subject_in_common_room(int subject) {
  int gyms = std::min<int>(g_ui_settings.gym_count, kUiMaxGyms);
  for (int g = 0; g < gyms; ++g)
    for (int s : g_ui_settings.gyms[g].subjects)
      if (subject >= 0 && s == subject) return true;
  return false;
}

}  // namespace

void Cprocat::FillEditorLists() {
  ComboBox* classes = combo(*this, kClassId);
  classes->ResetContent();
  for (int c = 0; c < class_count(); ++c)
    if (g_ui_structure.classes[c].code[0] != '\0') classes->AddString(class_label(c));
  og_sort_class_list_box(*classes);
  ComboBox* subjects = combo(*this, kSubjectId);
  ComboBox* conversations = combo(*this, kConversationId);
  subjects->ResetContent();
  conversations->ResetContent();
  conversations->AddString(text::kNotManaged.Get());
  for (int s = 0; s < subject_count(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (subject.hidden || !subject.name[0]) continue;
    (subject.type == 'C' ? conversations : subjects)->AddString(subject_name(s));
  }
  ComboBox* labs = combo(*this, kLabId);
  labs->ResetContent();
  labs->AddString(text::kNotManagedLab.Get());
  for (int l = 0; l < lab_count(); ++l)
    if (g_ui_structure.labs[l].name[0]) labs->AddString(lab_name(l));
  for (int g = 0; g < lab_group_count(); ++g)
    if (g_ui_structure.lab_groups[g].name[0]) labs->AddString(kGroupPrefix + lab_group_name(g));
  fill_numbers(*combo(*this, kHoursId), 84);
  fill_numbers(*combo(*this, kExtendedId), 84);
  fill_kinds(*combo(*this, kGymEquipmentId), g_ui_settings.gym_equipment);
}

void Cprocat::FillPartnerList() {
  ComboBox* partners = combo(*this, kPartnerId);
  partners->ResetContent();
  partners->AddString(text::kAddNewItem.Get());
  for (int t = 0; t < procat_teacher_count(); ++t) partners->AddString(teacher_name(t));
}

void Cprocat::EnableEditor(bool enable) {
  for (int id : kEditorIds) GetDlgItem(id)->EnableWindow(enable);
}

bool Cprocat::EditablePost() { return !m_filling && procat_current_post_number() >= 0 && !g_procat_post->copy; }

void Cprocat::ShowPost() {
  bool was_filling = m_filling;
  m_filling = true;
  UiTeacher* teacher = procat_current_teacher();
  int number = procat_current_post_number();
  ListBox* joint_list = static_cast<ListBox*>(GetDlgItem(kJointListId));
  joint_list->ResetContent();
  if (number < 0) {
    g_procat_post = nullptr;
    for (int id : kEditorIds)
      if (id != kPlusId && id != kMinusId && id != kNoItpId && id != kJointRemoveId && id != kJointListId &&
          id != kAnyClassId)
        combo(*this, id)->SetCurSel(-1);
    EnableEditor(false);
    m_filling = was_filling;
    return;
  }
  UiTeachingPost& post = *g_procat_post;
  bool copy = post.copy != 0;
  EnableEditor(!copy);
  if (copy) {
    std::string notice = std::string(text::kEditCopy.Get()) + " (" + teacher_name(post.partner) + ")";
    m_help.SetText(notice.c_str());
  } else {
    m_help.SetTextML(g_procat_new_post ? &text::kQuickHelp : &text::kDoubleClickHint);
  }
  bool lab = post.lab >= 0 || post.lab_group >= 0;
  bool conversation = post.conversation_subject >= 0;
  ComboBox* labs = combo(*this, kLabId);
  ComboBox* conversations = combo(*this, kConversationId);
  if (lab) {
    select_exact(*labs, post.lab >= 0 ? lab_name(post.lab) : kGroupPrefix + lab_group_name(post.lab_group));
    conversations->SetCurSel(-1);
    conversations->EnableWindow(false);
  } else if (conversation) {
    select_exact(*conversations, subject_name(post.conversation_subject));
    labs->SetCurSel(-1);
    labs->EnableWindow(false);
  } else {
    labs->SetCurSel(0);
    conversations->SetCurSel(0);
  }
  for (int id : kPartnerIds) GetDlgItem(id)->EnableWindow(!copy && (lab || conversation));
  bool assistant = !copy && lab && post.partner != g_procat_teacher;
  GetDlgItem(kAssistantId)->EnableWindow(assistant);
  GetDlgItem(kNoItpId)->EnableWindow(assistant);
  if (post.partner_part.extended_hours > post.partner_part.hours)
    post.partner_part.extended_hours = post.partner_part.hours;
  if (post.partner_part.extended_hours < 0) post.partner_part.extended_hours = 0;
  int top = std::clamp<int>(std::max(post.own.hours, post.partner_part.hours), 0, 84);
  fill_numbers(*combo(*this, kPartnerHoursId), top);
  fill_numbers(*combo(*this, kAssistantId), top);
  combo(*this, kPartnerHoursId)->SetCurSel(std::clamp<int>(post.partner_part.hours, 0, top));
  combo(*this, kAssistantId)->SetCurSel(
      std::clamp<int>(post.partner_part.hours - post.partner_part.extended_hours, 0, top));
  ComboBox* lab_kinds = combo(*this, kLabEquipmentId);
  fill_kinds(*lab_kinds, g_ui_settings.lab_equipment);
  lab_kinds->SetCurSel(post.own.lab_equipment > 0 ? post.own.lab_equipment + 1 : 0);
  ComboBox* gym_kinds = combo(*this, kGymEquipmentId);
  fill_kinds(*gym_kinds, g_ui_settings.gym_equipment);
  gym_kinds->SetCurSel(post.own.gym_equipment > 0 ? post.own.gym_equipment + 1 : 0);
  ComboBox* joint_choices = combo(*this, kJointComboId);
  joint_choices->ResetContent();
  int posts = std::min<int>(teacher->post_count, kUiMaxPosts);
  for (int c = 0; c < class_count(); ++c) {
    if (g_ui_structure.classes[c].code[0] == '\0') continue;
    bool excluded = c == post.class_index;
    for (int p = 0; p < posts && !excluded; ++p)
      excluded = p != number && teacher->posts[p].class_index == c && teacher->posts[p].subject == post.subject;
    if (!excluded) joint_choices->AddString(class_label(c));
  }
  og_sort_class_list_box(*joint_choices);
  joint_choices->SetCurSel(-1);
  for (int k = 0; k < std::clamp(int{post.joint_count}, 0, 8); ++k) joint_list->AddString(class_label(post.joint_classes[k]));
  select_exact(*combo(*this, kSubjectId), subject_name(post.subject));
  combo(*this, kHoursId)->SetCurSel(std::clamp<int>(post.own.hours, 0, 84));
  combo(*this, kExtendedId)->SetCurSel(std::clamp<int>(post.own.extended_hours, 0, 84));
  select_exact(*combo(*this, kClassId), post.class_index >= 0 ? class_label(post.class_index) : "");
  select_exact(*combo(*this, kPartnerId), teacher_name(post.partner));
  button(*this, kAnyClassId)->SetCheck(teacher->reception ? kBstChecked : kBstUnchecked);
  m_filling = was_filling;
}

void Cprocat::PostChanged() {
  FillAssignmentList();
  ShowPost();
}

void Cprocat::OnClassChosen() {
  ComboBox* box = combo(*this, kClassId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  int index = og_find_class_by_label(box->GetLBText(box->GetCurSel()).c_str());
  if (index >= class_count()) return;
  UiTeachingPost& post = *g_procat_post;
  post.class_index = index;
  // The post's own class is never one of its articulated classes (the list
  // of them never offers it): joined to itself, the class would count the
  // post's hours twice.
  int count = std::clamp(int{post.joint_count}, 0, 8), kept = 0;
  for (int k = 0; k < count; ++k)
    if (post.joint_classes[k] != index) post.joint_classes[kept++] = post.joint_classes[k];
  for (int k = kept; k < count; ++k) post.joint_classes[k] = -1;
  post.joint_count = kept;
  PostChanged();
}

void Cprocat::OnSubjectChosen() {
  ComboBox* box = combo(*this, kSubjectId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  g_procat_post->subject = find_subject(box->GetLBText(box->GetCurSel()));
  PostChanged();
}

void Cprocat::OnHoursChosen(int delta) {
  ComboBox* box = combo(*this, kHoursId);
  if (!EditablePost()) return;
  int hours = std::clamp(box->GetCurSel() + delta, 0, 84);
  UiTeachingPost& post = *g_procat_post;
  post.own.hours = std::int8_t(hours);
  if (post.own.extended_hours > hours) post.own.extended_hours = std::int8_t(hours);
  if (g_procat_new_post == 2) g_procat_new_post = 1;
  PostChanged();
}

void Cprocat::OnExtendedChosen() {
  ComboBox* box = combo(*this, kExtendedId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  g_procat_post->own.extended_hours = std::int8_t(std::min<int>(box->GetCurSel(), g_procat_post->own.hours));
  PostChanged();
}

void Cprocat::OnLabChosen() {
  ComboBox* box = combo(*this, kLabId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  UiTeachingPost& post = *g_procat_post;
  std::string chosen = box->GetLBText(box->GetCurSel());
  bool focus_partner = false;
  if (box->GetCurSel() == 0) {
    post.lab = post.lab_group = -1;
  } else if (chosen.rfind(kGroupPrefix, 0) == 0) {
    std::string group = chosen.substr(std::strlen(kGroupPrefix));
    post.lab = -1;
    post.lab_group = -1;
    for (int g = 0; g < lab_group_count() && post.lab_group < 0; ++g)
      if (lab_group_name(g) == group) post.lab_group = g;
    if (post.conversation_subject < 0) post.partner = -1;
    focus_partner = post.partner < 0;
  } else {
    post.lab = find_lab(chosen);
    post.lab_group = -1;
    if (post.partner < 0) {
      post.partner = g_procat_teacher;
      post.partner_part.hours = post.own.hours;
      post.partner_part.extended_hours = 0;
      focus_partner = true;
    }
  }
  PostChanged();
  if (focus_partner) GetDlgItem(kPartnerId)->SetFocus();
}

void Cprocat::OnConversationChosen() {
  ComboBox* box = combo(*this, kConversationId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  UiTeachingPost& post = *g_procat_post;
  if (box->GetCurSel() == 0) {
    post.conversation_subject = -1;
  } else {
    post.conversation_subject = find_subject(box->GetLBText(box->GetCurSel()));
    post.partner_part.extended_hours = 0;
  }
  PostChanged();
}

void Cprocat::OnPartnerChosen() {
  ComboBox* box = combo(*this, kPartnerId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  std::string chosen = box->GetLBText(box->GetCurSel());
  int partner = chosen == text::kAddNewItem.Get() ? AddTeacher(true) : find_teacher(chosen);
  if (partner >= 0) g_procat_post->partner = partner;
  PostChanged();
}

void Cprocat::OnPartnerHoursChosen() {
  ComboBox* box = combo(*this, kPartnerHoursId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  UiPostPart& part = g_procat_post->partner_part;
  part.hours = std::int8_t(box->GetCurSel());
  if (part.extended_hours > part.hours) part.extended_hours = part.hours;
  PostChanged();
}

void Cprocat::OnAssistantChosen() {
  ComboBox* box = combo(*this, kAssistantId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  int present = box->GetCurSel();
  if (present == 0) {
    OnNoItp();
    return;
  }
  UiPostPart& part = g_procat_post->partner_part;
  part.hours = std::int8_t(std::max<int>(part.hours, present));
  part.extended_hours = std::int8_t(part.hours - present);
  PostChanged();
}

void Cprocat::OnNoItp() {
  if (!EditablePost()) return;
  g_procat_post->partner = g_procat_teacher;
  g_procat_post->partner_part.extended_hours = 0;
  PostChanged();
  if (g_procat_post && g_procat_post->partner_part.hours == 0) GetDlgItem(kPartnerHoursId)->SetFocus();
}

// Asks for a new equipment kind; its value (1-based), 0 when none was added.
int Cprocat::AddEquipmentKind(char (*kinds)[kUiNameSize]) {
  int count = kind_count(kinds);
  if (count >= 20) {
    ui_message_box(text::kTableFull);
    return 0;
  }
  char typed[kUiNameSize] = "";
  if (casella_run_input_box(text::kKindPrompt.Get(), typed, 20, 1, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return 0;
  char name[kUiNameSize];
  og_clean_name(name, typed);
  for (char* c = name; *c; ++c)
    if (!or_is_alnum(static_cast<unsigned char>(*c))) *c = '_';
  if (!name[0]) return 0;
  for (int k = 0; k < count; ++k)
    if (std::strncmp(kinds[k], name, kUiNameSize) == 0) return k + 1;
  std::memcpy(kinds[count], name, kUiNameSize);
  return count + 1;
}

void Cprocat::OnLabEquipmentChosen() {
  ComboBox* box = combo(*this, kLabEquipmentId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  int row = box->GetCurSel();
  std::int8_t& value = g_procat_post->own.lab_equipment;
  if (row == 0) value = 0;
  else if (row == 1) value = std::int8_t(AddEquipmentKind(g_ui_settings.lab_equipment));
  else value = std::int8_t(row - 1);
  PostChanged();
}

void Cprocat::OnGymEquipmentChosen() {
  ComboBox* box = combo(*this, kGymEquipmentId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  int row = box->GetCurSel();
  std::int8_t& value = g_procat_post->own.gym_equipment;
  if (row == 0) {
    value = 0;
  } else if (!subject_in_common_room(g_procat_post->subject)) {
    ui_message_box(text::kGymNotCommonRoom);
    value = 0;
  } else if (row == 1) {
    value = std::int8_t(AddEquipmentKind(g_ui_settings.gym_equipment));
  } else {
    value = std::int8_t(row - 1);
  }
  PostChanged();
}

void Cprocat::OnJointChosen() {
  ComboBox* box = combo(*this, kJointComboId);
  if (!EditablePost() || box->GetCurSel() < 0) return;
  int index = og_find_class_by_label(box->GetLBText(box->GetCurSel()).c_str());
  UiTeachingPost& post = *g_procat_post;
  if (index >= class_count()) return;
  int count = std::clamp(int{post.joint_count}, 0, 8);
  for (int k = 0; k < count; ++k)
    if (post.joint_classes[k] == index) return;
  if (count >= 8) {
    ui_message_box(text::kTooManyClasses);
    return;
  }
  post.joint_classes[count] = index;
  post.joint_count = count + 1;
  PostChanged();
}

void Cprocat::OnJointRemove() {
  ListBox* list = static_cast<ListBox*>(GetDlgItem(kJointListId));
  int row = list->GetCurSel();
  if (!EditablePost() || row < 0 || row >= std::clamp(int{g_procat_post->joint_count}, 0, 8)) {
    message_beep(kBeepSimple);
    return;
  }
  UiTeachingPost& post = *g_procat_post;
  int count = std::clamp(int{post.joint_count}, 0, 8);
  for (int k = row; k + 1 < count; ++k) post.joint_classes[k] = post.joint_classes[k + 1];
  post.joint_classes[count - 1] = -1;
  post.joint_count = count - 1;
  PostChanged();
}

void Cprocat::OnAnyClass() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher) return;
  teacher->reception = button(*this, kAnyClassId)->GetCheck() == kBstChecked ? 1 : 0;
  PostChanged();
}

// A "?" button: the field's help text; two of them open their guide too.
void Cprocat::OnFieldHelp(int button) {
  static const MlText* const kHelps[6] = {&text::kExtendedHelp,     &text::kLabHelp,          &text::kLabHelp,
                                          &text::kLabEquipmentHelp, &text::kGymEquipmentHelp, &text::kJointHelp};
  if (button < 0 || button >= 6) return;
  m_help.SetTextML(kHelps[button]);
  if (button == 2) g_guide_ipay.Open();
  if (button == 5) g_guide_arti.Open();
}

// Quick entry keeps the order class, subject, hours.
void Cprocat::OnFieldFocus(int id) {
  static const struct {
    int id;
    const MlText* help;
  } kFieldHelp[] = {{kExtendedId, &text::kExtendedHelp},         {kLabId, &text::kLabHelp},
                    {kLabEquipmentId, &text::kLabEquipmentHelp}, {kGymEquipmentId, &text::kGymEquipmentHelp},
                    {kJointComboId, &text::kJointHelp}};
  for (const auto& field : kFieldHelp)
    if (field.id == id) m_help.SetTextML(field.help);
  if (!g_procat_new_post || procat_current_post_number() < 0) return;
  m_help.SetTextML(&text::kQuickEntry);
  if (id == kSubjectId && g_procat_post->class_index < 0) GetDlgItem(kClassId)->SetFocus();
  if (id == kHoursId && g_procat_post->subject < 0) GetDlgItem(kSubjectId)->SetFocus();
}

// Tab out of the conversation list, the last field of quick entry: a post
// with hours and no partner is complete and the next one is appended; true
// when the key was used here.
bool Cprocat::OnConversationLeft() {
  if (g_procat_new_post != 1 || procat_current_post_number() < 0 || g_procat_post->partner >= 0) {
    g_procat_new_post = 0;
    return false;
  }
  if (g_procat_post->own.hours == 0) {
    GetDlgItem(kHoursId)->SetFocus();
    return true;
  }
  g_procat_new_post = 2;
  GetDlgItem(kAddPostId)->SetFocus();
  OnAddPost();
  return true;
}

bool Cprocat::PreTranslateMessage(Message& msg) {
  if (msg.message == kMsgKeyDown && int(msg.wparam) == kVkTab && !(unsigned(msg.lparam) & kModShift) &&
      GetFocus() == GetDlgItem(kConversationId) && OnConversationLeft())
    return true;
  return CResizableDialog::PreTranslateMessage(msg);
}

bool Cprocat::ValidateAllPosts() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher) return true;
  for (int p = std::min<int>(teacher->post_count, kUiMaxPosts) - 1; p >= 0; --p) {
    const UiTeachingPost& post = teacher->posts[p];
    if (post.copy) continue;  // a copy is checked on its owner
    std::string label = class_label(post.class_index);
    std::string message;
    int focus = 0;
    if (post.class_index < 0 || post.class_index >= class_count()) {
      message = text::kNeedClass.Get(), focus = kClassId;
    } else if (post.subject < 0 || post.subject >= subject_count()) {
      message = text::kNeedSubject.Get(), focus = kSubjectId;
    } else if (post.own.hours < 1) {
      message = format(text::kZeroHours, label.c_str()), focus = kHoursId;
    } else if (post.conversation_subject >= 0 || post.lab >= 0) {
      if (post.partner < 0 || post.partner >= procat_teacher_count()) {
        message = text::kNeedPartner.Get(), focus = kPartnerId;
      } else if (post.partner_part.hours < 1) {
        message = format(text::kZeroPartnerHours, label.c_str()), focus = kPartnerHoursId;
      } else if (post.conversation_subject >= 0 && post.lab < 0 && post.partner == g_procat_teacher) {
        message = format(text::kSamePartner, subject_name(post.conversation_subject).c_str(),
                         subject_name(post.subject).c_str());
        focus = kPartnerId;
      }
    }
    if (message.empty()) continue;
    ui_message_box(message.c_str());
    SelectCurrentInList();
    g_procat_post = &teacher->posts[p];
    PostChanged();
    if (Window* control = GetDlgItem(focus)) control->SetFocus();
    return false;
  }
  return true;
}
