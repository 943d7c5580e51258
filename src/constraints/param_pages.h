// Corapage: the general-parameter pages (five pages of one row table,
// g_param_page_table). Each row of the current page is a summary button of
// its band table that opens the band-table picker on the working settings;
// the second page also shows the two exceptional-day tables. The frame's
// four parameter commands choose the page (SelectPage); the fourth becomes
// the fifth page in schools with several buildings or building rotation.
//
// Invariant: the slots (rows of the current page with their default bands)
// live in the page object, not in its window, so re-opening the page after
// an abandon rebuilds it from the same slots. The page edits the working
// settings directly; only its save button or the unsaved-changes prompt
// writes them to the school files.
#pragma once

#include <array>

#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"
#include "constraints/param_page_base.h"
#include "constraints/param_page_table.h"
#include "pickers/summary_buttons.h"
#include "schooldata/ui_school_model.h"
#include "shell/coloured_texts.h"

class Corapage : public CParamPageBase {
 public:
  static constexpr int kTemplate = 138;
  static constexpr int kSlots = 8;
  static constexpr int kTitleId = 1600;
  static constexpr int kFirstBandId = 1601;   // "BHQPG0" .. "BHQPG7"
  static constexpr int kFirstHelpId = 1611;
  static constexpr int kExtraIds[2] = {1620, 1622};      // presence, teaching
  static constexpr int kExtraHelpIds[2] = {1621, 1623};
  static constexpr int kHelpPaneId = 1625;
  static constexpr int kSaveId = 1626;
  static constexpr int kAbandonId = 1627;
  static constexpr int kHowToId = 1628;
  static constexpr int kReminderId = 1629;

  Corapage() : CParamPageBase(kTemplate) {}

  // Fills the slots with the rows of page `mode` (1-4, the fourth becoming
  // the fifth with several buildings) and their default bands.
  void SelectPage(int mode);
  int Page() const { return m_page; }
  void OnBandButton(int slot);

 protected:
  void DoDataExchange(kt::ui::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  struct Slot {
    bool used = false;
    ParamPageRow row{};
    UiHq2Table defaults{};
  };
  void ShowExtraTables(bool show);
  void OnSlotHelp(int slot);
  void OnExtraButton(int table);
  void OnExtraHelp(int table);
  void OnPresence() { OnExtraButton(0); }
  void OnTeaching() { OnExtraButton(1); }
  void OnPresenceHelp() { OnExtraHelp(0); }
  void OnTeachingHelp() { OnExtraHelp(1); }
  void OnSave();
  void OnAbandon() { AbandonEdits(); }
  void OnHowTo();
  void WarnZeroBreaks();
  Hq3TableSpec ExtraSpec(int table);

  int m_page = 0;
  std::array<Slot, kSlots> m_slots{};
  std::array<Chq2, kSlots> m_pickers;
  std::array<Chq3, 2> m_extra_pickers;
  std::array<UiHq3Table, 2> m_extra_defaults{};

  CMutoML m_title;
  std::array<CBW_HQ2, kSlots> m_bands;
  std::array<CColorButton, kSlots> m_helps;
  std::array<CBW_HQ3, 2> m_extras;
  std::array<CColorButton, 2> m_extra_helps;
  CSpiegaML m_help;
  CColorButton m_save, m_abandon, m_howto;
  CStaticML m_reminder;

  KT_DECLARE_MESSAGE_MAP()
};

// The extra-day tables' default rows and specs, shared with the special
// options page; a table without a default row is a fatal error.
Hq3TableSpec extra_day_spec(int table, UiHq3Table& defaults);

// Registers template 138; idempotent.
void ui_register_param_page_templates();
