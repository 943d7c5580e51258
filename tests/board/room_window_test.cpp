// After the computation, from the processing menu of the frame on computed
// copies of the sample schools: the room-assignment window allocates by
// class and by teacher, keeps a class out of its forbidden rooms, repeats
// itself, writes the reports with the rooms and keeps its settings in the
// school; wrong settings get a message and change nothing. The publishing
// button asks for the memo and writes the export and names it. The balancing page balances the
// teaching weight set in the weight dialog's balancing mode, and the engine
// loads the result.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "board/balancing_page.h"
#include "board/processing_menu.h"
#include "board/room_window.h"
#include "constraints/teaching_weights.h"
#include "engine/status_block.h"
#include "platform/test_driver.h"
#include "remote/publish_dialog.h"
#include "room_report_reading.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/app_test_support.h"
#include "shell/engine_commands.h"
#include "shell/frame.h"
#include "structure/structure_pages.h"

namespace {

using namespace kt_app_test;
using namespace kt::ui;
using namespace room_reading;
using R = Casau;

class AfterComputation : public TempRoot {
 protected:
  void Open(const std::string& sample) {
    ui_register_frame_templates();
    structure_install_pages();
    board_install_pages();
    og_install_model_utility_hooks();
    school_ = copy_example(sample, sample);
    fs::path saved = fs::path(KT_TEST_DATA) / "savefiles" / (sample + "-savego.txt");
    if (fs::exists(saved)) write(school_ / "savego.txt", read(saved));
    ASSERT_TRUE(og_set_current_folder(("\\KestrinTempusDati\\" + sample).c_str()));
    ASSERT_TRUE(og_read_school_files(0));  // as choosing the school does
    ASSERT_TRUE(g_frame.Create(nullptr));
    g_frame.ShowWindow(kSwShow);
    ui.Pump();
    alfadlg_go_to_page(kPageProcessingMenu);
    ASSERT_EQ(g_current_page, &g_processing_menu);
  }
  void TearDown() override {
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    for (PageSlot s : {PageSlot::Makedibi, PageSlot::Bila}) g_pages.Install(s, nullptr);
    g_frame_service_hooks.confirm_timetable_use = nullptr;
    og_clear_structure();
    og_clear_school_blocks();
    TempRoot::TearDown();
  }
  void Retype(Dialog& d, int id, const std::string& text) {
    d.GotoDlgCtrl(d.GetDlgItem(id));
    ui.Type(d, id, text);
  }
  // One class record: its own room and forbidden rooms.
  void SetClass(Dialog& d, const char* code, const std::string& room, const std::string& forbidden) {
    ui.Select(d, R::kClassListId, code);
    Retype(d, R::kRoomId, room);
    Retype(d, R::kForbiddenId, forbidden);
  }
  // The allocation is asked to stop at once, as one does when the first
  // allocation is good enough: it ends at the optimiser's first cycle.
  void Allocate(Dialog& d) {
    ui.Click(d, R::kAssignId);
    ui.Click(d, R::kStopId);
    g_engine_thread.Join();
    ui.Advance(R::kTimerMs);
  }
  const UiClass* Class(const char* code) {
    for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c)
      if (std::strncmp(g_ui_structure.classes[c].code, code, std::strlen(code)) == 0) return &g_ui_structure.classes[c];
    return nullptr;
  }
  static std::string Room(std::int32_t index) {
    return index >= 0 && static_cast<std::uint32_t>(index) < g_ui_structure.classroom_count ? g_ui_structure.classroom_names[index]
                                                                                          : "";
  }
  std::string ClassRoom(const char* code) { return Class(code) ? Room(Class(code)->preferred_room) : "?"; }
  std::string ForbiddenRooms(const char* code) {
    std::string out;
    for (int r = 0; Class(code) && r < 30; ++r)
      if (!Room(Class(code)->forbidden_rooms[r]).empty()) out += Room(Class(code)->forbidden_rooms[r]) + " ";
    return out;
  }
  std::string Report() { return read(school_ / "Orario" / "Orario Allocazione Aule.txt"); }
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(school_))
      if (e.is_regular_file()) files[e.path().string()] = read(e.path());
    return files;
  }
  fs::path school_;
  TestDriver ui;
};

TEST_F(AfterComputation, RoomWindowAllocatesByClassAndByTeacherOutsideForbiddenRooms) {
  Open("piccola");
  std::string by_class, by_teacher;
  // The state bytes say the program never computed this timetable: the menu asks first.
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_EQ(ui.Text(d, R::kTitleId), "Assegnazione delle Aule");
    Retype(d, R::kRoomsId, "2");
    SetClass(d, "1A", "PRIMA", "");
    SetClass(d, "2A", "SECONDA", "");
    SetClass(d, "1B", "", "PRIMA, SECONDA");
    Allocate(d);
    EXPECT_EQ(ui.Text(d, R::kResultId).rfind("Assegnazione terminata.", 0), 0u) << ui.Text(d, R::kResultId);
    EXPECT_NE(ui.Text(d, R::kResultId).find("ore senza aula"), std::string::npos);
    EXPECT_NE(ui.Text(d, R::kProgressId).find("1A: cambi d'aula"), std::string::npos);
    EXPECT_NE(ui.Text(d, R::kProgressId).find("Le aule assegnate sono rappresentate nei report:\r\n\r\n"
                                              "\"Allocazione Aule\",\r\n\r\n\"Locali esterni alle Classi\""),
              std::string::npos) << ui.Text(d, R::kProgressId);
    by_class = Report();
    Allocate(d);
    EXPECT_EQ(Report(), by_class) << "the same settings give the same allocation";
    ui.Select(d, R::kModeId, 1);
    Allocate(d);
    by_teacher = Report();
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  EXPECT_TRUE(ui.Problems().empty());
  for (const std::string* report : {&by_class, &by_teacher}) {
    ClassRooms taken = rooms_of_classes(*report);
    ASSERT_TRUE(taken.count("1B")) << *report;
    for (const auto& [slot, room] : taken["1B"]) EXPECT_TRUE(room != "PRIMA" && room != "SECONDA");
    EXPECT_NE(report->find("PRIMA"), std::string::npos);
    EXPECT_NE(report->find("(non assegnato)"), std::string::npos);
  }
  // Every lesson left without a room stands where both rooms are taken.
  ClassRooms taken = rooms_of_classes(by_class);
  std::string errors = read(school_ / "Orario" / "ERRORI Allocazione Aule.txt");
  for (const auto& slot : unallocated_slots(errors)) {
    std::set<std::string> busy = busy_rooms(taken, slot);
    busy.erase("AULA:1"), busy.erase("AULA:2");
    for (const auto& [klass, week] : taken) {
      auto it = week.find(slot);
      if (it != week.end() && (it->second == "PRIMA" || it->second == "SECONDA")) busy.insert(it->second);
    }
    EXPECT_EQ(busy.size(), 2u) << slot.first << "/" << slot.second;
  }
  // The settings stay with the school, and the engine still loads the week.
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_EQ(ClassRoom("1A"), "PRIMA");
  EXPECT_EQ(ClassRoom("2A"), "SECONDA");
  EXPECT_EQ(ForbiddenRooms("1B"), "PRIMA SECONDA ");
  EXPECT_EQ(og_run_engine(EngineCommandCode::Snod), 0) << g_status.message;
}

// The window's settings come back when it opens again (rooms per
// building, teachers per room, the mode); the reduction of room changes
// runs and ends like the allocation; the room reports are deleted on
// request.
TEST_F(AfterComputation, RoomWindowKeepsItsSettingsReducesAndDeletesReports) {
  Open("piccola");
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    Retype(d, R::kRoomsId, "3");
    Retype(d, R::kTeachersId, "2");
    ui.Select(d, R::kModeId, 1);
    Allocate(d);
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  std::string rooms, teachers, running, ended;
  int mode = -1;
  fs::path report = school_ / "Orario" / "Allocazione Aule.txt";
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    rooms = ui.Text(d, R::kRoomsId);
    teachers = ui.Text(d, R::kTeachersId);
    mode = static_cast<ComboBox*>(d.GetDlgItem(R::kModeId))->GetCurSel();
    ui.Click(d, R::kReduceId);
    running = ui.Text(d, R::kResultId);
    ui.Click(d, R::kStopId);
    g_engine_thread.Join();
    ui.Advance(R::kTimerMs);
    ended = ui.Text(d, R::kResultId);
    write(report, "Allocazione\n");
    ui.Click(d, R::kDeleteReportsId);
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  EXPECT_EQ(rooms, "3");
  EXPECT_EQ(teachers, "2");
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(running, "Assegnazione in corso...");
  EXPECT_EQ(ended.rfind("Assegnazione terminata.", 0), 0u) << ended;
  EXPECT_FALSE(fs::exists(report));
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}

// The larger samples, one of them computed here for a few seconds: every
// building gets its rooms, lessons without one are marked, and the same
// settings give the same allocation.
// Room names are the user's: typed in any case, they come back as typed
// when the school is opened again, in the model and in the window.
TEST_F(AfterComputation, RoomNamesKeepTheirCaseAcrossAReopening) {
  Open("piccola");
  // The state bytes say the program never computed this timetable: the menu asks first.
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    Retype(d, R::kRoomsId, "2");
    SetClass(d, "1A", "Aula Magna", "");
    SetClass(d, "2A", "laboratorio 2", "");
    SetClass(d, "1B", "", "Aula Magna, laboratorio 2");
    Allocate(d);
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  ASSERT_TRUE(og_read_school_files(0));
  EXPECT_EQ(ClassRoom("1A"), "Aula Magna");
  EXPECT_EQ(ClassRoom("2A"), "laboratorio 2");
  EXPECT_EQ(ForbiddenRooms("1B"), "Aula Magna laboratorio 2 ");
  std::string room, forbidden, teachers;
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    teachers = ui.Text(d, R::kTeachersId);
    ui.Select(d, R::kClassListId, "1A");
    room = ui.Text(d, R::kRoomId);
    ui.Select(d, R::kClassListId, "1B");
    forbidden = ui.Text(d, R::kForbiddenId);
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  EXPECT_TRUE(ui.Problems().empty());
  EXPECT_EQ(room, "Aula Magna");
  EXPECT_EQ(forbidden, "Aula Magna, laboratorio 2");
  EXPECT_EQ(teachers, std::to_string(g_ui_structure.room_assignment_mode)) << "the saved teachers per room";
}

TEST_F(AfterComputation, RoomWindowAllocatesInEverySampleWithBuildings) {
  for (const char* sample : {"liceo", "istituto"}) {
    SCOPED_TRACE(sample);
    if (g_frame.IsWindow()) g_frame.DestroyWindow();
    Open(sample);
    if (!fs::exists(school_ / "savego.txt")) {
      g_status.clear();
      ASSERT_TRUE(g_engine_thread.Start(static_cast<std::uint32_t>(EngineCommandCode::CalcRedo)));
      ::sleep(3);
      g_status.run_state = kRunStateStopRequested;
      ASSERT_EQ(g_engine_thread.Join(), 0) << g_status.message;
    }
    std::string first, second;
    // The state bytes say the program never computed this timetable: the menu asks first.
    ui.AnswerNextModal(kIdYes);
    ui.OnNextModal([&](Dialog& d) {
      Retype(d, R::kRoomsId, std::string(sample) == "liceo" ? "3,3" : "3,3,3");
      Allocate(d);
      EXPECT_EQ(ui.Text(d, R::kResultId).rfind("Assegnazione terminata.", 0), 0u) << ui.Text(d, R::kResultId);
      first = Report();
      Allocate(d);
      second = Report();
      ui.Click(d, R::kCloseId);
    });
    ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
    EXPECT_TRUE(ui.Problems().empty());
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("AULA:3"), std::string::npos);
    EXPECT_NE(first.find("(non assegnato)"), std::string::npos);
    EXPECT_EQ(og_run_engine(EngineCommandCode::Snod), 0) << g_status.message;
  }
}

// A class of the school's structure that no teaching line names (4A, added
// on the classes page and not yet given lessons) is unknown to the engine:
// it is left out with a note, the rest is allocated, its settings are kept,
// and a room forbidden to another class only because it is 4A's is dropped.
TEST_F(AfterComputation, RoomWindowLeavesOutAClassWithoutLessons) {
  Open("piccola");
  ASSERT_TRUE(og_read_school_files(0));
  std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "4A ", 4);
  ASSERT_EQ(og_write_structure_file(), 0);
  // The state bytes say the program never computed this timetable: the menu asks first.
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    Retype(d, R::kRoomsId, "2");
    SetClass(d, "4A", "QUARTA", "");
    SetClass(d, "1A", "PRIMA", "");
    SetClass(d, "1B", "", "PRIMA, QUARTA");
    Allocate(d);
    std::string result = ui.Text(d, R::kResultId);
    EXPECT_EQ(result.rfind("Assegnazione terminata.", 0), 0u) << result;
    EXPECT_NE(result.find("Classi senza lezioni, escluse dall'assegnazione delle aule: 4A"), std::string::npos)
        << result;
    EXPECT_NE(ui.Text(d, R::kProgressId).find("1A: cambi d'aula"), std::string::npos);
    EXPECT_EQ(ui.Text(d, R::kProgressId).find("4A:"), std::string::npos);
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  EXPECT_TRUE(ui.Problems().empty());
  ClassRooms taken = rooms_of_classes(Report());
  ASSERT_TRUE(taken.count("1B")) << Report();
  for (const auto& [slot, room] : taken["1B"]) EXPECT_NE(room, "PRIMA");
  EXPECT_EQ(ClassRoom("4A"), "QUARTA") << "kept for when 4A has lessons";
  EXPECT_EQ(ForbiddenRooms("1B"), "PRIMA QUARTA ");
}

TEST_F(AfterComputation, RoomWindowRefusesWrongSettingsAndChangesNothing) {
  Open("liceo");
  std::map<std::string, std::string> before = Snapshot();
  // The state bytes say the program never computed this timetable: the menu asks first.
  ui.AnswerNextModal(kIdYes);
  struct Case {
    const char *rooms, *forbidden, *message;
  } cases[] = {
      {"0,0", "", "Nessuna aula da assegnare"},
      {"0,3", "", "Il primo plesso non ha aule"},
      {"40,3", "", "bastano per tutte le"},
      {"3,3", "TERZA", "Aula vietata TERZA della classe"},
      {"3,x", "", "Numero di aule non valido"},
  };
  ui.OnNextModal([&](Dialog& d) {
    for (const Case& k : cases) {
      Retype(d, R::kRoomsId, k.rooms);
      SetClass(d, "1AS", "PRIMA", k.forbidden);
      std::size_t shown = ui.boxes().size();
      ui.AnswerNextModal(1);
      ui.Click(d, R::kAssignId);
      ASSERT_EQ(ui.boxes().size(), shown + 1) << k.rooms;
      EXPECT_NE(ui.boxes().back().texts.at(0).find(k.message), std::string::npos) << ui.boxes().back().texts.at(0);
      EXPECT_FALSE(g_engine_thread.Running());
    }
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  EXPECT_TRUE(ui.Problems().empty());
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(AfterComputation, PublishingWritesTheExportAndNamesIt) {
  Open("piccola");
  // The state bytes say the program never computed this timetable: the menu asks first.
  ui.AnswerNextModal(kIdYes);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_EQ(d.template_id(), Cpubblica::kTemplate);
    ui.Click(d, Cpubblica::kPublishId);
  });
  ui.AnswerNextModal(1);
  ui.Click(g_processing_menu, Cmakedibi::kPublishId);
  ASSERT_FALSE(ui.boxes().empty());
  std::string shown = ui.boxes().back().texts.at(0);
  std::string code = g_ui_header.school_code;
  ASSERT_FALSE(code.empty());
  // Named the way this system writes it, inside the school folder.
  EXPECT_NE(shown.find("\r\nOrario/Export_" + code + ".txt"), std::string::npos) << shown;
  std::string text = read(school_ / "Orario" / ("Export_" + code + ".txt"));
  EXPECT_EQ(text.rfind("#SCHOOL:" + code + ":", 0), 0u) << text;
  EXPECT_FALSE(fs::exists(school_ / "Orario" / "Orario Classi.txt")) << "a publishing run writes only the export";
}

TEST_F(AfterComputation, WeightBalancingSpreadsTheHighWeightSubjects) {
  Open("piccola");
  // The sample's state says "not computed" (its week is a hand-made save): the frame asks first.
  ui.AnswerNextModal(kIdYes);
  alfadlg_go_to_page(kPageBila);
  ASSERT_EQ(g_current_page, &g_balancing_page);
  ui.OnNextModal([&](Dialog& d) {
    EXPECT_FALSE(ui.IsEnabled(d, Cpesodi::kHardId));
    EXPECT_FALSE(ui.IsEnabled(d, Cpesodi::kTableId));
    ui.Select(d, Cpesodi::kListId, "MATEMATICA");
    ui.Click(d, Cpesodi::kHighId);
    ui.Select(d, Cpesodi::kListId, "ITALIANO");
    ui.Click(d, Cpesodi::kHighId);
    ui.Click(d, Cpesodi::kSaveId);
  });
  ui.Click(g_balancing_page, Cbila::kWeightDialogId);
  EXPECT_TRUE(ui.Problems().empty());
  ASSERT_TRUE(og_read_school_files(0));
  for (std::uint32_t s = 0; s < g_ui_structure.subject_count; ++s) {
    std::string name = g_ui_structure.subjects[s].name;
    EXPECT_EQ(+g_ui_structure.subjects[s].option_p, name == "MATEMATICA" || name == "ITALIANO" ? 1 : 0) << name;
  }
  ui.Click(g_balancing_page, Cbila::kWeightsId);
  ASSERT_TRUE(g_balancing_page.Running());
  // The phase runs until a few of its progress lines were shown, then it is stopped.
  auto lines = [this] { return ui.Text(g_balancing_page, Cbila::kProgressId); };
  auto shown = [&lines] {
    std::string text = lines();
    return std::count(text.begin(), text.end(), '\n');
  };
  for (int i = 0; i < 300 && shown() < 3; ++i) {
    ::usleep(10000);
    ui.Advance(Cbila::kTimerMs);
  }
  ui.Click(g_balancing_page, Cbila::kStopId);
  g_engine_thread.Join();
  ui.Advance(Cbila::kTimerMs);
  EXPECT_FALSE(g_balancing_page.Running());
  EXPECT_EQ(g_balancing_page.Result(), 0);
  // The weight phase's own labels, and a weight load that is not zero: the
  // HIGH subjects reached the engine.
  std::string progress = lines();
  EXPECT_EQ(progress.find("Bilancia  :"), std::string::npos) << progress;
  std::size_t at = progress.find("FATTORE:");
  ASSERT_NE(at, std::string::npos) << progress;
  EXPECT_GT(std::atoi(progress.c_str() + at + 8), 0) << progress;
  bool weight_label = false;
  for (const char* label : {"Bilancia Peso  :", "Classi                 :", "Tamburo            :"})
    weight_label = weight_label || progress.find(label) != std::string::npos;
  EXPECT_TRUE(weight_label) << progress;
  EXPECT_EQ(ui.Text(g_balancing_page, Cbila::kResultId),
            "Bilanciamento terminato: prendere l'orario bilanciato o scartarlo.");
  EXPECT_TRUE(fs::exists(school_ / "savebi.txt"));
  EXPECT_EQ(og_run_engine(EngineCommandCode::Sbil), 0) << g_status.message;
  EXPECT_EQ(og_run_engine(EngineCommandCode::Snod), 0) << g_status.message;
  // Taken, the balanced week is the saved timetable; the one before goes aside.
  std::string balanced = read(school_ / "savebi.txt"), computed = read(school_ / "savego.txt");
  ui.Click(g_balancing_page, Cbila::kTakeId);
  EXPECT_EQ(read(school_ / "savego.txt"), balanced);
  EXPECT_EQ(read(school_ / "savego_precedente.txt"), computed);
  EXPECT_FALSE(fs::exists(school_ / "savebi.txt"));
}

// The numbers of the room window are whole numbers from 0 to 99: three
// digits, or a number of teachers left empty, are refused with the field's
// own message, and nothing runs or changes.
TEST_F(AfterComputation, RoomWindowNumbersRunFromZeroToNinetyNine) {
  Open("liceo");
  std::map<std::string, std::string> before = Snapshot();
  ui.AnswerNextModal(kIdYes);
  struct Case {
    const char *rooms, *teachers, *message;
  } cases[] = {
      {"3,100", "1", "Numero di aule non valido: indicare numeri da 0 a 99 separati da virgole."},
      {"100,3", "1", "Numero di aule non valido: indicare numeri da 0 a 99 separati da virgole."},
      {"3,3", "100", "Numero di professori per aula non valido (da 0 a 99)."},
      {"3,3", "", "Numero di professori per aula non valido (da 0 a 99)."},
      {"3,3", "1x", "Numero di professori per aula non valido (da 0 a 99)."},
  };
  ui.OnNextModal([&](Dialog& d) {
    for (const Case& k : cases) {
      Retype(d, R::kRoomsId, k.rooms);
      Retype(d, R::kTeachersId, k.teachers);
      std::size_t shown = ui.boxes().size();
      ui.AnswerNextModal(1);
      ui.Click(d, R::kAssignId);
      ASSERT_EQ(ui.boxes().size(), shown + 1) << k.rooms << " / " << k.teachers;
      EXPECT_EQ(ui.boxes().back().texts.at(0), k.message) << k.rooms << " / " << k.teachers;
      EXPECT_FALSE(g_engine_thread.Running());
    }
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  EXPECT_TRUE(ui.Problems().empty());
  EXPECT_EQ(Snapshot(), before);
}

// A run that has ended leaves the window ready for the next: the reduction
// after an allocation runs and ends in its turn, and so does another
// allocation after it.
TEST_F(AfterComputation, RoomWindowRunsAgainOnceARunHasEnded) {
  Open("piccola");
  ui.AnswerNextModal(kIdYes);
  std::vector<std::string> running, ended;
  ui.OnNextModal([&](Dialog& d) {
    Retype(d, R::kRoomsId, "3");
    Retype(d, R::kTeachersId, "2");
    for (int id : {R::kAssignId, R::kReduceId, R::kAssignId}) {
      ui.Click(d, id);
      running.push_back(ui.Text(d, R::kResultId));
      ui.Click(d, R::kStopId);
      g_engine_thread.Join();
      ui.Advance(R::kTimerMs);
      ended.push_back(ui.Text(d, R::kResultId));
    }
    ui.Click(d, R::kCloseId);
  });
  ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
  ASSERT_EQ(running.size(), 3u);
  for (std::size_t i = 0; i < running.size(); ++i) {
    EXPECT_EQ(running[i], "Assegnazione in corso...") << i;
    EXPECT_EQ(ended[i].rfind("Assegnazione terminata.", 0), 0u) << i << ": " << ended[i];
  }
  for (const auto& p : ui.Problems()) ADD_FAILURE() << p;
}


// The class list holds the school's classes and no others, in the school's
// order, and each class chosen shows its own record: movable or not, its
// room and its forbidden rooms as the school holds them.
class RoomWindowClasses : public AfterComputation {
 protected:
  void Check(const char* sample) {
    Open(sample);
    std::vector<std::string> codes, rooms, forbidden;
    std::vector<bool> movable;
    for (std::uint32_t c = 0; c < g_ui_structure.class_count; ++c) {
      const UiClass& k = g_ui_structure.classes[c];
      std::string code(k.code, strnlen(k.code, sizeof k.code));
      code.erase(code.find_last_not_of(' ') + 1);
      codes.push_back(code);
      rooms.push_back(Room(k.preferred_room));
      std::string f;
      for (int r = 0; r < 30; ++r)
        if (!Room(k.forbidden_rooms[r]).empty()) f += (f.empty() ? "" : ", ") + Room(k.forbidden_rooms[r]);
      forbidden.push_back(f);
      movable.push_back(k.room_move != 0);
    }
    ASSERT_FALSE(codes.empty());
    std::vector<std::string> listed, shown_rooms, shown_forbidden;
    std::vector<bool> shown_movable;
    ui.AnswerNextModal(kIdYes);
    ui.OnNextModal([&](Dialog& d) {
      auto* list = static_cast<ListBox*>(d.GetDlgItem(R::kClassListId));
      EXPECT_EQ(list->GetCurSel(), 0);
      for (int i = 0; i < list->GetCount(); ++i) listed.push_back(list->GetText(i));
      for (int i = 0; i < list->GetCount() && i < int(codes.size()); ++i) {
        ui.Select(d, R::kClassListId, i);
        shown_rooms.push_back(ui.Text(d, R::kRoomId));
        shown_forbidden.push_back(ui.Text(d, R::kForbiddenId));
        shown_movable.push_back(ui.IsChecked(d, R::kMovableId));
      }
      ui.Click(d, R::kCloseId);
    });
    ui.Click(g_processing_menu, Cmakedibi::kRoomWindowId);
    EXPECT_EQ(listed, codes);
    EXPECT_EQ(shown_rooms, rooms);
    EXPECT_EQ(shown_forbidden, forbidden);
    EXPECT_EQ(shown_movable, movable);
    EXPECT_TRUE(ui.Problems().empty());
  }
};

TEST_F(RoomWindowClasses, ListsExactlyTheSmallSchoolsClassesWithTheirRecords) { Check("piccola"); }
TEST_F(RoomWindowClasses, ListsExactlyTheLiceosClassesWithTheirRecords) { Check("liceo"); }

}  // namespace
