// The description reader on small hand-written descriptions: edge cases of
// the keywords, and bad or hostile input, which must end the read with its
// message, leave no partial model and never write past a table.

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "desc_test_support.h"
#include "engine/text_lines.h"
#include "schooldata/description_writer.h"
#include "schooldata/ui_school_model.h"

namespace {

const char* kDays =
    "DAYS:\tLU5-Lunedi\tMA5-Martedi\tME5-Mercoledi\tGI5-Giovedi\tVE5-Venerdi\tSA0-Sabato\tDO0-Domenica\t\n";

class DescInput : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    og_clear_structure();
    og_snapshot_structure();
  }
  std::string path() const { return dir_ + "/scuola2.txt"; }
  int read(const std::string& text) {
    std::ofstream(path(), std::ios::binary) << text;
    return og_read_assignments_file_from(path(), 0);
  }
};

struct BadCase {
  const char* id;
  std::string text;
  const char* message;
};

// The refusal names the line of the file where the bad line begins: a
// scrambled line stored in two pieces takes two of the file's lines.
TEST_F(DescInput, TheRefusalNamesTheFilesLine) {
  std::vector<char> piece(64);
  auto scrambled = [&](std::uint8_t seed, const char* text) {
    or_scramble_line_seeded(seed, text, piece.data());
    return std::string(piece.data());
  };
  std::string text = "REM:Prova\n" + scrambled(3, "GM:ITAL") + scrambled(4, "IANO\t\n") + "ROSSI\t1A 2\t\n1A 6\t\n";
  EXPECT_EQ(read(text), -2);
  std::string message = og_description_error();
  EXPECT_NE(message.find("\nRiga 5: 1A 6 "), std::string::npos) << message;
  EXPECT_NE(message.find("File: " + path() + "\n"), std::string::npos) << message;
}

// A refused line ends the read by a throw out of the line loop; the file is
// closed all the same, so an officer who keeps retrying a broken school
// does not run the program out of descriptors.
TEST_F(DescInput, ARefusedReadClosesTheFile) {
  auto open_descriptors = [] {
    int count = 0;
    for (int fd = 0; fd < 1024; ++fd) count += fcntl(fd, F_GETFD) != -1 ? 1 : 0;
    return count;
  };
  int before = open_descriptors();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(read("REM:Prova\nROSSI\t1A 2\t\n"), -2);
  EXPECT_EQ(open_descriptors(), before);
}

TEST_F(DescInput, BadLinesGiveTheirMessage) {
  const std::string title = "REM:Prova\n";
  const BadCase cases[] = {
      {"before-gm", title + "ROSSI\t1A 2\t\n", "Messaggio non riconosciuto (catt)"},
      {"zero-hours", title + "GM:ITALIANO\t\nROSSI\t1A 0\t\n", "Numero ore in classe?"},
      {"too-many-hours", title + "GM:ITALIANO\t\nROSSI\t1A 85\t\n", "Numero ore in classe?"},
      {"lab-no-subject", title + "GM:LAB X\tLAB:SPECIFICO\t\nROSSI\t1A 1\t\n", "Materia non specificata"},
      {"lab-no-main", title + "GM:LAB X\tLAB:SPECIFICO\t\nROSSI\tSCIENZE\t1A 1\t\n",
       "Manca Prof. materia principale per laboratorio (o ore insufficienti)"},
      {"newer-release", title + "DATARELEASE:|9.9.Z|\n",
       "Aggiornare il Software con la release 9.9.Z o superiore"},
      {"maxbuday", title + "MAXBUDAY:\t5\t\n",
       "MAXBUDAY: valore 1 o 2 (se si ammette il giorno con 2 buche, per ricevimento)"},
      {"lab-no-building", title + "LABOR:|LAB X|\n", "lab: sede indicata errata"},
      {"gym-item", title + "LOC:PALESTRA\tFOO:1\t\n", "Locali comuni?"},
      {"kop-range", title + kDays + "GM:A\t\nROSSI\t1A 2 KOP:LU:5-2\t\n", "Errore di sintassi KOP:"},
      {"g-zero", title + "GM:A\t\nROSSI\t1A 2 G:20\t\n", "Mappa ore consecutive con '0' - non ha senso"},
      {"post-option", title + "GM:A\t\nROSSI\t1A 2 BOH:1\t\n",
       "Specificazione delle modalit\xE0 della cattedra?"},
      {"band-dash", title + "IHBUCHE:\t4\t\n", "Configurare fascia:fino a ore-quante ore fino a ore- ."},
      {"nocs", title + "SEDECL:\tA\t1A\tNOCS:B\t\n", "Errore sintassi NOCS"},
      {"day-hours", title + "DAYS:\tLU99-Lunedi\t\n", "Numero ore del giorno?"},
      // Day codes are two letters, one day each: every day-keyed item finds
      // its day by its code.
      {"day-code-digit", title + "DAYS:\tL15-Lunedi\t\n", "Configurazione giorni errata"},
      {"day-code-twice", title + "DAYS:\tLU5-Lunedi\tLU5-Martedi\t\n", "Configurazione giorni errata"},
      {"day-code-of-a-default", title + "DAYS:\tMA5-Lunedi\t\n", "Configurazione giorni errata"},
      {"short-day", title + kDays + "CORTO:\tXX\t\n", "Nome del giorno corto?"},
      {"dispo-field", title + "disposizione:\t0\tIHBUCHE:\t1-2\t\n",
       "DISPOSIZIONE: percentuale|DAY:fino a x per week-n per dai:ecc."},
      {"dispo-dash", title + "disposizione:\t0\tDISPODAY:\t3-1:6\t\n",
       "Configurare DISPOSIZIONE:ore max nel giorno in una classe-max per settimana.."},
      {"cal-colon", title + "CALESPE:G:1A\t\n", "Errore configurazione calendario speciale"},
      {"cal-range", title + kDays + "GINNASIO:\t1A\t\nCALESPE:G:1A:LU:3\t\n",
       "Errore configurazione calendario speciale"},
      {"skav-dash", title + "GINNASIO:\t1A\t\nSKAVB:P:1A:5:3\n", "Errore configurazione calendario speciale"},
      {"cladays-pair", title + kDays + "GINNASIO:\t1A\t\nCLADAYS:G:1A:LU:480:60:540-MA\n",
       "Errore configurazione calendario speciale"},
      {"cladays-long", title + kDays + "GINNASIO:\t1A\t\nCLADAYS:G:1A:LU" + [] {
         std::string pairs;
         for (int k = 0; k < 13; ++k) pairs += ":480:60";
         return pairs;
       }() + "-\n", "Errore configurazione calendario speciale"},
      {"sissi", title + "SISSI:IDX:A\tB\t\n", "Errore dati SISSI"},
      // Class codes start with their year, or the structure file would drop
      // the class at the next opening.
      {"sissi-class", title + "SISSI:IDC:@A\t1\t\n", "Errore dati SISSI"},
      {"joint-class", title + "GM:A\t\nROSSI\t1A 2 ARTYW:@A\t\n", "Specificazione delle modalit\xE0 della cattedra?"},
      {"blank-in-class", title + "GM:A\t\nROSSI\t3 22\t\n", "Codice classe errato"},
      {"joint-empty", title + "GM:A\t\nROSSI\t1A 2 ARTYW:\t\n", "Specificazione delle modalit\xE0 della cattedra?"},
  };
  for (const BadCase& c : cases) {
    EXPECT_EQ(read(c.text), -2) << c.id;
    EXPECT_EQ(std::string(og_description_error()).rfind(c.message, 0), 0u)
        << c.id << ": " << og_description_error();
    EXPECT_EQ(+g_ui_settings.teacher_count, 0u) << c.id;
    EXPECT_FALSE(og_school_changed()) << c.id;
  }
}

// A title is what the writer can give back: no field separator first.
TEST_F(DescInput, TitleSkipsLeadingSeparators) {
  const std::pair<const char*, const char*> cases[] = {
      {"REM:||Liceo|Sede\n", "Liceo"}, {"REM:\tLiceo\n", "Liceo"}, {"REM:|||\n", ""}, {"REM:Liceo Galilei\n", "Liceo Galilei"}};
  for (const auto& [text, title] : cases) {
    ASSERT_EQ(read(text), 0) << text;
    EXPECT_STREQ(g_ui_header.school_name, title) << text;
  }
}

TEST_F(DescInput, FortyFirstPostIsRefused) {
  std::string text = "REM:Prova\nGM:ITALIANO\t\nROSSI";
  for (int k = 0; k < 41; ++k) text += "\t" + std::to_string(1 + k % 9) + static_cast<char>('A' + k / 9) + " 1";
  EXPECT_EQ(read(text + "\t\n"), -2);
  EXPECT_EQ(std::string(og_description_error()).rfind("Raggiunto massimo classi per Professore", 0), 0u);
}

TEST_F(DescInput, OnlyCommentsGiveDefaults) {
  ASSERT_EQ(read("REM:Scuola prova\nREM:altro\n" + std::string(kDays)), 0) << og_description_error();
  EXPECT_STREQ(g_ui_header.school_name, "Scuola prova");
  EXPECT_STREQ(g_description_comment, "ALTRO");
  EXPECT_STREQ(g_ui_settings.buildings[0].name, "Centrale Sede Unica");
  EXPECT_EQ(+g_ui_header.hour_start_times[0], 480);
  EXPECT_EQ(+g_ui_header.hour_start_times[1], 540);
  EXPECT_EQ(+g_ui_header.hour_durations[4], 60);
  EXPECT_STREQ(g_ui_header.day_codes[6], "DO");
}

TEST_F(DescInput, LabPartnerBindsToPostWithEnoughHours) {
  std::string text = std::string("REM:Prova\n") +
                     "GM:SCIENZE\t\nROSSI\t1A 1\t\nBIANCHI\t1A 3\t\n" +
                     "GM:LAB X\tLAB:SPECIFICO\t\nVERDI\tSCIENZE\t1A 2\t\n";
  ASSERT_EQ(read(text), 0) << og_description_error();
  EXPECT_EQ(+g_ui_teachers[0].posts[0].partner, -1);
  EXPECT_EQ(+g_ui_teachers[1].posts[0].partner, 2);
  EXPECT_EQ(g_ui_teachers[1].posts[0].partner_part.hours, 2);
  EXPECT_EQ(+g_ui_teachers[2].main_subject, +g_ui_teachers[1].posts[0].subject);
}

TEST_F(DescInput, PausamensaWithOneNumber) {
  ASSERT_EQ(read("REM:Prova\nPAUSAMENSA:\t4\t\n"), 0);
  EXPECT_EQ(g_ui_settings.lunch_break[0], 3);
  EXPECT_EQ(g_ui_settings.lunch_break[1], 0);
}

TEST_F(DescInput, ConstraintLineAddsTeacherWithoutPosts) {
  ASSERT_EQ(read(std::string("REM:Prova\n") + kDays + "V:\tNERI\tGMAX:3\t\n"), 0) << og_description_error();
  EXPECT_EQ(+g_ui_settings.teacher_count, 1u);
  EXPECT_STREQ(g_ui_teachers[0].name, "NERI");
  EXPECT_EQ(g_ui_teachers[0].personal.gmax, 3);
}

TEST_F(DescInput, RotationListSetsValueOneAndUnsetsThePauses) {
  ASSERT_EQ(read("REM:Prova\nROTAZIAPAUSA:1-1-1-1\t\nROTAZIA:\t1A-X-2A\t\nROTAZIAPAUSA:2-3\t\n"), 0)
      << og_description_error();
  EXPECT_EQ(+g_ui_structure.class_count, 2u);
  EXPECT_EQ(g_ui_structure.classes[1].rotation, 1);
  EXPECT_EQ(g_ui_settings.rotation_in_use, 1);
  const std::uint8_t expected[4] = {2, 3, 255, 255};
  EXPECT_EQ(std::memcmp(g_ui_settings.rotation_breaks, expected, 4), 0);
}

TEST_F(DescInput, RandomBytesNeverCrash) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    std::string text = "REM:x\n";
    int length = 1 + static_cast<int>(random() % 400);
    for (int k = 0; k < length; ++k) text += static_cast<char>(random() % 256);
    int result = read(text);
    EXPECT_TRUE(result == 0 || result == -2) << round;
  }
}

TEST_F(DescInput, TruncatedSampleReadsOrFails) {
  std::string whole = slurp(desc_example("liceo", "scuola2.txt"));
  for (std::size_t cut : {std::size_t{10}, whole.size() / 3, whole.size() / 2 + 7, whole.size() - 5}) {
    og_clear_structure();
    int result = read(whole.substr(0, cut));
    EXPECT_TRUE(result == 0 || result == -2) << cut;
  }
}

TEST_F(DescInput, FailedWriteLeavesOldFile) {
  ASSERT_EQ(read("REM:Prova\n"), 0);
  EXPECT_EQ(og_write_assignments_file_to(dir_ + "/missing/scuola2.txt", 0), -1);
  EXPECT_NE(std::string(og_description_write_error()), "");
  std::string target = dir_ + "/old";
  ASSERT_EQ(mkdir(target.c_str(), 0700), 0);
  EXPECT_EQ(og_write_assignments_file_to(target, 0), -1);
  struct stat info {};
  EXPECT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

// General values written and read back: the second write equals the first.
TEST_F(DescInput, GeneralValuesRoundTrip) {
  std::string text = std::string("REM:Prova\n") + kDays +
                     "NOSALU:\t1\t\nBUDIME:\t2-3\t\nTOCOMI:\t4\t\nPAMEZ:\t5\t\nSPECIALEX:\t1-2\t\n"
                     "OREPROLU:\t7\t\nPEXDIY:3\t\nIHINSEGNAEXTRA:\t5-1-2:6-2-3\t\nPEXDIZ:\t3-4\t\n"
                     "IGGIORNI:\t1-2:3-4\t\n";
  ASSERT_EQ(read(text), 0) << og_description_error();
  EXPECT_EQ(g_ui_settings.budime2, 3);
  EXPECT_EQ(g_ui_settings.tocomi[0], 4);
  EXPECT_EQ(g_ui_settings.pamez[1], 5);
  EXPECT_EQ(g_ui_settings.ihinsegnaextra.count, 2);
  EXPECT_EQ(g_ui_settings.ihinsegnaextra.triples[1][2], 3);
  EXPECT_EQ(g_ui_settings.pexdiz.triples[0][1], 4);
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/a.txt", 0), 0);
  ASSERT_EQ(og_read_assignments_file_from(dir_ + "/a.txt", 0), 0) << og_description_error();
  EXPECT_EQ(g_ui_settings.nosalu, 49);
  EXPECT_EQ(g_ui_header.special_values[1], 2);
  EXPECT_EQ(g_ui_header.extended_hours, 7);
  EXPECT_EQ(g_ui_settings.pexdiy, 3);
  EXPECT_EQ(g_ui_settings.iggiorni.count, 2);
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/b.txt", 0), 0);
  EXPECT_EQ(slurp(dir_ + "/a.txt"), slurp(dir_ + "/b.txt"));
}

}  // namespace
