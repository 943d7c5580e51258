// The personal constraint fields of a teacher as the teacher constraints
// page edits them: one row per combo box (which byte of the record, which
// numbers it offers, how an item maps to the stored byte) and the rules the
// page applies at once: the day limits following each other, the "-" of a
// band clearing the band, the preference presets, what forbidding hours
// implies, and how an edited derogation table is stored.
//
// Invariants: a byte at 255 (-1) is "not set" and selects no item; every
// encoding maps item 0 of a list that starts with "-" to 255; numbers
// offered never exceed the school's days (D) and hours (H, h(d)).
// Workload: one teacher at a time, a handful of bytes per click.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"

// Help texts of the page, by topic.
enum VhHelp : int {
  kVhDays, kVhCavallo, kVhLessonDerogations, kVhPresenceDerogations, kVhFreeDay, kVhSecondFreeDay, kVhForbidden,
  kVhFullDays, kVhExactDays, kVhPresets, kVhFirstBands, kVhSecondBand, kVhPresenceLesson, kVhPerDay, kVhRest,
  kVhFictitious, kVhExtraIdle, kVhRequiredIdle, kVhConsecutive, kVhRelease, kVhReturns, kVhGeneral, kVhCount
};

// The school's shape as the page sees it when it opens.
struct SchoolShape {
  int days = 0;        // D: days with hours
  int hours = 0;       // H: largest number of hours in a day
  int day_hours[7] = {};
};
SchoolShape vipro_school_shape();

// Which numbers a combo offers: a range measured from D, H or h(d).
enum class ComboRange : std::uint8_t { Fixed, Days, DaysLess1, Hours, HoursLess1, DayHours };

struct TeacherCombo {
  int id;
  std::size_t field;     // byte offset in UiTeacherConstraints, or kMxrField
  int day;               // the day of a per-day combo, else -1
  bool dash;             // the list starts with "-" (255)
  int first;             // the first number shown
  ComboRange range;      // what decides the last number shown
  int last;              // with Fixed: the last number shown
  int offset;            // stored = shown + offset
  int help;              // index of the help text
  const char* last_text; // a text in place of the last number, or null
};
inline constexpr std::size_t kMxrField = 0xFFFF;  // the teacher's own "MXR" byte, outside the constraints

// The combo rows of the page, in template order.
const std::vector<TeacherCombo>& vipro_combos();
int vipro_last_number(const TeacherCombo& c, const SchoolShape& s);
std::int8_t* vipro_field(UiTeacher& t, const TeacherCombo& c);
// The item showing a stored byte (-1: no item), and the byte an item stores.
int vipro_item_of(const TeacherCombo& c, int stored, const SchoolShape& s);
int vipro_value_of(const TeacherCombo& c, int item);

// Items and values of the MAXBUDAYPER combo.
extern const MlText kMaxBudayTexts[7];
int vipro_maxbuday_item(int stored);
int vipro_maxbuday_value(int item);

// The single (2, 100) pair that releases the teacher from the last-hours check.
void vipro_set_last_hours_release(UiTeacherConstraints& c, bool on);
bool vipro_last_hours_released(const UiTeacherConstraints& c);

// Presets of "Preferisce le": 0 nothing, 1 first hours, 2 last hours, 3 balanced.
void vipro_apply_preset(UiTeacherConstraints& c, int preset, int hours);

// After the forbidden-hours grid was edited: the release at five or more
// days whose first hour is forbidden, and the day limits lowered to the
// days that keep an allowed hour. True when GMIN had to follow GMAX down;
// it never lands on a state the page's check refuses (the whole week with a
// free day). A most-days value that is only the school's default (not the
// teacher's own) reaches at most the week: an empty weekly-days table asks
// for 7, and a grid that closes no day must not turn that into day limits
// the user never chose.
bool vipro_after_forbidden_hours(UiTeacherConstraints& c, const SchoolShape& s, bool gmax_is_default = false);

// Stores an edited derogation table into INSE (lesson) or XPRESE: pairs
// whose hours do not exceed the ordinary maximum are dropped and the rest
// close up. Returns how many were dropped.
int vipro_store_derogations(UiHq2Table& into, const UiHq2Table& edited, int ordinary_maximum);
