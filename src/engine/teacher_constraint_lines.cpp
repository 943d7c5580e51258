// The loader's last pass: one "V:" line per teacher with the teacher's
// personal constraints (wanted and refused hours, free days, first and last
// hours, daily limits, pauses, movement between buildings, special
// options), plus the class-level lines that need the classes to exist
// ("GINNASIO:", "TIPOLOCL:", "INDISIGLE:", "ROTAZIX:", "ROTAZIAPAUSA:") and
// the calendar and identifier lines handed to their readers.
//
// Class lists are read in both forms in use: one item per field, and the
// items joined by '-' in one field as the user interface writes them. The
// writer's archive marker "QWEQWE" is ignored. Every hour is checked to lie
// in 1..12 before it marks a grid; day counts are checked against the days
// of the week. Errors carry the whole line.
//
// Workload: one line per teacher (a few hundred), a few dozen items each.
#include <cstring>

#include "engine/errors.h"
#include "engine/loader_internal.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "platform/cp1252.h"

namespace {

std::int8_t wrap_byte(int value) { return static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFF)); }

// A number of the line into a byte field; one the field cannot hold (from
// low to high) refuses the line.
std::int8_t as_byte(int value, int low = -128, int high = 127) { return wrap_byte(loader_fitting(value, low, high)); }

// Reads up to count values a-b-c...; a missing '-' before a required value
// raises the message (null: the values after it are simply absent). The
// first value may have a range of its own (first_low..first_high).
const char* read_values(const char* p, std::int8_t* out, int count, int required, const char* message,
                        int first_low = -128, int first_high = 127) {
  out[0] = as_byte(take_number(p), first_low, first_high);
  for (int k = 1; k < count; ++k) {
    if (*p != '-') {
      if (k < required) loader_config_error(message);
      return p;
    }
    ++p;
    out[k] = as_byte(take_number(p));
  }
  return p;
}

void check_days(int value, int low, int high, const char* message) {
  if (value < low || value > high) loader_config_error(message);
}

void read_per_day(const char* p, std::int8_t* values, std::int8_t fill) {
  if (static_cast<std::uint8_t>(values[0]) == 255 && fill >= 0) std::memset(values, fill, kDays);
  for (int day = or_next_day_name(p); day >= 0; day = or_next_day_name(p))
    values[day] = as_byte(take_number(p));
}

void read_hour_grid(EngineTeacher& t, const char* p, bool allowed) {
  std::uint8_t* grid = allowed ? t.allowed_hours : t.forbidden_hours;
  const std::uint8_t* other = allowed ? t.forbidden_hours : t.allowed_hours;
  if (other[0] != 255) loader_config_error("Vietato configurare ore proibite E ore richieste");
  if (grid[0] == 255) std::memset(grid, 0, kWeekSlots);
  read_day_ranges(p, grid, allowed ? "Configurare OR:da-a .." : "Configurare OP:da-a ..");
}

void read_free_days(const char* p, std::uint8_t* days, std::uint8_t& count) {
  for (int day = or_next_day_name(p); day >= 0; day = or_next_day_name(p)) {
    bool known = false;
    for (int k = 0; k < count; ++k) known = known || days[k] == day;
    if (known) continue;
    if (count >= g_eng_run.days_per_week || count >= kDays) loader_config_error("Giorni Liberi eccessivi");
    days[count++] = static_cast<std::uint8_t>(day);
  }
  if (!field_end(*p)) loader_config_error("Sintassi Giorni Liberi ???");
}

void read_rule_band(const char* p, std::int8_t (*pairs)[2], std::int8_t& count, const char* hint) {
  while (!field_end(*p)) {
    int a = take_number(p);
    if (*p != '-') loader_config_error(hint);
    ++p;
    int b = take_number(p);
    if (count < kRuleBandPairs) {
      pairs[count][0] = as_byte(a);
      pairs[count][1] = as_byte(b);
      ++count;
    }
    if (*p != ':') break;
    ++p;
  }
}

const char kFasce[] = "Configurazione fasce errata ";
const char* const kNomotor =
    "NOMOTOR: 1=non può trasferirsi se non ha un'ora buca  2=non può trasferirsi mai  3=si trasferisce "
    "senza buca (1 volta al giorno)  4=vuole 2 buche  1x=Niente pausa se trasf all'ora x"_cp;

// Items of the first and last hours: key, hours field, days field, lowest
// and highest days allowed (relative to the week: high = days + offset).
bool read_first_last_item(EngineTeacher& t, const char* item) {
  const int days = g_eng_run.days_per_week;
  struct Pair {
    const char* key;
    std::int8_t EngineTeacher::*a;
    std::int8_t EngineTeacher::*b;
    int low, high_offset;
    const char* message;
  };
  static const Pair kPairs[] = {
      {"PMIN:", &EngineTeacher::pmin_hours, &EngineTeacher::pmin_days, 1, 0, "Giorni minimi con prima ora"},
      {"PMAX:", &EngineTeacher::pmax_hours, &EngineTeacher::pmax_days, 0, -1, "Giorni massimi con prima ora"},
      {"UMIN:", &EngineTeacher::umin_hours, &EngineTeacher::umin_days, 1, 0, "Giorni minimi con ultima ora"},
      {"UMAX:", &EngineTeacher::umax_hours, &EngineTeacher::umax_days, 0, -1, "Giorni massimi con ultima ora"},
  };
  for (const Pair& pair : kPairs) {
    if (!starts_with(item, pair.key)) continue;
    std::int8_t v[2] = {0, 0};
    read_values(item + 5, v, 2, 2, kFasce);
    check_days(v[1], pair.low, days + pair.high_offset, pair.message);
    t.*pair.a = v[0];
    t.*pair.b = v[1];
    return true;
  }
  if (starts_with(item, "CAVALLOMAX:")) {
    std::int8_t v[2] = {0, 0};
    read_values(item + 11, v, 2, 2, kFasce);
    if (v[1] < 0) loader_config_error("Giorni massimi con prima ora");
    if (v[1] > days - 1) v[1] = static_cast<std::int8_t>(days - 1);
    t.cavallomax_hour = v[0];
    t.cavallomax_days = v[1];
    return true;
  }
  struct Triple {
    const char* key;
    std::int8_t (EngineTeacher::*values)[3];
    int low, high_offset;
    const char* message;
  };
  static const Triple kTriples[] = {
      {"FMIN:", &EngineTeacher::fmin, 1, 0, "Giorni minimi con prima ora"},
      {"FMAX:", &EngineTeacher::fmax, 0, -1, "Giorni massimi con prima ora"},
      {"EMIN:", &EngineTeacher::emin, 1, 0, "Giorni minimi con prima ora"},
      {"EMAX:", &EngineTeacher::emax, 0, -1, "Giorni massimi con prima ora"},
  };
  for (const Triple& triple : kTriples) {
    if (!starts_with(item, triple.key)) continue;
    std::int8_t v[3] = {0, 0, 0};
    read_values(item + 5, v, 3, 3, kFasce);
    check_days(v[2], triple.low, days + triple.high_offset, triple.message);
    std::memcpy(t.*triple.values, v, 3);
    return true;
  }
  return false;
}

bool read_limit_item(EngineTeacher& t, const char* item) {
  const int days = g_eng_run.days_per_week;
  if (starts_with(item, "GMIN:") || starts_with(item, "GMAX:")) {
    bool min = item[2] == 'I';
    int value = read_number(item + 5);
    check_days(value, 1, days, min ? "Giorni minimi Totali" : "Giorni Massimi Totali");
    (min ? t.gmin_days : t.gmax_days) = as_byte(value);
    return true;
  }
  struct Limit {
    const char* key;
    std::uint8_t EngineTeacher::*field;
    const char* message;
  };
  static const Limit kLimits[] = {
      {"INSEGNAMIN:", &EngineTeacher::insegnamin, "Deroga Ore insegnamento MINIME giornaliere"},
      {"INSEGNA:", &EngineTeacher::insegna, "Deroga Ore insegnamento MASSIME giornaliere"},
      {"PRESENZA:", &EngineTeacher::presenza, "Deroga Ore presenza     giornaliere"},
  };
  for (const Limit& limit : kLimits) {
    if (!starts_with(item, limit.key)) continue;
    int value = read_number(item + std::strlen(limit.key));
    if (value < 1 || value > kHoursPerDay) loader_config_error(limit.message);
    t.*limit.field = static_cast<std::uint8_t>(value);
    return true;
  }
  struct Load {
    const char* key;
    std::int8_t EngineTeacher::*a;
    std::int8_t EngineTeacher::*b;
    const char* message;
  };
  static const Load kLoads[] = {
      {"GL:", &EngineTeacher::gl_hours, &EngineTeacher::gl_days,
       "Configurare GL:quante ore massime - quanti giorni leggeri"},
      {"GP:", &EngineTeacher::gp_hours, &EngineTeacher::gp_days,
       "Configurare GP:quante prime ore vuole - quanti giorni delle prime ore"},
      {"GU:", &EngineTeacher::gu_hours, &EngineTeacher::gu_days,
       "Configurare GU:quante ultime ore vuole - quanti giorni delle ultime ore"},
  };
  for (const Load& load : kLoads) {
    if (!starts_with(item, load.key)) continue;
    std::int8_t v[2] = {0, 0};
    read_values(item + 3, v, 2, 2, load.message);
    t.*load.a = v[0];
    t.*load.b = v[1];
    return true;
  }
  if (starts_with(item, "GX:")) {
    read_values(item + 3, t.gx, 3, 2, "Configurare GX:quante ultime ore vuole - quanti giorni delle ultime ore");
    return true;
  }
  return false;
}

bool read_option_item(EngineTeacher& t, const char* item) {
  EngineSchool& s = g_eng_school;
  const char* p = item;
  auto after = [&](const char* key) { return item + std::strlen(key); };
  if (starts_with(item, "BUK:")) {
    p = after("BUK:");
    int a = take_number(p);
    int b = *p == ':' ? (++p, take_number(p)) : 0;
    t.buk[0] = as_byte(a < 0 ? 0 : a);
    t.buk[1] = as_byte(b < 0 ? 0 : b);
  } else if (starts_with(item, "RIPOSO:")) t.riposo = as_byte(read_number(after("RIPOSO:")));
  else if (starts_with(item, "PRIVILEGIO")) t.privilege_flag = 1;
  else if (starts_with(item, "GPAUSA:")) t.gpausa = as_byte(read_number(after("GPAUSA:")));
  else if (starts_with(item, "IGNORAPAUSA:")) t.ignorapausa = 1;
  else if (starts_with(item, "NOMOTOR:")) {
    int value = read_number(after("NOMOTOR:"));
    if (!((value >= 1 && value <= 6) || (value >= 11 && value <= 23))) loader_config_error(kNomotor);
    t.nomotor = as_byte(value);
  } else if (starts_with(item, "PAUSAMEPER:")) {
    std::int8_t v[4];
    std::memcpy(v, t.pausameper, 4);
    // The hour is kept less 1: 128 is the last one a byte keeps.
    read_values(after("PAUSAMEPER:"), v, 4, 1, nullptr, -127, 128);
    v[0] = wrap_byte(v[0] - 1);
    std::memcpy(t.pausameper, v, 4);
  } else if (starts_with(item, "MAXBUDAYPER:")) t.maxbudayper = as_byte(read_number(after("MAXBUDAYPER:")));
  else if (starts_with(item, "NOMWEEK:")) t.nomweek = as_byte(read_number(after("NOMWEEK:")));
  else if (starts_with(item, "GRUPPIOREMAX:"))
    read_rule_band(after("GRUPPIOREMAX:"), t.gruppioremax_pairs, t.gruppioremax_count,
                   "Configurare GRUPPIOREMAX:ore max nel giorno in una classe-max per settimana...");
  else if (starts_with(item, "ULTIMEOREMAX:"))
    read_rule_band(after("ULTIMEOREMAX:"), t.ultimeoremax_pairs, t.ultimeoremax_count,
                   "Configurare GRUPPIOREMAX:ore max nel giorno in una classe-max per settimana...");
  else if (starts_with(item, "MXR:")) t.mxr = as_byte(read_number(after("MXR:")), 0, 255);
  else if (starts_with(item, "BRENTIX:")) t.brentix = 1;
  else if (starts_with(item, "PAULAB:")) t.paulab = 1;
  else if (starts_with(item, "QUORVEX:")) {
    int value = read_number(after("QUORVEX:"));
    t.quorvex = as_byte(value == 0 ? 2 : value);
  } else if (starts_with(item, "CLASENOC:")) {
    int value = read_number(after("CLASENOC:"));
    t.clasenoc = as_byte(value >= 1 ? value : 3);
  } else if (starts_with(item, "TRAMOX:")) {
    t.tramox = as_byte(read_number(after("TRAMOX:")));
    s.uses_tramox = 1;
  } else if (starts_with(item, "PLIGI:")) {
    read_values(after("PLIGI:"), t.pligi, 2, 1, nullptr);
    s.uses_pligi = 1;
  } else if (starts_with(item, "DKIF:")) {
    t.dkif = as_byte(read_number(after("DKIF:")));
    s.uses_dkif = 1;
  } else if (starts_with(item, "SEGRUBI:")) read_values(after("SEGRUBI:"), t.segrubi, 2, 1, nullptr);
  else if (starts_with(item, "PRELA:")) read_values(after("PRELA:"), t.prela, 2, 1, nullptr);
  else if (starts_with(item, "FERCAV:")) {
    const char* q = after("FERCAV:");
    read_values(q, t.fercav, 3, 1, nullptr);
    take_number(q);
    if (*q == '-') s.uses_fercav = 1;
  } else if (starts_with(item, "PRNS:") || starts_with(item, "QWEQWE")) {
  } else if (starts_with(item, "ENTEREXIT:"))
    read_rule_band(after("ENTEREXIT:"), t.enterexit_pairs, t.enterexit_count,
                   "Configurare ENTEREXIT:fino a ore-quanti rientri in classe ore fino a ore- ..");
  else if (starts_with(item, "CARSHARE:")) {
    p = after("CARSHARE:");
    const char* colon = or_find_sub_separator(p);
    if (colon == nullptr) loader_config_error("Configurare CARSHARE:nome compagno:massima attesa (0..2)");
    copy_until(t.carshare_name, p, kNameSize - 1, ":");
    t.carshare_wait = as_byte(read_number(colon + 1));
  } else if (starts_with(item, "TEKGRADO:")) {
    std::int8_t v[2] = {0, 0};
    read_values(after("TEKGRADO:"), v, 2, 1, nullptr);
    t.tekgrado[0] = v[0];
    t.tekgrado[1] = v[1];
    if (v[1] != 0) s.uses_tekgrado = 1;
  } else if (starts_with(item, "LABRIFOL:")) {
    t.labrifol = as_byte(read_number(after("LABRIFOL:")));
    g_eng_run.labrifol_flag = 1;
  } else {
    return false;
  }
  return true;
}

void read_item(EngineTeacher& t, const char* item) {
  if (starts_with(item, "REM:")) return;
  if (read_hour_pairs_item(t, item)) {
  } else if (read_first_last_item(t, item)) {
  } else if (starts_with(item, "OV:")) read_per_day(item + 3, t.ov, 0);
  else if (starts_with(item, "OM:")) read_per_day(item + 3, t.om, 12);
  else if (starts_with(item, "OVMNB:")) read_per_day(item + 6, t.ovmnb, -1);
  else if (starts_with(item, "DIMPE:")) read_per_day(item + 6, t.dimpe, 0);
  else if (starts_with(item, "OR:")) read_hour_grid(t, item + 3, true);
  else if (starts_with(item, "OP:")) read_hour_grid(t, item + 3, false);
  else if (starts_with(item, "LI:")) read_free_days(item + 3, t.free_days, t.free_day_count);
  else if (starts_with(item, "LIALT:")) read_free_days(item + 6, t.alt_free_days, t.alt_free_day_count);
  else if (read_limit_item(t, item)) {
  } else if (!read_option_item(t, item)) {
    loader_config_error("Sintassi Vincoli");
  }
}

void read_teacher_line(const char* line) {
  const char* name_field = line[2] == '|' ? next_field(line + 2) : line + 2;
  int teacher = -1;
  if (name_field != nullptr && !field_end(*name_field)) {
    char name[kNameSize + 1];
    int n = copy_until(name, name_field, kNameSize, nullptr);
    or_trim_trailing_blanks(name);
    if (n < kNameSize) {
      for (int t = 0; t < g_eng_school.teacher_count && teacher < 0; ++t)
        if (std::strcmp(g_eng_teachers[t].name, name) == 0) teacher = t;
    }
  }
  if (teacher < 0) {
    if (g_provisional_mode) return;
    loader_config_error_text("Vincoli-Professore ?:", name_field != nullptr ? name_field : line);
  }
  for (const char* item = next_field(name_field); item != nullptr; item = next_field(item))
    read_item(g_eng_teachers[teacher], item);
}

// Calls f for every item of the class-list lines: each field, and within a
// field each '-' separated item; the stop characters end an item.
template <typename F>
void each_class_item(const char* line, std::size_t key_length, F f) {
  const char* p = line + key_length;
  if (*p == '|') p = next_field(p);
  for (; p != nullptr; p = next_field(p)) {
    const char* q = p;
    while (!field_end(*q)) {
      q = f(q);
      while (!field_end(*q) && *q != '-') ++q;
      if (*q == '-') ++q;
    }
  }
}

// The class code of an item: its token, up to '|', '-' or ':' and at most
// the school's code length. The item goes on right behind the characters
// copied, so a longer token leaves its rest where a delimiter is expected.
const char* class_code(const char* q, char* code) {
  or_copy_token(code, const_cast<char*>(q), g_eng_school.class_code_length);
  return q + std::strlen(code);
}

void read_ginnasio(const char* line) {
  each_class_item(line, 9, [](const char* q) {
    char code[kClassCodeSize];
    const char* end = class_code(q, code);
    if (code[0] != '\0') g_eng_classes[or_find_or_add_class(code, 0)].kind = 1;
    return end;
  });
}

void read_tipolocl(const char* line) {
  each_class_item(line, 9, [](const char* q) {
    char code[kClassCodeSize];
    const char* end = class_code(q, code);
    if (*end != '-' || !is_digit(end[1])) loader_config_error("Sintassi Vincoli");
    g_eng_classes[or_find_or_add_class(code, 0)].room_type = static_cast<std::uint8_t>(end[1] - '0');
    return end + 2;
  });
}

void read_rotazix(const char* line) {
  each_class_item(line, 8, [](const char* q) {
    char code[kClassCodeSize];
    const char* end = class_code(q, code);
    if (*end != ':') loader_config_error("Sintassi Vincoli");
    ++end;
    int value = take_number(end);
    g_eng_classes[or_find_or_add_class(code, 0)].rotazix = as_byte(value, 0, 255);
    g_eng_school.rotazix_flag = 1;
    return end;
  });
  std::memset(g_eng_school.rotation_pause, 255, 4);
}

void read_rotation_pause(const char* line) {
  const char* p = line + 13;
  if (*p == '|') p = next_field(p);
  if (p == nullptr) return;
  for (int k = 0; k < 4; ++k) {
    g_eng_school.rotation_pause[k] = as_byte(take_number(p) - 1, -1, 254);
    if (*p != '-') break;
    ++p;
  }
}

void read_indisigle(const char* line) {
  const char* p = line + 10;
  if (*p == '|') p = next_field(p);
  while (p != nullptr && !field_end(*p)) {
    char letter = *p;
    if (p[1] != '-') loader_config_error("Sintassi Vincoli");
    char text[kNameSize];
    int n = copy_until(text, p + 2, kNameSize - 1, ":");
    for (char* c = text; *c != '\0'; ++c) *c = static_cast<char>(kt::cp1252_lower(static_cast<unsigned char>(*c)));
    for (int c = 0; c < g_eng_school.class_count; ++c) {
      EngineClass& cls = g_eng_classes[c];
      if (cls.code[0] == '\0' || cls.code[1] == '\0' || cls.code[2] != letter) continue;
      cls.kind = 2;
      std::snprintf(cls.display_name, sizeof(cls.display_name), "%.2s%s", cls.code, text);
    }
    if (n > g_eng_run.longest_class_name) g_eng_run.longest_class_name = static_cast<std::uint8_t>(n);
    p += 2 + n;
    if (*p != ':') break;
    ++p;
  }
}

}  // namespace

void or_read_teacher_constraints(std::FILE* file) {
  or_reset_teacher_constraint_fields();
  while (loader_next_line(file)) {
    const char* line = g_loader.line;
    if (starts_with(line, "SISSI:")) or_read_sissi_ids(line);
    else if (starts_with(line, "CALESPE:")) or_read_class_special_calendar(line, 0);
    else if (starts_with(line, "SCALJAN:")) or_read_class_special_calendar(line, 1);
    else if (starts_with(line, "SKAVA:")) or_read_class_special_days(line, 0);
    else if (starts_with(line, "SKAVB:")) or_read_class_special_days(line, 1);
    else if (starts_with(line, "CLADAYS:")) or_read_class_hour_durations(line);
    else if (starts_with(line, "CLADUSPE:")) continue;
    else if (starts_with(line, "GINNASIO:")) read_ginnasio(line);
    else if (starts_with(line, "TIPOLOCL:")) read_tipolocl(line);
    else if (starts_with(line, "INDISIGLE:")) read_indisigle(line);
    else if (starts_with(line, "ROTAZIX:")) read_rotazix(line);
    else if (starts_with(line, "ROTAZIAPAUSA:")) read_rotation_pause(line);
    else if (starts_with(line, "V:")) read_teacher_line(line);
  }
}
