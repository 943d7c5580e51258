// The classroom allocation run from orario's room options, which stand for
// the room-assignment window: on a computed copy of each sample school the
// allocation by class and by teacher seats every lesson it can, keeps a
// class out of its forbidden rooms, repeats itself with the same settings,
// and the reports written after it name the rooms; wrong settings are
// refused with a message before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/engine_main.h"
#include "engine/report_services.h"
#include "engine/status_block.h"
#include "reports/report_run.h"
#include "room_report_reading.h"
#include "school_fixture.h"
#include "solver/classroom_allocation.h"
#include "solver/room_window_handover.h"
#include "test_temp_folder.h"

namespace fs = std::filesystem;
using namespace room_reading;

namespace {

const char* const kSamples[] = {"piccola", "liceo", "istituto"};

// One computed copy per sample, made once for the whole program.
const fs::path& computed_sample(const std::string& sample) {
  static kt_test::TempDir cache("kt-rooms-cache-");
  static std::map<std::string, fs::path> done;
  auto found = done.find(sample);
  if (found != done.end()) return found->second;
  fs::path folder = cache.path() / sample;
  fs::create_directories(folder);
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples" / sample / "scuola2.txt", folder / "scuola2.txt");
  std::string out;
  int status = run_orario_in(folder, folder, "--seed 5 --time-limit 3 CALC:scuola2.txt", &out);
  EXPECT_EQ(status, 0) << sample << out;
  return done[sample] = folder;
}

class RoomCommand : public ::testing::Test {
 protected:
  RoomCommand() : dir_("kt-rooms-") {}
  void Use(const std::string& sample) {
    for (const char* name : {"scuola2.txt", "savego.txt"})
      fs::copy_file(computed_sample(sample) / name, dir_.path() / name, fs::copy_options::overwrite_existing);
  }
  int Orario(const std::string& args, std::string* out) {
    return run_orario_in(dir_.path(), dir_.path(), "--seed 7 --room-cycles 40 " + args + " ASAU:scuola2.txt", out);
  }
  std::string Read(const std::string& name) const { return file_text(dir_.path() / name); }
  // An allocation as the room window starts it: its check of the settings,
  // its hand-over of the classes, then ASAU for a few optimiser cycles.
  // The settings stay the run's (g_status.room_params) for the queries after.
  int AllocateFromWindow(RoomAllocationParams& params, const std::vector<RoomWindowClass>& window) {
    std::string problem = or_room_window_problem(params, window);
    EXPECT_EQ(problem, "");
    if (!problem.empty()) return -1;
    or_room_window_handover(window);
    g_status.clear();
    g_status.room_params = &params;
    g_room_optimiser_max_cycles = 5;
    const char* argv[] = {"Questo non serve", "ASAU:scuola2.txt", nullptr};
    int result = or_main(1, 2, argv);
    g_room_optimiser_max_cycles = 0;
    return result;
  }
  // Every file of the folder with its bytes (the run's own log left out).
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir_.path()))
      if (e.is_regular_file() && e.path().filename() != "orario.out")
        files[fs::relative(e.path(), dir_.path()).string()] = file_text(e.path());
    return files;
  }
  kt_test::TempDir dir_;
};

TEST_F(RoomCommand, ByClassSeatsEveryLessonItCanAndRepeatsItself) {
  for (const char* sample : kSamples) {
    SCOPED_TRACE(sample);
    Use(sample);
    std::string rooms = std::string(sample) == "piccola" ? "2" : "3,3,3";
    std::string first, second, out;
    ASSERT_EQ(Orario("--rooms " + rooms, &out), 0) << out;
    first = Read("Orario/Orario Allocazione Aule.txt");
    std::string errors = Read("Orario/ERRORI Allocazione Aule.txt");
    std::vector<std::pair<int, int>> missing = unallocated_slots(errors);
    ASSERT_FALSE(missing.empty()) << "fewer rooms than classes leave lessons without a room";
    EXPECT_NE(out.find(std::to_string(missing.size()) + " ore senza aula"), std::string::npos) << out;
    EXPECT_NE(first.find("(non assegnato)"), std::string::npos);
    EXPECT_NE(first.find("AULA:1"), std::string::npos);
    // The teachers' landscape pages name the rooms too.
    EXPECT_NE(Read("Orario/Orario Professori Orizzontale.txt").find("AULA:"), std::string::npos);
    if (std::string(sample) == "piccola") {
      // One building: a lesson is left without a room only where both rooms are taken.
      ClassRooms taken = rooms_of_classes(first);
      for (const auto& slot : missing) EXPECT_EQ(busy_rooms(taken, slot).size(), 2u) << slot.first << "/" << slot.second;
    }
    ASSERT_EQ(Orario("--rooms " + rooms, &out), 0) << out;
    EXPECT_EQ(Read("Orario/Orario Allocazione Aule.txt"), first);
  }
}

TEST_F(RoomCommand, ByTeacherAndNamedRoomsKeepForbiddenRoomsFree) {
  struct Sample {
    const char *name, *rooms, *a, *b, *c, *c_shown;
  } samples[] = {{"piccola", "3", "1A", "2A", "1B", "1B"}, {"liceo", "4,4", "1AS", "2AS", "3AS", "3ASCI"}};
  for (const Sample& k : samples) {
    SCOPED_TRACE(k.name);
    Use(k.name);
    std::string c = k.c;
    std::string settings = std::string("--rooms ") + k.rooms + " --class-room " + k.a + "=PRIMA --class-room " + k.b +
                           "=SECONDA --forbid " + c + "=PRIMA --forbid " + c + "=SECONDA";
    for (const char* mode : {"class", "teacher"}) {
      std::string out;
      ASSERT_EQ(Orario(settings + " --room-mode " + mode, &out), 0) << mode << out;
      std::string report = Read("Orario/Orario Allocazione Aule.txt");
      ClassRooms taken = rooms_of_classes(report);
      ASSERT_TRUE(taken.count(k.c_shown)) << report;
      for (const auto& [slot, room] : taken[k.c_shown]) EXPECT_TRUE(room != "PRIMA" && room != "SECONDA") << mode;
      EXPECT_NE(report.find("PRIMA"), std::string::npos) << mode;
      EXPECT_EQ(Read("Orario/ERRORI Allocazione Aule.txt").find("aula vietata"), std::string::npos) << mode;
    }
  }
}

// Teachers grouped three to a room: the overlap reduction ends with the
// grouping's report, converted like the other reports.
TEST_F(RoomCommand, TeachersGroupedIntoRoomsLeaveTheirConvertedReport) {
  Use("piccola");
  std::string out;
  ASSERT_EQ(run_orario_in(dir_.path(), dir_.path(), "--seed 3 --time-limit 2 --teachers-per-room 3 MISV:scuola2.txt", &out), 0)
      << out;
  EXPECT_NE(Read("Orario/Allocazione Aule.txt").find("|Aula   1 |"), std::string::npos) << out;
  EXPECT_TRUE(fs::exists(dir_.path() / "Orario/Allocazione Aule.rtf"));
  EXPECT_TRUE(fs::exists(dir_.path() / "Orario/HTML/Allocazione Aule.html"));
}

// "ASAU:" with teachers per room on the command line: nobody is there to
// stop the grouping, so it runs its batch, leaves one report per building
// and names the rooms it used, which are the report's rooms. It ends by
// itself (no time limit is given).
TEST_F(RoomCommand, AsauGroupingEndsByItselfWithItsReportAndTheRoomsUsed) {
  struct Sample {
    const char* name;
    std::vector<std::pair<std::string, std::string>> reports;  // report, building shown
  } samples[] = {{"piccola", {{"Allocazione Aule", ""}}},
                 {"liceo", {{"Allocazione Aule Plesso SEDE CENTRALE", " - SEDE CENTRALE"},
                            {"Allocazione Aule Plesso LINGUISTICO", " - LINGUISTICO"}}}};
  for (const Sample& k : samples) {
    SCOPED_TRACE(k.name);
    Use(k.name);
    std::string out;
    ASSERT_EQ(run_orario_in(dir_.path(), dir_.path(), "--seed 3 --rooms 9,9 --teachers-per-room 3 ASAU:scuola2.txt", &out),
              0)
        << out;
    for (const auto& [report, building] : k.reports) {
      std::string text = Read("Orario/" + report + ".txt");
      int rooms = 0;
      for (std::size_t at = text.find("|Aula "); at != std::string::npos; at = text.find("|Aula ", at + 1)) ++rooms;
      ASSERT_GT(rooms, 0) << report << out;
      EXPECT_NE(out.find("Aule impegnate" + building + ": " + std::to_string(rooms) + " per "), std::string::npos)
          << report << out;
      EXPECT_TRUE(fs::exists(dir_.path() / ("Orario/" + report + ".rtf"))) << report;
    }
    EXPECT_NE(out.find("(al più 3 per aula)"), std::string::npos) << out;
  }
}

// The fewer-room-changes run moves lessons in the week; its rooms are those
// of the week it keeps. That week becomes the saved timetable (the old one
// set aside), so the reports written with the rooms are the saved
// timetable's and no room holds two classes at one hour. Whether the run
// moves lessons depends on the week it starts from, so it starts from a
// recorded week rather than one computed against the clock: on that week,
// with this seed and cycle count, it moves some.
TEST_F(RoomCommand, FewerRoomChangesReportsTheWeekItsRoomsWereGivenFor) {
  Use("liceo");
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "tests/data/savefiles/liceo-savego.txt", dir_.path() / "savego.txt",
                fs::copy_options::overwrite_existing);
  std::string old_save = Read("savego.txt");
  std::string out;
  ASSERT_EQ(run_orario_in(dir_.path(), dir_.path(), "--seed 1 --room-cycles 300 --rooms 12,8 MISV:scuola2.txt", &out), 0)
      << out;
  std::string said = out;
  ClassRooms taken = rooms_of_classes(Read("Orario/Orario Allocazione Aule.txt"));
  ASSERT_EQ(taken.size(), 25u);
  std::map<std::pair<std::pair<int, int>, std::string>, std::string> seated;
  int shared = 0;
  for (const auto& [klass, week] : taken)
    for (const auto& [slot, room] : week) {
      if (room.rfind("AULA:", 0) != 0) continue;
      auto [at, fresh] = seated.emplace(std::make_pair(slot, room), klass);
      if (!fresh && ++shared <= 3)
        ADD_FAILURE() << room << " " << slot.first << "/" << slot.second << ": " << at->second << " and " << klass;
    }
  EXPECT_EQ(shared, 0) << "rooms given to two classes at the same hour";
  // The reports are the saved timetable's: writing them again changes no class's week.
  std::string classes = Read("Orario/Orario Classi.txt");
  ASSERT_EQ(run_orario_in(dir_.path(), dir_.path(), "REPO:scuola2.txt", &out), 0) << out;
  EXPECT_TRUE(Read("Orario/Orario Classi.txt") == classes);
  // The run moved lessons: its week is the saved one, the old one is set aside.
  EXPECT_TRUE(Read("savego.txt") != old_save);
  EXPECT_NE(said.find("questo orario e' ora l'orario salvato"), std::string::npos);
  EXPECT_TRUE(Read("savego_precedente.txt") == old_save);
  EXPECT_FALSE(fs::exists(dir_.path() / "savebi.txt"));
}

// The allocation that moves no lesson leaves the saved timetable and what
// was set aside before as they were.
TEST_F(RoomCommand, AnAllocationThatMovesNoLessonKeepsTheSavedTimetable) {
  Use("liceo");
  std::ofstream(dir_.path() / "savego_precedente.txt") << "kept\n";
  std::string old_save = Read("savego.txt");
  std::string out;
  ASSERT_EQ(Orario("--rooms 12,8", &out), 0) << out;
  EXPECT_TRUE(Read("savego.txt") == old_save);
  EXPECT_EQ(Read("savego_precedente.txt"), "kept\n");
  EXPECT_EQ(out.find("questo orario e' ora l'orario salvato"), std::string::npos) << out;
}

TEST_F(RoomCommand, WrongSettingsAreRefusedBeforeAnythingIsWritten) {
  Use("piccola");
  std::string out;
  ASSERT_EQ(Orario("--rooms 2", &out), 0) << out;
  std::map<std::string, std::string> before = Snapshot();
  struct Case {
    const char* settings;
    const char* message;
  } cases[] = {
      {"--rooms 0", "Nessuna aula da assegnare"},
      {"--teachers-per-room 0", "Nessuna aula da assegnare"},
      {"--rooms 6", "bastano per tutte le 6 classi"},
      {"--rooms 2 --class-room 1A=PRIMA --forbid 1B=TERZA", "Aula vietata TERZA della classe 1B"},
      {"--rooms 2 --class-room 9Z=PRIMA", "Classe 9Z sconosciuta"},
      {"--rooms 2 --class-room '1A=PRI|MA'", "Nome di aula non valido"},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(Orario(k.settings, &out), 2) << k.settings << out;
    EXPECT_NE(out.find(k.message), std::string::npos) << k.settings << out;
    EXPECT_EQ(Snapshot(), before) << k.settings;
  }
  EXPECT_EQ(run_orario_in(dir_.path(), dir_.path(), "--rooms 2 SNOD:scuola2.txt", &out), 1);
  EXPECT_NE(out.find("ASAU: e MISV:"), std::string::npos) << out;
}

// In one program, as the desktop program runs them: an allocation, then the
// publishing export, which writes only "Export_<code>.txt", hands its path
// back and leaves no room-report flag behind for the next report run.
TEST_F(RoomCommand, PublishingAfterAnAllocationWritesTheExportAndClearsTheRoomFlag) {
  Use("piccola");
  kt_test::InDriveRoot in(dir_.path(), dir_.path());
  auto run = [](const char* command, const char* option) {
    const char* argv[] = {"Questo non serve", command, option, nullptr};
    return or_main(1, option ? 3 : 2, argv);
  };
  ASSERT_EQ(run("SYNT:scuola2.txt", nullptr), 0) << g_status.message;
  RoomAllocationParams params{};
  params.rooms_per_building[0] = 2;
  std::vector<RoomWindowClass> classes = {{"1A", true, "PRIMA", {}}};
  int asau = AllocateFromWindow(params, classes);
  g_status.room_params = nullptr;
  ASSERT_EQ(asau, 0) << g_status.message;
  EXPECT_EQ(g_room_report_flag, 1);
  EXPECT_GT(or_unallocated_lesson_count(), 0);
  std::snprintf(g_publish_school_code, sizeof g_publish_school_code, "%s", "CPROVA");
  std::snprintf(g_publish_memo, sizeof g_publish_memo, "%s", "prima pubblicazione");
  int publish = run("REPO:scuola2.txt", "Pubk");
  g_publish_school_code[0] = g_publish_memo[0] = '\0';
  ASSERT_EQ(publish, 0) << g_status.message;
  EXPECT_EQ(g_room_report_flag, 0);
  std::string path = g_publish_export_path;
  EXPECT_NE(path.find("Export_CPROVA.txt"), std::string::npos) << path;
  std::string export_text = Read("Orario/Export_CPROVA.txt");
  EXPECT_EQ(export_text.rfind("#SCHOOL:CPROVA:", 0), 0u) << export_text;
  EXPECT_NE(export_text.find("#MEMO:prima pubblicazione\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_.path() / "Orario/Orario Classi.txt"));
  or_reset_room_allocation();
}

// A window closed before it read a run's results leaves them stored; the
// next window's run must not find them as its own first record.
TEST_F(RoomCommand, AnUnreadResultOfAnEarlierRunIsNotTheNextWindows) {
  Use("piccola");
  kt_test::InDriveRoot in(dir_.path(), dir_.path());
  const char* argv[] = {"Questo non serve", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
  RoomAllocationParams params{};
  params.rooms_per_building[0] = 2;
  std::vector<RoomWindowClass> window = {{"1A", true, "PRIMA", {}}};
  ASSERT_EQ(AllocateFromWindow(params, window), 0) << g_status.message;
  ASSERT_EQ(or_room_allocation_query(13, nullptr, nullptr, nullptr, nullptr), 1) << "the run stored its results";
  // Nobody read them: the window was closed. A new window hands over.
  or_room_window_handover(window);
  EXPECT_EQ(or_room_allocation_query(13, nullptr, nullptr, nullptr, nullptr), -1);
  g_status.room_params = nullptr;
  or_reset_room_allocation();
}

// What the room window reads while the optimiser runs and after it: once a
// record is stored, query 13 answers 1; query 12 hands over a class's stored
// result (its room changes, the lessons in its own room and their days) as
// query 11 counts it on the kept placement, once only: then 13 answers -1
// again. Keys that name nothing answer -1. By teacher and by room the keys
// are the teachers' and the rooms' names.
TEST_F(RoomCommand, TheWindowReadsEachStoredResultOnce) {
  Use("piccola");
  kt_test::InDriveRoot in(dir_.path(), dir_.path());
  const char* argv[] = {"Questo non serve", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
  std::vector<std::string> classes, teachers, rooms;
  for (int c = 0; c < g_eng_school.real_class_count; ++c) classes.emplace_back(g_eng_classes[c].code);
  for (int t = 0; t < g_eng_school.teacher_count; ++t) teachers.emplace_back(g_eng_teachers[t].name);
  for (int mode = 0; mode < 3; ++mode) {
    SCOPED_TRACE(mode);
    RoomAllocationParams params{};
    params.rooms_per_building[0] = 2;
    params.allocation_mode = mode;
    std::vector<RoomWindowClass> window = {{"1A", true, "PRIMA", {}}};
    ASSERT_EQ(or_room_window_problem(params, window), "");
    or_room_window_handover(window);
    EXPECT_EQ(or_room_allocation_query(13, nullptr, nullptr, nullptr, nullptr), -1) << "nothing stored yet";
    g_status.clear();
    g_status.room_params = &params;
    g_room_optimiser_max_cycles = 5;
    const char* asau[] = {"Questo non serve", "ASAU:scuola2.txt", nullptr};
    int result = or_main(1, 2, asau);
    g_room_optimiser_max_cycles = 0;
    ASSERT_EQ(result, 0) << g_status.message;
    if (mode == 2) {
      rooms.clear();
      for (int r = 0; r < g_eng_school.room_count; ++r) rooms.emplace_back(g_eng_rooms[r].name);
    }
    const std::vector<std::string>& keys = mode == 0 ? classes : (mode == 1 ? teachers : rooms);
    EXPECT_EQ(or_room_allocation_query(13, nullptr, nullptr, nullptr, nullptr), 1);
    int total = 0;
    for (const std::string& key : keys) {
      int own11 = -5, own12 = -5;
      std::uint8_t days11 = 0xEE, days12 = 0xEE;
      int now = or_room_allocation_query(11, key.c_str(), nullptr, &own11, &days11);
      int stored = or_room_allocation_query(12, key.c_str(), nullptr, &own12, &days12);
      EXPECT_EQ(stored, now) << key;
      EXPECT_EQ(own12, own11) << key;
      EXPECT_EQ(days12, days11) << key;
      EXPECT_EQ(or_room_allocation_query(12, key.c_str(), nullptr, nullptr, nullptr), -1) << key << " read twice";
      total += stored + own12 + days12;
    }
    EXPECT_GT(total, 0) << "the results are not all empty";
    EXPECT_EQ(or_room_allocation_query(13, nullptr, nullptr, nullptr, nullptr), -1);
    for (const char* unknown : {"9Z", "NESSUNO"})
      EXPECT_EQ(or_room_allocation_query(12, unknown, nullptr, nullptr, nullptr), -1) << unknown;
    EXPECT_EQ(or_room_allocation_query(12, nullptr, nullptr, nullptr, nullptr), -1);
    g_status.room_params = nullptr;
    or_reset_room_allocation();
  }
}

// The report run after an allocation, in the same program, reads the school
// afresh: when it is no longer the school allocated (another school here),
// the allocation is dropped, so no lesson takes a room from it and none is
// counted as left without a room.
TEST_F(RoomCommand, AReportRunOnAnotherSchoolDropsTheAllocation) {
  Use("piccola");
  kt_test::InDriveRoot in(dir_.path(), dir_.path());
  auto run = [](const char* command) {
    const char* argv[] = {"Questo non serve", command, nullptr};
    return or_main(1, 2, argv);
  };
  ASSERT_EQ(run("SYNT:scuola2.txt"), 0) << g_status.message;
  RoomAllocationParams params{};
  params.rooms_per_building[0] = 2;
  std::vector<RoomWindowClass> classes = {{"1A", true, "PRIMA", {}}};
  int asau = AllocateFromWindow(params, classes);
  g_status.room_params = nullptr;
  ASSERT_EQ(asau, 0) << g_status.message;
  ASSERT_GT(or_unallocated_lesson_count(), 0);
  Use("liceo");
  ASSERT_EQ(run("REPO:scuola2.txt"), 0) << g_status.message;
  EXPECT_EQ(or_unallocated_lesson_count(), 0);
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    EXPECT_LT(g_eng_lessons[l].room, g_eng_school.room_count) << l;
  g_room_report_flag = 0;
  or_reset_room_allocation();
}

// The window's classes that name no class of the school are left out before
// a run, and named in the note; a room only they named is no longer
// forbidden to the others, a room a kept class names stays forbidden.
TEST_F(RoomCommand, ClassesOutsideTheSchoolAreLeftOutWithTheirRooms) {
  Use("piccola");
  kt_test::InDriveRoot in(dir_.path(), dir_.path());
  const char* argv[] = {"Questo non serve", "SYNT:scuola2.txt", nullptr};
  ASSERT_EQ(or_main(1, 2, argv), 0) << g_status.message;
  std::vector<RoomWindowClass> classes = {{"1A", true, "PRIMA", {"SECONDA", "TERZA"}},
                                          {"9Z", true, "SECONDA", {}},
                                          {"8Y", false, "TERZA", {"PRIMA"}},
                                          {"", true, "", {}},
                                          {"2A", true, "TERZA", {}}};
  std::vector<std::string> dropped = or_room_window_drop_classes_without_lessons(classes);
  EXPECT_EQ(dropped, (std::vector<std::string>{"9Z", "8Y"}));
  ASSERT_EQ(classes.size(), 2u);
  EXPECT_EQ(classes[0].code, "1A");
  EXPECT_EQ(classes[0].forbidden, std::vector<std::string>{"TERZA"});
  EXPECT_EQ(classes[1].code, "2A");
  EXPECT_EQ(classes[1].room, "TERZA");
  EXPECT_EQ(or_room_window_left_out_note(dropped),
            "Classi senza lezioni, escluse dall'assegnazione delle aule: 9Z, 8Y");
  EXPECT_EQ(or_room_window_left_out_note({}), "");
  std::vector<RoomWindowClass> all_known = {{"1A", true, "PRIMA", {}}};
  EXPECT_TRUE(or_room_window_drop_classes_without_lessons(all_known).empty());
  EXPECT_EQ(all_known.size(), 1u);
}

}  // namespace
