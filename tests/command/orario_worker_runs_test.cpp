// Each worker of a parallel computation runs the computation it is given:
// the run's summary ("Processi ausiliari: cicli=.../... avvii=.../...")
// counts search cycles done by the workers, not only their starts. A
// forced violation keeps every process searching to the time limit.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "orario_run_support.h"

namespace {

using engine_test::read_file;
using engine_test::TempDir;
using engine_test::write_file;

TEST(OrarioWorkerRuns, TheWorkersOfAComputationSearchAndTheSummarySaysSo) {
  TempDir school;
  std::string text = read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
  const std::string from = "V:\tMANCINI\tGMAX:2\t";
  std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, from.size(), "V:\tMANCINI\tOP:LU:1-5MA:1-5ME:1-5GI:1-5VE:1-5\t");
  write_file(school.file("scuola2.txt"), text);
  write_file(school.file("scuola1.txt"), read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola1.txt"));
  orario_test::Outcome run =
      orario_test::run_orario(school, "LANG=it_IT.UTF-8", "CALC:scuola2.txt --processes 3 --seed 4 --time-limit 4");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  const std::string all = run.out + run.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      all, m, std::regex("Processi ausiliari: cicli=([0-9]+)/([0-9]+) avvii=([0-9]+)/([0-9]+) rifiutati=([0-9]+)")))
      << all;
  EXPECT_GE(std::stoi(m[3]), 1) << all;
  EXPECT_GE(std::stoi(m[4]), 1) << all;
  EXPECT_GT(std::stoi(m[1]) + std::stoi(m[2]), 0) << "the workers ran no search:\n" << all;
}

}  // namespace
