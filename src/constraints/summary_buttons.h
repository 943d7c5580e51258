// The owner-drawn summary buttons of the pages that embed the week-grid
// pickers: CBW_dwh (and CBW_dwhCombo, the same button on the gyms page)
// draws its window text, the summary a picker's SetGridData wrote, as a
// small ruled table (CBW_HQ2 does the same for a band table): a white inner area, 14 horizontal and 11 vertical
// rules, and the text cut at each tab (20 pixels right) and line feed (18
// pixels down). Paint-only: the button keeps no state of its own.
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

// Draws a band-table summary: two horizontal rules, nine columns after the
// label column (g_hq2_label_width), the first tab of a line jumping over the
// label column and each further tab 36 pixels.
void draw_band_summary(kt::ui::DeviceContext& dc, const kt::ui::Rect& rect, std::string_view text,
                       std::uint32_t state, int label_width);

class CBW_HQ2 : public kt::ui::Button {
 protected:
  bool OnCreate() override;
  bool DrawItem(kt::ui::DrawItemInfo& info) override;
};
