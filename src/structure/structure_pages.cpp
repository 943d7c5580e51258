// Installs the structure editors' pages in the frame (see structure_pages.h).
// One line per page: a page is listed here once its behaviour is built.
#include "structure/structure_pages.h"

#include "remote/guide_windows.h"
#include "shell/frame.h"
#include "structure/buildings_page.h"
#include "structure/class_buildings.h"
#include "structure/config_menu.h"
#include "structure/import_windows.h"
#include "structure/school_page.h"
#include "structure/technical_editor.h"

void structure_install_pages() {
  ui_register_guide_templates();
  ui_register_config_menu_template();
  g_pages.Install(PageSlot::MenuConfora, &g_config_menu);
  structure_install_imports();
  ui_register_school_page_template();
  g_pages.Install(PageSlot::Proscuola, &g_school_page);
  ui_register_buildings_page_template();
  ui_register_class_buildings_template();
  g_pages.Install(PageSlot::Plessi, &g_buildings_page);
  ui_register_technical_editor_template();
  g_pages.Install(PageSlot::Editek, &g_technical_editor);
}
