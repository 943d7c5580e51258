// Showing an image file in a window: util_gdi_show_image loads the file
// (PNG, BMP, GIF or JPEG; only its size is read here, the screen backend
// decodes the pixels when it replays the drawing) as the one image of the
// process, and shows it in an image display window at its own size, from
// the window's top-left corner. A file that cannot be read, or is not an
// image, leaves no image: nothing is drawn and the program goes on.
#pragma once

#include <string>

#include "platform/ui.h"

struct ImageInfo {
  std::string path;  // the translated file path
  int width = 0;
  int height = 0;
};

// Width and height from an image file's header; false when the bytes are
// not an image of a known kind (or are cut short).
bool image_size_from_header(const std::string& bytes, int& width, int& height);

// The image loaded last (empty path when none).
const ImageInfo& util_gdi_current_image();

// A plain window that draws the current image; the pages place one where a
// picture goes.
class CImageDisplay : public kt::ui::Window {
 public:
  bool Create(const kt::ui::Rect& r, kt::ui::Window* parent, int id);
  void OnPaint(kt::ui::DeviceContext& dc) override;
  bool m_showing = false;
};

// Loads an image file (a Windows path, translated) and, when window is an
// image display, shows the image in it. Returns false when no image loaded.
bool util_gdi_show_image(const char* file_name, kt::ui::Window* window);
