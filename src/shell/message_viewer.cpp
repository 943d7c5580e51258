// The message-file viewer (see message_viewer.h). The file is read as 1252
// text in lines of at most 400 characters (a longer line continues as the
// next piece); the window takes the focus once, a second after it opens,
// so a message that arrives while the user types does not steal keys
// mid-word.
#include "shell/message_viewer.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/shell_services.h"
#include "engine/text_lines.h"
#include "platform/paths.h"

using namespace kt::ui;

KT_BEGIN_MESSAGE_MAP(Cmessshow, CResizableDialog)
  KT_ON_COMMAND(Cmessshow::kCloseId, OnCloseButton)
  KT_ON_COMMAND(Cmessshow::kUnderstoodId, OnUnderstood)
KT_END_MESSAGE_MAP()

bool Cmessshow::Create(Window* parent) {
  if (m_open || IsWindow()) return false;
  m_open = Dialog::Create(parent);
  return m_open;
}

void Cmessshow::DoDataExchange(DataExchange& dx) {
  dx.Control(kTextId, m_text);
  dx.Control(kCloseId, m_close);
  dx.Control(kUnderstoodId, m_understood);
}

bool Cmessshow::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  char title[101];
  GetWindowText(title, int(sizeof title));
  SetWindowText(title);
  AnchorControl(kTextId, kAnchorTopLeft, kAnchorBottomRight);
  AnchorControl(kCloseId, kAnchorBottomRight);
  AnchorControl(kUnderstoodId, kAnchorBottomRight);
  FitIntoPageArea();
  if (m_placement.bottom > 0) {
    Rect r = GetWindowRect();
    int left = m_placement.right - r.Width() - 200;
    int top = m_placement.top + 6;
    MoveWindow(Rect{left, top, left + r.Width(), top + r.Height()});
  }
  ReadMessageFile();
  m_ticks = 0;
  SetTimer(kFocusTimer, 999);
  return true;
}

namespace {

// One piece of a line: up to size - 1 bytes, through the line feed when it
// comes first, read through the engine's line byte source (which tests can
// make fail). Null at the end of the file; *failed on a read error.
char* read_piece(char* out, int size, std::FILE* f, bool* failed) {
  int n = 0, c = EOF;
  while (n < size - 1 && (c = g_line_byte_source(f)) >= 0) {
    out[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  out[n] = '\0';
  if (c == kLineReadError) *failed = true;
  return n > 0 && !*failed ? out : nullptr;
}

}  // namespace

void Cmessshow::ReadMessageFile() {
  m_shown = 0;
  m_read_failed = false;
  if (!m_file_name) return;
  std::FILE* f = std::fopen(kt::translate_path(m_file_name).c_str(), "rb");
  if (!f) return;
  std::string text;
  char line[402];
  while (read_piece(line, int(sizeof line - 1), f, &m_read_failed)) {
    std::size_t n = std::strlen(line);
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) line[--n] = '\0';
    if (std::strncmp(line, "#IGNO:", 6) == 0) {
      m_shown = 0;
      break;
    }
    if (line[0] == '#' || n == 0) continue;
    text += "\r\n";
    text += line;
    m_shown += int(n);
  }
  std::fclose(f);
  // A message read only in part says so, and "understood" keeps its file:
  // the rest of it must not be deleted unseen.
  if (m_read_failed) text += std::string("\r\n\r\n[") + or_read_failure_reason(g_language) + "]";
  m_text.SetWindowText(text);
}

void Cmessshow::OnTimer(WParam id) {
  if (id != kFocusTimer) return CResizableDialog::OnTimer(id);
  SetActiveWindow();
  if (m_ticks++ == 0) m_close.SetFocus();
  KillTimer(kFocusTimer);
}

void Cmessshow::OnCloseButton() { DestroyWindow(); }

void Cmessshow::OnUnderstood() {
  if (m_file_name && !m_read_failed) og_delete_file_if_present(m_file_name);
  DestroyWindow();
}

void Cmessshow::OnCancel() { DestroyWindow(); }

void Cmessshow::OnDestroy() {
  m_open = false;
  CResizableDialog::OnDestroy();
}
