// The user's name and the processors the program may use: the name from the
// password database (the variables only stand in where it has none), the
// processors those of the affinity a container or taskset gives, so the
// solver never starts more processes than may run at once.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/system_info.h"

TEST(UserAndMachine, TheUsersNameComesFromThePasswordDatabase) {
  const passwd* entry = ::getpwuid(::geteuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(kt::user_name(), std::string(entry->pw_name));
  EXPECT_FALSE(kt::user_name().empty());
}

TEST(UserAndMachine, ProcessorsAreThoseTheAffinityAllows) {
  cpu_set_t all;
  CPU_ZERO(&all);
  ASSERT_EQ(::sched_getaffinity(0, sizeof all, &all), 0);
  EXPECT_EQ(kt::processor_count(), unsigned(CPU_COUNT(&all)));
  // Held to one processor (and to two where there are two), the count follows.
  int first = -1, second = -1;
  for (int c = 0; c < CPU_SETSIZE && second < 0; ++c)
    if (CPU_ISSET(c, &all)) (first < 0 ? first : second) = c;
  cpu_set_t some;
  CPU_ZERO(&some);
  CPU_SET(first, &some);
  ASSERT_EQ(::sched_setaffinity(0, sizeof some, &some), 0);
  EXPECT_EQ(kt::processor_count(), 1u);
  if (second >= 0) {
    CPU_SET(second, &some);
    ASSERT_EQ(::sched_setaffinity(0, sizeof some, &some), 0);
    EXPECT_EQ(kt::processor_count(), 2u);
  }
  ASSERT_EQ(::sched_setaffinity(0, sizeof all, &all), 0);
  EXPECT_EQ(kt::processor_count(), unsigned(CPU_COUNT(&all)));
}

// A user the password database does not know (a container's numeric user):
// USER names him, else LOGNAME, else "?". Needs the rights to become such a
// user, so it runs as root only.
TEST(UserAndMachine, AUserTheDatabaseDoesNotKnowIsNamedByTheVariables) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to take an unknown user id";
  uid_t unknown = 54321;
  while (::getpwuid(unknown)) ++unknown;
  struct Case {
    const char *user, *logname, *name;
  } cases[] = {{"anna", "luca", "anna"}, {"", "luca", "luca"}, {nullptr, "luca", "luca"}, {nullptr, nullptr, "?"}};
  for (const Case& c : cases) {
    pid_t child = ::fork();
    if (child == 0) {
      if (c.user) ::setenv("USER", c.user, 1);
      else ::unsetenv("USER");
      if (c.logname) ::setenv("LOGNAME", c.logname, 1);
      else ::unsetenv("LOGNAME");
      if (::setuid(unknown) != 0) ::_exit(3);
      ::_exit(kt::user_name() == c.name ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.name << " status " << status;
  }
}
