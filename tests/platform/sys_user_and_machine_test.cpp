// The user's name and the processors the program may use: the name from the
// password database (the variables only stand in where it has none), the
// processors those of the affinity a container or taskset gives, so the
// solver never starts more processes than may run at once.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
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
