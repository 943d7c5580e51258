// User name, language from the locale and processor count; see
// system_info.h. Called a handful of times at start-up, so nothing is
// cached. The language reads the variables with POSIX precedence (LC_ALL,
// then LC_MESSAGES, then LANG; an empty one counts as unset) and looks only
// at the first two letters, so "de_AT.UTF-8" and "de" both mean German.
// The processor count honours the CPU affinity a container or taskset gives.
#include "platform/system_info.h"

#include <pwd.h>
#include <sched.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kt {

std::string user_name() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry;
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_name && *found->pw_name)
    return found->pw_name;
  for (const char* variable : {"USER", "LOGNAME"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "?";
}

int language_from_locale_values(const char* lc_all, const char* lc_messages, const char* lang) {
  for (const char* value : {lc_all, lc_messages, lang}) {
    if (!value || !*value) continue;
    auto starts = [value](char a, char b) {
      return (value[0] | 0x20) == a && (value[1] | 0x20) == b;
    };
    if (starts('i', 't')) return 0;
    if (starts('d', 'e')) return 1;
    if (starts('e', 'n')) return 2;
    return 0;
  }
  return 0;
}

int language_from_locale() {
  return language_from_locale_values(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                     std::getenv("LANG"));
}

unsigned processor_count() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0) {
    int n = CPU_COUNT(&set);
    if (n > 0) return static_cast<unsigned>(n);
  }
  long n = ::sysconf(_SC_NPROCESSORS_ONLN);
  return n > 0 ? static_cast<unsigned>(n) : 1u;
}

}  // namespace kt
