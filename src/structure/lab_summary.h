// Ccontagrullab: the small modeless, resizable window "Riepilogo
// Laboratori da Assegnare" that lists, while the timetable is edited by
// hand, the lessons of lab groups that still stay in their class's room
// (teacher, class, day, hour, lab group). It shows itself when a refresh
// finds at least one such lesson and hides itself when there is none.
//
// One global object, g_contagrullab, lives for the run; the timetable
// board creates its window on demand (at most once) and asks it to refresh
// after each change. Which lessons are listed is the engine iterator's
// decision (or_iterate_class_room_lessons); a remembered sort column is
// applied again after every refill. UI thread only.
#pragma once

#include "platform/ui.h"
#include "shell/resizable_dialog.h"

class Ccontagrullab : public CResizableDialog {
 public:
  static constexpr int kTemplate = 490;
  static constexpr int kListId = 1860;

  Ccontagrullab() : CResizableDialog(kTemplate) {}
  ~Ccontagrullab() override;

  // Creates the window unless it exists: 1 created, 0 not.
  int Create(kt::ui::Window* parent);
  bool IsCreated() const { return m_created; }
  int DestroyWindow() override;

  void RefreshList();
  kt::ui::ListView& List() { return m_list; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnDestroy() override;

 private:
  kt::ui::ListView m_list;
  bool m_created = false;
  int m_sort_column = -1;
};

extern Ccontagrullab g_contagrullab;
