// CListCtrlEx: the report list of the data pages. On top of the platform
// list it keeps per-cell colours and a caller data word per row; the pages
// sort their rows and edit them through their own controls.
//
// Invariants: every row inserted through this class has a record, whose
// address is the platform's item data (checked against the owned records
// before use); records die when the list is cleared or destroyed.
// Colours with all bits set mean "not set". Lists hold hundreds of rows;
// lookups by row are direct.
#pragma once

#include <memory>
#include <unordered_map>
#include <string>
#include <vector>

#include "platform/ui.h"

class CListCtrlEx : public kt::ui::ListView {
 public:
  struct CellInfo {
    kt::ui::Color back = kt::ui::kNoColor;
    kt::ui::Color text = kt::ui::kNoColor;
    int column = 0;
  };
  struct ItemData {
    std::vector<CellInfo> cells;
    std::uintptr_t data = 0;
  };

  CListCtrlEx();
  ~CListCtrlEx() override;

  // ---- rows ----
  int InsertItem(int index, std::string_view text, std::uintptr_t data = 0);
  bool DeleteAllItems();
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

  // ---- colours (out-of-range cells are ignored) ----
  void SetCellColors(int row, int column, kt::ui::Color back, kt::ui::Color text);
  // The colours a cell is drawn with.
  void CellColors(int row, int column, kt::ui::Color& back, kt::ui::Color& text) const;
  kt::ui::Color DefaultBack() const { return m_default_back; }
  kt::ui::Color DefaultText() const { return m_default_text; }

 protected:
  bool OnCreate() override;
  bool OnChildNotify(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnDestroy() override;

 private:
  ItemData* Record(int row) const;
  ItemData* EnsureRecord(int row);
  CellInfo* Cell(int row, int column, bool create);
  const CellInfo* Cell(int row, int column) const;

  // Owned records by address: a data word that is not a key here (a row
  // inserted through the base class) is no record.
  std::unordered_map<const ItemData*, std::unique_ptr<ItemData>> m_records;
  kt::ui::Color m_default_back = kt::ui::kNoColor;
  kt::ui::Color m_default_text = kt::ui::kNoColor;
};
