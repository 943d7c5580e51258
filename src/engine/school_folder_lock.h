// One engine command at a time per school folder: the main process of a
// command (and whoever replaces the saved timetable's files outside a
// command) holds an flock on "orario.lock" in the folder meanwhile, so two
// of them never mix their files. A parallel worker takes no lock: it shares
// its main process's folder and writes no school file.
#pragma once

#include "platform/folder_lock.h"

// Takes the lock of the current (school) folder; a lock held by another
// process raises the file error "Un altro calcolo è già in corso in questa
// cartella (processo N)". A folder where the lock file cannot even be made
// (read-only) is left unlocked, as nothing can be written there either.
kt::FolderLock or_lock_school_folder();
