// The post list of the teachers page and the operations on whole posts:
// the rows of each post (a second row for a lab or conversation part, a
// totals row last), appending a post with quick entry, deleting into the
// store of deleted posts and re-adding the newest stored one.
//
// Invariants: the teacher's own posts come first and the partner copies
// after them, so taking the copies out and putting them back never moves an
// own post; every append or re-add happens with the copies taken out. The
// store holds whole records, so a re-added post is what was deleted.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "shell/message_box.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"

using namespace kt::ui;
using namespace procat;
namespace text = procat_text;

namespace {

constexpr std::uintptr_t kTotalsRow = kProcatTotalsRow;
constexpr int kSubjectColumn = 3;
constexpr std::int64_t kCopyNoticeMs = 5000;

// The Italian headings are the list's own; German and English users read
// them in their language.
const MlText kColumns[] = {
    {"Num", "Nr.", "No."},
    {"Classe", "Klasse", "Class"},
    {"Ore", "Stunden", "Hours"},
    {"Materia", "Fach", "Subject"},
    {"Labor. / Conver.", "Labor / Konvers.", "Lab / Conver."},
    {"Gruppo Laboratori", "Laborgruppe", "Lab group"},
    {"Ore", "Stunden", "Hours"},
    {"Ore totali", "Stunden gesamt", "Total hours"},
    {"Raggruppamento", "Gruppierung", "Grouping"},
    {"Insieme", "Gemeinsam", "Together"},
    {"Articolate", "Gegliedert", "Split"},
    {"Ore Compito", "Pr\xFC" "fungsstunden", "Test hours"},
    {"Ore Vietate", "Verbotene Stunden", "Forbidden hours"},
    {"Ore/Giorno", "Stunden/Tag", "Hours/Day"},
    {"Non nello stesso giorno", "Nicht am selben Tag", "Not on the same day"},
    {"Sottogruppo", "Untergruppe", "Subgroup"},
    {"si sposta", "wechselt", "moves"},
    {"Ore prolungate", "Verl\xE4ngerte Stunden", "Extended hours"},
    {"Posizione", "Position", "Position"},
    {"Attrezzatura", "Ausstattung", "Equipment"},
    {"Vincoli Professore", "Lehrerbedingungen", "Teacher constraints"}};
const MlText kClassAndLab = {"Classe (e Laboratorio)", "Klasse (und Labor)", "Class (and lab)"};
const MlText kClassAndLabHours = {"Ore totali della Classe e del Laboratorio", "Stunden gesamt der Klasse und des Labors",
                                  "Total hours of the class and the lab"};
constexpr int kColumnCount = int(sizeof kColumns / sizeof kColumns[0]);

ListView* post_list(Window& page) { return static_cast<ListView*>(page.GetDlgItem(Cprocat::kPostListId)); }

int own_post_count(const UiTeacher& teacher) {
  int n = 0;
  int count = std::min<int>(teacher.post_count, kUiMaxPosts);
  while (n < count && !teacher.posts[n].copy) ++n;
  return n;
}

bool holds_copies(const UiTeacher& teacher) { return own_post_count(teacher) < int(std::min<std::uint32_t>(std::uint32_t{teacher.post_count}, kUiMaxPosts)); }

// The sum of hours(post) over every teacher's own posts that match.
template <typename Match, typename Hours>
int own_posts_total(Match match, Hours hours) {
  int total = 0;
  for (int t = 0; t < procat_teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (int p = 0; p < std::min<int>(teacher.post_count, kUiMaxPosts); ++p)
      if (!teacher.posts[p].copy && match(teacher.posts[p])) total += hours(teacher.posts[p]);
  }
  return total;
}

// Weekly hours of a class over every teacher's own posts.
int class_total_hours(int class_index) {
  return own_posts_total([&](const UiTeachingPost& p) { return p.class_index == class_index; },
                         [](const UiTeachingPost& p) { return int(p.own.hours); });
}

// Partner hours of a lab over every teacher's own posts.
int lab_total_hours(int lab) {
  return own_posts_total([&](const UiTeachingPost& p) { return p.lab == lab; },
                         [](const UiTeachingPost& p) { return int(p.partner_part.hours); });
}

std::string building_name(int index) {
  int count = std::clamp<int>(g_ui_settings.building_count, 0, kUiMaxBuildings);
  return index >= 0 && index < count ? name_of(g_ui_settings.buildings[index].name) : "";
}

bool several_buildings() { return g_ui_settings.building_count >= 2; }

std::string week_mask_text(const std::uint8_t* mask) {
  char out[kWeekMaskTextSize];
  og_format_week_mask(mask, out, 1);
  return out;
}

std::string grouping_text(const UiPostPart& part) {
  std::string out;
  for (int i = 0; i < 12 && part.grouping1[i]; ++i) {
    if (!out.empty()) out += ' ';
    out += part.grouping1[i];
  }
  if (part.grouping2[0]) out += "-" + std::string(part.grouping2, strnlen(part.grouping2, 12));
  return out;
}

// The classwork ("K:n:a-b", "J:" without a break): its hours and the window
// of hours it must lie in, counted from 1.
std::string classwork_text(const UiPostPart& part) {
  if (part.triple[0] <= 0) return "";
  char text[64];
  std::snprintf(text, sizeof text, "%d (tra %d e %d%s)", part.triple[0], part.triple[1] + 1, part.triple[2] + 1,
                part.letter_j ? " senza ricreazione" : "");
  return text;
}

std::string kind_name(const char (*kinds)[kUiNameSize], int k) {
  return k >= 1 && k <= 20 ? name_of(kinds[k - 1]) : "";
}

// The condition columns 8..20 of one part.
void condition_cells(std::vector<std::string>& cells, const UiTeachingPost& post, const UiPostPart& part, bool own) {
  cells[8] = grouping_text(part);
  if (part.joined_class >= 0) cells[9] = class_label(part.joined_class);
  if (own)
    for (int k = 0; k < std::min(int{post.joint_count}, 8); ++k)
      cells[10] += (k ? " " : "") + class_label(post.joint_classes[k]);
  cells[11] = classwork_text(part);
  if (part.forbidden_hours[0] != 255) cells[12] = week_mask_text(part.forbidden_hours);
  if (part.daily_max >= 0) cells[13] = format_int("%d", part.daily_max);
  cells[14] = subject_name(part.excluded_day_subject);
  cells[15] = subject_name(part.subgroup_subject);
  cells[16] = building_name(part.building_move);
  if (own && part.extended_hours > 0) cells[17] = format_int("%d", part.extended_hours);
  if (part.placement > 0) cells[18] = format_int("%d", part.placement);
  std::string equipment = kind_name(g_ui_settings.gym_equipment, part.gym_equipment);
  std::string lab_kind = kind_name(g_ui_settings.lab_equipment, part.lab_equipment);
  cells[19] = equipment + (equipment.empty() || lab_kind.empty() ? "" : " ") + lab_kind;
}

}  // namespace

void procat_setup_assignment_list(ListView& list, int mode, const ListColumnWidths* widths, const char* subject_heading) {
  list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  while (list.GetColumnCount() > 0) list.DeleteColumn(0);
  for (int c = 0; c < kColumnCount; ++c) {
    std::string heading = kColumns[c].Get();
    if ((mode & 1) && c == 1) heading = kClassAndLab.Get();
    if ((mode & 1) && c == 2) heading = kClassAndLabHours.Get();
    if (c == kSubjectColumn && subject_heading) heading += std::string(" ") + subject_heading;
    list.InsertColumn(c, heading, kLvcfmtLeft, c == 0 ? 30 : 60);
  }
  if (widths) ui_restore_list_column_widths(list, *widths);
}

void Cprocat::SetupAssignmentList() {
  const MlText* caption = &text::kCaptionMain;
  if (listMode & 1) caption = listMode & 16 ? &text::kCaptionLabPartners : &text::kCaptionLab;
  else if (listMode & 2) caption = listMode & 16 ? &text::kCaptionConversationPartners : &text::kCaptionConversation;
  SetDlgItemText(kListCaptionId, caption->Get());
  procat_setup_assignment_list(*post_list(*this), listMode, &m_widths, nullptr);
}

// Rebuilds the rows; the rows of the current post are selected and their
// subject cells marked. One post's rows are rebuilt with the rest, which
// costs nothing on 40 posts and keeps the totals row right.
void procat_fill_assignment_list(ListView& view, int teacher_index, int current) {
  ListView* list = &view;
  list->DeleteAllItems();
  UiTeacher* teacher = teacher_index >= 0 && teacher_index < procat_teacher_count() ? &g_ui_teachers[teacher_index] : nullptr;
  if (teacher) {
    int count = std::min<int>(teacher->post_count, kUiMaxPosts);
    int total = 0;
    for (int p = 0; p < count; ++p) {
      const UiTeachingPost& post = teacher->posts[p];
      std::vector<std::string> cells(kColumnCount);
      cells[0] = format_int("%d", p + 1);
      cells[1] = class_label(post.class_index);
      if (several_buildings() && post.class_index >= 0 && post.class_index < class_count())
        cells[1] += " " + building_name(g_ui_structure.classes[post.class_index].building);
      cells[2] = format_int("%d", class_total_hours(post.class_index));
      cells[3] = subject_name(post.subject);
      if (post.lab >= 0 && post.conversation_subject >= 0)
        ui_message_box_flags(text::kLabAndConversation, kMbOk, kMbSuppressRepeat);
      if (post.copy) cells[4] = teacher_name(post.partner);
      else if (post.lab >= 0) cells[4] = lab_name(post.lab);
      else cells[4] = subject_name(post.conversation_subject);
      cells[5] = lab_group_name(post.lab_group);
      if (post.copy) {
        cells[6] = format_int("%d", post.partner_part.hours);
        total += post.partner_part.hours;
      } else if (has_partner_part(post)) {
        cells[6] = format_int("%d", post.own.hours);
        cells[7] = format_int("%d+%d=%d", post.own.hours - post.partner_part.hours, post.partner_part.hours,
                              post.own.hours);
        total += post.own.hours;
      } else {
        cells[6] = format_int("%d", post.own.hours);
        total += post.own.hours;
      }
      condition_cells(cells, post, post.own, true);
      if (p == current) cells[kSubjectColumn] += " ~";
      int row = list->InsertItem(list->GetItemCount(), cells[0], std::uintptr_t(p));
      for (int c = 1; c < kColumnCount; ++c) list->SetItemText(row, c, cells[c]);
      if (p == current) list->SetItemState(row, kLvisSelected, kLvisSelected);
      if (!has_partner_part(post) || post.partner < 0) continue;
      std::vector<std::string> second(kColumnCount);
      second[0] = cells[0];
      second[1] = post.lab >= 0 ? lab_name(post.lab) : lab_group_name(post.lab_group);
      if (post.lab >= 0 && several_buildings() && post.class_index >= 0 && post.class_index < class_count() &&
          post.lab < lab_count() && g_ui_structure.labs[post.lab].building != g_ui_structure.classes[post.class_index].building)
        second[1] += " " + building_name(g_ui_structure.labs[post.lab].building);
      if (post.lab >= 0) second[2] = format_int("%d", lab_total_hours(post.lab));
      second[3] = cells[3];
      second[4] = post.copy ? teacher_name(teacher_index) : teacher_name(post.partner);
      int without = post.partner_part.extended_hours;
      second[6] = without > 0 ? format_int("%d (%d)", post.partner_part.hours, post.partner_part.hours - without)
                              : format_int("%d", post.partner_part.hours);
      second[8] = grouping_text(post.partner_part);
      row = list->InsertItem(list->GetItemCount(), second[0], std::uintptr_t(p));
      for (int c = 1; c < kColumnCount; ++c) list->SetItemText(row, c, second[c]);
      if (p == current) list->SetItemState(row, kLvisSelected, kLvisSelected);
    }
    std::vector<std::string> totals(kColumnCount);
    totals[kSubjectColumn] = format(text::kTotalHours, teacher_name(teacher_index).c_str());
    totals[6] = format_int("%d", total);
    int standby = std::max<int>(teacher->standby_hours, 0), support = std::max<int>(teacher->support_hours, 0);
    if (support > 0) totals[7] = format_int("+%d disp.+%d sost.=%d", standby, support, total + standby + support);
    else if (standby > 0) totals[7] = format_int("+ %d disp.=%d", standby, total + standby);
    int row = list->InsertItem(list->GetItemCount(), "", kTotalsRow);
    for (int c = 1; c < kColumnCount; ++c) list->SetItemText(row, c, totals[c]);
  }
}

void Cprocat::FillAssignmentList(int) {
  bool was_filling = m_filling;
  m_filling = true;
  procat_fill_assignment_list(*post_list(*this), g_procat_teacher, procat_current_post_number());
  m_filling = was_filling;
}

void Cprocat::OnPostSelected(int row) {
  ListView* list = post_list(*this);
  UiTeacher* teacher = procat_current_teacher();
  std::uintptr_t data = list->GetItemData(row);
  if (!teacher || data == kTotalsRow || data >= std::min<std::uint32_t>(std::uint32_t{teacher->post_count}, kUiMaxPosts)) {
    g_procat_post = nullptr;
  } else {
    g_procat_post = &teacher->posts[data];
  }
  // A copy explains itself in a box too, at most once every few seconds.
  std::int64_t now = ui_clock().NowMs();
  if (g_procat_post && g_procat_post->copy && now - m_last_copy_notice >= kCopyNoticeMs) {
    m_last_copy_notice = now;
    std::string notice = std::string(text::kEditCopy.Get()) + " (" + teacher_name(g_procat_post->partner) + ")";
    ui_message_box(notice.c_str());
  }
  for (int r = 0; r < list->GetItemCount(); ++r) {
    std::string cell = list->GetItemText(r, kSubjectColumn);
    bool marked = cell.size() >= 2 && cell.compare(cell.size() - 2, 2, " ~") == 0;
    bool mine = g_procat_post && list->GetItemData(r) == data;
    if (marked && !mine) list->SetItemText(r, kSubjectColumn, cell.substr(0, cell.size() - 2));
    if (!marked && mine) list->SetItemText(r, kSubjectColumn, cell + " ~");
  }
  ShowPost();
}

bool Cprocat::ConfirmAssistantTeachesMain() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher || !holds_copies(*teacher)) return true;
  return ui_message_box_type(text::kAssistantWarning, kQuestion) == kYes;
}

void Cprocat::OnAddPost() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher || !ConfirmAssistantTeachesMain()) return;
  if (teacher->post_count >= std::uint32_t(kUiMaxPosts)) {
    ui_message_box(text::kTooManyPosts);
    return;
  }
  og_remove_partner_post_copies(g_procat_teacher);
  int p = std::min<int>(teacher->post_count, kUiMaxPosts - 1);
  UiTeachingPost& post = teacher->posts[p];
  og_reset_teaching_post(post);
  teacher->post_count = std::uint32_t(p + 1);
  if (p > 0) {
    const UiTeachingPost& previous = teacher->posts[p - 1];
    post.subject = previous.subject;
    if (previous.class_index >= 0 && previous.class_index < class_count()) {
      const UiClass& from = g_ui_structure.classes[previous.class_index];
      std::size_t length = g_ui_structure.track_count >= 2 ? 3 : 2;
      auto find_code = [&](char year, char section) {
        for (int c = 0; c < class_count(); ++c) {
          const UiClass& k = g_ui_structure.classes[c];
          if (k.code[0] == year && k.code[1] == section && (length == 2 || k.code[2] == from.code[2])) return c;
        }
        return -1;
      };
      char year = from.code[0] < '9' ? char(from.code[0] + 1) : '9';
      int found = find_code(year, from.code[1]);
      if (found < 0 && from.code[1] < 'Z') found = find_code('1', char(from.code[1] + 1));
      post.class_index = found;
    }
  }
  og_add_partner_post_copies(g_procat_teacher);
  g_procat_post = &post;
  g_procat_new_post = 1;
  FillAssignmentList();
  ListView* list = post_list(*this);
  list->EnsureVisible(list->GetItemCount() - 1);
  ShowPost();
  GetDlgItem(kClassId)->SetFocus();
}

// Removes a post of the current teacher into the store of deleted posts.
void Cprocat::DeletePost(int number) {
  UiTeacher* teacher = procat_current_teacher();
  int count = teacher ? std::min<int>(teacher->post_count, kUiMaxPosts) : 0;
  if (number < 0 || number >= count) return;
  int slot = 0;
  while (slot < kDeletedStoreSize && deletedPosts[slot].class_index != -1) ++slot;
  if (slot == kDeletedStoreSize) {
    std::memmove(&deletedPosts[0], &deletedPosts[1], sizeof(UiTeachingPost) * (kDeletedStoreSize - 1));
    slot = kDeletedStoreSize - 1;
  }
  deletedPosts[slot] = teacher->posts[number];
  std::memmove(&teacher->posts[number], &teacher->posts[number + 1],
               sizeof(UiTeachingPost) * std::size_t(count - number - 1));
  og_reset_teaching_post(teacher->posts[count - 1]);
  teacher->post_count = std::uint32_t(count - 1);
  // A current-post reference past the new end moves back by one.
  if (g_procat_post && g_procat_post - teacher->posts >= count - 1)
    g_procat_post = count - 1 > 0 ? &teacher->posts[count - 2] : nullptr;
  GetDlgItem(kReAddId)->EnableWindow(true);
}

void Cprocat::OnDeletePost() {
  UiTeacher* teacher = procat_current_teacher();
  int number = procat_current_post_number();
  if (!teacher || number < 0) {
    message_beep(kBeepSimple);
    return;
  }
  const UiTeachingPost& post = teacher->posts[number];
  if (post.copy) {
    ui_message_box(format(text::kDeleteCopy, teacher_name(post.partner).c_str()).c_str());
    return;
  }
  bool pending = g_procat_new_post != 0;
  if (button(*this, kAutoSaveId)->GetCheck() != kBstChecked && !pending) {
    if (ui_message_box_type(text::kSureToDelete, kQuestion) != kYes) return;
    AskAutoSaveOnce();
  }
  g_procat_new_post = 0;
  DeletePost(number);
  g_procat_post = nullptr;
  FillAssignmentList();
  ShowPost();
}

void Cprocat::OnReAddPost() {
  int slot = kDeletedStoreSize - 1;
  while (slot >= 0 && deletedPosts[slot].class_index == -1) --slot;
  if (slot < 0) {
    ui_message_box(text::kNothingToReAdd);
    GetDlgItem(kReAddId)->EnableWindow(false);
    return;
  }
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher || !ConfirmAssistantTeachesMain()) return;
  if (teacher->post_count >= std::uint32_t(kUiMaxPosts)) {
    ui_message_box(text::kTooManyPosts);
    return;
  }
  og_remove_partner_post_copies(g_procat_teacher);
  int p = std::min<int>(teacher->post_count, kUiMaxPosts - 1);
  teacher->posts[p] = deletedPosts[slot];
  teacher->post_count = std::uint32_t(p + 1);
  og_reset_teaching_post(deletedPosts[slot]);
  og_add_partner_post_copies(g_procat_teacher);
  g_procat_post = &teacher->posts[p];
  FillAssignmentList();
  ListView* list = post_list(*this);
  list->EnsureVisible(list->GetItemCount() - 1);
  ShowPost();
}

// The list took the focus while a new post was pending: incomplete posts go.
void Cprocat::EndQuickEntry() {
  UiTeacher* teacher = procat_current_teacher();
  if (!g_procat_new_post || !teacher) return;
  g_procat_new_post = 0;
  for (int p = own_post_count(*teacher) - 1; p >= 0; --p) {
    const UiTeachingPost& post = teacher->posts[p];
    if (post.class_index < 0 || post.subject < 0 || post.own.hours == 0) DeletePost(p);
  }
  g_procat_post = nullptr;
  FillAssignmentList();
  ListView* list = post_list(*this);
  if (list->GetItemCount() > 1 && list->GetNextItem(-1, kLvniSelected) < 0) {
    list->SetItemState(0, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    OnPostSelected(0);
  } else {
    ShowPost();
  }
}

bool Cprocat::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (!header || header->id != kPostListId) return CResizableDialog::OnNotify(w, l, result);
  auto* notify = reinterpret_cast<ListViewNotify*>(l);
  ListView* list = post_list(*this);
  switch (header->code) {
    case kLvnItemChanged:
      if (!m_filling && (notify->new_state & kLvisSelected) && !(notify->old_state & kLvisSelected))
        OnPostSelected(notify->item);
      return true;
    case kNmDblClk:
      if (g_procat_post) GetDlgItem(kHoursId)->SetFocus();
      return true;
    case kLvnKeyDown:
      if (notify->key == kVkDelete) OnDeletePost();
      return true;
    case kLvnColumnClick:
      ui_sort_grouped_list_by_column(*list, notify->subitem);
      m_help.SetTextML(&text::kSortTip);
      return true;
    case kHdnEndTrack:
      ui_save_list_column_widths(notify->item, notify->width, *list, m_widths);
      return true;
    case kNmSetFocus:
      EndQuickEntry();
      return true;
    default:
      return CResizableDialog::OnNotify(w, l, result);
  }
}
