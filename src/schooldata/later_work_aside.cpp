// Setting aside the data files of later work after a restore (see
// later_work_aside.h). Each file is renamed into the new sub-folder of the
// same folder, so a move is one step of the file system: a file is either
// still in the school or in the sub-folder, whole, and nothing is copied or
// removed.
#include "schooldata/later_work_aside.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/cp1252.h"
#include "platform/system_files.h"
#include "schooldata/school_files.h"

namespace {

const char* const kSetAside[3] = {
    "I file di dati di un lavoro successivo alla copia ripristinata (%s) sono stati spostati nella sottocartella "
    "[%s] della scuola.",
    "Die Datendateien einer sp\xE4teren Arbeit als die wiederhergestellte Kopie (%s) wurden in den Unterordner [%s] "
    "der Schule verschoben.",
    "The data files of work later than the restored copy (%s) were moved into the sub-folder [%s] of the school."};
const char* const kNotMoved[3] = {
    "Il file [%s] di un lavoro successivo alla copia ripristinata non si \xE8 potuto spostare (%s): "
    "spostatelo o cancellatelo prima di calcolare o stampare l'orario.",
    "Die Datei [%s] einer sp\xE4teren Arbeit als die wiederhergestellte Kopie konnte nicht verschoben werden (%s): "
    "verschieben oder l\xF6schen Sie sie, bevor Sie den Stundenplan berechnen oder drucken.",
    "The file [%s] of work later than the restored copy could not be moved (%s): move or delete it before "
    "computing or printing the timetable."};

const char* pick(const char* const (&texts)[3], int language) {
  return texts[language >= 0 && language <= 2 ? language : 0];
}

std::string with_two(const char* format, const std::string& a, const std::string& b) {
  std::vector<char> out(std::string(format).size() + a.size() + b.size() + 1);
  std::snprintf(out.data(), out.size(), format, a.c_str(), b.c_str());
  return out.data();
}

// Makes a new sub-folder of `folder` for the files: the plain name when it
// is free, else with the date and time (no ':', which a pen's names refuse),
// then a number. Its 1252 name, or empty with *error.
std::string make_aside_folder(const std::string& folder, int* error) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);
  for (int n = 0; n < 100; ++n) {
    std::string name = kLaterWorkFolder;
    if (n > 0) name += std::string(" ") + stamp;
    if (n > 1) name += " (" + std::to_string(n) + ")";
    if (::mkdir((folder + "/" + kt::cp1252_to_utf8(name)).c_str(), 0777) == 0) return name;
    if (errno != EEXIST) {
      *error = errno;
      return std::string();
    }
  }
  *error = EEXIST;
  return std::string();
}

}  // namespace

bool og_is_school_data_file(const std::string& name) {
  static const char* const kNames[] = {
      "SCUOLA1.TXT",  "SCUOLA2.TXT",           "SCUOLA3.TXT",         "SCUOLA3P.TXT",
      "CATTPROV.TXT", "CATTTEST.TXT",          "SAVEGO.TXT",          "SAVEPROV.TXT",
      "SAVEBI.TXT",   "SAVEPREC.TXT",          "SAVETEST.TXT",        "SAVEGO_PRECEDENTE.TXT",
      "SAVEPREC_PRECEDENTE.TXT", "SAVEPROV_PRECEDENTE.TXT", "RICEVI_PRECEDENTE.TXT", "RICEVI.TXT",
      "ASSENZE.TXT",  "TEMPFILEDS.TXT",        "DEROGHE_REMOTE.TXT"};
  std::string folded = kt::cp1252_upper_copy(name);
  for (const char* n : kNames)
    if (folded == n) return true;
  return false;
}

LaterWorkAside og_set_aside_later_work(const std::string& folder, const std::set<std::string>& written) {
  LaterWorkAside aside;
  auto entries = kt::list_folder(folder, &aside.error);
  if (!entries) {
    // Nothing can be told about the folder's other files: say so rather
    // than leave them unseen.
    if (!aside.error) aside.error = EIO;
    aside.left.push_back(kt::utf8_to_cp1252(folder));
    return aside;
  }
  std::vector<std::string> later;
  for (const kt::FolderEntry& e : *entries) {
    if (e.is_folder || written.count(e.name) || !og_is_school_data_file(kt::utf8_to_cp1252(e.name))) continue;
    later.push_back(e.name);
  }
  if (later.empty()) return aside;
  int error = 0;
  aside.folder = make_aside_folder(folder, &error);
  for (const std::string& name : later) {
    if (!aside.folder.empty() &&
        std::rename((folder + "/" + name).c_str(),
                    (folder + "/" + kt::cp1252_to_utf8(aside.folder) + "/" + name).c_str()) == 0) {
      aside.moved.push_back(kt::utf8_to_cp1252(name));
      continue;
    }
    if (!aside.folder.empty()) error = errno;
    if (!aside.error) aside.error = error ? error : EIO;
    aside.left.push_back(kt::utf8_to_cp1252(name));
  }
  if (aside.moved.empty() && !aside.folder.empty()) {
    ::rmdir((folder + "/" + kt::cp1252_to_utf8(aside.folder)).c_str());
    aside.folder.clear();
  }
  return aside;
}

std::string og_later_work_message(const LaterWorkAside& aside, int language) {
  std::string text;
  if (!aside.moved.empty()) {
    std::string names;
    for (const std::string& n : aside.moved) names += (names.empty() ? "" : ", ") + n;
    text = with_two(pick(kSetAside, language), names, aside.folder);
  }
  for (const std::string& n : aside.left) {
    if (!text.empty()) text += "\r\n";
    text += with_two(pick(kNotMoved, language), n, og_write_failure_reason(aside.error));
  }
  return text;
}
