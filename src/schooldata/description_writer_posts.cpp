// The description writer's teaching lines and personal-constraint lines.
// Every post gives up to three pieces: its own part under the teacher, the
// lab partner part and the conversation partner part under the partner;
// a "GM:" header is repeated whenever it changes. The teacher items
// ("TED:", "NI:", "SOS:", "KLK:") go once on a teacher's last own line.
//
// Indexes (subjects, classes, partners, labs) are checked before use; a
// part with fewer than one hour writes nothing but its closing piece.
#include <cstring>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/description_writer.h"
#include "schooldata/description_writer_parts.h"
#include "schooldata/model_lookups.h"
#include "schooldata/model_utilities.h"

namespace {

UiSchoolStructure& st = g_ui_structure;

const char* subject_name(int s) {
  if (s < 0 || s >= kUiMaxSubjects) return "";
  return st.subjects[s].name;
}

int post_count(const UiTeacher& t) {
  return static_cast<int>(t.post_count < kUiMaxPosts ? t.post_count : kUiMaxPosts);
}

// A group that was deleted keeps its index but has no name.
bool named_group(std::int32_t g) {
  return g >= 0 && g < kUiMaxLabGroups && static_cast<std::uint32_t>(g) < st.lab_group_count &&
         st.lab_groups[g].name[0] != 0;
}

std::string teacher_items(int t) {
  const UiTeacher& teacher = g_ui_teachers[t];
  std::string out;
  if (teacher.standby_hours > 0 || teacher.nor_flag || teacher.fc_mode != 0) {
    out += dw_format("\tTED:+%d", teacher.standby_hours);
    if (teacher.nor_flag) out += "+NOR";
    if (teacher.fc_mode == 1) out += "+FCA";
    if (teacher.fc_mode == 2) out += "+FCV";
  }
  if (teacher.personal.ni >= 0 && teacher.personal.ni < og_teacher_count()) {
    out += std::string("\tNI:") + og_escape_name(g_ui_teachers[teacher.personal.ni].name);
  }
  if (teacher.support_hours > 0) out += dw_format("\tSOS:%d", teacher.support_hours);
  if (teacher.main_subject >= 0 && teacher.main_subject != desc_inferred_main_subject(t)) {
    out += std::string("\tKLK:") + subject_name(teacher.main_subject);
  }
  return out;
}

std::string part_options(const UiTeachingPost& post, const UiPostPart& part, int kind, int line_teacher) {
  std::string out;
  if (kind == 0) {
    for (int k = 0; k < post.joint_count && k < 8; ++k) out += " ARTYW:" + dw_class_code(post.joint_classes[k]);
    if (part.lab_equipment > 0 && part.lab_equipment <= 20) {
      out += std::string(" ZENDO:") + g_ui_settings.lab_equipment[part.lab_equipment - 1];
    }
    if (named_group(post.lab_group)) {
      out += std::string(" GLB:") + st.lab_groups[post.lab_group].name + "-";
    }
  }
  if (part.extended_hours != 0) out += dw_format(" ITPMX:%d", part.extended_hours);
  if (part.gym_equipment > 0 && part.gym_equipment <= 20) {
    out += std::string(" ATTRE:") + g_ui_settings.gym_equipment[part.gym_equipment - 1];
  }
  if (part.joined_class >= 0 && part.joined_class < static_cast<int>(st.class_count)) {
    out += " I:" + dw_class_code(part.joined_class);
  }
  if (part.triple[0] >= 0) {
    out += dw_format(" %c:%d:%d-%d", part.letter_j ? 'J' : 'K', part.triple[0], part.triple[1] + 1, part.triple[2] + 1);
  }
  if (part.grouping1[0] != 0) out += std::string(" G:") + std::string(part.grouping1, strnlen(part.grouping1, 12));
  if (part.grouping2[0] != 0 && std::strncmp(part.grouping1, part.grouping2, 13) != 0) {
    out += std::string(" G2:") + std::string(part.grouping2, strnlen(part.grouping2, 12));
  }
  if (part.placement != 0) {
    out += dw_format(" %s%d", g_ui_teachers[line_teacher].reception ? "ORQ:" : "ORP:", part.placement);
  }
  if (part.daily_max >= 0) out += dw_format(" %s%d", kind == 0 ? "PMGY:" : "PMGZ:", part.daily_max);
  if (part.forbidden_hours[0] != 255) {
    std::string mask = og_format_week_mask(part.forbidden_hours);
    if (!mask.empty()) out += " KOP:" + mask;
  }
  if (part.excluded_day_subject >= 0) out += std::string(" MNIG:") + subject_name(part.excluded_day_subject) + ":";
  if (part.subgroup_subject >= 0) out += std::string(" GRUL:") + subject_name(part.subgroup_subject) + ":";
  if (part.building_move >= 0 && part.building_move < kUiMaxBuildings) {
    const char* name = g_ui_settings.buildings[part.building_move].name;
    out += part.building_move_option != 0 ? dw_format(" SPLY:%s-%d:", name, part.building_move_option)
                                          : std::string(" SPLX:") + name + ":";
  }
  if (part.classwork_hours >= 0) out += dw_format(" MISCRE:%d:", part.classwork_hours);
  return out;
}

// A grouping row asks for blocks of consecutive hours; blocks beyond the
// part's hours are refused by the engine, so the digits are lowered first.
// The model then holds what the file holds: nothing behind a row's end, and
// no second row equal to the first (which is not written).
void fit_grouping_rows(UiPostPart& part) {
  og_clamp_hour_digits(part);
  for (char* row : {part.grouping1, part.grouping2}) {
    std::size_t length = strnlen(row, 12);
    std::memset(row + length, 0, 13 - length);
  }
  if (std::strncmp(part.grouping1, part.grouping2, 13) == 0) std::memset(part.grouping2, 0, 13);
}

// A lab group's token goes on the post's own line, and the engine books
// every hour of that line in the group: a post whose lab comes only from a
// group has all its hours as lab hours, the teacher's own (a group names no
// lab under which a partner part could be written). The model is made to
// say so before it is written, as the reader gives it back. A group that
// was deleted (no name) is no group: its post is written, and kept, as a
// plain one rather than with an empty group name the engine ignores.
void fit_lab_group(UiTeachingPost& post, int teacher) {
  if (post.lab_group < 0) return;
  bool group_only = post.lab < 0 && post.conversation_subject < 0;
  if (!named_group(post.lab_group)) {
    post.lab_group = -1;
    if (group_only && (post.partner < 0 || post.partner == teacher)) {
      UiTeachingPost plain;
      og_reset_teaching_post(plain);
      post.partner = -1;
      post.partner_part = plain.partner_part;
    }
    return;
  }
  if (!group_only || (post.partner >= 0 && post.partner != teacher)) return;
  post.partner = teacher;
  UiTeachingPost plain;
  og_reset_teaching_post(plain);
  post.partner_part = plain.partner_part;
  post.partner_part.hours = post.own.hours > 0 ? post.own.hours : 0;
}

// Whether a lab or conversation line of another teacher's post names t:
// such a partner reopens from that line, items and all.
bool named_as_partner(int t) {
  for (int o = 0; o < og_teacher_count(); ++o) {
    for (int p = 0; p < post_count(g_ui_teachers[o]); ++p) {
      const UiTeachingPost& post = g_ui_teachers[o].posts[p];
      if (post.copy || post.partner != t || post.partner == o || post.partner_part.hours < 1) continue;
      if (post.lab >= 0 || post.conversation_subject >= 0) return true;
    }
  }
  return false;
}

struct TeachingWriter {
  explicit TeachingWriter(std::string& o) : out(o) {}
  std::string& out;
  std::string last_header;
  int last_partner = -2;
  int last_subject = -2;
  int last_teacher = -2;
  bool items_written[kUiMaxTeachers] = {};

  void write_part(int owner, int p, int kind) {
    const UiTeachingPost& post = g_ui_teachers[owner].posts[p];
    const UiPostPart& part = kind == 0 ? post.own : post.partner_part;
    int line_teacher = kind == 0 ? owner : post.partner;
    if (part.hours < 1 || line_teacher < 0 || line_teacher >= og_teacher_count()) return;
    std::string header;
    if (kind == 0) {
      const UiSubject* s = post.subject >= 0 && post.subject < kUiMaxSubjects ? &st.subjects[post.subject] : nullptr;
      header = std::string("GM:") + subject_name(post.subject) + "\t";
      if (s != nullptr && s->option_p) header += dw_format("PEXDIX:%c\t", '0' + s->option_p);
      if (s != nullptr && s->option_n) header += dw_format("NO118X:%c\t", '0' + s->option_n);
      if (s != nullptr && s->option_m) header += dw_format("MSOMX:%c\t", '0' + s->option_m);
      header += "\n";
    } else if (kind == 1) {
      const char* lab = post.lab >= 0 && post.lab < kUiMaxLabs ? st.labs[post.lab].name : "";
      header = std::string("GM:") + lab + "\tLAB:SPECIFICO\t\n";
    } else {
      header = std::string("GM:") + subject_name(post.conversation_subject) + "\tCON:SPECIFICO\t\n";
    }
    bool new_line = false;
    if (header != last_header) {
      out += "\n" + header;
      last_header = header;
      new_line = true;
    }
    if (kind != 0 && (line_teacher != last_partner || post.subject != last_subject)) {
      if (last_partner != -2) out += "\t\n";
      last_partner = line_teacher;
      last_subject = post.subject;
      new_line = true;
    }
    if (line_teacher != last_teacher) new_line = true;
    last_teacher = line_teacher;
    if (new_line) {
      out += og_escape_name(g_ui_teachers[line_teacher].name);
      if (kind != 0) out += std::string("\t") + subject_name(post.subject);
    }
    out += "\t" + dw_class_code(post.class_index) + dw_format(" %d", part.hours);
    out += part_options(post, part, kind, line_teacher);
    bool last_own = kind == 0 && p == post_count(g_ui_teachers[owner]) - 1;
    if ((last_own || kind != 0) && !items_written[line_teacher]) {
      items_written[line_teacher] = true;
      out += teacher_items(line_teacher);
    }
  }
};


}  // namespace

void dw_write_teaching(std::string& out, bool provisional) {
  const std::vector<bool> taught = og_subjects_with_lessons();
  auto known = [&](std::int32_t s) { return s >= 0 && s < kUiMaxSubjects && taught[static_cast<std::size_t>(s)]; };
  for (int t = 0; t < og_teacher_count(); ++t) {
    for (int p = 0; p < post_count(g_ui_teachers[t]); ++p) {
      UiTeachingPost& post = g_ui_teachers[t].posts[p];
      if ((post.lab >= 0 || post.conversation_subject >= 0) && post.partner < 0) post.partner = t;
      fit_lab_group(post, t);
      // A lab or conversation partner shares hours of the post: never more
      // than the post has (the engine, and this program's reader, find no
      // post for a partner with more).
      if (post.partner_part.hours > post.own.hours) {
        post.partner_part.hours = post.own.hours > 0 ? post.own.hours : 0;
      }
      fit_grouping_rows(post.own);
      fit_grouping_rows(post.partner_part);
      // A subject no post teaches any more is unknown to the engine.
      for (UiPostPart* part : {&post.own, &post.partner_part}) {
        if (!known(part->excluded_day_subject)) part->excluded_day_subject = -1;
        if (!known(part->subgroup_subject)) part->subgroup_subject = -1;
      }
    }
  }
  TeachingWriter w{out};
  static const char* const kStandby[3] = {"Disposizione", "Verf\xFCgung", "Substitutions"};
  for (int t = 0; t < og_teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    if (provisional && teacher.prns) continue;
    // A teacher without posts of its own is kept too, in its place: a
    // teacher just added, or whose last post went, reopens as it was saved.
    // The engine takes a name line under the stand-by header only with its
    // "TED:" item. A lab or conversation partner has its own lines already.
    if (teacher.post_count == 0 && teacher.name[0] != 0 && !named_as_partner(t)) {
      std::string items = teacher_items(t);
      if (items.find("\tTED:") == std::string::npos) items = "\tTED:+0" + items;
      std::string header = std::string("GM:") + kStandby[g_language < 3 ? g_language : 0] + "\t\n";
      if (header != w.last_header) out += "\n" + header;
      w.last_header = header;
      w.last_teacher = t;
      w.items_written[t] = true;
      out += std::string(og_escape_name(teacher.name)) + items + "\t\n";
      continue;
    }
    for (int p = 0; p < post_count(teacher); ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if (post.copy) continue;
      w.write_part(t, p, 0);
      out += "\t\n";
      if (post.lab >= 0) w.write_part(t, p, 1);
      out += "\t\n";
      if (post.conversation_subject >= 0 && post.partner != t) w.write_part(t, p, 2);
      out += "\t\n";
    }
  }
}

void dw_write_constraints(std::string& out, bool provisional) {
  out += "\n";
  for (int t = 0; t < og_teacher_count(); ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    // Every teacher the teaching lines name, as the engine wants.
    if (teacher.name[0] == 0 || (provisional && teacher.prns && teacher.post_count == 0)) continue;
    out += "V:\t" + std::string(og_escape_name(teacher.name)) + dw_constraint_tokens(teacher);
    if (g_description_archive_marker) out += "\tQWEQWE\t";
    out += "\t\n";
  }
}
