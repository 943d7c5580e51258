// The publishing question (see publish_dialog.h): its template and texts.
// The memo is one line; the dialog ends with kPublish, kWithdraw or cancel.
#include "remote/publish_dialog.h"

#include "platform/cp1252.h"

using namespace kt::ui;

namespace {

using P = Cpubblica;
constexpr std::uint32_t kButton = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", P::kPromptId, "Nota da pubblicare con l'orario (facoltativa):", 0, 8, 8, 284, 10},
    {"Edit", P::kMemoId, "", kEsAutoHScroll | kWsBorder | kWsTabStop, 8, 20, 284, 14},
    {"Button", P::kPublishId, "Pubblica l'orario", kButton, 8, 42, 140, 18},
    {"Button", P::kWithdrawId, "Ritira l'orario pubblicato", kButton, 152, 42, 140, 18},
    {"Static", P::kNoteId, "", 0, 8, 66, 284, 30},
    {"Button", kIdCancel, "[Esc] Annulla", kButton, 192, 100, 100, 16},
};
const DialogTemplate kTemplate = {Cpubblica::kTemplate, "Pubblica l'orario",
                                  kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 300, 122, kControls};

const MlText kTitle = {"Pubblica l'orario", "Stundenplan ver\xF6" "ffentlichen", "Publish the timetable"};
const MlText kPrompt = {"Nota da pubblicare con l'orario (facoltativa):",
                        "Notiz zur Ver\xF6" "ffentlichung des Stundenplans (freiwillig):",
                        "Note to publish with the timetable (optional):"};
const MlText kPublishText = {"Pubblica l'orario", "Stundenplan ver\xF6" "ffentlichen", "Publish the timetable"};
const MlText kWithdrawText = {"Ritira l'orario pubblicato", "Ver\xF6" "ffentlichten Stundenplan zur\xFC" "ckziehen",
                          "Withdraw the published timetable"};
const MlText kNote = {
    "Il file di pubblicazione si scrive nella cartella Orario della scuola; l'invio ai server di KestrinTempus "
    "non \xE8 disponibile in questa versione del programma.",
    "Die Ver\xF6" "ffentlichungsdatei wird im Ordner Orario der Schule geschrieben; das Senden an die Server von "
    "KestrinTempus ist in dieser Version des Programms nicht verf\xFCgbar.",
    "The publishing file is written into the school's Orario folder; sending it to the KestrinTempus servers is "
    "not available in this version of the program."};
const MlText kCancel = {"[Esc] Annulla", "[Esc] Abbrechen", "[Esc] Cancel"};

}  // namespace

void ui_register_publish_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

bool Cpubblica::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowText(kTitle.Get());
  const std::pair<int, const MlText*> captions[] = {{kPromptId, &kPrompt}, {kPublishId, &kPublishText},
                                                    {kWithdrawId, &kWithdrawText}, {kNoteId, &kNote},
                                                    {kIdCancel, &kCancel}};
  for (const auto& [id, text] : captions) SetDlgItemText(id, text->Get());
  if (auto* memo = dynamic_cast<Edit*>(GetDlgItem(kMemoId))) memo->SetLimitText(kMemoMax);
  SetDlgItemText(kMemoId, m_memo);
  GotoDlgCtrl(GetDlgItem(kMemoId));
  return false;
}

bool Cpubblica::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  if (command_code(w) == kBnClicked && (id == kPublishId || id == kWithdrawId)) {
    m_memo = GetDlgItemText(kMemoId);
    EndDialog(id == kPublishId ? kPublish : kWithdraw);
    return true;
  }
  return CDialogML::OnCommand(w, l);
}
