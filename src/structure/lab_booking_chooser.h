// Cmanulab: the small modal chooser the timetable board opens when the user
// clicks one hour of a lab in the computed timetable ("Potete impegnare in
// questa ora il laboratorio con un docente:"). It lists the lessons placed
// at that day and hour, opens its list by itself, and ends as soon as the
// user chooses: a lesson's index, -1 for " Nessuno" (free the lab), -2 when
// the list closes without a choice, the focus leaves it, or on Esc or the
// bitmap button (leave the booking as it is).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/plain_buttons.h"

class Cmanulab : public CDialogML {
 public:
  static constexpr int kTemplate = 294;
  static constexpr int kTextId = 1401, kListId = 1402, kButtonId = 1403;
  static constexpr int kBitmap = 266;
  static constexpr kt::ui::WParam kOpenTimer = 29401;  // one shot, 133 ms after the start
  static constexpr int kNone = -1, kUnchanged = -2;

  explicit Cmanulab(kt::ui::Window* parent = nullptr) : CDialogML(kTemplate, parent) {}
  kt::ui::LResult DoModal() override;

  std::int8_t m_day = 0;
  std::int8_t m_hour = 0;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnTimer(kt::ui::WParam id) override;
  kt::ui::LResult WindowProc(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
  void OnCancel() override { EndDialog(kUnchanged); }

 private:
  std::vector<std::int32_t> m_lessons;  // the lesson of each item after the first
  CStaticML m_text;
  kt::ui::ComboBox m_list;
  CColorBitmap m_button;
};
