// What the engine uses of the report writers: the whole report set of a run,
// the residual-errors log of the output folder, the text-report converters
// and the building choice of a class.
#pragma once

// Writes the whole report set of a run into g_output_folder.
void or_write_all_reports(int kind, int publish);
// Null closes the residual-errors file; a text is echoed and, while the
// report mode word is negative, appended to "Errori Residui.txt" (by language).
// A line or a close that fails is a file error of the command on its own
// thread (elsewhere the file is just closed).
void or_log_residual_error(const char* text);
// Closes the residual-errors file without a word: the error paths of a
// command, whose files are thrown away anyway.
void or_drop_residual_log();
void or_convert_report_to_rtf(const char* path, int a, int b, int c);
void or_convert_report_to_html(const char* path, int a, int b);
void or_set_class_main_building(int class_index, int teacher);

// While set, or_log_residual_error writes nothing (the computation window sets it).
extern unsigned char g_residual_log_suppressed;
// Set by the classroom allocation once it has given the lessons their rooms:
// the next report run names the allocated rooms and writes the allocation
// reports, then clears it.
extern unsigned char g_room_report_flag;
// The processing menu's report settings: 1 while "Word 2000" is ticked (RTF
// in the box-drawn text form, shorter pages of the global tables), and the
// blank paragraphs between RTF tables (negative: none).
extern unsigned char g_rtf_text_form_option;
extern signed char g_table_blank_paragraphs;
