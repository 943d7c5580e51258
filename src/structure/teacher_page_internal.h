// Helpers the four units of the teachers page share: access to the page's
// controls by id, texts formatted in the current language, names of the
// model's records clamped to their tables, and the class hour sums the post
// list and the editor show. Internal to the page.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"


namespace procat {

constexpr int kYes = 6;
constexpr int kQuestion = 0x24;  // Yes/No with the question icon

kt::ui::ComboBox* combo(kt::ui::Window& page, int id);
kt::ui::Button* button(kt::ui::Window& page, int id);
// A text row formatted with one or two strings.
std::string format(const MlText& text, const char* a, const char* b = "");
std::string format_int(const char* pattern, int a, int b = 0, int c = 0);

int class_count();
int subject_count();
int lab_count();
int lab_group_count();
std::string name_of(const char* field);  // a 20-character name field
std::string subject_name(int index);     // "" outside the table
std::string teacher_name(int index);
std::string lab_name(int index);
std::string lab_group_name(int index);
std::string class_label(int index);  // "?" outside the table
// Selects the row whose text is exactly `text` (case kept); -1 when none.
int select_exact(kt::ui::ComboBox& box, const std::string& text);
// The index of the subject, teacher or lab whose name is exactly `text`.
int find_subject(const std::string& text);
int find_teacher(const std::string& text);
int find_lab(const std::string& text);
// True for a lab or conversation post (a partner part to show and check).
bool has_partner_part(const UiTeachingPost& post);

}  // namespace procat
