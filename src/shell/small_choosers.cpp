// Behaviour of the service-tools and school-type choosers (see
// small_choosers.h). The service tools end with the code of the button
// pressed; the school type lets one box per group be checked, as radio
// buttons would, and refuses OK with a beep until both groups have one.
// Neither keeps anything between runs but the service tools' process
// flag.
#include "shell/small_choosers.h"

#include "shell/message_box.h"

using namespace kt::ui;

int g_force_release = 0;

namespace {

struct ToolCode {
  int control;
  int code;
};

constexpr ToolCode kToolCodes[] = {
    {1031, 171010}, {1035, 171011}, {1049, 17102}, {1050, 17103}, {1051, 17104}, {1052, 17105},
    {1037, 17106},  {1039, 17107},  {1040, 17108}, {1436, 17110}, {1437, 17111}, {1438, 17112},
    {1439, 17113},  {1440, 17114},  {1441, 17115}, {1442, 17116}, {1296, 17121}, {1297, 17122},
    {1056, 17131},  {1032, 17141},  {1041, 17142}, {1054, 17181}, {1036, 17190}, {1053, 17191},
    {1621, 17192},  {1034, 17193},  {1055, 17201}, {1043, 17203},
};

}  // namespace

// ---- service tools ----

CSTools::CSTools(Window* parent) : Dialog(kTemplate, parent) {}

LResult CSTools::DoModal() {
  ui_register_chooser_templates();
  return Dialog::DoModal();
}

int CSTools::CodeOf(int control_id) {
  for (const ToolCode& t : kToolCodes)
    if (t.control == control_id) return t.code;
  return 0;
}

bool CSTools::OnInitDialog() {
  Dialog::OnInitDialog();
  SetDlgItemText(kVersionId, kVersion);
  CheckDlgButton(kForceReleaseId, g_force_release ? kBstChecked : kBstUnchecked);
  return true;
}

bool CSTools::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  if (command_code(w) != kBnClicked) return Dialog::OnCommand(w, l);
  if (id == kForceReleaseId) {
    g_force_release = IsDlgButtonChecked(kForceReleaseId) == kBstChecked ? 1 : 0;
    return true;
  }
  if (id == kJollyId) {
    ui_message_box("Only debug, special code for this call");
    return true;
  }
  if (id == kUnusedId) return true;
  if (int code = CodeOf(id)) {
    EndDialog(code);
    return true;
  }
  return Dialog::OnCommand(w, l);
}

// ---- school type ----

Ctipode::Ctipode(Window* parent) : CDialogML(kTemplate, parent) {}

LResult Ctipode::DoModal() {
  ui_register_chooser_templates();
  return CDialogML::DoModal();
}

void Ctipode::DoDataExchange(DataExchange& dx) {
  dx.Control(kIdOk, m_ok);
  for (int i = 0; i < 6; ++i) dx.Control(kChecks[i], m_checks[i]);
  for (int i = 0; i < 2; ++i) dx.Control(kPictureIds[i], m_pictures[i]);
  dx.Control(kTextId, m_text);
}

bool Ctipode::OnInitDialog() {
  CDialogML::OnInitDialog();
  for (int i = 0; i < 2; ++i) m_pictures[i].SetBitmap(kPictures[i]);
  return true;
}

bool Ctipode::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  if (command_code(w) == kBnClicked) {
    for (int i = 0; i < 6; ++i) {
      if (kChecks[i] != id) continue;
      if (m_checks[i].GetCheck() == kBstChecked) {
        int first = i < 4 ? 0 : 4, last = i < 4 ? 3 : 5;
        for (int k = first; k <= last; ++k)
          if (k != i) m_checks[k].SetCheck(kBstUnchecked);
      }
      return true;
    }
  }
  return CDialogML::OnCommand(w, l);
}

void Ctipode::OnOK() {
  int calendar = -1, level = -1;
  for (int i = 0; i < 4 && calendar < 0; ++i)
    if (m_checks[i].GetCheck() == kBstChecked) calendar = i;
  for (int i = 4; i < 6 && level < 0; ++i)
    if (m_checks[i].GetCheck() == kBstChecked) level = i;
  if (calendar < 0 || level < 0) {
    message_beep(kBeepSimple);
    return;
  }
  EndDialog(calendar + 10 * level);
}
