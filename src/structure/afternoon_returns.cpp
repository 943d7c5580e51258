// Behaviour and template of the afternoon returns dialog (see
// afternoon_returns.h). The lunch break is the settings' four bytes: the
// break hour (0 none, k = the hour shown as k + 1), the shortest and the
// longest duration in hours and a fourth byte that this dialog only keeps.
// A break hour past the list's "11" (a hand-written file) gets an entry of
// its own, so it is shown and kept rather than shown as "-".
#include "structure/afternoon_returns.h"

#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "structure/afternoon_returns_question.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kDropList = kCbsDropDownList | kWsVScroll | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", kStaticId, "Gestione dei Rientri - La Pausa Mensa è all'Ora"_cp, 0, 8, 10, 170, 10},
    {"ComboBox", Cgerien::kHourId, "", kDropList, 180, 8, 30, 150},
    {"Static", kStaticId, "e può durare da Ore "_cp, 0, 8, 28, 80, 10},
    {"ComboBox", Cgerien::kMinId, "", kDropList, 90, 26, 30, 120},
    {"Static", kStaticId, "a Ore", 0, 126, 28, 30, 10},
    {"ComboBox", Cgerien::kMaxId, "", kDropList, 158, 26, 30, 120},
    {"Button", Cgerien::kHelpButtonId, "?", kOwner, 216, 8, 12, 12},
    {"Edit", Cgerien::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 8, 46, 280, 70},
    {"Button", Cgerien::kSaveId, "!SALVA le modifiche", kOwner, 8, 122, 130, 16},
    {"Button", Cgerien::kAbandonId, "!ABBANDONA le modifiche", kOwner, 158, 122, 130, 16},
};

const DialogTemplate kTemplate = {Cgerien::kTemplate, "Gestione Rientri",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 296, 146, kControls};

const MlText kHelp = {
    {"La gestione dei RIENTRI serve alle scuole che hanno il servizio Mensa, seguito da ore di lezione o da attività "
     "pomeridiane.\r\nIndicate l'ora del giorno in cui cade la Pausa Mensa: le ore senza lezione dell'insegnante "
     "intorno a quell'ora non sono contate come ore buche, perché l'insegnante è uscito e RIENTRA dopo la pausa.\r\n"
     "La durata della pausa può variare tra un minimo e un massimo di ore configurabili.\r\nIl numero massimo di "
     "rientri alla settimana di ciascun insegnante si imposta tra i suoi vincoli personali."_cp,
     "Die Verwaltung der NACHMITTAGE dient Schulen mit Mensa, auf die Unterricht oder Nachmittagsaktivitäten "
     "folgen.\r\nGeben Sie die Stunde der Mittagspause an: die unterrichtsfreien Stunden eines Lehrers um diese "
     "Stunde zählen nicht als Freistunden, weil der Lehrer gegangen ist und nach der Pause ZURÜCKKOMMT.\r\nDie Dauer "
     "der Pause kann zwischen einem Minimum und einem Maximum an Stunden liegen.\r\nDie höchste Zahl der Nachmittage "
     "pro Woche jedes Lehrers wird bei seinen persönlichen Bedingungen eingestellt."_cp,
     "Afternoon RETURNS are for schools with a canteen followed by lessons or afternoon activities.\r\nGive the "
     "hour of the day of the lunch break: a teacher's hours without lessons around that hour are not counted as "
     "gap hours, since the teacher has left the school and RETURNS after the break.\r\nThe break may last from a "
     "minimum to a maximum number of hours.\r\nThe weekly maximum of returns of each teacher is set among his "
     "personal constraints."}};

std::uint8_t* lunch() { return g_ui_settings.lunch_break; }

}  // namespace

void ui_register_afternoon_returns_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

LResult Cgerien::DoModal() {
  ui_register_afternoon_returns_template();
  return CDialogML::DoModal();
}

void Cgerien::DoDataExchange(DataExchange& dx) {
  dx.Control(kHourId, m_hour);
  dx.Control(kMinId, m_min);
  dx.Control(kMaxId, m_max);
  dx.Control(kHelpButtonId, m_help_button);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
}

bool Cgerien::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowTextML("Gestione Rientri");
  m_help.SetTextML(&kHelp);
  m_hours.Fill(m_hour, lunch()[0]);
  for (int h = 1; h <= 9; ++h) {
    m_min.AddString(std::to_string(h));
    m_max.AddString(std::to_string(h));
  }
  std::memcpy(m_opened_with, lunch(), sizeof m_opened_with);
  Refresh();
  GotoDlgCtrl(&m_save);
  return false;
}

void Cgerien::Refresh() {
  const std::uint8_t* l = lunch();
  m_hour.SetCurSel(m_hours.IndexOf(l[0]));
  m_min.SetCurSel(l[1] >= 1 && l[1] <= 9 ? l[1] - 1 : -1);
  m_max.SetCurSel(l[2] >= 1 && l[2] <= 9 ? l[2] - 1 : -1);
}

bool Cgerien::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (code == kCbnSelChange) {
    m_help.SetTextML(&kHelp);
    if (id == kHourId) OnHour();
    else if (id == kMinId) OnDuration(0);
    else if (id == kMaxId) OnDuration(1);
    return true;
  }
  if (code == kBnClicked) {
    switch (id) {
      case kHelpButtonId: m_help.SetTextML(&kHelp); return true;
      case kSaveId: EndDialog(kSaved); return true;
      case kAbandonId: OnCancel(); return true;
      default: break;
    }
  }
  return CDialogML::OnCommand(w, l);
}

void Cgerien::OnHour() {
  int k = m_hour.GetCurSel();
  if (k <= 0) {
    std::memset(lunch(), 0, 4);
  } else {
    lunch()[0] = std::uint8_t(m_hours.HourAt(k));
    if (lunch()[1] == 0) {  // the first time a break is set
      lunch()[1] = 1;
      lunch()[2] = 4;
      lunch_ask_afternoon_returns(lunch()[0]);
    }
  }
  Refresh();
}

void Cgerien::OnDuration(int which) {
  ComboBox& list = which == 0 ? m_min : m_max;
  int i = list.GetCurSel();
  if (lunch()[0] == 0) {
    list.SetCurSel(-1);
    GotoDlgCtrl(&m_hour);
    return;
  }
  if (i >= 0) lunch()[1 + which] = std::uint8_t(i + 1);
}

void Cgerien::OnOK() {
  if (GetFocus() == &m_save) EndDialog(kSaved);
}

void Cgerien::OnCancel() {
  if (ui_message_box_flags(g_abandon_question, kMbYesNo | kMbIconQuestion, kMbCursorBetween) != 6) return;
  std::memcpy(lunch(), m_opened_with, sizeof m_opened_with);
  EndDialog(kIdCancel);
}
