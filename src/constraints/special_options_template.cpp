// Dialog template 129 of the special options page: the options in their
// numbered order down the left (each with its "?"), the two exceptional-day
// table buttons and the teaching-weight button among them, and on the right
// the help pane, the save, abandon and "how to" buttons and the reminder.
// Captions are the Italian ones; the toolkit translates them.
#include "constraints/special_options.h"
#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

using S = Coraspec;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr int kControls = 27 + S::kCaptionCount + S::kHelpCount + 5;

constexpr int help(int n) { return S::kFirstHelpId + n; }
constexpr int caption(int n) { return S::kFirstCaptionId + n; }

constexpr std::array<ControlTemplate, kControls> make_controls() {
  std::array<ControlTemplate, kControls> c{};
  std::size_t n = 0;
  auto add = [&](const char* cls, int id, const char* text, std::uint32_t style, int x, int y, int w, int h) {
    c[n++] = {cls, id, text, style, x, y, w, h};
  };
  add("Static", caption(0),
      "15.1 - E' ammesso un giorno alla settimana con 2 ore buche\n                         (una a disposizione e "
      "una per il ricevimento)",
      0, 8, 6, 380, 18);
  add("Button", help(0), "?", kPush, 422, 6, 14, 12);
  add("Button", S::kAnyIdleId, "Anche per chi non ha ore a disposizione (o solo una)", kCheck, 20, 26, 360, 10);
  add("Button", S::kTwoIdleId, "Solo per insegnanti che hanno almeno 2 ore a disposizione", kCheck, 20, 38, 360, 10);
  add("Button", S::kContiguousId, "In ogni caso, le eventuali 2 ore buche devono essere contigue nella giornata",
      kCheck, 20, 50, 360, 10);
  add("Button", S::kAssistantId,
      "15.1.1 - Controlli didattici meno severi per insegnanti che hanno parte delle loro ore in compresenza", kCheck,
      8, 64, 380, 10);
  add("Button", help(1), "?", kPush, 422, 62, 14, 12);
  add("Button", S::kNoRestId,
      "15.1.2 - Non determinare automaticamente le buche supplementari necessarie per Riposo (vincoli Personali)",
      kCheck, 8, 78, 380, 10);
  add("Button", help(2), "?", kPush, 422, 76, 14, 12);
  add("Static", caption(1), "15.1.3 - Le ore Buche ammesse vengono aumentate delle ore a Disposizione MENO", 0, 8,
      94, 330, 10);
  add("ComboBox", S::kDeductionId, "", kList, 342, 92, 40, 100);
  add("Button", help(3), "?", kPush, 422, 92, 14, 12);
  add("Button", S::kExtraIds[0], "presex", kPush, 8, 108, 380, 54);
  add("Button", help(4), "?", kPush, 422, 108, 14, 12);
  add("Button", S::kExtraIds[1], "hidex", kPush, 8, 166, 380, 54);
  add("Button", help(5), "?", kPush, 422, 166, 14, 12);
  add("Button", S::kWeightId, "Configurazione del Peso Didattico come vincolo obbligatorio", kPush, 8, 224, 380, 14);
  add("Button", help(6), "?", kPush, 422, 224, 14, 12);
  add("Static", caption(2), "15.5 - Gestione dei Rientri - La Pausa Mensa è all'Ora"_cp, 0, 8, 244, 200, 10);
  add("ComboBox", S::kLunchHourId, "", kList, 210, 242, 28, 120);
  add("Static", caption(3), "e può durare da Ore "_cp, 0, 240, 244, 80, 10);
  add("ComboBox", S::kLunchMinId, "", kList, 322, 242, 26, 120);
  add("Static", caption(4), "a Ore ", 0, 350, 244, 40, 10);
  add("ComboBox", S::kLunchMaxId, "", kList, 392, 242, 26, 120);
  add("Button", help(7), "?", kPush, 422, 242, 14, 12);
  add("Static", caption(5), "15.5.1 - Dopo il rientro ci devono essere almeno ore di lezione", 0, 8, 260, 330, 10);
  add("ComboBox", S::kAfterReturnId, "", kList, 342, 258, 40, 100);
  add("Button", help(8), "?", kPush, 422, 258, 14, 12);
  add("Static", caption(7), "15.5.1 - Le Classi possono avere rientri pomeridiani", 0, 8, 274, 330, 10);
  add("ComboBox", S::kClassReturnsId, "", kList, 342, 272, 40, 100);
  add("Button", help(13), "?", kPush, 422, 272, 14, 12);
  add("Button", S::kNoBuildingChangeId, "15.5.2 - Pausa mensa non conta come cambio plesso nel giorno", kCheck, 8,
      288, 380, 10);
  add("Static", caption(6), "15.61 - Ogni ora del calendario deve avere almeno ore di compresenza (scuola primaria)",
      0, 8, 304, 330, 10);
  add("ComboBox", S::kCoTeachingId, "", kList, 342, 302, 40, 100);
  add("Button", help(9), "?", kPush, 422, 302, 14, 12);
  add("Static", caption(8), "15.62 - Evitare lezioni di una sola unità oraria (scuola primaria)"_cp, 0, 8, 318, 230, 10);
  add("ComboBox", S::kSingleUnitId, "", kList, 242, 316, 140, 100);
  add("Button", help(10), "?", kPush, 422, 316, 14, 12);
  add("Button", S::kHalfHourId, "15.63 Calare disposizioni se ore prolungate (scuola primaria)", kCheck, 8, 332, 380, 10);
  add("Button", help(11), "?", kPush, 422, 330, 14, 12);
  add("Button", S::kSatMonIds[0], "15.7 - Nessuna classe può essere vista soltanto al Sabato e Lunedì"_cp, kCheck, 8, 346, 250, 10);
  add("Button", S::kSatMonIds[1], "al Venerdì e Lunedì"_cp, kCheck, 262, 346, 120, 10);
  add("Button", S::kSatMonIds[2], "al Venerdì + Sabato, e Lunedì"_cp, kCheck, 130, 358, 128, 10);
  add("Button", S::kSatMonIds[3], "al Sabato e Lunedì + Martedì"_cp, kCheck, 262, 358, 126, 10);
  add("Button", help(12), "?", kPush, 422, 346, 14, 12);
  add("Static", caption(9), "Parametri tecnici", 0, 8, 378, 100, 10);
  add("Button", help(14), "?", kPush, 110, 376, 14, 12);
  add("Static", caption(10), "15.91 - Professori molto difficili %", 0, 8, 392, 120, 10);
  add("ComboBox", S::kDifficultId, "", kList, 130, 390, 44, 30);
  add("Static", caption(11), "15.92 - Metodo a fasi", 0, 180, 392, 78, 10);
  add("ComboBox", S::kPhaseId, "", kList, 260, 390, 136, 30);
  add("Button", S::kMpoId, "15.93 mPO", kCheck, 8, 408, 60, 10);
  add("Static", caption(12), "15.94 Cambio lezione ammesso dopo ora", 0, 72, 408, 134, 10);
  add("Edit", S::kChangeAfterId, "", kWsBorder | kWsTabStop, 208, 406, 90, 12);
  add("Button", S::kNoicId, "15.95 NoIC", kCheck, 302, 408, 80, 10);
  add("Edit", S::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 446, 6, 196, 280);
  add("Button", S::kSaveId, "!SALVA le modifiche", kPush, 446, 292, 196, 16);
  add("Static", S::kReminderId, "Non dimenticate di SALVARE!", 0, 446, 312, 196, 10);
  add("Button", S::kAbandonId, "!ABBANDONA le modifiche", kPush, 446, 328, 196, 16);
  add("Button", S::kHowToId, "#Come  Procedere?", kPush, 446, 350, 196, 16);
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kTemplates[] = {
    {S::kTemplate, "Parametri Speciali", kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 650, 422,
     kControlsTable},
};

}  // namespace

void ui_register_special_options_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
