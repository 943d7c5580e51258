// Behaviour of the data-file search dialog (see data_file_search_dialog.h):
// opening by mode, the start button, the timer that carries the worker's
// rows and walked folder onto the screen, column sorting, the action button
// (restore, delete or hand back) and Esc. Only this thread touches windows;
// the worker writes nothing but its rows and the walked-folder text.
#include "schooldata/data_file_search_dialog.h"

#include <unistd.h>

#include "platform/cp1252.h"
#include "platform/removable_media.h"
#include "schooldata/school_files.h"
#include "shell/engine_commands.h"
#include "shell/frame.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

Crical g_rical;

namespace {

const MlText kColumnHeads[] = {
    {{"Cartella", "Ordner", "Folder"}},
    {{"Trovato", "Gefunden", "Found"}},
    {{"Data / Ora", "Datum / Stunde", "Date / Time"}},
    {{"Data / Ora", "Datum / Stunde", "Date / Time"}},  // the hidden sort key, under the date's heading
    {{"TYPE", "TYPE", "TYPE"}},
    {{"SIZE scuola2", "SIZE scuola2", "SIZE scuola2"}},
};

std::string shown(const std::string& machine_path) { return kt::utf8_to_cp1252(machine_path); }

const MlText kComputationRunning = {
    "Un calcolo è in corso: interromperlo (STOP) prima di ripristinare una copia della scuola."_cp,
    "Eine Berechnung läuft: sie zuerst anhalten (STOP), dann eine Kopie der Schule wiederherstellen."_cp,
    "A computation is running: stop it (STOP) before restoring a copy of the school."};

}  // namespace

std::function<int(const std::string&, const std::string&)> g_data_folder_chooser;

Crical::Crical() : CResizableDialog(kTemplate) {
  m_dialogue.ask_yes_no = [](const std::string& text) {
    return ui_message_box_type(text.c_str(), kMbYesNo | kMbIconQuestion) == kIdYes;
  };
  m_dialogue.tell = [](const std::string& text) { ui_message_box(text.c_str()); };
  m_dialogue.choose_data_folder = g_data_folder_chooser;
}

Crical::~Crical() {
  m_search.request_stop();
  m_search.join();
}

LResult Crical::DoModal() {
  ui_register_data_file_search_template();
  return CResizableDialog::DoModal();
}

void Crical::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kHelpId, m_help);
}

bool Crical::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  int language = ui_language();
  char cwd[4096];
  m_working = ::getcwd(cwd, sizeof cwd) ? cwd : "";
  m_rows.clear();
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  int columns = m_selection_mode ? 6 : 4;
  for (int c = 0; c < columns; ++c)
    m_list.InsertColumn(c, kColumnHeads[c][language], kLvcfmtLeft, c == kSortKeyColumn ? 0 : 120);
  SetDlgItemText(kWorkId, shown(m_working));
  bool pen_title = (SingleDrive() && m_drive != 'C') || m_selection_mode;
  SetDlgItemText(kTitleId, data_file_text(pen_title ? DataFileText::kTitlePen : DataFileText::kTitleComputer, language));
  SetDlgItemText(kActionId, data_file_text(m_delete_mode ? DataFileText::kDelete : DataFileText::kRecover, language));
  if (Window* help = GetDlgItem(kHelpId)) help->ShowWindow(SingleDrive() ? kSwShow : kSwHide);
  if (PenDrive() || m_selection_mode) {
    if (Window* start = GetDlgItem(kStartId)) start->EnableWindow(false);
    StartSearch();
  }
  return true;
}

void Crical::StartSearch() {
  if (m_searching) return;
  m_list.DeleteAllItems();
  m_rows.clear();
  DataFileSearchPlaces places;
  std::string below = m_search_root ? m_search_root : "";
  if (m_drive == 'C') {
    places = data_file_search_places(true, below);
    places.roots.resize(1);  // the drive root only
  } else {
    places = data_file_search_places(!SingleDrive(), below);
  }
  if (Window* w = GetDlgItem(kStartId)) w->EnableWindow(false);
  if (Window* w = GetDlgItem(kActionId)) w->EnableWindow(false);
  if (Window* w = GetDlgItem(kIdCancel)) w->EnableWindow(true);
  m_searching = m_search.start(places, m_selection_mode != 0, [this](const std::string& folder) {
    std::lock_guard<std::mutex> hold(m_walking_lock);
    m_walking = folder;
  });
  SetTimer(kPollTimer, kPollMs);
}

void Crical::ShowRows(std::size_t from) {
  for (std::size_t i = from; i < m_rows.size(); ++i) {
    const DataFileCopy& r = m_rows[i];
    int at = m_list.InsertItem(m_list.GetItemCount(), shown(r.folder), i);
    m_list.SetItemText(at, 1, r.found);
    m_list.SetItemText(at, 2, r.date_time);
    m_list.SetItemText(at, 3, r.sort_key);
    if (m_selection_mode) {
      m_list.SetItemText(at, 4, r.type);
      m_list.SetItemText(at, 5, r.size);
    }
  }
}

void Crical::OnTimer(WParam id) {
  if (id != kPollTimer) return CResizableDialog::OnTimer(id);
  if (!m_searching) return;
  if (m_search.state() == kSearchIdle) return FinishSearch();
  std::vector<DataFileCopy> rows = m_search.rows();
  std::size_t had = m_rows.size();
  if (rows.size() > had) {
    m_rows = std::move(rows);
    ShowRows(had);
  }
  std::lock_guard<std::mutex> hold(m_walking_lock);
  SetDlgItemText(kFolderId, shown(m_walking));
}

void Crical::FinishSearch() {
  m_search.join();
  KillTimer(kPollTimer);
  m_searching = false;
  m_rows = m_search.rows();  // sorted newest first by the worker
  m_list.DeleteAllItems();
  ShowRows(0);
  ui_fit_list_columns_to_content(m_list, -1, -1);
  // The sort key (year to second) orders the rows only; the date shows once.
  m_list.SetColumnWidth(kSortKeyColumn, 0);
  SetDlgItemText(kFolderId, SingleDrive() && !m_rows.empty() ? shown(PenRootOf(m_rows[0].folder)) : "");
  if (Window* w = GetDlgItem(kStartId)) w->EnableWindow(!SingleDrive());
  if (Window* w = GetDlgItem(kActionId)) w->EnableWindow(true);
  if (Window* w = GetDlgItem(kIdCancel)) w->EnableWindow(true);
}

std::string Crical::PenRootOf(const std::string& folder) const {
  for (const kt::MountedMedium& m : kt::removable_media()) {
    const std::string& root = m.mount_point;
    if (folder.size() > root.size() && folder.compare(0, root.size(), root) == 0 && folder[root.size()] == '/')
      return root;
  }
  return "";
}

bool Crical::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    if (command_id(w) == kStartId) {
      StartSearch();
      return true;
    }
    if (command_id(w) == kActionId) {
      RestoreOrDelete();
      return true;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Crical::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId && header->code == kLvnColumnClick) {
    auto* notify = reinterpret_cast<ListViewNotify*>(l);
    ui_sort_list_by_column(m_list, notify->subitem, 0, 0);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Crical::RestoreOrDelete() {
  int language = ui_language();
  int item = m_list.GetNextItem(-1, kLvniSelected);
  std::string selected;
  if (item >= 0) {
    std::uintptr_t index = m_list.GetItemData(item);
    if (index < m_rows.size()) selected = m_rows[index].folder;
  }
  if (m_delete_mode) {
    if (selected.empty()) return;
    if (data_file_delete_copy(selected, PenRootOf(selected), m_working, m_dialogue, language) ==
        DataFileOutcome::kDeleted)
      StartSearch();
    return;
  }
  if (m_selection_mode) {
    if (selected.empty()) return m_dialogue.tell(data_file_text(DataFileText::kSelectFirst, language));
    if (kt::cp1252_casecmp(shown(selected).c_str(), shown(m_working).c_str()) == 0)
      return m_dialogue.tell(data_file_text(DataFileText::kChooseOtherFolder, language));
    m_result_folder = selected;
    EndDialog(1);
    return;
  }
  // A running computation writes the school's timetable and reports when it
  // ends, also when it is stopped (and the page reopened after a restore
  // stops it): files restored under it would be overwritten by a run of the
  // school they replaced.
  if (g_engine_thread.Pending()) return m_dialogue.tell(kComputationRunning.Get());
  if (!SingleDrive() || m_drive == 'C') {
    DataFileOutcome outcome = data_file_restore_to_working(selected, m_working, m_dialogue, language);
    if (outcome == DataFileOutcome::kRestored || outcome == DataFileOutcome::kFailed) ReadRestoredSchool();
    return;
  }
  std::string now;
  bool at_data_root = m_working.size() >= 18 && m_working.compare(m_working.size() - 18, 18, "/KestrinTempusDati") == 0;
  DataFileOutcome outcome =
      data_file_restore_from_pen(selected, PenRootOf(selected), m_working, at_data_root, m_dialogue, language, &now);
  if (outcome == DataFileOutcome::kRestored || outcome == DataFileOutcome::kFailed) ReadRestoredSchool();
  if (outcome == DataFileOutcome::kRestored) OnCancel();
}

// The files on disk are the restored school's now (a failed copy may have
// replaced some of them): the model is read from them again and the page on
// show rebuilt from it, so no later save can put the old school back. A
// restored file that does not read leaves the school unloaded, and nothing
// saves it.
void Crical::ReadRestoredSchool() {
  og_read_school_files(0);
  if (g_frame.IsWindow()) g_frame.PostMessage(kMsgCommand, make_command_param(kPageReopen, 0), 0);
}

void Crical::OnCancel() {
  if (m_searching) {
    m_search.request_stop();
    return;
  }
  KillTimer(kPollTimer);
  CResizableDialog::OnCancel();
}
