// The zip reader asked wrongly: no path, no block, no place for the entry,
// an index past the archive's entries; each call answers "bad argument",
// the last error says the same, the handle goes on serving the archive as
// before and, closed, tells the last failure it met. Every entry read whole into memory, in pieces of any size,
// holds its bytes; a piece asked of the entry after its end is empty.
#include "schooldata/zip_reader.h"

#include <string>

#include "zip_test_support.h"

namespace {

using namespace kt_zip_test;

class ZipArguments : public ZipFolder {};

TEST_F(ZipArguments, WrongRequestsAreRefusedAndTheHandleStillServes) {
  EXPECT_EQ(ui_zip_open_file(nullptr, nullptr), nullptr);
  EXPECT_EQ(ui_zip_last_error(), kZipBadArgument);
  EXPECT_EQ(ui_zip_open_memory(nullptr, 100, nullptr), nullptr);
  EXPECT_EQ(ui_zip_last_error(), kZipBadArgument);

  write_zip(root_ + "/due.zip", {{"prima.txt", "uno\n"}, {"seconda.txt", std::string(40000, 'x')}});
  UiZipHandle* h = ui_zip_open_file("\\due.zip", nullptr);
  ASSERT_NE(h, nullptr);
  UiZipEntry e;
  EXPECT_EQ(ui_zip_get_item(h, 0, nullptr), kZipBadArgument);
  EXPECT_EQ(ui_zip_last_error(), kZipBadArgument);
  for (int index : {2, 3, -2}) {
    EXPECT_EQ(ui_zip_get_item(h, index, &e), kZipBadArgument) << index;
    EXPECT_EQ(ui_zip_last_error(), kZipBadArgument) << index;
  }
  char piece[100];
  EXPECT_NE(ui_zip_extract_to_memory(h, 2, piece, sizeof piece), kZipOk);
  EXPECT_NE(ui_zip_extract_to_file(h, 2, "fuori.txt"), kZipOk);
  EXPECT_FALSE(fs::exists(root_ + "/work/fuori.txt"));

  ASSERT_EQ(ui_zip_get_item(h, -1, &e), kZipOk);
  EXPECT_EQ(e.index, 2) << "the count of entries";
  ASSERT_EQ(ui_zip_get_item(h, 1, &e), kZipOk);
  EXPECT_STREQ(e.name, "seconda.txt");
  EXPECT_EQ(e.index, 1);
  for (std::uint32_t size : {1u, 7u, 16384u, 65536u}) {
    std::string bytes;
    std::vector<char> buffer(size);
    std::uint32_t rc;
    int calls = 0;
    do {
      std::uint32_t produced = 0;
      rc = ui_zip_extract_to_memory(h, 1, buffer.data(), size, &produced);
      bytes.append(buffer.data(), produced);
      ++calls;
    } while (rc == kZipMoreData && calls < 100000);
    EXPECT_EQ(rc, kZipOk) << size;
    EXPECT_EQ(bytes, std::string(40000, 'x')) << size;
  }
  std::string first;
  char small[64];
  std::uint32_t produced = 0;
  EXPECT_EQ(ui_zip_extract_to_memory(h, 0, small, sizeof small, &produced), kZipOk);
  EXPECT_EQ(std::string(small, produced), "uno\n");
  EXPECT_EQ(ui_zip_close(h), kZipBadArgument) << "closing tells the last failure met on the handle";
  // A handle that met none closes without one.
  UiZipHandle* clean = ui_zip_open_file("\\due.zip", nullptr);
  ASSERT_NE(clean, nullptr);
  EXPECT_EQ(ui_zip_get_item(clean, 0, &e), kZipOk);
  EXPECT_EQ(ui_zip_close(clean), kZipOk);
}

}  // namespace
