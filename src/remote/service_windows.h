// The windows of the remote services that the frame and the home page own:
// the on-line assistance console Ckrv_cli, the call-back request dialog
// Ckrv_phone, the remote-processing monitor Ctulmmonitor, the
// remote-processing window Ctulmopen and the tutorial video Cvideoplay.
// Each of their services lives on the maker's servers, which this program
// does not reach: every window exists where the program expects it, says
// so in its own text, and answers each request that would need the network
// with the "not available" message in the user's language.
//
// The frame makes the console, the call-back dialog and the monitor once,
// hidden, owned by itself (ui_create_service_windows); they go with the
// frame's window and are made again with the next one. Closing one of them
// only hides it. The remote-processing window is made and shown with the
// launcher panel and docked inside the frame, against its section buttons.
// User-interface thread only.
#pragma once

#include <cstdint>

#include "shell/dialog_ml.h"
#include "shell/ml_text.h"

// A modeless window of a remote service: its notice, one request button
// that says the service is not available, and a close button that hides it.
class CRemoteWindow : public CDialogML {
 public:
  static constexpr int kNoticeId = 1001, kCloseId = 1002, kRequestId = 1003, kInputId = 1004, kListId = 1030;
  CRemoteWindow(int template_id, const MlText& title, const MlText& notice, const MlText& request)
      : CDialogML(template_id), m_title(title), m_notice(notice), m_request(request) {}
  // Makes the window hidden, owned by `parent`, unless it exists: non-zero
  // when it exists afterwards.
  int Create(kt::ui::Window* parent);
  bool IsCreated() const { return m_created != 0 && IsWindow(); }
  // Shows the window and brings it forward; a window made in another
  // language is made again first, so it speaks the one the program does.
  void Open();

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override { ShowWindow(kt::ui::kSwHide); }
  void OnCancel() override { ShowWindow(kt::ui::kSwHide); }
  void OnClose() override { ShowWindow(kt::ui::kSwHide); }
  void OnDestroy() override;
  // The request button: what needs the servers.
  virtual void OnRequest();

  std::uint8_t m_created = 0;
  int m_language = 0;  // the language the window was made in
  kt::ui::Window* m_owner = nullptr;
  const MlText& m_title;
  const MlText& m_notice;
  const MlText& m_request;
};

// The on-line assistance console; its attention byte is set when the
// support staff would want the user's attention (never, here).
class Ckrv_cli : public CRemoteWindow {
 public:
  static constexpr int kTemplate = 9821;
  Ckrv_cli();
  std::uint8_t m_attention = 0;
};

// The request for a call-back from the support staff.
class Ckrv_phone : public CRemoteWindow {
 public:
  static constexpr int kTemplate = 9822;
  Ckrv_phone();
};

// The list of the computations that run on the maker's servers.
class Ctulmmonitor : public CRemoteWindow {
 public:
  static constexpr int kTemplate = 9823;
  Ctulmmonitor();
  // Asks the servers for the list again: not available; the list stays empty.
  void Refresh();
  std::uint8_t m_request = 0;  // set after the archive dialog
  kt::ui::ListView m_list;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override { dx.Control(kListId, m_list); }
  bool OnInitDialog() override;
};

// The remote-processing window docked inside the frame, against its
// section buttons.
class Ctulmopen : public CRemoteWindow {
 public:
  static constexpr int kTemplate = 9824;
  Ctulmopen();
};

// The tutorial video, run modally by the home page.
class Cvideoplay : public CDialogML {
 public:
  static constexpr int kTemplate = 9825;
  static constexpr int kNoticeId = 1001;
  Cvideoplay() : CDialogML(kTemplate) {}

 protected:
  bool OnInitDialog() override;
};

extern Ckrv_cli g_krv_console;
extern Ckrv_phone g_krv_phone;
extern Ctulmmonitor g_tulm_monitor;
extern Ctulmopen g_tulm_open;
extern Cvideoplay g_video_player;

// The message a request to the maker's servers gets: the service is not
// available in this version of the program.
const MlText& krv_not_available_text();

void ui_register_remote_templates();
// What CAlfaDlg::CreateServiceWindows does (main process only): the console
// and the call-back dialog, and with `with_monitor` the monitor, owned by
// `frame` and hidden, each made unless it exists.
void ui_create_service_windows(kt::ui::Window* frame, int with_monitor);
// Shows the assistance console (main process only), as the "@Assistenza On
// Line" button and its page command do.
void ui_show_assistance_console();
// The help button's step: when the console exists, it is shown, its
// attention byte cleared and its input line given the focus.
void krv_bring_console_forward();
// The home page's first tick: a console on the screen whose attention byte is
// clear gets the focus on its input line (a hidden one is left alone, so the
// keys stay with the frame).
void krv_focus_console_once();
// Shows (code 5) or hides the call-back dialog when it exists; showing makes
// it first when the frame has not (a support window opened without one).
void krv_show_callback_dialog(int show_code);
// After a change of language: the call-back dialog and the console go, so
// the next ui_create_service_windows builds them in the new language.
void krv_destroy_callback_dialog();
void krv_reset_console();
// The school's mailed data ("Message.txt") and the maker's notice
// ("Warning.txt", `keep` set when the folder was kept) come from the maker's
// web folders, which this version cannot reach: nothing is downloaded (0),
// and the files already in the school folder stay as they are for the home
// page to show.
int krv_fetch_mailed_data();
int krv_fetch_warning_file(int keep);
// 1: sets the monitor's request byte (after the archive dialog); 2: moves a
// minimised monitor to a band above the frame's FILE button.
void ui_show_tulm_monitor(int mode);
// Shows the monitor and refreshes its list of remote computations.
void ui_open_tulm_monitor();
// Makes the remote-processing window, owned by `frame`, in the current
// language, and shows it docked; what the frame does with its launcher panel.
void ui_create_tulm_window(kt::ui::Window* frame);
// Places the remote-processing window inside the frame's client area: in
// the button row's gap when it is wide enough, else just under the last
// section button (after the frame moved or changed size).
void ui_dock_tulm_window();
// The remote-processing window's place on the screen while it is shown; an
// empty rectangle when it is not.
kt::ui::Rect ui_tulm_window_rect();
// Runs the tutorial video modally over the active window.
void ui_run_video();
