// "scuola1.txt" at the edges of what it may hold: every table full to its
// last place reads, one more is refused with its own message in the user's
// language; each other refusal (an unknown line, a subject without its
// type, a lab without its building) likewise. Labs of an older file read
// with their description, and a lab named twice keeps its place and takes
// the later description.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "desc_test_support.h"
#include "platform/cp1252.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

namespace fs = std::filesystem;

class StructureLimits : public PlainSchoolFolder<> {
 protected:
  void TearDown() override {
    g_language = 0;
    og_clear_structure();
    PlainSchoolFolder::TearDown();
  }
  // Reads `text` as the structure file; 0 or -2.
  int Read(const std::string& text) {
    std::string in = dir_ + "/scuola1.txt";
    spit(in, text);
    return og_read_structure_file_from(in, 0);
  }
  static std::string Line(const char* key, int count, const std::function<std::string(int)>& field) {
    std::string line = key;
    for (int i = 0; i < count; ++i) line += "|" + field(i);
    return line + "|\n";
  }
};

std::string class_code(int i) {
  // Years 1-9, sections A-Z, tracks A-B: 468 codes of three characters.
  std::string code = {char('1' + i / 52), char('A' + (i / 2) % 26), char('A' + i % 2)};
  return code;
}

TEST_F(StructureLimits, EachTableFullReadsAndOneMoreIsRefusedWithItsMessage) {
  const std::string tracks = "INDIRIZZI:|A-ABCDEFGHIJKLMNOPQRSTUVWXYZ|B-ABCDEFGHIJKLMNOPQRSTUVWXYZ|\n";
  struct Case {
    const char* id;
    std::string full, over;
    int language;
    const char* said;
  } cases[] = {
      {"tracks", Line("INDIRIZZI:", kUiMaxTracks, [](int i) { return std::string(1, char('A' + i)); }),
       Line("INDIRIZZI:", kUiMaxTracks + 1, [](int i) { return std::string(1, char('A' + i)); }), 0,
       "Numero indirizzi eccessivo"},
      {"classes", tracks + Line("CLASSI:", kUiMaxClasses, class_code),
       tracks + Line("CLASSI:", kUiMaxClasses + 1, class_code), 2, "Too many classes"},
      {"subjects", Line("MATERIE:", kUiMaxSubjects, [](int i) { return "MATERIA " + std::to_string(i) + "-N"; }),
       Line("MATERIE:", kUiMaxSubjects + 1, [](int i) { return "MATERIA " + std::to_string(i) + "-N"; }), 1,
       "Zu viele Fächer"_cp},
      {"labs", Line("LAB:", kUiMaxLabs, [](int i) { return "LAB" + std::to_string(i) + "-Centrale"; }),
       Line("LAB:", kUiMaxLabs + 1, [](int i) { return "LAB" + std::to_string(i) + "-Centrale"; }), 0,
       "Numero lab eccessivo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    g_language = std::uint8_t(c.language);
    og_clear_structure();
    ASSERT_EQ(Read("REM:piena\n" + c.full), 0) << og_structure_error();
    int count = std::string(c.id) == "tracks"     ? int(g_ui_structure.track_count)
                : std::string(c.id) == "classes"  ? int(g_ui_structure.class_count)
                : std::string(c.id) == "subjects" ? int(g_ui_structure.subject_count)
                                                  : int(g_ui_structure.lab_count);
    int limit = std::string(c.id) == "tracks"     ? kUiMaxTracks
                : std::string(c.id) == "classes"  ? kUiMaxClasses
                : std::string(c.id) == "subjects" ? kUiMaxSubjects
                                                  : kUiMaxLabs;
    EXPECT_EQ(count, limit);
    og_clear_structure();
    EXPECT_EQ(Read("REM:troppo\n" + c.over), -2);
    std::string said = og_structure_error();
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    EXPECT_EQ(+g_ui_structure.class_count, 0u) << "nothing of a refused file stays";
  }
}

TEST_F(StructureLimits, EveryRefusalSaysWhyInTheUsersLanguage) {
  const struct {
    const char* text;
    const char* said[3];
  } cases[] = {
      {"REM:x\nSCONOSCIUTA:|1|\n", {"Messaggio non riconosciuto (coge)", "Unbekannte Zeile", "Unknown line"}},
      {"REM:x\nsenza chiave\n", {"Messaggio non riconosciuto (coge)", "Unbekannte Zeile", "Unknown line"}},
      {"REM:x\nMATERIE:|ITALIANO|\n", {"Materie: tipologia errata", "Fächer: falsche Art"_cp, "Subjects: wrong type"}},
      {"REM:x\nMATERIE:|ITALIANO-|\n", {"Materie: tipologia errata", "Fächer: falsche Art"_cp, "Subjects: wrong type"}},
      {"REM:x\nLAB:|CHIMICA|\n", {"lab: sede indicata errata", "Labor: falscher Standort", "Lab: wrong building"}},
  };
  for (const auto& c : cases) {
    for (int language = 0; language < 3; ++language) {
      g_language = std::uint8_t(language);
      og_clear_structure();
      EXPECT_EQ(Read(c.text), -2) << c.text;
      std::string said = og_structure_error();
      EXPECT_NE(said.find(c.said[language]), std::string::npos) << language << ": " << said;
    }
  }
}

TEST_F(StructureLimits, LabsTakeTheirDescriptionAndKeepTheirPlace) {
  ASSERT_EQ(Read("REM:laboratori\nLAB:|CHIMICA-Sede centrale|FISICA-Succursale|\nLAB:|CHIMICA-Piano terra|\n"), 0)
      << og_structure_error();
  // The line is read in capitals, as every key and name of the file.
  auto upper = [](std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
  };
  ASSERT_EQ(+g_ui_structure.lab_count, 2u);
  EXPECT_STREQ(g_ui_structure.labs[0].name, "CHIMICA");
  EXPECT_EQ(upper(g_ui_structure.labs[0].description), "PIANO TERRA");
  EXPECT_EQ(+g_ui_structure.labs[0].hours[0], 255) << "a lab read here has no hours yet";
  EXPECT_STREQ(g_ui_structure.labs[1].name, "FISICA");
  EXPECT_EQ(upper(g_ui_structure.labs[1].description), "SUCCURSALE");
}

}  // namespace
