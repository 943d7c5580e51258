// Synthetic schools built straight into the model tables, the sample
// schools of examples/ through a temporary copy, and the seeded placement.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/model.h"
#include "solver/placement_state.h"

struct SchoolSpec {
  int classes = 6;
  int days = 5;
  int hours = 6;
  int lessons_per_class = 30;  // at most days x hours
  int teachers = 12;
  int lab_lessons_per_class = 2;  // lessons with a laboratory part (second teacher)
};

// Resets the model and the solver tables and builds the school; every
// lesson unplaced. Deterministic for a given spec and seed.
void build_school(const SchoolSpec& spec, std::uint64_t seed);
// Places every lesson with the solver's passes (laboratory lessons first).
void place_all_lessons();
// Resets the status block and the run's bytes between tests.
void reset_run_state();
// Places every lesson from the seed (laboratory lessons first), mends gaps
// in the class grids and rebuilds the slot index and the grids; false when
// a placement pass or the mending reported an error (the later steps still
// run).
bool place_seeded(std::uint64_t seed);
// The bytes of a file ("" when it cannot be read).
std::string file_text(const std::filesystem::path& path);
// Runs the orario program in `folder` with a clean environment and `root` as
// the drive root; its exit status (1000 + the signal when killed), and in
// `out` its console output.
int run_orario_in(const std::filesystem::path& folder, const std::filesystem::path& root,
                  const std::string& arguments, std::string* out);
// The class and teacher grids the moves keep equal a rebuild from the placement.
void expect_grids_rebuilt(const char* where);
// The grids equal a rebuild from the placement, and no lesson clashes, no
// class has a gap and no room is booked by two classes at one slot.
void expect_sound_placement(const char* where);

// What a command of the program has around it when a test drives the solver
// below the command's entry: the output folders in the current folder, as
// the engine's entry makes them, and the timetable folder as the command's
// output folder, as a computation's command takes it. So a final evaluation
// that logs the residual errors writes where a command writes them, whatever
// command an earlier test ran. The previous output folder comes back at the
// end; the folders stay with the current folder.
class CommandOutputFolders {
 public:
  CommandOutputFolders();
  ~CommandOutputFolders();
  CommandOutputFolders(const CommandOutputFolders&) = delete;
  CommandOutputFolders& operator=(const CommandOutputFolders&) = delete;

 private:
  const char* saved_;
};

// A temporary folder made current for a test, removed at the end, with the
// output folders of a command in it.
class TempCommandFolder {
 public:
  TempCommandFolder();
  ~TempCommandFolder();
  TempCommandFolder(const TempCommandFolder&) = delete;
  TempCommandFolder& operator=(const TempCommandFolder&) = delete;

 private:
  std::filesystem::path folder_, old_;
  std::unique_ptr<CommandOutputFolders> outputs_;
};

// A copy of one example school in a temporary folder (under the folder name
// given, else the school's own), removed at the end.
class SchoolCopy {
 public:
  explicit SchoolCopy(const std::string& name, const std::string& folder_name = "");
  ~SchoolCopy();
  SchoolCopy(const SchoolCopy&) = delete;
  SchoolCopy& operator=(const SchoolCopy&) = delete;
  const std::filesystem::path& folder() const { return folder_; }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_, folder_;
};

// A test per sample school (the parameter names it): the school is loaded
// from a temporary copy, which is the current folder during the test.
class LoadedSampleSchool : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::unique_ptr<SchoolCopy> copy_;
  std::filesystem::path old_;
};

#include <algorithm>
#include <iterator>

#include "solver/constraint_catalogue.h"

// Tests that plant their own evaluators price nothing else: the guard points
// every id at a pair that counts 0 and restores the real table when it ends,
// so those tests do not depend on which families are built.
class OnlyPlantedEvaluators {
 public:
  OnlyPlantedEvaluators() {
    std::copy(std::begin(g_evaluators), std::end(g_evaluators), saved_);
    for (EvaluatorPair& pair : g_evaluators) pair = {zero_full, zero_delta, 0};
  }
  ~OnlyPlantedEvaluators() { std::copy(std::begin(saved_), std::end(saved_), g_evaluators); }
  OnlyPlantedEvaluators(const OnlyPlantedEvaluators&) = delete;
  OnlyPlantedEvaluators& operator=(const OnlyPlantedEvaluators&) = delete;

 private:
  static std::int64_t zero_full() { return 0; }
  static std::int64_t zero_delta(int) { return 0; }
  EvaluatorPair saved_[kConstraintCount];
};
