// The description loader's limits and syntax errors: each row is the lines
// after the five-day week, the result of "SYNT:" and the text inside the
// message's configuration-error frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loader_harness.h"
#include "platform/cp1252.h"

namespace {

using loader_test::kWeek;
using loader_test::numbered;
using loader_test::repeat;
using loader_test::run_synt;

struct Row {
  const char* id;
  std::string text;  // the lines after the week ("" fields: see full)
  int code;
  std::string message;  // text inside the frame's first brackets; "" for 0
  bool full = false;    // text is the whole description
};

std::string days(const std::string& fields) { return "REM:Scuola\nDAYS:\t" + fields + "\n"; }

const std::string kMath = "GM:MATEMATICA\t\nROSSI\t1A 4\t2A 3\t\n";

// The week has 30 hours: a class short of them gets a calendar pseudo-teacher
// and a teacher or class over them stops the load, so rows at a limit spread
// their lessons to at most 30 per teacher and fill classes to exactly 30.
constexpr int kWeekHours = 30;

std::string code2(int c) { return std::to_string(c % 10) + static_cast<char>('A' + c / 10); }

// n classes of one lesson, spread over `teachers` teachers (enough for 30
// hours each when 0); `extra` goes on the first teacher's line.
std::string many_classes(int n, const std::string& extra = "", int teachers = 0) {
  if (teachers == 0) teachers = (n + kWeekHours - 1) / kWeekHours;
  std::vector<std::string> lines(teachers);
  for (int t = 0; t < teachers; ++t) lines[t] = "T" + std::to_string(t) + (t == 0 ? extra : "");
  for (int i = 0; i < n; ++i)
    lines[i % teachers] += "\t" + std::to_string(i % 10) + static_cast<char>('A' + (i / 10) % 26) +
                           static_cast<char>('A' + i / 260) + " 1";
  std::string out = "CLNAMES:\t3\t\nGM:MAT\t\n";
  for (const std::string& line : lines) out += line + "\t\n";
  return out;
}

// Teachers T0..T(n-1) of one or two hours filling classes 0A, 1A ... to the
// week; the first `taken` hours of 0A belong to other lines.
std::string many_teachers(int n, int taken = 0) {
  std::vector<std::string> lines(n);
  for (int i = 0; i < n; ++i) lines[i] = "T" + std::to_string(i);
  for (int k = taken; k < n + taken || k % kWeekHours != 0; ++k)
    lines[(k - taken) % n] += "\t" + code2(k / kWeekHours) + " 1";
  std::string out = "GM:MAT\t\n";
  for (const std::string& line : lines) out += line + "\t\n";
  return out;
}

// n subjects of one or two hours filling classes 0A, 1A ... to the week, one
// teacher to a class.
std::string subjects(int n) {
  int slots = (n + kWeekHours - 1) / kWeekHours * kWeekHours;
  std::string out;
  for (int s = 0; s < n; ++s) {
    out += "GM:S" + std::to_string(s) + "\t\n";
    for (int k = s; k < slots; k += n) out += "T" + std::to_string(k / kWeekHours) + "\t" + code2(k / kWeekHours) + " 1\t\n";
  }
  return out;
}

std::string labs(int n) { return numbered(n, [](auto i) { return "LABOR:\tLAB" + i + "-CENTRO\t\n"; }); }

// A chemistry teacher who also runs the lab part: the load adds "VERDI_LAB".
// Two hours of class 0A.
const std::string kSelfLab =
    "GM:CHIMICA\t\nVERDI\t0A 2\t\nGM:LAB CHIMICA\tLAB:SPECIFICO\t\nVERDI\tCHIMICA\t0A 1\t\n";

std::string buildings(int n) { return numbered(n, [](auto i) { return "SEDECL:\tSEDE" + i + "\t" + i + "A\t\n"; }) + kMath; }

std::string sections(int n) {
  std::string list;
  for (int i = 0; i < n; ++i) list += std::string(i ? "-" : "") + static_cast<char>('A' + i);
  return "SEDE:\tCENTRO\t" + list + "\t\n" + kMath;
}

// n lessons in a week of 83 hours, the most a lesson list holds: one teacher
// to a class, each class full but the last.
std::string lessons(int n) {
  std::string out = days("LU12\tMA12\tME12\tGI12\tVE12\tSA12\tDO11") + "GM:MAT\t\n";
  for (int c = 0; c * 83 < n; ++c) {
    int hours = n - c * 83 < 83 ? n - c * 83 : 83;
    out += "T" + std::to_string(c) + "\t" + code2(c) + " " + std::to_string(hours) + "\t\n";
  }
  return out;
}

// Stand-by hours with one stand-by pseudo-class per teacher.
const std::string kStandby = "DISPOSIZIONE:\t-1\tDISPODAY:\t2-6\t\n";

// n classes whose one lesson is held together with the one of class 9Z.
std::string joined_classes(int n) {
  return "GM:MAT\t\nROSSI\t9Z 1" + numbered(n, [](auto i) { return "\t" + i + "A 1 I:9Z"; }) + "\t\n";
}

std::string common_rooms(int n) {
  return kMath + numbered(n, [](auto i) { return "LOC:PAL" + i + "\tGM:S" + i + "\tMAT:S\tPRMAX:2\t\n"; });
}

const Row kRows[] = {
    {"ok_minimal", kMath, 0, ""},
    {"days_hours_13", days("LU13\tMA6\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, -2, "Ore del Giorno", true},
    {"days_hours_12", days("LU12\tMA6\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, 0, "", true},
    {"days_hours_letter", days("LUX\tMA6\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, -2, "Ore del Giorno", true},
    {"days_name_digit", days("1U6\tMA6\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, -2, "Nomi Giorni", true},
    {"days_six_fields", days("LU6\tMA6\tME6\tGI6\tVE6\tSA0") + kMath, -2, "GIORNI ", true},
    {"days_gap", days("LU6\tMA0\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, -2, "Non giorni vuoti in mezzo", true},
    {"days_13_pairs", days("LU6-LUNEDI" + repeat(":480:60", 13) + "\tMA6\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, -2,
     "Ore del Giorno", true},
    {"days_12_pairs", days("LU6-LUNEDI" + repeat(":480:60", 12) + "\tMA6\tME6\tGI6\tVE6\tSA0\tDO0") + kMath, 0, "",
     true},
    {"no_days_line", "REM:x\n" + kMath, -2, "GIORNI ", true},
    {"daysprns_8", "DAYSPRNS:5-5-5-5-5-0-0-5\t0\t0\t\n" + kMath, -2, "DAYSPRNS: massimo 7 valori"},
    {"daysprns_7", "DAYSPRNS:5-5-5-5-5-0-0\t0\t0\t\n" + kMath, 0, ""},
    {"daysprns_13h", "DAYSPRNS:13-5-5-5-5-0-0\t0\t0\t\n" + kMath, -2, "Ore del Giorno"},
    {"maxbuday_3", "MAXBUDAY:\t3-0\t\n" + kMath, -2,
     "MAXBUDAY: valore 1 o 2 o 9  (se si ammette il giorno con 2 buche, per ricevimento)"},
    {"clnames_1", "CLNAMES:\t1\t\n" + kMath, -2, "Lunghezza Nomi delle Classi 2..9 "},
    {"corto_unknown_day", "CORTO:\tXY\t\n" + kMath, -2, "Nome del giorno corto?"},
    {"band_no_dash", "IHBUCHE:\t12\t\n" + kMath, -2, "Configurare DHPROF:fino a ore-quante ore fino a ore- .."},
    {"band_gruppi_no_dash", "GRUPPIOREMAX:\t3\t\n" + kMath, -2,
     "Configurare GRUPPIOREMAX:ore max nel giorno in una classe-max per settimana..."},
    {"triple_no_third", "IHINSEGNAEXTRA:\t18-5\t\n" + kMath, -2,
     "Configurare IHINSEGNAEXTRA:oltre ore-quante ore-quante volte max:oltre ore- .."},
    {"presenza_no_third", "IHPRESENZAEXTRA:\t18-5\t\n" + kMath, -2,
     "Configurare IHPRESENZAAEXTRA:oltre ore-quante ore-quante volte max:oltre ore- .."},
    {"disposizione_no_day", "DISPOSIZIONE:\t0\tXX\t\n" + kMath, -2,
     "DISPOSIZIONE: percentuale|DAY:fino a x per week-n per dai:ecc."},
    {"disposizione_no_dash", "DISPOSIZIONE:\t0\tDISPODAY:\t3\t\n" + kMath, -2,
     "Configurare DISPOSIZIONE:ore max nel giorno in una classe-max per settimana..."},
    {"sede_26_sections", sections(26), 0, ""},
    {"sede_27_sections", sections(27), -2, "Numero eccessivo SEZIONI "},
    {"sede_no_sections", "SEDE:\tCENTRO\t\n" + kMath, -2, "Configurare SEDE: NOMESEDE  sezione-sezione-..."},
    {"sede_with_sedecl", "SEDECL:\tCENTRO\t1A\t\nSEDE:\tCENTRO\tA\t\n" + kMath, -2,
     "Non configurare assieme SEDE: e SEDECL:"},
    {"buildings_10", buildings(10), 0, ""}, {"buildings_11", buildings(11), -2, "Numero eccessivo SEDI "},
    {"nocs_no_dash", "SEDECL:\tA\t1A\tNOCS:B\t\n" + kMath, -2, "Errore sintassi NOCS "},
    {"nocs_unknown", "SEDECL:\tA\t1A\tNOCS:B-2\t\n" + kMath, -2, "Sede NOCS B non esiste"},
    {"teacher_before_gm", "ROSSI\t1A 4\t\n" + kMath, -2, " Manca definizione gruppo materie gm:"},
    {"class_item_no_blank", "GM:MAT\t\nROSSI\t1A4\t\n", -2, "Numero di ore ?? "},
    {"class_item_short", "GM:MAT\t\nROSSI\t1\t\n", -2, "Numero di ore ?? "},
    {"item_unknown", "GM:MAT\t\nROSSI\t1A 2\tFOO\t\n", -2, "Cattedre classi ore??"},
    {"option_unknown", "GM:MAT\t\nROSSI\t1A 2 FOO:1\t\n", -2, "Cattedre classi ore??"},
    // A capital line that is no key is a teacher line, colon or not.
    {"keyword_unknown", "PIPPO:\t3\t\n" + kMath, -2, " Manca definizione gruppo materie gm:"},
    {"reserved_subject_group", "GM:ZZYBASAX\t\nROSSI\t1A 30\t\n", -2, "Vietato usare il nome di materia"},
    {"reserved_subject_specific", "GM:MAT\t\nROSSI\tZZYBASAX\t1A 30\t\n", -2, "Vietato usare il nome di materia"},
    // A main lesson that took a laboratory part takes no conversation part.
    {"merge_taken_main", "GM:MAT\t\nROSSI\t1A 30\t\nGM:LAB MAT\tLAB:SPECIFICO\t\nNERI\tMAT\t1A 30\t\n"
                         "GM:CONV\tCON:SPECIFICO\t\nBLU\tMAT\t1A 1\t\n", -2, "Manca materia principale per lab/con CONV MAT"},
    {"sede_empty_name", "SEDE:\t\tA\t\n" + kMath, -2, "Configurare SEDE: NOMESEDE  sezione-sezione-..."},
    {"line_lower_start", "#commento\n" + kMath, -2, "Messaggio non riconosciuto"},
    {"inse_no_dash", "GM:MAT\t\nROSSI\t1A 2\tINSE:3\t\n", -2,
     "Configurare INSE:max ore giorno-quante volte:max ore giorno..."},
    {"inse_10_pairs", "GM:MAT\t\nROSSI\t1A 2\tINSE:" + repeat("1-1:", 9) + "1-1\t\n", -2, "INSE: troppi elementi"},
    {"inse_9_pairs", "GM:MAT\t\nROSSI\t1A 2\tINSE:" + repeat("1-1:", 8) + "1-1\t\n", 0, ""},
    {"map_zero", "GM:MAT\t\nROSSI\t1A 4 G:20\t\n", -2, "Mappa ore consecutive con '0' - non ha senso"},
    {"map_321_on_5", "GM:MAT\t\nROSSI\t1A 5 G:321\t\n", -2, "Mappa ore consecutive errata"},
    {"map_321_on_6", "GM:MAT\t\nROSSI\t1A 6 G:321\t\n", 0, ""},
    // A lab part's map counts the lab part's own hours.
    {"lab_map_3_on_2", "GM:CHIMICA\t\nBIANCHI\t1A 5\t\nGM:LABCHIM\tLAB:SPECIFICO\t\nVERDI\tCHIMICA\t1A 2 G:3\t\n", -2,
     "Mappa ore consecutive CONVERSAZIONE o LABORATORIO  errata"},
    {"lab_map_2_on_2", "GM:CHIMICA\t\nBIANCHI\t1A 5\t\nGM:LABCHIM\tLAB:SPECIFICO\t\nVERDI\tCHIMICA\t1A 2 G:2\t\n", 0, ""},
    {"pmgy_zero", "GM:MAT\t\nROSSI\t1A 2 PMGY:0\t\n", -2, "PMGY:1..9"},
    {"pmgy_lt", "GM:MAT\t\nROSSI\t1A 2 PMGY:<\t\n", 0, ""}, {"pmgy_12", "GM:MAT\t\nROSSI\t1A 2 PMGY:12\t\n", 0, ""},
    {"pmgy_13", "GM:MAT\t\nROSSI\t1A 2 PMGY:13\t\n", -2, "PMGY:1..9"},
    {"task_ok", "GM:MAT\t\nROSSI\t1A 2 K:0:1-2 J:4:3-6\t\n", 0, ""},
    {"task_hour_13", "GM:MAT\t\nROSSI\t1A 2 K:0:3-13\t\n", -2, "Errore di sintassi COMPITI"},
    {"task_hour_0", "GM:MAT\t\nROSSI\t1A 2 K:0:0-2\t\n", -2, "Errore di sintassi COMPITI"},
    // The first number is the test block's length, up to a whole day of hours.
    {"task_length_7", "GM:MAT\t\nROSSI\t1A 8 K:7:1-8\t\n", 0, ""},
    {"task_length_12", "GM:MAT\t\nROSSI\t1A 12 J:12:1-12\t\n", 0, ""},
    {"task_length_13", "GM:MAT\t\nROSSI\t1A 2 K:13:1-2\t\n", -2, "Errore di sintassi COMPITI"},
    {"task_reversed", "GM:MAT\t\nROSSI\t1A 2 K:1:4-2\t\n", -2, "Errore di sintassi COMPITI"},
    {"task_20", "GM:MAT\t\nROSSI\t1A 2" + repeat(" K:1:1-2", 20) + "\t\n", 0, ""},
    {"task_21", "GM:MAT\t\nROSSI\t1A 2" + repeat(" K:1:1-2", 21) + "\t\n", -2, "Numero compiti eccessivo"},
    {"kop_days", "GM:MAT\t\nROSSI\t1A 2 KOP:LU:1-2MA:3-6\t2A 1 KOP:X:2-3\t\n", 0, ""},
    {"kop_hour_0", "GM:MAT\t\nROSSI\t1A 2 KOP:LU:0-2\t\n", -2, "Errore di sintassi KOP:"},
    {"kop_hour_13", "GM:MAT\t\nROSSI\t1A 2 KOP:VE:2-13\t\n", -2, "Errore di sintassi KOP:"},
    {"kop_no_day", "GM:MAT\t\nROSSI\t1A 2 KOP:1-2\t\n", -2, "Errore di sintassi KOP:"},
    {"kop_840", "GM:MAT\t\nROSSI\t1A 2 KOP:" + repeat("LU:1-1", 840) + "\t\n", 0, ""},
    {"kop_841", "GM:MAT\t\nROSSI\t1A 2 KOP:" + repeat("LU:1-1", 841) + "\t\n", -2, "Numero clapoff eccessivo"},
    {"day_without_colon", "GM:MAT\t\nROSSI\t1A 2 KOP:LU1-2\t\n", -2, "Nome del giorno non seguito da ':'"},
    {"mnig_unknown", "GM:MAT\t\nROSSI\t1A 2 MNIG:STORIA:\t\n", -2,
     "Materia incompatibile nella giornata non conosciuta"},
    {"mnig_known", "GM:STORIA\t\nBIANCHI\t1A 2\t\nGM:MAT\t\nROSSI\t1A 2 MNIG:STORIA:\t\n", 0, ""},
    {"pausamateria_unknown", kMath + "PAUSAMATERIA:\tFISICA-1\t\n", -2, "PAUSA per MATERIA, materia non esistente"},
    {"pausamateria_no_dash", kMath + "PAUSAMATERIA:\tMATEMATICA\t\n", -2, "PAUSA per MATERIA, materia non esistente"},
    {"pausamateria_ok", kMath + "PAUSAMATERIA:\tMATEM-1\t\n", 0, ""},
    {"lab_without_main", "GM:LABCHIM\tLAB:SPECIFICO\t\nVERDI\tCHIMICA\t1A 2\t\nGM:CHIMICA\t\nBIANCHI\t2A 3\t\n", -2,
     "Manca materia principale per lab/con LABCHIM CHIMICA"},
    {"lab_without_front", "GM:LABCHIM\tLAB:SPECIFICO\t\nVERDI\tCHIMICA\t1A 2\t\n", -2,
     "Manca materia frontale per lab/con"},
    {"joint_unbound", "GM:MAT\t\nROSSI\t1A 2 I:2A\t\n", -2, "Classi Configurate Insieme non legate dalla stessa materia"},
    {"joint_9_classes", joined_classes(9), 0, ""},
    {"joint_10_classes", joined_classes(10), -2, "Troppe Classi insieme A "},
    {"classes_300", many_classes(300), 0, ""}, {"classes_301", many_classes(301), -2, "Numero di classi eccessivo"},
    {"standby_class_300", kStandby + many_classes(299, "\tTED:+2"), 0, ""},
    {"standby_class_301", kStandby + many_classes(300, "\tTED:+2"), -2, "Numero di classi eccessivo"},
    // Each of the 300 classes short of the week adds a calendar teacher.
    {"calendar_teachers_500", many_classes(300, "", 200), 0, ""},
    {"calendar_teachers_501", many_classes(300, "", 201), -2, "Numero Professori eccessivo"},
    {"teachers_500", many_teachers(500), 0, ""},
    {"teachers_501", many_teachers(501), -2, "Numero Professori eccessivo"},
    {"lab_assistant_501", many_teachers(499, 2) + kSelfLab, -2, "Numero Professori eccessivo"},
    {"lab_assistant_500", many_teachers(498, 2) + kSelfLab, 0, ""}, {"lessons_9960", lessons(9960), 0, "", true},
    // The loader takes 9999 lessons; the calendar lessons of the last class
    // then reach the table's end.
    {"lessons_9999", lessons(9999), -1, "Troppe cattedre / ore][0]\n[..\\Orario\\OR_EDI", true},
    {"lessons_10000", lessons(10000), -1, "Troppe cattedre / ore][0]\n[..\\Orario\\OR_LOAD", true},
    {"subjects_400", subjects(400), 0, ""}, {"subjects_401", subjects(401), -1, "Troppe Materie"},
    {"rooms_400", many_classes(300) + labs(100), 0, ""},
    {"rooms_401", many_classes(300) + labs(101), -2, "Numero lab/classi eccessivo"},
    {"standby_room_400", kStandby + many_classes(299, "\tTED:+2") + labs(100), 0, ""},
    {"standby_room_401", kStandby + many_classes(299, "\tTED:+2") + labs(101), -2, "Numero di stanze eccessivo"},
    {"common_rooms_40", common_rooms(40), 0, ""}, {"common_rooms_41", common_rooms(41), -2, "Troppi Locali Comuni"},
    {"loc_prmax_100", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:MATEMATICA\tPRMAX:100\t\n", -2,
     "Presenti ammessi per locale comune Min=1 MAX=99"},
    {"loc_prmin_100", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:MATEMATICA\tPRMAX:2\tPRMIN:100\t\n", -2,
     "Presenti necessari per locale comune Min=0 MAX=99"},
    {"loc_no_mat", kMath + "LOC:PAL\tGM:MATEMATICA\tPRMAX:2\t\n", -2, "Errore Sintassi per locali comuni"},
    {"loc_bad_option", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:X\tPRMAX:2\tFOO:1\t\n", -2,
     "Errore Sintassi per locali comuni"},
    {"loc_ox_83", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:X\tPRMAX:2\tOX:" + std::string(83, '1') + "\t\n", -2,
     "OX: servono 84 cifre (7 giorni x 12 ore)"},
    {"loc_ox_84", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:X\tPRMAX:2\tOX:" + std::string(84, '1') + "\t\n", 0, ""},
    {"loc_coppie_11", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:X\tPRMAX:2\tCOPPIE:" + repeat("1-N:", 10) + "2-3\t\n", -2,
     "Troppe Coppie"},
    {"loc_or_hour_13", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:X\tPRMAX:2\tOR:LU:1-13\t\n", -2,
     "Configurare OR:da-a .."},
    {"loc_sede_unknown", kMath + "LOC:PAL\tGM:MATEMATICA\tMAT:X\tPRMAX:2\tSEDE:NORD\t\n", -2,
     "LOCale assegnato a SEDE non esistente"},
    {"loc_twice", kMath + "LOC:A\tGM:MATEMATICA\tMAT:X\tPRMAX:2\t\nLOC:B\tGM:MATEMATICA\tMAT:X\tPRMAX:2\t\n", -2,
     "(B) 1A Materia MATEMATICA già associata a locale comune A"},
    {"labor_no_dash", kMath + "LABOR:\tLAB1\tOR:LU:1-3\t\n", -2, "lab: sede indicata errata"},
    {"labor_hour_0", kMath + "LABOR:\tLAB1-CENTRO\tOR:LU:0-3\t\n", -2, "Configurare OR:da-a .."},
    {"labor_reversed", kMath + "LABOR:\tLAB1-CENTRO\tOR:LU:3-2\t\n", -2, "Configurare OR:da-a .."},
    {"labor_or_no_dash", kMath + "LABOR:\tLAB1-CENTRO\tOR:LU:2\t\n", -2, "Configurare OR:da-a .."},
    {"labor_letter", kMath + "LABOR:\tLAB1-CENTRO\tOR:LU:x-2\t\n", -2, "Configurare OR:da-a .."},
    {"labor_class_room", kMath + "LABOR:\t1A-CENTRO\t\n", -2, "SW stanza / lab"},
    {"calespe_13", kMath + "CALESPE:G:1A:LU:1-13\t\n", -2, "Errore configurazione calendario speciale"},
    {"calespe_no_colon", kMath + "CALESPE:G:1A\t\n", -2, "Errore configurazione calendario speciale"},
    {"cladays_13_pairs", kMath + "CLADAYS:G:1A:LU" + repeat(":480:60", 13) + "-\n", -2,
     "Errore configurazione classi con ore di durata fuori standard"},
    {"sissi_bad", kMath + "SISSI:XYZ:1\t\n", -2, "Errore dati SISSI"},
    {"v_unknown_teacher", kMath + "V:\tNERI\tLI:LU:\t\n", -2, "Vincoli-Professore ?:"},
    {"v_no_name", kMath + "V:\n", -2, "Vincoli-Professore ?:"},
    {"v_unknown_item", kMath + "V:\tROSSI\tPIPPO:3\t\n", -2, "Sintassi Vincoli"},
    {"v_or_hour_0", kMath + "V:\tROSSI\tOR:MA:0-2\t\n", -2, "Configurare OR:da-a .."},
    {"v_op_hour_13", kMath + "V:\tROSSI\tOP:LU:3-13\t\n", -2, "Configurare OP:da-a .."},
    {"v_op_no_dash", kMath + "V:\tROSSI\tOP:LU:3\t\n", -2, "Configurare OP:da-a .."},
    {"v_or_after_op", kMath + "V:\tROSSI\tOP:LU:1-2\tOR:MA:1-2\t\n", -2,
     "Vietato configurare ore proibite E ore richieste"},
    {"v_op_after_or", kMath + "V:\tROSSI\tOR:LU:1-2\tOP:MA:1-2\t\n", -2,
     "Vietato configurare ore proibite E ore richieste"},
    {"v_pmin_2_5", kMath + "V:\tROSSI\tPMIN:2-5\t\n", 0, ""},
    {"v_pmin_2_6", kMath + "V:\tROSSI\tPMIN:2-6\t\n", -2, "Giorni minimi con prima ora"},
    {"v_pmax_2_5", kMath + "V:\tROSSI\tPMAX:2-5\t\n", -2, "Giorni massimi con prima ora"},
    {"v_pmin_no_dash", kMath + "V:\tROSSI\tPMIN:2\t\n", -2, "Configurazione fasce errata "},
    {"v_umin_0", kMath + "V:\tROSSI\tUMIN:1-0\t\n", -2, "Giorni minimi con ultima ora"},
    {"v_fmax_5", kMath + "V:\tROSSI\tFMAX:1-2-5\t\n", -2, "Giorni massimi con prima ora"},
    {"v_gmin_6", kMath + "V:\tROSSI\tGMIN:6\t\n", -2, "Giorni minimi Totali"},
    {"v_gmax_0", kMath + "V:\tROSSI\tGMAX:0\t\n", -2, "Giorni Massimi Totali"},
    {"v_insegna_13", kMath + "V:\tROSSI\tINSEGNA:13\t\n", -2, "Deroga Ore insegnamento MASSIME giornaliere"},
    {"v_insegnamin_0", kMath + "V:\tROSSI\tINSEGNAMIN:0\t\n", -2, "Deroga Ore insegnamento MINIME giornaliere"},
    {"v_presenza_13", kMath + "V:\tROSSI\tPRESENZA:13\t\n", -2, "Deroga Ore presenza     giornaliere"},
    {"v_gl_no_dash", kMath + "V:\tROSSI\tGL:3\t\n", -2, "Configurare GL:quante ore massime - quanti giorni leggeri"},
    {"v_gx_no_dash", kMath + "V:\tROSSI\tGX:3\t\n", -2,
     "Configurare GX:quante ultime ore vuole - quanti giorni delle ultime ore"},
    {"v_nomotor_7", kMath + "V:\tROSSI\tNOMOTOR:7\t\n", -2, "NOMOTOR: 1=non può trasferirsi se non ha un'ora buca  2=non può trasferirsi mai  3=si trasferisce senza "
     "buca (1 volta al giorno)  4=vuole 2 buche  1x=Niente pausa se trasf all'ora x"},
    {"v_li_garbage", kMath + "V:\tROSSI\tLI:LU:XX\t\n", -2, "Sintassi Giorni Liberi ???"},
    {"v_carshare_no_colon", kMath + "V:\tROSSI\tCARSHARE:BIANCHI\t\n", -2,
     "Configurare CARSHARE:nome compagno:massima attesa (0..2)"},
    {"v_enterexit_no_dash", kMath + "V:\tROSSI\tENTEREXIT:3\t\n", -2,
     "Configurare ENTEREXIT:fino a ore-quanti rientri in classe ore fino a ore- .."},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.id; }

class LoaderLimits : public ::testing::TestWithParam<Row> {};

TEST_P(LoaderLimits, ResultAndMessage) {
  const Row& row = GetParam();
  std::string text = row.full ? row.text : std::string(kWeek) + row.text;
  loader_test::Outcome outcome = run_synt(text);
  EXPECT_EQ(outcome.code, row.code) << outcome.message;
  if (row.code == -2) {
    std::string expected = "(0) Errore di configurazione [" + kt::utf8_to_cp1252(row.message) + "]";
    EXPECT_EQ(outcome.message.rfind(expected, 0), 0u) << outcome.message;
  } else if (row.code == -1) {
    EXPECT_NE(outcome.message.find(row.message), std::string::npos) << outcome.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, LoaderLimits, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.id); });

TEST(LoaderMessages, ConfigurationErrorNamesTheLine) {
  loader_test::Outcome outcome = run_synt(std::string(kWeek) + "CORTO:\tXY\t\n" + kMath);
  EXPECT_NE(outcome.message.find("- [CORTO:|XY|"), std::string::npos) << outcome.message;
}

TEST(LoaderMessages, UnknownTeacherIsSkippedInProvisionalMode) {
  std::string text = std::string(kWeek) + kMath + "V:\tNERI\tLI:LU:\t\n";
  EXPECT_EQ(run_synt(text, 0, 1).code, 0);
}

}  // namespace
