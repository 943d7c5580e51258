// A gym's own items in the description, each read by its rule: the most
// classes at once ("PRMAX:") only from a number, an item without one
// leaving the gym as if the item were absent; the fewest classes by hour
// band ("PRMIN:") digit by digit, as many as are given; the most at once
// of a product ("AVOMAX:"). The file written back holds what was read.
#include <gtest/gtest.h>

#include <string>

#include "desc_test_support.h"
#include "schooldata/description_writer.h"
#include "schooldata/ui_school_model.h"

namespace {

std::string item_file(const char* name) { return std::string(KT_TEST_DATA) + "/description/every_item/" + name; }

struct GymSeen {
  int max_classes, min0, min1, min2, max_product;
  bool operator==(const GymSeen&) const = default;
};

class GymItems : public PlainSchoolFolder<> {
 protected:
  void TearDown() override {
    og_clear_structure();
    PlainSchoolFolder::TearDown();
  }
  // The sample with the gym PALESTRA's items "PRMAX:2\tPRMIN:1-2-3" put as
  // `items`; what the gym then holds.
  GymSeen Read(const std::string& items, std::string* written = nullptr) {
    std::string text = slurp(item_file("scuola2.txt"));
    const std::string was = "PRMAX:2\tPRMIN:1-2-3\t";
    std::size_t at = text.find(was);
    EXPECT_NE(at, std::string::npos);
    text.replace(at, was.size(), items);
    spit(dir_ + "/scuola2.txt", text);
    og_clear_structure();
    EXPECT_EQ(og_read_structure_file_from(item_file("scuola1.txt"), 0), 0);
    EXPECT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error() << items;
    const UiGym* gym = nullptr;
    for (const UiGym& g : g_ui_settings.gyms)
      if (std::string(g.name) == "PALESTRA") gym = &g;
    EXPECT_NE(gym, nullptr);
    if (!gym) return {};
    if (written) {
      EXPECT_EQ(og_write_assignments_file_to(dir_ + "/out.txt", 0), 0);
      *written = slurp(dir_ + "/out.txt");
    }
    return {gym->max_classes, gym->min_classes[0], gym->min_classes[1], gym->min_classes[2], gym->max_product};
  }
};

TEST_F(GymItems, EachItemIsReadByItsRule) {
  const GymSeen none = Read("");
  EXPECT_EQ(Read("PRMAX:\t"), none) << "no number: as if absent";
  EXPECT_EQ(Read("PRMAX:X\t"), none) << "no number: as if absent";
  GymSeen twelve = none;
  twelve.max_classes = 12;
  EXPECT_EQ(Read("PRMAX:12\t"), twelve);
  GymSeen one = none;
  one.min0 = 4;
  EXPECT_EQ(Read("PRMIN:4\t"), one) << "the bands not given stay";
  GymSeen all = none;
  all.max_classes = 2, all.min0 = 1, all.min1 = 2, all.min2 = 3;
  std::string written;
  EXPECT_EQ(Read("PRMAX:2\tPRMIN:1-2-3\t", &written), all);
  EXPECT_EQ(all.max_product, 4) << "AVOMAX:4 of the sample";
  EXPECT_NE(written.find("PRMAX:2\tPRMIN:1-2-3\t"), std::string::npos) << written;
}

}  // namespace
