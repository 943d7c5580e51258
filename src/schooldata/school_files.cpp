// Reading and saving a school's two files for the pages, with the message a
// failed read or save owes the user (see school_files.h).
#include "schooldata/school_files.h"

#include <unistd.h>

#include <string>

#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
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

std::string g_read_folder;  // where og_read_school_files ran last

std::string current_folder() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

}  // namespace

void og_tell_school_not_read(const char* reader_message) {
  ui_message_box((std::string(reader_message) + kNotLoaded.Get()).c_str());
}

void og_tell_school_not_saved(const char* why) { ui_message_box((std::string(kNotSaved.Get()) + why).c_str()); }

const char* og_structure_not_saved_reason() {
  return og_school_loaded() ? kStructureNotWritten.Get() : og_school_unloaded_text();
}

bool og_school_read_in_current_folder() { return !g_read_folder.empty() && g_read_folder == current_folder(); }

bool og_read_school_files(int create) {
  g_read_folder = current_folder();
  // A missing file (-1) is an empty school, not a refused one.
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
  return true;
}

bool og_save_school_files() {
  if (og_write_structure_file() != 0) {
    og_tell_school_not_saved(og_structure_not_saved_reason());
    return false;
  }
  return og_save_description_file();
}

bool og_save_description_file() {
  if (og_write_assignments_file(0, 0) == 0) return true;
  og_tell_school_not_saved(og_description_write_error());
  return false;
}
