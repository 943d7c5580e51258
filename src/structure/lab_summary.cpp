// Behaviour and template of the summary of lab lessons still to assign
// (see lab_summary.h). The day column shows the two-letter code of the day
// in the user's language; the lab group's name is shown in upper case.
#include "structure/lab_summary.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/model.h"
#include "engine/week_grid_access.h"
#include "platform/cp1252.h"
#include "shell/list_utilities.h"
#include "shell/ml_text.h"

using namespace kt::ui;

Ccontagrullab g_contagrullab;

namespace {

const char* const kDayCodes[3][7] = {{"LU", "MA", "ME", "GI", "VE", "SA", "DO"},
                                     {"MO", "DI", "MI", "DO", "FR", "SA", "SO"},
                                     {"MO", "TU", "WE", "TH", "FR", "SA", "SU"}};
const char* const kHeadings[5] = {"Professore", "Classe", "Giorno", "Ora", "Gruppo Laboratori"};

const ControlTemplate kControls[] = {
    {"ListView", Ccontagrullab::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 4, 4, 292,
     132},
};
const DialogTemplate kLabSummaryTemplate = {Ccontagrullab::kTemplate, "Riepilogo Laboratori da Assegnare",
                                            kWsPopup | kWsCaption | kWsThickFrame, 0, 0, 300, 140, kControls};

}  // namespace

Ccontagrullab::~Ccontagrullab() {
  if (m_created) DestroyWindow();
}

int Ccontagrullab::Create(Window* parent) {
  if (m_created) return 0;
  if (find_dialog_template(kLabSummaryTemplate.id) != &kLabSummaryTemplate)
    register_dialog_template(kLabSummaryTemplate);
  if (!Dialog::Create(kTemplate, parent)) return 0;
  m_created = true;
  return 1;
}

int Ccontagrullab::DestroyWindow() {
  if (!m_created) return 1;
  m_created = false;
  return CResizableDialog::DestroyWindow();
}

void Ccontagrullab::OnDestroy() {
  m_created = false;
  CResizableDialog::OnDestroy();
}

void Ccontagrullab::DoDataExchange(DataExchange& dx) { dx.Control(kListId, m_list); }

bool Ccontagrullab::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  AnchorControl(kListId, kAnchorTopLeft, kAnchorBottomRight);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  for (int c = 0; c < 5; ++c) {
    int width = int(std::strlen(kHeadings[c])) * (c == 4 ? 4 : 8);
    m_list.InsertColumn(c, kHeadings[c], kLvcfmtLeft, width);
  }
  return true;
}

bool Ccontagrullab::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId && header->code == kLvnColumnClick) {
    m_sort_column = reinterpret_cast<ListViewNotify*>(l)->subitem;
    ui_sort_list_by_column(m_list, m_sort_column, 0, 0);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void Ccontagrullab::RefreshList() {
  if (!m_created) return;
  m_list.DeleteAllItems();
  int language = ui_language();
  const char* teacher = nullptr;
  const char* class_name = nullptr;
  const char* lab_group = nullptr;
  int day = -1, hour = -1;
  for (int given = or_iterate_class_room_lessons(1, &teacher, &class_name, &lab_group, &day, &hour); given >= 1;
       given = or_iterate_class_room_lessons(0, &teacher, &class_name, &lab_group, &day, &hour)) {
    int row = m_list.InsertItem(m_list.GetItemCount(), teacher ? teacher : "");
    m_list.SetItemText(row, 1, class_name ? class_name : "");
    m_list.SetItemText(row, 2, day >= 0 && day < 7 ? kDayCodes[language >= 0 && language <= 2 ? language : 0][day] : "");
    m_list.SetItemText(row, 3, std::to_string(hour + 1));
    std::string group(lab_group ? lab_group : "", lab_group ? strnlen(lab_group, kNameSize) : 0);
    for (char& ch : group) ch = char(kt::cp1252_upper(static_cast<unsigned char>(ch)));
    m_list.SetItemText(row, 4, group);
  }
  ui_fit_list_columns_to_content(m_list, -1, -1);
  if (m_list.GetItemCount() == 0) {
    ShowWindow(kSwHide);
    return;
  }
  ShowWindow(kSwShow);
  if (m_sort_column >= 0) ui_sort_list_by_column(m_list, m_sort_column, 0, kListSortKeep);
}
