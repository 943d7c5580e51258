// CColorButton: the owner-drawn push button of nearly every page and of the
// 84 hour cells of the week grids. Its colour state picks the face and text
// colours: state 0 reads them from the caption's leading marks ("!" a main
// command, "?", "#", "@" and their pairs), 1-13, 41, 51-52 and 91-93 are
// fixed pairs, 101-105 paint face, text and frame in one colour (the edge
// bars of the message box), 1001 and above are generated colours, 9 is one
// process-wide colour, and any other state keeps the colours last chosen.
// The caption is translated once through the button table; its marks are
// read from a copy at each paint and never written back into it.
#pragma once

#include <string>
#include <string_view>

#include "platform/ui.h"

// The process-wide colour of state 9, set by the pages that use it.
extern kt::ui::Color g_color_button_shared_color;

// The colours a state gives and the caption left to show.
struct ColorButtonLook {
  kt::ui::Color background = kt::ui::kNoColor;
  kt::ui::Color text = kt::ui::kNoColor;
  kt::ui::Color frame = kt::ui::kNoColor;  // kNoColor: the button's own rule
  bool solid = false;                      // face, caption and frame in one colour
  std::string caption;
};

// Colours for a state and caption; previous_* are the colours last chosen,
// kept by the states that leave a colour unchanged. provisional: the
// provisional-timetable palette of state 0.
ColorButtonLook color_button_look(int state, std::string_view caption, bool provisional,
                                  kt::ui::Color previous_background, kt::ui::Color previous_text);

// The generated face colour of a state of 1001 and above, and its text:
// 255 in each channel where the face is below 128, else 0.
kt::ui::Color color_button_generated(int state);
kt::ui::Color color_button_generated_text(kt::ui::Color background);

class CColorButton : public kt::ui::Button {
 public:
  CColorButton() = default;
  ~CColorButton() override;

  // Copies the text as the caption to draw and sets it as the window text.
  virtual void SetCaption(const char* text);
  // Invalidates the whole button without erasing.
  void Redraw() { Invalidate(false); }
  // After a change of language: a caption taken from the window text is
  // translated again on the next paint.
  void Retranslate() {
    if (m_caption_translated) m_has_caption = m_caption_translated = false;
    Invalidate(false);
  }
  const std::string& Caption() const { return m_caption; }
  bool HasCaption() const { return m_has_caption; }

  int m_state = 0;
  kt::ui::Color m_frame_color = 0;  // 0: the default frame colours
  bool m_no_focus_frame = false;
  std::uint32_t m_format = 0;       // 0: centred, vertically centred, word-wrapped
  bool m_single_line = false;

 protected:
  // Owner-drawn whatever type the template gave.
  bool OnCreate() override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
  void OnDestroy() override;

 private:
  void DrawCaption(kt::ui::DeviceContext& dc, const kt::ui::Rect& inside, const std::string& caption, bool pressed,
                   bool disabled);

  bool m_has_caption = false;
  bool m_caption_translated = false;  // the caption came from the window text
  std::string m_caption;
  kt::ui::Color m_background = kt::ui::rgb(122, 183, 42);
  kt::ui::Color m_text = kt::ui::rgb(0, 0, 0);
};
