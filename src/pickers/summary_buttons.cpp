// Drawing of the week-grid summary buttons (see summary_buttons.h). Rules
// and text positions are in pixels from the button's top-left corner; a
// piece of text longer than 200 bytes is cut there, as the table cells are
// narrow and a longer piece could only be a damaged text.
#include "pickers/summary_buttons.h"

#include <algorithm>
#include <string>
#include <vector>

#include "pickers/band_table_double.h"
#include "pickers/week_hour_mask.h"

using namespace kt::ui;

namespace {

constexpr Color kGrey = 0x666666;
constexpr Color kBlue = 0x993300;  // RGB(0,51,153)
constexpr Color kWhite = 0xFFFFFF;
constexpr std::size_t kMaxPiece = 200;

// Frame, focus frame and white inner area of both summary buttons; returns
// the colour of the rules.
Color draw_summary_face(DeviceContext& dc, const Rect& r, std::uint32_t state) {
  dc.DrawButtonFrame(r, (state & kOdsSelected) != 0);
  bool disabled = (state & kOdsDisabled) != 0;
  Color ink = disabled ? kGrey : kBlue;
  dc.SetTextColor(disabled ? kGrey : 0x000000);
  if (state & kOdsFocus) dc.FrameRect(r.Deflate(1), ink);
  Rect inner = r.Deflate(2);
  dc.FillRect(inner, kWhite);
  dc.FrameRect(inner, ink);
  dc.SetBkMode(kBkOpaque);
  dc.SetBkColor(kWhite);
  return ink;
}

// Draws the pieces of a text cut at tabs and line feeds; first_tab and
// tab are the steps of the first and later tabs of a line.
void draw_pieces(DeviceContext& dc, const Rect& r, std::string_view text, int first_tab, int tab, int line) {
  int x = r.left + 4, y = r.top + 4;
  bool first = true;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\t\n", start);
    std::size_t stop = end == std::string_view::npos ? text.size() : end;
    std::string_view piece = text.substr(start, std::min(stop - start, kMaxPiece));
    if (!piece.empty()) dc.TextOut(x, y, piece);
    if (end == std::string_view::npos) break;
    if (text[end] == '\t') {
      x += first ? first_tab : tab;
      first = false;
    } else {
      x = r.left + 4;
      y += line;
      first = true;
    }
    start = end + 1;
  }
}

// A week summary (title, day codes, twelve hour rows, subtitle) without the
// hour rows past the school's longest day, which can hold no mark; any
// other text as it is.
std::string school_hours_only(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (lines.size() != std::size_t(3 + kDayHours)) return std::string(text);
  int longest = 0;
  for (const auto& day_hours : {week_existing_hours(), week_normal_hours()})
    for (int hours : day_hours) longest = std::max(longest, std::min(hours, kDayHours));
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int hour = int(i) - 2;
    if (hour >= longest && hour < kDayHours) continue;
    out.append(lines[i]).push_back('\n');
  }
  return out;
}

}  // namespace

void draw_ruled_summary(DeviceContext& dc, const Rect& r, std::string_view whole, std::uint32_t state) {
  Color ink = draw_summary_face(dc, r, state);
  Rect inner = r.Deflate(2);
  std::string shown = school_hours_only(whole);
  std::string_view text = shown;
  // Rows 18 pixels apart while the button holds every line of the text;
  // a shorter button draws them closer, so no hour is left out.
  int lines = int(std::count(text.begin(), text.end(), '\n')) + 1;
  if (!text.empty() && text.back() == '\n') --lines;
  int pitch = 18;
  if (lines > 0 && 4 + lines * pitch > inner.bottom - r.top) pitch = std::max(10, (inner.bottom - r.top - 4) / lines);
  int rules = std::max(0, std::min(std::max(14, lines - 1), (inner.bottom - (r.top + pitch + 2)) / pitch + 1));
  int last_rule = r.top + pitch + 2 + (rules - 1) * pitch;
  for (int i = 0; i < rules; ++i) {
    int y = r.top + pitch + 2 + i * pitch;
    dc.Line({inner.left, y}, {inner.right, y}, ink);
  }
  for (int i = 0; i < 11 && rules > 0; ++i) {
    int x = r.left + 42 + i * 20;
    dc.Line({x, r.top + pitch + 2}, {x, last_rule}, ink);
  }
  draw_pieces(dc, r, text, 20, 20, pitch);
}

void draw_band_summary(DeviceContext& dc, const Rect& r, std::string_view text, std::uint32_t state,
                       int label_width, int rows) {
  Color ink = draw_summary_face(dc, r, state);
  Rect inner = r.Deflate(2);
  for (int i = 0; i < rows; ++i) dc.Line({inner.left, r.top + 22 + i * 20}, {inner.right, r.top + 22 + i * 20}, ink);
  for (int i = 0; i < 9; ++i) {
    int x = r.left + label_width + 2 + i * 36;
    dc.Line({x, r.top + 22}, {x, r.top + 22 + rows * 20}, ink);
  }
  draw_pieces(dc, r, text, label_width, 36, 20);
}

bool CBW_HQ2::OnCreate() {
  ModifyStyle(kBsTypeMask, kBsOwnerDraw);
  return Button::OnCreate();
}

bool CBW_HQ2::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  draw_band_summary(*info.dc, info.rect, GetWindowText(), info.state, g_hq2_label_width);
  return true;
}

bool CBW_HQ2alt::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  draw_band_summary(*info.dc, info.rect, GetWindowText(), info.state, g_hq2alt_label_width);
  return true;
}

bool CBW_HQ3::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  draw_band_summary(*info.dc, info.rect, GetWindowText(), info.state, 300, 3);
  return true;
}

bool CBW_dwh::OnCreate() {
  ModifyStyle(kBsTypeMask, kBsOwnerDraw);
  return Button::OnCreate();
}

bool CBW_dwh::DrawItem(DrawItemInfo& info) {
  if (!info.dc) return false;
  draw_ruled_summary(*info.dc, info.rect, GetWindowText(), info.state);
  return true;
}
