// Behaviour of the buildings page (see buildings_page.h). Entry k + 1 of a
// reachable-building list always stands for building k (the building's
// own place holds an empty entry), so an entry index is a building index.
// A building's reachable entries are kept packed: filled entries first,
// no two equal, and their count is the number of leading filled entries.
#include "structure/buildings_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/band_defaults.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/buildings_texts.h"
#include "structure/class_buildings.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

Cplessi g_buildings_page;
ClassOrderList Cplessi::s_order;
char Cplessi::s_kept_first_name[21] = "";
int (*Cplessi::s_run_class_buildings)() = nullptr;

namespace {

UiSchoolSettings& se = g_ui_settings;

int building_count() { return std::clamp<int>(se.building_count, 0, kUiMaxBuildings); }

int compare(int a, int b, int column) {
  if (column == 3)
    return int(std::int8_t(g_ui_structure.classes[a].rotation)) - int(std::int8_t(g_ui_structure.classes[b].rotation));
  return ClassOrderList::CompareCodeColumns(a, b, column);
}

// A subject both shared rooms a and b are for, -1 when they share none.
// The rooms' records are packed: their subjects are read one by one, never
// through a reference to the array.
int shared_subject(int a, int b) {
  for (int s = 0; s < 4; ++s) {
    std::int32_t subject = se.gyms[b].subjects[s];
    if (subject < 0 || subject >= og_subject_count()) continue;
    for (int t = 0; t < 4; ++t)
      if (se.gyms[a].subjects[t] == subject) return subject;
  }
  return -1;
}

void set_name(char* field, const std::string& text) {
  std::memset(field, 0, kUiNameSize);
  std::memcpy(field, text.data(), std::min<std::size_t>(text.size(), kUiNameSize - 1));
}

}  // namespace

KT_BEGIN_MESSAGE_MAP(Cplessi, CResizableDialog)
  KT_ON_NOTIFY(kLvnColumnClick, kClassListId, OnColumnClick)
  KT_ON_NOTIFY(kLvnItemChanged, kClassListId, OnListChanged)
KT_END_MESSAGE_MAP()

void Cplessi::DoDataExchange(DataExchange& dx) {
  dx.Control(kCountId, m_count);
  for (int b = 0; b < kBuildings; ++b) {
    dx.Control(kFirstNameId + b, m_names[std::size_t(b)]);
    dx.Control(kFirstNoTransferId + b, m_no_transfer[std::size_t(b)]);
    for (int s = 0; s < kSlots; ++s) {
      dx.Control(reachable_id(b, s), m_reachable[std::size_t(b * kSlots + s)]);
      dx.Control(hour_id(b, s), m_hours[std::size_t(b * kSlots + s)]);
    }
  }
  dx.Control(kMinId, m_min);
  dx.Control(kMaxId, m_max);
  dx.Control(kAssociateId, m_associate);
  dx.Control(kClassListId, m_list);
  dx.Control(kGroupId, m_group);
  dx.Control(kNoRotationId, m_no_rotation);
  for (int k = 0; k < 4; ++k) dx.Control(kFirstRotationHourId + k, m_rotation_hours[std::size_t(k)]);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
  constexpr int kHelpButtonIds[8] = {kHowToId,          kNamesHelpId,      kStaticHelpId,  kRotationHelpId,
                                     kNoTransferHelpId, kReachableHelpId, kMinutesHelpId, kGroupsHelpId};
  for (int i = 0; i < 8; ++i) dx.Control(kHelpButtonIds[i], m_help_buttons[std::size_t(i)]);
}

bool Cplessi::OnInitDialog() {
  m_filling = true;
  // The first building's name is kept only while the page is open: a name
  // kept at an earlier opening (or in another school) would rename this
  // school's first building.
  s_kept_first_name[0] = 0;
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("2 Plessi");
  FitIntoPageArea();
  ShowGrip(false);
  m_help.SetTextML(&kBuildingsPageText);
  int hours = og_max_day_hours() - 1;
  for (kt::ui::Edit& name : m_names) name.LimitText(20);
  for (int n = 1; n <= kBuildings; ++n) m_count.AddString(std::to_string(n));
  for (kt::ui::ComboBox& list : m_hours) {
    for (int h = 1; h <= hours; ++h) list.AddString(std::to_string(h));
    list.AddString(kAnyHour.Get());
  }
  for (kt::ui::ComboBox& list : m_rotation_hours) {
    list.AddString(og_limit_text(-1));
    for (int h = 1; h <= hours; ++h) list.AddString(std::to_string(h));
  }
  for (kt::ui::ComboBox* list : {&m_min, &m_max}) {
    for (int minutes = 0; minutes <= 120; minutes += 5) {
      char text[8];
      std::snprintf(text, sizeof text, "%3d", minutes);
      list->AddString(text);
    }
  }
  m_group.AddString("-");
  for (char letter = 'A'; letter <= 'Z'; ++letter) m_group.AddString(std::string(1, letter));
  m_count.SetCurSel(building_count() - 1);
  ApplyEnabling();
  RebuildReachable();
  for (int b = 0; b < kBuildings; ++b) {
    if (!se.buildings[b].no_transfer) continue;
    m_no_transfer[std::size_t(b)].SetCheck(1);
    for (int s = 0; s < kSlots; ++s) {
      m_reachable[std::size_t(b * kSlots + s)].EnableWindow(false);
      m_hours[std::size_t(b * kSlots + s)].EnableWindow(false);
    }
  }
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  for (int c = 0; c < 4; ++c) {
    std::string heading = kBuildingsHeadings[c].Get();
    int width = c == 0 || c == 3 ? 8 * int(heading.size()) : c == 2 && og_track_count() < 2 ? 0 : 20;
    m_list.InsertColumn(c, heading, kLvcfmtLeft, width);
  }
  s_order.Reset();
  FillRows();
  for (int column = 0; column < 3; ++column) SortBy(column);
  for (int k = 0; k < 4; ++k) {
    std::uint8_t hour = se.rotation_breaks[k];
    m_rotation_hours[std::size_t(k)].SetCurSel(hour == 255 ? -1 : hour);
  }
  m_min.SetCurSel(se.pamez[0] > 0 ? se.pamez[0] / 5 : -1);
  m_max.SetCurSel(se.pamez[1] > 0 ? se.pamez[1] / 5 : -1);
  m_opened_rotation = se.rotation_in_use;
  m_opened_count = se.building_count;
  m_filling = false;
  return true;
}

void Cplessi::OnCancel() { g_frame.PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0); }

bool Cplessi::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (m_filling) return CResizableDialog::OnCommand(w, l);
  if (code == kEnChange && id >= kFirstNameId && id < kFirstNameId + kBuildings) {
    OnName(id - kFirstNameId);
    return true;
  }
  if (code == kCbnSelChange) {
    if (id == kCountId) OnCount();
    else if (id == kMinId || id == kMaxId) OnMinutes();
    else if (id == kGroupId) OnGroup(m_group.GetCurSel());
    else if (id >= kFirstReachableId && id < kFirstReachableId + kBuildings * kSlots)
      OnReachable((id - kFirstReachableId) / kSlots, (id - kFirstReachableId) % kSlots);
    else if (id >= kFirstHourId && id < kFirstHourId + kBuildings * kSlots)
      OnHour((id - kFirstHourId) / kSlots, (id - kFirstHourId) % kSlots);
    else if (id >= kFirstRotationHourId && id < kFirstRotationHourId + 4) OnRotationHour(id - kFirstRotationHourId);
    return true;
  }
  if (code != kBnClicked) return CResizableDialog::OnCommand(w, l);
  if (id >= kFirstNoTransferId && id < kFirstNoTransferId + kBuildings) {
    OnNoTransfer(id - kFirstNoTransferId);
    return true;
  }
  switch (id) {
    case kAssociateId: OnAssociate(); return true;
    case kNoRotationId: OnGroup(0); return true;
    case kSaveId: OnSave(); return true;
    case kAbandonId:
      // The page is opened again through the frame, so leaving it asks
      // about the edits (save, discard, stay) as every way out does.
      m_abandoning = true;
      g_frame.PostMessage(kMsgCommand, make_command_param(kPageReopen, 0), 0);
      return true;
    case kHowToId: case kNamesHelpId: case kStaticHelpId: case kRotationHelpId: case kNoTransferHelpId:
    case kReachableHelpId: case kMinutesHelpId: case kGroupsHelpId:
      OnHelp(id);
      return true;
    default:
      return CResizableDialog::OnCommand(w, l);
  }
}

void Cplessi::OnHelp(int id) {
  switch (id) {
    case kHowToId: m_help.SetTextML(&kBuildingsPageText); break;
    case kNamesHelpId: m_help.SetTextML(&kNamesText); break;
    case kStaticHelpId: m_help.SetTextML(&kStaticText); break;
    case kRotationHelpId: m_help.SetTextML(&kRotationText); break;
    case kNoTransferHelpId: m_help.SetTextML(&kNoTransferText); break;
    case kReachableHelpId: m_help.SetSchemeText(13, kReachableText.Get()); break;
    case kMinutesHelpId: m_help.SetTextML(&kMinutesText); break;
    case kGroupsHelpId: m_help.SetTextML(&kGroupsText); break;
  }
}

void Cplessi::ApplyEnabling() {
  int count = building_count();
  bool several = count >= 2;
  m_min.EnableWindow(several);
  m_max.EnableWindow(several);
  const char* single = og_single_building_name();
  char* first = se.buildings[0].name;
  if (!several) {
    if (kt::cp1252_casecmp(first, single) != 0) std::snprintf(s_kept_first_name, sizeof s_kept_first_name, "%s", first);
    set_name(first, single);
  } else if (s_kept_first_name[0] != 0 && kt::cp1252_casecmp(first, single) == 0 &&
             kt::cp1252_casecmp(s_kept_first_name, single) != 0) {
    set_name(first, s_kept_first_name);
  }
  bool filling = m_filling;
  m_filling = true;
  for (int b = 0; b < kBuildings; ++b) {
    bool on = b < count && (several || b > 0);
    m_names[std::size_t(b)].EnableWindow(on);
    bool lists = on && !se.buildings[b].no_transfer;
    for (int s = 0; s < kSlots; ++s) {
      m_reachable[std::size_t(b * kSlots + s)].EnableWindow(lists);
      m_hours[std::size_t(b * kSlots + s)].EnableWindow(lists);
    }
    m_names[std::size_t(b)].SetWindowText(std::string(se.buildings[b].name, strnlen(se.buildings[b].name, 20)));
  }
  m_filling = filling;
  for (Window* w : std::initializer_list<Window*>{&m_list, &m_no_rotation, &m_group}) w->EnableWindow(!several);
  for (kt::ui::ComboBox& list : m_rotation_hours) list.EnableWindow(!several);
}

void Cplessi::RebuildReachable() {
  bool filling = m_filling;
  m_filling = true;
  int count = building_count();
  for (int b = 0; b < kBuildings; ++b) {
    const UiBuilding& building = se.buildings[b];
    for (int s = 0; s < kSlots; ++s) {
      kt::ui::ComboBox& list = m_reachable[std::size_t(b * kSlots + s)];
      list.ResetContent();
      list.AddString(og_limit_text(-1));
      int selected = -1;
      for (int k = 0; k < count; ++k) {
        const char* name = se.buildings[k].name;
        list.AddString(k == b ? "" : name);
        int n = int(strnlen(name, 20));
        if (k != b && selected < 0 && building.reachable_names[s][0] != 0 &&
            og_compare_name_field(name, building.reachable_names[s], n) == 0)
          selected = k + 1;
      }
      list.SetCurSel(selected);
      std::uint8_t hour = std::uint8_t(building.reachable_values[s]);
      kt::ui::ComboBox& hours = m_hours[std::size_t(b * kSlots + s)];
      hours.SetCurSel(hour == 0 ? -1 : hour > 12 ? hours.GetCount() - 1 : hour - 1);
    }
  }
  m_filling = filling;
}

void Cplessi::Compact(int b) {
  UiBuilding& building = se.buildings[b];
  auto clear = [&](int s) {
    building.reachable_names[s][0] = 0;
    std::memset(building.reachable_names[s], 0, kUiNameSize);
    building.reachable_values[s] = 0;
  };
  for (bool changed = true; changed;) {
    changed = false;
    for (int s = 0; s < 2; ++s) {
      bool empty = building.reachable_names[s][0] == 0, next = building.reachable_names[s + 1][0] != 0;
      bool same = !empty && next && std::strcmp(building.reachable_names[s], building.reachable_names[s + 1]) == 0 &&
                  building.reachable_values[s] == building.reachable_values[s + 1];
      if (!((empty && next) || same)) continue;
      std::memcpy(building.reachable_names[s], building.reachable_names[s + 1], kUiNameSize);
      building.reachable_values[s] = building.reachable_values[s + 1];
      clear(s + 1);
      changed = true;
    }
  }
  int filled = 0;
  while (filled < kSlots && building.reachable_names[filled][0] != 0) ++filled;
  building.reachable_count = std::int8_t(filled);
}

void Cplessi::OnCount() {
  int sel = m_count.GetCurSel();
  if (sel < 0) return;
  se.building_count = std::int8_t(sel + 1);
  ApplyEnabling();
  RebuildReachable();
}

void Cplessi::OnName(int b) {
  std::string text = m_names[std::size_t(b)].GetWindowText().substr(0, 20);
  char old[kUiNameSize];
  std::memcpy(old, se.buildings[b].name, sizeof old);
  set_name(se.buildings[b].name, text);
  og_clean_name(se.buildings[b].name, 21, 0);
  if (const MlText* note = og_name_cleaning_note(text.c_str(), 0)) m_help.SetTextML(note);
  // The other buildings' reachable entries follow the rename, unless the old
  // name was not this building's alone.
  bool alone = old[0] != 0;
  for (int k = 0; k < kBuildings && alone; ++k) alone = k == b || std::strcmp(se.buildings[k].name, old) != 0;
  for (int k = 0; k < kBuildings && alone; ++k) {
    if (k == b) continue;
    for (int s = 0; s < kSlots; ++s) {
      char* entry = se.buildings[k].reachable_names[s];
      if (std::strcmp(entry, old) == 0) std::memcpy(entry, se.buildings[b].name, kUiNameSize);
    }
  }
  RebuildReachable();
}

void Cplessi::OnNoTransfer(int b) {
  bool on = m_no_transfer[std::size_t(b)].GetCheck() != 0;
  se.buildings[b].no_transfer = on ? 1 : 0;
  for (int s = 0; s < kSlots; ++s) {
    m_reachable[std::size_t(b * kSlots + s)].EnableWindow(!on);
    m_hours[std::size_t(b * kSlots + s)].EnableWindow(!on);
  }
  m_help.SetTextML(&kNoTransferText);
}

void Cplessi::OnReachable(int b, int s) {
  int entry = m_reachable[std::size_t(b * kSlots + s)].GetCurSel();
  UiBuilding& building = se.buildings[b];
  if (entry == 0) {
    std::memset(building.reachable_names[s], 0, kUiNameSize);
    building.reachable_values[s] = 0;
  } else if (entry > 0) {
    set_name(building.reachable_names[s], m_reachable[std::size_t(b * kSlots + s)].GetLBText(entry));
  }
  m_help.SetSchemeText(13, kReachableText.Get());
  Compact(b);
  RebuildReachable();
}

void Cplessi::OnHour(int b, int s) {
  kt::ui::ComboBox& list = m_hours[std::size_t(b * kSlots + s)];
  int entry = list.GetCurSel();
  if (entry < 0) return;
  if (entry == 0) ui_message_box_type(kFirstHourWarning, kMbOk);
  se.buildings[b].reachable_values[s] = std::int8_t(entry == list.GetCount() - 1 ? 25 : entry + 1);
  Compact(b);
  RebuildReachable();
}

void Cplessi::OnMinutes() {
  m_help.SetTextML(&kMinutesText);
  int min = std::max(0, m_min.GetCurSel());
  se.pamez[0] = std::int8_t(5 * min);
  if (min == 0) {
    se.pamez[1] = 0;
    m_max.SetCurSel(0);
    return;
  }
  int max = std::max(0, m_max.GetCurSel());
  if (max < min) {
    max = min;
    m_max.SetCurSel(max);
  }
  se.pamez[1] = std::int8_t(5 * max);
}

void Cplessi::OnRotationHour(int k) {
  int entry = m_rotation_hours[std::size_t(k)].GetCurSel();
  se.rotation_breaks[k] = entry <= 0 ? 255 : std::uint8_t(entry);
}

void Cplessi::OnListChanged(NotifyHeader*, LResult*) {
  if (m_filling) return;
  int row = m_list.GetNextItem(-1, kLvniSelected);
  if (row < 0) return;
  std::string group = m_list.GetItemText(row, 3);
  m_group.SetCurSel(!group.empty() && group[0] >= 'A' && group[0] <= 'Z' ? group[0] - 'A' + 1 : 0);
}

void Cplessi::OnGroup(int group) {
  if (group < 0) return;
  if (group == 0) m_group.SetCurSel(0);
  for (int c : ClassOrderList::SelectedClasses(m_list)) g_ui_structure.classes[c].rotation = std::uint8_t(group);
  GotoDlgCtrl(&m_list);
  FillRows();
}

void Cplessi::FillRows() {
  bool filling = m_filling;
  m_filling = true;
  for (int c : s_order.Order()) {
    const UiClass& cls = g_ui_structure.classes[c];
    const char* label = og_class_label(c);
    int row = m_list.FindItemByText(-1, label);
    if (row < 0) row = m_list.InsertItem(m_list.GetItemCount(), label);
    m_list.SetItemText(row, 1, std::string(1, cls.code[1]));
    m_list.SetItemText(row, 2, std::string(1, cls.code[2]));
    m_list.SetItemText(row, 3, cls.rotation >= 1 && cls.rotation <= 26 ? std::string(1, char('A' + cls.rotation - 1)) : " ");
  }
  m_filling = filling;
}

void Cplessi::SortBy(int column) {
  std::vector<int> selected = ClassOrderList::SelectedClasses(m_list);
  s_order.Sort(column, compare);
  bool filling = m_filling;
  m_filling = true;
  m_list.DeleteAllItems();
  FillRows();
  ClassOrderList::SelectClasses(m_list, selected);
  m_filling = filling;
}

void Cplessi::OnColumnClick(NotifyHeader* header, LResult*) {
  SortBy(reinterpret_cast<ListViewNotify*>(header)->subitem);
  m_help.SetTextML(&kBuildingsSortTip);
}

void Cplessi::OnAssociate() {
  m_help.SetTextML(&kAssociateText);
  if (building_count() <= 1) {
    ui_message_box_type(kOneBuilding, kMbOk);
    return;
  }
  if (s_run_class_buildings) {
    s_run_class_buildings();
    return;
  }
  ui_register_class_buildings_template();
  Cplecla dialog;
  dialog.DoModal();
}

bool Cplessi::Check() {
  int count = building_count();
  auto fail = [&](Window& focus, const char* text) {
    GotoDlgCtrl(&focus);
    ui_message_box(text);
    return false;
  };
  for (int b = 1; b < count; ++b)
    for (int a = 0; a < b; ++a)
      if (kt::cp1252_casecmp(se.buildings[a].name, se.buildings[b].name) == 0)
        return fail(m_names[std::size_t(b)], kDifferentNames.Get());
  for (int b = 1; b < count; ++b) {
    for (int a = 0; a < b; ++a) {
      if (se.buildings[a].name[0] != se.buildings[b].name[0]) continue;
      char text[256];
      std::snprintf(text, sizeof text, kSameInitial.Get(), se.buildings[a].name, se.buildings[b].name);
      return fail(m_names[std::size_t(b)], text);
    }
  }
  for (int b = 0; b < count; ++b)
    if (strnlen(se.buildings[b].name, 21) < 4) return fail(m_names[std::size_t(b)], kShortName.Get());
  // With one building the reachable lists are disabled and none of their
  // entries is written: those left from more buildings are no fault the
  // officer could mend here. Shared rooms of the buildings left out are all
  // in the one now, where the engine takes one room per subject.
  if (count < 2) {
    int gyms = ui_bounded_count(se.gym_count, kUiMaxGyms);
    for (int b = 1; b < gyms; ++b)
      for (int a = 0; a < b; ++a) {
        int subject = shared_subject(a, b);
        if (subject < 0) continue;
        char text[400];
        std::snprintf(text, sizeof text, kGymsOneBuilding.Get(), se.gyms[a].name, se.gyms[b].name,
                      g_ui_structure.subjects[subject].name);
        return fail(m_count, text);
      }
    return true;
  }
  for (int b = 0; b < count; ++b) {
    int filled = std::clamp<int>(se.buildings[b].reachable_count, 0, kSlots);
    for (int s = 0; s < filled; ++s)
      if (se.buildings[b].reachable_values[s] == 0) return fail(m_hours[std::size_t(b * kSlots + s)], kHourMissing.Get());
  }
  // The engine refuses a reachable building that names none of the school's.
  for (int b = 0; b < count; ++b) {
    int filled = std::clamp<int>(se.buildings[b].reachable_count, 0, kSlots);
    for (int s = 0; s < filled; ++s) {
      const char* entry = se.buildings[b].reachable_names[s];
      bool known = false;
      for (int k = 0; k < count && !known; ++k) known = k != b && std::strcmp(se.buildings[k].name, entry) == 0;
      if (known) continue;
      char text[256];
      std::snprintf(text, sizeof text, kReachableMissing.Get(), se.buildings[b].name, entry);
      return fail(m_reachable[std::size_t(b * kSlots + s)], text);
    }
  }
  // What is still in a building no longer counted (the count lowered) would
  // be written in none, or in one the school no longer has: the engine
  // refuses such a school.
  auto outside = [&](int building) { return building < 0 || building >= count; };
  for (int c = 0; c < og_class_count(); ++c) {
    const UiClass& cls = g_ui_structure.classes[c];
    if (cls.code[0] == 0 || !outside(cls.building)) continue;
    char text[256];
    std::snprintf(text, sizeof text, kClassOutside.Get(), og_class_label(c));
    return fail(m_associate, text);
  }
  auto former = [](int building) {
    return building >= 0 && building < kUiMaxBuildings ? std::string(se.buildings[building].name, strnlen(se.buildings[building].name, 20))
                                                       : std::string("?");
  };
  for (int l = 0; l < ui_bounded_count(g_ui_structure.lab_count, kUiMaxLabs); ++l) {
    const UiLab& lab = g_ui_structure.labs[l];
    if (lab.name[0] == 0 || !outside(lab.building)) continue;
    char text[300];
    std::string where = lab.building >= 0 ? former(lab.building) : std::string(lab.description, strnlen(lab.description, 20));
    std::snprintf(text, sizeof text, kLabOutside.Get(), lab.name, where.c_str());
    return fail(m_count, text);
  }
  for (int g = 0; g < ui_bounded_count(se.gym_count, kUiMaxGyms); ++g) {
    const UiGym& gym = se.gyms[g];
    if (gym.name[0] == 0 || !outside(gym.building)) continue;
    char text[300];
    std::snprintf(text, sizeof text, kGymOutside.Get(), gym.name, former(gym.building).c_str());
    return fail(m_count, text);
  }
  for (int b = 0; b < count; ++b) {
    bool used = false;
    for (int c = 0; c < og_class_count() && !used; ++c)
      used = g_ui_structure.classes[c].code[0] != 0 && g_ui_structure.classes[c].building == b;
    if (used) continue;
    char text[256];
    std::snprintf(text, sizeof text, kBuildingWithoutClasses.Get(), se.buildings[b].name);
    GotoDlgCtrl(&m_associate);
    if (ui_message_box_flags(text, kMbYesNo | kMbIconQuestion, kMbCursorBetween) != 6) return false;
  }
  return true;
}

void Cplessi::OnSave() {
  if (!Check()) return;
  if (!og_save_school_files()) return;
  bool rotation_now = se.rotation_in_use && !m_opened_rotation;
  bool buildings_now = m_opened_count < 1 && se.building_count > 1;
  if (!rotation_now && !buildings_now) return;
  if (!og_read_school_files(0)) return;
  og_set_new_school_defaults(-1);
  // The "DHPROF:" table is kept in the model only: no description line
  // carries it, so this count reaches no file and no page shows it.
  if (se.rotation_in_use) se.page_table.count = 1;
  og_save_description_file();
}

// Leaving: the check first, then the unsaved-changes prompt. Edits the
// check refuses can never be saved: after its message, ABBANDONA offers to
// drop them (the files are read again); any other way out stays.
int Cplessi::DestroyWindow() {
  bool abandoning = m_abandoning;
  m_abandoning = false;
  if (IsWindow()) {
    if (!Check()) {
      if (!abandoning ||
          ui_message_box_flags(g_abandon_question, kMbYesNo | kMbIconQuestion, kMbCursorBetween) != 6)
        return 0;
      og_read_school_files(0);
    } else if (og_save_if_changed(0) != 0) {
      return 0;
    }
  }
  return CResizableDialog::DestroyWindow();
}
