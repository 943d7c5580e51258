// The frame's behaviour (see frame.h): section buttons and their menus, the
// page commands, opening a page in the page area, the navigation lock and
// Esc. A page that refuses to close keeps the frame on it. Commands of
// windows not built yet answer with the "not available yet" message in the
// user's language; page commands of pages not built yet open the page's
// stand-in, without the engine step or timetable check that only serves
// the real page.
#include "shell/frame.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "shell/app_startup.h"
#include "shell/busy_popup.h"
#include "shell/engine_commands.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"
#include "shell/message_box.h"
#include "shell/status_file.h"
#include "shell/title_menu.h"

using namespace kt::ui;

CAlfaDlg g_frame;
PageHolder g_pages;
CResizableDialog* g_current_page = nullptr;
std::uint32_t g_current_page_template = 0;
std::uint32_t g_page_argument = 0;
std::uint8_t g_busy_code = 0;
Rect g_page_rect;
std::int32_t g_esc_depth = 0;
FrameServiceHooks g_frame_service_hooks;
Calfaopi g_launcher_panel;

namespace {

constexpr int kCoursesBoardTemplate = 167;

const MlText kCannotExit = {"Impossibile Uscire - Terminare l'operazione in corso",
                            "Ende unmöglich - Den aktuellen Vorgang beenden"_cp,
                            "Unable to Exit - Terminate the current operation"};
const MlText kAskQuit = {"Uscire da KestrinTempus?", "KestrinTempus beenden?", "Quit KestrinTempus?"};
const MlText kAskStopRun = {"Un calcolo è in corso. Interromperlo e uscire..."_cp,
                            "Eine Berechnung läuft. Abbrechen und beenden..."_cp,
                            "A computation is running. Stop it and exit..."};
const MlText kConfigTitle = {"Configurazione dell'Orario", "Konfiguration des Stundenplanes",
                             "Timetable Configuration"};
const MlText kProcessingTitle = {"Elaborazione dell'orario", "Verarbeitung des Stundenplanes",
                                 "Timetable Processing"};

bool g_panel_was_visible = false;

bool panel_visible() { return g_launcher_panel.IsWanted() && g_launcher_panel.IsWindow(); }
// Boxes inside boxes hide the panel once: the outermost puts it back.
int g_panel_hide_depth = 0;

// The page's own Cancel asks the frame to go up a level, after the page's
// handler has returned.
void page_cancelled(int) { g_frame.PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0); }

// The section marked and the page shown before a section's button, menu or
// row opens a page. When the same page is still shown after (it refused to
// leave: a board whose moves the user went back to; or nothing was opened),
// its own section is marked again, not the one asked for.
struct ShownPage {
  int section;
  CResizableDialog* page;
  std::uint32_t page_template;
  bool Stayed() const { return g_current_page == page && g_current_page_template == page_template; }
};

}  // namespace

KT_BEGIN_MESSAGE_MAP(CAlfaDlg, CResizableDialog)
  KT_ON_COMMAND(1772, OnFileButton)
  KT_ON_COMMAND(1773, OnConfigButton)
  KT_ON_COMMAND(1774, OnProcessingButton)
  KT_ON_COMMAND(1775, OnProvisionalButton)
  KT_ON_COMMAND(1779, OnHelpButton)
  KT_ON_COMMAND(1780, OnAssistanceButton)
  KT_ON_COMMAND(1901, OnArrowAcross)
  KT_ON_COMMAND(1902, OnArrowDown)
KT_END_MESSAGE_MAP()

bool alfadlg_go_to_page(int id) {
  g_page_argument = 0;
  return g_frame.GoTo(id);
}

bool alfadlg_go_to_page_with_argument(int id, std::uint32_t argument) {
  g_page_argument = argument;
  return g_frame.GoTo(id);
}

void alfadlg_lock_navigation(int code) {
  g_busy_code = static_cast<std::uint8_t>(code);
  g_frame.EnableSections(false);
  g_launcher_panel.Show(0);
}

void alfadlg_unlock_navigation(int show_panel) {
  g_busy_code = 0;
  g_frame.EnableSections(true);
  if (show_panel && !g_provisional_mode) g_launcher_panel.Show(1);
}

void alfadlg_hide_launcher_panel(int restore) {
  if (restore == 0) {
    if (g_panel_hide_depth++ == 0) g_panel_was_visible = panel_visible();
    g_launcher_panel.Show(0);
    return;
  }
  if (g_panel_hide_depth > 0 && --g_panel_hide_depth > 0) return;
  if (g_panel_was_visible) g_launcher_panel.Show(1);
}

void alfadlg_refresh_lesson_constraints_page() {
  if (g_current_page && g_current_page_template == 151 && g_frame_service_hooks.refresh_lesson_constraints_page)
    g_frame_service_hooks.refresh_lesson_constraints_page();
}

void alfadlg_reset_after_language_change() { g_frame.ResetAfterLanguageChange(); }

std::string alfadlg_title() {
  std::string title = "KestrinTempus";
  if (og_current_folder_is_data_root()) return title;
  const char* school = or_read_school_header(".", nullptr, nullptr, nullptr, nullptr, "scuola2.txt");
  if (school && *school) title += std::string(" - ") + school;
  return title;
}

void alfadlg_update_title() {
  if (!g_frame.IsWindow()) return;
  std::string title = alfadlg_title();
  if (g_frame.GetWindowText() != title) g_frame.SetWindowText(title);
}

void alfadlg_anchor_rect(int mode, Rect& out, const Rect& size) {
  Window* file = g_frame.GetDlgItem(1772);
  Rect b = file ? file->GetWindowRect() : Rect{};
  if (mode == 1)
    out = Rect{b.left, b.top - size.Height(), b.left + size.Width(), b.top};
  else
    out = Rect{b.left + 4, b.top + 20, b.left + 4 + size.Width(), b.top + 20 + size.Height()};
}

void CAlfaDlg::DoDataExchange(DataExchange& dx) {
  for (int i = 0; i < 6; ++i) dx.Control(kSectionIds[i], m_sections[i]);
}

bool CAlfaDlg::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  g_app.CreateSharedFonts(*this);
  g_busy_popup_owner = this;
  shell_busy_popup(nullptr, kBusyCreate);
  g_frame_hooks.lock_navigation = alfadlg_lock_navigation;
  g_frame_hooks.unlock_navigation = alfadlg_unlock_navigation;
  g_frame_hooks.hide_launcher_panel = alfadlg_hide_launcher_panel;
  Rect r = GetWindowRect();
  Rect work = backend().WorkArea();
  g_saved_display_mode = {work.Width(), work.Height()};
  // On a screen smaller than the frame the screen is the least size (the
  // pages scroll inside), so the window manager can fit and maximise it.
  SetMinimumSize({std::min(r.Width(), work.Width()), std::min(r.Height(), work.Height())});
  for (int i = 0; i < 4; ++i) AnchorControl(kSectionIds[i], kAnchorTopLeft);
  AnchorControl(1779, kAnchorTopRight);
  AnchorControl(1780, kAnchorTopRight);
  for (CColorButton& b : m_sections) b.m_frame_color = 0xFFFFFF;
  EnableSections(false);
  ShowGrip(false);
  if (g_frame_top != 0 && g_frame_left != 0) MoveWindow(Rect{g_frame_left, g_frame_top, g_frame_left + r.Width(), g_frame_top + r.Height()});
  ShowDlgItem(kStaticId, kSwHide);
  CreateArrows();
  Highlight(1772);
  g_current_page = nullptr;
  OpenPage(g_pages.Page(PageSlot::Home), CPlenixDlg::kTemplate, CPlenixDlg::kTemplate, 0);
  // The home page is open: the section buttons answer from the start, as
  // after any page command (disabled, they would look live and do nothing).
  EnableSections(true);
  return false;
}

void CAlfaDlg::OnDestroy() {
  if (g_launcher_panel.IsWindow()) g_launcher_panel.DestroyWindow();
  g_current_page = nullptr;
  g_current_page_template = 0;
  g_frame_hooks = FrameHooks{};
  m_fitted_size = m_least_size = {0, 0};  // a frame made again starts from its own size
  m_zoomed_for_board = m_moved_for_panel = m_panel_left = false;
  CResizableDialog::OnDestroy();
}

void CAlfaDlg::OnSysCommand(WParam command, LParam l) {
  CResizableDialog::OnSysCommand(command, l);
  // Maximise, restore, the sizing commands and the caption drag move the
  // page's side windows with the frame.
  unsigned c = static_cast<unsigned>(command) & 0xFFF0u;
  bool moved = c == 0xF030u || c == 0xF120u || c == 0xF000u || c == 0xF010u ||
               (static_cast<unsigned>(command) >= 0xF001u && static_cast<unsigned>(command) <= 0xF008u) ||
               static_cast<unsigned>(command) == 0xF012u;
  // A minimised remote-processing monitor follows a dragged frame.
  if (static_cast<unsigned>(command) == 0xF012u && g_frame_service_hooks.show_remote_monitor)
    g_frame_service_hooks.show_remote_monitor(2);
  if (moved && g_frame_service_hooks.computation_page_moved) g_frame_service_hooks.computation_page_moved(1);
}

void CAlfaDlg::EnableSections(bool enable) {
  if (!IsWindow()) return;
  for (int i = 0; i < 4; ++i) m_sections[i].EnableWindow(enable);
}

void CAlfaDlg::Highlight(int section_id) {
  m_highlighted = section_id;
  for (int i = 0; i < 4; ++i) {
    m_sections[i].m_state = kSectionIds[i] == section_id ? 8 : 0;
    m_sections[i].Redraw();
  }
}

Rect CAlfaDlg::PageArea() const {
  Window* file = GetDlgItem(1772);
  Window* right = GetDlgItem(1780);
  if (!file || !right) return GetClientRect();
  Rect f = file->GetRectInParent();
  int top = f.bottom + 2;
  // The remote-processing window, docked under the button row, is a window
  // of its own over the page: the page starts below it, or the controls at
  // its top (a page's "?" buttons) could not be clicked.
  if (g_frame_service_hooks.remote_window_rect) {
    Rect strip = g_frame_service_hooks.remote_window_rect();
    if (!strip.IsEmpty()) top = std::max(top, ScreenToClient(strip).bottom + 1);
  }
  return Rect{f.left, top, right->GetRectInParent().right, GetClientRect().bottom - 4};
}

void CAlfaDlg::OnLayoutChanged() {
  DockSideWindows();
  if (!IsWindow() || !g_current_page || !g_current_page->IsWindow()) return;
  PlacePage();
  g_current_page->MoveWindow(g_page_rect);
}

// The frame takes the size that shows the page it holds, as far as the
// screen allows, and stays on the screen: it grows for a larger page and
// shrinks back for a smaller one, never below its own starting size. Once
// the user has resized it (its size is no longer the one it last took), the
// user's size is the least it keeps. Grown so that the launcher panel would
// have no room on its side, it moves over to leave the panel room there,
// and goes back to where it was when it shrinks again.
void CAlfaDlg::GrowForPage(int template_id) {
  m_page_size = {0, 0};
  const DialogTemplate* t = find_dialog_template(template_id);
  if (!t || !IsWindow()) return;
  Size natural = dialog_template_client_size(*t);
  m_page_size = natural;
  if (IsZoomed() || IsIconic()) return;
  Rect r = GetWindowRect();
  if (m_fitted_size.cx == 0) m_least_size = m_fitted_size = {r.Width(), r.Height()};
  if (r.Width() != m_fitted_size.cx || r.Height() != m_fitted_size.cy) m_least_size = {r.Width(), r.Height()};
  Rect area = PageArea();
  Rect work = backend().WorkArea();
  int w = std::min(work.Width(), std::max(m_least_size.cx, r.Width() - area.Width() + natural.cx));
  int h = std::min(work.Height(), std::max(m_least_size.cy, r.Height() - area.Height() + natural.cy));
  m_fitted_size = {w, h};
  // Moved over for the panel and not moved since: where it was is its place.
  int left = m_moved_for_panel && r.left == m_panel_left_edge ? m_left_before_panel : r.left;
  int x = std::max(work.left, std::min(left, work.right - w)), y = std::max(work.top, std::min(r.top, work.bottom - h));
  int with_room = LeftEdgeWithRoomForPanel(x, w);
  m_moved_for_panel = with_room != x;
  m_left_before_panel = x;
  m_panel_left_edge = with_room;
  if (w == r.Width() && h == r.Height() && with_room == r.left) return;
  MoveWindow(Rect{with_room, y, with_room + w, y + h});
}

// Where the page goes: the page area, or, for a page larger than the area,
// the page's own size moved by the scroll offsets, with the bars that move it.
void CAlfaDlg::PlacePage() {
  Rect area = PageArea();
  const int t = PageScrollBar::kThickness;
  bool h = m_page_size.cx > area.Width(), v = m_page_size.cy > area.Height();
  if (h && !v) v = m_page_size.cy > area.Height() - t;
  if (v && !h) h = m_page_size.cx > area.Width() - t;
  Rect shown{area.left, area.top, area.right - (v ? t : 0), area.bottom - (h ? t : 0)};
  const bool need[2] = {h, v};
  const int total[2] = {m_page_size.cx, m_page_size.cy}, length[2] = {shown.Width(), shown.Height()};
  for (int a = 0; a < 2; ++a) {
    if (!need[a]) m_page_scroll[a] = 0;
    m_page_scroll[a] = std::clamp(m_page_scroll[a], 0, std::max(0, total[a] - length[a]));
    PageScrollBar& bar = m_page_bars[a];
    if (!bar.IsWindow()) {
      bar.Setup(a, [this, a](int offset) {
        m_page_scroll[a] = offset;
        OnLayoutChanged();
      });
      if (!bar.CreateChild("PageScrollBar", "", 0, Rect{0, 0, 1, 1}, this, 0)) continue;
    }
    bar.MoveWindow(a == 0 ? Rect{shown.left, shown.bottom, shown.right, shown.bottom + t}
                          : Rect{shown.right, shown.top, shown.right + t, shown.bottom});
    bar.SetRange(total[a], length[a], m_page_scroll[a]);
    bar.ShowWindow(need[a] ? kSwShow : kSwHide);
  }
  g_page_rect = {shown.left - m_page_scroll[0], shown.top - m_page_scroll[1],
                 shown.left - m_page_scroll[0] + std::max(total[0], length[0]),
                 shown.top - m_page_scroll[1] + std::max(total[1], length[1])};
  // A scrolled page lies under the frame's own buttons and the bars, and
  // shows only in the room left between them: what is scrolled out of it
  // neither paints over the buttons nor takes their clicks.
  if (g_current_page && g_current_page->IsWindow() && g_current_page->GetParent() == this) {
    if (h || v) g_current_page->SetWindowPos(kHwndTop, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoActivate);
    g_current_page->SetVisibleArea(shown);
  }
}

int CAlfaDlg::OpenPage(CResizableDialog* page, int template_id, int logical_template, int flags) {
  if (!page) return 0;
  if (!(flags & 1) && page == g_current_page) {
    message_beep(kBeepSimple);
    return 0;
  }
  if (int left = LeaveCurrentPage(); left != 1) return left;
  // Leaving the courses board, the frame gives back the screen before it
  // fits the next page: fitted and laid out in the maximised frame, the
  // page would be squeezed, with scroll bars, when the restore came after.
  if (!(flags & 4) && logical_template != kCoursesBoardTemplate && m_zoomed_for_board) {
    m_zoomed_for_board = false;
    if (IsZoomed()) ShowWindow(kSwRestore);
  }
  GrowForPage(template_id);
  m_page_scroll[0] = m_page_scroll[1] = 0;
  PlacePage();
  page->SetPageFields(kWsPopup | kWsCaption | kWsThickFrame | kWsBorder | kDsModalFrame | kWsSysMenu, kWsChild, 0,
                      &g_page_rect, true);
  page->SetCreationStyle(kWsPopup | kWsCaption | kWsThickFrame | kWsBorder | kDsModalFrame | kWsSysMenu, kWsChild);
  page->SetCreationRect(&g_page_rect);
  page->SetCancelCallback(page_cancelled);
  if (!page->Create(template_id, this)) return 0;
  g_current_page = page;
  g_current_page_template = static_cast<std::uint32_t>(logical_template);
  // The school may have been named, renamed or changed on the way here.
  alfadlg_update_title();
  if (!(flags & 4)) {
    page->ShowWindow(kSwShow);
    // The courses board wants the whole screen; every other page the
    // frame's normal size, unless the user maximised the frame himself.
    if (logical_template == kCoursesBoardTemplate) {
      m_zoomed_for_board = m_zoomed_for_board || !IsZoomed();
      ShowWindow(kSwShowMaximized);
    }
    OnLayoutChanged();
  }
  return 1;
}

bool CAlfaDlg::GoTo(int id) {
  if (!IsWindow()) return false;
  return OnCommand(make_command_param(id, 0), 0);
}

bool CAlfaDlg::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  if (id < kFirstPageCommand || id > kLastPageCommand) return CResizableDialog::OnCommand(w, l);
  if (g_process_number < 1 && !g_launcher_panel.IsCreated()) CreateLauncherPanel();
  EnableSections(true);
  // A lock hides the panel only until the next page command.
  if (!g_provisional_mode && g_launcher_panel.IsCreated() && g_launcher_panel.IsWindow() &&
      !g_launcher_panel.IsWindowVisible())
    g_launcher_panel.Show(1);
  switch (id) {
    case kPageReopen:
      if (g_current_page) OpenPage(g_current_page, g_current_page->template_id(), int(g_current_page_template), 1);
      return true;
    case kPageClose:
      OnCancel();
      return true;
    case kPageAssistance:
      OnAssistanceButton();
      return true;
    default:
      break;
  }
  if (!OpenByRow(id)) og_fatal_system_error("SW Cmd", ".\\AlfaDlg", 742);
  return true;
}

int CAlfaDlg::LeaveCurrentPage() {
  if (g_current_page && g_current_page->IsWindow()) {
    int refused = g_current_page->DestroyWindow();
    if (refused != 1) {
      // The page stays (the user went back to it): Esc may have hidden it
      // on its way here, so it shows again.
      if (g_current_page && g_current_page->IsWindow() && !g_current_page->IsWindowVisible())
        g_current_page->ShowWindow(kSwShow);
      return refused;
    }
  }
  g_current_page = nullptr;
  return 1;
}

bool CAlfaDlg::OpenByRow(int id) {
  const PageRow* row = page_row(id);
  if (!row || row->slot == PageSlot::Count) return false;
  // A page works on the model: it must be this folder's school before the
  // page shows it or a save writes it.
  if (id != kPageHome && g_frame_service_hooks.read_school_if_other_folder)
    g_frame_service_hooks.read_school_if_other_folder();
  bool built = g_pages.IsBuilt(row->slot);
  if (built && row->needs_timetable && g_frame_service_hooks.confirm_timetable_use &&
      !g_frame_service_hooks.confirm_timetable_use())
    return true;
  if (built && id == kPageQuadroStandby) {
    // "RIGO:" loads the saved week into the engine tables anew. The page
    // shown leaves first: a board asks about its unsaved moves (and saves
    // them when told to) while the tables still hold them, and a page whose
    // computation runs stops it before the engine is used again.
    if (LeaveCurrentPage() != 1) return true;
    if (og_run_engine(EngineCommandCode::Rigo) != 0) {
      // The engine said why; the processing menu, from which the week is
      // asked for, takes the place of the page that left.
      OpenByRow(kPageProcessingMenu);
      return true;
    }
  }
  static const int kSectionButton[] = {0, 1772, 1773, 1774, 1775};
  ShownPage before{m_highlighted, g_current_page, g_current_page_template};
  if (row->section) Highlight(kSectionButton[row->section]);
  if (row->argument == -2) g_pages.Argument(row->slot) = static_cast<std::uint8_t>(g_page_argument & 0xFF);
  else if (row->argument >= 0) g_pages.Argument(row->slot) = static_cast<std::uint8_t>(row->argument);
  if (row->mode) g_pages.m_parameter_page = static_cast<std::uint8_t>(row->mode);
  CResizableDialog* page = g_pages.Page(row->slot);
  int template_id = built ? row->template_id : CPendingPage::kTemplate;
  if (!built) static_cast<CPendingPage*>(page)->m_title = &row->menu;
  // A stand-in shared by several commands (the parameter pages) opens again
  // for each of them.
  int flags = row->flags | (!built && g_current_page_template != std::uint32_t(row->template_id) ? 1 : 0);
  OpenPage(page, template_id, row->template_id, flags);
  if (before.page && before.Stayed()) Highlight(before.section);
  if ((row->flags & 4) && g_current_page == page) page->ShowWindow(kSwHide);
  return true;
}

void CAlfaDlg::OnCancel() {
  SetFocus();
  if (++g_esc_depth > 1) {
    message_beep(kBeepSimple);
    --g_esc_depth;
    return;
  }
  bool home = g_current_page_template == std::uint32_t(CPlenixDlg::kTemplate);
  if (g_busy_code && !home) {
    ui_message_box(kCannotExit);
    --g_esc_depth;
    return;
  }
  if (g_busy_code) message_beep(kBeepSimple);
  Rect r = GetWindowRect();
  g_frame_top = r.top;
  g_frame_left = r.left;
  if (page_is_configuration(g_current_page_template)) {
    alfadlg_go_to_page(kPageConfigMenu);
  } else if (page_is_processing(g_current_page_template)) {
    alfadlg_go_to_page(kPageProcessingMenu);
  } else if (home || !g_current_page) {
    // Esc is easily pressed once too often: leaving the program asks first.
    if (home && ui_message_box_type(kAskQuit.Get(), kMbYesNo | kMbIconQuestion) != kIdYes) {
      --g_esc_depth;
      return;
    }
    EndProgram();
  } else {
    alfadlg_go_to_page(kPageHome);
  }
  --g_esc_depth;
}

bool CAlfaDlg::EndProgram() {
  // A page that refuses to close (the user went back to review unsaved
  // changes) stays, and so does the program.
  if (g_current_page && g_current_page->IsWindow() && g_current_page->DestroyWindow() != 1) {
    if (g_current_page && g_current_page->IsWindow()) g_current_page->ShowWindow(kSwShow);
    return false;
  }
  og_stop_worker_processes();
  g_current_page = nullptr;
  CResizableDialog::OnCancel();
  return true;
}

// The close asks nothing more of a user who has nothing to lose: the
// questions come from what would be lost. A running computation is asked
// about first (No suggested, so Enter keeps it); closing its page stops it
// as its STOP does, the best timetable saved. The page's own leave check
// then asks about unsaved edits, and "stay" keeps page, edits and program.
void CAlfaDlg::OnClose() {
  if (++g_esc_depth > 1) {
    message_beep(kBeepSimple);
    --g_esc_depth;
    return;
  }
  // A long operation that cannot be cut short (the engine loading the school
  // for a page) refuses, as Esc does.
  if (g_busy_code) {
    ui_message_box(kCannotExit);
    --g_esc_depth;
    return;
  }
  if (g_engine_thread.Pending() &&
      ui_message_box_flags(kAskStopRun, kMbYesNo | kMbIconQuestion, kMbCursorSecond) != kIdYes) {
    --g_esc_depth;
    return;
  }
  Rect r = GetWindowRect();
  g_frame_top = r.top;
  g_frame_left = r.left;
  EndProgram();
  --g_esc_depth;
}

void CAlfaDlg::OnFileButton() {
  ShownPage before{m_highlighted, g_current_page, g_current_page_template};
  Highlight(1772);
  OpenPage(g_pages.Page(PageSlot::Home), CPlenixDlg::kTemplate, CPlenixDlg::kTemplate, 0);
  if (before.page && before.page != g_pages.Page(PageSlot::Home) && before.Stayed()) Highlight(before.section);
}

void CAlfaDlg::PopUpSectionMenu(int section_id, int first, int last) {
  ShownPage before{m_highlighted, g_current_page, g_current_page_template};
  Highlight(section_id);
  const MlText& title = section_id == 1773 ? kConfigTitle : kProcessingTitle;
  CTitleMenu menu;
  menu.AddTitle(title.Get(), true);
  for (int id = first; id <= last; ++id)
    if (const PageRow* row = page_row(id)) menu.AppendMenu(kMfString, id, row->menu.Get(), row->icon ? row->icon : "");
  // Clicked, the menu opens beside the pointer; from the keyboard (the
  // pointer elsewhere) it opens under its button.
  Point p = backend().GetCursorPos();
  Point at{p.x + 20, p.y + 20};
  if (Window* button = GetDlgItem(section_id); button && !button->GetWindowRect().Contains(p)) {
    Rect b = button->GetWindowRect();
    at = {b.left, b.bottom};
  }
  int chosen = menu.TrackPopupMenu(kTpmReturnCmd, at.x, at.y, this);
  if (chosen) alfadlg_go_to_page(chosen);
  // The menu left without a choice, or the page chosen not opened (the user
  // declined to view a timetable not yet computed).
  if (before.Stayed()) Highlight(before.section);
}

void CAlfaDlg::OnConfigButton() {
  if (ui_require_school_folder(0)) PopUpSectionMenu(1773, kPageConfigMenu, kPageOraspec);
}

void CAlfaDlg::OnProcessingButton() {
  if (ui_require_school_folder(0)) PopUpSectionMenu(1774, kPageProcessingMenu, kPageQuadroStandby);
}

void CAlfaDlg::OnProvisionalButton() {
  if (!ui_require_school_folder(0)) return;
  ShownPage before{m_highlighted, g_current_page, g_current_page_template};
  Highlight(1775);
  g_page_argument = 0;
  GoTo(kPageProvvi);
  if (before.page && before.page_template != std::uint32_t(page_row(kPageProvvi)->template_id) && before.Stayed())
    Highlight(before.section);
}

void CAlfaDlg::OnHelpButton() {
  if (g_process_number >= 1) return;
  if (g_frame_service_hooks.bring_console_forward) g_frame_service_hooks.bring_console_forward();
  if (g_frame_service_hooks.show_support_contact) g_frame_service_hooks.show_support_contact(this);
  else ui_message_box(ui_not_available_text());
}

void CAlfaDlg::OnAssistanceButton() {
  if (g_frame_service_hooks.show_assistance_console) g_frame_service_hooks.show_assistance_console();
  else ui_message_box(ui_not_available_text());
}

void CAlfaDlg::CreateServiceWindows(int with_monitor) {
  if (g_process_number >= 1 || !IsWindow() || !g_frame_service_hooks.create_service_windows) return;
  g_frame_service_hooks.create_service_windows(this, with_monitor);
}

void CAlfaDlg::ResetAfterLanguageChange() {
  for (CColorButton& b : m_sections) b.Retranslate();
  // Closed, the panel is built again in the new language on the next page command.
  if (g_launcher_panel.IsWindow()) g_launcher_panel.DestroyWindow();
}

void CAlfaDlg::CreateLauncherPanel() {
  if (g_process_number >= 1 || !IsWindow()) return;
  if (!g_launcher_panel.Create(this)) return;
  g_launcher_panel.m_go_to_page = [](int id) { alfadlg_go_to_page(id); };
  g_launcher_panel.Show(1);
  auto add = [](int id, int state) {
    if (const PageRow* row = page_row(id)) g_launcher_panel.AddRow(0, id, row->menu.Get(), row->icon, state);
  };
  add(kPageAssistance, 13);
  add(kPageHome, 8);
  add(kPageConfigMenu, 8);
  for (int id = kPageProscuola; id <= kPageOraspec; ++id) add(id, 0);
  add(kPageProcessingMenu, 8);
  for (int id = kPageMake; id <= kPageQuadroStandby; ++id) add(id, 0);
  // The frame makes room for the panel beside it when the screen has it
  // (once, as the panel is built: later the user's place for the frame holds).
  Rect r = GetWindowRect();
  int x = IsZoomed() ? r.left : LeftEdgeWithRoomForPanel(r.left, r.Width());
  if (x != r.left) MoveWindow(Rect{x, r.top, x + r.Width(), r.bottom});
  if (g_frame_service_hooks.create_remote_window) g_frame_service_hooks.create_remote_window(this);
  // The page shown leaves room for the remote-processing window: the frame
  // grows for it as far as the screen allows, and the page moves below it.
  if (g_current_page && g_current_page->IsWindow()) GrowForPage(g_current_page->template_id());
  OnLayoutChanged();
}

void Carrow::ShowSide(int axis, bool other_side) {
  static const char* const kArrows[2][2] = {{">", "<"}, {"v", "^"}};
  SetWindowText(kArrows[axis & 1][other_side ? 1 : 0]);
}

// The two arrows sit in the gap left of the assistance buttons.
void CAlfaDlg::CreateArrows() {
  Window* help = GetDlgItem(1779);
  if (!help) return;
  Rect h = help->GetRectInParent();
  int size = h.Height() / 2;
  for (int axis = 0; axis < 2; ++axis) {
    if (m_arrows[axis].IsWindow()) continue;
    CreateParams p;
    p.class_name = "Button";
    p.style = kWsChild | kWsVisible;
    p.parent = this;
    p.id = Carrow::kIds[axis];
    int top = h.top + axis * size;
    p.rect = Rect{h.left - size - 2, top, h.left - 2, top + size};
    if (!m_arrows[axis].CreateEx(p)) continue;
    m_arrows[axis].ShowSide(axis, m_other_side[axis]);
    AnchorControl(Carrow::kIds[axis], kAnchorTopRight);
  }
}

void alfadlg_toggle_frame_side(int axis) { g_frame.ToggleSide(axis); }

void CAlfaDlg::ToggleSide(int axis) {
  if (!IsWindow()) return;
  axis &= 1;
  Rect r = GetWindowRect();
  Rect work = backend().WorkArea();
  int w = r.Width(), h = r.Height();
  int x = r.left, y = r.top;
  if (!m_other_side[axis]) {
    m_home_coordinate[axis] = axis == 0 ? r.left : r.top;
    if (axis == 0) x = work.right - w;
    else y = work.bottom - h;
  } else if (axis == 0) {
    x = m_home_coordinate[0];
  } else {
    y = m_home_coordinate[1];
  }
  m_other_side[axis] = !m_other_side[axis];
  MoveWindow(Rect{x, y, x + w, y + h});
  m_arrows[axis].ShowSide(axis, m_other_side[axis]);
  DockSideWindows();
}

// The panel sits against the frame's right edge, with the frame's top and
// height (its rows scroll when they are higher): that is its side, which
// the frame leaves room for when it grows. Only while the user keeps the
// frame against the screen's right edge does it sit at the left edge. Where
// the screen leaves less than its width it is made narrower, down to its
// least width; with room on neither side (a frame as wide as the screen) it
// stays hidden rather than cover the page, its bars or its buttons.
void CAlfaDlg::DockSideWindows() {
  if (IsWindow() && g_frame_service_hooks.dock_remote_window) g_frame_service_hooks.dock_remote_window();
  if (!IsWindow() || !g_launcher_panel.IsCreated() || !g_launcher_panel.IsWindow()) return;
  Rect frame = GetWindowRect();
  Rect work = backend().WorkArea();
  int least = g_launcher_panel.LeastWidth();
  int room_right = work.right - frame.right, room_left = frame.left - work.left;
  if (room_right >= least || room_left >= least) m_panel_left = room_right < least;
  int room = m_panel_left ? room_left : room_right;
  bool fits = room >= least;
  if (fits) {
    int width = std::min(g_launcher_panel.NaturalWidth(), room);
    int top = std::max(frame.top, work.top), bottom = std::min(frame.bottom, work.bottom);
    int x = m_panel_left ? frame.left - width : frame.right;
    g_launcher_panel.MoveWindow(Rect{x, top, x + width, bottom});
  }
  g_launcher_panel.SetRoom(fits);
}

// Where the frame's left edge goes so that the panel has room on its side:
// x itself while the panel has its least width there; otherwise moved over
// just enough for the panel's whole width (or what the screen leaves), when
// the screen is wide enough for both.
int CAlfaDlg::LeftEdgeWithRoomForPanel(int x, int width) const {
  if (!g_launcher_panel.IsWanted()) return x;
  Rect work = backend().WorkArea();
  int least = g_launcher_panel.LeastWidth();
  int room_now = m_panel_left ? x - work.left : work.right - (x + width);
  if (room_now >= least || work.Width() - width < least) return x;
  int room = std::min(g_launcher_panel.NaturalWidth(), work.Width() - width);
  if (m_panel_left) return std::min(std::max(x, work.left + room), work.right - width);
  return std::max(work.left, std::min(x, work.right - width - room));
}


