// The service tools (see service_tools.h). The operations work on the user
// interface's school model and write through the school-file writers, so a
// failed write leaves the old files; copies go through og_copy_file, which
// replaces a target only when the whole copy is written.
#include "schooldata/service_tools.h"

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_files.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_startup.h"
#include "shell/file_services.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

namespace {

const char* const kUnreadable = "Archivio non leggibile";
const char* const kServerPath = "\\VPS_Server_Data\\MIRVAT";
const char* const kServerOldPath = "\\VPS_Server_Data\\MIRVOL";
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

bool save_and_reread() {
  if (!og_save_school_files()) return false;
  return read_school();
}

int find_teacher(const char* name) {
  for (int t = 0; t < og_teacher_count(); ++t)
    if (std::strcmp(g_ui_teachers[t].name, name) == 0) return t;
  return -1;
}

bool ask(const char* question) { return ui_message_box_type(question, kMbYesNo | kMbIconQuestion) == kt::ui::kIdYes; }

// "G:x" becomes "PMGY:x": a grouping row ("G:" or "G2:") whose second digit
// is 2-9 loses that digit, and the part's daily maximum rises to it.
void move_map_digits_to_daily_max() {
  each_post_part([](UiPostPart& part) {
    for (char digit = '9'; digit >= '2'; --digit) {
      for (char* row : {part.grouping1, part.grouping2}) {
        if (row[1] != digit) continue;
        row[1] = 0;
        if (part.daily_max < digit - '0') part.daily_max = static_cast<std::int8_t>(digit - '0');
      }
    }
  });
}

// The teacher "ZZ" that an import made of a missing partner is no partner
// of any post any more.
void remove_zz_partner() {
  int zz = find_teacher("ZZ");
  if (zz < 0) return;
  UiTeachingPost blank;
  og_reset_teaching_post(blank);
  for (int t = 0; t < og_teacher_count(); ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      UiTeachingPost& post = teacher.posts[p];
      if (post.copy || post.partner != zz) continue;
      post.partner = -1;
      post.partner_part = blank.partner_part;
    }
  }
  og_remove_partner_post_copies(zz);
}

// Whether all of a teacher's posts lie in classes of one building.
bool posts_in_one_building(const UiTeacher& teacher) {
  int building = -2;
  for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
    int c = teacher.posts[p].class_index;
    if (c < 0 || c >= og_class_count()) continue;
    int b = g_ui_structure.classes[c].building;
    if (building != -2 && b != building) return false;
    building = b;
  }
  return true;
}

// The five steps of the description clean-up, each asked first.
void clean_up_description() {
  char text[200];
  if (ask("Porto a 18 ore quelli a 15, 16, 17")) {
    std::vector<int> hours = weekly_hours();
    // The missing hours go to the teacher's first post whose class still has
    // room for them in its week, so the school stays one the engine takes.
    std::vector<int> class_hours(kUiMaxClasses, 0);
    int week = 0;
    for (int d = 0; d < 7; ++d) week += g_ui_header.hours_per_day[d];
    each_teacher([&](UiTeacher& teacher) {
      for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
        const UiTeachingPost& post = teacher.posts[p];
        if (!post.copy && post.class_index >= 0 && post.class_index < kUiMaxClasses) class_hours[std::size_t(post.class_index)] += post.own.hours;
      }
    });
    int changed = 0;
    each_teacher([&](UiTeacher& teacher) {
      int missing = 18 - hours[std::size_t(&teacher - g_ui_teachers)];
      if (missing < 1 || missing > 3) return;
      for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
        UiTeachingPost& post = teacher.posts[p];
        if (post.copy || post.class_index < 0 || post.class_index >= kUiMaxClasses) continue;
        int& in_class = class_hours[std::size_t(post.class_index)];
        if (in_class + missing > week) continue;
        post.own.hours = static_cast<std::int8_t>(post.own.hours + missing);
        in_class += missing;
        ++changed;
        return;
      }
    });
    std::snprintf(text, sizeof text, "Modificati %d", changed);
    ui_message_box(text);
  }
  if (ask("Compattazione Cattedre?")) {
    // Posts alike in subject, class, conversation subject and lab become
    // one; only posts without a partner, so no partner's copy is left behind.
    each_teacher([](UiTeacher& teacher) {
      std::uint32_t count = teacher.post_count < kUiMaxPosts ? teacher.post_count : kUiMaxPosts;
      std::uint32_t kept = 0;
      for (std::uint32_t p = 0; p < count; ++p) {
        UiTeachingPost& post = teacher.posts[p];
        bool merged = false;
        for (std::uint32_t q = 0; q < kept && !post.copy && post.partner < 0; ++q) {
          UiTeachingPost& first = teacher.posts[q];
          if (first.copy || first.partner >= 0 || first.subject != post.subject || first.class_index != post.class_index ||
              first.conversation_subject != post.conversation_subject || first.lab != post.lab)
            continue;
          first.own.hours = static_cast<std::int8_t>(first.own.hours + post.own.hours);
          merged = true;
          break;
        }
        if (merged) continue;
        if (kept != p) teacher.posts[kept] = post;
        ++kept;
      }
      for (std::uint32_t p = kept; p < count; ++p) og_reset_teaching_post(teacher.posts[p]);
      teacher.post_count = kept;
    });
  }
  auto drop_labs = [](bool (*strange)(const char* name)) {
    each_teacher([strange](UiTeacher& teacher) {
      for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
        UiTeachingPost& post = teacher.posts[p];
        if (post.lab >= 0 && post.lab < kUiMaxLabs && strange(g_ui_structure.labs[post.lab].name)) post.lab = -1;
      }
    });
  };
  if (ask("Eliminazione laboratorio PALESTRA ?"))
    drop_labs([](const char* name) {
      std::string upper;
      for (const char* c = name; *c; ++c) upper += char(kt::cp1252_upper(static_cast<unsigned char>(*c)));
      return upper == "PALESTRA";
    });
  if (ask("Pulizia Laboratori strani che iniziano per cifra o per A ?"))
    drop_labs([](const char* name) { return (name[0] >= '0' && name[0] <= '9') || name[0] == 'A' || name[0] == 'a'; });
  if (ask("Pulizia Proffi strani che iniziano per cifra ?")) {
    each_teacher([](UiTeacher& teacher) {
      if (teacher.name[0] >= '0' && teacher.name[0] <= '9') og_prefix_non_letter_name(teacher.name, kUiNameSize - 1);
    });
  }
  rewrite_description();
}

// The data the server received with a school (the folder and the zip named
// by the first 20 characters of the folder's name) are kept in the sibling
// folder "MIRVOL", emptied first: the received school files and the zip.
// Once both are there, the server's copies of them go: the zip and the
// received files at the top of the folder. The folder itself stays, as the
// new copy lies inside it.
void keep_received_data(const std::string& folder) {
  std::string name = folder;
  while (!name.empty() && name.back() == '\\') name.pop_back();
  name = name.substr(name.find_last_of('\\') + 1).substr(0, 20);
  std::string zip = std::string(kServerPath) + "\\" + name + ".zip";
  if (!kt::file_exists(kt::translate_path(zip))) return;
  og_make_path((std::string(kServerOldPath) + "\\").c_str());
  std::vector<std::string> received;
  for (const char* file : kCopied) {
    std::string path = folder + "\\" + file;
    if (kt::file_exists(kt::translate_path(path))) received.push_back(file);
  }
  bool kept = og_empty_folder(kServerOldPath, nullptr) == 0;
  for (const std::string& file : received)
    kept = kept && og_copy_file((folder + "\\" + file).c_str(), (std::string(kServerOldPath) + "\\" + file).c_str(),
                                nullptr) == 0;
  kept = kept && og_copy_file(zip.c_str(), (std::string(kServerOldPath) + "\\" + name + ".zip").c_str(), nullptr) == 0;
  if (!kept) {
    char text[600];
    std::snprintf(text, sizeof text, "Errore creazione [%s]", kServerOldPath);
    ui_message_box(text);
    return;  // the server's data stay where they are
  }
  // A file that cannot go stays in both places; the user is told which.
  std::vector<std::string> gone = {zip};
  for (const std::string& file : received) gone.push_back(folder + "\\" + file);
  for (const std::string& path : gone) {
    if (og_delete_file_checked(path.c_str()) != 0) continue;
    char text[600];
    std::snprintf(text, sizeof text, "Errore cancellazione [%s]", path.c_str());
    ui_message_box(text);
  }
}

// Plain copies over the scrambled school files, for a look with an editor.
// A file that could not be rewritten keeps its scrambled contents, and the
// user is told which: it must not pass for a plain copy.
void unscramble_school_files() {
  for (const char* name : {"scuola1.txt", "scuola2.txt", "savego.txt", "ricevi.txt", "cattPROV.txt", "saveprov.txt"}) {
    if (!kt::file_exists(kt::translate_path(name)) || or_unscramble_file(name, 1, nullptr)) continue;
    char text[600];
    std::snprintf(text, sizeof text, "Errore scrittura [%s]", name);
    ui_message_box(text);
  }
}

// The school's name as one folder name: a name is typed by whoever made the
// school (or came with a received school), and a separator, a drive colon
// or a name of dots in it would put the copy into another folder, over
// another school's files. Blanks stay, as in every such folder.
std::string folder_of_school_name(const char* name) {
  std::string folder = name;
  bool only_dots = true;
  for (char& c : folder) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127 || std::strchr("\\/:*?\"<>|", c)) c = '_';
    if (c != '.' && c != ' ') only_dots = false;
  }
  if (only_dots)
    for (char& c : folder) c = '_';
  return folder;
}

}  // namespace

int og_copy_to_folder(int mode) {
  std::string folder;
  // The service server's received data: the chooser starts there when it exists.
  if (mode == 1 && kt::folder_exists(kt::translate_path(kServerPath))) og_set_current_folder(kServerPath);
  if (!g_school_folder_chooser || !g_school_folder_chooser(folder) || folder.empty()) return 2;
  if (!og_set_current_folder(folder.c_str()) || !read_school()) {
    og_set_current_folder(g_data_root);
    return 2;
  }
  std::string target = folder;
  if (target.back() != '\\') target += '\\';
  target += folder_of_school_name(g_ui_header.school_name);
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
  if (mode == 1) keep_received_data(folder);
  return 0;
}

void og_run_service_tool(int code) {
  if (code == 171010 || code == 171011) {
    std::string before = og_current_folder_path();
    if (og_copy_to_folder(code == 171011) != 0) og_set_current_folder(before.c_str());
    return;
  }
  switch (code) {
    case 17102:
      if (!read_school()) return;
      move_map_digits_to_daily_max();
      rewrite_description();
      return;
    case 17104:
      // The minimum and maximum bands of the personal constraints go.
      if (!read_school()) return;
      each_teacher([](UiTeacher& teacher) {
        UiTeacherConstraints& c = teacher.personal;
        for (std::int8_t* b : {&c.pmin[0], &c.pmin[1], &c.pmax[0], &c.pmax[1], &c.gmin, &c.gmax, &c.insegnamin}) *b = -1;
      });
      rewrite_description();
      return;
    case 17105:
      if (!read_school()) return;
      each_teacher([](UiTeacher& teacher) {
        if (teacher.personal.insegnamin > 2) teacher.personal.insegnamin = 2;
      });
      rewrite_description();
      return;
    case 17106:
      if (!read_school()) return;
      remove_zz_partner();
      if (rewrite_description()) ui_message_box("TOLTO ITP Zz - resto DA SVILUPPARE (PER ITP \xE8 FACILE)");
      return;
    case 17107:
      // No reception hours for anybody.
      if (!read_school()) return;
      each_teacher([](UiTeacher& teacher) { teacher.nor_flag = 1; });
      save_and_reread();
      return;
    case 17141:
      if (!read_school()) return;
      each_teacher([](UiTeacher& teacher) {
        for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) teacher.posts[p].own.placement = -1;
      });
      rewrite_description();
      return;
    case 17192:
      if (read_school()) clean_up_description();
      return;
    case 17201:
      if (!read_school()) return;
      each_teacher([](UiTeacher& teacher) { teacher.prns = 0; });
      g_provisional_mode = 0;
      g_timetable_state = '0';
      g_provisional_timetable_state = '0';
      save_and_reread();
      return;
    case 17203:
      // Two gaps a day are allowed to a teacher who works in one building.
      if (!read_school()) return;
      each_teacher([](UiTeacher& teacher) { teacher.personal.maxbudayper = posts_in_one_building(teacher) ? 2 : 0; });
      save_and_reread();
      return;
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
    case 17190: {
      if (!read_school()) return;
      g_description_archive_marker = 1;
      bool written = rewrite_description();
      g_description_archive_marker = 0;
      if (written) unscramble_school_files();
      return;
    }
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
