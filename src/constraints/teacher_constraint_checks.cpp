// The checks the teacher constraints page runs on the current teacher
// before it changes teacher, saves, leaves or tries him: bands complete and
// in order, per-day limits within the day and the forbidden hours, enough
// allowed hours for the lessons, the free days against the day limits,
// presence against teaching hours, full-day constraints complete, and the
// idle hours that forbidden inner blocks make unavoidable. The first check
// that fails ends the run. Runs on one record: a few hundred byte reads.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "constraints/teacher_constraints_page.h"
#include "platform/cp1252.h"
#include "shell/message_box.h"

using namespace kt::ui;

namespace {

#define KT_TEXT(name, it, de, en) const MlText name = {it, de, en};

KT_TEXT(kSecondHour, "La Seconda ora della Fascia non può essere minore della Prima."_cp,
        "Die zweite Stunde der Spanne darf nicht kleiner als die erste sein."_cp,
        "The second hour of the band cannot be less than the first.")
KT_TEXT(kQuantity, "Specificare la Quantità (oppure cancellare la selezione della Fascia)."_cp,
        "Die Anzahl angeben (oder die Auswahl der Spanne löschen)."_cp,
        "Give the Quantity (or clear the choice of the Band).")
KT_TEXT(kBand, "Specificare la Fascia Oraria(oppure cancellare la selezione della Quantità)."_cp,
        "Die Stundenspanne angeben (oder die Auswahl der Anzahl löschen)."_cp,
        "Give the Band of hours (or clear the choice of the Quantity).")
KT_TEXT(kMaxBelowMin, "Il MASSIMO di Ore in un giorno non può essere MINORE del MINIMO."_cp,
        "Das MAXIMUM der Stunden an einem Tag darf nicht KLEINER als das MINIMUM sein."_cp,
        "The MAXIMUM of Hours in a day cannot be LESS than the MINIMUM.")
KT_TEXT(kMinForbidden, "Vi è un MINIMO di Ore richieste, e le ore proibite del giorno non lo consentono."_cp,
        "Es gibt ein MINIMUM an Stunden, das die verbotenen Stunden des Tages nicht erlauben."_cp,
        "There is a MINIMUM of Hours required, and the day's forbidden hours do not allow it.")
KT_TEXT(kMinOnFreeDays, "Non si può chiedere un MINIMO di Ore nei Giorni Liberi."_cp,
        "An freien Tagen kann kein MINIMUM an Stunden verlangt werden.",
        "A MINIMUM of Hours cannot be asked on the Free Days.")
KT_TEXT(kStandbyTotal, "Ore a disposizione totali = %d", "Bereitschaftsstunden insgesamt = %d",
        "Total stand-by hours = %d")
KT_TEXT(kTooFewHours,
        "Le ore disponibili per il Professore sono %d, ossia meno delle sue ore di insegnamento.\nCorreggere la "
        "mappa della Ore Vietate.",
        "Die verfügbaren Stunden des Lehrers sind %d, also weniger als seine Unterrichtsstunden.\nDie Karte der "
        "verbotenen Stunden berichtigen."_cp,
        "The Teacher's available hours are %d, fewer than his teaching hours.\nCorrect the map of Forbidden Hours.")
KT_TEXT(kAllFreeDays, "Non ha senso definire TUTTI i giorni della settimana per la scelta dei giorni liberi.",
        "Es ist sinnlos, ALLE Wochentage als freie Tage zur Wahl zu stellen.",
        "It makes no sense to offer ALL days of the week as free days.")
KT_TEXT(kDaysMaxBelowMin, "Il MASSIMO dei giorni nella settimana non può essere MINORE del MINIMO."_cp,
        "Das MAXIMUM der Tage in der Woche darf nicht KLEINER als das MINIMUM sein."_cp,
        "The MAXIMUM of days in the week cannot be LESS than the MINIMUM.")
KT_TEXT(kFullWeekFreeDay, "Se il MINIMO dei giorni è pari alla settimana, non si può definire il giorno libero"_cp,
        "Wenn das MINIMUM der Tage die ganze Woche ist, kann kein freier Tag gewählt werden"_cp,
        "When the MINIMUM of days is the whole week, no free day can be set")
KT_TEXT(kFullWeekDayClosed,
        "Se il MINIMO dei giorni è pari alla settimana, non si possono eslcudere tutte le ore del %s"_cp,
        "Wenn das MINIMUM der Tage die ganze Woche ist, können nicht alle Stunden am %s verboten werden"_cp,
        "When the MINIMUM of days is the whole week, all the hours of %s cannot be excluded")
KT_TEXT(kPresenceBelowTeaching,
        "Le Ore ammesse di PRESENZA in scuola non possono essere MINORI delle ore di INSEGNAMENTO.",
        "Die erlaubten ANWESENHEITSSTUNDEN dürfen nicht WENIGER als die UNTERRICHTSSTUNDEN sein."_cp,
        "The PRESENCE hours allowed cannot be LESS than the TEACHING hours.")
KT_TEXT(kTeachingMaxBelowMin, "Le Ore MASSIME di INSEGNAMENTO non possono essere MINORI delle ore MINIME.",
        "Die HÖCHSTEN Unterrichtsstunden dürfen nicht WENIGER als die MINDESTSTUNDEN sein."_cp,
        "The MOST TEACHING Hours cannot be LESS than the LEAST hours.")
KT_TEXT(kAskExtraIdle,
        "Attenzione, sono state proibite le ore in una fascia intermedia. L'insegnante insegna per %d giorni, e "
        "quindi deve poter avere almeno %d Ore Buche.\nServono le buche in più?"_cp,
        "Achtung, Stunden in der Tagesmitte sind verboten. Der Lehrer unterrichtet an %d Tagen und braucht daher "
        "mindestens %d Freistunden.\nZusätzliche Freistunden erlauben?"_cp,
        "Warning, hours in the middle of the day are forbidden. The teacher teaches on %d days and so must be "
        "allowed at least %d Idle Hours.\nAre the extra idle hours needed?")
KT_TEXT(kAddIdle, "SI, AGGIUNGI LE BUCHE IN PIU'", "JA, ZUSÄTZLICHE FREISTUNDEN"_cp, "YES, ADD THE EXTRA IDLE HOURS")
KT_TEXT(kNoIdle, "NO, prosegui senza aggiungere buche", "NEIN, ohne Freistunden weiter",
        "NO, go on without extra idle hours")
KT_TEXT(kTooManyIdle,
        "Attenzione, sono state assegnate %d Ore buche supplementari, quando ne dovrebbero bastare %d. Sicuro di "
        "volere le %d le buche?",
        "Achtung, %d zusätzliche Freistunden sind eingestellt, %d sollten genügen. Wirklich %d Freistunden?"_cp,
        "Warning, %d extra idle hours are set when %d should do. Sure you want the %d idle hours?")

bool set(int v) { return v != -1; }

}  // namespace

bool Cvipro::Refuse(const char* text, int focus_id) {
  if (Window* control = GetDlgItem(focus_id)) control->SetFocus();
  ui_message_box(text);
  FillDefaults();
  ShowTeacher();
  return false;
}

bool Cvipro::CheckTeacher() {
  if (!Valid()) return true;
  UiTeacher& t = Teacher();
  UiTeacherConstraints& c = t.personal;
  int gmin = c.gmin, gmax = c.gmax, presenza = c.presenza, insegnamin = c.insegnamin, insegna = c.insegna;
  StripDefaults();
  const SchoolShape& s = m_shape;
  char text[600];

  // 1. Preferred bands: {first byte, combo of the first hour, length, maximum band}.
  struct BandCheck { std::int8_t* bytes; int first_id; int length; bool maximum; bool only_quantity; };
  const BandCheck bands[] = {{c.pmin, 3000, 2, false, false}, {c.pmax, 3002, 2, true, false},
                             {c.cavallomax, 3016, 2, true, true}, {c.fmin, 3004, 3, false, false},
                             {c.fmax, 3007, 3, true, false},      {c.emin, 3010, 3, false, false},
                             {c.emax, 3013, 3, true, false}};
  for (const BandCheck& b : bands) {
    int days = b.bytes[b.length - 1], days_id = b.first_id + b.length - 1;
    if (set(b.bytes[0])) {
      if (b.length == 3 && (!set(b.bytes[1]) || b.bytes[1] < b.bytes[0])) return Refuse(kSecondHour.Get(), b.first_id + 1);
      if (!set(days) || (!b.maximum && days < 1)) return Refuse(kQuantity.Get(), days_id);
    } else if (!b.only_quantity && (set(days) || (b.length == 3 && set(b.bytes[1])))) {
      return Refuse(kBand.Get(), b.first_id);
    }
  }

  // 2 and 3. Per-day minima and maxima.
  bool grid = c.op[0] != 255;
  auto forbidden = [&](int d, int h) { return grid && c.op[d * 12 + h] == 1; };
  int min_days = 0, free_days = 0, free_with_min = 0;
  for (int d = 0; d < 7; ++d) {
    int h = s.day_hours[d];
    if (c.ov[d] > h) c.ov[d] = std::int8_t(h > 0 ? h : -1);
    if (c.dimpe[d] > h) c.dimpe[d] = std::int8_t(h > 0 ? h : -1);
    if (!set(c.ov[d])) continue;
    ++min_days;
    if (set(c.om[d]) && c.om[d] < c.ov[d]) return Refuse(kMaxBelowMin.Get(), 3040 + d);
    int closed = 0;
    for (int k = 0; k < 12; ++k) closed += grid && c.op[d * 12 + k] == 1 ? 1 : 0;
    if (h - closed < c.ov[d]) return Refuse(kMinForbidden.Get(), 3040 + d);
  }
  for (int d = 0; d < 7; ++d) {
    if (c.li[d] != 1) continue;
    ++free_days;
    free_with_min += set(c.ov[d]) ? 1 : 0;
  }
  if (min_days > 0 && free_days >= 1 && free_days <= min_days && free_with_min == free_days)
    return Refuse(kMinOnFreeDays.Get(), kFreeDayIds);

  // 4. Allowed hours against the hours taught.
  int allowed[7] = {}, total = 0, lessons = vipro_lesson_hours(t);
  bool any_forbidden = false;
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < s.day_hours[d]; ++h) {
      allowed[d] += forbidden(d, h) ? 0 : 1;
      any_forbidden = any_forbidden || forbidden(d, h);
    }
  for (int a : allowed) total += a;
  if (total < lessons) {
    if (m_posts.GetItemCount() > 0) m_posts.EnsureVisible(m_posts.GetItemCount() - 1);
    if (t.standby_hours > 0 && !any_forbidden) {
      t.standby_hours = 0;
      std::snprintf(text, sizeof text, kStandbyTotal.Get(), 0);
    } else {
      std::snprintf(text, sizeof text, kTooFewHours.Get(), total);
    }
    return Refuse(text, kPostsId);
  }

  // 5. Free day and teaching days.
  if (free_days == 1)
    for (int d = 0; d < 7; ++d)
      if (c.li[d] == 1) allowed[d] = 0;
  int teaching_days = 0;
  for (int a : allowed) teaching_days += a > 0 ? 1 : 0;
  if (teaching_days == 2 || teaching_days == 3) {
    int in_runs = 0;
    for (int d = 0; d < 7; ++d) {
      bool here = allowed[d] >= 2;
      bool neighbour = (d > 0 && allowed[d - 1] >= 2) || (d < 6 && allowed[d + 1] >= 2);
      in_runs += here && neighbour ? 1 : 0;
    }
    if (m_free_days_changed && in_runs >= teaching_days) c.ignorapausa = 1;
    if (gmax > teaching_days) {
      gmax = teaching_days;
      c.gmax = std::int8_t(gmax);
    }
    if (gmin > gmax) {
      gmin = gmax;
      c.gmin = std::int8_t(gmin);
    }
  }

  // 6. Free days and day limits.
  if (free_days >= 2 && free_days >= s.days) return Refuse(kAllFreeDays.Get(), kFreeDayIds);
  if (set(gmin) && set(gmax) && gmax < gmin) return Refuse(kDaysMaxBelowMin.Get(), 3019);
  if (gmin == s.days)
    for (int d = 0; d < 7; ++d) {
      if (c.li[d] == 1) return Refuse(kFullWeekFreeDay.Get(), kFreeDayIds + d);
      bool closed = grid && s.day_hours[d] > 0;
      for (int h = 0; h < s.day_hours[d] && closed; ++h) closed = c.op[d * 12 + h] != 0;
      if (closed) {
        std::string day(g_ui_header.day_names[d], strnlen(g_ui_header.day_names[d], kUiNameSize - 1));
        std::snprintf(text, sizeof text, kFullWeekDayClosed.Get(), day.c_str());
        return Refuse(text, kForbiddenId);
      }
    }

  // 7. Presence against teaching hours.
  if (set(presenza) && set(insegna) && insegna > presenza) return Refuse(kPresenceBelowTeaching.Get(), 3020);
  if (set(insegna) && set(insegnamin) && insegna < insegnamin) return Refuse(kTeachingMaxBelowMin.Get(), 3022);

  // 8. Full-day constraints complete.
  const std::int8_t* pairs[3] = {c.gl, c.gp, c.gu};
  const int pair_ids[3] = {3060, 3062, 3064};
  for (int i = 0; i < 3; ++i) {
    if (set(pairs[i][0]) && !set(pairs[i][1])) return Refuse(kQuantity.Get(), pair_ids[i] + 1);
    if (!set(pairs[i][0]) && set(pairs[i][1])) return Refuse(kBand.Get(), pair_ids[i]);
  }
  if (set(c.gx[0]) != set(c.gx[1]) || (set(c.gx[0]) && !set(c.gx[2]))) return Refuse(kQuantity.Get(), 3068);
  if (set(c.gx[2]) && (!set(c.gx[0]) || !set(c.gx[1]))) return Refuse(kBand.Get(), 3066);

  return CheckIdleHours(gmax);
}

// The idle hours that a band kept away from the day's ends and the inner
// blocks of forbidden hours make unavoidable, against the extra idle hours
// the teacher is allowed.
bool Cvipro::CheckIdleHours(int gmax) {
  UiTeacherConstraints& c = Teacher().personal;
  const SchoolShape& s = m_shape;
  bool grid = c.op[0] != 255;
  auto forbidden = [&](int d, int h) { return grid && c.op[d * 12 + h] == 1; };
  char text[600];
  int r = 0;
  if (set(c.fmax[0]) && set(c.fmax[1]) && set(c.fmax[2]) && c.fmax[0] > 1 && c.fmax[1] < s.hours)
    r = (gmax - c.fmax[2]) * (c.fmax[1] - c.fmax[0] + 1);
  int blocks = 0, inner = 0, longest = 0;
  for (int d = 0; d < 7; ++d) {
    int h = s.day_hours[d];
    for (int k = 1; k < h; ++k) {
      if (!forbidden(d, k) || forbidden(d, k - 1)) continue;
      int end = k;
      while (end + 1 < h && forbidden(d, end + 1)) ++end;
      if (end < h - 1) {
        ++blocks;
        inner += end - k + 1;
        longest = std::max(longest, end - k + 1);
      }
      k = end;
    }
  }
  if (blocks > gmax) inner -= longest;
  r = std::max(r, inner);

  // 10 and 11. Extra idle hours.
  int extra = c.buk[0];
  if (r >= 1 && r > extra) {
    if (g_ui_settings.lunch_break[0] != 0) return true;
    std::snprintf(text, sizeof text, kAskExtraIdle.Get(), gmax, r);
    if (ui_message_box_ex(text, kMbYesNo | kMbIconExclamation, 0, kAddIdle.Get(), kNoIdle.Get(), nullptr) == 6) {
      c.buk[0] = std::int8_t(r);
      FillDefaults();
      ShowTeacher();
      return false;
    }
    FillDefaults();
    ShowTeacher();
    StripDefaults();
    return true;
  }
  if (set(extra) && extra > r) {
    std::snprintf(text, sizeof text, kTooManyIdle.Get(), extra, r, extra);
    if (ui_message_box_type(text, kMbYesNo | kMbIconQuestion) == 6) return true;
    c.buk[0] = std::int8_t(r);
    FillDefaults();
    ShowTeacher();
    return false;
  }
  return true;
}
