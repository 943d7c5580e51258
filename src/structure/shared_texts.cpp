// The texts several structure pages share (see shared_texts.h).
#include "structure/shared_texts.h"

#include "platform/cp1252.h"

namespace shared_text {

const MlText kNameTaken = {"Nome già in uso"_cp, "Name schon vergeben", "Name already in use"};
const MlText kInUse = {"Cancellazione non ammessa (elemento in uso)", "Löschen nicht erlaubt (Element in Gebrauch)"_cp,
                       "Deletion not allowed (item in use)"};
const MlText kNeedsLetter = {"I nomi delle materie e dei professori devono iniziare con una lettere alfabetica (A..Z)",
                             "Die Namen der Fächer und der Lehrer müssen mit einem Buchstaben beginnen (A..Z)"_cp,
                             "The names of subjects and teachers must begin with a letter (A..Z)"};
const MlText kItalianOnly = {"Solo per la versione italiana.", "Nur für die Italienische Version."_cp,
                             "Only for the italian Version."};

const MlText kTableFull = {"Raggiunto Numero Massimo di Elementi - Impossibile Inserire",
                           "Höchstzahl der Elemente erreicht - Einfügen unmöglich"_cp,
                           "Maximum number of items reached - Cannot insert"};
const MlText kTooManyTeachers = {"Raggiunto Numero Massimo Professori - Impossibile Inserire",
                                 "Höchstzahl der Lehrer erreicht - Einfügen unmöglich"_cp,
                                 "Maximum number of teachers reached - Cannot insert"};
const MlText kTooManyClasses = {"Raggiunto Numero Massimo Classi", "Höchstzahl der Klassen erreicht"_cp,
                                "Maximum number of classes reached"};

const MlText kSaveNextWithoutAsking = {"Salvo le prossime modifiche senza chiedere conferma?",
                                       "Die nächsten Änderungen ohne Rückfrage speichern?"_cp,
                                       "Save the next changes without asking?"};
const MlText kWriteFailed = {"Salvataggio non riuscito: %s", "Speichern fehlgeschlagen: %s", "Saving failed: %s"};
const MlText kReportsWritten = {"Report scritti nella cartella Orario.", "Berichte im Ordner Orario geschrieben.",
                                "Reports written into the folder Orario."};

const MlText kAlwaysAvailable = {"Sempre Disponibile", "Immer verfügbar"_cp, "Always Available"};
const MlText kLimitedHours = {"Ore Limitate", "Begrenzte Stunden", "Limited Hours"};
const MlText kHoursTitle = {"Disponibilità limitata alle ore:"_cp, "Verfügbarkeit begrenzt auf die Stunden:"_cp,
                            "Availability limited to the hours:"};
const MlText kRoomAlwaysAvailable = {"Locale sempre disponibile", "Raum immer verfügbar"_cp, "Room always available"};

const MlText kNobody = {" Nessuno", " Keine", " None"};
const MlText kDummy = {"fittizio", "Fiktiv", "Dummy"};
const MlText kClassTotal = {"Totale ore classe %s", "Stunden der Klasse %s", "Total hours of class %s"};
const MlText kLessonHours = {"Ore di lezione di %s", "Unterrichtsstunden von %s", "Lesson hours of %s"};
const MlText kTeacherTotal = {"Totale ore di %s", "Gesamtstunden von %s", "Total hours of %s"};

}  // namespace shared_text
