// The description writer's class-level lines: the short day, the class
// lists with a flag or a value ("GINNASIO:", "TIPOLOCL:", "ROTAZIX:"), the
// rotation pauses, the stand-by bands, "TEKNO:", the two blocks of class
// calendars and the SISSI identifiers; plus the provisional variant's
// preparation of the model.
//
// Lists carry at most 20 items a line and repeat their keyword beyond. A
// calendar or identifier line is written only for a class with a code; the
// file written here reads back to the same values. A few hundred lines.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "schooldata/band_defaults.h"
#include "schooldata/description_reader.h"
#include "schooldata/description_writer.h"
#include "schooldata/description_writer_parts.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

UiSchoolHeader& hd = g_ui_header;
UiSchoolSettings& se = g_ui_settings;
UiSchoolStructure& st = g_ui_structure;

int class_count() {
  return static_cast<int>(st.class_count < kUiMaxClasses ? st.class_count : kUiMaxClasses);
}

// Writes "KEY:\t" items joined by sep, 20 a line, each line ending in TAB.
void write_list(std::string& out, const char* key, const std::vector<std::string>& items) {
  for (std::size_t start = 0; start < items.size(); start += 20) {
    out += std::string(key) + "\t";
    for (std::size_t i = start; i < items.size() && i < start + 20; ++i) {
      if (i > start) out += "-";
      out += items[i];
    }
    out += "\t\n";
  }
}

// Stand-in for an empty identifier: "UNDEF:" and a number that runs for the
// whole program run, so no two empty identifiers of one file are equal.
// Empty identifiers are numbered from 0 in each file, so two saves of one
// school are the same bytes; the reader reads "UNDEF:" ids back as empty.
int g_undefined_ids = 0;

std::string sissi_id(const char* id) {
  if (id[0] != 0) return id;
  return dw_format("UNDEF:%d", g_undefined_ids++);
}

void write_calendar_block(std::string& out, int block) {
  char letter = block == 0 ? 'G' : 'P';
  for (int c = 0; c < class_count(); ++c) {
    const UiClass& k = st.classes[c];
    const UiClassCalendar& cal = k.calendars[block];
    std::string code = dw_class_code(c);
    if (cal.max_day_difference > 0 || cal.second_hour_entries >= 1) {
      out += dw_format("SCALJAN:%c:%s:%d-%d\t\n", letter, code.c_str(), std::max<int>(cal.max_day_difference, 0),
                       std::max<int>(cal.second_hour_entries, 0));
    }
    bool marked = false;
    for (int h = 0; h < kUiWeekCells; ++h) marked = marked || cal.calendar_hours[h] == 1;
    if (cal.calendar_hours[0] != 255 && k.code[0] != 0 && marked) {
      out += dw_format("CALESPE:%c:%s:%s\t\n", letter, code.c_str(), og_format_week_mask(cal.calendar_hours).c_str());
    }
    for (int row = 0; row < 2; ++row) {
      std::string pairs;
      for (int e = 0; e < 12; ++e) {
        if (cal.day_lengths[row][e][1] == 0) continue;
        pairs += dw_format("%d-%d:", cal.day_lengths[row][e][0], cal.day_lengths[row][e][1]);
      }
      if (!pairs.empty()) out += dw_format("SKAV%c:%c:%s:", row == 0 ? 'A' : 'B', letter, code.c_str()) + pairs + "\n";
    }
  }
  for (int c = 0; c < class_count(); ++c) {
    UiClassCalendar& cal = st.classes[c].calendars[block];
    bool differs = false;
    for (int d = 0; d < 7; ++d) {
      int hours = hd.hours_per_day[d] > 12 ? 12 : hd.hours_per_day[d];
      for (int h = 0; h < 12; ++h) {
        int cell = d * 12 + h;
        if (h >= hours) {
          cal.hour_start_times[cell] = cal.hour_durations[cell] = 0;
        } else if (cal.hour_durations[cell] > 0 && (cal.hour_start_times[cell] != hd.hour_start_times[cell] ||
                                                     cal.hour_durations[cell] != hd.hour_durations[cell])) {
          differs = true;
        }
      }
    }
    if (!differs || st.classes[c].code[0] == 0) continue;
    out += dw_format("CLADAYS:%c:%s:", letter, dw_class_code(c).c_str());
    for (int d = 0; d < 7; ++d) {
      out += dw_format("%2.2s", hd.day_codes[d]);
      for (int h = 0; h < 12; ++h) {
        out += dw_format(":%d:%d", cal.hour_start_times[d * 12 + h], cal.hour_durations[d * 12 + h]);
      }
      out += "-";
    }
    out += "\n";
  }
}

}  // namespace

void dw_write_short_day(std::string& out) {
  for (int d = 0; d < 7; ++d) {
    if (hd.short_days[d] == 0) continue;
    out += dw_format("CORTO:\t%2.2s\t\n", hd.day_codes[d]);
    return;
  }
}

void dw_write_class_lists(std::string& out) {
  std::vector<std::string> classical, types;
  for (int c = 0; c < class_count(); ++c) {
    const UiClass& k = st.classes[c];
    if (k.classical_numbering && k.code[0] != 0) classical.push_back(dw_class_code(c));
    if (k.class_type != 0 && og_class_in_structure(k)) {
      types.push_back(dw_class_code(c) + dw_format("-%c", '0' + k.class_type));
    }
  }
  write_list(out, "GINNASIO:", classical);
  write_list(out, "TIPOLOCL:", types);
}

bool dw_any_rotation() {
  for (int c = 0; c < class_count(); ++c) {
    if (st.classes[c].rotation != 0) return true;
  }
  return false;
}

void dw_write_rotation(std::string& out) {
  if (se.building_count >= 2) return;
  std::vector<std::string> items;
  for (int c = 0; c < class_count(); ++c) {
    if (st.classes[c].rotation != 0) items.push_back(dw_class_code(c) + dw_format(":%03d", st.classes[c].rotation));
  }
  write_list(out, "ROTAZIX:", items);
  if (items.empty()) return;
  se.rotation_in_use = 1;
  std::uint8_t* b = se.rotation_breaks;
  std::sort(b, b + 4);
  // 255 marks an unset pause: all four unset say nothing worth a line.
  if (b[0] > 0 && b[0] != 255) out += dw_format("ROTAZIAPAUSA:%d-%d-%d-%d\t\n", b[0], b[1], b[2], b[3]);
}

void dw_write_standby_bands(std::string& out) {
  const UiHq2Table& t = se.dispoday;
  if (t.count == 0 && se.standby_grouping == 0) return;
  out += dw_format("disposizione:\t%d\tDISPODAY:\t", se.standby_grouping);
  for (int k = 0; k < t.count && k < 9; ++k) out += dw_format(k > 0 ? ":%d-%d" : "%d-%d", t.pairs[k][0], t.pairs[k][1]);
  out += "\t\n";
}

void dw_write_tekno(std::string& out) {
  if (se.tekno[0] == 0 && se.tekno[1] == 0 && se.tekno[2] == 0 && se.tekno_value == 0 && se.tekno_text[0] == 0) return;
  out += dw_format("TEKNO:\t%d-%d-%d-%s-%d\t\n", se.tekno[0], se.tekno[1], se.tekno[2], se.tekno_text, se.tekno_value);
}

void dw_write_calendars(std::string& out, int mode) {
  if (mode == 2) {
    for (int c = 0; c < class_count(); ++c) {
      for (UiClassCalendar& cal : st.classes[c].calendars) {
        if (cal.calendar_hours[0] == 255) continue;
        for (int cell = 0; cell < kUiWeekCells; ++cell) {
          if (cal.calendar_hours[cell] == 1 && cell % 12 >= hd.provisional_hours_per_day[cell / 12]) cal.calendar_hours[cell] = 0;
        }
      }
    }
  }
  write_calendar_block(out, 0);
  write_calendar_block(out, 1);
}

void dw_write_sissi(std::string& out) {
  if (se.sissi_school_id[0] == 0) return;
  g_undefined_ids = 0;
  out += std::string("SISSI:IDS:") + se.sissi_school_id + "\t\n";
  int teachers = static_cast<int>(se.teacher_count < kUiMaxTeachers ? se.teacher_count : kUiMaxTeachers);
  for (int t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    if (teacher.sissi_excluded || teacher.name[0] == 0) continue;
    out += std::string("SISSI:IDD:") + og_escape_name(teacher.name) + "\t" + sissi_id(teacher.sissi_id) + "\t\n";
  }
  for (int c = 0; c < class_count(); ++c) {
    if (st.classes[c].code[0] == 0) continue;
    out += "SISSI:IDC:" + dw_class_code(c) + "\t" + sissi_id(st.classes[c].sissi_id) + "\t\n";
  }
  bool support = false;
  int subjects = static_cast<int>(st.subject_count < kUiMaxSubjects ? st.subject_count : kUiMaxSubjects);
  for (int s = 0; s < subjects; ++s) {
    const UiSubject& subject = st.subjects[s];
    if (subject.hidden || subject.name[0] == 0) continue;
    support = support || kt::cp1252_casecmp(subject.name, og_support_subject_word()) == 0;
    out += std::string("SISSI:IDM:") + subject.name + "\t" + sissi_id(subject.sissi_id) + "\t\n";
  }
  if (!support) {
    out += std::string("SISSI:IDM:") + og_support_subject_word() + "\t" + sissi_id(g_ui_support_sissi_id) + "\t\n";
  }
}

void dw_drop_provisional_partners() {
  int teachers = static_cast<int>(se.teacher_count < kUiMaxTeachers ? se.teacher_count : kUiMaxTeachers);
  for (int t = 0; t < teachers; ++t) {
    UiTeacher& teacher = g_ui_teachers[t];
    if (teacher.prns) continue;
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts; ++p) {
      UiTeachingPost& post = teacher.posts[p];
      if (post.partner < 0 || post.partner >= teachers || !g_ui_teachers[post.partner].prns) continue;
      if (post.lab < 0) {
        post.partner = post.conversation_subject = post.lab = -1;
      } else {
        post.partner = t;
      }
    }
  }
}
