// The launcher panel's rows (see launcher_panel.h). The panel lays its
// rows out itself: the template only gives each button its size, and the
// first pair is moved to the top-left corner when the panel initialises.
// Rows are added once per panel build (26 by the frame), so each AddRow
// just moves two buttons; clicks are matched against the 30 text ids.
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
  // A caption longer than the button wraps: the row grows to hold its lines.
  Rect own_text = button.GetRectInParent();
  const TextMetrics& metrics = backend().metrics();
  const char* caption = text ? text : "";
  int lines = int(DeviceContext::BreakLines(metrics, button.GetFont(), caption, own_text.Width() - 8, true).size());
  int height = std::max(m_row_height, lines * metrics.LineHeight(button.GetFont()) + 6);
  int top = n > 0 ? m_texts[n - 1].GetRectInParent().bottom + 1 : 0;
  button.MoveWindow(own_text.left, top, own_text.Width(), height);
  Rect own_icon = m_icons[n].GetRectInParent();
  m_icons[n].MoveWindow(own_icon.left, top, own_icon.Width(), height);
  m_pages[n] = page_id;
  m_count = n + 1;
  return 1;
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
