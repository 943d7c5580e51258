// The rows of the school-folder chooser and the new-school creation behind
// it, apart from the dialog: which folders the chooser lists in the current
// folder with the school title of each, and the steps that make a new school
// folder with its first description. Paths are program paths (1252,
// "\\KestrinTempusDati\\liceo"); the current folder is the process's.
//
// The steps of the new school that belong to the school model (reading the
// description, the defaults of a school type, writing it) and to other
// dialogs (the input box, the cloud question) come in as hooks, so the
// chooser holds only its own rules.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct SchoolFolderRow {
  std::string name;   // "." , ".." or the folder's name (1252)
  std::string title;  // the school's title, '|' shown as blanks; or the ".." text
};

struct SchoolFolderListing {
  bool at_data_root = false;
  std::vector<SchoolFolderRow> rows;
  int selected = -1;  // the row to select
};

// The five output folders that are never listed as schools.
inline constexpr const char* kChooserHiddenFolders[5] = {"Orario", "Sostituzioni", "RisultatoTest", "Provvisorio", "RISERVA"};

// True when `program_folder` is the data root itself ("\\KestrinTempusDati",
// a final backslash allowed).
bool og_is_data_root_path(const std::string& program_folder);

// The rows for `program_folder` (the current folder): outside the data root
// "." (selected when select_self) and ".." (selected otherwise) first, then
// every sub-folder by name with its school title.
SchoolFolderListing og_list_school_folders(const std::string& program_folder, bool select_self, int language);

// The folder name of a new school: every character that is not a letter or
// digit becomes '_'.
std::string og_new_school_folder_name(const std::string& typed);

struct NewSchoolHooks {
  // Asks both texts; false unless the user pressed OK.
  std::function<bool(std::string* school_name, std::string* folder_name)> ask_names;
  // When the school current at opening has a code: negative cancels,
  // positive shares that code, 0 does not share.
  std::function<int()> ask_cloud_share;
  std::function<void(const std::string& text)> tell;
  // In the new folder, made current: read the description, set the shared
  // code (empty for none), apply the defaults of the school type asked from
  // the user, write the description. Empty hooks are skipped.
  std::function<void()> read_description;
  std::function<void(const std::string& code)> set_school_code;
  std::function<void()> apply_new_school_defaults;
  std::function<void()> write_description;
};

// The creation of a new school in the current folder; 1 when nothing was
// done, 0 otherwise. `previous_code` is the school code of the school that
// was current when the chooser opened (empty for none).
int og_create_new_school(const NewSchoolHooks& hooks, const std::string& previous_code, int language);

// The service extraction: the archive "<name>_B.ZIP" (name cut to 40) of
// the service server's folder unpacked into the data root's
// "ZZ_VOLANTE_DA_MIRVOL", made current. 0 when every entry was extracted.
int og_service_extraction(const std::string& pasted_name, const std::function<void(const std::string&)>& tell,
                          int language);

// The texts of the chooser and the creation (1252).
enum class SchoolFolderText { kBackToList, kOnlyInDataRoot, kAlreadyExists, kNameTooShort, kHelp, kNotCreated };
const char* school_folder_text(SchoolFolderText which, int language);
