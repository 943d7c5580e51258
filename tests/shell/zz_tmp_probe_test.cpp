#include <gtest/gtest.h>
#include <cstdio>
#include "shell/about_box.h"
#include "shell/busy_popup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/launcher_panel.h"
#include "shell/message_box.h"
#include "shell/message_viewer.h"
#include "shell/small_choosers.h"
#include "shell/small_dialogs.h"
#include "template_alignment.h"
#include "desktop_wiring.h"
TEST(ZzProbe, Unguarded) {
  ui_register_toolkit_templates();
  ui_register_frame_templates();
  ui_register_chooser_templates();
  ui_register_launcher_templates();
  CAboutDlg about(nullptr);
  int total = 0, unguarded = 0;
  for (int id : {CAboutDlg::kTemplate, CAlfaDlg::kTemplate, CelaincoWnd::kTemplate,
                                             CPlenixDlg::kTemplate, Czzempty::kTemplate, Ctipode::kTemplate,
                                             Cmessshow::kTemplate, CSTools::kTemplate, Calfaopi::kTemplate,
                                             Cmemoverde::kTemplate, CMessageBox::kTemplate, CPendingPage::kTemplate}) {
    kt::ui::DialogTemplate t = *kt::ui::find_dialog_template(id);
    std::vector<kt::ui::ControlTemplate> cs(t.controls.begin(), t.controls.end());
    std::size_t base = template_alignment::problems(t).size() + template_alignment::spacing_problems(t).size();
    for (std::size_t i = 0; i < cs.size(); ++i)
      for (int f = 0; f < 4; ++f)
        for (int d : {-1, 1}) {
          std::vector<kt::ui::ControlTemplate> copy = cs;
          int* v[4] = {&copy[i].x, &copy[i].y, &copy[i].cx, &copy[i].cy};
          *v[f] += d;
          kt::ui::DialogTemplate u = t;
          u.controls = copy;
          ++total;
          if (template_alignment::problems(u).size() + template_alignment::spacing_problems(u).size() <= base) {
            ++unguarded;
            std::printf("%d ctl %d (%s) field %d %+d\n", id, copy[i].id, copy[i].class_name, f, d);
          }
        }
  }
  std::printf("unguarded %d of %d\n", unguarded, total);
}
TEST(ZzProbe, AllTemplatesSpacing) {
  kestrintempus_install();
  for (const kt::ui::DialogTemplate* t : kt::ui::registered_dialog_templates())
    for (const std::string& p : template_alignment::spacing_problems(*t)) std::printf("%s\n", p.c_str());
}
TEST(ZzProbe, Show) {
  kestrintempus_install();
  for (int id : {146, 233, 140, 9901}) {
    const kt::ui::DialogTemplate* t = kt::ui::find_dialog_template(id);
    std::printf("T %d cx %d cy %d\n", id, t->cx, t->cy);
    for (auto& c : t->controls) { int off = std::abs((t->cx - (c.x + c.cx)) - c.x); if (off==1||off==2) std::printf("  %d %s %d %d %d %d off %d\n", c.id, c.class_name, c.x, c.y, c.cx, c.cy, off);}
  }
}
