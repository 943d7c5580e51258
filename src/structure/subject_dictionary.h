// The subject dictionary's rules that do not need a window: the built-in
// list of ministry subject classes offered in the Italian interface, the
// guess of a subject's options from the words of its name, and the tests
// of whether a subject is used by a teaching post. Shared by the subjects
// page, the writer path of "scuola1.txt" and the pages that add subjects
// while a post is typed.
#pragma once

#include <cstdint>

struct MinistrySubject {
  const char* text;   // code and abbreviated name, at most 21 characters
  bool conversation;  // type 'C'
  bool late_hours;    // option N
};
inline constexpr int kMinistrySubjectCount = 108;
extern const MinistrySubject g_ministry_subjects[kMinistrySubjectCount];

// The name of entry i: the first 20 characters of its text.
const char* ministry_subject_name(int i);
// The entry whose name is exactly this text, or -1.
int ministry_subject_find(const char* name);

// Sets option N when the name holds one of the late-hours word pairs and
// option M when it holds "MENSA"; 1 when it set one of them. Never clears.
int ui_guess_subject_flags(int subject);
// Italian interface only (else 0): one subject (its guess's result) or,
// with -1, every subject, recording in the structure that the defaults
// were applied (returns 1).
int ui_set_default_subject_flags(int subject);

// The first teacher with a post that uses the subject as its subject (when
// as_subject) or as its conversation subject (when as_conversation); -1.
int subject_first_user(int subject, bool as_subject, bool as_conversation);
// The subject of this exact name among those not hidden, or -1.
int subject_find(const char* name);
