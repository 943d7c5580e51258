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
    {nullptr, nullptr, nullptr},
};

const MlText g_ml_static_captions[] = {
    {"apri", "öffnen"_cp, "explore"},
    {"15.62 - Evitare lezioni di una sola unità oraria (scuola primaria)"_cp, "translate", "translate"},
    {" In Gita\nda Ora sino a Ora", " In Ausflug\nseit St.       bis St.", " Outing\nfrom Hour   to Hour"},
    {"Cartella di Lavoro Corrente:", "Aktueller Arbeitsordner:", "Current Working Folder:"},
    {"Descrizione Scuola:", "Beschreibung der Schule:", "School Description:"},
    {nullptr, nullptr, nullptr},
};

const MlText g_ml_check_captions[] = {
    {"Bilanciamento per peso didattico", "Balance durch Pädagogischen Gewicht"_cp,
     "Balancing through Educational weight"},
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
    {nullptr, nullptr, nullptr},
};
