// The rows of the teachers page's texts (see teacher_page_texts.h). Italian
// rows are the program's own wording and are kept exactly, including their
// spacing; the teacher list and the lists of the editor compare some of
// them ("  Non gestito", " ..Aggiungi nuovo elemento..") as items.
#include "structure/teacher_page_texts.h"

#include "platform/cp1252.h"

namespace procat_text {

const MlText kTitle = {"6C Cattedre per Docente", "6C Lehraufträge je Lehrer"_cp, "6C Teaching Posts by Teacher"};
const MlText kGeneralHelp = {
    "Scegliete un Professore dall'elenco, poi inserite le sue cattedre: Classe, Materia e Ore. Selezionate una "
    "riga per modificarla.",
    "Wählen Sie einen Lehrer aus der Liste und geben Sie seine Lehraufträge ein: Klasse, Fach und Stunden. "
    "Wählen Sie eine Zeile, um sie zu ändern."_cp,
    "Choose a teacher from the list, then enter his teaching posts: class, subject and hours. Select a row to "
    "change it."};
const MlText kAddTeacherHelp = {
    "Aggiunge un nuovo Professore. I Professori privi di cattedre non vengono salvati.",
    "Fügt einen neuen Lehrer hinzu. Lehrer ohne Lehraufträge werden nicht gespeichert."_cp,
    "Adds a new teacher. Teachers without teaching posts are not saved."};
const MlText kNewYearHelp = {
    "Porta le cattedre del Professore nella sezione della riga scelta all'anno successivo. Configurate prima, al "
    "passo 1, tutte le classi del nuovo anno.",
    "Verschiebt die Lehraufträge des Lehrers im Zug der gewählten Zeile in das nächste Schuljahr. Legen Sie "
    "zuerst in Schritt 1 alle Klassen des neuen Jahres an."_cp,
    "Moves the teacher's posts in the section of the chosen row to the next year. First configure, in step 1, "
    "every class of the new year."};
const MlText kSavedAutomatically = {
    "\n\nI dati di %s sono stati modificati.\n\nLa modifica è stata salvata automaticamente."_cp,
    "\n\nDie Daten von %s wurden geändert.\n\nDie Änderung wurde automatisch gespeichert."_cp,
    "\n\nThe data of %s were changed.\n\nThe change was saved automatically."};
const MlText kSaveChanges = {"I dati di %s sono stati modificati. Salvo le modifiche?",
                             "Die Daten von %s wurden geändert. Änderungen speichern?"_cp,
                             "The data of %s were changed. Save the changes?"};
const MlText kAddPrompt = {"Aggiunta di un Professore - Nome del nuovo Professore?",
                           "Neuer Lehrer - Name des neuen Lehrers?", "New teacher - Name of the new teacher?"};
const MlText kNameTooShort = {"Inserire un nome lungo almeno 4 caratteri",
                              "Bitte einen Namen mit mindestens 4 Zeichen eingeben",
                              "Enter a name at least 4 characters long"};
const MlText kNameFirstLetter = {
    "I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)",
    "Die Namen der Fächer und Lehrer müssen mit einem Buchstaben (A..Z) beginnen"_cp,
    "The names of subjects and teachers must begin with a letter (A..Z)"};
const MlText kAlreadyExists = {"Già esistente. Non inserito."_cp, "Bereits vorhanden. Nicht eingefügt."_cp,
                               "Already exists. Not inserted."};
const MlText kRenamePrompt = {"Ridenominazione - nuovo Nome del Professore?", "Umbenennen - neuer Name des Lehrers?",
                              "Renaming - new name of the teacher?"};
const MlText kNameInUse = {"Nome già in uso. Impossibile ridenominare."_cp,
                           "Name bereits vergeben. Umbenennen unmöglich."_cp, "Name already in use. Cannot rename."};
// The saved timetable names the teacher too: a rename it cannot follow
// would leave the two files naming him apart, so the name stays as it was.
const MlText kRenameNotSaved = {"Nome non cambiato: impossibile aggiornare l'orario salvato (savego.txt): ",
                                "Name nicht geändert: der gespeicherte Stundenplan (savego.txt) lässt sich nicht "
                                "anpassen: "_cp,
                                "Name not changed: the saved timetable (savego.txt) could not be updated: "};
const MlText kDummyWarning = {
    "Attenzione: un insegnante fittizio non può avere Ricevimento, Disposizioni o ore di Sostegno"_cp,
    "Achtung: ein fiktiver Lehrer kann keine Sprechstunde, Bereitschaft oder Förderstunden haben"_cp,
    "Warning: a dummy teacher cannot have reception, stand-by or support hours"};
const MlText kNothingToAdvance = {
    "Il professore ha già lezione in tutte le classi esistenti per questa sezione / indirizzo. Nulla da "
    "avanzare."_cp,
    "Der Lehrer unterrichtet schon in allen Klassen dieses Zuges / dieser Fachrichtung. Nichts zu verschieben.",
    "The teacher already teaches in every class of this section / study track. Nothing to advance."};

const MlText kAssistantWarning = {
    "Attenzione: questo insegnante è ITP di Laboratorio o Conversatore di Lingua.\r\nAssegnandogli una cattedra di "
    "Materia Principale, diviene ANCHE un insegnante di Materia Principale.\r\nE' sicuro che sia questo ciò che si "
    "vuole?"_cp,
    "Achtung: dieser Lehrer ist Laborassistent oder Sprachassistent.\r\nMit einem Lehrauftrag im Hauptfach wird er "
    "AUCH ein Hauptfachlehrer.\r\nIst das wirklich gewollt?"_cp,
    "Warning: this teacher is a lab assistant or a conversation teacher.\r\nGiving him a main-subject post makes him "
    "ALSO a main-subject teacher.\r\nIs this really what you want?"};
const MlText kTooManyPosts = {"Raggiunto Numero Massimo Classi per Professore - Non inseribile",
                              "Höchstzahl der Klassen je Lehrer erreicht - Nicht einfügbar"_cp,
                              "Maximum number of classes per teacher reached - Cannot insert"};
const MlText kQuickEntry = {
    "INSERIMENTO RAPIDO.\r\nUsate il tasto TAB per passare al campo successivo; dopo l'ultimo campo si aggiunge "
    "subito una nuova classe.\r\nPremete ESC o scegliete una riga dell'elenco per terminare.",
    "SCHNELLEINGABE.\r\nMit der TAB-Taste zum nächsten Feld; nach dem letzten Feld wird sofort eine neue Klasse "
    "angefügt.\r\nESC oder eine Zeile der Liste beendet die Eingabe."_cp,
    "QUICK ENTRY.\r\nUse the TAB key to move to the next field; after the last field a new class is added at "
    "once.\r\nPress ESC or choose a row of the list to finish."};
const MlText kDeleteCopy = {"Per cancellare questo elemento, modificare %s (Professore di Materia Principale)",
                            "Um dieses Element zu löschen, %s ändern (Hauptfachlehrer)"_cp,
                            "To delete this item, change %s (main-subject teacher)"};
const MlText kSureToDelete = {"Sicuro di cancellare questo elemento ?", "Dieses Element wirklich löschen ?"_cp,
                              "Really delete this item ?"};
const MlText kNothingToReAdd = {
    "Nessuna classe da aggiungere.\nSi può aggiungere solo la classe precedentemente cancellata da questo "
    "insegnante o da un altro"_cp,
    "Keine Klasse hinzuzufügen.\nNur eine zuvor bei diesem oder einem anderen Lehrer gelöschte Klasse kann "
    "hinzugefügt werden"_cp,
    "No class to add.\nOnly a class deleted before from this teacher or another one can be added"};
const MlText kLabAndConversation = {"Definiti LAB e CON insieme ??", "LAB und CON zusammen definiert ??",
                                    "LAB and CON defined together ??"};
const MlText kSortTip = {"Fate Click sulle colonne per ordinare e controllare la lista",
                         "Klicken Sie auf die Spalten, um die Liste zu sortieren und zu prüfen"_cp,
                         "Click on the columns to sort and check the list"};
const MlText kTotalHours = {"Totale ore %s", "Stunden gesamt %s", "Total hours %s"};

const MlText kCaptionLab = {"Cattedre con associati I.T.P - Laboratorio", "Lehraufträge mit Laborassistent"_cp,
                            "Posts with lab assistants"};
const MlText kCaptionLabPartners = {"Cattedre degli I.T.P - Laboratorio", "Lehraufträge der Laborassistenten"_cp,
                                    "Posts of the lab assistants"};
const MlText kCaptionConversation = {"Cattedre con associati Conversatori di Lingua",
                                     "Lehraufträge mit Sprachassistenten"_cp, "Posts with conversation teachers"};
const MlText kCaptionConversationPartners = {"Cattedre dei Conversatori di Lingua",
                                             "Lehraufträge der Sprachassistenten"_cp,
                                             "Posts of the conversation teachers"};
const MlText kCaptionMain = {"Cattedre dei Docenti di Materia Principale", "Lehraufträge der Hauptfachlehrer"_cp,
                             "Posts of the main-subject teachers"};

const MlText kEditCopy = {"Per modificare questo elemento passare all'insegnante di Materia Principale.",
                          "Um dieses Element zu ändern, zum Hauptfachlehrer wechseln."_cp,
                          "To change this item go to the main-subject teacher."};
const MlText kQuickHelp = {"Inserimento rapido - Usate il tasto TAB per passare da un campo all'altro",
                           "Schnelleingabe - Mit der TAB-Taste von Feld zu Feld", "Quick entry - Use TAB to move "
                                                                                   "from field to field"};
const MlText kDoubleClickHint = {
    "SUGGERIMENTO: potete usare il doppio click per correggere rapidamente le ore di lezione.",
    "TIPP: mit einem Doppelklick korrigieren Sie schnell die Unterrichtsstunden.",
    "TIP: a double click lets you correct the lesson hours quickly."};
const MlText kGymNotCommonRoom = {
    "La materia di questa lezione non è associata a un locale comune. Questa configurazione non ha significato."_cp,
    "Das Fach dieser Stunde gehört zu keinem gemeinsamen Raum. Diese Einstellung hat keine Bedeutung."_cp,
    "The subject of this lesson belongs to no shared room. This setting has no meaning."};
const MlText kKindPrompt = {"Aggiunta di un tipo di attrezzatura. Nome?", "Neue Ausstattungsart. Name?",
                            "New kind of equipment. Name?"};
const MlText kNeedClass = {"Specificare la CLASSE", "Bitte die KLASSE angeben", "Please specify the CLASS"};
const MlText kNeedSubject = {"Specificare la MATERIA", "Bitte das FACH angeben", "Please specify the SUBJECT"};
const MlText kZeroHours = {"Numero di ORE pari a zero per la Classe %s.", "STUNDENZAHL null für die Klasse %s."_cp,
                           "Number of HOURS is zero for the class %s."};
const MlText kNeedPartner = {
    "Definito Laboratorio o Conversazione: Specificare l'insegnante di Laboratorio o il Conversatore",
    "Labor oder Konversation angegeben: Bitte den Laborassistenten oder Sprachassistenten angeben",
    "Lab or conversation set: please specify the lab assistant or the conversation teacher"};
const MlText kZeroPartnerHours = {"Numero di ORE pari a zero per Laboratorio / Conversazione della Classe %s.",
                                  "STUNDENZAHL null für Labor / Konversation der Klasse %s."_cp,
                                  "Number of HOURS is zero for lab / conversation of the class %s."};
const MlText kSamePartner = {
    "Il Professore per Conversazione/Compresenza [%s] deve essere diverso da quello dalla Lezione Frontale [%s].",
    "Der Lehrer für Konversation/Doppelbesetzung [%s] muss ein anderer sein als der des Frontalunterrichts [%s]."_cp,
    "The teacher for conversation/co-teaching [%s] must differ from the one of the main lesson [%s]."};
const MlText kNotManaged = {" Non gestito", " Non gestito", " Non gestito"};
const MlText kNotManagedLab = {"  Non gestito", "  Non gestito", "  Non gestito"};
const MlText kAddNewItem = {" ..Aggiungi nuovo elemento..", " ..Aggiungi nuovo elemento..",
                            " ..Aggiungi nuovo elemento.."};

const MlText kExtendedHelp = {
    "Ore della cattedra che devono cadere nelle ore prolungate (80 o 90 minuti) della scuola, quando queste sono "
    "gestite (passo 1 della configurazione, calendario settimanale).",
    "Stunden des Lehrauftrags, die in die verlängerten Stunden (80 oder 90 Minuten) der Schule fallen müssen, wenn "
    "diese verwaltet werden (Schritt 1 der Konfiguration, Wochenkalender)."_cp,
    "Hours of the post that must fall in the school's extended (80 or 90 minute) hours, when these are managed "
    "(step 1 of the configuration, weekly calendar)."};
const MlText kLabHelp = {
    "NOTA BENE: se la lezione avviene in Laboratorio, ma non è previsto l'I.T.P., specificate come Insegnante di "
    "Laboratorio lo stesso della materia principale."_cp,
    "HINWEIS: findet die Stunde im Labor statt, aber ohne Laborassistent, geben Sie als Laborlehrer denselben "
    "Lehrer wie im Hauptfach an."_cp,
    "NOTE: when the lesson takes place in a lab but without a lab assistant, give the main-subject teacher as the "
    "lab teacher."};
const MlText kLabEquipmentHelp = {
    "Con un tipo di attrezzatura il laboratorio serve, in una giornata, solo lezioni dello stesso tipo o senza "
    "tipo."_cp,
    "Mit einer Ausstattungsart dient das Labor an einem Tag nur Stunden derselben Art oder ohne Art.",
    "With an equipment kind the lab serves, within one day, only lessons of the same kind or of no kind."};
const MlText kGymEquipmentHelp = {
    "Il tipo di attrezzatura raggruppa le lezioni di un locale comune, così che l'attrezzatura cambi al più una "
    "volta al giorno."_cp,
    "Die Ausstattungsart gruppiert die Stunden eines gemeinsamen Raums, damit die Ausstattung höchstens einmal am "
    "Tag wechselt."_cp,
    "The equipment kind groups a shared room's lessons so that the equipment changes at most once a day."};
const MlText kJointHelp = {
    "Classi articolate: classi i cui alunni si uniscono a un'altra classe per alcune materie."_cp,
    "Verbundene Klassen: Klassen, deren Schüler sich für einige Fächer einer anderen Klasse anschließen."_cp,
    "Joint classes: classes whose pupils join another class for some subjects."};

}  // namespace procat_text
