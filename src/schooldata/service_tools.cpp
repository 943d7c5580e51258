// The service tools (see service_tools.h). The operations work on the user
// interface's school model and write through the school-file writers, so a
// failed write leaves the old files; copies go through og_copy_file, which
// replaces a target only when the whole copy is written.
#include "schooldata/service_tools.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_files.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/file_services.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

namespace {

const char* const kUnreadable = "Archivio non leggibile";
const char* const kCopied[] = {"scuola1.txt", "scuola2.txt", "savego.txt", "saveprov.txt",
                               "scuola3.txt", "ricevi.txt",  "assenze.txt"};

bool read_school() {
  if (og_read_structure_file(0) != 0 || og_read_assignments_file(0) != 0) {
    ui_message_box(kUnreadable);
    return false;
  }
  return true;
}

bool rewrite_description() {
  if (og_write_assignments_file(0, 0) != 0) {
    ui_message_box(og_description_write_error());
    return false;
  }
  return read_school();
}

template <typename F>
void each_post_part(F change) {
  std::uint32_t teachers = g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers;
  for (std::uint32_t t = 0; t < teachers; ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    std::uint32_t posts = teacher.post_count < kUiMaxPosts ? teacher.post_count : kUiMaxPosts;
    for (std::uint32_t p = 0; p < posts; ++p) {
      change(teacher.posts[p].own);
      change(teacher.posts[p].partner_part);
    }
  }
}

template <typename F>
void each_teacher(F change) {
  std::uint32_t teachers = g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers;
  for (std::uint32_t t = 0; t < teachers; ++t) change(g_ui_teachers[t]);
}

// A teacher's weekly hours: its own posts and the partner parts of other
// teachers' posts that name it.
std::vector<int> weekly_hours() {
  std::vector<int> hours(kUiMaxTeachers, 0);
  std::uint32_t teachers = g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers;
  for (std::uint32_t t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy) continue;
      hours[t] += post.own.hours;
      if (post.partner >= 0 && std::uint32_t(post.partner) < teachers) hours[std::size_t(post.partner)] += post.partner_part.hours;
    }
  }
  return hours;
}

// A teacher with a full timetable keeps no day on which every hour of the
// school's day is forbidden.
void clear_full_forbidden_days() {
  std::vector<int> hours = weekly_hours();
  std::uint32_t teachers = g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count : kUiMaxTeachers;
  for (std::uint32_t t = 0; t < teachers; ++t) {
    if (hours[t] < 18) continue;
    std::uint8_t* grid = g_ui_teachers[t].personal.op;
    for (int d = 0; d < 7; ++d) {
      int day_hours = g_ui_header.hours_per_day[d] < 12 ? g_ui_header.hours_per_day[d] : 12;
      bool full = day_hours > 0;
      for (int h = 0; full && h < day_hours; ++h) full = grid[d * 12 + h] == 1;
      if (full) std::fill(grid + d * 12, grid + d * 12 + 12, std::uint8_t{0});
    }
  }
}

// Each teacher's posts in the order of their subjects' names; copies of a
// partner's posts are dropped first.
void sort_posts_by_subject() {
  auto name = [](const UiTeachingPost& post) -> std::string {
    if (post.subject < 0 || post.subject >= kUiMaxSubjects) return std::string();
    return g_ui_structure.subjects[post.subject].name;
  };
  each_teacher([&](UiTeacher& teacher) {
    std::uint32_t count = teacher.post_count < kUiMaxPosts ? teacher.post_count : kUiMaxPosts;
    UiTeachingPost* end = std::remove_if(teacher.posts, teacher.posts + count,
                                         [](const UiTeachingPost& post) { return post.copy != 0; });
    teacher.post_count = std::uint32_t(end - teacher.posts);
    std::stable_sort(teacher.posts, end, [&](const UiTeachingPost& a, const UiTeachingPost& b) {
      return name(a) < name(b);
    });
  });
}

// Plain copies over the scrambled school files, for a look with an editor.
void unscramble_school_files() {
  for (const char* name : {"scuola1.txt", "scuola2.txt", "savego.txt", "ricevi.txt", "cattPROV.txt", "saveprov.txt"})
    if (kt::file_exists(kt::translate_path(name))) or_unscramble_file(name, 1, nullptr);
}

}  // namespace

int og_copy_to_folder(int mode) {
  (void)mode;  // the service server's copy has no place on this system
  std::string folder;
  if (!g_school_folder_chooser || !g_school_folder_chooser(folder) || folder.empty()) return 2;
  if (!og_set_current_folder(folder.c_str()) || !read_school()) {
    og_set_current_folder(g_data_root);
    return 2;
  }
  std::string target = folder;
  if (target.back() != '\\') target += '\\';
  target += g_ui_header.school_name;
  char text[600];
  std::string machine = kt::translate_path(target);
  if (kt::folder_exists(machine)) {
    std::snprintf(text, sizeof text, "[%s] esiste: ricopro con i nuovi dati ? ", target.c_str());
    if (ui_message_box_type(text, kMbYesNo) != kt::ui::kIdYes) return 3;
  } else {
    og_make_path((target + "\\").c_str());
    if (!kt::folder_exists(machine)) {
      std::snprintf(text, sizeof text, "Errore creazione [%s]", target.c_str());
      ui_message_box(text);
      return 4;
    }
  }
  for (const char* name : kCopied) {
    std::string to = target + "\\" + name;
    if (!kt::file_exists(kt::translate_path(name))) continue;
    if (og_copy_file(name, to.c_str(), nullptr) != 0) {
      std::snprintf(text, sizeof text, "Errore creazione [%s]", to.c_str());
      ui_message_box(text);
      return 4;
    }
  }
  og_set_current_folder(target.c_str());
  return 0;
}

void og_run_service_tool(int code) {
  if (code == 171010 || code == 171011) {
    std::string before = og_current_folder_path();
    if (og_copy_to_folder(code == 171011) != 0) og_set_current_folder(before.c_str());
    return;
  }
  switch (code) {
    case 17108:
      if (!read_school()) return;
      each_post_part([](UiPostPart& part) { part.hours = static_cast<std::int8_t>(part.hours * 2); });
      rewrite_description();
      return;
    case 17181:
      if (!read_school()) return;
      each_post_part([](UiPostPart& part) {
        if (part.hours > 0) --part.hours;
      });
      rewrite_description();
      return;
    case 17142:
      if (read_school()) rewrite_description();
      return;
    case 17190:
      if (!read_school() || !rewrite_description()) return;
      unscramble_school_files();
      return;
    case 17191:
      if (read_school()) unscramble_school_files();
      return;
    case 17110: case 17111: case 17112: case 17113: case 17114: case 17115: case 17116:
      // A requested free day of the chosen weekday is dropped.
      if (!read_school()) return;
      each_teacher([code](UiTeacher& teacher) {
        std::uint8_t& free_day = teacher.personal.li[code - 17110];
        if (free_day == 1) free_day = 255;
      });
      rewrite_description();
      return;
    case 17121:
    case 17122:
      if (!read_school()) return;
      each_teacher([code](UiTeacher& teacher) {
        std::int8_t* per_day = code == 17121 ? teacher.personal.om : teacher.personal.ov;
        std::fill(per_day, per_day + 7, std::int8_t{-1});
      });
      rewrite_description();
      return;
    case 17131:
      if (!read_school()) return;
      clear_full_forbidden_days();
      rewrite_description();
      return;
    case 17193:
      if (!read_school()) return;
      sort_posts_by_subject();
      if (rewrite_description()) unscramble_school_files();
      return;
    default:
      ui_message_box(ui_not_available_text());
      return;
  }
}
