// The description reader's text items: the subject, building and lab-group
// names inside a post's options, a teacher's substitute subject, the
// tracks' short names and a long day name, each cut where its separator or
// width says, and written back as they were read; the pair stamp's line.

#include <cstring>
#include <string>

#include "desc_test_support.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace {

const char kStructure[] =
    "REM:Scuola Voci\n"
    "STATUSINFO:0000001000|\n"
    "INDIRIZZI:|LICEO-a|TECNICO-a|\n"
    "CLASSI:|1AL|1AT|\n"
    "MATERIE:|ITALIANO-N|MATEMATICA-N|\n";

const char kDescription[] =
    "REM:Scuola Voci\n"
    "REM:C:\\ORARIO\\VOCI\n"
    "REM:X|Y|\n"
    "REM:Z|\n"
    "DAYS:\tLU5-Luned\xEC\tMA5-Marted\xEC\tME5-Mercoled\xEC\tGI5-Gioved\xEC\t"
    "VE5-UnVenerdiDalNomeMoltoLungo:500:50\tSA0-Sabato\tDO0-Domenica\t\n"
    "INDISIGLE:\tL-LICEO:T-TE:X-XYZ\t\n"
    "SEDECL:\tCENTRALE\t1AL\t\n"
    "SEDECL:\tNORD\t1AT\t\n"
    "LABOR:\tLABFIS-CENTRALE\t\n"
    "GRULLAB:GRUPPOFIS|LABFIS|\n"
    "GM:ITALIANO\t\n"
    "ROSSI\t1AL 4 MNIG:EDUCAZIONECIVICAEAMBIENTE: GRUL:MATEMATICA: SPLY:NORD-2: GLB:GRUPPOFIS-\t"
    "KLK:STORIADELLARTEEDELLAMUSICA\t\n"
    "BIANCHI\t1AT 3 SPLX:CENTRALE:\t\n"
    "GM:MATEMATICA\t\n"
    "VERDI\t1AT 2\t\n";

int subject_named(const char* name) {
  for (std::uint32_t s = 0; s < g_ui_structure.subject_count; ++s)
    if (std::strcmp(g_ui_structure.subjects[s].name, name) == 0) return int(s);
  return -1;
}

class DescPostItems : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    spit(dir_ + "/scuola1.txt", kStructure);
    spit(dir_ + "/scuola2.txt", kDescription);
    ASSERT_EQ(og_read_structure_file_from(dir_ + "/scuola1.txt", 0), 0);
    ASSERT_EQ(og_read_assignments_file_from(dir_ + "/scuola2.txt", 0), 0) << og_description_error();
  }
};

TEST_F(DescPostItems, NamesAreCutAtTheirSeparatorsAndWidths) {
  const UiTeacher& rossi = g_ui_teachers[0];
  ASSERT_STREQ(rossi.name, "ROSSI");
  ASSERT_EQ(+rossi.post_count, 1u);
  const UiTeachingPost& post = rossi.posts[0];
  // Subjects named by options run to their ':' and keep every character
  // for the lookup; the model keeps the first 20.
  int excluded = post.own.excluded_day_subject;
  ASSERT_GE(excluded, 0);
  EXPECT_STREQ(g_ui_structure.subjects[excluded].name, "EDUCAZIONECIVICAEAMB");
  EXPECT_EQ(+post.own.subgroup_subject, subject_named("MATEMATICA"));
  // A building runs to '-' in "SPLY:", to ':' in "SPLX:".
  EXPECT_EQ(+post.own.building_move, 1);
  EXPECT_EQ(+post.own.building_move_option, 2u);
  EXPECT_EQ(+g_ui_teachers[1].posts[0].own.building_move, 0);
  EXPECT_EQ(+g_ui_teachers[1].posts[0].own.building_move_option, 0u);
  EXPECT_EQ(+post.lab_group, 0);
  // The substitute subject: 20 characters of the field.
  ASSERT_GE(+rossi.main_subject, 0);
  EXPECT_STREQ(g_ui_structure.subjects[rossi.main_subject].name, "STORIADELLARTEEDELLA");
  // Short names: up to ':' and at most 3 characters; a letter no track has
  // names nothing.
  EXPECT_STREQ(g_ui_structure.track_short_names[0], "LIC");
  EXPECT_STREQ(g_ui_structure.track_short_names[1], "TE");
  // A day name: as written, up to its ':' and at most 20 characters; the
  // hour times follow the ':'.
  EXPECT_STREQ(g_ui_header.day_names[0], "Luned\xEC");
  EXPECT_STREQ(g_ui_header.day_names[4], "UnVenerdiDalNomeMolt");
  EXPECT_EQ(+g_ui_header.hour_start_times[4 * 12], 500);
  EXPECT_EQ(+g_ui_header.hour_durations[4 * 12], 50);
}

// (A subject no post teaches is left out by the writer: MATEMATICA is
// taught, the long subject is not.)
TEST_F(DescPostItems, ItemsAreWrittenBackAsRead) {
  ASSERT_EQ(og_write_assignments_file_to(dir_ + "/out.txt", 0), 0) << og_description_write_error();
  std::string written = slurp(dir_ + "/out.txt");
  for (const char* item : {" GRUL:MATEMATICA:", " SPLY:NORD-2:", " SPLX:CENTRALE:", " GLB:GRUPPOFIS-",
                           "KLK:STORIADELLARTEEDELLA", "INDISIGLE:\tL-LIC:T-TE\t"})
    EXPECT_NE(written.find(item), std::string::npos) << item << "\n" << written;
}

// The pair stamp both school files carry: its key in any case, the stamp
// kept in capitals, only letters and digits, at most its size.
TEST(PairStampLine, KeyInAnyCaseAndTheStampInCapitals) {
  struct Case {
    const char* line;
    bool read;
    const char* stamp;
  } cases[] = {
      {"REM:KTPAIR:AB12", true, "AB12"},
      {"rem:ktpair:ab12", true, "AB12"},
      {"Rem:KtPair:a-b \xE4" "1", true, "AB1"},
      {"REM:KTPAI", false, ""},
      {"REM:KTPAIX:AB12", false, ""},
      {"REM:\xE4TPAIR:AB12", false, ""},
  };
  for (const Case& c : cases) {
    std::string stamp = "unchanged";
    EXPECT_EQ(og_read_pair_stamp(c.line, &stamp), c.read) << c.line;
    if (c.read) {
      EXPECT_EQ(stamp, c.stamp) << c.line;
    }
  }
}

}  // namespace
