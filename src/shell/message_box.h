// The program's message box: every message to the user passes through
// ui_message_box_ex or one of its short forms. A borderless box with one
// text, up to three coloured buttons and four edge bars whose colour tells
// the kind of message (stop, question, exclamation, information, none).
// Bits 0-3 of the type choose the buttons and their results as the
// platform's message box does; the caller may give its own captions.
// Esc and closing give the box's Cancel answer, its only answer on a
// one-button box and "No" on a yes/no question (Abort/Retry/Ignore, and a
// question asked with kMbAnswerByButton, wait for a button).
//
// A parallel worker process never shows a box (every call answers 1). With
// flag 4, an OK-only box asked again with the same text pointer within 60
// seconds of the last one closing answers the last result without showing
// anything, so a message raised in a loop interrupts the user once.
#pragma once

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"
#include "shell/frame_hooks.h"

// Flags of ui_message_box_ex (MessageBoxFlags, or-ed).
using MessageBoxFlags = int;
// The button a box suggests. The pointer is the user's and never moved: the
// suggested button takes the keyboard focus instead (between the first two:
// neither is suggested over the other, the first keeps the focus it opens with).
inline constexpr int kMbCursorBetween = 1;     // no button suggested over the other
inline constexpr int kMbCursorSecond = 2;      // the second button suggested
inline constexpr int kMbSuppressRepeat = 4;    // an OK box repeated within 60 s is not shown
// A question whose "No" throws work away: Esc and closing leave it open, so
// only a button the user chose answers it.
inline constexpr int kMbAnswerByButton = 8;
// Types: buttons in bits 0-3, kind in bits 4-7.
inline constexpr int kMbOk = 0, kMbOkCancel = 1, kMbAbortRetryIgnore = 2, kMbYesNoCancel = 3, kMbYesNo = 4,
                     kMbRetryCancel = 5, kMbCancelTryContinue = 6;
inline constexpr int kMbIconStop = 0x10, kMbIconQuestion = 0x20, kMbIconExclamation = 0x30,
                     kMbIconInformation = 0x40;

int ui_message_box_ex(const char* text, int type, int flags, const char* caption1, const char* caption2,
                      const char* caption3);
int ui_message_box_flags(const char* text, int type, int flags);
int ui_message_box_type(const char* text, int type);
int ui_message_box(const char* text);
// The same with a text row: the text of the current language is shown, and
// a row repeated is the same text pointer for the repeated-box check.
inline int ui_message_box(const MlText& text) { return ui_message_box(text.Get()); }
inline int ui_message_box_type(const MlText& text, int type) { return ui_message_box_type(text.Get(), type); }
inline int ui_message_box_flags(const MlText& text, int type, int flags) {
  return ui_message_box_flags(text.Get(), type, flags);
}

// Forgets the last box shown (for tests: a run of the program starts with
// none).
void ui_forget_last_message_box();

// Registers the box's dialog template (start-up and tests).
void ui_register_toolkit_templates();

class CMessageBox : public CDialogML {
 public:
  static constexpr int kTemplate = 312;
  static constexpr int kButtonIds[3] = {1031, 1049, 1050};
  static constexpr int kTextId = 1548;
  static constexpr int kBarIds[4] = {1979, 1244, 1572, 1573};  // top, bottom, left, right
  static constexpr kt::ui::WParam kLayoutTimer = 12345679;

  CMessageBox();

  void SetContent(const char* text, int type, int flags, const char* caption1, const char* caption2,
                  const char* caption3);
  // The colour state of the edge bars for a type's kind.
  static int BarState(int type);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnTimer(kt::ui::WParam id) override;

 private:
  void OnButton1();
  void OnButton2();
  void OnButton3();
  void EndWith(int button);
  void LayOutButtons();
  void FitToText();
  void FocusSuggestedButton();

  const char* m_text = nullptr;
  int m_type = 0;
  int m_flags = 0;
  const char* m_captions[3] = {nullptr, nullptr, nullptr};
  int m_results[3] = {1, 0, 0};
  CColorButton m_buttons[3];
  CColorButton m_bars[4];
  CMuto m_message;
  kt::ui::Rect m_rects[3];

  KT_DECLARE_MESSAGE_MAP()
};
