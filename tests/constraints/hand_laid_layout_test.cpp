// The two constraint pages laid out by hand (the teachers' constraints and
// the teaching posts') line their controls up with small slips on purpose;
// the screen tests picture them. Headless, their one-unit slips are those
// listed in tests/data/hand_laid_slips.txt, no more and no fewer: a slip
// gained or lost is a control moved off its place by a unit.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "constraints/post_constraints_page.h"
#include "constraints/teacher_constraints_page.h"
#include "template_alignment.h"

namespace {

std::set<std::string> lines_of(std::istream& in) {
  std::set<std::string> out;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') out.insert(line);
  return out;
}

TEST(HandLaidLayout, KeepsItsSlipsAndGainsNone) {
  ui_register_teacher_constraints_templates();
  ui_register_post_constraints_template();
  std::istringstream found(template_alignment::problems_of({Cvipro::kTemplate, Cvicat::kTemplate}));
  std::ifstream listed(std::string(KT_TEST_DATA) + "/hand_laid_slips.txt");
  ASSERT_TRUE(listed.good());
  std::set<std::string> now = lines_of(found), expected = lines_of(listed);
  for (const std::string& s : now)
    if (!expected.count(s)) ADD_FAILURE() << "a new slip: " << s;
  for (const std::string& s : expected)
    if (!now.count(s)) ADD_FAILURE() << "a slip gone: " << s;
}

}  // namespace
