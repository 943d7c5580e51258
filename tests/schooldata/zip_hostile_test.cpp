// The zip reader against hostile and damaged archives: nothing is written
// outside the target folder, and a good file is never replaced by a half one.

#include "schooldata/zip_reader.h"
#include "zip_test_support.h"

namespace {

using namespace kt_zip_test;

class ZipHostile : public ZipFolder {};

TEST(ZipSafeNames, Table) {
  struct Case {
    const char* id;
    const char* raw;
    const char* want;
  } cases[] = {
      {"backslashes", "a\\b\\c.txt", "a/b/c.txt"},
      {"climb-two", "../../dir/file.txt", "dir/file.txt"},
      {"drive-climb", "C:\\dir\\..\\file.txt", "file.txt"},
      {"drive-runs", "C:D:/x", "x"},
      {"absolute", "/etc/passwd", "etc/passwd"},
      {"unc", "\\\\server\\share\\f", "server/share/f"},
      {"dots", "./a/./b", "a/b"},
      {"climb-at-end", "a/b/..", ""},
      {"mixed-climb", "a/..\\../b", "b"},
      {"dotdot-in-name", "a..b/c", "a..b/c"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    char out[kUiZipNameSize];
    ui_zip_make_safe_name(c.raw, out, sizeof out);
    EXPECT_STREQ(out, c.want) << c.id;
  }
  char small[4];
  ui_zip_make_safe_name("abcdef", small, sizeof small);
  EXPECT_STREQ(small, "abc");
}

TEST_F(ZipHostile, ClimbingAndAbsoluteNamesStayInside) {
  write_zip(root_ + "/h.zip", {{"../../evil.txt", "1"}, {"/abs.txt", "2"}, {"C:\\dir\\..\\drive.txt", "3"},
                               {"..\\..\\dir\\deep.txt", "4"}, {"ok/../..", "5"}});
  UiZipHandle* h = ui_zip_open_file("\\h.zip", nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ui_zip_extract_all(h, "target"), 0u);
  ui_zip_close(h);
  EXPECT_EQ(tree(root_ + "/work/target"),
            (std::vector<std::string>{"abs.txt", "dir/", "dir/deep.txt", "drive.txt", "evil.txt"}));
  EXPECT_EQ(tree(root_ + "/work"), (std::vector<std::string>{"target/", "target/abs.txt", "target/dir/",
                                                              "target/dir/deep.txt", "target/drive.txt",
                                                              "target/evil.txt"}));
}

TEST_F(ZipHostile, LinkEntriesAreNeverCreated) {
  write_zip(root_ + "/l.zip", {{"link", "/etc/passwd", 3, 0120777u << 16}, {"real.txt", "r", 3, 0100644u << 16}});
  UiZipHandle* h = ui_zip_open_file("\\l.zip", nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ui_zip_extract_to_file(h, 0, "t\\link"), kZipLinkRefused);
  EXPECT_EQ(ui_zip_extract_all(h, "t"), 0u);
  ui_zip_close(h);
  EXPECT_EQ(tree(root_ + "/work/t"), (std::vector<std::string>{"real.txt"}));
}

// An existing link in the target is replaced by the file, never written through.
TEST_F(ZipHostile, ExistingLinkIsReplacedNotFollowed) {
  write_file(root_ + "/outside.txt", "keep");
  fs::create_directories(root_ + "/work/t");
  fs::create_symlink(root_ + "/outside.txt", root_ + "/work/t/a.txt");
  write_zip(root_ + "/a.zip", {{"a.txt", "new"}});
  UiZipHandle* h = ui_zip_open_file("\\a.zip", nullptr);
  EXPECT_EQ(ui_zip_extract_all(h, "t"), 0u);
  ui_zip_close(h);
  EXPECT_EQ(read_file(root_ + "/outside.txt"), "keep");
  EXPECT_FALSE(fs::is_symlink(root_ + "/work/t/a.txt"));
  EXPECT_EQ(read_file(root_ + "/work/t/a.txt"), "new");
}

// Bombs are stopped by the entry limit, on the bytes inflated when the
// declared size lies, and by the total over many entries.
TEST_F(ZipHostile, BombsAreStoppedByTheSizeLimits) {
  ZipItem liar{"liar.txt", std::string(3 << 20, 'z')};
  liar.declared_size = 1000;
  std::vector<ZipItem> items;
  for (int i = 0; i < 5; ++i) items.push_back({"p" + std::to_string(i), std::string(400, 'x')});
  items.push_back({"bomb.txt", std::string(3 << 20, '\0')});
  items.push_back(liar);
  write_zip(root_ + "/b.zip", items);
  UiZipHandle* h = ui_zip_open_file("\\b.zip", nullptr);
  ui_zip_set_limits(h, 1 << 20, 1 << 30);
  EXPECT_EQ(ui_zip_extract_to_file(h, 5, "bomb.txt"), kZipSizeLimit);
  ui_zip_set_limits(h, 500, 1 << 30);
  EXPECT_EQ(ui_zip_extract_to_file(h, 6, "liar.txt"), kZipSizeLimit);
  ui_zip_set_limits(h, 1 << 30, 1 << 30);
  // minizip stops at the declared size; the CRC of the whole data fails.
  EXPECT_EQ(ui_zip_extract_to_file(h, 6, "liar.txt"), kZipInflateFailed);
  EXPECT_EQ(tree(root_ + "/work"), std::vector<std::string>{});
  ui_zip_close(h);
  h = ui_zip_open_file("\\b.zip", nullptr);
  ui_zip_set_limits(h, 1 << 30, 1000);
  EXPECT_EQ(ui_zip_extract_all(h, "t"), kZipSizeLimit);
  EXPECT_EQ(ui_zip_close(h), kZipSizeLimit);
  EXPECT_EQ(tree(root_ + "/work/t"), (std::vector<std::string>{"p0", "p1"}));
}

TEST_F(ZipHostile, TruncatedArchiveCannotBeOpened) {
  write_zip(root_ + "/t.zip", {{"scuola2.txt", std::string(5000, 'k')}});
  std::string bytes = read_file(root_ + "/t.zip");
  for (std::size_t cut : {bytes.size() - 10, bytes.size() / 2, std::size_t{3}, std::size_t{0}}) {
    write_file(root_ + "/cut.zip", bytes.substr(0, cut));
    EXPECT_EQ(ui_zip_open_file("\\cut.zip", nullptr), nullptr) << cut;
    EXPECT_EQ(ui_zip_last_error(), kZipCannotOpen) << cut;
    std::string part = bytes.substr(0, cut);
    EXPECT_EQ(ui_zip_open_memory(part.data(), static_cast<std::uint32_t>(part.size()), nullptr), nullptr) << cut;
  }
}

// Damaged entry data: the good file in place stays as it was, and no
// temporary is left beside it.
TEST_F(ZipHostile, CorruptDataKeepsTheGoodFile) {
  std::string text;  // letters that do not compress into a few bytes
  std::uint32_t seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    text += static_cast<char>('a' + (seed >> 16) % 26);
  }
  ZipItem stored{"scuola2.txt", text};
  stored.store = true;
  write_zip(root_ + "/c.zip", {{"scuola2.txt", text}, stored});
  std::string bytes = read_file(root_ + "/c.zip");
  std::size_t first = bytes.find("scuola2.txt") + 11;  // the deflated data follows the local header's name
  for (std::size_t i = first + 100; i < first + 140; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  std::size_t second = bytes.find(text.substr(0, 64));  // the stored copy
  ASSERT_NE(second, std::string::npos);
  bytes[second + 5000] ^= 0x01;
  write_file(root_ + "/c.zip", bytes);
  write_file(root_ + "/work/s/scuola2.txt", "GOOD");
  UiZipHandle* h = ui_zip_open_file("\\c.zip", nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ui_zip_extract_to_file(h, 0, "s\\scuola2.txt"), kZipInflateFailed);
  EXPECT_EQ(ui_zip_extract_to_file(h, 1, "s\\scuola2.txt"), kZipInflateFailed);
  char block[64];
  std::uint32_t got = 0, rc;
  while ((rc = ui_zip_extract_to_memory(h, 1, block, sizeof block, &got)) == kZipMoreData) {
  }
  EXPECT_EQ(rc, kZipInflateFailed);
  ui_zip_close(h);
  EXPECT_TRUE(read_file(root_ + "/work/s/scuola2.txt") == "GOOD");
  EXPECT_EQ(tree(root_ + "/work/s"), std::vector<std::string>{"scuola2.txt"});
}

// A name damaged in the archive's directory no longer matches the entry's
// own header: the entry is refused as damaged, from a file as from memory,
// and nothing is written under the name it never had; the other entry,
// whose two names agree, is extracted as usual.
TEST_F(ZipHostile, ANameDamagedInTheDirectoryIsRefused) {
  write_zip(root_ + "/n.zip", {{"scuola1.txt", "uno"}, {"scuola2.txt", "due"}});
  std::string bytes = read_file(root_ + "/n.zip");
  std::size_t central = bytes.rfind("scuola1.txt");  // the directory's copy comes after every local header
  ASSERT_NE(central, bytes.find("scuola1.txt"));
  bytes[central] = 'R';
  write_file(root_ + "/n.zip", bytes);
  UiZipHandle* h = ui_zip_open_file("\\n.zip", nullptr);
  ASSERT_NE(h, nullptr);
  UiZipEntry entry;
  ASSERT_EQ(ui_zip_get_item(h, 0, &entry), kZipOk);
  EXPECT_STREQ(entry.name, "Rcuola1.txt");
  EXPECT_EQ(ui_zip_extract_to_file(h, 0, "Rcuola1.txt"), kZipBadLocalHeader);
  EXPECT_EQ(ui_zip_extract_to_file(h, 1, "scuola2.txt"), kZipOk);
  ui_zip_close(h);
  EXPECT_EQ(tree(root_ + "/work"), std::vector<std::string>{"scuola2.txt"});

  h = ui_zip_open_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), nullptr);
  ASSERT_NE(h, nullptr);
  char block[64];
  std::uint32_t got = 0;
  EXPECT_EQ(ui_zip_extract_to_memory(h, 0, block, sizeof block, &got), kZipBadLocalHeader);
  EXPECT_EQ(ui_zip_extract_to_memory(h, 1, block, sizeof block, &got), kZipOk);
  EXPECT_EQ(std::string(block, got), "due");
  ui_zip_close(h);
}

TEST_F(ZipHostile, EncryptedEntryWithoutPassword) {
  zipFile zf = zipOpen64((root_ + "/e.zip").c_str(), APPEND_STATUS_CREATE);
  zip_fileinfo info{};
  std::string data = "secret";
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  ASSERT_EQ(zipOpenNewFileInZip3_64(zf, "s.txt", &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9, 0,
                                    -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, "pw", crc, 0),
            ZIP_OK);
  zipWriteInFileInZip(zf, data.data(), static_cast<unsigned>(data.size()));
  zipCloseFileInZip(zf);
  zipClose(zf, nullptr);
  UiZipHandle* h = ui_zip_open_file("\\e.zip", nullptr);
  EXPECT_EQ(ui_zip_extract_to_file(h, 0, "s.txt"), kZipPassword);
  ui_zip_close(h);
  EXPECT_FALSE(fs::exists(root_ + "/work/s.txt"));
}

// A name longer than a path may be was once cut to its first 259 characters,
// which could end in a separator: the entry then became a folder, its data
// was skipped and the extraction said it had succeeded. Such a name, or one
// part of a name past the file-name limit, is found before anything is
// written: the folder is never left half extracted.
TEST_F(ZipHostile, AnOverlongEntryNameStopsTheExtractionWithItsMessage) {
  for (const std::string& longer : {std::string(258, 'a') + "/inside.txt", std::string(256, 'b') + ".t",
                                    "f/" + std::string(256, 'c')}) {
    write_zip(root_ + "/long.zip", {{"first.txt", "1"}, {longer, "lost"}});
    UiZipHandle* h = ui_zip_open_file("\\long.zip", nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(ui_zip_extract_all(h, "target"), kZipNameTooLong) << longer.size();
    ui_zip_close(h);
    EXPECT_FALSE(fs::exists(root_ + "/work/target")) << longer.size();
  }
  write_zip(root_ + "/long.zip", {{"first.txt", "1"}, {std::string(258, 'a') + "/inside.txt", "lost"}});
  UiZipHandle* h = ui_zip_open_file("\\long.zip", nullptr);
  UiZipEntry entry;
  EXPECT_EQ(ui_zip_get_item(h, 1, &entry), kZipNameTooLong);
  ui_zip_close(h);
  EXPECT_STREQ(ui_zip_error_text(kZipNameTooLong, 2),
               "The archive holds a file name that is too long: extraction stopped");
}

// Names up to the file-name limit extract: the temporary file beside each
// one must not push its name past the limit.
TEST_F(ZipHostile, NamesUpToTheFileNameLimitExtract) {
  std::vector<ZipItem> items;
  std::vector<std::string> names;
  for (std::size_t length : {250u, 251u, 254u, 255u}) {
    names.push_back(std::string(length - 4, 'n') + std::to_string(length) + ".t");
    names.back().erase(length);
    items.push_back({names.back(), "data " + std::to_string(length)});
  }
  write_zip(root_ + "/names.zip", items);
  UiZipHandle* h = ui_zip_open_file("\\names.zip", nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(ui_zip_extract_all(h, "target"), kZipOk);
  ui_zip_close(h);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(tree(root_ + "/work/target"), names);
}

}  // namespace
