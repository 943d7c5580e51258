// Save, reopen, save every sample school and the engine's test descriptions:
// the same bytes twice (but for the structure's save counter), the same model
// read back, and the engine loads the written description.

#include <cstring>
#include <memory>

#include "../engine/loader_harness.h"
#include "desc_test_support.h"
#include "school_model_copy.h"
#include "schooldata/description_writer.h"
#include "schooldata/ui_school_model.h"

namespace fs = std::filesystem;

namespace {

using save_reopen::ModelCopy;
using save_reopen::slurp;

struct Source {
  const char* id;
  std::string folder;  // holds scuola2.txt and, when it has one, scuola1.txt
  std::string extra;   // lines appended to its description
  bool engine_loads = true;  // false: a school the engine rightly refuses
};

class SaveReopen : public ::testing::TestWithParam<Source> {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/save_reopen_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    og_set_school_line_seed_source([]() -> std::uint8_t { return 77; });
  }
  void TearDown() override {
    og_set_school_line_seed_source(nullptr);
    fs::remove_all(dir_);
  }
  std::string dir_;
};

TEST_P(SaveReopen, SecondSaveHasTheSameBytesAndTheSameModel) {
  const Source& source = GetParam();
  fs::create_directories(dir_ + "/in");
  for (const char* file : {"scuola1.txt", "scuola2.txt"}) {
    fs::path from = fs::path(source.folder) / file;
    if (fs::exists(from)) fs::copy_file(from, dir_ + "/in/" + file);
  }
  if (!source.extra.empty()) std::ofstream(dir_ + "/in/scuola2.txt", std::ios::app | std::ios::binary) << source.extra;
  int structure = og_read_structure_file_from(dir_ + "/in/scuola1.txt", 0);
  ASSERT_GE(structure, -1) << og_structure_error();
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/in/scuola2.txt", 0), 0) << og_description_error();
  if (structure == -1) {
    // A description without its structure file: the first save writes the
    // structure, after which the classes come back in the structure's order.
    ASSERT_EQ(og_write_structure_file_to(dir_ + "/in/scuola1.txt"), 0);
    ASSERT_EQ(og_write_assignments_file_to(dir_ + "/in/scuola2.txt", 0), 0);
    ASSERT_EQ(og_read_structure_file_from(dir_ + "/in/scuola1.txt", 0), 0);
    ASSERT_EQ(og_read_assignments_file_from(dir_ + "/in/scuola2.txt", 0), 0) << og_description_error();
  }

  std::string first[2], second[2];
  std::unique_ptr<ModelCopy> written;
  for (int round = 0; round < 2; ++round) {
    std::string out = dir_ + "/out" + std::to_string(round);
    fs::create_directories(out);
    ASSERT_EQ(og_write_structure_file_to(out + "/scuola1.txt"), 0);
    ASSERT_EQ(og_write_assignments_file_to(out + "/scuola2.txt", 0), 0) << og_description_write_error();
    std::string* bytes = round == 0 ? first : second;
    // The structure's service memo counts the saves: every other line stays.
    og_read_school_lines(out + "/scuola1.txt", [&](const std::string& line) {
      if (line.rfind("SERVICEMEMO:", 0) != 0) bytes[0] += line + "\n";
      return true;
    }, nullptr);
    bytes[1] = slurp(out + "/scuola2.txt");
    if (round == 0) {
      written = std::make_unique<ModelCopy>();
      loader_test::Outcome synt = loader_test::run_synt(bytes[1]);
      if (source.engine_loads) {
        EXPECT_EQ(synt.code, 0) << synt.message;
      }
    }
    ASSERT_EQ(og_read_structure_file_from(out + "/scuola1.txt", 0), 0) << og_structure_error();
    ASSERT_EQ(og_read_assignments_file_from(out + "/scuola2.txt", 0), 0) << og_description_error();
    if (round == 0) {
      EXPECT_EQ(written->Differences(), "") << "the model read back is the model written";
    }
  }
  EXPECT_EQ(first[0], second[0]) << "scuola1.txt";
  EXPECT_EQ(first[1], second[1]) << "scuola2.txt";
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, SaveReopen,
    ::testing::Values(Source{"piccola", std::string(KT_SOURCE_DIR) + "/examples/piccola", ""},
                      Source{"liceo", std::string(KT_SOURCE_DIR) + "/examples/liceo", ""},
                      Source{"istituto", std::string(KT_SOURCE_DIR) + "/examples/istituto", ""},
                      Source{"every_item", std::string(KT_TEST_DATA) + "/description/every_item", ""},
                      Source{"keywords", std::string(KT_SOURCE_DIR) + "/tests/data/description/keywords", ""},
                      Source{"loader_small", std::string(KT_SOURCE_DIR) + "/tests/data/loader/small", ""},
                      Source{"sissi_without_support", std::string(KT_SOURCE_DIR) + "/examples/piccola",
                             "SISSI:IDS:\tAB12\t\n"},
                      // Subject names with '-', long names alike in their first 20
                      // characters, a name of control characters, a lunch pause of
                      // two values, a one-character class in a rotation list.
                      Source{"hostile_names", std::string(KT_SOURCE_DIR) + "/examples/piccola",
                             "GM:A946 LCS SERBO-CROATO\t\nROSSI\t1A 1\t\n"
                             "GM:LABORATORIO DI INFORMATICA 1\t\nROSSI\t2A 1\t\n"
                             "GM:LABORATORIO DI INFORMATICA 2\t\nBIANCHI\t3A 1\t\n"
                             "GM:LABORATORIO DI INFORMATICA 1\t\nBIANCHI\t1B 1\t\n",
                             false},  // each added hour overfills the sample's full weeks
                      Source{"control_characters", std::string(KT_SOURCE_DIR) + "/examples/piccola",
                             "GM:\x01\x02\t\nROSSI\t1A 1\t\n", false},
                      Source{"pause_and_rotation", std::string(KT_SOURCE_DIR) + "/examples/piccola",
                             "V:\tROSSI\tPAUSAMEPER:2-1\t\nROTAZIX:\t1:-1:3\t\n"},
                      Source{"no_hours_in_the_week", std::string(KT_SOURCE_DIR) + "/tests/data/description/keywords",
                             "DAYS:\tLU0-Lunedi\tMA0-Martedi\tME0-Mercoledi\tGI0-Giovedi\tVE0-Venerdi\tSA0-Sabato\t"
                             "DO0-Domenica\t\nV:\tBIANCHI\tINSEGNA:1\tPRESENZA:0\tINSEGNAMIN:3\t\n",
                             false}),
    [](const ::testing::TestParamInfo<Source>& info) { return std::string(info.param.id); });

}  // namespace
