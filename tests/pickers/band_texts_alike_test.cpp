// The text that stands for a fixed band lies on its band list the same way
// in every column and in every table that has one (the single table and
// both halves of the double one): two units in from the list's left and top
// edges' line, as wide as the list less its arrow, one line of text high; so
// a fixed band reads alike wherever the user meets it.
#include <gtest/gtest.h>

#include <string>

#include "pickers/band_table_dialog.h"
#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "platform/dialog_template.h"

namespace {

using namespace kt::ui;

const ControlTemplate* control(const DialogTemplate& t, int id) {
  for (const ControlTemplate& c : t.controls)
    if (c.id == id) return &c;
  return nullptr;
}

// The text's place against its list, as "dx,dy wxh".
std::string place(const DialogTemplate& t, int text_id, int list_id) {
  const ControlTemplate* text = control(t, text_id);
  const ControlTemplate* list = control(t, list_id);
  if (!text || !list) return "missing";
  return std::to_string(text->x - list->x) + "," + std::to_string(text->y - list->y) + " " +
         std::to_string(text->cx) + "x" + std::to_string(text->cy) + " on " + std::to_string(list->cx);
}

TEST(BandTextsAlike, EachFixedBandsTextLiesOnItsListAlike) {
  ui_register_band_table_templates();
  const DialogTemplate* single = find_dialog_template(Chq2::kTemplate);
  const DialogTemplate* twin = find_dialog_template(Chq2alt::kTemplate);
  ASSERT_TRUE(single && twin);
  const std::string expected = "0,2 28x10 on 32";
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(place(*single, Chq2::kBandTextIds[std::size_t(i)], Chq2::kBandIds[std::size_t(i)]), expected)
        << "single table, column " << i;
    for (int table = 0; table < 2; ++table)
      EXPECT_EQ(place(*twin, Chq2alt::TextId(table, i), Chq2alt::BandId(table, i)), expected)
          << "double table " << table << ", column " << i;
  }
}

}  // namespace
