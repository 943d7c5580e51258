// The structure editors' large pages (the configuration menu, the school,
// teachers, buildings, subjects, labs, gyms and lessons-by-class pages, quick
// entry) and the input box are laid out by hand, with some one-unit slips
// on purpose; the screen tests picture them. Headless, their slips (the
// alignment and spacing checks of template_alignment.h) are those listed in
// tests/data/structure_hand_laid_slips.txt, counted for each control and
// kind ("template control kind: count"; a control without an id is -1), no
// more and no fewer: a slip gained or lost is a control moved off its place,
// or grown or shrunk, by a unit.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "structure/buildings_page.h"
#include "structure/config_menu.h"
#include "structure/dictionary_page.h"
#include "structure/gyms_page.h"
#include "structure/input_box.h"
#include "structure/labs_page.h"
#include "structure/lessons_by_class_page.h"
#include "structure/quick_entry_page.h"
#include "structure/school_page.h"
#include "structure/subjects_page.h"
#include "structure/teacher_page.h"
#include "template_alignment.h"

namespace {

// The listed counts, one "key: count" a line.
std::map<std::string, int> listed_counts(std::istream& in) {
  std::map<std::string, int> out;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::size_t colon = line.rfind(": ");
    if (colon == std::string::npos) continue;
    out[line.substr(0, colon)] += std::stoi(line.substr(colon + 2));
  }
  return out;
}

// Each slip between two controls counts once for each of them; the others
// (margins, a control off the middle) count under their own words.
void count_slip(const std::string& slip, std::map<std::string, int>& out) {
  static const std::regex pair(R"(^(\d+): controls (-?\d+) and (-?\d+), (.*)$)");
  std::smatch m;
  if (!std::regex_match(slip, m, pair)) {
    ++out[slip];
    return;
  }
  ++out[m[1].str() + " " + m[2].str() + " " + m[4].str()];
  ++out[m[1].str() + " " + m[3].str() + " " + m[4].str()];
}

TEST(HandLaidStructurePages, KeepTheirSlipsAndGainNone) {
  ui_register_config_menu_template();
  ui_register_school_page_template();
  ui_register_teacher_page_template();
  ui_register_buildings_page_template();
  ui_register_dictionary_templates();
  ui_register_quick_entry_template();
  ui_register_structure_templates();
  const int ids[] = {Cmenu_confora::kTemplate, Cproscuola::kTemplate, Cprocat::kTemplate, Cplessi::kTemplate,
                     Cmaterie::kTemplate,      Clapal::kTemplate,     Cpale::kTemplate,   Clacoco::kTemplate,
                     Cproqui::kTemplate,       Ccasella::kTemplate};
  std::string text;
  for (int id : ids) {
    const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(id);
    ASSERT_NE(t, nullptr) << id;
    EXPECT_GT(t->controls.size(), 3u) << id;
    for (const std::string& p : template_alignment::problems(*t)) text += p + "\n";
    for (const std::string& p : template_alignment::spacing_problems(*t)) text += p + "\n";
  }
  std::map<std::string, int> now;
  std::istringstream found(text);
  for (std::string line; std::getline(found, line);) count_slip(line, now);
  std::ifstream listed(std::string(KT_TEST_DATA) + "/structure_hand_laid_slips.txt");
  ASSERT_TRUE(listed.good());
  std::map<std::string, int> expected = listed_counts(listed);
  for (const auto& [key, n] : now)
    if (expected.count(key) == 0 || expected.at(key) != n)
      ADD_FAILURE() << "slips gained: " << key << ": " << n << " now";
  for (const auto& [key, n] : expected)
    if (n > 0 && (now.count(key) == 0 || now.at(key) != n))
      ADD_FAILURE() << "slips lost: " << key << ": " << (now.count(key) ? now.at(key) : 0) << " now";
}

}  // namespace
