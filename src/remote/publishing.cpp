// The publishing export (see publishing.h).
#include "remote/publishing.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "remote/publish_dialog.h"
#include "reports/report_run.h"
#include "schooldata/school_files.h"
#include "schooldata/ui_school_model.h"
#include "shell/engine_commands.h"
#include "shell/file_services.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

namespace {

const MlText kNoCode = {"La scuola non ha un codice: l'orario non puo' essere pubblicato.",
                        "Die Schule hat keinen Code: der Stundenplan kann nicht ver\xF6" "ffentlicht werden.",
                        "The school has no code: the timetable cannot be published."};
const MlText kPublished = {"Orario pronto per la pubblicazione:\r\n%s", "Stundenplan zur Ver\xF6" "ffentlichung bereit:\r\n%s",
                           "Timetable ready for publishing:\r\n%s"};
const MlText kWithdrawn = {"Ritiro dell'orario pubblicato pronto:\r\n%s",
                           "R\xFC" "cknahme des ver\xF6" "ffentlichten Stundenplans bereit:\r\n%s",
                           "Withdrawal of the published timetable ready:\r\n%s"};
const MlText kNotSent = {"\r\n\r\nL'invio ai server di KestrinTempus non \xE8 disponibile in questa versione del "
                         "programma: consegnate il file a chi pubblica l'orario.",
                         "\r\n\r\nDas Senden an die Server von KestrinTempus ist in dieser Version des Programms "
                         "nicht verf\xFCgbar: geben Sie die Datei dem, der den Stundenplan ver\xF6" "ffentlicht.",
                         "\r\n\r\nSending to the KestrinTempus servers is not available in this version of the "
                         "program: hand the file to whoever publishes the timetable."};

void copy_field(char* to, std::size_t size, const char* from) { std::snprintf(to, size, "%s", from ? from : ""); }

}  // namespace

bool krv_publish_timetable(const char* memo, bool delete_published, std::string* path) {
  if (path) path->clear();
  // The code is the school's: read it when no page has read the school yet.
  if (g_ui_header.school_code[0] == '\0' && !og_read_school_files(0)) return false;
  if (!og_school_loaded() || g_ui_header.school_code[0] == '\0') {
    ui_message_box(kNoCode);
    return false;
  }
  copy_field(g_publish_school_code, sizeof g_publish_school_code, g_ui_header.school_code);
  copy_field(g_publish_memo, sizeof g_publish_memo, memo);
  // The memo is one record line of the export: a line end or another
  // control character in it would start a record of its own.
  for (char* c = g_publish_memo; *c; ++c)
    if (static_cast<unsigned char>(*c) < 32) *c = ' ';
  g_publish_delete = delete_published ? 1 : 0;
  g_publish_export_path[0] = '\0';
  std::int32_t result = og_run_engine(EngineCommandCode::RepoPubk);
  // The code stays only for this run: other report runs write no export.
  g_publish_school_code[0] = '\0';
  g_publish_memo[0] = '\0';
  g_publish_delete = 0;
  std::string written(g_publish_export_path, strnlen(g_publish_export_path, sizeof g_publish_export_path));
  if (result != 0 || written.empty()) return false;
  if (path) *path = written;
  return true;
}

void krv_publish_from_menu() {
  ui_register_publish_template();
  Cpubblica question;
  int answer = static_cast<int>(question.DoModal());
  if (answer != Cpubblica::kPublish && answer != Cpubblica::kWithdraw) return;
  bool withdraw = answer == Cpubblica::kWithdraw;
  std::string path;
  if (!krv_publish_timetable(question.m_memo.c_str(), withdraw, &path)) return;
  // Named the way this system writes paths ("Orario/Export_...").
  std::string shown = ui_shown_path(path);
  std::vector<char> text(shown.size() + 80);
  std::snprintf(text.data(), text.size(), (withdraw ? kWithdrawn : kPublished).Get(), shown.c_str());
  ui_message_box((std::string(text.data()) + kNotSent.Get()).c_str());
}
