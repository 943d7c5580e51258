// Behaviour of the labs page (see labs_page.h). Both lists show the records
// with a name, in table order, one row per name; every change goes into the
// working structure at once and the lists are refilled. Selection changes
// the page makes itself are not shown back into the edit boxes.
//
// Names are cleaned (',' too) and compared ignoring case; a lab or group
// may not take a subject's name, and a rename may not take the name of
// another lab or group, so the lists never hold two rows of one name.
#include "structure/labs_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "schooldata/model_lookups.h"
#include "schooldata/ui_school_model.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/shared_texts.h"

using namespace kt::ui;

namespace {

using shared_text::kNameTaken;
using shared_text::kTableFull;
using shared_text::kInUse;
using shared_text::kAlwaysAvailable;
using shared_text::kLimitedHours;
using shared_text::kHoursTitle;
using shared_text::kRoomAlwaysAvailable;

const MlText kLabHeadings[4] = {
    {"Laboratorio", "Labor", "Lab"},
    {"Plesso (Fabbricato Scolastico)", "Gebäude (Schulgebäude)"_cp, "Building (School Building)"},
    {"Disponibilità ore"_cp, "Verfügbarkeit Stunden"_cp, "Hours availability"},
    {"Gruppo di Laboratori", "Laborgruppe", "Lab Group"},
};
const MlText kGroupHeadings[3] = {
    {"Gruppo di Laboratori", "Laborgruppe", "Lab Group"},
    {"Plesso (Fabbricato Scolastico)", "Gebäude (Schulgebäude)"_cp, "Building (School Building)"},
    {"Laboratori inclusi nel gruppo", "Labore in der Gruppe", "Labs in the group"},
};
const MlText kGeneralHelp = {
    "Create una voce di questa lista per ogni Laboratorio che esiste come LOCALE FISICO distinto dalle Aule di "
    "lezione delle Classi nella vostra scuola.",
    "Legen Sie einen Eintrag dieser Liste für jedes Labor an, das als EIGENER RAUM neben den Klassenzimmern in "
    "Ihrer Schule besteht."_cp,
    "Create an entry of this list for every lab that exists as a ROOM of its own, apart from the classrooms of "
    "the classes in your school."};
const MlText kGroupHelp = {
    "I Laboratori configurati in questa pagina possono essere inseriti in Gruppi di Laboratori. Un insegnamento "
    "legato a un Gruppo richiede, in ciascuna delle sue ore, un Laboratorio libero del Gruppo.",
    "Die auf dieser Seite angelegten Labore können in Laborgruppen eingefügt werden. Ein Lehrauftrag, der an "
    "eine Gruppe gebunden ist, braucht in jeder seiner Stunden ein freies Labor der Gruppe."_cp,
    "The labs configured on this page can be put into lab groups. A teaching post tied to a group needs, at "
    "each of its hours, one free lab of the group."};
const MlText kHoursHelp = {
    "Normalmente il Laboratorio si assume disponibile in tutte le ore della settimana.\nSe il Laboratorio non è "
    "disponibile in certe ore o in certi giorni (perché condiviso con un'altra scuola), configurare la mappa "
    "delle ore disponibili."_cp,
    "Normalerweise gilt das Labor in allen Stunden der Woche als verfügbar.\nIst das Labor in manchen Stunden "
    "oder an manchen Tagen nicht verfügbar (weil es mit einer anderen Schule geteilt wird), legen Sie die "
    "Karte der verfügbaren Stunden an."_cp,
    "Normally the lab is taken as available in every hour of the week.\nIf the lab is not available at some "
    "hours or on some days (because it is shared with another school), set the map of the available hours."};
const MlText kNameFirst = {
    "Se volete INSERIRE un nuovo laboratorio o Gruppo di Laboratori, dovete prima specificarne il nome.",
    "Um ein neues Labor oder eine neue Laborgruppe EINZUFÜGEN, müssen Sie zuerst den Namen angeben."_cp,
    "To INSERT a new lab or lab group, first type its name."};
const MlText kSelectFirst = {
    "Se volete MODIFICARE, CANCELLARE o RIDENOMINARE un Laboratorio o Gruppo Laboratori, prima dovete "
    "SELEZIONARLO.",
    "Um ein Labor oder eine Laborgruppe zu ÄNDERN, LÖSCHEN oder UMZUBENENNEN, müssen Sie es zuerst "
    "AUSWÄHLEN."_cp,
    "To CHANGE, DELETE or RENAME a lab or lab group, first SELECT it."};
const MlText kSameAsSubject = {"Il nome di un Laboratorio non può essere eguale a quello di una Materia esistente"_cp,
                               "Der Name eines Labors darf nicht gleich dem eines bestehenden Faches sein"_cp,
                               "The name of a lab cannot be the same as that of an existing subject"};
const MlText kNamedLabIsSubject = {
    "Il nome del Laboratorio [%s] non può essere eguale a quello di una Materia esistente"_cp,
    "Der Name des Labors [%s] darf nicht gleich dem eines bestehenden Faches sein"_cp,
    "The name of the lab [%s] cannot be the same as that of an existing subject"};
const MlText kNeedBuilding = {"Specificare il Plesso in cui si trova il nuovo Laboratorio",
                              "Bitte das Gebäude des neuen Labors angeben"_cp,
                              "Please specify the building of the new lab"};
const MlText kTooMany = {"Raggiunto numero massimo di laboratori. Non inserito.",
                         "Höchstzahl der Labore erreicht. Nicht eingefügt."_cp,
                         "Maximum number of labs reached. Not inserted."};
const MlText kGroupPostsLeft = {
    "Il Gruppo era assegnato a %d cattedre: salvando, queste non avranno più un Gruppo di Laboratori."_cp,
    "Die Gruppe war %d Lehraufträgen zugeordnet: beim Speichern verlieren diese ihre Laborgruppe."_cp,
    "The group was given to %d teaching posts: once saved, they have no lab group any more."};
const MlText kNewName = {"Ridenominazione - nuovo Nome del Laboratorio?", "Umbenennen - neuer Name des Labors?",
                         "Rename - new name of the lab?"};
const MlText* const kHelpTexts[Clapal::kHelpButtons] = {&kGeneralHelp, &kGroupHelp, &kHoursHelp};

constexpr int kMaxLabNameChars = 19;
constexpr int kGroupSlots = 20;

UiSchoolStructure& st = g_ui_structure;

int lab_count() { return st.lab_count > std::uint32_t(kUiMaxLabs) ? kUiMaxLabs : int(st.lab_count); }
int group_count() {
  return st.lab_group_count > std::uint32_t(kUiMaxLabGroups) ? kUiMaxLabGroups : int(st.lab_group_count);
}
int building_count() {
  int n = g_ui_settings.building_count;
  return n < 0 ? 0 : n > kUiMaxBuildings ? kUiMaxBuildings : n;
}
bool valid_lab(int lab) { return lab >= 0 && lab < lab_count() && st.labs[lab].name[0] != '\0'; }

const char* building_name(int building) {
  if (building < 0 || building >= building_count()) return "";
  g_ui_settings.buildings[building].name[kUiNameSize - 1] = '\0';
  return g_ui_settings.buildings[building].name;
}

// The name typed into an edit box, cleaned as a name with ',' made '_' too.
std::string clean_typed(const std::string& typed, int max) {
  char name[kUiNameSize] = {};
  std::memcpy(name, typed.data(), std::min<std::size_t>(typed.size(), std::size_t(max)));
  return std::string(name, std::size_t(og_clean_name(name, max, 2)));
}

bool subject_named(const char* name) {
  std::uint32_t n = st.subject_count > std::uint32_t(kUiMaxSubjects) ? kUiMaxSubjects : st.subject_count;
  for (std::uint32_t i = 0; i < n; ++i)
    if (!st.subjects[i].hidden && st.subjects[i].name[0] && dictionary_same_name(st.subjects[i].name, name))
      return true;
  return false;
}

int find_lab(const char* name) {
  for (int i = 0; i < lab_count(); ++i)
    if (st.labs[i].name[0] && dictionary_same_name(st.labs[i].name, name)) return i;
  return -1;
}

int find_group(const char* name) {
  for (int i = 0; i < group_count(); ++i)
    if (st.lab_groups[i].name[0] && dictionary_same_name(st.lab_groups[i].name, name)) return i;
  return -1;
}

bool lab_in_use(int lab) {
  int teachers =
      g_ui_settings.teacher_count > std::uint32_t(kUiMaxTeachers) ? kUiMaxTeachers : int(g_ui_settings.teacher_count);
  for (int t = 0; t < teachers; ++t) {
    int posts =
        g_ui_teachers[t].post_count > std::uint32_t(kUiMaxPosts) ? kUiMaxPosts : int(g_ui_teachers[t].post_count);
    for (int p = 0; p < posts; ++p)
      if (g_ui_teachers[t].posts[p].lab == lab) return true;
  }
  return false;
}

// How many posts (partner copies aside) name the group.
int posts_of_group(int group) {
  int teachers =
      g_ui_settings.teacher_count > std::uint32_t(kUiMaxTeachers) ? kUiMaxTeachers : int(g_ui_settings.teacher_count);
  int count = 0;
  for (int t = 0; t < teachers; ++t) {
    int posts =
        g_ui_teachers[t].post_count > std::uint32_t(kUiMaxPosts) ? kUiMaxPosts : int(g_ui_teachers[t].post_count);
    for (int p = 0; p < posts; ++p)
      if (!g_ui_teachers[t].posts[p].copy && g_ui_teachers[t].posts[p].lab_group == group) ++count;
  }
  return count;
}

// The first group (table order) that lists the lab, or -1.
int group_of(int lab) {
  for (int g = 0; g < group_count(); ++g) {
    if (!st.lab_groups[g].name[0]) continue;
    for (int s = 0; s < kGroupSlots; ++s)
      if (st.lab_groups[g].labs[s] == lab) return g;
  }
  return -1;
}

int first_member(int group) {
  for (int s = 0; s < kGroupSlots; ++s)
    if (valid_lab(st.lab_groups[group].labs[s])) return st.lab_groups[group].labs[s];
  return -1;
}

void set_name(char* field, const std::string& name) { dictionary_copy_name(field, name.c_str()); }

}  // namespace

void Clapal::DoDataExchange(DataExchange& dx) {
  dx.Control(kLabNameId, m_lab_name);
  dx.Control(kBuildingId, m_building);
  dx.Control(kAddLabId, m_add_lab);
  dx.Control(kDeleteLabId, m_delete_lab);
  dx.Control(kRenameLabId, m_rename_lab);
  dx.Control(kHoursId, m_hours);
  dx.Control(kLabListId, m_labs);
  dx.Control(kGroupNameId, m_group_name);
  dx.Control(kAddGroupId, m_add_group);
  dx.Control(kDeleteGroupId, m_delete_group);
  dx.Control(kRenameGroupId, m_rename_group);
  dx.Control(kGroupListId, m_groups);
  dx.Control(kCandidateId, m_candidates);
  dx.Control(kGroupLabsId, m_group_labs);
  dx.Control(kRemoveId, m_remove);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kHintId, m_hint);
  dx.Control(kNoticeId, m_notice);
  for (int i = 0; i < kHelpButtons; ++i) dx.Control(kFirstHelpButtonId + i, m_help_buttons[std::size_t(i)]);
  for (int i = 0; i < kStatics; ++i) dx.Control(kFirstStaticId + i, m_statics[std::size_t(i)]);
}

bool Clapal::OnInitDialog() {
  CDictionaryPage::OnInitDialog();
  StartPage("4 Laboratori");
  m_help.SetTextML(&kGeneralHelp);
  m_notice.SetColors(kCrimson, kLightGreen);
  m_labs.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  m_groups.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  for (int c = 0; c < 4; ++c) {
    const char* heading = kLabHeadings[c].Get();
    m_labs.InsertColumn(c, heading, kLvcfmtLeft, int(std::strlen(heading)) * (c == 3 ? 4 : 8));
  }
  for (int c = 0; c < 3; ++c) {
    const char* heading = kGroupHeadings[c].Get();
    m_groups.InsertColumn(c, heading, kLvcfmtLeft, int(std::strlen(heading)) * 8);
  }
  FillLabList();
  FillGroupList(-1);
  m_lab_name.LimitText(kMaxLabNameChars);
  m_group_name.LimitText(kUiNameSize - 1);
  for (int b = 0; b < building_count(); ++b) m_building.AddString(building_name(b));
  if (building_count() < 2) m_building.EnableWindow(false);
  m_grid.SetGridData(nullptr, kHoursTitle.Get(), kRoomAlwaysAvailable.Get(), nullptr, &kHoursHelp, 0);
  if (IsDialogForm()) {
    m_delete_lab.EnableWindow(false);
    m_rename_lab.EnableWindow(false);
    m_hint.EnableWindow(false);
  }
  return true;
}

int Clapal::FillLabList() {
  m_program_selects = true;
  int appended = -1;
  for (int i = 0; i < lab_count(); ++i) {
    UiLab& lab = st.labs[i];
    lab.name[kUiNameSize - 1] = '\0';
    if (!lab.name[0]) continue;
    int row = m_labs.FindItemByText(-1, lab.name);
    if (row < 0) appended = row = m_labs.InsertItem(m_labs.GetItemCount(), lab.name);
    m_labs.SetItemText(row, 1, building_name(lab.building));
    m_labs.SetItemText(row, 2, lab.hours[0] == 255 ? kAlwaysAvailable.Get() : kLimitedHours.Get());
    int group = group_of(i);
    m_labs.SetItemText(row, 3, group >= 0 ? st.lab_groups[group].name : "");
  }
  ui_fit_list_columns_to_content(m_labs, -1, -1);
  m_program_selects = false;
  return appended;
}

void Clapal::FillGroupList(int group) {
  m_program_selects = true;
  for (int g = 0; g < group_count(); ++g) {
    UiLabGroup& lg = st.lab_groups[g];
    lg.name[kUiNameSize - 1] = '\0';
    if (!lg.name[0]) continue;
    int row = m_groups.FindItemByText(-1, lg.name);
    if (row < 0) row = m_groups.InsertItem(m_groups.GetItemCount(), lg.name);
    int first = first_member(g);
    m_groups.SetItemText(row, 1, first >= 0 ? building_name(st.labs[first].building) : "");
    std::string members;
    for (int s = 0; s < kGroupSlots; ++s) {
      if (!valid_lab(lg.labs[s])) continue;
      if (!members.empty()) members += ' ';
      members += st.labs[lg.labs[s]].name;
    }
    m_groups.SetItemText(row, 2, members);
    if (group >= 0) {
      std::uint32_t state = g == group ? kLvisSelected | kLvisFocused : 0;
      m_groups.SetItemState(row, state, kLvisSelected | kLvisFocused);
    }
  }
  ui_fit_list_columns_to_content(m_groups, -1, -1);
  m_program_selects = false;
}

int Clapal::SelectedLab() const {
  int row = m_labs.GetNextItem(-1, kLvniSelected);
  return row < 0 ? -1 : find_lab(m_labs.GetItemText(row, 0).c_str());
}

int Clapal::SelectedGroup() const {
  int row = m_groups.GetNextItem(-1, kLvniSelected);
  return row < 0 ? -1 : find_group(m_groups.GetItemText(row, 0).c_str());
}

void Clapal::ShowLabHours(int lab) {
  m_grid.SetGridData(&m_hours, kHoursTitle.Get(), kRoomAlwaysAvailable.Get(), st.labs[lab].hours, &kHoursHelp, 0);
}

void Clapal::ShowSelectedLab() {
  int lab = SelectedLab();
  if (lab < 0) return;
  m_lab_name.SetWindowText(st.labs[lab].name);
  m_building.SetCurSel(st.labs[lab].building < building_count() ? st.labs[lab].building : -1);
  ShowLabHours(lab);
  if (!IsDialogForm()) m_delete_lab.EnableWindow(true);
}

void Clapal::AddLab() {
  std::string name = clean_typed(m_lab_name.GetWindowText(), kMaxLabNameChars);
  if (const MlText* note = og_name_cleaning_note(m_lab_name.GetWindowText().c_str(), 2)) m_help.SetTextML(note);
  if (name.empty()) {
    m_help.SetTextML(&kNameFirst);
    return;
  }
  if (subject_named(name.c_str())) {
    ui_message_box(kSameAsSubject);
    return;
  }
  int building = 0;
  if (building_count() > 1) {
    int chosen = m_building.GetCurSel();
    building =
        chosen >= 0 && chosen < building_count() && m_building.GetLBText(chosen) == building_name(chosen) ? chosen : -1;
    if (building < 0) {
      m_building.SetFocus();
      ui_message_box(kNeedBuilding);
      return;
    }
  }
  int lab = find_lab(name.c_str());
  bool added = false;
  if (lab < 0) {
    if (lab_count() >= kUiMaxLabs) {
      ui_message_box(kTooMany);
      return;
    }
    lab = lab_count();
    std::memset(&st.labs[lab], 0, sizeof st.labs[lab]);
    set_name(st.labs[lab].name, name);
    st.lab_count = std::uint32_t(lab + 1);
    set_name(m_added_lab, name);
    added = true;
  }
  st.labs[lab].building = std::int8_t(building);
  st.labs[lab].hours[0] = 255;
  int row = FillLabList();
  m_program_selects = true;
  m_labs.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
  if (row >= 0) m_labs.SetItemState(row, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_program_selects = false;
  if (added) {
    m_lab_name.SetWindowText("");
    m_lab_name.SetFocus();
  }
}

void Clapal::DeleteLabs() {
  if (IsDialogForm()) return;
  std::vector<std::string> names;
  for (int row = m_labs.GetNextItem(-1, kLvniSelected); row >= 0; row = m_labs.GetNextItem(row, kLvniSelected))
    names.push_back(m_labs.GetItemText(row, 0));
  for (const std::string& name : names) {
    int lab = find_lab(name.c_str());
    if (lab < 0) continue;
    if (lab_in_use(lab)) {
      ui_message_box(kInUse);
      break;
    }
    m_labs.DeleteItem(m_labs.FindItemByText(-1, name));
    st.labs[lab].name[0] = '\0';
    for (int g = 0; g < group_count(); ++g)
      for (int s = 0; s < kGroupSlots; ++s)
        if (st.lab_groups[g].labs[s] == lab) st.lab_groups[g].labs[s] = -1;
  }
  FillLabList();
  m_groups.DeleteAllItems();
  FillGroupList(-1);
  m_help.SetTextML(&kSelectFirst);
}

void Clapal::RenameLab() {
  int lab = SelectedLab();
  if (lab < 0) {
    m_help.SetTextML(&kSelectFirst);
    return;
  }
  char answer[kUiNameSize];
  dictionary_copy_name(answer, st.labs[lab].name);
  answer[kMaxLabNameChars] = '\0';
  if (casella_run_input_box(kNewName.Get(), answer, kMaxLabNameChars, 4, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return;
  std::string name = clean_typed(answer, kMaxLabNameChars);
  int other = find_lab(name.c_str());
  if (name.empty() || (other >= 0 && other != lab)) {
    if (!name.empty()) ui_message_box(kNameTaken);
    return;
  }
  set_name(st.labs[lab].name, name);
  m_labs.DeleteAllItems();
  FillLabList();
  m_groups.DeleteAllItems();
  FillGroupList(-1);
  m_delete_lab.EnableWindow(false);
}

void Clapal::EditLabHours() {
  int lab = SelectedLab();
  if (lab < 0) {
    m_help.SetTextML(&kSelectFirst);
    return;
  }
  m_help.SetTextML(&kHoursHelp);
  ShowLabHours(lab);
  m_grid.DoModal();
  ShowLabHours(lab);
  FillLabList();
}

void Clapal::AddLabGroup() {
  std::string name = clean_typed(m_group_name.GetWindowText(), kUiNameSize - 1);
  if (const MlText* note = og_name_cleaning_note(m_group_name.GetWindowText().c_str(), 2)) m_help.SetTextML(note);
  if (name.empty()) {
    m_help.SetTextML(&kNameFirst);
    m_group_name.SetFocus();
    return;
  }
  if (subject_named(name.c_str())) {
    ui_message_box(kSameAsSubject);
    return;
  }
  int group = find_group(name.c_str());
  bool added = false;
  if (group < 0) {
    if (group_count() >= kUiMaxLabGroups) {
      ui_message_box(kTooMany);
      return;
    }
    group = group_count();
    set_name(st.lab_groups[group].name, name);
    for (int s = 0; s < kGroupSlots; ++s) st.lab_groups[group].labs[s] = -1;
    st.lab_group_count = std::uint32_t(group + 1);
    set_name(m_added_group, name);
    added = true;
  }
  m_program_selects = true;
  m_groups.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
  m_program_selects = false;
  FillGroupList(group);
  ShowSelectedGroup();
  if (added) {
    m_group_name.SetWindowText("");
    m_group_name.SetFocus();
  }
}

void Clapal::ShowSelectedGroup() {
  int group = SelectedGroup();
  if (group < 0) return;
  const UiLabGroup& lg = st.lab_groups[group];
  m_group_name.SetWindowText(lg.name);
  m_group_labs.ResetContent();
  for (int s = 0; s < kGroupSlots; ++s)
    if (valid_lab(lg.labs[s])) m_group_labs.AddString(st.labs[lg.labs[s]].name);
  m_candidates.ResetContent();
  int first = first_member(group);
  for (int i = 0; i < lab_count(); ++i) {
    if (!st.labs[i].name[0] || group_of(i) >= 0) continue;
    if (first >= 0 && st.labs[i].building != st.labs[first].building) continue;
    m_candidates.AddString(st.labs[i].name);
  }
}

void Clapal::AddLabToGroup() {
  int group = SelectedGroup();
  int chosen = m_candidates.GetCurSel();
  if (group < 0) {
    m_help.SetTextML(&kSelectFirst);
    return;
  }
  if (chosen < 0) return;
  std::string name = m_candidates.GetLBText(chosen);
  int lab = -1;
  for (int i = 0; i < lab_count() && lab < 0; ++i)
    if (name == st.labs[i].name) lab = i;
  if (lab < 0) return;
  UiLabGroup& lg = st.lab_groups[group];
  int slot = -1;
  for (int s = 0; s < kGroupSlots && slot < 0; ++s)
    if (!valid_lab(lg.labs[s])) slot = s;
  if (slot < 0) {
    ui_message_box(kTableFull);
  } else {
    lg.labs[slot] = std::int16_t(lab);
  }
  FillGroupList(group);
  ShowSelectedGroup();
  FillLabList();
}

void Clapal::RemoveLabFromGroup() {
  int group = SelectedGroup();
  int chosen = m_group_labs.GetCurSel();
  if (group < 0 || chosen < 0) {
    m_help.SetTextML(&kSelectFirst);
    return;
  }
  std::string name = m_group_labs.GetText(chosen);
  UiLabGroup& lg = st.lab_groups[group];
  for (int s = 0; s < kGroupSlots; ++s)
    if (valid_lab(lg.labs[s]) && name == st.labs[lg.labs[s]].name) {
      lg.labs[s] = -1;
      break;
    }
  FillGroupList(group);
  ShowSelectedGroup();
  FillLabList();
}

void Clapal::DeleteLabGroup() {
  int group = SelectedGroup();
  if (group < 0) {
    m_help.SetTextML(&kSelectFirst);
    return;
  }
  st.lab_groups[group].name[0] = '\0';
  m_groups.DeleteAllItems();
  FillGroupList(-1);
  m_group_labs.ResetContent();
  m_candidates.ResetContent();
  FillLabList();
  // The posts keep their hours but lose the group when the school is
  // written; the officer is told, so it is no surprise on the teachers page.
  if (int posts = posts_of_group(group); posts > 0) {
    char message[300];
    std::snprintf(message, sizeof message, kGroupPostsLeft.Get(), posts);
    ui_message_box(message);
  }
}

void Clapal::RenameLabGroup() {
  int group = SelectedGroup();
  if (group < 0) {
    m_help.SetTextML(&kSelectFirst);
    return;
  }
  char answer[kUiNameSize];
  dictionary_copy_name(answer, st.lab_groups[group].name);
  answer[kMaxLabNameChars] = '\0';
  if (casella_run_input_box(kNewName.Get(), answer, kMaxLabNameChars, 4, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return;
  std::string name = clean_typed(answer, kMaxLabNameChars);
  int other = find_group(name.c_str());
  if (name.empty() || (other >= 0 && other != group)) {
    if (!name.empty()) ui_message_box(kNameTaken);
    return;
  }
  set_name(st.lab_groups[group].name, name);
  m_groups.DeleteAllItems();
  FillGroupList(group);
  FillLabList();
}

bool Clapal::CheckLabNames() {
  for (int i = 0; i < lab_count(); ++i) {
    if (!st.labs[i].name[0] || !subject_named(st.labs[i].name)) continue;
    char message[300];
    std::snprintf(message, sizeof message, kNamedLabIsSubject.Get(), st.labs[i].name);
    ui_message_box(message);
    return false;
  }
  return true;
}

void Clapal::OnListFocus(ListView& list) {
  SelectFirstRow(list);
  if (&list == &m_labs)
    ShowSelectedLab();
  else
    ShowSelectedGroup();
}

void Clapal::OnEnter(Window* focus) {
  if (focus == &m_lab_name || focus == &m_building) AddLab();
  if (focus == &m_group_name) AddLabGroup();
  if (focus == &m_hours) EditLabHours();
}

bool Clapal::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange && id == kBuildingId) {
    AddLab();
    return true;
  }
  if (code == kCbnSelChange && id == kCandidateId) {
    AddLabToGroup();
    return true;
  }
  if (code != kBnClicked) return CDictionaryPage::OnCommand(w, l);
  if (id >= kFirstHelpButtonId && id < kFirstHelpButtonId + kHelpButtons) {
    m_help.SetTextML(kHelpTexts[id - kFirstHelpButtonId]);
    return true;
  }
  switch (id) {
    case kAddLabId:
      AddLab();
      return true;
    case kDeleteLabId:
      DeleteLabs();
      return true;
    case kRenameLabId:
      RenameLab();
      return true;
    case kHoursId:
      EditLabHours();
      return true;
    case kAddGroupId:
      AddLabGroup();
      return true;
    case kDeleteGroupId:
      DeleteLabGroup();
      return true;
    case kRenameGroupId:
      RenameLabGroup();
      return true;
    case kRemoveId:
      RemoveLabFromGroup();
      return true;
    default:
      return CDictionaryPage::OnCommand(w, l);
  }
}

bool Clapal::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kLabListId &&
      OnListNotify(l, [this] { OnListFocus(m_labs); }, [this] { ShowSelectedLab(); }, [this] { DeleteLabs(); }))
    return true;
  if (header && header->id == kGroupListId &&
      OnListNotify(l, [this] { OnListFocus(m_groups); }, [this] { ShowSelectedGroup(); }, [this] { DeleteLabGroup(); }))
    return true;
  return CDictionaryPage::OnNotify(w, l, result);
}
