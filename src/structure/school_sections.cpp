// The sections panel of the school page (see school_page.h): the grid of
// sections per track, the list of sections with their classes, and the
// class-year, type, classical-numbering and move commands.
//
// A row key is the section letter and the track initial (a blank with one
// track). Classes are created by appending (never by reusing a deleted
// slot, whose index some post may still name) and deleted by zeroing the
// first byte of their code; one that any teaching post uses is kept, the
// button is checked again, and the explaining message comes once per run.
// The "has lessons" marks are taken when the page opens.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "structure/class_move.h"
#include "structure/school_page.h"
#include "structure/school_page_texts.h"

using namespace kt::ui;

namespace {

constexpr Color kCrimson = rgb(165, 0, 33);
constexpr int kYearColumn = 2;  // column of year 1; years 1..9 in columns 2..10
constexpr int kTypeColumn = 11;

bool several_tracks() { return g_ui_structure.track_count >= 2; }

bool post_uses(int class_index) {
  int teachers = int(std::min<std::uint32_t>(+g_ui_settings.teacher_count, kUiMaxTeachers));
  for (int t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    int posts = int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts));
    for (int p = 0; p < posts; ++p) {
      // A class joined to another's lesson (articulated, or together with
      // it) is taught there too: without it that lesson names no class.
      const UiTeachingPost& post = teacher.posts[p];
      if (post.class_index == class_index || post.own.joined_class == class_index ||
          post.partner_part.joined_class == class_index)
        return true;
      for (int k = 0; k < std::clamp(int{post.joint_count}, 0, 8); ++k)
        if (post.joint_classes[k] == class_index) return true;
    }
  }
  return false;
}

}  // namespace

bool Cproscuola::InSection(int c) const {
  const char* code = g_ui_structure.classes[c].code;
  if (code[0] == 0 || code[1] != m_key[0]) return false;
  return !several_tracks() || code[2] == m_key[1];
}

int Cproscuola::FindClass(int year) const {
  for (int c = 0; c < og_class_count(); ++c)
    if (InSection(c) && g_ui_structure.classes[c].code[0] == char('0' + year)) return c;
  return -1;
}

bool Cproscuola::ClassHasLessons(int c) const { return c >= 0 && c < kUiMaxClasses && m_has_lessons[std::size_t(c)]; }

void Cproscuola::ComputeLessonMarks() {
  m_has_lessons.fill(0);
  for (int c = 0; c < og_class_count(); ++c) m_has_lessons[std::size_t(c)] = post_uses(c) ? 1 : 0;
}

void Cproscuola::SetUpListColumns() {
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  while (m_list.GetColumnCount() > 0) m_list.DeleteColumn(0);
  auto add = [&](const MlText& heading) {
    std::string text = heading.Get();
    m_list.InsertColumn(m_list.GetColumnCount(), text, kLvcfmtLeft, 8 * int(text.size()) + 8);
  };
  add(kListHeadings[0]);
  add(kListHeadings[1]);
  for (int y = 0; y < kYears; ++y) add(kListHeadings[2]);
  add(kListHeadings[3]);
}

void Cproscuola::WriteRowCells(int row) {
  std::string key = m_list.GetItemText(row, 0);
  char saved[3] = {m_key[0], m_key[1], 0};
  m_key[0] = key.size() > 0 ? key[0] : ' ';
  m_key[1] = key.size() > 1 ? key[1] : ' ';
  int type = -1;
  for (int y = 1; y <= kYears; ++y) {
    int c = FindClass(y);
    m_list.SetItemText(row, kYearColumn + y - 1, c >= 0 ? og_class_label(c) : "");
    if (c < 0) continue;
    type = g_ui_structure.classes[c].class_type;
    m_list.SetCellColors(row, kYearColumn + y - 1, rgb(255, 255, 255), ClassHasLessons(c) ? rgb(0, 0, 0) : kCrimson);
  }
  m_list.SetItemText(row, kTypeColumn, type >= 0 && type < 3 ? kTypeNames[type].Get() : "");
  m_key[0] = saved[0];
  m_key[1] = saved[1];
}

void Cproscuola::RefreshList() {
  if (m_filling || !m_list.IsWindow()) return;
  std::string remembered = m_row >= 0 && m_row < m_list.GetItemCount() ? m_list.GetItemText(m_row, 0) : "";
  m_list.DeleteAllItems();
  for (CCheck& b : m_year_buttons) b.EnableWindow(false);
  m_move.EnableWindow(false);
  m_quick.EnableWindow(false);
  m_classical.EnableWindow(false);
  int count = std::clamp<int>(g_ui_structure.track_count, 1, kTracks);
  for (int t = 0; t < count; ++t) {
    for (int s = 0; s < kSections; ++s) {
      std::uint8_t& flag = g_ui_structure.sections[t][s];
      if (!flag) continue;
      char key[3] = {char('A' + s), several_tracks() ? g_ui_structure.track_names[t][0] : ' ', 0};
      int row = m_list.FindItemByText(-1, key);
      if (row < 0) row = m_list.InsertItem(m_list.GetItemCount(), key);
      const char* short_name = g_ui_structure.track_short_names[t];
      char track[64];
      std::snprintf(track, sizeof track, "%s %c %s", g_ui_structure.track_names[t], short_name[0] ? '-' : ' ',
                    short_name);
      m_list.SetItemText(row, 1, track);
      WriteRowCells(row);
      if (flag == 2) {
        flag = 1;
        remembered = key;
      }
    }
  }
  int row = remembered.empty() ? -1 : m_list.FindItemByText(-1, remembered);
  if (row < 0 && m_list.GetItemCount() > 0) row = 0;
  m_row = -1;
  if (row >= 0) SelectRow(row);
  FocusList();
}

void Cproscuola::SelectRow(int row) {
  m_list.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
  m_list.SetItemState(row, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_list.EnsureVisible(row);
  if (m_row != row) OnListChanged(nullptr, nullptr);
}

void Cproscuola::FocusList() {
  ++m_quiet_list_focus;
  GotoDlgCtrl(&m_list);
  --m_quiet_list_focus;
}

void Cproscuola::OnListSetFocus(NotifyHeader*, LResult*) {
  if (m_filling || m_quiet_list_focus > 0 || m_list_checking) return;
  m_list_checking = true;
  OnListFocus();
  m_list_checking = false;
}

void Cproscuola::OnListFocus() {
  m_help.SetTextML(&kListHelp);
  if (!ValidateTracks()) return;
  int row = m_list.GetNextItem(-1, kLvniSelected);
  if (row < 0 && m_list.GetItemCount() > 0) SelectRow(0);
}

void Cproscuola::OnListChanged(NotifyHeader*, LResult*) {
  int row = m_list.GetNextItem(-1, kLvniSelected);
  if (row < 0 || m_filling) return;
  m_row = row;
  std::string key = m_list.GetItemText(row, 0);
  m_key[0] = key.size() > 0 ? key[0] : ' ';
  m_key[1] = key.size() > 1 ? key[1] : ' ';
  m_key_label.SetWindowText(key);
  bool classical = false;
  int type = -1;
  for (int y = 1; y <= kYears; ++y) {
    CCheck& button = m_year_buttons[std::size_t(y - 1)];
    button.EnableWindow(true);
    char label[32];
    std::snprintf(label, sizeof label, "%s", m_list.GetItemText(row, kYearColumn + y - 1).c_str());
    og_class_code_from_label(label);
    button.SetCheck(label[0] >= '0' && label[0] <= '9' ? 1 : 0);
    int c = FindClass(y);
    if (c < 0) continue;
    classical = classical || g_ui_structure.classes[c].classical_numbering;
    if (type < 0) type = g_ui_structure.classes[c].class_type;
  }
  m_move.EnableWindow(true);
  m_quick.EnableWindow(true);
  m_classical.EnableWindow(true);
  m_classical.SetCheck(classical ? 1 : 0);
  m_type.SetCurSel(type >= 0 && type < 3 ? type : 0);
}

void Cproscuola::RefreshSectionButtons() {
  for (int t = 0; t < kTracks; ++t)
    for (int s = 0; s < kSections; ++s)
      m_section_buttons[std::size_t(t * kSections + s)].SetCheck(g_ui_structure.sections[t][s] ? 1 : 0);
}

void Cproscuola::OnSection(int t, int s) {
  CCheck& button = m_section_buttons[std::size_t(t * kSections + s)];
  if (button.GetCheck()) {
    g_ui_structure.sections[t][s] = 2;
    RefreshList();
    return;
  }
  char letter = char('A' + s);
  char initial = g_ui_structure.track_names[t][0];
  std::vector<int> members;
  for (int c = 0; c < og_class_count(); ++c) {
    const char* code = g_ui_structure.classes[c].code;
    if (code[0] == 0 || code[1] != letter || (several_tracks() && code[2] != initial)) continue;
    if (post_uses(c)) {
      button.SetCheck(1);
      message_beep(kBeepExclamation);
      if (s_section_message_pending) {
        char text[256];
        std::snprintf(text, sizeof text, kSectionHasLessons.Get(), std::string(code, strnlen(code, 3)).c_str(), letter);
        s_section_message_pending = 0;
        ui_message_box(text);
      }
      RefreshList();
      return;
    }
    members.push_back(c);
  }
  for (int c : members) g_ui_structure.classes[c].code[0] = 0;
  g_ui_structure.sections[t][s] = 0;
  RefreshList();
}

void Cproscuola::ClassSwitch(int year, bool classical_argument) {
  CCheck& button = m_year_buttons[std::size_t(year - 1)];
  int c = FindClass(year);
  if (button.GetCheck()) {
    std::uint8_t classical = 1;
    if (!classical_argument) {
      classical = 0;
      for (int k = 0; k < og_class_count(); ++k) classical |= InSection(k) && g_ui_structure.classes[k].classical_numbering;
    }
    if (c < 0) {
      if (g_ui_structure.class_count >= std::uint32_t(kUiMaxClasses)) {
        ui_message_box_type(kTooManyClasses, kMbOk);
        return;
      }
      c = int(g_ui_structure.class_count);
      UiClass& fresh = g_ui_structure.classes[c];
      std::memset(&fresh, 0, sizeof fresh);
      fresh.code[0] = char('0' + year);
      fresh.code[1] = m_key[0];
      fresh.code[2] = several_tracks() ? m_key[1] : ' ';
      fresh.preferred_room = -1;
      for (int r = 0; r < 30; ++r) fresh.forbidden_rooms[r] = -1;
      for (UiClassCalendar& cal : fresh.calendars) {
        cal.calendar_hours[0] = 255;  // no calendar of its own, as the school-file reader leaves a class
        std::memcpy(cal.hour_start_times, g_ui_header.hour_start_times, sizeof cal.hour_start_times);
        std::memcpy(cal.hour_durations, g_ui_header.hour_durations, sizeof cal.hour_durations);
      }
      g_ui_structure.class_count = std::uint32_t(c + 1);
    }
    UiClass& cls = g_ui_structure.classes[c];
    cls.classical_numbering = classical;
    for (int k = 0; k < og_class_count(); ++k) {
      if (k == c || !InSection(k)) continue;
      cls.class_type = g_ui_structure.classes[k].class_type;
      break;
    }
  } else if (c >= 0) {
    if (post_uses(c)) {
      button.SetCheck(1);
      message_beep(kBeepExclamation);
      if (s_class_message_pending) {
        s_class_message_pending = 0;
        ui_message_box(kClassHasLessons);
      }
    } else {
      g_ui_structure.classes[c].code[0] = 0;
    }
  }
}

void Cproscuola::OnYear(int year) {
  if (m_row < 0) return;
  ClassSwitch(year, false);
  WriteRowCells(m_row);
  FocusList();
}

void Cproscuola::OnQuick() {
  if (m_row < 0) return;
  for (int y = 1; y <= kYears; ++y) {
    m_year_buttons[std::size_t(y - 1)].SetCheck(y <= 5 ? 1 : 0);
    ClassSwitch(y, false);
  }
  WriteRowCells(m_row);
  FocusList();
}

void Cproscuola::OnType() {
  if (m_row < 0) {
    message_beep(kBeepSimple);
    return;
  }
  int type = m_type.GetCurSel();
  if (type < 0 || type > 2) return;
  for (int c = 0; c < og_class_count(); ++c)
    if (InSection(c)) g_ui_structure.classes[c].class_type = std::uint8_t(type);
  m_list.SetItemText(m_row, kTypeColumn, kTypeNames[type].Get());
}

void Cproscuola::OnClassical() {
  m_help.SetTextML(&kClassicalHelp);
  bool on = m_classical.GetCheck() != 0;
  if (m_row < 0) {
    if (!on) message_beep(kBeepSimple);
    return;
  }
  bool any = false;
  for (int c = 0; c < og_class_count(); ++c) {
    if (!InSection(c)) continue;
    any = true;
    g_ui_structure.classes[c].classical_numbering = on ? 1 : 0;
  }
  if (on && !any) {
    for (int y = 1; y <= kYears; ++y) {
      m_year_buttons[std::size_t(y - 1)].SetCheck(y <= 5 ? 1 : 0);
      ClassSwitch(y, true);
    }
  }
  Renumber(on);
  RefreshList();
}

// Classical numbering counts IV, V, I, II, III for years 1..5: turning it on
// moves year 1 to 3 and so on, so that a class keeps the label it had.
void Cproscuola::Renumber(bool on) {
  bool used = false;
  for (int c = 0; c < og_class_count() && !used; ++c) used = InSection(c) && post_uses(c);
  if (!used) return;
  std::string key(m_key, 2);
  const char* k = key.c_str();
  char text[512];
  std::snprintf(text, sizeof text, (on ? kRenumberOn : kRenumberOff).Get(), k, k, k, k);
  if (ui_message_box_type(text, kMbYesNo | kMbIconQuestion) != 6) return;
  constexpr char kOn[5] = {'3', '4', '5', '1', '2'}, kOff[5] = {'4', '5', '1', '2', '3'};
  for (int c = 0; c < og_class_count(); ++c) {
    if (!InSection(c)) continue;
    char& year = g_ui_structure.classes[c].code[0];
    if (year >= '1' && year <= '5') year = (on ? kOn : kOff)[year - '1'];
  }
}

void Cproscuola::OnMove() {
  if (m_row < 0) {
    message_beep(kBeepSimple);
    return;
  }
  m_help.SetTextML(&kMoveHelp);
  Ccanocla move;
  move.m_key_section = m_key[0];
  move.m_key_track = m_key[1];
  move.DoModal();
  RefreshList();
  RefreshSectionButtons();
}
