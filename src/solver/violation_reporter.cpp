// Violation records, the violation signature and the residual-errors lines.
//
// The user interface reads the record count and the records while a run goes
// on, without a lock: a record is written whole before the count grows. The
// list stops at 199 records; later violations still change the signature and
// still write their line.
//
// Workload: up to a few hundred calls per reporting evaluation, a handful of
// reporting evaluations per cycle at most.
#include "solver/violation_reporter.h"

#include <initializer_list>
#include <cstdio>
#include <cstring>

#include "engine/report_services.h"
#include "engine/status_block.h"
#include "solver/constraint_names.h"
#include "solver/solver_state.h"

std::uint8_t g_violation_detail[kDetailMapSize];
std::uint32_t g_violation_record_number;

namespace {

bool teacher_side(std::uint32_t id) { return id < 75 || id == 84; }

const char* teacher_name(std::uint32_t t) {
  return t < static_cast<std::uint32_t>(kMaxTeachers) ? g_eng_teachers[t].name : "";
}

const char* class_name(std::uint32_t c) {
  return c < static_cast<std::uint32_t>(kMaxClasses) ? g_eng_classes[c].code : "";
}

void store_record(std::uint32_t teacher, std::uint32_t class_index, std::uint32_t detail,
                  const char* text, std::uint32_t count, std::uint32_t id) {
  int n = g_status.violation_count.load();
  if (!g_status.reporting.load() || n < 0 || n >= kMaxViolationRecords) return;
  ViolationRecord& r = g_status.violations[n];
  r.constraint_id = id;
  r.teacher = teacher;
  r.class_index = class_index;
  r.detail = detail;
  r.count = count;
  r.record_number = ++g_violation_record_number;
  std::snprintf(r.text, sizeof r.text, "%.40s", text ? text : "");
  std::memcpy(r.detail_map, g_violation_detail, sizeof r.detail_map);
  if (teacher_side(id) && teacher < static_cast<std::uint32_t>(kMaxTeachers)) {
    EngineTeacher& t = g_eng_teachers[teacher];
    r.teacher_points = t.points;
    r.teacher_points2 = t.points2;
    r.teacher_release_rank = t.release_rank;
    t.reported_constraint[id] = 1;
  } else {
    r.teacher_points = 0;
    r.teacher_points2 = 0;
  }
  g_status.violation_count = n + 1;
}

}  // namespace

void or_format_violation_line(char* out, int size, std::uint32_t teacher, std::uint32_t class_index,
                              const char* text, std::uint32_t count, std::uint32_t id) {
  const char* name = or_constraint_name(static_cast<int>(id), g_status.language.load());
  if (text == nullptr) text = "";
  if (id < 75) {
    bool focus = static_cast<std::int32_t>(teacher) == g_solver.focus_teacher;
    bool flagged = teacher < static_cast<std::uint32_t>(kMaxTeachers) && g_eng_teachers[teacher].penalty_flag;
    std::snprintf(out, size, "E:%-40.40s P=%-3d %-20.20s qt=%3d (%s) %c %c\n", name, int(teacher),
                  teacher_name(teacher), int(count), text, focus ? 'V' : ' ', flagged ? 'B' : ' ');
  } else {
    std::snprintf(out, size, "E:%-40.40s C=%-3d %-20.20s qt=%3d (%s)\n", name, int(class_index),
                  class_name(class_index), int(count), text);
  }
}

void or_report_violation(std::uint32_t teacher, std::uint32_t class_index, std::uint32_t detail,
                         const char* text, std::uint32_t count, std::uint32_t id) {
  if (count == 0 || id >= static_cast<std::uint32_t>(kConstraintCount)) return;
  store_record(teacher, class_index, detail, text, count, id);
  g_eng_run.violation_signature += count * 256u + id;
  if (id < 75) {
    g_eng_run.violation_signature += teacher * 65536u;
    if (teacher < static_cast<std::uint32_t>(kMaxTeachers) &&
        g_eng_teachers[teacher].points > g_eng_run.peak_reported_points) {
      g_eng_run.peak_reported_points = g_eng_teachers[teacher].points;
      g_eng_run.peak_reported_teacher = g_eng_run.peak_reported_teacher == -1 ? static_cast<std::int32_t>(teacher) : -2;
    }
  } else {
    g_eng_run.violation_signature += class_index * 16777216u;
  }
  if (g_eng_run.report_flag < 0 || g_eng_run.report_mode < 0) {
    char line[256];
    or_format_violation_line(line, sizeof line, teacher, class_index, text, count, id);
    or_log_residual_error(line);
  }
}
