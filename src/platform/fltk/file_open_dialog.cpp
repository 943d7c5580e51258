// The installed file-open handler and the call the pages make (see
// file_open_dialog.h). The handler is set once at start-up on the
// user-interface thread and read there only; no locking.
#include "platform/fltk/file_open_dialog.h"

#include "platform/ui_thread.h"

namespace kt::ui {

namespace {
FileOpenHandler& current_handler() {
  static auto* handler = new FileOpenHandler;
  return *handler;
}
}  // namespace

FileOpenHandler set_file_open_handler(FileOpenHandler handler) {
  FileOpenHandler old = std::move(current_handler());
  current_handler() = std::move(handler);
  return old;
}

FileOpenResult choose_file_to_open(const FileOpenRequest& request) {
  check_ui_thread("choose_file_to_open");
  if (!current_handler()) return {};
  return current_handler()(request);
}

}  // namespace kt::ui
