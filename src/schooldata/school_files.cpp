// Reading and saving a school's two files for the pages, with the message a
// failed read or save owes the user (see school_files.h).
#include "schooldata/school_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "platform/system_atomic_write.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_lookups.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

namespace {

const MlText kNotLoaded = {{"\n\nLa scuola non \xE8 stata caricata: nessun dato verr\xE0 salvato su questi file "
                            "finch\xE9 non si sceglie una scuola i cui file si leggono.",
                            "\n\nDie Schule wurde nicht geladen: nichts wird in diese Dateien gespeichert, bis eine "
                            "Schule gew\xE4hlt wird, deren Dateien lesbar sind.",
                            "\n\nThe school was not loaded: nothing will be saved over these files until a school "
                            "whose files read is chosen."}};
const MlText kNotSaved = {{"Dati NON salvati: ", "Daten NICHT gespeichert: ", "Data NOT saved: "}};
const MlText kStructureNotWritten = {{"impossibile scrivere scuola1.txt", "scuola1.txt kann nicht geschrieben werden",
                                      "cannot write scuola1.txt"}};
const MlText kCannotWrite = {{"impossibile scrivere %s: %s", "%s kann nicht geschrieben werden: %s",
                              "cannot write %s: %s"}};
const MlText kNotCompleted = {{"il salvataggio non \xE8 stato completato (%s): lo sar\xE0 alla prossima apertura della "
                               "scuola",
                               "das Speichern wurde nicht abgeschlossen (%s): es wird beim n\xE4" "chsten \xD6" "ffnen "
                               "der Schule abgeschlossen",
                               "the save was not completed (%s): it will be at the next opening of the school"}};
const MlText kLeftHalfDone = {{"L'ultimo salvataggio di questa scuola si \xE8 interrotto e non si pu\xF2 completare "
                               "(%s). La scuola non \xE8 stata caricata, e nulla verr\xE0 salvato su scuola1.txt e "
                               "scuola2.txt finch\xE9 il salvataggio non sar\xE0 completato: si riprova a ogni "
                               "apertura della scuola. I file del salvataggio (scuola.kt-commit e i file temporanei "
                               "accanto) restano nella cartella.",
                               "Das letzte Speichern dieser Schule wurde unterbrochen und kann nicht abgeschlossen "
                               "werden (%s). Die Schule wurde nicht geladen, und nichts wird in scuola1.txt und "
                               "scuola2.txt gespeichert, bis das Speichern abgeschlossen ist: es wird bei jedem "
                               "\xD6" "ffnen der Schule erneut versucht. Die Dateien des Speicherns (scuola.kt-commit "
                               "und die tempor\xE4ren Dateien daneben) bleiben im Ordner.",
                               "The last save of this school stopped halfway and cannot be completed (%s). The school "
                               "was not loaded, and nothing will be saved over scuola1.txt and scuola2.txt until the "
                               "save is completed: it is tried again at every opening of the school. The files of "
                               "the save (scuola.kt-commit and the temporary files beside it) stay in the folder."}};
const MlText kSaveDropped = {{"Un salvataggio di questa scuola interrotto in precedenza non \xE8 stato completato: "
                              "scuola1.txt e scuola2.txt sono stati sostituiti nel frattempo (per esempio da un "
                              "ripristino) e restano come sono.",
                              "Ein fr\xFC" "her unterbrochenes Speichern dieser Schule wurde nicht abgeschlossen: "
                              "scuola1.txt und scuola2.txt wurden inzwischen ersetzt (zum Beispiel durch eine "
                              "Wiederherstellung) und bleiben, wie sie sind.",
                              "An earlier save of this school that stopped halfway was not completed: scuola1.txt "
                              "and scuola2.txt were replaced since (by a restore, for example) and stay as they "
                              "are."}};
const MlText kSaveLost = {{"un file temporaneo del salvataggio manca", "eine tempor\xE4re Datei des Speicherns fehlt",
                           "a temporary file of the save is missing"}};
const MlText kMismatch = {{"Attenzione: scuola1.txt e scuola2.txt di questa cartella non vengono dallo stesso "
                           "salvataggio (uno dei due \xE8 stato sostituito o copiato da un'altra parte). Materie, "
                           "classi e indirizzi possono non corrispondere agli insegnamenti: controllate la scuola "
                           "prima di salvare, o ripristinate una copia dei due file.",
                           "Achtung: scuola1.txt und scuola2.txt dieses Ordners stammen nicht aus demselben "
                           "Speichern (eine der Dateien wurde ersetzt oder von anderswo kopiert). F\xE4" "cher, "
                           "Klassen und Studienrichtungen passen vielleicht nicht zu den Lehrauftr\xE4gen: pr\xFC"
                           "fen Sie die Schule vor dem Speichern oder stellen Sie eine Kopie beider Dateien wieder "
                           "her.",
                           "Warning: scuola1.txt and scuola2.txt of this folder do not come from the same save (one "
                           "of them was replaced or copied from elsewhere). Subjects, classes and study tracks may "
                           "not match the teaching posts: check the school before saving, or restore a copy of both "
                           "files."}};

// The marker of a save of both files still to be completed, beside them.
constexpr const char* kCommitMarker = "scuola.kt-commit";

std::string g_write_error;

std::string with(const char* text, const std::string& a, const std::string& b = std::string()) {
  std::string out = text;
  std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, a);
  at = out.find("%s", at == std::string::npos ? 0 : at + a.size());
  if (at != std::string::npos) out.replace(at, 2, b);
  return out;
}

std::string file_name(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string g_read_folder;  // where og_read_school_files ran last
// The refusal told last, with its folder: the pages that read the school one
// after the other (the chooser, the menu, each page) tell it once, not once
// each. A school read whole forgets it.
std::string g_told_refusal;

std::string current_folder() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

}  // namespace

std::string og_write_failure_reason(int error) {
  struct Reason {
    int error;
    MlText text;
  };
  static const Reason kReasons[] = {
      {ENOSPC, {{"disco pieno", "Datentr\xE4ger voll", "disk full"}}},
      {EDQUOT, {{"spazio su disco esaurito (quota)", "Speicherplatz ersch\xF6pft (Quote)", "disk quota exceeded"}}},
      {EFBIG, {{"file troppo grande", "Datei zu gro\xDF", "file too large"}}},
      {EROFS, {{"disco protetto in scrittura", "Datentr\xE4ger schreibgesch\xFCtzt", "read-only disk"}}},
      {EACCES, {{"accesso negato", "Zugriff verweigert", "permission denied"}}},
      {EPERM, {{"accesso negato", "Zugriff verweigert", "permission denied"}}},
      {EIO, {{"errore di scrittura sul disco", "Schreibfehler auf dem Datentr\xE4ger", "disk write error"}}},
      {ENOENT, {{"cartella mancante", "Ordner fehlt", "missing folder"}}},
  };
  for (const Reason& r : kReasons) {
    if (r.error == error) return r.text.Get();
  }
  return std::strerror(error);
}

std::string og_file_not_written_text(const std::string& file, int error) {
  static const MlText kNotWritten = {"Impossibile scrivere il file %s: %s",
                                     "Die Datei %s kann nicht geschrieben werden: %s", "Cannot write the file %s: %s"};
  std::string reason = og_write_failure_reason(error);
  std::vector<char> text(std::strlen(kNotWritten.Get()) + file.size() + reason.size() + 1);
  std::snprintf(text.data(), text.size(), kNotWritten.Get(), file.c_str(), reason.c_str());
  return text.data();
}

const char* og_school_commit_marker_name() { return kCommitMarker; }

bool og_settle_school_folder(std::string* why) {
  std::string marker = og_local_school_path(kCommitMarker);
  std::size_t slash = marker.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : marker.substr(0, slash);
  // The marker is read as every school file is, so a disk that fails part
  // way is a read error and never a shorter marker.
  std::string text, reason;
  SchoolLines read = og_read_plain_lines(marker, 4096, [&text](const std::string& line) {
    text += line + "\n";
    return true;
  }, &reason);
  struct stat info {};
  if (read == SchoolLines::kUnusable && ::stat(marker.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      info.st_size == 0) {
    read = SchoolLines::kRead;  // an empty marker was never written whole: it decides nothing
  }
  int error = 0;
  kt::Completion done = read == SchoolLines::kMissing ? kt::Completion::kNothing
                        : read == SchoolLines::kRead   ? kt::complete_files_as_marked(marker, text, &error)
                                                       : kt::Completion::kFailed;
  if (done == kt::Completion::kAbandoned) ui_message_box(kSaveDropped.Get());
  if (done == kt::Completion::kFailed) {
    // The temporaries and the marker stay: they are the only copy of the
    // save to finish, and a later opening may complete it.
    if (read == SchoolLines::kRead) reason = error == ENOENT ? kSaveLost.Get() : og_write_failure_reason(error);
    std::string text_why = with(kLeftHalfDone.Get(), reason);
    og_set_school_blocked(SchoolFilePart::kPendingSave, text_why.c_str());
    if (why != nullptr) *why = text_why;
    return false;
  }
  og_set_school_blocked(SchoolFilePart::kPendingSave, nullptr);
  kt::remove_stale_temporaries(folder);
  return true;
}

int og_write_school_files() {
  g_write_error.clear();
  std::string kept_structure = g_structure_pair_stamp;
  std::string kept_description = g_description_pair_stamp;
  g_structure_pair_stamp = g_description_pair_stamp = og_new_pair_stamp();
  auto keep_stamps = [&] {
    g_structure_pair_stamp = kept_structure;
    g_description_pair_stamp = kept_description;
  };
  SchoolFileText structure;
  SchoolFileText description;
  int built = og_structure_text(structure);
  if (built != 0) {
    keep_stamps();
    if (built > 0) return 0;  // a worker process writes nothing
    g_write_error = og_structure_not_saved_reason();
    return -1;
  }
  if (og_description_text(0, description) != 0) {
    og_structure_text_written(false);
    keep_stamps();
    g_write_error = og_description_write_error();
    return -1;
  }
  std::string failed;
  int error = 0;
  bool written = kt::replace_files_together({{og_local_school_path("scuola1.txt"), structure.bytes()},
                                             {og_local_school_path("scuola2.txt"), description.bytes()}},
                                            og_local_school_path(kCommitMarker), &failed, &error);
  og_structure_text_written(written);
  og_description_text_written("scuola2.txt", 0, written);
  if (written) return 0;
  keep_stamps();
  std::string reason = og_write_failure_reason(error);
  g_write_error = failed.empty() ? with(kNotCompleted.Get(), reason)
                                 : with(kCannotWrite.Get(), file_name(failed), reason);
  return -1;
}

const char* og_school_files_write_error() { return g_write_error.c_str(); }

void og_tell_school_not_read(const char* reader_message) {
  std::string told = current_folder() + '\n' + reader_message;
  if (told == g_told_refusal) return;
  g_told_refusal = told;
  // The unfinished save's message says itself what is kept and when.
  if (og_school_blocked_by(SchoolFilePart::kPendingSave)) ui_message_box(reader_message);
  else ui_message_box((std::string(reader_message) + kNotLoaded.Get()).c_str());
}

void og_tell_school_not_saved(const char* why) { ui_message_box((std::string(kNotSaved.Get()) + why).c_str()); }

const char* og_structure_not_saved_reason() {
  return og_school_loaded() ? kStructureNotWritten.Get() : og_school_unloaded_text();
}

bool og_school_read_in_current_folder() { return !g_read_folder.empty() && g_read_folder == current_folder(); }

bool og_read_school_files(int create) {
  g_read_folder = current_folder();
  // A missing file (-1) is an empty school, not a refused one; a save that
  // stopped halfway is completed by the structure's reader, or refuses it.
  if (og_read_structure_file(create) == -2) {
    // Nothing of the school read before may show as this one's.
    og_clear_school_blocks();
    og_tell_school_not_read(og_structure_error());
    return false;
  }
  if (og_read_assignments_file(create) == -2) {
    og_tell_school_not_read(og_description_error());
    return false;
  }
  g_told_refusal.clear();
  for (const std::string& notice : og_subject_notices()) ui_message_box(notice.c_str());
  if (!g_structure_pair_stamp.empty() && !g_description_pair_stamp.empty() &&
      g_structure_pair_stamp != g_description_pair_stamp) {
    ui_message_box(kMismatch.Get());
  }
  return true;
}

bool og_save_school_files() {
  if (og_write_school_files() == 0) return true;
  og_tell_school_not_saved(og_school_files_write_error());
  return false;
}

bool og_save_description_file() {
  if (og_write_assignments_file(0, 0) == 0) return true;
  og_tell_school_not_saved(og_description_write_error());
  return false;
}
