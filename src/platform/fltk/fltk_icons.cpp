// The images of the FLTK backend. The program ships no bitmaps: an image
// named by a file that exists (a picture the user chose) is loaded through
// FLTK's image support and drawn scaled into its rectangle; every other name
// is drawn by code, so no button ever shows an empty square:
//  - "ac_<step>": a step badge, a rounded square in the colour of the step's
//    group with the step's label ("1", "6a", "R" for the summary);
//  - "ac_ come fare", "ac_ leggete" and other "ac_ ..." help icons: a "?" or
//    "i" badge;
//  - "icon" (the program's icon): a small timetable grid;
//  - "IKOP_<step>" (the pages' icons): the step badge, the timetable grid
//    for the home page, a letter badge for the two menus and a "?" badge
//    for the services;
//  - any other name: a badge with its first letter.
// Loaded pictures are kept by path for the session (a handful at most).
#include <FL/Fl_Shared_Image.H>
#include <FL/fl_draw.H>

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "platform/cp1252.h"
#include "platform/fltk/fltk_internal.h"

namespace kt::ui {

namespace {

void set_color(Color c) { fl_color(uchar(red_of(c)), uchar(green_of(c)), uchar(blue_of(c))); }

bool is_file(const std::string& utf8) {
  struct stat st {};
  return !utf8.empty() && ::stat(utf8.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Fl_Shared_Image* picture(const std::string& utf8) {
  static bool registered = false;
  if (!registered) {
    fl_register_images();
    registered = true;
  }
  static std::map<std::string, Fl_Shared_Image*> loaded;
  auto it = loaded.find(utf8);
  if (it != loaded.end()) return it->second;
  Fl_Shared_Image* image = Fl_Shared_Image::get(utf8.c_str());
  if (image && (image->w() <= 0 || image->h() <= 0)) {
    image->release();
    image = nullptr;
  }
  loaded[utf8] = image;
  return image;
}

Color group_colour(int step) {
  if (step <= 6) return rgb(30, 100, 180);    // structure
  if (step <= 10) return rgb(210, 110, 20);   // constraints on posts and teachers
  if (step <= 20) return rgb(40, 140, 70);    // criteria
  return rgb(120, 70, 160);                   // checks
}

void badge(const Rect& r, Color fill, const std::string& label) {
  int side = std::min(r.Width(), r.Height());
  if (side < 6) return;
  int x = r.left + (r.Width() - side) / 2, y = r.top + (r.Height() - side) / 2;
  set_color(fill);
  fl_rectf(x + 1, y, side - 2, side);
  fl_rectf(x, y + 1, side, side - 2);
  set_color(rgb(255, 255, 255));
  int size = label.size() > 1 ? side * 9 / 20 : side * 13 / 20;
  fl_font(FL_HELVETICA_BOLD, std::max(6, size));
  fl_draw(label.c_str(), x, y, side, side, FL_ALIGN_CENTER, nullptr, 0);
}

void timetable_icon(const Rect& r) {
  set_color(rgb(255, 255, 255));
  fl_rectf(r.left, r.top, r.Width(), r.Height());
  set_color(rgb(30, 100, 180));
  int head = std::max(2, r.Height() / 5);
  fl_rectf(r.left, r.top, r.Width(), head);
  set_color(rgb(120, 120, 120));
  fl_rect(r.left, r.top, r.Width(), r.Height());
  for (int i = 1; i < 5; ++i) fl_yxline(r.left + r.Width() * i / 5, r.top + head, r.bottom - 1);
  for (int i = 1; i < 4; ++i) fl_xyline(r.left, r.top + head + (r.Height() - head) * i / 4, r.right - 1);
  set_color(rgb(240, 190, 40));
  fl_rectf(r.left + r.Width() / 5 + 1, r.top + head + 1, r.Width() / 5 - 1, (r.Height() - head) / 4 - 1);
}

}  // namespace

void draw_named_image(const Rect& r, const std::string& name) {
  if (r.Width() <= 0 || r.Height() <= 0) return;
  std::string utf8 = cp1252_to_utf8(name);
  if (is_file(utf8)) {
    if (Fl_Shared_Image* image = picture(utf8)) {
      if (image->w() == r.Width() && image->h() == r.Height()) {
        image->draw(r.left, r.top);
      } else {
        std::unique_ptr<Fl_Image> scaled(image->copy(r.Width(), r.Height()));
        scaled->draw(r.left, r.top);
      }
      return;
    }
  }
  if (name == "icon") return timetable_icon(r);
  if (name.rfind("ac_", 0) == 0) {
    std::string step = name.substr(3);
    if (step == "riepilogo") return badge(r, group_colour(6), "R");
    if (!step.empty() && std::isdigit(static_cast<unsigned char>(step[0])))
      return badge(r, group_colour(std::atoi(step.c_str())), step);
    bool read = step.find("legg") != std::string::npos;
    return badge(r, read ? rgb(0, 130, 140) : rgb(90, 90, 160), read ? "i" : "?");
  }
  // The pages' own icons: a step badge for a numbered step, a sign for the
  // menus and services.
  if (name.rfind("IKOP_", 0) == 0) {
    std::string step = name.substr(5);
    for (char& c : step) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (!step.empty() && std::isdigit(static_cast<unsigned char>(step[0])))
      return badge(r, group_colour(std::atoi(step.c_str())), step);
    if (step == "riepilogo") return badge(r, group_colour(6), "R");
    if (step == "file") return timetable_icon(r);
    if (step == "confora") return badge(r, rgb(30, 100, 180), "C");
    if (step == "elaora") return badge(r, rgb(190, 50, 50), "E");
    return badge(r, rgb(0, 130, 140), "?");
  }
  std::string first = name.empty() ? "?" : std::string(1, char(std::toupper(static_cast<unsigned char>(name[0]))));
  badge(r, rgb(90, 110, 130), cp1252_to_utf8(first));
}

}  // namespace kt::ui
