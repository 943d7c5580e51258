// The home page's behaviour (see home_page.h). The page lives in g_pages
// for the whole process; its window is made each time the frame shows it.
// The clean-up of the output folders empties and removes the folders
// through the file services instead of a command interpreter, so no folder
// name is ever read as a command. After its own work (a school chosen or
// made, the language, the substitutions, the explorer) the page leaves the
// frame's navigation as it is: a lock there would leave section buttons that
// look live and answer nothing until some page command.
#include "shell/home_page.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_files.h"
#include "platform/system_open.h"
#include "shell/about_box.h"
#include "shell/app_startup.h"
#include "shell/corner_windows.h"
#include "shell/engine_commands.h"
#include "shell/file_services.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "shell/small_choosers.h"
#include "shell/status_file.h"

using namespace kt::ui;

CPlenixDlg g_home_page;
std::function<bool(std::string& folder)> g_school_folder_chooser;
std::int32_t g_selected_class = -1;
std::int32_t g_selected_teacher = -1;
std::function<bool(std::string& folder)> g_new_school_creator;
kt::DesktopLauncher g_desktop_launcher;
const char* const kOutputFolders[8] = {".\\orario\\HTML",      ".\\orario\\Tabelle Ingrandite",
                                       ".\\orario",            ".\\Provvisorio\\HTML",
                                       ".\\Provvisorio\\Tabelle Ingrandite", ".\\Provvisorio",
                                       ".\\Riepilogo",         ".\\RisultatoTest"};

namespace {

const MlText kTitle = {"Inizio", "Anfang", "Start"};
const MlText kNoDescription = {"Descrizione Orario Assente", "Beschreibung der Schule Abwesend",
                               "Description of the School Absent"};
const MlText kSelectFirst = {"Selezionare una Cartella / Scuola prima di procedere",
                             "Bitte zuerst einen Ordner / eine Schule wählen"_cp,
                             "Select a Folder / School before proceeding"};
const MlText kBusy = {"Elaborazione in corso - Attendere", "Fortschritte in der Entwicklung - Bitte warten",
                      "Processing in progress - Please wait"};
const MlText kFrenchLater = {"French version will be released later.\n\nIf you want, you can choose the English version.",
                        "French version will be released later.\n\nIf you want, you can choose the English version.",
                        "French version will be released later.\n\nIf you want, you can choose the English version."};
const MlText kDefaultHelp = {
    "In questi riquadri si legge la guida all'uso di KestrinTempus.\r\nUtilizzate sempre i pulsanti [?] per "
    "leggere la spiegazione di ogni funzione.",
    "In diesen Feldern lesen Sie die Anleitung zu KestrinTempus.\r\nBenutzen Sie immer die Tasten [?], um die "
    "Erklärung jeder Funktion zu lesen."_cp,
    "In these boxes you read the guide to KestrinTempus.\r\nAlways use the [?] buttons to read the explanation "
    "of each function."};
const MlText kHelpTexts[5] = {
    {"All'inizio create una cartella di lavoro per la vostra scuola.",
     "Am Anfang erstellen Sie einen Arbeitsordner für Ihre Schule."_cp,
     "At the beginning create a working folder for your school."},
    {"All'inizio create una cartella di lavoro per la vostra scuola.",
     "Am Anfang erstellen Sie einen Arbeitsordner für Ihre Schule."_cp,
     "At the beginning create a working folder for your school."},
    {"Da qui avete accesso alle funzioni di produzione automatica dell'orario, e alle funzioni di correzione "
     "automatica e manuale.",
     "Von hier aus erreichen Sie die automatische Erstellung des Stundenplans und seine automatische und "
     "manuelle Korrektur.",
     "From here you reach the automatic production of the timetable and its automatic and manual correction."},
    {"Partite da qui per configurare la vostra scuola, e poi tornate qui per inserire variazioni alla "
     "configurazione.",
     "Beginnen Sie hier, um Ihre Schule zu konfigurieren, und kehren Sie hierher zurück, um die Konfiguration "
     "zu ändern."_cp,
     "Start here to configure your school, and come back here to change the configuration."},
    {"Gestione delle sostituzioni: prima accedere al menu di Gestione Sostituzioni per specificare le Classi che "
     "sono Assenti (in Gita) e gli Insegnanti che sono Assenti o in Permesso.",
     "Vertretungen: zuerst im Menü der Vertretungen die abwesenden Klassen (Ausflug) und die abwesenden "
     "Lehrer angeben."_cp,
     "Substitutions: first open the Substitutions menu to state the Classes that are Absent (on an outing) and "
     "the Teachers that are Absent or on Leave."},
};
const char* const kGuideFiles[3] = {"KestrinTempus_Tutorial_Ita.pdf", "KestrinTempus_Tutorial_Ger.pdf",
                                    "KestrinTempus_Tutorial_Eng.pdf"};
constexpr int kHelpIds[5] = {CPlenixDlg::kHelpStart, CPlenixDlg::kHelpCreate, CPlenixDlg::kHelpProcessing,
                             CPlenixDlg::kHelpConfiguration, CPlenixDlg::kHelpSubstitutions};
constexpr int kCloudCodeLength = 40;
const MlText kCloudCodePrompt = {
    "Inserire la password per l'accesso a Cloud (contattare assistenza se non si conosce)",
    "Passwort f\xFCr den Cloud-Zugang eingeben (wenden Sie sich an den Kundendienst, wenn Sie es nicht kennen)",
    "Enter the password for the Cloud access (contact support if you do not know it)"};
const MlText kMinimumLength = {"Lunghezza Minima: %d caratteri", "Mindestl\xE4nge: %d Zeichen",
                               "Minimum Length: %d characters"};
const MlText kGettingStartedText = {"KestrinTempus non ha un manuale d'uso: what you see is what you get!",
                                    "KestrinTempus hat kein Handbuch: what you see is what you get!",
                                    "KestrinTempus has no user manual: what you see is what you get!"};

// The folder the page saved while a dialog worked in the data root.
char g_saved_folder[kCurrentFolderSize] = "";
bool g_first_initialisation_done = false;

}  // namespace

KT_BEGIN_MESSAGE_MAP(CPlenixDlg, CResizableDialog)
  KT_ON_COMMAND(kSelectSchool, OnSelectSchool)
  KT_ON_COMMAND(kCreateSchool, OnCreateSchool)
  KT_ON_COMMAND(kConfiguration, OnConfiguration)
  KT_ON_COMMAND(kProcessing, OnProcessing)
  KT_ON_COMMAND(kSubstitutions, OnSubstitutions)
  KT_ON_COMMAND(kArchive, OnArchive)
  KT_ON_COMMAND(kVideo, OnVideo)
  KT_ON_COMMAND(kRemoteReport, OnRemoteReport)
  KT_ON_COMMAND(kUserGuide, OnUserGuide)
  KT_ON_COMMAND(kGettingStarted, OnGettingStarted)
  KT_ON_COMMAND(kAdvice, OnAdvice)
  KT_ON_COMMAND(kForum, OnForum)
  KT_ON_COMMAND(kSocial, OnSocial)
  KT_ON_COMMAND(kServiceTools, OnServiceTools)
  KT_ON_COMMAND_RANGE(kItalian, kEnglish, OnLanguage)
  KT_ON_COMMAND(kFrench, OnFrench)
  KT_ON_COMMAND(kChooseLanguage, OnLanguageLabel)
  KT_ON_COMMAND(kExplore, OnExplore)
  KT_ON_COMMAND(kCleanOutput, OnCleanOutput)
  KT_ON_COMMAND(kTopLeft, OnTopLeft)
  KT_ON_COMMAND_LIST(kHelpIds, OnHelp)
KT_END_MESSAGE_MAP()

std::function<int(const char* prompt, char* answer, int max)> g_ask_text;

int ui_require_school_folder(int mode) {
  if (!og_current_folder_is_data_root()) return 1;
  // In the data root a non-zero mode asks for the cloud code instead; blanks
  // do not count toward its length.
  while (mode != 0 && g_ask_text) {
    char answer[80] = "";
    if (g_ask_text(kCloudCodePrompt.Get(), answer, kCloudCodeLength) != kt::ui::kIdOk) break;
    std::string code;
    for (const char* c = answer; *c; ++c)
      if (*c != ' ') code += *c;
    if (int(code.size()) >= kCloudCodeLength) {
      if (g_frame_service_hooks.keep_cloud_code) g_frame_service_hooks.keep_cloud_code(code.c_str());
      return 2;
    }
    char text[80];
    std::snprintf(text, sizeof text, kMinimumLength.Get(), kCloudCodeLength);
    ui_message_box(text);
  }
  if (mode != 2) ui_message_box(kSelectFirst);
  return 0;
}

bool ui_open_in_explorer(const char* path) {
  std::string where = path[0] == '/' ? kt::cp1252_to_utf8(path) : kt::translate_path(path);
  if (kt::open_with_desktop(where, g_desktop_launcher)) return true;
  // Nothing on this machine opens it (no xdg-open): say where it is, so the
  // user can open it by hand.
  static const MlText kCannotOpen = {"Impossibile aprire automaticamente (installare xdg-utils):\n%s",
                                     "Kann nicht automatisch ge\xF6" "ffnet werden (xdg-utils installieren):\n%s",
                                     "Cannot open it automatically (install xdg-utils):\n%s"};
  std::string shown = kt::utf8_to_cp1252(where);
  std::vector<char> text(shown.size() + 200);
  std::snprintf(text.data(), text.size(), kCannotOpen.Get(), shown.c_str());
  ui_message_box(text.data());
  return false;
}

bool ui_open_explorer_in_data_root(const char* name) {
  return ui_open_in_explorer((std::string(g_data_root) + name).c_str());
}

void CPlenixDlg::DoDataExchange(DataExchange& dx) {
  dx.Control(kHelpId, m_help);
  dx.Control(kFolderId, m_folder);
  dx.Control(kDescriptionId, m_description);
  dx.Control(kVersionId, m_version);
  for (int i = 0; i < kButtonCount; ++i) dx.Control(kButtonIds[i], m_buttons[i]);
}

bool CPlenixDlg::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  SetWindowText(kTitle.Get());
  AnchorControl(kHelpId, kAnchorTopLeft, kAnchorBottomRight);
  AnchorControl(kVersionId, kAnchorBottomLeft, kAnchorBottomRight);
  AnchorPastEdgesOf(kHelpId);
  RefreshSchoolInfo(0, 0);
  m_help.SetTextML(&kDefaultHelp);
  // The parallel workers start with the first showing (the start does
  // nothing while they run, so a later showing changes nothing).
  if (g_process_number < 1 && g_frame_service_hooks.start_parallel_workers)
    g_frame_service_hooks.start_parallel_workers();
  // The service windows go with the frame's window: each showing makes
  // those missing (the first one all of them, a new language two of them).
  g_frame.CreateServiceWindows(1);
  g_first_initialisation_done = true;
  m_first_tick_done = false;
  SetTimer(kTimer, g_process_number >= 1 ? 1000 : 333);
  return true;
}

void CPlenixDlg::OnDestroy() {
  KillTimer(kTimer);
  CResizableDialog::OnDestroy();
}

void CPlenixDlg::RefreshSchoolInfo(int enter, int keep) {
  if (enter) {
    std::snprintf(g_saved_folder, sizeof g_saved_folder, "%s", og_current_folder_path().c_str());
    og_set_current_folder(g_data_root);
  }
  std::string folder = og_current_folder_path();
  if (!enter && g_saved_folder[0] && og_current_folder_is_data_root()) {
    og_set_current_folder(g_saved_folder);
    folder = og_current_folder_path();
  }
  // The folder as it is on this machine (names keep their case on Linux).
  std::string real = ui_shown_path(folder);
  m_folder.SetWindowText(real);
  char line3a[41] = "", line3b[41] = "", line4[41] = "", release[41] = "";
  const char* title = or_read_school_header(".", line3a, line3b, line4, release, "scuola2.txt");
  if (title && *title && g_frame_service_hooks.fetch_school_notices) g_frame_service_hooks.fetch_school_notices(keep);
  m_description.SetWindowText(title && *title ? title : kNoDescription.Get());
  char version[kCurrentFolderSize + 80];
  std::snprintf(version, sizeof version, "KestrinTempus - Release %s - Dicembre 2016 [%s]", "6.1.M", real.c_str());
  m_version.SetWindowText(version);
  if (!keep) g_saved_folder[0] = 0;
  // The title bar names the school shown here (not while a dialog works in the data folder).
  if (!enter) alfadlg_update_title();
}

int CPlenixDlg::CheckNotices() {
  if (g_process_number >= 1 || m_notices_checked) return 0;
  m_notices_checked = true;
  static const char* const kFiles[2] = {"Message.txt", "Warning.txt"};
  int open = 0;
  for (int i = 0; i < 2; ++i) {
    if (!kt::file_exists(kt::translate_path(kFiles[i]))) continue;
    Cmessshow& notice = m_notices[i];
    notice.m_file_name = kFiles[i];
    if (!notice.Create(this)) continue;
    // Only a notice read whole with nothing in it to show goes unseen: one
    // that a read error stopped is shown, saying so, and keeps its file.
    if (notice.ShownCount() > 0 || notice.ReadFailed()) {
      notice.ShowWindow(kSwShow);
      g_corner.Add(&notice);  // shown again when the frame comes back from the task bar
      open = 1;
    } else {
      og_delete_file_checked(kFiles[i]);
      notice.DestroyWindow();
    }
  }
  return open;
}

void CPlenixDlg::OnTimer(WParam id) {
  if (id != kTimer) return CResizableDialog::OnTimer(id);
  if (CheckNotices()) return;
  if (m_first_tick_done) return;
  m_first_tick_done = true;
  if (g_process_number < 1 && g_frame_service_hooks.focus_console_once) g_frame_service_hooks.focus_console_once();
  if (g_process_number >= 1) {
    alfadlg_go_to_page(kPageParpro);
    alfadlg_lock_navigation(0);
    g_frame.ShowWindow(kSwHide);
  }
}

void CPlenixDlg::OnCancel() {
  Rect r = g_frame.GetWindowRect();
  g_frame_top = r.top;
  g_frame_left = r.left;
  g_frame.PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0);
}

void CPlenixDlg::OnSelectSchool() {
  m_help.SetTextML(&kHelpTexts[0]);
  if (!g_school_folder_chooser) {
    ui_message_box(ui_not_available_text());
    return;
  }
  std::string folder;
  if (g_school_folder_chooser(folder)) og_set_current_folder(folder.c_str());
  RefreshSchoolInfo(0, 1);
  og_write_status_file();
}

void CPlenixDlg::OnCreateSchool() {
  m_help.SetTextML(&kHelpTexts[1]);
  if (!g_new_school_creator) {
    ui_message_box(ui_not_available_text());
    return;
  }
  std::string folder = og_current_folder_path();
  RefreshSchoolInfo(1, 0);
  if (g_new_school_creator(folder)) og_set_current_folder(folder.c_str());
  RefreshSchoolInfo(0, 1);
  og_write_status_file();
}

void CPlenixDlg::OnConfiguration() {
  if (!ui_require_school_folder(0)) {
    if (g_frame_service_hooks.show_getting_started_guide) g_frame_service_hooks.show_getting_started_guide(this);
    return;
  }
  g_selected_class = g_selected_teacher = -1;
  alfadlg_go_to_page(kPageConfigMenu);
}

void CPlenixDlg::OnProcessing() {
  if (ui_require_school_folder(0)) alfadlg_go_to_page(kPageProcessingMenu);
}

void CPlenixDlg::OnSubstitutions() {
  if (!ui_require_school_folder(0)) return;
  m_help.SetTextML(&kHelpTexts[4]);
  ui_busy_popup(kBusy.Get(), 0);
  // The engine reads the files as they are on disk: the pages' model is
  // read again from them first, so both work on the same school.
  if (g_frame_service_hooks.reread_school_files && !g_frame_service_hooks.reread_school_files()) {
    ui_busy_popup(nullptr, -1);
    return;
  }
  std::int32_t r = og_run_engine(EngineCommandCode::Synt);
  if (r == 0) r = og_run_substitution_step(static_cast<std::uint32_t>(SubstitutionStep::Solo));
  ui_busy_popup(nullptr, -1);
  if (r == 0 && g_frame_service_hooks.run_substitutions_dialog)
    g_frame_service_hooks.run_substitutions_dialog();
  else if (r == 0)
    ui_message_box(ui_not_available_text());
  else if (g_status.message[0])
    ui_message_box(g_status.message);
}

void CPlenixDlg::OnArchive() {
  RefreshSchoolInfo(0, 0);
  if (!g_frame_service_hooks.run_archive) {
    ui_message_box(ui_not_available_text());
    return;
  }
  // The dialog asks to run again when the current school changed under it:
  // its mode is taken again each time (in the data root after asking for
  // the cloud code).
  int result;
  do {
    int folder = ui_require_school_folder(2);
    result = g_frame_service_hooks.run_archive(folder == 0 ? 2 : folder == 2 ? 1 : 0);
  } while (result == 9876);
  RefreshSchoolInfo(0, 1);
  if (g_frame_service_hooks.show_remote_monitor) g_frame_service_hooks.show_remote_monitor(1);
}

void CPlenixDlg::OnVideo() {
  if (g_frame_service_hooks.run_video) g_frame_service_hooks.run_video();
  else ui_message_box(ui_not_available_text());
}

void CPlenixDlg::OnRemoteReport() {
  if (g_frame_service_hooks.open_remote_monitor) g_frame_service_hooks.open_remote_monitor();
  else ui_message_box(ui_not_available_text());
}

void CPlenixDlg::OnSysCommand(WParam command, LParam l) {
  if (command == kAboutCommand) {
    CAboutDlg about(this);
    about.DoModal();
    return;
  }
  if (command == kScRestore) {
    g_corner.ShowListedWindows();
    og_switch_display_mode(kScDefault, 0);
  } else if (command == kScMinimize) {
    og_switch_display_mode(kScRestore, 1);
  } else if (command == kScMaximize) {
    og_switch_display_mode(kScMaximize, 0);
  }
  CResizableDialog::OnSysCommand(command, l);
}

void CPlenixDlg::OnLanguageLabel() { message_beep(kBeepSimple); }

void CPlenixDlg::OnServiceTools() {
  CSTools tools(this);
  int code = static_cast<int>(tools.DoModal());
  if (code < 17102 || !g_frame_service_hooks.run_service_tool) return;
  g_frame_service_hooks.run_service_tool(code);
  RefreshSchoolInfo(0, 1);
}

void CPlenixDlg::OnGettingStarted() {
  m_help.SetTextML(&kGettingStartedText);
  if (g_frame_service_hooks.show_getting_started_guide) g_frame_service_hooks.show_getting_started_guide(this);
}

void CPlenixDlg::OnAdvice() {
  if (g_frame_service_hooks.show_advice_guide) g_frame_service_hooks.show_advice_guide(this);
  else ui_message_box(ui_not_available_text());
}

void CPlenixDlg::OnForum() { OpenWebPage(0); }
void CPlenixDlg::OnSocial() { OpenWebPage(1); }

void CPlenixDlg::OpenWebPage(int which) {
  if (g_frame_service_hooks.open_web_page) g_frame_service_hooks.open_web_page(which);
  else ui_message_box(ui_not_available_text());
}

// Nothing would open a missing guide (the desktop's opener fails on its
// own, unseen): the user is told, with the place it was looked for.
void CPlenixDlg::OnUserGuide() {
  const char* name = kGuideFiles[ui_language()];
  std::string where = kt::translate_path(std::string(g_data_root) + name);
  if (!kt::file_exists(where)) {
    static const MlText kNoGuide = {"Guida utente non trovata: manca il file\n%s",
                                    "Benutzerhandbuch nicht gefunden: die Datei fehlt\n%s",
                                    "User guide not found: there is no file\n%s"};
    std::string shown = kt::utf8_to_cp1252(where);
    std::vector<char> text(shown.size() + 200);
    std::snprintf(text.data(), text.size(), kNoGuide.Get(), shown.c_str());
    ui_message_box(text.data());
    return;
  }
  ui_open_explorer_in_data_root(name);
}

void CPlenixDlg::OnLanguage(int index) {
  if (index == g_language) {
    message_beep(kBeepSimple);
    return;
  }
  // Only the program changes language: the school keeps its day names and
  // codes, so nothing of it counts as changed and a save writes it as read.
  g_language = static_cast<std::uint8_t>(index);
  alfadlg_reset_after_language_change();
  if (g_frame_service_hooks.reset_language_windows) g_frame_service_hooks.reset_language_windows();
  alfadlg_go_to_page(kPageReopen);
}

void CPlenixDlg::OnFrench() {
  ui_message_box(kFrenchLater);
  if (g_language == 2) return;
  OnLanguage(2);
}

void CPlenixDlg::OnExplore() {
  if (!ui_require_school_folder(0)) return;
  ui_open_in_explorer(og_current_folder_path().c_str());
  message_beep(kBeepSimple);
}

void CPlenixDlg::OnCleanOutput() {
  if (!ui_require_school_folder(0)) return;
  // The files of each folder go, then the folder when it is empty; a
  // folder of the user's own inside stays with its contents.
  for (const char* folder : kOutputFolders) {
    std::string path = kt::translate_path(folder);
    auto entries = kt::list_folder(path);
    if (!entries) continue;
    for (const kt::FolderEntry& e : *entries)
      if (!e.is_folder) kt::remove_file_if_present(path + "/" + e.name);
    ::rmdir(path.c_str());
  }
  OnExplore();
}

void CPlenixDlg::OnTopLeft() {
  Rect r = g_frame.GetWindowRect();
  g_frame.MoveWindow(Rect{0, 0, r.Width(), r.Height()});
}

void CPlenixDlg::OnHelp(int index) { m_help.SetTextML(&kHelpTexts[index]); }

