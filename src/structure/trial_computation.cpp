// The trial run of the teacher pages (see trial_computation.h). The engine
// reads the test description while g_status.test_name is set; the block is
// cleared before the run as every launching page does.
#include "structure/trial_computation.h"

#include <cstring>

#include "engine/status_block.h"

std::function<std::int32_t(EngineCommandCode, const char*)> g_trial_runner;

Cmake::Cmake(EngineCommandCode code, const char* test_name) : m_code(code) {
  std::memset(m_test_name, 0, sizeof m_test_name);
  if (test_name) std::strncpy(m_test_name, test_name, sizeof m_test_name - 1);
}

std::int32_t Cmake::DoModal() {
  if (g_trial_runner) return g_trial_runner(m_code, m_test_name);
  g_status.clear();
  std::memcpy(g_status.test_name, m_test_name, sizeof g_status.test_name);
  std::int32_t result = og_run_engine(EngineCommandCode::Synt);
  if (result == 0 && g_engine_thread.Start(static_cast<std::uint32_t>(m_code))) result = g_engine_thread.Join();
  g_status.test_name[0] = '\0';
  return result;
}
