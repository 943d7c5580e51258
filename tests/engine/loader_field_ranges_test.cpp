// Numbers written by hand into the small sample school's description and
// loaded through or_main: a number its field cannot hold stops the load
// with the usual message of a bad line, naming it, instead of being wrapped
// into another value (a teacher's lunch hour of 200 used to read as "not
// set", and the school's lunch hour took its place). The largest and
// smallest numbers the fields hold load as they always did.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "loader_harness.h"

namespace {

using loader_test::run_synt;

std::string piccola() {
  return engine_test::read_file(std::string(KT_SOURCE_DIR) + "/examples/piccola/scuola2.txt");
}

// The description with `from` (which must be there) replaced by `to`.
std::string with(const std::string& text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at == std::string::npos) return text;
  return text.substr(0, at) + to + text.substr(at + from.size());
}

// ROSSI's constraint line given more items; a school line put after the days.
std::string with_rossi(const std::string& items) { return with(piccola(), "V:\tROSSI\t", "V:\tROSSI\t" + items); }
std::string with_school_line(const std::string& line) { return with(piccola(), "\nLABOR:", "\n" + line + "\nLABOR:"); }

const EngineTeacher* teacher(const char* name) {
  for (int t = 0; t < g_eng_school.teacher_count; ++t)
    if (std::strcmp(g_eng_teachers[t].name, name) == 0) return &g_eng_teachers[t];
  return nullptr;
}

TEST(LoaderFieldRanges, ANumberItsFieldCannotHoldIsABadLine) {
  struct Case {
    const char* id;
    std::string text;
    const char* range;
    const char* item;  // part of the line the message shows
  } cases[] = {
      {"teacher lunch hour", with_rossi("PAUSAMEPER:200-1-2-2\t"), "da -127 a 128", "PAUSAMEPER:200-1-2-2"},
      {"teacher lunch length", with_rossi("PAUSAMEPER:5-1-300-2\t"), "da -128 a 127", "PAUSAMEPER:5-1-300-2"},
      {"break days", with_rossi("MXR:256\t"), "da 0 a 255", "MXR:256"},
      {"hours per day", with_rossi("OV:LU:300\t"), "da -128 a 127", "OV:LU:300"},
      {"pair table", with_rossi("GRUPPIOREMAX:3-130\t"), "da -128 a 127", "GRUPPIOREMAX:3-130"},
      {"rest", with_rossi("RIPOSO:-129\t"), "da -128 a 127", "RIPOSO:-129"},
      {"school band", with_school_line("IHBUCHE:\t1-300\t"), "da -128 a 127", "IHBUCHE:|1-300"},
      {"common room", with(piccola(), "PRMAX:1\t", "PRMAX:1\tAVOMAX:200\t"), "da -128 a 127", "AVOMAX:200"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    loader_test::Outcome outcome = run_synt(c.text);
    EXPECT_EQ(outcome.code, -2);
    EXPECT_NE(outcome.message.find(std::string("Errore di configurazione [Valore fuori dai limiti (") + c.range + ")]"),
              std::string::npos)
        << outcome.message;
    EXPECT_NE(outcome.message.find(c.item), std::string::npos) << outcome.message;
  }
}

TEST(LoaderFieldRanges, TheEndsOfEachFieldsRangeLoadAsBefore) {
  std::string text = with_rossi("PAUSAMEPER:128-1-127--128\tMXR:255\tRIPOSO:-128\t");
  text = with(text, "\nLABOR:", "\nIHBUCHE:\t127--128\t\nLABOR:");
  loader_test::Outcome outcome = run_synt(text);
  ASSERT_EQ(outcome.code, 0) << outcome.message;
  const EngineTeacher* rossi = teacher("ROSSI");
  ASSERT_NE(rossi, nullptr);
  // The hour is kept less 1, and the byte keeps 255 as -1, as it always did.
  EXPECT_EQ(rossi->pausameper[0], 127);
  EXPECT_EQ(rossi->pausameper[1], 1);
  EXPECT_EQ(rossi->pausameper[2], 127);
  EXPECT_EQ(rossi->pausameper[3], -128);
  EXPECT_EQ(rossi->mxr, -1);
  EXPECT_EQ(rossi->riposo, -128);
  ASSERT_GE(g_eng_school.ihbuche.count, 1);
  EXPECT_EQ(g_eng_school.ihbuche.pairs[0][0], 127);
  EXPECT_EQ(g_eng_school.ihbuche.pairs[0][1], -128);
}

}  // namespace
