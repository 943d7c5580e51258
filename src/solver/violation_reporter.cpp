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
#include <string>

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

namespace {
constexpr int kListedCountAt = 125;
constexpr int kFormCodeAt = 124;
constexpr int kMaxListed = 31;  // 32-bit values before the form code
bool keeping_records() { return g_status.reporting.load() != 0; }
std::int32_t word_at(int offset) {
  std::int32_t v;
  std::memcpy(&v, &g_violation_detail[offset], sizeof v);
  return v;
}
}  // namespace

void or_clear_violation_detail() {
  if (keeping_records()) std::memset(g_violation_detail, 0, sizeof g_violation_detail);
}

void or_detail_add_listed(std::int32_t value) {
  if (!keeping_records()) return;
  std::int32_t n = word_at(kListedCountAt);
  if (n < 0 || n >= kMaxListed) return;
  for (int i = 0; i < n; ++i)
    if (word_at(4 * i) == value) return;
  std::memcpy(&g_violation_detail[4 * n], &value, sizeof value);
  ++n;
  std::memcpy(&g_violation_detail[kListedCountAt], &n, sizeof n);
}

void or_detail_set_word(int offset, std::int32_t value) {
  if (keeping_records() && offset >= 0 && offset + 4 <= kFormCodeAt)
    std::memcpy(&g_violation_detail[offset], &value, sizeof value);
}

void or_detail_set_listed_count(std::int32_t count) {
  if (keeping_records()) std::memcpy(&g_violation_detail[kListedCountAt], &count, sizeof count);
}

void or_detail_flag(int index) {
  if (keeping_records() && index >= 0 && index < kFormCodeAt) g_violation_detail[index] = 1;
}

void or_detail_set_form(int code) {
  if (keeping_records()) g_violation_detail[kFormCodeAt] = static_cast<std::uint8_t>(code);
}

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
  // The next report starts from an empty map: a record never carries another
  // rule's details.
  std::memset(g_violation_detail, 0, sizeof g_violation_detail);
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

std::string or_violation_text(const ViolationRecord& v, bool who) {
  std::string out = or_constraint_name(static_cast<int>(v.constraint_id), g_status.language.load());
  while (!out.empty() && out.back() == ' ') out.pop_back();
  if (who) {
    const char* name = v.constraint_id < 75 ? teacher_name(v.teacher) : class_name(v.class_index);
    out += std::string(" - ") + name + ": " + std::to_string(v.count);
  }
  std::string text(v.text, strnlen(v.text, sizeof v.text));
  if (!text.empty()) out += " (" + text + ")";
  return out;
}
