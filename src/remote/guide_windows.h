// The guide windows that configuration pages open from their "?" and advice
// buttons: small modeless windows with one explanatory text and a close
// button, each a global object whose window is made on first use. Create
// makes the window once (nothing while the created flag is set); closing
// clears the flag and destroys the window, so the next request makes it
// again. Clegsimco, the archive-import notice, also offers "do not show
// again", which sets bit 0 of the IMCOOK preference.
// The assistance windows are in service_windows.h.
// User-interface thread only.
#pragma once

#include <cstdint>

#include "shell/dialog_ml.h"
#include "shell/help_pane.h"
#include "shell/ml_text.h"

class CGuideWindow : public CDialogML {
 public:
  static constexpr int kTextId = 1001, kCloseId = 1002, kUnderstoodId = 1003;
  CGuideWindow(int template_id, const MlText& text) : CDialogML(template_id), m_text(text) {}
  // 1 when it made the window, 0 when it was made already (or cannot be).
  int Create(kt::ui::Window* parent = nullptr);
  bool IsCreated() const { return m_created != 0; }
  // Lets the next Create make the window again (the page that owns the
  // guide clears it on entry).
  void ClearCreated() { m_created = 0; }
  // Creates when needed and shows the window.
  void Open(kt::ui::Window* parent = nullptr);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override { Close(); }
  void OnCancel() override { Close(); }
  void OnClose() override { Close(); }
  virtual void Close();

  std::uint8_t m_created = 0;
  const MlText& m_text;
  CSpiegaML m_pane;
};

// "Configurazioni particolari": advice of the configuration menu.
class Clegsmenu : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9801;
  Clegsmenu();
};
// Free Saturday, afternoon returns and similar calendars.
class Clegssaba : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9802;
  Clegssaba();
};
// Partly assisted lab hours.
class Clegsipay : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9803;
  Clegsipay();
};
// Combined classes.
class Clegsarti : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9804;
  Clegsarti();
};
// Subgroups inside classes.
class Clegsgrul : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9805;
  Clegsgrul();
};
// The co-teaching hint of the lessons-by-class page.
class Clegslaco : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9806;
  Clegslaco();
};
// The archive-import notice, a member window of the pages that show it.
class Clegsimco : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9807;
  Clegsimco();
  // True unless the user asked not to see it again (IMCOOK bit 0).
  static bool Wanted();

 protected:
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
};

// The getting-started guide of the home page.
class Clegsgene : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9808;
  Clegsgene();
};
// Moving a school's data from one computer to another (the school
// chooser's transfer button).
class Clegs_trasfe : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9809;
  Clegs_trasfe();
};
// "Esempio di file Excel (R) per l'importazione iniziale delle cattedre":
// the spreadsheet import page shows it beside itself.
class ClegsXLS : public CGuideWindow {
 public:
  static constexpr int kTemplate = 9810;
  ClegsXLS();
};

extern Clegsmenu g_guide_menu;
extern Clegsgene g_guide_gene;
extern Clegs_trasfe g_guide_trasfe;
extern ClegsXLS g_guide_xls;
extern Clegssaba g_guide_saba;
extern Clegsipay g_guide_ipay;
extern Clegsarti g_guide_arti;
extern Clegsgrul g_guide_grul;

void ui_register_guide_templates();
// The home page's web pages (forum, social page) are served by the maker's
// servers: this program says that they are not available.
void ui_open_web_page(int which);
