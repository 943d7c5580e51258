// The web forms of the liceo's report set, made by the orario program
// ("REPO:" on the liceo's save), read as a browser does: every HTML page
// closes exactly the tables it opens and keeps its rows inside a table.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

int run_orario(const fs::path& school, const std::string& args) {
  std::string binary = std::string(KT_BINARY_DIR) + "/apps/orario/orario";
  std::string command = "cd '" + school.string() + "' && env -i PATH=/usr/bin:/bin KESTRINTEMPUS_ROOT='" +
                        school.string() + "' LANG=it_IT.UTF-8 '" + binary + "' " + args + " >'" +
                        (school / "orario.out").string() + "' 2>&1";
  int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
}

// The liceo with its saved week and its report set written by "REPO:".
class LiceoForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    school_ = new kt_test::TempDir("kt-forms-");
    const fs::path& dir = school_->path();
    fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/liceo/scuola2.txt", dir / "scuola2.txt");
    fs::copy_file(fs::path(KT_TEST_DATA) / "savefiles/liceo-savego.txt", dir / "savego.txt");
    status_ = run_orario(dir, "REPO:scuola2.txt");
  }
  static void TearDownTestSuite() {
    delete school_;
    school_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(status_, 0) << read_file(school_->path() / "orario.out"); }
  static fs::path orario() { return school_->path() / "Orario"; }

  static kt_test::TempDir* school_;
  static int status_;
};

kt_test::TempDir* LiceoForms::school_ = nullptr;
int LiceoForms::status_ = -1;

TEST_F(LiceoForms, EveryHtmlPageClosesTheTablesItOpens) {
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(orario() / "HTML")) {
    ++pages;
    std::string page = read_file(entry.path());
    int depth = 0, opened = 0;
    bool stray = false, row_outside = false;
    for (std::size_t at = 0; (at = page.find('<', at)) != std::string::npos; ++at) {
      if (page.compare(at, 6, "<table") == 0) {
        ++depth;
        ++opened;
      } else if (page.compare(at, 8, "</table>") == 0) {
        stray |= depth == 0;
        if (depth > 0) --depth;
      } else if (page.compare(at, 3, "<tr") == 0) {
        row_outside |= depth == 0;
      }
    }
    std::string name = entry.path().filename().string();
    EXPECT_GT(opened, 0) << name;
    EXPECT_FALSE(stray) << name << ": a </table> with no table open";
    EXPECT_EQ(depth, 0) << name << ": a table left open";
    EXPECT_FALSE(row_outside) << name << ": a row outside a table";
    EXPECT_NE(page.rfind("</div>"), std::string::npos) << name;
  }
  EXPECT_GE(pages, 10);
}

}  // namespace
