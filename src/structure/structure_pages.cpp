// Installs the structure editors' pages in the frame (see structure_pages.h).
// One line per page: a page is listed here once its behaviour is built.
#include "structure/structure_pages.h"

#include "pickers/constraint_copy_panels.h"
#include "platform/cp1252.h"
#include "remote/guide_windows.h"
#include "schooldata/data_file_search_dialog.h"
#include "shell/frame.h"
#include "structure/buildings_page.h"
#include "structure/class_buildings.h"
#include "structure/config_menu.h"
#include "structure/destination_folder_choice.h"
#include "structure/dictionary_page.h"
#include "structure/import_windows.h"
#include "structure/school_page.h"
#include "structure/special_calendars.h"
#include "structure/teacher_page.h"
#include "structure/technical_editor.h"

namespace {

// The special calendars dialog reaches the calendar copy panel through
// hooks, so it runs without the panel in tests; here the two meet.
void install_calendar_copy_panel() {
  g_calendar_copy_panel.attach = [](kt::ui::Window* parent, int set) {
    if (!g_copysma.IsCreated()) g_copysma.Create(parent);
    g_copysma.ShowPanel(false);
    g_copysma.m_set = set;
  };
  g_calendar_copy_panel.select = [](int class_index, const kt::ui::Rect& row) {
    g_copysma.m_class = class_index;
    if (g_copysma.IsWindow()) {
      kt::ui::Rect panel = g_copysma.GetWindowRect();
      g_copysma.MoveWindow(row.right - panel.Width(), row.bottom, panel.Width(), panel.Height());
    }
    g_copysma.ShowPanel(true);
  };
  g_calendar_copy_panel.take_pasted = [] {
    bool pasted = g_copysma.m_pasted;
    g_copysma.m_pasted = false;
    return pasted;
  };
  g_calendar_copy_panel.hide = [] { g_copysma.ShowPanel(false); };
}

}  // namespace

void structure_install_pages() {
  g_data_folder_chooser = [](const std::string& working, const std::string& target) {
    Ccanuco choice;
    choice.m_current_folder = kt::utf8_to_cp1252(working);
    choice.m_saved_folder = kt::utf8_to_cp1252(target);
    return int(choice.DoModal());
  };
  ui_register_guide_templates();
  ui_register_config_menu_template();
  g_pages.Install(PageSlot::MenuConfora, &g_config_menu);
  structure_install_imports();
  ui_register_school_page_template();
  g_pages.Install(PageSlot::Proscuola, &g_school_page);
  Cproscuola::s_special_calendars = [](int set) { calespe_run(set, false); };
  install_calendar_copy_panel();
  ui_register_buildings_page_template();
  ui_register_class_buildings_template();
  g_pages.Install(PageSlot::Plessi, &g_buildings_page);
  subjects_install_pages();
  teachers_install_pages();
  ui_register_technical_editor_template();
  g_pages.Install(PageSlot::Editek, &g_technical_editor);
}
