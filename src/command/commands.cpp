// The engine's commands: which steps each command word runs, in which output
// folder, with which run mode, and how a missing saved timetable ends it.
// Every step goes through g_command_steps (see command_steps.h).
//
// A command returns kQuiet only where a missing timetable must end the run
// silently; every error leaves through the reporters, never by a return.
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/command_steps.h"
#include "engine/commands.h"
#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/model.h"
#include "engine/reception_exemption_files.h"
#include "engine/report_services.h"
#include "engine/solver_entry.h"
#include "engine/save_files.h"
#include "engine/status_block.h"
#include "engine/timetable_aside.h"
#include "platform/cp1252.h"
#include "reports/report_run.h"

namespace {

constexpr const char* kFolderTimetable = ".\\Orario\\";
constexpr const char* kFolderProvisional = ".\\Provvisorio\\";
constexpr const char* kFolderTest = ".\\RisultatoTest\\";

const char* const kNotComputed[3] = {
    "Orario non ancora elaborato - mancano i valori delle Ore di lezione.\n\nAccedete a "
    "ELABORAZIONE dell'ORARIO e eseguite il CALCOLO dell'ORARIO",
    "Stundenplan noch nicht berechnet - es fehlen die Werte der Unterrichtsstunden.\n\n"
    "Öffnen Sie die STUNDENPLAN-VERARBEITUNG und führen Sie die BERECHNUNG des "
    "STUNDENPLANS aus"_cp,
    "Timetable not computed yet - the lesson hours are missing.\n\nOpen TIMETABLE "
    "PROCESSING and run the TIMETABLE CALCULATION"};

// "repo:" with "Pubk" writes only the publishing export, which is named
// after the school code: without one it would write nothing at all.
const char* const kNoSchoolCode[3] = {
    "La scuola non ha un codice: l'orario non può essere pubblicato"_cp,
    "Die Schule hat keinen Code: der Stundenplan kann nicht veröffentlicht werden"_cp,
    "The school has no code: the timetable cannot be published"};

const char* const kDispNotUsable =
    "Disposizioni già gestite con controllo analitico errori - metodo DISP: non utilizzabile"_cp;

const char* command_folder() { return g_provisional_mode ? kFolderProvisional : kFolderTimetable; }

// The text after the command word: the description's file name.
const char* file_of(const char* const* argv) { return argv[1] + 5; }

// The option word of argv[2], when there is one and it is not empty.
const char* option_of(int argc, const char* const* argv) {
  if (argc < 3 || !argv[2] || !argv[2][0]) return nullptr;
  return argv[2];
}

bool option_is(const char* option, const char* word) {
  return option && kt::cp1252_ncasecmp(option, word, 4) == 0;
}

// The option words of "calc:" with their run modes, and those of "repo:".
struct Mode {
  const char* word;
  int run_mode;
};
constexpr Mode kModes[] = {{"TPRO", 13}, {"TCLA", 14}, {"REDO", 15}, {"CONT", 16},
                           {"MINI", 19}, {"MIBU", 20}, {"DERR", 29}};
constexpr const char* kReportOptions[] = {"Tkas", "Pubk"};

struct Load {
  const char* title;
  int full = 0;
  int run_mode = -1;                  // -1: unchanged
  bool disp_class_check = false;      // the "disp:" check right after the description
  bool title_with_residual_log = false;
};

void load(const char* const* argv, const Load& how) {
  g_command_steps.reset_model();
  if (how.run_mode >= 0) g_eng_run.run_mode = static_cast<std::uint8_t>(how.run_mode);
  if (how.title_with_residual_log) g_eng_run.report_mode = -1;
  or_trace(how.title);
  if (how.title_with_residual_log) g_eng_run.report_mode = 0;
  g_command_steps.load_description(file_of(argv), how.full);
  g_description_loaded = 1;
  if (how.disp_class_check && g_eng_school.real_class_count < g_eng_school.class_count)
    or_raise_impossible(kDispNotUsable);
  g_command_steps.reset_weights(1);
  or_trace("CARICATO");
}

// True when the saved timetable is missing (or placed only in part). With
// g_quiet_no_timetable set the command then ends quietly; else the
// not-yet-computed error.
//
// With changed_posts_recover, a save that places only part of the lessons
// (the teaching posts changed since it was written) is the placement check's
// critical error, so that or_main takes the previous timetable over (-999)
// as it does for a save whose lessons clash.
bool no_timetable(bool changed_posts_recover = false) {
  int loaded = g_command_steps.load_timetable(0);
  if (loaded == 0) return false;
  // A save file of which no line could be placed is not a missing one.
  bool unreadable = loaded == -3 && or_save_verdict_pending() != SaveVerdict::kWhole;
  if (changed_posts_recover && (loaded > 0 || unreadable))
    or_raise_critical_error("SW", 0, "..\\Orario\\OR_VINU", 34);
  if (g_quiet_no_timetable) return true;
  or_raise_impossible(or_pick_text(kNotComputed));
}

void end_line(const char* format) {
  char title[120];
  std::snprintf(title, sizeof(title), format, or_now_text());
  or_trace(title);
  or_log_residual_error(nullptr);
}

void mark_standby_grouping() { g_eng_school.standby_grouping = -1; }

bool has_standby_lessons() {
  for (int i = 0; i < g_eng_school.lesson_count && i < kMaxLessons; ++i)
    if (g_eng_lessons[i].standby_marker == 1) return true;
  return false;
}

CommandEnd command_synt(const char* const* argv) {
  load(argv, {"INIZIO CONTROLLO SINTASSI"});
  if (g_command_steps.load_timetable(0) != 0) or_print_console("non config\n");
  if (!g_test_run && g_eng_school.standby_grouping == 0) {
    mark_standby_grouping();
    if (g_command_steps.check_standby_hours(0) == 0) {
      g_command_steps.load_timetable(0);
      g_command_steps.build_timetable_view();
    }
  }
  return CommandEnd::kNormal;
}

CommandEnd command_snod(int argc, const char* const* argv, bool sbil) {
  bool nede = argc >= 3 && argv[2] && option_is(argv[2], "NEDE");
  load(argv, {"INIZIO CONTROLLO SINTASSI", 0, sbil ? 26 : -1});
  // "sbil:" reads the balancing save: a recovery would take "savego.txt".
  if (no_timetable(!sbil)) {
    g_status.run_state = kRunStateFinished;
    return CommandEnd::kQuiet;
  }
  // "sbil:" checks the board's week with its stand-by and support hours, as
  // the board saved them, so that one put by hand into an hour the teacher's
  // constraints close to him is reported with the rest.
  if (sbil && g_eng_school.standby_grouping == 0) {
    mark_standby_grouping();
    if (g_command_steps.check_standby_hours(0) == 0 && no_timetable()) {
      g_status.run_state = kRunStateFinished;
      return CommandEnd::kQuiet;
    }
  }
  g_command_steps.prepare_model_for_solving();
  if (nede) g_command_steps.prepare_search_tables();
  g_eng_run.report_mode = 1;
  g_command_steps.evaluate_all_constraints(1);
  g_eng_run.report_mode = 0;
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t)
    std::memcpy(g_eng_teachers[t].allowed_hours, g_eng_teachers[t].allowed_hours_work,
                kWeekSlots);
  return CommandEnd::kNormal;
}

CommandEnd command_calc(int argc, const char* const* argv) {
  const char* option = option_of(argc, argv);
  int run_mode = 15;
  g_output_folder = command_folder();
  if (option) {
    const Mode* found = nullptr;
    for (const Mode& m : kModes)
      if (option_is(option, m.word)) found = &m;
    if (!found) or_raise_critical_error("SW", 0, kSourceMain, 218);
    run_mode = found->run_mode;
    if (run_mode == 13 || run_mode == 14) g_output_folder = kFolderTest;
  }
  // Asked for by the caller, who set the saved timetable aside first.
  if (std::exchange(g_calc_from_empty_week, 0) != 0) or_begin_computing_anew();
  or_check_exemptions_readable();
  load(argv, {"INIZIO", 1, run_mode});
  if (g_command_steps.build_initial_timetable(1) != 0) {
    g_command_steps.write_all_reports(110, 0);
    end_line("Fine Orario [%s]");
  }
  return CommandEnd::kNormal;
}

CommandEnd command_repo(int argc, const char* const* argv) {
  const char* option = option_of(argc, argv);
  bool tkas = false;
  int publish = 0;
  g_output_folder = command_folder();
  if (option) {
    if (option_is(option, "Tkas")) {
      tkas = true;
      g_output_folder = kFolderTest;
    } else if (option_is(option, "Pubk")) {
      publish = 1;
      if (!g_publish_school_code[0]) or_raise_impossible(or_pick_text(kNoSchoolCode));
    } else {
      or_raise_critical_error("SW", 0, kSourceMain, 244);
    }
  }
  g_eng_run.report_mode = 0;
  load(argv, {"INIZIO REPORT da file ore (senza correzione errori)", 0, tkas ? 41 : -1});
  if (g_command_steps.build_initial_timetable(0) == 0) return CommandEnd::kNormal;
  if (no_timetable()) return CommandEnd::kQuiet;
  g_command_steps.prepare_model_for_solving();
  g_command_steps.evaluate_all_constraints(0);
  if (g_status.error_count == 0) {
    int focus[3] = {g_command_steps.focus_common_room_minimum(),
                    g_command_steps.focus_twin_distribution(),
                    g_command_steps.focus_single_hour_lessons()};
    if (focus[0] || focus[1] || focus[2]) {
      for (int i = 0; i < 3; ++i) g_eng_run.focus_flags[i] = focus[i] ? 1 : 0;
      g_command_steps.evaluate_all_constraints(0);
    }
  }
  if (g_eng_school.standby_grouping == 0) {
    mark_standby_grouping();
    if (g_command_steps.check_standby_hours(0) != 0) {
      g_command_steps.pack_standby_lessons(0);
    } else if (tkas) {
      g_command_steps.load_timetable(0);
      g_command_steps.build_timetable_view();
    } else if (has_standby_lessons()) {
      // Stand-by hours read back from the save sit one teacher to a
      // pseudo-class, as they are made: packed as "disp:" packs them, the
      // reports of a saved week show them as that command did, not one
      // row per teacher under every hour.
      g_command_steps.pack_standby_lessons(0);
    }
  }
  for (int t = 0; t < g_eng_school.teacher_count && t < kMaxTeachers; ++t) {
    EngineTeacher& teacher = g_eng_teachers[t];
    teacher.standby_work[0] = teacher.standby_hours;
    int rest = teacher.standby_hours - g_eng_school.standby_allowance;
    teacher.standby_work[1] = rest > 0 ? rest : 0;
  }
  g_eng_run.report_mode = -1;
  g_command_steps.evaluate_all_constraints(1);
  if (!tkas) {
    g_command_steps.write_all_reports(110, publish);
    end_line("Fine Orario [%s]");
  }
  or_log_residual_error(nullptr);
  return CommandEnd::kNormal;
}

CommandEnd command_disp(const char* const* argv) {
  g_output_folder = command_folder();
  Load how{"INIZIO ASSEGNAZIONE DISPOSIZIONI"};
  how.disp_class_check = true;
  how.title_with_residual_log = true;
  load(argv, how);
  if (g_command_steps.build_initial_timetable(0) == 0) return CommandEnd::kNormal;
  if (no_timetable()) return CommandEnd::kQuiet;
  mark_standby_grouping();
  g_command_steps.prepare_standby_run();
  g_command_steps.save_timetable(-1);
  g_command_steps.pack_standby_lessons(0);
  g_eng_run.report_mode = -1;
  g_command_steps.evaluate_all_constraints(0);
  g_command_steps.write_all_reports(110, 0);
  end_line("Fine Assegnazione disposizioni [%s]");
  g_command_steps.allocate_reception_hours();
  g_command_steps.build_timetable_view();
  return CommandEnd::kNormal;
}

CommandEnd command_rigo(const char* const* argv) {
  load(argv, {"INIZIO CONTROLLO SINTASSI"});
  if (no_timetable(true)) return CommandEnd::kQuiet;
  if (g_eng_school.standby_grouping != 0) {
    g_command_steps.allocate_reception_hours();
    g_command_steps.build_timetable_view();
    return CommandEnd::kNormal;
  }
  mark_standby_grouping();
  if (g_command_steps.check_standby_hours(0) == 0) {
    g_command_steps.load_timetable(0);
    g_command_steps.allocate_reception_hours();
    g_command_steps.build_timetable_view();
    return CommandEnd::kNormal;
  }
  return command_disp(argv);
}

CommandEnd command_substitutions(const char* const* argv, int mode) {
  Load how{mode == 0 ? "INIZIO ASSEGNAZIONE Sostituzioni Assenti"
                     : "INIZIO Caricamento Interfaccia Sostituzioni Assenti"};
  how.title_with_residual_log = true;
  load(argv, how);
  if (g_command_steps.build_initial_timetable(0) == 0) return CommandEnd::kNormal;
  if (no_timetable()) return CommandEnd::kQuiet;
  mark_standby_grouping();
  g_command_steps.check_standby_hours(1);
  g_command_steps.run_substitutions(mode);
  if (mode == 0) end_line("Fine Calcolo Sostituzioni [%s]");
  return CommandEnd::kNormal;
}

int cycle_limit(int argc, const char* const* argv) {
  if (argc >= 4 && argv[3]) return std::atoi(argv[3]);
  return kDefaultPhaseCycles;
}

// "bila:", "misv:" and "asau:" up to the loaded timetable; false when the
// initial build said the command has nothing more to do.
bool load_for_phase(const char* const* argv, const char* title) {
  g_output_folder = command_folder();
  load(argv, {title});
  g_eng_run.search_start = 2;
  if (g_command_steps.build_initial_timetable(0) == 0) return false;
  g_command_steps.prepare_model_for_solving();
  g_command_steps.evaluate_all_constraints(0);
  if (g_command_steps.load_timetable(0) != 0) or_raise_impossible(or_pick_text(kNotComputed));
  return true;
}

// The first word of the room-assignment block; a run without the window
// (the command line) has no block and takes the per-building branches.
bool lesson_to_room_allocation() {
  RoomAllocationParams* params = g_status.room_params;
  return params && params->teachers_per_room == 0;
}

CommandEnd command_bila(int argc, const char* const* argv) {
  if (!load_for_phase(argv, "INIZIO Bilanciamento")) return CommandEnd::kNormal;
  g_command_steps.balance_phase(cycle_limit(argc, argv));
  end_line("Fine Output [%s]");
  return CommandEnd::kNormal;
}

CommandEnd command_misv(int argc, const char* const* argv) {
  if (!load_for_phase(argv, "INIZIO Riduzione Sovrapposizioni")) return CommandEnd::kNormal;
  g_command_steps.prepare_search_tables();
  if (lesson_to_room_allocation())
    g_command_steps.room_allocation_phase(1, 0);
  else
    g_command_steps.reduce_overlaps_phase(cycle_limit(argc, argv));
  end_line("Fine Output [%s]");
  return CommandEnd::kNormal;
}

CommandEnd command_asau(const char* const* argv) {
  if (!load_for_phase(argv, "INIZIO REPORT")) return CommandEnd::kNormal;
  if (lesson_to_room_allocation())
    g_command_steps.room_allocation_phase(0, 0);
  else if (g_status.room_params.load() != nullptr && !g_room_grouping_unattended)
    g_command_steps.assign_rooms_per_building(0, 0);
  else
    // No room window runs beside the command (the command line): nobody
    // would ever ask the open-ended search to stop, and nobody would read
    // its result from the window, so it ends at its own stop point and
    // leaves its report.
    g_command_steps.assign_rooms_per_building(1, 1);
  end_line("Fine Output [%s]");
  return CommandEnd::kNormal;
}

bool word_is(const char* arg, const char* word) { return kt::cp1252_ncasecmp(arg, word, 5) == 0; }

}  // namespace

const char* or_usage_text() {
  return "Syntax: orario calc:file_cattedre [cicli_bilanciamento]\n"
         "orario bila:file_cattedre file_ore ciclimax\n";
}

bool or_command_option_known(const char* word, const char* option) {
  if (!word || !option || !option[0]) return true;
  if (word_is(word, "calc:")) {
    for (const Mode& m : kModes)
      if (option_is(option, m.word)) return true;
    return false;
  }
  if (word_is(word, "repo:")) {
    for (const char* known : kReportOptions)
      if (option_is(option, known)) return true;
    return false;
  }
  return true;  // the other commands read no option word, or a file name there
}

void or_raise_usage() { or_raise_critical_error(or_usage_text(), 0, kSourceMain, 535); }

CommandEnd or_run_command(int argc, const char* const* argv) {
  const char* word = argv[1];
  if (word_is(word, "synt:")) return command_synt(argv);
  if (word_is(word, "snod:")) return command_snod(argc, argv, false);
  if (word_is(word, "sbil:")) return command_snod(argc, argv, true);
  if (word_is(word, "calc:")) return command_calc(argc, argv);
  if (word_is(word, "repo:")) return command_repo(argc, argv);
  if (word_is(word, "disp:")) return command_disp(argv);
  if (word_is(word, "rigo:")) return command_rigo(argv);
  if (word_is(word, "sost:")) return command_substitutions(argv, 0);
  if (word_is(word, "solo:")) return command_substitutions(argv, 1);
  if (word_is(word, "sosx:")) {
    g_command_steps.write_substitution_reports();
    return CommandEnd::kNormal;
  }
  if (word_is(word, "sosa:")) {
    g_eng_run.report_mode = -1;
    g_command_steps.write_absences_file();
    return CommandEnd::kNormal;
  }
  if (word_is(word, "bila:")) return command_bila(argc, argv);
  if (word_is(word, "misv:")) return command_misv(argc, argv);
  if (word_is(word, "asau:")) return command_asau(argv);
  or_raise_usage();
}
