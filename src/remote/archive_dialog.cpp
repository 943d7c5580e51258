// The archive and cloud dialog (see archive_dialog.h): its template, its
// texts in the three languages and its buttons. The archive work itself is
// school_archive.h's; the pen's is pen_backup.h's. A restore makes the
// restored folder current, reads its school and writes the status file, as
// choosing a school does, before the dialog asks to be run again.
#include "remote/archive_dialog.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "remote/pen_backup.h"
#include "remote/school_archive.h"
#include "remote/service_windows.h"
#include "schooldata/school_files.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"
#include "shell/status_file.h"

using namespace kt::ui;

Carchivio g_archive_dialog;
std::function<bool(int kind, std::string& path)> g_archive_chooser;

namespace {

namespace fs = std::filesystem;
using A = Carchivio;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", A::kStateId, "", 0, 8, 6, 304, 20},
    {"Static", A::kZipLabelId, "Archivio della scuola in un file zip", 0, 8, 30, 304, 10},
    {"Button", A::kArchiveId, "Archivia la scuola in un file zip", kButton, 8, 42, 150, 18},
    {"Button", A::kRestoreId, "Ripristina una scuola da un file zip", kButton, 162, 42, 150, 18},
    {"Static", A::kPenLabelId, "Copie sulla Penna USB", 0, 8, 66, 304, 10},
    {"Button", A::kPenRestoreId, "Ripristina dalla Penna USB", kButton, 8, 78, 150, 18},
    {"Button", A::kPenDeleteId, "Cancella copie dalla Penna USB", kButton, 162, 78, 150, 18},
    {"Static", A::kCloudLabelId, "Cloud", 0, 8, 102, 304, 10},
    {"Button", A::kCloudSaveId, "Archivia su Cloud", kButton, 8, 114, 150, 18},
    {"Button", A::kCloudRestoreId, "Ripristina da Cloud", kButton, 162, 114, 150, 18},
    {"Edit", A::kHelpId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 8, 138, 304, 40},
    {"Button", kIdCancel, "[Esc] Ritorna", kButton, 212, 184, 100, 16},
};
const DialogTemplate kTemplate = {Carchivio::kTemplate, "Archiviazioni e cloud",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 320, 206, kControls};

const MlText kTitle = {"Archiviazioni e cloud", "Archivierung und Cloud", "Archives and cloud"};
const MlText kSchoolNow = {"Scuola corrente: %s", "Aktuelle Schule: %s", "Current school: %s"};
const MlText kCodeKept = {
    "Codice Cloud registrato per la prossima nuova scuola. Nessuna scuola selezionata: si pu\xF2 ripristinare una "
    "scuola da un archivio o dalla Penna USB.",
    "Cloud-Code f\xFCr die n\xE4" "chste neue Schule gespeichert. Keine Schule gew\xE4hlt: eine Schule kann aus "
    "einem Archiv oder vom USB-Stick wiederhergestellt werden.",
    "Cloud code kept for the next new school. No school selected: a school can be restored from an archive or "
    "from the USB pen."};
const MlText kNoSchool = {
    "Nessuna scuola selezionata: si pu\xF2 ripristinare una scuola da un archivio o dalla Penna USB.",
    "Keine Schule gew\xE4hlt: eine Schule kann aus einem Archiv oder vom USB-Stick wiederhergestellt werden.",
    "No school selected: a school can be restored from an archive or from the USB pen."};
const MlText kZipLabel = {"Archivio della scuola in un file zip", "Archiv der Schule in einer Zip-Datei",
                          "Archive of the school in a zip file"};
const MlText kArchive = {"Archivia la scuola in un file zip", "Schule in Zip-Datei archivieren",
                         "Archive the school in a zip file"};
const MlText kRestore = {"Ripristina una scuola da un file zip", "Schule aus Zip-Datei wiederherstellen",
                         "Restore a school from a zip file"};
const MlText kPenLabel = {"Copie sulla Penna USB", "Kopien auf dem USB-Stick", "Copies on the USB pen"};
const MlText kPenRestore = {"Ripristina dalla Penna USB", "Vom USB-Stick wiederherstellen", "Restore from the USB pen"};
const MlText kPenDelete = {"Cancella copie dalla Penna USB", "Kopien auf dem USB-Stick l\xF6schen",
                           "Delete copies from the USB pen"};
const MlText kCloudLabel = {"Cloud (server di KestrinTempus)", "Cloud (Server von KestrinTempus)",
                            "Cloud (KestrinTempus servers)"};
const MlText kCloudSave = {"Archivia su Cloud", "In der Cloud archivieren", "Archive on the Cloud"};
const MlText kCloudRestore = {"Ripristina da Cloud", "Aus der Cloud wiederherstellen", "Restore from the Cloud"};
const MlText kBack = {"[Esc] Ritorna", "[Esc] Zur\xFC" "ck", "[Esc] Back"};
const MlText kHelp = {
    "L'archivio zip contiene tutta la cartella della scuola: conservatelo su un altro disco o su una penna USB. "
    "Il ripristino lo riporta nella cartella della scuola dentro KestrinTempusDati, e chiede prima di sostituire "
    "i file di una scuola esistente. Il Cloud non \xE8 disponibile in questa versione del programma.",
    "Das Zip-Archiv enth\xE4lt den ganzen Ordner der Schule: bewahren Sie es auf einer anderen Festplatte oder "
    "einem USB-Stick auf. Die Wiederherstellung bringt es in den Ordner der Schule in KestrinTempusDati zur\xFC" "ck "
    "und fragt, bevor sie die Dateien einer vorhandenen Schule ersetzt. Die Cloud ist in dieser Version des "
    "Programms nicht verf\xFCgbar.",
    "The zip archive holds the whole school folder: keep it on another disk or a USB pen. The restore brings it "
    "back into the school's folder inside KestrinTempusDati, and asks before it replaces the files of an "
    "existing school. The Cloud is not available in this version of the program."};
const MlText kCloudNotAvailable = {
    "Il Cloud richiede il collegamento ai server di KestrinTempus e non \xE8 disponibile in questa versione del "
    "programma: usate l'archivio zip o la Penna USB.",
    "Die Cloud braucht die Verbindung zu den Servern von KestrinTempus und ist in dieser Version des Programms "
    "nicht verf\xFCgbar: benutzen Sie das Zip-Archiv oder den USB-Stick.",
    "The Cloud needs the connection to the KestrinTempus servers and is not available in this version of the "
    "program: use the zip archive or the USB pen."};
const MlText kNoChooser = {"La scelta di file e cartelle non \xE8 disponibile.",
                           "Die Auswahl von Dateien und Ordnern ist nicht verf\xFCgbar.",
                           "Choosing files and folders is not available."};
const MlText kNotAFolder = {"Non \xE8 una cartella:\r\n%s", "Kein Ordner:\r\n%s", "Not a folder:\r\n%s"};
const MlText kInsideSchool = {
    "Scegliere una cartella fuori dalla cartella della scuola: l'archivio non pu\xF2 contenere s\xE9 stesso.",
    "W\xE4hlen Sie einen Ordner au\xDF" "erhalb des Ordners der Schule: das Archiv kann sich nicht selbst enthalten.",
    "Choose a folder outside the school folder: the archive cannot hold itself."};
const MlText kReplace = {
    "La cartella [%s] contiene gi\xE0 dei file. Sostituire i file della scuola con quelli dell'archivio?",
    "Der Ordner [%s] enth\xE4lt bereits Dateien. Die Dateien der Schule durch die des Archivs ersetzen?",
    "The folder [%s] already holds files. Replace the school's files with those of the archive?"};

const MlText kChooserTitles[2] = {
    {"Scegliere la cartella in cui scrivere l'archivio", "Ordner w\xE4hlen, in den das Archiv geschrieben wird",
     "Choose the folder to write the archive into"},
    {"Scegliere l'archivio della scuola da ripristinare", "Archiv der Schule zum Wiederherstellen w\xE4hlen",
     "Choose the school archive to restore"}};

std::string with(const MlText& text, const std::string& value) {
  std::vector<char> out(std::string(text.Get()).size() + value.size() + 8);
  std::snprintf(out.data(), out.size(), text.Get(), value.c_str());
  return out.data();
}

bool inside(const fs::path& folder, const fs::path& school) {
  std::error_code error;
  fs::path a = fs::weakly_canonical(folder, error), b = fs::weakly_canonical(school, error);
  auto mismatch = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
  return mismatch.first == b.end();
}

}  // namespace

const char* ui_archive_chooser_title(int kind) { return kChooserTitles[kind == 0 ? 0 : 1].Get(); }

void ui_register_archive_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

int ui_run_archive_dialog(int mode) {
  ui_register_archive_template();
  g_archive_dialog.m_mode = static_cast<std::uint8_t>(mode);
  return static_cast<int>(g_archive_dialog.DoModal());
}

bool Carchivio::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowText(kTitle.Get());
  const std::pair<int, const MlText*> captions[] = {
      {kZipLabelId, &kZipLabel}, {kArchiveId, &kArchive},         {kRestoreId, &kRestore},
      {kPenLabelId, &kPenLabel}, {kPenRestoreId, &kPenRestore},   {kPenDeleteId, &kPenDelete},
      {kCloudLabelId, &kCloudLabel}, {kCloudSaveId, &kCloudSave}, {kCloudRestoreId, &kCloudRestore},
      {kHelpId, &kHelp},         {kIdCancel, &kBack}};
  for (const auto& [id, text] : captions) SetDlgItemText(id, text->Get());
  if (m_mode == 0) {
    SetDlgItemText(kStateId, with(kSchoolNow, kt::utf8_to_cp1252(kt::translate_path(og_current_folder_path()))));
  } else {
    SetDlgItemText(kStateId, (m_mode == 1 ? kCodeKept : kNoSchool).Get());
    EnableDlgItem(kArchiveId, false);  // there is no school to archive
  }
  return true;
}

bool Carchivio::OnCommand(WParam w, LParam l) {
  if (command_code(w) != kBnClicked) return CDialogML::OnCommand(w, l);
  switch (command_id(w)) {
    case kArchiveId: OnArchive(); return true;
    case kRestoreId: OnRestore(); return true;
    case kPenRestoreId: OnPen(0); return true;
    case kPenDeleteId: OnPen(1); return true;
    case kCloudSaveId:
    case kCloudRestoreId: ui_message_box(kCloudNotAvailable); return true;
    default: return CDialogML::OnCommand(w, l);
  }
}

void Carchivio::OnArchive() {
  if (m_mode != 0) return;
  std::string why;
  // A save that stopped halfway is completed first, so the archive holds
  // the school as it was last saved.
  if (!og_settle_school_folder(&why)) {
    ui_message_box(why.c_str());
    return;
  }
  std::string chosen;
  if (!g_archive_chooser) {
    ui_message_box(kNoChooser);
    return;
  }
  if (!g_archive_chooser(0, chosen)) return;
  std::string destination = kt::translate_path(chosen);
  std::string school = kt::translate_path(og_current_folder_path());
  std::error_code error;
  if (!fs::is_directory(destination, error)) {
    ui_message_box(with(kNotAFolder, kt::utf8_to_cp1252(destination)).c_str());
    return;
  }
  if (inside(destination, school)) {
    ui_message_box(kInsideSchool);
    return;
  }
  ArchiveResult result = og_archive_school_folder(school, destination);
  ui_message_box_type(result.message.c_str(), result.ok ? kMbOk | kMbIconInformation : kMbOk | kMbIconStop);
}

void Carchivio::OnRestore() {
  std::string chosen;
  if (!g_archive_chooser) {
    ui_message_box(kNoChooser);
    return;
  }
  if (!g_archive_chooser(1, chosen)) return;
  std::string bytes, why;
  RestorePlan plan;
  std::string name = chosen.substr(chosen.find_last_of("\\/") == std::string::npos ? 0 : chosen.find_last_of("\\/") + 1);
  if (!og_load_archive_file(kt::translate_path(chosen), &bytes, &why) ||
      !og_read_school_archive(bytes.data(), static_cast<std::uint32_t>(bytes.size()), name, &plan, &why)) {
    ui_message_box_type(why.c_str(), kMbOk | kMbIconStop);
    return;
  }
  bytes.clear();
  auto confirm = [](const std::string& folder) {
    return ui_message_box_type(with(kReplace, folder).c_str(), kMbYesNo | kMbIconQuestion) == kIdYes;
  };
  ArchiveResult result = og_restore_school_archive(plan, kt::translate_path(g_data_root), confirm);
  if (result.cancelled) return;
  if (!result.ok) {
    ui_message_box_type(result.message.c_str(), kMbOk | kMbIconStop);
    return;
  }
  ui_message_box_type(result.message.c_str(), kMbOk | kMbIconInformation);
  // The restored school becomes the current one, read as a chosen school is
  // (a school that does not read says so and stays unloaded).
  if (!og_set_current_folder((std::string(g_data_root) + plan.folder).c_str())) return;
  og_write_status_file();
  og_read_school_files(0);
  EndDialog(kRunAgain);
}

void Carchivio::OnPen(int delete_mode) {
  std::string before = og_current_folder_path();
  ui_open_pen_copies(delete_mode);
  if (og_current_folder_path() != before) {
    og_write_status_file();
    EndDialog(kRunAgain);
  }
}
