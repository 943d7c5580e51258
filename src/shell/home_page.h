// CPlenixDlg, the home page (template 107): the open school folder and the
// school's description, the entry points of the program (school choice,
// configuration, processing, substitutions, archive, video, language, the
// folder in the file manager, clean-up of the output folders) and a help
// pane; its about command opens the about box. Entry points whose windows
// are not there answer with the "not available yet" message. Its first
// showing makes the frame's service windows; its timer shows the notices
// "Message.txt" and "Warning.txt" of the school folder.
//
// ui_require_school_folder is the check every menu and page makes before it
// works on a school: the current folder must not be the data root itself.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/system_open.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/message_viewer.h"
#include "shell/resizable_dialog.h"

class CPlenixDlg : public CResizableDialog {
 public:
  static constexpr int kTemplate = 107;
  static constexpr kt::ui::WParam kTimer = 987687656;
  static constexpr kt::ui::WParam kAboutCommand = 16;
  static constexpr int kFolderId = 1553, kDescriptionId = 1554, kVersionId = 1557, kHelpId = 1790;
  enum Button {
    kSelectSchool = 1031, kCreateSchool = 1216, kConfiguration = 1055, kProcessing = 1057, kSubstitutions = 1000,
    kArchive = 479, kVideo = 1785, kGettingStarted = 1053, kUserGuide = 1685, kItalian = 1549, kGerman = 1550,
    kEnglish = 1551, kFrench = 1556, kChooseLanguage = 1767, kExplore = 1061, kCleanOutput = 1622,
    kServiceTools = 1621, kAdvice = 1775, kTopLeft = 1896, kForum = 1555, kSocial = 1687, kRemoteReport = 1623,
    kHelpStart = 1049, kHelpCreate = 1062,
    kHelpProcessing = 1054, kHelpConfiguration = 1056, kHelpSubstitutions = 1058,
  };

  static constexpr int kButtonIds[] = {
      kSelectSchool, kHelpStart, kCreateSchool, kHelpCreate, kConfiguration, kHelpConfiguration, kProcessing,
      kHelpProcessing, kSubstitutions, kHelpSubstitutions, kArchive, kVideo, kUserGuide, kGettingStarted,
      kChooseLanguage, kItalian, kGerman, kEnglish, kFrench, kExplore, kCleanOutput, kServiceTools, kAdvice, kTopLeft, kForum, kSocial, kRemoteReport};
  static constexpr int kButtonCount = int(sizeof(kButtonIds) / sizeof(kButtonIds[0]));

  CPlenixDlg() : CResizableDialog(kTemplate) {}

  void RefreshSchoolInfo(int enter_data_root, int keep_saved_folder);
  int CheckNotices();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnTimer(kt::ui::WParam id) override;
  void OnCancel() override;
  void OnDestroy() override;
  void OnSysCommand(kt::ui::WParam command, kt::ui::LParam l) override;

 private:
  void OnSelectSchool();
  void OnCreateSchool();
  void OnConfiguration();
  void OnProcessing();
  void OnSubstitutions();
  void OnArchive();
  void OnLanguageLabel();
  void OnUserGuide();
  void OnGettingStarted();
  void OnAdvice();
  void OnForum();
  void OnSocial();
  void OpenWebPage(int which);
  void OnServiceTools();
  void OnLanguage(int index);
  void OnFrench();
  void OnExplore();
  void OnCleanOutput();
  void OnTopLeft();
  void OnHelp(int index);
  void OnVideo();
  void OnRemoteReport();

  CSpiegaML m_help;
  CColorButton m_buttons[kButtonCount];
  CMuto m_folder, m_description, m_version;
  Cmessshow m_notices[2];
  bool m_notices_checked = false;
  bool m_first_tick_done = false;

  KT_DECLARE_MESSAGE_MAP()
};

extern CPlenixDlg g_home_page;

// 1 when a school folder is current. In the data root a non-zero mode first
// asks for the school's 40-character cloud code (2 when it was entered and
// kept in the school header); otherwise, or when the user cancels, 0 after
// the message (mode 0 and 1) or silently (mode 2).
int ui_require_school_folder(int mode);
// The one-line input box the shell asks with (set by the program to its
// input box; the shell does not link the structure editors): the answer's
// buffer holds at least max + 1 bytes; kIdOk when the user confirmed.
extern std::function<int(const char* prompt, char* answer, int max)> g_ask_text;
// Opens a file or folder (program path) with the desktop's application.
bool ui_open_in_explorer(const char* path);
bool ui_open_explorer_in_data_root(const char* name);
// Starts the desktop's application; none set: xdg-open (tests set their own).
extern kt::DesktopLauncher g_desktop_launcher;

// How the home page chooses a school folder and creates a new one: hooks the
// program sets to the school-folder chooser (the shell does not link the
// school data); each gets the program path of the folder left current
// (false: cancelled). None set: the button answers "not available yet".
extern std::function<bool(std::string& folder)> g_school_folder_chooser;
// The class and the teacher the lesson pages last showed (-1 none): the
// per-class page starts on the class, the per-teacher page on the teacher.
// The home page forgets both before it opens the configuration menu.
extern std::int32_t g_selected_class;
extern std::int32_t g_selected_teacher;
// The creator gets in `folder` the folder open before the home page entered
// the data root for it, and makes it current again when it makes nothing.
extern std::function<bool(std::string& folder)> g_new_school_creator;
// The output folders the clean-up empties and removes, in order.
extern const char* const kOutputFolders[8];
