// Statics and check boxes with colours of their own, and their
// self-translating forms. Each answers its own colour request (text colour,
// text background and a background brush, which in this window core is the
// fill colour), so a page only sets colours and never handles a colour
// message. The ML forms translate their Italian caption on their first
// paint when the language is not Italian, through the table of static texts
// (CStaticML, CMutoML) or of check boxes (CCheckML), and forget that they
// did when their window is destroyed, so a page made again is translated
// again. All of them are cheap members of pages: three colours and a flag.
// The colour handling is one template over the window kind it colours.
#pragma once

#include "platform/ui.h"
#include "shell/ml_text.h"

// A control of kind Control with its own text and background colours and a
// brush that fills its background; black on white.
template <class Control>
class ColouredControl : public Control {
 public:
  ColouredControl() = default;
  ColouredControl(kt::ui::Color text, kt::ui::Color background)
      : m_text(text), m_background(background), m_brush(background), m_own_background(true) {}
  // A colour with all bits set keeps the old one; a new background makes
  // the brush again.
  void SetColors(kt::ui::Color text, kt::ui::Color background) {
    if (text != kt::ui::kNoColor) m_text = text;
    if (background != kt::ui::kNoColor) {
      m_background = background;
      m_brush = background;
      m_own_background = true;
    }
    this->Invalidate();
  }
  kt::ui::Color TextColor() const { return m_text; }
  kt::ui::Color BackgroundColor() const { return m_background; }

 protected:
  kt::ui::Color CtlColor(kt::ui::DeviceContext& dc, kt::ui::CtlType) override {
    dc.SetTextColor(m_text);
    // Until a page gives it colours, a label sits on its dialog's own
    // background rather than in a white box.
    if (!m_own_background) {
      if (auto* dialog = dynamic_cast<kt::ui::Dialog*>(this->GetParent())) {
        dc.SetBkColor(dialog->GetBackgroundColor());
        return dialog->GetBackgroundColor();
      }
    }
    dc.SetBkColor(m_background);
    return m_brush;
  }

  kt::ui::Color m_text = 0x000000;
  kt::ui::Color m_background = 0xFFFFFF;
  kt::ui::Color m_brush = 0xFFFFFF;
  bool m_own_background = false;
};

// A static with its own text and background colours; black on white.
class CMuto : public ColouredControl<kt::ui::StaticText> {
 public:
  CMuto() = default;
  CMuto(kt::ui::Color text, kt::ui::Color background) : ColouredControl(text, background) {}
  // SetColors, leaving the brush as it was.
  void SetColorValues(kt::ui::Color text, kt::ui::Color background);
};

// Black on light blue-grey RGB(229,240,245).
class CMutoAzzurro : public CMuto {
 public:
  CMutoAzzurro() : CMuto(0x000000, kt::ui::rgb(229, 240, 245)) {}
};

// A static translated once per window through the static-text table.
class CStaticML : public CMuto {
 public:
  CStaticML() = default;
  bool IsTranslated() const { return m_translated; }
  // Pages that put a text of their own (already in the user's language)
  // into the control mark it as done.
  void SetTranslated(bool done) { m_translated = done; }
  void OnPaint(kt::ui::DeviceContext& dc) override;

 protected:
  CStaticML(kt::ui::Color text, kt::ui::Color background) : CMuto(text, background) {}
  void OnDestroy() override;

 private:
  bool m_translated = false;
};

// The self-translating static on light blue-grey RGB(229,240,245).
class CMutoML : public CStaticML {
 public:
  CMutoML() : CStaticML(0x000000, kt::ui::rgb(229, 240, 245)) {}
};

// A check box (or radio button) with its own colours; black on white.
class CCheck : public ColouredControl<kt::ui::Button> {};

// A check box translated once per window through the check-box table.
class CCheckML : public CCheck {
 public:
  // All bits set: black text; a white background that keeps the brush.
  void SetColors(kt::ui::Color text, kt::ui::Color background);
  bool IsTranslated() const { return m_translated; }
  void OnPaint(kt::ui::DeviceContext& dc) override;

 protected:
  void OnDestroy() override;

 private:
  bool m_translated = false;
};
