// The pages' one way to read and save a school's two files: the structure
// "scuola1.txt" then the description "scuola2.txt". A file that does not
// read shows the reader's message in the user's language and leaves the
// school unloaded, so no page can save it over the file; a save that fails
// says so. User-interface thread only.
#pragma once

#include <string>

// Reads both files (create: a missing file starts a new school; without it a
// missing file reads as empty). False after the message when a file was
// refused.
bool og_read_school_files(int create);
// Whether the model is that of the current folder: og_read_school_files ran
// last in it. False at start-up and after the current folder changed, when
// the model still holds another school (or none) and a save would write it
// over this folder's files.
bool og_school_read_in_current_folder();
// Writes "scuola1.txt" and "scuola2.txt" as one step: both new or both
// old, even across a crash (the next reading of the folder completes a save
// that stopped between the two). False after the message, which names the
// file and why, when they were not written (the old files stay).
bool og_save_school_files();
// The same without the message: 0 written, -1 not (og_school_files_write_error
// says why in the user's language).
int og_write_school_files();
const char* og_school_files_write_error();
// Completes a save of both files that stopped halfway in the current folder
// and removes the temporaries that processes now gone left there. False, with
// the message in *why, when a save could not be completed (its marker could
// not be read, a rename failed, a temporary is missing): then the marker and
// every temporary stay for a later try, and the model is blocked
// (SchoolFilePart::kPendingSave) so that no save writes over them; the next
// settle that completes the save lifts the block.
bool og_settle_school_folder(std::string* why);
// The name of the marker, beside the school files, of a replacement of
// several of them at once that og_settle_school_folder completes after a
// crash (the restore of an archive replaces the files this way too).
const char* og_school_commit_marker_name();
// Why a write failed (errno), in the user's language: "disco pieno"...
std::string og_write_failure_reason(int error);
// "Impossibile scrivere il file FILE: REASON" in the user's language, FILE
// as the user reads it (code page 1252).
std::string og_file_not_written_text(const std::string& file, int error);
// Writes "scuola2.txt" alone; false after the message when not written.
bool og_save_description_file();
// The messages of a file that did not read (the reader's text) and of a
// save that did not happen (why).
void og_tell_school_not_read(const char* reader_message);
void og_tell_school_not_saved(const char* why);
// Why the structure file was not written: the school is not loaded, or the
// file could not be written.
const char* og_structure_not_saved_reason();
