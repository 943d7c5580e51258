// Facts about the machine and the user that the program asks for at start-up:
// the user's login name (named in the "must have full control" message), the
// user-interface language taken from the locale variables, and the number of
// processors (which bounds the parallel solver processes).
//
// Each answer is computed on call; callers read them once at start-up and keep
// the result in their own globals. The language is read from the variables
// themselves, so no locale needs to be installed.
#pragma once

#include <string>

namespace kt {

// Login name of the effective user: the password database first, then the
// USER and LOGNAME variables, else "?". UTF-8 as the system stores it.
std::string user_name();

// Language index from the first of LC_ALL, LC_MESSAGES, LANG that is set and
// not empty: "it..." 0 (Italian), "de..." 1 (German), "en..." 2 (English),
// anything else 0. Null or empty arguments count as not set.
int language_from_locale_values(const char* lc_all, const char* lc_messages, const char* lang);
// The same from this process's environment.
int language_from_locale();

// Processors this process may run on (its CPU affinity), at least 1.
unsigned processor_count();

}  // namespace kt
