// The pages' one way to read and save a school's two files: the structure
// "scuola1.txt" then the description "scuola2.txt". A file that does not
// read shows the reader's message in the user's language and leaves the
// school unloaded, so no page can save it over the file; a save that fails
// says so. User-interface thread only.
#pragma once

// Reads both files (create: a missing file starts a new school; without it a
// missing file reads as empty). False after the message when a file was
// refused.
bool og_read_school_files(int create);
// Whether the model is that of the current folder: og_read_school_files ran
// last in it. False at start-up and after the current folder changed, when
// the model still holds another school (or none) and a save would write it
// over this folder's files.
bool og_school_read_in_current_folder();
// Writes "scuola1.txt" and then "scuola2.txt"; false after the message when
// either was not written (the old files stay).
bool og_save_school_files();
// Writes "scuola2.txt" alone; false after the message when not written.
bool og_save_description_file();
// The messages of a file that did not read (the reader's text) and of a
// save that did not happen (why).
void og_tell_school_not_read(const char* reader_message);
void og_tell_school_not_saved(const char* why);
// Why the structure file was not written: the school is not loaded, or the
// file could not be written.
const char* og_structure_not_saved_reason();
