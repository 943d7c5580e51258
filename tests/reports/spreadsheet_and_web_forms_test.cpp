// The spreadsheet and web forms of the liceo's report set, made by the
// orario program ("REPO:" on the liceo's save), read as the programs that
// open them do: every table row of a CSV file has as many fields as the
// other rows of its table, a teacher or subject whose name holds a hyphen
// staying one field; every HTML page closes exactly the tables it opens and
// keeps its rows inside a table.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "reports/report_test_support.h"
#include "test_temp_folder.h"

namespace fs = std::filesystem;

namespace {

using kt_test::run_orario;

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void write_file(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
}

std::vector<std::string> fields_of(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == ';' && !quoted) fields.emplace_back();
    else fields.back() += c;
  }
  return fields;
}

// The liceo with its saved week, a teacher and a subject renamed with a
// hyphen, and its report set written by "REPO:".
class LiceoForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    school_ = new kt_test::TempDir("kt-forms-");
    const fs::path& dir = school_->path();
    std::string description = read_file(fs::path(KT_SOURCE_DIR) / "examples/liceo/scuola2.txt");
    replace_all(description, "MARTINELLI", "ROSSI-MARTINELLI");
    replace_all(description, "GM:STORIA E GEOGRAFIA", "GM:STORIA-GEOGRAFIA");
    write_file(dir / "scuola2.txt", description);
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

TEST_F(LiceoForms, EveryCsvRowOfATableHasTheTableFields) {
  int files = 0;
  bool teacher_seen = false, subject_seen = false;
  for (const auto& entry : fs::directory_iterator(orario())) {
    if (entry.path().extension() != ".csv") continue;
    ++files;
    std::istringstream in(read_file(entry.path()));
    std::map<std::size_t, int> widths;  // fields of the table rows -> rows
    for (std::string line; std::getline(in, line);) {
      std::vector<std::string> fields = fields_of(line);
      if (fields.size() < 3) continue;  // a title over a table, as "LOCALE:PALESTRA;"
      ++widths[fields.size()];
      for (const std::string& f : fields) {
        teacher_seen |= f.find("ROSSI-MARTINELLI") != std::string::npos;
        subject_seen |= f.find("STORIA-GEOGRAFIA") != std::string::npos;
      }
    }
    EXPECT_LE(widths.size(), 1u) << entry.path().filename() << ": rows of " << widths.size() << " widths, the narrowest "
                                 << (widths.empty() ? 0 : widths.begin()->first) << " fields";
  }
  EXPECT_GE(files, 5);
  EXPECT_TRUE(teacher_seen) << "the hyphened teacher is one field";
  EXPECT_TRUE(subject_seen) << "the hyphened subject is one field";
  // The register export names the teacher whole in its own field.
  std::string register_csv = read_file(orario() / "Registro_Mastercom.csv");
  EXPECT_NE(register_csv.find(";ROSSI-MARTINELLI;"), std::string::npos);
}

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
