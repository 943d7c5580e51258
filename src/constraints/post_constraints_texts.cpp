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
const MlText kSavedAutomatically = {
    "\n\nI dati di %s sono stati modificati.\n\nLa modifica è stata salvata automaticamente."_cp,
    "\n\nDie Daten von %s wurden geändert.\n\nDie Änderung wurde automatisch gespeichert."_cp,
    "\n\nThe data of %s were changed.\n\nThe change was saved automatically."};
const MlText kSaveChanges = {"I dati di %s sono stati modificati. Salvo le modifiche?",
                             "Die Daten von %s wurden geändert. Änderungen speichern?"_cp,
                             "The data of %s were changed. Save the changes?"};
const MlText kSaveNextWithoutAsking = {"Salvo le prossime modifiche senza chiedere conferma?",
                                       "Die nächsten Änderungen ohne Rückfrage speichern?"_cp,
                                       "Save the next changes without asking?"};
const MlText kSureToAbandon = {"Sicuro di abbandonare le modifiche ?", "Änderungen wirklich verwerfen ?"_cp,
                               "Really abandon the changes ?"};
const MlText kWriteFailed = {"Impossibile scrivere il file %s", "Die Datei %s kann nicht geschrieben werden"_cp,
                             "Cannot write the file %s"};
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
const MlText kClassworkTooLong = {"Il compito non può essere più lungo delle ore disponibili.",
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
