// Edit fields, one line or many: 1252 text with a length limit, a selection
// (start and end; the caret is the end), read-only, upper-case, number-only
// and password styles, cut, copy and paste through the backend's clipboard.
// Typing replaces the selection; a character that would pass the limit is
// refused with a beep and EN_MAXTEXT. Every change of the text, typed or set
// by SetWindowText, tells the parent EN_UPDATE then EN_CHANGE; focus changes
// tell EN_SETFOCUS and EN_KILLFOCUS. Lines of a multi-line field end with
// "\r\n"; Enter adds one only with the want-return style. A multi-line
// field wraps its lines at its edge (unless it scrolls sideways) and, with
// the vertical-scroll style, draws a scroll bar at its right edge while its
// text has more lines than fit; a log shown through SetLogText follows its
// newest line until the user scrolls up to read. Keys and clicks select as
// in GTK and Qt fields: Left and Right with a selection end it at its start
// or end, Ctrl with them goes a word, Shift+click or a drag with the button
// held extends it from its anchor, a double click takes a word and a triple
// click the line (a one-line field's whole text); a drag after either goes
// on by whole words or whole lines, as in GTK; held above or below a
// multi-line field, it goes on scrolling the lines in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace kt::ui {

class TextMetrics;

// The word a double click takes at a place of a text: the run of letters
// and digits (accented ones too) touching it; start == end where none
// does. The native entry over a one-line field takes words by it too.
struct TextSpan {
  int start = 0, end = 0;
};
TextSpan word_at(std::string_view text, int at);

class Edit : public Window {
 public:
  const char* ClassName() const override { return "Edit"; }
  bool Create(std::uint32_t style, const Rect& r, Window* parent, int id);

  void SetWindowText(std::string_view text) override;
  void SetLimitText(int max_chars) { limit_ = max_chars <= 0 ? kDefaultLimit : max_chars; }
  void LimitText(int max_chars) { SetLimitText(max_chars); }
  int GetLimitText() const { return limit_; }
  // end -1: to the end of the text; start -1: no selection.
  void SetSel(int start, int end);
  void GetSel(int& start, int& end) const { start = sel_start_; end = sel_end_; }
  void ReplaceSel(std::string_view text);
  void SetReadOnly(bool read_only);
  bool IsReadOnly() const { return (GetStyle() & kEsReadOnly) != 0; }
  int GetLineCount() const;
  // Multi-line fields: the first line shown, and scrolling by lines. Lines
  // here are the lines as shown (a wrapped line counts once per piece); the
  // last line can come up to the bottom of the field, no further.
  int GetFirstVisibleLine() const { return first_line_; }
  void LineScroll(int lines);
  // How many whole lines fit in the field.
  int VisibleLineCount() const;
  // The shown line that holds a character of the text.
  int LineFromChar(int index) const;
  // The bar drawn at the right edge (empty when none is drawn).
  Rect ScrollBarRect() const;
  // Replaces the text of a log the program keeps adding lines to, whose
  // oldest lines may go from its top: a field that showed its last line
  // shows the new last line; one the user scrolled up keeps showing the
  // lines the user was reading, as long as they are still there.
  void SetLogText(std::string_view text);
  std::string GetLine(int index) const;
  void Clear() { ReplaceSel(""); }
  void Copy() const;
  void Cut();
  void Paste();

  unsigned GetDlgCode(int key) const override;
  void OnPaint(DeviceContext& dc) override;
  static constexpr int kDefaultLimit = 30000;

 protected:
  void OnChar(unsigned char ch, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnLButtonDblClk(Point p, unsigned mods) override;
  void OnMouseMove(Point p, unsigned mods) override;
  void OnLButtonUp(Point p, unsigned mods) override;
  void OnMouseWheel(int delta, Point p) override;
  void OnTimer(WParam id) override;
  void OnSetFocus(Window* old) override;
  void OnKillFocus(Window* next) override;
  void OnDestroy() override;

 private:
  // Replaces the selection as the user does: refused past the limit.
  bool Type(std::string_view text);
  void Changed();
  // The shown lines of a text (views into it), the rectangle they are drawn
  // in, and whether the scroll bar is drawn beside them.
  struct Layout {
    std::vector<std::string_view> lines;
    Rect inner;
    bool bar = false;
  };
  Layout LayOut(const TextMetrics& m, const Font& f, std::string_view text) const;
  int LastFirstLine(const Layout& l, int line_height) const;
  // The character boundary a click at a point of the client area goes to;
  // `beyond`: a point above a multi-line field goes to the line before the
  // first shown (a drag goes on up).
  int CharFromPoint(Point p, bool beyond = false) const;
  // Scrolls a multi-line field to show the caret's line.
  void ShowCaret();
  // What the mouse selects by: characters after a press, words after a
  // double click, lines after a triple click (until the button goes up).
  enum class Unit { kChar, kWord, kLine };
  // The word or line (as unit_) at a place of the text.
  TextSpan UnitAt(const std::string& text, int at) const;
  // Runs the selection from the unit first taken to the unit at a place.
  void SelectUnitsTo(int at);

  // Runs the selection to a point while the button is held (by unit_).
  void DragTo(Point p);

  Unit unit_ = Unit::kChar;
  TextSpan first_unit_;
  // While a drag is held above or below a multi-line field, its lines go
  // on scrolling in on a timer, the mouse still (as in GTK), from the last
  // point the mouse was at.
  static constexpr WParam kEdgeScrollTimer = 0x4544;
  static constexpr std::uint32_t kEdgeScrollMs = 50;
  bool edge_scrolling_ = false;
  Point drag_point_{};

  int limit_ = kDefaultLimit;
  int sel_start_ = 0, sel_end_ = 0;
  int first_line_ = 0;
};

}  // namespace kt::ui
