// Cpubblica: what the processing menu asks before it writes the publishing
// export: a memo to go with the timetable, and whether the timetable is
// published or a timetable published before is withdrawn. The answer goes to
// krv_publish_timetable (publishing.h). User-interface thread only.
#pragma once

#include <string>

#include "shell/dialog_ml.h"

class Cpubblica : public CDialogML {
 public:
  static constexpr int kTemplate = 9827;
  static constexpr int kPromptId = 1001, kMemoId = 1002, kPublishId = 1003, kWithdrawId = 1004, kNoteId = 1005;
  static constexpr int kMemoMax = 200;  // characters; the export keeps up to 399
  // Results of DoModal besides cancel (kIdOk and kIdCancel are 1 and 2).
  static constexpr int kPublish = 101, kWithdraw = 102;
  Cpubblica() : CDialogML(kTemplate) {}

  std::string m_memo;  // 1252, what the user typed

 protected:
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
};

void ui_register_publish_template();
