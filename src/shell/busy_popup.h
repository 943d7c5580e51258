// CelaincoWnd: the small modeless "please wait" pop-up shown around long
// operations (a text, the program's icon as a big button). One global
// instance, g_busy_popup, belongs to the frame and is driven by request
// codes: -99 makes it (hidden) once per frame run, 0 and 1 show it with a
// text, -1 hides it; a request before it exists beeps and does nothing
// else. The three-argument form is the callback handed to the engine and
// to long-running routines.
//
// Invariant: the created flag is set exactly while the window exists
// through Create; destroying an uncreated pop-up is a no-op.
#pragma once

#include "platform/ui.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/plain_buttons.h"

class CelaincoWnd : public CDialogML {
 public:
  static constexpr int kTemplate = 105;
  static constexpr int kTextId = 1107;
  static constexpr int kMutoId = 1562;
  static constexpr int kIconId = 1050;

  CelaincoWnd() : CDialogML(kTemplate) {}
  ~CelaincoWnd() override;
  // Makes the pop-up from its template; false when it could not.
  bool Create(kt::ui::Window* parent);
  // Destroys the window only when it was made by Create (clearing the
  // flag); otherwise answers 1 and does nothing.
  int DestroyWindow() override;
  bool IsCreated() const { return m_created; }
  // The text to show (kept as a copy); put into the window when it is made
  // or, when it exists, at once.
  void SetText(const char* text);
  const std::string& Text() const { return m_text; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnDestroy() override;
  void OnCancel() override {}  // Esc does not close a pop-up its caller owns
  void OnOK() override {}

 private:
  CStaticML m_message;
  CMuto m_muto;
  CBigIcon m_icon;
  std::string m_text;
  bool m_has_text = false;
  bool m_created = false;
};

extern CelaincoWnd g_busy_popup;
// The window that owns g_busy_popup (the frame sets it before code -99;
// without it the active window owns the pop-up).
extern kt::ui::Window* g_busy_popup_owner;

inline constexpr int kBusyCreate = -99;
inline constexpr int kBusyHide = -1;
inline constexpr int kBusyShow = 0;
inline constexpr int kBusyShowAlso = 1;

// The request entry of the shell's busy pop-up (codes above). The engine's
// ui_busy_popup forwards here once the shell has started.
void shell_busy_popup(const char* text, int code);
// The same request from any thread: the engine asks from the thread that
// runs it, and the pop-up is a window, so a request from another thread is
// handed to the user-interface thread with a copy of its text.
void shell_busy_popup_from_any_thread(const char* text, int code);
// The callback form: the first argument is ignored.
void ui_busy_callback(void* ignored, const char* text, int code);
