// "scuola1.txt": samples read and written back byte for byte, room
// assignment lines, bad input stopped with a cleared structure.
#include <cstring>

#include "desc_test_support.h"
#include "schooldata/ui_school_model.h"

namespace {

namespace fs = std::filesystem;

class StructureFile : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    og_set_school_line_seed_source([]() -> std::uint8_t { return 0x5a; });
    g_school_files_plain = 0;
  }
  void TearDown() override {
    og_set_school_line_seed_source(nullptr);
    PlainSchoolFolder::TearDown();
  }
  fs::path at(const char* name) const { return fs::path(dir_) / name; }
  std::string sample(const char* school) {
    return std::string(KT_SOURCE_DIR) + "/examples/" + school + "/scuola1.txt";
  }
};

// Read and written plain, each sample comes back byte for byte: its
// tracks, sections, classes and subjects were all read.
TEST_F(StructureFile, PlainWriteMatchesSample) {
  g_school_files_plain = 1;
  for (const char* school : {"piccola", "liceo"}) {
    ASSERT_EQ(og_read_structure_file_from(sample(school), 0), 0) << school;
    --g_ui_structure.save_counter;  // the writer counts this save
    std::string out = at("p.txt").string();
    ASSERT_EQ(og_write_structure_file_to(out), 0);
    EXPECT_EQ(og_save_if_changed(1), 0) << school;
    EXPECT_EQ(slurp(out), slurp(sample(school))) << school;
  }
}

TEST_F(StructureFile, RoomAssignmentLines) {
  g_school_files_plain = 1;
  std::string in = at("in.txt").string();
  std::ofstream(in) << "REM:x\nINDIRIZZI:|U-a|\nCLASSI:|1A|2A|1A|\n"
                       "MATERIE:|ITA-N-P2-M1|ING-N-N3|\n"
                       "ASAU:|2-1-0-0-0-0-0-0-0-0-0|3|\nASAUMOVE:|2A|\n\n"
                       "ASAUPREF:|1A-AULA 5|\n\nASAUVIET:|2A|AULA 5|NESSUNA|\n";
  ASSERT_EQ(og_read_structure_file_from(in, 0), 0) << og_structure_error();
  EXPECT_EQ(+g_ui_structure.class_count, 2u);
  EXPECT_EQ(+g_ui_structure.subjects[0].option_p, 2);
  EXPECT_EQ(+g_ui_structure.subjects[0].option_m, 1);
  EXPECT_EQ(+g_ui_structure.subjects[1].option_n, 3);
  EXPECT_EQ(+g_ui_structure.room_assignment_mode, 2u);
  EXPECT_EQ(+g_ui_structure.room_assignment_last, 3);
  EXPECT_EQ(+g_ui_structure.classes[1].room_move, 1);
  EXPECT_EQ(+g_ui_structure.classes[0].preferred_room, 0);
  EXPECT_EQ(+g_ui_structure.classes[1].forbidden_rooms[0], 0);
  EXPECT_EQ(+g_ui_structure.classes[1].forbidden_rooms[1], -1);
  std::string out = at("out.txt").string();
  ASSERT_EQ(og_write_structure_file_to(out), 0);
  std::string text = slurp(out);
  EXPECT_NE(text.find("ASAUPREF:|1A-AULA 5|\n\nASAUVIET:|2A|AULA 5|\n"), std::string::npos);
}

// Hand-made files that once changed at every save: what is read is what the
// writer gives back, and a second write repeats the first.
TEST_F(StructureFile, HandMadeLinesReadAsTheyAreWrittenBack) {
  g_school_files_plain = 1;
  struct Case {
    const char* id;
    std::string text;
    const char* line;  // a line the first write holds
  } cases[] = {
      {"title after separators", "REM:||Liceo|Sede\n", "REM:Liceo|Sede\n"},
      {"status before the title", "STATUSINFO:rem:a1\n", "STATUSINFO:REM:A10000|\n"},
      {"a class the file cannot carry", "INDIRIZZI:|U-a|\nCLASSI:|1A|2|\nASAU:|3|\nASAUMOVE:|1A|2|\n", "ASAUMOVE:|1A|\n"},
      {"classrooms keep their case",
       "INDIRIZZI:|U-a|\nCLASSI:|1A|2A|\nASAU:|1|\nASAUPREF:|1a-Aula Magna|2A-aula 5|\n\nasauviet:|2a|Aula Magna|AULA 5|\n",
       "ASAUPREF:|1A-Aula Magna|2A-aula 5|\n\nASAUVIET:|2A|Aula Magna|\n"},
  };
  for (const Case& c : cases) {
    std::string in = at("in.txt").string(), first = at("first.txt").string(), second = at("second.txt").string();
    std::ofstream(in, std::ios::binary) << c.text;
    ASSERT_EQ(og_read_structure_file_from(in, 0), 0) << c.id << ": " << og_structure_error();
    ASSERT_EQ(og_write_structure_file_to(first), 0) << c.id;
    ASSERT_EQ(og_read_structure_file_from(first, 0), 0) << c.id;
    ASSERT_EQ(og_write_structure_file_to(second), 0) << c.id;
    std::string a = slurp(first), b = slurp(second);
    EXPECT_NE(a.find(c.line), std::string::npos) << c.id << ":\n" << a;
    // The service memo counts the saves; every other line is the same.
    auto memo = [](const std::string& text) { return text.substr(text.find("SERVICEMEMO:"), text.find('\n', text.find("SERVICEMEMO:")) - text.find("SERVICEMEMO:")); };
    EXPECT_EQ(a.replace(a.find(memo(a)), memo(a).size(), ""), b.replace(b.find(memo(b)), memo(b).size(), "")) << c.id;
  }
}

std::string many_classes() {
  const std::string all = "abcdefghijklmnopqrstuvwxyz";
  std::string text = "REM:x\nINDIRIZZI:|A-" + all + "|B-" + all + "|\n";
  for (int y = 1; y <= 9; ++y) {
    text += "CLASSI:";
    for (char s = 'A'; s <= 'Z'; ++s)
      for (char t : {'A', 'B'}) text += "|" + std::to_string(y) + s + t;
    text += "|\n";
  }
  return text;
}

std::string random_bytes() {
  std::string text = "REM:x\n";
  unsigned v = 12345;
  for (int i = 0; i < 4000; ++i) {
    v = v * 1103515245u + 12345u;
    text += static_cast<char>(v >> 16);
  }
  return text;
}

TEST_F(StructureFile, BadInputStopsWithMessage) {
  const std::string cases[] = {"REM:x\nFOO:|1|\n", "REM:x\nCLASSI:|1A|\nMATERIE:|ITALIANO|\n",
                               "REM:x\nINDIRIZZI:|A|B|C|D|E|F|G|H|I|J|K|L|M|N|O|\n", "REM:x\nLAB:|CHIMICA|\n",
                               many_classes(), random_bytes()};
  for (const std::string& text : cases) {
    std::string in = at("bad.txt").string();
    std::ofstream(in, std::ios::binary) << text;
    EXPECT_EQ(og_read_structure_file_from(in, 0), -2) << text.substr(0, 40);
    EXPECT_NE(std::string(og_structure_error()), "");
    EXPECT_EQ(+g_ui_structure.class_count, 0u);
    EXPECT_EQ(og_save_if_changed(1), 0);
  }
}

// Names may hold '-' (the ministry list has "A946 LCS SERBO-CROATO"): the
// type and options are read from the right, and files of older writers,
// whose names held none, still read as they did.
TEST_F(StructureFile, SubjectNamesWithDashesReadBackWhole) {
  g_school_files_plain = 1;
  std::string in = at("in.txt").string();
  std::ofstream(in) << "REM:x\nINDIRIZZI:|U-a|\nCLASSI:|1A|\n"
                       "MATERIE:|A946 LCS SERBO-CROAT-N|C038 CONV. SERBO-CR-C|X-N-N-P12-N2|Y-P1-C-M3|\n"
                       "MATERIE:|STORIA-NORMALE|GEO-N-P3X|Z-N-PX-N4|\n";
  ASSERT_EQ(og_read_structure_file_from(in, 0), 0) << og_structure_error();
  struct Expected {
    const char* name;
    char type;
    int p, n, m;
  } expected[] = {{"A946 LCS SERBO-CROAT", 'N', 0, 0, 0}, {"C038 CONV. SERBO-CR", 'C', 0, 0, 0},
                  {"X-N", 'N', 12, 2, 0},  {"Y-P1", 'C', 0, 0, 3},
                  {"STORIA", 'N', 0, 0, 0}, {"GEO", 'N', 3, 0, 0}, {"Z", 'N', 0, 4, 0}};  // "PX": no digit, no value
  ASSERT_EQ(+g_ui_structure.subject_count, 7u);
  for (int i = 0; i < 7; ++i) {
    const UiSubject& s = g_ui_structure.subjects[i];
    EXPECT_STREQ(s.name, expected[i].name);
    EXPECT_EQ(s.type, expected[i].type) << expected[i].name;
    EXPECT_EQ(+s.option_p, expected[i].p) << expected[i].name;
    EXPECT_EQ(+s.option_n, expected[i].n) << expected[i].name;
    EXPECT_EQ(+s.option_m, expected[i].m) << expected[i].name;
  }
  std::string first = at("first.txt").string(), second = at("second.txt").string();
  ASSERT_EQ(og_write_structure_file_to(first), 0);
  ASSERT_EQ(og_read_structure_file_from(first, 0), 0) << og_structure_error();
  EXPECT_EQ(+g_ui_structure.subject_count, 7u);
  --g_ui_structure.save_counter;
  ASSERT_EQ(og_write_structure_file_to(second), 0);
  EXPECT_EQ(slurp(first), slurp(second));
}

TEST_F(StructureFile, MissingFile) {
  std::string none = at("none.txt").string();
  EXPECT_EQ(og_read_structure_file_from(none, 0), -1);
  EXPECT_EQ(+g_ui_structure.track_count, 0);
  EXPECT_EQ(og_read_structure_file_from(none, 1), 0);
  EXPECT_EQ(+g_ui_structure.track_count, 1);
  EXPECT_EQ(+g_ui_structure.status[1], '0');
}

TEST_F(StructureFile, FailedWriteKeepsOldFile) {
  ASSERT_EQ(og_read_structure_file_from(sample("piccola"), 0), 0);
  std::string target = at("missing_folder/scuola1.txt").string();
  EXPECT_EQ(og_write_structure_file_to(target), -1);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_EQ(+g_ui_structure.save_counter, 4u);
}

TEST_F(StructureFile, ServiceMemoProbe) {
  EXPECT_EQ(og_read_service_memo(sample("liceo")), 37u);
  EXPECT_EQ(og_read_service_memo(at("none").string()), 0u);
}

int g_description_writes = 0;
int g_description_reads = 0;

class SaveIfChanged : public StructureFile {
 protected:
  void SetUp() override {
    StructureFile::SetUp();
    old_dir_ = fs::current_path();
    fs::current_path(dir_);
    g_description_writes = g_description_reads = 0;
    og_set_description_hooks({[](int) { return ++g_description_reads, 0; },
                              [](int) { return ++g_description_writes, 0; }});
    ASSERT_EQ(og_read_structure_file_from(sample("liceo"), 0), 0);
  }
  void TearDown() override {
    og_set_unsaved_changes_prompt(nullptr);
    og_set_description_hooks({});
    fs::current_path(old_dir_);
    StructureFile::TearDown();
  }
  fs::path old_dir_;
};

TEST_F(SaveIfChanged, SaveAnswerWritesBoth) {
  og_set_unsaved_changes_prompt([] { return 1; });
  g_ui_structure.subjects[0].option_n = 1;
  EXPECT_EQ(og_save_if_changed(0), 0);
  EXPECT_EQ(g_description_writes, 1);
  EXPECT_TRUE(fs::exists(at("scuola1.txt")));
  EXPECT_EQ(og_save_if_changed(1), 0);
  ASSERT_EQ(og_read_structure_file_from(at("scuola1.txt").string(), 0), 0);
  EXPECT_EQ(+g_ui_structure.subjects[0].option_n, 1);
}

TEST_F(SaveIfChanged, DiscardAnswerRereads) {
  fs::copy_file(sample("liceo"), at("scuola1.txt"));
  og_set_unsaved_changes_prompt([] { return 2; });
  g_ui_structure.subjects[0].option_n = 1;
  EXPECT_EQ(og_save_if_changed(0), 0);
  EXPECT_EQ(g_description_reads, 1);
  EXPECT_EQ(+g_ui_structure.subjects[0].option_n, 0);
  EXPECT_EQ(og_save_if_changed(1), 0);
}

}  // namespace
