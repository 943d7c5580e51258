// The controls of the special teacher constraints page (see
// special_teacher_page.h): their items, how each shows and writes its field
// of the current teacher, the dependent pairs kept in order, the partner
// links, the personal lunch break and the three personal band tables. A
// byte at 255 (-1) is "not set" and selects the first item ("-" or " Non
// gestito"). After every change the whole page is shown again from the
// record: one path keeps every control in step with it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "schooldata/model_utilities.h"
#include "constraints/special_teacher_page.h"
#include "platform/cp1252.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "structure/afternoon_returns_question.h"
#include "structure/teacher_page_state.h"

using namespace kt::ui;

namespace {

#define KT_TEXT(name, it, de, en) const MlText name = {{it, de, en}};

KT_TEXT(kNotManaged, " Non gestito", " Nicht verwaltet", " Not managed")
const MlText kBreakItems[3] = {
    {{"Part time: l'orario deve essere disposto su giornate contigue, senza giorni di pausa",
      "Teilzeit: der Stundenplan liegt auf aufeinanderfolgenden Tagen, ohne Pausentage", 
      "Part time: the timetable lies on consecutive days, without days of break"}},
    {{"Part time: almeno 1 giorno di pausa nella settimana", "Teilzeit: mindestens 1 Pausentag in der Woche",
      "Part time: at least 1 day of break in the week"}},
    {{"Part time: almeno 2 giorni di pausa nella settimana", "Teilzeit: mindestens 2 Pausentage in der Woche",
      "Part time: at least 2 days of break in the week"}}};
const MlText kMoveItems[6] = {
    {{"Se deve spostarsi di Plesso, richiede un'ora buca anche dopo l'intervallo",
      "Muss er das Gebäude wechseln, braucht er eine Freistunde auch nach der Pause"_cp,
      "A change of building needs a gap hour even after the break"}},
    {{"Non ammette mai spostamenti di Plesso durante la giornata", "Nie ein Gebäudewechsel während des Tages"_cp,
      "Never a change of building during the day"}},
    {{"Può spostarsi di Plesso (una volta al giorno) anche senza l'ora buca"_cp,
      "Darf das Gebäude (einmal am Tag) auch ohne Freistunde wechseln"_cp,
      "May change building (once a day) even without a gap hour"}},
    {{"Può spostarsi anche ai Plessi che non ammettono spostamento, ma con due ore buche"_cp,
      "Darf auch zu Gebäuden ohne Wechsel gehen, aber mit zwei Freistunden"_cp,
      "May move even to buildings that allow no move, with two gap hours"}},
    {{"Può spostarsi di Plesso senza ora buca e più volte al giorno (nessun controllo)"_cp,
      "Darf das Gebäude ohne Freistunde und mehrmals am Tag wechseln (keine Kontrolle)"_cp,
      "May change building without a gap hour and several times a day (no check)"}},
    {{"Può spostarsi anche ai Plessi che non ammettono spostamento con una sola buca"_cp,
      "Darf auch zu Gebäuden ohne Wechsel gehen, mit nur einer Freistunde"_cp,
      "May move even to buildings that allow no move, with one gap hour"}}};
KT_TEXT(kMoveAfterHour, "Se alla fine dall'ora %d, può spostarsi di Plesso senza l'ora buca"_cp,
        "Nach dem Ende der Stunde %d darf er das Gebäude ohne Freistunde wechseln"_cp,
        "At the end of hour %d, may change building without a gap hour")
KT_TEXT(kUpdatedToo, "Attenzione: il dato è stato aggiornato anche per %s."_cp,
        "Achtung: der Wert wurde auch für %s geändert."_cp, "Warning: the value was updated for %s too.")
KT_TEXT(kHelpBreaks,
        "Per gli insegnanti part time: come si distribuiscono i giorni di lezione nella settimana.",
        "Für Teilzeitlehrer: wie sich die Unterrichtstage über die Woche verteilen."_cp,
        "For part-time teachers: how the days of lessons spread over the week.")
KT_TEXT(kHelpMoves, "Come l'insegnante può passare da un Plesso a un altro durante la giornata."_cp,
        "Wie der Lehrer während des Tages von einem Gebäude in ein anderes wechseln darf."_cp,
        "How the teacher may move from one building to another during the day.")
KT_TEXT(kHelpPartners,
        "Un collega il cui orario non deve mai sovrapporsi, o con cui si condivide l'automezzo: il legame vale per "
        "entrambi i Professori.",
        "Ein Kollege, dessen Stundenplan sich nie überschneiden darf, oder mit dem man das Auto teilt: die "
        "Verbindung gilt für beide Lehrer."_cp,
        "A colleague whose timetable must never overlap, or who shares the car: the link holds for both teachers.")
KT_TEXT(kHelpBands, "Tabelle personali: sostituiscono per questo Professore le tabelle generali.",
        "Persönliche Tabellen: sie ersetzen für diesen Lehrer die allgemeinen Tabellen."_cp,
        "Personal tables: for this teacher they take the place of the general tables.")
KT_TEXT(kHelpLunch,
        "Pausa Mensa personale: se uguale a quella della scuola non viene memorizzata.",
        "Persönliche Mittagspause: wenn sie gleich der der Schule ist, wird sie nicht gespeichert."_cp,
        "Personal lunch break: when equal to the school's it is not stored.")
KT_TEXT(kHelpRules, "Regole singole di uso molto raro.", "Einzelne Regeln für sehr seltene Fälle."_cp,
        "Single rules of very rare use.")
KT_TEXT(k117Title, "Presenza consentita in una stessa classe nella stessa giornata.",
        "Erlaubte Anwesenheit in derselben Klasse am selben Tag.", "Presence allowed in one class on one day.")
KT_TEXT(k117Band, "L'insegnante può insegnare in una stessa classe ORE:"_cp,
        "Der Lehrer darf in derselben Klasse STUNDEN unterrichten:", "The teacher may teach in one class HOURS:")
KT_TEXT(k117Quantity, "al massimo questo NUMERO di VOLTE per settimana:", "höchstens so viele MALE pro Woche:"_cp,
        "at most this NUMBER of TIMES a week:")
KT_TEXT(k131Title, "Limitazione all'uscita e rientro in una stessa classe.",
        "Begrenzung des Verlassens und Wiederkommens in derselben Klasse.",
        "Limit to leaving and re-entering one class.")
KT_TEXT(k131Band, "Se l'insegnante ha sino a ORE settimanali in una classe:",
        "Hat der Lehrer bis zu STUNDEN pro Woche in einer Klasse:", "If the teacher has up to HOURS a week in a class:")
KT_TEXT(k131Quantity, "può uscirne e rientrarvi VOLTE alla settimana:"_cp,
        "darf er sie pro Woche MALE verlassen und wieder betreten:",
        "he may leave and re-enter it TIMES a week:")
KT_TEXT(k118Title, "11.8 - limitazione all'Insegnamento nelle ultime ore del giorno.",
        "11.8 - Begrenzung des Unterrichts in den letzten Stunden des Tages.",
        "11.8 - Limit to teaching in the last hours of the day.")
KT_TEXT(k118Band, "A partire dall'Ora:", "Ab der Stunde:", "From the Hour:")
KT_TEXT(k118Quantity, "ogni classe può essere vista al massimo per il % delle Ore:"_cp,
        "darf er jede Klasse höchstens in % der Stunden sehen:"_cp,
        "each class may be seen at most for % of the Hours:")

struct BandSpec {
  const MlText *title, *band, *quantity;
  std::int8_t band_min, band_max;
  std::uint8_t over;
  std::int8_t quantity_min, quantity_max;
  std::uint8_t flags, flags2;
};
const BandSpec kBandSpecs[3] = {
    {&k117Title, &k117Band, &k117Quantity, 1, 12, 0, 0, 7, 0, 0},
    {&k131Title, &k131Band, &k131Quantity, 1, 30, 1, 0, 7, 0, 2},
    {&k118Title, &k118Band, &k118Quantity, 2, 12, 0, 1, 100, 128, 0},
};

UiHq2Table& band_table(UiTeacher& t, int which) {
  UiTeacherConstraints& c = t.personal;
  return which == 0 ? c.gruppioremax : which == 1 ? c.enterexit : c.ultimeoremax;
}

Hq2TableSpec band_spec(int which, UiHq2Table& table) {
  const BandSpec& b = kBandSpecs[which];
  Hq2TableSpec s;
  s.pairs = table.pairs;
  s.count = &table.count;
  s.band_min = b.band_min;
  s.band_max = b.band_max;
  s.over = b.over;
  s.quantity_min = b.quantity_min;
  s.quantity_max = b.quantity_max;
  s.flags = b.flags;
  s.flags2 = b.flags2;
  return s;
}

void numbers(ComboBox& combo, const char* first, int from, int to) {
  combo.ResetContent();
  if (first) combo.AddString(first);
  for (int n = from; n <= to; ++n) combo.AddString(std::to_string(n));
}

int checked(CCheck& box) { return box.GetCheck() == kBstChecked ? 1 : 0; }

std::int8_t with_bit(std::int8_t value, int bit, bool on) {
  int v = value < 0 ? 0 : value;
  return std::int8_t(on ? v | bit : v & ~bit);
}

}  // namespace

void Cvidia::FillCombos() {
  ComboBox& breaks = Combo(kBreakDaysId);
  breaks.ResetContent();
  breaks.AddString(kNotManaged.Get());
  for (const MlText& item : kBreakItems) breaks.AddString(item.Get());
  ComboBox& moves = Combo(kMoveModeId);
  moves.ResetContent();
  moves.AddString(kNotManaged.Get());
  for (const MlText& item : kMoveItems) moves.AddString(item.Get());
  for (int h = 1; h < m_longest; ++h) {
    char text[120];
    std::snprintf(text, sizeof text, kMoveAfterHour.Get(), h);
    moves.AddString(text);
  }
  numbers(Combo(kWeekMovesId), "-", 0, 7);
  for (int id : {kOverlapId, kCarShareId}) {
    ComboBox& partners = Combo(id);
    partners.ResetContent();
    partners.AddString(kNotManaged.Get());
    for (int t = 0; t < procat_teacher_count(); ++t)
      partners.AddString(std::string(g_ui_teachers[t].name, strnlen(g_ui_teachers[t].name, kUiNameSize - 1)));
  }
  numbers(Combo(kWaitId), nullptr, 0, 2);
  // The lunch hour's list is filled when a teacher is shown: a hand-written
  // hour past "11" gets an entry of its own for that teacher.
  numbers(Combo(kLunchMinId), nullptr, 1, 9);
  numbers(Combo(kLunchMaxId), nullptr, 1, 9);
  numbers(Combo(kAfterReturnId), "-", 2, 3);
  numbers(Combo(kGroupFirstId), "-", 1, 12);
  numbers(Combo(kGroupSecondId), nullptr, 0, 11);
  numbers(Combo(kEarlyId), "-", 1, 12);
  numbers(Combo(kLateId), "-", 1, 12);
  numbers(Combo(kRestHourId), "-", 2, 11);
  numbers(Combo(kRestFromId), nullptr, 1, 12);
  numbers(Combo(kRestToId), nullptr, 1, 12);
  numbers(Combo(kShortDayHoursId), nullptr, 0, 12);
  numbers(Combo(kPriorityId), nullptr, 0, 1);
  Combo(kPriorityId).EnableWindow(g_ui_settings.tekno[1] >= 1);
  Box(kPtkkId).EnableWindow(g_service_mode != 0);
}

void Cvidia::Refresh() {
  static UiTeacher empty{};
  UiTeacher& t = Valid() ? Teacher() : empty;
  const UiTeacherConstraints& c = t.personal;
  auto sel = [&](int id, int index) { Combo(id).SetCurSel(index); };
  auto box = [&](int id, bool on) { Box(id).SetCheck(on ? kBstChecked : kBstUnchecked); };
  sel(kBreakDaysId, c.gpausa >= 0 && c.gpausa <= 2 ? c.gpausa + 1 : 0);
  sel(kMoveModeId, c.nomotor >= 1 && c.nomotor <= 6 ? c.nomotor : c.nomotor > 12 && c.nomotor - 6 < Combo(kMoveModeId).GetCount() ? c.nomotor - 6 : 0);
  sel(kWeekMovesId, c.nomweek >= 1 && c.nomweek <= 7 ? c.nomweek + 1 : 0);
  bool overlap = c.ni >= 0 && c.ni < procat_teacher_count();
  bool car = c.carshare_partner >= 0 && c.carshare_partner < procat_teacher_count();
  sel(kOverlapId, overlap ? c.ni + 1 : 0);
  sel(kCarShareId, car ? c.carshare_partner + 1 : 0);
  sel(kWaitId, car && c.carshare_wait >= 0 && c.carshare_wait <= 2 ? c.carshare_wait : -1);
  Combo(kWaitId).EnableWindow(car);
  const std::int8_t* lunch = c.pausameper;
  sel(kLunchHourId, m_lunch_hours.IndexOf(std::max<int>(lunch[0], 0)));
  sel(kLunchMinId, lunch[1] >= 1 && lunch[1] <= 9 ? lunch[1] - 1 : -1);
  sel(kLunchMaxId, lunch[2] >= 1 && lunch[2] <= 9 ? lunch[2] - 1 : -1);
  sel(kAfterReturnId, lunch[3] >= 2 && lunch[3] <= 3 ? lunch[3] - 1 : 0);
  box(kLabBreakId, c.paulab == 1);
  box(kServiceFirstId, c.clasenoc > 0 && (c.clasenoc & 1));
  box(kServiceSecondId, c.clasenoc > 0 && (c.clasenoc & 2));
  box(kNoGapTwoId, c.quorvex == 2);
  box(kNoGapThreeId, c.quorvex == 3);
  sel(kGroupFirstId, c.segrubi[0] >= 1 && c.segrubi[0] <= 12 ? c.segrubi[0] : 0);
  sel(kGroupSecondId, c.segrubi[1] >= 0 && c.segrubi[1] <= 11 ? c.segrubi[1] : 0);
  sel(kEarlyId, c.prela[0] >= 1 && c.prela[0] <= 12 ? c.prela[0] : 0);
  sel(kLateId, c.prela[1] >= 1 && c.prela[1] <= 12 ? c.prela[1] : 0);
  bool rest = c.fercav[0] >= 2 && c.fercav[0] <= 11;
  sel(kRestHourId, rest ? c.fercav[0] - 1 : 0);
  sel(kRestFromId, c.fercav[1] >= 1 && c.fercav[1] <= 12 ? c.fercav[1] - 1 : -1);
  sel(kRestToId, c.fercav[2] >= 1 && c.fercav[2] <= 12 ? c.fercav[2] - 1 : -1);
  Combo(kRestFromId).EnableWindow(rest);
  Combo(kRestToId).EnableWindow(rest);
  box(kDoubleStartId, c.dkif > 0 && (c.dkif & 1));
  box(kDoubleEndId, c.dkif > 0 && (c.dkif & 2));
  box(kFridayId, c.tramox == 1);
  box(kShortDayId, c.pligi[0] == 1);
  sel(kShortDayHoursId, c.pligi[1] >= 0 && c.pligi[1] <= 12 ? c.pligi[1] : 0);
  sel(kPriorityId, c.tekgrado[0] == 1 ? 1 : 0);
  box(kLabId, c.labrifol == 1);
  box(kSchoolId, c.labrifol == 2);
  box(kPtkkId, c.tekgrado[1] == 1);
  box(kFictitiousFreeId, (t.fc_mode & 1) != 0);
  box(kFictitiousCheckedId, (t.fc_mode & 2) != 0);
  box(kSupportId, t.nor_flag == 0);
  for (int which = 0; which < 3; ++which) {
    const BandSpec& b = kBandSpecs[which];
    m_band_picker.SetBandData(&m_bands[std::size_t(which)], b.title->Get(), b.band->Get(), b.quantity->Get(),
                              &kHelpBands, band_spec(which, band_table(t, which)));
  }
}

void Cvidia::OnCombo(int id) {
  if (!Valid()) return;
  UiTeacher& t = Teacher();
  UiTeacherConstraints& c = t.personal;
  int s = Combo(id).GetCurSel();
  if (s < 0) return;
  switch (id) {
    case kBreakDaysId: m_help.SetTextML(&kHelpBreaks); c.gpausa = std::int8_t(s == 0 ? -1 : s - 1); break;
    case kMoveModeId: m_help.SetTextML(&kHelpMoves); c.nomotor = std::int8_t(s == 0 ? -1 : s <= 6 ? s : 6 + s); break;
    case kWeekMovesId:
      m_help.SetTextML(&kHelpMoves);
      if (s == 1) {
        c.nomweek = -1;
        c.nomotor = 2;
      } else {
        c.nomweek = std::int8_t(s == 0 ? -1 : s - 1);
        if (s >= 2 && c.nomotor == 2) c.nomotor = -1;
      }
      break;
    case kWaitId: m_help.SetTextML(&kHelpPartners); c.carshare_wait = std::int8_t(s); break;
    case kGroupFirstId:
      m_help.SetTextML(&kHelpRules);
      c.segrubi[0] = std::int8_t(s);
      if (c.segrubi[1] >= s) c.segrubi[1] = std::int8_t(std::max(s - 1, 0));
      break;
    case kGroupSecondId:
      m_help.SetTextML(&kHelpRules);
      if (s >= c.segrubi[0]) {
        s = c.segrubi[0] <= 0 ? 0 : c.segrubi[0] - 1;
        if (c.segrubi[0] <= 0) GotoDlgCtrl(&Combo(kGroupFirstId));
      }
      c.segrubi[1] = std::int8_t(s);
      break;
    case kEarlyId:
      m_help.SetTextML(&kHelpRules);
      c.prela[0] = std::int8_t(s);
      if (s > 0 && c.prela[1] > 0 && s >= c.prela[1]) c.prela[1] = std::int8_t(std::max(m_longest, s + 1));
      break;
    case kLateId:
      m_help.SetTextML(&kHelpRules);
      if (s > 0 && s <= c.prela[0]) s = c.prela[0] + 1;
      c.prela[1] = std::int8_t(std::min(s, 12));
      break;
    case kRestHourId: m_help.SetTextML(&kHelpRules); c.fercav[0] = std::int8_t(s == 0 ? 0 : s + 1); break;
    case kRestFromId:
      c.fercav[1] = std::int8_t(s + 1);
      if (c.fercav[2] < c.fercav[1]) c.fercav[2] = c.fercav[1];
      break;
    case kRestToId:
      c.fercav[2] = std::int8_t(s + 1);
      if (c.fercav[1] > c.fercav[2]) c.fercav[1] = c.fercav[2];
      break;
    case kShortDayHoursId: m_help.SetTextML(&kHelpRules); c.pligi[1] = std::int8_t(s); break;
    case kPriorityId: c.tekgrado[0] = std::int8_t(s); break;
    default: break;
  }
  Refresh();
}

void Cvidia::OnBox(int id) {
  if (id == kAutoSaveId) {
    g_auto_save = std::uint8_t(checked(Box(id)));
    return;
  }
  if (!Valid()) return;
  UiTeacherConstraints& c = Teacher().personal;
  bool on = checked(Box(id)) != 0;
  m_help.SetTextML(&kHelpRules);
  switch (id) {
    case kLabBreakId: c.paulab = on ? 1 : 0; break;
    case kServiceFirstId: c.clasenoc = with_bit(c.clasenoc, 1, on); break;
    case kServiceSecondId: c.clasenoc = with_bit(c.clasenoc, 2, on); break;
    case kNoGapTwoId: c.quorvex = std::int8_t(on ? 2 : c.quorvex == 2 ? 0 : c.quorvex); break;
    case kNoGapThreeId: c.quorvex = std::int8_t(on ? 3 : c.quorvex == 3 ? 0 : c.quorvex); break;
    case kDoubleStartId: c.dkif = with_bit(c.dkif, 1, on); break;
    case kDoubleEndId: c.dkif = with_bit(c.dkif, 2, on); break;
    case kFridayId: c.tramox = on ? 1 : 0; break;
    case kShortDayId: c.pligi[0] = on ? 1 : 0; break;
    case kLabId: c.labrifol = std::int8_t(on ? 1 : c.labrifol == 1 ? 0 : c.labrifol); break;
    case kSchoolId: c.labrifol = std::int8_t(on ? 2 : c.labrifol == 2 ? 0 : c.labrifol); break;
    case kPtkkId: c.tekgrado[1] = on ? 1 : 0; break;
    default: break;
  }
  Refresh();
}

// The picker edits a copy; only a confirmation writes the teacher's table.
void Cvidia::OnBand(int id) {
  if (!Valid()) return;
  m_help.SetTextML(&kHelpBands);
  int which = id - kGroupingId;
  UiHq2Table& own = band_table(Teacher(), which);
  UiHq2Table work = own;
  const BandSpec& b = kBandSpecs[which];
  m_band_picker.SetBandData(&m_bands[std::size_t(which)], b.title->Get(), b.band->Get(), b.quantity->Get(),
                            &kHelpBands, band_spec(which, work));
  if (m_band_picker.DoModal() == kIdOk) own = work;
  Refresh();
}

void Cvidia::OnLunch(int id) {
  if (!Valid()) return;
  m_help.SetTextML(&kHelpLunch);
  std::int8_t* lunch = Teacher().personal.pausameper;
  int s = Combo(id).GetCurSel();
  if (id == kLunchHourId) {
    if (s <= 0) {
      std::memset(lunch, 0, 4);
    } else {
      lunch[0] = std::int8_t(m_lunch_hours.HourAt(s));
      if (lunch[1] <= 0) {  // the first time a break is set
        lunch[1] = 1;
        lunch[2] = 4;
        lunch_ask_afternoon_returns(lunch[0]);
      }
    }
  } else if (lunch[0] <= 0) {
    Combo(id).SetCurSel(-1);
    GotoDlgCtrl(&Combo(kLunchHourId));
    return;
  } else if (id == kAfterReturnId) {
    lunch[3] = std::int8_t(s >= 1 ? s + 1 : 0);
  } else if (s >= 0) {
    lunch[id == kLunchMinId ? 1 : 2] = std::int8_t(s + 1);
  }
  Refresh();
}

void Cvidia::SetPartner(bool car, int partner) {
  UiTeacherConstraints& own = Teacher().personal;
  int old = car ? own.carshare_partner : own.ni;
  if (partner == old) return;
  if (old >= 0 && old < procat_teacher_count() && old != m_teacher) {
    UiTeacherConstraints& other = g_ui_teachers[old].personal;
    (car ? other.carshare_partner : other.ni) = -1;
    char text[200];
    std::string name(g_ui_teachers[old].name, strnlen(g_ui_teachers[old].name, kUiNameSize - 1));
    std::snprintf(text, sizeof text, kUpdatedToo.Get(), name.c_str());
    ui_message_box(text);
  }
  if (car) own.carshare_partner = partner;
  else own.ni = partner;
  Refresh();
}

void Cvidia::OnPartnerChosen(int id) {
  if (!Valid()) return;
  m_help.SetTextML(&kHelpPartners);
  int s = Combo(id).GetCurSel();
  if (s < 0) return;
  int partner = s - 1;
  if (partner == m_teacher) {
    message_beep(kBeepSimple);
    Combo(id).SetCurSel(0);
    partner = -1;
  }
  SetPartner(id == kCarShareId, partner);
}

// A typed name counts only when it is exactly a teacher's name.
void Cvidia::OnPartnerTyped(int id) {
  if (!Valid()) return;
  std::string text = Combo(id).GetWindowText().substr(0, kUiNameSize - 1);
  for (int t = 0; t < procat_teacher_count(); ++t) {
    if (text != std::string(g_ui_teachers[t].name, strnlen(g_ui_teachers[t].name, kUiNameSize - 1))) continue;
    if (t != m_teacher) SetPartner(id == kCarShareId, t);
    return;
  }
}
