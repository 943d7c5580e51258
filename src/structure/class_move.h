// Ccanocla ("Cambia Sezione / Indirizzo"): moves one class of a section to
// another section and, in a school with several study tracks, to another
// track. Only the class code's section letter and track initial change;
// every lesson, constraint and calendar keeps the class by its index and
// so goes with it. The caller sets the section key (section letter, track
// initial or blank), runs the dialog and refreshes its views afterwards.
// Results: 555 after a move, Cancel after a confirmed abandon. Every
// refusal keeps the dialog open and the model unchanged.
#pragma once

#include <cstdint>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/help_pane.h"

class Ccanocla : public CDialogML {
 public:
  static constexpr int kTemplate = 239;
  static constexpr int kClassListId = 1500;
  static constexpr int kSectionListId = 1501;
  static constexpr int kTrackListId = 1502;
  static constexpr int kHelpId = 1503;
  static constexpr int kSaveId = 1504;
  static constexpr int kAbandonId = 1505;
  static constexpr int kMoved = 555;

  Ccanocla() : CDialogML(kTemplate) {}
  kt::ui::LResult DoModal() override;

  // The section whose classes are offered: its letter and track initial.
  char m_key_section = 'A';
  char m_key_track = ' ';

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  void OnClassChosen();
  void OnSectionChosen();
  void OnTrackChosen();
  void Save();

  std::int32_t m_class = -1;
  std::int8_t m_section = -1;
  std::uint8_t m_track = 255;
  std::int8_t m_track_index = 0;

  kt::ui::ComboBox m_classes, m_sections, m_tracks;
  CSpiegaML m_help;
  CColorButton m_save, m_abandon;
};
