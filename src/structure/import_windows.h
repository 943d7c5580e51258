// The import windows and the service split tool as the configuration menu
// runs them: structure_install_imports fills config_menu_imports() with the
// school-data import pages (SISSI, SISSI codes, Orario Facile, spreadsheet
// text) and the three-week split tool. Called once at start-up with the
// structure pages; calling it again changes nothing.
#pragma once

void structure_install_imports();
