// Two small dialogs of the toolkit: Czzempty, a plain list window that
// collects pairs of lines (one global instance, g_zzempty, whose window is
// made on demand by whoever wants to collect lines), and Cmemoverde, a
// notice with a picture and an OK button that its caller runs modally.
// Neither keeps state beyond its window; both are built once and shown
// rarely, so they hold nothing but their controls.
#pragma once

#include <string_view>

#include "shell/color_button.h"
#include "shell/dialog_ml.h"

class Czzempty : public CDialogML {
 public:
  static constexpr int kTemplate = 154;
  static constexpr int kListId = 1021;
  Czzempty() : CDialogML(kTemplate) {}
  // Appends two lines and shows the last one selected.
  void AddLinePair(std::string_view first, std::string_view second);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  kt::ui::ListBox m_list;
};

extern Czzempty g_zzempty;

class Cmemoverde : public kt::ui::Dialog {
 public:
  static constexpr int kTemplate = 298;
  static constexpr int kPictureId = 1580;
  static constexpr int kBitmap = 246;
  Cmemoverde() : Dialog(kTemplate) {}

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  CColorButton m_ok;
  kt::ui::StaticText m_picture;
};
