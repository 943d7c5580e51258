// Behaviour and template of the technical editor (see technical_editor.h):
// opening loads the engine tables and lists the lessons, choosing a row
// fills the three drop-downs, a change stores the edit, runs the conflict
// check and rewrites the rows concerned; saving applies the edits and
// writes the timetable, which the engine's writer replaces through a
// temporary file. An engine failure while saving is shown and nothing is
// marked saved.
#include "structure/technical_editor.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/errors.h"
#include "engine/lesson_links.h"
#include "engine/model.h"
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "engine/week_grid_access.h"
#include "shell/dialog_title.h"
#include "shell/engine_commands.h"
#include "shell/frame.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"
#include "structure/shared_texts.h"
#include "structure/technical_edits.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

Ceditek g_technical_editor;

namespace {

using shared_text::kNobody;

const MlText kConflicts = {"Ci sono CONFLITTI: controllare colonna dei conflitti",
                           "Es gibt KONFLIKTE: die Spalte der Konflikte prüfen"_cp,
                           "There are CONFLICTS: check the column of conflicts"};
const MlText kNotLoaded = {"Orario non disponibile: elaborare prima l'orario.",
                           "Stundenplan nicht vorhanden: zuerst den Stundenplan berechnen.",
                           "Timetable not available: compute the timetable first."};
const char kHelp[] =
    "Editor tecnico, per utenti esperti. A orario completamente elaborato, potete spostare un'ora di lezione, e/o "
    "cambiare il laboratorio di un'ora di lezione. I conflitti creati con le modifiche manuali vengono evidenziati "
    "nella colonna dei conflitti.";
const char* const kColumns[10] = {"Progr.", "Giorno", "Ora iniziali", "Giorno", "Ora", "Professori", "Classe",
                                  "Laboratorio iniziale", "Laboratorio", "CONFLITTI progressivi"};

const ControlTemplate kControls[] = {
    {"Static", Ceditek::kHelpId, kHelp, 0, 8, 4, 460, 20},
    {"ComboBox", Ceditek::kDayId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 8, 28, 60, 120},
    {"ComboBox", Ceditek::kHourId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 74, 28, 40, 120},
    {"ComboBox", Ceditek::kLabId, "", kCbsDropDownList | kWsVScroll | kWsTabStop, 120, 28, 100, 120},
    {"Button", Ceditek::kSaveId, "!SALVA le modifiche", kBsPushButton | kWsTabStop, 240, 26, 100, 16},
    {"Button", Ceditek::kAbandonId, "!ABBANDONA le modifiche", kBsPushButton | kWsTabStop, 350, 26, 110, 16},
    {"ListView", Ceditek::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 8, 48, 460, 220},
};
// A captioned pop-up, as the other pages that also run as modal dialogs: the
// frame makes it a child when it shows it as a page.
const DialogTemplate kEditorTemplate = {Ceditek::kTemplate, "Editor tecnico",
                                        kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 476, 276, kControls};

const char* name_of(const char* name) { return name ? name : ""; }
const char* teacher_name(int t) { return t >= 0 && t < g_eng_school.teacher_count ? g_eng_teachers[t].name : ""; }
const char* room_name(int r) { return r >= 0 && r < g_eng_school.room_count ? g_eng_rooms[r].name : ""; }
std::string day_text(int d) {
  if (d < 0 || d >= kDays) return "";
  char text[16];
  std::snprintf(text, sizeof text, "%d %.3s", d + 1, g_eng_school.day_codes[d]);
  return text;
}
std::string hour_text(int h) {
  char text[8];
  std::snprintf(text, sizeof text, "%2d", h + 1);
  return text;
}

}  // namespace

void ui_register_technical_editor_template() {
  if (find_dialog_template(kEditorTemplate.id) != &kEditorTemplate) register_dialog_template(kEditorTemplate);
}

LResult tech_run_editor_modal() {
  Ceditek editor;
  return editor.DoModal();
}

LResult Ceditek::DoModal() {
  ui_register_technical_editor_template();
  m_dialog_form = true;
  LResult result = DoModalCaptioned(true);
  m_dialog_form = false;
  return result;
}

void Ceditek::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kDayId, m_day);
  dx.Control(kHourId, m_hour);
  dx.Control(kLabId, m_lab);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
}

bool Ceditek::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  if (!m_dialog_form) {
    ui_set_current_dialog_title("Editor tecnico");
    FitIntoPageArea();
    ShowGrip(false);
  }
  m_saved = false;
  m_loaded = false;
  m_lesson = -1;
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  for (int c = 0; c < 10; ++c) m_list.InsertColumn(c, kColumns[c], kLvcfmtLeft, c == 9 ? 160 : 70);
  tech_reset_edits();
  // No page may be left while the engine loads the school into its tables.
  // (a modal run has locked it already).
  if (!m_dialog_form) alfadlg_lock_navigation(1);
  bool loaded = og_run_engine(EngineCommandCode::Synt) == 0;
  if (!m_dialog_form) alfadlg_unlock_navigation(1);
  m_count = 0;
  if (!loaded) {
    ui_message_box(kNotLoaded);
    return true;
  }
  or_reset_record_rooms();
  m_count = tech_listed_lessons();
  // The calendars' pseudo-lessons follow the ordinary ones: cut from the
  // engine's lessons, they are neither listed nor saved. A school with more
  // ordinary lessons than the editor holds is not edited at all, so a save
  // never drops any of them.
  bool stopped_at_pseudo = m_count >= g_eng_school.lesson_count || g_eng_lessons[m_count].teacher < 0 ||
                           g_eng_lessons[m_count].teacher >= kMaxTeachers ||
                           g_eng_teachers[g_eng_lessons[m_count].teacher].calendar_class != -1;
  if (!stopped_at_pseudo) {
    m_count = 0;
    ui_message_box(kNotLoaded);
    return true;
  }
  // Without a computed week (none saved yet) there is nothing to edit, and
  // saving the unplaced lessons would put an empty week in the place of the
  // timetable. A week with some lessons unplaced (added since it was
  // computed) is still edited: placing them by hand is what the editor is for.
  bool placed = m_count == 0;
  for (int i = 0; i < m_count && !placed; ++i) placed = or_lesson_placed(i);
  if (!placed) {
    m_count = 0;
    ui_message_box(kNotLoaded);
    return true;
  }
  g_eng_school.lesson_count = m_count;
  m_loaded = true;
  tech_sort_line_runs(m_count);
  tech_check_conflicts(m_count);
  FillList();
  for (int d = 0; d < or_week_days(); ++d) m_day.AddString(std::string(g_eng_school.day_codes[d], strnlen(g_eng_school.day_codes[d], 3)));
  for (int h = 0; h < g_eng_run.longest_day && h < kHoursPerDay; ++h) m_hour.AddString(hour_text(h));
  m_lab.AddString(kNobody.Get());
  m_labs.clear();
  for (int r = 0; r < g_eng_school.room_count; ++r)
    if (g_eng_rooms[r].lab_flag & 1) {
      m_lab.AddString(g_eng_rooms[r].name);
      m_labs.push_back(r);
    }
  return true;
}

void Ceditek::WriteRow(int row, int lesson) {
  const EngineLesson& l = g_eng_lessons[lesson];
  const TechEditEntry& e = g_tech_edits[lesson];
  char text[64];
  std::snprintf(text, sizeof text, "%6d", lesson);
  if (row < 0) row = m_list.InsertItem(m_list.GetItemCount(), text, std::uintptr_t(lesson));
  m_list.SetItemText(row, 1, day_text(l.day));
  m_list.SetItemText(row, 2, l.day < kDays ? hour_text(l.hour) : "");
  m_list.SetItemText(row, 3, e.day != 255 ? day_text(e.day) : "...");
  m_list.SetItemText(row, 4, e.hour != 255 ? hour_text(e.hour) : "...");
  int second = or_lesson_has_second(lesson) ? l.second_teacher : -1;
  std::snprintf(text, sizeof text, "%s %s", teacher_name(l.teacher), teacher_name(second));
  m_list.SetItemText(row, 5, text);
  m_list.SetItemText(row, 6, l.class_index >= 0 && l.class_index < g_eng_school.class_count
                                 ? name_of(g_eng_classes[l.class_index].code) : "");
  m_list.SetItemText(row, 7, l.room == tech_own_room(lesson) ? "" : room_name(l.room));
  m_list.SetItemText(row, 8, e.lab == kTechNoLab ? kNobody.Get() : e.lab >= 0 ? room_name(e.lab) : "");
  std::string conflicts;
  for (std::uint16_t other : e.conflicts) {
    if (other == 65535) break;
    conflicts += std::to_string(other) + " ";
  }
  m_list.SetItemText(row, 9, conflicts);
  g_tech_edits[lesson].listed = conflicts.empty() ? 0 : 1;
}

void Ceditek::FillList() {
  m_list.DeleteAllItems();
  for (int i = 0; i < m_count; ++i) WriteRow(-1, i);
  tech_dump_edits();
}

// Rewrites the row of the lesson and every row that is or was in conflict.
void Ceditek::RefreshRows(int lesson) {
  for (int row = 0; row < m_list.GetItemCount(); ++row) {
    int i = std::atoi(m_list.GetItemText(row, 0).c_str());
    if (i < 0 || i >= m_count) continue;
    if (i == lesson || g_tech_edits[i].in_conflict || g_tech_edits[i].listed) WriteRow(row, i);
  }
  tech_dump_edits();
}

void Ceditek::ChooseRow(int row) {
  if (row < 0 || row >= m_list.GetItemCount()) return;
  int lesson = std::atoi(m_list.GetItemText(row, 0).c_str());
  if (lesson < 0 || lesson >= m_count) return;
  m_lesson = lesson;
  m_day.SetCurSel(tech_day(lesson) < kDays ? tech_day(lesson) : -1);
  m_hour.SetCurSel(tech_day(lesson) < kDays ? tech_hour(lesson) : -1);
  const TechEditEntry& e = g_tech_edits[lesson];
  int room = e.lab >= 0 ? e.lab : g_eng_lessons[lesson].room;
  int item = e.lab == kTechNoLab ? 0 : -1;
  for (std::size_t k = 0; k < m_labs.size() && item < 0; ++k)
    if (m_labs[k] == room) item = int(k) + 1;
  m_lab.SetCurSel(item);
}

void Ceditek::OnDayOrHour(bool day) {
  if (m_lesson < 0) return;
  int value = (day ? m_day : m_hour).GetCurSel();
  if (value < 0) return;
  tech_set_slot(m_lesson, day ? value : -1, day ? -1 : value);
  AfterChange();
}

void Ceditek::OnLab() {
  if (m_lesson < 0) return;
  int item = m_lab.GetCurSel();
  if (item < 0) return;
  tech_set_lab(m_lesson, item == 0 ? kTechNoLab : m_labs[std::size_t(item - 1)]);
  AfterChange();
}

void Ceditek::AfterChange() {
  for (Window* w : {static_cast<Window*>(&m_day), static_cast<Window*>(&m_hour), static_cast<Window*>(&m_lab)})
    w->EnableWindow(false);
  tech_check_conflicts(m_count);
  RefreshRows(m_lesson);
  for (Window* w : {static_cast<Window*>(&m_day), static_cast<Window*>(&m_hour), static_cast<Window*>(&m_lab)})
    w->EnableWindow(true);
}

bool Ceditek::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (code == kCbnSelChange && (id == kDayId || id == kHourId)) {
    OnDayOrHour(id == kDayId);
    return true;
  }
  if (code == kCbnSelChange && id == kLabId) {
    OnLab();
    return true;
  }
  if (code == kBnClicked && id == kSaveId) {
    Save();
    return true;
  }
  if (code == kBnClicked && id == kAbandonId) {
    Abandon();
    return true;
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Ceditek::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (!header || header->id != kListId) return CResizableDialog::OnNotify(w, l, result);
  auto* notify = reinterpret_cast<ListViewNotify*>(l);
  if (header->code == kLvnColumnClick) {
    ui_sort_list_by_column(m_list, notify->subitem, 0, 0);
    return true;
  }
  if (header->code == kLvnItemChanged && (notify->new_state & kLvisSelected) && !(notify->old_state & kLvisSelected)) {
    ChooseRow(notify->item);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Ceditek::Save() {
  // Nothing was loaded: the engine's tables are not a timetable to write.
  if (!m_loaded) {
    ui_message_box(kNotLoaded);
    return;
  }
  if (tech_check_conflicts(m_count) > 0) {
    RefreshRows(m_lesson);
    ui_message_box(kConflicts);
    return;
  }
  tech_apply_edits(m_count);
  try {
    or_save_timetable(kSaveNormal);
  } catch (const EngineFileError&) {
    ui_message_box(g_status.message);
    return;
  } catch (const EngineError&) {
    ui_message_box(g_status.message);
    return;
  }
  tech_reset_edits();
  m_saved = true;
  m_leaving = true;
  if (m_dialog_form) EndDialog(kModalEnd);
  else alfadlg_go_to_page(kPageProcessingMenu);
  m_leaving = false;
}

bool Ceditek::LeaveAllowed() {
  if (m_saved || !tech_any_edit(m_count)) return true;
  return ui_message_box_type(g_abandon_question, kMbYesNo | kMbIconQuestion) != kIdNo;
}

void Ceditek::Abandon() {
  if (m_dialog_form) {
    if (LeaveAllowed()) EndDialog(kModalEnd);
    return;
  }
  alfadlg_go_to_page(kPageProcessingMenu);
}

int Ceditek::DestroyWindow() {
  if (IsWindow() && !m_dialog_form && !m_leaving && !LeaveAllowed()) return 0;
  return CResizableDialog::DestroyWindow();
}
