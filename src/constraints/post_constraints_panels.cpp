// The two panels of the teaching-post constraints page (see
// post_constraints_page.h): filling them from the current post, which
// controls are live, and the handler of each control. Panel A edits the
// post's own part, panel B its partner part (lab, conversation or
// co-teacher hours); a handler writes its field at once and refreshes the
// post's row in the list.
//
// The grouping editor shows each grouping row as counts of blocks per block
// size and writes it back as digits in descending order; the forbidden-hours
// grid stores a map with no forbidden hour as no map at all.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pickers/constraint_copy_panels.h"
#include "constraints/post_constraints_page.h"
#include "constraints/post_constraints_texts.h"
#include "remote/guide_windows.h"
#include "schooldata/model_lookups.h"
#include "schooldata/model_utilities.h"
#include "shell/message_box.h"

using namespace kt::ui;
namespace text = vicat_text;

namespace {

constexpr const char* kNotDefined = " Non definito";
constexpr const char* kAllDay = " (tutto il giorno)";
constexpr const char* kTeacherMoves = " (docente cambia plesso per accompagnare)";
constexpr int kMaxBlock = 7;

ComboBox* combo(Window& page, int id) { return static_cast<ComboBox*>(page.GetDlgItem(id)); }
Button* button(Window& page, int id) { return static_cast<Button*>(page.GetDlgItem(id)); }
int class_count() { return int(std::min<std::uint32_t>(+g_ui_structure.class_count, kUiMaxClasses)); }
int building_count() { return std::clamp<int>(g_ui_settings.building_count, 0, kUiMaxBuildings); }
std::string name_of(const char* field) { return std::string(field, strnlen(field, kUiNameSize - 1)); }

void fill_numbers(ComboBox& box, bool dash, int from, int to) {
  box.ResetContent();
  if (dash) box.AddString("-");
  for (int n = from; n <= to; ++n) box.AddString(std::to_string(n));
}

// True when one of `teacher`'s own posts teaches `subject` in the class.
bool teaches(const UiTeacher& teacher, int subject, int class_index, bool as_conversation) {
  for (int p = 0; p < int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts)); ++p) {
    const UiTeachingPost& post = teacher.posts[p];
    if (post.class_index != class_index) continue;
    if (post.subject == subject || (as_conversation && post.conversation_subject == subject)) return true;
  }
  return false;
}

// The count of blocks of `size` hours in a grouping row.
std::int8_t blocks_of(const char* row, int size) {
  int n = 0;
  for (int i = 0; i < 12 && row[i]; ++i) n += row[i] - '0' == size;
  return std::int8_t(n);
}

// Writes a row from its (size, count) pairs: largest blocks first.
void write_row(char* row, const std::int8_t (*pairs)[2], int rows) {
  std::memset(row, 0, 13);
  int at = 0;
  for (int size = 9; size >= 1; --size)
    for (int r = 0; r < rows; ++r)
      if (pairs[r][0] == size)
        for (int k = 0; k < pairs[r][1] && at < 12; ++k) row[at++] = char('0' + size);
}

int row_sum(const std::int8_t (*pairs)[2], int rows) {
  int sum = 0;
  for (int r = 0; r < rows; ++r) sum += std::max(0, int(pairs[r][0])) * std::max(0, int(pairs[r][1]));
  return sum;
}

// A break lies between hour h and h + 1 of a day when the next hour starts
// after this one ends; a class without clock times of its own uses the
// school's.
bool calendar_has_break(int class_index) {
  const std::int16_t* starts = g_ui_header.hour_start_times;
  const std::int16_t* lengths = g_ui_header.hour_durations;
  if (class_index >= 0 && class_index < class_count()) {
    const UiClassCalendar& own = g_ui_structure.classes[class_index].calendars[0];
    if (std::any_of(own.hour_start_times, own.hour_start_times + kUiWeekCells, [](std::int16_t v) { return v > 0; })) {
      starts = own.hour_start_times;
      lengths = own.hour_durations;
    }
  }
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h <= 10; ++h) {
      int at = d * 12 + h;
      if (starts[at] > 0 && starts[at + 1] > 0 && starts[at + 1] > starts[at] + lengths[at]) return true;
    }
  return false;
}

}  // namespace

UiPostPart* Cvicat::Part(int side) {
  if (!m_post) return nullptr;
  return side == 0 ? &m_post->own : &m_post->partner_part;
}

void Cvicat::FillFixedLists() {
  for (int side = 0; side < 2; ++side) {
    const PanelIds& ids = kPanels[side];
    fill_numbers(*combo(*this, ids.classwork), true, 1, 12);
    fill_numbers(*combo(*this, ids.first), false, 1, 11);
    fill_numbers(*combo(*this, ids.last), false, 1, 12);
    fill_numbers(*combo(*this, ids.daily), true, 1, 12);
    ComboBox* placement = combo(*this, ids.placement);
    placement->ResetContent();
    for (const char* item : {"-", "SEMPRE prime o ultime ore", "MAI prime o ultime ore"}) placement->AddString(item);
  }
  m_building_rows.clear();
  for (const char* suffix : {"", kAllDay, kTeacherMoves})
    for (int b = 0; b < building_count(); ++b)
      m_building_rows.push_back({b, suffix == kAllDay ? 1 : suffix == kTeacherMoves ? 2 : 0});
  for (int side = 0; side < 2; ++side) {
    ComboBox* box = combo(*this, kPanels[side].building);
    box->ResetContent();
    box->AddString(kNotDefined);
    for (const auto& row : m_building_rows) {
      const char* suffix = row[1] == 1 ? kAllDay : row[1] == 2 ? kTeacherMoves : "";
      box->AddString(name_of(g_ui_settings.buildings[row[0]].name) + suffix);
    }
  }
}

void Cvicat::FillPanels() {
  bool was = m_filling;
  m_filling = true;
  FillPanel(0);
  FillPanel(1);
  m_filling = was;
  EnablePanels();
}

void Cvicat::FillPanel(int side) {
  const PanelIds& ids = kPanels[side];
  UiPostPart* part = Part(side);
  bool shown = part && (side == 0 || part->hours > 0);
  const UiTeachingPost* post = m_post;
  SetDlgItemText(ids.class_text, shown ? og_class_label(post->class_index) : "");
  SetDlgItemText(ids.hours_text, shown ? std::to_string(part->hours).c_str() : "");
  std::string what;
  if (shown && side == 0 && post->subject >= 0 && post->subject < og_subject_count())
    what = name_of(g_ui_structure.subjects[post->subject].name);
  if (shown && side == 1) {
    if (post->lab >= 0 && post->lab < int(std::min<std::uint32_t>(+g_ui_structure.lab_count, kUiMaxLabs)))
      what = name_of(g_ui_structure.labs[post->lab].name);
    else if (post->conversation_subject >= 0 && post->conversation_subject < og_subject_count())
      what = name_of(g_ui_structure.subjects[post->conversation_subject].name);
  }
  SetDlgItemText(ids.subject_text, what.c_str());

  ComboBox* joined = combo(*this, ids.joined);
  ComboBox* excluded = combo(*this, ids.excluded);
  ComboBox* subgroup = combo(*this, ids.subgroup);
  for (ComboBox* box : {joined, excluded, subgroup}) {
    box->ResetContent();
    box->AddString(kNotDefined);
  }
  m_joined_rows[side].clear();
  m_excluded_rows[side].clear();
  m_subgroup_rows[side].clear();
  if (!shown) {
    for (int id : {ids.joined, ids.classwork, ids.first, ids.last, ids.daily, ids.excluded, ids.subgroup, ids.building,
                   ids.placement})
      combo(*this, id)->SetCurSel(-1);
    button(*this, ids.no_break)->SetCheck(kBstUnchecked);
    return;
  }
  for (int c = 0; c < class_count(); ++c) {
    if (c == post->class_index || g_ui_structure.classes[c].code[0] == 0) continue;
    m_joined_rows[side].push_back(c);
    joined->AddString(og_class_label(c));
  }
  const UiTeacher& teacher = g_ui_teachers[m_teacher];
  // Only subjects some post teaches: the engine knows no other.
  const std::vector<bool> taught = og_subjects_with_lessons();
  for (int s = 0; s < og_subject_count(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (subject.hidden || !subject.name[0] || teaches(teacher, s, post->class_index, true) ||
        s >= kUiMaxSubjects || !taught[std::size_t(s)])
      continue;
    m_excluded_rows[side].push_back(s);
    excluded->AddString(name_of(subject.name));
    if (subject.type == 'C') continue;
    m_subgroup_rows[side].push_back(s);
    subgroup->AddString(name_of(subject.name));
  }
  auto select_index = [](ComboBox* box, const std::vector<int>& rows, int value) {
    auto at = std::find(rows.begin(), rows.end(), value);
    box->SetCurSel(at == rows.end() ? 0 : int(at - rows.begin()) + 1);
  };
  select_index(joined, m_joined_rows[side], part->joined_class);
  select_index(excluded, m_excluded_rows[side], part->excluded_day_subject);
  select_index(subgroup, m_subgroup_rows[side], part->subgroup_subject);
  bool classwork = part->triple[0] > 0;
  combo(*this, ids.classwork)->SetCurSel(classwork ? std::min<int>(part->triple[0], 12) : 0);
  combo(*this, ids.first)->SetCurSel(classwork ? std::clamp<int>(part->triple[1], 0, 10) : -1);
  combo(*this, ids.last)->SetCurSel(classwork ? std::clamp<int>(part->triple[2], 0, 11) : -1);
  button(*this, ids.no_break)->SetCheck(classwork && part->letter_j ? kBstChecked : kBstUnchecked);
  combo(*this, ids.daily)->SetCurSel(part->daily_max > 0 ? std::min<int>(part->daily_max, 12) : 0);
  int building_row = 0;
  for (std::size_t r = 0; r < m_building_rows.size(); ++r)
    if (m_building_rows[r][0] == part->building_move && m_building_rows[r][1] == part->building_move_option)
      building_row = int(r) + 1;
  combo(*this, ids.building)->SetCurSel(building_row);
  combo(*this, ids.placement)->SetCurSel(part->placement == 1 || part->placement == 2 ? part->placement : 0);
}

void Cvicat::EnablePanels() {
  bool editable = m_post && !m_post->copy;
  constexpr int kInUse = 12;  // the orange of a feature in use
  for (int side = 0; side < 2; ++side) {
    const UiPostPart* part = Part(side);
    CColorButton& grouping = m_buttons[kButtonCount - 4 + 2 * side];
    CColorButton& forbidden = m_buttons[kButtonCount - 3 + 2 * side];
    grouping.m_state = part && part->grouping1[0] ? kInUse : 0;
    forbidden.m_state = part && part->forbidden_hours[0] != 255 ? kInUse : 0;
    grouping.Redraw();
    forbidden.Redraw();
  }
  for (int side = 0; side < 2; ++side) {
    const PanelIds& ids = kPanels[side];
    UiPostPart* part = Part(side);
    bool live = editable && (side == 0 || part->hours > 0);
    bool partner_daily = m_post && m_post->partner >= 0 && m_post->partner != m_teacher;
    bool classwork = live && part->triple[0] > 0;
    struct Rule {
      int id;
      bool on;
    };
    const Rule rules[] = {
        {ids.classwork, live},
        {ids.grouping, live},
        {ids.forbidden, live},
        {ids.excluded, live},
        {ids.daily, live && (side == 0 || partner_daily)},
        {ids.joined, live && side == 0},
        {ids.subgroup, live && side == 0},
        {ids.placement, live && side == 0},
        {ids.building, live && side == 0 && building_count() > 1},
        {ids.first, classwork},
        {ids.last, classwork},
        {ids.no_break, classwork},
    };
    for (const Rule& rule : rules) GetDlgItem(rule.id)->EnableWindow(rule.on);
  }
}

void Cvicat::PostChanged() {
  FillList();
  FillPanels();
}

void Cvicat::OnJoined(int side) {
  UiPostPart* part = Part(side);
  if (!part) return;
  int row = combo(*this, kPanels[side].joined)->GetCurSel();
  if (row <= 0 || row > int(m_joined_rows[side].size())) {
    part->joined_class = -1;
    PostChanged();
    return;
  }
  int chosen = m_joined_rows[side][std::size_t(row - 1)];
  const UiTeacher& teacher = g_ui_teachers[m_teacher];
  for (int p = 0; p < int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts)); ++p) {
    const UiTeachingPost& other = teacher.posts[p];
    if (!other.copy && other.subject == m_post->subject && other.class_index == chosen) {
      ui_message_box(text::kJoinedSameTeacher);
      PostChanged();
      return;
    }
  }
  part->joined_class = chosen;
  PostChanged();
}

// which: 0 the classwork length, 1 its first hour, 2 its last hour. A new
// classwork gets the whole day as its window, so the description never
// holds a classwork without one.
void Cvicat::OnClasswork(int side, int which) {
  UiPostPart* part = Part(side);
  const PanelIds& ids = kPanels[side];
  if (!part) return;
  int row = combo(*this, which == 0 ? ids.classwork : which == 1 ? ids.first : ids.last)->GetCurSel();
  if (row < 0) return;
  if (which == 0 && row == 0) {
    part->triple[0] = part->triple[1] = part->triple[2] = -1;
    part->letter_j = 0;
  } else if (which == 0) {
    part->triple[0] = std::int8_t(row);
    if (part->triple[1] < 0) part->triple[1] = 0;
    // og_max_day_hours() is the longest day's hours plus one.
    if (part->triple[2] < 0) part->triple[2] = std::int8_t(std::clamp(og_max_day_hours() - 1, 1, 12) - 1);
  } else {
    part->triple[which] = std::int8_t(row);
  }
  PostChanged();
}

void Cvicat::OnNoBreak(int side) {
  UiPostPart* part = Part(side);
  if (!part) return;
  bool checked = button(*this, kPanels[side].no_break)->GetCheck() == kBstChecked;
  if (checked && part->triple[0] >= 2 && !calendar_has_break(m_post->class_index)) {
    ui_message_box(text::kNoBreaks);
    checked = false;
  }
  part->letter_j = checked ? 1 : 0;
  PostChanged();
}

// The daily maximum holds for the class, so every post of the teacher in
// that class takes it.
void Cvicat::OnDaily(int side) {
  UiPostPart* part = Part(side);
  if (!part) return;
  int row = combo(*this, kPanels[side].daily)->GetCurSel();
  if (row < 0) return;
  std::int8_t value = std::int8_t(row > 0 ? row : -1);
  UiTeacher& teacher = g_ui_teachers[m_teacher];
  for (int p = 0; p < int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts)); ++p) {
    UiTeachingPost& post = teacher.posts[p];
    if (post.copy || post.class_index != m_post->class_index) continue;
    (side == 0 ? post.own : post.partner_part).daily_max = value;
  }
  part->daily_max = value;
  PostChanged();
}

void Cvicat::OnGrouping(int side) {
  UiPostPart* part = Part(side);
  if (!part) return;
  int top = std::clamp<int>(part->hours, 1, kMaxBlock);
  std::int8_t pairs[2][9][2] = {};
  std::uint8_t counts[2] = {};
  for (int r = 0; r < 2; ++r) {
    const char* row = r == 0 ? part->grouping1 : part->grouping2;
    for (int size = top; size >= 1; --size) {
      int k = counts[r]++;
      pairs[r][k][0] = std::int8_t(size);
      pairs[r][k][1] = blocks_of(row, size);
    }
  }
  static const char* const kTitles[2][2] = {
      {"Raggruppamento delle Ore della Materia Principale",
       "Raggruppamento ALTERNATIVO (eventuale) delle Ore della Materia Principale"},
      {"Raggruppamento delle Ore di Laboratorio o Conversazione / Compresenza",
       "Raggruppamento ALTERNATIVO (eventuale) delle Ore di Laboratorio o Conversazione / Compresenza"}};
  // Both rows show in one double table; a row whose blocks add up to more
  // than the weekly hours opens the editor again.
  for (;;) {
    Hq2AltTableSpec spec;
    spec.pairs = pairs[0];
    spec.second_pairs = pairs[1];
    spec.count = &counts[0];
    spec.second_count = &counts[1];
    spec.band_min = 1;
    spec.band_max = std::int8_t(top);
    spec.quantity_min = 0;
    spec.quantity_max = 12;
    spec.flags = kHq2FixedBands;
    m_grouping.SetBandData(nullptr, kTitles[side][0], kTitles[side][1],
                           "Gruppo di ORE continue nella stessa giornata:", "Numero", nullptr, nullptr, spec);
    if (m_grouping.DoModal() != kIdOk) return;
    int too_large = -1;
    for (int r = 0; r < 2 && too_large < 0; ++r)
      if (row_sum(pairs[r], counts[r]) > part->hours) too_large = r;
    if (too_large < 0) break;
    char message[400];
    std::snprintf(message, sizeof message, text::kGroupSumTooLarge.Get(), row_sum(pairs[too_large], counts[too_large]),
                  int(part->hours));
    ui_message_box(message);
  }
  write_row(part->grouping1, pairs[0], counts[0]);
  write_row(part->grouping2, pairs[1], counts[1]);
  if (!part->grouping1[0] && part->grouping2[0]) {
    std::memcpy(part->grouping1, part->grouping2, 13);
    std::memset(part->grouping2, 0, 13);
  }
  PostChanged();
}

// The picker stores "every hour marked" as its always state; for a map of
// forbidden hours that means every existing hour forbidden.
void Cvicat::OnForbidden(int side) {
  UiPostPart* part = Part(side);
  if (!part) return;
  std::uint8_t work[kUiWeekCells] = {};
  if (part->forbidden_hours[0] != 255) std::memcpy(work, part->forbidden_hours, kUiWeekCells);
  // A post shared with a partner: the warning stands out in the warnings' crimson.
  if (m_post->partner >= 0) m_help.SetMultilineText(text::kPartnerMapWarning.Get(), rgb(165, 0, 33));
  m_grid.SetGridData(nullptr, "Ore Vietate per questa Classe:", og_class_label(m_post->class_index), work, nullptr, 0);
  if (m_grid.DoModal() != kIdOk) return;
  if (work[0] == 255) {
    std::memset(work, 0, kUiWeekCells);
    for (int d = 0; d < 7; ++d)
      for (int h = 0; h < std::min<int>(g_ui_header.hours_per_day[d], 12); ++h) work[d * 12 + h] = 1;
  }
  bool any = std::any_of(work, work + kUiWeekCells, [](std::uint8_t v) { return v == 1; });
  if (any) {
    std::memcpy(part->forbidden_hours, work, kUiWeekCells);
  } else {
    std::memset(part->forbidden_hours, 0, kUiWeekCells);
    part->forbidden_hours[0] = 255;
  }
  if (side == 0 && m_post->partner >= 0 && m_post->partner_part.forbidden_hours[0] == 255)
    std::memcpy(m_post->partner_part.forbidden_hours, part->forbidden_hours, kUiWeekCells);
  PostChanged();
}

void Cvicat::OnSubjectChoice(int side, bool subgroup) {
  UiPostPart* part = Part(side);
  if (!part) return;
  const std::vector<int>& rows = subgroup ? m_subgroup_rows[side] : m_excluded_rows[side];
  int row = combo(*this, subgroup ? kPanels[side].subgroup : kPanels[side].excluded)->GetCurSel();
  int value = row > 0 && row <= int(rows.size()) ? rows[std::size_t(row - 1)] : -1;
  (subgroup ? part->subgroup_subject : part->excluded_day_subject) = value;
  PostChanged();
}

void Cvicat::OnBuilding(int side) {
  UiPostPart* part = Part(side);
  if (!part) return;
  int row = combo(*this, kPanels[side].building)->GetCurSel();
  if (row > 0 && row <= int(m_building_rows.size())) {
    part->building_move = m_building_rows[std::size_t(row - 1)][0];
    part->building_move_option = std::uint8_t(m_building_rows[std::size_t(row - 1)][1]);
  } else {
    part->building_move = -1;
    part->building_move_option = 0;
  }
  PostChanged();
}

void Cvicat::OnPlacement(int side) {
  UiPostPart* part = Part(side);
  int row = combo(*this, kPanels[side].placement)->GetCurSel();
  if (!part || row < 0) return;
  part->placement = std::int8_t(row);
  PostChanged();
}

bool Cvicat::PanelCommand(int id, int code) {
  if (m_filling) return false;
  for (int side = 0; side < 2; ++side) {
    const PanelIds& ids = kPanels[side];
    if (code == kCbnSetFocus || code == kBnSetFocus) {
      const std::pair<int, const MlText*> topics[] = {
          {ids.daily, &text::kHelpDaily},         {ids.excluded, &text::kHelpExcluded},
          {ids.subgroup, &text::kHelpSubgroup},   {ids.building, &text::kHelpBuilding},
          {ids.placement, &text::kHelpPlacement}, {ids.classwork, &text::kHelpClasswork},
          {ids.first, &text::kHelpClasswork},     {ids.last, &text::kHelpClasswork},
          {ids.no_break, &text::kHelpNoBreak},    {ids.joined, &text::kHelpJoined},
          {ids.forbidden, &text::kHelpForbidden}, {ids.grouping, &text::kHelpGrouping}};
      for (const auto& [control, topic] : topics)
        if (control == id) return m_help.SetTextML(topic), true;
    }
    if (code == kCbnSelChange) {
      if (id == ids.joined) return OnJoined(side), true;
      if (id == ids.classwork) return OnClasswork(side, 0), true;
      if (id == ids.first) return OnClasswork(side, 1), true;
      if (id == ids.last) return OnClasswork(side, 2), true;
      if (id == ids.daily) return OnDaily(side), true;
      if (id == ids.excluded) return OnSubjectChoice(side, false), true;
      if (id == ids.subgroup) return OnSubjectChoice(side, true), true;
      if (id == ids.building) return OnBuilding(side), true;
      if (id == ids.placement) return OnPlacement(side), true;
    }
    if (code == kBnClicked && id == kSubgroupHelpIds[side]) {
      m_help.SetTextML(&text::kHelpSubgroup);
      g_guide_grul.Open();
      return true;
    }
    if (code == kBnClicked) {
      if (id == ids.no_break) return OnNoBreak(side), true;
      if (id == ids.grouping) return OnGrouping(side), true;
      if (id == ids.forbidden) return OnForbidden(side), true;
    }
  }
  return false;
}
