// Behaviour of the teacher constraints page (see
// teacher_constraints_page.h): opening, choosing and leaving a teacher,
// save, abandon, the test run, and the handlers of the constraint fields.
// After every field change the whole teacher is shown again: the page has
// about a hundred controls and a click is rare, so one redraw path keeps
// every control in step with the record.
#include "constraints/teacher_constraints_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/teacher_page.h"
#include "structure/trial_computation.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

int g_vipro_current_teacher = 0;

namespace {

#define KT_TEXT(name, it, de, en) const MlText name = {it, de, en};

bool g_asked_once = false;

KT_TEXT(kRareCaption,
        " Vincoli di USO MOLTO RARO! Leggete attentamente la descrizione di ciascuno e usateli soltanto dopo avere "
        "ottenuto un orario chiuso! ",
        " SEHR SELTEN zu benutzende Begrenzungen! Lesen Sie die Beschreibung und benutzen Sie sie erst nach einem "
        "fertigen Stundenplan! ",
        " Constraints of VERY RARE USE! Read each description carefully and use them only after a closed timetable! ")
KT_TEXT(kGeneralHelp, "Qui si configurano i vincoli che interessano GLOBALMENTE un Professore.",
        "Hier werden die Begrenzungen eingestellt, die einen Lehrer INSGESAMT betreffen.",
        "Here you set the constraints that concern a Teacher AS A WHOLE.")
KT_TEXT(kPostsRefused,
        "Qui si configurano i vincoli globali per il Professore. La selezione delle sue CLASSI non serve.",
        "Hier werden die allgemeinen Begrenzungen des Lehrers eingestellt. Die Auswahl seiner KLASSEN ist nicht nötig."_cp,
        "Here you set the teacher's global constraints. Selecting his CLASSES is not needed.")
KT_TEXT(kSaveQuestion, "I dati di %s sono stati modificati. Salvo le modifiche?",
        "Die Daten von %s wurden geändert. Änderungen speichern?"_cp, "The data of %s were changed. Save the changes?")
KT_TEXT(kAutoSaveQuestion, "Salvo le prossime modifiche senza chiedere conferma?",
        "Die nächsten Änderungen ohne Rückfrage speichern?"_cp, "Save the next changes without asking?")
KT_TEXT(kTestHelp,
        "Dopo avere apportato modifiche alle Cattedre o ai Vincoli di un Professore, è necessario verificare che "
        "l'orario sia fattibile, provando l'Orario del Professore da solo."_cp,
        "Nach Änderungen an den Stunden oder Begrenzungen eines Lehrers prüfen Sie, ob sein Stundenplan allein "
        "möglich ist."_cp,
        "After changing a Teacher's lessons or constraints, check that the timetable is feasible by trying the "
        "Teacher's timetable alone.")
KT_TEXT(kBothLimits,
        "Attenzione: avete selezionato sia un MINIMO, sia un MASSIMO per questo vincolo. Sicuri di sapere cosa "
        "volete ottenere?",
        "Achtung: Sie haben für diese Begrenzung sowohl ein MINIMUM als auch ein MAXIMUM gewählt. Wissen Sie, was "
        "Sie erreichen wollen?"_cp,
        "Warning: you chose both a MINIMUM and a MAXIMUM for this constraint. Are you sure of what you want?")
KT_TEXT(kTeachingMaximum,
        "ATTENZIONE: qui si configurano le ore di servizio massime in classe nella giornata, in totale,\nnon le ore "
        "massime nelle singole classi del docente.\nSicuri della scelta fatta?",
        "ACHTUNG: hier werden die höchsten Unterrichtsstunden des Tages insgesamt eingestellt,\nnicht die "
        "Höchststunden in den einzelnen Klassen.\nSind Sie sicher?"_cp,
        "WARNING: here you set the most teaching hours in the day in total,\nnot the most hours in each of the "
        "teacher's classes.\nAre you sure?")
KT_TEXT(kSecondChoiceRefused,
        "Assegnare la prima scelta. La prima scelta deve essere  diversa dalla seconda.",
        "Zuerst die erste Wahl treffen. Die erste Wahl muss von der zweiten verschieden sein.",
        "Set the first choice. The first choice must differ from the second.")
KT_TEXT(kDaysCorrected, "Giorni di servizio rettificati in accordo con la tabella delle ore vietate.",
        "Diensttage entsprechend der Tabelle der verbotenen Stunden berichtigt.",
        "Days of service corrected to agree with the table of forbidden hours.")
KT_TEXT(kGridTitle, "Ore Vietate per il Professore:", "Verbotene Stunden für den Lehrer:"_cp,
        "Forbidden Hours for the Teacher:")
KT_TEXT(kPresenceTitle, "Deroghe IN AUMENTO alle ORE di Presenza in scuola massime giornaliere",
        "Ausnahmen NACH OBEN bei den höchsten täglichen Anwesenheitsstunden"_cp,
        "Derogations RAISING the daily maximum of HOURS of presence at school")
KT_TEXT(kLessonTitle, "Deroghe IN AUMENTO alle ORE di Lezione massime giornaliere",
        "Ausnahmen NACH OBEN bei den höchsten täglichen Unterrichtsstunden"_cp,
        "Derogations RAISING the daily maximum of lesson HOURS")
KT_TEXT(kPresenceRow, "Può essere presente per ORE:"_cp, "Darf anwesend sein STUNDEN:",
        "May be present for HOURS:")
KT_TEXT(kLessonRow, "Può insegnare per ORE:"_cp, "Darf unterrichten STUNDEN:", "May teach for HOURS:")
KT_TEXT(kDaysRow, "Al massimo GIORNI:", "Höchstens TAGE:"_cp, "At most DAYS:")
KT_TEXT(kPresenceBelowLessons,
        "Le Ore ammesse di PRESENZA in scuole non possono essere MINORI delle ore di INSEGNAMENTO.\n(Controllare "
        "tabella %s).",
        "Die erlaubten ANWESENHEITSSTUNDEN dürfen nicht WENIGER als die UNTERRICHTSSTUNDEN sein.\n(Tabelle %s "
        "prüfen)."_cp,
        "The PRESENCE hours allowed cannot be LESS than the TEACHING hours.\n(Check table %s).")
KT_TEXT(kAttention, "ATTENZIONE:", "ACHTUNG:", "WARNING:")
KT_TEXT(kPostsCaption, "- Vincoli personali per i Professori", "- Persönliche Begrenzungen der Lehrer"_cp,
        "- Personal constraints of Teachers")
KT_TEXT(kSubject, "Materia", "Fach", "Subject")
KT_TEXT(kClass, "Classe", "Klasse", "Class")
KT_TEXT(kHours, "Ore", "Stunden", "Hours")
KT_TEXT(kFullDaysAnd, "e", "und", "and")

// One help text per topic, in the order of VhHelp.
const MlText kHelps[kVhCount] = {
    {"Giorni (minimi e massimi) in cui si distribuisce l'orario settimanale.",
     "Tage (mindestens und höchstens), auf die sich der Wochenplan verteilt."_cp,
     "Days (least and most) over which the weekly timetable spreads."},
    {"Massimo Giorni a cavallo di una data Ora, ossia con ore di lezione sia prima, sia dopo l'ora specificata.",
     "Höchstzahl der Tage mit Unterricht vor und nach der angegebenen Stunde."_cp,
     "Most days across a given Hour, that is with lessons both before and after it."},
    {"Deroga IN AUMENTO al numero massimo di Ore di Insegnamento.",
     "Ausnahme NACH OBEN bei der Höchstzahl der Unterrichtsstunden."_cp,
     "Derogation RAISING the most teaching Hours."},
    {"Deroga IN AUMENTO al numero massimo di Ore di Presenza in Scuola, comprese le Ore Buche.",
     "Ausnahme NACH OBEN bei der Höchstzahl der Anwesenheitsstunden, Freistunden eingeschlossen."_cp,
     "Derogation RAISING the most Hours of presence at School, idle hours included."},
    {"Scelta del Giorno Libero settimanale. Viene assegnato come giorno libero UNO dei giorni specificati.",
     "Wahl des freien Wochentags. EINER der angegebenen Tage wird frei.",
     "Choice of the weekly free Day. ONE of the days given becomes the free day."},
    {"Seconda Scelta del Giorno Libero settimanale.\r\nATTENZIONE: se la prima scelta può essere soddisfatta, "
     "questo vincolo viene ignorato."_cp,
     "Zweite Wahl des freien Wochentags.\r\nACHTUNG: wenn die erste Wahl erfüllt werden kann, gilt diese nicht."_cp,
     "Second choice of the weekly free Day.\r\nWARNING: when the first choice can be met, this one is ignored."},
    {"Mappa delle Ore in cui l'insegnante non può essere a scuola."_cp,
     "Karte der Stunden, in denen der Lehrer nicht in der Schule sein kann.",
     "Map of the Hours in which the teacher cannot be at school."},
    {"Usate questa configurazione con parsimonia per soddisfare l'eventuale richiesta di avere dei giorni "
     "COMPLETAMENTE IMPEGNATI e LIMITATI a una certa fascia oraria.",
     "Sparsam benutzen: für Tage, die GANZ BELEGT und auf eine Stundenspanne BEGRENZT sind."_cp,
     "Use sparingly, for days FULLY TAKEN and LIMITED to a band of hours."},
    {"Usate questa configurazione con parsimonia per soddisfare l'eventuale richiesta di avere giorni con UN "
     "NUMERO ESATTO DI ORE (in qualsiasi fascia oraria, ma senza buche).",
     "Sparsam benutzen: für Tage mit GENAU so vielen Stunden (in jeder Spanne, ohne Freistunden)."_cp,
     "Use sparingly, for days with AN EXACT NUMBER OF HOURS (in any band, without idle hours)."},
    {"Questi tasti compilano la propensione a preferire le prime oppure le ultime ore con valori adatti alla "
     "maggior parte dei casi.",
     "Diese Tasten füllen die Vorliebe für die ersten oder letzten Stunden mit üblichen Werten."_cp,
     "These buttons fill in a preference for the first or the last hours with values that suit most cases."},
    {"Usate questa configurazione per gestire la propensione a preferire le prime oppure le ultime ore.",
     "Damit steuern Sie die Vorliebe für die ersten oder die letzten Stunden."_cp,
     "Use this to manage a preference for the first or the last hours."},
    {"L'eventuale configurazione della seconda fascia si aggiunge a quella della prima fascia.",
     "Die zweite Spanne kommt zur ersten hinzu.", "A second band adds to the first one."},
    {"I valori presenti in questi campi dipendono dall'orario di servizio del Professore, e sono configurati tra i "
     "parametri generali che definiscono le Ore di Servizio."_cp,
     "Diese Werte hängen von den Dienststunden des Lehrers ab und stehen in den allgemeinen Parametern."_cp,
     "These values depend on the Teacher's hours of service and are set among the general parameters."},
    {"Questa tabella consente di fissare il Minimo e/o il Massimo di Ore in giorni specificati.",
     "Diese Tabelle legt Mindest- und Höchststunden an bestimmten Tagen fest."_cp,
     "This table sets the least and/or the most Hours on given days."},
    {"Se sta in Classe per il numero di ore specificato, desidera un'ora buca per riposo.",
     "Nach so vielen Stunden in der Klasse wünscht er eine Freistunde zur Erholung."_cp,
     "After that many hours in class he wants an idle hour of rest."},
    {"Professore fittizio, per configurazioni particolari.", "Fiktiver Lehrer, für besondere Einstellungen."_cp,
     "Fictitious teacher, for special setups."},
    {"Ore buche in più EVENTUALMENTE ammesse per il Professore, oltre a quelle previste dai parametri generali "
     "(Configurazione, tabelle al punto 14)."_cp,
     "Zusätzliche Freistunden, die für den Lehrer erlaubt sind, über die allgemeinen Parameter hinaus (Punkt "
     "14)."_cp,
     "Extra idle hours allowed to the Teacher beyond the general parameters (Configuration, tables of point 14)."},
    {"Ore buche OBBLIGATORIE nella settimana.", "PFLICHT-Freistunden in der Woche.", "REQUIRED idle hours in the week."},
    {"Il Professore può vedere le sue Classi in giorni di seguito, anche se vede le Classi solo due o tre volte "
     "nella settimana, in deroga alla configurazione generale dei Giorni di Pausa."_cp,
     "Der Lehrer darf seine Klassen an aufeinanderfolgenden Tagen sehen, abweichend von den Pausentagen."_cp,
     "The Teacher may see his Classes on consecutive days, against the general setting of days of break."},
    {"Se si seleziona quest'opzione, le ore del docente possono accumularsi (se necessario), per talune classi, "
     "nelle ultime ore di lezione di tutti i giorni della settimana."_cp,
     "Mit dieser Option dürfen sich die Stunden des Lehrers in manchen Klassen in den letzten Stunden häufen."_cp,
     "With this option the teacher's hours may pile up, for some classes, in the last hours of every day."},
    {"Questo vincolo è significativo solo se è gestito il Rientro Pomeridiano dopo la Pausa Mensa (cfr. tabella "
     "15.5 della Configurazione)."_cp,
     "Diese Begrenzung zählt nur mit Nachmittagsunterricht nach der Mittagspause (Tabelle 15.5)."_cp,
     "This constraint matters only when afternoon returns after the lunch break are managed (table 15.5)."},
    {"Qui si configurano i vincoli che interessano GLOBALMENTE un Professore.",
     "Hier werden die Begrenzungen eingestellt, die einen Lehrer INSGESAMT betreffen.",
     "Here you set the constraints that concern a Teacher AS A WHOLE."},
};

std::string name_of(const UiTeacher& t) { return std::string(t.name, strnlen(t.name, kUiNameSize - 1)); }

// The band of a first-hour combo: its first byte and length, and the band
// whose hour makes the "both a minimum and a maximum" warning.
struct Band {
  int id, length, partner_id;
};
constexpr Band kBands[] = {{3000, 2, 3002}, {3002, 2, 3000}, {3004, 3, 3007},
                           {3007, 3, 3004}, {3010, 3, 3013}, {3013, 3, 3010}};

}  // namespace

int Cvipro::TeacherCount() {
  return int(std::min<std::uint32_t>(std::uint32_t(g_ui_settings.teacher_count), std::uint32_t(kUiMaxTeachers)));
}

void Cvipro::DoDataExchange(DataExchange& dx) {
  const auto& combos = vipro_combos();
  for (std::size_t i = 0; i < combos.size() && i < m_combos.size(); ++i) dx.Control(combos[i].id, m_combos[i]);
  dx.Control(kTeacherId, m_teachers);
  dx.Control(kMaxBudayId, m_maxbuday);
  dx.Control(kPostsId, m_posts);
  for (int d = 0; d < 7; ++d) {
    dx.Control(kNoGapIds + d, m_no_gap[std::size_t(d)]);
    dx.Control(kFreeDayIds + d, m_free_day[std::size_t(d)]);
    dx.Control(kSecondFreeDayIds + d, m_second_free_day[std::size_t(d)]);
  }
  dx.Control(kConsecutiveId, m_consecutive);
  dx.Control(kReleaseId, m_release);
  dx.Control(kReceptionId, m_reception);
  dx.Control(kAutoSaveId, m_auto_save);
  for (int f = 0; f < 2; ++f) dx.Control(kFictitiousIds[f], m_fictitious[std::size_t(f)]);
  dx.Control(kStandbyId, m_standby);
  dx.Control(kSupportId, m_support);
  dx.Control(kSpecialLabelId, m_special_label);
  dx.Control(kRareCaptionId, m_rare_caption);
  dx.Control(kForbiddenId, m_forbidden);
  dx.Control(kPresenceDerogationsId, m_presence_derogations);
  dx.Control(kLessonDerogationsId, m_lesson_derogations);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kPreviousId, m_previous);
  dx.Control(kNextId, m_next);
  dx.Control(kTestId, m_test);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHowToId, m_howto);
}

bool Cvipro::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("8 Vincoli Professori");
  FitIntoPageArea();
  ShowGrip(false);
  m_rare_caption.SetColors(rgb(165, 0, 33), rgb(238, 255, 221));
  m_rare_caption.SetWindowText(kRareCaption.Get());
  SetDlgItemText(kFullDaysAndId, kFullDaysAnd.Get());
  m_shape = vipro_school_shape();
  m_teacher = g_vipro_current_teacher;
  if (m_teacher < 0 || m_teacher >= TeacherCount()) m_teacher = 0;
  std::memset(&m_snapshot, 0, sizeof m_snapshot);
  procat_setup_assignment_list(m_posts, 0, nullptr, kPostsCaption.Get());
  for (int d = 0; d < 7; ++d) {
    char code[3] = {};
    std::memcpy(code, g_ui_header.day_codes[d], 2);
    if (Window* caption = GetDlgItem(kDayCaptionIds + d)) caption->SetWindowText(code);
  }
  FillCombos();
  m_teachers.ResetContent();
  for (int t = 0; t < TeacherCount(); ++t)
    if (g_ui_teachers[t].name[0]) m_teachers.AddString(name_of(g_ui_teachers[t]));
  if (Valid()) m_teachers.SetCurSel(m_teachers.FindStringExact(-1, name_of(Teacher())));
  MakeCurrent(false);
  m_help.SetTextML(&kGeneralHelp);
  for (Window* w : {static_cast<Window*>(&m_reception), static_cast<Window*>(&m_fictitious[0]),
                    static_cast<Window*>(&m_fictitious[1])})
    w->EnableWindow(false);
  m_auto_save.SetCheck(g_auto_save ? kBstChecked : kBstUnchecked);
  if (Window* spare = GetDlgItem(kHiddenTestId)) spare->ShowWindow(kSwHide);
  return true;
}

void Cvipro::FillCombos() {
  const auto& combos = vipro_combos();
  for (std::size_t i = 0; i < combos.size() && i < m_combos.size(); ++i) {
    const TeacherCombo& c = combos[i];
    ComboBox& combo = m_combos[i];
    combo.ResetContent();
    if (c.dash) combo.AddString("-");
    int last = vipro_last_number(c, m_shape);
    for (int n = c.first; n <= last; ++n)
      combo.AddString(n == last && c.last_text ? std::string(c.last_text) : std::to_string(n));
  }
  m_maxbuday.ResetContent();
  for (const MlText& text : kMaxBudayTexts) m_maxbuday.AddString(text.Get());
  m_grid.SetGridData(nullptr, kGridTitle.Get(), "", nullptr, &kHelps[kVhForbidden], 2);
}

// Sets every control from the record; a byte at 255 selects no item.
void Cvipro::ShowTeacher() {
  bool valid = Valid();
  static UiTeacher empty{};
  UiTeacher& t = valid ? Teacher() : empty;
  UiTeacherConstraints& c = t.personal;
  const auto& combos = vipro_combos();
  for (std::size_t i = 0; i < combos.size() && i < m_combos.size(); ++i)
    m_combos[i].SetCurSel(vipro_item_of(combos[i], *vipro_field(t, combos[i]), m_shape));
  for (int d = 0; d < 7; ++d) {
    std::size_t k = std::size_t(d);
    m_no_gap[k].SetCheck(c.ovmnb[d] == 1 ? kBstChecked : kBstUnchecked);
    m_free_day[k].SetCheck(c.li[d] == 1 ? kBstChecked : kBstUnchecked);
    m_second_free_day[k].SetCheck(c.lialt[d] == 1 ? kBstChecked : kBstUnchecked);
  }
  m_consecutive.SetCheck(c.ignorapausa == 1 ? kBstChecked : kBstUnchecked);
  m_release.SetCheck(vipro_last_hours_released(c) ? kBstChecked : kBstUnchecked);
  // The school's own two-idle-hours rule shows unless the teacher has his.
  int rule = g_ui_settings.maxbuday[0];
  if (rule < 2 || c.maxbudayper >= 2) {
    m_maxbuday.SetCurSel(vipro_maxbuday_item(c.maxbudayper));
    m_maxbuday.EnableWindow(true);
  } else {
    bool applies = rule == 2 || t.standby_hours >= 2;
    m_maxbuday.SetCurSel(!applies ? 0 : g_ui_settings.maxbuday[1] ? 2 : 1);
  }
  m_grid.SetGridData(&m_forbidden, nullptr, nullptr, c.op, nullptr, 2);
  Hq2TableSpec spec;
  spec.flags = kHq2NarrowLabel;
  spec.band_max = std::int8_t(std::max(m_shape.hours, 1));
  spec.quantity_min = 0;
  spec.quantity_max = std::int8_t(std::max(m_shape.days, 1));
  spec.pairs = c.xprese.pairs;
  spec.count = &c.xprese.count;
  m_presence_picker.SetBandData(&m_presence_derogations, kPresenceTitle.Get(), kPresenceRow.Get(), kDaysRow.Get(),
                                &kHelps[kVhPresenceDerogations], spec);
  spec.pairs = c.inse.pairs;
  spec.count = &c.inse.count;
  m_lesson_picker.SetBandData(&m_lesson_derogations, kLessonTitle.Get(), kLessonRow.Get(), kDaysRow.Get(),
                              &kHelps[kVhLessonDerogations], spec);
  // Any constraint of the special teacher constraints page (never-overlap,
  // car sharing, ...) lights the label.
  bool special = Valid() && (og_teacher_constraint_groups(m_teacher) & 2) != 0;
  m_special_label.SetColors(rgb(225, 0, 0), rgb(244, 244, 244));
  m_special_label.ShowWindow(special ? kSwShow : kSwHide);
}

void Cvipro::MakeCurrent(bool announce) {
  m_free_days_changed = false;
  int previous = m_teacher;
  int selected = m_teachers.GetCurSel();
  if (selected >= 0) {
    std::string wanted = m_teachers.GetLBText(selected);
    m_teacher = 0;
    for (int t = 0; t < TeacherCount(); ++t)
      if (name_of(g_ui_teachers[t]) == wanted) {
        m_teacher = t;
        break;
      }
  }
  g_vipro_current_teacher = m_teacher;
  m_posts.DeleteAllItems();
  if (!Valid()) {
    ShowTeacher();
    return;
  }
  UiTeacher& t = Teacher();
  m_standby.SetWindowText(std::to_string(t.standby_hours));
  m_support.SetWindowText(std::to_string(t.support_hours));
  m_reception.SetCheck(t.nor_flag == 0 ? kBstChecked : kBstUnchecked);
  for (int f = 0; f < 2; ++f) m_fictitious[std::size_t(f)].SetCheck((t.fc_mode >> f) & 1 ? kBstChecked : kBstUnchecked);
  og_remove_partner_post_copies(m_teacher);
  m_snapshot = t;
  og_add_partner_post_copies(m_teacher);
  procat_fill_assignment_list(m_posts, m_teacher, -1);
  FillDefaults();
  ShowTeacher();
  if (announce && previous != m_teacher) m_help.SetTextML(&kGeneralHelp);
}

bool Cvipro::Changed() {
  if (!Valid()) return false;
  og_remove_partner_post_copies(m_teacher);
  return std::memcmp(&Teacher(), &m_snapshot, sizeof(UiTeacher)) != 0;
}

void Cvipro::FillDefaults() {
  if (Valid()) vipro_fill_defaults(Teacher(), m_defaults);
}

void Cvipro::StripDefaults() {
  if (Valid()) vipro_strip_defaults(Teacher(), m_defaults);
}

// Saves the current teacher when he changed, asking unless the user chose
// to save without asking. False when the user kept the edits unsaved.
bool Cvipro::SaveIfChanged() {
  if (!Changed()) return true;
  if (g_auto_save) {
    message_beep(kBeepExclamation);
  } else {
    char question[200];
    std::snprintf(question, sizeof question, kSaveQuestion.Get(), name_of(Teacher()).c_str());
    if (ui_message_box_type(question, 36) != 6) {
      og_add_partner_post_copies(m_teacher);
      FillDefaults();
      ShowTeacher();
      return false;
    }
    if (!g_asked_once && ui_message_box_type(kAutoSaveQuestion.Get(), 36) == 6) {
      g_auto_save = 1;
      m_auto_save.SetCheck(kBstChecked);
    }
    g_asked_once = true;
  }
  return og_save_description_file();
}

void Cvipro::ChangeTeacher() {
  if (!CheckTeacher()) {
    if (Valid()) m_teachers.SetCurSel(m_teachers.FindStringExact(-1, name_of(Teacher())));
    return;
  }
  if (!SaveIfChanged()) return;
  MakeCurrent(true);
}

// The checks run inside the change of teacher, so a question they ask
// comes once per click.
void Cvipro::Navigate(int step) {
  int at = m_teachers.GetCurSel();
  if (at < 0) return;
  int to = std::clamp(at + step, 0, m_teachers.GetCount() - 1);
  m_teachers.SetCurSel(to);
  ChangeTeacher();
  m_teachers.SetFocus();
}

void Cvipro::OnSave() {
  if (!CheckTeacher()) {
    if (Valid()) m_teachers.SetCurSel(m_teachers.FindStringExact(-1, name_of(Teacher())));
    return;
  }
  if (Valid()) og_remove_partner_post_copies(m_teacher);
  bool saved = og_save_description_file();
  if (Valid()) {
    if (saved) m_snapshot = Teacher();
    og_add_partner_post_copies(m_teacher);
  }
  FillDefaults();
  ShowTeacher();
}

// Drops the current teacher's edits (asking when there are any); false
// when the user chose to keep them.
bool Cvipro::Abandon() {
  StripDefaults();
  if (Valid() && Changed()) {
    if (ui_message_box_type(g_abandon_question.Get(), 36) != 6) {
      og_add_partner_post_copies(m_teacher);
      FillDefaults();
      return false;
    }
  }
  if (Valid()) {
    Teacher() = m_snapshot;
    og_add_partner_post_copies(m_teacher);
  }
  return true;
}

void Cvipro::OnCancel() {
  if (!Abandon()) return;
  CResizableDialog::OnCancel();
}

int Cvipro::DestroyWindow() {
  if (IsWindow()) {
    if (!CheckTeacher()) return 0;
    if (Valid()) og_remove_partner_post_copies(m_teacher);
    if (og_save_if_changed(0) != 0) {
      if (Valid()) og_add_partner_post_copies(m_teacher);
      FillDefaults();
      ShowTeacher();
      return 0;
    }
  }
  return CResizableDialog::DestroyWindow();
}

void Cvipro::OnTest() {
  m_help.SetTextML(&kTestHelp);
  if (!CheckTeacher()) return;
  if (Valid()) og_remove_partner_post_copies(m_teacher);
  if (Valid()) trial_run(false, g_ui_teachers[m_teacher].name);
  if (Valid()) og_add_partner_post_copies(m_teacher);
  FillDefaults();
  ShowTeacher();
}

void Cvipro::OnAutoSave() { g_auto_save = m_auto_save.GetCheck() == kBstChecked ? 1 : 0; }

void Cvipro::OnHelp(int topic) {
  if (topic >= 0 && topic < kVhCount) m_help.SetTextML(&kHelps[topic]);
}

bool Cvipro::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (id == kTeacherId && code == kCbnSelChange) ChangeTeacher();
  else if (id == kPreviousId || id == kNextId) Navigate(id == kPreviousId ? -1 : 1);
  else if (id == kMaxBudayId && code == kCbnSelChange) OnMaxBuday();
  else if (id >= 3000 && id <= 3072 && code == kCbnSelChange) OnCombo(id);
  else if (id >= 3000 && id <= 3072 && code == kCbnSetFocus) {
    for (const TeacherCombo& c : vipro_combos())
      if (c.id == id) OnHelp(c.help);
  } else if ((id >= kNoGapIds && id < kSecondFreeDayIds + 7) || id == kConsecutiveId || id == kReleaseId) OnBox(id);
  else if (id >= kPresetIds && id < kPresetIds + 4) OnPreset(id - kPresetIds);
  else if (id == kForbiddenId) OnForbiddenHours();
  else if (id == kPresenceDerogationsId || id == kLessonDerogationsId) OnDerogations(id == kLessonDerogationsId);
  else if (id == kSaveId) OnSave();
  else if (id == kAbandonId) {
    if (!Abandon()) ShowTeacher();
    else if (IsPage() && GetParent()) GetParent()->PostMessage(kMsgCommand, make_command_param(kPageReopen, 0), 0);
    else MakeCurrent(false);
  } else if (id == kTestId) OnTest();
  else if (id == kAutoSaveId) OnAutoSave();
  else if (id == kHowToId) m_help.SetTextML(&kGeneralHelp);
  else if (id >= kHelpIds && id < kHelpIds + kVhCount) OnHelp(id - kHelpIds);
  else return CResizableDialog::OnCommand(w, l);
  return true;
}

bool Cvipro::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kPostsId && header->code == kLvnItemChanged) {
    auto* notify = reinterpret_cast<ListViewNotify*>(l);
    if ((notify->changed & 8) && (notify->new_state & kLvisSelected) && notify->item >= 0) {
      m_posts.SetItemState(notify->item, 0, kLvisSelected);
      ui_message_box_flags(kPostsRefused.Get(), 0, 4);
    }
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

// A combo's item goes into its byte; then the rules that act at once.
void Cvipro::OnCombo(int id) {
  if (!Valid()) return;
  const auto& combos = vipro_combos();
  std::size_t index = 0;
  while (index < combos.size() && combos[index].id != id) ++index;
  if (index >= combos.size() || index >= m_combos.size()) return;
  const TeacherCombo& c = combos[index];
  UiTeacher& t = Teacher();
  UiTeacherConstraints& k = t.personal;
  std::int8_t* field = vipro_field(t, c);
  OnHelp(c.help);
  int before = *field, value = vipro_value_of(c, m_combos[index].GetCurSel());
  *field = std::int8_t(value);
  for (const Band& band : kBands) {
    if (band.id != id) continue;
    if (value == -1) {
      std::memset(field, 0xFF, std::size_t(band.length));
    } else {
      for (const TeacherCombo& other : combos)
        if (other.id == band.partner_id && *vipro_field(t, other) != -1) ui_message_box(kBothLimits.Get());
    }
  }
  if (id == 3016 && value == -1) std::memset(k.cavallomax, 0xFF, 2);
  if (id == 3003 && value == 0) vipro_set_last_hours_release(k, true);
  if (id == 3018 && k.gmax != -1 && k.gmin > k.gmax) k.gmax = k.gmin;
  if (id == 3019 && k.gmin != -1 && value != -1 && k.gmax < k.gmin) k.gmin = k.gmax;
  if (id == 3022 && (value == 1 || value == 2) && ui_message_box_type(kTeachingMaximum.Get(), 36) != 6)
    *field = std::int8_t(before);
  ShowTeacher();
}

void Cvipro::OnMaxBuday() {
  OnHelp(kVhExtraIdle);
  if (Valid() && m_maxbuday.GetCurSel() >= 0)
    Teacher().personal.maxbudayper = std::int8_t(vipro_maxbuday_value(m_maxbuday.GetCurSel()));
}

void Cvipro::OnBox(int id) {
  if (!Valid()) return;
  UiTeacherConstraints& k = Teacher().personal;
  auto checked = [this](int box) { return GetDlgItem(box) && static_cast<Button*>(GetDlgItem(box))->GetCheck() == kBstChecked; };
  bool on = checked(id);
  if (id >= kNoGapIds && id < kNoGapIds + 7) {
    OnHelp(kVhPerDay);
    k.ovmnb[id - kNoGapIds] = on ? 1 : 0;
  } else if (id >= kFreeDayIds && id < kFreeDayIds + 7) {
    OnHelp(kVhFreeDay);
    int d = id - kFreeDayIds;
    k.li[d] = on ? 1 : -1;
    if (on) {
      m_free_days_changed = true;
      k.lialt[d] = 0;
    }
  } else if (id >= kSecondFreeDayIds && id < kSecondFreeDayIds + 7) {
    OnHelp(kVhSecondFreeDay);
    int d = id - kSecondFreeDayIds;
    bool other_first = false;
    for (int e = 0; e < 7; ++e) other_first = other_first || (e != d && k.li[e] == 1);
    if (on && (!other_first || k.li[d] == 1)) {
      ui_message_box(kSecondChoiceRefused.Get());
      k.lialt[d] = 0;
    } else {
      k.lialt[d] = on ? 1 : -1;
      m_free_days_changed = m_free_days_changed || on;
    }
  } else if (id == kConsecutiveId) {
    OnHelp(kVhConsecutive);
    k.ignorapausa = on ? 1 : 0;
  } else if (id == kReleaseId) {
    OnHelp(kVhRelease);
    vipro_set_last_hours_release(k, on);
  }
  ShowTeacher();
}

void Cvipro::OnPreset(int preset) {
  OnHelp(kVhPresets);
  if (!Valid()) return;
  UiTeacher& t = Teacher();
  if (t.fc_mode & 3) {
    message_beep(kBeepSimple);
    preset = 0;
  }
  vipro_apply_preset(t.personal, preset, m_shape.hours);
  ShowTeacher();
}

void Cvipro::OnForbiddenHours() {
  OnHelp(kVhForbidden);
  if (!Valid()) return;
  UiTeacherConstraints& k = Teacher().personal;
  if (k.op[0] > 254) std::memset(k.op, 0, sizeof k.op);
  m_grid.SetGridData(&m_forbidden, kGridTitle.Get(), "", k.op, &kHelps[kVhForbidden], 2);
  m_grid.DoModal();
  m_grid.SetGridData(&m_forbidden, nullptr, nullptr, k.op, nullptr, 2);
  m_free_days_changed = true;
  bool gmax_is_default = k.gmax == m_defaults.gmax;
  if (vipro_after_forbidden_hours(k, m_shape, gmax_is_default)) ui_message_box(kDaysCorrected.Get());
  ShowTeacher();
}

// A derogation table is edited on a copy; on OK, lesson derogations above
// the presence allowed need a presence derogation at least as large, and
// pairs that do not raise the ordinary maximum are dropped.
void Cvipro::OnDerogations(bool lesson) {
  OnHelp(lesson ? kVhLessonDerogations : kVhPresenceDerogations);
  if (!Valid()) return;
  UiTeacherConstraints& k = Teacher().personal;
  UiHq2Table& table = lesson ? k.inse : k.xprese;
  UiHq2Table edited = table;
  Chq2& picker = lesson ? m_lesson_picker : m_presence_picker;
  CBW_HQ2& button = lesson ? m_lesson_derogations : m_presence_derogations;
  const MlText& title = lesson ? kLessonTitle : kPresenceTitle;
  Hq2TableSpec spec;
  spec.flags = kHq2NarrowLabel;
  spec.band_max = std::int8_t(std::max(m_shape.hours, 1));
  spec.quantity_min = 0;
  spec.quantity_max = std::int8_t(std::max(m_shape.days, 1));
  spec.pairs = edited.pairs;
  spec.count = &edited.count;
  picker.SetBandData(&button, title.Get(), nullptr, nullptr, nullptr, spec);
  if (picker.DoModal() != kIdOk) {
    ShowTeacher();
    return;
  }
  if (lesson && k.presenza != -1) {
    for (int i = 0; i < std::min<int>(edited.count, 9); ++i) {
      if (edited.pairs[i][1] < 1 || edited.pairs[i][0] <= k.presenza) continue;
      bool covered = false;
      for (int j = 0; j < std::min<int>(k.xprese.count, 9); ++j)
        covered = covered || (k.xprese.pairs[j][0] >= edited.pairs[i][0] && k.xprese.pairs[j][1] >= edited.pairs[i][1]);
      if (covered) continue;
      if (Window* presence = GetDlgItem(3020)) presence->SetFocus();
      char text[400];
      std::snprintf(text, sizeof text, kPresenceBelowLessons.Get(), title.Get());
      ui_message_box(text);
      edited.pairs[i][1] = 0;
    }
  }
  int maximum = lesson ? k.insegna : k.presenza;
  if (vipro_store_derogations(table, edited, maximum) > 0) {
    char text[300];
    std::snprintf(text, sizeof text, "%s %s", kAttention.Get(), title.Get());
    ui_message_box(text);
  }
  ShowTeacher();
}
