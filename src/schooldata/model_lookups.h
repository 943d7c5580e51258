// Lookup-or-append operations on the school model, shared by the
// description reader and the imports: teachers, classes, labs, subjects and
// lab groups found by name or code, appended when new. Names pass through
// og_clean_name first so that they cannot break the file syntax.
//
// A full table never grows: the operation returns -1 and leaves the message,
// in the user's language, in og_lookup_error(); nothing is written past a
// capacity. User-interface thread only.
#pragma once

#include <string>
#include <vector>

// og_clean_name and og_init_teacher are the shell's model utilities.
#include "schooldata/model_utilities.h"

int og_find_or_add_teacher(const char* name);
// Compares the first 2 characters of the code (3 with two or more tracks).
int og_find_or_add_class(const char* code, int add);
int og_find_or_add_lab(const char* name);
// type 'C' requires an existing subject to be a conversation subject. A
// name longer than 20 characters is found again as the subject it first
// became; another long name with the same first 20 characters gets a name
// made unique (its last character), with a notice.
int og_find_or_add_subject(const char* name, char type);
// Starts a new reading: long names seen and notices are forgotten.
void og_forget_long_subject_names();
// The notices of subject names made unique since then (user's language).
const std::vector<std::string>& og_subject_notices();
int og_find_or_add_lab_group(const char* name);
const char* og_lookup_error();
// Per subject index, whether a post of the school gives lessons of it (as
// its subject or its conversation subject): the subjects the engine knows,
// and so the only ones a post may name as its excluded-day or subgroup
// subject.
std::vector<bool> og_subjects_with_lessons();
