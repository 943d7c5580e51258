// The field table and the immediate rules of the teacher constraints page
// (see teacher_constraint_fields.h). Kept free of windows so the rules can
// be checked on a record alone.
#include "constraints/teacher_constraint_fields.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/cp1252.h"

namespace {

using C = UiTeacherConstraints;
constexpr std::size_t at(std::size_t field, std::size_t index = 0) { return field + index; }

std::vector<TeacherCombo> make_combos() {
  using R = ComboRange;
  std::vector<TeacherCombo> v = {
      {3000, at(offsetof(C, pmin)), -1, true, 1, R::HoursLess1, 0, 0, kVhFirstBands, nullptr},
      {3001, at(offsetof(C, pmin), 1), -1, true, 1, R::Days, 0, 0, kVhFirstBands, nullptr},
      {3002, at(offsetof(C, pmax)), -1, true, 1, R::HoursLess1, 0, 0, kVhFirstBands, nullptr},
      {3003, at(offsetof(C, pmax), 1), -1, true, 0, R::DaysLess1, 0, 0, kVhFirstBands, nullptr},
      {3004, at(offsetof(C, fmin)), -1, true, 2, R::Hours, 0, 0, kVhFirstBands, nullptr},
      {3005, at(offsetof(C, fmin), 1), -1, true, 2, R::Hours, 0, 0, kVhFirstBands, nullptr},
      {3006, at(offsetof(C, fmin), 2), -1, true, 1, R::Days, 0, 0, kVhFirstBands, nullptr},
      {3007, at(offsetof(C, fmax)), -1, true, 2, R::Hours, 0, 0, kVhFirstBands, nullptr},
      {3008, at(offsetof(C, fmax), 1), -1, true, 2, R::Hours, 0, 0, kVhFirstBands, nullptr},
      {3009, at(offsetof(C, fmax), 2), -1, true, 0, R::DaysLess1, 0, 0, kVhFirstBands, nullptr},
      {3010, at(offsetof(C, emin)), -1, true, 2, R::Hours, 0, 0, kVhSecondBand, nullptr},
      {3011, at(offsetof(C, emin), 1), -1, true, 2, R::Hours, 0, 0, kVhSecondBand, nullptr},
      {3012, at(offsetof(C, emin), 2), -1, true, 1, R::Days, 0, 0, kVhSecondBand, nullptr},
      {3013, at(offsetof(C, emax)), -1, true, 2, R::Hours, 0, 0, kVhSecondBand, nullptr},
      {3014, at(offsetof(C, emax), 1), -1, true, 2, R::Hours, 0, 0, kVhSecondBand, nullptr},
      {3015, at(offsetof(C, emax), 2), -1, true, 0, R::DaysLess1, 0, 0, kVhSecondBand, nullptr},
      {3016, at(offsetof(C, cavallomax)), -1, true, 2, R::HoursLess1, 0, -1, kVhCavallo, nullptr},
      {3017, at(offsetof(C, cavallomax), 1), -1, true, 0, R::DaysLess1, 0, 0, kVhCavallo, nullptr},
      {3018, at(offsetof(C, gmin)), -1, true, 1, R::Days, 0, 0, kVhDays, nullptr},
      {3019, at(offsetof(C, gmax)), -1, true, 1, R::Days, 0, 0, kVhDays, nullptr},
      {3020, at(offsetof(C, presenza)), -1, true, 1, R::Hours, 0, 0, kVhPresenceLesson, nullptr},
      {3021, at(offsetof(C, insegnamin)), -1, true, 1, R::Hours, 0, 0, kVhPresenceLesson, nullptr},
      {3022, at(offsetof(C, insegna)), -1, true, 1, R::Hours, 0, 0, kVhPresenceLesson, nullptr},
  };
  for (int d = 0; d < 7; ++d) {
    std::size_t k = std::size_t(d);
    v.push_back({3030 + d, at(offsetof(C, ov), k), d, true, 1, R::DayHours, 0, 0, kVhPerDay, nullptr});
    v.push_back({3040 + d, at(offsetof(C, om), k), d, true, 1, R::DayHours, 0, 0, kVhPerDay, nullptr});
    v.push_back({3050 + d, at(offsetof(C, dimpe), k), d, true, 1, R::DayHours, 0, 0, kVhPerDay, nullptr});
  }
  const TeacherCombo rest[] = {
      {3060, at(offsetof(C, gl)), -1, true, 1, R::Hours, 0, 0, kVhExactDays, nullptr},
      {3061, at(offsetof(C, gl), 1), -1, true, 1, R::Days, 0, 0, kVhExactDays, nullptr},
      {3062, at(offsetof(C, gp)), -1, true, 1, R::HoursLess1, 0, 0, kVhFullDays, nullptr},
      {3063, at(offsetof(C, gp), 1), -1, true, 1, R::Days, 0, 0, kVhFullDays, nullptr},
      {3064, at(offsetof(C, gu)), -1, true, 2, R::Hours, 0, -1, kVhFullDays, nullptr},
      {3065, at(offsetof(C, gu), 1), -1, true, 1, R::Days, 0, 0, kVhFullDays, nullptr},
      {3066, at(offsetof(C, gx)), -1, true, 1, R::Hours, 0, 0, kVhFullDays, nullptr},
      {3067, at(offsetof(C, gx), 1), -1, true, 1, R::Hours, 0, 0, kVhFullDays, nullptr},
      {3068, at(offsetof(C, gx), 2), -1, true, 1, R::Days, 0, 0, kVhFullDays, nullptr},
      {3069, at(offsetof(C, buk)), -1, true, 1, R::Fixed, 70, 0, kVhExtraIdle, " Tutte"},
      {3070, at(offsetof(C, buk), 1), -1, true, 1, R::Fixed, 7, 0, kVhRequiredIdle, nullptr},
      {3071, at(offsetof(C, riposo)), -1, true, 1, R::Fixed, 10, 0, kVhRest, nullptr},
      {3072, kMxrField, -1, false, 0, R::Fixed, 7, 0, kVhReturns, nullptr},
  };
  v.insert(v.end(), std::begin(rest), std::end(rest));
  return v;
}

void clear(std::int8_t* bytes, int n) { std::memset(bytes, 0xFF, std::size_t(n)); }

}  // namespace

const MlText kMaxBudayTexts[7] = {
    {"Giorno con 2 Buche: NON AMMESSO", "Tag mit 2 Freistunden: NICHT ERLAUBT", "Day with 2 idle hours: NOT ALLOWED"},
    {"Ammesso un giorno con 2 Buche", "Ein Tag mit 2 Freistunden erlaubt", "One day with 2 idle hours allowed"},
    {"Ammesso un giorno con 2 Buche purché contigue"_cp, "Ein Tag mit 2 Freistunden erlaubt, wenn zusammenhängend"_cp,
     "One day with 2 idle hours allowed if contiguous"},
    {"Ammesso un giorno con 2 Buche purché NON contigue"_cp,
     "Ein Tag mit 2 Freistunden erlaubt, wenn NICHT zusammenhängend"_cp,
     "One day with 2 idle hours allowed if NOT contiguous"},
    {"Ammessi giorni con più Buche"_cp, "Tage mit mehr Freistunden erlaubt", "Days with more idle hours allowed"},
    {"Ammessi giorni con più Buche purché contigue"_cp, "Tage mit mehr Freistunden erlaubt, wenn zusammenhängend"_cp,
     "Days with more idle hours allowed if contiguous"},
    {"Ammessi giorni con più Buche purché NON contigue"_cp,
     "Tage mit mehr Freistunden erlaubt, wenn NICHT zusammenhängend"_cp,
     "Days with more idle hours allowed if NOT contiguous"},
};

SchoolShape vipro_school_shape() {
  SchoolShape s;
  for (int d = 0; d < 7; ++d) {
    int h = std::min<int>(g_ui_header.hours_per_day[d], 12);
    s.day_hours[d] = h;
    s.days += h > 0 ? 1 : 0;
    s.hours = std::max(s.hours, h);
  }
  return s;
}

const std::vector<TeacherCombo>& vipro_combos() {
  static const std::vector<TeacherCombo> combos = make_combos();
  return combos;
}

int vipro_last_number(const TeacherCombo& c, const SchoolShape& s) {
  switch (c.range) {
    case ComboRange::Days: return s.days;
    case ComboRange::DaysLess1: return s.days - 1;
    case ComboRange::Hours: return s.hours;
    case ComboRange::HoursLess1: return s.hours - 1;
    case ComboRange::DayHours: return c.day >= 0 && c.day < 7 ? s.day_hours[c.day] : 0;
    case ComboRange::Fixed: break;
  }
  return c.last;
}

std::int8_t* vipro_field(UiTeacher& t, const TeacherCombo& c) {
  if (c.field == kMxrField) return reinterpret_cast<std::int8_t*>(&t.mxr);
  return reinterpret_cast<std::int8_t*>(&t.personal) + c.field;
}

int vipro_item_of(const TeacherCombo& c, int stored, const SchoolShape& s) {
  if (stored == -1 && c.dash) return -1;
  int shown = stored - c.offset;
  if (shown < c.first || shown > vipro_last_number(c, s)) return -1;
  return shown - c.first + (c.dash ? 1 : 0);
}

int vipro_value_of(const TeacherCombo& c, int item) {
  if (item < 0 || (c.dash && item == 0)) return -1;
  return c.first + item - (c.dash ? 1 : 0) + c.offset;
}

int vipro_maxbuday_item(int stored) { return stored > 1 ? std::min(stored - 1, 6) : std::max(stored, 0); }

int vipro_maxbuday_value(int item) { return item <= 0 ? 0 : item + 1; }

void vipro_set_last_hours_release(UiTeacherConstraints& c, bool on) {
  c.ultimeoremax = {};
  if (!on) return;
  c.ultimeoremax.pairs[0][0] = 2;
  c.ultimeoremax.pairs[0][1] = 100;
  c.ultimeoremax.count = 1;
}

bool vipro_last_hours_released(const UiTeacherConstraints& c) {
  return c.ultimeoremax.count >= 1 && c.ultimeoremax.pairs[0][0] == 2 && c.ultimeoremax.pairs[0][1] == 100;
}

// The presets fill the preferred bands with values that suit most teachers;
// N is the number of days the bands speak of.
void vipro_apply_preset(UiTeacherConstraints& c, int preset, int hours) {
  int n = c.gmin >= 0 && c.gmin < c.gmax ? c.gmin : c.gmax - 1;
  int h = hours;
  auto set3 = [](std::int8_t* band, int a, int b, int days) {
    band[0] = std::int8_t(a);
    band[1] = std::int8_t(b);
    band[2] = std::int8_t(days);
  };
  switch (preset) {
    case 0:
      clear(c.pmin, 2);
      clear(c.pmax, 2);
      clear(c.fmin, 3);
      clear(c.fmax, 3);
      break;
    case 1:
      if (c.gmax >= 2) {
        c.pmin[0] = 2;
        c.pmin[1] = std::int8_t(n);
      }
      clear(c.pmax, 2);
      clear(c.fmin, 3);
      clear(c.emin, 3);
      set3(c.fmax, h < 6 ? h : h - 1, h, 2);
      break;
    case 2:
      clear(c.pmin, 2);
      c.pmax[0] = 1;
      c.pmax[1] = 2;
      if (c.gmax >= 2) set3(c.fmin, h - 2, h, n);
      clear(c.fmax, 3);
      clear(c.emax, 3);
      break;
    default: {
      int m = n / 2;
      if (c.gmax >= 2) {
        c.pmin[0] = 1;
        c.pmin[1] = std::int8_t(m);
        set3(c.fmin, h - 1, h, m);
      }
      clear(c.pmax, 2);
      if (c.pmin[1] < 1) c.pmin[1] = 1;
      if (c.fmin[2] < 1) {
        if (c.pmin[1] + 1 > n) {
          clear(c.fmin, 3);
          clear(c.emin, 3);
        } else {
          c.fmin[2] = 1;
        }
      }
      clear(c.fmax, 3);
      clear(c.emax, 3);
      break;
    }
  }
}

bool vipro_after_forbidden_hours(UiTeacherConstraints& c, const SchoolShape& s, bool gmax_is_default) {
  int first_forbidden = 0, open_days = 0;
  for (int d = 0; d < 7; ++d) {
    first_forbidden += c.op[d * 12] == 1 ? 1 : 0;
    bool open = false;
    for (int h = 0; h < s.day_hours[d]; ++h) open = open || c.op[d * 12 + h] != 1;
    open_days += open ? 1 : 0;
  }
  if (first_forbidden >= 5) vipro_set_last_hours_release(c, true);
  int most = c.gmax;
  if (gmax_is_default && s.days > 0) most = std::min(most, s.days);
  if (open_days > 0 && open_days < most) {
    c.gmax = std::int8_t(open_days);
    if (c.gmin > c.gmax) {
      c.gmin = c.gmax;
      // The whole week as the least days is refused on saving for a
      // teacher with a free day: the correction stops one day short.
      bool free_day = false;
      for (int d = 0; d < 7; ++d) free_day = free_day || c.li[d] == 1;
      if (free_day && c.gmin == s.days && s.days > 1) c.gmin = std::int8_t(s.days - 1);
      return true;
    }
  }
  return false;
}

int vipro_store_derogations(UiHq2Table& into, const UiHq2Table& edited, int ordinary_maximum) {
  UiHq2Table kept{};
  int dropped = 0, count = std::min<int>(edited.count, 9);
  for (int i = 0; i < count; ++i) {
    if (edited.pairs[i][0] <= ordinary_maximum) {
      ++dropped;
      continue;
    }
    kept.pairs[kept.count][0] = edited.pairs[i][0];
    kept.pairs[kept.count][1] = edited.pairs[i][1];
    ++kept.count;
  }
  into = kept;
  return dropped;
}
