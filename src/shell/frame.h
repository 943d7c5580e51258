// CAlfaDlg, the frame: one top-level resizable dialog (template 102) with a
// row of section buttons and, below them, exactly one page, a child dialog
// from the page holder g_pages. Every move between pages is a page command
// (PageCommandId) through CAlfaDlg::OnCommand; Esc goes one level up and on
// the home page ends the frame's modal run.
//
// Pages of subsystems not built yet are shown as a plain page that names
// the page and says it is not available yet, so every menu and Esc path
// works the same before and after those pages arrive; a subsystem installs
// its page object in g_pages and the frame shows it instead.
// Only the user-interface thread touches the frame.
#pragma once

#include <cstdint>
#include <string>

#include "shell/color_button.h"
#include "shell/ml_text.h"
#include "shell/page_scroller.h"
#include "shell/resizable_dialog.h"

enum PageCommandId : int {
  kPageReopen = 0x763E522,
  kPageClose = 0x763E523,
  kPageHome = 0x763E524,
  kPageConfigMenu = 0x763E525,
  kPageProscuola = 0x763E526,
  kPagePlessi = 0x763E527,
  kPageMaterie = 0x763E528,
  kPageLapal = 0x763E529,
  kPagePale = 0x763E52A,
  kPageProqui = 0x763E52B,
  kPageLacoco = 0x763E52C,
  kPageProcat = 0x763E52D,
  kPageSyncat = 0x763E52E,
  kPageVicat = 0x763E52F,
  kPageVipro = 0x763E530,
  kPageVidia = 0x763E531,
  kPageParameters1 = 0x763E532,
  kPageParameters2 = 0x763E533,
  kPageParameters3 = 0x763E534,
  kPageParameters4 = 0x763E535,
  kPageOraspec = 0x763E536,
  kPageProcessingMenu = 0x763E537,
  kPageMake = 0x763E538,
  kPageQuadro = 0x763E539,
  kPageBila = 0x763E53A,
  kPageQcorsi = 0x763E53B,
  kPageQuadroStandby = 0x763E53C,
  kPageEditek = 0x763E53D,
  kPageProvvi = 0x763E541,
  kPageParpro = 0x763E542,
  kPageAssistance = 0x763E543,
};
inline constexpr int kFirstPageCommand = kPageReopen;
inline constexpr int kLastPageCommand = kPageAssistance;

// The page holder's members, in its order.
enum class PageSlot : int {
  Home, MenuConfora, Makedibi, Parpro, Provvi, Proscuola, Plessi, Materie, Lapal, Pale, Proqui, Lacoco,
  Procat, Syncat, Vicat, Vipro, Vidia, Orapage, Oraspec, Make, Quadro, Bila, Qcorsi, Editek, Count
};
inline constexpr int kPageSlots = static_cast<int>(PageSlot::Count);

// The stand-in of a page not built yet: its title and one line saying so.
class CPendingPage : public CResizableDialog {
 public:
  static constexpr int kTemplate = 9901;
  static constexpr int kTitleId = 1001, kNoticeId = 1002;
  CPendingPage() : CResizableDialog(kTemplate) {}
  const MlText* m_title = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
};

class PageHolder {
 public:
  PageHolder();
  // A subsystem's page takes the place of the stand-in.
  void Install(PageSlot slot, CResizableDialog* page) { m_pages[int(slot)] = page; }
  bool IsBuilt(PageSlot slot) const { return m_pages[int(slot)] != nullptr; }
  // The page object the frame shows for a slot: the installed page or its stand-in.
  CResizableDialog* Page(PageSlot slot);
  std::uint8_t& Argument(PageSlot slot) { return m_arguments[int(slot)]; }
  std::uint8_t m_parameter_page = 0;  // the parameter page's part (1..4), chosen before it opens

 private:
  CResizableDialog* m_pages[kPageSlots];
  CPendingPage m_pending[kPageSlots];
  std::uint8_t m_arguments[kPageSlots] = {};
};

// What the frame needs of windows other subsystems build; none set: absent.
struct FrameServiceHooks {
  // The support-contact window, owned by the frame, shown by "@Ho bisogno di assistenza".
  void (*show_support_contact)(kt::ui::Window* frame) = nullptr;
  // og_confirm_timetable_use: may a page that needs a computed timetable open?
  bool (*confirm_timetable_use)() = nullptr;
  void (*refresh_lesson_constraints_page)() = nullptr;
  // The school files live above the shell: the home page reaches them here.
  // Reads both school files again, false after the reader's message.
  bool (*reread_school_files)() = nullptr;
  // Reads both school files when the model is not the current folder's
  // (start-up, another school chosen), before a page that could save it.
  void (*read_school_if_other_folder)() = nullptr;
  // Runs the maintenance operation of a service-tools code.
  void (*run_service_tool)(int code) = nullptr;
  // Keeps the cloud code the user typed as the school's code.
  void (*keep_cloud_code)(const char* code) = nullptr;
  // Runs the substitutions dialog once "SOLO:" has loaded its data.
  void (*run_substitutions_dialog)() = nullptr;
  // Starts the parallel solver processes (the home page's first showing).
  void (*start_parallel_workers)() = nullptr;
  // The frame was moved or sized (1) while a page was shown: the
  // computation page places its problems monitor again.
  void (*computation_page_moved)(int moved) = nullptr;
  // The guides of the remote services: the advice guide, the getting-started
  // guide, and the web pages (0 forum, 1 social page).
  void (*show_advice_guide)(kt::ui::Window* parent) = nullptr;
  void (*show_getting_started_guide)(kt::ui::Window* parent) = nullptr;
  void (*open_web_page)(int which) = nullptr;
  // The archive and cloud dialog, run in a mode (0 normal, 1 cloud code just
  // entered, 2 no school folder); its result, 9876 to run it again.
  int (*run_archive)(int mode) = nullptr;
  // The windows of the remote services: the assistance console, the
  // call-back dialog and the remote-processing monitor made hidden, owned by
  // the frame; the console shown; the console brought forward for the help
  // button, or given the focus once when it is shown; the two windows that
  // speak the language made again; the monitor's request byte (1) or its
  // place (2), the monitor opened; the remote-processing window made and
  // docked; the tutorial video.
  void (*create_service_windows)(kt::ui::Window* frame, int with_monitor) = nullptr;
  void (*show_assistance_console)() = nullptr;
  void (*bring_console_forward)() = nullptr;
  void (*focus_console_once)() = nullptr;
  void (*reset_language_windows)() = nullptr;
  void (*show_remote_monitor)(int mode) = nullptr;
  void (*open_remote_monitor)() = nullptr;
  void (*create_remote_window)(kt::ui::Window* frame) = nullptr;
  void (*dock_remote_window)() = nullptr;
  // Where the remote-processing window lies on the screen while it is
  // shown, an empty rectangle otherwise: the page area starts below it.
  kt::ui::Rect (*remote_window_rect)() = nullptr;
  void (*run_video)() = nullptr;
  // When the home page finds a school's title: the school's mailed data and
  // notices fetched into its folder ("Message.txt", "Warning.txt"), which
  // the home page's first tick then shows.
  void (*fetch_school_notices)(int keep) = nullptr;
};
extern FrameServiceHooks g_frame_service_hooks;

// The frame's title: "KestrinTempus - " and the name of the school whose
// folder is open (the first remark of its description), or "KestrinTempus"
// alone in the data folder or before the school has a description.
std::string alfadlg_title();
// Shows alfadlg_title() in the frame's title bar.
void alfadlg_update_title();

// Moves the frame to the other side of the work area (axis 0 left/right,
// 1 top/bottom) and back; what the arrows call.
void alfadlg_toggle_frame_side(int axis);

// Carrow: one of the frame's two arrow buttons; a click moves the frame to
// the other side of the work area and back, and the arrow points where the
// next click goes.
class Carrow : public kt::ui::Button {
 public:
  static constexpr int kIds[2] = {1901, 1902};
  void ShowSide(int axis, bool other_side);
};

class CAlfaDlg : public CResizableDialog {
 public:
  static constexpr int kTemplate = 102;
  static constexpr int kSectionIds[6] = {1772, 1773, 1774, 1775, 1779, 1780};
  static constexpr int kStaticId = 1825;

  CAlfaDlg() : CResizableDialog(kTemplate) {}

  bool GoTo(int id);
  int OpenPage(CResizableDialog* page, int template_id, int logical_template, int flags);
  void OnLayoutChanged() override;
  void GrowForPage(int template_id);
  void Highlight(int section_id);
  void EnableSections(bool enable);
  // The rectangle a page fills, in the frame's client coordinates.
  kt::ui::Rect PageArea() const;
  void ResetAfterLanguageChange();
  void ToggleSide(int axis);
  // In the main process, the assistance console and the call-back dialog
  // (and with `with_monitor` the remote-processing monitor), owned by the
  // frame and hidden.
  void CreateServiceWindows(int with_monitor);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnCancel() override;
  // The window manager's close (its close button, Alt+F4): the program
  // ends from whatever page is shown, after the page's own question about
  // unsaved edits and, while a computation runs, a question whose No keeps
  // it running.
  void OnClose() override;
  void OnDestroy() override;
  void OnSysCommand(kt::ui::WParam command, kt::ui::LParam l) override;

 private:
  // Closes the page (which may refuse: the user stays to review unsaved
  // edits), stops the workers and ends the frame's modal run; false when
  // the page stayed.
  bool EndProgram();
  void OnFileButton();
  void OnConfigButton();
  void OnProcessingButton();
  void OnProvisionalButton();
  void OnHelpButton();
  void OnAssistanceButton();
  void PopUpSectionMenu(int section_id, int first, int last);
  bool OpenByRow(int id);
  // Closes the page shown (which may refuse: the user stays to review
  // unsaved edits; it then shows again); the page's DestroyWindow result,
  // 1 when no page is left.
  int LeaveCurrentPage();
  void CreateLauncherPanel();
  void CreateArrows();
  void OnArrowAcross() { alfadlg_toggle_frame_side(0); }
  void OnArrowDown() { alfadlg_toggle_frame_side(1); }
  void DockSideWindows();
  int LeftEdgeWithRoomForPanel(int x, int width) const;

  CColorButton m_sections[6];
  int m_highlighted = 0;
  Carrow m_arrows[2];
  bool m_other_side[2] = {false, false};
  int m_home_coordinate[2] = {0, 0};  // left, top where the frame was before it moved over
  // A page larger than the page area keeps its template's size and scrolls.
  void PlacePage();
  kt::ui::Size m_page_size;
  kt::ui::Size m_fitted_size;  // the size the frame last took for a page
  kt::ui::Size m_least_size;   // its starting size, or the size the user gave it
  bool m_zoomed_for_board = false;  // maximised by the courses board, not by the user
  bool m_panel_left = false;        // the launcher panel at the frame's left (no room on its right)
  // The frame moved over to leave the panel room: from where, and to where.
  bool m_moved_for_panel = false;
  int m_left_before_panel = 0, m_panel_left_edge = 0;
  int m_page_scroll[2] = {0, 0};
  PageScrollBar m_page_bars[2];

  KT_DECLARE_MESSAGE_MAP()
};

extern CAlfaDlg g_frame;
class Calfaopi;
extern Calfaopi g_launcher_panel;
extern PageHolder g_pages;
extern CResizableDialog* g_current_page;
extern std::uint32_t g_current_page_template;
extern std::uint32_t g_page_argument;
extern std::uint8_t g_busy_code;
extern kt::ui::Rect g_page_rect;
extern std::int32_t g_esc_depth;

bool alfadlg_go_to_page(int id);
bool alfadlg_go_to_page_with_argument(int id, std::uint32_t argument);
void alfadlg_lock_navigation(int code);
void alfadlg_unlock_navigation(int show_panel);
void alfadlg_hide_launcher_panel(int restore);
void alfadlg_refresh_lesson_constraints_page();
void alfadlg_reset_after_language_change();
// The rectangle of size's size anchored at the FILE button: mode 1 a band
// directly above it, otherwise 4 pixels right of and 20 below its corner.
void alfadlg_anchor_rect(int mode, kt::ui::Rect& out, const kt::ui::Rect& size);

// The "not available yet" text, shown by stand-in pages and by commands whose
// window is not built yet.
const MlText& ui_not_available_text();
// Registers the frame's, the home page's and the stand-in page's templates.
void ui_register_frame_templates();

// The page command table: menu text, icon, page and template of each id.
struct PageRow {
  int id;
  PageSlot slot;
  int template_id;
  int section;   // 0 none, 1 FILE, 2 configuration, 3 processing, 4 provisional
  int argument;  // -1 leave; -2 low byte of g_page_argument; else this byte
  int mode;      // the parameter page's part, 0 none
  int flags;     // OpenPage flags
  bool needs_timetable;
  const char* icon;
  MlText menu;
};
const PageRow* page_row(int id);
// True for the templates of configuration pages, resp. processing pages.
bool page_is_configuration(std::uint32_t template_id);
bool page_is_processing(std::uint32_t template_id);
