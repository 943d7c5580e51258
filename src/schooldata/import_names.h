// Rules shared by the imports from other programs (Orario Facile, Argo
// Darwin, spreadsheet text): names cleaned and looked up exactly, new
// subjects, teachers, labs and classes appended with their limit messages,
// class codes built from free-form class names ("IV B", "4_B", "4BT"), the
// study tracks and sections rebuilt from the class codes, and the lesson
// table the Orario Facile and Argo readers fill.
//
// Every append checks the model's capacity first and reports the limit in
// the user's text through `tell`; nothing is written past a table. Section
// and track letters are kept to 'A'-'Z' so that they index the section
// flags safely. User-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using ImportTell = std::function<void(const std::string&)>;

inline constexpr int kImportLimitReached = -1;
inline constexpr int kImportNoClass = -2;
inline constexpr std::size_t kImportedLessonLimit = 10000;  // the page's lesson table

// "Manca file di importazione [path]" in the user's language: the message
// of every import reader whose file is not there.
std::string og_import_missing_file_text(const std::string& path);
// "Troppe classi per il Professore <name>" and "Nome della classe [<two
// characters>] non ammissibile" in the user's language.
std::string og_import_too_many_posts_text(const char* teacher);
std::string og_import_bad_class_text(const std::string& name);

// Cleaned name within 20 characters; teachers get "ZZ " before a name that
// does not begin with a letter.
std::string og_import_subject_name(const std::string& raw);
std::string og_import_teacher_name(const std::string& raw);

// Index found or appended; kImportLimitReached after telling the limit.
int og_import_subject(const std::string& raw, const ImportTell& tell);
int og_import_teacher(const std::string& raw, const ImportTell& tell);
// The class of a free-form name; kImportNoClass when the name gives no year.
int og_import_class(const std::string& raw, const ImportTell& tell);
// The 3-character code (year, section, track letter or blank) of a class
// name; empty when it gives no class.
std::string og_import_class_code(const std::string& raw);

// Rebuilds the study tracks and section flags from the class codes; with
// first_takes_letter, a first track without a letter takes the letter of
// the class before the one that added a track. -1 after telling the limit.
int og_rebuild_tracks_from_classes(bool first_takes_letter, const ImportTell& tell);
// The track of a class by its track letter (0 when none matches).
int og_track_of_class(int class_index);
// Sets the school title when it has fewer than 4 characters.
void og_import_default_title(const char* title);

struct ImportedLesson {
  std::int32_t number = 0;
  std::int32_t teacher = -1;
  std::int32_t second_teacher = -1;
  std::int32_t class_index = -1;
  std::int32_t track = 0;
  std::int32_t subject = -1;
  std::uint8_t hours = 0;
  std::uint8_t configured = 0;
  std::uint8_t to_import = 0;
  std::uint8_t selected = 0;
};

struct ImportedLessons {
  std::vector<ImportedLesson> lessons;
  // Negative hours add one hour to the lesson of the same teachers, class
  // and subject (or store a lesson of 1 hour). A negative class or a full
  // table ignores the call.
  void Add(int teacher, int second_teacher, int class_index, int subject, int hours);
};

// The Orario Facile reader (tagged or compact ".ofd") and the Argo Darwin
// reader (".drw"): 0 read, -1 missing file or a limit, after `tell`.
int og_read_orario_facile(const std::string& path, ImportedLessons& out, const ImportTell& tell);
int og_read_argo_darwin(const std::string& path, ImportedLessons& out, const ImportTell& tell);
