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
    {"Ore", "Stunden", "Hours"},
    {"Tabella", "Tabelle", "Table"},
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
    {"Ore totali", "Stunden insgesamt", "Total hours"},
    {"Non dimenticate di SALVARE!", "Vergessen Sie nicht zu SPEICHERN!", "Do not forget to SAVE!"},
    {"Classi", "Klassen", "Classes"},
    {"Massima differenza oraria tra giorni", "Größter Stundenunterschied zwischen Tagen"_cp,
     "Largest difference of hours between days"},
    {"Può entrare in seconda ora volte alla settimana"_cp, "Darf so oft pro Woche zur zweiten Stunde kommen",
     "May enter at the second hour, times a week"},
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
    {"inverti", "umkehren", "invert"},
    {"Annulla", "Abbrechen", "Cancel"},
    {"Ora 1", "St. 1", "Hr. 1"},
    {"Ora 2", "St. 2", "Hr. 2"},
    {"Ora 3", "St. 3", "Hr. 3"},
    {"Ora 4", "St. 4", "Hr. 4"},
    {"Ora 5", "St. 5", "Hr. 5"},
    {"Ora 6", "St. 6", "Hr. 6"},
    {"Ora 7", "St. 7", "Hr. 7"},
    {"Ora 8", "St. 8", "Hr. 8"},
    {"Ora 9", "St. 9", "Hr. 9"},
    {"Ora 10", "St. 10", "Hr. 10"},
    {"Ora 11", "St. 11", "Hr. 11"},
    {"Ora 12", "St. 12", "Hr. 12"},
    {"!SALVA le modifiche", "!Änderungen SPEICHERN"_cp, "!SAVE the changes"},
    {"!ABBANDONA le modifiche", "!Änderungen VERWERFEN"_cp, "!DISCARD the changes"},
    {"Ripristina i valori predefiniti di sistema", "Systemvorgaben wiederherstellen", "Restore the system defaults"},
    {nullptr, nullptr, nullptr},
};
