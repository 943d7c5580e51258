// Edit fields, one line or many: 1252 text with a length limit, a selection
// (start and end; the caret is the end), read-only, upper-case, number-only
// and password styles, cut, copy and paste through the backend's clipboard.
// Typing replaces the selection; a character that would pass the limit is
// refused with a beep and EN_MAXTEXT. Every change of the text, typed or set
// by SetWindowText, tells the parent EN_UPDATE then EN_CHANGE; focus changes
// tell EN_SETFOCUS and EN_KILLFOCUS. Lines of a multi-line field end with
// "\r\n"; Enter adds one only with the want-return style.
#pragma once

#include <string>

#include "platform/window.h"

namespace kt::ui {

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
  // Multi-line fields: the first line shown, and scrolling by lines.
  int GetFirstVisibleLine() const { return first_line_; }
  void LineScroll(int lines);
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
  void OnMouseWheel(int delta, Point p) override;
  void OnSetFocus(Window* old) override;
  void OnKillFocus(Window* next) override;
  void OnDestroy() override;

 private:
  // Replaces the selection as the user does: refused past the limit.
  bool Type(std::string_view text);
  void Changed();

  int limit_ = kDefaultLimit;
  int sel_start_ = 0, sel_end_ = 0;
  int first_line_ = 0;
};

}  // namespace kt::ui
