// CResizableDialog: the base of the frame, of every page the frame shows and
// of the other resizable dialogs. Its controls follow their anchors when the
// window's size changes, the window cannot be made smaller than it was
// after initialisation, a size grip sits in the bottom-right corner, and the
// background is one plain colour. The frame shows such a dialog as a page
// inside itself: it sets the page fields before creating it, and the page's
// initialisation calls FitIntoPageArea first, which drops the border and
// lays the page on the frame's page rectangle.
//
// Modal runs lock the frame's navigation around them through the frame
// hooks (set by the frame; none before it exists).
#pragma once

#include "platform/ui.h"
#include "shell/frame_hooks.h"
#include "shell/resizable_layout.h"

class CResizableDialog : public kt::ui::Dialog,
                         public CResizableLayout,
                         public CResizableGrip,
                         public CResizableMinMax,
                         public CResizableState {
 public:
  // A background of 0 gives white.
  explicit CResizableDialog(int template_id = 0, kt::ui::Window* parent = nullptr, kt::ui::Color background = 0);

  kt::ui::LResult DoModal() override;
  kt::ui::LResult DoModalCaptioned(bool lock_navigation);

  // Set by the frame before it creates the dialog as a page.
  void SetPageFields(std::uint32_t remove_style, std::uint32_t add_style, std::uint32_t swp_flags,
                     const kt::ui::Rect* target, bool repaint);
  void ClearPageFields() { m_page = false; m_target = nullptr; }
  bool IsPage() const { return m_page; }
  // First thing of a page's initialisation: borderless, on the page area.
  void FitIntoPageArea();
  // The frame's cancel callback, called with 1 on Cancel.
  void SetCancelCallback(void (*callback)(int)) { m_cancel_callback = callback; }

  // Called after every re-arrangement and position change; empty here.
  virtual void OnLayoutChanged() {}

  kt::ui::Window* GetLayoutWindow() const override { return const_cast<CResizableDialog*>(this); }
  bool IsInitialised() const { return m_initialised; }

 protected:
  bool OnCreate() override;
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnSize(int type, int cx, int cy) override;
  void OnMove(int x, int y) override;
  void OnDestroy() override;
  kt::ui::LResult WindowProc(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l) override;
  kt::ui::LResult OnGetMinMaxInfo(kt::ui::WParam, kt::ui::LParam l);

  bool m_modal = false;

 private:
  bool m_page = false;
  std::uint32_t m_page_remove = 0, m_page_add = 0, m_page_swp = 0;
  const kt::ui::Rect* m_target = nullptr;
  bool m_page_repaint = true;
  void (*m_cancel_callback)(int) = nullptr;
  bool m_initialised = false;
  bool m_captioned = false;
  bool m_clamping = false;

  KT_DECLARE_MESSAGE_MAP()
};
