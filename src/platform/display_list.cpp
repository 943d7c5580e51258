// Queries over a recorded display list (see display_list.h). Tests ask for
// one control's operations, one list cell's fill or text, or the texts a
// control drew, and read failures through Describe. Lists hold at most a few
// thousand operations, so each query is a linear scan; the last operation of
// a kind wins because later drawing covers earlier drawing.
#include "platform/display_list.h"

#include <cstdio>

namespace kt::ui {

std::string color_name(Color c) {
  if (c == kNoColor) return "none";
  char buf[32];
  std::snprintf(buf, sizeof buf, "RGB(%d,%d,%d)", red_of(c), green_of(c), blue_of(c));
  return buf;
}

std::vector<const DrawItemOp*> DisplayList::ForControl(int control_id) const {
  std::vector<const DrawItemOp*> out;
  for (const DrawItemOp& op : ops_)
    if (op.control_id == control_id) out.push_back(&op);
  return out;
}

const DrawItemOp* DisplayList::LastCellOp(DrawOp kind, int control_id, int item, int subitem) const {
  const DrawItemOp* found = nullptr;
  for (const DrawItemOp& op : ops_)
    if (op.op == kind && op.control_id == control_id && op.item == item && op.subitem == subitem) found = &op;
  return found;
}

const DrawItemOp* DisplayList::CellFill(int control_id, int item, int subitem) const {
  return LastCellOp(DrawOp::kFill, control_id, item, subitem);
}

const DrawItemOp* DisplayList::CellText(int control_id, int item, int subitem) const {
  return LastCellOp(DrawOp::kText, control_id, item, subitem);
}

std::string DisplayList::TextsOf(int control_id) const {
  std::string out;
  for (const DrawItemOp& op : ops_) {
    if (op.op != DrawOp::kText || op.control_id != control_id) continue;
    if (!out.empty()) out += '|';
    out += op.text;
  }
  return out;
}

Color DisplayList::LastFill(int control_id) const {
  Color c = kNoColor;
  for (const DrawItemOp& op : ops_)
    if (op.op == DrawOp::kFill && op.control_id == control_id) c = op.color;
  return c;
}

std::string describe_op(const DrawItemOp& op) {
  static const char* const kNames[] = {"fill", "frame", "line", "text", "gradient", "bitmap",
                                       "icon", "button-frame", "check", "checker", "clip"};
  char buf[160];
  std::snprintf(buf, sizeof buf, "#%d", op.control_id);
  std::string s = buf;
  if (op.item >= 0) {
    std::snprintf(buf, sizeof buf, " cell (%d,%d)", op.item, op.subitem);
    s += buf;
  }
  std::snprintf(buf, sizeof buf, " %s [%d,%d,%d,%d] %s", kNames[int(op.op)], op.rect.left, op.rect.top,
                op.rect.right, op.rect.bottom, color_name(op.color).c_str());
  s += buf;
  if (op.op == DrawOp::kText || op.op == DrawOp::kBitmap || op.op == DrawOp::kIcon) s += " \"" + op.text + "\"";
  return s;
}

std::string DisplayList::Describe() const {
  std::string out;
  for (const DrawItemOp& op : ops_) out += describe_op(op) + "\n";
  return out;
}

}  // namespace kt::ui
