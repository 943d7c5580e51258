// The support contact window: the folder text asks for a school folder
// only at the data root (compared without regard to case), a second
// request leaves the open window alone, each button reaches its service
// (hooks recorded here), a failed folder opening says so, and closing lets
// the next request make the window again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/test_driver.h"
#include "remote/service_windows.h"
#include "shell/message_box.h"
#include "structure/support_contact.h"

namespace {

using namespace kt::ui;

class SupportContact : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = support_contact_hooks();
    setenv("KESTRINTEMPUS_ROOT", ::testing::TempDir().c_str(), 1);
    SupportContactHooks& h = support_contact_hooks();
    h.open_folder = [this](const std::string& folder) {
      calls_.push_back("open");
      return !folder.empty() && open_works_;
    };
    h.search_data_files = [this] { calls_.push_back("search"); };
    h.show_assistance_console = [this] { calls_.push_back("chat"); };
    h.show_callback_dialog = [this](int code) { calls_.push_back("call" + std::to_string(code)); };
    h.show_toll_free_number = [this] { calls_.push_back("toll"); };
  }
  void TearDown() override { support_contact_hooks() = saved_; }

  SupportContactHooks saved_;
  std::vector<std::string> calls_;
  bool open_works_ = true;
};

TEST_F(SupportContact, FolderTextAsksForASchoolFolderAtTheRoot) {
  std::string root = kt::translate_path("\\KestrinTempusDati\\");
  std::string upper = root;
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  const std::string ask = "\\ [ cartella che avrete creato per i dati della vostra scuola ]";
  EXPECT_EQ(support_contact_folder_text(root), root + ask);
  EXPECT_EQ(support_contact_folder_text(upper), upper + ask);
  EXPECT_EQ(support_contact_folder_text(root + "Liceo"), root + "Liceo");
  EXPECT_EQ(support_contact_folder_text(""), "");
}

TEST_F(SupportContact, ButtonsReachTheirServicesAndCloseAllowsANewWindow) {
  ui_register_toolkit_templates();
  TestDriver ui;
  Cemergex window;
  ASSERT_EQ(window.Create(nullptr), 1);
  window.ShowWindow(kSwShow);  // the caller shows a window it made
  EXPECT_EQ(window.Create(nullptr), 0);
  EXPECT_FALSE(ui.IsVisible(window, Cemergex::kPictureId));
  for (int id : {Cemergex::kOpenFolderIds[0], Cemergex::kOpenFolderIds[2], Cemergex::kSearchId,
                 Cemergex::kChatIds[1], Cemergex::kBookCallIds[0], Cemergex::kTollFreeIds[1]})
    ui.Click(window, id);
  EXPECT_EQ(calls_, (std::vector<std::string>{"open", "open", "search", "chat", "call5", "toll"}));
  open_works_ = false;
  ui.PressInNextModal(CMessageBox::kButtonIds[0]);
  ui.Click(window, Cemergex::kOpenFolderIds[1]);
  bool said = false;
  for (const auto& box : ui.boxes())
    for (const std::string& t : box.texts)
      said = said || t.rfind("Nessun programma apre le cartelle su questo computer: installare xdg-utils", 0) == 0;
  EXPECT_TRUE(said);
  ui.Click(window, Cemergex::kCloseId);
  EXPECT_FALSE(window.IsCreated());
  EXPECT_FALSE(window.IsWindow());
  EXPECT_EQ(window.Create(nullptr), 1);
  window.ShowWindow(kSwShow);
  window.SendMessage(kMsgCommand, make_command_param(kIdCancel, 0), 0);
  EXPECT_FALSE(window.IsCreated());
  EXPECT_TRUE(ui.Problems().empty());
}

// The program's own hooks: the chat opens the assistance console and the
// call-back request its dialog; each says in the user's language that the
// service is not available here, and so does each request made in it.
TEST_F(SupportContact, ChatAndCallBackSayTheyAreNotAvailable) {
  support_contact_hooks() = saved_;
  ui_register_toolkit_templates();
  TestDriver ui;
  Cemergex window;
  ASSERT_EQ(window.Create(nullptr), 1);
  window.ShowWindow(kSwShow);
  struct Case {
    int button;
    CRemoteWindow* opened;
    const char* notice;
  };
  const Case cases[] = {
      {Cemergex::kChatIds[0], &g_krv_console, "L'assistenza On Line non è disponibile in questa versione"},
      {Cemergex::kBookCallIds[0], &g_krv_phone,
       "La prenotazione di una chiamata telefonica non è disponibile in questa versione"},
  };
  for (const Case& c : cases) {
    ui.Click(window, c.button);
    ASSERT_TRUE(c.opened->IsCreated()) << c.notice;
    EXPECT_TRUE(c.opened->IsWindowVisible()) << c.notice;
    EXPECT_NE(ui.Text(*c.opened, CRemoteWindow::kNoticeId).find(kt::utf8_to_cp1252(c.notice)), std::string::npos)
        << ui.Text(*c.opened, CRemoteWindow::kNoticeId);
    ui.PressInNextModal(CMessageBox::kButtonIds[0]);
    ui.Click(*c.opened, CRemoteWindow::kRequestId);
    ASSERT_FALSE(ui.boxes().empty());
    EXPECT_EQ(ui.boxes().back().texts[0], krv_not_available_text().Get());
    ui.Click(*c.opened, CRemoteWindow::kCloseId);  // closing hides it; it stays made
    EXPECT_FALSE(c.opened->IsWindowVisible());
    EXPECT_TRUE(c.opened->IsCreated());
    c.opened->DestroyWindow();
  }
  EXPECT_EQ(ui.boxes().size(), 2u);
  window.SendMessage(kMsgCommand, make_command_param(kIdCancel, 0), 0);
  EXPECT_TRUE(ui.Problems().empty());
}

}  // namespace
