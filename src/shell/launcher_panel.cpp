// The launcher panel's rows (see launcher_panel.h). The panel lays its
// rows out itself: the template only gives each button its size. Rows are
// added once per panel build (26 by the frame) and laid out again whenever
// the frame docks the panel at another size; each layout moves at most 60
// buttons. Clicks are matched against the 30 text ids.
#include "shell/launcher_panel.h"

#include <algorithm>

using namespace kt::ui;

void CLauncherIcon::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.FillRect(r, rgb(255, 255, 255));
  if (!m_icon.empty()) dc.DrawIcon({(r.Width() - 16) / 2, (r.Height() - 16) / 2}, 0, m_icon);
}

int Calfaopi::Create(Window* parent) {
  ui_register_launcher_templates();
  if (!Dialog::Create(kTemplate, parent)) return 0;
  m_created = true;
  return 1;
}

void Calfaopi::DoDataExchange(DataExchange& dx) {
  for (int row = 0; row < kRows; ++row) {
    dx.Control(IconId(row), m_icons[row]);
    dx.Control(TextId(row), m_texts[row]);
  }
}

bool Calfaopi::OnInitDialog() {
  CDialogML::OnInitDialog();
  Rect icon = m_icons[0].GetRectInParent();
  Rect text = m_texts[0].GetRectInParent();
  m_row_height = text.Height();
  m_icon_width = icon.Width();
  m_natural_width = GetWindowRect().Width();
  m_scroll = 0;
  for (int row = 0; row < kRows; ++row) {
    m_icons[row].MoveWindow(0, 0, icon.Width(), icon.Height());
    m_texts[row].MoveWindow(icon.Width(), 0, text.Width(), text.Height());
  }
  for (int row = 0; row < kRows; ++row) {
    m_texts[row].m_frame_color = 0xFFFFFF;
    m_texts[row].ShowWindow(kSwHide);
    m_icons[row].SetIconName("");
    m_icons[row].ShowWindow(kSwHide);
  }
  m_count = 0;
  m_bar.Setup(1, [this](int offset) { ScrollTo(offset); });
  m_bar.CreateChild("PageScrollBar", "", 0, Rect{0, 0, 1, 1}, this, 0);
  return true;
}

int Calfaopi::AddRow(int, int page_id, const char* text, const char* icon_name, int color_state) {
  int n = m_count;
  if (n >= kRows || !IsWindow()) return 0;
  if (icon_name && *icon_name) {
    m_icons[n].SetIconName(icon_name);
    m_icons[n].ShowWindow(kSwShow);
  }
  CColorButton& button = m_texts[n];
  button.m_state = color_state;
  button.ShowWindow(kSwShow);
  button.SetCaption(text ? text : "");
  button.m_frame_color = kLinkColor;
  m_pages[n] = page_id;
  m_count = n + 1;
  Arrange();
  return 1;
}

// A caption longer than the button wraps: the row grows to hold its lines.
int Calfaopi::RowHeight(int row, int text_width) const {
  const CColorButton& button = m_texts[row];
  const TextMetrics& metrics = backend().metrics();
  int lines = int(DeviceContext::BreakLines(metrics, button.GetFont(), button.Caption(), text_width - 8, true).size());
  return std::max(m_row_height, lines * metrics.LineHeight(button.GetFont()) + 6);
}

void Calfaopi::Arrange() {
  if (!IsWindow()) return;
  Rect client = GetClientRect();
  const int bar = PageScrollBar::kThickness;
  // The rows' height at the full width; with the bar they are narrower
  // (and may wrap more), so the bar once needed stays.
  int total = 0;
  for (int pass = 0; pass < 2; ++pass) {
    int width = client.Width() - m_icon_width - (pass ? bar : 0);
    total = 0;
    for (int row = 0; row < m_count; ++row) total += RowHeight(row, width) + (row > 0 ? 1 : 0);
    if (total <= client.Height()) break;
  }
  bool scrolls = total > client.Height();
  int width = std::max(1, client.Width() - m_icon_width - (scrolls ? bar : 0));
  m_scroll = std::clamp(m_scroll, 0, std::max(0, total - client.Height()));
  int top = -m_scroll;
  for (int row = 0; row < m_count; ++row) {
    int height = RowHeight(row, width);
    m_icons[row].MoveWindow(0, top, m_icon_width, height);
    m_texts[row].MoveWindow(m_icon_width, top, width, height);
    top += height + 1;
  }
  if (!m_bar.IsWindow()) return;
  m_bar.MoveWindow(Rect{client.right - bar, 0, client.right, client.bottom});
  m_bar.SetRange(total, client.Height(), m_scroll);
  m_bar.ShowWindow(scrolls ? kSwShow : kSwHide);
}

void Calfaopi::ScrollTo(int offset) {
  int before = m_scroll;
  m_scroll = offset;
  Arrange();
  if (m_scroll != before) Invalidate();
}

void Calfaopi::OnSize(int type, int cx, int cy) {
  CDialogML::OnSize(type, cx, cy);
  Arrange();
}

// The wheel over any row scrolls the rows (the buttons have no use for it).
bool Calfaopi::PreTranslateMessage(Message& msg) {
  if (msg.message == kMsgMouseWheel && m_bar.IsWindow() && m_bar.IsWindowVisible()) {
    int delta = int(std::int16_t(msg.wparam >> 16));
    ScrollTo(m_scroll - delta / 120 * 40);
    return true;
  }
  return CDialogML::PreTranslateMessage(msg);
}

void Calfaopi::Show(int show) {
  m_wanted = show != 0;
  // The panel never takes the focus from the frame: Esc and keys stay the frame's.
  if (m_created && IsWindow()) ShowWindow(m_wanted && m_room ? kSwShowNa : kSwHide);
}

void Calfaopi::SetRoom(bool room) {
  if (room == m_room) return;
  m_room = room;
  Show(m_wanted);
}

void Calfaopi::OnCancel() {
  m_created = m_wanted = false;
  m_count = 0;
  DestroyWindow();
}

// Destroyed with the frame too: the frame builds the panel again.
void Calfaopi::OnDestroy() {
  m_created = m_wanted = false;
  m_count = 0;
  CDialogML::OnDestroy();
}

bool Calfaopi::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    int id = command_id(w);
    for (int row = 0; row < m_count; ++row) {
      if (TextId(row) != id) continue;
      if (m_go_to_page) m_go_to_page(m_pages[row]);
      return true;
    }
  }
  return CDialogML::OnCommand(w, l);
}
