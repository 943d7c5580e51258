// Ccasella: the small modal input box the structure pages use for a new
// name, a renaming, a folder name or an access code. One or two labelled
// one-line fields (or one field and a check box), an optional explanation
// in crimson, optional paste buttons and a minimum length per field.
// Callers go through casella_run_input_box, which builds the box on the
// stack and runs it. Text handed back is always cleaned as a name and never
// longer than the field's maximum; buffers hold at least max + 1 bytes.
#pragma once

#include <cstdint>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/dialog_ml.h"

// Option flags of the input box.
inline constexpr int kCasellaPrefillSecond = 1;  // second field starts as a copy of the first
inline constexpr int kCasellaCheckBox = 2;       // the second item is a check box
inline constexpr int kCasellaPasteFirst = 4;     // paste button of the first field
inline constexpr int kCasellaPasteSecond = 8;    // paste button of the second field

// Registers the templates of the structure library's small boxes; idempotent.
void ui_register_structure_templates();

// Cleans a typed text in place as a name: outer blanks dropped, '-' and '|'
// become '_', ':' becomes ';', double blanks collapse; at most max chars.
void casella_clean_text(char* text, int max);

class Ccasella : public CDialogML {
 public:
  static constexpr int kTemplate = 150;
  static constexpr int kPrompt1Id = 1060;
  static constexpr int kEdit1Id = 1000;
  static constexpr int kPrompt2Id = 1061;
  static constexpr int kEdit2Id = 1001;
  static constexpr int kCheckId = 1002;
  static constexpr int kExplanationId = 1062;
  static constexpr int kPaste1Id = 1063;
  static constexpr int kPaste2Id = 1064;

  // buffer2 is a text of max2 + 1 bytes, or an std::int32_t in check-box mode.
  Ccasella(const char* prompt1, char* buffer1, int max1, int min1, const char* prompt2, void* buffer2, int max2,
           int min2, const char* explanation, int flags);
  kt::ui::LResult DoModal() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override;

 private:
  bool TakeText(kt::ui::Edit& field, char* buffer, int max, int min);
  void Paste(kt::ui::Edit& field, int max);
  void PrefillSecond();
  void FitPrompt(CStaticML& label);

  const char* m_prompt1;
  char* m_buffer1;
  int m_max1, m_min1;
  const char* m_prompt2;
  void* m_buffer2;
  int m_max2, m_min2;
  const char* m_explanation;
  int m_flags;

  CStaticML m_label1, m_label2;
  kt::ui::Edit m_edit1, m_edit2;
  CCheckML m_check;
  CMutoML m_explain;
  CColorButton m_ok, m_cancel, m_paste1, m_paste2;
};

// Runs the input box: 1 (OK) when confirmed and every check passed, 2
// (Cancel) otherwise. A cancel with no refused confirmation before it leaves
// the buffers as they were.
int casella_run_input_box(const char* prompt1, char* buffer1, int max1, int min1, const char* prompt2, void* buffer2,
                          int max2, int min2, const char* explanation, int flags);
