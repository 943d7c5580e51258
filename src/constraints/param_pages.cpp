// Behaviour of the general-parameter pages (see param_pages.h): choosing a
// page's rows, showing one summary button per row, opening the band-table
// pickers on the working settings, the zero-break warning of 11.2, and
// Enter on a focused band button. A page has at most eight rows and two
// extra tables, so every refresh redraws all of them.
#include "constraints/param_pages.h"

#include <cstdio>

#include "schooldata/band_defaults.h"
#include "shell/app_startup.h"
#include "shell/frame.h"
#include "shell/message_box.h"

using namespace kt::ui;

namespace {

const MlText kZeroBreak = {
    "ATTENZIONE.\nIl valore ZERO nei giorni pausa significa che il docente che vedesse una classe per %d giorni, "
    "dovrebbe vederla in giorni tutti consecutivi: situazione eccezionale e insolita.\n\nIl valore utile "
    "comunemente è UN giorno di pausa per chi vede le classi in 2 o 3 giorni.\n\nSe non volete gestire questo "
    "vincolo, eliminate dalla tabella la colonna del caso %d.\n\nNB: solitamente questo vincolo è ignorato nella "
    "scuola primaria, ed è tassativamente richiesto nella secondaria e superiore."_cp,
    "ACHTUNG.\nDer Wert NULL bei den Pausentagen bedeutet, dass ein Lehrer, der eine Klasse an %d Tagen sieht, sie "
    "an lauter aufeinanderfolgenden Tagen sehen müsste: eine ungewöhnliche Lage.\n\nÜblich ist EIN Pausentag "
    "für Klassen an 2 oder 3 Tagen.\n\nWenn Sie diese Begrenzung nicht wollen, löschen Sie die Spalte des Falles "
    "%d aus der Tabelle."_cp,
    "WARNING.\nThe value ZERO in the days of break means that a teacher who saw a class on %d days would have to "
    "see it on consecutive days only: an exceptional and unusual situation.\n\nThe usual value is ONE day of "
    "break for those who see their classes on 2 or 3 days.\n\nIf you do not want this constraint, delete the "
    "column of case %d from the table.\n\nNB: this constraint is usually ignored in primary schools, and strictly "
    "required in secondary schools."};

}  // namespace

Hq3TableSpec extra_day_spec(int table, UiHq3Table& defaults) {
  const ExtraDayTable& extra = g_extra_day_tables[table & 1];
  auto* target = reinterpret_cast<UiHq3Table*>(extra.spec.triples);
  if (og_get_hq3_defaults(target, &defaults, 0) < 0)
    og_fatal_config_error("Mancano dati di default per una struttura hq3", "", "orapage", __LINE__);
  Hq3TableSpec spec = extra.spec;
  spec.defaults = &defaults.triples[0][0];
  return spec;
}

KT_BEGIN_MESSAGE_MAP(Corapage, CParamPageBase)
  KT_ON_COMMAND_RANGE(kFirstBandId, kFirstBandId + kSlots - 1, OnBandButton)
  KT_ON_COMMAND_RANGE(kFirstHelpId, kFirstHelpId + kSlots - 1, OnSlotHelp)
  KT_ON_COMMAND(1620, OnPresence)
  KT_ON_COMMAND(1622, OnTeaching)
  KT_ON_COMMAND(1621, OnPresenceHelp)
  KT_ON_COMMAND(1623, OnTeachingHelp)
  KT_ON_COMMAND(kSaveId, OnSave)
  KT_ON_COMMAND(kAbandonId, OnAbandon)
  KT_ON_COMMAND(kHowToId, OnHowTo)
KT_END_MESSAGE_MAP()

void Corapage::SelectPage(int mode) {
  int page = mode;
  if (page == 4 && (g_ui_settings.building_count > 1 || g_ui_settings.rotation_breaks[0] != 0)) page = 5;
  int titles = 0, first = -1;
  for (int i = 0; i < kParamPageRows && first < 0; ++i)
    if (g_param_page_table[i].page_title && ++titles == page) first = i;
  if (first < 0) og_fatal_system_error("Pagina richiesta non configurata", "orapage", __LINE__);
  m_page = page;
  m_slots = {};
  for (int i = first, k = 0; i < kParamPageRows && k < kSlots; ++i, ++k) {
    if (i > first && g_param_page_table[i].page_title) break;
    Slot& slot = m_slots[std::size_t(k)];
    slot.used = true;
    slot.row = g_param_page_table[i];
    auto* table = reinterpret_cast<UiHq2Table*>(slot.row.spec.pairs);
    if (og_get_hq2_defaults(table, &slot.defaults, 0) < 0)
      og_fatal_config_error("Mancano dati di default per una struttura HQ2", "", "orapage", __LINE__);
    slot.row.spec.defaults = &slot.defaults.pairs[0][0];
  }
}

void Corapage::DoDataExchange(DataExchange& dx) {
  dx.Control(kTitleId, m_title);
  for (int k = 0; k < kSlots; ++k) {
    dx.Control(kFirstBandId + k, m_bands[std::size_t(k)]);
    dx.Control(kFirstHelpId + k, m_helps[std::size_t(k)]);
  }
  for (int t = 0; t < 2; ++t) {
    dx.Control(kExtraIds[t], m_extras[std::size_t(t)]);
    dx.Control(kExtraHelpIds[t], m_extra_helps[std::size_t(t)]);
  }
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHowToId, m_howto);
  dx.Control(kReminderId, m_reminder);
}

Hq3TableSpec Corapage::ExtraSpec(int table) { return extra_day_spec(table, m_extra_defaults[std::size_t(table)]); }

void Corapage::ShowExtraTables(bool show) {
  for (int t = 0; t < 2; ++t) {
    if (show) {
      const ExtraDayTable& extra = g_extra_day_tables[t];
      m_extra_pickers[std::size_t(t)].SetBandData(&m_extras[std::size_t(t)], extra.caption->Get(),
                                                  extra.band_caption->Get(), extra.second_caption->Get(),
                                                  extra.quantity_caption->Get(), extra.explanation, ExtraSpec(t));
    }
    m_extras[std::size_t(t)].ShowWindow(show ? kSwShow : kSwHide);
    m_extra_helps[std::size_t(t)].ShowWindow(show ? kSwShow : kSwHide);
  }
}

bool Corapage::OnInitDialog() {
  CParamPageBase::OnInitDialog();
  InitPage("11..14 Tabelle");
  if (g_pages.m_parameter_page) SelectPage(g_pages.m_parameter_page);
  for (int k = 0; k < kSlots; ++k) {
    Slot& slot = m_slots[std::size_t(k)];
    if (slot.used && slot.row.page_title) {
      m_title.SetWindowText(slot.row.page_title->Get());
      m_title.SetTranslated(true);
      ShowExtraTables(slot.row.extra_tables != 0);
    }
    if (slot.used) {
      const ParamPageRow& row = slot.row;
      m_pickers[std::size_t(k)].SetBandData(&m_bands[std::size_t(k)], row.caption->Get(), row.band_caption->Get(),
                                            row.quantity_caption->Get(), row.explanation, row.spec);
    } else {
      for (Window* w : {static_cast<Window*>(&m_bands[std::size_t(k)]), static_cast<Window*>(&m_helps[std::size_t(k)])}) {
        w->EnableWindow(false);
        w->ShowWindow(kSwHide);
      }
    }
  }
  if (!m_slots[0].used) ShowExtraTables(false);
  m_help.SetTextML(&kParamGeneralHelp);
  m_save.SetFocus();
  return false;
}

void Corapage::OnBandButton(int k) {
  if (k < 0 || k >= kSlots || !m_slots[std::size_t(k)].used) return;
  const ParamPageRow& row = m_slots[std::size_t(k)].row;
  Chq2& picker = m_pickers[std::size_t(k)];
  m_help.SetTextML(row.explanation);
  picker.SetBandData(&m_bands[std::size_t(k)], row.caption->Get(), row.band_caption->Get(),
                     row.quantity_caption->Get(), row.explanation, row.spec);
  picker.DoModal();
  picker.SetBandData(&m_bands[std::size_t(k)], nullptr, nullptr, nullptr, nullptr, row.spec);
  if (row.check_letter == 'e') WarnZeroBreaks();
}

// Zero days of break for a band of days makes the teacher see that class on
// consecutive days only: legal, but rarely meant. Only the table's used
// rows count: an empty row of this table holds band 1 (its minimum less one).
void Corapage::WarnZeroBreaks() {
  const UiHq2Table& table = g_ui_settings.giornipausacl;
  int count = table.count > 9 ? 9 : table.count;
  for (int i = 0; i < count; ++i) {
    int band = table.pairs[i][0];
    if (band < 2 || table.pairs[i][1] != 0) continue;
    char text[1200];
    std::snprintf(text, sizeof text, kZeroBreak.Get(), band, band);
    ui_message_box(text);
  }
}

void Corapage::OnSlotHelp(int k) {
  if (k >= 0 && k < kSlots && m_slots[std::size_t(k)].used) m_help.SetTextML(m_slots[std::size_t(k)].row.explanation);
}

void Corapage::OnExtraButton(int t) {
  const ExtraDayTable& extra = g_extra_day_tables[t];
  Chq3& picker = m_extra_pickers[std::size_t(t)];
  m_help.SetTextML(extra.explanation);
  Hq3TableSpec spec = ExtraSpec(t);
  picker.SetBandData(&m_extras[std::size_t(t)], extra.caption->Get(), extra.band_caption->Get(),
                     extra.second_caption->Get(), extra.quantity_caption->Get(), extra.explanation, spec);
  picker.DoModal();
  picker.SetBandData(&m_extras[std::size_t(t)], nullptr, nullptr, nullptr, nullptr, nullptr, spec);
}

void Corapage::OnExtraHelp(int t) { m_help.SetTextML(g_extra_day_tables[t].explanation); }

void Corapage::OnSave() { SaveSchool(); }

void Corapage::OnHowTo() { m_help.SetTextML(&kParamGeneralHelp); }

void Corapage::OnOK() {
  Window* focus = Window::GetFocus();
  for (int k = 0; k < kSlots; ++k)
    if (focus == &m_bands[std::size_t(k)]) {
      OnBandButton(k);
      return;
    }
  if (focus == &m_save) OnSave();
}
