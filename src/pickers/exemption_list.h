// Cvedide, the window "Deroghe Temporanee ai Vincoli": the list of the
// derogations (granted constraint violations) stored in "scuola3.txt"
// ("scuola3P.txt" for the provisional timetable, "deroghe_remote.txt" for a
// remote computation), and their deletion: the selected ones, all, or every
// one whose removal does not raise the engine's error count. A modeless,
// resizable window owned by the computation windows; one global instance
// for the local run and one for the remote run, which only shows.
//
// Invariants: the file is never rewritten while the owner's run-state flag
// shows a running computation; every rewrite goes through a temporary file
// renamed over the old one, so a failure leaves the previous list whole, and
// keeps every line the list cannot show as it was; a file without
// derogations or such lines holds one empty record. A timer (1001 ms)
// reloads the list when the file changed on disk.
// Workload: tens of records; the unused-derogation search loads the school
// once per record.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "engine/reception_exemption_files.h"
#include "shell/color_button.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"

// One stored line of a derogation file and its decoded record.
struct ExemptionLine {
  std::string text;
  StoredExemption record;
};

// The derogation file of the current mode (".\\scuola3.txt" or
// ".\\scuola3P.txt") or the remote one, as a path of this system.
std::string vedide_file_path(bool remote);
// Reads the records of non-zero constraint id; the lines that are no record
// the list can show (not empty records, not blank lines) go to `unread` as
// they are, without their line end. False, with nothing read, when the file
// is missing or cannot be read to its end.
bool vedide_read_file(const std::string& path, std::vector<ExemptionLine>& out,
                      std::vector<std::string>* unread = nullptr);
// Rewrites the file with the unread lines as they were and then these
// records; with neither, one empty record.
bool vedide_write_file(const std::string& path, const std::vector<ExemptionLine>& lines,
                       const std::vector<std::string>& unread = {});

// What the search for unused derogations needs of the engine: load the
// school (true on success), apply one record, read the error count.
struct ExemptionTrialHooks {
  std::function<bool()> load;
  std::function<void(const StoredExemption&)> apply;
  std::function<std::int32_t()> errors;
};
ExemptionTrialHooks vedide_engine_hooks();
// The lines still in use: those whose removal raises the error count.
// False when the school could not be loaded.
bool vedide_used_lines(const std::vector<ExemptionLine>& lines, const ExemptionTrialHooks& hooks,
                       std::vector<ExemptionLine>& used);

class Cvedide : public CResizableDialog {
 public:
  static constexpr int kTemplate = 274;
  static constexpr int kListId = 1001, kDeleteSelectedId = 1002, kDeleteAllId = 1003, kDeleteUnusedId = 1004,
                       kFakeAutomaticId = 1005, kEndId = 1006, kHelpButtonId = 1007, kHelpId = 1008;
  static constexpr int kTimerId = 1001, kTimerMs = 1001;

  explicit Cvedide(bool remote = false);
  // Makes the window the first time; 1 when it exists.
  int CreatePanel(kt::ui::Window* parent);
  void ShowPanel(bool show);
  bool IsCreated() const { return m_created; }
  void LoadExemptionFile(bool check);
  // The owner's run-state flag (non-zero while a computation runs).
  const std::uint8_t* m_running = nullptr;
  // Service mode shows the button that marks every derogation automatic.
  bool m_service_mode = false;
  // The engine as the unused-derogation search uses it (tests replace it).
  ExemptionTrialHooks m_hooks;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  void OnTimer(kt::ui::WParam id) override;
  void OnCancel() override;
  void OnOK() override {}
  void OnDestroy() override;

 private:
  bool Refused();
  void EnableDelete(bool enable);
  void OnDeleteSelected();
  void OnDeleteAll();
  void OnDeleteUnused();
  void OnFakeAutomatic();
  void Rewrite(const std::vector<ExemptionLine>& lines, const std::vector<std::string>& unread);
  bool ReadForRewrite(std::vector<ExemptionLine>& lines, std::vector<std::string>& unread);
  std::time_t FileTime() const;

  bool m_remote;
  bool m_created = false;
  bool m_busy = false;
  int m_sorted_column = -1;
  std::string m_path;
  std::time_t m_seen = 0;
  kt::ui::Rect m_rect{};  // the window's place when it was last hidden or closed
  CSpiegaML m_help;
  CColorButton m_buttons[6];
};

extern Cvedide g_exemptions_view;
void ui_register_exemption_list_template();
