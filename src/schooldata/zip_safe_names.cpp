// Entry names made safe for extraction, and the user's messages for the
// zip result codes. A name from an archive is never trusted: whatever it
// says, the safe name is a plain relative path of ordinary components, so
// "folder\\name" never leaves the folder.
//
// Rule: split at '/' and '\\'; drop runs of drive prefixes ("C:") at the
// start of a component, then empty and "." components; a ".." component drops everything collected before it
// (the archive meant to climb, we land at the top instead).
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "schooldata/zip_reader.h"

namespace {

bool is_drive_prefix(const std::string& part) {
  return part.size() == 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

}  // namespace

void ui_zip_make_safe_name(const char* raw, char* out, int out_size) {
  if (!out || out_size <= 0) return;
  out[0] = '\0';
  if (!raw) return;
  std::vector<std::string> kept;
  std::string part;
  for (const char* p = raw;; ++p) {
    if (*p == '/' || *p == '\\' || *p == '\0') {
      while (part.size() >= 2 && is_drive_prefix(part.substr(0, 2))) part.erase(0, 2);
      if (part == "..") kept.clear();
      else if (!part.empty() && part != "." && !is_drive_prefix(part)) kept.push_back(part);
      part.clear();
      if (*p == '\0') break;
    } else {
      part += *p;
    }
  }
  std::string name;
  for (const std::string& k : kept) name += (name.empty() ? "" : "/") + k;
  std::size_t n = std::min(name.size(), static_cast<std::size_t>(out_size - 1));
  std::memcpy(out, name.data(), n);
  out[n] = '\0';
}

bool ui_zip_name_reaches_out(const char* raw) {
  if (!raw) return false;
  if (raw[0] == '/' || raw[0] == '\\') return true;
  std::string part;
  for (const char* p = raw;; ++p) {
    if (*p == '/' || *p == '\\' || *p == '\0') {
      if (part == ".." || (part.size() >= 2 && is_drive_prefix(part.substr(0, 2)))) return true;
      part.clear();
      if (*p == '\0') return false;
    } else {
      part += *p;
    }
  }
}

const char* ui_zip_error_text(std::uint32_t code, int language) {
  struct Row {
    std::uint32_t code;
    const char* text[3];
  };
  static const Row rows[] = {
      {kZipOk, {"Operazione completata", "Vorgang abgeschlossen", "Operation completed"}},
      {kZipCannotOpen,
       {"Impossibile aprire l'archivio o creare un file", "Archiv kann nicht geöffnet oder Datei nicht erstellt werden"_cp,
        "The archive cannot be opened or a file cannot be created"}},
      {kZipWriteFailed,
       {"Errore di scrittura del file (disco pieno?)", "Fehler beim Schreiben der Datei (Festplatte voll?)",
        "Error writing the file (disk full?)"}},
      {kZipBadLocalHeader,
       {"Archivio zip danneggiato (intestazione non valida)", "Zip-Archiv beschädigt (ungültiger Kopf)"_cp,
        "Damaged zip archive (invalid header)"}},
      {kZipReadFailed,
       {"Archivio zip danneggiato o incompleto", "Zip-Archiv beschädigt oder unvollständig"_cp,
        "Damaged or incomplete zip archive"}},
      {kZipPassword,
       {"L'archivio è protetto da password"_cp, "Das Archiv ist kennwortgeschützt"_cp, "The archive is password protected"}},
      {kZipBadArgument, {"Richiesta non valida", "Ungültige Anforderung"_cp, "Invalid request"}},
      {kZipNotReading, {"Archivio non aperto in lettura", "Archiv nicht zum Lesen geöffnet"_cp, "Archive not open for reading"}},
      {kZipAlreadyOpen, {"Archivio già aperto"_cp, "Archiv bereits geöffnet"_cp, "Archive already open"}},
      {kZipSeekFailed,
       {"Archivio zip danneggiato o incompleto", "Zip-Archiv beschädigt oder unvollständig"_cp,
        "Damaged or incomplete zip archive"}},
      {kZipSizeLimit,
       {"L'archivio contiene file troppo grandi: estrazione interrotta",
        "Das Archiv enthält zu große Dateien: Entpacken abgebrochen"_cp,
        "The archive holds files that are too large: extraction stopped"}},
      {kZipLinkRefused,
       {"L'archivio contiene un collegamento: non estratto", "Das Archiv enthält eine Verknüpfung: nicht entpackt"_cp,
        "The archive holds a link: not extracted"}},
      {kZipInflateFailed,
       {"Archivio zip danneggiato: dati non leggibili", "Zip-Archiv beschädigt: Daten nicht lesbar"_cp,
        "Damaged zip archive: data cannot be read"}},
      {kZipNameTooLong,
       {"L'archivio contiene un nome di file troppo lungo: estrazione interrotta",
        "Das Archiv enthält einen zu langen Dateinamen: Entpacken abgebrochen"_cp,
        "The archive holds a file name that is too long: extraction stopped"}},
  };
  int l = language >= 0 && language <= 2 ? language : 0;
  for (const Row& r : rows)
    if (r.code == code) return r.text[l];
  static const char* unknown[3] = {"Errore nell'archivio zip", "Fehler im Zip-Archiv", "Error in the zip archive"};
  return unknown[l];
}
