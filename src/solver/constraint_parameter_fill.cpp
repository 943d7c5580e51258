// Fills the evaluator parameter side tables from the loaded model, once per
// load, before the first evaluation of a search or an improvement phase and
// before any stored exemption is applied again:
// - service days (39): the derived maximum working days;
// - teaching posts with test blocks (33, 61): the teacher's "K:"/"J:" tasks
//   (class and line, block length, allowed hours, "J" wish, break grid);
// - prolonged-hour records (34): the "ORP:"/"ORQ:" values filed per teacher;
// - the returns into a class a teacher is allowed (32): the "ENTEREXIT:"
//   band (the teacher's, else the school's for his kind) by his hours there;
// - forbidden hours of a class (35): the "KOP:" entries, one week per
//   (class, line);
// - transfer rows and the transfer-counting flag of a building (37, 38): its
//   "NOCS:" entries (reachable building, hour from 0, above 12 any hour) and
//   "NOSPOSTA:";
// - the single-unit lessons rule (59): the last "TEKNO:" value;
// - the provisional availability of a class (63): its "CALESPE:" calendar as
//   fitted to its lessons;
// - the calendar grading switch (84): any teacher's second "TEKGRADO:" value;
// - laboratory and gym equipment (55, 65): a lesson's "ATTRE:" and "ZENDO:"
//   items (their positions in the school's two item lists), the lists'
//   lengths, and the flags of the teachers whose lessons name an item.
//
// Invariant: the tables (and the exemption allowances beside them) are reset
// first, so nothing of an earlier load or run survives; a value whose source
// the model does not carry stays "not configured" and its evaluator counts
// nothing. The run state's flag keeps a second call of the same load from
// wiping what exemptions and evaluators have raised since.
//
// Workload: once per load, a pass over teachers, their tasks and class-off
// entries, and the buildings; off the move path.
#include "solver/constraint_parameter_fill.h"

#include <algorithm>
#include <cstring>

#include "engine/model.h"
#include "solver/constraint_parameters.h"
#include "solver/exemptions.h"

namespace {

bool valid_class(int c) { return c >= 0 && c < g_eng_school.class_count && c < kMaxClasses; }

// The posts: a task names its line's class, the line, the hours of its test
// block (the "day" field of the item) and the hours the block may use.
void fill_posts(const EngineTeacher& x, TeacherRuleParams& p) {
  int tasks = std::clamp<int>(x.task_count, 0, kMaxTeacherTasks);
  for (int k = 0; k < tasks && p.post_count < kMaxTeachingPosts; ++k) {
    const TeacherTask& task = x.tasks[k];
    TeachingPost& post = p.posts[p.post_count++];
    post = TeachingPost{};
    post.class_index = valid_class(task.references[0]) ? task.references[0] : -1;
    post.line = task.references[1];
    post.block_length = task.day;
    post.first_hour = task.first_hour;
    post.last_hour = task.last_hour;
    post.no_break_wish = task.j_flag;
    if (task.j_flag) std::memcpy(post.break_after, task.grid, kWeekSlots);
  }
}

void fill_prolonged(const EngineTeacher& x, TeacherRuleParams& p) {
  int filed = std::clamp<int>(x.filed_count, 0, kMaxFiledRecords);
  for (int k = 0; k < filed && p.prolonged_count < kMaxProlongedRecords; ++k)
    p.prolonged[p.prolonged_count++] = {x.filed[k].value, x.filed[k].line, x.filed[k].class_index};
}

ForbiddenClassHours* forbidden_week(TeacherRuleParams& p, int c, int line) {
  for (int k = 0; k < p.forbidden_count; ++k)
    if (p.forbidden[k].class_index == c && p.forbidden[k].line == line) return &p.forbidden[k];
  if (p.forbidden_count >= kMaxForbiddenClassHours) return nullptr;
  ForbiddenClassHours& f = p.forbidden[p.forbidden_count++];
  f.class_index = c;
  f.line = line;
  std::memset(f.allowed, 1, sizeof f.allowed);
  return &f;
}

// "KOP:" entries: the hours (from 0) of one day, or of every day (-1).
void fill_forbidden(const EngineTeacher& x, TeacherRuleParams& p) {
  int entries = std::clamp<int>(x.class_off_count, 0, kMaxClassOffRecords);
  for (int k = 0; k < entries; ++k) {
    const TeacherClassOff& o = x.class_off[k];
    if (!valid_class(o.references[0])) continue;
    ForbiddenClassHours* f = forbidden_week(p, o.references[0], o.references[1]);
    if (f == nullptr) continue;
    int first = std::max<int>(o.first_hour, 0), last = std::min<int>(o.last_hour, kHoursPerDay - 1);
    for (int d = 0; d < kDays; ++d) {
      if (o.day >= 0 && o.day != d) continue;
      for (int h = first; h <= last; ++h) f->allowed[d * kHoursPerDay + h] = 0;
    }
  }
}

// Returns into a class (32): how often a week the teacher may leave a class
// and come back into it, by the hours he has in it, as the "ENTEREXIT:"
// band says (pairs of "up to hours" and returns, the last pair for more
// hours). His own band when he has one, else the school's for his kind of
// teacher (laboratory, conversation, any other), as the per-class daily
// values are chosen. Without a band no return is allowed, as before.
void fill_returns(const EngineTeacher& x, TeacherRuleParams& p) {
  std::int8_t pairs[kBandPairs][2];
  int count = 0;
  if (x.enterexit_count > 0) {
    count = std::min<int>(x.enterexit_count, kRuleBandPairs);
    std::memcpy(pairs, x.enterexit_pairs, sizeof(x.enterexit_pairs[0]) * static_cast<std::size_t>(count));
  } else {
    const BandTable& band = (x.type_flags & kTeacherLaboratory)     ? g_eng_school.enterexitlab
                            : (x.type_flags & kTeacherConversation) ? g_eng_school.enterexitcon
                                                                    : g_eng_school.enterexit;
    count = std::min<int>(band.count, kBandPairs);
    std::memcpy(pairs, band.pairs, sizeof(band.pairs[0]) * static_cast<std::size_t>(count));
  }
  if (count == 0) return;
  int classes = std::clamp<int>(x.class_count, 0, kWeekSlots);
  for (int i = 0; i < classes; ++i) {
    int k = 0;
    while (k + 1 < count && pairs[k][0] < x.class_hours[i]) ++k;
    p.allowed_returns[i] = static_cast<std::int8_t>(std::clamp<int>(pairs[k][1], 0, 7));
  }
}

void fill_teacher(int t) {
  const EngineTeacher& x = g_eng_teachers[t];
  TeacherRuleParams& p = g_teacher_rule_params[t];
  // The days a teacher is on duty: the most working days the teacher's
  // hours and rules allow (weekly transfers are only limited below them).
  p.service_days = x.max_working_days;
  fill_posts(x, p);
  fill_prolonged(x, p);
  fill_forbidden(x, p);
  fill_returns(x, p);
}

void fill_building(int b) {
  const EngineBuilding& x = g_eng_buildings[b];
  BuildingRuleParams& p = g_building_rule_params[b];
  int conditions = std::clamp<int>(x.condition_count, 0, kMaxBuildingConditions);
  for (int k = 0; k < conditions && p.row_count < kMaxTransferRows; ++k)
    p.rows[p.row_count++] = {x.conditions[k].building, x.conditions[k].value};
  p.counts_transfers = x.no_move != 0 ? 1 : 0;
}

// A class with its own week calendar is open in the provisional timetable
// at the hours of that calendar as fitted to its lessons.
void fill_class(int c) {
  const EngineClass& k = g_eng_classes[c];
  if (k.special_calendar[0] == kNotConfigured) return;
  std::memcpy(g_class_rule_params[c].provisional_available, k.provisional_free, kWeekSlots);
}

// The equipment a lesson needs is the item its line names; a teacher is
// checked for equipment changes when one of its lessons names an item, or
// a laboratory part merged into its lessons did.
void fill_equipment() {
  g_school_rule_params.lab_equipment_items = g_eng_school.attre_count;
  g_school_rule_params.gym_equipment_items = g_eng_school.zendo_count;
  int teachers = std::clamp<int>(g_eng_school.teacher_count, 0, kMaxTeachers);
  for (int t = 0; t < teachers; ++t) {
    TeacherRuleParams& p = g_teacher_rule_params[t];
    p.lab_equipment_flag = (g_eng_teachers[t].item_marks & kMarkAttre) != 0;
    p.gym_equipment_flag = (g_eng_teachers[t].item_marks & kMarkZendo) != 0;
  }
  int lessons = std::clamp<int>(g_eng_school.lesson_count, 0, kMaxLessons);
  for (int l = 0; l < lessons; ++l) {
    const EngineLesson& x = g_eng_lessons[l];
    LessonRuleParams& p = g_lesson_rule_params[l];
    p.lab_equipment = x.list_positions[0] > 0 ? static_cast<std::uint32_t>(x.list_positions[0]) : 0;
    p.gym_equipment = x.list_positions[1] > 0 ? x.list_positions[1] : 0;
    // The placement the constraints page writes as "ORP:"/"ORQ:" 1 (always
    // first or last hours) or 2 (never) is the lesson's position wish.
    p.position_wish = x.filed_value == 1 || x.filed_value == 2 ? x.filed_value : 0;
    if (x.teacher < 0 || x.teacher >= teachers) continue;
    if (p.lab_equipment != 0) g_teacher_rule_params[x.teacher].lab_equipment_flag = 1;
    if (p.gym_equipment != 0) g_teacher_rule_params[x.teacher].gym_equipment_flag = 1;
  }
}

}  // namespace

void or_fill_constraint_parameters() {
  int teachers = std::clamp<int>(g_eng_school.teacher_count, 0, kMaxTeachers);
  for (int t = 0; t < teachers; ++t) fill_teacher(t);
  fill_equipment();
  int classes = std::clamp<int>(g_eng_school.class_count, 0, kMaxClasses);
  for (int c = 0; c < classes; ++c) fill_class(c);
  int buildings = std::clamp<int>(g_eng_school.building_count, 0, kMaxBuildings);
  for (int b = 0; b < buildings; ++b) fill_building(b);
  // The single-unit lessons rule (0 off, 1 tendency, 2 none allowed, 3 one
  // per class allowed) is the last "TEKNO:" value.
  g_school_rule_params.single_hour_value = static_cast<std::int8_t>(std::clamp(g_eng_school.tekno[3], 0, 127));
  // Teachers whose second grading value is set stand for the class calendar
  // when any teacher of the school uses it.
  g_school_rule_params.tekgrado_switch = g_eng_school.uses_tekgrado != 0 ? 1 : 0;
  // Constraint 23 holds a teacher's daily hours in a class to the per-class
  // daily values, which exist when the school gives the "IHSG:" band.
  g_school_rule_params.class_max_enabled[0] = g_eng_school.ihsg.count > 0 ? 1 : 0;
}

void or_prepare_constraint_parameters() {
  if (g_eng_run.parameters_prepared) return;
  g_eng_run.parameters_prepared = 1;
  or_reset_constraint_parameters();
  or_reset_exemption_allowances();
  or_fill_constraint_parameters();
}
