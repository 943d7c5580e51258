// The chooser's folder rows and the new-school steps (see
// school_folder_list.h). A school folder holds a few files and the five
// output folders; the data root holds some dozens of schools, so listing
// reads each folder's description header once per fill.
#include "schooldata/school_folder_list.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "schooldata/school_files.h"
#include "shell/app_startup.h"
#include "schooldata/model_utilities.h"

namespace {

constexpr const char* kDataRootName = "\\KestrinTempusDati";

bool is_output_folder(const std::string& name) {
  for (const char* o : kChooserHiddenFolders)
    if (name == o) return true;
  return false;
}

std::string title_of(const std::string& program_folder) {
  const char* title = or_read_school_header(program_folder.c_str(), nullptr, nullptr, nullptr, nullptr, "scuola2.txt");
  return title ? title : "";
}

std::string drive_less(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(2);
  return path;
}

}  // namespace

bool og_is_data_root_path(const std::string& program_folder) {
  std::string p = drive_less(program_folder);
  if (p.size() > 1 && p.back() == '\\') p.pop_back();
  return p == kDataRootName;
}

SchoolFolderListing og_list_school_folders(const std::string& program_folder, bool select_self, int language) {
  SchoolFolderListing out;
  out.at_data_root = og_is_data_root_path(program_folder);
  std::string base = program_folder;
  if (base.empty() || base.back() != '\\') base += '\\';
  if (!out.at_data_root) {
    out.rows.push_back({".", title_of(program_folder)});
    out.rows.push_back({"..", school_folder_text(SchoolFolderText::kBackToList, language)});
    out.selected = select_self ? 0 : 1;
  }
  auto entries = kt::list_folder(kt::translate_path(program_folder));
  if (!entries) return out;
  for (const kt::FolderEntry& e : *entries) {
    if (!e.is_folder) continue;
    std::string name = kt::utf8_to_cp1252(e.name);
    if (out.at_data_root ? name[0] == '.' : is_output_folder(name)) continue;
    out.rows.push_back({name, title_of(base + name)});
  }
  if (out.selected < 0 && !out.rows.empty()) out.selected = 0;
  return out;
}

namespace {

// A typed name as every name of the program is kept: without outer blanks,
// with single blanks, no field separators.
std::string cleaned(const std::string& typed, int max_length) {
  std::vector<char> buffer(std::size_t(max_length) + 1, '\0');
  std::snprintf(buffer.data(), buffer.size(), "%s", typed.c_str());
  og_clean_name(buffer.data(), max_length, 0);
  return buffer.data();
}

}  // namespace

std::string og_new_school_folder_name(const std::string& typed) {
  std::string name = cleaned(typed, 60);
  for (char& c : name)
    if (!or_is_alnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

int og_create_new_school(const NewSchoolHooks& hooks, const std::string& previous_code, int language) {
  std::string current = og_current_folder_path();
  if (current.empty() || current.back() != '\\') current += '\\';
  std::string after_drive = drive_less(current);
  if (after_drive.size() < std::strlen(g_data_root)) return 1;
  if (!og_is_data_root_path(current)) {
    char text[512];
    std::snprintf(text, sizeof text, school_folder_text(SchoolFolderText::kOnlyInDataRoot, language), g_data_root);
    if (hooks.tell) hooks.tell(text);
    og_set_current_folder(g_data_root);
    return 1;
  }
  bool share = false;
  if (!previous_code.empty() && hooks.ask_cloud_share) {
    int answer = hooks.ask_cloud_share();
    if (answer < 0) return 1;
    share = answer > 0;
  }
  std::string school, folder;
  if (!hooks.ask_names || !hooks.ask_names(&school, &folder)) return 1;
  school = cleaned(school, 80);
  folder = og_new_school_folder_name(folder);
  if (folder.empty() || school.empty()) {
    if (hooks.tell) hooks.tell(school_folder_text(SchoolFolderText::kNameTooShort, language));
    return 1;
  }
  std::string program_path = current + folder;
  std::string machine = kt::translate_path(program_path);
  if (kt::file_exists(machine) || kt::folder_exists(machine)) {
    char text[512];
    std::snprintf(text, sizeof text, school_folder_text(SchoolFolderText::kAlreadyExists, language), folder.c_str());
    if (hooks.tell) hooks.tell(text);
    return 0;
  }
  int error = 0;
  bool made = kt::make_folders(machine, &error);
  if (!made || !kt::write_file_atomically(machine + "/scuola2.txt", "REM:" + school, &error)) {
    // The folder made here goes again (it is still empty): a folder without
    // its school would list as one and refuse the name next time.
    if (made) ::rmdir(machine.c_str());
    char text[700];
    std::snprintf(text, sizeof text, school_folder_text(SchoolFolderText::kNotCreated, language), folder.c_str(),
                  og_write_failure_reason(error ? error : EIO).c_str());
    if (hooks.tell) hooks.tell(text);
    return 1;
  }
  og_set_current_folder(program_path.c_str());
  if (hooks.read_description) hooks.read_description();
  if (share && hooks.set_school_code) hooks.set_school_code(previous_code);
  if (hooks.apply_new_school_defaults) hooks.apply_new_school_defaults();
  if (hooks.write_description) hooks.write_description();
  return 0;
}

const char* school_folder_text(SchoolFolderText which, int language) {
  struct Row {
    const char* text[3];
  };
  static const Row kRows[] = {
      {{"RITORNA ALL'ELENCO delle cartelle e scuole", "Zurück zur Liste der Ordner und Schulen"_cp,
        "Back to the list of folders and schools"}},
      {{"Le nuove cartelle (e nuove scuole) possono essere create solo nella cartella [ %s].",
        "Die neue Ordner (und neue Schulen) können nur in der [%s] Ordner angelegt werden."_cp,
        "The new folders (and new schools) can be created only in the [%s] folder."}},
      {{"File o Cartella %s già esistente."_cp, "Datei oder Ordner %s ist bereits vorhanden.",
        "File or Folder %s already exists."}},
      {{"Il nome della scuola e della cartella non possono essere vuoti",
        "Der Name der Schule und des Ordners darf nicht leer sein", "The school and folder names cannot be empty"}},
      {{"Selezionare la cartella di lavoro nell'unità disco corrente. La cartella si può scegliere con il Doppio "
        "Click del Mouse, oppure selezionandola e premendo [Invio]."_cp,
        "Den Arbeitsordner auf dem aktuellen Laufwerk wählen. Der Ordner kann mit einem Doppelklick der Maus "
        "gewählt werden, oder indem man ihn markiert und [Enter] drückt."_cp,
        "Select the working folder on the current drive. The folder can be chosen with a Double Click of the "
        "Mouse, or by selecting it and pressing [Enter]."}},
      {{"Impossibile creare la cartella %s della nuova scuola: %s",
        "Der Ordner %s der neuen Schule kann nicht angelegt werden: %s",
        "The folder %s of the new school cannot be created: %s"}},
  };
  int l = language >= 0 && language <= 2 ? language : 0;
  return kRows[static_cast<int>(which)].text[l];
}
