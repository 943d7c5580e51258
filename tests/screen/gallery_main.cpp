// The gallery program: shows the control gallery on the screen with the
// FLTK backend, modally, until OK, Cancel, Esc or the close box ends it.
// With "--shot FILE" it instead writes what the window shows to a PNG and
// exits (a quick look at the backend without a test run).
#include <cstdio>
#include <cstring>

#include "platform/fltk/fltk_backend.h"
#include "screen/gallery.h"
#include "screen/png_file.h"

int main(int argc, char** argv) {
  using namespace kt::ui;
  if (!start_fltk_backend()) {
    std::fprintf(stderr, "kt_gallery: no X display (set DISPLAY, or run under scripts/xvfb-run)\n");
    return 1;
  }
  gallery::register_templates();
  gallery::GalleryDialog dialog;
  if (argc == 3 && std::strcmp(argv[1], "--shot") == 0) {
    if (!dialog.Create(nullptr)) return 1;
    dialog.ShowWindow(kSwShow);
    pump_pending();
    WindowPixels pixels;
    bool ok = read_window_pixels(dialog, pixels) && write_png(argv[2], pixels.width, pixels.height, pixels.rgb);
    dialog.DestroyWindow();
    stop_fltk_backend();
    if (!ok) std::fprintf(stderr, "kt_gallery: could not write %s\n", argv[2]);
    return ok ? 0 : 1;
  }
  LResult result = dialog.DoModal();
  stop_fltk_backend();
  std::printf("%d\n", int(result));
  return 0;
}
