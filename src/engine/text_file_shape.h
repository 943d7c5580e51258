// The shapes of a text file that no line reader of the program can use: an
// empty file, one saved as UTF-8 with a byte-order mark or as UTF-16 by an
// editor, one whose lines end in a carriage return alone. The engine checks
// its description for them before reading, and the user interface's school
// file reader uses the same texts, so both say the same thing about one file.
//
// The check reads only the file's first block: these shapes show at its
// start (a lone carriage return in the first 64 KB is taken for the file's
// line end), and a description is read several times anyway.
#pragma once

#include <cstdio>

enum class TextFileShape { kUsable, kEmpty, kUtf8Mark, kUtf16, kLoneCr };

// Looks at the first bytes of a stream opened for reading and rewinds it.
// A read error is kUsable here: the line reader that follows reports it.
TextFileShape or_text_file_shape(std::FILE* stream);
// The message of a shape in the language (0 Italian, 1 German, 2 English)
// with "%s" where the file name goes; null for kUsable. Code page 1252.
const char* or_text_file_shape_text(TextFileShape shape, int language);

// A file every writer ends line by line that holds a line end but does not
// end with one was cut off while it was written or copied: its last line
// may have lost what it held ("GMAX:1" for "GMAX:12"). Answers the number
// of that last line, 0 when the file ends its last line (or is a single
// line, as a new school's title is written) or could not be read whole
// (the line reader that follows reports that). Rewinds the stream.
long or_cut_last_line(std::FILE* stream);
// The message for such a line in the language, with "%ld" where its number
// goes. Code page 1252.
const char* or_cut_last_line_text(int language);
