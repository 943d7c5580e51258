// Dialog templates of the service-tools chooser (251) and the school-type
// chooser (232). Captions are the Italian ones of the program; the school
// type's check boxes and text are translated by their own controls.
// The service tools' captions are internal texts shown as they stand; the
// school type's are keys of the caption tables. Both are registered on
// first use, so a caller needs no start-up step.
#include "platform/cp1252.h"
#include "shell/small_choosers.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kPush = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;

const ControlTemplate kToolsControls[] = {
    {"Static", CSTools::kVersionId, "", 0, 6, 4, 80, 10},
    {"Button", CSTools::kForceReleaseId, "Forza release", kCheck, 200, 4, 80, 10},
    {"Button", 1031, "Esegui Importazione dati ricevuti da C:\\Tmp", kPush, 6, 18, 274, 12},
    {"Button", 1035, "Esegui Importazione dati ricevuti da C:\\VPS_server_data", kPush, 6, 32, 274, 12},
    {"Button", 1049, "Trasforma G:x in pmgy:x", kPush, 6, 46, 134, 12},
    {"Button", 1050, "Disabilita Service Tools", kPush, 146, 46, 134, 12},
    {"Button", 1051, "Leva fasce Min Max", kPush, 6, 60, 134, 12},
    {"Button", 1052, "Aggiusta Min Ore (se >2 , 2)", kPush, 146, 60, 134, 12},
    {"Button", 1037, "Togli ITP ZZ importato per errore (Suddividi docente con olte XX ore)", kPush, 6, 74, 274, 12},
    {"Button", 1039, "Leva Ricevimento", kPush, 6, 88, 134, 12},
    {"Button", 1040, "Raddoppia ore per primaria a mezze ore", kPush, 146, 88, 134, 12},
    {"Static", kStaticId, "Leva liberi", 0, 6, 104, 50, 10},
    {"Button", 1436, "Lu", kPush, 60, 102, 26, 12},
    {"Button", 1437, "Ma", kPush, 90, 102, 26, 12},
    {"Button", 1438, "Me", kPush, 120, 102, 26, 12},
    {"Button", 1439, "Gi", kPush, 150, 102, 26, 12},
    {"Button", 1440, "Ve", kPush, 180, 102, 26, 12},
    {"Button", 1441, "Sa", kPush, 210, 102, 26, 12},
    {"Button", 1442, "Do", kPush, 240, 102, 26, 12},
    {"Button", 1296, "leva OM", kPush, 6, 118, 134, 12},
    {"Button", 1297, "leva OV", kPush, 146, 118, 134, 12},
    {"Button", 1056, "Normalizza giorno libero per >= 18 ore", kPush, 6, 132, 274, 12},
    {"Button", 1032, "Leva Proib classe P", kPush, 6, 146, 134, 12},
    {"Button", 1041, "Leva Proib classe D", kPush, 146, 146, 134, 12},
    {"Button", 1054, "leva 1 ora (EDT)", kPush, 6, 160, 134, 12},
    {"Button", 1036, "Aggiungi QWEQWE ai vincoli personali", kPush, 146, 160, 134, 12},
    {"Button", 1053, "Metti in chiaro", kPush, 6, 174, 134, 12},
    {"Button", 1621, "@servizi solo debug!", kPush, 146, 174, 134, 12},
    {"Button", 1034, "Salva Alfabetico e metti in chiaro", kPush, 6, 188, 134, 12},
    {"Button", 1055, "No brentix", kPush, 146, 188, 134, 12},
    {"Button", 1043, "Ammetto 2 buche ai docenti su un solo plesso", kPush, 6, 202, 274, 12},
    {"Button", CSTools::kJollyId, "Jolly only debug", kPush, 6, 216, 134, 12},
    {"Button", CSTools::kUnusedId, "unused", kPush, 146, 216, 134, 12},
    {"Button", kIdCancel, "Cancel", kPush, 206, 232, 74, 14},
};

constexpr std::uint32_t kOwnerButton = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kTypeControls[] = {
    {"Static", Ctipode::kTextId, "Scegli il tipo di calendario e il livello della scuola", 0, 8, 6, 280, 10},
    {"Button", Ctipode::kChecks[0], "Scuola con insegnamento dal Lunedì al Venerdì, Sabato Libero"_cp, kCheck, 50, 22,
     240, 14},
    {"Button", Ctipode::kChecks[1], "Scuola con alcune Classi a tempo pieno per 5 giorni, e altre su 6 giorni", kCheck,
     50, 38, 240, 14},
    {"Button", Ctipode::kChecks[2], "Scuola con insegnamento mattutino per 6 giorni alla settimana", kCheck, 50, 54,
     240, 14},
    {"Button", Ctipode::kChecks[3], "Altro tipo di Calendario Settimanale", kCheck, 50, 70, 240, 14},
    {"Static", Ctipode::kPictureIds[0], "", kSsBitmap, 8, 22, 36, 60},
    {"Button", Ctipode::kChecks[4], "Scuola per Infanzia o Primaria o Elementare", kCheck, 50, 96, 240, 14},
    {"Button", Ctipode::kChecks[5], "Scuola Media o Superiore", kCheck, 50, 112, 240, 14},
    {"Static", Ctipode::kPictureIds[1], "", kSsBitmap, 8, 96, 36, 30},
    {"Button", kIdOk, "OK", kOwnerButton | kBsDefPushButton, 120, 134, 60, 16},
};

const DialogTemplate kChooserTemplates[] = {
    {CSTools::kTemplate, "(Service Tools - Internal Use)", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0,
     286, 252, kToolsControls},
    {Ctipode::kTemplate, "Tipologia della Scuola", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 300, 156,
     kTypeControls},
};

}  // namespace

void ui_register_chooser_templates() {
  for (const DialogTemplate& t : kChooserTemplates)
    if (find_dialog_template(t.id) != &t) register_dialog_template(t);
}
