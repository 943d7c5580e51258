// The checks the teaching-post constraints page runs on the current teacher
// before it saves, tests or leaves him (Cvicat::ValidateTeacher), with
// their automatic corrections, and the service-mode split of a class taught
// in groups (Cvicat::SplitGroupedClass).
//
// Invariants: the checks stop at the first failure and leave the record
// with the corrections made before it (classwork turned into a grouping,
// daily maximums cleared, lab maps copied, service days raised or maps
// moved on request), never half of one correction. Every index is checked
// against its table before it is followed.
// Workload: one teacher of at most 40 posts; the split scans 500 names.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "constraints/post_constraints_page.h"
#include "constraints/post_constraints_texts.h"
#include "schooldata/model_utilities.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "structure/teacher_page_state.h"

using namespace kt::ui;
namespace text = vicat_text;

namespace {

constexpr int kYes = 6;
constexpr int kQuestion = 0x24;

int post_count(const UiTeacher& t) { return int(std::min<std::uint32_t>(+t.post_count, kUiMaxPosts)); }
int class_count() { return int(std::min<std::uint32_t>(+g_ui_structure.class_count, kUiMaxClasses)); }
bool has_map(const UiPostPart& part) { return part.forbidden_hours[0] != 255; }

// The number of leading block digits of a grouping row.
int block_count(const char* row) {
  int n = 0;
  while (n < 12 && row[n] >= '1' && row[n] <= '9') ++n;
  return n;
}

// The teacher's service days: his own value, else the table of days by
// weekly hours at his total hours. Beyond the last threshold the last
// row's days hold; an empty table gives the whole week.
int service_days(const UiTeacher& t) {
  if (t.personal.gmax > 0) return t.personal.gmax;
  int total = std::max<int>(t.standby_hours, 0);
  for (int p = 0; p < post_count(t); ++p) total += t.posts[p].copy ? t.posts[p].partner_part.hours : t.posts[p].own.hours;
  const UiHq2Table& table = g_ui_settings.iggiorni;
  int rows = std::min<int>(table.count, 9);
  if (rows == 0) return 7;
  for (int r = 0; r < rows; ++r)
    if (table.pairs[r][0] >= total) return table.pairs[r][1];
  return table.pairs[rows - 1][1];
}

// Step 3: part B hours that the co-teacher only partly attends cannot hold
// a classwork longer than his hours; it becomes a one-block grouping.
void convert_partial_classwork(UiTeacher& t) {
  bool told = false;
  for (int p = 0; p < post_count(t); ++p) {
    UiPostPart& b = t.posts[p].partner_part;
    if (t.posts[p].copy) continue;  // its owner's validation corrects it
    if (b.extended_hours <= 0 || b.triple[0] <= b.hours - b.extended_hours) continue;
    int length = std::clamp<int>(b.triple[0], 1, 9);
    std::memset(b.grouping1, 0, sizeof b.grouping1);
    std::memset(b.grouping2, 0, sizeof b.grouping2);
    b.grouping1[0] = char('0' + length);
    b.triple[0] = b.triple[1] = b.triple[2] = -1;
    b.letter_j = 0;
    if (!told) ui_message_box(text::kItpConverted);
    told = true;
  }
}

void clear_short_daily_maximums(UiTeacher& t) {
  for (int p = 0; p < post_count(t); ++p)
    for (UiPostPart* part : {&t.posts[p].own, &t.posts[p].partner_part})
      if (!t.posts[p].copy && part->triple[0] > 0 && part->daily_max >= 1 && part->daily_max < part->triple[0]) part->daily_max = -1;
}

// Step 5: one map on every own post is a personal constraint. 1 no such
// map or No, 0 moved (the user saves again).
int move_common_map(UiTeacher& t) {
  int own = 0;
  const UiTeachingPost* first = nullptr;
  for (int p = 0; p < post_count(t); ++p) {
    if (t.posts[p].copy) continue;
    if (!first) first = &t.posts[p];
    ++own;
    if (std::memcmp(t.posts[p].own.forbidden_hours, first->own.forbidden_hours, kUiWeekCells) != 0) return 1;
  }
  if (own < 2 || !has_map(first->own)) return 1;
  char question[1200];
  std::snprintf(question, sizeof question, text::kSameMapForEveryClass.Get(), t.name);
  if (ui_message_box_type(question, kQuestion) != kYes) return 1;
  // Merged into the personal map, so hours forbidden there already stay so.
  std::uint8_t map[kUiWeekCells];
  std::memcpy(map, first->own.forbidden_hours, kUiWeekCells);
  for (int i = 0; i < kUiWeekCells; ++i) t.personal.op[i] = t.personal.op[i] == 1 || map[i] == 1 ? 1 : 0;
  for (int p = 0; p < post_count(t); ++p) {
    if (t.posts[p].copy) continue;
    std::memset(t.posts[p].own.forbidden_hours, 0, kUiWeekCells);
    t.posts[p].own.forbidden_hours[0] = 255;
  }
  return 0;
}

}  // namespace

bool Cvicat::FailPost(int post, const char* message, int focus_id) {
  SelectCurrentInList();
  if (message) ui_message_box(message);
  MakePostCurrent(post);
  if (focus_id && GetDlgItem(focus_id)) GetDlgItem(focus_id)->SetFocus();
  return false;
}

bool Cvicat::ValidateTeacher() {
  if (m_teacher < 0 || m_teacher >= procat_teacher_count()) return true;
  UiTeacher& t = g_ui_teachers[m_teacher];
  int days = service_days(t);
  convert_partial_classwork(t);
  clear_short_daily_maximums(t);
  if (!move_common_map(t)) {
    Refresh();
    return false;
  }
  for (int p = 0; p < post_count(t); ++p) {
    UiTeachingPost& post = t.posts[p];
    if (!post.copy && post.partner_part.hours == post.own.hours && has_map(post.own))
      std::memcpy(post.partner_part.forbidden_hours, post.own.forbidden_hours, kUiWeekCells);
  }
  for (int p = post_count(t) - 1; p >= 0; --p) {
    UiTeachingPost& post = t.posts[p];
    if (post.class_index < 0 || post.class_index >= class_count() ||
        g_ui_structure.classes[post.class_index].code[0] == 0)
      return FailPost(p, text::kChooseClass.Get(), 0);
    for (int side = 0; side < 2; ++side) {
      UiPostPart& part = side == 0 ? post.own : post.partner_part;
      const PanelIds& ids = kPanels[side];
      if (!post.copy && part.joined_class >= 0) {
        for (int q = 0; q < post_count(t); ++q) {
          const UiTeachingPost& other = t.posts[q];
          if (other.copy || other.subject != post.subject || other.class_index != part.joined_class) continue;
          // In service mode a joined class the teacher teaches himself is split to
          // a fictitious teacher instead of refused.
          if (g_service_mode && SplitGroupedClass(p, q)) return true;
          return FailPost(p, text::kJoinedSameTeacher.Get(), ids.joined);
        }
      }
      if (!post.copy && part.triple[0] > 0) {
        if (part.triple[0] > part.hours) return FailPost(p, text::kClassworkTooLong.Get(), ids.classwork);
        if (part.triple[2] - part.triple[1] < part.triple[0] - 1)
          return FailPost(p, text::kClassworkWindow.Get(), ids.first);
      }
      if (side == 0 && post.copy) continue;
      for (const char* row : {part.grouping1, part.grouping2}) {
        int blocks = block_count(row);
        if (blocks == 0 || blocks <= days) continue;
        std::string shown(row, strnlen(row, 12));
        char message[900];
        if (blocks > 7) {
          std::snprintf(message, sizeof message, text::kGroupingDays.Get(), shown.c_str(), blocks,
                        text::kCorrectGrouping.Get());
          return FailPost(p, message, ids.grouping);
        }
        char question[200];
        std::snprintf(question, sizeof question, text::kRaiseServiceDays.Get(), days, blocks);
        std::snprintf(message, sizeof message, text::kGroupingDays.Get(), shown.c_str(), blocks, question);
        if (ui_message_box_type(message, kQuestion) != kYes) return FailPost(p, nullptr, ids.grouping);
        t.personal.gmax = std::int8_t(blocks);
        days = blocks;
      }
    }
  }
  return true;
}

bool Cvicat::SplitGroupedClass(int post, int other) {
  UiTeacher& t = g_ui_teachers[m_teacher];
  if (post == other || post >= post_count(t) || other >= post_count(t)) return false;
  if (t.posts[post].own.hours != t.posts[other].own.hours) return false;
  std::string base(t.name, strnlen(t.name, kUiNameSize - 1));
  if ((t.fc_mode & 1) && base.size() >= 5) base.resize(base.size() - 4);
  if (base.size() > 16) base.resize(16);
  std::string name = base + " ART";
  int target = -1;
  for (int attempt = 0; attempt < 26 && target < 0; ++attempt) {
    int found = -1;
    for (int i = 0; i < procat_teacher_count() && found < 0; ++i)
      if (std::strncmp(g_ui_teachers[i].name, name.c_str(), kUiNameSize) == 0) found = i;
    if (found < 0) {
      int n = procat_teacher_count();
      if (n >= kUiMaxTeachers) return false;
      og_init_teacher(n, name.c_str());
      g_ui_teachers[n].fc_mode = 1;
      g_ui_settings.teacher_count = std::uint32_t(n + 1);
      static_cast<ComboBox*>(GetDlgItem(kTeacherListId))->AddString(name);
      target = n;
    } else if (found != m_teacher && (g_ui_teachers[found].fc_mode & 1)) {
      target = found;
    } else {
      char& last = name.back();
      last = last == 'Z' ? 'A' : char(last + 1);
    }
  }
  if (target < 0) return false;
  UiTeacher& fictitious = g_ui_teachers[target];
  if (fictitious.post_count >= std::uint32_t(kUiMaxPosts)) return false;
  UiTeachingPost moved = t.posts[post];
  moved.own.joined_class = t.posts[other].class_index;
  t.posts[other].own.joined_class = moved.class_index;
  fictitious.posts[fictitious.post_count++] = moved;
  int count = post_count(t);
  for (int p = post; p + 1 < count; ++p) t.posts[p] = t.posts[p + 1];
  og_reset_teaching_post(t.posts[count - 1]);
  t.post_count = std::uint32_t(count - 1);
  m_post = nullptr;
  g_procat_post = nullptr;
  char notice[200];
  std::snprintf(notice, sizeof notice, text::kSplitDone.Get(), og_class_label(moved.class_index), name.c_str());
  m_help.SetText(notice);
  message_beep(kBeepSimple);
  Refresh();
  return true;
}
