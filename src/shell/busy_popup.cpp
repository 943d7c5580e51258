// The busy pop-up and its request codes (see busy_popup.h). The pop-up
// keeps its own copy of the text: callers pass texts that live in their
// own buffers, and the window may be made after the request returns.
// Requests run on the user-interface thread only; the engine's long
// operations call back through ui_busy_callback from that thread too.
#include "shell/busy_popup.h"

#include <string>

#include "platform/ui_thread.h"
#include "shell/launcher_panel.h"

using namespace kt::ui;

CelaincoWnd g_busy_popup;
Window* g_busy_popup_owner = nullptr;

CelaincoWnd::~CelaincoWnd() = default;

bool CelaincoWnd::Create(Window* parent) {
  ui_register_launcher_templates();
  if (!Dialog::Create(kTemplate, parent)) return false;
  m_created = true;
  return true;
}

int CelaincoWnd::DestroyWindow() {
  if (!m_created) return 1;
  m_created = false;
  return CDialogML::DestroyWindow();
}

// Destroyed with its owner (the frame's windows): no longer created.
void CelaincoWnd::OnDestroy() {
  m_created = false;
  CDialogML::OnDestroy();
}

void CelaincoWnd::SetText(const char* text) {
  m_has_text = text != nullptr;
  m_text = text ? text : "";
  if (IsWindow() && m_has_text) {
    m_message.SetTranslated(true);
    m_message.SetWindowText(m_text);
  }
}

void CelaincoWnd::DoDataExchange(DataExchange& dx) {
  dx.Control(kTextId, m_message);
  dx.Control(kMutoId, m_muto);
  dx.Control(kIconId, m_icon);
}

bool CelaincoWnd::OnInitDialog() {
  CDialogML::OnInitDialog();
  CenterWindow();
  m_icon.SizeToIcon();
  if (m_has_text) {
    m_message.SetTranslated(true);
    m_message.SetWindowText(m_text);
  }
  return true;
}

void shell_busy_popup(const char* text, int code) {
  switch (code) {
    case kBusyCreate:
      if (g_busy_popup.IsCreated()) return;
      if (g_busy_popup.Create(g_busy_popup_owner ? g_busy_popup_owner : Window::GetActiveWindow())) {
        g_busy_popup.ShowWindow(kSwHide);
        g_busy_popup.Invalidate();
      }
      return;
    case kBusyHide:
      if (g_busy_popup.IsCreated()) g_busy_popup.ShowWindow(kSwHide);
      else message_beep(kBeepSimple);
      return;
    case kBusyShow:
    case kBusyShowAlso:
      if (!g_busy_popup.IsCreated()) {
        message_beep(kBeepSimple);
        return;
      }
      g_busy_popup.SetText(text);
      g_busy_popup.ShowWindow(kSwShowNormal);
      return;
    default:
      return;
  }
}

void ui_busy_callback(void*, const char* text, int code) { shell_busy_popup(text, code); }

void shell_busy_popup_from_any_thread(const char* text, int code) {
  if (kt::ui::on_ui_thread()) {
    shell_busy_popup(text, code);
    return;
  }
  std::string copy = text ? text : "";
  bool has_text = text != nullptr;
  kt::ui::post_to_ui([copy, has_text, code] { shell_busy_popup(has_text ? copy.c_str() : nullptr, code); });
}
