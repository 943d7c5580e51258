// The files one engine command writes, replaced together when it ends well.
//
// While a command runs (or_main, main process), every file the engine
// writes goes to a temporary beside its target ("<name>.kt-tmp-<pid>-<n>"),
// every deletion is only noted, and every later read of such a file sees the
// new contents. At the normal end the temporaries are synced, a marker
// ("orario.kt-commit" in the school folder) records the renames and
// deletions still to do, and they happen; a failed or killed command leaves
// every file as it was before it began. A marker left by a command that
// stopped half-way is completed at the next start (or_settle_run_files), and
// the temporaries of processes that are gone are removed then.
//
// Two kinds of file are written straight through instead: the search's
// record ("saveprec.txt", the point an interrupted computation resumes
// from), put back as it was when the command fails; and granted exemptions,
// which the parallel workers read at once and which stay granted.
//
// Paths are the ones translate_path gives (relative to the school folder).
// A command writes a few hundred files at most, so a map is the right shape.
// The journal belongs to the thread that began it.
#pragma once

#include <cstdio>
#include <string>

// Begins gathering the command's files on this thread (main process only).
void or_run_files_begin();
// Replaces the gathered files as one step. False when that could not be
// done: *failed names the file and *error holds errno; when *pending is set
// the new files are decided (the marker is written) and the next start
// completes them, else nothing was replaced.
bool or_run_files_commit(std::string* failed, int* error, bool* pending = nullptr);
// Drops the gathered files and puts back the files written straight through.
void or_run_files_abort();

// What the engine's file layer asks while a journal is active. Each returns
// false (or -1) when no journal is active, and the caller does the plain work.
//
// Opens the new contents of `path` for writing (append: the current contents
// first); null with *error when it cannot.
std::FILE* or_run_files_open_write(const std::string& path, bool append, int* error, bool* handled);
// The path that holds the current contents of `path`; empty when the command
// deleted it.
bool or_run_files_read_path(const std::string& path, std::string* read_from);
// Notes a deletion.
bool or_run_files_remove(const std::string& path);
// Notes that the new contents of `from` are those of `to`.
bool or_run_files_rename(const std::string& from, const std::string& to);
// 1 the command wrote it, 0 the command deleted it, -1 the disk says.
int or_run_files_exists(const std::string& path);
// A write straight through is about to happen: the journal forgets what it
// held for `path` and, with undo, keeps the file as it is now to put back
// when the command fails.
void or_run_files_before_direct_write(const std::string& path, bool undo);
// A staged write of `path` into `temporary` was given up: the target keeps
// the contents it had before.
void or_run_files_drop_write(const std::string& path, const std::string& temporary);

// Completes what a command's marker left undone and removes the
// temporaries of processes that are gone, in the school folder and its
// output folders. False (errno in *error) when a marker could not be completed.
bool or_settle_run_files(int* error = nullptr);

// Opens a file for writing through the journal when one is active, else
// straight (the residual log, which is written as it grows).
std::FILE* or_open_output_file(const std::string& path, const char* mode);
