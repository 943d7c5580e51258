// The shared helpers of the teachers page (see teacher_page_internal.h).
// Every index is checked against its count and table before a record is
// read, so a damaged index shows as an empty name, never a read past a
// table.
#include "structure/teacher_page_internal.h"

#include <cstdio>
#include <cstring>

#include "structure/teacher_page_state.h"
#include "schooldata/model_utilities.h"

namespace procat {

kt::ui::ComboBox* combo(kt::ui::Window& page, int id) { return static_cast<kt::ui::ComboBox*>(page.GetDlgItem(id)); }
kt::ui::Button* button(kt::ui::Window& page, int id) { return static_cast<kt::ui::Button*>(page.GetDlgItem(id)); }

std::string format(const MlText& text, const char* a, const char* b) {
  char buffer[1400];
  std::snprintf(buffer, sizeof buffer, text.Get(), a, b);
  return buffer;
}

std::string format_int(const char* pattern, int a, int b, int c) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
  return buffer;
}

namespace {
int clamp_count(std::uint32_t count, int max) { return count > std::uint32_t(max) ? max : int(count); }
}  // namespace

int class_count() { return og_class_count(); }
int subject_count() { return og_subject_count(); }
int lab_count() { return clamp_count(g_ui_structure.lab_count, kUiMaxLabs); }
int lab_group_count() { return clamp_count(g_ui_structure.lab_group_count, kUiMaxLabGroups); }

std::string name_of(const char* field) { return std::string(field, strnlen(field, kUiNameSize - 1)); }

std::string subject_name(int index) {
  return index >= 0 && index < subject_count() ? name_of(g_ui_structure.subjects[index].name) : "";
}
std::string teacher_name(int index) {
  return index >= 0 && index < procat_teacher_count() ? name_of(g_ui_teachers[index].name) : "";
}
std::string lab_name(int index) {
  return index >= 0 && index < lab_count() ? name_of(g_ui_structure.labs[index].name) : "";
}
std::string lab_group_name(int index) {
  return index >= 0 && index < lab_group_count() ? name_of(g_ui_structure.lab_groups[index].name) : "";
}
std::string class_label(int index) { return og_class_label(index); }

int select_exact(kt::ui::ComboBox& box, const std::string& text) {
  for (int i = 0; i < box.GetCount(); ++i)
    if (box.GetLBText(i) == text) return box.SetCurSel(i), i;
  box.SetCurSel(-1);
  return -1;
}

int find_subject(const std::string& text) {
  for (int s = 0; s < subject_count(); ++s)
    if (!text.empty() && subject_name(s) == text) return s;
  return -1;
}
int find_teacher(const std::string& text) {
  for (int t = 0; t < procat_teacher_count(); ++t)
    if (!text.empty() && teacher_name(t) == text) return t;
  return -1;
}
int find_lab(const std::string& text) {
  for (int l = 0; l < lab_count(); ++l)
    if (!text.empty() && lab_name(l) == text) return l;
  return -1;
}

bool has_partner_part(const UiTeachingPost& post) {
  return post.lab >= 0 || post.lab_group >= 0 || post.conversation_subject >= 0;
}

}  // namespace procat
