// The file-open dialog of the FLTK backend: FLTK's native chooser (the
// desktop's own when there is one, else FLTK's), filtered as the request
// says, starting in the folder of the initial name. The chosen file comes
// back as a program path (file_open_dialog.h); a name that code page 1252
// cannot hold is reported as such, for the caller to tell the user. While
// the chooser runs, the owner's top-level window is disabled like under any
// modal dialog of the program.
#include <FL/Fl_Native_File_Chooser.H>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/cp1252.h"
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

FileOpenResult run_native_chooser(const FileOpenRequest& request) {
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_FILE);
  std::string title = cp1252_to_utf8(request.title);
  if (!title.empty()) chooser.title(title.c_str());
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
