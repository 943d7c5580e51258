// Replay of a display list with FLTK's drawing calls, inside a mirror
// window's draw(). Each operation is clipped to what its window may paint
// (replay_plan.h). The two operations the core leaves to the backend are
// drawn here in the classic look the dialogs were designed with: the raised
// push-button frame (sunken when pressed: two grey rings) and the check and
// radio boxes (white box, grey frame, a mark in the text colour; the third
// state a grey square). Bitmaps and icons are drawn by name (fltk_icons.cpp).
#include <FL/fl_draw.H>

#include <string>

#include "platform/cp1252.h"
#include "platform/fltk/fltk_internal.h"
#include "platform/fltk/replay_plan.h"

namespace kt::ui {

namespace {

void set_color(Color c) { fl_color(uchar(red_of(c)), uchar(green_of(c)), uchar(blue_of(c))); }

void hline(int x0, int x1, int y) { if (x1 >= x0) fl_xyline(x0, y, x1); }
void vline(int x, int y0, int y1) { if (y1 >= y0) fl_yxline(x, y0, y1); }

void draw_button_frame(const Rect& r, bool pressed) {
  int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  if (r.Width() < 4 || r.Height() < 4) return;
  if (pressed) {
    set_color(rgb(105, 105, 105));
    fl_rect(l, t, r.Width(), r.Height());
    set_color(rgb(160, 160, 160));
    fl_rect(l + 1, t + 1, r.Width() - 2, r.Height() - 2);
    return;
  }
  set_color(rgb(255, 255, 255));
  hline(l, rr - 1, t);
  vline(l, t, b - 1);
  set_color(rgb(105, 105, 105));
  hline(l, rr, b);
  vline(rr, t, b);
  set_color(rgb(227, 227, 227));
  hline(l + 1, rr - 2, t + 1);
  vline(l + 1, t + 1, b - 2);
  set_color(rgb(160, 160, 160));
  hline(l + 1, rr - 1, b - 1);
  vline(rr - 1, t + 1, b - 1);
}

void draw_check_mark(const DrawItemOp& op) {
  const Rect& r = op.rect;
  int w = r.Width(), h = r.Height();
  if (op.vertical) {
    set_color(kWindowColor);
    fl_pie(r.left, r.top, w, h, 0, 360);
    set_color(kButtonShadowColor);
    fl_arc(r.left, r.top, w, h, 0, 360);
    if (op.width) {
      set_color(op.color);
      fl_pie(r.left + 4, r.top + 4, w - 8, h - 8, 0, 360);
    }
    return;
  }
  set_color(kWindowColor);
  fl_rectf(r.left, r.top, w, h);
  set_color(kButtonShadowColor);
  fl_rect(r.left, r.top, w, h);
  if (op.width == 1) {
    set_color(op.color);
    fl_line_style(FL_SOLID, 2);
    fl_line(r.left + 3, r.top + h / 2, r.left + w / 2 - 1, r.bottom - 4, r.right - 3, r.top + 3);
    fl_line_style(0);
  } else if (op.width == 2) {
    set_color(kButtonShadowColor);
    fl_rectf(r.left + 3, r.top + 3, w - 6, h - 6);
  }
}

void draw_text(const DrawItemOp& op) {
  FlFont f = fl_font_for(op.font);
  fl_font(f.face, f.size);
  const Rect& r = op.rect;
  if (!op.transparent && op.color2 != kNoColor) {
    set_color(op.color2);
    fl_rectf(r.left, r.top, r.Width(), r.Height());
  }
  std::string text = op.text;
  for (char& c : text)
    if (c == '\t') c = ' ';
  std::string utf8 = cp1252_to_utf8(text);
  set_color(op.color);
  int baseline = r.top + fl_height() - fl_descent();
  fl_draw(utf8.c_str(), int(utf8.size()), r.left, baseline);
  if (op.font.underline) hline(r.left, r.right - 1, baseline + 1);
}

void draw_op(const DrawItemOp& op) {
  const Rect& r = op.rect;
  switch (op.op) {
    case DrawOp::kFill:
      set_color(op.color);
      fl_rectf(r.left, r.top, r.Width(), r.Height());
      break;
    case DrawOp::kFrame:
      set_color(op.color);
      fl_rect(r.left, r.top, r.Width(), r.Height());
      break;
    case DrawOp::kLine: {
      Point last;
      if (!line_last_pixel(r, last)) break;
      set_color(op.color);
      if (op.width > 1) fl_line_style(FL_SOLID, op.width);
      fl_line(r.left, r.top, last.x, last.y);
      if (op.width > 1) fl_line_style(0);
      break;
    }
    case DrawOp::kText:
      draw_text(op);
      break;
    case DrawOp::kGradient: {
      int n = op.vertical ? r.Height() : r.Width();
      for (int i = 0; i < n; ++i) {
        set_color(gradient_step(op.color, op.color2, i, n));
        if (op.vertical) hline(r.left, r.right - 1, r.top + i);
        else vline(r.left + i, r.top, r.bottom - 1);
      }
      break;
    }
    case DrawOp::kBitmap:
    case DrawOp::kIcon:
      draw_named_image(r, op.text);
      break;
    case DrawOp::kButtonFrame:
      draw_button_frame(r, op.pressed);
      break;
    case DrawOp::kCheckMark:
      draw_check_mark(op);
      break;
    case DrawOp::kChecker:
      set_color(op.color);
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
          if (checker_pixel(x, y)) fl_point(x, y);
      break;
    case DrawOp::kClip:
      break;
  }
}

}  // namespace

void replay_display_list(const DisplayList& list, Window& top) {
  ClipTracker clips(top);
  for (const DrawItemOp& op : list.ops()) {
    Rect clip = clips.ClipFor(op);
    if (op.op == DrawOp::kClip || clip.IsEmpty()) continue;
    fl_push_clip(clip.left, clip.top, clip.Width(), clip.Height());
    draw_op(op);
    fl_pop_clip();
  }
}

}  // namespace kt::ui
