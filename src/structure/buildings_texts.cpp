// The buildings page's texts (see buildings_texts.h).
#include "structure/buildings_texts.h"

#include "platform/cp1252.h"

const MlText kBuildingsPageText = {
    {"I Plessi servono soltanto per programmare l'ora buca di cui i professori hanno bisogno per spostarsi da un "
     "Plesso all'altro.\r\nSe i Plessi sono vicini, lasciate un solo Plesso.",
     "Die Gebäude dienen nur dazu, die Leerstunde zu planen, die ein Lehrer für den Wechsel des Gebäudes "
     "braucht.\r\nLiegen die Gebäude nahe beieinander, lassen Sie ein einziges Gebäude."_cp,
     "Buildings only serve to plan the gap hour teachers need to move from one building to another.\r\nWhen the "
     "buildings are close together, keep one building."}};
const MlText kNamesText = {
    {"Definire qui l'elenco dei Plessi esistenti. Lasciare il numero di Plessi a 1 se non si vogliono gestire i "
     "Plessi.",
     "Hier die Liste der Gebäude festlegen. Die Anzahl auf 1 lassen, wenn keine Gebäude verwaltet werden "
     "sollen."_cp,
     "Define here the list of the buildings. Leave the number of buildings at 1 if buildings are not to be "
     "managed."}};
const MlText kStaticText = {
    {"Gestione di più Plessi con Classi assegnate staticamente al loro Plesso: ogni Classe resta sempre nel suo "
     "Plesso."_cp,
     "Mehrere Gebäude, jede Klasse fest in ihrem Gebäude."_cp,
     "Several buildings, each class fixed in its building."}};
const MlText kRotationText = {
    {"Gestione di due Plessi con rotazione delle Classi nel Plesso disagiato: le Classi di un gruppo di rotazione "
     "passano a turno nella sede staccata.",
     "Zwei Gebäude mit Rotation der Klassen in die Außenstelle."_cp,
     "Two buildings with classes rotating into the branch building."}};
const MlText kAssociateText = {
    {"Associate ogni Classe al Plesso in cui si trova.", "Jede Klasse ihrem Gebäude zuordnen."_cp,
     "Associate each Class with the Building it is in."}};
const MlText kNoTransferText = {
    {"Spostamento NON ammesso nella giornata: il Plesso è molto lontano, un professore non può raggiungerlo nel "
     "corso della giornata.\r\nÈ un vincolo pesante: le cattedre vanno raggruppate per giorni."_cp,
     "Wechsel am Tag NICHT erlaubt: das Gebäude ist sehr weit entfernt.\r\nEine schwere Bedingung: die "
     "Lehraufträge müssen nach Tagen gruppiert werden."_cp,
     "Transfer NOT allowed within the day: the building is very far away.\r\nA heavy constraint: teaching posts "
     "must be grouped by days."}};
const MlText kReachableText = {
    {"Plesso raggiungibile SENZA ORA BUCA nell'intervallo, DOPO l'ora indicata.\r\nUn Plesso può essere "
     "raggiungibile da A verso B e non da B verso A."_cp,
     "Gebäude, das in der Pause OHNE LEERSTUNDE erreichbar ist, NACH der angegebenen Stunde.\r\nEin Gebäude kann "
     "von A nach B erreichbar sein und nicht von B nach A."_cp,
     "Building reachable WITHOUT A GAP HOUR during the break, AFTER the given hour.\r\nA building may be reachable "
     "from A to B and not from B to A."}};
const MlText kMinutesText = {
    {"Minimo: i minuti necessari per cambiare Plesso.\r\nMassimo: l'intervallo in minuti tra due ore che non "
     "conta ancora come ora buca (compreso l'intervallo di metà mattina).\r\nÈ un'alternativa al metodo dei "
     "Plessi raggiungibili."_cp,
     "Minimum: Minuten für den Wechsel des Gebäudes.\r\nMaximum: der Abstand zwischen zwei Stunden, der noch "
     "nicht als Leerstunde zählt."_cp,
     "Minimum: the minutes needed to change building.\r\nMaximum: the interval in minutes between two hours that "
     "is not yet counted as a gap hour (the mid-morning break included).\r\nAn alternative to the reachable "
     "buildings."}};
const MlText kGroupsText = {
    {"Assegnate un Gruppo di rotazione alle Classi che possono spostarsi per un periodo nella sede staccata; le "
     "Classi che non si spostano non hanno gruppo.\r\nEsempio: 2C-5C gruppo A, 2D-5D gruppo B.",
     "Den Klassen, die zeitweise in die Außenstelle wechseln, eine Rotationsgruppe geben.\r\nBeispiel: 2C-5C "
     "Gruppe A, 2D-5D Gruppe B."_cp,
     "Give a rotation group to the classes that may move to the branch for a time; classes that do not move have "
     "none.\r\nFor example 2C-5C group A, 2D-5D group B."}};
const MlText kBuildingsSortTip = {
    {"SUGGERIMENTO: se volete vedere, ad esempio, quali Sezioni sono gestite a rotazione di Plesso, dovete "
     "ordinare la tabella delle Classi clickando PRIMA sulla colonna SEZIONE, e DOPO sulla colonna ROTAZIONE.",
     "TIPP: um die Sektionen mit Rotation zu sehen, zuerst auf die Spalte SEKTION und dann auf ROTATION "
     "klicken.",
     "HINT: to see which Sections rotate between buildings, sort the table of Classes by clicking FIRST on the "
     "SECTION column and THEN on the ROTATION column."}};

const MlText kAnyHour = {{"qualsiasi", "beliebig", "any"}};
const MlText kFirstHourWarning = {
    {"ATTENZIONE: non è verosimile che l'intervallo tra le lezioni sia previsto dopo la PRIMA ora. Leggete "
     "attentamente lo help di questo campo."_cp,
     "ACHTUNG: eine Pause nach der ERSTEN Stunde ist unwahrscheinlich. Lesen Sie die Hilfe dieses Feldes.",
     "ATTENTION: a break after the FIRST hour is unlikely. Read the help of this field carefully."}};
const MlText kOneBuilding = {
    {"Vi è un solo Plesso: l'associazione delle Classi non serve!"_cp,
     "Es gibt nur ein Gebäude: die Zuordnung der Klassen ist nicht nötig!"_cp,
     "There is only one building: associating the classes is not needed!"}};
const MlText kDifferentNames = {
    {"Assegnare nomi diversi a tutti i Plessi!", "Allen Gebäuden verschiedene Namen geben!"_cp,
     "Give different names to all buildings!"}};
const MlText kSameInitial = {
    {"Assegnare nomi con INIZIALE DIVERSA a tutti i Plessi! (%s e %s hanno la stessa iniziale)",
     "Allen Gebäuden Namen mit VERSCHIEDENEM Anfangsbuchstaben geben! (%s und %s haben denselben)"_cp,
     "Give all buildings names with a DIFFERENT INITIAL! (%s and %s have the same initial)"}};
const MlText kShortName = {
    {"Dare un nome significativo a ciascun Plesso(Almeno 4 lettere)",
     "Jedem Gebäude einen aussagekräftigen Namen geben (mindestens 4 Buchstaben)"_cp,
     "Give each building a meaningful name (at least 4 letters)"}};
const MlText kHourMissing = {
    {"Specificare l'ora dell'intervallo per sede raggiungibile senza ora riservata allo spostamento",
     "Die Pausenstunde für das ohne Leerstunde erreichbare Gebäude angeben"_cp,
     "Give the hour of the break for a building reachable without a transfer hour"}};
const MlText kReachableMissing = {
    {"Il plesso [%s] indica come raggiungibile [%s], che non esiste: sceglierlo di nuovo",
     "Das Geb\xE4ude [%s] nennt [%s] als erreichbar, das es nicht gibt: neu w\xE4hlen",
     "The building [%s] names [%s] as reachable, which does not exist: choose it again"}};
const MlText kClassOutside = {
    {"La Classe %s non è associata a nessuno dei plessi esistenti: associarla a un plesso con "
     "\"Associazione delle Classi ai Plessi\""_cp,
     "Die Klasse %s ist keinem der bestehenden Gebäude zugeordnet: sie mit \"Associazione delle Classi ai "
     "Plessi\" einem Gebäude zuordnen"_cp,
     "Class %s is in none of the existing buildings: associate it with a building with \"Associazione delle "
     "Classi ai Plessi\""}};
const MlText kLabOutside = {
    {"Il laboratorio [%s] si trova nel plesso [%s], che non è più tra i plessi esistenti: prima assegnarlo a un "
     "altro plesso (pagina 4, Laboratori), poi ridurre il numero dei plessi"_cp,
     "Das Labor [%s] liegt im Gebäude [%s], das es nicht mehr gibt: es zuerst einem anderen Gebäude zuordnen "
     "(Seite 4, Labors), dann die Zahl der Gebäude verringern"_cp,
     "Lab [%s] is in building [%s], which is no longer one of the buildings: first give it another building "
     "(page 4, Labs), then lower the number of buildings"}};
const MlText kGymOutside = {
    {"Il locale comune [%s] si trova nel plesso [%s], che non è più tra i plessi esistenti: prima assegnarlo a "
     "un altro plesso (pagina 5, Palestre), poi ridurre il numero dei plessi"_cp,
     "Der gemeinsame Raum [%s] liegt im Gebäude [%s], das es nicht mehr gibt: ihn zuerst einem anderen Gebäude "
     "zuordnen (Seite 5, Turnhallen), dann die Zahl der Gebäude verringern"_cp,
     "Shared room [%s] is in building [%s], which is no longer one of the buildings: first give it another "
     "building (page 5, Gyms), then lower the number of buildings"}};
const MlText kGymsOneBuilding = {
    {"Con un solo plesso, [%s] e [%s] sono due locali comuni per la stessa materia [%s]: prima eliminarne uno "
     "(pagina 5, Palestre), poi ridurre il numero dei plessi"_cp,
     "Mit nur einem Gebäude sind [%s] und [%s] zwei gemeinsame Räume für dasselbe Fach [%s]: zuerst einen davon "
     "löschen (Seite 5, Turnhallen), dann die Zahl der Gebäude verringern"_cp,
     "With one building, [%s] and [%s] are two shared rooms for the same subject [%s]: first delete one of them "
     "(page 5, Gyms), then lower the number of buildings"}};
const MlText kBuildingWithoutClasses = {
    {"Il plesso [%s] non è associato a nessuna Classe. Sicuro di avere associato correttamente le Classi ai "
     "Plessi?"_cp,
     "Dem Gebäude [%s] ist keine Klasse zugeordnet. Sind die Klassen richtig zugeordnet?"_cp,
     "Building [%s] has no class. Are you sure the classes were associated correctly?"}};
const MlText kBuildingsHeadings[4] = {{{"Classe", "Klasse", "Class"}},
                                      {{"Sezione", "Sektion", "Section"}},
                                      {{"Indirizzo", "Fachrichtung", "Track"}},
                                      {{"Rotazione", "Rotation", "Rotation"}}};
