// Behaviour of the special teacher constraints page (see
// special_teacher_page.h): opening, the partner check, showing and leaving
// a teacher, previous/next, save, abandon and the two test computations.
// The controls and their rules are in special_teacher_fields.cpp.
#include "constraints/special_teacher_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "shell/dialog_title.h"
#include "shell/frame.h"
#include "shell/message_box.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"
#include "structure/trial_computation.h"

using namespace kt::ui;

int Cvidia::s_only_kind = 0;

namespace {

#define KT_TEXT(name, it, de, en) const MlText name = {{it, de, en}};

KT_TEXT(kPageHelp,
        "Vincoli personali di uso estremamente raro e specifico. Ogni vincolo va usato soltanto quando serve "
        "davvero e dopo avere ottenuto un orario chiuso.",
        "Persönliche Begrenzungen für äußerst seltene und besondere Fälle. Jede nur benutzen, wenn sie wirklich "
        "nötig ist, und erst nach einem fertigen Stundenplan."_cp,
        "Personal constraints of extremely rare and specific use. Use each one only when it is really needed and "
        "after a closed timetable has been obtained.")
KT_TEXT(kPostsRefused,
        "Qui si configurano i vincoli globali per il Professore. La selezione delle sue CLASSI non serve.",
        "Hier werden die allgemeinen Begrenzungen des Lehrers eingestellt. Die Auswahl seiner KLASSEN ist nicht nötig."_cp,
        "Here you set the teacher's global constraints. Selecting his CLASSES is not needed.")
KT_TEXT(kPostsHeading, "- Vincoli personali per i Professori - Parte Speciale",
        "- Persönliche Begrenzungen der Lehrer - Sonderteil"_cp, "- Personal constraints of Teachers - Special Part")
KT_TEXT(kOverlapConflict,
        "Il Professore %s è stato dichiarato NON SOVRAPPONIBILE sia a %s sia a %s.\nSi può dichiarare solo un "
        "Professore con orario NON SOVRAPPONIBILE a un altro."_cp,
        "Der Lehrer %s wurde sowohl mit %s als auch mit %s als NICHT ÜBERSCHNEIDBAR erklärt.\nNur ein Lehrer kann "
        "als NICHT ÜBERSCHNEIDBAR mit einem anderen erklärt werden."_cp,
        "Teacher %s was declared NEVER OVERLAPPING with both %s and %s.\nOnly one Teacher can be declared NEVER "
        "OVERLAPPING with another.")
KT_TEXT(kCarConflict,
        "Il Professore %s è stato dichiarato IN CONDIVISIONE AUTOMEZZO sia con %s sia con %s.\nSi può dichiarare "
        "solo un Professore con orario IN CONDIVISIONE AUTOMEZZO con un altro."_cp,
        "Der Lehrer %s wurde sowohl mit %s als auch mit %s als FAHRGEMEINSCHAFT erklärt.\nNur ein Lehrer kann als "
        "FAHRGEMEINSCHAFT mit einem anderen erklärt werden."_cp,
        "Teacher %s was declared CAR SHARING with both %s and %s.\nOnly one Teacher can be declared CAR SHARING with "
        "another.")
KT_TEXT(kTechHelp, "Parametri tecnici da modificare solo su indicazione dell'assistenza.",
        "Technische Parameter, nur auf Anweisung des Supports zu ändern."_cp,
        "Technical parameters, to be changed only when the support service says so.")
KT_TEXT(kFridayCaption, "Se in servizo %s ora %d non in servizio Lunedì prima ora"_cp,
        "Wenn %s in Stunde %d im Dienst, dann nicht Montag erste Stunde",
        "If on duty %s hour %d, not on duty Monday first hour")

std::string name_of(int t) { return std::string(g_ui_teachers[t].name, strnlen(g_ui_teachers[t].name, kUiNameSize - 1)); }

int teacher_count() { return procat_teacher_count(); }

bool valid_teacher(int t) { return t >= 0 && t < teacher_count(); }

// The two partner links of a teacher (never-overlap, car sharing); the
// record is packed, so the links are read and written by value.
int link_of(int k, bool car) { return car ? g_ui_teachers[k].personal.carshare_partner : g_ui_teachers[k].personal.ni; }
void set_link(int k, bool car, int value) {
  if (car) g_ui_teachers[k].personal.carshare_partner = value;
  else g_ui_teachers[k].personal.ni = value;
}

// One partner link of teacher t must be answered by the partner and
// claimed by nobody else; the link is made mutual when the partner has
// none. False after the conflict message.
bool check_link(int t, bool car, const MlText& conflict) {
  int p = link_of(t, car);
  if (!valid_teacher(p) || p == t) return true;
  char text[400];
  int back = link_of(p, car);
  if (back < 0) {
    set_link(p, car, t);
  } else if (back != t) {
    std::string a = name_of(t), b = name_of(p), c = valid_teacher(back) ? name_of(back) : std::string();
    std::snprintf(text, sizeof text, conflict.Get(), a.c_str(), b.c_str(), c.c_str());
    ui_message_box(text);
    return false;
  }
  for (int k = 0; k < teacher_count(); ++k) {
    int claimed = link_of(k, car);
    if (k == t || k == p || (claimed != t && claimed != p)) continue;
    std::string a = name_of(claimed), b = name_of(t), c = name_of(k);
    std::snprintf(text, sizeof text, conflict.Get(), a.c_str(), b.c_str(), c.c_str());
    ui_message_box(text);
    return false;
  }
  return true;
}

}  // namespace

bool Cvidia::Valid() const { return valid_teacher(m_teacher); }

void Cvidia::DoDataExchange(DataExchange& dx) {
  for (std::size_t i = 0; i < kComboIds.size(); ++i) dx.Control(kComboIds[i], m_combos[i]);
  for (std::size_t i = 0; i < kBoxIds.size(); ++i) dx.Control(kBoxIds[i], m_boxes[i]);
  dx.Control(kTeacherId, m_teachers);
  dx.Control(kPostsId, m_posts);
  dx.Control(kGroupingId, m_bands[0]);
  dx.Control(kEnterExitId, m_bands[1]);
  dx.Control(kLastHoursId, m_bands[2]);
  dx.Control(kWarningId, m_warning);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kPreviousId, m_previous);
  dx.Control(kNextId, m_next);
  dx.Control(kTestTeacherId, m_test_teacher);
  dx.Control(kTestClassesId, m_test_classes);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHowToId, m_howto);
  dx.Control(kTechHelpId, m_tech_help);
}

ComboBox& Cvidia::Combo(int id) {
  auto at = std::find(kComboIds.begin(), kComboIds.end(), id);
  return m_combos[std::size_t(at - kComboIds.begin())];
}

CCheck& Cvidia::Box(int id) {
  auto at = std::find(kBoxIds.begin(), kBoxIds.end(), id);
  return m_boxes[std::size_t(at - kBoxIds.begin())];
}

bool Cvidia::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("9 Vincoli speciali");
  FitIntoPageArea();
  ShowGrip(false);
  m_warning.SetColors(rgb(165, 0, 33), rgb(238, 255, 221));
  m_days = 0;
  m_longest = 0;
  int last_day = -1;
  for (int d = 0; d < 7; ++d) {
    int hours = g_ui_header.hours_per_day[d];
    if (hours > 0) {
      ++m_days;
      last_day = d;
    }
    m_longest = std::max(m_longest, std::min(hours, 12));
  }
  m_teacher = procat_find_current_teacher();
  m_teachers.ResetContent();
  for (int t = 0; t < teacher_count(); ++t) m_teachers.AddString(name_of(t));
  std::memset(&m_copy, 0, sizeof m_copy);
  procat_setup_assignment_list(m_posts, 0, nullptr, kPostsHeading.Get());
  FillCombos();
  m_teachers.SetCurSel(Valid() ? m_teacher : (teacher_count() > 0 ? 0 : -1));
  ShowTeacher(false);
  m_help.SetTextML(&kPageHelp);
  for (int id : {kFictitiousFreeId, kFictitiousCheckedId, kSupportId}) Box(id).EnableWindow(false);
  Box(kAutoSaveId).SetCheck(g_auto_save ? kBstChecked : kBstUnchecked);
  if (last_day >= 0) {
    char caption[200];
    const char* name = g_ui_header.day_names[last_day];
    std::snprintf(caption, sizeof caption, kFridayCaption.Get(), name, int(g_ui_header.hours_per_day[last_day]));
    Box(kFridayId).SetWindowText(caption);
  }
  return true;
}

bool Cvidia::CheckPartners() {
  if (!Valid()) return true;
  if (!check_link(m_teacher, false, kOverlapConflict)) return false;
  if (!check_link(m_teacher, true, kCarConflict)) return false;
  NormaliseLunch();
  return true;
}

// A personal lunch break equal to the school's is no personal one. It goes
// back to the form of "none" the record had when shown, so a teacher only
// looked at does not count as changed.
void Cvidia::NormaliseLunch() {
  if (!Valid()) return;
  std::int8_t* own = Teacher().personal.pausameper;
  if (std::memcmp(own, g_ui_settings.lunch_break, 4) != 0) return;
  const std::int8_t* shown = m_copy.personal.pausameper;
  if (shown[0] <= 0) std::memcpy(own, shown, 4);
  else std::memset(own, 0, 4);
}

void Cvidia::FillPosts() {
  procat_fill_assignment_list(m_posts, Valid() ? m_teacher : -1, -1);
}

// Leaving a teacher saves him when he changed (asking unless the user chose
// otherwise); a "No" keeps him current and nothing else happens.
void Cvidia::ShowTeacher(bool leaving) {
  if (leaving && Valid()) {
    if (!CheckPartners()) {
      m_teachers.SetCurSel(m_teacher);
      return;
    }
    og_remove_partner_post_copies(m_teacher);
    NormaliseLunch();
    if (std::memcmp(&Teacher(), &m_copy, sizeof m_copy) != 0) {
      char text[300];
      std::string name = name_of(m_teacher);
      if (Box(kAutoSaveId).GetCheck() == kBstChecked) {
        std::snprintf(text, sizeof text, procat_text::kSavedAutomatically.Get(), name.c_str());
        message_beep(kBeepExclamation);
        ui_message_box(text);
      } else {
        std::snprintf(text, sizeof text, procat_text::kSaveChanges.Get(), name.c_str());
        if (ui_message_box_type(text, kMbYesNo | kMbIconQuestion) != 6) {
          og_add_partner_post_copies(m_teacher);
          m_teachers.SetCurSel(m_teacher);
          Refresh();
          return;
        }
        if (!m_asked_once &&
            ui_message_box_type(procat_text::kSaveNextWithoutAsking.Get(), kMbYesNo | kMbIconQuestion) == 6) {
          Box(kAutoSaveId).SetCheck(kBstChecked);
          g_auto_save = 1;
        }
        m_asked_once = true;
      }
      og_save_description_file();
    }
  }
  int chosen = m_teachers.GetCurSel();
  std::string wanted = chosen >= 0 ? m_teachers.GetLBText(chosen) : std::string();
  m_teacher = teacher_count() > 0 ? 0 : -1;
  for (int t = 0; t < teacher_count(); ++t)
    if (name_of(t) == wanted) {
      m_teacher = t;
      break;
    }
  if (Valid()) {
    procat_remember_teacher(m_teacher);
    g_procat_teacher = m_teacher;
    og_remove_partner_post_copies(m_teacher);
    m_copy = Teacher();
    og_add_partner_post_copies(m_teacher);
    std::int8_t* own = Teacher().personal.pausameper;
    if (own[0] <= 0 && g_ui_settings.lunch_break[0] != 0) std::memcpy(own, g_ui_settings.lunch_break, 4);
  }
  m_lunch_hours.Fill(Combo(kLunchHourId), Valid() ? Teacher().personal.pausameper[0] : 0);
  FillPosts();
  Refresh();
}

// Stops at lab-assistant or conversation teachers only when the opener
// asked so; past either end nothing changes.
void Cvidia::Navigate(int step) {
  if (!CheckPartners()) return;
  int at = m_teachers.GetCurSel();
  for (int to = at + step; to >= 0 && to < m_teachers.GetCount(); to += step) {
    if (s_only_kind == 1 && og_count_lab_posts(to) == 0) continue;
    if (s_only_kind == 2 && og_count_conversation_posts(to) == 0) continue;
    m_teachers.SetCurSel(to);
    ShowTeacher(true);
    return;
  }
  if (step > 0) {
    m_teachers.SetCurSel(-1);
    GotoDlgCtrl(&m_teachers);
    m_teachers.SetCurSel(m_teacher);
  }
}

void Cvidia::OnSave() {
  if (!Valid()) return;
  og_remove_partner_post_copies(m_teacher);
  NormaliseLunch();
  if (CheckPartners()) {
    og_save_description_file();
    og_add_partner_post_copies(m_teacher);
  } else {
    og_add_partner_post_copies(m_teacher);
    m_teachers.SetCurSel(m_teacher);
  }
  Refresh();
}

void Cvidia::OnTest(bool classes) {
  if (!Valid() || !CheckPartners()) return;
  og_remove_partner_post_copies(m_teacher);
  trial_run(classes, name_of(m_teacher).c_str());
  og_add_partner_post_copies(m_teacher);
  Refresh();
}

void Cvidia::OnCancel() {
  if (GetParent()) GetParent()->PostMessage(kMsgCommand, make_command_param(kPageReopen, 0), 0);
  if (GetParent()) GetParent()->PostMessage(kMsgCommand, make_command_param(kPageClose, 0), 0);
}

int Cvidia::DestroyWindow() {
  if (IsWindow() && Valid()) {
    if (!CheckPartners()) return 0;
    og_remove_partner_post_copies(m_teacher);
    if (og_save_if_changed(0) == 1) {
      og_add_partner_post_copies(m_teacher);
      Refresh();
      return 0;
    }
  }
  return CResizableDialog::DestroyWindow();
}

bool Cvidia::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kPostsId && header->code == kLvnItemChanged) {
    auto* n = reinterpret_cast<ListViewNotify*>(l);
    if ((n->changed & 8) && (n->new_state & kLvisSelected) && n->item >= 0) {
      m_posts.SetItemState(n->item, 0, kLvisSelected);
      ui_message_box_flags(kPostsRefused, kMbOk, kMbSuppressRepeat);
    }
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

bool Cvidia::OnCommand(WParam w, LParam l) {
  int id = command_id(w), code = command_code(w);
  if (id == kTeacherId && code == kCbnSelChange) ShowTeacher(true);
  else if ((id == kPreviousId || id == kNextId) && code == kBnClicked) Navigate(id == kPreviousId ? -1 : 1);
  else if ((id == kOverlapId || id == kCarShareId) && code == kCbnSelChange) OnPartnerChosen(id);
  else if ((id == kOverlapId || id == kCarShareId) && code == kCbnKillFocus) OnPartnerTyped(id);
  else if (id >= kLunchHourId && id <= kAfterReturnId && code == kCbnSelChange) OnLunch(id);
  else if (std::find(kComboIds.begin(), kComboIds.end(), id) != kComboIds.end() && code == kCbnSelChange) OnCombo(id);
  else if (std::find(kBoxIds.begin(), kBoxIds.end(), id) != kBoxIds.end() && code == kBnClicked) OnBox(id);
  else if (id >= kGroupingId && id <= kLastHoursId && code == kBnClicked) OnBand(id);
  else if (id == kSaveId && code == kBnClicked) OnSave();
  else if (id == kAbandonId && code == kBnClicked) {
    if (GetParent()) GetParent()->PostMessage(kMsgCommand, make_command_param(kPageReopen, 0), 0);
  } else if ((id == kTestTeacherId || id == kTestClassesId) && code == kBnClicked) OnTest(id == kTestClassesId);
  else if (id == kHowToId && code == kBnClicked) m_help.SetTextML(&kPageHelp);
  else if (id == kTechHelpId && code == kBnClicked) m_help.SetTextML(&kTechHelp);
  else return CResizableDialog::OnCommand(w, l);
  return true;
}
