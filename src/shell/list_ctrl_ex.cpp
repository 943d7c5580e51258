// CListCtrlEx rows, colours and sorting (see list_ctrl_ex.h). Each row's
// record is owned by the list and its address is the platform's item data,
// so the platform's own row moves (sorting, deleting) carry the records
// along; the caller's data word lives inside the record. Colours are
// answered to the platform's custom-draw requests at the cell stage.
#include "shell/list_ctrl_ex.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

using namespace kt::ui;

CListCtrlEx::CListCtrlEx() : m_hook(*this) {}

CListCtrlEx::~CListCtrlEx() = default;

bool CListCtrlEx::OnCreate() {
  m_default_back = GetBkColor();
  m_default_text = GetTextColor();
  SetExtendedStyle(GetExtendedStyle() | kLvsExFullRowSelect);
  ModifyStyle(0, kLvsReport);
  m_hook.Register(handle());
  return ListView::OnCreate();
}

void CListCtrlEx::OnDestroy() {
  EndEditing(false);
  m_hook.Unregister();
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

void CListCtrlEx::FreeRecord(ItemData* record) {
  if (record) m_records.erase(record);
}

int CListCtrlEx::InsertItem(int index, std::string_view text, std::uintptr_t data) {
  auto record = std::make_unique<ItemData>();
  record->data = data;
  ItemData* raw = record.get();
  int row = ListView::InsertItem(index, text, reinterpret_cast<std::uintptr_t>(raw));
  if (row >= 0) m_records.emplace(raw, std::move(record));
  return row;
}

bool CListCtrlEx::DeleteItem(int row) {
  ItemData* record = Record(row);
  if (row == m_edit_row) EndEditing(false);
  if (!ListView::DeleteItem(row)) return false;
  FreeRecord(record);
  if (m_edit_row > row) --m_edit_row;
  return true;
}

bool CListCtrlEx::DeleteAllItems() {
  EndEditing(false);
  bool done = ListView::DeleteAllItems();
  m_records.clear();
  return done;
}

bool CListCtrlEx::SetItemData(int row, std::uintptr_t data) {
  ItemData* record = EnsureRecord(row);
  if (!record) return false;
  record->data = data;
  return true;
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

// ---- records of cells and columns ----

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

CListCtrlEx::ColumnInfo* CListCtrlEx::Column(int column, bool create) {
  if (column < 0 || column >= GetColumnCount()) return nullptr;
  for (ColumnInfo& info : m_columns)
    if (info.column == column) return &info;
  if (!create) return nullptr;
  m_columns.push_back(ColumnInfo{});
  m_columns.back().column = column;
  return &m_columns.back();
}

const CListCtrlEx::ColumnInfo* CListCtrlEx::Column(int column) const {
  return const_cast<CListCtrlEx*>(this)->Column(column, false);
}

// ---- colours ----

void CListCtrlEx::SetCellColors(int row, int column, Color back, Color text) {
  if (CellInfo* cell = Cell(row, column, true)) {
    cell->back = back;
    cell->text = text;
    Invalidate(false);
  }
}

void CListCtrlEx::SetRowColors(int row, Color back, Color text) {
  if (ItemData* record = EnsureRecord(row)) {
    record->back = back;
    record->text = text;
    Invalidate(false);
  }
}

void CListCtrlEx::SetColumnColors(int column, Color back, Color text) {
  if (ColumnInfo* info = Column(column, true)) {
    info->back = back;
    info->text = text;
    Invalidate(false);
  }
}

void CListCtrlEx::SetCellData(int row, int column, std::uintptr_t data) {
  if (CellInfo* cell = Cell(row, column, true)) cell->data = data;
}

std::uintptr_t CListCtrlEx::GetCellData(int row, int column) const {
  const CellInfo* cell = Cell(row, column);
  return cell ? cell->data : 0;
}

bool CListCtrlEx::CellColors(int row, int column, Color& back, Color& text) const {
  Color default_back = m_default_back == kNoColor ? GetBkColor() : m_default_back;
  Color default_text = m_default_text == kNoColor ? GetTextColor() : m_default_text;
  back = default_back;
  text = default_text;
  auto take = [&](Color b, Color t) {
    if (b == kNoColor && t == kNoColor) return false;
    if (b != kNoColor) back = b;
    if (t != kNoColor) text = t;
    return true;
  };
  if (const CellInfo* cell = Cell(row, column); cell && take(cell->back, cell->text)) return true;
  if (const ItemData* record = Record(row); record && take(record->back, record->text)) return true;
  if (const ColumnInfo* info = Column(column); info && take(info->back, info->text)) return true;
  // Defaults other than the list's own colours are the list's look too.
  return default_back != GetBkColor() || default_text != GetTextColor();
}

bool CListCtrlEx::OnChildNotify(std::uint32_t message, WParam w, LParam l, LResult* result) {
  if (message != kMsgNotify || !l) return ListView::OnChildNotify(message, w, l, result);
  NotifyHeader* header = reinterpret_cast<NotifyHeader*>(l);
  if (header->window != this) return ListView::OnChildNotify(message, w, l, result);
  if (header->code == kLvnColumnClick) {
    SortByColumn(reinterpret_cast<ListViewNotify*>(l)->subitem, true);
    return false;  // the page hears of the click too
  }
  if (header->code != kNmCustomDraw) return ListView::OnChildNotify(message, w, l, result);
  ListViewCustomDraw* cd = reinterpret_cast<ListViewCustomDraw*>(l);
  if (cd->stage == kCddsPrePaint) {
    *result = kCdrfNotifyItemDraw;
  } else if (cd->stage == kCddsItemPrePaint) {
    *result = kCdrfNotifySubItemDraw;
  } else {
    // A cell no level colours is left to the list, which shows a chosen
    // row in the highlight; the list's default colours alone would hide it.
    Color back = kNoColor, text = kNoColor;
    if (cd->stage == (kCddsItemPrePaint | kCddsSubItem) && CellColors(cd->item, cd->subitem, back, text)) {
      cd->back_color = back;
      cd->text_color = text;
    }
    *result = kCdrfDoDefault;
  }
  return true;
}

// ---- sorting ----

void CListCtrlEx::SetColumnSort(int column, unsigned flags, int type, CompareFunc compare) {
  if (ColumnInfo* info = Column(column, true)) {
    info->sort_flags = flags & 7u;
    info->sort_type = type;
    info->compare = compare;
  }
}

namespace {

long leading_long(const char* s) { return std::strtol(s, nullptr, 10); }

double decimal_value(const char* s) {
  std::string copy(s);
  std::replace(copy.begin(), copy.end(), ',', '.');
  return std::strtod(copy.c_str(), nullptr);
}

// A text that is exactly a non-zero integer (it reads back the same length).
bool exact_integer(const char* s, long& value) {
  value = leading_long(s);
  if (value == 0) return false;
  char back[32];
  std::snprintf(back, sizeof back, "%ld", value);
  return std::strlen(back) == std::strlen(s);
}

int sign(long long v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Day, month and year in the order the program's languages write dates.
long long date_key(const char* s) {
  int d = 0, m = 0, y = 0;
  if (std::sscanf(s, "%d%*[/.-]%d%*[/.-]%d", &d, &m, &y) != 3) return -1;
  if (y < 100) y += 2000;
  return (long long)y * 10000 + m * 100 + d;
}

int numeric_or_text(const char* a, const char* b, bool fold) {
  long x = 0, y = 0;
  if (exact_integer(a, x) && exact_integer(b, y) && x != y) return sign((long long)x - y);
  return sign(fold ? kt::cp1252_casecmp(a, b) : std::strcmp(a, b));
}

struct SortContext {
  CListCtrlEx* list;
  const CListCtrlEx::ColumnInfo* column;
  int compare_column;
  int direction;
  std::unordered_map<std::uintptr_t, int> rows;  // record address -> row before the sort
};

}  // namespace

int list_ex_compare_texts(int type, const char* a, const char* b) {
  switch (type) {
    case 0: return 0;
    case 1: return sign((long long)leading_long(a) - leading_long(b));
    case 2: return sign((long long)(decimal_value(a) - decimal_value(b)));
    case 4: return numeric_or_text(a, b, false);
    case 5: return sign(kt::cp1252_casecmp(a, b));
    case 6: return numeric_or_text(a, b, true);
    case 7: return sign(date_key(a) - date_key(b));
    default: return sign(std::strcmp(a, b));
  }
}

bool CListCtrlEx::SortByColumn(int column, bool clicked) {
  ColumnInfo* info = Column(column, false);
  if (!info || (info->sort_flags & 7u) == 0) return false;
  if (info->sort_flags & kSortToggles) {
    if (!(info->sort_flags & (kSortAscending | kSortFirstDescending))) info->sort_flags |= kSortFirstDescending;
    if (clicked) {
      unsigned low = info->sort_flags & 3u;
      info->sort_flags = (info->sort_flags & ~3u) | ((low & 1u) << 1) | ((low >> 1) & 1u);
    }
  }
  EndEditing(true);
  if (m_sorted_column >= 0) SetSortArrow(m_sorted_column, 0);
  m_sorted_column = column;
  SortContext context{this, info, m_compare_column ? m_compare_column : column,
                      (info->sort_flags & kSortAscending) ? 1 : -1, {}};
  for (int row = 0; row < GetItemCount(); ++row) {
    EnsureRecord(row);
    context.rows[ListView::GetItemData(row)] = row;
  }
  // The texts are read from the rows as they stood before the sort began.
  std::vector<std::string> texts;
  for (int row = 0; row < GetItemCount(); ++row) texts.push_back(GetItemText(row, column));
  struct Full {
    SortContext* context;
    std::vector<std::string>* texts;
  } full{&context, &texts};
  SortItems(
      [](std::uintptr_t a, std::uintptr_t b, std::uintptr_t param) {
        Full& f = *reinterpret_cast<Full*>(param);
        SortContext& c = *f.context;
        const ItemData* ra = reinterpret_cast<const ItemData*>(a);
        const ItemData* rb = reinterpret_cast<const ItemData*>(b);
        int result;
        if (c.column->compare) {
          result = c.column->compare(ra->data, rb->data, c.compare_column);
        } else {
          result = list_ex_compare_texts(c.column->sort_type, (*f.texts)[std::size_t(c.rows[a])].c_str(),
                                         (*f.texts)[std::size_t(c.rows[b])].c_str());
        }
        return result * c.direction;
      },
      reinterpret_cast<std::uintptr_t>(&full));
  SetSortArrow(column, (info->sort_flags & kSortAscending) ? 1 : 2);
  return true;
}
