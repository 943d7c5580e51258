// Behaviour of the input box (see input_box.h). Confirmation copies each
// field into its buffer, cleans it and checks its minimum length; a field
// too short is shown cleaned, takes the focus and keeps the box open (the
// first buffer is already written by then). The second field, with the
// prefill flag, copies the first field's text when it gains the focus
// empty. Paste replaces a field with at most its maximum of clipboard text.
#include "structure/input_box.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/clipboard.h"
#include "shell/message_box.h"
#include "schooldata/model_utilities.h"

using namespace kt::ui;

namespace {

const MlText kMinimumLength = {"Lunghezza Minima: %d caratteri", "Minimale Länge: %d Zeichen"_cp,
                               "Minimum Length: %d characters"};

constexpr Color kCrimson = rgb(165, 0, 33);

}  // namespace

// The box cleans a typed name as every name is cleaned, then cuts it to
// the box's length without leaving a blank at the end.
void casella_clean_text(char* text, int max) {
  int n = og_clean_name(text, int(std::strlen(text)) + 1, 0);
  if (max >= 0 && n > max) n = max;
  while (n > 0 && text[n - 1] == ' ') --n;
  text[n] = 0;
}

Ccasella::Ccasella(const char* prompt1, char* buffer1, int max1, int min1, const char* prompt2, void* buffer2,
                   int max2, int min2, const char* explanation, int flags)
    : CDialogML(kTemplate),
      m_prompt1(prompt1 ? prompt1 : ""),
      m_buffer1(buffer1),
      m_max1(max1 > 0 ? max1 : 0),
      m_min1(min1),
      m_prompt2(prompt2),
      m_buffer2(buffer2),
      m_max2(max2 > 0 ? max2 : 0),
      m_min2(min2),
      m_explanation(explanation),
      m_flags(flags) {
  // Without a buffer there is no second item to show or fill.
  if (!m_buffer2) m_prompt2 = nullptr;
}

LResult Ccasella::DoModal() {
  ui_register_structure_templates();
  return CDialogML::DoModal();
}

void Ccasella::DoDataExchange(DataExchange& dx) {
  dx.Control(kPrompt1Id, m_label1);
  dx.Control(kEdit1Id, m_edit1);
  dx.Control(kPrompt2Id, m_label2);
  dx.Control(kEdit2Id, m_edit2);
  dx.Control(kCheckId, m_check);
  dx.Control(kExplanationId, m_explain);
  dx.Control(kIdOk, m_ok);
  dx.Control(kIdCancel, m_cancel);
  dx.Control(kPaste1Id, m_paste1);
  dx.Control(kPaste2Id, m_paste2);
}

bool Ccasella::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowTextML(m_prompt1);
  m_label1.SetWindowText(m_prompt1);
  m_edit1.SetLimitText(m_max1);
  m_edit1.SetWindowText(std::string(m_buffer1, strnlen(m_buffer1, std::size_t(m_max1))));
  m_explain.SetColors(kCrimson, m_background);
  if (m_explanation && *m_explanation) {
    m_explain.SetWindowText(m_explanation);
  } else {
    m_explain.ShowWindow(kSwHide);
  }
  m_paste1.ShowWindow((m_flags & kCasellaPasteFirst) ? kSwShow : kSwHide);
  m_paste2.ShowWindow(kSwHide);
  if (m_prompt2) {
    if (m_flags & kCasellaPasteSecond) m_paste2.ShowWindow(kSwShow);
    if (m_flags & kCasellaCheckBox) {
      m_label2.ShowWindow(kSwHide);
      m_edit2.ShowWindow(kSwHide);
      m_check.SetWindowText(m_prompt2);
      m_check.SetCheck(kBstUnchecked);
    } else {
      SetWindowTextML(m_prompt2);
      m_label2.SetWindowText(m_prompt2);
      m_edit2.SetLimitText(m_max2);
      const char* second = static_cast<const char*>(m_buffer2);
      m_edit2.SetWindowText(std::string(second, strnlen(second, std::size_t(m_max2))));
      m_check.ShowWindow(kSwHide);
    }
  } else {
    m_label2.ShowWindow(kSwHide);
    m_edit2.ShowWindow(kSwHide);
    m_check.ShowWindow(kSwHide);
  }
  FitPrompt(m_label1);
  if (m_label2.IsWindowVisible()) FitPrompt(m_label2);
  return true;
}

// A prompt longer than its one line (the cloud access code's) wraps: the
// label takes the lines it needs, and the controls below it and the box
// itself grow down by as much, so no line hides behind the field.
void Ccasella::FitPrompt(CStaticML& label) {
  const std::string text = label.GetWindowText();
  const Rect place = label.GetRectInParent();
  const TextMetrics& metrics = backend().metrics();
  const Font font = label.GetFont();
  const int lines = int(DeviceContext::BreakLines(metrics, font, text, place.Width(), true).size());
  const int extra = lines * metrics.LineHeight(font) - place.Height();
  if (extra <= 0) return;
  label.MoveWindow(Rect{place.left, place.top, place.right, place.bottom + extra});
  Window* below[] = {&m_edit1, &m_paste1, &m_label2, &m_edit2, &m_paste2, &m_check, &m_explain, &m_ok, &m_cancel};
  for (Window* control : below) {
    if (control == &label) continue;
    Rect r = control->GetRectInParent();
    if (r.top < place.bottom) continue;
    control->MoveWindow(Rect{r.left, r.top + extra, r.right, r.bottom + extra});
  }
  Rect box = GetRectInParent();
  MoveWindow(Rect{box.left, box.top, box.right, box.bottom + extra});
}

bool Ccasella::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (id == kEdit2Id && code == kEnSetFocus) {
    PrefillSecond();
    return true;
  }
  if (code == kBnClicked && id == kPaste1Id) {
    Paste(m_edit1, m_max1);
    return true;
  }
  if (code == kBnClicked && id == kPaste2Id) {
    Paste(m_edit2, m_max2);
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

void Ccasella::PrefillSecond() {
  if (!(m_flags & kCasellaPrefillSecond) || !m_edit2.IsWindow()) return;
  if (!m_edit2.GetWindowText().empty()) return;
  std::string first = m_edit1.GetWindowText();
  if (first.size() > 200) first.resize(200);
  m_edit2.SetWindowText(first);
  m_edit2.SetSel(int(m_edit2.GetWindowText().size()), int(m_edit2.GetWindowText().size()));
}

void Ccasella::Paste(Edit& field, int max) {
  std::string text(std::size_t(max) + 1, '\0');
  if (ui_paste_text_from_clipboard(text.data(), max + 1) != 0) return;
  text.resize(std::strlen(text.c_str()));
  field.SetWindowText(text);
}

bool Ccasella::TakeText(Edit& field, char* buffer, int max, int min) {
  std::string typed = field.GetWindowText();
  if (int(typed.size()) > max) typed.resize(std::size_t(max));
  std::memcpy(buffer, typed.c_str(), typed.size() + 1);
  casella_clean_text(buffer, max);
  // A replaced character is said once: with the refusal of a short name,
  // or on its own when the name is taken.
  const MlText* note = og_name_cleaning_note(typed.c_str(), 0);
  if (int(std::strlen(buffer)) >= min) {
    if (note) ui_message_box(note->Get());
    return true;
  }
  char message[160];
  std::snprintf(message, sizeof message, kMinimumLength.Get(), min);
  ui_message_box((note ? std::string(message) + "\n\n" + note->Get() : std::string(message)).c_str());
  field.SetWindowText(buffer);
  GotoDlgCtrl(&field);
  return false;
}

void Ccasella::OnOK() {
  if (!TakeText(m_edit1, m_buffer1, m_max1, m_min1)) return;
  if (m_prompt2) {
    if (m_flags & kCasellaCheckBox) {
      std::int32_t state = m_check.GetCheck() == kBstChecked ? 1 : 0;
      std::memcpy(m_buffer2, &state, sizeof state);
    } else if (!TakeText(m_edit2, static_cast<char*>(m_buffer2), m_max2, m_min2)) {
      return;
    }
  }
  EndDialog(kIdOk);
}

int casella_run_input_box(const char* prompt1, char* buffer1, int max1, int min1, const char* prompt2, void* buffer2,
                          int max2, int min2, const char* explanation, int flags) {
  if (!buffer1) return kIdCancel;
  Ccasella box(prompt1, buffer1, max1, min1, prompt2, buffer2, max2, min2, explanation, flags);
  return int(box.DoModal());
}
