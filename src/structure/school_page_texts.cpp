// The school page's texts (see school_page_texts.h). Messages that carry
// values are printf formats; their "%s" and "%c" are filled by the caller.
#include "structure/school_page_texts.h"

#include "platform/cp1252.h"

const MlText kHowToText = {
    {"Usate questa pagina per configurare:\r\n1) il Nome della Scuola;\r\n2) il Calendario settimanale;\r\n3) gli "
     "Indirizzi di studio;\r\n4) le Sezioni di ciascun Indirizzo;\r\n5) le Classi di ciascuna Sezione.",
     "Auf dieser Seite konfigurieren Sie:\r\n1) den Namen der Schule;\r\n2) den Wochenkalender;\r\n3) die "
     "Fachrichtungen;\r\n4) die Sektionen jeder Fachrichtung;\r\n5) die Klassen jeder Sektion.",
     "Use this page to configure:\r\n1) the Name of the School;\r\n2) the weekly Calendar;\r\n3) the study "
     "tracks;\r\n4) the Sections of each track;\r\n5) the Classes of each Section."}};
const MlText kNameHelp = {
    {"Inserire il Nome dell'Istituto Scolastico (serve per intestare le stampe prodotte dal sistema).",
     "Den Namen der Schule eingeben (er steht über den Ausdrucken des Systems)."_cp,
     "Enter the Name of the School (it heads the printouts of the system)."}};
const MlText kTracksHelp = {
    {"Inserire il NUMERO di Indirizzi di studio esistenti. Normalmente le scuole hanno UN solo Indirizzo, che "
     "viene denominato automaticamente.\r\nCon più indirizzi, ciascuno deve avere un'iniziale diversa. La sigla "
     "facoltativa serve per le stampe (\"_\" nasconde l'indirizzo nelle stampe).\r\nUn indirizzo non più usato si "
     "cancella con \"Cancella Vuoti\" dopo avere eliminato tutte le sue classi."_cp,
     "Die ANZAHL der Fachrichtungen eingeben. Normalerweise hat eine Schule EINE Fachrichtung, die automatisch "
     "benannt wird.\r\nMehrere Fachrichtungen brauchen verschiedene Anfangsbuchstaben. Das Kürzel dient den "
     "Ausdrucken (\"_\" verbirgt die Fachrichtung)."_cp,
     "Enter the NUMBER of study tracks. Schools normally have ONE track, which is named automatically.\r\nSeveral "
     "tracks need different initials. The optional short name is used in printouts (\"_\" hides the track "
     "there).\r\nA track no longer in use is deleted with \"Cancella Vuoti\" after all its classes were removed."}};
const MlText kShortDayHelp = {
    {"Configurare il giorno CORTO, ossia quello in cui le lezioni si fanno finire prima, per le Classi per cui è "
     "possibile. Tipicamente, questo giorno è il SABATO.\r\nEsempio: 6 ore dal lunedì al venerdì e 4 il "
     "sabato."_cp,
     "Den KURZEN Tag konfigurieren, an dem der Unterricht früher endet. Typisch ist das der SAMSTAG."_cp,
     "Configure the SHORT day, the day on which lessons end earlier for the classes that can. Typically this day "
     "is SATURDAY."}};
const MlText kProlongedHelp = {
    {"Configurare la durata minima in minuti delle Ore PROLUNGATE.\r\nSono ore più lunghe di quelle ordinarie, "
     "che devono andare soltanto ad alcuni professori."_cp,
     "Die Mindestdauer der VERLÄNGERTEN Stunden in Minuten konfigurieren."_cp,
     "Configure the minimum length in minutes of PROLONGED hours.\r\nThey are longer than ordinary hours and must "
     "go to some teachers only."}};
const MlText kSpecialHelp = {
    {"E' INUTILE (e anche DANNOSO) definire il calendario per una Classe che ha lezione ogni giorno e che non ha "
     "rientri pomeridiani o simili esigenze!",
     "Es ist UNNÖTIG (und SCHÄDLICH), einen Kalender für eine Klasse festzulegen, die jeden Tag Unterricht und "
     "keinen Nachmittagsunterricht hat!"_cp,
     "It is USELESS (and HARMFUL) to define a calendar for a Class that has lessons every day and no afternoon "
     "returns or similar needs!"}};
const MlText kCalendarHelp = {
    {"Configurare le ore di cui è composta ogni giornata della settimana."_cp,
     "Die Stunden jedes Wochentags konfigurieren.", "Configure the hours of each day of the week."}};
const MlText kCalendarExplanation = {
    {"Per ogni giorno configurare le ore ammesse per le lezioni (di Domenica tipicamente nessuna, gli altri "
     "giorni dalla prima in poi).\r\nSUGGERIMENTO: basta clickare l'ultima ora di ogni giorno per abilitare le "
     "precedenti ore.",
     "Für jeden Tag die Unterrichtsstunden konfigurieren (sonntags meist keine, sonst ab der ersten).\r\nTIPP: "
     "ein Klick auf die letzte Stunde eines Tages aktiviert die vorigen."_cp,
     "For each day configure the hours allowed for lessons (on Sunday usually none, on the other days from the "
     "first on).\r\nHINT: clicking the last hour of a day enables the earlier hours."}};
const MlText kTypeHelp = {
    {"La Tipologia della Sezione può essere:\r\nNormale: classi ordinarie;\r\nFittizia: classi fittizie per "
     "suddivisioni;\r\nServizi: classi fittizie di servizio (vicepresidenza, biblioteca, ...)."_cp,
     "Die Art der Sektion kann sein:\r\nNormal: gewöhnliche Klassen;\r\nFiktiv: Klassen für Unterteilungen;\r\n"
     "Dienst: Dienstklassen (Vizedirektion, Bibliothek, ...)."_cp,
     "The Type of the Section can be:\r\nNormal: ordinary classes;\r\nFictitious: classes for subdivisions;\r\n"
     "Services: service classes (vice-principal's office, library, ...)."}};
const MlText kClassGroupHelp = {
    {"ATTENZIONE: Bisogna SELEZIONARE una Sezione nella lista delle Sezioni e Classi esistenti per attivare "
     "questo gruppo di pulsanti!.",
     "ACHTUNG: eine Sektion in der Liste der Sektionen und Klassen AUSWÄHLEN, um diese Tasten zu aktivieren!."_cp,
     "ATTENTION: SELECT a Section in the list of Sections and Classes to enable this group of buttons!."}};
const MlText kListHelp = {
    {"Selezionare una Sezione, e specificare quali Classi esistono.",
     "Eine Sektion wählen und angeben, welche Klassen es gibt."_cp,
     "Select a Section, and state which Classes exist."}};
const MlText kClassicalHelp = {
    {"Sezione di Ginnasio / Liceo Classico. Le Classi:\r\n   1   2   3   4   5    appaiono con la "
     "denominazione:\r\n  IV   V    I   II  III",
     "Sektion Gymnasium / Liceo Classico. Die Klassen:\r\n   1   2   3   4   5    heißen:\r\n  IV   V    I   II  "
     "III"_cp,
     "Section of Ginnasio / Liceo Classico. The Classes:\r\n   1   2   3   4   5    are named:\r\n  IV   V    I   "
     "II  III"}};
const MlText kMoveHelp = {
    {"Da qui potete assegnare a una diversa Sezione o a un diverso Indirizzo una Classe che ha già ore di "
     "Lezione."_cp,
     "Von hier aus kann eine Klasse mit Unterrichtsstunden einer anderen Sektion oder Fachrichtung zugewiesen "
     "werden.",
     "From here you can assign a Class that already has lessons to another Section or track."}};

const MlText kNoClassesQuestion = {
    {"Sicuro di uscire senza configurare le CLASSI esistenti ?",
     "Wirklich verlassen, ohne die KLASSEN zu konfigurieren ?",
     "Are you sure you want to leave without configuring the CLASSES ?"}};
const MlText kNoCalendarQuestion = {
    {"Sicuro di uscire senza configurare il CALENDARIO settimanale ?",
     "Wirklich verlassen, ohne den Wochen-KALENDER zu konfigurieren ?",
     "Are you sure you want to leave without configuring the weekly CALENDAR ?"}};
const MlText kCalendarTitle = {{"Calendario Settimanale:", "Wochenkalender:", "Weekly Calendar:"}};

const MlText kShortDayZero = {
    {"Il Giorno Corto non può avere ZERO ore"_cp, "Der kurze Tag kann nicht NULL Stunden haben",
     "The Short Day cannot have ZERO hours"}};

const MlText kTracksClash = {
    {"Esistono le classi %s e %s - indirizzi distinti necessari",
     "Es gibt die Klassen %s und %s - getrennte Fachrichtungen nötig"_cp,
     "Classes %s and %s exist - distinct tracks needed"}};
const MlText kInitialUnique = {
    {"La lettera iniziale di ogni indirizzo deve essere univoca",
     "Der Anfangsbuchstabe jeder Fachrichtung muss eindeutig sein",
     "The initial letter of each track must be unique"}};
const MlText kDifferentShortNames = {
    {"Assegnare nomi diversi a tutti gli Indirizzi!", "Allen Fachrichtungen verschiedene Namen geben!",
     "Give different names to all tracks!"}};
const MlText kTrackNameMissing = {
    {"Specificare il nome di ciascun indirizzo di studio esistente (Deve iniziare con A..Z)",
     "Den Namen jeder Fachrichtung angeben (muss mit A..Z beginnen)",
     "Give the name of each study track (it must begin with A..Z)"}};
const MlText kTrackInitialsDiffer = {
    {"I nomi degli indirizzi di studio devono avere tutti iniziali diverse",
     "Die Namen der Fachrichtungen müssen verschiedene Anfangsbuchstaben haben"_cp,
     "The names of the study tracks must all have different initials"}};
const MlText kShortNameIsInitial = {
    {"La sigla per le stampe di un indirizzo non deve essere uguale all'iniziale del nome di un altro indirizzo. "
     "Cambiare sigla o inserire due caratteri.",
     "Das Druckkürzel einer Fachrichtung darf nicht gleich dem Anfangsbuchstaben einer anderen sein. Kürzel "
     "ändern oder zwei Zeichen eingeben."_cp,
     "The print short name of a track must not equal the initial of another track's name. Change it or enter two "
     "characters."}};
const MlText kNoEmptyTrack = {
    {"Nessun indirizzo vuoto e cancellabile", "Keine leere, löschbare Fachrichtung"_cp,
     "No empty track that can be deleted"}};

const MlText kSectionHasLessons = {
    {"La Classe %s ha Ore di Lezione - Sezione %c non cancellabile",
     "Die Klasse %s hat Unterrichtsstunden - Sektion %c nicht löschbar"_cp,
     "Class %s has lessons - Section %c cannot be deleted"}};
const MlText kClassHasLessons = {
    {"Questa Classe ha Ore di Lezione: non si può cancellare.\n\n(Prima correggere interamente la configurazione "
     "delle Cattedre, poi eliminare le classi che non hanno più alcuna lezione)."_cp,
     "Diese Klasse hat Unterrichtsstunden: sie kann nicht gelöscht werden.\n\n(Zuerst die Lehraufträge "
     "korrigieren, dann die Klassen ohne Unterricht löschen)."_cp,
     "This Class has lessons: it cannot be deleted.\n\n(First correct the teaching posts completely, then delete "
     "the classes that no longer have any lesson)."}};
const MlText kRenumberOn = {
    {"ATTENZIONE - volete trasformare:\r\n la 1%s in IV%s Ginnasio,\r\n la 3%s in I%s Liceo Classico, ecc. ?",
     "ACHTUNG - umwandeln:\r\n die 1%s in IV%s Ginnasio,\r\n die 3%s in I%s Liceo Classico, usw. ?",
     "ATTENTION - do you want to turn:\r\n 1%s into IV%s Ginnasio,\r\n 3%s into I%s Liceo Classico, etc. ?"}};
const MlText kRenumberOff = {
    {"ATTENZIONE - volete trasformare:\r\n la IV%s Ginnasio in 1%s,\r\n la I%s Liceo Classico in 3%s, ecc. ?",
     "ACHTUNG - umwandeln:\r\n die IV%s Ginnasio in 1%s,\r\n die I%s Liceo Classico in 3%s, usw. ?",
     "ATTENTION - do you want to turn:\r\n IV%s Ginnasio into 1%s,\r\n I%s Liceo Classico into 3%s, etc. ?"}};

const MlText kTypeNames[3] = {{{"Normale", "Normal", "Normal"}},
                              {{"Fittizia", "Fiktiv", "Fictitious"}},
                              {{"Servizi", "Dienst", "Services"}}};
const MlText kListHeadings[4] = {{{"Sezione", "Sektion", "Section"}},
                                 {{"Indirizzo", "Fachrichtung", "Track"}},
                                 {{"Classe", "Klasse", "Class"}},
                                 {{"Tipologia", "Art", "Type"}}};
