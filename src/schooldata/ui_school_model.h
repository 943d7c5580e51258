// The user interface's own model of the school: four fixed-size blocks of
// packed records (structure, header, settings, 500 teachers), each kept
// twice, a working copy that pages and imports change and a snapshot equal to
// the block as last read from or saved to disk. Comparing the two byte for
// byte tells whether there are unsaved changes.
//
// Invariants: records are packed, so the byte comparison sees every field,
// page data and reserved bytes included; counts never exceed the capacities
// below; a name field is 20 characters and a zero, code page 1252.
//
// Workload: a school of at most 300 classes, 400 subjects and 500 teachers;
// the blocks total a few megabytes and live for the whole run in static
// storage, touched only by the user-interface thread.
#pragma once

#include <cstdint>

inline constexpr int kUiNameSize = 21;
inline constexpr int kUiMaxTracks = 14;
inline constexpr int kUiMaxClasses = 300;
inline constexpr int kUiMaxClassrooms = 300;
inline constexpr int kUiMaxLabs = 100;
inline constexpr int kUiMaxLabGroups = 200;
inline constexpr int kUiMaxSubjects = 400;
inline constexpr int kUiMaxTeachers = 500;
inline constexpr int kUiMaxPosts = 40;
inline constexpr int kUiMaxBuildings = 10;
inline constexpr int kUiMaxGyms = 40;
inline constexpr int kUiWeekCells = 84;  // 7 days x 12 hours, day-major

// A count of the packed records, bounded to its table. Taken by value: a
// packed field may sit at any address, and std::min would bind a reference
// to it.
inline int ui_bounded_count(std::uint32_t count, int cap) {
  return count > std::uint32_t(cap) ? cap : int(count);
}

#pragma pack(push, 1)

// First byte 255: not set; otherwise one 0/1 byte per hour.
using WeekHourMask = std::uint8_t[kUiWeekCells];

struct UiHq2Table {
  std::int8_t pairs[9][2];  // (threshold, value)
  std::uint8_t count;
};

struct UiHq3Table {
  std::int8_t triples[9][3];
  std::uint8_t count;
};

struct UiClassCalendar {
  WeekHourMask calendar_hours;
  std::uint8_t day_lengths[2][12][2];  // "SKAV" rows A and B
  std::int8_t max_day_difference;      // "SCALJAN:"
  std::int8_t second_hour_entries;
  std::int16_t hour_start_times[kUiWeekCells];  // "CLADAYS:"
  std::int16_t hour_durations[kUiWeekCells];
};

struct UiClass {
  char code[4];  // year digit, section, track letter (blank with one track)
  std::int8_t building;
  std::uint8_t rotation;  // "ROTAZIX:", 0 none
  std::uint8_t room_move;  // "ASAUMOVE:"
  std::uint8_t classical_numbering;  // "GINNASIO:"
  std::uint8_t class_type;  // "TIPOLOCL:" 1-9, 0 none
  char sissi_id[17];
  std::int32_t preferred_room;  // classroom-name index, -1 none
  std::int32_t forbidden_rooms[30];  // -1 empty slot
  UiClassCalendar calendars[2];  // normal, provisional
};

struct UiLab {
  char name[kUiNameSize];  // empty: deleted
  char description[kUiNameSize];  // building name of a "LAB:" line
  std::int8_t building;
  WeekHourMask hours;  // "OR:", first byte 255: always available
};

// A named group of labs ("GRULLAB:").
struct UiLabGroup {
  char name[kUiNameSize];
  std::int16_t labs[20];  // -1 (65535 on disk) = free slot
};
using UiRoom = UiLabGroup;

struct UiSubject {
  char name[kUiNameSize];
  char type;  // 'C' conversation, else 'N'
  std::uint8_t option_n;
  std::uint8_t option_m;
  std::uint8_t option_p;
  std::uint8_t hidden;  // written to neither file
  char sissi_id[9];
};

struct UiSchoolStructure {
  std::int8_t track_count;
  char track_names[kUiMaxTracks][kUiNameSize];
  char track_short_names[kUiMaxTracks][4];
  std::uint8_t sections[kUiMaxTracks][26];
  std::uint8_t room_assignment_read;
  std::uint32_t classroom_count;
  char classroom_names[kUiMaxClassrooms][kUiNameSize];
  std::uint32_t class_count;
  UiClass classes[kUiMaxClasses];
  std::uint32_t lab_count;
  UiLab labs[kUiMaxLabs];
  std::uint32_t lab_group_count;
  UiLabGroup lab_groups[kUiMaxLabGroups];
  std::uint32_t subject_count;
  UiSubject subjects[kUiMaxSubjects];
  char status[10];  // "STATUSINFO:" characters '0'-'9'
  std::uint32_t room_assignment_mode;
  std::uint32_t room_assignment_values[10];
  std::uint8_t reserved[4];
  std::int8_t room_assignment_last;
  char writer_version[7];
  std::uint32_t save_counter;
  char memo_date[22];
  char memo_text[202];
};

struct UiSchoolHeader {
  char day_codes[7][3];
  std::uint8_t hours_per_day[7];
  std::uint8_t short_days[7];
  std::uint8_t extended_hours;  // "OREPROLU:", 0 = not set
  std::uint8_t reserved[3];
  char day_names[7][kUiNameSize];
  std::int16_t hour_start_times[kUiWeekCells];
  std::int16_t hour_durations[kUiWeekCells];
  char school_name[81];
  char school_code[41];
  char id_text1[41];
  char id_text2[41];
  std::uint8_t provisional_hours_per_day[7];
  std::uint32_t provisional_value1;
  std::int8_t provisional_value2;
  std::int8_t special_values[2];  // "SPECIALEX:"
};

struct UiBuilding {
  char name[kUiNameSize];
  std::int8_t reachable_count;  // at most 9
  char reachable_names[9][kUiNameSize];
  std::int8_t reachable_values[9];  // "NOCS:%s-%d"
  std::uint8_t no_transfer;  // "NOSPOSTA:"
};

struct UiGym {
  char name[kUiNameSize];
  std::int8_t building;
  std::int32_t subjects[4];  // the first is the gym's subject
  std::int8_t max_classes;  // "PRMAX:"
  std::int8_t min_classes[3];  // "PRMIN:"
  std::int8_t max_product;  // "AVOMAX:"
  WeekHourMask hours;  // "OR:"
  std::int8_t classes_by_hour[kUiWeekCells];  // "OX:"
  std::uint8_t pairs[9][2];  // "COPPIE", 255 empty
  std::int8_t pair_count;
  std::uint8_t sharing[9][2];  // "PEROCO"
  std::int8_t sharing_count;
  std::uint32_t tolerated_errors;  // "PEROCOET:"
};

struct UiSchoolSettings {
  // First "DISPOSIZIONE:" value, the stand-by grouping the engine reads;
  // no page edits it, so it goes back to the file as it came.
  std::int32_t standby_grouping;
  std::int8_t maxbuday[2];
  UiHq2Table dispoday, ihminimo, ihpresenza, ihinsegna, ihconpresenza, ihconinsegna,
      ihlabpresenza, ihlabinsegna;
  UiHq3Table ihinsegnaextra, ihpresenzaextra;
  UiHq2Table ihbuche, ihbuchecsb, ihbuchecst, iggiorni, page_table, ihsg, ihsglab, ihsgcon,
      enterexit, enterexitcon, enterexitlab, gruppioremax, ultimeoremax, giornipausacl;
  UiHq3Table pexdiz;
  std::int8_t pexdiy;
  std::int8_t itpleggero;
  std::int8_t noriposoauto;
  std::int8_t nosalu;
  std::int8_t budime1;
  std::int8_t tocomi[2];
  std::int8_t tekno[3];
  char tekno_text[kUiNameSize];
  std::int8_t tekno_value;
  std::int8_t budime2;
  std::int8_t pamez[2];
  UiBuilding buildings[kUiMaxBuildings];
  std::int8_t building_count;
  char gym_equipment[20][kUiNameSize];  // "ATTRE:"
  char lab_equipment[20][kUiNameSize];  // "ZENDO:"
  std::uint8_t equipment_spare;
  UiGym gyms[kUiMaxGyms];
  std::uint32_t gym_count;
  std::uint32_t teacher_count;
  char sissi_school_id[5];
  std::uint8_t rotation_in_use;
  std::uint8_t rotation_breaks[4];  // "ROTAZIAPAUSA:"
  std::uint8_t lunch_break[4];  // "PAUSAMENSA:"
  std::uint8_t claripo;
};

// One part of a teaching post: the owner's part or the partner's.
struct UiPostPart {
  std::int8_t hours;
  std::int8_t extended_hours;  // "ITPMX:"
  std::int8_t gym_equipment;  // "ATTRE:" item number
  std::int8_t lab_equipment;  // "ZENDO:" item number, own part only
  std::int8_t placement;  // "ORP:"/"ORQ:"
  std::int32_t joined_class;  // " I:"
  std::int32_t excluded_day_subject;  // "MNIG:"
  std::int32_t subgroup_subject;  // "GRUL:"
  std::int32_t building_move;  // "SPLY:"/"SPLX:"
  std::uint8_t building_move_option;  // 0 selects "SPLX:"
  std::int8_t classwork_hours;  // "MISCRE:"
  std::int8_t daily_max;  // "PMGY:"/"PMGZ:"
  char grouping1[13];  // "G:"
  char grouping2[13];  // "G2:"
  WeekHourMask forbidden_hours;  // "KOP:"
  std::int8_t triple[3];  // " %c:%d:%d-%d", first -1 = not set
  std::uint8_t letter_j;  // 'J' when set, else 'K'
};

struct UiTeachingPost {
  std::uint8_t copy;  // a partner's post copied into this teacher
  std::int32_t subject;
  std::int32_t class_index;
  std::int32_t conversation_subject;  // "CON:"
  std::int32_t lab;  // "LAB:"
  std::int32_t lab_group;  // "GLB:"
  std::int32_t partner;
  UiPostPart own;
  UiPostPart partner_part;
  std::int32_t joint_count;  // "ARTYW:", at most 8
  std::int32_t joint_classes[8];
};

// A teacher's personal constraints, one field per token of the "V:" line;
// a byte not set holds -1 (255).
struct UiTeacherConstraints {
  std::int8_t pmin[2], pmax[2], fmin[3], fmax[3], emin[3], emax[3], cavallomax[2];
  std::int8_t ov[7], om[7], ovmnb[7], dimpe[7];  // per day
  std::uint8_t op[kUiWeekCells];  // forbidden hours grid, 1 = forbidden
  std::uint8_t li[7], lialt[7];  // free days
  std::int8_t gmin, gmax, presenza, insegnamin, insegna;
  UiHq2Table inse, xprese;
  std::int8_t gl[2], gp[2], gu[2], gx[3], buk[2];
  std::int8_t riposo;
  std::int32_t carshare_partner;  // teacher index, -1 none
  std::int8_t carshare_wait;
  std::int8_t gpausa;
  std::uint8_t ignorapausa;
  std::int8_t nomotor, nomweek;
  UiHq2Table gruppioremax, ultimeoremax, enterexit;
  std::uint8_t paulab;
  std::int8_t quorvex, clasenoc, dkif, tramox;
  std::int8_t pligi[2], segrubi[2], prela[2], fercav[3], pausameper[4];
  std::int8_t maxbudayper;
  std::int8_t tekgrado[2];
  std::int8_t labrifol;
  std::int32_t ni;  // "NI:" teacher index
};

struct UiTeacher {
  char name[kUiNameSize];
  char sissi_id[17];
  std::uint8_t sissi_excluded;
  std::uint8_t page_data[21];
  std::int8_t standby_hours;  // "TED:"
  std::int8_t support_hours;  // "SOS:"
  std::uint8_t nor_flag;
  std::int16_t main_subject;  // "KLK:", negative none
  std::uint8_t reception;  // "ORQ:" instead of "ORP:"
  std::uint8_t fc_mode;  // 1 "+FCA", 2 "+FCV"
  std::uint32_t post_count;
  UiTeachingPost posts[kUiMaxPosts];
  UiTeacherConstraints personal;
  std::uint8_t brentix;
  std::uint8_t mxr;
  std::uint8_t prns;  // excluded from the provisional timetable
  std::uint8_t personal_spare;
};

#pragma pack(pop)

static_assert(sizeof(UiHq2Table) == 19 && sizeof(UiHq3Table) == 28);
static_assert(sizeof(UiClassCalendar) == 470);
static_assert(sizeof(UiPostPart) == 138);
static_assert(sizeof(UiTeacherConstraints) + 4 == 295);

extern UiSchoolStructure g_ui_structure, g_ui_structure_saved;
extern UiSchoolHeader g_ui_header, g_ui_header_saved;
extern UiSchoolSettings g_ui_settings, g_ui_settings_saved;
extern UiTeacher g_ui_teachers[kUiMaxTeachers], g_ui_teachers_saved[kUiMaxTeachers];
extern std::uint8_t g_clock_times_flag;
extern std::uint8_t g_inconsistent_data_flag;
extern char g_description_comment[801];

// A school whose files could not be read whole stays unloaded: the reader
// that refused its file blocks the model with its message (a missing file
// blocks nothing: there is no file to overwrite), and the writers refuse to write while a
// block stands, so a file the program could not read is never overwritten.
// A later read of the same part that succeeds lifts that part's block.
// kPendingSave: a save of both files that stopped halfway could not be
// completed (og_settle_school_folder sets and lifts it): the files on disk
// may be a mix of two saves, and a save now would bury the one to finish.
enum class SchoolFilePart { kStructure, kDescription, kPendingSave };
void og_set_school_blocked(SchoolFilePart part, const char* why);  // null lifts it
bool og_school_loaded();
bool og_school_blocked_by(SchoolFilePart part);
// Why the school is not loaded, in the user's language; empty when it is.
const char* og_school_unloaded_text();

// Clearing and snapshots. A cleared block is all zero bytes.
void og_clear_structure();
void og_clear_school_blocks();  // header, settings and teachers
void og_snapshot_structure();
void og_snapshot_all();

// True when the working copy differs from the snapshot; teachers are
// compared up to the working teacher count (at most 500).
bool og_structure_changed();
bool og_school_changed();

// The unsaved-changes prompt: 1 save, 2 discard, 3 stay. The shell installs
// its dialog; without one the answer is 3 (stay), which loses nothing.
using UnsavedChangesPrompt = int (*)();
void og_set_unsaved_changes_prompt(UnsavedChangesPrompt prompt);
// Readers and writer of the description, installed by its own unit so the
// save and discard paths reach it; absent ones are skipped.
struct DescriptionFileHooks {
  int (*read)(int create) = nullptr;
  int (*write)(int mode) = nullptr;
  // Writes both files as one step, telling the user when they were not.
  int (*write_both)() = nullptr;
};
void og_set_description_hooks(DescriptionFileHooks hooks);

// 0 unchanged (or saved / discarded), 1 changed and check-only or "stay";
// -1 when the answer was not one of the three or a save failed.
int og_save_if_changed(int check_only);

void og_set_new_structure_defaults();
// type_code: calendar index + 10 x level index; below 0 runs only the part
// that needs no answer from the school-type chooser.
void og_set_new_school_defaults(int type_code);

// The post and teacher resets are the shell's model utilities.
#include "schooldata/model_utilities.h"
