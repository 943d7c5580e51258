// The teacher actions of the teachers page: adding a teacher (also inline
// from the editor's partner list), renaming, stepping to the previous or
// next listed teacher, the new school year of one teacher's section and the
// trial computations. Each refusal is a message and leaves the model as it
// was; a name is cleaned before it is compared or stored.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "engine/errors.h"
#include "platform/cp1252.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_lookups.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/saved_timetable_rename.h"
#include "structure/teacher_page.h"
#include "structure/teacher_page_internal.h"
#include "structure/teacher_page_state.h"
#include "structure/teacher_page_texts.h"
#include "structure/trial_computation.h"

using namespace kt::ui;
using namespace procat;
namespace text = procat_text;

namespace {

// The teacher whose name equals `name` ignoring case, skipping `except`.
int teacher_named(const char* name, int except) {
  for (int t = 0; t < procat_teacher_count(); ++t)
    if (t != except && kt::cp1252_casecmp(teacher_name(t).c_str(), name) == 0) return t;
  return -1;
}

}  // namespace

int Cprocat::AddTeacher(bool inline_add) {
  if (!inline_add && !LeaveTeacher()) return -1;
  int count = procat_teacher_count();
  if (count >= kUiMaxTeachers) {
    ui_message_box(text::kTooManyTeachers);
    return -1;
  }
  char typed[kUiNameSize] = "";
  if (casella_run_input_box(text::kAddPrompt.Get(), typed, 20, 4, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return -1;
  char name[kUiNameSize];
  og_clean_name(name, typed);
  if (std::strlen(name) < 4) {
    ui_message_box(text::kNameTooShort);
    return -1;
  }
  if (name[0] < 'A' || name[0] > 'Z') {
    ui_message_box(text::kNameFirstLetter);
    return -1;
  }
  int existing = teacher_named(name, -1);
  if (existing >= 0) {
    ui_message_box(text::kAlreadyExists);
    if (!inline_add) MakeCurrent(existing);
    return existing;
  }
  og_init_teacher(count, name);
  g_ui_settings.teacher_count = std::uint32_t(count + 1);
  if (!inline_add) MakeCurrent(count);
  FillTeacherList();
  return count;
}

void Cprocat::OnRename() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher) return;
  char typed[kUiNameSize];
  std::memcpy(typed, teacher->name, kUiNameSize);
  typed[kUiNameSize - 1] = '\0';
  if (casella_run_input_box(text::kRenamePrompt.Get(), typed, 20, 4, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return;
  char name[kUiNameSize];
  og_clean_name(name, typed);
  if (std::strlen(name) < 4) {
    ui_message_box(text::kNameTooShort);
    return;
  }
  // A teacher's line starts with his name: the same first letter as a new
  // teacher's, or the school would no longer load.
  if (name[0] < 'A' || name[0] > 'Z') {
    ui_message_box(text::kNameFirstLetter);
    return;
  }
  if (std::strncmp(name, teacher->name, kUiNameSize) == 0) return;
  if (teacher_named(name, g_procat_teacher) >= 0) {
    ui_message_box(text::kNameInUse);
    return;
  }
  char old_name[kUiNameSize];
  std::memcpy(old_name, teacher->name, kUiNameSize);
  old_name[kUiNameSize - 1] = '\0';
  char new_name[kUiNameSize] = {};
  std::strncpy(new_name, og_escape_name(name), kUiNameSize - 1);
  // The saved timetable follows first: when it cannot, the teacher keeps
  // his name, so the school and its saved week still name him alike.
  std::string why;
  if (og_rename_in_saved_timetable(old_name, new_name, &why) < 0) {
    ui_message_box((std::string(text::kRenameNotSaved.Get()) + why).c_str());
    return;
  }
  std::memcpy(teacher->name, new_name, kUiNameSize);
  procat_remember_teacher(g_procat_teacher);
  FillTeacherList();
  FillAssignmentList();
}

void Cprocat::OnStep(int direction) {
  ComboBox* list = combo(*this, kTeacherListId);
  int row = list->GetCurSel() + direction;
  if (!procat_current_teacher() || row < 0 || row >= list->GetCount()) {
    list->SetFocus();
    return;
  }
  if (!LeaveTeacher()) return;
  int found = find_teacher(list->GetLBText(row));
  MakeCurrent(found);
  list->SetFocus();
}

// Moves the current teacher's posts in one section and track to the next
// year that has a class there, the highest year wrapping to the lowest.
void Cprocat::OnNewSchoolYear() {
  UiTeacher* teacher = procat_current_teacher();
  int number = procat_current_post_number();
  if (!teacher || number < 0 || teacher->posts[number].copy || teacher->posts[number].class_index < 0 ||
      teacher->posts[number].class_index >= class_count()) {
    message_beep(kBeepSimple);
    return;
  }
  const UiClass& chosen = g_ui_structure.classes[teacher->posts[number].class_index];
  char section = chosen.code[1], track = chosen.code[2];
  auto in_section = [&](int c) {
    const UiClass& k = g_ui_structure.classes[c];
    return k.code[0] != '\0' && k.code[1] == section && k.code[2] == track;
  };
  std::set<int> section_classes, taught;
  for (int c = 0; c < class_count(); ++c)
    if (in_section(c)) section_classes.insert(c);
  int posts = std::min<int>(teacher->post_count, kUiMaxPosts);
  for (int p = 0; p < posts; ++p) {
    const UiTeachingPost& post = teacher->posts[p];
    if (!post.copy && post.class_index >= 0 && post.class_index < class_count() && in_section(post.class_index))
      taught.insert(int{post.class_index});
  }
  if (taught == section_classes) {
    ui_message_box(text::kNothingToAdvance);
    return;
  }
  auto class_of_year = [&](char year) {
    for (int c : section_classes)
      if (g_ui_structure.classes[c].code[0] == year) return c;
    return -1;
  };
  for (int p = 0; p < posts; ++p) {
    UiTeachingPost& post = teacher->posts[p];
    if (post.copy || post.class_index < 0 || post.class_index >= class_count() || !in_section(post.class_index))
      continue;
    char year = g_ui_structure.classes[post.class_index].code[0];
    for (int step = 1; step <= 9; ++step) {
      char next = char('1' + (year - '1' + step) % 9);
      int target = class_of_year(next);
      if (target >= 0) {
        post.class_index = target;
        break;
      }
    }
  }
  g_procat_post = nullptr;
  FillAssignmentList();
  ShowPost();
}

void Cprocat::OnTrial(bool classes) {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher || !ValidateAllPosts()) return;
  RemovePartnerCopies();
  bool hours_changed = teacher->post_count != teacherSnapshot.post_count;
  for (int p = 0; p < kUiMaxPosts && !hours_changed; ++p)
    hours_changed = teacher->posts[p].own.hours != teacherSnapshot.posts[p].own.hours;
  if (hours_changed) or_delete_save_files(1);
  trial_run(classes, teacher->name);
  RebuildPartnerCopies();
  FillAssignmentList();
  ShowPost();
}
