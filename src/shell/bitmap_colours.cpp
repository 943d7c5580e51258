// Bitmap recolouring (see bitmap_colours.h). Both routines walk the bits
// once, four bytes a pixel; a bitmap whose bits are shorter than its size
// says is recoloured as far as its bits go.
#include "shell/bitmap_colours.h"

#include <map>

using namespace kt::ui;

namespace {

std::map<int, Bitmap32>& resources() {
  static std::map<int, Bitmap32> table;
  return table;
}

std::size_t pixel_bytes(const Bitmap32& b) {
  std::size_t size = std::size_t(b.width > 0 ? b.width : 0) * std::size_t(b.height > 0 ? b.height : 0) * 4;
  return size < b.bits.size() ? size : b.bits.size() / 4 * 4;
}

}  // namespace

void og_tint_bitmap(Bitmap32& bitmap, Color colour) {
  for (std::size_t i = 0; i < pixel_bytes(bitmap); i += 4) {
    std::uint8_t* p = &bitmap.bits[i];
    if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
    p[0] = std::uint8_t(blue_of(colour));
    p[1] = std::uint8_t(green_of(colour));
    p[2] = std::uint8_t(red_of(colour));
  }
}

bool og_load_bitmap_on_white(Bitmap32& bitmap, int resource) {
  auto it = resources().find(resource);
  if (it == resources().end()) return false;
  bitmap = it->second;
  for (std::size_t i = 0; i < pixel_bytes(bitmap); i += 4) {
    std::uint8_t* p = &bitmap.bits[i];
    if (p[0] == 216 && p[1] == 233 && p[2] == 236) p[0] = p[1] = p[2] = 255;
  }
  return true;
}

void ui_register_bitmap_resource(int resource, const Bitmap32& bitmap) { resources()[resource] = bitmap; }
