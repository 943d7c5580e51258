// Exemptions: the user's permission to let one reported violation stand.
// Granting one relaxes, for one teacher, class, lesson or common room, the
// parameter that caused the violation; the granted record is appended to the
// exemption file and re-applied after every later load.
//
// The current record lives in its stored form (g_exemption_current, 219
// bytes, engine/reception_exemption_files.h); the accessors below read its
// fields. Every change is bounded: a byte that reaches its bound stays, an
// index outside its table changes nothing. Applying twice relaxes twice for
// the "up"/"down" rules; only ids 2 and 3 can tell they are already in force.
//
// Workload: a handful of exemptions per run (the user picks them one by one)
// plus the stored ones after each load; nothing here is on the search's path.
#pragma once

#include <cstdint>

#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/status_block.h"

// Offsets of the request bytes behind the detail map of a stored record.
inline constexpr int kExemptionFurtherRequestOffset = 196;
inline constexpr int kExemptionFullRestartOffset = 197;

// Request codes of the current record.
inline constexpr std::uint8_t kExemptionRequestNone = 0;
inline constexpr std::uint8_t kExemptionRequestGrant = 1;
inline constexpr std::uint8_t kExemptionRequestHistory = 3;

// Relaxations whose parameter no evaluator reads yet: kept here so that the
// evaluators of those rules can take them up; granting one is still recorded
// and stored. Cleared with the side tables once per load.
// A consecutive-hours entry whose pattern a grant of 80 (ordinary lessons)
// or 81 (co-taught and laboratory lessons) took away: the class's teaching
// lines of that teacher and subject are no longer priced.
struct ConsecutiveGrant {
  std::int32_t class_index, teacher, subject;
  std::uint8_t lab;  // 1 for 81
};
inline constexpr int kMaxConsecutiveGrants = 500;

struct ExemptionAllowances {
  std::int32_t common_room_minimum[kMaxCommonRooms];         // 79
  std::uint8_t short_day_calendar[kMaxClasses];              // 84
  std::uint8_t calendar_allowance[kMaxClasses];              // 84, at most 2
  std::uint8_t second_hour_allowance[kMaxClasses];           // 85, at most 7
  // 80, 81: per class, bit 1 (80) or 2 (81) when some entry was granted.
  std::uint8_t consecutive_granted[kMaxClasses];
  ConsecutiveGrant consecutive_grants[kMaxConsecutiveGrants];
  std::int32_t consecutive_grant_count;
};
extern ExemptionAllowances g_exemption_allowances;
void or_reset_exemption_allowances();
// Whether a grant of 80 (lab false) or 81 (lab true) took away the pattern of
// class c's lines of this teacher and subject.
bool or_consecutive_line_granted(int c, int teacher, int subject, bool lab);

// The copied problems list beside the timetable view; a granted exemption
// clears the first word of each of its records.
extern ViolationRecord g_copied_problems[kMaxViolationRecords];
extern std::int32_t g_copied_problem_count;

// Field access of a stored record (little-endian words).
std::uint32_t or_exemption_word(const StoredExemption& r, int offset);
// Writes one word of a record (the records the user picks are built by the
// engine's own conversion; tests build theirs with this).
inline void or_set_exemption_word(StoredExemption& r, int offset, std::uint32_t value) {
  if (offset < 0 || offset + 4 > kExemptionRecordSize) return;
  for (int i = 0; i < 4; ++i) r.bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
std::int32_t or_exemption_id(const StoredExemption& r);
std::int32_t or_exemption_teacher(const StoredExemption& r);
std::int32_t or_exemption_class(const StoredExemption& r);
// Byte i of the detail map (0 to 128).
std::uint8_t or_exemption_map(const StoredExemption& r, int i);
// 32-bit value of the detail map at byte offset (0 to 125).
std::int32_t or_exemption_map_word(const StoredExemption& r, int offset);

// mode 0 tests (1 already in force, 0 not yet), mode 1 applies (0);
// -1 for ids without a rule and for records whose teacher or class is
// outside its table.
std::int32_t or_apply_exemption(const StoredExemption& record, int mode);
// The current record tested (mode 0): 1 already in force, 0 not yet, -1
// without a rule.
std::int32_t or_test_current_exemption();
// all != 0: apply the current record and evaluate; returns the apply result.
// all == 0: every record of the violation list in turn; each that applied is
// appended to the exemption file; returns 0.
std::int32_t or_apply_exemption_records(int all);
// Called by the search loop on a cycle whose request code is not 0.
std::int32_t or_exemption_search_hook();
// Forgets the exemptions the search granted; every search starts with none.
void or_forget_search_grants();

// What a granted exemption leaves the search loop to do (the search state's
// applied-exemption byte): restart from its kept placement, or only store
// the history of the relaxed school when the hook restarted already.
inline constexpr std::uint8_t kExemptionToRestart = 1;
inline constexpr std::uint8_t kExemptionRestarted = 2;
// The restarts of run mode 20 after a grant (request code 1): back to the
// stage start or to the kept placement, the penalised teachers held out
// again, 99 more cycles. False, doing nothing, in other modes and requests.
bool or_restart_after_exemption(std::uint8_t request);
