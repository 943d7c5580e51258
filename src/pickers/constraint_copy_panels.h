// The two small modeless panels that copy a set of constraints and paste it
// elsewhere: Ccopypas copies the placement constraints of one teaching post
// into other posts (owned by the teaching-post constraints page), Ccopysma
// copies one weekly calendar of a class into another class (owned by the
// special calendars page). Each is one global object whose window is made
// on first use and afterwards only shown and hidden by its owner.
//
// Invariants: the clipboard is a whole record copied by value, so a later
// edit of the source never reaches it; a paste takes from the clipboard
// only the fields set there and then fits what it pasted to the target's
// hours, so a pasted post never asks for more hours than it has.
// Workload: a paste to every teacher touches at most 500 x 40 posts.
#pragma once

#include <cstdint>

#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/dialog_ml.h"

// Registers the two panels' dialog templates (268, 313); idempotent.
void ui_register_copy_panel_templates();

// True when either part of the post has a placement constraint set.
bool copypas_has_constraints(const UiTeachingPost& post);
// Pastes the set constraints of `clip` into `target`, a post of teacher
// `owner` (whose posts decide which subjects the target may not name).
void copypas_paste_into(UiTeachingPost& target, const UiTeachingPost& clip, int owner);

// What both panels share: the window made once on first use and then kept
// hidden until its owner shows it; Esc and Enter only hide it.
class CCopyPanel : public CDialogML {
 public:
  explicit CCopyPanel(int template_id) : CDialogML(template_id) {}
  // Makes the window the first time; 1 when it exists.
  int Create(kt::ui::Window* parent);
  bool IsCreated() const { return m_created; }
  bool Copied() const { return m_copied; }

 protected:
  void OnCancel() override;
  void OnOK() override {}
  void OnDestroy() override;

  bool m_copied = false;

 private:
  bool m_created = false;
};

class Ccopypas : public CCopyPanel {
 public:
  static constexpr int kTemplate = 268;
  static constexpr int kCopyId = 1001, kPasteId = 1002, kResetId = 1003, kPasteTeacherId = 1004,
                       kPasteEveryoneId = 1005, kCloseId = 1006;

  Ccopypas() : CCopyPanel(kTemplate) {}
  void ShowPanel(bool show);

  // Set by the owner page: the post the buttons work on (null: none) and
  // the teacher it belongs to.
  UiTeachingPost* m_current = nullptr;
  int m_teacher = -1;
  const UiTeachingPost& Clipboard() const { return m_clip; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  void OnCopy();
  void OnPaste();
  void OnReset();
  void OnPasteTeacher();
  void OnPasteEveryone();
  void DisablePaste();

  UiTeachingPost m_clip{};
  CColorButton m_buttons[5];
};

class Ccopysma : public CCopyPanel {
 public:
  static constexpr int kTemplate = 313;
  static constexpr int kCopyId = 1001, kPasteId = 1002, kCloseId = 1006;

  Ccopysma() : CCopyPanel(kTemplate) {}
  void ShowPanel(bool show);

  // Set by the owner page: the class (-1 none) and the calendar set
  // (0 normal, 1 provisional).
  int m_class = -1;
  int m_set = 0;
  // Read and cleared by the owner page after a paste.
  bool m_pasted = false;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  UiClassCalendar* Target();

  UiClassCalendar m_clip{};
  CColorButton m_buttons[2];
};

extern Ccopypas g_copypas;
extern Ccopysma g_copysma;
