// Plain control objects for the template items a page does not bind to a
// member of its own (see make_control in dialog.h). They are deleted by the
// core once their window is gone and no window procedure of theirs is still
// running. A class name the core does not know gets a plain window, which
// the template lint reports, so a typing error in a table never crashes.
#include <cstring>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/progress_bar.h"
#include "platform/controls/static_control.h"
#include "platform/dialog.h"

namespace kt::ui {

Window* make_control(const char* class_name) {
  std::string_view c = class_name ? class_name : "";
  Window* w;
  if (c == "Button") w = new Button;
  else if (c == "Static") w = new StaticText;
  else if (c == "Edit") w = new Edit;
  else if (c == "ComboBox") w = new ComboBox;
  else if (c == "ListBox") w = new ListBox;
  else if (c == "ListView") w = new ListView;
  else if (c == "ProgressBar") w = new ProgressBar;
  else if (c == "ScrollBar") w = new SizeGrip;
  else w = new Window;
  w->SetAutoDelete(true);
  return w;
}

}  // namespace kt::ui
