// Cmaterie, the subjects page (template 142): the dictionary of the
// subjects taught in the school. Subjects are added from the ministry list
// (Italian interface) or under a free name, get their type (conversation or
// ordinary) and the late-hours and non-teaching options, are renamed in
// place and deleted (hidden) when no post uses them. Every other page
// refers to a subject by its index, so a rename is seen everywhere and a
// subject in use can neither be deleted nor change its type.
//
// Also runs as a modal dialog on a caller's stack (a post being typed
// needs a new subject): m_type_restriction limits the type, renaming and
// deleting are refused, and the caller reads back the subject added last.
#pragma once

#include <array>
#include <cstdint>

#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "structure/dictionary_page.h"

class Cmaterie : public CDictionaryPage {
 public:
  static constexpr int kTemplate = 142;
  enum Id {
    kMinistryId = 1101,
    kAddMinistryId,
    kNameId,
    kAddNameId,
    kConversationId,
    kLateHoursId,
    kNonTeachingId,
    kListId,
    kRenameId,
    kDeleteId,
    kSaveId,
    kAbandonId,
    kHelpPaneId,
    kHintId,
    kFirstHelpButtonId,
    kFirstStaticId = kFirstHelpButtonId + 7,
  };
  static constexpr int kHelpButtons = 7;
  static constexpr int kStatics = 7;

  Cmaterie() : CDictionaryPage(kTemplate, kSaveId, kAbandonId) {}

  // 0 any type, 1 ordinary only, 2 conversation only (dialog form).
  int m_type_restriction = 0;
  // The subject added last: its name (both kinds of addition) and its
  // index (additions under a free name; -1 none).
  char m_added_name[21] = {};
  int m_added_index = -1;

  // Refills the list (clearing it first when asked); the row appended
  // last, or -1.
  int FillSubjectList(bool clear);
  void AddFromMinistryList();
  void AddOrUpdateSubject();
  void ShowSelectedSubject();
  void DeleteSelectedSubjects();
  void RenameSelectedSubjects();
  bool CheckSubjectNames();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  bool CheckBeforeLeaving() override { return CheckSubjectNames(); }
  void OnEnter(kt::ui::Window* focus) override;

 private:
  void SelectRow(int row);
  void OnListFocus();
  void OnNameFocus();
  void OnHelpButton(int index);


  kt::ui::ComboBox m_ministry;
  kt::ui::Edit m_name;
  CCheckML m_conversation, m_late_hours, m_non_teaching;
  kt::ui::ListView m_list;
  CColorButton m_add_ministry, m_add_name, m_rename, m_delete, m_save, m_abandon;
  std::array<CColorButton, kHelpButtons> m_help_buttons;
  CSpiegaML m_help;
  CStaticML m_hint;
  std::array<CStaticML, kStatics> m_statics;
};
