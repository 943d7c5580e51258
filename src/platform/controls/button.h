// Buttons: push buttons (default, owner-drawn, push-like check and radio
// boxes), check boxes (two and three states), radio buttons and group boxes,
// all class "Button", told apart by the type bits of the style. A click
// (mouse, Space, Enter on a focused push button, or Click()) toggles the
// automatic kinds and sends BN_CLICKED to the parent; an owner-drawn button
// asks for its drawing through kMsgDrawItem, which it answers itself first
// when its class overrides DrawItem (coloured buttons), else its parent does.
#pragma once

#include "platform/window.h"

namespace kt::ui {

class Button : public Window {
 public:
  const char* ClassName() const override { return "Button"; }

  int GetCheck() const { return check_; }
  void SetCheck(int state);
  bool IsPushed() const { return pushed_; }
  void SetState(bool pushed);
  std::uint32_t GetButtonStyle() const { return GetStyle() & kBsTypeMask; }
  void SetBitmapResource(int resource) { bitmap_ = resource; Invalidate(); }

  void Click() override;
  unsigned GetDlgCode(int key) const override;
  void OnPaint(DeviceContext& dc) override;

 protected:
  LResult WindowProc(std::uint32_t message, WParam w, LParam l) override;
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnLButtonUp(Point p, unsigned mods) override;
  void OnLButtonDblClk(Point p, unsigned mods) override;
  void OnSetFocus(Window* old) override;
  void OnKillFocus(Window* next) override;
  void OnDestroy() override;

  // The owner-draw item state of the current look.
  std::uint32_t ItemState() const;

 private:
  bool IsCheckKind() const;
  bool IsRadioKind() const;
  // Whether Return would press this button now (outside a dialog: its style says).
  bool ShowsAsDefault() const;
  void PaintPush(DeviceContext& dc, bool pressed);
  void PaintCheck(DeviceContext& dc);
  void PaintGroup(DeviceContext& dc);

  int check_ = kBstUnchecked;
  bool pushed_ = false;
  bool double_clicked_ = false;
  int bitmap_ = 0;
};

}  // namespace kt::ui
