// The companions of the resizable dialog: CResizableLayout keeps the anchor
// list and moves the controls when the dialog's size changes; CResizableGrip
// owns the size grip in the bottom-right corner; CResizableMinMax holds the
// track sizes; CResizableState holds the switch that would store the window
// placement (no dialog turns it on, so nothing is stored).
//
// Anchors are percentages of the client width and height (top-left 0,0,
// bottom-right 100,100); margins are pixels, taken when the control is
// anchored, so a control keeps its distance to its anchor points. The
// margins are measured against the client size the controls are laid out
// for, which is the dialog's own size while it initialises (see
// m_laid_out_size), whatever size its window already has. A layout
// holds a few dozen entries and is arranged on each size message: no
// caching beyond skipping controls whose rectangle does not change.
#pragma once

#include <string>
#include <vector>

#include "platform/ui.h"

struct Anchor {
  int x = 0, y = 0;
};
inline constexpr Anchor kAnchorTopLeft{0, 0}, kAnchorTopCenter{50, 0}, kAnchorTopRight{100, 0},
    kAnchorMiddleLeft{0, 50}, kAnchorMiddleCenter{50, 50}, kAnchorMiddleRight{100, 50},
    kAnchorBottomLeft{0, 100}, kAnchorBottomCenter{50, 100}, kAnchorBottomRight{100, 100}, kNoAnchor{-1, -1};

class CResizableLayout {
 public:
  struct LayoutInfo {
    kt::ui::WindowHandle window;  // none for a callback entry
    int callback_id = 0;
    bool hscroll_check = false;
    bool refresh = false;
    Anchor top_left, bottom_right;
    kt::ui::Point top_left_margin, bottom_right_margin;
    std::string class_name;
    std::uint32_t style = 0;
  };

  virtual ~CResizableLayout();

  // A bottom-right anchor of kNoAnchor means the top-left one: the control
  // moves and keeps its size.
  void AnchorControl(kt::ui::Window* control, Anchor top_left, Anchor bottom_right = kNoAnchor);
  void AnchorControl(int id, Anchor top_left, Anchor bottom_right = kNoAnchor);
  // Anchors each control not anchored yet that lies past the right or the
  // bottom edge of the anchored control `id` to that edge, so that it moves
  // out of the way as the control grows; one beside the control that
  // reaches down past it also grows down with it.
  void AnchorPastEdgesOf(int id);
  // An entry without a window that asks ArrangeControlHook for its place.
  void AddAnchorCallback(int callback_id);
  void RemoveAllAnchors();
  void ArrangeLayout();
  const std::vector<LayoutInfo>& Layout() const { return m_layout; }

  virtual bool MayClipControl(const LayoutInfo& info) const;
  virtual bool MustRepaintControl(const LayoutInfo& info) const;
  virtual kt::ui::Rect GetLayoutClientRect() const;
  // Fills the anchors and margins of a callback entry; false skips it.
  virtual bool ArrangeControlHook(LayoutInfo& info) { return false; }
  virtual kt::ui::Window* GetLayoutWindow() const = 0;

 protected:
  std::vector<LayoutInfo> m_layout;
  int m_first_callback = -1;
  // While the dialog initialises, the client size its template lays the
  // controls out for: a page created straight onto the frame's larger page
  // area still has its controls where the template put them, so anchoring
  // measures their margins against this size. Zero: the window's present
  // client size.
  kt::ui::Size m_laid_out_size;
};

class CResizableGrip {
 public:
  static constexpr int kGripId = 0x7FF0;  // out of the range templates use
  CResizableGrip();
  virtual ~CResizableGrip();
  bool CreateSizeGrip(kt::ui::Window* parent);
  void ShowGrip(bool show);
  // Bottom-right corner of the client area; disabled while maximised.
  void UpdateGripPos();
  kt::ui::SizeGrip& Grip() { return m_grip; }
  virtual kt::ui::Window* GetLayoutWindow() const = 0;

 protected:
  kt::ui::SizeGrip m_grip;
  kt::ui::Size m_grip_size;
};

using kt::ui::kMsgGetMinMaxInfo;
using kt::ui::MinMaxInfo;

class CResizableMinMax {
 public:
  virtual ~CResizableMinMax();
  void SetMinimumSize(kt::ui::Size size);
  void SetMaximumSize(kt::ui::Size size);
  void SetMaximizedRect(const kt::ui::Rect& r);
  void ResetAll();
  void FillMinMaxInfo(MinMaxInfo& info) const;
  // A window size held within the track sizes that are set.
  kt::ui::Size ClampTrackSize(kt::ui::Size size) const;
  bool HasMinimumSize() const { return m_use_min_track; }
  kt::ui::Size MinimumSize() const { return m_min_track; }

 protected:
  bool m_use_max_track = false, m_use_min_track = false, m_use_max_rect = false;
  kt::ui::Size m_min_track, m_max_track;
  kt::ui::Point m_max_position;
  kt::ui::Size m_max_size;
};

class CResizableState {
 public:
  virtual ~CResizableState();
  // Names the section the placement would be stored under and turns the
  // switch on; nothing in the program does, and nothing is stored.
  void EnableSaveRestore(const char* section) { m_section = section ? section : ""; m_save_restore = true; }
  bool SaveRestoreEnabled() const { return m_save_restore; }

 protected:
  bool m_save_restore = false;
  std::string m_section;
};
