// The shape shared by the structure pages that keep a dictionary of the
// school (subjects, labs, gyms and shared rooms): a page of the frame that
// can also run as a modal dialog on a caller's stack, edits the working
// model at once, saves both school files on "!SALVA le modifiche" after its
// own check, re-opens itself on "!ABBANDONA le modifiche" (the frame's
// leave check then offers to discard), and refuses to be left while its
// check fails or the unsaved-changes prompt answers "stay".
//
// The dialog form is a modal run (DoModalCaptioned); it ends with 999 on
// save, abandon and Esc and never runs the leave check. Enter never closes
// either form: it goes to the page's OnEnter with the focused control.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ui.h"
#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"
#include "shell/resizable_dialog.h"

// Registers the templates of the subjects, labs and gyms pages; idempotent.
void ui_register_dictionary_templates();

class CDictionaryPage : public CResizableDialog {
 public:
  static constexpr int kDialogFormEnd = 999;
  static constexpr kt::ui::Color kPageBackground = kt::ui::rgb(244, 244, 244);
  static constexpr kt::ui::Color kCrimson = kt::ui::rgb(165, 0, 33);
  static constexpr kt::ui::Color kLightGreen = kt::ui::rgb(238, 255, 221);

  // Registers the templates, so a caller's stack object runs at once. The
  // page's "!SALVA le modifiche" and "!ABBANDONA le modifiche" buttons, when
  // given, run SaveFiles and Abandon without the page's own handler.
  explicit CDictionaryPage(int template_id, int save_id = -1, int abandon_id = -1)
      : CResizableDialog(template_id, nullptr, kPageBackground), m_save_id(save_id), m_abandon_id(abandon_id) {
    ui_register_dictionary_templates();
  }

  // True while the page runs as a modal dialog on a caller's stack.
  bool IsDialogForm() const { return m_modal; }
  // Page form: runs the page's check and the unsaved-changes prompt first;
  // returns 0 (the window stays) when either keeps the user here.
  int DestroyWindow() override;

 protected:
  // The page's own check before saving and before leaving; false keeps the
  // user on the page (the check has said why).
  virtual bool CheckBeforeLeaving() = 0;
  // Enter with the focus on a control of the page.
  virtual void OnEnter(kt::ui::Window* focus) = 0;

  // "!SALVA le modifiche": check, write both files, end the dialog form.
  void SaveFiles();
  // "!ABBANDONA le modifiche".
  void Abandon();
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

  // Common page start: fits the page area, hides the grip, sets the title.
  void StartPage(const char* title);

  // Selects the list's first row when it has rows and none is selected;
  // the selection change is not shown back (m_program_selects).
  void SelectFirstRow(kt::ui::ListView& list);
  // A notification of a dictionary list: focus calls on_focus, a selection
  // change not made by the page calls show, the Delete key calls remove.
  // False for any other notification.
  bool OnListNotify(kt::ui::LParam l, const std::function<void()>& on_focus, const std::function<void()>& show,
                    const std::function<void()>& remove);

  bool m_program_selects = false;  // selection changes made by the page itself are not shown back

 private:
  int m_save_id;
  int m_abandon_id;
};

// Yes/No question with the question icon; true for Yes.
bool dictionary_ask(const MlText& text);
// Two names equal when compared ignoring case (code page 1252 folding).
bool dictionary_same_name(const char* a, const char* b);

// Writes a name into a 21-byte name field: at most 20 characters, the
// rest of the field zero.
void dictionary_copy_name(char* field, const char* name);

// A count read from the packed model, bounded to its table.
inline int dictionary_count(std::uint32_t count, int cap) { return ui_bounded_count(count, cap); }

// Installs the subjects, labs and gyms pages in g_pages (start-up).
void subjects_install_pages();
