// Dialog template of the buildings page (141), built once from loops: on
// the left the building rows (name, no-transfer box, three reachable
// buildings each with its hour) and the transfer minutes; on the right the
// rotation half (class list, group, break hours); the help pane and the
// save buttons below. Laid out for the frame's page area of 548 x 338
// dialog units; template order is Tab order.
#include <vector>

#include "platform/cp1252.h"
#include "structure/buildings_page.h"

using namespace kt::ui;

namespace {

using P = Cplessi;
constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kField = kEsAutoHScroll | kWsBorder | kWsTabStop;
constexpr std::uint32_t kDrop = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;

std::vector<ControlTemplate> build_controls() {
  std::vector<ControlTemplate> c;
  c.push_back({"Button", P::kHowToId, "#Come  Procedere?", kOwner, 4, 2, 70, 12});
  c.push_back({"Button", P::kStaticHelpId,
               "Gestione di più Plessi con Classi assegnate staticamente al loro Plesso"_cp, kOwner, 78, 2, 300, 12});
  c.push_back({"Static", kStaticId, "Numero Plessi Esistenti", 0, 4, 16, 84, 18});
  c.push_back({"ComboBox", P::kCountId, "", kDrop, 90, 18, 30, 120});
  c.push_back({"Button", P::kNamesHelpId, "?", kOwner, 122, 18, 12, 12});
  c.push_back({"Static", kStaticId, "Denominazioni dei plessi", 0, 4, 52, 80, 10});
  c.push_back({"Button", P::kNoTransferHelpId, "Spostamento NON ammesso nella giornata", kOwner, 86, 36, 50, 26});
  c.push_back({"Button", P::kReachableHelpId, "Plesso raggiungibile SENZA ORA BUCA nell'intervallo", kOwner, 138,
               48, 196, 12});
  c.push_back({"Static", kStaticId, "DOPO l'ora", 0, 336, 44, 50, 18});
  for (int b = 0; b < P::kBuildings; ++b) {
    int y = 64 + b * 13;
    c.push_back({"Edit", P::kFirstNameId + b, "", kField, 4, y, 84, 11});
    c.push_back({"Button", P::kFirstNoTransferId + b, "", kCheck, 104, y, 12, 11});
    for (int s = 0; s < P::kSlots; ++s) {
      int x = 120 + s * 86;
      c.push_back({"ComboBox", P::reachable_id(b, s), "", kDrop, x, y, 56, 120});
      c.push_back({"ComboBox", P::hour_id(b, s), "", kDrop, x + 57, y, 28, 120});
    }
  }
  c.push_back({"Static", kStaticId,
               "Il passaggio di Plesso può avvenire senza Ora vuota se tra un'ora e l'altra ci sono almeno minuti"_cp,
               0, 4, 196, 250, 18});
  c.push_back({"Static", kStaticId, "Min", 0, 258, 198, 16, 10});
  c.push_back({"ComboBox", P::kMinId, "", kDrop, 276, 196, 34, 120});
  c.push_back({"Static", kStaticId, "Max", 0, 314, 198, 16, 10});
  c.push_back({"ComboBox", P::kMaxId, "", kDrop, 332, 196, 34, 120});
  c.push_back({"Button", P::kMinutesHelpId, "?", kOwner, 368, 196, 12, 12});
  c.push_back({"Button", P::kAssociateId, "Associazione delle Classi ai Plessi ", kOwner, 4, 216, 180, 16});

  constexpr int kRightX = 388;
  c.push_back({"Button", P::kRotationHelpId, "Gestione di due Plessi con rotazione delle Classi nel Plesso disagiato",
               kOwner, kRightX, 2, 156, 22});
  c.push_back({"ListView", P::kClassListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, kRightX, 28,
               156, 104});
  c.push_back({"Static", kStaticId, "Gruppo di rotazione", 0, kRightX, 138, 70, 10});
  c.push_back({"ComboBox", P::kGroupId, "", kDrop, kRightX + 72, 136, 30, 150});
  c.push_back({"Button", P::kGroupsHelpId, "?", kOwner, kRightX + 104, 136, 12, 12});
  c.push_back({"Button", P::kNoRotationId, "La Classe\nNON RUOTA", kOwner, kRightX + 72, 150, 84, 18});
  c.push_back({"Static", kStaticId, "Non serve l'ora buca nell'intervallo, ossia DOPO l'ora"_cp, 0, kRightX, 170, 156,
               18});
  constexpr const char* kOr[4] = {"", "oppure", "oppure", "oppure"};
  for (int k = 0; k < 4; ++k) {
    int x = kRightX + k * 39;
    if (k) c.push_back({"Static", kStaticId, kOr[k], 0, x, 190, 36, 9});
    c.push_back({"ComboBox", P::kFirstRotationHourId + k, "", kDrop, x, 200, 37, 120});
  }
  c.push_back({"Edit", P::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 4, 236, 540, 76});
  c.push_back({"Static", kStaticId, "NON DIMENTICATE DI SALVARE!", 0, 4, 320, 120, 10});
  c.push_back({"Button", P::kSaveId, "!SALVA le modifiche", kOwner, 130, 316, 110, 16});
  c.push_back({"Button", P::kAbandonId, "!ABBANDONA le modifiche", kOwner, 250, 316, 110, 16});
  return c;
}

const std::vector<ControlTemplate>& controls() {
  static const std::vector<ControlTemplate> table = build_controls();
  return table;
}

}  // namespace

void ui_register_buildings_page_template() {
  static const DialogTemplate page = {Cplessi::kTemplate, "2 Plessi", kWsChild, 0, 0, 548, 338, controls()};
  if (find_dialog_template(page.id) != &page) register_dialog_template(page);
}
