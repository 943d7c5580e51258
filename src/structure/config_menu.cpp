// Behaviour of the configuration menu (see config_menu.h). Steps are one
// table (caption, icon, page command, argument) shared by the large button
// and the icon button, so the two can never open different pages. The
// summary counts a teacher once, at his first post with hours; teachers
// whose name begins with "X" (placeholders) add to the hours but make no
// class count as taught.
#include "structure/config_menu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/status_info.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "structure/shared_texts.h"

using namespace kt::ui;

Cmenu_confora g_config_menu;

namespace {

using shared_text::kItalianOnly;

struct Step {
  int page;
  int argument;  // -1: none
};

// In the order of the buttons: steps 1-5, 6A-6C, summary, 7-9, 11-15, 21,
// 23, 22, 24, then the processing menu.
constexpr Step kStepTable[Cmenu_confora::kSteps] = {
    {kPageProscuola, -1},   {kPagePlessi, -1},      {kPageMaterie, -1},     {kPageLapal, -1},
    {kPagePale, -1},        {kPageProqui, -1},      {kPageLacoco, -1},      {kPageProcat, 0},
    {kPageSyncat, -1},      {kPageVicat, 0},        {kPageVipro, 0},        {kPageVidia, 0},
    {kPageParameters1, -1}, {kPageParameters2, -1}, {kPageParameters3, -1}, {kPageParameters4, -1},
    {kPageOraspec, -1},     {kPageProcat, 1},       {kPageProcat, 2},       {kPageProcat, 17},
    {kPageProcat, 18},      {kPageProcessingMenu, -1}};

constexpr int kStepIds[] = {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010, 2011,
                            2012, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2021, 2022};
constexpr int kIconIds[] = {2101, 2102, 2103, 2104, 2105, 2106, 2107, 2108, 2109, 2110, 2111,
                            2112, 2113, 2114, 2115, 2116, 2117, 2118, 2119, 2120, 2121};
constexpr int kHelpIds[] = {Cmenu_confora::kHowToFirst, Cmenu_confora::kHowToCriteria, Cmenu_confora::kHowToCheck,
                            Cmenu_confora::kHowToSecond, Cmenu_confora::kReadHere,     Cmenu_confora::kReadIcon,
                            Cmenu_confora::kImportQuestion, Cmenu_confora::kImportIcon, Cmenu_confora::kAdvice,
                            Cmenu_confora::kAdviceIcon};
constexpr int kHelpIconIds[7] = {Cmenu_confora::kHowToFirst, Cmenu_confora::kHowToCriteria,
                                 Cmenu_confora::kHowToCheck, Cmenu_confora::kHowToSecond,
                                 Cmenu_confora::kReadIcon,   Cmenu_confora::kImportIcon,
                                 Cmenu_confora::kAdviceIcon};
constexpr int kImportIds[] = {Cmenu_confora::kSissi, Cmenu_confora::kOrarioFacile, Cmenu_confora::kSpreadsheet,
                              Cmenu_confora::kSissiCodes};

const MlText kTextHowToFirst = {
    {"Quando eseguite una configurazione dall'inizio, eseguite le operazioni di configurazione NEL LORO ORDINE.\r\n"
     "Usate il Riepilogo per controllare le ore di ciascuna classe.\r\nPrima configurate le Cattedre, poi i "
     "vincoli sulle Cattedre, per ultimi i vincoli dei Professori.",
     "Wenn Sie eine Konfiguration von Anfang an machen, führen Sie die Schritte IN IHRER REIHENFOLGE aus.\r\n"
     "Prüfen Sie die Stunden jeder Klasse mit der Zusammenfassung.\r\nZuerst die Lehraufträge, dann ihre "
     "Bedingungen, zuletzt die Bedingungen der Lehrer."_cp,
     "When you configure a school from the start, carry out the configuration steps IN THEIR ORDER.\r\nUse the "
     "Summary to check the hours of each class.\r\nFirst the teaching posts, then their constraints, last the "
     "teachers' constraints."}};
const MlText kTextHowToCriteria = {
    {"Da qui avete accesso a parametri che vi consentono di adeguare l'orario alle vostre esigenze.\r\nValori "
     "più severi danno orari migliori ma elaborazioni più lunghe.\r\nNon modificateli prima di avere ottenuto un "
     "orario completo con i valori predefiniti."_cp,
     "Von hier aus erreichen Sie die Parameter, mit denen Sie den Stundenplan Ihren Bedürfnissen anpassen.\r\n"
     "Strengere Werte geben bessere Stundenpläne und längere Berechnungen.\r\nÄndern Sie sie erst, wenn ein "
     "vollständiger Stundenplan mit den Vorgabewerten erstellt wurde."_cp,
     "From here you reach the parameters that fit the timetable to your needs.\r\nStricter values give better "
     "timetables and longer runs.\r\nDo not change them before a complete timetable was obtained with the "
     "defaults."}};
const MlText kTextHowToCheck = {
    {"Da qui avete accesso a funzioni che vi consentono di controllare rapidamente e completamente la "
     "configurazione delle cattedre.\r\nSono controlli facoltativi."_cp,
     "Von hier aus erreichen Sie Funktionen, mit denen Sie die Lehraufträge schnell und vollständig prüfen "
     "können.\r\nDiese Prüfungen sind freiwillig."_cp,
     "From here you reach functions that let you check the configuration of the teaching posts quickly and "
     "completely.\r\nThese checks are optional."}};
const MlText kTextHowToSecond = {
    {"Specialmente dopo avere modificato la struttura delle cattedre, o passando da un anno al successivo, "
     "RICONTROLLATE i vincoli sulle Cattedre e i vincoli Personali dei Professori.",
     "Besonders nach einer Änderung der Lehraufträge oder beim Wechsel in ein neues Schuljahr die Bedingungen "
     "der Lehraufträge und die persönlichen Bedingungen der Lehrer NOCHMALS PRÜFEN."_cp,
     "Especially after changing the structure of the teaching posts, or when moving on to the next year, CHECK "
     "AGAIN the constraints of the teaching posts and the Personal constraints of the teachers."}};
const MlText kTextReadHere = {
    {"Quando eseguite una configurazione dall'inizio, eseguite le operazioni di configurazione nel loro ordine:"
     "\r\n1) Cattedre e ore di lezione, poi un'elaborazione di prova;\r\n2) Riepilogo e un primo orario;\r\n3) "
     "Vincoli sulle Cattedre, poi un'elaborazione di prova;\r\n4) Vincoli dei Professori, poi un'elaborazione di "
     "prova."_cp,
     "Wenn Sie eine Konfiguration von Anfang an machen, führen Sie die Schritte in ihrer Reihenfolge aus:\r\n1) "
     "Lehraufträge und Stunden, dann eine Testberechnung;\r\n2) Zusammenfassung und ein erster Stundenplan;\r\n3) "
     "Bedingungen der Lehraufträge, dann eine Testberechnung;\r\n4) Bedingungen der Lehrer, dann eine "
     "Testberechnung."_cp,
     "When you configure a school from the start, carry out the configuration steps in their order:\r\n1) "
     "teaching posts and hours, then a test run;\r\n2) summary and a first timetable;\r\n3) constraints of the "
     "teaching posts, then a test run;\r\n4) constraints of the teachers, then a test run."}};
const MlText kImportText = {
    {"Importare i dati significa utilizzare l'archivio dati di un altro programma per risparmiare la loro "
     "immissione a mano.\r\nSono supportati SISSI (Axios) e ORARIO FACILE (Mathema).\r\nIn alternativa potete "
     "importare un foglio elettronico.",
     "Daten importieren heißt, das Archiv eines anderen Programms zu benutzen, um die Eingabe von Hand zu "
     "sparen.\r\nUnterstützt werden SISSI (Axios) und ORARIO FACILE (Mathema)."_cp,
     "Importing the data means using the archive of another program to save typing them by hand.\r\nSISSI "
     "(Axios) and ORARIO FACILE (Mathema) are supported."}};
const MlText kSissiText = {
    {"Se la scuola utilizza il sistema SISSI (powered by Axios Italia), potete importare da SISSI classi, "
     "materie, professori e cattedre.",
     "Wenn die Schule das System SISSI (powered by Axios Italia) benutzt, können Klassen, Fächer, Lehrer und "
     "Lehraufträge importiert werden."_cp,
     "When the school uses the SISSI system (powered by Axios Italia), classes, subjects, teachers and teaching "
     "posts can be imported from it."}};
const MlText kOrarioFacileText = {
    {"Importazione dei dati dal ORARIO FACILE 2006 (c)Mathema Software.",
     "Import der Daten aus ORARIO FACILE 2006 (c)Mathema Software.",
     "Import of the data from ORARIO FACILE 2006 (c)Mathema Software."}};
const MlText kSpreadsheetText = {
    {"Per importare i dati, occorre creare un file Excel (R) con le seguenti colonne:\r\nMateria | Professore | "
     "Classe | Ore settimanali\r\ne salvarlo come testo delimitato da tabulazione (o con le colonne separate da '|').",
     "Für den Import erstellen Sie eine Excel (R) Datei mit den Spalten:\r\nFach | Lehrer | Klasse | "
     "Wochenstunden\r\nund speichern sie als Text mit Tabulator (oder '|') zwischen den Spalten."_cp,
     "To import the data, create an Excel (R) file with the columns:\r\nSubject | Teacher | Class | Weekly "
     "hours\r\nand save it as tab-delimited text (or with the columns separated by '|')."}};
const MlText kNotFromSissi = {
    {"I dati di questa scuola non sono stati creati importando da SISSI. Sicuro di voler attribuire i codici "
     "SISSI ?",
     "Die Daten dieser Schule stammen nicht aus SISSI. Sollen wirklich SISSI-Codes vergeben werden?",
     "The data of this school were not imported from SISSI. Are you sure you want to assign SISSI codes?"}};
const MlText kInconsistent = {{"Trovati dati non congruenti.\nControllare le SEDI di PALESTRE e LABORATORI.",
                               "Found not consistent data.\nCheck the BUILDING of each GYM and LAB.",
                               "Found not consistent data.\nCheck the BUILDING of each GYM and LAB."}};
const MlText kTeachers = {{"Professori", "Lehrer", "Teachers"}};
const MlText kTotalHours = {{"Ore totali", "Total Stunden", "Total Hours"}};
const MlText kClasses = {{"Classi", "Klassen", "Classes"}};

const MlText* const kHelpTexts[] = {&kTextHowToFirst, &kTextHowToCriteria, &kTextHowToCheck, &kTextHowToSecond,
                                    &kTextReadHere,   &kTextReadHere,      &kImportText, &kImportText};
const MlText* const kImportTexts[] = {&kSissiText, &kOrarioFacileText, &kSpreadsheetText, &kSissiText};

std::string format_line(const char* label, int value) {
  char line[128];
  std::snprintf(line, sizeof line, "%s %d", label, value);
  return line;
}

}  // namespace

ConfigMenuImports& config_menu_imports() {
  static ConfigMenuImports imports;
  return imports;
}

KT_BEGIN_MESSAGE_MAP(Cmenu_confora, CResizableDialog)
  KT_ON_COMMAND_LIST(kStepIds, OnStep)
  KT_ON_COMMAND_LIST(kIconIds, OnIcon)
  KT_ON_COMMAND(kProcessingTextId, OnProcessingText)
  KT_ON_COMMAND_LIST(kHelpIds, OnHelpButton)
  KT_ON_COMMAND_LIST(kImportIds, OnImport)
  KT_ON_COMMAND(kServiceId, OnService)
KT_END_MESSAGE_MAP()

std::vector<std::string> Cmenu_confora::SummaryLines(bool service) {
  std::vector<int> class_hours(kUiMaxClasses, 0);
  int teachers = 0, total = 0;
  int teacher_count = int(std::min<std::uint32_t>(+g_ui_settings.teacher_count, kUiMaxTeachers));
  for (int t = 0; t < teacher_count; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    bool counted = false;
    int posts = int(std::min<std::uint32_t>(+teacher.post_count, kUiMaxPosts));
    for (int p = 0; p < posts; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.own.hours == 0) continue;
      total += post.own.hours;
      if (!counted) ++teachers;
      counted = true;
      if (teacher.name[0] != 'X' && post.class_index >= 0 && post.class_index < kUiMaxClasses) {
        class_hours[post.class_index] += post.own.hours;
      }
    }
  }
  int classes = 0;
  for (int hours : class_hours) classes += hours != 0;
  std::vector<std::string> lines = {format_line(kTeachers.Get(), teachers), format_line(kTotalHours.Get(), total),
                                    format_line(kClasses.Get(), classes)};
  if (!service) return lines;
  int buildings = std::clamp<int>(g_ui_settings.building_count, 0, kUiMaxBuildings);
  if (buildings >= 2) {
    for (int b = 0; b < buildings; ++b) {
      int hours = 0;
      for (int c = 0; c < kUiMaxClasses; ++c) hours += g_ui_structure.classes[c].building == b ? class_hours[c] : 0;
      char line[128];
      std::snprintf(line, sizeof line, "%s %s %d", g_ui_settings.buildings[b].name, kTotalHours.Get(), hours);
      lines.push_back(line);
    }
  }
  g_description_comment[sizeof g_description_comment - 1] = 0;
  if (const char* paren = std::strchr(g_description_comment, '(')) lines.push_back(paren);
  return lines;
}

void Cmenu_confora::DoDataExchange(DataExchange& dx) {
  for (int i = 0; i < kSteps; ++i) dx.Control(kStepIds[i], m_steps[i]);
  for (int i = 0; i < kIcons; ++i) dx.Control(kIconIds[i], m_icons[i]);
  for (int i = 0; i < 7; ++i) dx.Control(kHelpIconIds[i], m_help_icons[i]);
  for (int i = 0; i < 4; ++i) dx.Control(kImportIds[i], m_imports[i]);
  dx.Control(kServiceId, m_service);
  dx.Control(kImportQuestion, m_import_question);
  for (int i = 0; i < kGroups; ++i) dx.Control(kFirstGroupId + i, m_groups[i]);
  dx.Control(kHelpId, m_help);
  dx.Control(kSummaryId, m_summary);
}

bool Cmenu_confora::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("Generale Configurazione");
  FitIntoPageArea();
  ShowGrip(false);
  m_service.ShowWindow(g_service_mode ? kSwShow : kSwHide);
  m_help.SetTextML(&kTextHowToFirst);
  if (!ReadSchoolFiles(1)) {
    // The reader's message is shown; a school that did not read offers no
    // page that could save it: back to the home page.
    OnCancel();
    return true;
  }
  if (g_inconsistent_data_flag) {
    ui_message_box(kInconsistent);
    g_inconsistent_data_flag = 0;
  }
  g_guide_menu.ClearCreated();
  for (CCheckML& group : m_groups) group.SetColors(kNoColor, rgb(244, 244, 244));
  for (int i = 17; i < 21; ++i) m_icons[i].m_states[0] = 1;  // the check-and-summary group
  if (Clegsimco::Wanted() && m_notice.Create(this)) m_notice.ShowWindow(kSwShow);
  FillSummary();
  return true;
}

void Cmenu_confora::OnCancel() { g_frame.PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0); }

// The import notice is owned by the frame, not by the page: left alone it
// would stay over the next page.
void Cmenu_confora::OnDestroy() {
  if (m_notice.IsWindow()) m_notice.DestroyWindow();
  CResizableDialog::OnDestroy();
}

bool Cmenu_confora::ReadSchoolFiles(int create) { return og_read_school_files(create); }

void Cmenu_confora::FillSummary() {
  m_summary.ResetContent();
  for (const std::string& line : SummaryLines(g_service_mode != 0)) m_summary.AddString(line);
}

void Cmenu_confora::RunStep(int index) {
  const Step& step = kStepTable[index];
  if (step.argument < 0) alfadlg_go_to_page(step.page);
  else alfadlg_go_to_page_with_argument(step.page, std::uint32_t(step.argument));
}

void Cmenu_confora::OnStep(int index) { RunStep(index); }
void Cmenu_confora::OnIcon(int index) { RunStep(index); }
void Cmenu_confora::OnProcessingText() { RunStep(kSteps - 1); }

void Cmenu_confora::OnHelpButton(int index) {
  int id = kHelpIds[index];
  if (id == kAdvice || id == kAdviceIcon) {
    g_guide_menu.Open(this);
    return;
  }
  if (id == kImportIcon) {
    m_help.SetSchemeText(13, kImportText.Get());
    return;
  }
  m_help.SetTextML(kHelpTexts[index]);
}

void Cmenu_confora::OnImport(int index) {
  if (g_language != 0) {
    ui_message_box(kItalianOnly);
    return;
  }
  m_help.SetTextML(kImportTexts[index]);
  const ConfigMenuImports& imports = config_menu_imports();
  void (*run)() = index == 1 ? imports.orario_facile : index == 2 ? imports.spreadsheet : index == 3 ? imports.sissi_codes : nullptr;
  if (index == 3 && !og_data_from_sissi() &&
      ui_message_box_flags(kNotFromSissi, kMbYesNo | kMbIconQuestion, kMbCursorBetween) == 7) {
    return;
  }
  bool available = index == 0 ? imports.sissi != nullptr : run != nullptr;
  if (!available) {
    ui_message_box(ui_not_available_text());
    return;
  }
  if (index == 0) imports.sissi(0);
  else run();
  ReadSchoolFiles(0);
  FillSummary();
}

void Cmenu_confora::OnService() {
  if (config_menu_imports().week_split) config_menu_imports().week_split();
  else ui_message_box(ui_not_available_text());
}
