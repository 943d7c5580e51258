// The school folder's lock (see school_folder_lock.h).
#include "engine/school_folder_lock.h"

#include <cerrno>
#include <cstdio>

#include "engine/errors.h"
#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "platform/paths.h"

namespace {

constexpr const char* kFolderLockFile = ".\\orario.lock";
const char* const kFolderBusy[3] = {
    "Un altro calcolo è già in corso in questa cartella (processo %ld)"_cp,
    "In diesem Ordner läuft schon eine andere Berechnung (Prozess %ld)"_cp,
    "Another computation is already running in this folder (process %ld)"};
const char* const kFolderBusyHint[3] = {"Attendere che finisca e ripetere l'operazione",
                                        "Warten, bis sie endet, und den Vorgang wiederholen",
                                        "Wait until it ends and repeat the operation"};

}  // namespace

kt::FolderLock or_lock_school_folder() {
  if (g_process_number != 0) return {};
  kt::FolderLock lock = kt::FolderLock::acquire(kt::translate_path(kFolderLockFile));
  if (lock.status() == kt::FolderLockStatus::kHeldElsewhere) {
    char text[200];
    std::snprintf(text, sizeof text, or_pick_text(kFolderBusy), lock.holder());
    errno = 0;
    or_raise_file_error(text, or_pick_text(kFolderBusyHint), kSourceMain, 100);
  }
  return lock;
}
