// The school-folder chooser's rows, the new-school steps and refusals, and
// the service archive unpacked safely into its own folder.
#include "schooldata/school_folder_list.h"

#include "platform/cp1252.h"
#include <minizip/zip.h>
#include <sys/resource.h>
#include <zlib.h>

#include <csignal>

#include "search_test_support.h"
#include "zip_test_support.h"
#include "shell/app_startup.h"
#include "platform/test_driver.h"
#include "schooldata/school_folder_choice.h"
#include "shell/message_box.h"

namespace {

using namespace kt_search_test;

class FolderList : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    data_ = drive_ + "/KestrinTempusDati";
    fs::create_directories(data_);
    fs::current_path(data_);
  }
  std::vector<std::string> names(const SchoolFolderListing& l) {
    std::vector<std::string> out;
    for (const SchoolFolderRow& r : l.rows) out.push_back(r.name + "=" + r.title);
    return out;
  }
  std::string data_;
};

TEST(FolderDataRoot, Table) {
  struct Case {
    const char* path;
    bool root;
  } cases[] = {{"\\KestrinTempusDati", true},    {"\\KestrinTempusDati\\", true}, {"C:\\KestrinTempusDati", true},
               {"\\KestrinTempusDati\\a", false}, {"\\kestrintempusdati", false},  {"\\KestrinTempusDatiX", false},
               {"\\", false}};
  for (const Case& c : cases) EXPECT_EQ(og_is_data_root_path(c.path), c.root) << c.path;
}

TEST_F(FolderList, DataRootListsAllButHiddenFolders) {
  file(data_ + "/liceo/scuola2.txt", "REM:Liceo|Scientifico\nREM:x\n");
  file(data_ + "/vuota/scuola1.txt", "x");
  file(data_ + "/Orario/x.txt", "x");
  file(data_ + "/.nascosta/scuola2.txt", "REM:no");
  file(data_ + "/plenixstatus.txt", "x");
  auto l = og_list_school_folders("\\KestrinTempusDati", false, 0);
  EXPECT_TRUE(l.at_data_root);
  EXPECT_EQ(names(l), (std::vector<std::string>{"Orario=", "liceo=Liceo Scientifico", "vuota="}));
  EXPECT_EQ(l.selected, 0);
}

TEST_F(FolderList, SchoolFolderHidesOutputFolders) {
  file(data_ + "/liceo/scuola2.txt", "REM:Liceo\n");
  for (const char* o : kChooserHiddenFolders) fs::create_directories(data_ + "/liceo/" + o);
  fs::create_directories(data_ + "/liceo/orario");  // another name: listed
  fs::create_directories(data_ + "/liceo/.svn");
  auto l = og_list_school_folders("\\KestrinTempusDati\\liceo", false, 2);
  EXPECT_FALSE(l.at_data_root);
  EXPECT_EQ(names(l), (std::vector<std::string>{".=Liceo", "..=Back to the list of folders and schools", ".svn=",
                                                 "orario="}));
  EXPECT_EQ(l.selected, 1);
  EXPECT_EQ(og_list_school_folders("\\KestrinTempusDati\\liceo", true, 2).selected, 0);
}

TEST(FolderNewName, Table) {
  struct Case {
    const char* typed;
    const char* want;
  } cases[] = {{"1a/b & c", "1a_b___c"}, {"Liceo Galilei", "Liceo_Galilei"}, {"Città"_cp, "Città"_cp}, {"", ""},
                 {"  Liceo  Volta ", "Liceo_Volta"}, {"   ", ""}};
  for (const Case& c : cases) EXPECT_EQ(og_new_school_folder_name(c.typed), c.want) << c.typed;
}

struct Script {
  std::vector<std::string> told, steps;
  std::string school = "Liceo Galilei", folder = "galilei";
  bool ok = true;
  int cloud = 0;
  NewSchoolHooks hooks() {
    NewSchoolHooks h;
    h.ask_names = [this](std::string* s, std::string* f) {
      steps.push_back("names");
      *s = school;
      *f = folder;
      return ok;
    };
    h.ask_cloud_share = [this] {
      steps.push_back("cloud");
      return cloud;
    };
    h.tell = [this](const std::string& t) { told.push_back(t); };
    h.read_description = [this] { std::ifstream in("scuola2.txt", std::ios::binary);
      steps.push_back("read:" + std::string(std::istreambuf_iterator<char>(in), {})); };
    h.set_school_code = [this](const std::string& c) { steps.push_back("code:" + c); };
    h.apply_new_school_defaults = [this] { steps.push_back("defaults"); };
    h.write_description = [this] { steps.push_back("write"); };
    return h;
  }
};

TEST_F(FolderList, NewSchoolRefusals) {
  file(data_ + "/liceo/scuola2.txt", "REM:Liceo\n");
  struct Case {
    const char* id;
    const char* folder;
    bool ok;
    int cloud;
    const char* previous_code;
    int result;
    std::size_t told;
  } cases[] = {
      {"cancelled", "nuova", false, 0, "", 1, 0},
      {"cloud-cancel", "nuova", true, -1, "K1", 1, 0},
      {"exists", "liceo", true, 0, "", 0, 1},
      {"empty-name", "", true, 0, "", 1, 1},
  };
  for (const Case& c : cases) {
    fs::current_path(data_);
    Script s;
    s.folder = c.folder;
    s.ok = c.ok;
    s.cloud = c.cloud;
    EXPECT_EQ(og_create_new_school(s.hooks(), c.previous_code, 2), c.result) << c.id;
    EXPECT_EQ(s.told.size(), c.told) << c.id;
    EXPECT_EQ(fs::current_path().string(), data_) << c.id;
    EXPECT_FALSE(fs::exists(data_ + "/nuova")) << c.id;
  }
  EXPECT_EQ(read(data_ + "/liceo/scuola2.txt"), "REM:Liceo\n");
}

TEST_F(FolderList, NewSchoolOutsideTheDataRootGoesBackThere) {
  file(data_ + "/liceo/scuola2.txt", "REM:Liceo\n");
  fs::current_path(data_ + "/liceo");
  Script s;
  EXPECT_EQ(og_create_new_school(s.hooks(), "", 2), 1);
  ASSERT_EQ(s.told.size(), 1u);
  EXPECT_EQ(s.told[0], "The new folders (and new schools) can be created only in the [\\KestrinTempusDati\\] folder.");
  EXPECT_TRUE(s.steps.empty());
  EXPECT_EQ(fs::current_path().string(), data_);
  EXPECT_FALSE(fs::exists(data_ + "/liceo/galilei"));
}

// A new school whose first file cannot be written (the disk full, here a
// file size limit) is not made: the user hears why, no empty folder stays
// behind, and no later step runs on the folder that was current.
TEST_F(FolderList, ANewSchoolThatCannotBeWrittenSaysSoAndLeavesNoFolder) {
  Script s;
  auto saved_handler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit tight = saved;
  tight.rlim_cur = 4;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  int result = og_create_new_school(s.hooks(), "", 2);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, saved_handler);
  EXPECT_EQ(result, 1);
  ASSERT_EQ(s.told.size(), 1u);
  EXPECT_EQ(s.told[0].rfind("The folder galilei of the new school cannot be created: ", 0), 0u) << s.told[0];
  EXPECT_EQ(s.steps, std::vector<std::string>{"names"});
  EXPECT_FALSE(fs::exists(data_ + "/galilei"));
  EXPECT_EQ(fs::current_path().string(), data_);
}

// The program's new-school steps tell their refusals in a message box.
TEST(NewSchoolHooks, RefusalsReachTheUserInABox) {
  kt::ui::TestDriver ui;
  ui_register_toolkit_templates();
  ui.AnswerNextModal(1);
  og_new_school_hooks().tell("Nome della scuola non valido");
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Nome della scuola non valido");
}

TEST_F(FolderList, ServiceArchiveIsExtractedSafely) {
  std::vector<std::string> told;
  auto tell = [&](const std::string& t) { told.push_back(t); };
  EXPECT_EQ(og_service_extraction("liceo", tell, 0), 1);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], "File \\VPS_Server_Data\\MIRVOL\\send_to_serviceB\\liceo_B.ZIP NON TROVATO in MIRVOL");
  std::string zip = drive_ + "/VPS_Server_Data/MIRVOL/send_to_serviceB/liceo_B.ZIP";
  fs::create_directories(fs::path(zip).parent_path());
  zipFile zf = zipOpen64(zip.c_str(), APPEND_STATUS_CREATE);
  for (const char* name : {"scuola2.txt", "../../evil.txt"}) {
    zip_fileinfo info{};
    zipOpenNewFileInZip(zf, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9);
    zipWriteInFileInZip(zf, "REM:x", 5);
    zipCloseFileInZip(zf);
  }
  zipClose(zf, nullptr);
  EXPECT_EQ(og_service_extraction("liceo", tell, 0), 0);
  std::string out = drive_ + "/KestrinTempusDati/ZZ_VOLANTE_DA_MIRVOL";
  EXPECT_EQ(fs::current_path().string(), out);
  EXPECT_TRUE(fs::exists(out + "/scuola2.txt"));
  EXPECT_TRUE(fs::exists(out + "/evil.txt"));
  EXPECT_FALSE(fs::exists(drive_ + "/evil.txt"));
}

// A whole school sent by the service desk: every entry is checked before
// the first is written, then written in a second walk from the first entry
// again. Folders come from their entries (a trailing slash or the folder
// bit of a Unix host), read-only files stay read-only (the MS-DOS bit, a
// Unix mode without the owner's write bit; high NTFS bits are dropped), and
// link entries are left out.
TEST_F(FolderList, AServiceArchiveIsExtractedWholeWithItsFoldersAndReadOnlyFiles) {
  using kt_zip_test::ZipItem;
  std::vector<ZipItem> items = {
      {"scuola2.txt", "REM:Scuola\n", 0, 0x21},
      {"Vuota/", "", 0, 0x10},
      {"Orario", "", 3, (040755u << 16) | 0x10},
      {"Orario/Orario Classi.txt", "classi", 3, 0100444u << 16},
      {"Orario/Orario Docenti.txt", "docenti", 3, 0100644u << 16},
      {"scuola1.txt", "STRUTTURA", 11, 0xFFFF00C1},
      {"collegamento", "/etc/passwd", 3, 0120777u << 16},
  };
  for (int i = 0; i < 5; ++i) items.push_back({"savego" + std::to_string(i) + ".txt", std::string(300 + i, 'a' + i)});
  std::string zip = drive_ + "/VPS_Server_Data/MIRVOL/send_to_serviceB/media_B.ZIP";
  fs::create_directories(fs::path(zip).parent_path());
  kt_zip_test::write_zip(zip, items);
  std::vector<std::string> told;
  ASSERT_EQ(og_service_extraction("media", [&](const std::string& t) { told.push_back(t); }, 0), 0);
  EXPECT_TRUE(told.empty());
  std::string out = drive_ + "/KestrinTempusDati/ZZ_VOLANTE_DA_MIRVOL";
  EXPECT_EQ(kt_zip_test::tree(out),
            (std::vector<std::string>{"Orario/", "Orario/Orario Classi.txt", "Orario/Orario Docenti.txt", "Vuota/",
                                      "savego0.txt", "savego1.txt", "savego2.txt", "savego3.txt", "savego4.txt",
                                      "scuola1.txt", "scuola2.txt"}));
  for (const ZipItem& item : items) {
    std::string path = out + "/" + item.name;
    if (item.data.empty() || item.name == "collegamento") continue;
    EXPECT_EQ(kt_zip_test::read_file(path), item.data) << item.name;
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0) << item.name;
    bool read_only = item.name == "scuola2.txt" || item.name == "scuola1.txt" || item.name == "Orario/Orario Classi.txt";
    EXPECT_EQ((st.st_mode & 0200) == 0, read_only) << item.name;
  }
}

}  // namespace
