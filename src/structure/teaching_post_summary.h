// Csyncat, the page "Riepilogo Cattedre": every teaching post of the school
// in one sortable, read-only list, one record per own post, one per joint
// class of a post and one per partner part, with each teacher's lesson,
// stand-by, support and total hours. Selecting a row shows the totals of its
// class and teacher beside the list; the list can be exported, in the order
// shown, as a text file and a CSV file in the school's summary folder.
//
// Invariants: the page reads the working model and never changes it; the
// records and their cell texts are built once per opening (a few thousand
// at most, capped at kMaxRecords), and sorting reorders records, never
// rebuilds them, so a sort is stable across clicks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/color_button.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

struct SummaryRecord {
  int number = 0;
  int class_index = -1;
  int teacher = -1;
  int owner = -1;
  int lab = -1;
  std::uint8_t kind = 0;  // 0 own post, 1 joint class, 2 partner part
  bool selected = false;
  std::array<std::string, 14> cells;
};

class Csyncat : public CResizableDialog {
 public:
  static constexpr int kTemplate = 157;
  static constexpr int kListId = 1200, kPanelId = 1201, kHelpId = 1202, kGoToPostsId = 1203,
                       kTryTeacherId = 1204, kTryClassesId = 1205, kExportId = 1206, kEndId = 1207;
  static constexpr int kColumns = 14;
  static constexpr std::size_t kMaxRecords = 10000;  // the engine's lesson capacity

  Csyncat();
  const std::vector<SummaryRecord>& Records() const { return m_records; }
  // Writes both export files; the path of the text file, "" on failure.
  std::string Export();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnSize(int type, int cx, int cy) override;

 private:
  void BuildRecords();
  void FillList();
  void SortBy(int column);
  void ShowTotals(int record);
  void OnTrial(bool classes);
  void OnExport();
  int SelectedRecord() const;

  std::vector<SummaryRecord> m_records;
  std::vector<int> m_lesson_hours;
  std::vector<int> m_joint_hours;
  int m_directions[kColumns] = {};
  bool m_filling = false;
  CSpiegaML m_help;
  CColorButton m_buttons[5];
};

extern Csyncat g_syncat_page;
void ui_register_summary_page_template();
