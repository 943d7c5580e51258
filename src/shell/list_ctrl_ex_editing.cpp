// In-place editing of CListCtrlEx cells and the message watcher CMsgHook
// (see list_ctrl_ex.h). The editor window belongs to the page: while a cell
// is edited it is lent to the list (made its child, placed over the cell)
// and given back to its own parent when the editing ends, so destroying the
// list never destroys a page's editor. One process hook serves every list;
// it only posts the end-of-edit message, so the ending itself always runs
// from the list's own window procedure, under the list's lock.
#include <algorithm>

#include "shell/list_ctrl_ex.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kMsgMButtonDown = 0x0207;

std::map<std::intptr_t, CMsgHook*>& hook_map() {
  static std::map<std::intptr_t, CMsgHook*> map;
  return map;
}
int g_hook_id = -1;

bool is_within(Window* window, Window* ancestor) {
  return window && ancestor && (window == ancestor || ancestor->IsChild(window));
}

}  // namespace

// ---- the hook ----

// The dispatch hook is in place while some list has a window: page objects
// are globals built before the window core, so the hook cannot be added
// when they are constructed.
CMsgHook::CMsgHook(CListCtrlEx& list) : m_list(list) {}

CMsgHook::~CMsgHook() { Unregister(); }

void CMsgHook::Register(WindowHandle list) {
  Unregister();
  m_handle = list;
  if (hook_map().empty()) g_hook_id = add_dispatch_hook(&CMsgHook::OnMessage);
  hook_map()[list.ToParam()] = this;
}

void CMsgHook::Unregister() {
  if (!m_handle) return;
  auto it = hook_map().find(m_handle.ToParam());
  if (it != hook_map().end() && it->second == this) hook_map().erase(it);
  m_handle = WindowHandle{};
  if (hook_map().empty() && g_hook_id >= 0) {
    remove_dispatch_hook(g_hook_id);
    g_hook_id = -1;
  }
}

void CMsgHook::OnMessage(const Message& m, LResult) {
  bool click = m.message == kMsgLButtonDown || m.message == kMsgRButtonDown || m.message == kMsgMButtonDown ||
               m.message == kMsgMouseWheel;
  bool deactivated = m.message == kMsgActivate && m.wparam == 0;
  // A menu's choice arrives as a command without a control.
  bool menu_choice = m.message == kMsgCommand && m.lparam == 0 && command_code(m.wparam) == 0;
  if (!click && !deactivated && !menu_choice) return;
  Window* target = Window::FromHandle(m.window);
  for (auto& [handle, hook] : hook_map()) {
    CListCtrlEx& list = hook->m_list;
    if (list.m_edit_row < 0 || !list.m_editor) continue;
    if (click && is_within(target, list.m_editor)) continue;
    list.PostMessage(kMsgListEndEdit, 1, 0);
  }
}

// ---- editing ----

void CListCtrlEx::SetCellEditor(int row, int column, const EditorRecord& record) {
  if (CellInfo* cell = Cell(row, column, true)) cell->edit = record;
}

void CListCtrlEx::SetRowEditor(int row, const EditorRecord& record) {
  if (ItemData* data = EnsureRecord(row)) data->edit = record;
}

void CListCtrlEx::SetColumnEditor(int column, const EditorRecord& record) {
  if (ColumnInfo* info = Column(column, true)) info->edit = record;
}

const CListCtrlEx::EditorRecord* CListCtrlEx::EditorFor(int row, int column) const {
  if (const CellInfo* cell = Cell(row, column); cell && cell->edit.Counts()) return &cell->edit;
  if (const ItemData* data = Record(row); data && data->edit.Counts()) return &data->edit;
  if (const ColumnInfo* info = Column(column); info && info->edit.Counts()) return &info->edit;
  return nullptr;
}

bool CListCtrlEx::Editable(int row, int column) const {
  if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount()) return false;
  const CellInfo* cell = Cell(row, column);
  const ItemData* data = Record(row);
  const ColumnInfo* info = Column(column);
  if ((cell && cell->edit.read_only) || (data && data->edit.read_only) || (info && info->edit.read_only)) return false;
  const EditorRecord* record = EditorFor(row, column);
  return record && record->editor;
}

bool CListCtrlEx::EditCell(int row, int column) {
  std::lock_guard lock(m_edit_lock);
  EndEditing(true);
  if (!Editable(row, column)) return false;
  const EditorRecord record = *EditorFor(row, column);
  Rect cell;
  if (!GetSubItemRect(row, column, cell)) return false;
  int client = GetClientRect().Width();
  if (cell.left < 0) Scroll(cell.left, 0);
  else if (cell.right > client) Scroll(std::min(cell.left, cell.right - client), 0);
  EnsureVisible(row);
  GetSubItemRect(row, column, cell);
  std::string text = GetItemText(row, column);
  if (record.begin) {
    if (!record.begin(*record.editor, row, column, text)) return false;
  } else {
    record.editor->SetWindowText(text);
  }
  m_editor = record.editor;
  m_editor_parent = m_editor->GetParent();
  m_edit_end = record.end;
  m_edit_row = row;
  m_edit_column = column;
  m_editor->SetParent(this);
  int width = std::min(cell.Width(), client - 4);
  m_editor->MoveWindow(cell.left, cell.top, std::max(width, 1), cell.Height());
  m_editor->ShowWindow(kSwShow);
  m_editor->SetFocus();
  return true;
}

bool CListCtrlEx::EndEditing(bool accept) {
  std::lock_guard lock(m_edit_lock);
  if (m_edit_row < 0 || !m_editor) return false;
  Window* editor = m_editor;
  int row = m_edit_row, column = m_edit_column;
  EndEdit end = std::move(m_edit_end);
  m_editor = nullptr;
  m_edit_row = m_edit_column = -1;
  m_edit_end = nullptr;
  bool had_focus = is_within(GetFocus(), editor);
  editor->ShowWindow(kSwHide);
  editor->SetParent(m_editor_parent);
  m_editor_parent = nullptr;
  if (had_focus && IsWindow()) SetFocus();
  if (!accept || row >= GetItemCount()) return true;
  std::string text = editor->GetWindowText();
  if (end && !end(row, column, text)) return true;
  SetItemText(row, column, text);
  Invalidate(false);
  return true;
}

bool CListCtrlEx::MoveEditing(bool backwards) {
  int rows = GetItemCount(), columns = GetColumnCount();
  if (columns == 0) return false;
  int row = m_edit_row, column = m_edit_column;
  int position = row < 0 ? (backwards ? rows * columns : -1) : row * columns + column;
  for (int p = position + (backwards ? -1 : 1); p >= 0 && p < rows * columns; p += backwards ? -1 : 1)
    if (Editable(p / columns, p % columns)) return EditCell(p / columns, p % columns);
  if (backwards || row < 0 || !m_append_row) return false;
  EndEditing(true);
  int added = m_append_row(*this);
  if (added < 0) return false;
  for (int c = 0; c < columns; ++c)
    if (Editable(added, c)) return EditCell(added, c);
  return false;
}

LResult CListCtrlEx::WindowProc(std::uint32_t message, WParam w, LParam l) {
  if (message == kMsgListEndEdit) return EndEditing(w != 0) ? 1 : 0;
  return ListView::WindowProc(message, w, l);
}

bool CListCtrlEx::PreTranslateMessage(Message& msg) {
  if (msg.message != kMsgKeyDown) return ListView::PreTranslateMessage(msg);
  int key = int(msg.wparam);
  unsigned mods = unsigned(msg.lparam);
  Window* target = Window::FromHandle(msg.window);
  bool in_editor = m_editor && is_within(target, m_editor);
  if (in_editor && key == kVkReturn) return EndEditing(true), true;
  if (in_editor && key == kVkEscape) return EndEditing(false), true;
  if (key == kVkTab && !(mods & kModControl) && (in_editor || target == this))
    if (MoveEditing((mods & kModShift) != 0) || in_editor) return true;
  return ListView::PreTranslateMessage(msg);
}

void CListCtrlEx::OnLButtonDblClk(Point p, unsigned mods) {
  WindowHandle self = handle();
  ListView::OnLButtonDblClk(p, mods);
  if (!IsWindow(self)) return;
  int column = -1;
  bool on_header = false;
  int row = SubItemHitTest(p, &column, &on_header);
  if (!on_header && row >= 0 && column >= 0) EditCell(row, column);
}

void CListCtrlEx::OnKeyDown(int key, unsigned mods) {
  if (key == kVkDelete && m_delete_key_deletes) {
    EndEditing(false);
    for (int row = GetItemCount() - 1; row >= 0; --row)
      if (GetItemState(row, kLvisSelected)) DeleteItem(row);
    return;
  }
  ListView::OnKeyDown(key, mods);
}
