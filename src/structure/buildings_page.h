// Cplessi, configuration step "2 Plessi": the school's buildings and the
// rules by which teachers move between them within a day. Two halves that
// exclude each other by the building count: with 2 to 10 buildings the
// names, the no-transfer flags, up to three buildings reachable in the
// break without a gap hour (each after an hour), the transfer minutes and
// the classes-to-buildings dialog; with one building the rotation groups
// of classes that move to a branch and up to four break hours.
//
// Edits go into the working model at once; the page leaves only after its
// check passes and the unsaved-changes prompt agrees. The page object's
// class order and sort directions, and the name kept for the first
// building while there is one, last as long as the program.
#pragma once

#include <array>
#include <cstdint>

#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "shell/resizable_dialog.h"
#include "structure/class_order_list.h"

class Cplessi : public CResizableDialog {
 public:
  static constexpr int kTemplate = 141;
  static constexpr int kBuildings = 10, kSlots = 3;
  enum Id {
    kCountId = 1300, kMinId = 1390, kMaxId, kAssociateId, kClassListId, kGroupId, kNoRotationId,
    kFirstRotationHourId, kSaveId = kFirstRotationHourId + 4, kAbandonId, kHowToId, kHelpPaneId,
    kNamesHelpId, kStaticHelpId, kRotationHelpId, kNoTransferHelpId, kReachableHelpId, kMinutesHelpId,
    kGroupsHelpId,
  };
  static constexpr int kFirstNameId = 1310, kFirstNoTransferId = 1320, kFirstReachableId = 1330,
                       kFirstHourId = 1360;
  static constexpr int reachable_id(int b, int s) { return kFirstReachableId + b * kSlots + s; }
  static constexpr int hour_id(int b, int s) { return kFirstHourId + b * kSlots + s; }

  Cplessi() : CResizableDialog(kTemplate, nullptr, kt::ui::rgb(244, 244, 244)) {}

  // Replaceable modal run of the classes-to-buildings dialog (tests).
  static int (*s_run_class_buildings)();

  int DestroyWindow() override;

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;

 private:
  void OnColumnClick(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void OnListChanged(kt::ui::NotifyHeader* header, kt::ui::LResult* result);
  void OnCount();
  void OnName(int b);
  void OnNoTransfer(int b);
  void OnReachable(int b, int s);
  void OnHour(int b, int s);
  void OnMinutes();
  void OnRotationHour(int k);
  void OnGroup(int group);
  void OnAssociate();
  void OnSave();
  void OnHelp(int id);
  void ApplyEnabling();
  void RebuildReachable();
  void Compact(int b);
  void FillRows();
  void SortBy(int column);
  bool Check();

  std::array<kt::ui::Edit, kBuildings> m_names;
  std::array<CCheck, kBuildings> m_no_transfer;
  std::array<kt::ui::ComboBox, kBuildings * kSlots> m_reachable, m_hours;
  std::array<kt::ui::ComboBox, 4> m_rotation_hours;
  kt::ui::ComboBox m_count, m_min, m_max, m_group;
  kt::ui::ListView m_list;
  CColorButton m_associate, m_no_rotation, m_save, m_abandon;
  std::array<CColorButton, 8> m_help_buttons;
  CSpiegaML m_help;
  bool m_filling = false;
  bool m_abandoning = false;  // ABBANDONA: edits the check refuses may be dropped
  std::uint8_t m_opened_rotation = 0;
  std::int8_t m_opened_count = 0;
  static ClassOrderList s_order;
  static char s_kept_first_name[21];

  KT_DECLARE_MESSAGE_MAP()
};

extern Cplessi g_buildings_page;
void ui_register_buildings_page_template();
