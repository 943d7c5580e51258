// The windows of the remote services (see service_windows.h): their
// templates, their texts in the three languages, and the entry points the
// frame, the home page and the support window call. No window here opens a
// connection: each request that would need one shows the "not available"
// message, and each window's own text says why it stays empty.
#include "remote/service_windows.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "shell/frame.h"
#include "shell/message_box.h"

using namespace kt::ui;

Ckrv_cli g_krv_console;
Ckrv_phone g_krv_phone;
Ctulmmonitor g_tulm_monitor;
Ctulmopen g_tulm_open;
Cvideoplay g_video_player;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kWindow = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;
constexpr std::uint32_t kPane = kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll;
using R = CRemoteWindow;

const ControlTemplate kConsoleControls[] = {
    {"Edit", R::kNoticeId, "", kPane, 6, 6, 288, 110},
    {"Edit", R::kInputId, "", kEsAutoHScroll | kWsBorder | kWsTabStop, 6, 122, 200, 14},
    {"Button", R::kRequestId, "Invia", kOwner, 212, 122, 82, 14},
    {"Button", R::kCloseId, "Chiudi questa finestra", kOwner, 194, 142, 100, 16},
};
const ControlTemplate kPhoneControls[] = {
    {"Edit", R::kNoticeId, "", kPane, 6, 6, 288, 70},
    {"Edit", R::kInputId, "", kEsAutoHScroll | kWsBorder | kWsTabStop, 6, 82, 150, 14},
    {"Button", R::kRequestId, "Richiedi la chiamata", kOwner, 162, 82, 132, 14},
    {"Button", R::kCloseId, "Chiudi questa finestra", kOwner, 194, 102, 100, 16},
};
const ControlTemplate kMonitorControls[] = {
    {"Edit", R::kNoticeId, "", kPane, 6, 6, 288, 40},
    {"ListView", R::kListId, "", kLvsReport | kLvsSingleSel | kWsBorder | kWsTabStop, 6, 52, 288, 80},
    {"Button", R::kRequestId, "Aggiorna l'elenco", kOwner, 6, 138, 100, 16},
    {"Button", R::kCloseId, "Chiudi questa finestra", kOwner, 194, 138, 100, 16},
};
const ControlTemplate kStripControls[] = {
    {"Button", R::kRequestId, "Elaborazione remota", kOwner, 1, 1, 88, 12},
};
const ControlTemplate kVideoControls[] = {
    {"Edit", Cvideoplay::kNoticeId, "", kPane, 6, 6, 288, 60},
    {"Button", kIdCancel, "[Esc] Ritorna", kOwner, 194, 72, 100, 16},
};

const DialogTemplate kTemplates[] = {
    {Ckrv_cli::kTemplate, "Assistenza On Line", kWindow, 0, 0, 300, 164, kConsoleControls},
    {Ckrv_phone::kTemplate, "Richiesta di chiamata", kWindow, 0, 0, 300, 124, kPhoneControls},
    {Ctulmmonitor::kTemplate, "Elaborazioni remote", kWindow, 0, 0, 300, 160, kMonitorControls},
    {Ctulmopen::kTemplate, "", kWsPopup, 0, 0, 90, 14, kStripControls},
    {Cvideoplay::kTemplate, "Video presentazione", kWindow, 0, 0, 300, 94, kVideoControls},
};

const MlText kNotAvailable = {
    {"Questo servizio richiede il collegamento ai server di KestrinTempus e non \xE8 disponibile in questa "
     "versione del programma.",
     "Dieser Dienst braucht die Verbindung zu den Servern von KestrinTempus und ist in dieser Version des "
     "Programms nicht verf\xFCgbar.",
     "This service needs the connection to the KestrinTempus servers and is not available in this version of "
     "the program."}};

const MlText kConsoleTitle = {"Assistenza On Line", "On Line Assistenz", "On Line Assistance"};
const MlText kConsoleText = {
    {"Assistenza On Line.\r\n\r\nL'assistenza On Line non \xE8 disponibile in questa versione del programma: "
     "per un aiuto usate \"@Ho bisogno di assistenza\", che prepara la cartella della scuola da inviare.",
     "On Line Assistenz.\r\n\r\nDie Online-Hilfe ist in dieser Version des Programms nicht verf\xFCgbar: f\xFCr "
     "Hilfe benutzen Sie \"@Ho bisogno di assistenza\", das den Ordner der Schule zum Senden vorbereitet.",
     "On Line Assistance.\r\n\r\nOn-line assistance is not available in this version of the program: for help "
     "use \"@Ho bisogno di assistenza\", which prepares the school folder to send."}};
const MlText kSend = {"Invia", "Senden", "Send"};

const MlText kPhoneTitle = {"Richiesta di chiamata", "R\xFC" "ckrufanfrage", "Call-back request"};
const MlText kPhoneText = {
    {"Richiesta di essere richiamati dall'assistenza.\r\n\r\nLa prenotazione di una chiamata telefonica non \xE8 "
     "disponibile in questa versione del programma.",
     "Anfrage f\xFCr einen R\xFC" "ckruf.\r\n\r\nDie Anmeldung eines R\xFC" "ckrufs ist in dieser Version des "
     "Programms nicht verf\xFCgbar.",
     "Request to be called back by the support staff.\r\n\r\nBooking a call-back is not available in this "
     "version of the program."}};
const MlText kCallMe = {"Richiedi la chiamata", "R\xFC" "ckruf anfordern", "Request the call"};

const MlText kMonitorTitle = {"Elaborazioni remote", "Entfernte Verarbeitungen", "Remote computations"};
const MlText kMonitorText = {
    {"Elaborazioni dell'orario sui server di KestrinTempus: nessuna. Il calcolo remoto non \xE8 disponibile in "
     "questa versione del programma; l'orario si calcola su questo computer.",
     "Berechnungen des Stundenplans auf den Servern von KestrinTempus: keine. Die entfernte Berechnung ist in "
     "dieser Version des Programms nicht verf\xFCgbar; der Stundenplan wird auf diesem Computer berechnet.",
     "Timetable computations on the KestrinTempus servers: none. Remote computation is not available in this "
     "version of the program; the timetable is computed on this computer."}};
const MlText kRefresh = {"Aggiorna l'elenco", "Liste erneuern", "Refresh the list"};
const MlText kInstance = {"Elaborazione", "Verarbeitung", "Computation"};
const MlText kState = {"Stato", "Zustand", "State"};

const MlText kStripTitle = {"Elaborazione remota", "Entfernte Verarbeitung", "Remote computation"};

const MlText kVideoTitle = {"Video presentazione", "Videovorstellung", "Video presentation"};
const MlText kVideoText = {
    {"La presentazione video si scarica dai server di KestrinTempus e non \xE8 disponibile in questa versione "
     "del programma.",
     "Die Videovorstellung wird von den Servern von KestrinTempus geladen und ist in dieser Version des "
     "Programms nicht verf\xFCgbar.",
     "The video presentation is downloaded from the KestrinTempus servers and is not available in this version "
     "of the program."}};
const MlText kBack = {"[Esc] Ritorna", "[Esc] Zur\xFC" "ck", "[Esc] Back"};
const MlText kClose = {"Chiudi questa finestra", "Dieses Fenster schlie\xDF" "en", "Close this window"};

}  // namespace

const MlText& krv_not_available_text() { return kNotAvailable; }

void ui_register_remote_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}

int CRemoteWindow::Create(Window* parent) {
  if (IsCreated()) return 1;
  ui_register_remote_templates();
  // Owned by the frame while it has a window; else by nobody.
  m_owner = parent && parent->IsWindow() ? parent : nullptr;
  if (!CDialogML::Create(template_id(), m_owner)) return 0;
  m_created = 1;
  m_language = ui_language();
  ShowWindow(kSwHide);
  return 1;
}

void CRemoteWindow::Open() {
  if (IsCreated() && m_language != ui_language()) {
    Window* owner = m_owner && m_owner->IsWindow() ? m_owner : nullptr;
    DestroyWindow();
    Create(owner);
  }
  if (!IsCreated()) return;
  ShowWindow(kSwShow);
  SetActiveWindow();
}

bool CRemoteWindow::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowText(m_title.Get());
  if (GetDlgItem(kNoticeId)) SetDlgItemText(kNoticeId, m_notice.Get());
  SetDlgItemText(kRequestId, m_request.Get());
  if (GetDlgItem(kCloseId)) SetDlgItemText(kCloseId, kClose.Get());
  return true;
}

bool CRemoteWindow::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kRequestId) {
    OnRequest();
    return true;
  }
  if (command_code(w) == kBnClicked && command_id(w) == kCloseId) {
    ShowWindow(kSwHide);
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

void CRemoteWindow::OnDestroy() {
  m_created = 0;
  CDialogML::OnDestroy();
}

void CRemoteWindow::OnRequest() { ui_message_box(kNotAvailable); }

Ckrv_cli::Ckrv_cli() : CRemoteWindow(kTemplate, kConsoleTitle, kConsoleText, kSend) {}
Ckrv_phone::Ckrv_phone() : CRemoteWindow(kTemplate, kPhoneTitle, kPhoneText, kCallMe) {}
Ctulmmonitor::Ctulmmonitor() : CRemoteWindow(kTemplate, kMonitorTitle, kMonitorText, kRefresh) {}
Ctulmopen::Ctulmopen() : CRemoteWindow(kTemplate, kStripTitle, kStripTitle, kStripTitle) {}

bool Ctulmmonitor::OnInitDialog() {
  CRemoteWindow::OnInitDialog();
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  m_list.InsertColumn(0, kInstance.Get(), kLvcfmtLeft, 260);
  m_list.InsertColumn(1, kState.Get(), kLvcfmtLeft, 160);
  return true;
}

// The servers would send the list; without them it stays empty and the
// window's own text says why.
void Ctulmmonitor::Refresh() {
  if (!IsCreated()) return;
  m_list.DeleteAllItems();
  SetDlgItemText(kNoticeId, kMonitorText.Get());
}

bool Cvideoplay::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowText(kVideoTitle.Get());
  SetDlgItemText(kNoticeId, kVideoText.Get());
  SetDlgItemText(kIdCancel, kBack.Get());
  return true;
}

void ui_create_service_windows(Window* frame, int with_monitor) {
  if (g_process_number != 0) return;
  g_krv_console.Create(frame);
  g_krv_phone.Create(frame);
  if (with_monitor) g_tulm_monitor.Create(frame);
}

void ui_show_assistance_console() {
  if (g_process_number != 0) return;
  // The console is the frame's; before the frame made it there is none to show.
  if (!g_krv_console.IsCreated()) g_krv_console.Create(&g_frame);
  g_krv_console.m_attention = 0;
  g_krv_console.Open();
}

void krv_bring_console_forward() {
  if (!g_krv_console.IsCreated()) return;
  g_krv_console.Open();
  g_krv_console.m_attention = 0;
  if (Window* input = g_krv_console.GetDlgItem(CRemoteWindow::kInputId)) input->SetFocus();
}

void krv_focus_console_once() {
  if (!g_krv_console.IsCreated() || g_krv_console.m_attention || !g_krv_console.IsWindowVisible()) return;
  Window* input = g_krv_console.GetDlgItem(CRemoteWindow::kInputId);
  if (input && Window::GetFocus() != input) input->SetFocus();
}

void krv_show_callback_dialog(int show_code) {
  // A dialog that does not exist is already hidden: none is made to hide it.
  if (show_code != 5 && !g_krv_phone.IsCreated()) return;
  if (!g_krv_phone.IsCreated()) g_krv_phone.Create(&g_frame);
  if (!g_krv_phone.IsCreated()) return;
  if (show_code == 5) g_krv_phone.Open();
  else g_krv_phone.ShowWindow(kSwHide);
}

void krv_destroy_callback_dialog() {
  if (g_krv_phone.IsWindow()) g_krv_phone.DestroyWindow();
}

void krv_reset_console() {
  if (g_krv_console.IsWindow()) g_krv_console.DestroyWindow();
}

int krv_fetch_mailed_data() { return 0; }

int krv_fetch_warning_file(int keep) { return 0; }

void ui_show_tulm_monitor(int mode) {
  if (!g_tulm_monitor.IsCreated()) return;
  if (mode == 1) g_tulm_monitor.m_request = 1;
  if (mode == 2 && g_tulm_monitor.IsIconic()) {
    Rect size = g_tulm_monitor.GetWindowRect(), band;
    alfadlg_anchor_rect(1, band, size);
    g_tulm_monitor.MoveWindow(band);
  }
}

void ui_open_tulm_monitor() {
  if (!g_tulm_monitor.IsCreated()) g_tulm_monitor.Create(&g_frame);
  g_tulm_monitor.Open();
  g_tulm_monitor.Refresh();
}

void ui_create_tulm_window(Window* frame) {
  if (g_process_number != 0 || !frame || !frame->IsWindow()) return;
  // Made again each time, so that it speaks the language the panel does.
  if (g_tulm_open.IsWindow()) g_tulm_open.DestroyWindow();
  if (!g_tulm_open.Create(frame)) return;
  ui_dock_tulm_window();
  g_tulm_open.ShowWindow(kSwShowNoActivate);
}

void ui_dock_tulm_window() {
  if (!g_tulm_open.IsCreated() || !g_frame.IsWindow()) return;
  Window* last = g_frame.GetDlgItem(CAlfaDlg::kSectionIds[3]);
  if (!last) return;
  // It sits inside the frame's client area, where it moves with the frame
  // and covers neither the window manager's caption nor its borders. In the
  // button row's gap before the arrows when that is wide enough (a widened
  // or maximised frame), centred on the row; else against the bottom of the
  // last section button, where the frame starts its page area below it
  // (ui_tulm_window_rect), so that it covers no control of any page.
  Rect button = last->GetWindowRect(), own = g_tulm_open.GetWindowRect();
  Rect client = g_frame.ClientToScreen(g_frame.GetClientRect());
  int w = own.Width(), h = own.Height();
  int x = button.left, y = button.bottom + 1;
  if (Window* help = g_frame.GetDlgItem(CAlfaDlg::kSectionIds[4])) {
    Rect a = help->GetWindowRect();
    int arrows_left = a.left - a.Height() / 2 - 2;
    if (button.right + 4 + w + 4 <= arrows_left) {
      x = button.right + 4;
      y = button.top + (button.Height() - h) / 2;
    }
  }
  // Kept whole within the client area, and within the part of it on the
  // screen when the frame hangs over a screen edge.
  Rect bounds = client;
  Rect seen = client.Intersect(backend().WorkArea());
  if (seen.Width() >= w && seen.Height() >= h) bounds = seen;
  x = std::max(bounds.left, std::min(x, bounds.right - w));
  y = std::max(bounds.top, std::min(y, bounds.bottom - h));
  g_tulm_open.MoveWindow(Rect{x, y, x + w, y + h});
}

kt::ui::Rect ui_tulm_window_rect() {
  if (!g_tulm_open.IsCreated() || !g_tulm_open.IsWindowVisible()) return Rect{};
  return g_tulm_open.GetWindowRect();
}

void ui_run_video() {
  ui_register_remote_templates();
  g_video_player.DoModal();
}
