// The control gallery's template and its three self-drawn controls (see
// gallery.h). Laid out in dialog units for the 8-point dialog font; every
// text is Italian, as the program's own dialogs, with accented letters to
// show that 1252 text reaches the screen as UTF-8.
#include "screen/gallery.h"

namespace kt::ui::gallery {

namespace {

const ControlTemplate kControls[] = {
    {"Static", kStaticId, "Docente:", kSsLeft, 7, 7, 36, 10},
    {"Edit", kNameEdit, "", kEsAutoHScroll | kWsTabStop | kWsBorder, 45, 5, 105, 13},
    {"ComboBox", kDayCombo, "", kCbsDropDownList | kWsTabStop | kWsVScroll, 160, 5, 133, 70},
    {"Button", -1, "Opzioni", kBsGroupBox, 7, 22, 143, 48},
    {"Button", kMondayCheck, "Lunedì"_cp, kBsAutoCheckBox | kWsTabStop | kWsGroup, 14, 34, 60, 10},
    {"Button", kTuesdayCheck, "Martedì"_cp, kBsAuto3State | kWsTabStop, 14, 50, 60, 10},
    {"Button", kMorningRadio, "Mattina", kBsAutoRadioButton | kWsTabStop | kWsGroup, 80, 34, 64, 10},
    {"Button", kAfternoonRadio, "Pomeriggio", kBsAutoRadioButton, 80, 50, 64, 10},
    {"ListBox", kRoomList, "", kLbsNotify | kWsTabStop | kWsVScroll | kWsBorder | kWsGroup, 160, 24, 133, 46},
    {"ListView", kClassList, "", kLvsReport | kLvsShowSelAlways | kWsTabStop | kWsBorder, 7, 76, 200, 62},
    {"Custom", kPanel, "", 0, 214, 76, 79, 62},
    {"Edit", kNotesEdit, "", kEsMultiLine | kEsAutoVScroll | kEsWantReturn | kWsTabStop | kWsBorder, 7, 144, 200, 24},
    {"ProgressBar", kProgress, "", kWsBorder, 214, 144, 79, 10},
    {"Static", kStaticId, "Più righe, più colori."_cp, kSsLeft, 214, 158, 79, 10},
    {"Button", kColourButton, "Colorato", kBsOwnerDraw | kWsTabStop, 7, 176, 70, 18},
    {"Button", kIdCancel, "Annulla", kBsPushButton | kWsTabStop, 160, 176, 60, 18},
    {"Button", kIdOk, "OK", kBsDefPushButton | kWsTabStop, 226, 176, 60, 18},
    {"ScrollBar", kStaticId, "", kSbsSizeGrip, 290, 190, 10, 10},
};

}  // namespace

void register_templates() {
  static const DialogTemplate kTemplates[] = {
      {kTemplateId, "Galleria dei controlli - Qualità"_cp,
       kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 300, 200, kControls}};
  register_dialog_templates(kTemplates);
}

bool ColourButton::DrawItem(DrawItemInfo& info) {
  DeviceContext& dc = *info.dc;
  dc.FillRect(info.rect, kColourButtonFace);
  dc.SetTextColor(kWindowColor);
  dc.SetBkMode(kBkTransparent);
  dc.DrawText(GetWindowText(), info.rect, kDtCenter | kDtVCenter | kDtSingleLine);
  if (info.state & kOdsFocus) dc.FrameRect(info.rect.Deflate(3), kWindowColor);
  return true;
}

void GradientPanel::OnPaint(DeviceContext& dc) {
  Rect r = GetClientRect();
  dc.GradientFill(r, kPanelTop, kWindowColor, true);
  dc.Line({4, r.bottom - 6}, {r.right - 4, r.bottom - 6}, kWindowTextColor, 2);
  dc.FrameRect(r, kButtonShadowColor);
}

bool MarkedList::OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) {
  if (message != kMsgNotify || reinterpret_cast<NotifyHeader*>(l)->code != kNmCustomDraw)
    return ListView::OnChildNotify(message, w, l, result);
  auto* cd = reinterpret_cast<ListViewCustomDraw*>(l);
  if (cd->stage == kCddsPrePaint) *result = kCdrfNotifyItemDraw;
  if (cd->stage == kCddsItemPrePaint) *result = kCdrfNotifySubItemDraw;
  if (cd->stage == (kCddsItemPrePaint | kCddsSubItem) && cd->item == 0 && cd->subitem == 1)
    cd->back_color = kMarkedCell;
  return true;
}

void GalleryDialog::DoDataExchange(DataExchange& dx) {
  dx.Control(kColourButton, colour_button);
  dx.Control(kPanel, panel);
  dx.Control(kClassList, classes);
}

bool GalleryDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  SetBackgroundColor(kPageBackground);
  SetDlgItemText(kNameEdit, "Rossi Niccolò"_cp);
  SetDlgItemText(kNotesEdit, "Prima riga\r\nSeconda riga: è tutto"_cp);
  auto* combo = static_cast<ComboBox*>(GetDlgItem(kDayCombo));
  for (const char* day : {"Lunedì"_cp, "Martedì"_cp, "Mercoledì"_cp}) combo->AddString(day);
  combo->SetCurSel(1);
  auto* rooms = static_cast<ListBox*>(GetDlgItem(kRoomList));
  for (const char* room : {"Aula 1", "Laboratorio di chimica", "Palestra"}) rooms->AddString(room);
  rooms->SetCurSel(1);
  CheckDlgButton(kMondayCheck, kBstChecked);
  CheckDlgButton(kTuesdayCheck, kBstIndeterminate);
  CheckRadioButton(kMorningRadio, kAfternoonRadio, kMorningRadio);
  const char* heads[] = {"Classe", "Lun", "Mar"};
  for (int c = 0; c < 3; ++c) classes.InsertColumn(c, heads[c], kLvcfmtLeft, c == 0 ? 110 : 90);
  const char* rows[] = {"1A", "2B", "3C", "4D"};
  for (int r = 0; r < 4; ++r) {
    classes.InsertItem(r, rows[r]);
    classes.SetItemText(r, 1, "Italiano");
    classes.SetItemText(r, 2, "Matematica");
  }
  classes.SetItemState(2, kLvisSelected, kLvisSelected);
  auto* bar = static_cast<ProgressBar*>(GetDlgItem(kProgress));
  bar->SetRange(0, 100);
  bar->SetPos(60);
  return true;
}

}  // namespace kt::ui::gallery
