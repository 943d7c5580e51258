// A computation that cannot read its granted exemptions whole: the read
// error ends "CALC:" with the file error naming the file, and neither the
// exemption file nor the saved timetable changes. Taking the error for the
// end of the file would drop the exemptions past it without a word.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/engine_main.h"
#include "engine/model.h"
#include "engine/status_block.h"
#include "engine/text_lines.h"
#include "failing_reads.h"
#include "school_fixture.h"

namespace fs = std::filesystem;

TEST(ExemptionReadError, EndsTheComputationAndChangesNoFile) {
  SchoolCopy school("piccola");
  // 62 granted exemptions of 444 bytes a line; the disk fails in the tenth.
  std::string line = "0219" + std::string(438, '0') + "\r\n";
  std::string granted;
  for (int i = 0; i < 62; ++i) granted += line;
  std::ofstream(school.folder() / "scuola3.txt", std::ios::binary) << granted;
  std::ofstream(school.folder() / "savego.txt", std::ios::binary) << "the saved timetable\n";
  fs::path old = fs::current_path();
  fs::current_path(school.folder());
  LineByteSource saved_source = g_line_byte_source;
  FailingFile::name = "/scuola3.txt", FailingFile::after = 9 * 444 + 100, FailingFile::served = 0;
  g_line_byte_source = FailingFile::next_byte;
  g_requested_seed = 3;
  g_status.clear();
  const char* argv[] = {"Questo non serve", "CALC:scuola2.txt"};
  int result = or_main(1, 2, argv);
  g_line_byte_source = saved_source;
  g_requested_seed = -1;
  fs::current_path(old);
  EXPECT_EQ(result, kResultError);
  std::string message = g_status.message;
  EXPECT_NE(message.find("scuola3.txt]\n[Errore di lettura del file"), std::string::npos) << message;
  EXPECT_EQ(file_text(school.folder() / "scuola3.txt"), granted);
  EXPECT_EQ(file_text(school.folder() / "savego.txt"), "the saved timetable\n");
}
