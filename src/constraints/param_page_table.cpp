// The rows of the general parameters (see param_page_table.h): captions in
// the three languages, the explanations shown in the help pane, and each
// row's band table with its ranges and checks. Rows 14.1 and 14.4 stand on
// both the one-building page and the several-buildings page and edit the
// same two tables there.
#include "constraints/param_page_table.h"

#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"

namespace {



// Second flags: refilled from the defaults when empty, closing band.
constexpr std::uint8_t kFill = kHq2NotEmpty | kHq2EndsAtMaximum;

#define KT_SPEC(table, bmin, bmax, over, qmin, qmax, flags, limit, flags2) \
  { g_ui_settings.table.pairs, &g_ui_settings.table.count, bmin, bmax, over, 0, qmin, qmax, flags, nullptr, limit, flags2 }

const MlText kPage1 = {"Parametri Generali - Distribuzione dell'insegnamento nella settimana",
                       "Allgemeine Parameter - Verteilung des Unterrichts in der Woche"_cp,
                       "General Parameters - Distribution of teaching in the week"};
const MlText kPage2 = {"Parametri Generali - Ore di servizio", "Allgemeine Parameter - Dienststunden",
                       "General Parameters - Hours of service"};
const MlText kPage3 = {"Parametri Generali - Uscite e rientri in Classe",
                       "Allgemeine Parameter - Verlassen und Wiederbetreten der Klasse",
                       "General Parameters - Leaving and re-entering a Class"};
const MlText kPage4 = {"Parametri Generali - Ore buche e a disposizione (scuole con un solo plesso)",
                       "Allgemeine Parameter - Freistunden und Bereitschaftsstunden (Schulen mit einem Gebäude)"_cp,
                       "General Parameters - Idle and stand-by hours (schools with one building)"};
const MlText kPage5 = {"Parametri Generali - Ore buche e a disposizione (scuole con due o più plessi)"_cp,
                       "Allgemeine Parameter - Freistunden und Bereitschaftsstunden (Schulen mit zwei oder mehr "
                       "Gebäuden)"_cp,
                       "General Parameters - Idle and stand-by hours (schools with two or more buildings)"};

// Headings shared by several rows.
const MlText kWeeklyHours = {"Se l'insegnante ha sino a ORE settimanali:",
                             "Wenn der Lehrer bis zu Wochenstunden hat:",
                             "If the teacher has up to weekly HOURS:"};
const MlText kDays = {"l'orario deve distribuirsi su GIORNI:", "muss der Stundenplan sich auf TAGE verteilen:",
                      "the timetable must spread over DAYS:"};
const MlText kBreakBand = {"Se l'insegnante ha sino a GIORNI in una classe:",
                           "Wenn der Lehrer in einer Klasse bis zu TAGE hat:",
                           "If the teacher has up to DAYS in a class:"};
const MlText kBreakDays = {"l'orario deve inserire nella settimana GIORNI di pausa:",
                           "muss der Stundenplan in der Woche PAUSENTAGE haben:",
                           "the timetable must leave in the week DAYS of break:"};
const MlText kMinimum = {"ogni giorno lavorativo deve avere almeno ORE:",
                         "muss jeder Arbeitstag mindestens STUNDEN haben:",
                         "each working day must have at least HOURS:"};
const MlText kClassHours = {"Se l'insegnante, in una classe, ha sino a ORE settimanali:",
                            "Wenn der Lehrer in einer Klasse bis zu Wochenstunden hat:",
                            "If the teacher, in a class, has up to weekly HOURS:"};
const MlText kClassDay = {"in un giorno può stare in quella classe al massimo ORE:"_cp,
                          "darf er am Tag höchstens STUNDEN in der Klasse sein:"_cp,
                          "in a day he may stay in that class at most HOURS:"};
const MlText kSameDayBand = {"L'insegnante può insegnare in una stessa classe ORE:"_cp,
                             "Der Lehrer darf in derselben Klasse STUNDEN unterrichten:"_cp,
                             "The teacher may teach in one class HOURS:"};
const MlText kSameDayTimes = {"al massimo questo NUMERO di VOLTE per settimana:",
                              "höchstens diese ANZAHL von MALEN pro Woche:"_cp,
                              "at most this NUMBER of TIMES per week:"};
const MlText kLastHourBand = {"A partire dall'Ora:", "Ab der Stunde:", "From Hour:"};
const MlText kLastHourShare = {"ogni classe può essere vista al massimo per il % delle Ore:"_cp,
                               "darf er jede Klasse höchstens in % der Stunden sehen:"_cp,
                               "each class may be seen at most for % of the Hours:"};
const MlText kPresence = {"può essere presente in scuola al massimo ORE:"_cp,
                          "darf höchstens STUNDEN in der Schule anwesend sein:"_cp,
                          "may be present at school at most HOURS:"};
const MlText kTeaching = {"può insegnare in aula al massimo ORE:"_cp, "darf höchstens STUNDEN unterrichten:"_cp,
                          "may teach at most HOURS:"};
const MlText kExitBand = {"Se l'insegnante ha sino a ORE settimanali in una classe:",
                          "Wenn der Lehrer bis zu Wochenstunden in einer Klasse hat:",
                          "If the teacher has up to weekly HOURS in a class:"};
const MlText kExitTimes = {"può uscirne e rientrarvi VOLTE alla settimana:"_cp,
                           "darf er sie pro Woche MALE verlassen und wieder betreten:",
                           "he may leave and re-enter it TIMES a week:"};
const MlText kIdle = {"il massimo delle ORE BUCHE settimanali è:"_cp,
                      "ist das Maximum der wöchentlichen FREISTUNDEN:"_cp,
                      "the maximum of weekly IDLE HOURS is:"};
const MlText kStandbyBand = {"Se l'insegnante ha sino a ORE settimanali a disposizione:",
                             "Wenn der Lehrer bis zu wöchentliche Bereitschaftsstunden hat:"_cp,
                             "If the teacher has up to weekly stand-by HOURS:"};
const MlText kStandbyDay = {"il massimo delle ORE a disposizione IN UN GIORNO è:"_cp,
                            "ist das Maximum der Bereitschaftsstunden AN EINEM TAG:"_cp,
                            "the maximum of stand-by HOURS IN ONE DAY is:"};
const MlText kBuildings = {"Se l'insegnante insegna in PLESSI:", "Wenn der Lehrer in GEBÄUDEN unterrichtet:"_cp,
                           "If the teacher teaches in BUILDINGS:"};
const MlText kTransferIdle = {"il massimo delle ORE BUCHE settimanali per cambio Plesso è:"_cp,
                              "ist das Maximum der Freistunden für Gebäudewechsel:"_cp,
                              "the maximum of weekly IDLE HOURS for a change of building is:"};

#define KT_CAPTION(name, it, de, en) const MlText name = {it, de, en};

KT_CAPTION(k111, "11.1 - Ore settimanali per insegnante -> Giorni di insegnamento.",
           "11.1 - Wochenstunden je Lehrer -> Unterrichtstage.", "11.1 - Weekly hours per teacher -> Teaching days.")
KT_CAPTION(k112, "11.2 - Giorni settimanali per insegnante e per classe -> Giorni di pausa.",
           "11.2 - Wochentage je Lehrer und Klasse -> Pausentage.",
           "11.2 - Weekly days per teacher and class -> Days of break.")
KT_CAPTION(k113, "11.3 - Ore minime di insegnamento al giorno.", "11.3 - Mindestunterrichtsstunden pro Tag.",
           "11.3 - Minimum teaching hours a day.")
KT_CAPTION(k114, "11.4 - Ore massime di insegnamento in una data classe al giorno.",
           "11.4 - Höchste Unterrichtsstunden in einer Klasse pro Tag."_cp,
           "11.4 - Maximum teaching hours in one class a day.")
KT_CAPTION(k115, "11.5 - ITP di Laboratorio. Ore massime di insegnamento in una data classe al giorno.",
           "11.5 - Laborlehrer. Höchste Unterrichtsstunden in einer Klasse pro Tag."_cp,
           "11.5 - Lab teachers. Maximum teaching hours in one class a day.")
KT_CAPTION(k116, "11.6 - Insegnanti di Conversazione. Ore massime di insegnamento in una data classe al giorno.",
           "11.6 - Konversationslehrer. Höchste Unterrichtsstunden in einer Klasse pro Tag."_cp,
           "11.6 - Conversation teachers. Maximum teaching hours in one class a day.")
KT_CAPTION(k117, "11.7 - Insegnamento consentito in una stessa classe nella stessa giornata.",
           "11.7 - Erlaubter Unterricht in derselben Klasse am selben Tag.",
           "11.7 - Teaching allowed in one class on the same day.")
KT_CAPTION(k118, "11.8 - limitazione all'Insegnamento nelle ultime ore del giorno.",
           "11.8 - Begrenzung des Unterrichts in den letzten Stunden des Tages.",
           "11.8 - Limit to teaching in the last hours of the day.")
KT_CAPTION(k121, "12.1 - Ore settimanali per insegnante -> Ore di presenza a scuola massime nella giornata.",
           "12.1 - Wochenstunden je Lehrer -> Höchste Anwesenheitsstunden am Tag."_cp,
           "12.1 - Weekly hours per teacher -> Maximum hours of presence at school in a day.")
KT_CAPTION(k122, "12.2 - Ore settimanali per insegnante -> Ore di insegnamento massime nella giornata.",
           "12.2 - Wochenstunden je Lehrer -> Höchste Unterrichtsstunden am Tag."_cp,
           "12.2 - Weekly hours per teacher -> Maximum teaching hours in a day.")
KT_CAPTION(k123,
           "12.3 - ITP di Laboratorio. Ore settimanali per insegnante -> Ore di presenza a scuola massime nella "
           "giornata.",
           "12.3 - Laborlehrer. Wochenstunden je Lehrer -> Höchste Anwesenheitsstunden am Tag."_cp,
           "12.3 - Lab teachers. Weekly hours per teacher -> Maximum hours of presence at school in a day.")
KT_CAPTION(k124, "12.4 - ITP di Laboratorio. Ore settimanali per insegnante -> Ore di insegnamento massime nella giornata.",
           "12.4 - Laborlehrer. Wochenstunden je Lehrer -> Höchste Unterrichtsstunden am Tag."_cp,
           "12.4 - Lab teachers. Weekly hours per teacher -> Maximum teaching hours in a day.")
KT_CAPTION(k125,
           "12.5 - Insegnanti di Conversazione. Ore settimanali per insegnante -> Ore di presenza a scuola massime "
           "nella giornata.",
           "12.5 - Konversationslehrer. Wochenstunden je Lehrer -> Höchste Anwesenheitsstunden am Tag."_cp,
           "12.5 - Conversation teachers. Weekly hours per teacher -> Maximum hours of presence at school in a day.")
KT_CAPTION(k126,
           "12.6 - Insegnanti di Conversazione. Ore settimanali per insegnante -> Ore di insegnamento massime nella "
           "giornata.",
           "12.6 - Konversationslehrer. Wochenstunden je Lehrer -> Höchste Unterrichtsstunden am Tag."_cp,
           "12.6 - Conversation teachers. Weekly hours per teacher -> Maximum teaching hours in a day.")
KT_CAPTION(k131, "13.1 - Limitazione all'uscita e rientro in una stessa classe.",
           "13.1 - Begrenzung des Verlassens und Wiederbetretens einer Klasse.",
           "13.1 - Limit to leaving and re-entering the same class.")
KT_CAPTION(k132, "13.2 - Insegnanti di LABORATORIO. Limitazione all'uscita e rientro in una stessa classe.",
           "13.2 - LABORLEHRER. Begrenzung des Verlassens und Wiederbetretens einer Klasse.",
           "13.2 - LAB teachers. Limit to leaving and re-entering the same class.")
KT_CAPTION(k133, "13.3 - Insegnanti di CONVERSAZIONE. Limitazione all'uscita e rientro in una stessa classe.",
           "13.3 - KONVERSATIONSLEHRER. Begrenzung des Verlassens und Wiederbetretens einer Klasse.",
           "13.3 - CONVERSATION teachers. Limit to leaving and re-entering the same class.")
KT_CAPTION(k141, "14.1 - Ore buche settimanali ammesse.", "14.1 - Erlaubte wöchentliche Freistunden."_cp,
           "14.1 - Weekly idle hours allowed.")
KT_CAPTION(k144, "14.4 - Ore a disposizione massime per giorno.", "14.4 - Höchste Bereitschaftsstunden pro Tag."_cp,
           "14.4 - Maximum stand-by hours a day.")
KT_CAPTION(k141b,
           "14.1 - Ore buche settimanali ammesse per chi insegna in un solo plesso (vale solo in scuole con 2 o più "
           "plessi)."_cp,
           "14.1 - Erlaubte wöchentliche Freistunden für Lehrer in einem Gebäude (nur in Schulen mit 2 oder mehr "
           "Gebäuden)."_cp,
           "14.1 - Weekly idle hours allowed for teachers in one building (only in schools with 2 or more "
           "buildings).")
KT_CAPTION(k142, "14.2 - Ore buche settimanali ammesse per chi insegna in più di un Plesso."_cp,
           "14.2 - Erlaubte wöchentliche Freistunden für Lehrer in mehr als einem Gebäude."_cp,
           "14.2 - Weekly idle hours allowed for teachers in more than one building.")
KT_CAPTION(k143, "14.3 - Ore buche settimanali ammesse soltanto per il trasferimento da un Plesso a un altro.",
           "14.3 - Erlaubte wöchentliche Freistunden nur für den Wechsel von einem Gebäude zum anderen."_cp,
           "14.3 - Weekly idle hours allowed only for moving from one building to another.")

// Explanations: what the parameter does, with its usual values.
KT_CAPTION(kX111,
           "Per ogni fascia di ore settimanali, il numero di giorni su cui deve distribuirsi l'orario dell'insegnante."
           "\r\nEsempio: con 18 ore (orario pieno) l'insegnante lavora di solito 5 giorni.",
           "Für jede Spanne von Wochenstunden die Anzahl der Tage, auf die sich der Stundenplan des Lehrers verteilen "
           "muss.\r\nBeispiel: mit 18 Stunden (volle Stelle) arbeitet der Lehrer meist 5 Tage."_cp,
           "For each band of weekly hours, the number of days over which the teacher's timetable must spread.\r\n"
           "Example: with 18 hours (full time) a teacher usually works 5 days.")
KT_CAPTION(kX112,
           "Se l'insegnante vede una classe in pochi giorni, tra quei giorni si inserisce il numero di giorni di pausa "
           "indicato.\r\nIl valore utile comunemente è UN giorno di pausa per chi vede la classe in 2 o 3 giorni."_cp,
           "Sieht der Lehrer eine Klasse an wenigen Tagen, liegen dazwischen so viele Pausentage.\r\nÜblich ist EIN "
           "Pausentag bei 2 oder 3 Tagen."_cp,
           "When a teacher sees a class on few days, that many days of break lie between them.\r\nThe usual value "
           "is ONE day of break for a class seen on 2 or 3 days.")
KT_CAPTION(kX113,
           "Ogni giorno di lavoro dell'insegnante deve avere almeno queste ore di lezione, per non venire a scuola "
           "per una sola ora.",
           "Jeder Arbeitstag des Lehrers muss mindestens so viele Stunden haben, damit er nicht für eine einzige "
           "Stunde kommt."_cp,
           "Each working day of a teacher must have at least these lesson hours, so that nobody comes in for one "
           "hour only.")
KT_CAPTION(kX114,
           "Il massimo di ore che l'insegnante può fare nella stessa classe in un giorno, secondo le sue ore "
           "settimanali in quella classe."_cp,
           "Höchstzahl der Stunden, die der Lehrer an einem Tag in derselben Klasse geben darf, nach seinen "
           "Wochenstunden in dieser Klasse."_cp,
           "The most hours a teacher may give in one class in a day, by his weekly hours in that class.")
KT_CAPTION(kX115,
           "Come 11.4, per gli insegnanti tecnico-pratici di laboratorio.",
           "Wie 11.4, für die Laborlehrer."_cp, "As 11.4, for lab teachers.")
KT_CAPTION(kX116, "Come 11.4, per gli insegnanti di conversazione.", "Wie 11.4, für die Konversationslehrer."_cp,
           "As 11.4, for conversation teachers.")
KT_CAPTION(kX117,
           "Quante volte alla settimana l'insegnante può fare in una stessa classe, nello stesso giorno, il numero di "
           "ore indicato (per esempio 3 ore di fila al massimo 2 volte)."_cp,
           "Wie oft pro Woche der Lehrer in derselben Klasse am selben Tag so viele Stunden geben darf (z.B. 3 "
           "Stunden höchstens 2 Mal)."_cp,
           "How many times a week a teacher may give that many hours in one class on the same day (for instance 3 "
           "hours at most twice).")
KT_CAPTION(kX118,
           "Dall'ora indicata in poi, ogni classe può avere l'insegnante al massimo per questa percentuale delle sue "
           "ore, così le ultime ore non toccano sempre le stesse materie."_cp,
           "Ab der angegebenen Stunde darf jede Klasse den Lehrer höchstens für diesen Anteil seiner Stunden haben."_cp,
           "From the given hour on, each class may have the teacher at most for this share of his hours, so the last "
           "hours do not always fall on the same subjects.")
KT_CAPTION(kX12p,
           "Il massimo di ore di presenza a scuola in una giornata (dalla prima all'ultima ora, buche comprese), "
           "secondo le ore settimanali."_cp,
           "Höchstzahl der Anwesenheitsstunden an einem Tag (von der ersten bis zur letzten Stunde, Freistunden "
           "eingeschlossen)."_cp,
           "The most hours of presence at school in a day (first to last hour, idle hours included), by weekly "
           "hours.")
KT_CAPTION(kX12i,
           "Il massimo di ore di lezione in aula in una giornata, secondo le ore settimanali.",
           "Höchstzahl der Unterrichtsstunden an einem Tag, nach den Wochenstunden."_cp,
           "The most teaching hours in a day, by weekly hours.")
KT_CAPTION(kX13,
           "Quante volte alla settimana l'insegnante può lasciare una classe e rientrarvi nella stessa giornata, "
           "secondo le sue ore in quella classe."_cp,
           "Wie oft pro Woche der Lehrer eine Klasse am selben Tag verlassen und wieder betreten darf.",
           "How many times a week a teacher may leave a class and come back to it on the same day, by his hours in "
           "that class.")
KT_CAPTION(kX141,
           "Il massimo di ore buche settimanali, secondo le ore settimanali. Di solito si ammette un'ora buca alla "
           "settimana per il ricevimento dei genitori."_cp,
           "Höchstzahl der wöchentlichen Freistunden. Meist wird eine Freistunde pro Woche für die Sprechstunde "
           "erlaubt."_cp,
           "The most weekly idle hours, by weekly hours. Usually one idle hour a week is allowed for parents' "
           "reception.")
KT_CAPTION(kX144,
           "Il massimo di ore a disposizione in uno stesso giorno, secondo le ore a disposizione settimanali. Di "
           "solito al massimo un'ora al giorno."_cp,
           "Höchstzahl der Bereitschaftsstunden an einem Tag. Meist höchstens eine Stunde pro Tag."_cp,
           "The most stand-by hours in one day, by weekly stand-by hours. Usually at most one hour a day.")
KT_CAPTION(kX142, "Come 14.1, per chi insegna in più di un plesso."_cp, "Wie 14.1, für Lehrer in mehreren Gebäuden."_cp,
           "As 14.1, for teachers in more than one building.")
KT_CAPTION(kX143,
           "Ore buche ammesse in più solo per spostarsi da un plesso all'altro, secondo il numero di plessi in cui "
           "l'insegnante insegna."_cp,
           "Zusätzliche Freistunden nur für den Wechsel zwischen Gebäuden, nach der Anzahl der Gebäude."_cp,
           "Extra idle hours allowed only for moving between buildings, by the number of buildings the teacher "
           "teaches in.")

}  // namespace

const MlText kParamGeneralHelp = {
    "Qui avete accesso a diversi parametri generali che valgono per tutti i Professori, a meno che la "
    "configurazione dei vincoli PERSONALI del Professore non contenga valori specifici.\r\nCliccate su una tabella "
    "per modificarla, poi SALVATE.",
    "Hier erreichen Sie allgemeine Parameter, die für alle Lehrer gelten, außer wenn die PERSÖNLICHEN "
    "Begrenzungen des Lehrers eigene Werte enthalten.\r\nKlicken Sie auf eine Tabelle, um sie zu ändern, und "
    "SPEICHERN Sie dann."_cp,
    "Here you reach general parameters that hold for all Teachers, unless a Teacher's PERSONAL constraints hold "
    "values of their own.\r\nClick a table to change it, then SAVE."};

const ParamPageRow g_param_page_table[kParamPageRows] = {
    {&kPage1, 0, &k111, &kWeeklyHours, &kDays, &kX111, KT_SPEC(iggiorni, 1, 60, 1, 1, 7, kHq2Increasing, 0, kFill), 0},
    {nullptr, 0, &k112, &kBreakBand, &kBreakDays, &kX112, KT_SPEC(giornipausacl, 2, 5, 0, 0, 1, 0, 0, 0), 'e'},
    {nullptr, 0, &k113, &kWeeklyHours, &kMinimum, &kX113,
     KT_SPEC(ihminimo, 1, 60, 1, 1, 12, 0, 3, kFill | kHq2FlashAtLimit), 0},
    {nullptr, 0, &k114, &kClassHours, &kClassDay, &kX114, KT_SPEC(ihsg, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k115, &kClassHours, &kClassDay, &kX115, KT_SPEC(ihsglab, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k116, &kClassHours, &kClassDay, &kX116, KT_SPEC(ihsgcon, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k117, &kSameDayBand, &kSameDayTimes, &kX117,
     KT_SPEC(gruppioremax, 1, 12, 0, 0, 7, kHq2NotIncreasing, 0, kHq2NotEmpty), 0},
    {nullptr, 0, &k118, &kLastHourBand, &kLastHourShare, &kX118,
     KT_SPEC(ultimeoremax, 2, 12, 0, 1, 100, kHq2NotIncreasing, 0, 0), 0},
    {&kPage2, 1, &k121, &kWeeklyHours, &kPresence, &kX12p, KT_SPEC(ihpresenza, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k122, &kWeeklyHours, &kTeaching, &kX12i, KT_SPEC(ihinsegna, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k123, &kWeeklyHours, &kPresence, &kX12p, KT_SPEC(ihlabpresenza, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k124, &kWeeklyHours, &kTeaching, &kX12i, KT_SPEC(ihlabinsegna, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k125, &kWeeklyHours, &kPresence, &kX12p, KT_SPEC(ihconpresenza, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {nullptr, 0, &k126, &kWeeklyHours, &kTeaching, &kX12i, KT_SPEC(ihconinsegna, 1, 60, 1, 1, 12, 0, 0, kFill), 0},
    {&kPage3, 0, &k131, &kExitBand, &kExitTimes, &kX13, KT_SPEC(enterexit, 1, 60, 1, 0, 7, 0, 0, kFill), 0},
    {nullptr, 0, &k132, &kExitBand, &kExitTimes, &kX13, KT_SPEC(enterexitlab, 1, 60, 1, 0, 7, 0, 0, kFill), 0},
    {nullptr, 0, &k133, &kExitBand, &kExitTimes, &kX13, KT_SPEC(enterexitcon, 1, 60, 1, 0, 7, 0, 0, kFill), 0},
    {&kPage4, 0, &k141, &kWeeklyHours, &kIdle, &kX141, KT_SPEC(ihbuche, 1, 60, 1, 0, 6, 0, 0, kFill), 0},
    {nullptr, 0, &k144, &kStandbyBand, &kStandbyDay, &kX144, KT_SPEC(dispoday, 1, 12, 1, 1, 3, 0, 0, kFill), 0},
    {&kPage5, 0, &k141b, &kWeeklyHours, &kIdle, &kX141, KT_SPEC(ihbuche, 1, 60, 1, 0, 6, 0, 0, kFill), 0},
    {nullptr, 0, &k142, &kWeeklyHours, &kIdle, &kX142, KT_SPEC(ihbuchecsb, 1, 60, 1, 0, 6, 0, 0, kFill), 0},
    {nullptr, 0, &k143, &kBuildings, &kTransferIdle, &kX143, KT_SPEC(ihbuchecst, 2, 8, 0, 0, 6, 0, 0, 0), 0},
    {nullptr, 0, &k144, &kStandbyBand, &kStandbyDay, &kX144, KT_SPEC(dispoday, 1, 12, 1, 1, 3, 0, 0, kFill), 0},
};

namespace {

KT_CAPTION(kPresex, "15.2 - Giornate di PRESENZA IN SCUOLA di durata eccezionale.",
           "15.2 - Tage mit ANWESENHEIT IN DER SCHULE von außergewöhnlicher Dauer."_cp,
           "15.2 - Days of PRESENCE AT SCHOOL of exceptional length.")
KT_CAPTION(kHidex, "15.3 - Giornate di INSEGNAMENTO di durata eccezionale.",
           "15.3 - UNTERRICHTSTAGE von außergewöhnlicher Dauer."_cp,
           "15.3 - TEACHING days of exceptional length.")
KT_CAPTION(kAtLeast, "Se l'insegnante ha ALMENO ORE Settimanali (in Classe):",
           "Hat der Lehrer MINDESTENS Wochenstunden (in der Klasse):",
           "If the teacher has AT LEAST weekly HOURS (in Class):")
KT_CAPTION(kLongPresence, "può avere giornate con ORE di Presenza:"_cp, "darf er Tage mit Anwesenheitsstunden haben:",
           "he may have days with HOURS of Presence:")
KT_CAPTION(kLongTeaching, "può avere giornate con ORE di Insegnamento:"_cp,
           "darf er Tage mit Unterrichtsstunden haben:", "he may have days with Teaching HOURS:")
KT_CAPTION(kTimes, "nella settimana al massimo VOLTE:", "in der Woche höchstens MALE:"_cp,
           "at most TIMES in the week:")
KT_CAPTION(kXPresex,
           "Giornate di presenza più lunghe di quanto ammette il parametro 12.1, consentite alcune volte alla "
           "settimana. Il totale settimanale considerato è quello delle ore in classe, senza le ore a disposizione."_cp,
           "Längere Anwesenheitstage als 12.1 erlaubt, einige Male pro Woche. Gezählt werden die Stunden in der "
           "Klasse ohne Bereitschaftsstunden."_cp,
           "Days of presence longer than parameter 12.1 allows, a few times a week. The weekly total considered is "
           "the hours in class, without the stand-by hours.")
KT_CAPTION(kXHidex,
           "Giornate di insegnamento più lunghe di quanto ammette il parametro 12.2, consentite alcune volte alla "
           "settimana. Il totale settimanale considerato è quello delle ore in classe, senza le ore a disposizione."_cp,
           "Längere Unterrichtstage als 12.2 erlaubt, einige Male pro Woche. Gezählt werden die Stunden in der "
           "Klasse ohne Bereitschaftsstunden."_cp,
           "Teaching days longer than parameter 12.2 allows, a few times a week. The weekly total considered is the "
           "hours in class, without the stand-by hours.")

}  // namespace

const ExtraDayTable g_extra_day_tables[2] = {
    {&kPresex, &kAtLeast, &kLongPresence, &kTimes, &kXPresex,
     {g_ui_settings.ihpresenzaextra.triples, &g_ui_settings.ihpresenzaextra.count, 1, 60, 1, 1, 12, 0, 7, 0, nullptr, 0}},
    {&kHidex, &kAtLeast, &kLongTeaching, &kTimes, &kXHidex,
     {g_ui_settings.ihinsegnaextra.triples, &g_ui_settings.ihinsegnaextra.count, 1, 60, 1, 1, 12, 0, 7, 0, nullptr, 0}},
};
