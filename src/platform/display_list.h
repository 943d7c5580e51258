// What a window looks like, as a list of drawing operations in the client
// coordinates of its top-level window. The core's device context records
// every fill, frame, line, text, gradient and bitmap that a control or a page
// draws; a screen backend replays the list, a test reads it ("cell (2,3)
// filled RGB(255,0,0)"). Each operation carries the control that drew it and,
// for list cells, the row and column, so a test can ask about one cell
// without knowing where it is on the screen.
//
// Lists are rebuilt whole on each render: a dialog holds at most a few
// thousand operations (the 84-cell week grids), so nothing is incremental.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui_types.h"

namespace kt::ui {

enum class DrawOp : std::uint8_t {
  kFill,         // rect filled with color
  kFrame,        // 1-pixel frame of rect in color
  kLine,         // rect.left,top -> right,bottom (end excluded) in color, width
  kText,         // text in rect with format, color; background color2 unless transparent
  kGradient,     // rect from color to color2, horizontal unless vertical
  kBitmap,       // resource image in rect
  kIcon,         // resource icon at rect's top-left
  kButtonFrame,  // a raised push-button frame (sunken when pressed)
  kCheckMark,    // check or radio box in rect, state in width (0, 1, 2), radio when vertical
  kChecker,      // every other pixel of rect in color (x + y even)
  kClip,         // later operations of this window clipped to rect
};

struct DrawItemOp {
  DrawOp op = DrawOp::kFill;
  Rect rect;
  Color color = kNoColor;
  Color color2 = kNoColor;
  std::string text;           // 1252 bytes for kText; resource name for images
  std::uint32_t format = 0;   // draw-text format
  int resource = 0;           // image resource id
  int width = 1;
  bool transparent = true;
  bool vertical = false;
  bool pressed = false;
  Font font;
  WindowHandle window;        // the window that drew it
  int control_id = 0;
  int item = -1;              // list row, grid row, menu item index
  int subitem = -1;           // list column
};

class DisplayList {
 public:
  void Add(DrawItemOp op) { ops_.push_back(std::move(op)); }
  void Clear() { ops_.clear(); }
  const std::vector<DrawItemOp>& ops() const { return ops_; }
  std::size_t size() const { return ops_.size(); }

  // The queries answer pointers into this list: keep the list while using them.
  // Operations drawn by one control (0: the top-level window itself).
  std::vector<const DrawItemOp*> ForControl(int control_id) const;
  // The last fill of a list cell, nullptr when the cell was not drawn.
  const DrawItemOp* CellFill(int control_id, int item, int subitem) const;
  // The last text drawn for a list cell.
  const DrawItemOp* CellText(int control_id, int item, int subitem) const;
  // Every text drawn by a control, in order, joined by '|'.
  std::string TextsOf(int control_id) const;
  // The last fill colour of a control's own operations (kNoColor when none).
  Color LastFill(int control_id) const;
  // One line per operation, for failure messages.
  std::string Describe() const;

 private:
  // The last operation of `kind` drawn into the cell; null when none.
  const DrawItemOp* LastCellOp(DrawOp kind, int control_id, int item, int subitem) const;

  std::vector<DrawItemOp> ops_;
};

std::string describe_op(const DrawItemOp& op);

}  // namespace kt::ui
