// The seeded edit sequence on both sample schools (see edit_sequence.h): a
// few hundred page actions per seed, each saved, each save loaded by the
// engine and read back to the same model.
#include "edit_sequence.h"

namespace {

using edit_sequence::EditSequence;

struct Seeded {
  const char* school;
  unsigned seed;
};

class EditSequences : public EditSequence, public ::testing::WithParamInterface<Seeded> {};

TEST_P(EditSequences, EverySaveLoadsInTheEngineAndReadsBackTheSame) {
  ASSERT_NO_FATAL_FAILURE(Start(GetParam().school));
  Run(GetParam().seed, 200);
}

INSTANTIATE_TEST_SUITE_P(Samples, EditSequences,
                         ::testing::Values(Seeded{"piccola", 1}, Seeded{"piccola", 2}, Seeded{"liceo", 1},
                                           Seeded{"liceo", 2}),
                         [](const ::testing::TestParamInfo<Seeded>& info) {
                           return std::string(info.param.school) + "_" + std::to_string(info.param.seed);
                         });

}  // namespace
