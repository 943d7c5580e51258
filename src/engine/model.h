// The engine's school model: fixed-capacity tables in static storage, one
// school at a time. The loader fills them, the pre-solve preparation derives
// further values, and the solver, the reports and the accessors read them and
// write the placement fields.
//
// Invariants: no dynamic allocation in the model; every cross-reference is a
// signed 32-bit index into another table (-1 none); names are 21-byte fields
// (20 characters and a terminator, code page 1252); week grids are 7 days x 12
// hours, slot = day x 12 + hour, and an 84-byte grid whose first byte is 255
// is not configured. All counts live in EngineSchool.
//
// Workload: the solver reads these records millions of times per run, so they
// are plain structs of fixed layout; later work adds fields at the end of a
// record rather than renaming those here.
#pragma once

#include <cstdint>

// ---- Shapes shared by every table ------------------------------------------

inline constexpr int kNameSize = 21;        // 20 characters and a terminator
inline constexpr int kDays = 7;             // days of a week grid
inline constexpr int kHoursPerDay = 12;     // hours of a day in a week grid
inline constexpr int kWeekSlots = kDays * kHoursPerDay;  // 84 slots
inline constexpr int kConstraintCount = 96; // constraint ids 0 to 95
inline constexpr int kClassCodeSize = 10;   // class codes are 2 to 9 characters

// Table capacities.
inline constexpr int kMaxLessons = 10000;     // the load stops when the count reaches it
inline constexpr int kMaxTeachers = 500;      // the user interface limits teachers to 500
inline constexpr int kMaxClasses = 300;       // checked by the class creation
inline constexpr int kMaxSubjects = 400;      // "Troppe Materie" beyond it
inline constexpr int kMaxRooms = 400;         // "Numero di stanze eccessivo"
inline constexpr int kMaxCommonRooms = 40;    // "Troppi Locali Comuni"
inline constexpr int kMaxBuildings = 10;      // "Numero eccessivo SEDI " beyond it
inline constexpr int kMaxLabGroups = 200;     // checked by the lab-group reader

inline constexpr int kBandPairs = 9;          // pairs a band table holds
inline constexpr std::uint8_t kNotConfigured = 255;

// A band table: up to 9 (threshold, value) pairs and a count. Lookup by a key
// takes the first pair whose threshold is at least the key; with none, the
// pair slot after the last pair (255 in tables the reset fills with 255, 0 in
// the others). A tenth slot stands behind the nine so that a full table also
// has such a slot, filled like the others.
struct BandTable {
  std::int8_t pairs[kBandPairs + 1][2];
  std::uint8_t count;
};

// "EXTRA" rules and "PEXDIZ:": up to 9 triples and a count.
struct TripleTable {
  std::int8_t triples[kBandPairs + 1][3];
  std::uint8_t count;
};

// ---- Lessons ----------------------------------------------------------------

// Piece kinds of EngineLesson::piece_kind.
inline constexpr std::uint8_t kPieceLaboratory = 1;
inline constexpr std::uint8_t kPieceConversation = 2;
inline constexpr std::uint8_t kHasLaboratoryPart = 0x10;
inline constexpr std::uint8_t kHasConversationPart = 0x20;
inline constexpr int kMaxJointLessons = 9;
inline constexpr std::uint8_t kDayNotPlaced = 255;

// Every change of a lesson's teacher, class, room, second teacher or piece
// kind counts here: the solver keeps a compact copy of those fields for its
// clash test and takes a new copy when the count has moved. The fields below
// can only be written through WatchedField, so no writer can be missed; code
// that writes lesson records as raw memory calls or_lesson_fields_changed().
extern std::uint64_t g_lesson_field_writes;
inline void or_lesson_fields_changed() { ++g_lesson_field_writes; }
// Every change of a lesson's common room counts here, apart: the building
// alignment changes common rooms inside the search, which must not make the
// clash test copy its fields again. A raw write counts in the count above.
extern std::uint64_t g_lesson_common_room_writes;

template <typename T, std::uint64_t& Writes = g_lesson_field_writes>
class WatchedField {
 public:
  WatchedField() = default;
  explicit constexpr WatchedField(T value) : value_(value) {}
  WatchedField(const WatchedField&) = default;
  WatchedField& operator=(const WatchedField& other) { return *this = other.value_; }
  WatchedField& operator=(T value) {
    if (value_ != value) {
      value_ = value;
      ++Writes;
    }
    return *this;
  }
  WatchedField& operator|=(T bits) { return *this = static_cast<T>(value_ | bits); }
  WatchedField& operator&=(T bits) { return *this = static_cast<T>(value_ & bits); }
  WatchedField& operator++() { return *this = static_cast<T>(value_ + 1); }
  constexpr operator T() const { return value_; }
  constexpr T get() const { return value_; }

 private:
  T value_;
};

// One weekly lesson hour; a teaching line of n hours makes n lessons.
struct EngineLesson {
  WatchedField<std::int32_t> teacher;
  WatchedField<std::int32_t> class_index;
  std::int32_t subject;
  std::int32_t first_subject;
  WatchedField<std::int32_t> room;
  WatchedField<std::uint8_t> piece_kind;
  std::int32_t part_subject;
  WatchedField<std::int32_t> second_teacher;
  WatchedField<std::int32_t, g_lesson_common_room_writes> common_room;
  std::int32_t second_common_room;
  std::int32_t lab_group;
  std::int32_t line_number;
  std::int32_t part_line_number;
  std::int32_t joint_count;
  std::int32_t joint_lessons[kMaxJointLessons];
  char joint_entries[kMaxJointLessons][kNameSize];
  std::int32_t incompatible_subject;
  std::uint8_t pause_subject_flag;
  std::int32_t building;
  std::uint8_t building_flag;
  std::int32_t forced_building;
  std::int32_t room_building;
  std::uint8_t further_item_values;
  std::uint8_t grade_flag;
  std::int32_t list_positions[2];
  std::uint8_t day;   // 255 = not placed
  std::uint8_t hour;
  std::int32_t best_room;
  std::int32_t further_reference;
  std::int32_t chosen_laboratory;
  std::int8_t lab_assistant_count;
  char joint_class_code[3];
  char group_text[kNameSize];
  std::uint8_t pmgy_digit;
  std::uint8_t pmgz_digit;
  std::int8_t filed_value;
  char consecutive_maps[4][13];
  std::uint8_t block_length;
  std::uint8_t part_block_length;
  std::uint8_t standby_marker;
  char incompatible_subject_name[kNameSize];
  char paired_subject_name[kNameSize];
  std::int32_t paired_subject;
  // Teaching-line values the loader reads beyond the fields above.
  char joint_code[kClassCodeSize];  // the whole "I:" code (joint_class_code keeps 3)
  std::int32_t articulated_number;  // running number of an "ARTYW:" line, 0 none
  std::int32_t itpmx;               // "ITPMX:"
  std::uint8_t miscre;              // "MISCRE:"
  std::uint8_t class_off_flag;      // bit 0: the line has "KOP:" entries
  // Placement details kept by the save files and the timetable pages. Both
  // are stored one above their value so that a freshly cleared record means
  // "none"; read and write them through or_lesson_room_setting and friends
  // (engine/lesson_links.h).
  std::int32_t room_setting_code;     // 0 none, -1 no room, r + 1 room r
  std::int32_t supported_class_code;  // 0 none, c + 1 class c (support hours)
  std::uint8_t day_limit;   // days the lesson may use (pre-solve preparation)
  std::uint8_t slot_limit;  // week slots the lesson may use
};

// ---- Teachers ---------------------------------------------------------------

inline constexpr int kMaxTeacherTasks = 20;      // "K:"/"J:" items per teacher
inline constexpr int kMaxClassOffRecords = 840;  // "KOP:" items per teacher
inline constexpr int kMaxFiledRecords = 20;
inline constexpr int kRuleBandPairs = 8;

// Teacher type flags.
inline constexpr std::uint8_t kTeacherLaboratory = 1;
inline constexpr std::uint8_t kTeacherConversation = 2;
inline constexpr std::uint8_t kTeacherLabPseudo = 4;
inline constexpr std::uint8_t kTeacherFca = 8;
inline constexpr std::uint8_t kTeacherNoLessons = 64;

// EngineTeacher::item_marks, raised by items of the teaching lines.
inline constexpr std::uint8_t kMarkOrq = 1;
inline constexpr std::uint8_t kMarkMiscre = 2;
inline constexpr std::uint8_t kMarkZendo = 4;
inline constexpr std::uint8_t kMarkAttre = 8;

struct TeacherTask {  // "K:" / "J:" item
  std::int32_t references[2];
  std::int8_t day;
  std::int8_t first_hour;
  std::int8_t last_hour;
  std::uint8_t j_flag;
  std::uint8_t grid[kWeekSlots];
};

struct TeacherClassOff {  // "KOP:" item
  std::int32_t references[2];
  std::int8_t day;  // -1 all days
  std::int8_t first_hour;
  std::int8_t last_hour;
};

struct TeacherFiledRecord {
  std::uint8_t value;
  std::int32_t line;
  std::int32_t class_index;
};

// One per teacher and per pseudo-teacher made by the loader (laboratory
// assistants named "<teacher>_LAB", articulated groups, special calendars).
struct EngineTeacher {
  // identity
  char name[kNameSize];
  char subject_text[kNameSize];  // "KLK:"
  std::int8_t lesson_hours;
  std::int8_t contract_values[2];  // "TED:", written to both
  std::int8_t contract_less_budime;
  std::int8_t standby_value;       // "SOS:"
  std::uint8_t pseudo_flag;
  std::uint8_t reset_marker;       // 255 after the reset
  std::uint8_t reset_pairs[14][2]; // first of each pair 255 after the reset
  // derived gap limits
  std::int8_t gap_tolerance;
  std::int8_t building_count;
  // kind
  std::int8_t weekly_hours;
  std::uint8_t type_flags;
  std::uint8_t fcv_flag;
  std::int32_t calendar_class;  // -1 for ordinary teachers
  std::uint16_t subject_index;  // 0xFFFF none
  // first and last hours
  std::int8_t pmin_hours, pmin_days;
  std::int8_t pmax_hours, pmax_days;
  std::int8_t cavallomax_hour, cavallomax_days;
  std::int8_t umin_hours, umin_days;
  std::int8_t umax_hours, umax_days;
  std::int8_t fmin[3], fmax[3], emin[3], emax[3];
  // per-day values
  std::int8_t ov[kDays];
  std::int8_t om[kDays];  // default 12
  std::int8_t dimpe[kDays];
  std::int8_t ovmnb[kDays];
  // hour grids
  std::uint8_t allowed_hours[kWeekSlots];
  std::uint8_t allowed_hours_work[kWeekSlots];
  std::uint8_t forbidden_hours[kWeekSlots];
  // free days
  std::uint8_t free_day_count;
  std::uint8_t free_days[kDays];
  std::uint8_t alt_free_day_count;
  std::uint8_t alt_free_days[kDays];
  std::uint8_t free_day_byte;
  // day-load values
  std::int8_t gl_hours, gl_days;
  std::int8_t gp_hours, gp_days;
  std::int8_t gu_hours, gu_days;
  std::int8_t gx[3];
  std::int8_t gmin_days;
  std::int8_t gmax_days;
  // derived daily limits
  std::int8_t max_teaching_per_day;
  std::int8_t max_presence_per_day;
  std::int8_t min_hours_per_day;
  // given daily limits (255 = not given)
  std::uint8_t insegnamin;
  std::uint8_t insegna;
  std::uint8_t presenza;
  // hour-band pairs
  std::uint8_t inse_pairs[kBandPairs][2];
  std::int8_t inse_count;
  std::uint8_t xprese_pairs[kBandPairs][2];
  std::int8_t xprese_count;
  // partners
  std::int32_t partner;  // "NI:", both directions
  char carshare_name[kNameSize];
  std::int8_t carshare_wait;
  std::uint8_t privilege_flag;
  std::int8_t buk[2];
  std::int8_t riposo;
  // tasks
  TeacherTask tasks[kMaxTeacherTasks];
  std::int32_t task_count;
  TeacherClassOff class_off[kMaxClassOffRecords];
  std::int32_t class_off_count;
  // rule bands
  std::int8_t enterexit_pairs[kRuleBandPairs][2];
  std::int8_t enterexit_count;
  std::int8_t tekgrado[2];
  std::int8_t labrifol;
  std::int32_t main_teacher;  // the teacher whose "_LAB" pseudo-teacher this is
  // lesson lists
  std::int16_t lesson_indexes[kWeekSlots];
  std::int16_t lesson_count;
  std::int16_t class_indexes[kWeekSlots];  // -1 after the last
  std::int16_t class_hours[kWeekSlots];
  std::uint8_t pause_days[8];
  std::uint8_t pause_day_count;
  std::int32_t per_class_daily[kWeekSlots];
  TeacherFiledRecord filed[kMaxFiledRecords];
  std::int32_t filed_count;
  std::int32_t class_count;
  // derived working days
  std::int8_t min_working_days;
  std::int8_t max_working_days;
  std::int8_t pause_value;
  // pause and movement
  std::int8_t gpausa;
  std::int8_t ignorapausa;
  std::int8_t nomotor;
  std::int8_t nomweek;
  std::int8_t gruppioremax_pairs[kRuleBandPairs][2];
  std::int8_t gruppioremax_count;
  std::int8_t ultimeoremax_pairs[kRuleBandPairs][2];
  std::int8_t ultimeoremax_count;
  std::int8_t class_gruppioremax_pairs[kWeekSlots][kBandPairs][2];
  std::int8_t class_gruppioremax_count[kWeekSlots];
  std::int8_t pausameper[4];
  std::int8_t maxbudayper;
  std::int8_t gap_day_values[2];
  // special options
  std::uint8_t brentix;
  std::uint8_t paulab;
  std::int8_t quorvex;   // 2 when 0
  std::int8_t clasenoc;  // default 3
  std::int8_t dkif;
  std::int8_t tramox;
  std::int8_t pligi[2];
  std::int8_t segrubi[2];
  std::int8_t prela[2];
  std::int8_t fercav[3];
  std::int8_t mxr;
  std::int32_t incompatible_subject_lessons;
  // search state (the solver's per-teacher fields)
  std::uint8_t held_out;
  std::uint8_t second_test;
  std::uint8_t in_test;
  std::uint8_t constraint_switch[kConstraintCount];
  std::uint8_t reported_constraint[kConstraintCount];
  std::uint32_t weight;
  std::uint32_t points;
  std::uint32_t points2;
  std::uint32_t release_rank;
  std::uint8_t gap_marker;
  std::uint8_t penalty_flag;
  std::uint8_t penalty_seen;
  std::uint16_t class_per_slot[kWeekSlots];   // 0xFFFF free
  std::uint16_t lesson_per_slot[kWeekSlots];  // 0xFFFF free
  // stand-by work counts set by "repo:"
  std::int32_t standby_work[2];
  // loader marks and references
  std::uint8_t item_marks;       // kMarkOrq, kMarkMiscre, kMarkZendo, kMarkAttre
  char sissi_id[17];             // "SISSI:IDD:"
  std::int32_t source_teacher;   // articulated-group teachers: source index + 1, else 0
  // Stand-by, support and reception state. The reception day is the byte the
  // reset sets to 255 (reset_marker) and the 14 candidate slots are the
  // (day, hour) pairs whose day bytes the reset sets to 255 (reset_pairs).
  std::int8_t standby_hours;       // from "TED:", cut by the stand-by set-up
  std::int8_t support_hours;       // from "SOS:", cut by the stand-by set-up
  std::int8_t standby_correction;  // hours the board took off the stand-by count
  std::uint8_t standby_daily_max;  // stand-by hours per day before constraint 4 counts
  std::uint8_t reception_hour;
  std::uint8_t reception_handled;  // non-zero: no reception hour wanted, or fixed
  std::uint8_t reception_exclusions[2];
  std::int32_t carshare_partner;   // index resolved from carshare_name, -1 none
  std::int32_t further_link;       // -1 none
  std::uint8_t setting_byte;       // 255 when the teacher is created
  std::uint8_t closing_flag;
  std::uint8_t nonstandard_timing; // teaches in a class hour of non-standard timing
  std::uint8_t calendar_larger;    // calendar pseudo-teacher: calendar has more hours than lessons
  std::uint8_t class_room_type_marks[kWeekSlots];  // per class of the list: has a room-type digit
  // Per class of the list, raised by exemptions: the class is left out of the
  // late-lesson share (constraint 25) and of the class break (constraint 28).
  std::uint8_t late_hours_exempt[kWeekSlots];
  std::int16_t class_pause_exempt[kWeekSlots];
};

// ---- Classes, subjects, buildings, rooms ------------------------------------

struct ClassTeacherTriple {
  std::int32_t teacher;
  std::int32_t subject;
  std::int32_t line;
  std::int32_t hours;
};

struct EngineClass {
  char code[kClassCodeSize];
  char display_name[41];
  std::uint8_t lesson_count;
  std::uint8_t three_char_flag;
  std::int32_t building;  // -1 none
  std::int8_t rotazix;
  std::uint8_t kind;       // 1 "GINNASIO:", 2 after "INDISIGLE:"
  std::uint8_t room_type;  // "TIPOLOCL:" digit, also the subgroup flag
  std::int16_t lesson_indexes[kWeekSlots];
  std::int32_t lesson_index_count;
  std::int16_t tally_subjects[kWeekSlots];
  std::uint8_t tally_hours[kWeekSlots];
  std::int32_t tally_count;
  ClassTeacherTriple triples[kWeekSlots];
  std::int32_t triple_count;
  std::uint8_t materiehsg[kWeekSlots];
  std::int32_t parent;  // -1 none
  std::int32_t subgroup_keys[2];
  std::uint16_t week_grid[kDays][kHoursPerDay];  // lesson per slot, 0xFFFF free
  std::uint16_t teacher_grid[kWeekSlots];        // 0xFFFF free
  std::uint8_t special_calendar[kWeekSlots];     // first byte 255 = none
  std::uint8_t reset_marker;                     // 255 after the reset
  char special_weekdays[kDays];
  char special_weekdays_b[kDays];  // the "SKAVB:" string
  std::uint8_t class_digits[2];
  std::uint8_t scalino_step;
  std::uint16_t timing[2][kDays][kHoursPerDay];
  char sissi_id[17];
  std::uint32_t weight;  // 1 by default
  std::uint8_t provisional_free[kWeekSlots];  // the calendar fitted to the lessons
  std::uint8_t gap_skip;                      // non-zero: the class gap check leaves it out
  std::uint8_t consecutive_rows[4][kWeekSlots][7];  // map tables, one row per triple
  // Raised by exemptions: per day, the educational weight the day may carry
  // beyond the table's limits (constraint 83), and the days on which the two
  // teacher kinds may mix (constraint 88).
  std::int8_t weight_day_offset[kDays];
  std::uint8_t day_kind_exempt[kDays];
};

struct EngineSubject {
  char group_name[kNameSize];     // "GM:" name
  char specific_name[kNameSize];  // name on the teachers' lines
  std::uint8_t pause_flag;        // "PAUSAMATERIA:"
  std::uint8_t pexdix;
  std::uint8_t no118x;
  std::uint8_t msomx;
  char sissi_id[9];  // "SISSI:IDM:"
};

inline constexpr int kMaxBuildingSections = 26;
inline constexpr int kMaxBuildingConditions = 9;

struct BuildingCondition {  // "NOCS:"
  char name[25];
  std::uint8_t value;
  std::int32_t building;  // index of the named building, set after the keyword pass
};

// A building is defined either by sections or by classes, never both.
struct EngineBuilding {
  char name[kNameSize];
  std::int32_t section_count;
  char sections[kMaxBuildingSections][kClassCodeSize];
  std::int32_t class_count;
  char classes[kMaxClasses][kClassCodeSize];
  BuildingCondition conditions[kMaxBuildingConditions];
  std::int32_t condition_count;
  std::uint8_t no_move;  // "NOSPOSTA:"
};

struct EngineRoom {
  char name[kNameSize];
  std::uint8_t lesson_count;
  std::uint8_t lab_flag;  // bit 0
  std::uint8_t allocation_state;
  std::int16_t home_class;
  std::int8_t kind_or_building;
  std::uint8_t availability[kWeekSlots];  // 1 = usable
  std::int16_t occupancy[kWeekSlots];
};

struct EngineCommonRoom {
  char name[kNameSize];
  std::int32_t building;     // -1 any
  std::int32_t subjects[4];  // -1 none
  std::int32_t admitted_attendance;
  std::int32_t needed_attendance;
  std::uint8_t digits[2];
  std::uint8_t avomax;
  std::uint8_t availability[kWeekSlots];  // first byte 255 = not given
  std::uint8_t ox_grid[kWeekSlots];
  std::uint8_t coppie[10][2];
  std::int32_t coppie_count;
  std::uint8_t peroco[10][2];
  std::int32_t peroco_count;
  std::int32_t perocoet;
};

inline constexpr int kLabGroupRooms = 20;

struct EngineLabGroup {
  char name[kNameSize];
  std::uint16_t rooms[kLabGroupRooms];  // 0xFFFF empty
};

// ---- School settings and run state ------------------------------------------

struct EngineSchool {
  char title[81];
  char header2[41];
  char school_code[5];  // "SISSI:IDS:", 4 characters
  char support_code[8];
  char day_codes[kDays][3];
  char day_names[kDays][kNameSize];  // "Lunedì" ...
  char day_abbrevs[kDays][4];        // "Lun" ...
  std::uint8_t hours_per_day[kDays];
  std::uint8_t provisional_hours_per_day[kDays];
  std::uint8_t short_day[kDays];
  std::int32_t daysprns_number;
  std::int32_t oreprolu;
  std::uint16_t timing[2][kDays][kHoursPerDay];
  std::uint8_t class_code_length;  // 2 to 9, default 2
  std::int8_t standby_grouping;    // first "DISPOSIZIONE:" value; -1 (255) one class per teacher
  std::uint8_t standby_percentage;
  BandTable standby_band;
  std::int32_t standby_allowance;
  BandTable ihminimo, ihpresenza, ihinsegna, ihconpresenza, ihconinsegna;
  BandTable ihlabpresenza, ihlabinsegna;
  TripleTable ihinsegnaextra, ihpresenzaextra;
  BandTable ihbuche, ihbuchecsb, ihbuchecst, iggiorni, materiehsg, ihsg;
  BandTable ihsglab, ihsgcon, enterexit, enterexitcon, enterexitlab;
  BandTable gruppioremax, ultimeoremax, giornipausacl;
  TripleTable pexdiz;
  std::uint8_t pexdiy;
  // counts
  std::int32_t subject_count;
  std::int32_t common_room_count;
  std::int32_t teacher_count;
  std::int32_t class_count;
  std::int32_t real_class_count;
  std::int32_t lesson_count;
  std::int32_t lab_lesson_count;
  std::int32_t room_count;
  std::int32_t building_count;
  std::int32_t pause_subject_count;
  std::int32_t attre_count;
  std::int32_t zendo_count;
  std::int32_t lab_group_count;
  // options
  std::int8_t maxbuday[2];
  std::uint8_t itpleggero;
  std::uint8_t noriposoauto;
  std::int32_t nosalu;
  std::int32_t budime;
  std::int32_t tocomi;
  std::int32_t pamez;
  std::int32_t tekno[5];
  char tekno_text[kNameSize];
  std::uint8_t rotazix_flag;
  std::int32_t pausamensa[4];
  std::int32_t specialex[2];
  std::uint8_t uses_fercav, uses_dkif, uses_tramox, uses_pligi, uses_tekgrado;
  std::uint8_t option_flags;  // bit 0 "SCALINO:", bit 1 the joint-entry option
  // values the loader reads beyond the fields above
  std::int32_t budime_second, tocomi_second, pamez_second;
  char attre_names[20][kNameSize];  // "ATTRE:" item list
  char zendo_names[20][kNameSize];  // "ZENDO:" item list
  std::uint8_t split_flags;         // "SPLY:" digits ORed together
  std::int8_t rotation_pause[4];    // "ROTAZIAPAUSA:"
  std::uint8_t uses_peroco, uses_avomax;
  // Derived after the load.
  std::int32_t support_class_start;   // first support pseudo-class; 300 until there is one
  std::int32_t extra_hour_day;        // the day lengthened by the extra hour
  std::int32_t extra_hour;            // its new hour; 0 none
  std::uint8_t extra_hour_former_length;
  std::uint8_t nonstandard_timing_days;  // bit d: a class hour of day d has its own timing
  std::uint8_t second_teacher_flag_shift;  // second teachers take the flags >> 4
  std::uint8_t rest_option;           // non-zero: the view leaves rest settings out
  std::uint8_t transfer_option;       // building-transfer gaps shown on teacher grids
  std::uint8_t lunch_pause_flag;
};

struct EngineRunState {
  std::uint8_t days_per_week;
  std::uint8_t longest_day;
  std::uint8_t weekly_slots;
  std::uint8_t run_mode;
  std::uint8_t prepared;
  std::int32_t max_lesson_hours;
  std::uint8_t labrifol_flag;
  std::uint8_t longest_class_name;
  std::int32_t tekgrado_teacher_count;
  std::uint8_t tekno_day_exclusion[12];
  std::int32_t report_mode;     // -1 trace also to the residual-errors file, 0 off, 1 full report
  std::uint8_t search_start;    // 2 before the phases
  std::int32_t run_seed;        // shown as "s=" by the reporters
  std::uint8_t focus_flags[3];  // constraints 79, 86, 59 ("repo:")
  std::int32_t report_flag;
  std::uint32_t violation_signature;
  std::uint32_t peak_reported_points;
  std::int32_t peak_reported_teacher;
  // values the reset sets without other meaning yet
  std::int32_t reset_value_a;   // -1 after the reset
  std::int32_t reset_value_b;   // -1 after the reset
  std::int32_t reset_zero[2];
  std::uint8_t cleared_bytes[10];
  std::uint8_t one_byte;        // 1 after the reset
  std::uint8_t full_byte;       // 255 after the reset
  // The solver's evaluator parameters were filled for this load; cleared by
  // the reset, so that every load fills them once.
  std::uint8_t parameters_prepared;
};

// ---- The tables ---------------------------------------------------------------

extern EngineLesson g_eng_lessons[kMaxLessons];
// Zeroes one lesson record (the watched fields included).
void or_clear_lesson(EngineLesson& lesson);
extern EngineTeacher g_eng_teachers[kMaxTeachers];
extern EngineClass g_eng_classes[kMaxClasses];
extern EngineSubject g_eng_subjects[kMaxSubjects];
extern EngineRoom g_eng_rooms[kMaxRooms];
extern EngineCommonRoom g_eng_common_rooms[kMaxCommonRooms];
extern EngineBuilding g_eng_buildings[kMaxBuildings];
extern EngineLabGroup g_eng_lab_groups[kMaxLabGroups];
extern EngineSchool g_eng_school;
extern EngineRunState g_eng_run;

// Clears the model before a load (see model.cpp for the order).
void or_reset_model();
// Increments the teacher count by one (a teacher record was appended).
void or_add_teacher_count();
// The band lookup of every band table: the value of the first pair whose
// threshold is at least key, else the slot after the last pair; 0..255.
int or_band_lookup(const BandTable& table, int key);
