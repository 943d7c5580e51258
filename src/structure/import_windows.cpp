// Hands the school-data import windows to the configuration menu. The menu
// knows them only through config_menu_imports(), so that the structure
// editors and the imports stay apart; this file is the one place where the
// two meet. Each entry runs its window modally on the stack and returns
// whatever it answered: the menu re-reads both school files afterwards, so a
// window that saved and one that was abandoned leave the same road.
// The three-week split tool of the service mode is handed over here too.
#include "structure/import_windows.h"

#include "schooldata/orario_facile_page.h"
#include "schooldata/sissi_code_check.h"
#include "schooldata/sissi_import_page.h"
#include "schooldata/spreadsheet_page.h"
#include "structure/config_menu.h"
#include "structure/week_split.h"

namespace {

void run_sissi(int mode) {
  Csissi page;
  page.m_code_correction = mode != 0 ? 1 : 0;
  page.DoModal();
}

void run_orario_facile() {
  Corafac page;
  page.DoModal();
}

void run_spreadsheet() {
  Coraxls page;
  page.DoModal();
}

void run_sissi_codes() {
  Csissiedit page;
  page.DoModal();
}

void run_week_split() {
  Ccreate_crux tool;
  tool.DoModal();
}

}  // namespace

void structure_install_imports() {
  ConfigMenuImports& imports = config_menu_imports();
  imports.sissi = run_sissi;
  imports.orario_facile = run_orario_facile;
  imports.spreadsheet = run_spreadsheet;
  imports.sissi_codes = run_sissi_codes;
  imports.week_split = run_week_split;
}
