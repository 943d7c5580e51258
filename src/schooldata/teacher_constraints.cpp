// Teacher constraint items: one field each, a keyword and its numbers.
// Numbers are read as atoi reads them and stored as signed bytes; ranges
// of the hour grid are clipped to 12 hours, pair tables to their capacity.
// A number its byte cannot hold refuses the line: wrapped, it would read as
// another value, or as "not set" and vanish at the next save, unsaid.
#include "schooldata/teacher_constraints.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "schooldata/day_codes.h"
#include "schooldata/model_lookups.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/ui_school_model.h"

namespace {

std::string g_error;

// The first number of the item being read that its byte cannot hold, with
// the range the item's text may take (the stored byte may be shifted).
struct OutOfRange {
  bool found = false;
  int low = 0, high = 0;
} g_out_of_range;

void out_of_range(int low, int high) {
  if (!g_out_of_range.found) g_out_of_range = {true, low, high};
}

// atoi's reading, saturated: a run of digits past the int's range stays
// out of every byte's range instead of wrapping into it (and far enough
// from the int's ends that a shift by one cannot overflow).
int to_int(const char* text) {
  const long kFar = 1000000000L;
  long v = std::strtol(text, nullptr, 10);
  return static_cast<int>(v > kFar ? kFar : v < -kFar ? -kFar : v);
}

struct Bounds {
  int days = 0;   // D
  int hours = 0;  // H
};

int fail(const char* it, const char* en, const std::string& item) {
  g_error = std::string(g_language == 2 ? en : it) + ": " + item.substr(0, 80);
  return -1;
}

// The '-' separated numbers of text (atoi of each piece). A '-' right after
// a separator and before a digit is the sign of the next number, as the
// engine reads it: the writer puts "2-1--1--1" for 2, 1, -1, -1.
std::vector<int> numbers(const std::string& text) {
  std::vector<int> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    bool negative = start + 1 < text.size() && text[start] == '-' && text[start + 1] >= '0' && text[start + 1] <= '9';
    std::size_t dash = text.find('-', negative ? start + 1 : start);
    if (dash == std::string::npos) dash = text.size();
    out.push_back(to_int(text.substr(start, dash - start).c_str()));
    start = dash + 1;
  }
  return out;
}

// shift: what the text adds to the stored value (PAUSAMEPER's hour is
// stored less 1), so the refusal tells the range of the text.
std::int8_t byte(int v, int shift = 0) {
  if (v < INT8_MIN || v > INT8_MAX) out_of_range(INT8_MIN + shift, INT8_MAX + shift);
  return static_cast<std::int8_t>(v);
}
int clamp_high(int v, int high) { return v > high ? high : v; }

// "PMIN" and the like: n bytes, the last bounded below by low and above by high.
int band(std::int8_t* out, int n, const std::string& value, int low, int high,
         const char* message, const std::string& item) {
  if (value.find('-') == std::string::npos) {
    return fail("Configurazione fasce errata ", "Wrong band configuration", item);
  }
  std::vector<int> v = numbers(value);
  v.resize(n, 0);
  if (v[n - 1] < low) return fail(message, message, item);
  v[n - 1] = clamp_high(v[n - 1], high);
  for (int i = 0; i < n; ++i) out[i] = byte(v[i]);
  return 0;
}

int per_day(std::int8_t* out, const std::string& value) {
  const char* p = value.c_str();
  for (;;) {
    int d = og_next_day_code(p);
    if (d == kDayCodeWithoutColon) return fail(og_day_code_message(), og_day_code_message(), value);
    if (d < 0) return 0;
    out[d] = byte(to_int(p));
  }
}

int grid(std::uint8_t* cells, const std::string& value, std::uint8_t mark) {
  const char* p = value.c_str();
  for (;;) {
    int d = og_next_day_code(p);
    if (d == kDayCodeWithoutColon) return fail(og_day_code_message(), og_day_code_message(), value);
    if (d < 0) return 0;
    const char* dash = std::strchr(p, '-');
    if (dash == nullptr) return fail("Configurare OP:da-a ..", "Configure OP:from-to ..", value);
    int a = to_int(p), b = to_int(dash + 1);
    for (int h = a < 1 ? 1 : a; h <= b && h <= 12; ++h) cells[d * 12 + h - 1] = mark;
    p = dash + 1;
  }
}

int days(std::uint8_t* flags, const std::string& value, const char* message) {
  const char* p = value.c_str();
  for (;;) {
    int d = og_next_day_code(p);
    if (d == kDayCodeWithoutColon) return fail(message, message, value);
    if (d >= 0) {
      flags[d] = 1;
      continue;
    }
    return *p == 0 ? 0 : fail(message, message, value);
  }
}

int pairs(UiHq2Table& t, const std::string& value, int capacity, const char* message) {
  std::size_t start = 0;
  while (start < value.size()) {
    std::size_t colon = value.find(':', start);
    std::string entry = value.substr(start, colon == std::string::npos ? colon : colon - start);
    if (!entry.empty()) {
      if (entry.find('-') == std::string::npos) return fail(message, message, value);
      if (t.count >= capacity) return 0;
      std::vector<int> v = numbers(entry);
      t.pairs[t.count][0] = byte(v[0]);
      t.pairs[t.count][1] = byte(v[1]);
      ++t.count;
    }
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  return 0;
}

void values(std::int8_t* out, int n, const std::string& value) {
  std::vector<int> v = numbers(value);
  for (int i = 0; i < n && i < static_cast<int>(v.size()); ++i) out[i] = byte(v[i]);
}

int read_item(UiTeacher& t, const std::string& item, const Bounds& b);

}  // namespace

const char* og_constraint_error() { return g_error.c_str(); }

int og_read_teacher_constraints(const char* line) {
  g_error.clear();
  std::string text(line);
  std::vector<std::string> fields = og_split_fields(text.substr(text.find(':') + 1));
  if (fields.empty()) return 0;
  int index = og_find_or_add_teacher(fields[0].c_str());
  if (index < 0) return fail(og_lookup_error(), og_lookup_error(), fields[0]);
  Bounds b;
  for (int d = 0; d < 7; ++d) {
    int h = g_ui_header.hours_per_day[d];
    if (h > 0) ++b.days;
    if (h > b.hours) b.hours = h > 12 ? 12 : h;
  }
  for (std::size_t i = 1; i < fields.size(); ++i) {
    g_out_of_range = OutOfRange{};
    if (read_item(g_ui_teachers[index], fields[i], b) != 0) return -1;
    if (g_out_of_range.found) {
      char it[64], en[64];
      std::snprintf(it, sizeof it, "Valore fuori dai limiti (da %d a %d)", g_out_of_range.low, g_out_of_range.high);
      std::snprintf(en, sizeof en, "Value out of range (%d to %d)", g_out_of_range.low, g_out_of_range.high);
      return fail(it, en, fields[i]);
    }
  }
  return 0;
}

namespace {

bool starts(const std::string& item, const char* key, std::string& value) {
  std::size_t n = std::strlen(key);
  if (item.compare(0, n, key) != 0) return false;
  value = item.substr(n);
  return true;
}

// The upper bound first: with no hours in the week (high below low) every
// value reads as low, so a save and a reopen keep it.
int single(std::int8_t& out, const std::string& value, int low, int high) {
  int v = clamp_high(to_int(value.c_str()), high);
  out = byte(v < low ? low : v);
  return 0;
}

int read_bands(UiTeacherConstraints& c, const std::string& item, const Bounds& b, bool& done) {
  std::string v;
  done = true;
  const int d = b.days, h = b.hours;
  const char* kFirstMin = "Giorni minimi con prima ora";
  const char* kFirstMax = "Giorni massimi con prima ora";
  struct Band {
    const char* key;
    std::int8_t* out;
    int n;
    bool minimum;
  };
  const Band kBands[7] = {{"PMIN:", c.pmin, 2, true},  {"PMAX:", c.pmax, 2, false},
                          {"CAVALLOMAX:", c.cavallomax, 2, false},
                          {"FMIN:", c.fmin, 3, true},  {"FMAX:", c.fmax, 3, false},
                          {"EMIN:", c.emin, 3, true},  {"EMAX:", c.emax, 3, false}};
  for (const Band& k : kBands) {
    if (!starts(item, k.key, v)) continue;
    return k.minimum ? band(k.out, k.n, v, 1, d, kFirstMin, item)
                     : band(k.out, k.n, v, 0, d - 1, kFirstMax, item);
  }
  bool last_min = starts(item, "UMIN:", v);
  if (last_min || starts(item, "UMAX:", v)) {
    std::int8_t pair[2];
    int rc = last_min ? band(pair, 2, v, 1, d, "Giorni minimi con ultima ora", item)
                      : band(pair, 2, v, 0, d - 1, "Giorni massimi con ultima ora", item);
    if (rc != 0) return rc;
    std::int8_t* out = last_min ? c.fmin : c.fmax;
    // Kept as the first of the h - n + 1 last hours.
    int first = h - pair[0] + 1;
    if (first < INT8_MIN || first > INT8_MAX) out_of_range(h + 1 - INT8_MAX, INT8_MAX);
    out[0] = static_cast<std::int8_t>(first);
    out[1] = byte(h);
    out[2] = pair[1];
    return 0;
  }
  done = false;
  return 0;
}

int read_item(UiTeacher& t, const std::string& item, const Bounds& b) {
  UiTeacherConstraints& c = t.personal;
  std::string v;
  bool done = false;
  int rc = read_bands(c, item, b, done);
  if (done) return rc;
  if (starts(item, "REM:", v) || starts(item, "PRIVILEGIO", v)) return 0;
  if (starts(item, "OVMNB:", v)) return per_day(c.ovmnb, v);
  if (starts(item, "OV:", v)) return per_day(c.ov, v);
  if (starts(item, "OM:", v)) return per_day(c.om, v);
  if (starts(item, "DIMPE:", v)) return per_day(c.dimpe, v);
  if (starts(item, "OP:", v)) return grid(c.op, v, 1);
  if (starts(item, "OR:", v)) {
    bool clear = true;
    for (std::uint8_t cell : c.op) clear = clear && cell == 0;
    for (int d = 0; clear && d < 7; ++d) {
      for (int h = 0; h < g_ui_header.hours_per_day[d] && h < 12; ++h) c.op[d * 12 + h] = 1;
    }
    return grid(c.op, v, 0);
  }
  if (starts(item, "LIALT:", v)) return days(c.lialt, v, "Sintassi Giorni Liberi Alt ???");
  if (starts(item, "LI:", v)) return days(c.li, v, "Sintassi Giorni Liberi ???");
  if (starts(item, "GMIN:", v)) return single(c.gmin, v, 1, b.days);
  if (starts(item, "GMAX:", v)) return single(c.gmax, v, 1, b.days);
  if (starts(item, "INSEGNAMIN:", v)) return single(c.insegnamin, v, 1, b.hours);
  if (starts(item, "INSEGNA:", v)) return single(c.insegna, v, 1, b.hours);
  if (starts(item, "PRESENZA:", v)) return single(c.presenza, v, 1, b.hours);
  if (starts(item, "INSE", v)) {
    return pairs(c.inse, v, 9, "Configurare INSE:max ore giorno-quante volte:max ore giorno...");
  }
  if (starts(item, "XPRESE", v)) {
    return pairs(c.xprese, v, 9,
                 "Configurare XPRESE:max ore giorno-quante volte:max ore giorno...");
  }
  if (starts(item, "GRUPPIOREMAX", v)) {
    return pairs(c.gruppioremax, v, 8,
                 "Configurare GRUPPIOREMAX:ore max nel giorno in una classe-max per settimana...");
  }
  if (starts(item, "ULTIMEOREMAX", v)) {
    return pairs(c.ultimeoremax, v, 8,
                 "Configurare ULTIMEOREMAX:ore max nel giorno in una classe-max per settimana...");
  }
  if (starts(item, "ENTEREXIT", v)) {
    return pairs(c.enterexit, v, 8,
                 "Configurare ENTEREXIT:fino a ore-quanti rientri in classe ore fino a ore- ..");
  }
  struct Pair {
    const char* key;
    std::int8_t* out;
    const char* message;
  };
  const Pair kPairs[3] = {
      {"GL:", c.gl, "Configurare GL:quante ore massime - quanti giorni leggeri"},
      {"GP:", c.gp, "Configurare GP:quante prime ore vuole - quanti giorni delle prime ore"},
      {"GU:", c.gu, "Configurare GU:quante ultime ore vuole - quanti giorni delle ultime ore"}};
  for (const Pair& p : kPairs) {
    if (!starts(item, p.key, v)) continue;
    if (v.find('-') == std::string::npos) return fail(p.message, p.message, item);
    values(p.out, 2, v);
    return 0;
  }
  if (starts(item, "GX:", v)) {
    if (v.find('-') == std::string::npos) {
      return fail("Configurare GX:quante ultime ore vuole - quanti giorni delle ultime ore",
                  "Configure GX", item);
    }
    values(c.gx, 3, v);
    return 0;
  }
  if (starts(item, "BUK:", v)) {
    c.buk[0] = byte(to_int(v.c_str()));
    std::size_t colon = v.find(':');
    if (colon != std::string::npos) c.buk[1] = byte(to_int(v.c_str() + colon + 1));
    return 0;
  }
  struct One {
    const char* key;
    std::int8_t* out;
  };
  for (const One& o : {One{"RIPOSO:", &c.riposo}, One{"GPAUSA:", &c.gpausa},
                       One{"MAXBUDAYPER:", &c.maxbudayper}, One{"TRAMOX:", &c.tramox},
                       One{"DKIF:", &c.dkif}, One{"LABRIFOL:", &c.labrifol}}) {
    if (starts(item, o.key, v)) {
      *o.out = byte(to_int(v.c_str()));
      return 0;
    }
  }
  if (starts(item, "MXR:", v)) {
    int n = to_int(v.c_str());
    if (n < 0 || n > UINT8_MAX) out_of_range(0, UINT8_MAX);
    t.mxr = static_cast<std::uint8_t>(n);
    return 0;
  }
  if (starts(item, "IGNORAPAUSA:", v)) return c.ignorapausa = 1, 0;
  if (starts(item, "BRENTIX:", v)) return t.brentix = 1, 0;
  if (starts(item, "PAULAB:", v)) return c.paulab = 1, 0;
  if (starts(item, "PRNS:", v)) return t.prns = 1, 0;
  // The archive rewrite's marker, which the writer itself may add.
  if (starts(item, "QWEQWE", v)) return 0;
  if (starts(item, "NOMOTOR:", v)) {
    int n = to_int(v.c_str());
    if (!((n >= 1 && n <= 6) || (n >= 11 && n <= 23))) {
      return fail("NOMOTOR: 1=non può trasferirsi se non ha un'ora buca  "
                  "2=non può trasferirsi mai  3=si trasferisce senza buca (1 volta al giorno)  "
                  "4=vuole 2 buche  5=non controlla  1x=Niente pausa se trasf all'ora x"_cp,
                  "NOMOTOR: 1 to 6 or 11 to 23", item);
    }
    c.nomotor = byte(n);
    return 0;
  }
  if (starts(item, "NOMWEEK:", v)) {
    int n = to_int(v.c_str());
    c.nomweek = byte(n >= 1 && c.nomotor == 2 ? 0 : n);
    return 0;
  }
  if (starts(item, "PAUSAMEPER:", v)) {
    std::vector<int> n = numbers(v);
    for (std::size_t i = 0; i < n.size() && i < 4; ++i) {
      c.pausameper[i] = i == 0 ? byte(n[i] - 1, 1) : byte(n[i]);
    }
    return 0;
  }
  if (starts(item, "QUORVEX:", v)) {
    int n = to_int(v.c_str());
    c.quorvex = byte(n == 0 ? 2 : n);
    return 0;
  }
  if (starts(item, "CLASENOC:", v)) {
    int n = to_int(v.c_str());
    c.clasenoc = byte(n >= 1 ? n : 3);
    return 0;
  }
  for (const One& o : {One{"PLIGI:", c.pligi}, One{"SEGRUBI:", c.segrubi}, One{"PRELA:", c.prela},
                       One{"TEKGRADO:", c.tekgrado}}) {
    if (starts(item, o.key, v)) return values(o.out, 2, v), 0;
  }
  if (starts(item, "FERCAV:", v)) return values(c.fercav, 3, v), 0;
  if (starts(item, "CARSHARE:", v)) {
    std::size_t colon = v.find(':');
    if (colon == std::string::npos) {
      return fail("Configurare CARSHARE:nome compagno:massima attesa (0..2)",
                  "Configure CARSHARE:partner name:longest wait (0..2)", item);
    }
    int partner = og_find_or_add_teacher(v.substr(0, colon).c_str());
    if (partner < 0) return fail(og_lookup_error(), og_lookup_error(), item);
    c.carshare_partner = partner;
    c.carshare_wait = byte(to_int(v.c_str() + colon + 1));
    return 0;
  }
  return fail("Sintassi Vincoli", "Constraint syntax", item);
}

}  // namespace
