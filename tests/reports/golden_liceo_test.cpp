// The report run on the sample liceo with a saved timetable of its own
// (co-teachers, two study tracks, two buildings, labs, three-character class
// codes, special calendars for the 27-hour classes): the reports that carry
// these features are compared byte for byte with the golden files in
// tests/data/reports/liceo, which were checked by reading them. Run with
// KT_UPDATE_GOLDEN=1 to rewrite them after a change that has been checked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

const fs::path kGolden = fs::path(KT_TEST_DATA) / "reports/liceo";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(LiceoReports, MatchTheGoldenFiles) {
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
    if (update) {
      fs::create_directories(kGolden);
      fs::copy_file(written, kGolden / name, fs::copy_options::overwrite_existing);
      continue;
    }
    EXPECT_EQ(read_file(written), read_file(kGolden / name)) << name;
  }
}

}  // namespace
