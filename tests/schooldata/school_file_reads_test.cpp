// Files the school readers cannot use (a read error part-way, an empty file,
// a folder, CR-only lines): their message in the user's language, never a
// partial school, and the writers leave the file as it was; the same for imports.

#include <sys/stat.h>

#include <cerrno>

#include "desc_test_support.h"
#include "engine/shell_services.h"
#include "schooldata/description_writer.h"
#include "schooldata/import_names.h"
#include "schooldata/sissi_export_reader.h"
#include "schooldata/spreadsheet_reader.h"
#include "schooldata/ui_school_model.h"

namespace fs = std::filesystem;

namespace {

// Reads fail with EIO once this many bytes were handed out; -1 never.
long g_fail_after = -1;
long g_handed = 0;

long failing_read(int fd, void* buffer, unsigned long size) {
  if (g_fail_after >= 0 && g_handed >= g_fail_after) {
    errno = EIO;
    return -1;
  }
  if (g_fail_after >= 0 && g_handed + long(size) > g_fail_after) size = static_cast<unsigned long>(g_fail_after - g_handed);
  long got = ::read(fd, buffer, size);
  if (got > 0) g_handed += got;
  return got;
}

class SchoolFileReads : public PlainSchoolFolder<> {
 protected:
  void SetUp() override {
    PlainSchoolFolder::SetUp();
    og_set_school_file_read(failing_read);
    g_fail_after = -1;
    g_handed = 0;
  }
  void TearDown() override {
    og_set_school_file_read(nullptr);
    g_language = 0;
    PlainSchoolFolder::TearDown();
  }
  std::string copy(const char* school, const char* file) {
    std::string to = dir_ + "/" + file;
    fs::copy_file(desc_example(school, file), to, fs::copy_options::overwrite_existing);
    return to;
  }
  void put(const std::string& path, const std::string& content) {
    fs::remove_all(path);
    if (content == "<dir>") fs::create_directory(path);
    else if (content == "<fifo>") ::mkfifo(path.c_str(), 0600);
    else if (content == "<zero>") fs::create_symlink("/dev/zero", path);
    else std::ofstream(path, std::ios::binary) << content;
  }
};

TEST_F(SchoolFileReads, ReadErrorPartWayIsAnErrorAndNothingIsWritten) {
  ASSERT_EQ(og_read_structure_file_from(desc_example("liceo", "scuola1.txt"), 0), 0);
  std::string description = copy("liceo", "scuola2.txt");
  std::string before = slurp(description);
  ASSERT_GT(before.size(), 8000u);
  g_fail_after = 4096;
  EXPECT_EQ(og_read_assignments_file_from(description, 0), -2);
  EXPECT_EQ(std::string(og_description_error()).rfind("Errore di lettura del file", 0), 0u) << og_description_error();
  EXPECT_EQ(+g_ui_settings.teacher_count, 0u) << "no partial school";
  EXPECT_FALSE(og_school_loaded());
  EXPECT_EQ(og_write_assignments_file_to(description, 0), -1);
  EXPECT_STREQ(og_description_write_error(), og_description_error());
  EXPECT_EQ(og_write_structure_file_to(dir_ + "/scuola1.txt"), -1);
  EXPECT_EQ(slurp(description), before);
  EXPECT_FALSE(fs::exists(dir_ + "/scuola1.txt"));

  // Read whole, the same file loads every teacher and may be written again.
  g_fail_after = -1;
  ASSERT_EQ(og_read_assignments_file_from(description, 0), 0) << og_description_error();
  EXPECT_GT(+g_ui_settings.teacher_count, 24u);
  EXPECT_TRUE(og_school_loaded());
  EXPECT_EQ(og_write_assignments_file_to(description, 0), 0);

  std::string structure = copy("liceo", "scuola1.txt");
  g_handed = 0;
  g_fail_after = 100;
  EXPECT_EQ(og_read_structure_file_from(structure, 0), -2);
  EXPECT_EQ(std::string(og_structure_error()).rfind("Errore di lettura del file", 0), 0u) << og_structure_error();
  EXPECT_FALSE(og_school_loaded());
  EXPECT_EQ(og_write_assignments_file_to(description, 0), -1);
}

TEST_F(SchoolFileReads, UnusableFilesGiveTheirMessage) {
  struct Case {
    const char* id;
    std::string content;
    const char* message[3];  // the start of the message, it/de/en
  };
  const Case cases[] = {
      {"empty", "", {"Il file ", "Die Datei ", "The file "}},
      {"folder", "<dir>", {"", "", ""}},
      // Never waited on nor read without end.
      {"FIFO", "<fifo>", {"", "", ""}},
      {"device", "<zero>", {"", "", ""}},
      {"CR only", "REM:Prova\rDAYS:\tLU5-Lunedi\t\rGM:ITALIANO\t\r", {"Il file ", "Die Datei ", "The file "}},
  };
  const char* const files[] = {"scuola1.txt", "scuola2.txt"};
  for (const Case& c : cases) {
    for (const char* file : files) {
      for (int language = 0; language < 3; ++language) {
        SCOPED_TRACE(std::string(c.id) + " " + file + " language " + std::to_string(language));
        g_language = static_cast<std::uint8_t>(language);
        std::string path = dir_ + "/" + file;
        put(path, c.content);
        bool structure = std::string(file) == "scuola1.txt";
        int rc = structure ? og_read_structure_file_from(path, 1) : og_read_assignments_file_from(path, 1);
        EXPECT_EQ(rc, -2);
        std::string message = structure ? og_structure_error() : og_description_error();
        EXPECT_EQ(message.rfind(c.message[language], 0), 0u) << message;
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_FALSE(og_school_loaded());
        if (c.content == "<fifo>" || c.content == "<zero>") {
          const char* kind[3] = {"non \xE8 un file normale", "keine gew\xF6hnliche Datei", "is not a regular file"};
          EXPECT_NE(message.find(kind[language]), std::string::npos) << message;
        }
        if (c.content[0] != '<') {
          EXPECT_EQ(slurp(path), c.content);
        }
      }
    }
  }
  g_language = 0;
}

// The imports: no rows and a message for each unusable input, and a read
// error part-way is no shorter import.
TEST_F(SchoolFileReads, ImportsTellUnusableInputFiles) {
  using Reader = int (*)(const std::string&, const ImportTell&);
  struct Import {
    const char* id;
    Reader read;
  };
  const Import imports[] = {
      {"spreadsheet", [](const std::string& p, const ImportTell& tell) {
         SpreadsheetImport out;
         return og_read_spreadsheet_text(p, out, tell);
       }},
      {"sissi", [](const std::string& p, const ImportTell& tell) {
         SissiImport out;
         return og_read_sissi_export(p, false, out, tell);
       }},
      {"orario facile", [](const std::string& p, const ImportTell& tell) {
         ImportedLessons out;
         return og_read_orario_facile(p, out, tell);
       }},
      {"argo", [](const std::string& p, const ImportTell& tell) {
         ImportedLessons out;
         return og_read_argo_darwin(p, out, tell);
       }},
  };
  std::string long_text;
  for (int i = 0; i < 400; ++i) long_text += "1A|ITALIANO|ROSSI MARIO|5|\n";
  struct Input {
    const char* id;
    std::string content;
    long fail_after;
    const char* message;
  };
  const Input inputs[] = {
      {"missing", "<none>", -1, "Manca file di importazione"},
      {"empty", "", -1, "Il file "},
      {"folder", "<dir>", -1, ""},
      {"read error", long_text, 2000, "Errore di lettura del file"},
  };
  for (const Import& import : imports) {
    for (const Input& input : inputs) {
      SCOPED_TRACE(std::string(import.id) + " " + input.id);
      std::string path = dir_ + "/import.txt";
      fs::remove_all(path);
      if (std::string(input.content) != "<none>") put(path, input.content);
      og_clear_structure();
      og_clear_school_blocks();
      g_handed = 0;
      g_fail_after = input.fail_after;
      std::vector<std::string> told;
      int rc = import.read(path, [&](const std::string& text) { told.push_back(text); });
      g_fail_after = -1;
      EXPECT_EQ(rc, -1);
      ASSERT_EQ(told.size(), 1u);
      EXPECT_EQ(told[0].rfind(input.message, 0), 0u) << told[0];
      EXPECT_NE(told[0].find(path), std::string::npos) << told[0];
    }
  }
}

}  // namespace
