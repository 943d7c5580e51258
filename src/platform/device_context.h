// The device context through which the core's controls and the pages draw.
// It records operations into a display list in top-level client coordinates
// (the window's own client coordinates shifted by its origin) and keeps the
// drawing state the dialog code expects: text and background colours, the
// transparent or opaque text mode, the font, a clip rectangle, and a tag
// (row and column) that list controls set so that cells can be found again.
//
// Text is measured through the backend's metrics; DrawText computes line
// breaks itself, so word wrapping is identical headless and on screen.
#pragma once

#include <string_view>
#include <vector>

#include "platform/display_list.h"
#include "platform/ui_types.h"

namespace kt::ui {

class TextMetrics;

inline constexpr int kBkTransparent = 1;
inline constexpr int kBkOpaque = 2;

class DeviceContext {
 public:
  DeviceContext(DisplayList& out, const TextMetrics& metrics, Point origin, Rect clip,
                WindowHandle window, int control_id);

  Color SetTextColor(Color c) { Color o = text_color_; text_color_ = c; return o; }
  Color GetTextColor() const { return text_color_; }
  Color SetBkColor(Color c) { Color o = bk_color_; bk_color_ = c; return o; }
  Color GetBkColor() const { return bk_color_; }
  int SetBkMode(int mode) { int o = bk_mode_; bk_mode_ = mode; return o; }
  Font SelectFont(const Font& f) { Font o = font_; font_ = f; return o; }
  const Font& font() const { return font_; }

  // List rows and columns tag what follows; -1 clears.
  void SetTag(int item, int subitem) { item_ = item; subitem_ = subitem; }

  void FillRect(const Rect& r, Color c);
  void FrameRect(const Rect& r, Color c);
  void Line(Point a, Point b, Color c, int width = 1);
  void GradientFill(const Rect& r, Color from, Color to, bool vertical);
  void DrawBitmap(const Rect& r, int resource, std::string_view name = {});
  void DrawIcon(Point at, int resource, std::string_view name = {});
  void DrawButtonFrame(const Rect& r, bool pressed);
  void DrawCheckMark(const Rect& r, int state, bool radio);
  void Checker(const Rect& r, Color c);
  // The dotted rectangle that marks the control holding the keyboard focus.
  void DrawFocusRect(const Rect& r);
  // Draws 1252 text in r with a draw-text format; returns the text height.
  // With kDtCalcRect nothing is drawn and r receives the needed rectangle.
  int DrawText(std::string_view text, Rect& r, std::uint32_t format);
  int DrawText(std::string_view text, const Rect& r, std::uint32_t format) {
    Rect copy = r;
    return DrawText(text, copy, format);
  }
  void TextOut(int x, int y, std::string_view text);
  Size GetTextExtent(std::string_view text) const;

  // Line breaking shared with the edit control: lines of at most width pixels.
  static std::vector<std::string_view> BreakLines(const TextMetrics& m, const Font& f, std::string_view text,
                                                  int width, bool word_break);

  const TextMetrics& metrics() const { return metrics_; }
  DisplayList& list() { return out_; }

 private:
  DrawItemOp Base(DrawOp op, const Rect& r, Color c) const;

  DisplayList& out_;
  const TextMetrics& metrics_;
  Point origin_;
  Rect clip_;  // in top-level coordinates
  WindowHandle window_;
  int control_id_;
  Color text_color_ = kWindowTextColor;
  Color bk_color_ = kWindowColor;
  int bk_mode_ = kBkOpaque;
  Font font_;
  int item_ = -1, subitem_ = -1;
};

}  // namespace kt::ui
