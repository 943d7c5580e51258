// Writes RGB pixels as a PNG file, so a screenshot taken by a screen test can
// be looked at by a person. Eight bits per channel, no filtering, one zlib
// stream; screenshots are a few hundred kilobytes of pixels at most.
#pragma once

#include <string>
#include <vector>

namespace kt::ui {

// rgb holds width x height pixels, rows top to bottom; false when the file
// cannot be written.
bool write_png(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);

}  // namespace kt::ui
