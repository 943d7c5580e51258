// What the import pages (Orario Facile, spreadsheet, SISSI) share: the
// checked lookups of the school model their row tables refer to, the
// common steps of reading a chosen file and adding teaching posts, and
// CImportPage, the page base with the row list, its header-click sort and
// the Enter key that saves or abandons by focus.
//
// Rows refer to the model by index; every lookup checks the index against
// the model's counts and table sizes, so a row never reaches past a table.
// Tables of a few thousand rows. User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"
#include "schooldata/import_list_sort.h"
#include "schooldata/ui_school_model.h"
#include "shell/color_button.h"
#include "shell/ml_text.h"
#include "shell/resizable_dialog.h"

// The file-open dialog of the imports, set by the program (the dialog
// belongs to the screen backend): filter and initial name in the program's
// form; true with the chosen file's program path. None set: cancelled.
extern std::function<bool(const std::string& filter, const std::string& initial, std::string& path)>
    g_import_file_chooser;

namespace kt::imports {

// The model's counts, bounded to their tables.
int teacher_count();
int class_count();
int subject_count();
bool valid_teacher(int t);
bool valid_class(int c);
bool valid_subject(int s);
bool valid_lab(int l);
// "" for an index out of range.
const char* teacher_name(int t);
const char* class_code(int c);
const char* subject_name(int s);
// One character of a class code, 0 for an index out of range.
signed char code_char(int c, int at);
// True when the teacher already teaches the subject in the class.
bool has_post(int teacher, int subject, int class_index);
// Weekly hours of a post plus more, kept within 0..84 (a week).
std::int8_t add_hours(int have, int more);
// A fresh (reset) post appended to the teacher; nullptr after telling the
// user when the teacher's table is full.
UiTeachingPost* new_post(UiTeacher& teacher);
// Asks whether every teaching post may be cleared.
bool sure_to_clear();
// Asks for a file through g_import_file_chooser; with one chosen, calls
// read with its local path, then returns to the folder that was current
// before the question. False when no file was chosen.
bool read_chosen_file(const char* filter, const char* initial, const std::function<void(const std::string&)>& read);
// A message box for the readers' messages.
void tell(const std::string& text);
// True, after telling the user that nothing was imported, when a file read
// without error gave no row: the page then ends as after a failed read, so
// nothing is saved, no import is recorded and the configuration menu's
// re-read drops whatever the reader added to the school.
bool nothing_read(std::size_t rows, const std::string& path);
// The same for a save while no file has given rows: nothing is written.
bool nothing_to_save(bool read);

}  // namespace kt::imports

class CImportPage : public CResizableDialog {
 public:
  static constexpr int kListId = 1030;
  static constexpr kt::ui::LResult kSaved = 555;

 protected:
  explicit CImportPage(int template_id) : CResizableDialog(template_id) {}

  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnOK() override;

  virtual void FillList(bool first_fill) = 0;
  virtual void SortBy(int column) = 0;
  virtual void Save() = 0;

  // The first steps of OnInitDialog: the title, the page area, and the
  // grid list with its columns (width: the caption's length times factor).
  void SetUpList(const char* title, const MlText* columns, const int* factors, int count);
  // Writes the introduction lines into one column of new list rows.
  void AddIntroduction(int column);
  // The list row whose first column shows the number, else a new one.
  int RowFor(int number);

  // Sorts the table on a header click, refills the list and selects the
  // rows selected before.
  template <typename Row, typename Compare>
  void SortRows(std::vector<Row>& rows, int column, Compare compare) {
    og_sort_import_rows(rows, m_list, column, &m_directions[column], compare);
    m_list.DeleteAllItems();
    FillList(false);
    og_reselect_import_rows(rows, m_list);
  }

  kt::ui::ListView m_list;
  CColorButton m_save, m_abandon;
  std::int8_t m_directions[16] = {};
};
