// PNG writing for screenshots (see png_file.h): signature, IHDR, one IDAT
// of the deflated rows (each row led by filter byte 0) and IEND, each chunk
// with its CRC. Written to a temporary name and renamed.
#include "screen/png_file.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>

namespace kt::ui {

namespace {

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void chunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
  put32(out, std::uint32_t(data.size()));
  std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, uInt(out.size() - start));
  put32(out, std::uint32_t(crc));
}

}  // namespace

bool write_png(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb) {
  if (width <= 0 || height <= 0 || rgb.size() < std::size_t(width) * std::size_t(height) * 3) return false;
  std::vector<unsigned char> raw;
  raw.reserve(std::size_t(height) * (std::size_t(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    const unsigned char* row = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
    raw.insert(raw.end(), row, row + std::size_t(width) * 3);
  }
  uLongf packed_size = compressBound(uLong(raw.size()));
  std::vector<unsigned char> packed(packed_size);
  if (compress(packed.data(), &packed_size, raw.data(), uLong(raw.size())) != Z_OK) return false;
  packed.resize(packed_size);

  std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> header;
  put32(header, std::uint32_t(width));
  put32(header, std::uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  chunk(file, "IHDR", header);
  chunk(file, "IDAT", packed);
  chunk(file, "IEND", {});

  std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace kt::ui
