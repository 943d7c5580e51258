// The native text entry over the focused one-line edit field of a window.
// The core keeps the field (its text, rules and notifications); the entry
// only lets the user type with the platform's own caret, selection, input
// methods and clipboard. After each render the entry follows the core:
// placed inside the field's frame, in its font and colour, password and
// read-only as the style says, refilled when the core's text changed; a
// field not wholly in sight has none. Each change the user makes is handed
// to the core as a posted task that applies the field's rules (number only,
// upper case, length limit: refused with a beep as when typed) and sets the
// text, so the parent hears EN_UPDATE and EN_CHANGE as from typing.
// A caret move or selection made in the entry (keys, mouse) is handed to the
// core the same way, and one the core makes (select all on tabbing in, the
// program's own) is shown by the entry: the two never disagree on what is
// selected, so a key the entry leaves to the core (Ctrl+X with nothing
// selected, Backspace at the start) does not act on a selection the user
// cannot see. Left and Right with a selection end it at its start or end,
// as in GTK and Qt fields; Shift+click extends it (FLTK's own); a double
// click takes a word by the core field's rule, a triple click the whole
// text, and a drag after either goes on by words (or keeps the text).
// Multi-line fields are drawn and typed by the core.
//
// Dialog keys (Tab, Enter, Esc, function keys, Alt and most Ctrl
// combinations) are left to the window, which hands them to the core after
// the text, so a default button sees what was typed.
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/controls/edit.h"
#include "platform/cp1252.h"
#include "platform/fltk/fltk_internal.h"
#include "platform/ui_thread.h"

namespace kt::ui {

namespace {

int utf8_offset(const std::string& text, int byte_index) {
  byte_index = std::clamp(byte_index, 0, int(text.size()));
  return int(cp1252_to_utf8(std::string_view(text).substr(0, std::size_t(byte_index))).size());
}

int byte_index(const char* utf8, int offset) {
  return int(utf8_to_cp1252(std::string_view(utf8, std::size_t(std::max(0, offset)))).size());
}

void changed_callback(Fl_Widget* w, void*) { static_cast<EditOverlay*>(w)->PushToCore(); }

// Applies a field's typing rules to what the user changed between the
// field's text and the entry's, as if the change had been typed: the part
// put in (between the common start and end) must be digits in a number
// field, goes to upper case in an upper-case field and is cut at its first
// line end and to the room the length limit leaves. False when the field refuses it whole.
bool apply_rules(Edit& e, std::string& text) {
  const std::string old = e.GetWindowText();
  std::size_t head = 0;
  while (head < old.size() && head < text.size() && old[head] == text[head]) ++head;
  std::size_t tail = 0;
  while (tail < old.size() - head && tail < text.size() - head &&
         old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
    ++tail;
  std::string put = text.substr(head, text.size() - head - tail);
  std::size_t kept = head + tail;
  // A line pasted with its end (or several lines) keeps its first line only,
  // as the core's own paste does: a line end in a one-line field would split
  // the line of the school file it is written to.
  std::size_t line_end = put.find_first_of("\r\n");
  if (line_end != std::string::npos) put.resize(line_end);
  std::uint32_t style = e.GetStyle();
  if (style & kEsNumber)
    for (char c : put)
      if (c < '0' || c > '9') return false;
  if (style & kEsUpperCase)
    for (char& c : put) c = char(cp1252_upper(static_cast<unsigned char>(c)));
  std::size_t room = std::size_t(std::max(0, e.GetLimitText() - int(kept)));
  if (put.size() > room) {
    put.resize(room);
    message_beep(kBeepSimple);
    e.NotifyParentCommand(kEnMaxText);
  }
  text = old.substr(0, head) + put + old.substr(old.size() - tail);
  return true;
}

}  // namespace

EditOverlay::EditOverlay(MirrorWindow& owner) : Fl_Input(0, 0, 10, 10), owner_(owner) {
  box(FL_FLAT_BOX);
  when(FL_WHEN_CHANGED);
  callback(changed_callback);
  hide();
}

int EditOverlay::handle(int event) {
  if (event == FL_KEYBOARD) {
    int k = Fl::event_key();
    int state = Fl::event_state();
    bool editing_ctrl = k == 'a' || k == 'c' || k == 'v' || k == 'x' || k == 'z';
    if (k == FL_Tab || k == FL_Enter || k == FL_KP_Enter || k == FL_Escape || (k > FL_F && k <= FL_F_Last) ||
        (state & FL_ALT) || ((state & FL_CTRL) && !editing_ctrl))
      return 0;
    // FLTK moves one character from the caret and drops the selection; GTK
    // and Qt fields end the selection at its start (Left) or its end (Right).
    if ((k == FL_Left || k == FL_Right) && !(state & (FL_SHIFT | FL_CTRL | FL_ALT | FL_META)) && mark() != position()) {
      int to = k == FL_Left ? std::min(mark(), position()) : std::max(mark(), position());
      position(to, to);
      PushSelectionToCore();
      return 1;
    }
  }
  if (SelectByUnits(event)) return 1;
  int used = Fl_Input::handle(event);
  // Only the user's keys and mouse move the selection for the core. Taking
  // the focus selects as FLTK likes (all after a Tab, whatever the core
  // holds): Sync puts back the core's selection after it.
  if (event == FL_KEYBOARD || event == FL_SHORTCUT || event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE)
    PushSelectionToCore();
  return used;
}

bool EditOverlay::SelectByUnits(int event) {
  if (Fl::event_button() != FL_LEFT_MOUSE || !edit_) return false;
  if (event == FL_PUSH) {
    // Quick presses count one, two, three and start again, as in GTK: the
    // fourth is FLTK's single click (which would take a line if it saw
    // the count go on).
    int clicks = Fl::event_clicks() % 3;
    if (clicks == 0) Fl::event_clicks(0);
    unit_ = Fl::event_state(FL_SHIFT) ? 0 : clicks;
    if (unit_ == 0) return false;
  } else if (event == FL_RELEASE) {
    if (unit_ == 0) return false;
    unit_ = 0;
    copy(0);  // the primary selection, as after FLTK's own
    return true;
  } else if (event != FL_DRAG || unit_ == 0) {
    return false;
  }
  // The character boundary under the pointer, by FLTK's own reckoning of
  // a single click; the selection is set below.
  int keep_position = position(), keep_mark = mark(), clicks = Fl::event_clicks();
  Fl::event_clicks(0);
  Fl_Boxtype b = box();
  Fl_Input_::handle_mouse(x() + Fl::box_dx(b), y() + Fl::box_dy(b), w() - Fl::box_dw(b), h() - Fl::box_dh(b), 0);
  Fl::event_clicks(clicks);
  std::string text = utf8_to_cp1252(std::string_view(value(), std::size_t(size())));
  int at = byte_index(value(), position());
  position(keep_position, keep_mark);
  int n = int(text.size());
  // A password's words are not shown: a double click takes it all too.
  TextSpan here = unit_ == 2 || input_type() == FL_SECRET_INPUT ? TextSpan{0, n} : word_at(text, at);
  int anchor = here.start, caret = here.end;
  if (event == FL_PUSH) {
    unit_start_ = here.start;
    unit_end_ = here.end;
  } else if (at < unit_start_) {
    anchor = unit_end_;
    caret = std::min(here.start, at);
  } else {
    anchor = unit_start_;
    caret = std::max(std::max(here.end, at), unit_end_);
  }
  position(utf8_offset(text, caret), utf8_offset(text, anchor));
  PushSelectionToCore();
  return true;
}

void EditOverlay::Sync() {
  Window* top = Window::FromHandle(owner_.core());
  Edit* e = dynamic_cast<Edit*>(Window::GetFocus());
  bool use = top && e && e->GetTopLevel() == top && e->IsWindowVisible() && e->IsEnabledWithAncestors() &&
             !(e->GetStyle() & kEsMultiLine);
  Rect r;
  if (use) {
    r = top->ScreenToClient(e->ClientToScreen(e->GetClientRect())).Deflate(1);
    // A field partly out of sight (on a scrolled page, under the frame's
    // buttons) is typed and drawn by the core, cut like the rest of its
    // page: the native entry would paint over what covers it.
    use = r.IsEmpty() || r.Intersect(e->GetVisibleClientRect()) == r;
  }
  if (!use) {
    if (visible()) {
      hide();
      if (Fl::focus() == this) Fl::focus(&owner_);
    }
    edit_ = {};
    return;
  }
  if (r.IsEmpty()) return;
  if (x() != r.left || y() != r.top || w() != r.Width() || h() != r.Height()) resize(r.left, r.top, r.Width(), r.Height());
  FlFont f = fl_font_for(e->GetFont());
  textfont(f.face);
  textsize(f.size);
  std::uint32_t style = e->GetStyle();
  type((style & kEsPassword) ? FL_SECRET_INPUT : FL_NORMAL_INPUT);
  readonly((style & kEsReadOnly) ? 1 : 0);
  // The field's background is the first fill it draws: a later one is its
  // selection, which the entry shows itself.
  Color back = kNoColor;
  for (const DrawItemOp* op : owner_.list.ForControl(e->GetDlgCtrlID()))
    if (op->op == DrawOp::kFill) {
      back = op->color;
      break;
    }
  if (back == kNoColor) back = (style & kEsReadOnly) ? kButtonFaceColor : kWindowColor;
  color(fl_rgb_color(uchar(red_of(back)), uchar(green_of(back)), uchar(blue_of(back))));
  std::string text = e->GetWindowText();
  int a = 0, b = 0;
  e->GetSel(a, b);
  bool refill = e->handle() != edit_ || text != shown_;
  // The core moved its selection itself (not by a change still on its way
  // from the entry): the entry shows the core's.
  bool core_moved = (a != core_start_ || b != core_end_) && *posted_ == 0;
  core_start_ = a;
  core_end_ = b;
  if (refill) {
    std::string utf8 = cp1252_to_utf8(text);
    value(utf8.c_str(), int(utf8.size()));
    shown_ = text;
  }
  if (refill || (core_moved && (b != caret_ || a != anchor_))) {
    caret_ = b;
    anchor_ = a;
  }
  edit_ = e->handle();
  int caret = utf8_offset(text, caret_), anchor = utf8_offset(text, anchor_);
  if (position() != caret || mark() != anchor) position(caret, anchor);
  if (!visible()) show();
  if (owner_.shown() && Fl::focus() != this) {
    take_focus();
    if (position() != caret || mark() != anchor) position(caret, anchor);
  }
  redraw();
}

void EditOverlay::PushToCore() { Post(true); }

void EditOverlay::PushSelectionToCore() {
  if (!edit_ || !visible()) return;
  // A change of the text goes to the core with its selection (PushToCore).
  if (utf8_to_cp1252(std::string_view(value(), std::size_t(size()))) != shown_) return;
  if (byte_index(value(), position()) == caret_ && byte_index(value(), mark()) == anchor_) return;
  Post(false);
}

void EditOverlay::Post(bool with_text) {
  std::string text = utf8_to_cp1252(std::string_view(value(), std::size_t(size())));
  int caret = byte_index(value(), position());
  int anchor = byte_index(value(), mark());
  caret_ = caret;
  anchor_ = anchor;
  if (with_text) shown_ = text;
  WindowHandle h = edit_;
  std::shared_ptr<int> posted = posted_;
  ++*posted;
  post_to_ui([h, text, caret, anchor, with_text, posted]() mutable {
    --*posted;
    Edit* e = dynamic_cast<Edit*>(Window::FromHandle(h));
    if (!e) return;
    if (!with_text) {
      // Only where the core still holds the text the move was made in.
      if (text == e->GetWindowText()) e->SetSel(anchor, caret);
      return;
    }
    if (!apply_rules(*e, text)) {
      message_beep(kBeepSimple);
    } else if (text != e->GetWindowText()) {
      e->SetWindowText(text);
      if (Window::FromHandle(h)) e->SetSel(anchor, caret);
    }
    if (Window::FromHandle(h)) e->Invalidate();
  });
}

}  // namespace kt::ui
