// Recolouring of 32-bit bitmaps: og_tint_bitmap paints every pixel that is
// not white in one colour (a dimmed or highlighted form of a picture), and
// og_load_bitmap_on_white takes a bitmap resource with the old grey dialog
// face (236, 233, 216) as its background and gives it a white one, for the
// white pages. The bits are kept as the platform's bitmap bits come: four
// bytes a pixel, blue, green, red and an unused byte, row after row.
//
// Bitmap resources are registered by id before they are loaded; the program
// ships few pictures, so the table is a small map and a load copies.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui.h"

struct Bitmap32 {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;  // width x height x 4 bytes
};

// Paints every non-white pixel of the bitmap in the colour.
void og_tint_bitmap(Bitmap32& bitmap, kt::ui::Color colour);
// Loads the bitmap resource into `bitmap` with its (236, 233, 216) pixels
// turned white; false, leaving `bitmap` as it was, when there is no such
// resource.
bool og_load_bitmap_on_white(Bitmap32& bitmap, int resource);
// Makes a bitmap available as a resource (a picture the program ships).
void ui_register_bitmap_resource(int resource, const Bitmap32& bitmap);
