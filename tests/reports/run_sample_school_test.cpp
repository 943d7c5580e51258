// The report run on the small sample school with its hand-made save: every
// text report and export is compared byte for byte with the golden files in
// tests/data/reports/piccola (the weekly grids, the global grid export, the
// Mastercom export), the run writes nothing in a worker process, and a
// report file that cannot be created ends the run with the file error and
// the hint to close the document in use. Run with KT_UPDATE_GOLDEN=1 to
// rewrite the golden files after a change that has been checked by eye.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "engine/engine_main.h"
#include "engine/engine_random.h"
#include "engine/errors.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
#include "engine/save_files.h"
#include "engine/save_test_fixture.h"
#include "engine/shell_services.h"
#include "engine/status_block.h"
#include "reports/report_run.h"

namespace fs = std::filesystem;

namespace {

const fs::path kGolden = fs::path(KT_TEST_DATA) / "reports/piccola";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class SampleRun : public ::testing::Test {
 protected:
  void SetUp() override {
    g_process_number = 0;
    save_test::load_sample_school(folder);
    or_finish_loaded_model();
    or_set_day_names();
    ASSERT_EQ(or_load_timetable(0), 0);
    g_engine_random.seed_with(20260906);  // the reception hours the run allocates
    g_eng_run.run_mode = 13;  // a test run: text reports only
    g_output_folder = ".\\Orario\\";
    g_publish_school_code[0] = 0;
    g_publish_delete = 0;
  }
  void TearDown() override { g_output_folder = nullptr; }

  fs::path orario() const { return folder.path() / "Orario"; }
  save_test::SchoolFolder folder;
};

TEST_F(SampleRun, TextReportsMatchTheGoldenFiles) {
  g_eng_run.run_mode = 0;
  or_write_all_reports(110, 0);
  bool update = std::getenv("KT_UPDATE_GOLDEN") != nullptr;
  std::set<std::string> texts;
  for (const auto& entry : fs::directory_iterator(orario())) {
    std::string name = entry.path().filename().string();
    std::string ext = entry.path().extension().string();
    if (ext != ".txt" && ext != ".csv") continue;
    texts.insert(name);
    if (update) {
      fs::create_directories(kGolden);
      fs::copy_file(entry.path(), kGolden / name, fs::copy_options::overwrite_existing);
      continue;
    }
    ASSERT_TRUE(fs::exists(kGolden / name)) << "no golden file for " << name;
    EXPECT_EQ(read_file(entry.path()), read_file(kGolden / name)) << name;
  }
  for (const auto& entry : fs::directory_iterator(kGolden))
    EXPECT_TRUE(texts.count(entry.path().filename().string())) << "not written: " << entry.path().filename();
  EXPECT_TRUE(fs::exists(orario() / "Orario Classi.rtf"));
  EXPECT_TRUE(fs::exists(orario() / "HTML" / "Orario Classi.html"));
}

TEST_F(SampleRun, TestRunsConvertNothingAndWriteNoRegisterExport) {
  or_write_all_reports(110, 0);
  EXPECT_TRUE(fs::exists(orario() / "Orario Classi.txt"));
  EXPECT_FALSE(fs::exists(orario() / "Orario Classi.rtf"));
  EXPECT_FALSE(fs::exists(orario() / "HTML"));
  EXPECT_FALSE(fs::exists(orario() / "Registro_Mastercom.csv"));
}

TEST_F(SampleRun, MastercomHeaderAndRuns) {
  g_eng_run.run_mode = 0;
  or_write_all_reports(110, 0);
  std::string csv = read_file(orario() / "Registro_Mastercom.csv");
  ASSERT_EQ(csv.rfind("classe;materia;professore;giorno;ora_inizio;durata\n", 0), 0u);
  // 1A on Monday: Italian of ROSSI in hours 2 and 3 of the save (0-based 1..2)
  // would be one line of two hours; every line names a class, a subject and
  // a teacher and has a positive duration.
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  int count = 0, hours = 0;
  while (std::getline(lines, line)) {
    ++count;
    int fields = 0;
    for (char c : line) fields += c == ';';
    ASSERT_EQ(fields, 5) << line;
    EXPECT_NE(line[0], ';') << "class name missing: " << line;
    hours += std::atoi(line.substr(line.rfind(';') + 1).c_str());
  }
  EXPECT_GT(count, 0);
  // The lesson teachers' pass covers every placed hour of the real classes.
  int placed = 0;
  for (int l = 0; l < g_eng_school.lesson_count; ++l)
    placed += g_eng_lessons[l].day != kDayNotPlaced && g_eng_lessons[l].class_index < g_eng_school.real_class_count &&
              g_eng_lessons[l].second_teacher < 0;
  EXPECT_GE(hours, placed);
}

TEST_F(SampleRun, PublishOnlyWritesTheDeleteExport) {
  std::snprintf(g_publish_school_code, sizeof g_publish_school_code, "%s", "VERDI");
  std::snprintf(g_publish_memo, sizeof g_publish_memo, "%s", "");
  g_publish_delete = 1;
  or_write_all_reports(110, 1);
  std::string text = read_file(orario() / "Export_VERDI.txt");
  EXPECT_EQ(text, "#SCHOOL:VERDI:Scuola Media Giuseppe Verdi\n#CALE:6:5\n#MEMO: \n#DELETE:\n\n");
  EXPECT_FALSE(fs::exists(orario() / "Orario Classi.txt"));
  EXPECT_EQ(std::string(g_publish_export_path), ".\\Orario\\Export_VERDI.txt");
}

TEST_F(SampleRun, WorkerProcessWritesNothing) {
  g_process_number = 2;
  or_write_all_reports(110, 0);
  g_process_number = 0;
  EXPECT_FALSE(fs::exists(orario()));
}

TEST_F(SampleRun, ReportThatCannotBeCreatedGivesTheFileErrorWithTheHint) {
  fs::create_directories(orario() / "Orario Classi.txt");  // a folder where the report goes
  try {
    or_write_all_reports(110, 0);
    FAIL() << "the run went on";
  } catch (const EngineFileError&) {
    std::string message = g_status.message;
    EXPECT_NE(message.find("Orario Classi.txt"), std::string::npos) << message;
    EXPECT_NE(message.find("(Chiudere il documento Word o Xls in uso e ripetere l'operazione)"), std::string::npos)
        << message;
    EXPECT_NE(message.find("OR_OUTSP"), std::string::npos) << message;
  }
  or_close_engine_streams();
}

TEST_F(SampleRun, EnglishHintAndNames) {
  g_status.language = 2;
  or_write_all_reports(110, 0);
  EXPECT_TRUE(fs::exists(orario() / "Timetable Classes.txt"));
  fs::remove(orario() / "Timetable Global_Export.txt");
  fs::create_directories(orario() / "Timetable Global_Export.txt");
  try {
    or_write_all_reports(110, 0);
    FAIL() << "the run went on";
  } catch (const EngineFileError&) {
    EXPECT_NE(std::string(g_status.message).find("Close document and repeat operation)"), std::string::npos);
  }
  or_close_engine_streams();
  g_status.language = 0;
}

TEST_F(SampleRun, UnknownGridKindIsTheSoftwareError) {
  or_prepare_report_data();
  for (int kind : {10, 73, 99}) {
    try {
      or_fill_class_grid(kind, 0);
      FAIL() << kind;
    } catch (const EngineError& e) {
      EXPECT_EQ(e.code, -1) << kind;
      EXPECT_NE(std::string(g_status.message).find("[SW]"), std::string::npos) << kind;
    }
  }
}

}  // namespace
