// The RTF text form: box-drawing characters chosen from the characters above
// and below each rule character, the frame state along the lines, page
// breaks; and the enlarged halves of wide reports.
#include <string>
#include <vector>

#include "reports/conversions.h"
#include "reports/report_test_support.h"
#include "reports/rtf_document.h"

namespace {

using kt_test::ReportFolder;
namespace fs = std::filesystem;

// Turns readable box characters into the RTF the text form writes.
std::string rtf(const std::string& drawn) {
  static const std::pair<const char*, const char*> glyphs[] = {
      {"┌", "\\u9484\\'2b"}, {"├", "\\u9500\\'2b"}, {"└", "\\u9492\\'2b"}, {"│", "\\u9474\\'a6"},
      {"║", "\\u9553\\'a6"}, {"─", "\\u9472\\'2d"}, {"┬", "\\u9516\\'2d"}, {"┼", "\\u9532\\'2b"},
      {"┴", "\\u9524\\'2d"}, {"┐", "\\u9488\\'2b"}, {"┤", "\\u9508\\'a6"}, {"┘", "\\u9496\\'2b"},
      {"╥", "\\u9573\\'2b"}, {"╫", "\\u9579\\'2d"}, {"╨", "\\u9576\\'2d"}, {"╖", "\\u9558\\'2b"},
      {"╢", "\\u9570\\'a6"}, {"╜", "\\u9564\\'2b"}, {"¶", "\\par \n"}, {"§", "\\page "},
  };
  std::string out;
  for (std::size_t i = 0; i < drawn.size();) {
    bool matched = false;
    for (const auto& [glyph, code] : glyphs) {
      std::size_t n = std::char_traits<char>::length(glyph);
      if (drawn.compare(i, n, glyph) == 0) {
        out += code;
        i += n;
        matched = true;
        break;
      }
    }
    if (!matched) out += drawn[i++];
  }
  return out;
}

TEST(RtfTextForm, BoxDrawing) {
  struct Case { const char* id; std::vector<std::string> lines; const char* drawn; } cases[] = {
      {"columns", {"---------\n", "| a | b |\n", "---------\n", "| c | d |\n", "---------\n"},
       "┌───┬───┐¶│ a │ b │¶├───┼───┤¶│ c │ d │¶└───┴───┘¶"},
      {"thick", {"---------\n", "| a # b #\n", "=========\n", "| c # d #\n", "---------\n"},
       "┌───╥───╖¶│ a ║ b ║¶├───╫───╢¶│ c ║ d ║¶├───╨───╜¶"},  // only a thin line above closes a frame
      {"after_close", {"-----\n", "| a |\n", "-----\n", "text\n", "-----\n", "| b |\n", "-----\n"},
       "┌───┐¶│ a │¶└───┘¶ text¶┌───┐¶│ b │¶└───┘¶"},
      {"title", {"*2 Titolo |\n"}, "   Titolo │¶"},
      {"hyphen", {"-----------\n", "| 1A-inf  |\n", "-----------\n"}, "┌─────────┐¶│ 1A-inf  │¶└─────────┘¶"},
      {"page", {"-----\n", "| a |\n", "-----\n", "\f-----\n", "| b |\n", "-----\n"},
       "┌───┐¶│ a │¶└───┘¶§┌───┐¶│ b │¶└───┘¶"},
      {"page_line", {"| a |\n", "\f\n", "| b |\n"}, "  a │¶§┌ b │¶"},
      {"page_at_end", {"| a |\n", "\f\n"}, "  a │¶"},
      {"short_neighbours", {"---------\n", "| a |\n", "---------\n"}, "┌───┬─── ¶│ a │¶└───┴─── ¶"},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::rtf_text_form_body(c.lines), rtf(c.drawn)) << c.id;
}

TEST(RtfHalves, SplitColumn) {
  struct Case { const char* id; std::vector<std::string> lines; int column; } cases[] = {
      // longest 20: a separator from 10 up to 15
      {"middle", {"aaaaaaaaaaaa|bbbbbb|\n"}, 12},
      {"first_in_range", {"aaaaaaaaaa|b|cccccc|\n"}, 10},
      {"too_far", {"aaaaaaaaaaaaaaaaa|b|\n"}, -1},
      {"later_line", {"aaaaaaaaaaaaaaaaaaaa\n", "xxxxxxxxxxxxxx|yyyyy\n"}, 14},
      {"none", {"no separators at all\n"}, -1},
      {"empty", {}, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(kt::rtf_halves_split_column(c.lines), c.column) << c.id;
}

TEST(RtfHalves, LineSplit) {
  struct Case { const char* id; const char* line; const char* left; const char* right; } cases[] = {
      {"plain", "abc|def|\n", "abc|\n", "|def|\n"},
      {"page", "\fabc|def|\n", "\fabc|\n", "\f|def|\n"},
      {"short", "ab\n", "ab\n", "\n"},
      {"blank", "\n", "\n", "\n"},
      {"short_page", "\f\n", "\f\n", "\f\n"},
      {"no_newline", "abc|de", "abc|\n", "|de\n"},
  };
  for (const Case& c : cases) {
    std::string l, r;
    kt::rtf_split_line(c.line, 3, l, r);
    EXPECT_EQ(l, c.left) << c.id;
    EXPECT_EQ(r, c.right) << c.id;
  }
}

class RtfHalvesFiles : public ReportFolder {};

TEST_F(RtfHalvesFiles, SkippedWithoutASplitColumn) {
  put("narrow.txt", "| aaaaaaaaaaa |\n| b |\n");  // no separator from 7 up to 11
  or_convert_report_to_rtf(report_path("narrow.txt").c_str(), 10, 0, 1);
  EXPECT_TRUE(has("narrow.rtf"));
  EXPECT_FALSE(has("Tabelle Ingrandite"));
}

TEST_F(RtfHalvesFiles, NothingMoreWhenAHalfCannotBeCreated) {
  put("wide.txt", "| aaaaaaaaaa | bbbbbbb | ccc |\n");
  fail_outputs_named("wide_B_DESTRA.txt");
  or_convert_report_to_rtf(report_path("wide.txt").c_str(), 10, 0, 1);
  EXPECT_TRUE(has("wide.rtf"));
  EXPECT_FALSE(has("Tabelle Ingrandite/wide_A_SINISTRA.txt"));
  EXPECT_FALSE(has("Tabelle Ingrandite/wide_A_SINISTRA.rtf"));
}

}  // namespace
