// Behaviour of the special weekly calendars dialog (see special_calendars.h).
// Rows are found again by their class label, so sorting and rewriting keep
// the user's selection. The pickers write into the class selected first;
// a confirmed calendar is then copied to the other selected classes.
#include "structure/special_calendars.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "shell/dialog_title.h"
#include "shell/message_box.h"
#include "structure/afternoon_returns.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

CalendarCopyPanelHooks g_calendar_copy_panel;

namespace {

#define KT_TEXT(name, it, de, en) const MlText name = {{it, de, en}};

KT_TEXT(kHelp,
        "Qui si assegna un calendario settimanale proprio alle singole Classi che non seguono il calendario generale "
        "della scuola (rientri pomeridiani, sabato libero, ore di durata diversa). Selezionate una o più Classi e "
        "premete il pulsante del Calendario.\r\nAttenzione: definire un calendario per una Classe che ha lezione "
        "tutti i giorni e nessun rientro pomeridiano è inutile e persino dannoso."_cp,
        "Hier erhalten einzelne Klassen, die nicht dem allgemeinen Kalender der Schule folgen, einen eigenen "
        "Wochenkalender (Nachmittagsunterricht, freier Samstag, Stunden anderer Dauer). Eine oder mehrere Klassen "
        "wählen und die Kalender-Taste drücken.\r\nAchtung: ein Kalender für eine Klasse, die jeden Tag Unterricht "
        "und keinen Nachmittag hat, ist nutzlos und sogar schädlich."_cp,
        "Here single Classes that do not follow the school's general calendar get a weekly calendar of their own "
        "(afternoon returns, free Saturday, hours of another length). Select one or more Classes and press the "
        "Calendar button.\r\nWarning: a calendar for a Class that has lessons every day and no afternoon return is "
        "useless and even harmful.")
KT_TEXT(kSortTip,
        "SUGGERIMENTO: clickate sul titolo di una colonna per ordinare le Classi secondo quella colonna.\r\nUn secondo "
        "click sulla stessa colonna inverte l'ordine.",
        "TIPP: auf den Titel einer Spalte klicken, um die Klassen nach dieser Spalte zu ordnen.\r\nEin zweiter Klick "
        "kehrt die Reihenfolge um.",
        "HINT: click the title of a column to sort the Classes by that column.\r\nA second click on the same column "
        "reverses the order.")
KT_TEXT(kSelectToEdit, "Selezionare una classe per modificare il calendario settimanale",
        "Bitte eine Klasse wählen, um den Wochenkalender zu ändern"_cp, "Select a class to change its weekly calendar")
KT_TEXT(kSelectToClear, "Selezionare una classe per cancellare il calendario settimanale",
        "Bitte eine Klasse wählen, um den Wochenkalender zu löschen"_cp, "Select a class to delete its weekly calendar")
KT_TEXT(kCalendarTitle, "Calendario della %s (ore di lezione:%d)", "Kalender der %s (Unterrichtsstunden:%d)",
        "Calendar of %s (lesson hours:%d)")
KT_TEXT(kCalendarExplanation,
        "Segnate le ore di lezione della Classe e i loro orari di inizio e di fine.",
        "Markieren Sie die Unterrichtsstunden der Klasse und ihre Anfangs- und Endzeiten.",
        "Mark the lesson hours of the Class and their start and end times.")
KT_TEXT(kLengthsTitle, "Durata differenziata delle giornate (la classe ha %d ore)",
        "Unterschiedliche Tageslängen (die Klasse hat %d Stunden)"_cp, "Different day lengths (the class has %d hours)")
KT_TEXT(kLengthsSecond, "Durata differenziata delle giornate", "Unterschiedliche Tageslängen"_cp,
        "Different day lengths")
KT_TEXT(kBandCaption, "Giornate di ore:", "Tage mit Stunden:", "Days of hours:")
KT_TEXT(kDaysCaption, "Numero di giorni:", "Anzahl der Tage:", "Number of days:")
KT_TEXT(kLengthsExplanation,
        "Indicate quanti giorni della settimana la Classe ha di ciascuna durata: la somma di durata per giorni deve "
        "dare le ore settimanali della Classe.",
        "Geben Sie an, wie viele Tage der Woche die Klasse von jeder Länge hat: die Summe von Länge mal Tagen muss "
        "die Wochenstunden der Klasse ergeben."_cp,
        "Give how many days of the week the Class has of each length: the sum of length times days must give the "
        "weekly hours of the Class.")
KT_TEXT(kSumWrong,
        "La somma delle durate specificate per i giorni è %d, che non è alle uguale ore settimanali in classe (%d). "
        "Correggere."_cp,
        "Die Summe der für die Tage angegebenen Längen ist %d und nicht gleich den Wochenstunden der Klasse (%d). "
        "Korrigieren."_cp,
        "The sum of the lengths given for the days is %d, which is not equal to the weekly hours in class (%d). "
        "Correct.")
KT_TEXT(kDaysWrong,
        "Il numero totale dei giorni immessi è %d, che è maggiore dei giorni previsti dal calendario settimanale (%d). "
        "Correggere."_cp,
        "Die Gesamtzahl der eingegebenen Tage ist %d und größer als die Tage des Wochenkalenders (%d). Korrigieren."_cp,
        "The total number of days entered is %d, which is more than the days of the weekly calendar (%d). Correct.")
KT_TEXT(kAttention, "- Attenzione!", "- Achtung!", "- Warning!")

const MlText kHeadings[Ccalespe::kColumns] = {
    {{"Classe", "Klasse", "Class"}},
    {{"Sezione", "Zug", "Section"}},
    {{"Indirizzo", "Fachrichtung", "Track"}},
    {{"Plesso", "Gebäude"_cp, "Building"}},
    {{"Ore Classe", "Klassenstunden", "Class Hours"}},
    {{"Calendario settimanale (se diverso dal calendario generale della scuola)",
      "Wochenkalender (wenn anders als der allgemeine Kalender der Schule)",
      "Weekly calendar (if different from the school's general calendar)"}},
    {{"Ore di Calendario", "Kalenderstunden", "Calendar Hours"}},
    {{"Durata Ore non standard", "Stundenlänge nicht Standard"_cp, "Non-standard Hour Length"}},
    {{"Scalino", "Stufe", "Step"}},
    {{"Durate differenziate", "Unterschiedliche Längen"_cp, "Different Lengths"}},
    {{"Può entrare in 2a"_cp, "Kann zur 2. Stunde kommen", "May enter at 2nd"}},
};

constexpr Color kRed = rgb(255, 0, 0), kWhite = rgb(255, 255, 255);

// Day lengths of the picker: the largest number of hours of a school day,
// at most the nine rows the picker edits.
int length_rows() {
  int most = 0;
  for (std::uint8_t hours : g_ui_header.hours_per_day) most = std::max<int>(most, hours);
  return std::clamp(most, 1, 9);
}

// Days of a class calendar: days with a set hour, or the school's days
// when the class follows the general week.
int calendar_days(const UiClassCalendar& cal) {
  int days = 0;
  for (int d = 0; d < 7; ++d) {
    bool any = false;
    for (int h = 0; h < 12; ++h) {
      bool set = cal.calendar_hours[0] == 255 || calespe_calendar_state(cal) == 255
                     ? h < g_ui_header.hours_per_day[d]
                     : cal.calendar_hours[d * 12 + h] == 1;
      any = any || set;
    }
    days += any ? 1 : 0;
  }
  return days;
}

bool times_follow_school(const UiClassCalendar& cal) {
  static const std::int16_t kZero[kUiWeekCells] = {};
  if (std::memcmp(cal.hour_start_times, kZero, sizeof kZero) == 0 &&
      std::memcmp(cal.hour_durations, kZero, sizeof kZero) == 0)
    return true;
  return std::memcmp(cal.hour_start_times, g_ui_header.hour_start_times, sizeof kZero) == 0 &&
         std::memcmp(cal.hour_durations, g_ui_header.hour_durations, sizeof kZero) == 0;
}

void copy_week(UiClassCalendar& to, const UiClassCalendar& from) {
  std::memcpy(to.calendar_hours, from.calendar_hours, sizeof to.calendar_hours);
  std::memcpy(to.hour_start_times, from.hour_start_times, sizeof to.hour_start_times);
  std::memcpy(to.hour_durations, from.hour_durations, sizeof to.hour_durations);
  to.max_day_difference = from.max_day_difference;
  to.second_hour_entries = from.second_hour_entries;
}

}  // namespace

Ccalespe::Ccalespe(int set, bool save)
    : CResizableDialog(kTemplate, nullptr, rgb(244, 244, 244)), m_set(set == 1 ? 1 : 0), m_save(save) {}

KT_BEGIN_MESSAGE_MAP(Ccalespe, CResizableDialog)
  KT_ON_NOTIFY(kLvnItemChanged, kListId, OnItemChanged)
  KT_ON_NOTIFY(kLvnColumnClick, kListId, OnColumnClick)
KT_END_MESSAGE_MAP()

void Ccalespe::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kCalendarId, m_calendar);
  dx.Control(kClearId, m_clear);
  dx.Control(kStandardId, m_standard);
  dx.Control(kLengthsId, m_lengths);
  dx.Control(kReturnsId, m_returns);
  dx.Control(kCountId, m_count);
  dx.Control(kSaveId, m_save_button);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
}

bool Ccalespe::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("1A Calendario Speciale");
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  int width = m_list.GetClientRect().Width(), fixed = 0;
  for (int c = 0; c < kColumns; ++c) {
    std::string heading = kHeadings[c].Get();
    int w = c == 2 && og_track_count() < 2 ? 0 : std::max(30, m_list.GetStringWidth(heading) + 12);
    if (c == 5) w = 0;
    fixed += w;
    m_list.InsertColumn(c, heading, kLvcfmtLeft, w);
  }
  m_list.SetColumnWidth(5, std::max(120, width - fixed));  // the calendar column takes what is left
  int classes = og_class_count();
  m_opened_with.resize(std::size_t(classes));
  for (int c = 0; c < classes; ++c)
    for (int s = 0; s < 2; ++s) m_opened_with[std::size_t(c)][std::size_t(s)] = g_ui_structure.classes[c].calendars[s];
  m_hours = calespe_class_week_hours();
  for (int c = 0; c < classes; ++c)
    if (g_ui_structure.classes[c].code[0] != 0) m_order.push_back(c);
  if (g_calendar_copy_panel.attach) g_calendar_copy_panel.attach(this, m_set);
  m_filling = true;
  FillRows();
  if (m_list.GetItemCount() > 0) m_list.SetItemState(0, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_filling = false;
  ShowSelected();
  m_help.SetTextML(&kHelp);
  SetTimer(kPasteTimer, 333);
  GotoDlgCtrl(&m_list);
  return false;
}

void Ccalespe::OnDestroy() {
  KillTimer(kPasteTimer);
  if (g_calendar_copy_panel.hide) g_calendar_copy_panel.hide();
  CResizableDialog::OnDestroy();
}

void Ccalespe::OnTimer(WParam id) {
  if (id != kPasteTimer || !g_calendar_copy_panel.take_pasted || !g_calendar_copy_panel.take_pasted()) return;
  FillRows();
  ShowSelected();
}

std::vector<int> Ccalespe::Selected() const {
  std::vector<int> classes;
  for (int row = m_list.GetNextItem(-1, kLvniSelected); row >= 0; row = m_list.GetNextItem(row, kLvniSelected)) {
    int c = og_find_class_by_label(m_list.GetItemText(row, 0).c_str());
    if (c >= 0 && c < og_class_count()) classes.push_back(c);
  }
  return classes;
}

std::string Ccalespe::CalendarText(int c) const {
  const UiClassCalendar& cal = g_ui_structure.classes[c].calendars[m_set];
  if (calespe_calendar_state(cal) == 255) return "";
  char text[kWeekMaskTextSize];
  og_format_week_mask(cal.calendar_hours, text, 1);
  return text;
}

void Ccalespe::WriteRow(int c) {
  const UiClass& cls = g_ui_structure.classes[c];
  const UiClassCalendar& cal = cls.calendars[m_set];
  const char* label = og_class_label(c);
  int row = m_list.FindItemByText(-1, label);
  if (row < 0) row = m_list.InsertItem(m_list.GetItemCount(), label);
  m_list.SetItemText(row, 1, std::string(1, cls.code[1]));
  m_list.SetItemText(row, 2, std::string(1, cls.code[2]));
  bool building = cls.building >= 0 && cls.building < std::min<int>(g_ui_settings.building_count, kUiMaxBuildings);
  m_list.SetItemText(row, 3, building ? g_ui_settings.buildings[cls.building].name : "");
  int t = m_hours.total[std::size_t(c)], j = m_hours.joint[std::size_t(c)], w = m_hours.weekly[std::size_t(c)];
  char text[64];
  if (j == 0) std::snprintf(text, sizeof text, "%d", t);
  else std::snprintf(text, sizeof text, "%d+%d=%d", t - j, j, t);
  std::string hours = text;
  if (w != t) hours += "/" + std::to_string(w);
  m_list.SetItemText(row, 4, hours);
  std::string week, count;
  if (calespe_calendar_state(cal) != 255) {
    week = CalendarText(c);
    int n = calespe_calendar_hours(cal);
    count = std::to_string(n);
    if (w > 0 && n != w) {
      count += std::string(" ") + kAttention.Get();
      ++m_mismatches;
    }
  }
  m_list.SetItemText(row, 5, week);
  m_list.SetItemText(row, 6, count);
  std::string days;
  for (int d = 0; d < 7 && !times_follow_school(cal); ++d) {
    std::size_t from = std::size_t(d) * 12;
    bool differs = std::memcmp(cal.hour_start_times + from, g_ui_header.hour_start_times + from, 24) != 0 ||
                   std::memcmp(cal.hour_durations + from, g_ui_header.hour_durations + from, 24) != 0;
    if (differs) days += std::string(g_ui_header.day_codes[d], strnlen(g_ui_header.day_codes[d], 2)) + " ";
  }
  m_list.SetItemText(row, 7, days);
  m_list.SetItemText(row, 8, cal.max_day_difference >= 1 ? std::to_string(cal.max_day_difference + 1) : "");
  std::string lengths;
  for (int r = 0; r < 2; ++r) {
    std::string part;
    for (int i = 0; i < 12; ++i)
      part.append(std::min<std::size_t>(cal.day_lengths[r][i][1], 12), char('0' + cal.day_lengths[r][i][0] % 10));
    if (r == 1 && !part.empty() && !lengths.empty()) lengths += " - ";
    lengths += part;
  }
  m_list.SetItemText(row, 9, lengths);
  m_list.SetItemText(row, 10, cal.second_hour_entries >= 1 ? std::to_string(cal.second_hour_entries) : "");
}

void Ccalespe::FillRows() {
  m_mismatches = 0;
  for (int c : m_order) WriteRow(c);
  m_count.SetWindowText(std::to_string(m_mismatches));
  if (m_mismatches >= 1) m_count.SetColorValues(kRed, kWhite);
  else m_count.SetColorValues(0, rgb(244, 244, 244));
}

// The summaries and the clearing button follow the class selected first.
void Ccalespe::ShowSelected() {
  std::vector<int> selected = Selected();
  if (selected.empty()) {
    m_clear.EnableWindow(false);
    return;
  }
  int c = selected.front();
  UiClassCalendar& cal = Cal(c);
  std::snprintf(m_calendar_title, sizeof m_calendar_title, kCalendarTitle.Get(), og_class_label(c),
                int(m_hours.weekly[std::size_t(c)]));
  if (cal.max_day_difference < 0) cal.max_day_difference = 0;
  if (cal.second_hour_entries < 0) cal.second_hour_entries = 0;
  m_picker.SetGridData(&m_calendar, m_calendar_title, "", cal.calendar_hours, cal.hour_start_times, cal.hour_durations,
                       &cal.max_day_difference, &cal.second_hour_entries, &kCalendarExplanation, 0);
  m_clear.EnableWindow(calespe_calendar_state(cal) != 255);
  Hq2AltTableSpec spec;
  spec.pairs = reinterpret_cast<std::int8_t(*)[2]>(cal.day_lengths[0]);
  spec.second_pairs = reinterpret_cast<std::int8_t(*)[2]>(cal.day_lengths[1]);
  m_length_counts[0] = m_length_counts[1] = std::uint8_t(length_rows());
  spec.count = &m_length_counts[0];
  spec.second_count = &m_length_counts[1];
  spec.band_max = std::int8_t(length_rows());
  spec.quantity_min = 1;
  spec.quantity_max = 7;
  spec.flags = kHq2FixedBands;
  std::snprintf(m_lengths_title, sizeof m_lengths_title, kLengthsTitle.Get(), int(m_hours.weekly[std::size_t(c)]));
  m_length_picker.SetBandData(&m_lengths, m_lengths_title, kLengthsSecond.Get(), kBandCaption.Get(), kDaysCaption.Get(),
                              &kLengthsExplanation, &kLengthsExplanation, spec);
}

void Ccalespe::OnItemChanged(NotifyHeader* header, LResult*) {
  auto* n = reinterpret_cast<ListViewNotify*>(header);
  if (m_filling || !(n->changed & 8) || ((n->new_state ^ n->old_state) & kLvisSelected) == 0) return;
  if (!(n->new_state & kLvisSelected)) return;
  ShowSelected();
  int c = og_find_class_by_label(m_list.GetItemText(n->item, 0).c_str());
  Rect row;
  if (g_calendar_copy_panel.select && c >= 0 && c < og_class_count() && m_list.GetItemRect(n->item, row))
    g_calendar_copy_panel.select(c, m_list.ClientToScreen(row));
}

int Ccalespe::Compare(int a, int b, int column) const {
  const UiClass& x = g_ui_structure.classes[a];
  const UiClass& y = g_ui_structure.classes[b];
  switch (column) {
    case 0:
      for (int i = 0; i < 3; ++i)
        if (x.code[i] != y.code[i]) return int(std::uint8_t(x.code[i])) - int(std::uint8_t(y.code[i]));
      return 0;
    case 1: case 2: return int(std::uint8_t(x.code[column])) - int(std::uint8_t(y.code[column]));
    case 3: return int(x.building) - int(y.building);
    case 4: return int(m_hours.weekly[std::size_t(a)]) - int(m_hours.weekly[std::size_t(b)]);
    case 5: return CalendarText(a).compare(CalendarText(b));
    default: return 0;
  }
}

void Ccalespe::SortBy(int column) {
  if (column < 0 || column >= kColumns) return;
  std::int8_t& direction = m_direction[std::size_t(column)];
  direction = direction == 1 ? -1 : 1;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = 0; i + 1 < m_order.size(); ++i) {
      if (Compare(m_order[i], m_order[i + 1], column) * direction <= 0) continue;
      std::swap(m_order[i], m_order[i + 1]);
      swapped = true;
    }
  }
  std::vector<int> selected = Selected();
  m_filling = true;
  m_list.DeleteAllItems();
  FillRows();
  for (int c : selected) {
    int row = m_list.FindItemByText(-1, og_class_label(c));
    if (row >= 0) m_list.SetItemState(row, kLvisSelected, kLvisSelected);
  }
  m_filling = false;
}

void Ccalespe::OnColumnClick(NotifyHeader* header, LResult*) {
  m_help.SetTextML(&kSortTip);
  SortBy(reinterpret_cast<ListViewNotify*>(header)->subitem);
}

bool Ccalespe::OnCommand(WParam w, LParam l) {
  if (command_code(w) != kBnClicked) return CResizableDialog::OnCommand(w, l);
  switch (command_id(w)) {
    case kCalendarId: OnCalendar(); return true;
    case kClearId: OnClear(); return true;
    case kStandardId: OnStandard(); return true;
    case kLengthsId: OnLengths(); return true;
    case kReturnsId: OnReturns(); return true;
    case kSaveId: OnSave(); return true;
    case kAbandonId: OnCancel(); return true;
    default: return CResizableDialog::OnCommand(w, l);
  }
}

// A class without a calendar of its own starts from the general week; a
// cancelled picker puts back what the class had before it ran.
void Ccalespe::OnCalendar() {
  std::vector<int> selected = Selected();
  if (selected.empty()) {
    ui_message_box(kSelectToEdit);
    return;
  }
  int c = selected.front();
  UiClassCalendar& cal = Cal(c);
  UiClassCalendar before = cal;
  if (calespe_calendar_state(cal) == 255) {
    std::memset(cal.calendar_hours, 0, sizeof cal.calendar_hours);
    for (int d = 0; d < 7; ++d)
      for (int h = 0; h < std::min<int>(g_ui_header.hours_per_day[d], 12); ++h) cal.calendar_hours[d * 12 + h] = 1;
  }
  static const std::int16_t kZero[kUiWeekCells] = {};
  if (std::memcmp(cal.hour_start_times, kZero, sizeof kZero) == 0 &&
      std::memcmp(cal.hour_durations, kZero, sizeof kZero) == 0) {
    std::memcpy(cal.hour_start_times, g_ui_header.hour_start_times, sizeof kZero);
    std::memcpy(cal.hour_durations, g_ui_header.hour_durations, sizeof kZero);
  }
  ShowSelected();
  if (m_picker.DoModal() != kIdOk) {
    copy_week(cal, before);
  } else {
    for (std::size_t k = 1; k < selected.size(); ++k) copy_week(Cal(selected[k]), cal);
  }
  FillRows();
  ShowSelected();
}

void Ccalespe::OnClear() {
  std::vector<int> selected = Selected();
  if (selected.empty()) {
    ui_message_box(kSelectToClear);
    return;
  }
  for (int c : selected) {
    UiClassCalendar& cal = Cal(c);
    std::memset(cal.calendar_hours, 0, sizeof cal.calendar_hours);
    cal.max_day_difference = 0;
    cal.second_hour_entries = 0;
  }
  FillRows();
  ShowSelected();
}

void Ccalespe::OnStandard() {
  std::vector<int> selected = Selected();
  if (selected.empty()) {
    ui_message_box(kSelectToClear);
    return;
  }
  for (int c : selected) {
    std::memcpy(Cal(c).hour_start_times, g_ui_header.hour_start_times, sizeof g_ui_header.hour_start_times);
    std::memcpy(Cal(c).hour_durations, g_ui_header.hour_durations, sizeof g_ui_header.hour_durations);
  }
  FillRows();
  ShowSelected();
}

// The picker edits working rows whose first bands are the day lengths 1 to
// N; the table is stored in every selected class whose weekly hours and
// days it fits, after it fitted the class selected first.
void Ccalespe::OnLengths() {
  std::vector<int> selected = Selected();
  if (selected.empty()) {
    ui_message_box(kSelectToEdit);
    return;
  }
  int first = selected.front();
  int rows = length_rows();
  std::int8_t work[2][12][2];
  std::memcpy(work, Cal(first).day_lengths, sizeof work);
  std::uint8_t counts[2] = {std::uint8_t(rows), std::uint8_t(rows)};
  for (auto& table : work)
    for (int i = 0; i < 12; ++i) {
      if (i < rows) table[i][0] = std::int8_t(i + 1);
      if (table[i][1] < 0 || i >= rows) table[i][1] = 0;
    }
  Hq2AltTableSpec spec;
  spec.pairs = work[0];
  spec.second_pairs = work[1];
  spec.count = &counts[0];
  spec.second_count = &counts[1];
  spec.band_max = std::int8_t(rows);
  spec.quantity_min = 0;
  spec.quantity_max = 7;
  spec.flags = kHq2FixedBands;
  std::snprintf(m_lengths_title, sizeof m_lengths_title, kLengthsTitle.Get(), int(m_hours.weekly[std::size_t(first)]));
  m_length_picker.SetBandData(&m_lengths, m_lengths_title, kLengthsSecond.Get(), kBandCaption.Get(), kDaysCaption.Get(),
                              &kLengthsExplanation, &kLengthsExplanation, spec);
  if (m_length_picker.DoModal() != kIdOk) {
    ShowSelected();
    return;
  }
  // A table fits a class when each of its rows that names days adds up to
  // the class's weekly hours over no more days than its calendar has.
  auto check = [&](int c, bool tell) {
    int weekly = m_hours.weekly[std::size_t(c)], days_allowed = calendar_days(Cal(c));
    for (auto& table : work) {
      int sum = 0, days = 0;
      for (int i = 0; i < rows; ++i) {
        sum += std::max(0, int(table[i][0])) * std::max(0, int(table[i][1]));
        days += std::max(0, int(table[i][1]));
      }
      if (days == 0) continue;
      char text[300];
      if (sum != weekly) {
        std::snprintf(text, sizeof text, kSumWrong.Get(), sum, weekly);
      } else if (days > days_allowed) {
        std::snprintf(text, sizeof text, kDaysWrong.Get(), days, days_allowed);
      } else {
        continue;
      }
      if (tell) ui_message_box(text);
      return false;
    }
    return true;
  };
  if (check(first, true)) {
    for (int c : selected) {
      if (!check(c, false)) continue;
      for (int r = 0; r < 2; ++r)
        for (int i = 0; i < 12; ++i) {
          Cal(c).day_lengths[r][i][0] = std::uint8_t(std::max<int>(0, work[r][i][0]));
          Cal(c).day_lengths[r][i][1] = std::uint8_t(std::max<int>(0, work[r][i][1]));
        }
    }
  }
  FillRows();
  ShowSelected();
}

void Ccalespe::OnReturns() {
  Cgerien dialog;
  dialog.DoModal();
}

void Ccalespe::OnSave() {
  if (m_save && !og_save_school_files()) return;
  EndDialog(kSaved);
}

bool Ccalespe::Changed() const {
  for (std::size_t c = 0; c < m_opened_with.size(); ++c)
    if (std::memcmp(g_ui_structure.classes[c].calendars, m_opened_with[c].data(), sizeof(UiClassCalendar) * 2) != 0)
      return true;
  return false;
}

void Ccalespe::OnCancel() {
  if (Changed()) {
    if (ui_message_box_flags(g_abandon_question, kMbYesNo | kMbIconQuestion, kMbCursorBetween) != 6) return;
    for (std::size_t c = 0; c < m_opened_with.size(); ++c)
      std::memcpy(g_ui_structure.classes[c].calendars, m_opened_with[c].data(), sizeof(UiClassCalendar) * 2);
  }
  EndDialog(kIdCancel);
}

int calespe_run(int set, bool save) {
  ui_register_special_calendars_template();
  Ccalespe dialog(set, save);
  return int(dialog.DoModal());
}
