// Behaviour and templates of the guide windows (see guide_windows.h). The
// guide texts proper are published with the program's manuals; each window
// here carries a short text of its subject so that every "?" button leads
// somewhere, in the user's language.
#include "remote/guide_windows.h"

#include "platform/cp1252.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/status_file.h"

using namespace kt::ui;

Clegsmenu g_guide_menu;
Clegssaba g_guide_saba;
Clegsipay g_guide_ipay;
Clegsarti g_guide_arti;
Clegsgrul g_guide_grul;
Clegsgene g_guide_gene;
Clegs_trasfe g_guide_trasfe;
ClegsXLS g_guide_xls;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kWindow = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;
constexpr std::uint32_t kPane = kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll;

const ControlTemplate kGuideControls[] = {
    {"Edit", CGuideWindow::kTextId, "", kPane, 6, 6, 288, 120},
    {"Button", CGuideWindow::kCloseId, "Chiudi questa finestra", kOwner, 194, 132, 100, 16},
};

const ControlTemplate kNoticeControls[] = {
    {"Edit", CGuideWindow::kTextId, "", kPane, 6, 6, 288, 80},
    {"Button", CGuideWindow::kUnderstoodId, "Ho capito: non ripetere più questo messaggio"_cp, kOwner, 6, 92, 184,
     16},
    {"Button", CGuideWindow::kCloseId, "Chiudi questa finestra", kOwner, 194, 92, 100, 16},
};

const DialogTemplate kGuideTemplates[] = {
    {Clegsmenu::kTemplate, "Configurazioni particolari", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegssaba::kTemplate, "Sabato libero e rientri pomeridiani", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegsipay::kTemplate, "Ore di laboratorio parzialmente assistite", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegsarti::kTemplate, "Classi articolate", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegsgrul::kTemplate, "Gruppi all'interno delle classi", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegslaco::kTemplate, "Compresenze", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegsimco::kTemplate, "Importare i dati", kWindow, 0, 0, 300, 114, kNoticeControls},
    {Clegsgene::kTemplate, "Come iniziare", kWindow, 0, 0, 300, 154, kGuideControls},
    {Clegs_trasfe::kTemplate, "Trasferire i dati su un altro computer", kWindow, 0, 0, 300, 154, kGuideControls},
    {ClegsXLS::kTemplate, "Esempio di file Excel (R) per l'importazione iniziale delle cattedre", kWindow, 0, 0, 300,
     154, kGuideControls},
};

const MlText kMenuText = {
    {"Configurazioni particolari.\r\n\r\nSabato libero, rientri pomeridiani, classi su più plessi, laboratori "
     "condivisi e classi articolate si configurano nelle pagine dei singoli passi: usate il tasto \"?\" accanto a "
     "ciascun comando per la spiegazione."_cp,
     "Besondere Konfigurationen.\r\n\r\nFreier Samstag, Nachmittagsunterricht, Klassen in mehreren Gebäuden, "
     "gemeinsame Labore und geteilte Klassen werden auf den Seiten der einzelnen Schritte eingestellt: die Taste "
     "\"?\" neben jedem Befehl erklärt ihn."_cp,
     "Special configurations.\r\n\r\nFree Saturday, afternoon returns, classes in several buildings, shared labs "
     "and combined classes are set on the pages of the single steps: the \"?\" button beside each command "
     "explains it."}};
const MlText kSabaText = {
    {"Sabato libero e rientri pomeridiani.\r\n\r\nIl calendario generale vale per tutte le classi; le classi che "
     "hanno un orario settimanale diverso (sabato libero, rientri pomeridiani) ricevono un Calendario Speciale con "
     "il tasto \"Calendari Speciali\"."_cp,
     "Freier Samstag und Nachmittagsunterricht.\r\n\r\nDer allgemeine Kalender gilt für alle Klassen; Klassen mit "
     "einem anderen Wochenplan erhalten einen Sonderkalender."_cp,
     "Free Saturday and afternoon returns.\r\n\r\nThe general calendar holds for every class; classes with a "
     "different week (free Saturday, afternoon returns) get a Special Calendar."}};
const MlText kIpayText = {
    {"Ore di laboratorio parzialmente assistite: solo una parte delle ore della cattedra si svolge in "
     "laboratorio con l'insegnante tecnico-pratico."_cp,
     "Teilweise begleitete Laborstunden: nur ein Teil der Stunden findet im Labor mit dem Fachlehrer statt.",
     "Partly assisted lab hours: only part of the hours of the post take place in the lab with the lab "
     "teacher."}};
const MlText kArtiText = {
    {"Classi articolate: due o più classi che seguono insieme alcune lezioni."_cp,
     "Zusammengelegte Klassen: zwei oder mehr Klassen, die einige Stunden gemeinsam haben.",
     "Combined classes: two or more classes that share some lessons."}};
const MlText kGrulText = {
    {"Gruppi all'interno delle classi: la classe si divide in gruppi che seguono materie diverse nella stessa "
     "ora."_cp,
     "Gruppen innerhalb der Klassen: die Klasse teilt sich in Gruppen mit verschiedenen Fächern in derselben "
     "Stunde."_cp,
     "Subgroups inside classes: the class splits into groups that follow different subjects in the same hour."}};
const MlText kLacoText = {
    {"Per unire due ore frontali in compresenza scegliete una delle caselle GIALLE.",
     "Um zwei Stunden zu verbinden, wählen Sie eines der GELBEN Felder."_cp,
     "To join two frontal hours as co-teaching, choose one of the YELLOW boxes."}};
const MlText kImcoText = {
    {"Se la scuola utilizza un altro programma (SISSI Axios, Orario Facile) o un foglio elettronico, potete "
     "importarne i dati invece di inserirli a mano: usate i tasti \"Importa\" della pagina di configurazione."_cp,
     "Benutzt die Schule ein anderes Programm oder eine Tabelle, können die Daten importiert werden, statt sie "
     "von Hand einzugeben."_cp,
     "When the school uses another program (SISSI Axios, Orario Facile) or a spreadsheet, you can import its data "
     "instead of typing them: use the \"Importa\" buttons of the configuration page."}};

const MlText kGeneText = {
    {"Come iniziare.\r\n\r\n1. Create una cartella di lavoro per la vostra scuola (\"Crea nuova Cartella e "
     "nuova Scuola\").\r\n2. Nella Configurazione dell'Orario seguite i passi nell'ordine: indirizzi e sezioni, "
     "sedi, materie, laboratori, palestre, professori e cattedre, vincoli.\r\n3. Calcolate l'orario da "
     "Elaborazione e Stampa dell'Orario.",
     "Wie anfangen.\r\n\r\n1. Legen Sie einen Arbeitsordner für Ihre Schule an.\r\n2. Folgen Sie in der "
     "Konfiguration des Stundenplanes den Schritten der Reihe nach: Fachrichtungen und Abschnitte, Gebäude, "
     "Fächer, Labors, Turnhallen, Lehrer und Lehraufträge, Bedingungen.\r\n3. Berechnen Sie den "
     "Stundenplan unter Verarbeitung des Stundenplanes."_cp,
     "How to start.\r\n\r\n1. Create a working folder for your school.\r\n2. In the Timetable Configuration "
     "follow the steps in order: addresses and sections, buildings, subjects, labs, gyms, teachers and lessons, "
     "constraints.\r\n3. Compute the timetable from Timetable Processing."}};
const MlText kTrasfeText = {
    {"Trasferire i dati su un altro computer: copiate l'intera cartella della scuola (dentro KestrinTempusDati) "
     "su una penna USB o in un archivio, e sull'altro computer copiatela dentro la sua cartella "
     "KestrinTempusDati; poi sceglietela con \"Selezione Scuola\".",
     "Daten auf einen anderen Computer übertragen: kopieren Sie den ganzen Ordner der Schule (in "
     "KestrinTempusDati) auf einen USB-Stick oder in ein Archiv und auf dem anderen Computer in dessen Ordner "
     "KestrinTempusDati; dann wählen Sie ihn mit \"Schule auswählen\"."_cp,
     "Moving the data to another computer: copy the whole folder of the school (inside KestrinTempusDati) to a "
     "USB pen or an archive, and on the other computer into its KestrinTempusDati folder; then choose it with "
     "\"Select School\"."}};
const MlText kXlsText = {
    {"Esempio di file Excel (R) per l'importazione iniziale delle cattedre: una riga per cattedra, con le "
     "colonne\r\nProfessore | Materia | Classe | Ore settimanali\r\nper esempio\r\nROSSI | ITALIANO | 1A | 6\r\n"
     "Salvate il foglio come testo con le colonne separate da '|'.",
     "Beispiel einer Excel (R) Datei für den ersten Import der Lehraufträge: eine Zeile je Lehrauftrag mit "
     "den Spalten\r\nLehrer | Fach | Klasse | Wochenstunden\r\nzum Beispiel\r\nROSSI | ITALIANO | 1A | 6\r\n"
     "Speichern Sie das Blatt als Text mit '|' zwischen den Spalten."_cp,
     "Example of an Excel (R) file for the first import of the lessons: one row per lesson, with the columns\r\n"
     "Teacher | Subject | Class | Weekly hours\r\nfor example\r\nROSSI | ITALIANO | 1A | 6\r\nSave the sheet as "
     "text with the columns separated by '|'."}};
const MlText kNoWebPage = {
    {"Il forum e le pagine del programma sul web non sono disponibili in questa versione del programma.",
     "Das Forum und die Webseiten des Programms sind in dieser Version des Programms nicht verfügbar."_cp,
     "The forum and the program's web pages are not available in this version of the program."}};

}  // namespace

void ui_register_guide_templates() {
  for (const DialogTemplate& t : kGuideTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}

int CGuideWindow::Create(Window* parent) {
  if (m_created && IsWindow()) return 0;
  ui_register_guide_templates();
  if (!CDialogML::Create(template_id(), parent)) return 0;
  m_created = 1;
  return 1;
}

void CGuideWindow::Open(Window* parent) {
  Create(parent);
  if (IsWindow()) ShowWindow(kSwShow);
}

void CGuideWindow::DoDataExchange(DataExchange& dx) { dx.Control(kTextId, m_pane); }

bool CGuideWindow::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_pane.SetTextML(&m_text);
  return true;
}

bool CGuideWindow::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kCloseId) {
    Close();
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

void CGuideWindow::Close() {
  m_created = 0;
  DestroyWindow();
}

Clegsmenu::Clegsmenu() : CGuideWindow(kTemplate, kMenuText) {}
Clegssaba::Clegssaba() : CGuideWindow(kTemplate, kSabaText) {}
Clegsipay::Clegsipay() : CGuideWindow(kTemplate, kIpayText) {}
Clegsarti::Clegsarti() : CGuideWindow(kTemplate, kArtiText) {}
Clegsgrul::Clegsgrul() : CGuideWindow(kTemplate, kGrulText) {}
Clegslaco::Clegslaco() : CGuideWindow(kTemplate, kLacoText) {}
Clegsimco::Clegsimco() : CGuideWindow(kTemplate, kImcoText) {}
Clegsgene::Clegsgene() : CGuideWindow(kTemplate, kGeneText) {}
Clegs_trasfe::Clegs_trasfe() : CGuideWindow(kTemplate, kTrasfeText) {}
ClegsXLS::ClegsXLS() : CGuideWindow(kTemplate, kXlsText) {}

void ui_open_web_page(int) { ui_message_box(kNoWebPage); }

bool Clegsimco::Wanted() { return (g_hint_flags & 1) == 0; }

bool Clegsimco::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kUnderstoodId) {
    g_hint_flags |= 1;  // kept in the status file at the end of the run
    Close();
    return true;
  }
  return CGuideWindow::OnCommand(w, l);
}
