// The rows of the teaching-post constraints page's texts (see
// post_constraints_texts.h). Rows with printf fields keep the same fields,
// in the same order, in every language.
#include "constraints/post_constraints_texts.h"

#include "platform/cp1252.h"

namespace vicat_text {

const MlText kTitle = {"7 Vincoli cattedre", "7 Bedingungen der Lehraufträge"_cp, "7 Teaching-post constraints"};
const MlText kPageHelp = {
    "Qui si configurano i vincoli che riguardano le singole classi di un Professore. Inseriteli pochi alla volta, "
    "dopo aver completato le cattedre.",
    "Hier werden die Bedingungen für die einzelnen Klassen eines Lehrers festgelegt. Geben Sie sie nach und nach "
    "ein, wenn die Lehraufträge vollständig sind."_cp,
    "Here you set the constraints that concern the single classes of a teacher. Add them a few at a time, once "
    "the teaching posts are complete."};
const MlText kTestHelp = {
    "Provate l'orario del Professore dopo ogni modifica. Una prova riuscita non garantisce che l'intero orario "
    "sia risolvibile.",
    "Testen Sie den Stundenplan des Lehrers nach jeder Änderung. Ein gelungener Test beweist nicht, dass der "
    "ganze Stundenplan lösbar ist."_cp,
    "Test the teacher's timetable after each change. A successful test does not prove the whole timetable "
    "feasible."};
const MlText kEditCopy = {"Per modificare questo elemento passare all'insegnante di Materia Principale.",
                          "Um dieses Element zu ändern, wechseln Sie zum Lehrer des Hauptfachs."_cp,
                          "To change this item go to the teacher of the main subject."};
const MlText kEditable = {"Potete correggere i vincoli specifici di questa cattedra.",
                          "Sie können die besonderen Bedingungen dieses Lehrauftrags ändern."_cp,
                          "You can change the constraints of this teaching post."};
// The writer's message names the file and the cause already.
const MlText kWriteFailed = {"Salvataggio non riuscito: %s", "Speichern fehlgeschlagen: %s", "Saving failed: %s"};
const MlText kGroupSumTooLarge = {
    "La somma dei gruppi di ore specificati è %d, che è maggiore delle ore settimanali in classe (%d). Correggere."_cp,
    "Die Summe der angegebenen Stundengruppen ist %d und damit größer als die Wochenstunden in der Klasse (%d). "
    "Bitte korrigieren."_cp,
    "The sum of the groups of hours given is %d, more than the weekly hours in the class (%d). Please correct."};
const MlText kJoinedSameTeacher = {
    "La classe abbinata deve avere la stessa materia ed essere di un ALTRO Professore.",
    "Die gekoppelte Klasse muss dasselbe Fach haben und zu einem ANDEREN Lehrer gehören."_cp,
    "The joined class must have the same subject and belong to ANOTHER teacher."};
const MlText kNoBreaks = {
    "Non sono definiti gli INTERVALLI per ricreazione nel Calendario Settimanale.\n\nPer gestire il vincolo che i "
    "compiti non siano interrotti da ricreazione, definire esattamente inizio e fine di tutte le ore di lezione "
    "nel Calendario Settimanale (punto 1 della configurazione), tenendo conto degli intervalli.",
    "Im Wochenkalender sind keine PAUSEN festgelegt.\n\nDamit Klassenarbeiten nicht von einer Pause unterbrochen "
    "werden, legen Sie im Wochenkalender (Schritt 1 der Konfiguration) Beginn und Ende aller Unterrichtsstunden "
    "genau fest, einschließlich der Pausen."_cp,
    "No BREAKS are defined in the weekly calendar.\n\nTo keep classwork free of breaks, set the exact start and "
    "end of every lesson hour in the weekly calendar (step 1 of the configuration), breaks included."};
const MlText kPartnerMapWarning = {
    "Attenzione: la tabella va configurata sia per le ore della materia principale sia per le ore di compresenza "
    "o di laboratorio.",
    "Achtung: die Tabelle ist sowohl für die Stunden des Hauptfachs als auch für die Team- oder Laborstunden "
    "festzulegen."_cp,
    "Note: the table is to be set both for the main-subject hours and for the co-teacher or lab hours."};
const MlText kListCaption = {"- Vincoli per le Cattedre", "- Bedingungen der Lehraufträge"_cp,
                             "- Constraints of the teaching posts"};
const MlText kTotalHours = {"Ore totali di %s", "Gesamtstunden von %s", "Total hours of %s"};

const MlText kHelpDaily = {
    "Deroga IN AUMENTO al numero massimo di ore al giorno in QUESTA CLASSE. Da usare per casi particolari, come "
    "una classe fittizia; dal lato del laboratorio riguarda il docente in compresenza.",
    "Ausnahme NACH OBEN von der Höchstzahl der Stunden am Tag in DIESER KLASSE. Für Sonderfälle wie eine fiktive "
    "Klasse; auf der Laborseite betrifft sie den zweiten Lehrer."_cp,
    "An INCREASE of the maximum hours per day in THIS CLASS. For special cases such as a fictitious class; on "
    "the lab side it concerns the co-teacher."};
const MlText kHelpExcluded = {
    "Queste ore di lezione non devono avere luogo nel giorno in cui la Classe ha lezione della materia qui "
    "specificata. Da usare raramente, per esempio per due lingue straniere nello stesso giorno.",
    "Diese Stunden dürfen nicht an dem Tag liegen, an dem die Klasse das hier angegebene Fach hat. Selten "
    "verwenden, etwa für zwei Fremdsprachen am selben Tag."_cp,
    "These lessons must not fall on a day on which the class has a lesson of the subject given here. Use it "
    "rarely, for example for two foreign languages on the same day."};
const MlText kHelpSubgroup = {
    "Queste ore di lezione determinano un Sottogruppo parallelo a un'altra materia, per esempio due lingue "
    "straniere insegnate insieme a due metà della classe."_cp,
    "Diese Stunden bilden eine parallele Untergruppe zu einem anderen Fach, etwa zwei Fremdsprachen, die "
    "gleichzeitig zwei Hälften der Klasse unterrichtet werden."_cp,
    "These lessons form a subgroup parallel to another subject, for example two foreign languages taught at the "
    "same time to two halves of the class."};
const MlText kHelpBuilding = {
    "TUTTO IL GIORNO: la classe resta nel plesso per tutta la giornata. DOCENTE CAMBIA PLESSO PER ACCOMPAGNARE: "
    "il docente va a prendere la classe e gli serve un'ora libera per cambiare plesso.",
    "DEN GANZEN TAG: die Klasse bleibt den ganzen Tag im Gebäude. LEHRER WECHSELT ZUM BEGLEITEN: der Lehrer holt "
    "die Klasse ab und braucht eine freie Stunde für den Gebäudewechsel."_cp,
    "ALL DAY: the class stays in that building the whole day. TEACHER CHANGES BUILDING TO ACCOMPANY: the teacher "
    "fetches the class and needs a free hour to change building."};
const MlText kHelpPlacement = {"Lezioni da collocare SEMPRE, oppure MAI, nelle prime e nelle ultime ore.",
                               "Stunden, die IMMER oder NIE in den ersten und letzten Stunden liegen sollen.",
                               "Lessons to be placed ALWAYS, or NEVER, in the first and last hours."};
const MlText kHelpClasswork = {
    "Una o più ore consecutive, in un giorno scelto dal programma, entro una fascia di ore, per un compito "
    "scritto. Esempio: compito di 2 ore tra la prima e la terza ora."_cp,
    "Eine oder mehrere zusammenhängende Stunden an einem vom Programm gewählten Tag innerhalb eines "
    "Stundenbereichs, für eine Klassenarbeit. Beispiel: 2 Stunden zwischen der ersten und der dritten Stunde."_cp,
    "One or more consecutive hours on a day the program chooses, within a band of hours, for a written test. "
    "Example: a two-hour classwork between the first and the third hour."};
const MlText kHelpNoBreak = {
    "La ricreazione è definita nel Calendario Settimanale. È un vincolo impegnativo."_cp,
    "Die Pause wird im Wochenkalender festgelegt. Eine anspruchsvolle Bedingung."_cp,
    "The break is defined in the weekly calendar. A demanding constraint."};
const MlText kHelpJoined = {
    "Una classe di un altro Professore che deve avere lo stesso orario di quella selezionata (palestre "
    "condivise, lezioni comuni). Le classi possono essere concatenate.",
    "Eine Klasse eines anderen Lehrers, die denselben Stundenplan wie die gewählte haben muss (gemeinsame "
    "Turnhallen, gemeinsamer Unterricht). Klassen können verkettet werden."_cp,
    "A class of another teacher that must have the same timetable as the selected one (shared gyms, joint "
    "lessons). Classes may be chained."};
const MlText kHelpForbidden = {
    "Le ore vietate per la classe selezionata: da non confondere con le ore vietate personali del Professore.",
    "Die verbotenen Stunden für die gewählte Klasse: nicht mit den persönlichen verbotenen Stunden des Lehrers "
    "verwechseln."_cp,
    "The forbidden hours for the selected class: not to be confused with the teacher's personal forbidden hours."};
const MlText kHelpGrouping = {
    "Come sono raggruppate le ore nella settimana. Esempio: 7 ore come 2+2+1+1+1 (gruppi di 2 ore: numero 2; "
    "gruppi di 1 ora: numero 3). Indicate solo i gruppi che il Professore chiede.",
    "Wie die Stunden in der Woche gruppiert sind. Beispiel: 7 Stunden als 2+2+1+1+1 (Gruppen zu 2 Stunden: Anzahl "
    "2; Gruppen zu 1 Stunde: Anzahl 3). Geben Sie nur die Gruppen an, die der Lehrer wünscht."_cp,
    "How the hours are grouped in the week. Example: 7 hours as 2+2+1+1+1 (groups of 2 hours: number 2; groups "
    "of 1 hour: number 3). Give only the groups the teacher asks for."};

const MlText kItpConverted = {"ITP presente solo parzialmente. Compito convertito in raggruppamento.",
                              "Techniklehrer nur teilweise anwesend. Klassenarbeit in Gruppierung umgewandelt."_cp,
                              "Lab assistant present only in part. Classwork turned into a grouping."};
const MlText kSameMapForEveryClass = {
    "Attenzione: è stata specificata una mappa delle ore proibite UGUALE PER OGNI CLASSE.\n\nQuindi la mappa si "
    "riferisce al Professore [%s], non alle sue Classi, e deve essere configurata nei VINCOLI PERSONALI.\n\n"
    "Correggo automaticamente ?"_cp,
    "Achtung: für JEDE KLASSE wurde DIESELBE Tabelle der verbotenen Stunden angegeben.\n\nDie Tabelle betrifft "
    "also den Lehrer [%s], nicht seine Klassen, und gehört in die PERSÖNLICHEN BEDINGUNGEN.\n\nAutomatisch "
    "korrigieren ?"_cp,
    "Note: the SAME map of forbidden hours was given FOR EVERY CLASS.\n\nSo the map concerns the teacher [%s], "
    "not his classes, and belongs in the PERSONAL CONSTRAINTS.\n\nCorrect it automatically ?"};
const MlText kChooseClass = {"Specificare la CLASSE", "Die KLASSE angeben"_cp, "Specify the CLASS"};
const MlText kClassworkTooLong = {"Il compito non può essere più lungo delle ore disponibili."_cp,
                                  "Die Klassenarbeit darf nicht länger als die verfügbaren Stunden sein."_cp,
                                  "The classwork cannot be longer than the hours available."};
const MlText kClassworkWindow = {
    "Inserire ora iniziale e finale corrette per il compito(oppure eliminare il compito).",
    "Richtige erste und letzte Stunde für die Klassenarbeit angeben (oder die Klassenarbeit löschen)."_cp,
    "Enter a correct first and last hour for the classwork (or remove the classwork)."};
const MlText kGroupingDays = {"Il raggruppamento [%s] presuppone %d giorni di servizio del docente.\n\n%s",
                              "Die Gruppierung [%s] setzt %d Diensttage des Lehrers voraus.\n\n%s",
                              "The grouping [%s] needs %d working days of the teacher.\n\n%s"};
const MlText kCorrectGrouping = {"Correggere il raggruppamento.", "Die Gruppierung korrigieren."_cp,
                                 "Correct the grouping."};
const MlText kRaiseServiceDays = {"Aumentare i giorni di servizio del docente da %d a %d ?",
                                  "Die Diensttage des Lehrers von %d auf %d erhöhen ?"_cp,
                                  "Raise the teacher's working days from %d to %d ?"};
const MlText kSplitDone = {"Classe %s assegnata al Professore %s per Classe Articolata",
                           "Klasse %s dem Lehrer %s als geteilte Klasse zugewiesen",
                           "Class %s given to teacher %s as a split class"};

}  // namespace vicat_text
