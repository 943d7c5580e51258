// Installs the subjects, labs, gyms and lessons-by-class pages in the
// frame's page holder and registers their templates. Called once at start-up,
// before the frame opens; the pages are program-wide objects that live for
// the whole run.
#include "shell/frame.h"
#include "structure/dictionary_page.h"
#include "structure/gyms_page.h"
#include "structure/labs_page.h"
#include "structure/lessons_by_class_page.h"
#include "structure/subjects_page.h"

Cmaterie g_subjects_page;
Clapal g_labs_page;
Cpale g_gyms_page;
Clacoco g_lessons_by_class_page;

void subjects_install_pages() {
  ui_register_dictionary_templates();
  g_pages.Install(PageSlot::Materie, &g_subjects_page);
  g_pages.Install(PageSlot::Lapal, &g_labs_page);
  g_pages.Install(PageSlot::Pale, &g_gyms_page);
  g_pages.Install(PageSlot::Lacoco, &g_lessons_by_class_page);
}
