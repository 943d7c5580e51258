// Behaviour of the special options page (see special_options.h). Most
// options are one check box or one combo over one byte of the settings and
// are handled by two small tables; the 15.1 pair of boxes, the lunch-break
// group, the 15.7 bits, the 15.94 text and 15.95 have handlers of their own.
#include "constraints/special_options.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "constraints/param_pages.h"
#include "constraints/teaching_weights.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "structure/afternoon_returns_question.h"
#include "structure/input_box.h"

using namespace kt::ui;

namespace {

using S = Coraspec;
UiSchoolSettings& se = g_ui_settings;

#define KT_TEXT(name, it, de, en) const MlText name = {it, de, en};

KT_TEXT(kHelp151,
        "Selezionate questa opzione se volete ammettere un giorno alla settimana con 2 ore buche (una a "
        "disposizione e una per il ricevimento), per gli insegnanti che hanno almeno un'ora a disposizione.",
        "Wählen Sie diese Option, wenn Sie einen Tag pro Woche mit 2 Freistunden (eine Bereitschaft, eine "
        "Sprechstunde) für Lehrer mit mindestens einer Bereitschaftsstunde erlauben wollen."_cp,
        "Select this option to allow one day a week with 2 idle hours (one stand-by, one for reception), for "
        "teachers who have at least one stand-by hour.")
KT_TEXT(kHelp1511,
        "Per gli insegnanti che fanno parte delle loro ore in compresenza i controlli didattici sono meno severi.",
        "Für Lehrer mit einem Teil ihrer Stunden in Mitanwesenheit sind die didaktischen Prüfungen milder."_cp,
        "Teachers who give part of their hours as co-teachers get milder teaching checks.")
KT_TEXT(kHelp1512,
        "Il programma non aggiunge da solo le ore buche necessarie per il riposo chiesto nei vincoli personali.",
        "Das Programm fügt die für die persönliche Ruhezeit nötigen Freistunden nicht selbst hinzu."_cp,
        "The program does not add by itself the idle hours needed for the rest asked in personal constraints.")
KT_TEXT(kHelp1513,
        "Le ore buche ammesse crescono con le ore a disposizione dell'insegnante, diminuite del numero scelto.",
        "Die erlaubten Freistunden wachsen mit den Bereitschaftsstunden, vermindert um die gewählte Zahl."_cp,
        "The idle hours allowed grow with the teacher's stand-by hours, less the number chosen.")
KT_TEXT(kHelp152, "Giornate di presenza a scuola più lunghe del normale, ammesse alcune volte alla settimana."_cp,
        "Längere Anwesenheitstage als normal, einige Male pro Woche erlaubt."_cp,
        "Days of presence at school longer than usual, allowed a few times a week.")
KT_TEXT(kHelp153, "Giornate di insegnamento più lunghe del normale, ammesse alcune volte alla settimana."_cp,
        "Längere Unterrichtstage als normal, einige Male pro Woche erlaubt."_cp,
        "Teaching days longer than usual, allowed a few times a week.")
KT_TEXT(kHelp154,
        "Da qui potete introdurre il controllo del Peso Didattico come vincolo obbligatorio da controllare.\r\n"
        "Le modifiche non salvate della scuola vengono abbandonate.",
        "Hier können Sie die Prüfung des didaktischen Gewichts als Pflichtbegrenzung einführen.\r\nNicht "
        "gespeicherte Änderungen der Schule werden verworfen."_cp,
        "From here you can make the Teaching Weight a mandatory constraint.\r\nUnsaved changes of the school are "
        "dropped.")
KT_TEXT(kHelp155,
        "Ora della pausa mensa nei giorni con rientro pomeridiano, e sua durata minima e massima in ore.",
        "Stunde der Mittagspause an Tagen mit Nachmittagsunterricht, und ihre kürzeste und längste Dauer."_cp,
        "Hour of the lunch break on days with afternoon lessons, and its shortest and longest length in hours.")
KT_TEXT(kHelp1551, "Dopo la pausa mensa ci devono essere almeno queste ore di lezione.",
        "Nach der Mittagspause müssen mindestens so viele Unterrichtsstunden folgen."_cp,
        "After the lunch break there must be at least these lesson hours.")
KT_TEXT(kHelp1561, "Scuola primaria: ogni ora del calendario deve avere almeno queste ore di compresenza.",
        "Grundschule: jede Stunde des Kalenders muss mindestens so viele Stunden Mitanwesenheit haben.",
        "Primary school: each hour of the calendar must have at least these co-teaching hours.")
KT_TEXT(kHelp1562, "Scuola primaria: evitare lezioni di una sola unità oraria."_cp,
        "Grundschule: Unterricht von nur einer Stundeneinheit vermeiden.",
        "Primary school: avoid lessons of a single time unit.")
KT_TEXT(kHelp1563,
        "Configurazione riservata alle scuole primare che gestiscono le 27 ore settimanali mediante le mezze ore. "
        "Due buche di mezz'ora vengono considerate corrispondenti a un'ora a disposizione inserita in orario.",
        "Nur für Grundschulen, die die 27 Wochenstunden mit halben Stunden verwalten. Zwei halbe Freistunden "
        "gelten als eine Bereitschaftsstunde im Stundenplan."_cp,
        "Only for primary schools that manage the 27 weekly hours with half hours. Two idle half hours count as "
        "one stand-by hour in the timetable.")
KT_TEXT(kHelp157, "Nessuna classe può avere un insegnante soltanto nei giorni indicati (per esempio Sabato e Lunedì)."_cp,
        "Keine Klasse darf einen Lehrer nur an den genannten Tagen haben (z.B. Samstag und Montag).",
        "No class may see a teacher only on the days given (for instance Saturday and Monday).")
KT_TEXT(kHelpClassReturns, "Giorni con lezioni pomeridiane delle classi senza calendario speciale.",
        "Tage mit Nachmittagsunterricht der Klassen ohne besonderen Kalender.",
        "Days with afternoon lessons of classes without a special calendar.")
KT_TEXT(kHelpTechnical, "Parametri tecnici da modificare solo su indicazione dell'assistenza.",
        "Technische Parameter, nur auf Anweisung der Betreuung zu ändern."_cp,
        "Technical parameters, to be changed only when the support service says so.")

const MlText* const kHelps[S::kHelpCount] = {&kHelp151,  &kHelp1511, &kHelp1512, &kHelp1513, &kHelp152,
                                             &kHelp153,  &kHelp154,  &kHelp155,  &kHelp1551, &kHelp1561,
                                             &kHelp1562, &kHelp1563, &kHelp157,  &kHelpClassReturns,
                                             &kHelpTechnical};
enum Help { k151, k1511, k1512, k1513, k152, k153, k154, k155, k1551, k1561, k1562, k1563, k157, kReturns, kTech };

// A check box or a combo over one byte; a combo's items are the numbers
// first..last (printed with format) or the texts given.
struct SimpleOption {
  int id;
  std::int8_t* field;
  int help;
  bool combo;
  int first, last;
  const char* format;
  const MlText* texts;
};

KT_TEXT(kSingle0, " Non gestito", " Nicht verwaltet", " Not managed")
KT_TEXT(kSingle1, "tendenziale (ridurre al minimo)", "tendenziell (auf ein Minimum reduzieren)",
        "tendency (reduce to a minimum)")
KT_TEXT(kSingle2, "vincolo obbligatorio (ridurre a zero)", "Pflicht (auf null reduzieren)",
        "mandatory (reduce to zero)")
KT_TEXT(kSingle3, "vincolo obbligatorio, ma 1 deroga per classe", "Pflicht, aber 1 Ausnahme je Klasse",
        "mandatory, but 1 exception per class")
const MlText kSingleUnit[4] = {kSingle0, kSingle1, kSingle2, kSingle3};
KT_TEXT(kPhase0, "NO", "NEIN", "NO")
KT_TEXT(kPhase1, "Prima i docenti difficili grado 1", "Zuerst die schwierigen Lehrer Grad 1",
        "First the difficult teachers of grade 1")
KT_TEXT(kPhase2, "Prima lab/palestre/ore bloccate", "Zuerst Labors/Turnhallen/gesperrte Stunden",
        "First labs/gyms/blocked hours")
const MlText kPhases[3] = {kPhase0, kPhase1, kPhase2};

const SimpleOption kOptions[] = {
    {S::kContiguousId, &se.maxbuday[1], k151, false, 0, 0, nullptr, nullptr},  // bound as the third 15.1 box
    {S::kAssistantId, &se.itpleggero, k1511, false, 0, 0, nullptr, nullptr},
    {S::kNoRestId, &se.noriposoauto, k1512, false, 0, 0, nullptr, nullptr},
    {S::kNoBuildingChangeId, &se.tocomi[1], k155, false, 0, 0, nullptr, nullptr},
    {S::kHalfHourId, &se.budime2, k1563, false, 0, 0, nullptr, nullptr},
    {S::kMpoId, &se.tekno[2], kTech, false, 0, 0, nullptr, nullptr},
    {S::kDeductionId, &se.budime1, k1513, true, 0, 4, "%d", nullptr},
    {S::kClassReturnsId, reinterpret_cast<std::int8_t*>(&se.claripo), kReturns, true, 0, 7, "%d", nullptr},
    {S::kCoTeachingId, &se.tocomi[0], k1561, true, 0, 8, "%d", nullptr},
    {S::kSingleUnitId, &se.tekno_value, k1562, true, 0, 3, nullptr, kSingleUnit},
    {S::kDifficultId, &se.tekno[0], kTech, true, 0, 10, "%2d %%", nullptr},
    {S::kPhaseId, &se.tekno[1], kTech, true, 0, 2, nullptr, kPhases},
};
constexpr int kOptionCount = int(sizeof kOptions / sizeof kOptions[0]);

KT_TEXT(kTitle, "Parametri Speciali", "Spezielle Parameter", "Special Parameters")
KT_TEXT(kChangeAfterRefused,
        "15.94 - Cambio lezione ammesso dopo ora: scrivere soltanto i numeri delle ore, da 1 a 11, separati da "
        "spazi o virgole.",
        "15.94 - Stundenwechsel erlaubt nach Stunde: nur die Nummern der Stunden, von 1 bis 11, durch Leerzeichen "
        "oder Kommas getrennt, eingeben.",
        "15.94 - Lesson change allowed after hour: write only the numbers of the hours, 1 to 11, separated by "
        "blanks or commas.")

// The 15.94 text stands between dashes in its line of the description and
// the solver reads the hour numbers 1 to 11 in it: a dash, a field
// separator or any other character would end the text early and shift the
// value after it (the single-unit lessons rule), and a number outside 1 to
// 11 or a word would be taken silently as something else.
bool change_after_text_usable(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == ' ' || c == ',' || c == ';') {
      ++i;
      continue;
    }
    if (c < '0' || c > '9') return false;
    int hour = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      hour = hour * 10 + (text[i++] - '0');
      if (hour > 11) return false;
    }
    if (hour < 1) return false;
  }
  return true;
}

Window* item(Dialog& d, int id) { return d.GetDlgItem(id); }

}  // namespace

KT_BEGIN_MESSAGE_MAP(Coraspec, CParamPageBase)
  KT_ON_CONTROL(kBnClicked, kAnyIdleId, OnAnyIdle)
  KT_ON_CONTROL(kBnClicked, kTwoIdleId, OnTwoIdle)
  KT_ON_CONTROL(kCbnSelChange, kLunchHourId, OnLunchHour)
  KT_ON_CONTROL(kCbnSelChange, kLunchMinId, OnLunchMin)
  KT_ON_CONTROL(kCbnSelChange, kLunchMaxId, OnLunchMax)
  KT_ON_CONTROL(kCbnSelChange, kAfterReturnId, OnAfterReturn)
  KT_ON_CONTROL_RANGE(kBnClicked, 1319, 1322, OnSatMon)
  KT_ON_CONTROL(kBnClicked, kNoicId, OnNoic)
  KT_ON_COMMAND(1307, OnPresence)
  KT_ON_COMMAND(1308, OnTeaching)
  KT_ON_COMMAND(kWeightId, OnWeight)
  KT_ON_COMMAND_RANGE(kFirstHelpId, kFirstHelpId + kHelpCount - 1, OnHelp)
  KT_ON_COMMAND(kSaveId, OnSave)
  KT_ON_COMMAND(kAbandonId, OnAbandon)
  KT_ON_COMMAND(kHowToId, OnHowTo)
KT_END_MESSAGE_MAP()

void Coraspec::DoDataExchange(DataExchange& dx) {
  dx.Control(kAnyIdleId, m_idle[0]);
  dx.Control(kTwoIdleId, m_idle[1]);
  std::size_t checks = 0, combos = 0;
  for (const SimpleOption& o : kOptions) {
    if (o.combo) dx.Control(o.id, m_combos[combos++]);
    else if (o.id == kContiguousId) dx.Control(o.id, m_idle[2]);
    else dx.Control(o.id, m_checks[checks++]);
  }
  for (int c = 0; c < kCaptionCount; ++c) dx.Control(kFirstCaptionId + c, m_captions[std::size_t(c)]);
  for (int t = 0; t < 2; ++t) dx.Control(kExtraIds[t], m_extras[std::size_t(t)]);
  dx.Control(kWeightId, m_weight);
  dx.Control(kLunchHourId, m_lunch_hour);
  dx.Control(kLunchMinId, m_lunch_min);
  dx.Control(kLunchMaxId, m_lunch_max);
  dx.Control(kAfterReturnId, m_after_return);
  for (int b = 0; b < 4; ++b) dx.Control(kSatMonIds[b], m_sat_mon[std::size_t(b)]);
  dx.Control(kNoicId, m_noic);
  dx.Control(kChangeAfterId, m_change_after);
  for (int h = 0; h < kHelpCount; ++h) dx.Control(kFirstHelpId + h, m_helps[std::size_t(h)]);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHowToId, m_howto);
  dx.Control(kReminderId, m_reminder);
}

void Coraspec::FillCombos() {
  auto fill = [](ComboBox& combo, const char* first, int from, int to) {
    combo.ResetContent();
    if (first) combo.AddString(first);
    for (int v = from; v <= to; ++v) combo.AddString(std::to_string(v));
  };
  m_lunch_hours.Fill(m_lunch_hour, se.lunch_break[0]);
  fill(m_after_return, "-", 2, 3);
  fill(m_lunch_min, nullptr, 1, 9);
  fill(m_lunch_max, nullptr, 1, 9);
  for (const SimpleOption& o : kOptions) {
    auto* combo = dynamic_cast<ComboBox*>(item(*this, o.id));
    if (!o.combo || !combo) continue;
    combo->ResetContent();
    for (int v = o.first; v <= o.last; ++v) {
      // A worded item is added whole: some run past thirty characters.
      if (o.texts) {
        combo->AddString(o.texts[v - o.first].Get());
        continue;
      }
      char text[32];
      std::snprintf(text, sizeof text, o.format, v);
      combo->AddString(text);
    }
  }
}

void Coraspec::ShowOptions() {
  for (CCheckML& box : m_idle) box.SetCheck(kBstUnchecked);
  m_idle[0].SetCheck(se.maxbuday[0] == 2 ? kBstChecked : kBstUnchecked);
  m_idle[1].SetCheck(se.maxbuday[0] >= 9 ? kBstChecked : kBstUnchecked);
  for (const SimpleOption& o : kOptions) {
    Window* control = item(*this, o.id);
    if (auto* combo = dynamic_cast<ComboBox*>(control)) combo->SetCurSel(*o.field - o.first);
    else if (auto* box = dynamic_cast<Button*>(control)) box->SetCheck(*o.field ? kBstChecked : kBstUnchecked);
  }
  EnableContiguous();
  RefreshLunch();
  for (int b = 0; b < 4; ++b) m_sat_mon[std::size_t(b)].SetCheck((se.nosalu >> b) & 1 ? kBstChecked : kBstUnchecked);
  m_noic.SetCheck(g_nointe_option ? kBstChecked : kBstUnchecked);
  m_change_after.SetLimitText(kUiNameSize - 1);
  m_change_after.SetWindowText(std::string(se.tekno_text, strnlen(se.tekno_text, kUiNameSize - 1)));
  for (int t = 0; t < 2; ++t) {
    const ExtraDayTable& extra = g_extra_day_tables[t];
    m_extra_pickers[std::size_t(t)].SetBandData(&m_extras[std::size_t(t)], extra.caption->Get(),
                                                extra.band_caption->Get(), extra.second_caption->Get(),
                                                extra.quantity_caption->Get(), extra.explanation,
                                                extra_day_spec(t, m_extra_defaults[std::size_t(t)]));
  }
}

bool Coraspec::OnInitDialog() {
  CParamPageBase::OnInitDialog();
  InitPage("15 Parametri Speciali");
  SetWindowText(kTitle.Get());
  FillCombos();
  ShowOptions();
  // The classes' afternoon days are kept but not offered.
  for (int id : {kClassReturnsId, kFirstCaptionId + 7, kFirstHelpId + int(kReturns)}) {
    if (Window* w = item(*this, id)) w->ShowWindow(kSwHide);
  }
  m_help.SetTextML(&kParamGeneralHelp);
  m_save.SetFocus();
  return false;
}

void Coraspec::EnableContiguous() { m_idle[2].EnableWindow(se.maxbuday[0] >= 2); }

bool Coraspec::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  for (int i = 0; i < kOptionCount; ++i) {
    if (kOptions[i].id != id) continue;
    if ((kOptions[i].combo && code == kCbnSelChange) || (!kOptions[i].combo && code == kBnClicked)) {
      OnSimpleOption(i);
      return true;
    }
  }
  return CParamPageBase::OnCommand(w, l);
}

void Coraspec::OnSimpleOption(int index) {
  const SimpleOption& o = kOptions[index];
  m_help.SetTextML(kHelps[o.help]);
  Window* control = item(*this, o.id);
  if (auto* combo = dynamic_cast<ComboBox*>(control)) {
    int selected = combo->GetCurSel();
    if (selected >= 0) *o.field = std::int8_t(o.first + selected);
  } else if (auto* box = dynamic_cast<Button*>(control)) {
    *o.field = box->GetCheck() == kBstChecked ? 1 : 0;
  }
}

void Coraspec::OnIdleBox(int box) {
  m_help.SetTextML(kHelps[k151]);
  bool checked = m_idle[std::size_t(box)].GetCheck() == kBstChecked;
  se.maxbuday[0] = std::int8_t(!checked ? 1 : box == 0 ? 2 : 9);
  if (checked) m_idle[std::size_t(1 - box)].SetCheck(kBstUnchecked);
  EnableContiguous();
}

void Coraspec::RefreshLunch() {
  const std::uint8_t* lunch = se.lunch_break;
  m_lunch_hour.SetCurSel(m_lunch_hours.IndexOf(lunch[0]));
  m_lunch_min.SetCurSel(int(lunch[1]) - 1);
  m_lunch_max.SetCurSel(int(lunch[2]) - 1);
  m_after_return.SetCurSel(lunch[3] == 0 ? -1 : int(lunch[3]) - 1);
}

void Coraspec::OnLunchHour() {
  m_help.SetTextML(kHelps[k155]);
  int index = m_lunch_hour.GetCurSel();
  if (index <= 0) {
    std::memset(se.lunch_break, 0, sizeof se.lunch_break);
  } else {
    se.lunch_break[0] = std::uint8_t(m_lunch_hours.HourAt(index));
    if (se.lunch_break[1] == 0) {  // the lunch break is being switched on
      se.lunch_break[1] = 1;
      se.lunch_break[2] = 4;
      lunch_ask_afternoon_returns(se.lunch_break[0]);
    }
  }
  RefreshLunch();
}

void Coraspec::OnLunchDuration(int which) {
  m_help.SetTextML(kHelps[k155]);
  ComboBox& combo = which == 0 ? m_lunch_min : m_lunch_max;
  if (se.lunch_break[0] == 0) {
    combo.SetCurSel(-1);
    m_lunch_hour.SetFocus();
  } else if (combo.GetCurSel() >= 0) {
    se.lunch_break[1 + which] = std::uint8_t(combo.GetCurSel() + 1);
  }
  RefreshLunch();
}

void Coraspec::OnAfterReturn() {
  m_help.SetTextML(kHelps[k1551]);
  int index = m_after_return.GetCurSel();
  se.lunch_break[3] = std::uint8_t(se.lunch_break[0] != 0 && index >= 1 ? index + 1 : 0);
  RefreshLunch();
}

void Coraspec::OnSatMon(int bit) {
  m_help.SetTextML(kHelps[k157]);
  if (bit < 0 || bit > 3) return;
  bool checked = m_sat_mon[std::size_t(bit)].GetCheck() == kBstChecked;
  se.nosalu = std::int8_t(checked ? se.nosalu | (1 << bit) : se.nosalu & ~(1 << bit));
}

void Coraspec::OnNoic() {
  m_help.SetTextML(kHelps[kTech]);
  g_nointe_option = m_noic.GetCheck() == kBstChecked ? 1 : 0;
}

void Coraspec::OnExtra(int t) {
  const ExtraDayTable& extra = g_extra_day_tables[t];
  Chq3& picker = m_extra_pickers[std::size_t(t)];
  m_help.SetTextML(extra.explanation);
  Hq3TableSpec spec = extra_day_spec(t, m_extra_defaults[std::size_t(t)]);
  picker.SetBandData(&m_extras[std::size_t(t)], extra.caption->Get(), extra.band_caption->Get(),
                     extra.second_caption->Get(), extra.quantity_caption->Get(), extra.explanation, spec);
  picker.DoModal();
  picker.SetBandData(&m_extras[std::size_t(t)], nullptr, nullptr, nullptr, nullptr, nullptr, spec);
}

// The dialog starts from the saved school: unsaved edits of this page are
// dropped first, and the page shows the files' values again afterwards.
void Coraspec::OnWeight() {
  og_read_school_files(0);
  m_help.SetTextML(kHelps[k154]);
  Cpesodi weights(false, this);
  weights.DoModal();
  ShowOptions();
}

void Coraspec::OnHelp(int index) {
  if (index >= 0 && index < kHelpCount) m_help.SetTextML(kHelps[index]);
}

void Coraspec::OnHowTo() { m_help.SetTextML(&kParamGeneralHelp); }

void Coraspec::OnOK() {
  if (Window::GetFocus() == &m_save) OnSave();
}

bool Coraspec::CheckBeforeLeaving() {
  if (!m_change_after.IsWindow()) return true;
  std::string text = m_change_after.GetWindowText();
  // A text the school already held is left as it was: refusing it would keep
  // the user on the page with no change of his to drop.
  if (text == std::string(se.tekno_text, strnlen(se.tekno_text, kUiNameSize - 1))) return true;
  if (change_after_text_usable(text)) return true;
  m_help.SetTextML(kHelps[kTech]);
  ui_message_box(kChangeAfterRefused);
  m_change_after.SetFocus();
  return false;
}

void Coraspec::ShowReadValues() {
  if (!m_change_after.IsWindow()) return;
  m_change_after.SetWindowText(std::string(se.tekno_text, strnlen(se.tekno_text, kUiNameSize - 1)));
}

// An unusable text never reaches the model: the save and the close that
// would write it are refused by CheckBeforeLeaving first.
void Coraspec::BeforeLeaving() {
  if (!m_change_after.IsWindow()) return;
  std::string text = m_change_after.GetWindowText();
  if (!change_after_text_usable(text)) return;
  // Blanks alone would still be a text, which the solver takes as "no hour".
  if (text.find_first_of("0123456789") == std::string::npos) text.clear();
  std::memset(se.tekno_text, 0, sizeof se.tekno_text);
  std::memcpy(se.tekno_text, text.data(), text.size() < kUiNameSize - 1 ? text.size() : kUiNameSize - 1);
}
