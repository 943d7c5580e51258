// Dialog template of the school page (139), built once from loops: the
// school name, 14 track rows (initial, name, short name, 26 section check
// buttons under letter headings), the calendar and option column on the
// right, and below them the sections list, the help pane and the class
// group. Laid out for the frame's page area of 548 x 338 dialog units;
// template order is Tab order.
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "structure/school_page.h"

using namespace kt::ui;

namespace {

using P = Cproscuola;
constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kField = kEsAutoHScroll | kWsBorder | kWsTabStop;
constexpr std::uint32_t kDrop = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kToggle = kBsAutoCheckBox | kBsPushLike | kWsTabStop;

constexpr const char* kLetters[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                      "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr const char* kDigits[9] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};

std::vector<ControlTemplate> build_controls() {
  std::vector<ControlTemplate> c;
  c.push_back({"Static", kStaticId, "Nome della Scuola:", 0, 4, 6, 64, 10});
  c.push_back({"Edit", P::kNameId, "", kField, 70, 4, 200, 12});
  c.push_back({"Button", P::kNameHelpId, "?", kOwner, 272, 4, 12, 12});
  c.push_back({"Button", P::kHowToId, "#Come  Procedere?", kOwner, 288, 4, 90, 12});
  c.push_back({"Static", kStaticId, "Denominazioni degli indirizzi:", 0, 4, 20, 106, 10});
  constexpr int kGridX = 112, kRowY = 32, kRowH = 11, kCell = 9;
  // Cells are 9 units apart and 8 wide, but W's is 9 wide for its letter, so
  // the letters after it sit one unit further right.
  auto cell_x = [&](int s) { return kGridX + s * kCell + (s > 22 ? 1 : 0); };
  auto cell_w = [](int s) { return s == 22 ? 9 : 8; };
  for (int s = 0; s < 26; ++s) c.push_back({"Static", kStaticId, kLetters[s], kSsCenter, cell_x(s), 22, cell_w(s), 9});
  for (int t = 0; t < P::kTracks; ++t) {
    int y = kRowY + t * kRowH;
    c.push_back({"Edit", P::kFirstInitialId + t, "", kEsReadOnly | kWsBorder, 4, y, 10, 10});
    c.push_back({"Edit", P::kFirstTrackNameId + t, "", kField, 16, y, 72, 10});
    c.push_back({"Edit", P::kFirstShortNameId + t, "", kField, 90, y, 20, 10});
    for (int s = 0; s < 26; ++s)
      c.push_back({"Button", P::section_id(t, s), kLetters[s], kToggle, cell_x(s), y, cell_w(s), 10});
  }
  constexpr int kRightX = 350;
  c.push_back({"Static", kStaticId, "Numero Indirizzi Esistenti:", 0, kRightX, 17, 100, 18});
  c.push_back({"ComboBox", P::kTrackCountId, "", kDrop, kRightX + 102, 20, 30, 120});
  c.push_back({"Button", P::kTracksHelpId, "?", kOwner, kRightX + 134, 20, 12, 12});
  c.push_back({"Button", P::kDeleteEmptyId, "Cancella Vuoti", kOwner, kRightX + 148, 20, 50, 12});
  c.push_back({"Button", P::kCalendarId, "Calendario", kOwner, kRightX, 36, 196, 94});
  c.push_back({"Static", kStaticId, "Giorno Corto:", 0, kRightX, 134, 100, 10});
  c.push_back({"ComboBox", P::kShortDayId, "", kDrop, kRightX + 120, 132, 40, 100});
  c.push_back({"Button", P::kShortDayHelpId, "?", kOwner, kRightX + 164, 132, 12, 12});
  c.push_back({"Static", kStaticId, "Le ore prolungate durano minuti:", 0, kRightX, 148, 118, 10});
  c.push_back({"ComboBox", P::kProlongedId, "", kDrop, kRightX + 120, 146, 40, 120});
  c.push_back({"Button", P::kProlongedHelpId, "?", kOwner, kRightX + 164, 146, 12, 12});
  c.push_back({"Button", P::kSpecialId,
               "Gestione delle Classi con calendario speciale\n(Sabato libero, Rientri pomeridiani)", kOwner, kRightX,
               162, 180, 22});
  c.push_back({"Button", P::kSpecialHelpId, "?", kOwner, kRightX + 184, 162, 12, 22});
  c.push_back({"Static", kStaticId, "NON DIMENTICATE DI SALVARE!", 0, kRightX, 188, 196, 10});
  c.push_back({"Button", P::kSaveId, "!SALVA le modifiche", kOwner, kRightX, 200, 96, 16});
  c.push_back({"Button", P::kAbandonId, "!ABBANDONA le modifiche", kOwner, kRightX + 100, 200, 96, 16});

  constexpr int kLowY = 192;
  c.push_back({"ListView", P::kSectionListId, "",
               kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsBorder | kWsTabStop, 4, kLowY, 338, 88});
  c.push_back({"Edit", P::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 4, kLowY + 92, 338,
               54});
  // The class group sits under the save buttons, beside the sections list.
  constexpr int kRY = 220;
  c.push_back({"Static", P::kKeyLabelId, "", 0, kRightX, kRY, 40, 10});
  c.push_back({"Button", P::kClassHelpId, "?", kOwner, kRightX + 184, kRY, 12, 12});
  c.push_back({"Static", kStaticId, "Abilita / Disabilita Classi della Sezione:", 0, kRightX, kRY + 12, 180, 10});
  for (int y = 0; y < P::kYears; ++y)
    c.push_back({"Button", P::kFirstYearId + y, kDigits[y], kToggle, kRightX + y * 21, kRY + 22, 19, 14});
  c.push_back({"Button", P::kQuickId, "(Tasto Rapido: Abilita tutte le Classi da 1 a 5)", kOwner, kRightX, kRY + 38,
               196, 14});
  c.push_back({"Button", P::kClassicalId, "Sezione di Ginnasio / Liceo Classico", kCheck, kRightX, kRY + 54, 196, 12});
  c.push_back({"Static", kStaticId, "Tipologia", 0, kRightX, kRY + 70, 50, 10});
  c.push_back({"ComboBox", P::kTypeId, "", kDrop, kRightX + 54, kRY + 68, 80, 50});
  c.push_back({"Button", P::kMoveId, "Cambia Sezione / Indirizzo di una Classe", kOwner, kRightX, kRY + 84, 196,
               16});
  return c;
}

const std::vector<ControlTemplate>& controls() {
  static const std::vector<ControlTemplate> table = build_controls();
  return table;
}

}  // namespace

void ui_register_school_page_template() {
  static const DialogTemplate page = {Cproscuola::kTemplate, "1 Configurazione Indirizzi sezioni", kWsChild, 0, 0,
                                      548, 338, controls()};
  if (find_dialog_template(page.id) != &page) register_dialog_template(page);
}
