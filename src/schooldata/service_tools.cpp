// The service tools (see service_tools.h). The operations work on the user
// interface's school model and write through the school-file writers, so a
// failed write leaves the old files; copies go through og_copy_file, which
// replaces a target only when the whole copy is written.
#include "schooldata/service_tools.h"

#include <cstdio>
#include <string>

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
    default:
      ui_message_box(ui_not_available_text());
      return;
  }
}
