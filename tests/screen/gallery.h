// The control gallery: one dialog that holds every control kind of the
// window core (statics, one-line and multi-line edits, a drop-down list, a
// list box, check, three-state and radio boxes in a group box, a report
// list with a coloured cell, a page-drawn panel with a gradient, a progress
// bar, an owner-drawn coloured button, push and default buttons and the size
// grip) on the light grey page background. The screen tests show it on the
// real backend and check a few pixels; the gallery program shows it to a
// person. The colours it is checked by are named here.
#pragma once

#include "platform/ui.h"

namespace kt::ui::gallery {

inline constexpr int kTemplateId = 9701;
inline constexpr int kNameEdit = 1001;
inline constexpr int kNotesEdit = 1002;
inline constexpr int kDayCombo = 1003;
inline constexpr int kMondayCheck = 1011;
inline constexpr int kTuesdayCheck = 1012;
inline constexpr int kMorningRadio = 1013;
inline constexpr int kAfternoonRadio = 1014;
inline constexpr int kRoomList = 1020;
inline constexpr int kClassList = 1021;
inline constexpr int kPanel = 1030;
inline constexpr int kProgress = 1040;
inline constexpr int kColourButton = 1050;

inline constexpr Color kPageBackground = rgb(244, 244, 244);
inline constexpr Color kColourButtonFace = rgb(225, 0, 0);
inline constexpr Color kMarkedCell = rgb(131, 255, 170);  // row 0, column 1 of the class list
inline constexpr Color kPanelTop = rgb(0, 51, 153);

void register_templates();

// A push button painted in one solid colour with white text.
class ColourButton : public Button {
 protected:
  bool DrawItem(DrawItemInfo& info) override;
};

// A plain window that the page draws itself: a vertical gradient.
class GradientPanel : public Window {
 public:
  void OnPaint(DeviceContext& dc) override;
};

// A report list whose row 0, column 1 is marked.
class MarkedList : public ListView {
 protected:
  bool OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) override;
};

class GalleryDialog : public Dialog {
 public:
  explicit GalleryDialog(Window* parent = nullptr) : Dialog(kTemplateId, parent) {}
  ColourButton colour_button;
  GradientPanel panel;
  MarkedList classes;

 protected:
  void DoDataExchange(DataExchange& dx) override;
  bool OnInitDialog() override;
};

}  // namespace kt::ui::gallery
