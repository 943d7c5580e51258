// The message box and its entry points (see message_box.h). One box object
// is built, shown and destroyed per call. The last-box memory is process
// wide and only touched on the user-interface thread; its time comes from
// the interface clock, so tests move it by hand. The buttons are laid out
// and the mouse cursor placed 10 ms after initialisation, when the box has
// its final size on screen.
#include "shell/message_box.h"

#include <algorithm>

#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

const MlText kCaptionOk = {"OK", "OK", "OK"};
const MlText kCaptionCancel = {"Annulla", "Cancel", "Cancel"};
const MlText kCaptionContinue = {"Continua", "Continue", "Continue"};
const MlText kCaptionAbort = {"Abbandona", "Abort", "Abort"};
const MlText kCaptionRetry = {"Riprova", "Retry", "Retry"};
const MlText kCaptionIgnore = {"Ignora", "Ignore", "Ignore"};
const MlText kCaptionYes = {"SI", "JA", "YES"};
const MlText kCaptionNo = {"NO", "Nein", "NO"};

struct ButtonSet {
  const MlText* captions[3];
  int results[3];
};

// By the type's bits 0-3; 7 and above show OK alone.
const ButtonSet kButtonSets[7] = {
    {{&kCaptionOk, nullptr, nullptr}, {kIdOk, 0, 0}},
    {{&kCaptionOk, &kCaptionCancel, nullptr}, {kIdOk, kIdCancel, 0}},
    {{&kCaptionAbort, &kCaptionRetry, &kCaptionIgnore}, {kIdAbort, kIdRetry, kIdIgnore}},
    {{&kCaptionYes, &kCaptionNo, &kCaptionCancel}, {kIdYes, kIdNo, kIdCancel}},
    {{&kCaptionYes, &kCaptionNo, nullptr}, {kIdYes, kIdNo, 0}},
    {{&kCaptionRetry, &kCaptionCancel, nullptr}, {kIdRetry, kIdCancel, 0}},
    {{&kCaptionRetry, &kCaptionCancel, &kCaptionContinue}, {kIdRetry, kIdCancel, kIdContinue}},
};

// The last box shown: text pointer (null before the first and while a box
// is up), the time it closed and its answer.
const char* g_last_text = nullptr;
std::int64_t g_last_seconds = 0;
int g_last_result = 0;

}  // namespace

void ui_forget_last_message_box() {
  g_last_text = nullptr;
  g_last_seconds = 0;
  g_last_result = 0;
}

KT_BEGIN_MESSAGE_MAP(CMessageBox, CDialogML)
  KT_ON_COMMAND(1031, OnButton1)
  KT_ON_COMMAND(1049, OnButton2)
  KT_ON_COMMAND(1050, OnButton3)
KT_END_MESSAGE_MAP()

CMessageBox::CMessageBox() : CDialogML(kTemplate) {}

void CMessageBox::SetContent(const char* text, int type, int flags, const char* caption1, const char* caption2,
                             const char* caption3) {
  m_text = text;
  m_type = type;
  m_flags = flags;
  m_captions[0] = caption1;
  m_captions[1] = caption2;
  m_captions[2] = caption3;
}

int CMessageBox::BarState(int type) {
  switch (type & 0xF0) {
    case kMbIconStop: return 102;
    case kMbIconQuestion: return 103;
    case kMbIconExclamation: return 104;
    case kMbIconInformation: return 105;
    default: return 101;
  }
}

void CMessageBox::DoDataExchange(DataExchange& dx) {
  for (int i = 0; i < 3; ++i) dx.Control(kButtonIds[i], m_buttons[i]);
  dx.Control(kTextId, m_message);
  for (int i = 0; i < 4; ++i) dx.Control(kBarIds[i], m_bars[i]);
}

bool CMessageBox::OnInitDialog() {
  CDialogML::OnInitDialog();
  // Over the window it speaks for, as a desktop's own dialogs open (its
  // template would put it at that window's top-left corner).
  CenterWindow();
  m_message.SetWindowText(m_text ? m_text : "");
  FitToText();
  for (CColorButton& bar : m_bars) bar.m_state = BarState(m_type);
  for (int i = 0; i < 3; ++i) m_rects[i] = m_buttons[i].GetRectInParent();

  int set = m_type & 0xF;
  const ButtonSet& buttons = kButtonSets[set <= 6 ? set : 0];
  for (int i = 0; i < 3; ++i) {
    m_results[i] = buttons.results[i];
    const char* caption = nullptr;
    if (buttons.captions[i]) caption = m_captions[i] ? m_captions[i] : buttons.captions[i]->Get();
    if (caption) {
      m_buttons[i].SetCaption(caption);
      m_buttons[i].ShowWindow(kSwShow);
    } else {
      m_buttons[i].ShowWindow(kSwHide);
    }
  }
  SetTimer(kLayoutTimer, 10);
  return true;
}

// A short message gets a short box: the text area keeps the height of its
// lines (and a margin), the buttons and the frame bars move up with it, and
// the box stays centred where it was.
void CMessageBox::FitToText() {
  Rect text = m_message.GetRectInParent();
  const TextMetrics& metrics = backend().metrics();
  Font font = m_message.GetFont();
  std::string shown = m_message.GetWindowText();
  int lines = std::max<int>(1, int(DeviceContext::BreakLines(metrics, font, shown, text.Width(), true).size()));
  int spare = text.Height() - (lines * metrics.LineHeight(font) + 8);
  if (spare <= 0) return;
  m_message.MoveWindow(Rect{text.left, text.top, text.right, text.bottom - spare});
  for (CColorButton& b : m_buttons) b.MoveWindow(b.GetRectInParent().Offset(0, -spare));
  m_bars[1].MoveWindow(m_bars[1].GetRectInParent().Offset(0, -spare));
  for (int i = 2; i < 4; ++i) {
    Rect r = m_bars[i].GetRectInParent();
    m_bars[i].MoveWindow(Rect{r.left, r.top, r.right, r.bottom - spare});
  }
  Rect w = GetWindowRect();
  MoveWindow(Rect{w.left, w.top + spare / 2, w.right, w.bottom - spare + spare / 2});
}

void CMessageBox::LayOutButtons() {
  int shown = 0;
  for (CColorButton& b : m_buttons) shown += b.IsWindowVisible() ? 1 : 0;
  const Rect* r = m_rects;
  if (shown >= 3) {
    for (int i = 0; i < 3; ++i) m_buttons[i].MoveWindow(r[i]);
  } else if (shown == 2) {
    int middle = (r[1].left + r[1].right) / 2;
    m_buttons[0].MoveWindow(Rect{r[0].left, r[0].top, middle - 10, r[0].bottom});
    m_buttons[1].MoveWindow(Rect{middle + 10, r[2].top, r[2].right, r[2].bottom});
  } else if (shown == 1) {
    m_buttons[0].MoveWindow(Rect{r[0].left, r[0].top, r[2].right, r[0].bottom});
  }
}

void CMessageBox::FocusSuggestedButton() {
  if ((m_flags & kMbCursorSecond) && !(m_flags & kMbCursorBetween) && m_buttons[1].IsWindowVisible())
    GotoDlgCtrl(&m_buttons[1]);
}

void CMessageBox::OnTimer(WParam id) {
  if (id != kLayoutTimer) return CDialogML::OnTimer(id);
  LayOutButtons();
  FocusSuggestedButton();
  KillTimer(kLayoutTimer);
}

void CMessageBox::EndWith(int button) {
  EndDialog(m_results[button]);
}

void CMessageBox::OnButton1() { EndWith(0); }
void CMessageBox::OnButton2() { EndWith(1); }
void CMessageBox::OnButton3() { EndWith(2); }
void CMessageBox::OnOK() { EndWith(0); }
// Esc and the window's close button answer as a user expects of a box he
// leaves without choosing: its Cancel where it has one, its only answer on a
// one-button box, "No" on a yes/no question. Abort/Retry/Ignore has no
// answer that means "leave it", so there only a button ends the box.
void CMessageBox::OnCancel() {
  if (m_flags & kMbAnswerByButton) return;
  int shown = 0;
  for (int i = 0; i < 3; ++i) {
    if (!m_buttons[i].IsWindowVisible()) continue;
    ++shown;
    if (m_results[i] == kIdCancel) return EndWith(i);
  }
  if (shown == 1) return EndWith(0);
  for (int i = 0; i < 3; ++i)
    if (m_buttons[i].IsWindowVisible() && m_results[i] == kIdNo) return EndWith(i);
}

int ui_message_box_ex(const char* text, int type, int flags, const char* caption1, const char* caption2,
                      const char* caption3) {
  CMessageBox box;
  if (g_process_number >= 1) return kIdOk;
  std::int64_t now = ui_clock().NowSeconds();
  if ((type & 0xF) == 0 && (flags & kMbSuppressRepeat) && text == g_last_text && g_last_text)
    if (now - g_last_seconds < 60) return g_last_result;
  g_last_text = nullptr;
  if (g_frame_hooks.hide_launcher_panel) g_frame_hooks.hide_launcher_panel(0);
  box.SetContent(text, type, flags, caption1, caption2, caption3);
  int result = int(box.DoModal());
  g_last_result = result;
  g_last_text = text;
  g_last_seconds = ui_clock().NowSeconds();
  if (g_frame_hooks.hide_launcher_panel) g_frame_hooks.hide_launcher_panel(5);
  return result;
}

int ui_message_box_flags(const char* text, int type, int flags) {
  return ui_message_box_ex(text, type, flags, nullptr, nullptr, nullptr);
}

int ui_message_box_type(const char* text, int type) { return ui_message_box_ex(text, type, 0, nullptr, nullptr, nullptr); }

int ui_message_box(const char* text) { return ui_message_box_ex(text, 0, 0, nullptr, nullptr, nullptr); }
