// Dialog templates of the toolkit's own dialogs: the message box (312), the
// message-file viewer (240), the list window (154) and the picture notice
// (298). Captions are the Italian ones; the box's button captions are
// replaced at each showing, and the viewer's title and buttons are looked
// up in the caption tables.
#include "platform/cp1252.h"
#include "shell/message_box.h"
#include "shell/caption_translation.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/plain_buttons.h"
#include "shell/message_viewer.h"
#include "shell/small_dialogs.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwnerButton = kBsOwnerDraw | kWsTabStop;
constexpr std::uint32_t kBar = kBsOwnerDraw;

const ControlTemplate kMessageBoxControls[] = {
    {"Static", CMessageBox::kTextId, "", kSsCenter, 10, 10, 302, 76},
    {"Button", 1031, "yes", kOwnerButton, 7, 92, 98, 29},
    {"Button", 1049, "no", kOwnerButton, 112, 92, 98, 29},
    {"Button", 1050, "cancel", kOwnerButton, 217, 92, 98, 29},
    {"Button", 1979, "", kBar, 0, 0, 322, 2},
    {"Button", 1244, "", kBar, 0, 126, 322, 2},
    {"Button", 1572, "", kBar, 0, 2, 2, 124},
    {"Button", 1573, "", kBar, 320, 2, 2, 124},
};

const ControlTemplate kViewerControls[] = {
    {"Edit", Cmessshow::kTextId, "", kEsMultiLine | kEsReadOnly | kEsAutoVScroll | kWsVScroll, 6, 6, 294, 100},
    {"Button", Cmessshow::kCloseId, "Chiudi questa finestra", kOwnerButton, 6, 112, 110, 18},
    {"Button", Cmessshow::kUnderstoodId, "Ho capito: non ripetere più questo messaggio"_cp, kOwnerButton, 122, 112,
     178, 18},
};

const ControlTemplate kListWindowControls[] = {
    {"ListBox", Czzempty::kListId, "", kLbsNotify | kWsVScroll | kWsTabStop, 4, 4, 292, 172},
};

const ControlTemplate kNoticeControls[] = {
    {"Static", Cmemoverde::kPictureId, "", kSsBitmap, 6, 6, 188, 80},
    {"Button", kIdOk, "OK", kOwnerButton | kBsDefPushButton, 70, 92, 60, 16},
};

const DialogTemplate kToolkitTemplates[] = {
    {CMessageBox::kTemplate, "", kWsPopup, 0, 0, 322, 128, kMessageBoxControls},
    {Cmessshow::kTemplate, "Messaggio di sistema", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 306, 137,
     kViewerControls},
    {Czzempty::kTemplate, "ZZ empty", kWsPopup | kWsCaption | kWsSysMenu, 0, 0, 300, 180, kListWindowControls},
    {Cmemoverde::kTemplate, "", kWsPopup | kDsModalFrame, 0, 0, 200, 114, kNoticeControls},
};

}  // namespace

// The self-translating controls look their caption up on their first
// paint; translating it here too could look a translation up as a key.
static std::string translate_fixed_caption(const ControlTemplate& control, const Window* held) {
  std::string caption = control.caption ? control.caption : "";
  if (dynamic_cast<const CStaticML*>(held) || dynamic_cast<const CCheckML*>(held) ||
      dynamic_cast<const CColorButton*>(held) || dynamic_cast<const MLButton*>(held))
    return caption;
  std::string shown = ui_translate_caption_copy(caption, ui_caption_table_for(control));
  // A plain push button draws no colours: its caption's colour marks ("#",
  // "@") are for the coloured buttons and never shown.
  std::string_view cls = control.class_name ? control.class_name : "";
  std::uint32_t type = control.style & kBsTypeMask;
  if (cls == "Button" && (type == kBsPushButton || type == kBsDefPushButton))
    shown = color_button_look(0, shown, false, kNoColor, kNoColor).caption;
  return shown;
}

void ui_register_toolkit_templates() {
  register_dialog_templates(kToolkitTemplates);
  // Captions of controls that do not translate themselves are translated by
  // their text as they are made.
  set_template_caption_translator(translate_fixed_caption);
}
