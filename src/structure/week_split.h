// Ccreate_crux: the service tool that splits the school's weekly teaching
// load over three alternating weeks A, B and C (configuration menu, service
// mode). "Sviluppa il calcolo" searches random splits on one worker thread
// (week_split_search.h) and keeps the best; at the end the best split is
// shown, written to "\tmp\COMBINAZIONI.txt", and "Salva le cartelle
// multiple" writes it as three school folders "<folder>_Settimana_A" ... .
//
// The worker shares only the stop byte with the dialog while it runs; it
// hands its progress over through a locked record and one window message at
// a time, so a fast search never floods the queue. Closing the dialog stops
// the worker and waits for its current trial, so it never outlives the
// object it reports to. The list keeps its last kListLimit lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/ui.h"
#include "shell/dialog_ml.h"
#include "structure/week_split_search.h"

class Ccreate_crux : public CDialogML {
 public:
  static constexpr int kTemplate = 310;
  static constexpr int kStartId = 1164, kStopId = 1165, kSaveId = 1166, kEndId = 1167, kTrialId = 1040,
                       kClassId = 1041, kBestId = 1042, kListId = 1030;
  static constexpr int kListLimit = 500;
  static constexpr long long kTrialsPerTeacher = 9888777;

  explicit Ccreate_crux(kt::ui::Window* parent = nullptr);
  ~Ccreate_crux() override;
  kt::ui::LResult DoModal() override;

  // The number of trials; below 0: the teachers times kTrialsPerTeacher.
  long long m_trial_limit = -1;
  // Seed of the trials' random source, a fresh one for every dialog.
  std::uint32_t m_seed;

  // Waits until the worker has ended (its last message still has to be
  // handled).
  void WaitForSearch();
  bool Found() const { return m_found; }
  long long BestScore() const { return m_best_score; }
  const WeekSplit& Best() const { return m_best; }
  const WeekSplitSearch& Search() const { return m_search; }

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  kt::ui::LResult WindowProc(std::uint32_t message, kt::ui::WParam w, kt::ui::LParam l) override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  void Start();
  void Run(kt::ui::WindowHandle target, long long limit, std::uint32_t seed);
  void Notify(kt::ui::WindowHandle target);
  void ShowProgress();
  void Finish();
  void SaveFolders();
  void Enable(int id, bool on);

  kt::ui::ListBox m_list;
  WeekSplitSearch m_search;
  std::thread m_worker;
  bool m_searching = false;
  std::atomic<std::uint8_t> m_stop{0};
  std::atomic<bool> m_notified{false};

  // Handed from the worker under m_lock.
  std::mutex m_lock;
  long long m_trial = 0;
  int m_class = 0;
  long long m_shown_best = WeekSplitSearch::kNoScore;
  std::deque<std::string> m_lines;

  // Written by the worker, read after it has ended.
  bool m_found = false;
  long long m_best_score = WeekSplitSearch::kNoScore;
  WeekSplit m_best;
};
