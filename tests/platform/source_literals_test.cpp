// Every text inside the program is code page 1252, and source files are
// UTF-8: a string literal with an accented letter must go through the
// "..."_cp conversion, or the screen shows "Ã¨" where "è" belongs and a
// caption never matches its translation row. This walks the sources and
// names each literal (or run of adjacent literals) with a byte above 127
// and no suffix. Comments, character literals and raw strings are skipped.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The unconverted accented literals of one source text, as "line: text".
std::vector<std::string> unconverted_literals(const std::string& s) {
  std::vector<std::string> found;
  std::size_t i = 0, n = s.size();
  int line = 1;
  bool in_run = false, run_accented = false, run_converted = false;
  int run_line = 0;
  std::string run_text;
  auto end_run = [&] {
    if (in_run && run_accented && !run_converted) found.push_back(std::to_string(run_line) + ": " + run_text);
    in_run = run_accented = run_converted = false;
    run_text.clear();
  };
  while (i < n) {
    char c = s[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '/' && i + 1 < n && s[i + 1] == '/') {
      while (i < n && s[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
      for (i += 2; i + 1 < n && !(s[i] == '*' && s[i + 1] == '/'); ++i)
        if (s[i] == '\n') ++line;
      i += 2;
    } else if (c == '\'') {
      end_run();
      for (++i; i < n && s[i] != '\''; ++i)
        if (s[i] == '\\') ++i;
      ++i;
    } else if (c == 'R' && i + 1 < n && s[i + 1] == '"') {
      end_run();
      std::size_t open = s.find('(', i);
      std::string close = ")" + s.substr(i + 2, open - i - 2) + "\"";
      std::size_t stop = s.find(close, open);
      for (std::size_t k = i; k < stop && k < n; ++k)
        if (s[k] == '\n') ++line;
      i = stop == std::string::npos ? n : stop + close.size();
    } else if (c == '"') {
      if (!in_run) {
        in_run = true;
        run_line = line;
      }
      for (++i; i < n && s[i] != '"' && s[i] != '\n'; ++i) {
        if (s[i] == '\\') ++i;
        if (static_cast<unsigned char>(s[i]) > 127) run_accented = true;
        if (run_text.size() < 60) run_text += s[i];
      }
      ++i;
      if (s.compare(i, 3, "_cp") == 0) run_converted = true;
      while (i < n && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_')) ++i;
    } else {
      end_run();
      ++i;
    }
  }
  end_run();
  return found;
}

TEST(SourceLiterals, TheScannerFindsOnlyUnconvertedAccentedText) {
  EXPECT_EQ(unconverted_literals("f(\"Lunedì\");").size(), 1u);
  EXPECT_TRUE(unconverted_literals("f(\"Lunedì\"_cp);").empty());
  EXPECT_TRUE(unconverted_literals("f(\"Mar\"\n  \"tedì\"_cp); // \"è\"\n/* \"à\" */ g('\"');").empty());
  EXPECT_EQ(unconverted_literals("a(\"x\");\nb(\"già\", \"è\"_cp);").size(), 1u);
  EXPECT_TRUE(unconverted_literals("R\"(più)\";").empty());
}

TEST(SourceLiterals, EveryAccentedProgramTextIsConverted) {
  fs::path root = fs::path(KT_SOURCE_DIR) / "src";
  std::vector<std::string> problems;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    fs::path p = entry.path();
    if (p.extension() != ".cpp" && p.extension() != ".h") continue;
    std::ifstream in(p, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    for (const std::string& hit : unconverted_literals(text.str()))
      problems.push_back(fs::relative(p, root).string() + ":" + hit);
  }
  EXPECT_TRUE(problems.empty()) << problems.size() << " accented literals lack _cp, first: " << problems.front();
}

}  // namespace
