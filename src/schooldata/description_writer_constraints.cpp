// The tokens of a teacher's personal-constraint line ("V:"), in the order
// the description keeps them; a value that is not set (-1) is not
// written. Day values are written with the header's day codes.
//
// The tokens are those the engine and the constraint reader accept; a
// line written here reads back to the same personal-constraint record.
// Workload: one short line per teacher, at most 500.
#include <string>

#include "schooldata/description_writer.h"
#include "schooldata/description_writer_parts.h"

namespace {

const char* day(int d) { return g_ui_header.day_codes[d]; }

void bytes(std::string& out, const char* key, const std::int8_t* v, int n, bool when) {
  if (!when) return;
  out += std::string("\t") + key + ":";
  for (int k = 0; k < n; ++k) out += dw_format(k > 0 ? "-%d" : "%d", v[k]);
}

void per_day(std::string& out, const char* key, const std::int8_t* v) {
  std::string items;
  for (int d = 0; d < 7; ++d) {
    if (v[d] > 0) items += dw_format("%2.2s:%d", day(d), v[d]);
  }
  if (!items.empty()) out += std::string("\t") + key + ":" + items;
}

void free_days(std::string& out, const char* key, const std::uint8_t* v) {
  std::string items;
  for (int d = 0; d < 7; ++d) {
    if (v[d] == 1) items += dw_format("%2.2s:", day(d));
  }
  if (!items.empty()) out += std::string("\t") + key + ":" + items;
}

void single(std::string& out, const char* key, int v, bool when) {
  if (when) out += dw_format("\t%s:%d", key, v);
}

void pairs(std::string& out, const char* key, const UiHq2Table& t) {
  if (t.count == 0) return;
  out += std::string("\t") + key;
  for (int k = 0; k < t.count && k < 9; ++k) out += dw_format(":%d-%d", t.pairs[k][0], t.pairs[k][1]);
}

}  // namespace

std::string dw_constraint_tokens(const UiTeacher& teacher) {
  const UiTeacherConstraints& c = teacher.personal;
  std::string out;
  bytes(out, "PMIN", c.pmin, 2, c.pmin[0] > 0);
  bytes(out, "PMAX", c.pmax, 2, c.pmax[0] > 0);
  bytes(out, "FMIN", c.fmin, 3, c.fmin[0] > 0);
  bytes(out, "FMAX", c.fmax, 3, c.fmax[0] > 0);
  bytes(out, "EMIN", c.emin, 3, c.emin[0] > 0);
  bytes(out, "EMAX", c.emax, 3, c.emax[0] > 0);
  bytes(out, "CAVALLOMAX", c.cavallomax, 2, c.cavallomax[0] > 0);
  per_day(out, "OV", c.ov);
  per_day(out, "OM", c.om);
  std::int8_t flagged[7];
  for (int d = 0; d < 7; ++d) flagged[d] = c.ovmnb[d] != 0 ? 1 : 0;
  per_day(out, "OVMNB", flagged);
  per_day(out, "DIMPE", c.dimpe);
  std::string op = og_format_week_mask(c.op);
  if (!op.empty()) out += "\tOP:" + op;
  free_days(out, "LI", c.li);
  free_days(out, "LIALT", c.lialt);
  single(out, "GMIN", c.gmin, c.gmin >= 0);
  single(out, "GMAX", c.gmax, c.gmax >= 0);
  single(out, "PRESENZA", c.presenza, c.presenza >= 0);
  single(out, "INSEGNAMIN", c.insegnamin, c.insegnamin >= 0);
  single(out, "INSEGNA", c.insegna, c.insegna >= 0);
  pairs(out, "INSE", c.inse);
  pairs(out, "XPRESE", c.xprese);
  bytes(out, "GL", c.gl, 2, c.gl[0] >= 0);
  bytes(out, "GP", c.gp, 2, c.gp[0] >= 0);
  bytes(out, "GU", c.gu, 2, c.gu[0] >= 0);
  bytes(out, "GX", c.gx, 3, c.gx[0] >= 0);
  if (c.buk[0] > 0 || c.buk[1] >= 1) out += dw_format("\tBUK:%d:%d", c.buk[0], c.buk[1]);
  single(out, "RIPOSO", c.riposo, c.riposo >= 0);
  int teachers = static_cast<int>(g_ui_settings.teacher_count);
  if (c.carshare_partner >= 0 && c.carshare_partner < teachers && c.carshare_partner < kUiMaxTeachers) {
    out += dw_format("\tCARSHARE:%s:%d", og_escape_name(g_ui_teachers[c.carshare_partner].name), c.carshare_wait);
  }
  single(out, "GPAUSA", c.gpausa, c.gpausa >= 0);
  if (c.ignorapausa > 0 && c.ignorapausa != 255) out += "\tIGNORAPAUSA:";
  single(out, "NOMOTOR", c.nomotor, c.nomotor >= 0);
  single(out, "NOMWEEK", c.nomweek, c.nomweek >= 0);
  pairs(out, "GRUPPIOREMAX", c.gruppioremax);
  pairs(out, "ULTIMEOREMAX", c.ultimeoremax);
  pairs(out, "ENTEREXIT", c.enterexit);
  if (teacher.brentix) out += "\tBRENTIX:";
  if (teacher.prns) out += "\tPRNS:";
  single(out, "MXR", teacher.mxr, teacher.mxr != 0);
  if (c.paulab) out += "\tPAULAB:";
  single(out, "QUORVEX", c.quorvex, c.quorvex != 0);
  single(out, "CLASENOC", c.clasenoc, c.clasenoc != 0);
  single(out, "DKIF", c.dkif, c.dkif != 0);
  single(out, "TRAMOX", c.tramox, c.tramox != 0);
  bytes(out, "PLIGI", c.pligi, 2, c.pligi[0] != 0 || c.pligi[1] != 0);
  bytes(out, "SEGRUBI", c.segrubi, 2, c.segrubi[0] != 0 && c.segrubi[0] != -1);
  bytes(out, "PRELA", c.prela, 2, c.prela[0] != 0 && c.prela[0] != -1);
  bytes(out, "FERCAV", c.fercav, 3, c.fercav[0] != 0 && c.fercav[0] != -1);
  if (c.pausameper[0] > 0) {
    out += dw_format("\tPAUSAMEPER:%d-%d-%d-%d", c.pausameper[0] + 1, c.pausameper[1], c.pausameper[2], c.pausameper[3]);
  }
  single(out, "MAXBUDAYPER", c.maxbudayper, c.maxbudayper > 1);
  bytes(out, "TEKGRADO", c.tekgrado, 2, c.tekgrado[0] > 0 || c.tekgrado[1] != 0);
  single(out, "LABRIFOL", c.labrifol, c.labrifol > 0);
  return out;
}
