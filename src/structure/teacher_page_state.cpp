// The teacher pages' shared state (see teacher_page_state.h). The
// remembered name makes a re-read school, where indexes may have moved,
// open on the same teacher.
#include "structure/teacher_page_state.h"

#include <cstring>

#include "schooldata/ui_school_model.h"
#include "shell/home_page.h"

std::int32_t g_procat_teacher = -1;
UiTeachingPost* g_procat_post = nullptr;
std::uint8_t g_procat_new_post = 0;
std::uint8_t g_auto_save = 0;

namespace {


char g_remembered_name[kUiNameSize] = "";

}  // namespace

int procat_teacher_count() {
  std::uint32_t count = g_ui_settings.teacher_count;
  return count > std::uint32_t(kUiMaxTeachers) ? kUiMaxTeachers : int(count);
}

UiTeacher* procat_current_teacher() {
  if (g_procat_teacher < 0 || g_procat_teacher >= procat_teacher_count()) return nullptr;
  return &g_ui_teachers[g_procat_teacher];
}

int procat_current_post_number() {
  UiTeacher* teacher = procat_current_teacher();
  if (!teacher || !g_procat_post) return -1;
  std::ptrdiff_t n = g_procat_post - teacher->posts;
  if (n < 0 || n >= kUiMaxPosts || n >= std::ptrdiff_t(teacher->post_count)) return -1;
  return int(n);
}

void procat_remember_teacher(int index) {
  g_selected_teacher = index;
  g_remembered_name[0] = '\0';
  if (index >= 0 && index < procat_teacher_count())
    std::memcpy(g_remembered_name, g_ui_teachers[index].name, kUiNameSize);
  g_remembered_name[kUiNameSize - 1] = '\0';
}

int procat_find_current_teacher() {
  int count = procat_teacher_count();
  if (count == 0) return -1;
  if (g_selected_teacher >= 0 && g_selected_teacher < count &&
      std::strncmp(g_ui_teachers[g_selected_teacher].name, g_remembered_name, kUiNameSize) == 0)
    return g_selected_teacher;
  for (int t = 0; t < count; ++t)
    if (g_remembered_name[0] && std::strncmp(g_ui_teachers[t].name, g_remembered_name, kUiNameSize) == 0) return t;
  return 0;
}
