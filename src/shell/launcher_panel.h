// Calfaopi: the launcher panel, a tool window docked at the right edge of
// the frame that lists the program's pages, one row each (an icon and a
// coloured text button); a click on a row's text opens its page. The frame
// builds it on its first page command (Create, then AddRow per page), shows
// or hides it, and builds it again after a change of language, because
// closing the panel (OnCancel / OnOK) destroys its window.
//
// Invariants: 0..30 rows are in use and only those buttons are visible;
// row n's buttons sit directly below row n-1's, one pixel apart, as high as
// the row's caption needs at the panel's width. Rows that do not fit the
// panel's height are reached through a bar along its right edge and the
// wheel over any row, so every row can be opened on any screen. The rows
// are fixed pairs of template controls, so nothing is allocated.
#pragma once

#include <functional>
#include <string>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"
#include "shell/page_scroller.h"

// The icon of a launcher row, drawn by icon resource name at 16 x 16.
class CLauncherIcon : public kt::ui::Button {
 public:
  void SetIconName(std::string_view name) { m_icon = name; Invalidate(); }
  const std::string& IconName() const { return m_icon; }
  void OnPaint(kt::ui::DeviceContext& dc) override;

 private:
  std::string m_icon;
};

class Calfaopi : public CDialogML {
 public:
  static constexpr int kTemplate = 271;
  static constexpr int kRows = 30;
  static constexpr int kLinkColor = 0x008034;
  // Control ids of row n: icon button and text button. Rows 0-9, row 10,
  // rows 11-28 and the last row use four runs of ids.
  static constexpr int IconId(int row) {
    return row < 10 ? 1646 + 2 * row : row == 10 ? 1684 : row < 29 ? 1748 + 2 * (row - 11) : 1864;
  }
  static constexpr int TextId(int row) { return IconId(row) - 1; }

  Calfaopi() : CDialogML(kTemplate) {}

  // Makes the panel as a child of the frame: 1 done, 0 failed.
  int Create(kt::ui::Window* parent);
  // Adds the next row: 0 when all 30 rows are in use.
  int AddRow(int reserved, int page_id, const char* text, const char* icon_name, int color_state);
  // Shows or hides the panel as the program wants it; it shows only while
  // it has room on the screen beside the frame (SetRoom), never over it.
  void Show(int show);
  void SetRoom(bool room);
  // The panel's width as its template gives it, and the least it is made
  // (narrower, the captions wrap onto more lines).
  int NaturalWidth() const { return m_natural_width; }
  int LeastWidth() const { return m_natural_width * 2 / 3; }
  // How far the rows are scrolled, in pixels; the bar's range is the rows'
  // height beyond the panel's.
  int ScrollOffset() const { return m_scroll; }
  void ScrollTo(int offset);
  bool IsWanted() const { return m_created && m_wanted; }
  bool IsCreated() const { return m_created; }
  int RowCount() const { return m_count; }
  int PageOf(int row) const { return row >= 0 && row < m_count ? m_pages[row] : 0; }

  // Opens a page (the frame's page navigation); told the row's page id.
  std::function<void(int page_id)> m_go_to_page;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool PreTranslateMessage(kt::ui::Message& msg) override;
  void OnSize(int type, int cx, int cy) override;
  void OnOK() override { OnCancel(); }
  void OnCancel() override;
  void OnDestroy() override;

 private:
  // Places every row for the panel's size and shows the bar when the rows
  // are higher than the panel.
  void Arrange();
  int RowHeight(int row, int text_width) const;

  CLauncherIcon m_icons[kRows];
  CColorButton m_texts[kRows];
  PageScrollBar m_bar;
  int m_pages[kRows] = {};
  int m_count = 0;
  bool m_created = false;
  bool m_wanted = false;
  int m_row_height = 0;  // a row of one line
  int m_icon_width = 0;
  int m_natural_width = 0;
  int m_scroll = 0;
  bool m_room = true;
};

// Registers the panel's and the busy pop-up's templates (271, 105); idempotent.
void ui_register_launcher_templates();
