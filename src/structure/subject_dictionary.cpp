// The ministry list, the word pairs of the option guess and the in-use
// tests of the subject dictionary (see subject_dictionary.h). The list is
// read-only and searched linearly (108 entries, looked up on a click); the
// in-use test walks every post of every teacher, at most 500 x 40.
#include "structure/subject_dictionary.h"

#include <cstring>

#include "schooldata/ui_school_model.h"
#include "shell/ml_text.h"
#include "schooldata/model_utilities.h"

namespace {

constexpr bool C = true, _ = false;

struct WordPair {
  const char* first;
  const char* second;  // null: the first word alone
};

const WordPair kLateHourWords[] = {
    {"STORIA", "ARTE"}, {"ARTE", nullptr},     {"DISEGNO", nullptr},   {"ARTE", "DISEGNO"},
    {"MUSICA", nullptr}, {"TECNOLOGIA", nullptr}, {"SCIENZE", "MOTORIE"}, {"MOTORIA", nullptr},
    {"EDUCAZIONE", "FISICA"}, {"ED.", "FISICA"}, {"MENSA", nullptr},
};
const WordPair kNonTeachingWords[] = {{"MENSA", nullptr}};

template <std::size_t N>
bool holds_pair(const char* name, const WordPair (&pairs)[N]) {
  for (const WordPair& p : pairs)
    if (std::strstr(name, p.first) && (!p.second || std::strstr(name, p.second))) return true;
  return false;
}

char g_names[kMinistrySubjectCount][kUiNameSize];
bool g_names_ready = false;

void prepare_names() {
  if (g_names_ready) return;
  for (int i = 0; i < kMinistrySubjectCount; ++i) {
    std::strncpy(g_names[i], g_ministry_subjects[i].text, kUiNameSize - 1);
    g_names[i][kUiNameSize - 1] = '\0';
  }
  g_names_ready = true;
}

}  // namespace

const MinistrySubject g_ministry_subjects[kMinistrySubjectCount] = {
    {"A001 AEROTECNICA E C", _, _}, {"A002 ANAT FI OCULARE", _, C}, {"A003 DISEGNO ANIMATO", _, C},
    {"A004 TESSUTO MODA CO", _, C}, {"A005 ARTE VETRO", _, C},      {"A006 ARTE CERAMICA", _, C},
    {"A007 FOTOGRAFIA E GP", _, C}, {"A008 GRAFICA INCIS.", _, C},  {"A009 STA.REST.LIBRO", _, C},
    {"A010 METALLI OREFIC", _, C},  {"A011 ARTE MINERARIA", _, C},  {"A012 CHIMICA AGRARIA", _, _},
    {"A013 CHIMICA E TECNO", _, _}, {"A014 CIRCOL. AEREA", _, _},   {"A015 COSTR. NAVALI", _, _},
    {"A016 TECNOL.COSTRUZ.", _, _}, {"A017 DISC.ECONOMICHE", _, _}, {"A018 ARCHIT.ARREDO", _, C},
    {"A019 GIURIDICHE ECON", _, _}, {"A020 MECCANICHE TECN", _, _}, {"A021 DISC.PITTORICHE", _, C},
    {"A022 DISC. PLASTICHE", _, C}, {"A023 DISEGNO ODONTOT", _, C}, {"A024 DIS STORIA COST", _, C},
    {"A025 DIS STORIA ARTE", _, C}, {"A027 DIS TECNICO ART", _, C}, {"A028 EDUC. ARTISTICA", _, C},
    {"A029 ED.FISICA II GR", _, C}, {"A030 ED.FISICA MEDIA", _, C}, {"A031 ED.MUSICALE IIG", _, C},
    {"A032 ED.MUSICALE MED", _, C}, {"A033 ED.TECNICA  MED", _, C}, {"A034 ELETTRONICA", _, _},
    {"A035 ELETTROTECNICA", _, _},  {"A036 FILOSOFIA,PSICO", _, _}, {"A037 FILOSOFIA STOR", _, _},
    {"A038 FISICA", _, _},          {"A039 GEOGRAFIA", _, _},       {"A040 IGIENE,ANAT.FIS", _, _},
    {"A042 INFORMATICA", _, _},     {"A043 ITAL.STORIA,E.C", _, _}, {"A044 CINEMATOGR.E TV", _, C},
    {"A047 MATEMATICA", _, _},      {"A048 MATEMATICA APPL", _, _}, {"A049 MATEMATICA FISI", _, _},
    {"A050 LETTERE II GR.", _, _},  {"A051 LETTERE LICEI", _, _},   {"A052 LETTERE CLASSIC", _, _},
    {"A053 METEO AERONAUT", _, _},  {"A054 MINERAL GEOLOG", _, _},  {"A055 NAVIGAZ. AEREA", _, _},
    {"A056 NAVIG. ARTE NAV", _, _}, {"A057 SCIENZ ALIMENTI", _, _}, {"A058 SC.E MEC.AGR.", _, _},
    {"A059 SCIENZE I GR.", _, _},   {"A060 SCIENZE NATUR", _, _},   {"A061 STORIA ARTE", _, _},
    {"A062 TECNICA SUONO", _, C},   {"A063 TEC.CINEMA TV", _, C},   {"A064 PROD.CINEMA TV", _, C},
    {"A065 TECNICA FOTOGR", _, C},  {"A066 TECNO CERAMICA", _, C},  {"A067 TEC.FOTO CINEMA", _, C},
    {"A068 T.ABBIGLIAMENTO", _, C}, {"A069 T.GRAFICHE", _, C},      {"A070 TECNO TESSILI", _, C},
    {"A071 TECNO DISEGNO", _, C},   {"A072 TOPOGRAFIA COST", _, _}, {"A073 REL NON VEDENTI", _, C},
    {"A074 ZOOTECNICA P.A.", _, C}, {"A075 DATTILOG. STEN.", _, C}, {"A076 TRAT.TESTI", _, C},
    {"A245 LS FRANCESE", _, _},     {"A246 LCS FRANCESE", _, _},    {"A345 LS INGLESE", _, _},
    {"A346 LCS INGLESE", _, _},     {"A445 LS SPAGNOLO", _, _},     {"A446 LCS SPAGNOLO", _, _},
    {"A545 LS TEDESCO", _, _},      {"A546 LCS TEDESCO", _, _},     {"A645 LS RUSSO", _, _},
    {"A646 LCS RUSSO", _, _},       {"A745 LS ALBANESE", _, _},     {"A746 LCS ALBANESE", _, _},
    {"A846 LSANIERA SLOVENO", _, _}, {"A946 LCS SERBO-CROATO", _, _}, {"AA77 ARPA", _, C},
    {"AB77 CHITARRA", _, C},        {"AC77 CLARINETTO", _, C},      {"AD77 CORNO", _, C},
    {"AE77 FAGOTTO", _, C},         {"AF77 FISARMONICA", _, C},     {"AG77 FLAUTO", _, C},
    {"AH77 OBOE", _, C},            {"AI77 PERCUSSIONI", _, C},     {"AJ77 PIANOFORTE", _, C},
    {"AK77 SAXOFONO", _, C},        {"AL77 TROMBA", _, C},          {"AM77 VIOLINO", _, C},
    {"AN77 VIOLONCELLO", _, C},     {"C031 CONV. FRANCESE", C, _},  {"C032 CONV. INGLESE", C, _},
    {"C033 CONV. SPAGNOLO", C, _},  {"C034 CONV. TEDESCO", C, _},   {"C035 CONV. RUSSO", C, _},
    {"C036 CONV. ALBANESE", C, _},  {"C037 CONV. SLOVENO", C, _},   {"C038 CONV. SERBO-CR", C, _},
};

const char* ministry_subject_name(int i) {
  prepare_names();
  return i >= 0 && i < kMinistrySubjectCount ? g_names[i] : "";
}

int ministry_subject_find(const char* name) {
  prepare_names();
  for (int i = 0; i < kMinistrySubjectCount; ++i)
    if (std::strcmp(g_names[i], name) == 0) return i;
  return -1;
}

int ui_guess_subject_flags(int subject) {
  if (subject < 0 || subject >= og_subject_count()) return 0;
  UiSubject& s = g_ui_structure.subjects[subject];
  char name[kUiNameSize];
  std::memcpy(name, s.name, kUiNameSize);
  name[kUiNameSize - 1] = '\0';
  int set = 0;
  if (holds_pair(name, kLateHourWords)) {
    s.option_n = 1;
    set = 1;
  }
  if (holds_pair(name, kNonTeachingWords)) {
    s.option_m = 1;
    set = 1;
  }
  return set;
}

int ui_set_default_subject_flags(int subject) {
  if (ui_language() != 0) return 0;
  if (subject >= 0) return ui_guess_subject_flags(subject);
  for (int i = 0; i < og_subject_count(); ++i) ui_guess_subject_flags(i);
  g_ui_structure.status[6] = '1';
  return 1;
}

int subject_first_user(int subject, bool as_subject, bool as_conversation) {
  int teachers = g_ui_settings.teacher_count > std::uint32_t(kUiMaxTeachers) ? kUiMaxTeachers
                                                                              : int(g_ui_settings.teacher_count);
  for (int t = 0; t < teachers; ++t) {
    const UiTeacher& teacher = g_ui_teachers[t];
    int posts = teacher.post_count > std::uint32_t(kUiMaxPosts) ? kUiMaxPosts : int(teacher.post_count);
    for (int p = 0; p < posts; ++p) {
      const UiTeachingPost& post = teacher.posts[p];
      if ((as_subject && post.subject == subject) || (as_conversation && post.conversation_subject == subject))
        return t;
    }
  }
  return -1;
}

int subject_find(const char* name) {
  for (int i = 0; i < og_subject_count(); ++i) {
    const UiSubject& s = g_ui_structure.subjects[i];
    if (!s.hidden && std::strncmp(s.name, name, kUiNameSize - 1) == 0 && s.name[0] != '\0') return i;
  }
  return -1;
}
