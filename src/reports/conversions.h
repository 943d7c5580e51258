// The conversions of a finished fixed-width text report into the forms that
// people open: RTF for word processors (a fitted table in Verdana, or the
// report's own layout in Courier New with box-drawing characters), one HTML
// page in the "HTML\" folder beside the report, and a semicolon-separated
// file for spreadsheets. Report writers call them on the file they have just
// closed; the services they use are those of report_services.h.
//
// Paths are the program's 1252 Windows-style paths. Failures go through the
// plugged file-error reporter and do not return. None of them converts
// anything in a test run (run modes 13 and 14), and an empty report gives no
// output. Outputs replace older ones only when complete.
#pragma once

// Writes the report's ".rtf": the table form, or the text form while the
// "Word 2000" option is set. `points` is the font size (8, 10 or 16);
// `landscape` chooses the paper; `halves` also writes the enlarged halves of
// a wide report into "Tabelle Ingrandite" beside it.
void or_convert_report_to_rtf(const char* path, int points, int landscape, int halves);
// The same, always in the box-drawn text form.
void or_convert_report_to_rtf_text(const char* path, int points, int landscape, int halves);
// Writes "HTML\<stem>.html" beside the report. Option bit 0: tables 982
// pixels wide; bit 1: a blank at the start of a line becomes '.'.
void or_convert_report_to_html(const char* path, int options);
// Writes "<stem>.csv" from a ".txt" report (rule lines dropped) or a ".txu"
// report (rule lines kept as blank-led lines), then deletes the report.
void or_convert_report_to_csv(const char* path);
