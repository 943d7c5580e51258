// Opens generated RTF documents in a real word processor: LibreOffice turns
// the table form and the text form of a small report into PDF, and the PDF
// must hold the report's texts. A screen test: scripts/install-deps installs
// LibreOffice (writer without its windows) with the screen tests' tools, and
// the test skips only where it is missing. LibreOffice keeps its profile in
// the test's own folder, never in the user's home.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "reports/conversions.h"
#include "reports/report_test_support.h"

namespace {

using kt_test::ReportFolder;
namespace fs = std::filesystem;

bool have_program(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

class WordProcessor : public ReportFolder {};

TEST_F(WordProcessor, OpensBothFormsAsPdf) {
  if (!have_program("libreoffice")) GTEST_SKIP() << "libreoffice is not installed";
  put("table.txt", kt_test::read_bytes(fs::path(KT_TEST_DATA) / "reports" / "classi.txt"));
  put("text.txt", get("table.txt"));
  or_convert_report_to_rtf(report_path("table.txt").c_str(), 10, 0, 0);
  or_convert_report_to_rtf_text(report_path("text.txt").c_str(), 10, 0, 0);

  fs::path out = root_ / "pdf";
  std::string command = "HOME=" + quoted(root_) + " libreoffice -env:UserInstallation=file://" + root_.string() +
                        "/profile --headless --convert-to pdf --outdir " + quoted(out) + " " +
                        quoted(file("table.rtf")) + " " + quoted(file("text.rtf")) + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* name : {"table.pdf", "text.pdf"}) {
    fs::path pdf = out / name;
    ASSERT_TRUE(fs::exists(pdf)) << name;
    EXPECT_EQ(kt_test::read_bytes(pdf).rfind("%PDF", 0), 0u) << name;
    if (!have_program("pdftotext")) continue;
    fs::path text = out / (std::string(name) + ".txt");
    ASSERT_EQ(std::system(("pdftotext -layout " + quoted(pdf) + " " + quoted(text)).c_str()), 0);
    std::string words = kt_test::read_bytes(text);
    for (const char* w : {"Matematica", "Informatica", "Luned\xC3\xAC", "C:\\Temp", "Classe 2B - Aula {A}",
                          "Istituto \"G. Galilei\""})
      EXPECT_NE(words.find(w), std::string::npos) << name << " lacks " << w;
  }
}

}  // namespace
