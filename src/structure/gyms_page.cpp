// Behaviour of the gyms and shared rooms page (see gyms_page.h). The list
// holds one row per room in record order, matched by name; Apply takes the
// room named in the name box and writes the controls into it step by step,
// stopping at the first refusal (a room this very call appended is removed
// again, fields of an existing room set before the refusal keep their new
// values). Selection changes the page makes itself are not applied back.
//
// Combo entries map to values by position: capacity "1".."99" (index + 1),
// minimum "0".."8", product "-" then "1".."99", the hour after which the
// minimum is not checked "-" then "2".., pairing years " Non gestito" /
// " Nessuno" then "1".. the highest class year (index = year, 0 = 255).
#include "structure/gyms_page.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
#include "structure/subject_dictionary.h"

using namespace kt::ui;

namespace {

using shared_text::kNameTaken;
using shared_text::kAlwaysAvailable;
using shared_text::kLimitedHours;
using shared_text::kHoursTitle;
using shared_text::kRoomAlwaysAvailable;

const MlText kHeadings[12] = {
    {"Palestra (o altro Locale)", "Turnhalle (oder anderer Raum)", "Gym (or other room)"},
    {"Plesso (Fabbricato Scolastico)", "Gebäude (Schulgebäude)"_cp, "Building (School Building)"},
    {"Materia", "Fach", "Subject"},
    {"Materia", "Fach", "Subject"},
    {"Materia", "Fach", "Subject"},
    {"Materia", "Fach", "Subject"},
    {"Capienza Classi", "Kapazität Klassen"_cp, "Class capacity"},
    {"Minimo Classi Presenti", "Mindestzahl Klassen", "Minimum classes present"},
    {"Accoppiamenti", "Paarungen", "Pairings"},
    {"Disponibilità ore"_cp, "Verfügbarkeit Stunden"_cp, "Hours availability"},
    {"Prodotto max", "Max. Produkt", "Max product"},
    {"", "", ""},
};
constexpr int kColumns = 11;
const MlText kSharingLimited = {"limitazioni condivisione", "Teilungsgrenzen", "sharing limits"};
const MlText kOrEmpty = {"o vuoto", "oder leer", "or empty"};
const MlText kDefined = {"DEFINITI", "DEFINIERT", "DEFINED"};
const MlText kNotDefined = {"Non definiti", "Nicht definiert", "Not defined"};
const MlText kNotManaged = {" Non gestito", " Nicht verwaltet", " Not managed"};
const MlText kNobody = {" Nessuno", " Keine", " Nobody"};
const MlText kFull = {"Raggiunto Massimo Locali Comuni - Non inseribile",
                      "Höchstzahl der gemeinsamen Räume erreicht - Nicht einfügbar"_cp,
                      "Maximum number of shared rooms reached - Cannot insert"};
const MlText kNeedBuilding = {"Specificare il Plesso in cui si trova il Locale Comune",
                              "Bitte das Gebäude des gemeinsamen Raumes angeben"_cp,
                              "Please specify the building of the shared room"};
const MlText kNeedSubject = {
    "Specificare la Materia che si esercita in questo Locale (Se Palestra, tipicamente Educazione Fisica",
    "Bitte das Fach angeben, das in diesem Raum unterrichtet wird (bei einer Turnhalle meist Sport",
    "Please specify the subject taught in this room (for a gym, typically Physical Education"};
const MlText kTwoRooms = {
    "Esistono DUE locali con Plesso:%s e Materia:%s. Configurare i locali comuni con Materie diverse.",
    "Es gibt ZWEI Räume mit Gebäude:%s und Fach:%s. Die gemeinsamen Räume mit verschiedenen Fächern "
    "anlegen."_cp,
    "There are TWO rooms with Building:%s and Subject:%s. Configure the shared rooms with different subjects."};
const MlText kNeedCapacity = {"Quante Classi possono essere presenti contemporaneamente in questo ambiente ?",
                              "Wie viele Klassen können gleichzeitig in diesem Raum sein ?"_cp,
                              "How many classes can be in this room at the same time ?"};
const MlText kMinimumAboveCapacity = {
    "Le Classi che DEVONO essere presenti contemporaneamente in questo ambiente non possono essere PIU' di "
    "quelle che POSSONO esservi!",
    "Die Klassen, die gleichzeitig in diesem Raum sein MÜSSEN, können nicht MEHR sein als die, die dort sein "
    "KÖNNEN!"_cp,
    "The classes that MUST be in this room at the same time cannot be MORE than those that CAN be there!"};
const MlText kNobodyAndYear = {"La classe %d non può essere definita accoppiabile con NESSUNO e anche con %d"_cp,
                               "Die Klasse %d kann nicht mit NIEMANDEM und zugleich mit %d gepaart werden"_cp,
                               "Year %d cannot be paired with NOBODY and also with %d"};
const MlText kNeverAvailable = {"Il Locale non risulta mai disponibile. Sicuro?",
                                "Der Raum ist nie verfügbar. Sicher?"_cp, "The room is never available. Sure?"};
const MlText kEnterFirst = {"Inserire il dato, e poi modificare la tabella oraria settimanale",
                            "Zuerst den Raum eingeben, dann die Wochentabelle ändern"_cp,
                            "Enter the room first, then change the weekly table"};
const MlText kNewName = {"Ridenominazione - nuovo Nome?", "Umbenennen - neuer Name?", "Rename - new name?"};
const MlText kSharingTitle = {"Limitazioni alla condivisione del Locale Comune.",
                              "Grenzen der Teilung des gemeinsamen Raumes."_cp, "Limits to sharing the room."};
const MlText kSharingBand = {
    "Se una classe ha FINO A ORE Settimanali nel Locale:", "Hat eine Klasse BIS ZU Wochenstunden im Raum:",
    "If a class has UP TO weekly hours in the room:"};
const MlText kSharingQuantity = {"Ore condivisibili", "Teilbare Stunden", "Hours that may be shared"};

// Help texts: page, building, one room per subject and building, other
// subjects, capacity, minimum, minimum from hour, pairings, availability,
// sharing limits and tolerated errors, technical parameters.
const MlText kHelp[Cpale::kHelpTexts] = {
    {"Usate questa lista per le palestre e gli altri locali comuni di ciascun plesso, in cui più classi possono "
     "fare lezione della stessa materia nella stessa ora. Un solo locale per materia e plesso, con la capienza "
     "totale. La mensa è un locale comune disponibile in una sola ora, tipicamente la sesta."_cp,
     "Benutzen Sie diese Liste für die Turnhallen und anderen gemeinsamen Räume jedes Gebäudes. Ein Raum je "
     "Fach und Gebäude, mit der gesamten Kapazität. Die Mensa ist ein gemeinsamer Raum, der nur in einer "
     "Stunde verfügbar ist."_cp,
     "Use this list for the gyms and other shared rooms of each building, where several classes may have a "
     "lesson of the same subject in the same hour. One room per subject and building, with the total "
     "capacity. The canteen is a shared room available in one hour only, typically the sixth."},
    {"Il plesso (fabbricato) in cui si trova il locale.", "Das Gebäude, in dem der Raum liegt."_cp,
     "The building in which the room lies."},
    {"Un solo locale per materia e plesso: due palestre dello stesso plesso si inseriscono come un unico locale "
     "la cui capienza è la somma delle due."_cp,
     "Ein Raum je Fach und Gebäude: zwei Turnhallen eines Gebäudes werden als ein Raum eingegeben, dessen "
     "Kapazität die Summe beider ist."_cp,
     "One room per subject and building: two gyms of one building are entered as one room whose capacity is "
     "the sum of both."},
    {"Altre materie (al massimo tre) le cui lezioni occupano anch'esse il locale.",
     "Andere Fächer (höchstens drei), deren Stunden den Raum ebenfalls belegen."_cp,
     "Other subjects (at most three) whose lessons also occupy the room."},
    {"Quante classi possono essere presenti contemporaneamente nel locale.",
     "Wie viele Klassen gleichzeitig im Raum sein können."_cp, "How many classes may be in the room at once."},
    {"Il numero di classi che DEVONO essere presenti nel locale in ogni ora in cui è disponibile; con 'Vuoto "
     "oppure rispettare il minimo' il locale può anche restare vuoto."_cp,
     "Die Zahl der Klassen, die in jeder verfügbaren Stunde im Raum sein MÜSSEN."_cp,
     "The number of classes that MUST be in the room in every hour in which it is available; with 'empty or "
     "respect the minimum' the room may also stay empty."},
    {"Il minimo non viene controllato a partire da quest'ora.", "Ab dieser Stunde wird das Minimum nicht geprüft."_cp,
     "The minimum is not checked from this hour on."},
    {"Accoppiamenti: '1 con 1' le prime condividono il locale solo tra loro; '1 con Nessuno' le prime non lo "
     "condividono; '2 con 3' le seconde solo con le terze (l'accoppiamento inverso è implicito)."_cp,
     "Paarungen: '1 mit 1' die ersten teilen den Raum nur untereinander; '1 mit Keine' die ersten teilen ihn "
     "nicht; '2 mit 3' die zweiten nur mit den dritten (die umgekehrte Paarung gilt mit)."_cp,
     "Pairings: '1 with 1' first-year classes share the room only among themselves; '1 with Nobody' they do "
     "not share it; '2 with 3' second-year classes only with third-year ones (the reverse is implied)."},
    {"Le ore in cui il locale è disponibile e, per ciascuna, quante classi possono usarlo."_cp,
     "Die Stunden, in denen der Raum verfügbar ist, und wie viele Klassen ihn in jeder benutzen können."_cp,
     "The hours in which the room is available and, for each, how many classes may use it."},
    {"Quante delle sue ore settimanali nel locale una classe può condividere con altre classi; gli 'Errori "
     "tollerati' sono le violazioni di questi limiti accettate."_cp,
     "Wie viele ihrer Wochenstunden im Raum eine Klasse mit anderen teilen darf; die 'tolerierten Fehler' sind "
     "die hingenommenen Verletzungen."_cp,
     "How many of its weekly hours in the room a class may share with other classes; the 'tolerated errors' "
     "are the violations of these limits that are accepted."},
    {"Questi parametri tecnici vanno modificati soltanto su indicazione del servizio di assistenza.",
     "Diese technischen Parameter nur auf Rat des Supports ändern."_cp,
     "Change these technical parameters only on the advice of the support service."},
};
// The help text of each "?" button, and of controls when they gain the focus.
constexpr int kButtonHelp[Cpale::kHelpButtons] = {0, 2, 4, 7, 9, 10};

constexpr int kMaxCapacity = 99;

UiSchoolSettings& se = g_ui_settings;

int room_count() { return se.gym_count > std::uint32_t(kUiMaxGyms) ? kUiMaxGyms : int(se.gym_count); }
int building_count() {
  int n = se.building_count;
  return n < 0 ? 0 : n > kUiMaxBuildings ? kUiMaxBuildings : n;
}
const char* building_name(int b) {
  if (b < 0 || b >= building_count()) return "";
  se.buildings[b].name[kUiNameSize - 1] = '\0';
  return se.buildings[b].name;
}
const char* subject_name(int s) {
  if (s < 0 || s >= kUiMaxSubjects || std::uint32_t(s) >= g_ui_structure.subject_count) return "";
  g_ui_structure.subjects[s].name[kUiNameSize - 1] = '\0';
  return g_ui_structure.subjects[s].name;
}

int find_room(const char* name) {
  for (int i = 0; i < room_count(); ++i)
    if (dictionary_same_name(se.gyms[i].name, name)) return i;
  return -1;
}

int highest_year() {
  int year = 1;
  std::uint32_t classes =
      g_ui_structure.class_count > std::uint32_t(kUiMaxClasses) ? kUiMaxClasses : g_ui_structure.class_count;
  for (std::uint32_t i = 0; i < classes; ++i) {
    char digit = g_ui_structure.classes[i].code[0];
    if (digit >= '1' && digit <= '9' && digit - '0' > year) year = digit - '0';
  }
  return year;
}

int longest_day() {
  int hours = 0;
  for (int d = 0; d < 7; ++d) hours = std::max(hours, int(std::min<std::uint8_t>(g_ui_header.hours_per_day[d], 12)));
  return hours;
}

// True when the map marks at least one hour that the school has.
bool marks_a_school_hour(const std::uint8_t* map) {
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < g_ui_header.hours_per_day[d] && h < 12; ++h)
      if (map[d * 12 + h] == 1) return true;
  return false;
}

int number_of(const ComboBox& combo) {
  int sel = combo.GetCurSel();
  return sel < 0 ? -1 : std::atoi(combo.GetLBText(sel).c_str());
}

void select_number(ComboBox& combo, int value) {
  int found = -1;
  for (int i = 0; i < combo.GetCount() && found < 0; ++i) {
    std::string text = combo.GetLBText(i);
    if (!text.empty() && text != "-" && std::atoi(text.c_str()) == value) found = i;
  }
  combo.SetCurSel(found);
}

void select_text(ComboBox& combo, const char* text) {
  int found = -1;
  for (int i = 0; i < combo.GetCount() && found < 0; ++i)
    if (combo.GetLBText(i) == text) found = i;
  combo.SetCurSel(text[0] ? found : -1);
}

void remove_room(int room) {
  int count = room_count();
  if (room < 0 || room >= count) return;
  for (int i = room; i + 1 < count; ++i) se.gyms[i] = se.gyms[i + 1];
  std::memset(&se.gyms[count - 1], 0, sizeof se.gyms[count - 1]);
  se.gym_count = std::uint32_t(count - 1);
}

std::string format(const char* pattern, int a) {
  char text[40];
  std::snprintf(text, sizeof text, pattern, a);
  return text;
}

}  // namespace

void Cpale::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kNameId, m_name);
  dx.Control(kBuildingId, m_building);
  for (int i = 0; i < 4; ++i) dx.Control(kFirstSubjectId + i, m_subjects[std::size_t(i)]);
  for (int i = 0; i < 3; ++i) dx.Control(kFirstClearId + i, m_clear[std::size_t(i)]);
  dx.Control(kCapacityId, m_capacity);
  dx.Control(kHoursId, m_hours);
  dx.Control(kMinimumId, m_minimum);
  dx.Control(kEmptyOrMinimumId, m_empty_or_minimum);
  dx.Control(kMinimumFromHourId, m_minimum_from_hour);
  dx.Control(kProductId, m_product);
  dx.Control(kSharingId, m_sharing);
  dx.Control(kToleratedId, m_tolerated);
  dx.Control(kAddId, m_add);
  dx.Control(kRenameId, m_rename);
  dx.Control(kDeleteId, m_delete);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kNoticeId, m_notice);
  for (int i = 0; i < kPairRows; ++i) {
    dx.Control(kFirstPairId + i, m_pairs[std::size_t(i)]);
    dx.Control(kFirstPartnerId + i, m_partners[std::size_t(i)]);
  }
  for (int i = 0; i < kHelpButtons; ++i) dx.Control(kFirstHelpButtonId + i, m_help_buttons[std::size_t(i)]);
  for (int i = 0; i < kStatics; ++i) dx.Control(kFirstStaticId + i, m_statics[std::size_t(i)]);
}

bool Cpale::OnInitDialog() {
  CDictionaryPage::OnInitDialog();
  StartPage("5 Palestre");
  m_help.SetTextML(&kHelp[0]);
  m_notice.SetColors(kCrimson, kLightGreen);
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  // Each column starts as wide as its heading; the fitting below narrows the
  // widest ones only when the headings together do not fit the list.
  for (int c = 0; c < kColumns; ++c) {
    m_list.InsertColumn(c, kHeadings[c].Get());
    m_list.SetColumnWidth(c, ui_list_heading_width(m_list, c));
  }
  m_name.LimitText(kUiNameSize - 1);
  for (int b = 0; b < building_count(); ++b) m_building.AddString(building_name(b));
  m_building.EnableWindow(building_count() >= 2);
  int subjects = dictionary_count(g_ui_structure.subject_count, kUiMaxSubjects);
  for (ComboBox& list : m_subjects)
    for (int s = 0; s < subjects; ++s)
      if (!g_ui_structure.subjects[s].hidden && g_ui_structure.subjects[s].name[0])
        list.AddString(subject_name(int(s)));
  for (int v = 1; v <= kMaxCapacity; ++v) m_capacity.AddString(format("%2d", v));
  for (int v = 0; v <= 8; ++v) m_minimum.AddString(format("%d", v));
  m_minimum_from_hour.AddString("-");
  for (int h = 2; h <= longest_day(); ++h) m_minimum_from_hour.AddString(format("%d", h));
  m_product.AddString("-");
  for (int v = 1; v <= kMaxCapacity; ++v) m_product.AddString(format("%2d", v));
  int classes = dictionary_count(g_ui_structure.class_count, kUiMaxClasses);
  for (int v = 0; v == 0 || (v < classes && v <= kMaxCapacity); ++v) m_tolerated.AddString(format("%2d", v));
  for (int r = 0; r < kPairRows; ++r) {
    m_pairs[std::size_t(r)].AddString(kNotManaged.Get());
    m_partners[std::size_t(r)].AddString(kNobody.Get());
    for (int y = 1; y <= highest_year(); ++y) {
      m_pairs[std::size_t(r)].AddString(format("%d", y));
      m_partners[std::size_t(r)].AddString(format("%d", y));
    }
    m_partners[std::size_t(r)].EnableWindow(false);
  }
  m_bands.SetBandData(&m_sharing, kSharingTitle.Get(), kSharingBand.Get(), kSharingQuantity.Get(), &kHelp[9],
                      Hq2TableSpec{});
  m_minimum_from_hour.EnableWindow(false);
  m_empty_or_minimum.EnableWindow(false);
  FillRoomList(false);
  ui_fit_list_columns(m_list, -1, -1, true);
  return true;
}

void Cpale::FillRoomList(bool rebuild) {
  m_program_selects = true;
  if (rebuild) m_list.DeleteAllItems();
  for (int i = 0; i < room_count(); ++i) {
    UiGym& g = se.gyms[i];
    g.name[kUiNameSize - 1] = '\0';
    int row = m_list.FindItemByText(-1, g.name);
    if (row < 0) row = m_list.InsertItem(m_list.GetItemCount(), g.name);
    m_list.SetItemText(row, 1, building_name(g.building));
    for (int s = 0; s < 4; ++s) m_list.SetItemText(row, 2 + s, subject_name(g.subjects[s]));
    std::string capacity = format("%d", g.max_classes);
    if (g.sharing_count > 0) capacity += std::string(" (") + kSharingLimited.Get() + ")";
    m_list.SetItemText(row, 6, capacity);
    std::string minimum = format("%d", g.min_classes[0]);
    if (g.min_classes[0] > 1) minimum += std::string(" ") + (g.min_classes[1] ? kOrEmpty.Get() : "");
    m_list.SetItemText(row, 7, minimum);
    m_list.SetItemText(row, 8, g.pair_count > 0 ? kDefined.Get() : kNotDefined.Get());
    m_list.SetItemText(row, 9, g.hours[0] != 255 ? kLimitedHours.Get() : kAlwaysAvailable.Get());
    m_list.SetItemText(row, 10, g.max_product > 0 ? format("%d", g.max_product) : "");
  }
  m_program_selects = false;
}

int Cpale::NamedRoom() const {
  char name[kUiNameSize];
  og_clean_name(name, m_name.GetWindowText().c_str());
  return name[0] ? find_room(name) : -1;
}

void Cpale::ShowSummaries(int room) {
  UiGym& g = se.gyms[room];
  m_grid.SetGridData(&m_hours, kHoursTitle.Get(), kRoomAlwaysAvailable.Get(), g.hours, g.classes_by_hour, g.max_classes,
                     &kHelp[8], 0);
  Hq2TableSpec spec;
  spec.pairs = reinterpret_cast<std::int8_t(*)[2]>(g.sharing);
  spec.count = reinterpret_cast<std::uint8_t*>(&g.sharing_count);
  m_bands.SetBandData(&m_sharing, kSharingTitle.Get(), kSharingBand.Get(), kSharingQuantity.Get(), &kHelp[9], spec);
}

void Cpale::EnableMinimumOptions(int minimum) {
  m_minimum_from_hour.EnableWindow(minimum > 0);
  m_empty_or_minimum.EnableWindow(minimum > 1);
}

void Cpale::ShowRoom(int room) {
  if (room < 0 || room >= room_count()) return;
  const UiGym& g = se.gyms[room];
  m_name.SetWindowText(g.name);
  m_building.SetCurSel(g.building >= 0 && g.building < building_count() ? g.building : -1);
  for (int s = 0; s < 4; ++s) select_text(m_subjects[std::size_t(s)], subject_name(g.subjects[s]));
  select_number(m_capacity, g.max_classes);
  if (g.max_product > 0)
    select_number(m_product, g.max_product);
  else
    m_product.SetCurSel(-1);
  select_number(m_minimum, g.min_classes[0]);
  m_minimum_from_hour.SetCurSel(g.min_classes[2] < m_minimum_from_hour.GetCount() ? g.min_classes[2] : -1);
  m_empty_or_minimum.SetCheck(g.min_classes[1] ? 1 : 0);
  EnableMinimumOptions(g.min_classes[0]);
  for (int r = 0; r < kPairRows; ++r) {
    ComboBox& first = m_pairs[std::size_t(r)];
    ComboBox& second = m_partners[std::size_t(r)];
    bool used = r < g.pair_count && g.pairs[r][0] != 255 && g.pairs[r][0] < first.GetCount();
    first.SetCurSel(used ? g.pairs[r][0] : 0);
    second.SetCurSel(used ? (g.pairs[r][1] == 255 || g.pairs[r][1] >= second.GetCount() ? 0 : g.pairs[r][1]) : 0);
    second.EnableWindow(used);
  }
  ShowSummaries(room);
  m_tolerated.SetCurSel(int(g.tolerated_errors) < m_tolerated.GetCount() ? int(g.tolerated_errors) : -1);
}

void Cpale::ShowSelectedRoom() {
  int row = m_list.GetNextItem(-1, kLvniSelected);
  if (row >= 0) ShowRoom(find_room(m_list.GetItemText(row, 0).c_str()));
}

Cpale::Applied Cpale::Apply(ApplyMode mode) {
  char name[kUiNameSize] = {};
  dictionary_copy_name(name, m_name.GetWindowText().c_str());
  og_clean_name(name, kUiNameSize - 1, 2);
  if (const MlText* note = og_name_cleaning_note(m_name.GetWindowText().c_str(), 2)) m_help.SetTextML(note);
  if (!name[0]) return Applied::kNothing;
  int room = find_room(name);
  bool appended = false;
  if (room < 0) {
    if (mode != ApplyMode::kAdd) return Applied::kNothing;
    if (room_count() >= kUiMaxGyms) {
      ui_message_box(kFull);
      return Applied::kRefused;
    }
    room = room_count();
    UiGym& fresh = se.gyms[room];
    std::memset(&fresh, 0, sizeof fresh);
    kt::cp1252_make_upper(name);
    dictionary_copy_name(fresh.name, name);
    for (int s = 0; s < 4; ++s) fresh.subjects[s] = -1;
    for (auto& pair : fresh.pairs) pair[0] = pair[1] = 255;
    se.gym_count = std::uint32_t(room + 1);
    appended = true;
  }
  UiGym& g = se.gyms[room];
  auto refuse = [&](Window* focus, const char* text) {
    if (focus) focus->SetFocus();
    ui_message_box(text);
    if (appended) remove_room(room);
    return Applied::kRefused;
  };

  int building = 0;
  if (building_count() >= 2) {
    int sel = m_building.GetCurSel();
    if (sel < 0 || sel >= building_count() || m_building.GetLBText(sel) != building_name(sel))
      return refuse(&m_building, kNeedBuilding.Get());
    building = sel;
  }
  g.building = std::int8_t(building);

  for (int s = 0; s < 4; ++s) {
    ComboBox& list = m_subjects[std::size_t(s)];
    int sel = list.GetCurSel();
    int subject = sel < 0 ? -1 : subject_find(list.GetLBText(sel).c_str());
    if ((s == 0 && subject < 0) || (sel >= 0 && subject < 0)) return refuse(&list, kNeedSubject.Get());
    g.subjects[s] = subject;
  }
  for (int other = 0; other < room_count(); ++other) {
    const UiGym& o = se.gyms[other];
    if (other == room || o.building != g.building) continue;
    for (int s = 0; s < 4; ++s)
      for (int t = 0; t < 4; ++t) {
        if (g.subjects[s] < 0 || g.subjects[s] != o.subjects[t]) continue;
        char message[300];
        std::snprintf(message, sizeof message, kTwoRooms.Get(), building_name(g.building), subject_name(g.subjects[s]));
        return refuse(&m_subjects[std::size_t(s)], message);
      }
  }

  int capacity = number_of(m_capacity);
  if (capacity < 1) return refuse(&m_capacity, kNeedCapacity.Get());
  g.max_classes = std::int8_t(capacity);
  int product = number_of(m_product);
  g.max_product = std::int8_t(product > 0 ? product : 0);
  int minimum = number_of(m_minimum);
  if (minimum > g.max_classes) return refuse(&m_minimum, kMinimumAboveCapacity.Get());
  g.min_classes[0] = std::int8_t(minimum > 0 ? minimum : 0);
  g.min_classes[1] = std::int8_t(m_empty_or_minimum.GetCheck() ? 1 : 0);
  g.min_classes[2] = std::int8_t(std::max(0, m_minimum_from_hour.GetCurSel()));

  int last = -1;
  for (int r = 0; r < kPairRows; ++r) {
    int first = m_pairs[std::size_t(r)].GetCurSel();
    int second = m_partners[std::size_t(r)].GetCurSel();
    g.pairs[r][0] = std::uint8_t(first > 0 ? first : 255);
    g.pairs[r][1] = std::uint8_t(first > 0 && second > 0 ? second : 255);
    if (first > 0) last = r;
  }
  g.pair_count = std::int8_t(last + 1);
  if (mode != ApplyMode::kPairing) {
    for (bool moved = true; moved;) {
      moved = false;
      for (int r = 0; r + 1 < g.pair_count && !moved; ++r) {
        if (g.pairs[r][0] != 255) continue;
        for (int k = r; k + 1 < kPairRows; ++k) {
          g.pairs[k][0] = g.pairs[k + 1][0];
          g.pairs[k][1] = g.pairs[k + 1][1];
        }
        g.pairs[kPairRows - 1][0] = g.pairs[kPairRows - 1][1] = 255;
        --g.pair_count;
        moved = true;
      }
    }
    for (int r = 0; r < g.pair_count; ++r) {
      if (g.pairs[r][0] == 255 || g.pairs[r][1] != 255) continue;
      int year = g.pairs[r][0];
      for (int k = 0; k < g.pair_count; ++k) {
        if (k == r || g.pairs[k][0] == 255) continue;
        int other = g.pairs[k][0] == year ? g.pairs[k][1] : g.pairs[k][1] == year ? g.pairs[k][0] : -1;
        if (other < 0) continue;
        char message[200];
        std::snprintf(message, sizeof message, kNobodyAndYear.Get(), year, other);
        return refuse(&m_pairs[std::size_t(r)], message);
      }
    }
  }

  if (g.hours[0] != 255 && !marks_a_school_hour(g.hours)) {
    if (appended)
      g.hours[0] = 255;
    else if (!dictionary_ask(kNeverAvailable))
      return Applied::kRefused;
  }

  FillRoomList(false);
  ShowRoom(room);
  if (appended) {
    int row = m_list.FindItemByText(-1, g.name);
    m_program_selects = true;
    m_list.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
    m_list.SetItemState(row, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    m_program_selects = false;
    m_name.SetWindowText("");
  }
  return Applied::kDone;
}

bool Cpale::CheckRooms() {
  if (Apply(ApplyMode::kAdd) == Applied::kRefused) return false;
  for (int row = 0; row < m_list.GetItemCount(); ++row) {
    m_program_selects = true;
    m_list.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
    m_list.SetItemState(row, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
    m_program_selects = false;
    ShowSelectedRoom();
    if (Apply(ApplyMode::kPlain) == Applied::kRefused) {
      m_list.SetFocus();
      return false;
    }
  }
  return true;
}

void Cpale::EditHours() {
  int room = NamedRoom();
  if (room < 0) {
    ui_message_box(kEnterFirst);
    return;
  }
  m_help.SetTextML(&kHelp[8]);
  ShowSummaries(room);
  m_grid.DoModal();
  ShowSummaries(room);
  FillRoomList(false);
}

void Cpale::EditSharing() {
  if (m_name.GetWindowText().empty()) {
    message_beep(kBeepSimple);
    return;
  }
  int room = NamedRoom();
  if (room < 0) {
    ui_message_box(kEnterFirst);
    return;
  }
  m_help.SetTextML(&kHelp[9]);
  ShowSummaries(room);
  m_bands.DoModal();
  ShowSummaries(room);
  FillRoomList(false);
}

void Cpale::OnTolerated() {
  auto deselect = [this] {
    m_program_selects = true;
    m_list.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
    m_program_selects = false;
  };
  if (m_name.GetWindowText().empty()) {
    message_beep(kBeepSimple);
    deselect();
    return;
  }
  int room = NamedRoom();
  if (room < 0) {
    deselect();
    ui_message_box(kEnterFirst);
    return;
  }
  se.gyms[room].tolerated_errors = std::uint32_t(std::max(0, m_tolerated.GetCurSel()));
}

void Cpale::Rename() {
  int row = m_list.GetNextItem(-1, kLvniSelected);
  int room = row < 0 ? -1 : find_room(m_list.GetItemText(row, 0).c_str());
  if (room < 0) return;
  char answer[kUiNameSize];
  dictionary_copy_name(answer, se.gyms[room].name);
  if (casella_run_input_box(kNewName.Get(), answer, kUiNameSize - 1, 1, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return;
  char name[kUiNameSize];
  dictionary_copy_name(name, answer);
  og_clean_name(name, kUiNameSize - 1, 2);
  kt::cp1252_make_upper(name);
  if (!name[0]) return;
  int other = find_room(name);
  if (other >= 0) {
    if (other != room) ui_message_box(kNameTaken);
    return;
  }
  dictionary_copy_name(se.gyms[room].name, name);
  m_name.SetWindowText(name);
  FillRoomList(true);
}

void Cpale::DeleteRooms() {
  std::vector<std::string> names;
  for (int row = m_list.GetNextItem(-1, kLvniSelected); row >= 0; row = m_list.GetNextItem(row, kLvniSelected))
    names.push_back(m_list.GetItemText(row, 0));
  for (const std::string& name : names) {
    m_list.DeleteItem(m_list.FindItemByText(-1, name));
    m_name.SetWindowText("");
    remove_room(find_room(name.c_str()));
  }
}

void Cpale::ShowHelp(int index) { m_help.SetTextML(&kHelp[index]); }

void Cpale::OnEnter(Window* focus) {
  if (focus == &m_name) Apply(ApplyMode::kAdd);
  if (focus == &m_hours) EditHours();
}

bool Cpale::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange) {
    if (id == kToleratedId)
      OnTolerated();
    else if (id >= kFirstPairId && id < kFirstPartnerId + kPairRows)
      Apply(ApplyMode::kPairing);
    else {
      if (id == kMinimumId) EnableMinimumOptions(number_of(m_minimum));
      Apply(ApplyMode::kPlain);
    }
    return true;
  }
  if (code == kCbnSetFocus || code == kEnSetFocus) {
    static const std::pair<int, int> kFocusHelp[] = {
        {kBuildingId, 1},         {kFirstSubjectId, 2}, {kFirstSubjectId + 1, 3}, {kFirstSubjectId + 2, 3},
        {kFirstSubjectId + 3, 3}, {kCapacityId, 4},     {kMinimumId, 5},          {kMinimumFromHourId, 6},
        {kProductId, 10},         {kToleratedId, 9}};
    for (const auto& [control, help] : kFocusHelp)
      if (control == id) ShowHelp(help);
    if (id >= kFirstPairId && id < kFirstPartnerId + kPairRows) ShowHelp(7);
    return CDictionaryPage::OnCommand(w, l);
  }
  if (code != kBnClicked) return CDictionaryPage::OnCommand(w, l);
  if (id >= kFirstHelpButtonId && id < kFirstHelpButtonId + kHelpButtons) {
    ShowHelp(kButtonHelp[id - kFirstHelpButtonId]);
    return true;
  }
  if (id >= kFirstClearId && id < kFirstClearId + 3) {
    m_subjects[std::size_t(id - kFirstClearId + 1)].SetCurSel(-1);
    Apply(ApplyMode::kPlain);
    return true;
  }
  switch (id) {
    case kEmptyOrMinimumId:
      Apply(ApplyMode::kPlain);
      return true;
    case kHoursId:
      EditHours();
      return true;
    case kSharingId:
      EditSharing();
      return true;
    case kAddId:
      Apply(ApplyMode::kAdd);
      return true;
    case kRenameId:
      Rename();
      return true;
    case kDeleteId:
      DeleteRooms();
      return true;
    default:
      return CDictionaryPage::OnCommand(w, l);
  }
}

bool Cpale::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId) {
    auto on_focus = [this] {
      SelectFirstRow(m_list);
      ShowSelectedRoom();
    };
    if (OnListNotify(l, on_focus, [this] { ShowSelectedRoom(); }, [this] { DeleteRooms(); })) return true;
  }
  return CDictionaryPage::OnNotify(w, l, result);
}
