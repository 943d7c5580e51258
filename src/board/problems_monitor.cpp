// The problems monitor (see problems_monitor.h).
#include "board/problems_monitor.h"
#include "platform/cp1252.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "solver/exemptions.h"
#include "solver/result_history.h"
#include "solver/violation_reporter.h"
#include "structure/trial_computation.h"

using namespace kt::ui;

Cquadropbs g_problems_monitor;

namespace {

const MlText kTitle = {"Problemi dell'orario in calcolo", "Probleme des berechneten Stundenplanes",
                       "Problems of the timetable being computed"};
const MlText kCount = {"Problemi: %d", "Probleme: %d", "Problems: %d"};
const MlText kGrantCaption = {"Concedi la deroga", "Ausnahme gewähren"_cp, "Grant the exemption"};
const MlText kHistoryCaption = {"Memorizza il risultato", "Ergebnis speichern", "Store the result"};
const MlText kRestartCaption = {"Riparti da capo", "Von vorne beginnen", "Restart from scratch"};
const MlText kCloseCaption = {"Chiudi", "Schließen"_cp, "Close"};
const MlText kNoRun = {"Nessun calcolo in corso: le deroghe si concedono durante il calcolo.",
                       "Keine Berechnung im Gange: Ausnahmen werden während der Berechnung gewährt."_cp,
                       "No computation running: exemptions are granted while it runs."};
const MlText kNoSelection = {"Selezionare un problema.", "Ein Problem auswählen."_cp, "Select a problem."};
const MlText kPending = {"Richiesta precedente non ancora eseguita: attendere.",
                         "Vorherige Anfrage noch nicht ausgeführt: bitte warten."_cp,
                         "The previous request is not served yet: please wait."};
const MlText kRequested = {"Richiesta inviata al calcolo.", "Anfrage an die Berechnung gesendet.",
                           "Request handed to the computation."};
const char* const kColumns[3][5] = {{"Num", "Vincolo", "Professore", "Classe", "Descrizione"},
                                    {"Nr", "Begrenzung", "Lehrer", "Klasse", "Beschreibung"},
                                    {"Num", "Constraint", "Teacher", "Class", "Description"}};

constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;

const ControlTemplate kControls[] = {
    {"Static", Cquadropbs::kCountId, "", kSsLeft, 6, 6, 200, 10},
    {"ListView", Cquadropbs::kListId, "",
     kLvsReport | kLvsSingleSel | kLvsShowSelAlways | kWsBorder | kWsTabStop, 6, 18, 288, 150},
    {"Button", Cquadropbs::kGrantId, "Concedi la deroga", kButton, 6, 172, 80, 16},
    {"Button", Cquadropbs::kHistoryId, "Memorizza il risultato", kButton, 90, 172, 90, 16},
    {"Button", Cquadropbs::kRestartId, "Riparti da capo", kBsAutoCheckBox | kWsTabStop, 184, 174, 70, 12},
    {"Static", Cquadropbs::kNoticeId, "", kSsLeft, 6, 192, 220, 10},
    {"Button", Cquadropbs::kCloseId, "Chiudi", kButton, 238, 190, 56, 16},
};
const DialogTemplate kTemplate = {Cquadropbs::kTemplate, "Problemi",
                                  kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 300, 212, kControls};

ListView* list_of(Cquadropbs& w) { return static_cast<ListView*>(w.GetDlgItem(Cquadropbs::kListId)); }

// A cheap fingerprint of the copied list, so the rows (and the user's
// selection) are rebuilt only when the problems changed.
std::uint32_t signature(int count) {
  std::uint32_t s = 2166136261u ^ static_cast<std::uint32_t>(count);
  for (int i = 0; i < count; ++i) {
    const ViolationRecord& v = g_copied_problems[i];
    for (std::uint32_t word : {v.constraint_id, v.teacher, v.class_index, v.detail, v.record_number})
      s = (s ^ word) * 16777619u;
  }
  return s;
}

std::string teacher_name(std::uint32_t t) {
  if (t >= static_cast<std::uint32_t>(g_eng_school.teacher_count) || t >= static_cast<std::uint32_t>(kMaxTeachers))
    return "";
  return std::string(g_eng_teachers[t].name, strnlen(g_eng_teachers[t].name, sizeof g_eng_teachers[t].name));
}

std::string class_code(std::uint32_t c) {
  if (c >= static_cast<std::uint32_t>(g_eng_school.class_count) || c >= static_cast<std::uint32_t>(kMaxClasses))
    return "";
  return std::string(g_eng_classes[c].code, strnlen(g_eng_classes[c].code, sizeof g_eng_classes[c].code));
}

}  // namespace

void ui_register_problems_monitor_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

void Cquadropbs::ShowBeside(Cmake& window) {
  m_owner = &window;
  if (!IsWindow() && !Create(&window)) return;
  PlaceBeside(window, 0);
  ShowWindow(kSwShow);
  Refresh();
}

void Cquadropbs::PlaceBeside(Cmake& window, int /*moved*/) {
  if (!IsWindow() || !window.IsWindow()) return;
  Rect owner = window.GetWindowRect();
  Rect mine = GetWindowRect();
  int width = mine.right - mine.left, height = mine.bottom - mine.top;
  MoveWindow(Rect{owner.right - width, owner.top, owner.right, owner.top + height}, true);
}

bool Cquadropbs::OnInitDialog() {
  CDialogML::OnInitDialog();
  SetWindowTextML(kTitle);
  SetDlgItemText(kGrantId, kGrantCaption.Get());
  SetDlgItemText(kHistoryId, kHistoryCaption.Get());
  SetDlgItemText(kRestartId, kRestartCaption.Get());
  SetDlgItemText(kCloseId, kCloseCaption.Get());
  ListView* list = list_of(*this);
  list->SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  const int widths[5] = {36, 50, 110, 50, 220};
  for (int c = 0; c < 5; ++c) list->InsertColumn(c, kColumns[ui_language() % 3][c], kLvcfmtLeft, widths[c]);
  m_shown_signature = 0;
  SetTimer(kTimer, kTimerMs);
  return true;
}

void Cquadropbs::OnDestroy() {
  KillTimer(kTimer);
  m_owner = nullptr;
  CDialogML::OnDestroy();
}

void Cquadropbs::OnTimer(WParam id) {
  if (id == kTimer) Refresh();
  else CDialogML::OnTimer(id);
}

void Cquadropbs::Refresh() {
  if (!IsWindow()) return;
  std::unique_lock<std::timed_mutex> hold(g_problems_mutex, std::try_to_lock);
  if (!hold.owns_lock()) return;
  // The best result the search stored for its stage: the history keeps its
  // results sorted by their error count, fewest first.
  const ResultHistory& history = or_result_history();
  int n = 0;
  if (history.used > 0 && history.slots[0].records) {
    n = std::clamp(history.slots[0].record_count, 0, kMaxViolationRecords);
    std::memcpy(g_copied_problems, history.slots[0].records, sizeof(ViolationRecord) * static_cast<std::size_t>(n));
  }
  g_copied_problem_count = n;
  std::uint32_t now = signature(n);
  if (now == m_shown_signature) return;
  m_shown_signature = now;
  ListView* list = list_of(*this);
  list->DeleteAllItems();
  int shown = 0;
  for (int i = 0; i < n; ++i) {
    const ViolationRecord& v = g_copied_problems[i];
    if (v.constraint_id == 0) continue;
    int row = list->InsertItem(shown++, std::to_string(i + 1), static_cast<std::uintptr_t>(i));
    list->SetItemText(row, 1, std::to_string(v.constraint_id));
    list->SetItemText(row, 2, teacher_name(v.teacher));
    list->SetItemText(row, 3, class_code(v.class_index));
    list->SetItemText(row, 4, or_violation_text(v, false));
  }
  char count[80];
  std::snprintf(count, sizeof count, kCount.Get(), shown);
  SetDlgItemText(kCountId, count);
}

void Cquadropbs::Request(std::uint8_t code) {
  if (!m_owner || !m_owner->Running()) {
    ui_message_box(kNoRun.Get());
    return;
  }
  ListView* list = list_of(*this);
  int row = list->GetNextItem(-1, kLvniSelected);
  if (code == kExemptionRequestGrant && row < 0) {
    ui_message_box(kNoSelection.Get());
    return;
  }
  std::lock_guard<std::timed_mutex> hold(g_problems_mutex);
  std::atomic_ref<std::uint8_t> request(g_exemption_current.bytes[0]);
  if (request.load() != kExemptionRequestNone) {
    SetDlgItemText(kNoticeId, kPending.Get());
    return;
  }
  ViolationRecord none{};
  const ViolationRecord& chosen = row >= 0 ? g_copied_problems[list->GetItemData(row)] : none;
  StoredExemption record = or_exemption_from_violation(chosen, kExemptionRequestNone);
  record.bytes[kExemptionFurtherRequestOffset] = 0;
  record.bytes[kExemptionFullRestartOffset] = IsDlgButtonChecked(kRestartId) == kBstChecked ? 1 : 0;
  // The engine looks at the request byte once per cycle without the mutex:
  // the record is whole before the byte says so.
  std::memcpy(g_exemption_current.bytes + 1, record.bytes + 1, kExemptionRecordSize - 1);
  request.store(code, std::memory_order_release);
  SetDlgItemText(kNoticeId, kRequested.Get());
}

bool Cquadropbs::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kGrantId: Request(kExemptionRequestGrant); return true;
      case kHistoryId: Request(kExemptionRequestHistory); return true;
      case kCloseId: DestroyWindow(); return true;
      default: break;
    }
  }
  return CDialogML::OnCommand(w, l);
}
