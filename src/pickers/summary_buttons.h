// The owner-drawn summary buttons of the pages that embed the week-grid
// pickers: CBW_dwh (and CBW_dwhCombo, the same button on the gyms page)
// draws its window text, the summary a picker's SetGridData wrote, as a
// small ruled table (CBW_HQ2, CBW_HQ2alt and CBW_HQ3 do the same for the
// band tables): a white inner area, 14 horizontal and 11 vertical rules,
// and the text cut at each tab (20 pixels right) and line feed (18 pixels
// down). Paint-only: the button keeps no state of its own.
#pragma once

#include <string_view>

#include "platform/ui.h"

// Draws a tab- and line-separated summary as a ruled table into rect.
void draw_ruled_summary(kt::ui::DeviceContext& dc, const kt::ui::Rect& rect, std::string_view text,
                        std::uint32_t state);

class CBW_dwh : public kt::ui::Button {
 protected:
  bool OnCreate() override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
};

class CBW_dwhCombo : public CBW_dwh {};

// Draws a band-table summary: `rows` horizontal rules 20 pixels apart,
// nine columns after the label column, the first tab of a line jumping over
// the label column and each further tab 36 pixels.
void draw_band_summary(kt::ui::DeviceContext& dc, const kt::ui::Rect& rect, std::string_view text,
                       std::uint32_t state, int label_width, int rows = 2);

class CBW_HQ2 : public kt::ui::Button {
 protected:
  bool OnCreate() override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
};

// The double band table's summary (label column g_hq2alt_label_width).
class CBW_HQ2alt : public CBW_HQ2 {
 protected:
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
};

// The three-column table's summary: three lines, a 300-pixel label column.
class CBW_HQ3 : public CBW_HQ2 {
 protected:
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
};
