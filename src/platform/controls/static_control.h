// Static controls: text (left, centred, right, word-wrapped or not), bitmap
// and icon images from the program's resources (by id or name), filled and
// framed rectangles. Text and background colours come from the parent's
// colour request, so a page's own static classes (coloured, translated)
// answer them for themselves. With the notify style a click reaches the
// parent as STN_CLICKED.
#pragma once

#include <string>

#include "platform/window.h"

namespace kt::ui {

class StaticText : public Window {
 public:
  const char* ClassName() const override { return "Static"; }
  static constexpr int kStaticIdValue = -1;

  void SetBitmap(int resource, std::string_view name = {});
  int GetBitmap() const { return image_; }
  const std::string& ImageName() const { return image_name_; }
  void OnPaint(DeviceContext& dc) override;
  unsigned GetDlgCode(int) const override { return kStaticCode; }

 protected:
  void OnLButtonDown(Point p, unsigned mods) override;
  void OnLButtonDblClk(Point p, unsigned mods) override;

 private:
  int image_ = 0;
  std::string image_name_;
};

}  // namespace kt::ui
