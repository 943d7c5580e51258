// The help pane (see help_pane.h). Two bytes are shared by every pane of the
// process: the alternate byte flips on every text set, the blink byte on the
// first paint of a text in blink mode. A text not yet translated shows a
// request to translate it with the Italian text below, so a missing German
// or English explanation is visible and reportable instead of blank.
#include "shell/help_pane.h"

#include "platform/cp1252.h"

using namespace kt::ui;

namespace {
unsigned char g_help_blink = 0;
unsigned char g_help_alternate = 0;
}  // namespace

void CSpiegaML::SetTextML(const MlText* text) {
  if (!text) return;
  m_scheme = 0;
  m_mode = 1;
  const char* chosen = text->Get();
  const char* italian = text->Italian() ? text->Italian() : "";
  if (chosen && kt::cp1252_casecmp(chosen, "deu") == 0) {
    SetText(("BITTE AUF DEUTSCH UEBERSETZEN:\n" + std::string(italian)).c_str());
  } else if (chosen && kt::cp1252_casecmp(chosen, "eng") == 0) {
    SetText(("PLEASE TRANSLATE INTO ENGLISH:\n" + std::string(italian)).c_str());
  } else {
    SetText(chosen);
  }
}

void CSpiegaML::SetText(const char* text) {
  g_help_alternate = g_help_alternate == 0 ? 1 : 0;
  m_scheme = 0;
  m_mode = 1;
  m_text_color = g_help_alternate == 1 ? rgb(96, 96, 96) : rgb(0, 51, 153);
  Show(text);
}

void CSpiegaML::SetTextColored(const char* text, Color color) {
  m_scheme = 0;
  m_mode = 2;
  m_text_color = color;
  Show(text);
}

void CSpiegaML::SetMultilineText(const char* text, Color color) {
  std::string converted;
  if (text) {
    for (std::size_t i = 0; text[i]; ++i) {
      if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) converted += '\r';
      converted += text[i];
    }
  }
  SetTextColored(converted.c_str(), color);
}

void CSpiegaML::SetSchemeText(int scheme, const char* text) {
  m_scheme = scheme;
  m_mode = 1;
  SetWindowText(text ? text : "");
}

void CSpiegaML::Show(const char* text) {
  std::string_view shown = text ? text : "";
  SetWindowText(shown);
  m_last.assign(shown.substr(0, kMaxKept));
  if (Window* owner = Window::FromHandle(m_owner)) owner->SendMessage(kMsgUser + 5, 1, 0);
}

Color CSpiegaML::CtlColor(DeviceContext& dc, CtlType) {
  const Color white = rgb(255, 255, 255);
  Color text = 0, back = white;
  switch (m_scheme) {
    case 1: back = rgb(153, 255, 102); break;
    case 2: back = rgb(255, 255, 0); break;
    case 3: back = rgb(255, 102, 102); break;
    case 11: text = rgb(153, 255, 102); break;
    case 12: text = rgb(255, 255, 0); break;
    case 13: text = rgb(170, 0, 0); break;
    case 14: text = rgb(165, 0, 33); break;
    default:
      if (m_mode == 2) {
        text = m_text_color;
      } else {
        if (m_mode == 1) {
          g_help_blink = g_help_blink == 0 ? 1 : 0;
          m_mode = 0;
        }
        text = g_help_blink ? rgb(0, 34, 136) : rgb(0, 51, 153);
      }
      break;
  }
  dc.SetTextColor(text);
  dc.SetBkColor(back);
  return white;
}
