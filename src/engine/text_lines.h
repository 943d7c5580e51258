// Text lines, fields and the line scrambler: the one file-open operation, the
// line reader that takes plain and scrambled lines alike, the scrambling line
// writers, and the field operations that cut a description line into fields.
//
// A scrambled line is lower-case hex: a seed byte, each clear byte plus a
// running offset, three check bytes, a line feed. A line whose checks fail,
// or shorter than 9 characters, is plain text; so hand-written files read
// normally. Texts are code page 1252 bytes.
//
// The reader never writes past the caller's buffer of n bytes: a logical
// line longer than n - 2 characters is cut and the rest of its physical line
// skipped; zero bytes read as blanks. Readers accept "\r\n" like "\n".
//
// Workload: a description is a few thousand lines of up to a few hundred
// characters; save files up to 10000 lines.
#pragma once

#include <cstdint>
#include <cstdio>

inline constexpr int kLineLimit = 12168;  // longest line the file copies read

// The scrambler's six key bytes, fixed once for every writer and reader.
extern const std::uint8_t kScrambleKey[6];

// Opens a file by its Windows-style name (see platform/paths.h) with the C
// library's mode texts ("rt", "wt", "at" ...). A stream opened by the thread
// that runs an engine command belongs to the engine: the error paths close
// it. Close every stream from or_fopen with or_fclose (errors.h).
std::FILE* or_fopen(const char* name, const char* mode);

// Mode 0 scrambles in into out (2 x length + 10 bytes); mode 1 unscrambles
// (out holds length + 1 bytes): 0 when the checks agree, 1 when in is taken
// as plain text and copied unchanged.
int or_scramble_line(int mode, const char* in, char* out);
// Mode 0 with a given seed byte.
void or_scramble_line_seeded(std::uint8_t seed, const char* in, char* out);
// Seed bytes of the line writers: the school files, save files and reception
// file share one generator, the status file has its own; both are seeded from
// the clock on first use and never touch the solver's generator.
std::uint8_t or_next_line_seed();
std::uint8_t or_next_status_seed();
int or_parse_hex(int n, const char* text);
// Reads one logical line into buffer, which holds n bytes: at most n - 2
// characters and a terminator, so or_normalize_line has room for the one
// character it inserts. A longer line is cut and the rest of it skipped.
// "\r\n" reads as "\n". Returns buffer, or null at the end of the file.
// A read error is never taken for the end of the file: during an engine
// command it is a file error naming the file; elsewhere the result is null
// and the caller sees the error through ferror (or errno for the seam below).
char* or_read_line(char* buffer, int n, std::FILE* stream);
// True when the last or_read_line of this thread cut its line to the limit.
bool or_last_line_was_cut();
// How many physical lines of the file the last or_read_line of this thread
// read (a scrambled line may be stored in pieces), so a reader can name the
// line of the file where a logical line began.
int or_last_line_pieces();
// The byte source of the line reader: the next byte of the stream, EOF at its
// end, or kLineReadError when the read failed (errno tells why). Tests put a
// failing source in its place to see a read error taken as one.
inline constexpr int kLineReadError = -2;
using LineByteSource = int (*)(std::FILE* stream);
extern LineByteSource g_line_byte_source;
// Flushes and closes a stream the caller wrote through or_fopen: 0 when every
// byte reached the file, else the errno of the first failure seen (EIO when
// the C library kept none). The stream is closed either way.
int or_fclose_written(std::FILE* stream);
// The name a stream was opened with through or_fopen, empty when unknown.
const char* or_stream_name(std::FILE* stream);
// Records the name of a stream the engine opened by other means than
// or_fopen, for the message of a read error.
void or_name_stream(std::FILE* stream, const char* name);
// Why a write failed, in the language (0 Italian, 1 German, 2 English) for the
// reason bracket of a file error: a full disk, missing rights, a read-only
// disk, a failing disk, else that the file was not written whole. Never empty.
const char* or_write_failure_reason(int error, int language);
// True for the failures of the disk itself (full, read-only, failing), where
// a hint such as "close the document in use" would mislead.
bool or_is_disk_failure(int error);
// The reason bracket of an output file that could not be created: why, where
// the system tells it (the disk, missing rights), else the hint that another
// program may hold the file open. The hint alone would send the user of a
// read-only school folder to look for a document in use.
const char* or_create_failure_reason(int error, int language);
// The hint of a report or log file that could not be created, in the
// language: another program (a word processor) may hold it open.
const char* or_close_document_hint(int language);
// The reason bracket of a read error: the file was not read whole.
const char* or_read_failure_reason(int language);
// Reads one physical line of a plain file (nothing unscrambled) through the
// line reader's byte source into buffer (n bytes): "\r\n" reads as "\n".
// Returns the length, -1 at the end of the file, kLineTooLong for a line of
// more than n - 2 bytes (its rest skipped). A read error is handled as in
// or_read_line (a file error during an engine command, else kLineReadError).
inline constexpr long kLineTooLong = -3;
long or_read_plain_line(char* buffer, int n, std::FILE* stream);
// Work buffers hold 2 x length + 10 bytes.
int or_write_scrambled_line(std::FILE* stream, const char* text, char* work);
int or_write_status_line(std::FILE* stream, const char* text, char* work);
// Whole-file copies line by line, scrambled or plain; true when the target
// was replaced, false (the target as it was) when the source cannot be
// opened or read to its end or the target cannot be written whole.
bool or_scramble_file(const char* source, const char* target);
bool or_unscramble_file(const char* source, int replace, const char* target);
// 0 success; errno when the source cannot be opened; -1 when the target
// cannot be created, a block is not written whole, or reading fails.
int or_copy_file(const char* source, const char* target);

// Description-line operations; a field is the text between two '|'.
void or_normalize_line(char* line, int upper);
// Whether a normalised description line that is no keyword line is one the
// user interface's reader takes as a teacher's: it starts with a capital
// letter and its first field holds no ':'. (The loader takes any capital
// line; the reader keeps a colon out of names so that no misspelt key
// becomes a teacher when the school is edited.)
bool or_is_teacher_line(const char* line);
char* or_next_field(char* line, char separator);
char* or_find_range_dash(char* field);
char* or_find_sub_separator(char* field);
// The same for a field the caller only reads (as strchr has both forms).
inline const char* or_find_range_dash(const char* field) { return or_find_range_dash(const_cast<char*>(field)); }
inline const char* or_find_sub_separator(const char* field) {
  return or_find_sub_separator(const_cast<char*>(field));
}
char* or_copy_field(char* out, char* field, int n);
char* or_copy_token(char* out, char* text, int n);
char* or_copy_to_char(char* out, const char* text, char stop);
char* or_copy_to_char_n(char* out, const char* text, char stop, int n);
char* or_copy_to_char_max(char* out, const char* text, char stop, int n);
char* or_copy_to_either_n(char* out, const char* text, char stop1, char stop2, int n);
void or_replace_blanks(char* text, char replacement, char stop);

int or_is_letter(unsigned char c);
int or_is_alnum(unsigned char c);
unsigned char or_fold_upper_char(unsigned char c);
unsigned char or_fold_name_char(unsigned char c);
void or_capitalize_words(char* text);
void or_title_case(char* out, const char* in);
void or_copy_title_case_to_char(char* out, const char* in, char stop);
void or_copy_title_case_to_char_n(char* out, const char* in, char stop, int n);
int or_normalize_class_name(char* out, const char* in);
const char* or_read_school_header(const char* folder, char* line3a, char* line3b, char* line4,
                                  char* release, const char* file);
