// Cpale, the gyms and shared rooms page (template 145): rooms in which
// several classes may have a lesson of the same subject at once (a gym, a
// music room, the canteen of a full-time school). Each room has a building,
// a main subject and up to three other subjects that occupy it, how many
// classes it holds at once, its hours with a class count per hour, and a
// few rarely used restrictions (a minimum of classes, pairings of class
// years, sharing limits, a product of classes and hours).
//
// Every change of a control applies the room named in the name box to the
// working settings at once (Apply); one room per subject and building. The
// room count and the 40 UiGym records live in UiSchoolSettings; deleting a
// room moves the following records down, so rooms keep no index of theirs.
#pragma once

#include <array>

#include "pickers/band_table_picker.h"
#include "pickers/summary_buttons.h"
#include "pickers/week_grid_values.h"
#include "platform/ui.h"
#include "shell/color_button.h"
#include "shell/coloured_texts.h"
#include "shell/help_pane.h"
#include "structure/dictionary_page.h"

class Cpale : public CDictionaryPage {
 public:
  static constexpr int kTemplate = 145;
  static constexpr int kPairRows = 9;
  static constexpr int kHelpTexts = 11;
  enum Id {
    kListId = 1301,
    kNameId,
    kBuildingId,
    kFirstSubjectId,
    kFirstClearId = kFirstSubjectId + 4,
    kCapacityId = kFirstClearId + 3,
    kHoursId,
    kMinimumId,
    kEmptyOrMinimumId,
    kMinimumFromHourId,
    kProductId,
    kSharingId,
    kToleratedId,
    kAddId,
    kRenameId,
    kDeleteId,
    kSaveId,
    kAbandonId,
    kHelpPaneId,
    kNoticeId,
    kFirstPairId,
    kFirstPartnerId = kFirstPairId + kPairRows,
    kFirstHelpButtonId = kFirstPartnerId + kPairRows,
    kFirstStaticId = kFirstHelpButtonId + 6,
  };
  static constexpr int kHelpButtons = 6;
  static constexpr int kStatics = 10 + kPairRows;

  // Modes of Apply.
  enum class ApplyMode { kAdd, kPlain, kPairing };
  // What Apply did: nothing to apply, applied, or refused with a message.
  enum class Applied { kNothing, kDone, kRefused };

  Cpale() : CDictionaryPage(kTemplate, kSaveId, kAbandonId) {}

  Applied Apply(ApplyMode mode);
  void FillRoomList(bool rebuild);
  void ShowRoom(int room);
  bool CheckRooms();

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(kt::ui::WParam w, kt::ui::LParam l) override;
  bool OnNotify(kt::ui::WParam w, kt::ui::LParam l, kt::ui::LResult* result) override;
  bool CheckBeforeLeaving() override { return CheckRooms(); }
  void OnEnter(kt::ui::Window* focus) override;

 private:
  int NamedRoom() const;
  void ShowSelectedRoom();
  void EditHours();
  void EditSharing();
  void OnTolerated();
  void Rename();
  void DeleteRooms();
  void ShowSummaries(int room);
  void EnableMinimumOptions(int minimum);
  void ShowHelp(int index);

  CdwhCombo m_grid;
  Chq2 m_bands;

  kt::ui::ListView m_list;
  kt::ui::Edit m_name;
  kt::ui::ComboBox m_building, m_capacity, m_minimum, m_minimum_from_hour, m_product, m_tolerated;
  std::array<kt::ui::ComboBox, 4> m_subjects;
  std::array<kt::ui::ComboBox, kPairRows> m_pairs, m_partners;
  std::array<CColorButton, 3> m_clear;
  CCheckML m_empty_or_minimum;
  CBW_dwhCombo m_hours;
  CBW_HQ2 m_sharing;
  CColorButton m_add, m_rename, m_delete, m_save, m_abandon;
  std::array<CColorButton, kHelpButtons> m_help_buttons;
  CSpiegaML m_help;
  CMutoML m_notice;
  std::array<CStaticML, kStatics> m_statics;
};
