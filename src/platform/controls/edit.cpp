// Edit field behaviour and drawing (see edit.h). Positions are byte indexes
// into the 1252 text (one byte, one character). Every change goes through
// ReplaceSel, which tells the parent; typing goes through Type, which first
// applies the read-only, number and length rules and beeps when it refuses.
// A multi-line field draws its text word-wrapped from its first shown line,
// with its scroll bar when the style asks for one and the lines do not fit;
// a one-line field draws it vertically centred; either lights the selected
// text while it has the focus. Fields hold names and short notes
// (tens of characters); logs hold a few thousand.
#include "platform/controls/edit.h"

#include <algorithm>

#include "platform/controls/scroll_bar.h"
#include "platform/cp1252.h"
#include "platform/device_context.h"
#include "platform/ui_backend.h"
#include "platform/ui_input.h"

namespace kt::ui {

namespace {

// Where a multi-line field draws its vertical bar, inside its frame.
Rect bar_area(const Rect& client) {
  return {client.right - 1 - kScrollBarWidth, client.top + 1, client.right - 1, client.bottom - 1};
}

// The shown line (of lines that are views into `text`) holding a character.
int line_holding(const std::vector<std::string_view>& lines, std::string_view text, std::ptrdiff_t index) {
  int line = 0;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].data() - text.data() <= index) line = int(i);
  return line;
}

// A character of a word: digits and letters, those with accents and the
// German sharp s (which has no capital in 1252) among them. A double click
// selects a run of them and Ctrl+Left and Ctrl+Right move over one.
bool word_char(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  return (c >= '0' && c <= '9') || c == 0xDF || cp1252_upper(c) != cp1252_lower(c);
}

// Where Ctrl+Left goes from a place: the start of the word before it (past
// the blanks and signs between); Ctrl+Right: the end of the word after it,
// as GTK fields go.
int word_start(std::string_view t, int at) {
  while (at > 0 && !word_char(t[std::size_t(at - 1)])) --at;
  while (at > 0 && word_char(t[std::size_t(at - 1)])) --at;
  return at;
}

int word_end(std::string_view t, int at) {
  int n = int(t.size());
  while (at < n && !word_char(t[std::size_t(at)])) ++at;
  while (at < n && word_char(t[std::size_t(at)])) ++at;
  return at;
}

}  // namespace

TextSpan word_at(std::string_view text, int at) {
  std::size_t a = std::size_t(std::clamp(at, 0, int(text.size()))), b = a;
  while (a > 0 && word_char(text[a - 1])) --a;
  while (b < text.size() && word_char(text[b])) ++b;
  return {int(a), int(b)};
}

bool Edit::Create(std::uint32_t style, const Rect& r, Window* parent, int id) {
  return CreateChild("Edit", "", style, r, parent, id);
}

void Edit::Changed() {
  Invalidate();
  NotifyParentCommand(kEnUpdate);
  NotifyParentCommand(kEnChange);
}

void Edit::SetWindowText(std::string_view text) {
  Window::SetWindowText(text);
  sel_start_ = sel_end_ = 0;
  first_line_ = 0;
  if (IsWindow()) Changed();
}

void Edit::SetSel(int start, int end) {
  int n = GetWindowTextLength();
  if (start < 0) {
    sel_start_ = sel_end_ = std::clamp(sel_end_, 0, n);
  } else {
    sel_start_ = std::min(start, n);
    sel_end_ = end < 0 ? n : std::min(end, n);
  }
  Invalidate();
}

void Edit::ReplaceSel(std::string_view text) {
  std::string t = GetWindowText();
  int a = std::min(sel_start_, sel_end_), b = std::max(sel_start_, sel_end_);
  t.replace(std::size_t(a), std::size_t(b - a), text);
  Window::SetWindowText(t);
  sel_start_ = sel_end_ = a + int(text.size());
  if (IsWindow()) Changed();
}

bool Edit::Type(std::string_view text) {
  if (IsReadOnly()) {
    message_beep(kBeepSimple);
    return false;
  }
  int a = std::min(sel_start_, sel_end_), b = std::max(sel_start_, sel_end_);
  int room = limit_ - (GetWindowTextLength() - (b - a));
  if (room <= 0 && !text.empty()) {
    message_beep(kBeepSimple);
    NotifyParentCommand(kEnMaxText);
    return false;
  }
  if (int(text.size()) > room) text = text.substr(0, std::size_t(room));
  ReplaceSel(text);
  return true;
}

void Edit::SetReadOnly(bool read_only) { ModifyStyle(read_only ? 0 : kEsReadOnly, read_only ? kEsReadOnly : 0); }

int Edit::GetLineCount() const {
  std::string t = GetWindowText();
  return 1 + int(std::count(t.begin(), t.end(), '\n'));
}

std::string Edit::GetLine(int index) const {
  std::string t = GetWindowText();
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = t.find('\n', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  std::size_t end = t.find('\n', start);
  std::string line = t.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

Edit::Layout Edit::LayOut(const TextMetrics& m, const Font& f, std::string_view text) const {
  Layout l;
  Rect r = GetClientRect();
  l.inner = {r.left + 3, r.top + 2, r.right - 3, r.bottom - 2};
  // Words wrap at the field's edge unless the field scrolls sideways.
  bool wrap = !(GetStyle() & kEsAutoHScroll);
  l.lines = DeviceContext::BreakLines(m, f, text, l.inner.Width(), wrap);
  int lh = std::max(1, m.LineHeight(f));
  if ((GetStyle() & kWsVScroll) && int(l.lines.size()) * lh > l.inner.Height()) {
    // The bar takes its width from the text, which may then wrap once more.
    l.bar = true;
    l.inner.right = std::max(l.inner.left, bar_area(r).left - 2);
    if (wrap) l.lines = DeviceContext::BreakLines(m, f, text, l.inner.Width(), wrap);
  }
  return l;
}

int Edit::LastFirstLine(const Layout& l, int line_height) const {
  int fit = std::max(1, l.inner.Height() / std::max(1, line_height));
  return std::max(0, int(l.lines.size()) - fit);
}

int Edit::VisibleLineCount() const {
  std::string t = GetWindowText();
  return std::max(1, LayOut(backend().metrics(), GetFont(), t).inner.Height() /
                         std::max(1, backend().metrics().LineHeight(GetFont())));
}

int Edit::LineFromChar(int index) const {
  std::string t = GetWindowText();
  return line_holding(LayOut(backend().metrics(), GetFont(), t).lines, t, index);
}

Rect Edit::ScrollBarRect() const {
  if (!(GetStyle() & kEsMultiLine)) return {};
  std::string t = GetWindowText();
  if (!LayOut(backend().metrics(), GetFont(), t).bar) return {};
  return bar_area(GetClientRect());
}

void Edit::LineScroll(int lines) {
  std::string t = GetWindowText();
  int last = LastFirstLine(LayOut(backend().metrics(), GetFont(), t), backend().metrics().LineHeight(GetFont()));
  first_line_ = std::clamp(first_line_ + lines, 0, last);
  Invalidate();
}

namespace {

// How many characters went from the front of `old` when `now` is `old` with
// whole lines taken from its top and text added at its end; npos when `now`
// does not go on from `old` that way.
std::size_t dropped_front(std::string_view old, std::string_view now) {
  for (std::size_t k = 0;;) {
    std::string_view kept = old.substr(k);
    if (now.substr(0, kept.size()) == kept) return k;
    std::size_t newline = old.find('\n', k);
    if (newline == std::string_view::npos) return std::string_view::npos;
    k = newline + 1;
  }
}

}  // namespace

void Edit::SetLogText(std::string_view text) {
  const TextMetrics& m = backend().metrics();
  int lh = m.LineHeight(GetFont());
  std::string old = GetWindowText();
  Layout before = LayOut(m, GetFont(), old);
  bool following = first_line_ >= LastFirstLine(before, lh);
  // The character the user reads at the top, counted in the new text.
  std::ptrdiff_t reading = -1;
  if (!following && first_line_ < int(before.lines.size())) {
    std::size_t dropped = dropped_front(old, text);
    std::ptrdiff_t at = before.lines[std::size_t(first_line_)].data() - old.data();
    if (dropped != std::string_view::npos) reading = std::max<std::ptrdiff_t>(0, at - std::ptrdiff_t(dropped));
  }
  Window::SetWindowText(text);
  std::string now = GetWindowText();
  Layout after = LayOut(m, GetFont(), now);
  int last = LastFirstLine(after, lh);
  sel_start_ = sel_end_ = int(now.size());
  if (following) {
    first_line_ = last;
  } else if (reading >= 0) {
    first_line_ = std::min(line_holding(after.lines, now, reading), last);
  } else {
    first_line_ = std::min(first_line_, last);
  }
  if (IsWindow()) Changed();
}

void Edit::OnMouseWheel(int delta, Point) {
  if (GetStyle() & kEsMultiLine) LineScroll(-delta / 120 * 3);
}

void Edit::Copy() const {
  int a = std::min(sel_start_, sel_end_), b = std::max(sel_start_, sel_end_);
  if (b > a && !(GetStyle() & kEsPassword)) backend().SetClipboardText(GetWindowText().substr(std::size_t(a), std::size_t(b - a)));
}

void Edit::Cut() {
  Copy();
  if (!IsReadOnly()) ReplaceSel("");
}

void Edit::Paste() {
  std::string clip = backend().GetClipboardText();
  if (!(GetStyle() & kEsMultiLine)) {
    std::size_t nl = clip.find_first_of("\r\n");
    if (nl != std::string::npos) clip.resize(nl);
  }
  Type(clip);
}

unsigned Edit::GetDlgCode(int key) const {
  unsigned code = kWantChars | kWantArrows;
  if (key == kVkReturn && (GetStyle() & kEsMultiLine) && (GetStyle() & kEsWantReturn)) code |= kWantAllKeys;
  return code;
}

void Edit::OnChar(unsigned char ch, unsigned mods) {
  if (mods & (kModControl | kModAlt)) return;
  if (ch == '\b') {
    if (IsReadOnly()) return message_beep(kBeepSimple);
    if (sel_start_ == sel_end_ && sel_end_ > 0) sel_start_ = sel_end_ - 1;
    if (sel_start_ != sel_end_) ReplaceSel("");
    return;
  }
  if (ch == '\r') {
    if ((GetStyle() & kEsMultiLine) && (GetStyle() & kEsWantReturn)) Type("\r\n");
    return;
  }
  if (ch < 0x20) return;
  if ((GetStyle() & kEsNumber) && (ch < '0' || ch > '9')) return message_beep(kBeepSimple);
  if (GetStyle() & kEsUpperCase) ch = cp1252_upper(ch);
  char c = char(ch);
  Type(std::string_view(&c, 1));
}

void Edit::OnKeyDown(int key, unsigned mods) {
  int n = GetWindowTextLength();
  bool shift = (mods & kModShift) != 0;
  auto move = [&](int to) {
    to = std::clamp(to, 0, n);
    sel_end_ = to;
    if (!shift) sel_start_ = to;
    Invalidate();
  };
  // Left and Right with a selection end it at its start or its end, as GTK
  // and Qt fields do; with Shift they move the caret and keep the anchor.
  // With Ctrl they go a word (a password's words are not shown: to its ends).
  int a = std::min(sel_start_, sel_end_), b = std::max(sel_start_, sel_end_);
  bool words = (mods & kModControl) != 0;
  bool password = (GetStyle() & kEsPassword) != 0;
  auto left = [&] { return !words ? sel_end_ - 1 : password ? 0 : word_start(GetWindowText(), sel_end_); };
  auto right = [&] { return !words ? sel_end_ + 1 : password ? n : word_end(GetWindowText(), sel_end_); };
  if (words) {
    switch (key) {
      case 'A': SetSel(0, -1); return;
      case 'C': Copy(); return;
      case 'X': Cut(); return;
      case 'V': Paste(); return;
      case kVkLeft:
      case kVkRight:
      case kVkHome:
      case kVkEnd: break;
      case kVkBack:
      case kVkDelete:
        // The word before or after the caret goes (a selection alone, when there is one).
        if (IsReadOnly()) return message_beep(kBeepSimple);
        if (a == b) sel_end_ = key == kVkBack ? left() : right();
        if (sel_start_ != sel_end_) ReplaceSel("");
        ShowCaret();
        return;
      default: return;
    }
  }
  switch (key) {
    case kVkLeft: move(!shift && a < b ? a : left()); ShowCaret(); break;
    case kVkRight: move(!shift && a < b ? b : right()); ShowCaret(); break;
    // In a multi-line field Home and End keep to the caret's line (a line
    // as shown, wrapped or not); Ctrl takes them to the ends of the text.
    case kVkHome:
    case kVkEnd: {
      if (words || !(GetStyle() & kEsMultiLine)) {
        move(key == kVkHome ? 0 : n);
      } else {
        std::string t = GetWindowText();
        Layout l = LayOut(backend().metrics(), GetFont(), t);
        std::string_view line = l.lines.empty() ? std::string_view(t).substr(0, 0)
                                                : l.lines[std::size_t(std::clamp(LineFromChar(sel_end_), 0,
                                                                                 int(l.lines.size()) - 1))];
        int start = int(line.data() - t.data());
        int end = start + int(line.size());
        // A line shown ends before its line end.
        while (end > start && (t[std::size_t(end - 1)] == '\n' || t[std::size_t(end - 1)] == '\r')) --end;
        move(key == kVkHome ? start : end);
      }
      ShowCaret();
      break;
    }
    case kVkUp:
    case kVkDown: {
      if (!(GetStyle() & kEsMultiLine)) break;
      // The same column of the line above or below (lines end with "\n").
      std::string t = GetWindowText();
      std::size_t at = std::size_t(sel_end_);
      std::size_t start = at == 0 ? 0 : t.rfind('\n', at - 1);
      start = start == std::string::npos ? 0 : (at == 0 ? 0 : start + 1);
      std::size_t column = at - start;
      std::size_t target;
      // The end of a line's text: before its "\n", and before a "\r" there.
      auto text_end = [&](std::size_t newline) { return newline > 0 && t[newline - 1] == '\r' ? newline - 1 : newline; };
      if (key == kVkUp) {
        if (start == 0) break;
        std::size_t prev = start - 1 == 0 ? std::string::npos : t.rfind('\n', start - 2);
        std::size_t prev_start = prev == std::string::npos ? 0 : prev + 1;
        target = std::min(prev_start + column, text_end(start - 1));
      } else {
        std::size_t next = t.find('\n', at);
        if (next == std::string::npos) break;
        std::size_t next_end = t.find('\n', next + 1);
        target = std::min(next + 1 + column, next_end == std::string::npos ? t.size() : text_end(next_end));
      }
      move(int(target));
      ShowCaret();
      break;
    }
    case kVkDelete:
      if (IsReadOnly()) return message_beep(kBeepSimple);
      if (sel_start_ == sel_end_ && sel_end_ < n) sel_end_ = sel_start_ + 1;
      if (sel_start_ != sel_end_) ReplaceSel("");
      break;
    default: break;
  }
}

void Edit::OnLButtonDown(Point p, unsigned mods) {
  Rect bar = ScrollBarRect();
  if (bar.Width() > 0 && p.x >= bar.left) {
    // The bar moves the lines shown; the caret stays where it was.
    std::string t = GetWindowText();
    const TextMetrics& m = backend().metrics();
    Layout l = LayOut(m, GetFont(), t);
    int last = LastFirstLine(l, m.LineHeight(GetFont()));
    int shown = int(l.lines.size()) - last;
    first_line_ = scroll_bar_click(bar, p.y, first_line_, shown, int(l.lines.size()));
    Invalidate();
    return;
  }
  SetFocus();
  // Shift+click moves the caret and keeps the anchor: the selection runs
  // from where it started to the place clicked. Moving the mouse with the
  // button held moves the caret the same way, until the button goes up.
  sel_end_ = CharFromPoint(p);
  if (!(mods & kModShift)) sel_start_ = sel_end_;
  unit_ = Unit::kChar;
  SetCapture();
  // The third quick press takes the line clicked, a one-line field's whole
  // text, as in GTK; a drag from it goes on by lines.
  if ((mods & kModTripleClick) && !(mods & kModShift)) {
    unit_ = Unit::kLine;
    first_unit_ = UnitAt(GetWindowText(), sel_end_);
    sel_start_ = first_unit_.start;
    sel_end_ = first_unit_.end;
  }
  Invalidate();
}

TextSpan Edit::UnitAt(const std::string& text, int at) const {
  int n = int(text.size());
  if (unit_ == Unit::kChar) return {at, at};
  // A password's words and lines are not shown: the unit is all of it, as
  // is a one-line field's line.
  if ((GetStyle() & kEsPassword) || (unit_ == Unit::kLine && !(GetStyle() & kEsMultiLine))) return {0, n};
  if (unit_ == Unit::kWord) return word_at(text, at);
  // A line as shown (a wrapped piece on its own), with the line end after
  // it: typing over it replaces the line, a cut takes it away whole.
  Layout l = LayOut(backend().metrics(), GetFont(), text);
  if (l.lines.empty()) return {0, n};
  std::string_view line = l.lines[std::size_t(line_holding(l.lines, text, at))];
  int start = int(line.data() - text.data()), end = start + int(line.size());
  if (end < n && text[std::size_t(end)] == '\r') ++end;
  if (end < n && text[std::size_t(end)] == '\n') ++end;
  return {start, end};
}

void Edit::SelectUnitsTo(int at) {
  TextSpan here = UnitAt(GetWindowText(), at);
  // Before the first unit the selection runs back from its end to the
  // start of the unit reached; from it on, from its start to the end of
  // the unit reached (never less than the first unit).
  if (at < first_unit_.start) {
    sel_start_ = first_unit_.end;
    sel_end_ = std::min(here.start, at);
  } else {
    sel_start_ = first_unit_.start;
    sel_end_ = std::max(std::max(here.end, at), first_unit_.end);
  }
}

void Edit::DragTo(Point p) {
  // Above or below a multi-line field the selection goes on into the
  // lines out of sight, which scroll in.
  int to = CharFromPoint(p, true);
  int before_start = sel_start_, before_end = sel_end_;
  if (unit_ == Unit::kChar) sel_end_ = to;
  else SelectUnitsTo(to);
  if (sel_start_ == before_start && sel_end_ == before_end) return;
  ShowCaret();
  Invalidate();
}

void Edit::OnMouseMove(Point p, unsigned) {
  if (GetCapture() != this) return;
  drag_point_ = p;
  DragTo(p);
  bool beyond = (GetStyle() & kEsMultiLine) && (p.y < 0 || p.y >= GetClientRect().bottom);
  if (beyond && !edge_scrolling_) SetTimer(kEdgeScrollTimer, kEdgeScrollMs);
  else if (!beyond && edge_scrolling_) KillTimer(kEdgeScrollTimer);
  edge_scrolling_ = beyond;
}

void Edit::OnTimer(WParam id) {
  if (id != kEdgeScrollTimer) return;
  // The button went up elsewhere, or another window took the mouse.
  if (GetCapture() != this) {
    KillTimer(kEdgeScrollTimer);
    edge_scrolling_ = false;
    return;
  }
  DragTo(drag_point_);
}

void Edit::OnLButtonUp(Point, unsigned) {
  if (GetCapture() == this) ReleaseCapture();
  unit_ = Unit::kChar;
  if (edge_scrolling_) KillTimer(kEdgeScrollTimer);
  edge_scrolling_ = false;
}

void Edit::ShowCaret() {
  if (!(GetStyle() & kEsMultiLine)) return;
  int line = LineFromChar(sel_end_);
  int shown = VisibleLineCount();
  if (line < first_line_) first_line_ = line;
  else if (line >= first_line_ + shown) first_line_ = line - shown + 1;
  Invalidate();
}

void Edit::OnLButtonDblClk(Point p, unsigned mods) {
  OnLButtonDown(p, mods);
  if ((mods & kModShift) || GetCapture() != this) return;
  // The word clicked is selected (a password all of it, its words not
  // shown), and a drag from it goes on by whole words: the mouse shaking
  // by a pixel before the button goes up keeps the word.
  unit_ = Unit::kWord;
  first_unit_ = UnitAt(GetWindowText(), sel_end_);
  sel_start_ = first_unit_.start;
  sel_end_ = first_unit_.end;
  Invalidate();
}

int Edit::CharFromPoint(Point p, bool beyond) const {
  const TextMetrics& m = backend().metrics();
  std::string t = GetWindowText();
  if (GetStyle() & kEsPassword) t.assign(t.size(), '*');  // measured as drawn
  std::string_view line = t;
  int left = 2;
  if (GetStyle() & kEsMultiLine) {
    // The shown line under the point, counted from the first line shown.
    Layout l = LayOut(m, GetFont(), t);
    int lh = std::max(1, m.LineHeight(GetFont()));
    int row = first_line_ + (p.y < l.inner.top ? (beyond && p.y < 0 ? -1 : 0) : (p.y - l.inner.top) / lh);
    line = l.lines.empty() ? line.substr(0, 0)
                           : l.lines[std::size_t(std::clamp(row, 0, int(l.lines.size()) - 1))];
    left = l.inner.left;
  }
  // The nearest character boundary of the line: a click on the right half
  // of a letter goes after it.
  int start = int(line.data() - t.data());
  for (int i = 0, before = left; i <= int(line.size()); ++i) {
    int x = m.TextWidth(GetFont(), line.substr(0, std::size_t(i))) + left;
    if (x >= p.x) return start + (i > 0 && p.x - before < x - p.x ? i - 1 : i);
    before = x;
  }
  return start + int(line.size());
}

void Edit::OnSetFocus(Window*) {
  Invalidate();
  NotifyParentCommand(kEnSetFocus);
}

void Edit::OnKillFocus(Window*) {
  Invalidate();
  NotifyParentCommand(kEnKillFocus);
}

void Edit::OnDestroy() { sel_start_ = sel_end_ = 0; }

void Edit::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.SetTextColor(IsWindowEnabled() ? kWindowTextColor : kGrayTextColor);
  dc.SetBkColor(kWindowColor);
  bool plain = IsReadOnly() || !IsWindowEnabled();
  Color brush = RequestColors(dc, plain ? CtlType::kStatic : CtlType::kEdit);
  if (brush == kNoColor) brush = plain ? kButtonFaceColor : kWindowColor;
  dc.FillRect(r, brush);
  dc.FrameRect(r, kButtonShadowColor);
  std::string text = GetWindowText();
  if (GetStyle() & kEsPassword) text.assign(text.size(), '*');
  Rect inner{r.left + 3, r.top + 2, r.right - 3, r.bottom - 2};
  int a = std::min(sel_start_, sel_end_), b = std::max(sel_start_, sel_end_);
  bool focused = GetFocus() == this;
  dc.SetBkMode(kBkTransparent);
  if (GetStyle() & kEsMultiLine) {
    Layout l = LayOut(dc.metrics(), dc.font(), text);
    int lh = dc.metrics().LineHeight(dc.font());
    int y = l.inner.top;
    for (std::size_t i = std::size_t(first_line_); i < l.lines.size() && y + lh <= l.inner.bottom + lh / 2; ++i) {
      // The selected part of the line is lit, as in a one-line field: the
      // user sees what a typed key or a cut replaces (all of it after a Tab).
      std::string_view line = l.lines[i];
      int line_start = int(line.data() - text.data());
      int from = std::max(a, line_start), to = std::min(b, line_start + int(line.size()));
      if (focused && to > from) {
        const TextMetrics& m = dc.metrics();
        int x0 = l.inner.left + m.TextWidth(dc.font(), line.substr(0, std::size_t(from - line_start)));
        int x1 = l.inner.left + m.TextWidth(dc.font(), line.substr(0, std::size_t(to - line_start)));
        dc.FillRect(Rect{x0, y, x1, y + lh}, kHighlightColor);
      }
      dc.DrawText(l.lines[i], Rect{l.inner.left, y, l.inner.right, y + lh}, kDtSingleLine | kDtNoPrefix | kDtExpandTabs);
      y += lh;
    }
    if (l.bar) {
      int last = LastFirstLine(l, lh);
      draw_scroll_bar(dc, bar_area(r), first_line_, int(l.lines.size()) - last, int(l.lines.size()));
    }
    return;
  }
  std::uint32_t align = (GetStyle() & kEsCenter) ? kDtCenter : (GetStyle() & kEsRight) ? kDtRight : kDtLeft;
  if (focused && b > a) {
    const TextMetrics& m = dc.metrics();
    int x0 = inner.left + m.TextWidth(dc.font(), std::string_view(text).substr(0, std::size_t(a)));
    int x1 = inner.left + m.TextWidth(dc.font(), std::string_view(text).substr(0, std::size_t(b)));
    dc.FillRect(Rect{x0, inner.top, x1, inner.bottom}, kHighlightColor);
  }
  dc.DrawText(text, inner, align | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

}  // namespace kt::ui
