// The description reader's teaching lines: the "GM:" header that sets the
// current subject, lab and conversation subject, and the lines below it
// that name a teacher, its class items (teaching posts or the partner part
// of another teacher's post) and the teacher's own items ("TED:", "KLK:").
//
// A teacher holds at most 40 posts and a post at most 8 further classes;
// every index read from the file is checked before it is stored. The names
// of "KLK:" items are kept aside and resolved after the whole file.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "engine/text_lines.h"
#include "schooldata/day_codes.h"
#include "schooldata/description_reader_parts.h"
#include "schooldata/model_lookups.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

std::string g_klk[kUiMaxTeachers];

bool starts(const std::string& text, const char* key) {
  return text.compare(0, std::strlen(key), key) == 0;
}

// The option's text from `from` up to the stop character or its end, copied
// as the engine's loader copies it.
std::string up_to(const std::string& text, std::size_t from, char stop) {
  std::vector<char> out(text.size() + 1);
  or_copy_to_char(out.data(), text.c_str() + from, stop);
  return out.data();
}

void read_hours_map(char* out, const std::string& digits, const std::string& line) {
  std::string kept;
  for (char c : digits) {
    if (c < '0' || c > '9' || kept.size() >= 7) break;
    if (c == '0') {
      desc_fail("Mappa ore consecutive con '0' - non ha senso", "Stundenfolge mit '0'",
                "Hour map with '0'", line);
    }
    kept += c;
  }
  desc_copy(out, kept, 13);
}

void read_option(UiTeachingPost& post, UiPostPart& part, bool own, int teacher,
                 const std::string& o, const std::string& line) {
  if (starts(o, "ARTYW:")) {
    // A class code starts with its year, as the structure file keeps it.
    if (o.size() <= 6 || o[6] < '0' || o[6] > '9') {
      desc_fail("Specificazione delle modalit\xE0 della cattedra?", "Unterrichtsangabe?", "Teaching post option?", line);
    }
    int c = desc_class(o.substr(6), true, line);
    if (post.joint_count < 8) post.joint_classes[post.joint_count++] = c;
  } else if (starts(o, "ITPMX:")) {
    part.extended_hours = desc_byte(o.c_str() + 6, line);
  } else if (starts(o, "G2:")) {
    read_hours_map(part.grouping2, o.substr(3), line);
  } else if (starts(o, "G:")) {
    read_hours_map(part.grouping1, o.substr(2), line);
  } else if (starts(o, "ORP:") || starts(o, "ORQ:")) {
    part.placement = desc_byte(o.c_str() + 4, line);
    if (o[2] == 'Q') g_ui_teachers[teacher].reception = 1;
  } else if (starts(o, "I:")) {
    part.joined_class = desc_class(o.substr(2), false, line);
  } else if (starts(o, "KOP:")) {
    std::memset(part.forbidden_hours, 0, kUiWeekCells);
    if (!desc_read_week_ranges(part.forbidden_hours, o.c_str() + 4)) {
      desc_fail("Errore di sintassi KOP:", "Syntaxfehler KOP:", "KOP: syntax error", line);
    }
  } else if ((o[0] == 'K' || o[0] == 'J') && o.size() > 1 && o[1] == ':') {
    int n = desc_byte(o.c_str() + 2, line);
    std::size_t colon = o.find(':', 2);
    std::size_t dash = o.find('-', 2);
    int a = colon == std::string::npos ? 0 : std::atoi(o.c_str() + colon + 1);
    int b = dash == std::string::npos ? 0 : std::atoi(o.c_str() + dash + 1);
    if (a < 1 || b > 12 || b < a) {
      desc_fail("Errore di sintassi COMPITI", "Syntaxfehler Klassenarbeiten", "Task syntax error", line);
    }
    part.triple[0] = static_cast<std::int8_t>(n);
    part.triple[1] = static_cast<std::int8_t>(a - 1);
    part.triple[2] = static_cast<std::int8_t>(b - 1);
    part.letter_j = o[0] == 'J' ? 1 : 0;
  } else if (starts(o, "PMGY:") || starts(o, "PMGZ:")) {
    part.daily_max = desc_byte(o.c_str() + 5, line);
  } else if (starts(o, "MNIG:")) {
    part.excluded_day_subject = desc_subject(up_to(o, 5, ':'), 0, line);
  } else if (starts(o, "GRUL:")) {
    part.subgroup_subject = desc_subject(up_to(o, 5, ':'), 0, line);
  } else if (starts(o, "MISCRE:")) {
    part.classwork_hours = desc_byte(o.c_str() + 7, line);
  } else if (starts(o, "SPLX:") || starts(o, "SPLY:")) {
    std::string name = up_to(o, 5, o[3] == 'Y' ? '-' : ':');
    part.building_move = -1;
    for (int b = 0; b < g_ui_settings.building_count && b < kUiMaxBuildings; ++b) {
      if (name == g_ui_settings.buildings[b].name) part.building_move = b;
    }
    std::size_t dash = o.find('-', 5);
    part.building_move_option = static_cast<std::uint8_t>(o[3] == 'Y' && dash != std::string::npos ? std::atoi(o.c_str() + dash + 1) : 0);
  } else if (starts(o, "GLB:")) {
    char name[kUiNameSize];
    or_copy_to_char_max(name, o.c_str() + 4, '-', kUiNameSize - 1);
    for (std::uint32_t g = 0; g < g_ui_structure.lab_group_count && g < kUiMaxLabGroups; ++g) {
      if (std::strcmp(name, g_ui_structure.lab_groups[g].name) == 0) post.lab_group = static_cast<std::int32_t>(g);
    }
  } else if (starts(o, "ATTRE:") || (own && starts(o, "ZENDO:"))) {
    char(*list)[kUiNameSize] = o[0] == 'A' ? g_ui_settings.gym_equipment : g_ui_settings.lab_equipment;
    char name[kUiNameSize];
    og_clean_name(name, o.c_str() + 6);
    int found = -1;
    for (int k = 0; k < 20 && found < 0; ++k) {
      if (list[k][0] == 0) desc_copy(list[k], name, kUiNameSize);
      if (std::strcmp(list[k], name) == 0) found = k;
    }
    if (found >= 0) (o[0] == 'A' ? part.gym_equipment : part.lab_equipment) = static_cast<std::int8_t>(found + 1);
  } else if (!starts(o, "REMREM:")) {
    desc_fail("Specificazione delle modalit\xE0 della cattedra?", "Unterrichtsangabe?",
              "Teaching post option?", line);
  }
}

UiTeachingPost& partner_post(int teacher, int subject, int cls, int hours, ReaderState& state,
                             const std::string& line) {
  int count = static_cast<int>(g_ui_settings.teacher_count);
  for (int want = hours; want >= 1; --want) {
    for (int t = count - 1; t >= 0; --t) {
      UiTeacher& owner = g_ui_teachers[t];
      for (std::uint32_t p = 0; p < owner.post_count && p < kUiMaxPosts; ++p) {
        UiTeachingPost& post = owner.posts[p];
        if (post.class_index != cls || post.subject != subject) continue;
        if (post.partner_part.hours != 0 || post.own.hours < want) continue;
        post.partner = teacher;
        post.lab = state.lab;
        post.conversation_subject = state.conversation;
        return post;
      }
    }
  }
  desc_fail("Manca Prof. materia principale per laboratorio (o ore insufficienti)",
            "Hauptfachlehrer für Labor fehlt"_cp, "Main subject teacher for lab missing", line);
}

void read_class_item(const std::string& item, ReaderState& state, const std::string& line) {
  std::size_t length = g_ui_structure.track_count >= 2 ? 3 : 2;
  if (item.size() < length + 2) desc_fail("Numero ore in classe?", "Stunden in der Klasse?", "Hours in class?", line);
  // A blank inside the code ("3 22" read as class "3 ", a '2' and 2 hours)
  // would be written as the code's padding and the blank before the hours,
  // which the line's normalisation joins into one: the item would not read
  // back.
  if (item.substr(0, length).find(' ') != std::string::npos) {
    desc_fail("Codice classe errato", "Falscher Klassencode", "Wrong class code", line);
  }
  int cls = desc_class(item.substr(0, length), true, line);
  if (state.line_subject < 0) {
    desc_fail("Materia non specificata", "Fach nicht angegeben", "Subject not given", line);
  }
  int hours = std::atoi(item.c_str() + length + 1);
  if (hours < 1 || hours > 84) desc_fail("Numero ore in classe?", "Stunden in der Klasse?", "Hours in class?", line);
  UiTeacher& teacher = g_ui_teachers[state.teacher];
  UiTeachingPost* post = nullptr;
  bool own = state.lab < 0 && state.conversation < 0;
  if (own) {
    if (teacher.post_count >= kUiMaxPosts) {
      desc_fail("Raggiunto massimo classi per Professore", "Zu viele Klassen pro Lehrer",
                "Too many classes per teacher", line);
    }
    post = &teacher.posts[teacher.post_count++];
    og_reset_teaching_post(*post);
    post->subject = state.line_subject;
    post->class_index = cls;
  } else {
    post = &partner_post(state.teacher, state.line_subject, cls, hours, state, line);
  }
  UiPostPart& part = own ? post->own : post->partner_part;
  part.hours = static_cast<std::int8_t>(hours);
  std::size_t at = item.find(' ', length + 1);
  while (at != std::string::npos) {
    std::size_t next = item.find(' ', at + 1);
    // A group or subject name may hold blanks ("GLB:GRUPPO INFO-",
    // "GRUL:STORIA E GEOGRAFIA:"): its option runs to the name's end mark,
    // as the engine reads it.
    char mark = item.compare(at + 1, 4, "GLB:") == 0 ? '-'
                : item.compare(at + 1, 5, "MNIG:") == 0 || item.compare(at + 1, 5, "GRUL:") == 0 ? ':'
                                                                                                 : '\0';
    if (mark != '\0') {
      std::size_t end = item.find(mark, item.find(':', at + 1) + 1);
      if (end != std::string::npos) next = item.find(' ', end);
    }
    std::string option = item.substr(at + 1, next == std::string::npos ? next : next - at - 1);
    if (!option.empty()) read_option(*post, part, own, state.teacher, option, line);
    at = next;
  }
}

void read_teacher_item(const std::string& f, UiTeacher& teacher, const std::string& line) {
  if (starts(f, "TED:")) {
    std::size_t plus = f.find('+');
    if (plus != std::string::npos) teacher.standby_hours = desc_byte(f.c_str() + plus + 1, line);
    if (f.find("+NOR") != std::string::npos) teacher.nor_flag = 1;
    if (f.find("+FCA") != std::string::npos) teacher.fc_mode = 1;
    if (f.find("+FCV") != std::string::npos) teacher.fc_mode = 2;
  } else if (starts(f, "SOS:")) {
    teacher.support_hours = desc_byte(f.c_str() + 4, line);
  } else if (starts(f, "KLK:")) {
    char name[kUiNameSize];
    or_copy_to_char_max(name, f.c_str() + 4, '|', kUiNameSize - 1);
    g_klk[&teacher - g_ui_teachers] = name;
  } else if (starts(f, "NI:")) {
    int other = og_find_or_add_teacher(f.c_str() + 3);
    if (other < 0) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
    teacher.personal.ni = other;
  } else if (starts(f, "INSE:") || starts(f, "XPRESE:")) {
    UiHq2Table& table = f[0] == 'I' ? teacher.personal.inse : teacher.personal.xprese;
    const char* p = std::strchr(f.c_str(), ':');
    while ((p = std::strchr(p, ':')) != nullptr) {
      const char* dash = std::strchr(p, '-');
      if (dash == nullptr) break;
      if (table.count >= 9) desc_fail("INSE: troppi elementi", "INSE: zu viele", "INSE: too many", line);
      table.pairs[table.count][0] = desc_byte(p + 1, line);
      table.pairs[table.count][1] = desc_byte(dash + 1, line);
      ++table.count;
      p = dash;
    }
  }
}

// The stand-by header word of any language ("Disposizione", "Verfügung",
// "Substitutions"), unless the school has a subject of that name.
bool standby_header(const std::string& name) {
  bool word = false;
  for (const char* w : {"Disposizione", "Verf\xFCgung", "Substitutions"}) word = word || kt::cp1252_casecmp(name.c_str(), w) == 0;
  if (!word) return false;
  const UiSchoolStructure& st = g_ui_structure;
  for (std::uint32_t s = 0; s < st.subject_count && s < kUiMaxSubjects; ++s) {
    if (kt::cp1252_casecmp(st.subjects[s].name, name.c_str()) == 0) return false;
  }
  return true;
}

}  // namespace

void desc_read_subject_line(const std::vector<std::string>& f, ReaderState& state,
                            const std::string& line) {
  if (f.empty()) desc_fail("Materia non specificata", "Fach nicht angegeben", "Subject not given", line);
  state.lab = state.conversation = -1;
  std::string name = f[0];
  std::string x = f.size() > 1 ? f[1] : std::string();
  if (starts(x, "LAB:")) {
    state.lab = og_find_or_add_lab(name.c_str());
    if (state.lab < 0) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
    state.subject = x.substr(4) == "SPECIFICO" ? kSpecificSubject : desc_subject(x.substr(4), 'N', line);
  } else if (starts(x, "CON:")) {
    state.conversation = desc_subject(name, 'C', line);
    state.subject = x.substr(4) == "SPECIFICO" ? kSpecificSubject : desc_subject(x.substr(4), 'N', line);
  } else if (standby_header(name)) {
    // The writer's header of teachers without posts: their lines name no
    // class, and the header makes no subject.
    state.subject = kSpecificSubject;
  } else {
    state.subject = desc_subject(name, 'N', line);
  }
}

void desc_read_teaching(const std::string* first_is_name, const std::vector<std::string>& f,
                        ReaderState& state, const std::string& line) {
  std::size_t i = 0;
  char name[kUiNameSize];
  if (first_is_name != nullptr && !f.empty()) og_clean_name(name, f[0].c_str());
  if (first_is_name != nullptr && !f.empty() && name[0] == 0) {
    // A name of blanks names no teacher: the line goes on the previous
    // teacher's line, as the writer's line without a name does.
    i = 1;
  } else if (first_is_name != nullptr) {
    if (f.empty()) return;
    int t = og_find_or_add_teacher(f[0].c_str());
    if (t < 0) desc_fail(og_lookup_error(), og_lookup_error(), og_lookup_error(), line);
    state.teacher = t;
    state.line_subject = state.subject == kSpecificSubject ? -1 : state.subject;
    i = 1;
  }
  if (state.teacher < 0) return;
  const std::size_t first_item = i;
  for (; i < f.size(); ++i) {
    const std::string& field = f[i];
    if (field[0] >= '0' && field[0] <= '9') {
      read_class_item(field, state, line);
    } else if (starts(field, "REM:")) {
    } else if (starts(field, "TED:") || starts(field, "SOS:") || starts(field, "KLK:") ||
               starts(field, "NI:") || starts(field, "INSE:") || starts(field, "XPRESE:")) {
      read_teacher_item(field, g_ui_teachers[state.teacher], line);
    } else if (i == first_item && or_is_teacher_line(field.c_str())) {
      // Only the line's first item may name the subject, and as the engine
      // takes it: a capital letter first, no ':'.
      state.line_subject = desc_subject(field, 'N', line);
    } else {
      desc_fail("Cattedre classi ore??", "Unterrichtsstunden der Klassen??", "Teaching posts: classes and hours??",
                line);
    }
  }
}

int desc_inferred_main_subject(int teacher) {
  const UiTeacher& t = g_ui_teachers[teacher];
  if (t.post_count > 0) return t.posts[0].subject;
  int found = -1;
  for (std::uint32_t o = 0; o < g_ui_settings.teacher_count && o < kUiMaxTeachers; ++o) {
    const UiTeacher& owner = g_ui_teachers[o];
    for (std::uint32_t p = 0; p < owner.post_count && p < kUiMaxPosts; ++p) {
      const UiTeachingPost& post = owner.posts[p];
      if (post.partner != teacher) continue;
      found = post.conversation_subject >= 0 ? post.conversation_subject : post.subject;
      break;
    }
  }
  return found;
}

void desc_complete_teachers() {
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count && t < kUiMaxTeachers; ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    // A group token on an own line puts every hour of that line in the
    // group (so the engine books them): such a post's lab hours are all its
    // hours, the teacher's own, as a lab post without a partner has them.
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      UiTeachingPost& post = teacher.posts[p];
      if (post.lab_group < 0 || post.lab >= 0 || post.conversation_subject >= 0 || post.partner >= 0) continue;
      post.partner = static_cast<std::int32_t>(t);
      post.partner_part.hours = post.own.hours;
    }
    teacher.main_subject = -1;
    if (!g_klk[t].empty()) {
      teacher.main_subject = static_cast<std::int16_t>(desc_subject(g_klk[t], 'N', g_klk[t]));
    }
    g_klk[t].clear();
  }
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count && t < kUiMaxTeachers; ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    if (teacher.main_subject < 0) teacher.main_subject = static_cast<std::int16_t>(desc_inferred_main_subject(static_cast<int>(t)));
  }
}

void desc_order_teachers(const std::vector<int>& constraint_order) {
  const int count = static_cast<int>(g_ui_settings.teacher_count < kUiMaxTeachers ? g_ui_settings.teacher_count
                                                                                 : kUiMaxTeachers);
  std::vector<int> order;
  std::vector<bool> placed(static_cast<std::size_t>(count), false);
  for (int t : constraint_order) {
    if (t < 0 || t >= count || placed[static_cast<std::size_t>(t)]) continue;
    placed[static_cast<std::size_t>(t)] = true;
    order.push_back(t);
  }
  for (int t = 0; t < count; ++t) {
    if (!placed[static_cast<std::size_t>(t)]) order.push_back(t);
  }
  bool moved = false;
  for (int i = 0; i < count; ++i) moved = moved || order[static_cast<std::size_t>(i)] != i;
  if (!moved) return;
  std::vector<std::int32_t> now(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) now[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
  auto follow = [&](std::int32_t t) { return t >= 0 && t < count ? now[static_cast<std::size_t>(t)] : t; };
  std::vector<UiTeacher> before(g_ui_teachers, g_ui_teachers + count);
  for (int i = 0; i < count; ++i) {
    UiTeacher& teacher = g_ui_teachers[i];
    teacher = before[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    teacher.personal.ni = follow(teacher.personal.ni);
    teacher.personal.carshare_partner = follow(teacher.personal.carshare_partner);
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      teacher.posts[p].partner = follow(teacher.posts[p].partner);
    }
  }
}

void desc_order_added_classes(int first) {
  UiSchoolStructure& st = g_ui_structure;
  const int count = static_cast<int>(st.class_count < kUiMaxClasses ? st.class_count : kUiMaxClasses);
  if (first < 0 || first >= count) return;
  std::vector<int> order;
  for (int c = 0; c < first; ++c) order.push_back(c);
  std::vector<int> named_only;
  for (int c = first; c < count; ++c) (og_class_in_structure(st.classes[c]) ? order : named_only).push_back(c);
  std::stable_sort(named_only.begin(), named_only.end(),
                   [&](int a, int b) { return std::strncmp(st.classes[a].code, st.classes[b].code, 4) < 0; });
  order.insert(order.end(), named_only.begin(), named_only.end());
  bool moved = false;
  for (int i = 0; i < count; ++i) moved = moved || order[static_cast<std::size_t>(i)] != i;
  if (!moved) return;
  std::vector<std::int32_t> now(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) now[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
  auto follow = [&](std::int32_t c) { return c >= 0 && c < count ? now[static_cast<std::size_t>(c)] : c; };
  std::vector<UiClass> before(st.classes, st.classes + count);
  for (int i = 0; i < count; ++i) st.classes[i] = before[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
  for (std::uint32_t t = 0; t < g_ui_settings.teacher_count && t < kUiMaxTeachers; ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      UiTeachingPost& post = teacher.posts[p];
      post.class_index = follow(post.class_index);
      for (int j = 0; j < 8; ++j) post.joint_classes[j] = follow(post.joint_classes[j]);
      post.own.joined_class = follow(post.own.joined_class);
      post.partner_part.joined_class = follow(post.partner_part.joined_class);
    }
  }
}

void desc_reset_teaching() {
  for (std::string& name : g_klk) name.clear();
}
