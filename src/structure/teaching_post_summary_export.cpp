// The export of the teaching-post summary: the rows in the order shown, as
// fixed-width fields, to "Riepilogo_Cattedre.txt" (fields ended by TAB) and
// "Riepilogo_Cattedre.csv" (fields ended by ';') in the school's summary
// folder; file and folder names follow the user's language. Each field is
// padded to its column's longest text + 3, numbers too, so the two files
// line up in a plain editor. Both files are written whole to temporaries
// and renamed only when both were written; a failure leaves the old exports
// as they were and says what failed: the disk (full, read-only, failing) or
// the rights when the system tells so, else that another program may hold
// the file.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "schooldata/school_files.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"
#include "shell/service_mode.h"
#include "structure/teacher_page_internal.h"
#include "structure/teaching_post_summary.h"

using namespace kt::ui;

namespace {

const MlText kFolder = {"Riepilogo", "Zusammenfassung", "Summary"};
const MlText kTextFile = {"Riepilogo_Cattedre.txt", "Klassenstunden_Zusammenfassung.txt", "Teaching_Summary.txt"};
const MlText kCsvFile = {"Riepilogo_Cattedre.csv", "Klassenstunden_Zusammenfassung.csv", "Teaching_Summary.csv"};
const MlText kExportHelp = {
    "Il contenuto di questo riepilogo viene scritto nel file Riepilogo_Cattedre.txt, nell'ordine in cui è "
    "mostrato sullo schermo."_cp,
    "Der Inhalt dieser Übersicht wird in der Reihenfolge des Bildschirms in die Datei "
    "Klassenstunden_Zusammenfassung.txt geschrieben."_cp,
    "The content of this summary is written to the file Teaching_Summary.txt, in the order shown on the screen."};
const MlText kInUse = {"(Chiudere il documento Word o Xls in uso e ripetere l'operazione)",
                       "(Das geöffnete Word- oder Xls-Dokument schließen und den Vorgang wiederholen)"_cp,
                       "(Close the Word or Xls document in use and repeat the operation)"};
const MlText kDone = {"Dati del riepilogo esportati nel file\n%s/\n    %s e\n    %s",
                      "Daten der Übersicht exportiert in die Datei\n%s/\n    %s und\n    %s"_cp,
                      "Summary data exported to the file\n%s/\n    %s and\n    %s"};
constexpr int kExportWaitMs = 1111;

// The folder as this machine names it, where the user finds it.
std::string shown_folder() {
  std::error_code ignored;
  std::filesystem::path folder = kt::translate_path(std::string(".\\") + kFolder.Get());
  return kt::utf8_to_cp1252(std::filesystem::absolute(folder, ignored).lexically_normal().string());
}

// What stopped the export. Only a failure the system gives no cause for is
// taken for a document held open by another program: a full or read-only
// disk, a failing one or missing rights are said as they are, so that the
// officer does not look for a document that is not open.
void tell_not_written(const MlText& name, int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EROFS:
    case EIO:
    case EACCES:
    case EPERM:
      ui_message_box(og_file_not_written_text(shown_folder() + "/" + name.Get(), error).c_str());
      return;
    default:
      ui_message_box(kInUse);
  }
}

std::string field(const std::string& text, int width, char separator) {
  std::string out = text.substr(0, std::size_t(width));
  out.resize(std::size_t(width), ' ');
  return out + separator;
}

}  // namespace

std::string Csyncat::Export() {
  ListView* list = static_cast<ListView*>(GetDlgItem(kListId));
  int columns = std::min(list->GetColumnCount(), 40);
  std::vector<int> widths(static_cast<std::size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    int width = int(list->GetColumnHeading(c).size());
    for (int r = 0; r < list->GetItemCount(); ++r)
      width = std::max(width, int(std::min<std::size_t>(list->GetItemText(r, c).size(), 199)));
    widths[std::size_t(c)] = width + 3;
  }
  std::string folder = kt::translate_path(std::string(".\\") + kFolder.Get());
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  kt::AtomicFile text(folder + "/" + kTextFile.Get());
  kt::AtomicFile csv(folder + "/" + kCsvFile.Get());
  if (!text.is_open() || !csv.is_open()) {
    if (!text.is_open()) tell_not_written(kTextFile, text.error());
    else tell_not_written(kCsvFile, csv.error());
    return "";
  }
  auto write_line = [&](auto cell) {
    std::string t, s;
    for (int c = 0; c < columns; ++c) {
      std::string value = cell(c);
      t += field(value, widths[std::size_t(c)], '\t');
      s += field(value, widths[std::size_t(c)], ';');
    }
    text.write(t + "\n");
    csv.write(s + "\n");
  };
  write_line([&](int c) { return list->GetColumnHeading(c); });
  for (int r = 0; r < list->GetItemCount(); ++r) write_line([&](int c) { return list->GetItemText(r, c); });
  // Both whole on disk before either replaces its old export.
  if (!text.prepare()) {
    csv.discard();
    tell_not_written(kTextFile, text.error());
    return "";
  }
  if (!csv.prepare()) {
    text.discard();
    tell_not_written(kCsvFile, csv.error());
    return "";
  }
  if (!text.commit()) {
    csv.discard();
    tell_not_written(kTextFile, text.error());
    return "";
  }
  if (!csv.commit()) {
    tell_not_written(kCsvFile, csv.error());
    return "";
  }
  return folder + "/" + kTextFile.Get();
}

void Csyncat::OnExport() {
  m_help.SetTextML(&kExportHelp);
  if (Export().empty()) return;
  std::string shown = shown_folder();
  char done[700];
  std::snprintf(done, sizeof done, kDone.Get(), shown.c_str(), kTextFile.Get(), kCsvFile.Get());
  ui_message_box(done);
  if (!ui_require_school_folder(2)) return;
  // The service user looks at fresh results: the trial save goes first.
  if (g_service_mode) or_delete_test_save();
  ui_open_in_explorer((std::string(".\\") + kFolder.Get()).c_str());
  message_beep(kBeepOk);
  // A short pause while the explorer comes up; the frame stays usable after it.
  alfadlg_lock_navigation(0);
  ui_clock().SleepMs(kExportWaitMs);
  alfadlg_unlock_navigation(1);
}
