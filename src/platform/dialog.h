// The dialog base of every page and box. A Dialog object is built once
// (often as a global or a page member) with its template id and runs its
// window many times:
//   DoModal()        a modal run: the owner is disabled, a nested message loop
//                    runs until EndDialog, the owner is enabled and activated
//                    again and focus goes back where it was; returns the code
//                    given to EndDialog (-1 when the template is missing or the
//                    window was destroyed without EndDialog).
//   Create(parent)   a modeless window: a child page when the template (or the
//                    creation style) says child, else a top-level window owned
//                    by parent; shown and hidden at will.
// Creation binds the page's member controls (DoDataExchange in bind mode),
// makes plain controls for the other template items, sends the init message
// (OnInitDialog) and, when that returns true, focuses the first Tab stop.
//
// Keyboard (PreTranslateMessage): accelerators first, then Tab / Shift+Tab
// over the Tab stops, arrows within a group (moving onto an automatic radio
// button checks it), Enter to the focused push button or else the default
// button (a disabled default beeps), Esc to IDCANCEL, Space clicks a focused
// button. A control claims keys for itself through GetDlgCode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/ui_backend.h"
#include "platform/window.h"

namespace kt::ui {

class Dialog;

class DataExchange {
 public:
  enum class Mode { kBind, kLoad, kSave };
  DataExchange(Dialog&, Mode mode) : mode_(mode) {}
  Mode mode() const { return mode_; }
  bool saving() const { return mode_ == Mode::kSave; }
  bool failed() const { return failed_; }

  // Binds a member control to a template control (bind mode only).
  void Control(int id, Window& control);

  const std::vector<std::pair<int, Window*>>& bindings() const { return bindings_; }

 private:
  Mode mode_;
  bool failed_ = false;
  std::vector<std::pair<int, Window*>> bindings_;
};

struct Accelerator {
  int key = 0;
  unsigned mods = 0;
  int command = 0;
};

class Dialog : public Window {
 public:
  explicit Dialog(int template_id = 0, Window* parent = nullptr);
  ~Dialog() override;

  int template_id() const { return template_id_; }
  void set_template_id(int id) { template_id_ = id; }
  const DialogTemplate* GetTemplate() const { return find_dialog_template(template_id_); }

  virtual LResult DoModal();
  bool Create(int template_id, Window* parent = nullptr);
  bool Create(Window* parent = nullptr) { return Create(template_id_, parent); }
  // Ends a modal run with a code (the first call counts; later calls do
  // nothing); a modeless dialog is hidden.
  void EndDialog(LResult result);
  bool IsModal() const { return modal_ != nullptr; }

  // Style bits changed at the next creation (a page run as a captioned modal
  // dialog, a dialog shown borderless as a page), and a rectangle in parent
  // coordinates the next creation places the window on.
  void SetCreationStyle(std::uint32_t remove, std::uint32_t add) {
    create_remove_ = remove;
    create_add_ = add;
  }
  void SetCreationRect(const Rect* r) {
    has_create_rect_ = r != nullptr;
    if (r) create_rect_ = *r;
  }

  bool UpdateData(bool save = true);
  void GotoDlgCtrl(Window* control);
  void NextDlgCtrl() { GotoDlgCtrl(GetNextDlgTabItem(GetFocus(), false)); }
  void PrevDlgCtrl() { GotoDlgCtrl(GetNextDlgTabItem(GetFocus(), true)); }
  Window* GetNextDlgTabItem(Window* from, bool previous) const;
  Window* GetNextDlgGroupItem(Window* from, bool previous) const;
  int GetDefID() const { return def_id_; }
  // The button Return presses with the focus on `focus`: a push button of
  // this dialog that holds the focus, else the default button (null when the
  // dialog has none). Push buttons draw the default frame from this, so what
  // the user sees marked is what Return does.
  Window* ReturnButton(Window* focus) const;
  void SetAccelerators(std::vector<Accelerator> table) { accelerators_ = std::move(table); }
  void SetBackgroundColor(Color c) { background_ = c; Invalidate(); }
  Color GetBackgroundColor() const { return background_; }
  // The ids DoDataExchange binds, without creating anything (lint).
  std::vector<int> BoundControlIds();

  bool PreTranslateMessage(Message& msg) override;

 protected:
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(DataExchange& dx) {}

  LResult WindowProc(std::uint32_t message, WParam w, LParam l) override;
  bool OnCommand(WParam w, LParam l) override;
  void OnClose() override;
  Color OnCtlColor(DeviceContext& dc, Window* control, CtlType type) override;
  void OnEraseBackground(DeviceContext& dc) override;
  void PostNcDestroy() override;

 private:
  friend class DataExchange;
  bool CreateFromTemplate(const DialogTemplate& t, Window* parent, bool modal);
  bool HandleKey(Window* target, int key, unsigned mods);

  int template_id_;
  Window* parent_hint_;
  ModalFrame* modal_ = nullptr;
  int def_id_ = kIdOk;
  Color background_ = kButtonFaceColor;
  std::vector<Accelerator> accelerators_;
  std::uint32_t create_remove_ = 0, create_add_ = 0;
  bool has_create_rect_ = false;
  Rect create_rect_;
  bool hidden_by_end_ = false;
};

// The client size of a dialog made from the template, in the present font
// metrics: the size its controls are laid out for.
Size dialog_template_client_size(const DialogTemplate& t);

// Runs a modal loop for the frame until it ends (a dialog's or a pop-up
// menu's); nested loops are plain recursion.
void run_modal_loop(ModalFrame& frame);
// Called for every modal dialog after its initialisation (the test driver
// records the boxes shown).
void set_modal_observer(std::function<void(Dialog&)> observer);

// A plain control object for a template class (auto-deleted).
Window* make_control(const char* class_name);

// The captions of a template's labels, check boxes and buttons are shown in
// the user's language through a translator the program installs at
// start-up, keyed by the template's text as the caption tables are; without
// one they show as written. It is given the code object that holds the
// control (null when the code reaches it only by id), so a control that
// translates itself on its first paint is left to do so.
using TemplateCaptionTranslator = std::string (*)(const ControlTemplate& control, const Window* held);
void set_template_caption_translator(TemplateCaptionTranslator translator);

}  // namespace kt::ui
