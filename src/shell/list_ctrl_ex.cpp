// CListCtrlEx rows and colours (see list_ctrl_ex.h). Each row's
// record is owned by the list and its address is the platform's item data,
// so the platform's own row moves carry the records along (a deleted
// row's record goes with the list's next clearing); the caller's data word lives inside the record. Colours are
// answered to the platform's custom-draw requests at the cell stage.
#include "shell/list_ctrl_ex.h"

#include <algorithm>
#include <unordered_map>

using namespace kt::ui;

CListCtrlEx::CListCtrlEx() = default;

CListCtrlEx::~CListCtrlEx() = default;

bool CListCtrlEx::OnCreate() {
  m_default_back = GetBkColor();
  m_default_text = GetTextColor();
  SetExtendedStyle(GetExtendedStyle() | kLvsExFullRowSelect);
  ModifyStyle(0, kLvsReport);
  return ListView::OnCreate();
}

void CListCtrlEx::OnDestroy() {
  ListView::OnDestroy();
  ListView::DeleteAllItems();
  m_records.clear();
}

// ---- rows ----

CListCtrlEx::ItemData* CListCtrlEx::Record(int row) const {
  if (row < 0 || row >= GetItemCount()) return nullptr;
  auto it = m_records.find(reinterpret_cast<const ItemData*>(ListView::GetItemData(row)));
  return it == m_records.end() ? nullptr : it->second.get();
}

CListCtrlEx::ItemData* CListCtrlEx::EnsureRecord(int row) {
  if (row < 0 || row >= GetItemCount()) return nullptr;
  if (ItemData* record = Record(row)) return record;
  auto record = std::make_unique<ItemData>();
  ItemData* raw = record.get();
  m_records.emplace(raw, std::move(record));
  ListView::SetItemData(row, reinterpret_cast<std::uintptr_t>(raw));
  return raw;
}

int CListCtrlEx::InsertItem(int index, std::string_view text, std::uintptr_t data) {
  auto record = std::make_unique<ItemData>();
  record->data = data;
  ItemData* raw = record.get();
  int row = ListView::InsertItem(index, text, reinterpret_cast<std::uintptr_t>(raw));
  if (row >= 0) m_records.emplace(raw, std::move(record));
  return row;
}

bool CListCtrlEx::DeleteAllItems() {
  bool done = ListView::DeleteAllItems();
  m_records.clear();
  return done;
}

std::uintptr_t CListCtrlEx::GetItemData(int row) const {
  const ItemData* record = Record(row);
  return record ? record->data : 0;
}

int CListCtrlEx::FindItemByData(int start, std::uintptr_t data) const {
  for (int row = std::max(0, start + 1); row < GetItemCount(); ++row)
    if (GetItemData(row) == data) return row;
  return -1;
}

// ---- records of cells ----

CListCtrlEx::CellInfo* CListCtrlEx::Cell(int row, int column, bool create) {
  if (column < 0 || column >= GetColumnCount()) return nullptr;
  ItemData* record = create ? EnsureRecord(row) : Record(row);
  if (!record) return nullptr;
  for (CellInfo& cell : record->cells)
    if (cell.column == column) return &cell;
  if (!create) return nullptr;
  record->cells.push_back(CellInfo{});
  record->cells.back().column = column;
  return &record->cells.back();
}

const CListCtrlEx::CellInfo* CListCtrlEx::Cell(int row, int column) const {
  return const_cast<CListCtrlEx*>(this)->Cell(row, column, false);
}

// ---- colours ----

void CListCtrlEx::SetCellColors(int row, int column, Color back, Color text) {
  if (CellInfo* cell = Cell(row, column, true)) {
    cell->back = back;
    cell->text = text;
    Invalidate(false);
  }
}

void CListCtrlEx::CellColors(int row, int column, Color& back, Color& text) const {
  Color default_back = m_default_back == kNoColor ? GetBkColor() : m_default_back;
  Color default_text = m_default_text == kNoColor ? GetTextColor() : m_default_text;
  back = default_back;
  text = default_text;
  auto take = [&](Color b, Color t) {
    if (b != kNoColor) back = b;
    if (t != kNoColor) text = t;
  };
  if (const CellInfo* cell = Cell(row, column)) take(cell->back, cell->text);
}

bool CListCtrlEx::OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) {
  if (message != kMsgNotify || !l) return ListView::OnChildNotify(message, w, l, result);
  NotifyHeader* header = reinterpret_cast<NotifyHeader*>(l);
  if (header->window != this) return ListView::OnChildNotify(message, w, l, result);
  if (header->code != kNmCustomDraw) return ListView::OnChildNotify(message, w, l, result);
  ListViewCustomDraw* cd = reinterpret_cast<ListViewCustomDraw*>(l);
  if (cd->stage == kCddsPrePaint) {
    *result = kCdrfNotifyItemDraw;
  } else if (cd->stage == kCddsItemPrePaint) {
    *result = kCdrfNotifySubItemDraw;
  } else {
    if (cd->stage == (kCddsItemPrePaint | kCddsSubItem))
      CellColors(cd->item, cd->subitem, cd->back_color, cd->text_color);
    *result = kCdrfDoDefault;
  }
  return true;
}
