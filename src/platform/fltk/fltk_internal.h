// The FLTK backend's own declarations, shared by the files of this folder
// and included nowhere else: the backend object, the real window that
// mirrors one top-level window of the core, the fonts and text metrics, the
// replay of display lists and the translation of keys.
//
// Invariants: one mirror per live top-level window of the core, found by
// handle; the core runs only on the user-interface thread, and FLTK callbacks
// (events, drawing) never call back into window procedures: events are
// posted as input, and drawing replays a list rendered before FLTK paints.
#pragma once

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/display_list.h"
#include "platform/fltk/fltk_backend.h"
#include "platform/ui_backend.h"
#include "platform/window.h"

namespace kt::ui {

class FltkBackend;
class EditOverlay;

// FLTK font number and pixel size for a font of the core: a fixed set of
// faces (sans, serif, mono; bold and italic) so layouts do not depend on
// what the machine has installed beyond them.
struct FlFont {
  int face = 0;
  int size = 11;
};
FlFont fl_font_for(const Font& font);
void install_font_set();

class FltkMetrics final : public TextMetrics {
 public:
  int TextWidth(const Font& font, std::string_view text) const override;
  int LineHeight(const Font& font) const override;

 private:
  struct Table {
    std::array<float, 256> width{};
    int height = 0;
  };
  const Table& TableFor(const Font& font) const;
  mutable std::map<std::tuple<int, int>, Table> tables_;
};

class MirrorWindow final : public Fl_Double_Window {
 public:
  MirrorWindow(FltkBackend& backend, Window& core, const Rect& client);
  ~MirrorWindow() override;
  int handle(int event) override;
  void draw() override;
  void resize(int x, int y, int w, int h) override;

  WindowHandle core() const { return core_; }
  DisplayList list;    // what draw() replays
  bool dirty = true;   // the list must be rendered again
  bool syncing = false;  // a change made by the backend, not the user
  Rect screen_rect;      // where the window is (or was last sent), client on screen
  bool iconic = false;
  bool menu = false;  // a pop-up menu: takes the pointer while shown
  int painted = 0;  // draws done (screen tests wait for the first)
  // Mapped by the program without being made active: the first focus the
  // window manager hands it goes back to the active window.
  bool mapped_inactive = false;
  EditOverlay* overlay = nullptr;

 private:
  int HandleMouse(int event, Window& top);
  int HandleKey(Window& top);
  FltkBackend& backend_;
  WindowHandle core_;
};

// The native text entry placed over the focused edit field of a window.
class EditOverlay final : public Fl_Input {
 public:
  EditOverlay(MirrorWindow& owner);
  int handle(int event) override;
  // Places, fills or hides the entry after the core changed.
  void Sync();
  WindowHandle edit() const { return edit_; }
  // Hands what the user typed to the core's field.
  void PushToCore();

 private:
  // Hands a caret move or selection the user made without changing the
  // text (End, arrows, a click) to the core's field, so keys the entry
  // leaves to the core (a cut with nothing selected, Backspace at the
  // start) act on the selection the user sees.
  void PushSelectionToCore();
  // Posts the entry's text and selection to the core's field.
  void Post(bool with_text);
  // A double or triple click, and the drag after it, selecting by the
  // core field's words or the whole text (GTK's way): FLTK's own took
  // words by its rule and turned a triple click into a caret. False for a
  // press or drag left to FLTK.
  bool SelectByUnits(int event);

  // What the mouse selects by since the last press: 0 characters (FLTK's
  // own), 1 words, 2 the whole text; and the first word (1252 indexes).
  int unit_ = 0;
  int unit_start_ = 0, unit_end_ = 0;

  MirrorWindow& owner_;
  WindowHandle edit_;
  std::string shown_;  // 1252 text last synced
  // The entry's caret and anchor (1252 indexes) the core last heard of or set.
  int caret_ = 0, anchor_ = 0;
  // The core field's selection at the last sync, and the changes posted to
  // the core not yet applied there: while any is on its way, a selection
  // the core reports is an older one and the entry keeps the user's.
  int core_start_ = 0, core_end_ = 0;
  std::shared_ptr<int> posted_ = std::make_shared<int>(0);
};

class FltkBackend final : public Backend {
 public:
  FltkBackend();
  ~FltkBackend() override;

  const TextMetrics& metrics() const override { return metrics_; }
  Clock& clock() override { return clock_; }
  void TopLevelCreated(Window& w) override;
  void TopLevelDestroyed(Window& w) override;
  void TopLevelShown(Window& w, bool show, bool activate) override;
  void TopLevelMoved(Window& w) override;
  void TopLevelTitled(Window& w) override;
  void TopLevelActivated(Window& w) override;
  // The window manager gave the keyboard to another window of the program:
  // the active window takes it back, on the screen too.
  void GiveKeyboardBack(Window& active);
  void TopLevelZoomed(Window& w, bool zoomed) override;
  void Invalidate(Window& w) override;
  bool WaitForEvents(std::int64_t deadline_ms, ModalFrame& frame) override;
  void Wake() override;
  void Beep(int kind) override;
  std::string GetClipboardText() override;
  void SetClipboardText(std::string_view text) override;
  Point GetCursorPos() override;
  void SetCursorPos(Point p) override;
  Rect WorkArea() override;

  MirrorWindow* Find(const Window& w);
  // Renders every window whose list is out of date and asks FLTK to paint it.
  void RenderDirty();
  void CloseAll();
  void PasteArrived(const char* text, int length);

 private:
  void Place(MirrorWindow& m, Window& w);
  FltkMetrics metrics_;
  MonotonicClock clock_;
  std::unordered_map<std::uint64_t, MirrorWindow*> mirrors_;
  std::string pasted_;
  bool paste_done_ = false;
};

// Draws the image a bitmap or icon operation names (a picture file, or an
// icon drawn by code) into r.
void draw_named_image(const Rect& r, const std::string& name);
// Replays a list into the current FLTK window (client coordinates).
void replay_display_list(const DisplayList& list, Window& top);
// The core's key code for an FLTK key, 0 when the core has none.
int core_key_for(int fl_key);
unsigned core_mods(int fl_state);
// Whether the window manager shows a window maximised (both ways).
bool window_is_maximised(unsigned long xid);
// Installs the native chooser as the file-open dialog.
void install_native_file_chooser();

}  // namespace kt::ui
