// Progress bars and the size grip. A progress bar shows a position within a
// range as a filled part of its face; stepping past the end starts again
// from the low end, as the processing pages expect of a bar that counts
// cycles. The size grip (class "ScrollBar" with the size-grip style) draws
// the three diagonal ridges in the bottom-right corner of a resizable
// dialog; resizing itself is the backend's (the window frame's).
#pragma once

#include "platform/window.h"

namespace kt::ui {

class ProgressBar : public Window {
 public:
  const char* ClassName() const override { return "ProgressBar"; }
  void SetRange(int low, int high);
  void GetRange(int& low, int& high) const { low = low_; high = high_; }
  int SetPos(int pos);  // returns the previous position
  int GetPos() const { return pos_; }
  int OffsetPos(int delta) { return SetPos(pos_ + delta); }
  void SetBarColor(Color c) { bar_ = c; Invalidate(); }
  void SetBkColor(Color c) { back_ = c; Invalidate(); }
  void OnPaint(DeviceContext& dc) override;

 protected:
  void OnDestroy() override;

 private:
  int low_ = 0, high_ = 100, pos_ = 0;
  Color bar_ = kHighlightColor;
  Color back_ = kButtonFaceColor;
};

class SizeGrip : public Window {
 public:
  const char* ClassName() const override { return "ScrollBar"; }
  bool Create(Window* parent, int size);
  void OnPaint(DeviceContext& dc) override;
};

}  // namespace kt::ui
