// Behaviour and template of the lab booking chooser (see
// lab_booking_chooser.h). A choice ends the dialog at once; the list closing
// or losing the focus ends it with "unchanged" only after the messages of
// that same user action are handled, so a choice made by closing the list
// on an item is never lost to the close itself (the first end wins).
#include "structure/lab_booking_chooser.h"

#include "engine/week_grid_access.h"
#include "platform/cp1252.h"
#include "shell/ml_text.h"

using namespace kt::ui;

namespace {

const MlText kNobody = {" Nessuno", " Keine", " None"};
constexpr std::uint32_t kMsgEndUnchanged = kMsgUser + 294;

const ControlTemplate kControls[] = {
    {"Static", Cmanulab::kTextId, "Potete impegnare in questa ora il laboratorio con un docente:", 0, 8, 6, 260, 10},
    {"ComboBox", Cmanulab::kListId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 8, 20, 260, 120},
    {"Button", Cmanulab::kButtonId, "Configurazione dell'Orario ", kBsPushButton | kBsBitmap | kWsTabStop, 272, 8, 40,
     26},
};
const DialogTemplate kChooserTemplate = {
    Cmanulab::kTemplate, "Laboratorio", kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 320, 40, kControls};

}  // namespace

LResult Cmanulab::DoModal() {
  if (find_dialog_template(kChooserTemplate.id) != &kChooserTemplate) register_dialog_template(kChooserTemplate);
  return CDialogML::DoModal();
}

void Cmanulab::DoDataExchange(DataExchange& dx) {
  dx.Control(kTextId, m_text);
  dx.Control(kListId, m_list);
  dx.Control(kButtonId, m_button);
}

bool Cmanulab::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_button.SetBitmapResource(kBitmap);
  m_list.ResetContent();
  m_lessons.clear();
  m_list.AddString(kNobody.Get());
  char text[160];
  for (int lesson = or_next_lesson_text_at_slot(0, m_day, m_hour, text); lesson >= 0;
       lesson = or_next_lesson_text_at_slot(1, m_day, m_hour, text)) {
    text[sizeof text - 1] = '\0';
    m_list.AddString(text);
    m_lessons.push_back(lesson);
  }
  SetTimer(kOpenTimer, 133);
  GotoDlgCtrl(&m_list);
  return false;
}

void Cmanulab::OnTimer(WParam id) {
  if (id != kOpenTimer) return;
  KillTimer(kOpenTimer);
  m_list.ShowDropDown(true);
}

bool Cmanulab::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (id == kListId && code == kCbnSelChange) {
    int item = m_list.GetCurSel();
    if (item < 0)
      EndDialog(kUnchanged);
    else if (item == 0)
      EndDialog(kNone);
    else if (std::size_t(item) <= m_lessons.size())
      EndDialog(m_lessons[std::size_t(item - 1)]);
    return true;
  }
  if (id == kListId && (code == kCbnCloseUp || code == kCbnKillFocus)) {
    PostMessage(kMsgEndUnchanged);
    return true;
  }
  if (id == kButtonId && code == kBnClicked) {
    EndDialog(kUnchanged);
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

LResult Cmanulab::WindowProc(std::uint32_t message, WParam w, LParam l) {
  if (message == kMsgEndUnchanged) {
    EndDialog(kUnchanged);
    return 0;
  }
  return CDialogML::WindowProc(message, w, l);
}
