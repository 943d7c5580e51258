// Behaviour and template of the three-week split tool (see week_split.h):
// the worker's trial loop, the progress and end messages it posts, the
// report, and the save of the three week folders. Saving writes each week's
// hours into the working model only while that week's files are written,
// then puts back the teachers, the header and their saved snapshots, so the
// school in memory is the one it was before.
#include "structure/week_split.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kMsgProgress = kMsgUser + 310, kMsgDone = kMsgUser + 311;
constexpr char kReportPath[] = "\\tmp\\COMBINAZIONI.txt";

const MlText kWeekWord = {"Settimana", "Woche", "Week"};
const MlText kFolderFailed = {"Impossibile creare la cartella della settimana: nessuna cartella salvata dopo questa.",
                              "Der Ordner der Woche kann nicht angelegt werden: keine weiteren Ordner gespeichert.",
                              "The folder of the week cannot be created: no further folders saved."};
const MlText kWriteFailed = {"Impossibile scrivere i file della scuola nella cartella della settimana.",
                             "Die Schuldateien können im Ordner der Woche nicht geschrieben werden."_cp,
                             "The school files cannot be written in the folder of the week."};

const ControlTemplate kControls[] = {
    {"Button", Ccreate_crux::kStartId, "Sviluppa il calcolo", kBsPushButton | kWsTabStop, 8, 8, 90, 16},
    {"Button", Ccreate_crux::kStopId, "stop THREAD", kBsPushButton | kWsTabStop, 104, 8, 60, 16},
    {"Button", Ccreate_crux::kSaveId, "Salva le cartelle multiple", kBsPushButton | kWsTabStop, 170, 8, 100, 16},
    {"Button", Ccreate_crux::kEndId, "FINE", kBsPushButton | kWsTabStop, 276, 8, 40, 16},
    {"Static", Ccreate_crux::kTrialId, "", 0, 8, 30, 100, 10},
    {"Static", Ccreate_crux::kClassId, "", 0, 112, 30, 100, 10},
    {"Static", Ccreate_crux::kBestId, "", 0, 216, 30, 100, 10},
    {"ListBox", Ccreate_crux::kListId, "", kWsVScroll | kWsBorder | kWsTabStop, 8, 44, 308, 180},
};
const DialogTemplate kSplitTemplate = {Ccreate_crux::kTemplate, "Split su N weeks",
                                       kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame, 0, 0, 324, 232, kControls};

std::string number_text(long long value) { return std::to_string(value); }

}  // namespace

Ccreate_crux::Ccreate_crux(Window* parent) : CDialogML(kTemplate, parent), m_seed(std::random_device{}()) {}

Ccreate_crux::~Ccreate_crux() {
  m_stop = 1;
  WaitForSearch();
}

LResult Ccreate_crux::DoModal() {
  if (find_dialog_template(kSplitTemplate.id) != &kSplitTemplate) register_dialog_template(kSplitTemplate);
  return CDialogML::DoModal();
}

void Ccreate_crux::WaitForSearch() {
  if (m_worker.joinable()) m_worker.join();
}

void Ccreate_crux::DoDataExchange(DataExchange& dx) { dx.Control(kListId, m_list); }

bool Ccreate_crux::OnInitDialog() {
  CDialogML::OnInitDialog();
  Enable(kSaveId, false);
  return true;
}

void Ccreate_crux::Enable(int id, bool on) {
  if (Window* w = GetDlgItem(id)) w->EnableWindow(on);
}

bool Ccreate_crux::OnCommand(WParam w, LParam l) {
  if (command_code(w) != kBnClicked) return CDialogML::OnCommand(w, l);
  switch (command_id(w)) {
    case kStartId: Start(); return true;
    case kStopId: m_stop = 1; return true;
    case kSaveId: SaveFolders(); return true;
    case kEndId: OnCancel(); return true;
    default: return CDialogML::OnCommand(w, l);
  }
}

void Ccreate_crux::OnCancel() {
  m_stop = 1;
  WaitForSearch();
  m_searching = false;
  EndDialog(kIdCancel);
}

void Ccreate_crux::Start() {
  if (m_searching) return;
  WaitForSearch();
  m_search.Load();
  m_found = false;
  m_best_score = m_shown_best = WeekSplitSearch::kNoScore;
  m_lines.clear();
  m_stop = 0;
  m_notified = false;
  Enable(kStartId, false);
  Enable(kSaveId, false);
  long long limit = m_trial_limit >= 0 ? m_trial_limit : (long long)m_search.Teachers() * kTrialsPerTeacher;
  m_searching = true;
  m_worker = std::thread(&Ccreate_crux::Run, this, handle(), limit, m_seed++);
}

void Ccreate_crux::Notify(WindowHandle target) {
  if (!m_notified.exchange(true)) post_message(target, kMsgProgress);
}

// Worker thread: touches no window; hands over progress under m_lock.
void Ccreate_crux::Run(WindowHandle target, long long limit, std::uint32_t seed) {
  std::mt19937 random(seed);
  WeekSplit split;
  int classes = m_search.Classes() > 0 ? m_search.Classes() : 1;
  for (long long trial = 0; trial < limit; ++trial) {
    for (int c = 0; c < classes; ++c) {
      {
        std::lock_guard<std::mutex> hold(m_lock);
        m_trial = trial;
        m_class = c;
      }
      Notify(target);
      if (m_stop.exchange(0) != 0) {
        trial = limit;
        break;
      }
      if (!m_search.Build(random, split)) continue;
      long long score = m_search.Score(split);
      std::string line = m_search.TotalsLine(split);
      std::lock_guard<std::mutex> hold(m_lock);
      m_lines.push_back(std::move(line));
      if (m_lines.size() > std::size_t(kListLimit)) m_lines.pop_front();
      if (score < m_best_score) {
        m_best_score = m_shown_best = score;
        m_best = split;
        m_found = true;
      }
    }
  }
  post_message(target, kMsgDone);
}

LResult Ccreate_crux::WindowProc(std::uint32_t message, WParam w, LParam l) {
  if (message == kMsgProgress) {
    m_notified = false;
    ShowProgress();
    return 0;
  }
  if (message == kMsgDone) {
    ShowProgress();
    Finish();
    return 0;
  }
  return CDialogML::WindowProc(message, w, l);
}

void Ccreate_crux::ShowProgress() {
  std::deque<std::string> lines;
  long long trial, best;
  int class_index;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    lines.swap(m_lines);
    trial = m_trial;
    class_index = m_class;
    best = m_shown_best;
  }
  SetDlgItemText(kTrialId, number_text(trial));
  SetDlgItemText(kClassId, number_text(class_index));
  if (best != WeekSplitSearch::kNoScore) SetDlgItemText(kBestId, number_text(best));
  for (const std::string& line : lines) m_list.AddString(line);
  while (m_list.GetCount() > kListLimit) m_list.DeleteString(0);
}

void Ccreate_crux::Finish() {
  if (!m_searching) return;
  WaitForSearch();
  m_searching = false;
  Enable(kStartId, true);
  if (!m_found) return;
  m_list.ResetContent();
  std::string report;
  for (const std::string& line : m_search.ReportLines(m_best)) {
    m_list.AddString(line);
    report += line;
    report += "\n";
  }
  std::string path = kt::translate_path(kReportPath);
  kt::make_folders(path.substr(0, path.find_last_of('/')));
  int error = 0;
  if (!kt::write_file_atomically(path, report, &error)) {
    // The list shows the combination; the file that should keep it does
    // not hold it, and the user must not look for it there.
    ui_message_box(og_file_not_written_text(kReportPath, error).c_str());
  }
  Enable(kSaveId, true);
}

void Ccreate_crux::SaveFolders() {
  if (m_searching || !m_found) return;
  auto teachers = std::make_unique<UiTeacher[]>(kUiMaxTeachers);
  auto teachers_saved = std::make_unique<UiTeacher[]>(kUiMaxTeachers);
  std::memcpy(teachers.get(), g_ui_teachers, sizeof g_ui_teachers);
  std::memcpy(teachers_saved.get(), g_ui_teachers_saved, sizeof g_ui_teachers_saved);
  UiSchoolHeader header = g_ui_header, header_saved = g_ui_header_saved;
  std::string folder = og_current_folder_path();
  for (int w = 0; w < 3; ++w) {
    char letter = char('A' + w);
    std::string week_folder = folder + "_" + kWeekWord.Get() + "_" + letter;
    kt::make_folders(kt::translate_path(week_folder));
    if (!og_set_current_folder(week_folder.c_str())) {
      ui_message_box(kFolderFailed);
      break;
    }
    g_ui_header.special_values[0] = std::int8_t(w + 1);
    g_ui_header.special_values[1] = 3;
    // The week's letter must survive a long school name: the name gives way.
    std::string suffix = std::string(" ") + kWeekWord.Get() + " " + letter;
    std::string name(header.school_name, ::strnlen(header.school_name, sizeof header.school_name));
    name.resize(std::min(name.size(), sizeof g_ui_header.school_name - 1 - suffix.size()));
    name += suffix;
    std::memcpy(g_ui_header.school_name, name.c_str(), name.size() + 1);
    const std::vector<WeekSplitPost>& posts = m_search.Posts();
    for (std::size_t i = 0; i < posts.size(); ++i) {
      UiTeachingPost& post = g_ui_teachers[posts[i].teacher].posts[posts[i].post];
      post.own.hours = std::int8_t(m_best.a[w][i]);
      post.partner_part.hours = std::int8_t(m_best.b[w][i]);
    }
    if (og_write_school_files() != 0) {
      ui_message_box(kWriteFailed);
      break;
    }
  }
  og_set_current_folder(folder.c_str());
  std::memcpy(g_ui_teachers, teachers.get(), sizeof g_ui_teachers);
  std::memcpy(g_ui_teachers_saved, teachers_saved.get(), sizeof g_ui_teachers_saved);
  g_ui_header = header;
  g_ui_header_saved = header_saved;
  Enable(kSaveId, false);
}
