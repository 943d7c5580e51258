// The four caption tables: Italian template captions with their German and
// English texts. A dialog that brings a caption of its own appends its row
// to the table of its kind; rows already here keep their place, because the
// first of two equally near rows wins a lookup. "translate" marks a text
// not written yet and is shown as it stands. Button captions keep their
// drawing marks ("!", "@", "#", "?") in the key and in every language.
#include "platform/cp1252.h"
#include "shell/caption_translation.h"

const MlText g_ml_dialog_titles[] = {
    {"Selezione Scuola", "Schule wählen"_cp, "School Selection"},
    {"Messaggio di sistema", "System message", "System message"},
    {"Tipologia della Scuola", "Schultyp", "School Type"},
    {"Dati modificati", "Daten geändert"_cp, "Data changed"},
    {"Dove mettere i dati?", "Wohin mit den Daten?", "Where to put the data?"},
    {"Cambia Sezione / Indirizzo", "Zug / Fachrichtung ändern"_cp, "Change Section / Study Track"},
    {nullptr, nullptr, nullptr},
};

const MlText g_ml_static_captions[] = {
    {"apri", "öffnen"_cp, "explore"},
    {"15.62 - Evitare lezioni di una sola unità oraria (scuola primaria)"_cp, "translate", "translate"},
    {" In Gita\nda Ora sino a Ora", " In Ausflug\nseit St.       bis St.", " Outing\nfrom Hour   to Hour"},
    {"Scegli il tipo di calendario e il livello della scuola", "Wählen Sie Wochenkalender und Schulstufe"_cp,
     "Choose the weekly calendar and the school level"},
    {"Attendere prego...", "Bitte warten...", "Please wait..."},
    {"Cartella di Lavoro Corrente:", "Aktueller Arbeitsordner:", "Current Working Folder:"},
    {"Descrizione Scuola:", "Beschreibung der Schule:", "School Description:"},
    {"I dati sono stati modificati dopo l'ultimo salvataggio:", "Die Daten wurden nach dem letzten Speichern geändert:"_cp,
     "The data have been changed since they were last saved:"},
    {"Volete mettere i dati nella cartella CORRENTE:", "Sollen die Daten in den AKTUELLEN Ordner:",
     "Do you want to put the data into the CURRENT folder:"},
    {"Oppure in una cartella corrispondente alla configurazione salvata:",
     "Oder in einen Ordner, der der gespeicherten Konfiguration entspricht:"_cp,
     "Or into a folder matching the saved configuration:"},
    {"La Classe", "Die Klasse", "The class"},
    {"si sposta nella Sezione", "wechselt in den Zug", "moves to the section"},
    {"dell'Indirizzo", "der Fachrichtung", "of the study track"},
    {"NON DIMENTICATE DI SALVARE!", "SPEICHERN NICHT VERGESSEN!", "DO NOT FORGET TO SAVE!"},
    {nullptr, nullptr, nullptr},
};

const MlText g_ml_check_captions[] = {
    {"Bilanciamento per peso didattico", "Balance durch Pädagogischen Gewicht"_cp,
     "Balancing through Educational weight"},
    {"Scuola con insegnamento dal Lunedì al Venerdì, Sabato Libero"_cp,
     "Unterricht von Montag bis Freitag, Samstag frei", "Lessons Monday to Friday, Saturday free"},
    {"Scuola con alcune Classi a tempo pieno per 5 giorni, e altre su 6 giorni",
     "Einige Klassen ganztags an 5 Tagen, andere an 6 Tagen", "Some classes full-time on 5 days, others on 6 days"},
    {"Scuola con insegnamento mattutino per 6 giorni alla settimana", "Vormittagsunterricht an 6 Tagen in der Woche",
     "Morning lessons 6 days a week"},
    {"Altro tipo di Calendario Settimanale", "Anderer Wochenkalender", "Other weekly calendar"},
    {"Scuola per Infanzia o Primaria o Elementare", "Kindergarten oder Grundschule",
     "Nursery or primary school"},
    {"Scuola Media o Superiore", "Mittel- oder Oberschule", "Middle or secondary school"},
    {nullptr, nullptr, nullptr},
};

const MlText g_ml_button_captions[] = {
    {"Configurazione", "Konfiguration", "Configuration"},
    {"!SALVA", "!Speichern", "!SAVE"},
    {"Chiudi questa finestra", "Dieses Fenster schließen"_cp, "Close this window"},
    {"Ho capito: non ripetere più questo messaggio"_cp, "Verstanden: diese Meldung nicht wiederholen",
     "Understood: do not repeat this message"},
    {"FILE Operazioni Iniziali", "FILE (Anfang)", "FILE (beginning)"},
    {"Elaborazione", "Verarbeitung", "Processing"},
    {"##Orario Provvisorio", "##Vorläufiger Stundenplan"_cp, "##Provisional Timetable"},
    {"@Ho bisogno di assistenza", "@Ich brauche Hilfe", "@I need assistance"},
    {"@Assistenza On Line", "@On Line Assistenz", "@On Line Assistance"},
    {"Selezione Scuola", "Schule wählen"_cp, "School Selection"},
    {"Crea nuova Cartella e nuova Scuola", "Neuen Ordner und neue Schule erstellen", "Create new Folder and new School"},
    {"!Configurazione dell'Orario ", "!Konfiguration des Stundenplanes", "!Timetable Configuration"},
    {"!Elaborazione e Stampa dell'Orario", "!Verarbeitung und Druck des Stundenplanes",
     "!Timetable Processing and Printing"},
    {"Gestione Sostituzioni", "Vertretungen", "Substitutions"},
    {"Archiviazioni e cloud", "Archivierung und Cloud", "Archives and cloud"},
    {"Video presentazione", "Video-Präsentation"_cp, "Video presentation"},
    {"Guida utente", "Benutzerhandbuch", "User guide"},
    {"@COME INIZIARE?\nLeggete qui!", "@WIE ANFANGEN?\nHier lesen!", "@HOW TO START?\nRead here!"},
    {"Scegli lingua", "Sprache wählen"_cp, "Choose language"},
    {"Consigli per casi particolari", "Ratschläge für besondere Fälle"_cp, "Advice for special cases"},
    {"@In Cima 0, 0", "@Nach oben 0, 0", "@To the top 0, 0"},
    {"Incolla", "Einfügen"_cp, "Paste"},
    {"Annulla", "Abbrechen", "Cancel"},
    {"Salva ora i dati modificati", "Geänderte Daten jetzt speichern"_cp, "Save the changed data now"},
    {"Salva, e in questa sessione salva sempre automaticamente",
     "Speichern, und in dieser Sitzung immer automatisch speichern", "Save, and always save automatically in this session"},
    {"Abbandona le ultime modifiche", "Letzte Änderungen verwerfen"_cp, "Discard the last changes"},
    {"Ritorna al programma per rivedere le modifiche", "Zurück zum Programm, um die Änderungen zu prüfen"_cp,
     "Back to the program to review the changes"},
    {"[Esc] Ritorna a menu principale", "[Esc] Zurück zum Hauptmenü"_cp, "[Esc] Back to main menu"},
    {"!SALVA le modifiche", "!Änderungen SPEICHERN"_cp, "!SAVE the changes"},
    {"!ABBANDONA le modifiche", "!Änderungen VERWERFEN"_cp, "!DISCARD the changes"},
    {nullptr, nullptr, nullptr},
};
