// The description writer's formatting helpers, gym lines and band tables.
// Subject and building indexes are checked before their names are used;
// a table count above its capacity is written only up to the capacity.
//
// Week masks are written as runs of set hours per day ("LU:1-5MA:2-3"),
// the form the description readers parse; names go out as they stand,
// teacher names escaped so that they cannot break a field.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "schooldata/description_writer.h"
#include "schooldata/band_defaults.h"
#include "schooldata/description_writer_parts.h"

std::string dw_format(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

std::string dw_class_code(int c) {
  if (c < 0 || c >= kUiMaxClasses) return std::string();
  int width = g_ui_structure.track_count >= 2 ? 3 : 2;
  return dw_format("%*.*s", width, width, g_ui_structure.classes[c].code);
}

std::string og_format_week_mask(const unsigned char* mask) {
  static const char* const kFallback[7] = {"LU", "MA", "ME", "GI", "VE", "SA", "DO"};
  std::string text;
  for (int d = 0; d < 7; ++d) {
    const char* code = g_ui_header.day_codes[d][0] != 0 ? g_ui_header.day_codes[d] : kFallback[d];
    for (int h = 0; h < 12; ++h) {
      if (mask[d * 12 + h] != 1) continue;
      int end = h;
      while (end + 1 < 12 && mask[d * 12 + end + 1] == 1) ++end;
      text += dw_format("%2.2s:%d-%d", code, h + 1, end + 1);
      h = end;
    }
  }
  return text;
}

const char* og_escape_name(const char* name) {
  static char buffer[kUiNameSize * 2];
  std::size_t n = 0;
  for (const char* p = name; *p != 0 && n + 1 < sizeof buffer; ++p) {
    buffer[n++] = *p == '+' ? '_' : *p == '(' ? '[' : *p == ')' ? ']' : *p;
  }
  buffer[n] = 0;
  return buffer;
}

namespace {

const char* subject_name(int s) {
  if (s < 0 || s >= kUiMaxSubjects) return "";
  return g_ui_structure.subjects[s].name;
}

void write_hq2(std::string& out, const char* key, const UiHq2Table& t) {
  if (t.count == 0) return;
  out += std::string(key) + ":\t";
  for (int k = 0; k < t.count && k < 9; ++k) {
    out += dw_format("%s%d-%d", k > 0 ? ":" : "", t.pairs[k][0], t.pairs[k][1]);
  }
  out += "\t\n";
}

void write_hq3(std::string& out, const char* key, const UiHq3Table& t) {
  if (t.count == 0) return;
  out += std::string(key) + ":\t";
  for (int k = 0; k < t.count && k < 9; ++k) {
    out += dw_format("%s%d-%d-%d", k > 0 ? ":" : "", t.triples[k][0], t.triples[k][1], t.triples[k][2]);
  }
  out += "\t\n";
}

}  // namespace

void dw_write_gym(std::string& out, const UiGym& gym) {
  out += std::string("LOC:") + gym.name + "\t";
  if (gym.subjects[1] < 0 && gym.subjects[2] < 0 && gym.subjects[3] < 0) {
    out += dw_format("GM:%s\tMAT:%s\t", subject_name(gym.subjects[0]), subject_name(gym.subjects[0]));
  } else {
    out += "GMPM:";
    for (int k = 0; k < 4; ++k) {
      int s = gym.subjects[k];
      if (s >= 0) out += std::string(subject_name(s)) + "-";
    }
    out += "\t";
  }
  out += dw_format("PRMAX:%d\t", gym.max_classes);
  if (gym.min_classes[0] > 0) {
    out += dw_format("PRMIN:%d-%d-%d\t", gym.min_classes[0], gym.min_classes[1], gym.min_classes[2]);
  }
  const UiSchoolSettings& se = g_ui_settings;
  if (se.building_count >= 2 && gym.building >= 0 && gym.building < kUiMaxBuildings) {
    out += std::string("SEDE:") + se.buildings[gym.building].name + "\t";
  }
  if (gym.pair_count > 0) {
    out += "COPPIE";
    for (int k = 0; k < gym.pair_count && k < 9; ++k) {
      if (gym.pairs[k][0] == 255) continue;
      out += dw_format(":%c-%c", '0' + gym.pairs[k][0], gym.pairs[k][1] == 255 ? 'N' : '0' + gym.pairs[k][1]);
    }
    out += "\t";
  }
  if (gym.sharing_count > 0) {
    out += "PEROCO";
    for (int k = 0; k < gym.sharing_count && k < 9; ++k) {
      out += dw_format(":%d-%d", gym.sharing[k][0], gym.sharing[k][1]);
    }
    out += "\t";
    if (gym.tolerated_errors != 0) out += dw_format("PEROCOET:%u\t", gym.tolerated_errors);
  }
  if (gym.hours[0] != 255) out += "OR:" + og_format_week_mask(gym.hours) + "\t";
  bool any = false;
  for (int c = 0; c < kUiWeekCells; ++c) any = any || gym.classes_by_hour[c] > 0;
  if (any) {
    out += "OX:";
    for (int c = 0; c < kUiWeekCells; ++c) {
      int v = gym.classes_by_hour[c];
      out += static_cast<char>('0' + (v < 0 || v > 9 ? 0 : v));
    }
    out += "\t";
  }
  if (gym.max_product > 0) out += dw_format("AVOMAX:%d\t", gym.max_product);
  out += "\n";
}

void dw_write_bands(std::string& out) {
  const UiSchoolSettings& s = g_ui_settings;
  write_hq2(out, "IGGIORNI", s.iggiorni);
  write_hq2(out, "GIORNIPAUSACL", s.giornipausacl);
  write_hq2(out, "IHMINIMO", s.ihminimo);
  write_hq2(out, "IHSG", s.ihsg);
  write_hq2(out, "IHSGLAB", s.ihsglab);
  write_hq2(out, "IHSGCON", s.ihsgcon);
  write_hq2(out, "GRUPPIOREMAX", s.gruppioremax);
  write_hq2(out, "ULTIMEOREMAX", s.ultimeoremax);
  write_hq2(out, "IHPRESENZA", s.ihpresenza);
  write_hq2(out, "IHINSEGNA", s.ihinsegna);
  write_hq2(out, "IHLABPRESENZA", s.ihlabpresenza);
  write_hq2(out, "IHLABINSEGNA", s.ihlabinsegna);
  write_hq2(out, "IHCONPRESENZA", s.ihconpresenza);
  write_hq2(out, "IHCONINSEGNA", s.ihconinsegna);
  write_hq2(out, "ENTEREXIT", s.enterexit);
  write_hq2(out, "ENTEREXITLAB", s.enterexitlab);
  write_hq2(out, "ENTEREXITCON", s.enterexitcon);
  write_hq2(out, "IHBUCHE", s.ihbuche);
  if (s.building_count >= 2 || dw_any_rotation()) {
    for (UiHq2Table* table : {&g_ui_settings.ihbuchecsb, &g_ui_settings.ihbuchecst}) {
      if (table->count == 0) og_get_hq2_defaults(table, nullptr, 1);
    }
    write_hq2(out, "IHBUCHECSB", s.ihbuchecsb);
    write_hq2(out, "IHBUCHECST", s.ihbuchecst);
  }
  dw_write_standby_bands(out);
  write_hq3(out, "PEXDIZ", s.pexdiz);
  write_hq3(out, "IHINSEGNAEXTRA", s.ihinsegnaextra);
  write_hq3(out, "IHPRESENZAEXTRA", s.ihpresenzaextra);
}
