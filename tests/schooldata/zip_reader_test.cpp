// The zip reader on ordinary archives: DOS and extended times, extraction to files
// (relative and absolute targets) and to memory in pieces.
#include "schooldata/zip_reader.h"

#include "zip_test_support.h"

namespace {

using namespace kt_zip_test;

class ZipReader : public ZipFolder {};

std::string zip_path(const std::string& root, const char* name) { return root + "/" + name; }

TEST_F(ZipReader, MissingArchiveAndNullHandle) {
  EXPECT_EQ(ui_zip_open_file("\\none.zip", nullptr), nullptr);
  EXPECT_EQ(ui_zip_last_error(), kZipCannotOpen);
  UiZipEntry e;
  EXPECT_EQ(ui_zip_get_item(nullptr, 0, &e), kZipBadArgument);
  EXPECT_EQ(ui_zip_extract_to_file(nullptr, 0, "x"), kZipBadArgument);
  EXPECT_EQ(ui_zip_close(nullptr), kZipBadArgument);
}

std::uint64_t ticks(const UiFileTime& t) { return (static_cast<std::uint64_t>(t.high) << 32) | t.low; }

// The DOS time is local time; the "UT" block's Unix times replace it.
TEST_F(ZipReader, DosAndExtendedTimes) {
  const char* old_tz = std::getenv("TZ");
  std::string saved = old_tz ? old_tz : "";
  ::setenv("TZ", "UTC0", 1);
  ::tzset();
  // 2025-04-12 13:34:28: date (45<<9)|(4<<5)|12 = 0x5A8C, time (13<<11)|(34<<5)|14 = 0x6C4E.
  std::uint64_t dos_ticks = (1744464868ull + 11644473600ull) * 10000000ull;
  // UT block, flags 5 (write and creation): write 1000000000, creation 2000000000.
  std::string ut = std::string("UT\x09\x00\x05", 5) + std::string("\x00\xCA\x9A\x3B", 4) + std::string("\x00\x94\x35\x77", 4);
  std::string ut_short = std::string("UT\x05\x00\x07", 5) + std::string("\x00\xCA\x9A\x3B", 4);  // says 3, holds 1
  write_zip(zip_path(root_, "t.zip"), {{"plain", "a"}, {"ut", "b", 3, 0100644u << 16, 0x5A8C6C4E, ut},
                                       {"short", "c", 3, 0100644u << 16, 0x5A8C6C4E, ut_short}});
  UiZipHandle* h = ui_zip_open_file("\\t.zip", nullptr);
  ASSERT_NE(h, nullptr);
  UiZipEntry e;
  ASSERT_EQ(ui_zip_get_item(h, 0, &e), 0u);
  EXPECT_EQ(ticks(e.write_time), dos_ticks);
  EXPECT_EQ(ticks(e.access_time), dos_ticks);
  EXPECT_EQ(ticks(e.creation_time), dos_ticks);
  ASSERT_EQ(ui_zip_get_item(h, 1, &e), 0u);
  EXPECT_EQ(ticks(e.write_time), (1000000000ull + 11644473600ull) * 10000000ull);
  EXPECT_EQ(ticks(e.access_time), dos_ticks);
  EXPECT_EQ(ticks(e.creation_time), (2000000000ull + 11644473600ull) * 10000000ull);
  ASSERT_EQ(ui_zip_get_item(h, 2, &e), 0u);
  EXPECT_EQ(ticks(e.write_time), (1000000000ull + 11644473600ull) * 10000000ull);
  EXPECT_EQ(ticks(e.access_time), dos_ticks);
  ASSERT_EQ(ui_zip_extract_to_file(h, 1, "ut.txt"), 0u);  // the file takes the entry's write time
  ui_zip_close(h);
  struct stat st;
  ASSERT_EQ(::stat((root_ + "/work/ut.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1000000000);
  if (old_tz) ::setenv("TZ", saved.c_str(), 1);
  else ::unsetenv("TZ");
  ::tzset();
}

// An archive read from memory describes and extracts as the same archive
// read from its file, entries with an extra field among them (minizip steps
// back over an extra field with a relative seek of a negative offset).
TEST_F(ZipReader, MemoryArchiveReadsAsItsFile) {
  std::string ut = std::string("UT\x05\x00\x01", 5) + std::string("\x00\xCA\x9A\x3B", 4);
  write_zip(zip_path(root_, "m.zip"), {{"plain", "a"}, {"dir/ut", "bb", 3, 0100644u << 16, 0x5A8C6C4E, ut},
                                       {"after", std::string(40000, 'c')}});
  std::string bytes = read_file(zip_path(root_, "m.zip"));
  UiZipHandle* handles[2] = {ui_zip_open_file("\\m.zip", nullptr),
                             ui_zip_open_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr)};
  ASSERT_NE(handles[0], nullptr);
  ASSERT_NE(handles[1], nullptr);
  for (int i = 0; i < 3; ++i) {
    UiZipEntry e[2];
    std::string data[2];
    for (int k = 0; k < 2; ++k) {
      ASSERT_EQ(ui_zip_get_item(handles[k], i, &e[k]), 0u) << i << " " << k;
      char piece[16384];
      std::uint32_t rc, n;
      do {
        rc = ui_zip_extract_to_memory(handles[k], i, piece, sizeof piece, &n);
        data[k].append(piece, n);
      } while (rc == kZipMoreData);
      ASSERT_EQ(rc, 0u) << i << " " << k;
    }
    EXPECT_STREQ(e[1].name, e[0].name);
    EXPECT_EQ(ticks(e[1].write_time), ticks(e[0].write_time)) << i;
    EXPECT_EQ(data[1], data[0]) << i;
  }
  EXPECT_EQ(ui_zip_close(handles[0]), 0u);
  EXPECT_EQ(ui_zip_close(handles[1]), 0u);
}

TEST_F(ZipReader, ExtractsRelativeAndAbsoluteTargets) {
  std::string big(100000, 'q');
  for (std::size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>('a' + i % 26);
  write_zip(zip_path(root_, "s.zip"), {{"scuola2.txt", "REM:Liceo\r\n"}, {"Orario/big.txt", big},
                                       {"sub/", "", 0, 0x10}, {"ro.txt", "r", 3, 0100444u << 16}});
  UiZipHandle* h = ui_zip_open_file("\\s.zip", nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ui_zip_extract_to_file(h, 0, "scuola\\scuola2.txt"), 0u);
  EXPECT_EQ(read_file(root_ + "/work/scuola/scuola2.txt"), "REM:Liceo\r\n");
  EXPECT_EQ(ui_zip_extract_to_file(h, 1, "\\KestrinTempusDati\\x\\Orario\\big.txt"), 0u);
  EXPECT_EQ(read_file(root_ + "/KestrinTempusDati/x/Orario/big.txt"), big);
  EXPECT_EQ(ui_zip_extract_to_file(h, 2, "dest\\sub"), 0u);
  EXPECT_TRUE(fs::is_directory(root_ + "/work/dest/sub"));
  EXPECT_EQ(ui_zip_extract_to_file(h, 3, "ro.txt"), 0u);
  struct stat st;
  ASSERT_EQ(::stat((root_ + "/work/ro.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  EXPECT_EQ(ui_zip_close(h), 0u);
}

// The base folder is the current folder when the archive was opened.
TEST_F(ZipReader, RelativeTargetsStayWithTheOpeningFolder) {
  write_zip(zip_path(root_, "s.zip"), {{"a.txt", "A"}});
  UiZipHandle* h = ui_zip_open_file("\\s.zip", nullptr);
  fs::current_path(root_);
  EXPECT_EQ(ui_zip_extract_to_file(h, 0, "here\\a.txt"), 0u);
  EXPECT_EQ(read_file(root_ + "/work/here/a.txt"), "A");
  ui_zip_close(h);
}

TEST(ZipMessages, UnknownCodesAndLanguagesFallBack) {
  EXPECT_STREQ(ui_zip_error_text(0x12345, 1), "Fehler im Zip-Archiv");
  EXPECT_STREQ(ui_zip_error_text(kZipPassword, 9), ui_zip_error_text(kZipPassword, 0));
}

}  // namespace
