// The seeded edit sequence of the structure tests at length: many more page
// actions per seed on both sample schools, each saved, loaded by the engine
// and read back. Run by hand; KT_EDIT_STEPS sets the steps per seed (2000)
// and KT_EDIT_SEEDS the number of seeds (4):
//   KT_EDIT_STEPS=5000 build/bench/edit_sequence_bench
#include <cstdlib>

#include "structure/edit_sequence.h"

namespace {

int from_environment(const char* name, int fallback) {
  const char* text = std::getenv(name);
  int value = text != nullptr ? std::atoi(text) : 0;
  return value > 0 ? value : fallback;
}

class LongEditSequences : public edit_sequence::EditSequence, public ::testing::WithParamInterface<const char*> {};

TEST_P(LongEditSequences, EverySaveLoadsInTheEngineAndReadsBackTheSame) {
  int steps = from_environment("KT_EDIT_STEPS", 2000);
  int seeds = from_environment("KT_EDIT_SEEDS", 4);
  for (int seed = 1; seed <= seeds && !HasFailure(); ++seed) {
    TearDown();
    SetUp();
    ASSERT_NO_FATAL_FAILURE(Start(GetParam()));
    Run(unsigned(1000 + seed), steps);
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, LongEditSequences, ::testing::Values("piccola", "liceo"));

}  // namespace
