// Shared pieces of the description reader's units: the reading state, the
// error thrown on bad input, and the readers of labs, gyms, lab groups,
// subject headers and teaching lines. Internal to the reader.
//
// Invariants: a reader piece either stores a checked value or throws; the
// state's subject is -1, a subject index or kSpecificSubject.
// Workload: one description of a few thousand lines per read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kSpecificSubject = 800;

struct ReaderState {
  int comments = 0;
  int subject = -1;  // kSpecificSubject: the lines name their subject
  int lab = -1;
  int conversation = -1;
  int teacher = -1;
  int line_subject = -1;  // subject of the class items of the current line
  // The current line normalised as the line itself but with its letters as
  // written: the school's day names keep their case.
  std::string as_written;
  std::vector<int> constraint_order;  // the teachers of the "V:" lines, in order
};

// Puts the teachers in the order of their "V:" lines, which the writer
// writes in the model's order: a lab or conversation partner named on an
// earlier teacher's line would otherwise move before the teachers written
// between them. Every teacher index of the model follows.
void desc_order_teachers(const std::vector<int>& constraint_order);

// Orders the classes the description added after the structure's first
// ones (from first): those the structure file will carry keep their order,
// which it then records; the others, which only the description names, go
// last in the order of their codes, so where they are first named does not
// move them on reopen. Every class index of the posts follows.
void desc_order_added_classes(int first);

struct ReadError {
  std::string text;
  bool at_line = false;  // the reason of the line being read: the reader names the line
};

// Throws ReadError with the text of the user's language, for the line
// being read (the reader's message names the file, the line's number and
// the line as the file holds it).
[[noreturn]] void desc_fail(const std::string& it, const std::string& de, const std::string& en,
                            const std::string& line);
// The '-' that ends the number starting at `from` of a band entry ("a-b"):
// a '-' there before a digit is the number's sign, as the writer puts
// "-85-0" for -85 and 0.
std::size_t desc_number_end(const std::string& entry, std::size_t from);
// The number at text as atoi reads it; one outside low..high (which its
// field could not hold) refuses the line.
int desc_fitting(const char* text, long low, long high, const std::string& line);
std::int8_t desc_byte(const char* text, const std::string& line);
// Copies at most size - 1 bytes and a terminator.
void desc_copy(char* out, const std::string& text, std::size_t size);
// The class index of a code (found or added); throws when the table is full.
int desc_class(const std::string& code, bool add, const std::string& line);
int desc_subject(const std::string& name, char type, const std::string& line);

// `written`: the fields with their letters as the file has them; the
// building text after the lab's name keeps them.
void desc_read_lab(const std::vector<std::string>& fields, const std::vector<std::string>& written,
                   const std::string& line);
void desc_read_gym(const std::vector<std::string>& fields, const std::string& line);
void desc_read_lab_group(const std::vector<std::string>& fields, const std::string& line);
// Sets the week mask cells from "LU:1-5MA:2-3..."; false on a bad range.
bool desc_read_week_ranges(unsigned char* mask, const char* text);

void desc_read_subject_line(const std::vector<std::string>& fields, ReaderState& state,
                            const std::string& line);
// first_is_name: the fields start with the teacher's name (else they
// continue the last teaching line).
void desc_read_teaching(const std::string* first_is_name, const std::vector<std::string>& fields,
                        ReaderState& state, const std::string& line);
void desc_complete_teachers();
// Forgets what a failed read kept aside.
void desc_reset_teaching();
// School-level lines of provisional hours, short days, stand-by bands,
// class lists, rotations and "TEKNO:"; false when the line is none of them.
bool desc_read_school_extra(const std::string& line, const std::string& rest);
// Class calendar lines and SISSI identifiers; false when the line is neither.
bool desc_read_class_line(const std::string& line);
// Calendar lines read before their class was known are read again at the
// end of the file; a new read forgets those of the last one.
void desc_read_waiting_class_lines();
void desc_forget_waiting_class_lines();
// Classes whose calendar block holds no hour times take the header's.
void desc_complete_class_times();
// The main subject a teacher has without a "KLK:" item: the subject of its
// first post, else that of the last post naming it as partner; -1 none.
int desc_inferred_main_subject(int teacher);
