// Cmake, the computation window, in the form the teacher pages need of it:
// a trial run for one teacher (code 13, CalcTpro) or for that teacher's
// classes (code 14, CalcTcla) on the test description "cattTEST.txt" that
// the caller has just written. The syntax check runs first on the user
// interface thread; the computation runs on the engine thread while the
// user interface keeps serving its messages; the engine's own message
// tells the result. The test name is cleared at the end, so later commands
// read the school's own description again.
//
// The computation control's full window (progress, stop, problems) takes
// this one's place; until then the run can be replaced whole through
// g_trial_runner (tests inject one and never start the engine).
#pragma once

#include <cstdint>
#include <functional>

#include "shell/engine_commands.h"

class Cmake {
 public:
  Cmake(EngineCommandCode code, const char* test_name);
  // The engine's result: 0 success.
  std::int32_t DoModal();

 private:
  EngineCommandCode m_code;
  char m_test_name[21];
};

// Replaces the whole trial run when set.
extern std::function<std::int32_t(EngineCommandCode code, const char* test_name)> g_trial_runner;
