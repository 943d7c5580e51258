// CListCtrlEx: the report list of the data pages. On top of the platform
// list it keeps per-cell, per-row and per-column colours (a cell takes the
// first level, cell then row then column, that sets any colour), a caller
// data word per row, sorting by a heading click with a comparison chosen
// per column, and in-place editing of any cell through an editor window
// the page owns (an edit or a combo box). CMsgHook watches the thread's
// messages while a cell is edited: a click elsewhere, a menu choice or a
// deactivation keeps the text, Esc drops it, Enter keeps it; Tab moves on
// to the next cell that can be edited.
//
// Invariants: every row inserted through this class has a record, whose
// address is the platform's item data (checked against the owned records
// before use); records die with their rows.
// Colours with all bits set mean "not set". Lists hold hundreds of rows;
// lookups by row are direct, by column a short linear scan.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <string>
#include <vector>

#include "platform/ui.h"

class CListCtrlEx;

// The message that ends editing: wparam 1 keeps the text, 0 drops it.
inline constexpr std::uint32_t kMsgListEndEdit = kt::ui::kMsgUser + 10;

// One list's watcher of the thread's messages while it edits a cell. The
// first list with a window installs the process hook, the last one removes it.
class CMsgHook {
 public:
  explicit CMsgHook(CListCtrlEx& list);
  ~CMsgHook();
  CMsgHook(const CMsgHook&) = delete;
  CMsgHook& operator=(const CMsgHook&) = delete;
  void Register(kt::ui::WindowHandle list);
  void Unregister();

 private:
  static void OnMessage(const kt::ui::Message& m, kt::ui::LResult);
  CListCtrlEx& m_list;
  kt::ui::WindowHandle m_handle;
};

class CListCtrlEx : public kt::ui::ListView {
 public:
  // Prepares the editor with the cell's text; false refuses the edit.
  using BeginEdit = std::function<bool(kt::ui::Window& editor, int row, int column, const std::string& text)>;
  // Receives the accepted text (may change it); false refuses it.
  using EndEdit = std::function<bool(int row, int column, std::string& text)>;

  struct EditorRecord {
    BeginEdit begin;
    EndEdit end;
    kt::ui::Window* editor = nullptr;
    bool read_only = false;
    bool Counts() const { return begin || editor; }
  };
  struct CellInfo {
    EditorRecord edit;
    kt::ui::Color back = kt::ui::kNoColor;
    kt::ui::Color text = kt::ui::kNoColor;
    std::uintptr_t data = 0;
    int column = 0;
  };
  struct ItemData {
    EditorRecord edit;
    std::vector<CellInfo> cells;
    kt::ui::Color back = kt::ui::kNoColor;
    kt::ui::Color text = kt::ui::kNoColor;
    std::uintptr_t data = 0;
  };
  // Sort flags of a column.
  static constexpr unsigned kSortAscending = 1, kSortFirstDescending = 2, kSortToggles = 4;
  using CompareFunc = int (*)(std::uintptr_t a, std::uintptr_t b, int column);
  struct ColumnInfo {
    EditorRecord edit;
    int column = 0;
    kt::ui::Color back = kt::ui::kNoColor;
    kt::ui::Color text = kt::ui::kNoColor;
    unsigned sort_flags = 0;
    int sort_type = 0;
    CompareFunc compare = nullptr;
  };

  CListCtrlEx();
  ~CListCtrlEx() override;

  // ---- rows ----
  int InsertItem(int index, std::string_view text, std::uintptr_t data = 0);
  bool DeleteItem(int row);
  bool DeleteAllItems();
  bool SetItemData(int row, std::uintptr_t data);
  std::uintptr_t GetItemData(int row) const;
  // Searches the rows after start (-1: all) for a caller data word.
  int FindItemByData(int start, std::uintptr_t data) const;
  // The find of the pages: with kFindParam in the flags by the caller data
  // word, otherwise by the first column's text; -1 when none.
  static constexpr unsigned kFindParam = 0x1, kFindString = 0x2;
  struct FindInfo {
    unsigned flags = 0;
    std::string_view text;
    std::uintptr_t data = 0;
  };
  int FindItem(const FindInfo& find, int start = -1) const {
    return find.flags & kFindParam ? FindItemByData(start, find.data) : FindItemByText(start, find.text);
  }

  // ---- colours (out-of-range cells and rows are ignored) ----
  void SetCellColors(int row, int column, kt::ui::Color back, kt::ui::Color text);
  void SetRowColors(int row, kt::ui::Color back, kt::ui::Color text);
  void SetColumnColors(int column, kt::ui::Color back, kt::ui::Color text);
  void SetCellData(int row, int column, std::uintptr_t data);
  std::uintptr_t GetCellData(int row, int column) const;
  // The colours a cell is drawn with.
  // True when the cell, its row, its column or defaults other than the
  // list's own colours set a colour.
  bool CellColors(int row, int column, kt::ui::Color& back, kt::ui::Color& text) const;
  kt::ui::Color DefaultBack() const { return m_default_back; }
  kt::ui::Color DefaultText() const { return m_default_text; }

  // ---- sorting ----
  void SetColumnSort(int column, unsigned flags, int type, CompareFunc compare = nullptr);
  void SetCompareColumn(int column) { m_compare_column = column; }
  // Sorts by a column as a heading click does (clicked: the direction may turn).
  bool SortByColumn(int column, bool clicked);
  int SortedColumn() const { return m_sorted_column; }

  // ---- editing ----
  void SetCellEditor(int row, int column, const EditorRecord& record);
  void SetRowEditor(int row, const EditorRecord& record);
  void SetColumnEditor(int column, const EditorRecord& record);
  bool EditCell(int row, int column);
  // Ends the editing now (what the hook's message does); false when none.
  bool EndEditing(bool accept);
  int EditRow() const { return m_edit_row; }
  int EditColumn() const { return m_edit_column; }
  kt::ui::Window* Editor() const { return m_editor; }
  // Tab from the editing cell (or from none): next / previous editable cell.
  bool MoveEditing(bool backwards);
  bool m_delete_key_deletes = false;
  // Rows appended when Tab leaves the last cell; returns the new row or -1.
  std::function<int(CListCtrlEx&)> m_append_row;

  bool PreTranslateMessage(kt::ui::Message& msg) override;

 protected:
  bool OnCreate() override;
  kt::ui::LResult WindowProc(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnChildNotify(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnLButtonDblClk(kt::ui::Point p, unsigned mods) override;
  void OnKeyDown(int key, unsigned mods) override;
  void OnDestroy() override;

 private:
  friend class CMsgHook;
  ItemData* Record(int row) const;
  ItemData* EnsureRecord(int row);
  CellInfo* Cell(int row, int column, bool create);
  const CellInfo* Cell(int row, int column) const;
  ColumnInfo* Column(int column, bool create);
  const ColumnInfo* Column(int column) const;
  const EditorRecord* EditorFor(int row, int column) const;
  bool Editable(int row, int column) const;
  void FreeRecord(ItemData* record);

  std::recursive_mutex m_edit_lock;
  // Owned records by address: a data word that is not a key here (a row
  // inserted through the base class) is no record.
  std::unordered_map<const ItemData*, std::unique_ptr<ItemData>> m_records;
  std::vector<ColumnInfo> m_columns;
  EndEdit m_edit_end;
  kt::ui::Window* m_editor = nullptr;
  kt::ui::Window* m_editor_parent = nullptr;
  int m_edit_row = -1;
  int m_edit_column = -1;
  kt::ui::Color m_default_back = kt::ui::kNoColor;
  kt::ui::Color m_default_text = kt::ui::kNoColor;
  int m_sorted_column = -1;
  int m_compare_column = 0;
  CMsgHook m_hook;
};

// The comparison of two cell texts by a sort type (0-7, others as 3): the
// sign says the order.
int list_ex_compare_texts(int type, const char* a, const char* b);
