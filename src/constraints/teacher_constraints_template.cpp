// Dialog template 152 of the teacher constraints page. Left: the teacher
// chooser, the posts list, the per-day table (minimum, maximum, no idle
// hours, hour of service, first and second choice of the free day) and the
// preferred bands with the presets. Middle: the forbidden-hours summary,
// the day limits, presence and lesson hours and their derogation tables.
// Right: full days, idle hours, rest, returns and the two options. Along
// the bottom: the help pane and the page buttons. Captions are Italian.
#include "constraints/teacher_constraints_page.h"
#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

using V = Cvipro;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kList = kCbsDropDownList | kWsVScroll | kWsTabStop;
constexpr std::size_t kCapacity = 300;

struct Builder {
  std::array<ControlTemplate, kCapacity> c{};
  std::size_t n = 0;
  constexpr void add(const char* cls, int id, const char* text, std::uint32_t style, int x, int y, int w, int h) {
    c[n++] = {cls, id, text, style, x, y, w, h};
  }
  constexpr void label(const char* text, int x, int y, int w) { add("Static", -1, text, 0, x, y + 2, w, 10); }
  constexpr void combo(int id, int x, int y, int w = 30) { add("ComboBox", id, "", kList, x, y, w, 56); }
  constexpr void help(int topic, int x, int y) { add("Button", V::kHelpIds + topic, "?", kPush, x, y, 12, 12); }
};

constexpr Builder build() {
  Builder b;
  // Teacher and posts.
  b.label("Professore", 8, 4, 40);
  b.add("ComboBox", V::kTeacherId, "", kList | kCbsSort, 50, 4, 150, 200);
  b.add("Button", V::kPreviousId, "<- Precedente", kPush, 204, 4, 56, 14);
  b.add("Button", V::kNextId, "Successivo ->", kPush, 262, 4, 56, 14);
  b.add("Static", V::kRareCaptionId, "", 0, 324, 4, 350, 18);
  b.add("ListView", V::kPostsId, "", kLvsReport | kLvsShowSelAlways | kWsTabStop | kWsBorder, 8, 22, 250, 66);
  b.label("Ora di Ricevimento", 262, 22, 80);
  b.add("Button", V::kReceptionId, "", kCheck, 344, 24, 12, 10);
  b.label("Ore a Disposizione", 262, 34, 80);
  b.add("Static", V::kStandbyId, "", 0, 344, 36, 16, 10);
  b.label("Sostegno", 262, 46, 80);
  b.add("Static", V::kSupportId, "", 0, 344, 48, 16, 10);
  b.add("Button", V::kFictitiousIds[0], "Docente fittizio privo di vincoli", kCheck, 262, 60, 148, 10);
  b.add("Button", V::kFictitiousIds[1], "Docente fittizio con vincoli controllati", kCheck, 262, 72, 148, 10);
  b.help(kVhFictitious, 412, 66);
  b.add("Static", V::kSpecialLabelId, "VINCOLI SPECIALI", 0, 262, 84, 100, 10);
  // Per-day table.
  b.label("Giorno", 8, 94, 60);
  for (int d = 0; d < 7; ++d) b.add("Static", V::kDayCaptionIds + d, "", 0, 122 + d * 32, 96, 28, 10);
  b.help(kVhPerDay, 348, 94);
  b.label("Minimo Ore", 8, 108, 110);
  b.label("Massimo Ore", 8, 122, 110);
  b.label("NO buche", 8, 136, 110);
  b.label("Deve essere in servizio all'ora", 8, 148, 110);
  b.add("Static", -1, "Giorni tra cui scegliere il\ngiorno libero settimanale", 0, 8, 161, 110, 16);
  b.label("Seconda scelta", 8, 176, 110);
  for (int d = 0; d < 7; ++d) {
    int x = 122 + d * 32;
    b.combo(3030 + d, x, 108);
    b.combo(3040 + d, x, 122);
    b.add("Button", V::kNoGapIds + d, "", kCheck, x + 8, 138, 12, 10);
    b.combo(3050 + d, x, 148);
    b.add("Button", V::kFreeDayIds + d, "", kCheck, x + 8, 164, 12, 10);
    b.add("Button", V::kSecondFreeDayIds + d, "", kCheck, x + 8, 178, 12, 10);
  }
  b.help(kVhFreeDay, 348, 162);
  b.help(kVhSecondFreeDay, 348, 176);
  // Preferred bands.
  b.label("Fasce Orarie Preferite", 8, 192, 120);
  b.help(kVhFirstBands, 130, 192);
  b.add("Static", -1, "Nella fascia tra l'Ora  PRIMA  e l'Ora ", 0, 8, 206, 158, 16);
  b.combo(3000, 168, 206);
  b.label("MINIMO", 200, 206, 46);
  b.combo(3001, 248, 206);
  b.combo(3002, 168, 220);
  b.label("MASSIMO", 200, 220, 46);
  b.combo(3003, 248, 220);
  for (int row = 0; row < 4; ++row) {
    int y = 236 + row * 16, id = 3004 + row * 3;
    if (row == 2)
      b.add("Static", -1, "Seconda fascia \nNella fascia tra l'Ora ", 0, 8, y, 86, 16);
    else
      b.label("Nella fascia tra l'Ora ", 8, y, 86);
    b.combo(id, 96, y);
    b.label("e l'Ora", 128, y, 38);
    b.combo(id + 1, 168, y);
    b.label(row % 2 ? "MASSIMO" : "MINIMO", 200, y, 46);
    b.combo(id + 2, 248, y);
  }
  b.help(kVhSecondBand, 282, 268);
  b.label("A cavallo dell'Ora", 8, 302, 86);
  b.combo(3016, 96, 302);
  b.label("MASSIMO", 200, 302, 46);
  b.combo(3017, 248, 302);
  b.help(kVhCavallo, 282, 302);
  b.label("Preferisce le", 8, 320, 50);
  b.add("Button", V::kPresetIds + 0, "Niente", kPush, 60, 318, 44, 14);
  b.add("Button", V::kPresetIds + 1, "PRIME Ore", kPush, 106, 318, 58, 14);
  b.add("Button", V::kPresetIds + 2, "ULTIME Ore", kPush, 166, 318, 58, 14);
  b.add("Button", V::kPresetIds + 3, "Bilanciato prime/ultime", kPush, 226, 318, 82, 14);
  b.help(kVhPresets, 310, 318);
  // Middle: forbidden hours, day limits, presence and lessons, derogations.
  b.add("Button", V::kForbiddenId, "Ore proibite per il proffe", kPush, 428, 28, 176, 160);
  b.help(kVhForbidden, 606, 28);
  b.label("L'orario deve distribuirsi su un numero di GIORNI compreso tra", 362, 192, 200);
  b.combo(3018, 564, 192, 28);
  b.label("e ", 594, 192, 38);
  b.combo(3019, 634, 192, 28);
  b.help(kVhDays, 664, 192);
  b.add("Static", -1, "Ore massime di Presenza\n in scuola (comprese buche)", 0, 362, 207, 110, 16);
  b.combo(3020, 474, 208);
  b.add("Static", -1, "Ore di\nLezione", 0, 506, 207, 36, 16);
  b.label("minime", 544, 206, 38);
  b.combo(3021, 584, 206);
  b.label("massime", 544, 220, 38);
  b.combo(3022, 584, 220);
  b.help(kVhPresenceLesson, 640, 208);
  b.label("Nel Giorno - Ore di Presenza e di Insegnamento in classe", 362, 236, 260);
  b.add("Button", V::kPresenceDerogationsId, "", kPush, 362, 250, 300, 44);
  b.help(kVhPresenceDerogations, 664, 250);
  b.add("Button", V::kLessonDerogationsId, "", kPush, 362, 298, 300, 44);
  b.help(kVhLessonDerogations, 664, 298);
  // Right: full days, idle hours, rest, returns, options.
  b.label("Giorni con ESATTAMENTE Ore", 680, 28, 100);
  b.combo(3060, 782, 28, 28);
  b.label("Minimo giorni:", 812, 28, 56);
  b.combo(3061, 870, 28);
  b.help(kVhExactDays, 902, 28);
  b.add("Static", -1, "Giorni PIENI tra la PRIMA Ora e la ", 0, 680, 44, 120, 16);
  b.combo(3062, 802, 44);
  b.combo(3063, 868, 44);
  b.label("Giorni PIENI tra l'Ora", 680, 62, 98);
  b.combo(3064, 780, 62, 28);
  b.label("e l'ULTIMA", 810, 62, 56);
  b.combo(3065, 868, 62);
  b.label("Giorni PIENI tra l'Ora", 680, 76, 98);
  b.combo(3066, 780, 76, 28);
  // A one-letter caption is never looked up in the caption tables: the page
  // writes this one in the user's language, room left for "und".
  b.add("Static", V::kFullDaysAndId, "e", 0, 810, 78, 18, 10);
  b.combo(3067, 830, 76, 28);
  b.combo(3068, 868, 76);
  b.help(kVhFullDays, 902, 44);
  b.label("Ore Buche in più per compensare vincoli onerosi"_cp, 680, 92, 170);
  b.combo(3069, 852, 92, 44);
  b.help(kVhExtraIdle, 902, 92);
  b.add("ComboBox", V::kMaxBudayId, "", kList, 680, 106, 216, 90);
  b.label("Ore Buche obbligatorie nella settimana", 680, 122, 170);
  b.combo(3070, 852, 122);
  b.help(kVhRequiredIdle, 902, 122);
  b.label("Riposo necessario", 680, 138, 70);
  b.label("dopo", 752, 138, 20);
  b.combo(3071, 774, 138);
  b.label("ore in classe", 808, 138, 92);
  b.help(kVhRest, 902, 138);
  b.label("Rientri pomeriggio", 680, 154, 70);
  b.label("Max", 752, 154, 20);
  b.combo(3072, 774, 154);
  b.help(kVhReturns, 902, 154);
  b.add("Button", V::kConsecutiveId, "Può vedere le classi in giorni consecutivi"_cp, kCheck, 680, 172, 216, 10);
  b.help(kVhConsecutive, 902, 170);
  b.add("Button", V::kReleaseId, "Svincolato da controllo lezioni ultime ore", kCheck, 680, 186, 216, 10);
  b.help(kVhRelease, 902, 184);
  // Bottom.
  b.add("Edit", V::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 8, 350, 640, 56);
  b.add("Button", V::kTestId, "PROVA l'orario del Professore", kPush, 680, 230, 216, 16);
  b.add("Button", V::kHiddenTestId, "PROVA", kPush, 680, 250, 216, 16);
  b.add("Button", V::kSaveId, "!SALVA", kPush, 680, 270, 106, 16);
  b.add("Button", V::kAbandonId, "!ABBANDONA", kPush, 790, 270, 106, 16);
  b.add("Button", V::kHowToId, "#Come fare?", kPush, 680, 290, 106, 16);
  b.add("Button", V::kAutoSaveId, "Salva senza conferma se cambiato", kCheck, 680, 312, 216, 10);
  b.help(kVhGeneral, 790, 290);
  return b;
}

constexpr std::size_t kControls = build().n;

constexpr std::array<ControlTemplate, kControls> make_controls() {
  Builder b = build();
  std::array<ControlTemplate, kControls> c{};
  for (std::size_t i = 0; i < kControls; ++i) c[i] = b.c[i];
  return c;
}

constexpr std::array<ControlTemplate, kControls> kControlsTable = make_controls();

const DialogTemplate kTemplates[] = {
    {V::kTemplate, "8 Vincoli Professori", kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 916, 412,
     kControlsTable},
};

}  // namespace

void ui_register_teacher_constraints_templates() {
  for (const DialogTemplate& t : kTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
