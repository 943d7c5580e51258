// The layout lint: a check of every dialog template as the screen will
// show it. With a text metrics provider and the caption each control shows
// in a language, it reports a caption wider than its control (a caption the
// control wraps may take as many lines as its height holds), a control
// outside its dialog and two controls that overlap, except where the
// template means it: group boxes, frames and rectangles hold other controls,
// a control drawn on a page-drawn panel ("Custom") belongs to it, and the
// pairs named as sharing a place take turns.
//
// ScreenFontMetrics are the widths of the screen's dialog font (Liberation
// Sans at 10 pixels, the 8-point dialog font of the FLTK backend) recorded
// once, so the lint measures as the screen does without a display; other
// sizes scale from them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/ui_backend.h"

namespace kt::ui {

class ScreenFontMetrics final : public TextMetrics {
 public:
  int TextWidth(const Font& font, std::string_view text) const override;
  int LineHeight(const Font& font) const override;
};

// The caption a control shows (translated); the template's own by default.
using ShownCaption = std::function<std::string(const DialogTemplate&, const ControlTemplate&)>;

// Two controls of a template that share a place on purpose, one shown while
// the other is hidden; why says when each shows.
struct SharedPlace {
  int template_id;
  int control;
  int other;
  const char* why;
};

// A top-level dialog does not scroll: it must fit the screen whole, with
// its title bar and borders. Pages (child templates, and the sizeable ones
// the frame shows as pages) are left out, as the frame scrolls them. One
// line when it does not fit, else none.
std::vector<std::string> lint_dialog_on_screen(const DialogTemplate& t, const TextMetrics& metrics, Size screen);

std::vector<std::string> lint_dialog_layout(const DialogTemplate& t, const TextMetrics& metrics,
                                            const ShownCaption& caption = nullptr,
                                            const std::vector<SharedPlace>& shared = {});

}  // namespace kt::ui
