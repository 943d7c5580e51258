// Image files for display (see image_display.h). Only the header is read:
// the four formats keep width and height at fixed places (JPEG in its
// start-of-frame segment, found by walking the segments with bounds
// checks), so a damaged file is simply "not an image".
// Only one image is held at a time: loading another releases the first,
// as the pages show one picture at a time.
#include "shell/image_display.h"

#include <fstream>
#include <iterator>

#include "platform/paths.h"

using namespace kt::ui;

namespace {

ImageInfo g_image;

unsigned byte_at(const std::string& b, std::size_t i) { return static_cast<unsigned char>(b[i]); }
unsigned be16(const std::string& b, std::size_t i) { return byte_at(b, i) << 8 | byte_at(b, i + 1); }
unsigned le16(const std::string& b, std::size_t i) { return byte_at(b, i) | byte_at(b, i + 1) << 8; }
unsigned long be32(const std::string& b, std::size_t i) { return (unsigned long)be16(b, i) << 16 | be16(b, i + 2); }
long le32(const std::string& b, std::size_t i) {
  return long(std::int32_t(std::uint32_t(le16(b, i)) | std::uint32_t(le16(b, i + 2)) << 16));
}

bool jpeg_size(const std::string& b, int& width, int& height) {
  std::size_t i = 2;
  while (i + 9 < b.size()) {
    if (byte_at(b, i) != 0xFF) return false;
    unsigned marker = byte_at(b, i + 1);
    if (marker == 0xFF) { ++i; continue; }
    unsigned length = be16(b, i + 2);
    bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      height = int(be16(b, i + 5));
      width = int(be16(b, i + 7));
      return true;
    }
    if (length < 2) return false;
    i += 2 + length;
  }
  return false;
}

}  // namespace

bool image_size_from_header(const std::string& b, int& width, int& height) {
  width = height = 0;
  bool ok = false;
  if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
    width = int(be32(b, 16));
    height = int(be32(b, 20));
    ok = true;
  } else if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') {
    width = int(le32(b, 18));
    long h = le32(b, 22);
    height = int(h < 0 ? -h : h);
    ok = true;
  } else if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0)) {
    width = int(le16(b, 6));
    height = int(le16(b, 8));
    ok = true;
  } else if (b.size() >= 4 && byte_at(b, 0) == 0xFF && byte_at(b, 1) == 0xD8) {
    ok = jpeg_size(b, width, height);
  }
  return ok && width > 0 && height > 0 && width <= 65535 && height <= 65535;
}

const ImageInfo& util_gdi_current_image() { return g_image; }

bool CImageDisplay::Create(const Rect& r, Window* parent, int id) {
  CreateParams p;
  p.class_name = "ImageDisplay";
  p.style = kWsChild | kWsVisible;
  p.rect = r;
  p.parent = parent;
  p.id = id;
  return CreateEx(p);
}

void CImageDisplay::OnPaint(DeviceContext& dc) {
  if (!m_showing || g_image.path.empty()) return;
  dc.DrawBitmap(Rect{0, 0, g_image.width, g_image.height}, 0, g_image.path);
}

bool util_gdi_show_image(const char* file_name, Window* window) {
  g_image = ImageInfo{};  // the image loaded before is released
  bool loaded = false;
  if (file_name && *file_name) {
    std::string path = kt::translate_path(file_name);
    std::ifstream in(path, std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    head.resize(std::size_t(in ? head.size() : std::size_t(in.gcount())));
    int w = 0, h = 0;
    if (image_size_from_header(head, w, h)) {
      g_image = ImageInfo{path, w, h};
      loaded = true;
    }
  }
  if (auto* display = dynamic_cast<CImageDisplay*>(window)) {
    display->m_showing = loaded;
    display->Invalidate();
  }
  return loaded;
}
