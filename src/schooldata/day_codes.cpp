// Scanner of the header's day codes inside an item. Empty codes in the
// header never match, so a cleared header finds no day instead of matching
// every position.
#include "schooldata/day_codes.h"

#include "engine/shell_services.h"
#include "schooldata/ui_school_model.h"

int og_next_day_code(const char*& cursor) {
  for (const char* p = cursor; *p != 0 && *p != '|' && *p != ' '; ++p) {
    for (int d = 0; d < 7; ++d) {
      const char* code = g_ui_header.day_codes[d];
      if (code[0] == 0 || code[1] == 0 || p[0] != code[0] || p[1] != code[1]) continue;
      if (p[2] != ':') {
        cursor = p;
        return kDayCodeWithoutColon;
      }
      cursor = p + 3;
      return d;
    }
  }
  return kNoDayCode;
}

const char* og_day_code_message() {
  static const char* const kText[3] = {"Nome del giorno non seguito da ':'",
                                       "Tagesname nicht von ':' gefolgt",
                                       "Day name not followed by ':'"};
  return kText[g_language < 3 ? g_language : 0];
}
