// The file-open dialog of the FLTK backend: FLTK's native chooser, which is
// the desktop's own (GTK's) where its library is on the machine and FLTK's
// where it is not, filtered as the request says, starting in the folder of
// the initial name. Both speak the program's language: the desktop's
// chooser through gettext (chooser_language.h), FLTK's with the program's
// texts; where gettext cannot follow the program (the bare C locale),
// FLTK's chooser is shown. The chosen file comes
// back as a program path (file_open_dialog.h); a name that code page 1252
// cannot hold is reported as such, for the caller to tell the user. While
// the chooser runs, the owner's top-level window is disabled like under any
// modal dialog of the program.
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/cp1252.h"
#include "platform/fltk/chooser_language.h"
#include "platform/fltk/fltk_internal.h"
#include "platform/fltk/file_open_dialog.h"
#include "platform/paths.h"

namespace kt::ui {

namespace {

bool is_folder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string current_folder() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

// The texts of FLTK's own chooser (the fallback) in the program's language.
const char* set_chooser_language(int language) {
  struct Texts {
    const char *title, *ok, *cancel, *file, *all, *favorites, *add, *manage, *filesystems, *folder, *preview, *show,
        *hidden, *custom, *exists, *save;
  };
  static const Texts kTexts[3] = {
      {"Scegliere un file", "Apri", "Annulla", "Nome del file:", "Tutti i file (*)", "Preferiti",
       "Aggiungi ai preferiti", "Gestisci i preferiti", "File system", "Nuova cartella", "Anteprima", "Mostra:",
       "Mostra i file nascosti", "Filtro personalizzato", "Il file esiste. Sostituirlo?", "Salva"},
      {"Datei w\xC3\xA4" "hlen", "\xC3\x96" "ffnen", "Abbrechen", "Dateiname:", "Alle Dateien (*)", "Favoriten",
       "Zu Favoriten hinzuf\xC3\xBC" "gen", "Favoriten verwalten", "Dateisysteme", "Neuer Ordner", "Vorschau",
       "Zeigen:", "Versteckte Dateien zeigen", "Eigener Filter", "Die Datei existiert. Ersetzen?", "Speichern"},
      {"Choose a file", "Open", "Cancel", "Filename:", "All Files (*)", "Favorites", "Add to Favorites",
       "Manage Favorites", "File Systems", "New Directory", "Preview", "Show:", "Show hidden files", "Custom Filter",
       "The file exists. Replace it?", "Save"}};
  const Texts& t = kTexts[language >= 0 && language <= 2 ? language : 0];
  fl_ok = t.ok;
  fl_cancel = t.cancel;
  Fl_File_Chooser::filename_label = t.file;
  Fl_File_Chooser::all_files_label = t.all;
  Fl_File_Chooser::favorites_label = t.favorites;
  Fl_File_Chooser::add_favorites_label = t.add;
  Fl_File_Chooser::manage_favorites_label = t.manage;
  Fl_File_Chooser::filesystems_label = t.filesystems;
  Fl_File_Chooser::new_directory_label = t.folder;
  Fl_File_Chooser::new_directory_tooltip = t.folder;
  Fl_File_Chooser::preview_label = t.preview;
  Fl_File_Chooser::show_label = t.show;
  Fl_File_Chooser::hidden_label = t.hidden;
  Fl_File_Chooser::custom_filter_label = t.custom;
  Fl_File_Chooser::existing_file_label = t.exists;
  Fl_File_Chooser::save_label = t.save;
  return t.title;
}

FileOpenResult run_native_chooser(const FileOpenRequest& request) {
  DesktopChooserLanguage language(request.language);
  Fl::option(Fl::OPTION_FNFC_USES_GTK, language.Speaks());
  const char* default_title = set_chooser_language(request.language);
  Fl_Native_File_Chooser chooser(request.choose_folder ? Fl_Native_File_Chooser::BROWSE_DIRECTORY
                                                       : Fl_Native_File_Chooser::BROWSE_FILE);
  // Without a title FLTK's chooser would show its own English one.
  std::string title = request.title.empty() ? std::string(default_title) : cp1252_to_utf8(request.title);
  chooser.title(title.c_str());
  std::string filter = chooser_filter(parse_file_filter(request.filter));
  if (!filter.empty()) chooser.filter(filter.c_str());
  if (!request.initial_name.empty()) {
    std::string initial = translate_path(request.initial_name);
    if (is_folder(initial)) {
      chooser.directory(initial.c_str());
    } else {
      std::size_t slash = initial.rfind('/');
      if (slash != std::string::npos) chooser.directory(initial.substr(0, slash).c_str());
      chooser.preset_file(initial.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    }
  }
  chooser.options(Fl_Native_File_Chooser::NO_OPTIONS);

  Window* owner = request.owner ? request.owner->GetTopLevel() : Window::GetActiveWindow();
  WindowHandle owner_handle = owner ? owner->handle() : WindowHandle{};
  bool disabled = owner && owner->IsWindowEnabled();
  if (disabled) owner->EnableWindow(false);
  int answer = chooser.show();
  Window* owner_now = Window::FromHandle(owner_handle);
  if (disabled && owner_now) {
    owner_now->EnableWindow(true);
    owner_now->SetActiveWindow();
  }

  FileOpenResult result;
  if (answer != 0 || !chooser.filename() || !*chooser.filename()) return result;
  std::string chosen = chooser.filename();
  if (request.must_exist && ::access(chosen.c_str(), F_OK) != 0) return result;
  result.path = program_path_for(chosen, drive_root(), current_folder());
  result.outcome = result.path.empty() ? FileOpenResult::Outcome::kNameNotRepresentable : FileOpenResult::Outcome::kChosen;
  return result;
}

}  // namespace

void install_native_file_chooser() { set_file_open_handler(run_native_chooser); }

}  // namespace kt::ui
