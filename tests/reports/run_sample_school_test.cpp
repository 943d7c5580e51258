// The report run on the small sample school with its hand-made save: every
// text report and export equals its golden file in tests/data/reports/piccola,
// a worker process writes nothing, and a report that cannot be created ends
// the run with the file error and the hint to close the document in use.
// Likewise the liceo's reports with its own save. Run with KT_UPDATE_GOLDEN=1 to
// rewrite the golden files after a change that has been checked by eye.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "engine/engine_random.h"
#include "engine/engine_main.h"
#include "engine/errors.h"
#include "engine/save_files.h"
#include "engine/loader.h"
#include "engine/model_post_passes.h"
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

// A folder where the report goes is named as what is there, not as a
// document that another program keeps open.
TEST_F(SampleRun, ReportThatCannotBeCreatedGivesTheFileErrorWithTheReason) {
  struct Case {
    int language;
    const char* report;
    const char* hint;
  } cases[] = {{0, "Orario Classi.txt", "Al posto del file c"},
               {2, "Timetable Classes.txt", "A folder stands in the file's place"}};
  for (const Case& c : cases) {
    g_status.language = c.language;
    fs::create_directories(orario() / c.report);  // a folder where the report goes
    try {
      or_write_all_reports(110, 0);
      ADD_FAILURE() << "the run went on";
    } catch (const EngineFileError&) {
      std::string message = g_status.message;
      EXPECT_NE(message.find(c.report), std::string::npos) << message;
      EXPECT_NE(message.find(c.hint), std::string::npos) << message;
      EXPECT_NE(message.find("OR_OUTSP"), std::string::npos) << message;
    }
    or_close_engine_streams();
  }
  g_status.language = 0;
}

// The liceo's own saved timetable (co-teachers, two study tracks, two
// buildings, labs, three-character class codes, special calendars): the
// reports that carry these features equal their golden files in
// tests/data/reports/liceo.
TEST(LiceoReports, MatchTheGoldenFiles) {
  const fs::path golden = fs::path(KT_TEST_DATA) / "reports/liceo";
  save_test::SchoolFolder folder;
  fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/liceo/scuola2.txt", folder.path() / "scuola2.txt");
  fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/liceo-savego.txt", folder.path() / "savego.txt");
  save_test::reset_run_flags();
  g_process_number = 0;
  or_reset_model();
  or_load_description("scuola2.txt", 0);
  or_finish_loaded_model();
  or_set_day_names();
  ASSERT_EQ(or_load_timetable(0), 0);
  g_engine_random.seed_with(20261207);  // the reception hours the run allocates
  g_eng_run.run_mode = 0;
  g_output_folder = ".\\Orario\\";
  g_publish_school_code[0] = 0;
  or_write_all_reports(110, 0);
  g_output_folder = nullptr;
  bool update = std::getenv("KT_UPDATE_GOLDEN") != nullptr;
  for (const char* name :
       {"Orario Professori Verticale Compresenze.txt", "Orario Global_Export.txt", "Orario Tabella Globale.txt",
        "Orario Tabella Globale_Indirizzo_L.txt", "Orario Classi per Materia.txt", "Tabella Classi Breve.txt",
        "Registro_Mastercom.csv", "Orario Locali esterni alle Classi.txt", "Foglio Firme O LINGUISTICO.txt",
        "Tabella Consigli di Classe.txt"}) {
    fs::path written = folder.path() / "Orario" / name;
    ASSERT_TRUE(fs::exists(written)) << name;
    if (update) fs::copy_file(written, golden / name, fs::copy_options::overwrite_existing);
    EXPECT_EQ(read_file(written), read_file(golden / name)) << name;
  }
}

}  // namespace
