// Clapal, the labs page (template 144): the labs of the school, each in one
// building and, when shared with another school, available only at some
// hours of the week; and the lab groups, labs of one building that serve
// the same kind of lesson, of which a post tied to the group needs one free
// lab at each of its hours. Posts refer to labs and groups by index, so a
// deleted lab or group keeps its place with an empty name.
//
// Invariants kept here: a lab belongs to at most one group; a group's labs
// all lie in the building of its first lab; a group holds at most 20 labs.
// Also runs as a modal dialog on a caller's stack (a post being typed needs
// a new lab); the caller reads back the name of the lab added last.
#pragma once

#include <array>

#include "pickers/summary_buttons.h"
#include "pickers/week_grid_picker.h"
#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "structure/dictionary_page.h"

class Clapal : public CDictionaryPage {
 public:
  static constexpr int kTemplate = 144;
  enum Id {
    kLabNameId = 1201,
    kBuildingId,
    kAddLabId,
    kDeleteLabId,
    kRenameLabId,
    kHoursId,
    kLabListId,
    kGroupNameId,
    kAddGroupId,
    kDeleteGroupId,
    kRenameGroupId,
    kGroupListId,
    kCandidateId,
    kGroupLabsId,
    kRemoveId,
    kSaveId,
    kAbandonId,
    kHelpPaneId,
    kHintId,
    kNoticeId,
    kFirstHelpButtonId,
    kFirstStaticId = kFirstHelpButtonId + 3,
  };
  static constexpr int kHelpButtons = 3;
  static constexpr int kStatics = 4;

  Clapal() : CDictionaryPage(kTemplate, kSaveId, kAbandonId) {}

  char m_added_lab[21] = {};
  char m_added_group[21] = {};

  int FillLabList();
  void FillGroupList(int group);
  void AddLab();
  void DeleteLabs();
  void RenameLab();
  void EditLabHours();
  void AddLabGroup();
  void DeleteLabGroup();
  void RenameLabGroup();
  void AddLabToGroup();
  void RemoveLabFromGroup();
  bool CheckLabNames();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  bool CheckBeforeLeaving() override { return CheckLabNames(); }
  void OnEnter(kt::ui::Window* focus) override;

 private:
  int SelectedLab() const;
  int SelectedGroup() const;
  void ShowSelectedLab();
  void ShowSelectedGroup();
  void ShowLabHours(int lab);
  void OnListFocus(kt::ui::ListView& list);

  Cdwh m_grid;

  kt::ui::Edit m_lab_name, m_group_name;
  kt::ui::ComboBox m_building, m_candidates;
  kt::ui::ListView m_labs, m_groups;
  kt::ui::ListBox m_group_labs;
  CBW_dwh m_hours;
  CColorButton m_add_lab, m_delete_lab, m_rename_lab, m_add_group, m_delete_group, m_rename_group, m_remove;
  CColorButton m_save, m_abandon;
  std::array<CColorButton, kHelpButtons> m_help_buttons;
  CSpiegaML m_help;
  CStaticML m_hint;
  CMutoML m_notice;
  std::array<CStaticML, kStatics> m_statics;
};
