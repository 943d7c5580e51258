// The resizable dialog (see resizable_dialog.h). The minimum track size is
// the window size after initialisation. A backend that asks the window for
// its track sizes (the minimum/maximum information message) keeps the user
// from dragging below it; a size that arrives below it anyway is clamped
// here, so the dialog never lays its controls out in less room than its
// template gave them.
#include "shell/resizable_dialog.h"

#include "shell/caption_translation.h"

using namespace kt::ui;

FrameHooks g_frame_hooks;

namespace {
constexpr int kSizeMaxShow = 3, kSizeMaxHide = 4;

// Changes a top-level window's style and sizes the window so that its
// client area stays as it was (a caption added must not eat the bottom of
// the dialog).
void restyle_keeping_client(Window& w, std::uint32_t remove, std::uint32_t add) {
  Rect client = w.GetClientRect();
  w.ModifyStyle(remove, add);
  if (w.GetParent()) return;
  Rect now = w.GetClientRect();
  if (now == client) return;
  Rect r = w.GetWindowRect();
  w.MoveWindow(Rect{r.left, r.top, r.right + client.Width() - now.Width(), r.bottom + client.Height() - now.Height()});
}
}  // namespace

KT_BEGIN_MESSAGE_MAP(CResizableDialog, kt::ui::Dialog)
  KT_ON_MESSAGE(kMsgGetMinMaxInfo, OnGetMinMaxInfo)
KT_END_MESSAGE_MAP()

CResizableDialog::CResizableDialog(int template_id, Window* parent, Color background) : Dialog(template_id, parent) {
  SetBackgroundColor(background == 0 ? rgb(255, 255, 255) : background);
}

LResult CResizableDialog::DoModal() {
  if (g_frame_hooks.lock_navigation) g_frame_hooks.lock_navigation(0);
  m_modal = true;
  LResult result = Dialog::DoModal();
  m_modal = false;
  if (g_frame_hooks.unlock_navigation) g_frame_hooks.unlock_navigation(1);
  return result;
}

LResult CResizableDialog::DoModalCaptioned(bool lock_navigation) {
  m_captioned = true;
  if (lock_navigation && g_frame_hooks.lock_navigation) g_frame_hooks.lock_navigation(0);
  m_modal = true;
  LResult result = Dialog::DoModal();
  m_modal = false;
  m_captioned = false;
  if (lock_navigation && g_frame_hooks.unlock_navigation) g_frame_hooks.unlock_navigation(1);
  return result;
}

void CResizableDialog::SetPageFields(std::uint32_t remove_style, std::uint32_t add_style, std::uint32_t swp_flags,
                                     const Rect* target, bool repaint) {
  m_page = true;
  m_page_remove = remove_style;
  m_page_add = add_style;
  m_page_swp = swp_flags;
  m_target = target;
  m_page_repaint = repaint;
}

void CResizableDialog::FitIntoPageArea() {
  if (!m_page || !IsWindow()) return;
  ModifyStyle(m_page_remove, m_page_add);
  if (m_target) MoveWindow(*m_target, m_page_repaint);
}

bool CResizableDialog::OnCreate() {
  // A top-level dialog gets a thick frame instead of the modal frame; a
  // child page keeps its child style (the core decides that at creation).
  if (!GetParent()) restyle_keeping_client(*this, kDsModalFrame, kWsThickFrame);
  return Dialog::OnCreate();
}

bool CResizableDialog::OnInitDialog() {
  if (m_captioned) restyle_keeping_client(*this, 0, kWsCaption | kWsSysMenu);
  bool focus = Dialog::OnInitDialog();
  if (m_captioned) {
    restyle_keeping_client(*this, 0, kWsCaption | kWsSysMenu);
    // A page shows no title bar; opened as a window of its own it does, in
    // the user's language. Looked up once here, never again on a paint.
    SetWindowText(ui_translate_caption_copy(GetWindowText(), g_ml_dialog_titles));
  }
  CreateSizeGrip(this);
  Rect r = GetWindowRect();
  SetMinimumSize({r.Width(), r.Height()});
  UpdateGripPos();
  m_initialised = true;
  return focus;
}

// The template lays the controls out for the dialog's own size, whatever
// rectangle the window was created on: a page goes straight onto the
// frame's page area, the whole screen when the frame is maximised. So the
// initialisation anchors them against the template's size, and once it is
// done they are arranged for the size the window has. Anchored against
// the maximised size instead, the controls would not grow until the next
// resize, and restoring the frame would take the whole difference off the
// growing ones.
LResult CResizableDialog::WindowProc(std::uint32_t message, WParam w, LParam l) {
  if (message != kMsgInitDialog) return Dialog::WindowProc(message, w, l);
  const DialogTemplate* t = GetTemplate();
  m_laid_out_size = t ? dialog_template_client_size(*t) : Size{};
  LResult result = Dialog::WindowProc(message, w, l);
  Size laid_out = m_laid_out_size;
  m_laid_out_size = {};
  Rect client = GetLayoutClientRect();
  if (IsWindow() && m_initialised && (client.Width() != laid_out.cx || client.Height() != laid_out.cy)) {
    UpdateGripPos();
    ArrangeLayout();
    OnLayoutChanged();
  }
  return result;
}

void CResizableDialog::OnCancel() {
  if (m_cancel_callback) m_cancel_callback(1);
  Dialog::OnCancel();
}

void CResizableDialog::OnSize(int type, int cx, int cy) {
  if (type == kSizeMaxShow || type == kSizeMaxHide || !m_initialised) return;
  if (!GetParent() && !m_clamping) {
    Rect r = GetWindowRect();
    Size held = ClampTrackSize({r.Width(), r.Height()});
    if (held.cx != r.Width() || held.cy != r.Height()) {
      m_clamping = true;
      MoveWindow(Rect{r.left, r.top, r.left + held.cx, r.top + held.cy});
      m_clamping = false;
      return;
    }
  }
  UpdateGripPos();
  ArrangeLayout();
  OnLayoutChanged();
}

void CResizableDialog::OnMove(int x, int y) {
  Dialog::OnMove(x, y);
  OnLayoutChanged();
}

void CResizableDialog::OnDestroy() {
  RemoveAllAnchors();
  m_initialised = false;
  Dialog::OnDestroy();
}

LResult CResizableDialog::OnGetMinMaxInfo(WParam, LParam l) {
  if (m_initialised && l) FillMinMaxInfo(*reinterpret_cast<MinMaxInfo*>(l));
  return 0;
}
