// Dialog template of the configuration menu (137): five group frames with
// one icon button and one large button per step, the import buttons, the
// help buttons, the help pane and the summary list. Laid out for the
// frame's page area of 548 x 338 dialog units; template order is Tab order.
#include "platform/cp1252.h"
#include "structure/config_menu.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Button", Cmenu_confora::kFirstGroupId + 0, "Prima fase: struttura della scuola e cattedre", kBsGroupBox, 4, 4, 180, 238},
    {"Button", Cmenu_confora::kFirstGroupId + 1, "Seconda fase: vincoli", kBsGroupBox, 188, 4, 180, 86},
    {"Button", Cmenu_confora::kFirstGroupId + 2, "Criteri di calcolo", kBsGroupBox, 188, 92, 180, 116},
    {"Button", Cmenu_confora::kFirstGroupId + 3, "Controllo e riepilogo", kBsGroupBox, 372, 4, 172, 110},
    {"Button", Cmenu_confora::kFirstGroupId + 4, "Importare i dati", kBsGroupBox, 372, 118, 172, 90},
    {"Button", Cmenu_confora::kHowToFirst, "ac_ come fare", kOwner, 166, 14, 14, 12},
    {"Button", Cmenu_confora::kHowToSecond, "ac_ come fare", kOwner, 350, 14, 14, 12},
    {"Button", Cmenu_confora::kHowToCriteria, "ac_ come fare", kOwner, 350, 102, 14, 12},
    {"Button", Cmenu_confora::kHowToCheck, "ac_ come fare", kOwner, 526, 14, 14, 12},
    {"Button", Cmenu_confora::kReadHere, "Leggete qui!", kPush, 8, 14, 70, 12},
    {"Button", Cmenu_confora::kReadIcon, "ac_ leggete", kOwner, 80, 14, 14, 12},
    {"Button", Cmenu_confora::kFirstIconId + 0, "ac_1", kOwner, 8, 30, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 0, "Indirizzi di Studio, Sezioni e Calendario", kOwner, 24, 30, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 1, "ac_2", kOwner, 8, 49, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 1, "Sedi (Plessi), e Associa le Classi con i Plessi", kOwner, 24, 49, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 2, "ac_3", kOwner, 8, 68, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 2, "Dizionario Materie", kOwner, 24, 68, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 3, "ac_4", kOwner, 8, 87, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 3, "Laboratori ", kOwner, 24, 87, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 4, "ac_5", kOwner, 8, 106, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 4, "Palestre (e altri Locali Comuni)", kOwner, 24, 106, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 5, "ac_6a", kOwner, 8, 125, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 5, "Inserimento Iniziale di Professori e Cattedre", kOwner, 24, 125, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 6, "ac_6b", kOwner, 8, 144, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 6, "Modifica delle Cattedre per Classe\nGestione delle ore di Laboratorio /  Compresenza", kOwner, 24, 143, 140, 26},
    {"Button", Cmenu_confora::kFirstIconId + 7, "ac_6c", kOwner, 8, 170, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 7, "Modifica delle Cattedre per Insegnante\nModifica di Laboratori e Compresenze", kOwner, 24, 170, 140, 22},
    {"Button", Cmenu_confora::kFirstIconId + 8, "ac_riepilogo", kOwner, 8, 196, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 8, "RIEPILOGO Generale Cattedre", kOwner, 24, 196, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 9, "ac_7", kOwner, 192, 30, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 9, "Vincoli per le CATTEDRE e per le ore di insegnamento", kOwner, 208, 30, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 10, "ac_8", kOwner, 192, 49, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 10, "Vincoli PERSONALI per i Professori", kOwner, 208, 49, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 11, "ac_9", kOwner, 192, 68, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 11, "Vincoli SPECIALI per i Professori", kOwner, 208, 68, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 12, "ac_11", kOwner, 192, 104, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 12, "Distribuzione dell'insegnamento nella settimana", kOwner, 208, 104, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 13, "ac_12", kOwner, 192, 123, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 13, "Ore di servizio", kOwner, 208, 123, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 14, "ac_13", kOwner, 192, 142, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 14, "Uscite e rientri in classe", kOwner, 208, 142, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 15, "ac_14", kOwner, 192, 161, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 15, "Ore buche e ore a disposizione", kOwner, 208, 161, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 16, "ac_15", kOwner, 192, 180, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 16, "Deroghe alle ore di servizio e Parametri speciali", kOwner, 208, 180, 140, 18},
    {"Button", Cmenu_confora::kFirstIconId + 17, "ac_21", kOwner, 376, 30, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 17, "Professori con  I.T.P. (Laboratori) associati", kOwner, 392, 30, 132, 18},
    {"Button", Cmenu_confora::kFirstIconId + 18, "ac_23", kOwner, 376, 49, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 18, "Compresenze / Professori con Conversatori Lingue ", kOwner, 392, 49, 132, 18},
    {"Button", Cmenu_confora::kFirstIconId + 19, "ac_22", kOwner, 376, 68, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 19, "I.T.P. (Laboratori) ", kOwner, 392, 68, 132, 18},
    {"Button", Cmenu_confora::kFirstIconId + 20, "ac_24", kOwner, 376, 87, 14, 15},
    {"Button", Cmenu_confora::kFirstStepId + 20, "Conversatori Lingue (e Professori in compresenza)", kOwner, 392, 87, 132, 18},
    {"Button", Cmenu_confora::kSissi, "Importa da SISSI Axios", kOwner, 376, 130, 120, 18},
    {"Button", Cmenu_confora::kOrarioFacile, "Importa da Mathema ORARIO FACILE", kOwner, 376, 149, 120, 18},
    {"Button", Cmenu_confora::kSpreadsheet, "Importa da foglio excel (R) XLS", kOwner, 376, 168, 120, 18},
    {"Button", Cmenu_confora::kSissiCodes, "Correggi Codici SISSI Axios ", kOwner, 376, 187, 120, 18},
    {"Button", Cmenu_confora::kImportQuestion, "#Importare\ni dati ?", kOwner, 500, 130, 40, 34},
    {"Button", Cmenu_confora::kImportIcon, "ac_0", kOwner, 500, 168, 14, 12},
    {"Button", Cmenu_confora::kFirstStepId + 21, "Elaborazione", kOwner, 4, 248, 80, 16},
    {"Button", Cmenu_confora::kProcessingTextId, "e a questo punto potete generare un primo orario", kPush, 88, 248, 180, 16},
    {"Button", Cmenu_confora::kAdvice, "Consigli per casi particolari", kPush, 272, 248, 116, 16},
    {"Button", Cmenu_confora::kAdviceIcon, "ac_ consigli", kOwner, 392, 248, 14, 16},
    {"Button", Cmenu_confora::kServiceId, "@Split su N weeks - Solo Service Tools", kOwner, 188, 212, 180, 14},
    {"Edit", Cmenu_confora::kHelpId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 4, 268, 402, 66},
    {"ListBox", Cmenu_confora::kSummaryId, "", kWsBorder | kWsVScroll | kWsTabStop, 410, 212, 134, 122},
};

const DialogTemplate kTemplate = {Cmenu_confora::kTemplate, "Generale Configurazione", kWsChild, 0, 0, 548, 338,
                                  kControls};

}  // namespace

void ui_register_config_menu_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}
