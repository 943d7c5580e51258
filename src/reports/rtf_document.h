// Pieces shared by the two RTF forms of a text report: the document start,
// the page set-up, the footer date, escaping of report text, and the
// enlarged halves of wide reports ("Tabelle Ingrandite").
//
// Report text goes into RTF with '\', '{' and '}' escaped, so a report that
// holds them still gives a document that opens; other bytes are code page
// 1252 and stand as they are under \ansicpg1252.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

class ReportOutput;

inline constexpr int kRtfLandscapeWidth = 15706;  // twips of table on A4 landscape
inline constexpr int kRtfPortraitWidth = 10773;   // twips of table on A4 portrait
inline constexpr int kRtfPaperLong = 16840;       // A4 in twips
inline constexpr int kRtfPaperShort = 11907;
inline constexpr double kRtfTopMargin = 907.2;
inline constexpr double kRtfTextFormMargin = 680.4;  // left and right margins of the text form
inline constexpr const char* kRtfCredit = "KestrinTempus - orario scolastico";

std::string rtf_escape(std::string_view text);

// "{\rtf1...{\fonttbl...}}\n" with the font; the colour table when asked;
// the page line with the paper and margins, and the same page for the
// document's one section (word processors that read the page from the
// section then open it in the orientation asked); "\viewkind4\uc1\pard\f0\fs%d "
// and "\viewscale100 ".
void rtf_write_document_start(ReportOutput& out, const char* font, bool colour_table, bool landscape,
                              double side_margin, int half_points);
// How many table rows of the font size fit on the page's body (below the
// margins and the header and footer), at a generous height per row.
int rtf_rows_per_page(bool landscape, int half_points);
// The font size of the text form in half-points: twice `points`, lowered
// (to 7 at the least) until the longest line of the report, with the frame's
// left edge, fits between the margins in Courier New.
int rtf_text_form_half_points(const std::vector<std::string>& lines, bool landscape, int points);

// " (%2d %s %4d %02d:%02d) " of the time with the month of the language.
std::string rtf_footer_date(const std::tm& t, int language);
// The provisional-mode words of the page header, or "".
const char* rtf_provisional_text();

// The column at which a wide report is split in two, or -1 when no line
// offers a separator between half and eight tenths of the longest line so far.
int rtf_halves_split_column(const std::vector<std::string>& lines);
// Writes "<folder>Tabelle Ingrandite\<stem>_A_SINISTRA.txt" and
// "..._B_DESTRA.txt" and converts them (portrait, no halves): by the text
// form when `from_table_form`, else by or_convert_report_to_rtf. Nothing
// happens without a split column or when a half cannot be created.
void rtf_write_halves(const std::string& path, const std::vector<std::string>& lines, int points,
                      bool from_table_form);
// The body of the text form: one paragraph per report line, the table
// characters drawn as box-drawing characters.
std::string rtf_text_form_body(const std::vector<std::string>& lines);
// The two halves of one line at split column c (exposed for tests).
void rtf_split_line(const std::string& line, int c, std::string& left, std::string& right);

}  // namespace kt
