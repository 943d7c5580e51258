// Small formatting routines shared by the fixed-width text report writers:
// clock times, a centred field, the split of a class code, the teacher label
// column and two alphabetical iterators over subject names.
//
// The text routines return pointers into static buffers of their own (rings
// of 8 for the two time formats), so a writer may use up to eight results of
// one routine in one formatted line and must copy a result it wants to keep
// past that. Everything is code page 1252 text; nothing here is reentrant
// (one report run at a time, on the engine thread).
//
// The report conventions that the writers follow and the conversions read
// back: cells closed by '|' (thin) or '#' (thick), rule lines of '-' or '=',
// a line beginning with '.' closing a frame without a border, a form feed at
// the start of a line beginning a page, and a title marker '!', '*', '@' or
// '^' with one digit (the HTML column span) at the start of title lines.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace kt {

inline constexpr int kCenterBufferWidth = 100;  // the widest centred field
inline constexpr int kSubjectCapacity = 400;    // engine subject records
inline constexpr int kNameField = 21;           // 20 characters and a zero

// True for a title or header line: a marker '!', '*', '@' or '^' and a digit.
bool is_report_title_line(const char* line);
// True when text[j] is a '-' or '=' that draws a rule: at the start of the
// line or beside another '-' or '='. A lone one inside text ("1A-inf",
// "Classe 1A - Aula") is a hyphen, which the RTF text form and the HTML form
// show as such.
bool is_rule_stroke(std::string_view text, std::size_t j);

}  // namespace kt

// "%d:%02d" of the minutes from midnight, "" for a negative value.
const char* or_format_minutes(int minutes);
// "%c:%d:%02d" with the tag first ('i'/'f', 'b'/'e'), "" for a negative value.
const char* or_format_tagged_minutes(int minutes, char tag);
// The text centred in a field of `width`: (width - length / 2) / 2 blanks
// before it, the rest of the width after it (a text longer than two thirds
// of the field comes back wider than the field); "Buffer Length ?" for a
// width outside 0..100.
const char* or_center_text(int width, const char* text);
// Year/section/rest of a class code: "IIIB" -> "III/B/ ", "2Binf" -> "2/B/inf".
const char* or_split_class_code(const char* code);
// Writes one 20-character label column "%-20.20s": mode 0 the display name,
// mode 1 the main subject, mode 2 the word for a laboratory (kinds 1 and 4)
// or conversation teacher (kind 2) in the language; else 20 blanks.
void or_write_teacher_label_column(std::FILE* out, int mode, const char* display_name,
                                   const char* main_subject, int teacher_kind, int language);
// Steps through the distinct main subject names of the teacher grid records
// in byte order: 0 and the name in or_teacher_grid_subject(), or -1 when no
// name follows (until restarted). Names from twenty 'z' on are not listed.
int or_next_teacher_grid_by_subject(int restart, const char* const* main_subjects, int count);
const char* or_teacher_grid_subject();

// Short names of the subjects (filled by the subject codes of the reports).
extern char g_subject_short_names[kt::kSubjectCapacity][kt::kNameField];
// Index of the next subject, among the first `subject_count`, in byte order of
// its non-empty short name, strictly after the last one returned; -1 at the
// end. Names that begin with a byte above 127 are not listed.
int or_next_subject_short_name(int restart, int subject_count);
