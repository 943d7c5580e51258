// The computation page's place in the frame (see computation_page.h). The
// notice and the busy pop-up are made on first use and live until the
// program ends; the page window itself is made each time the frame shows it.
#include "board/computation_page.h"
#include "platform/cp1252.h"

#include <cstdio>

#include "board/problems_monitor.h"
#include "shell/frame.h"
#include "shell/ml_text.h"

using namespace kt::ui;

Cmake g_make_page;
Cmakewarn g_makewarn;
CelaincoWnd g_busy_popup_2;

namespace {

const MlText kErrorsLeft = {
    "Attenzione: l'orario contiene ancora %d errori.\r\nL'elenco e' nel file \"Errori Residui.txt\" della cartella Orario.",
    "Achtung: der Stundenplan enthält noch %d Fehler.\r\nDie Liste steht in der Datei \"Fehler Rückstände.txt\" im Ordner "
    "Orario."_cp,
    "Warning: the timetable still holds %d errors.\r\nThey are listed in the file \"Remaining Errors.txt\" of the folder "
    "Orario."};
const MlText kWarnTitle = {"Attenzione", "Achtung", "Warning"};
const MlText kCloseCaption = {"Chiudi", "Schließen"_cp, "Close"};

const ControlTemplate kWarnControls[] = {
    {"Static", Cmakewarn::kTextId, "", kSsLeft, 8, 8, 244, 36},
    {"Button", Cmakewarn::kCloseId, "Chiudi", kBsDefPushButton | kWsTabStop, 196, 50, 56, 16},
};
const DialogTemplate kWarnTemplate = {Cmakewarn::kTemplate, "Attenzione", kWsPopup | kWsCaption | kWsSysMenu, 0, 0,
                                      260, 72, kWarnControls};

void busy(Cmake& window, const char* text) {
  if (!text) {
    if (g_busy_popup_2.IsCreated()) g_busy_popup_2.ShowWindow(kSwHide);
    return;
  }
  g_busy_popup_2.SetText(text);
  if (!g_busy_popup_2.IsCreated() && !g_busy_popup_2.Create(&window)) return;
  g_busy_popup_2.ShowWindow(kSwShowNormal);
}

void run_ended(Cmake& window, std::int32_t result, int errors_left) {
  // Only the page's runs end with the notice (a computation, or the report
  // run of a take back, which lists the errors of the timetable taken
  // back): a trial or the menu's report run shows its own result and
  // nothing more. The frame owns it, so it stays when the user leaves the
  // page.
  if (&window != &g_make_page || result != 0 || errors_left <= 0) return;
  g_makewarn.ShowFor(g_frame.IsWindow() ? static_cast<Window*>(&g_frame) : &window, errors_left);
}

}  // namespace

void Cmakewarn::ShowFor(Window* owner, int errors_left) {
  char text[300];
  std::snprintf(text, sizeof text, kErrorsLeft.Get(), errors_left);
  m_text = text;
  if (!IsWindow() && !Create(owner)) return;
  SetDlgItemText(kTextId, m_text.c_str());
  ShowWindow(kSwShow);
}

bool Cmakewarn::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowTextML(kWarnTitle);
  SetDlgItemText(kTextId, m_text.c_str());
  SetDlgItemText(kCloseId, kCloseCaption.Get());
  return true;
}

bool Cmakewarn::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked && command_id(w) == kCloseId) {
    DestroyWindow();
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

void board_install_computation_page() {
  ui_register_trial_computation_template();
  if (find_dialog_template(kWarnTemplate.id) != &kWarnTemplate) register_dialog_template(kWarnTemplate);
  ui_register_problems_monitor_template();
  g_pages.Install(PageSlot::Make, &g_make_page);
  g_computation_hooks.busy = busy;
  g_computation_hooks.run_ended = run_ended;
  g_computation_hooks.show_problems_monitor = [](Cmake& window) { g_problems_monitor.ShowBeside(window); };
  g_computation_hooks.place_problems_monitor = [](Cmake& window, int moved) {
    g_problems_monitor.PlaceBeside(window, moved);
  };
  g_computation_hooks.close_problems_monitor = [](Cmake&) {
    if (g_problems_monitor.IsWindow()) g_problems_monitor.DestroyWindow();
  };
}
