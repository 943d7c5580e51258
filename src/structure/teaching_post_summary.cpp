// The teaching-post summary page (see teaching_post_summary.h): building the
// records from the working teachers, the cells of each record, the sort by
// column, the totals panel, the trial runs of a row's teacher and the way
// to the teaching-post page. The export is in its own unit.
//
// The totals a teacher shows are worked out once per opening: lesson hours
// are the own posts' hours plus the partner parts taught for others (a lab
// lesson taught by the owner himself counts once); joint-class hours are
// kept apart and shown in the panel only.
#include "structure/teaching_post_summary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/shared_texts.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"
#include "structure/trial_computation.h"

using namespace kt::ui;
using namespace procat;

Csyncat g_syncat_page;

namespace {

using shared_text::kDummy;
using shared_text::kClassTotal;
using shared_text::kLessonHours;
using shared_text::kTeacherTotal;

const MlText kTitle = {"Riepilogo Cattedre", "Lehraufträge Übersicht"_cp, "Lessons Summary"};
const MlText kHelp = {
    "Usate questo pannello per controllare rapidamente soltanto i Professori, le loro CATTEDRE e le ore a "
    "DISPOSIZIONE.",
    "Mit dieser Seite prüfen Sie schnell nur die Lehrer, ihre LEHRAUFTRÄGE und die BEREITSCHAFTSSTUNDEN."_cp,
    "Use this panel to check quickly only the teachers, their TEACHING POSTS and the STAND-BY hours."};
const MlText kTooMany = {"Elementi pqedit", "Elementi pqedit", "Elementi pqedit"};
const MlText kHeaders[Csyncat::kColumns] = {
    {"Progr.", "Nr.", "No."},
    {"Classe", "Klasse", "Class"},
    {"Ore Classe", "Std. Klasse", "Class hours"},
    {"Sezione", "Zug", "Section"},
    {"Indirizzo", "Fachrichtung", "Study track"},
    {"Materia", "Fach", "Subject"},
    {"Professore", "Lehrer", "Teacher"},
    {"Ore in questa Classe", "Std. in dieser Klasse", "Hours in this class"},
    {"Prolungate", "Verlängert"_cp, "Extended"},
    {"Ore di Lezione totali del Professore", "Unterrichtsstunden des Lehrers", "Teacher's lesson hours"},
    {"Disposizione", "Bereitschaft", "Stand-by"},
    {"Sostegno", "Förderung"_cp, "Support"},
    {"Ore totali", "Stunden gesamt", "Total hours"},
    {"Labor. / Conver.", "Labor / Konv.", "Lab / Conv."},
};
const MlText kWith = {"con", "mit", "with"};
const MlText kInLab = {"(in laboratorio)", "(im Labor)", "(in the lab)"};
const MlText kJoint = {"articolato", "verbunden", "joint"};
const MlText kLab = {"Lab.", "Lab.", "Lab."};
const MlText kConversation = {"Con.", "Kon.", "Con."};
const MlText kHours = {"Ore", "Std.", "Hrs"};
const MlText kStandby = {"Ore a Disposizione", "Bereitschaftsstunden", "Stand-by hours"};
const MlText kSupport = {"Ore di Sostegno", "Förderstunden"_cp, "Support hours"};
const MlText kLabTotal = {"Totale ore %s", "Stunden %s", "Total hours %s"};
const MlText kJointHours = {"+ ore in classi articolate", "+ Stunden in verbundenen Klassen",
                            "+ hours in joint classes"};

constexpr bool kNumeric[Csyncat::kColumns] = {true, false, true, false, false, false, false,
                                              true, true, true, true, true, true, false};

std::string title_case(const std::string& name) {
  char out[256];
  or_title_case(out, name.substr(0, 200).c_str());
  return out;
}

// Weekly hours of a class over the own posts, and of them those of
// subgroups (posts with a subgroup subject).
std::string class_hours_text(int class_index) {
  int total = 0, subgroup = 0;
  for (int t = 0; t < procat_teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (int p = 0; p < std::min<int>(teacher.post_count, kUiMaxPosts); ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy || post.class_index != class_index) continue;
      total += post.own.hours;
      if (post.own.subgroup_subject >= 0) subgroup += post.own.hours;
    }
  }
  return subgroup > 0 ? format_int("%d/%d", total, total - subgroup) : format_int("%d", total);
}

std::string track_name(int class_index) {
  if (class_index < 0 || class_index >= class_count()) return "";
  char initial = g_ui_structure.classes[class_index].code[2];
  for (int t = 0; t < std::clamp<int>(g_ui_structure.track_count, 0, kUiMaxTracks); ++t)
    if (initial != ' ' && g_ui_structure.track_names[t][0] == initial) return name_of(g_ui_structure.track_names[t]);
  return "";
}

ListView* summary_list(Window& page) { return static_cast<ListView*>(page.GetDlgItem(Csyncat::kListId)); }

}  // namespace

Csyncat::Csyncat() : CResizableDialog(kTemplate, nullptr, rgb(244, 244, 244)) {}

void Csyncat::DoDataExchange(DataExchange& dx) {
  dx.Control(kHelpId, m_help);
  const int ids[5] = {kGoToPostsId, kTryTeacherId, kTryClassesId, kExportId, kEndId};
  for (int i = 0; i < 5; ++i) dx.Control(ids[i], m_buttons[i]);
}

bool Csyncat::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  FitIntoPageArea();
  ShowGrip(false);
  SetWindowText(kTitle.Get());
  ui_set_current_dialog_title(kTitle.Get());
  AnchorControl(kListId, kAnchorTopLeft, kAnchorBottomRight);
  for (int id : {kPanelId, kGoToPostsId, kTryTeacherId, kTryClassesId, kExportId, kHelpId, kEndId})
    AnchorControl(id, kAnchorTopRight);
  ListView* list = summary_list(*this);
  list->SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  while (list->GetColumnCount() > 0) list->DeleteColumn(0);
  for (int c = 0; c < kColumns; ++c) {
    int format = kNumeric[c] && c != 2 ? kLvcfmtRight : c == 2 ? kLvcfmtCenter : kLvcfmtLeft;
    const char* sizing = c == 9 ? kHeaders[12].Get() : kHeaders[c].Get();
    list->InsertColumn(c, kHeaders[c].Get(), format, og_text_width(nullptr, sizing) + 12);
  }
  std::fill(std::begin(m_directions), std::end(m_directions), 0);
  BuildRecords();
  FillList();
  ui_fit_list_columns(*list, -1, -1, false);
  SetDlgItemText(kPanelId, "");
  m_help.SetTextML(&kHelp);
  return true;
}

void Csyncat::OnSize(int type, int cx, int cy) {
  CResizableDialog::OnSize(type, cx, cy);
  if (IsInitialised()) ui_fit_list_columns(*summary_list(*this), -1, -1, false);
}

void Csyncat::BuildRecords() {
  m_records.clear();
  int teachers = procat_teacher_count();
  m_lesson_hours.assign(std::size_t(teachers), 0);
  m_joint_hours.assign(std::size_t(teachers), 0);
  bool full = false;
  auto add = [&](SummaryRecord record) {
    if (m_records.size() >= kMaxRecords) {
      full = true;
      return;
    }
    record.number = int(m_records.size()) + 1;
    m_records.push_back(std::move(record));
  };
  std::vector<std::array<int, 4>> parts;  // subject, conversation, hours, extended per record
  for (int t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    int posts = std::min<int>(teacher.post_count, kUiMaxPosts);
    for (int p = 0; p < posts; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy) continue;
      std::size_t before = m_records.size();
      add({0, post.class_index, t, t, -1, 0, false, {}});
      m_lesson_hours[t] += post.own.hours;
      for (int k = 0; k < std::clamp(int{post.joint_count}, 0, 8); ++k) {
        add({0, post.joint_classes[k], t, t, -1, 1, false, {}});
        m_joint_hours[t] += post.own.hours;
      }
      for (std::size_t r = before; r < m_records.size(); ++r)
        parts.push_back({post.subject, post.conversation_subject, post.own.hours, post.own.extended_hours});
    }
    for (int p = 0; p < posts; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy || post.partner < 0 || post.partner >= teachers) continue;
      std::size_t before = m_records.size();
      add({0, post.class_index, post.partner, t, post.lab, 2, false, {}});
      if (post.partner != t) m_lesson_hours[post.partner] += post.partner_part.hours;
      if (m_records.size() > before)
        parts.push_back({post.subject, post.conversation_subject, post.partner_part.hours, 0});
    }
  }
  if (full) ui_message_box_flags(kTooMany, kMbOk, kMbSuppressRepeat);
  for (std::size_t r = 0; r < m_records.size(); ++r) {
    SummaryRecord& rec = m_records[r];
    const std::array<int, 4>& part = parts[r];
    const UiTeacher& teacher = g_ui_teachers[rec.teacher];
    std::array<std::string, kColumns>& c = rec.cells;
    c[0] = format_int("%d", rec.number);
    c[1] = class_label(rec.class_index);
    c[2] = class_hours_text(rec.class_index);
    c[3] = rec.class_index >= 0 && rec.class_index < class_count()
               ? std::string(1, g_ui_structure.classes[rec.class_index].code[1])
               : "";
    c[4] = track_name(rec.class_index);
    c[5] = title_case(subject_name(part[0]));
    if (part[1] >= 0) c[5] += " (" + title_case(subject_name(part[1])) + ")";
    std::string name = title_case(teacher_name(rec.teacher));
    if (rec.kind == 2) {
      c[6] = rec.teacher == rec.owner ? name + " " + kInLab.Get()
                                      : name + " " + kWith.Get() + " " + title_case(teacher_name(rec.owner));
    } else {
      c[6] = teacher.fc_mode ? name + " (" + kDummy.Get() + ")" : name;
      if (rec.kind == 1) c[6] += std::string(" (") + kJoint.Get() + ")";
    }
    c[7] = format_int("%d", part[2]);
    c[8] = part[3] > 0 ? format_int("%d", part[3]) : "";
    int standby = std::max<int>(teacher.standby_hours, 0), support = std::max<int>(teacher.support_hours, 0);
    c[9] = format_int("%d", m_lesson_hours[rec.teacher]);
    c[10] = format_int("%d", standby);
    c[11] = format_int("%d", support);
    c[12] = format_int("%d", m_lesson_hours[rec.teacher] + standby + support);
    if (rec.kind == 2 && part[1] >= 0)
      c[13] = std::string(kConversation.Get()) + " " + subject_name(part[1]) + " ";
    else if (rec.kind == 2 && rec.lab >= 0)
      c[13] = std::string(kLab.Get()) + " " + lab_name(rec.lab) + " (" + kHours.Get() + ":" +
              std::to_string(part[2]) + ")";
  }
}

void Csyncat::FillList() {
  ListView* list = summary_list(*this);
  m_filling = true;
  list->DeleteAllItems();
  for (std::size_t r = 0; r < m_records.size(); ++r) {
    const SummaryRecord& rec = m_records[r];
    int row = list->InsertItem(int(r), rec.cells[0], r);
    for (int c = 1; c < kColumns; ++c) list->SetItemText(row, c, rec.cells[std::size_t(c)]);
    if (rec.selected) list->SetItemState(row, kLvisSelected, kLvisSelected);
  }
  m_filling = false;
}

// Stable sort by one column; each click reverses that column's direction,
// ascending the first time.
void Csyncat::SortBy(int column) {
  if (column < 0 || column >= kColumns) return;
  ListView* list = summary_list(*this);
  for (int row = 0; row < list->GetItemCount(); ++row)
    m_records[list->GetItemData(row)].selected = (list->GetItemState(row, kLvisSelected) & kLvisSelected) != 0;
  m_directions[column] = m_directions[column] > 0 ? -1 : 1;
  int direction = m_directions[column];
  std::size_t col = std::size_t(column);
  std::stable_sort(m_records.begin(), m_records.end(), [&](const SummaryRecord& a, const SummaryRecord& b) {
    int order;
    if (kNumeric[column]) {
      int x = std::atoi(a.cells[col].c_str()), y = std::atoi(b.cells[col].c_str());
      order = x < y ? -1 : x > y ? 1 : 0;
    } else {
      order = kt::cp1252_casecmp(a.cells[col].c_str(), b.cells[col].c_str());
    }
    return order * direction < 0;
  });
  FillList();
  m_help.SetTextML(&procat_text::kSortTip);
}

int Csyncat::SelectedRecord() const {
  ListView* list = summary_list(*const_cast<Csyncat*>(this));
  int row = list->GetNextItem(-1, kLvniSelected);
  return row < 0 ? -1 : int(list->GetItemData(row));
}

void Csyncat::ShowTotals(int record) {
  if (record < 0 || record >= int(m_records.size())) return;
  const SummaryRecord& rec = m_records[std::size_t(record)];
  const UiTeacher& teacher = g_ui_teachers[rec.teacher];
  std::string name = teacher_name(rec.teacher);
  std::string panel = format(kClassTotal, class_label(rec.class_index).c_str()) + ": " + rec.cells[2] + "\n";
  panel += format(kLessonHours, name.c_str()) + ": " + rec.cells[9] + "\n";
  panel += format(kTeacherTotal, name.c_str()) + ": " + rec.cells[12] + "\n";
  panel += std::string(kStandby.Get()) + ": " + format_int("%d", std::max<int>(teacher.standby_hours, 0)) + "\n";
  panel += std::string(kSupport.Get()) + ": " + format_int("%d", std::max<int>(teacher.support_hours, 0)) + "\n";
  if (rec.lab >= 0) {
    int lab_hours = 0;
    for (const SummaryRecord& other : m_records)
      if (other.lab == rec.lab) lab_hours += std::atoi(other.cells[7].c_str());
    panel += format(kLabTotal, lab_name(rec.lab).c_str()) + ": " + format_int("%d", lab_hours) + "\n";
  }
  if (m_joint_hours[std::size_t(rec.teacher)] > 0)
    panel += std::string(kJointHours.Get()) + ": " + format_int("%d", m_joint_hours[std::size_t(rec.teacher)]) + "\n";
  SetDlgItemText(kPanelId, panel);
}

void Csyncat::OnTrial(bool classes) {
  int record = SelectedRecord();
  if (record < 0) {
    message_beep(kBeepSimple);
    return;
  }
  trial_run(classes, g_ui_teachers[m_records[std::size_t(record)].teacher].name);
}

bool Csyncat::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kGoToPostsId: {
        int record = SelectedRecord();
        if (record >= 0) procat_remember_teacher(m_records[std::size_t(record)].teacher);
        alfadlg_go_to_page(kPageProcat);
        return true;
      }
      case kTryTeacherId: OnTrial(false); return true;
      case kTryClassesId: OnTrial(true); return true;
      case kExportId: OnExport(); return true;
      case kEndId: OnCancel(); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

bool Csyncat::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (!header || header->id != kListId) return CResizableDialog::OnNotify(w, l, result);
  auto* notify = reinterpret_cast<ListViewNotify*>(l);
  if (header->code == kLvnColumnClick) {
    SortBy(notify->subitem);
    return true;
  }
  if (header->code == kLvnItemChanged && !m_filling && (notify->new_state & kLvisSelected) &&
      !(notify->old_state & kLvisSelected)) {
    ShowTotals(int(notify->param));
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}
