// Dialog template 138 of the general-parameter pages: the page title, eight
// rows of a band-table summary button with its "?", the two exceptional-day
// table buttons (placed over the last two rows, which the page that shows
// them does not use), and on the right the help pane, the save, abandon and
// "how to" buttons and the save reminder. Captions are the Italian ones.
#include "constraints/param_pages.h"

using namespace kt::ui;

namespace {

using P = Corapage;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr int kControls = 1 + 2 * P::kSlots + 4 + 5;

constexpr std::array<ControlTemplate, kControls> make_controls() {
  std::array<ControlTemplate, kControls> c{};
  std::size_t n = 0;
  constexpr const char* kBandCaptions[P::kSlots] = {"BHQPG0", "BHQPG1", "BHQPG2", "BHQPG3",
                                                    "BHQPG4", "BHQPG5", "BHQPG6", "BHQPG7"};
  c[n++] = {"Static", P::kTitleId, "Parametri Generali", 0, 8, 6, 436, 12};
  for (int k = 0; k < P::kSlots; ++k) {
    c[n++] = {"Button", P::kFirstBandId + k, kBandCaptions[k], kPush, 8, 24 + k * 44, 420, 42};
    c[n++] = {"Button", P::kFirstHelpId + k, "?", kPush, 430, 24 + k * 44, 14, 14};
  }
  c[n++] = {"Button", P::kExtraIds[0], "presex", kPush, 8, 288, 420, 54};
  c[n++] = {"Button", P::kExtraHelpIds[0], "?", kPush, 430, 288, 14, 14};
  c[n++] = {"Button", P::kExtraIds[1], "hidex", kPush, 8, 346, 420, 54};
  c[n++] = {"Button", P::kExtraHelpIds[1], "?", kPush, 430, 346, 14, 14};
  c[n++] = {"Edit", P::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 452, 24, 160, 250};
  c[n++] = {"Button", P::kSaveId, "!SALVA le modifiche", kPush, 452, 282, 160, 16};
  c[n++] = {"Static", P::kReminderId, "Non dimenticate di SALVARE!", 0, 452, 302, 160, 10};
  c[n++] = {"Button", P::kAbandonId, "!ABBANDONA le modifiche", kPush, 452, 318, 160, 16};
  c[n++] = {"Button", P::kHowToId, "#Come  Procedere?", kPush, 452, 340, 160, 16};
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kTemplates[] = {
    {P::kTemplate, "Parametri Generali", kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 620, 408,
     kControlsTable},
};

}  // namespace

void ui_register_param_page_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
