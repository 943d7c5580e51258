// The service copy of a school the server received, as the home page's
// service code runs it: the chooser starts in the server's folder, the
// school is copied into a folder named after it inside the chosen one, which
// becomes the current folder; the server's own copies (the received files
// and the zip named by the first twenty characters of the folder) are kept
// in the sibling folder MIRVOL, emptied first, and then leave the server's
// folder. Without the zip nothing is kept or removed; a school that does not
// read is copied nowhere and the current folder stays.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "platform/test_driver.h"
#include "schooldata/school_files.h"
#include "schooldata/service_tools.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "search_test_support.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/home_page.h"
#include "shell/message_box.h"

namespace {

using namespace kt_search_test;

std::map<std::string, std::string> files_of(const fs::path& folder) {
  std::map<std::string, std::string> out;
  if (!fs::exists(folder)) return out;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) {
      std::ifstream in(e.path(), std::ios::binary);
      out[e.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
    }
  return out;
}

class ReceivedCopy : public SearchFolders {
 protected:
  void SetUp() override {
    SearchFolders::SetUp();
    ui_register_toolkit_templates();
    saved_chooser_ = g_school_folder_chooser;
    g_school_folder_chooser = [this](std::string& folder) {
      started_in_ = og_current_folder_path();
      folder = chosen_;
      return !chosen_.empty();
    };
    fs::current_path(drive_);
  }
  void TearDown() override {
    g_school_folder_chooser = saved_chooser_;
    og_clear_structure();
    SearchFolders::TearDown();
  }
  // A received school in the server's folder `name`, with a saved timetable.
  fs::path Received(const std::string& name) {
    fs::path folder = fs::path(drive_) / "VPS_Server_Data" / "MIRVAT" / name;
    fs::create_directories(folder);
    for (const char* file : {"scuola1.txt", "scuola2.txt"})
      fs::copy_file(fs::path(KT_SOURCE_DIR) / "examples/piccola" / file, folder / file);
    std::ofstream(folder / "savego.txt", std::ios::binary) << "orario salvato\n";
    std::ofstream(folder / "appunti.txt", std::ios::binary) << "non del server\n";
    return folder;
  }
  std::string chosen_;
  std::string started_in_;
  std::function<bool(std::string&)> saved_chooser_;
};

TEST_F(ReceivedCopy, TheServersCopiesAreKeptInMirvolAndLeaveTheServersFolder) {
  const std::string name = "Scuola Ricevuta Via Server 2024";  // more than twenty characters
  fs::path folder = Received(name);
  const auto received = files_of(folder);
  fs::path zip = fs::path(drive_) / "VPS_Server_Data" / "MIRVAT" / (name.substr(0, 20) + ".zip");
  std::ofstream(zip, std::ios::binary) << "PK zip del server";
  fs::path old = fs::path(drive_) / "VPS_Server_Data" / "MIRVOL";
  fs::create_directories(old);
  std::ofstream(old / "vecchio.txt", std::ios::binary) << "di una volta\n";
  chosen_ = "\\VPS_Server_Data\\MIRVAT\\" + name;
  kt::ui::TestDriver ui;
  og_run_service_tool(171011);
  EXPECT_EQ(started_in_, "\\VPS_Server_Data\\MIRVAT") << "the chooser starts in the server's folder";
  const std::string copy = chosen_ + "\\Scuola Media Giuseppe Verdi";
  EXPECT_EQ(og_current_folder_path(), copy);
  // The copy: every school file there was.
  auto copied = files_of(folder / "Scuola Media Giuseppe Verdi");
  EXPECT_EQ(copied, (std::map<std::string, std::string>{{"scuola1.txt", received.at("scuola1.txt")},
                                                         {"scuola2.txt", received.at("scuola2.txt")},
                                                         {"savego.txt", "orario salvato\n"}}));
  // The server's copies kept, the old ones gone.
  auto kept = files_of(old);
  EXPECT_EQ(kept, (std::map<std::string, std::string>{{"scuola1.txt", received.at("scuola1.txt")},
                                                       {"scuola2.txt", received.at("scuola2.txt")},
                                                       {"savego.txt", "orario salvato\n"},
                                                       {name.substr(0, 20) + ".zip", "PK zip del server"}}));
  // and gone from the server's folder; a file of no school stays.
  EXPECT_FALSE(fs::exists(zip));
  EXPECT_EQ(files_of(folder), (std::map<std::string, std::string>{{"appunti.txt", "non del server\n"}}));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ReceivedCopy, WithoutTheServersZipNothingIsKeptOrRemoved) {
  fs::path folder = Received("RICEVUTA");
  const auto received = files_of(folder);
  chosen_ = "\\VPS_Server_Data\\MIRVAT\\RICEVUTA";
  kt::ui::TestDriver ui;
  og_run_service_tool(171011);
  EXPECT_EQ(og_current_folder_path(), chosen_ + "\\Scuola Media Giuseppe Verdi");
  EXPECT_EQ(files_of(folder), received);
  EXPECT_FALSE(fs::exists(fs::path(drive_) / "VPS_Server_Data" / "MIRVOL"));
  EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(ReceivedCopy, ASchoolThatDoesNotReadIsCopiedNowhere) {
  fs::path folder = Received("GUASTA");
  std::ofstream(folder / "scuola1.txt", std::ios::binary) << "\x01\x02 rovinato\n";
  std::ofstream(fs::path(drive_) / "VPS_Server_Data" / "MIRVAT" / "GUASTA.zip", std::ios::binary) << "PK";
  const auto received = files_of(folder);
  const std::string before = og_current_folder_path();
  chosen_ = "\\VPS_Server_Data\\MIRVAT\\GUASTA";
  kt::ui::TestDriver ui;
  ui.AnswerNextModal(kt::ui::kIdOk);
  og_run_service_tool(171011);
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].texts.at(0), "Archivio non leggibile");
  EXPECT_EQ(og_current_folder_path(), before) << "the folder before the copy";
  EXPECT_EQ(files_of(folder), received);
  EXPECT_FALSE(fs::exists(folder / "Scuola Media Giuseppe Verdi"));
  EXPECT_FALSE(fs::exists(fs::path(drive_) / "VPS_Server_Data" / "MIRVOL"));
  // Cancelled in the chooser: nothing either.
  chosen_.clear();
  og_run_service_tool(171011);
  EXPECT_EQ(og_current_folder_path(), before);
}

}  // namespace
