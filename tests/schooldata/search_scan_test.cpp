// The data-file search walk: which folders count as copies, the columns of
// their rows, the order newest first, the pen's deletion folder, links and
// loops, the depth bound and a stop asked while the walk runs.
#include "schooldata/data_file_search.h"

#include "search_test_support.h"

namespace {

using namespace kt_search_test;

class SearchScan : public SearchFolders {
 protected:
  std::vector<DataFileCopy> search(bool every_drive, bool selection = false) {
    DataFileSearch s;
    EXPECT_TRUE(s.start(data_file_search_places(every_drive, ""), selection));
    s.join();
    EXPECT_EQ(s.state(), kSearchIdle);
    return s.rows();
  }
  std::vector<std::string> folders(const std::vector<DataFileCopy>& rows) {
    std::vector<std::string> out;
    for (const DataFileCopy& r : rows) out.push_back(r.folder.substr(base_.size()));
    return out;
  }
};

TEST_F(SearchScan, RowsNewestFirstWithTheirFiles) {
  // 1700000000 = 14-11-2023 22:13:20 UTC
  file(drive_ + "/KestrinTempusDati/liceo/scuola2.txt", "x", 1700000000);
  file(drive_ + "/KestrinTempusDati/liceo/scuola1.txt", "x");
  file(drive_ + "/KestrinTempusDati/liceo/savego.txt", "x");
  file(drive_ + "/KestrinTempusDati/liceo/RICEVI.TXT", "x");
  file(drive_ + "/old/SCUOLA2.TXT", "x", 1600000000);
  file(drive_ + "/same-minute/scuola2.txt", "x", 1700000005);  // five seconds later, same minute
  file(drive_ + "/.hidden/scuola2.txt", "x");
  file(drive_ + "/nothing/scuola1.txt", "x");
  file(pen_ + "/Copia_Dati_Orario/liceo/scuola2.txt", "x", 1650000000);
  auto rows = search(true);
  ASSERT_EQ(folders(rows), (std::vector<std::string>{"/drive/same-minute", "/drive/KestrinTempusDati/liceo",
                                                      "/pen/Copia_Dati_Orario/liceo", "/drive/old"}));
  EXPECT_EQ(rows[1].found, "scuola1.txt scuola2.txt savego.txt ricevi.txt");
  EXPECT_EQ(rows[1].date_time, "14-11-2023 22:13");
  EXPECT_EQ(rows[1].sort_key, "20231114221320");
  EXPECT_EQ(rows[0].date_time, "14-11-2023 22:13");
  EXPECT_EQ(rows[0].sort_key, "20231114221325");
  EXPECT_EQ(rows[3].found, "scuola2.txt");
  EXPECT_EQ(rows[1].type, "");
  EXPECT_EQ(rows[1].size, "");
}

TEST_F(SearchScan, PenSkipsItsDeletionFolderEveryDriveDoesNot) {
  file(pen_ + "/Copia_Dati_Orario/a/scuola2.txt", "x", 1700000000);
  file(pen_ + "/Copia_Dati_DELETE/b/scuola2.txt", "x", 1700000001);
  file(pen_ + "/copia_dati_delete/scuola2.txt", "x", 1700000002);  // FAT pens ignore case
  file(drive_ + "/c/scuola2.txt", "x", 1700000003);
  EXPECT_EQ(folders(search(false)), (std::vector<std::string>{"/pen/Copia_Dati_Orario/a"}));
  EXPECT_EQ(folders(search(true)), (std::vector<std::string>{"/drive/c", "/pen/copia_dati_delete",
                                                              "/pen/Copia_Dati_DELETE/b", "/pen/Copia_Dati_Orario/a"}));
}

TEST_F(SearchScan, LinksAndLoopsAreNotFollowed) {
  file(drive_ + "/a/scuola2.txt", "x");
  fs::create_directory_symlink(drive_ + "/a", drive_ + "/a/loop");
  fs::create_directory_symlink(drive_, drive_ + "/a/up");
  fs::create_directory_symlink(pen_, drive_ + "/pen-link");
  file(pen_ + "/p/scuola2.txt", "x", 1600000000);
  fs::create_symlink(drive_ + "/a/scuola2.txt", drive_ + "/scuola2.txt");  // a linked file is no copy
  EXPECT_EQ(folders(search(true)), (std::vector<std::string>{"/drive/a", "/pen/p"}));
}

TEST_F(SearchScan, SelectionColumns) {
  file(drive_ + "/scuola_B/scuola2.txt", "12345", 1700000000);
  file(drive_ + "/scuola_C/scuola2.txt", "1234567", 1600000000);
  file(drive_ + "/plain/scuola2.txt", "", 1500000000);
  auto rows = search(true, true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].type, "B");
  EXPECT_EQ(rows[0].size, "5 bytes");
  EXPECT_EQ(rows[1].type, "          C");
  EXPECT_EQ(rows[1].size, "7 bytes");
  EXPECT_EQ(rows[2].type, "");
  EXPECT_EQ(rows[2].size, "0 bytes");
}

TEST_F(SearchScan, DepthIsBounded) {
  std::string deep = drive_;
  for (int i = 0; i <= kSearchMaxDepth; ++i) deep += "/d";
  file(deep + "/scuola2.txt", "x");
  file(drive_ + "/d/scuola2.txt", "x");
  DataFileSearch s;
  s.start(data_file_search_places(true, ""), false);
  s.join();
  EXPECT_EQ(s.rows().size(), 1u);
  EXPECT_TRUE(s.hit_bounds());
}

// A stop asked from the folder report ends the walk; the rows found so far
// stay, the state is idle again and a new search can start.
TEST_F(SearchScan, StopKeepsRowsFoundSoFar) {
  file(drive_ + "/a/scuola2.txt", "x");
  file(drive_ + "/a/b/scuola2.txt", "x");
  file(drive_ + "/c/scuola2.txt", "x");
  DataFileSearch s;
  int folders_seen = 0;
  bool done = false;
  ASSERT_TRUE(s.start(
      data_file_search_places(true, ""), false,
      [&](const std::string& folder) {
        if (++folders_seen == 3) s.request_stop();  // root, a, then a/b
      },
      [&] { done = true; }));
  s.join();
  EXPECT_TRUE(done);
  EXPECT_EQ(s.state(), kSearchIdle);
  auto rows = s.rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].folder, drive_ + "/a");
  s.request_stop();  // idle: nothing to stop
  EXPECT_EQ(s.state(), kSearchIdle);
  EXPECT_TRUE(s.start(data_file_search_places(true, ""), false));
  s.join();
  EXPECT_EQ(s.rows().size(), 3u);
}

}  // namespace
