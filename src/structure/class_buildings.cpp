// Behaviour and template of the classes-to-buildings dialog (see
// class_buildings.h). Rows are found again by their class label, so a sort
// or a refill keeps the user's selection.
#include "structure/class_buildings.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/dialog_title.h"
#include "shell/message_box.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

namespace {

constexpr std::uint32_t kOwner = kBsOwnerDraw | kWsTabStop;

const ControlTemplate kControls[] = {
    {"ListView", Cplecla::kListId, "", kLvsReport | kLvsShowSelAlways | kWsBorder | kWsTabStop, 6, 6, 250, 220},
    {"Button", Cplecla::kListHelpId, "?", kOwner, 258, 6, 12, 12},
    {"Static", kStaticId, "Assegna le Classi selezionate al Plesso (Fabbricato scolastico):", 0, 276, 6, 180, 18},
    {"Button", Cplecla::kButtonsHelpId, "?", kOwner, 460, 6, 12, 12},
    {"Button", Cplecla::kFirstButtonId + 0, "", kOwner, 276, 28, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 0, "", 0, 430, 30, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 1, "", kOwner, 276, 46, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 1, "", 0, 430, 48, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 2, "", kOwner, 276, 64, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 2, "", 0, 430, 66, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 3, "", kOwner, 276, 82, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 3, "", 0, 430, 84, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 4, "", kOwner, 276, 100, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 4, "", 0, 430, 102, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 5, "", kOwner, 276, 118, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 5, "", 0, 430, 120, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 6, "", kOwner, 276, 136, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 6, "", 0, 430, 138, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 7, "", kOwner, 276, 154, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 7, "", 0, 430, 156, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 8, "", kOwner, 276, 172, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 8, "", 0, 430, 174, 30, 10},
    {"Button", Cplecla::kFirstButtonId + 9, "", kOwner, 276, 190, 150, 14},
    {"Static", Cplecla::kFirstCounterId + 9, "", 0, 430, 192, 30, 10},
    {"Button", Cplecla::kHowToId, "#Come  Procedere?", kOwner, 276, 212, 80, 14},
    {"Edit", Cplecla::kHelpPaneId, "", kEsMultiLine | kEsReadOnly | kWsBorder | kWsVScroll, 6, 230, 466, 44},
    {"Button", Cplecla::kSaveId, "!SALVA le modifiche", kOwner, 6, 278, 120, 16},
    {"Button", Cplecla::kAbandonId, "!ABBANDONA le modifiche", kOwner, 352, 278, 120, 16},
};

const DialogTemplate kTemplate = {Cplecla::kTemplate, "2A Plessi e Classi",
                                  kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame, 0, 0, 478, 300, kControls};

const MlText kPageHelp = {
    {"Usate questa pagina per associare le Classi ai Plessi (Fabbricati scolastici) in cui si trovano.\r\n"
     "Selezionate le Classi con un click ([CONTROL] + click per più Classi, [MAIUSCOLE] + click per una serie di "
     "Classi), poi premete il pulsante del Plesso."_cp,
     "Auf dieser Seite ordnen Sie die Klassen den Gebäuden zu, in denen sie sich befinden.\r\nKlassen mit einem "
     "Klick wählen ([STRG] für mehrere, [UMSCHALT] für eine Reihe), dann die Taste des Gebäudes drücken."_cp,
     "Use this page to associate the Classes with the Buildings they are in.\r\nSelect the Classes with a click "
     "([CONTROL] for several Classes, [SHIFT] for a run of Classes), then press the button of the Building."}};
const MlText kSortTip = {
    {"SUGGERIMENTO: se volete vedere, ad esempio, quali Sezioni ci sono in ciascun Plesso, dovete ordinare la "
     "tabella delle Classi clickando PRIMA sulla colonna SEZIONE, e DOPO sulla colonna PLESSO.\r\nUn secondo click "
     "sulla stessa colonna inverte l'ordine.",
     "TIPP: um zu sehen, welche Sektionen in jedem Gebäude sind, zuerst auf die Spalte SEKTION und dann auf die "
     "Spalte GEBÄUDE klicken.\r\nEin zweiter Klick kehrt die Reihenfolge um."_cp,
     "HINT: to see, for example, which Sections are in each Building, sort the table of Classes by clicking FIRST "
     "on the SECTION column and THEN on the BUILDING column.\r\nA second click on the same column reverses the "
     "order."}};
const MlText kHeadings[4] = {{{"Classe", "Klasse", "Class"}},
                             {{"Sezione", "Sektion", "Section"}},
                             {{"Indirizzo", "Fachrichtung", "Track"}},
                             {{"Plesso (Fabbricato Scolastico)", "Gebäude"_cp, "Building"}}};

int building_count() { return std::clamp<int>(g_ui_settings.building_count, 0, kUiMaxBuildings); }

int compare(int a, int b, int column) {
  if (column == 3) return int(g_ui_structure.classes[a].building) - int(g_ui_structure.classes[b].building);
  return ClassOrderList::CompareCodeColumns(a, b, column);
}

}  // namespace

void ui_register_class_buildings_template() {
  if (find_dialog_template(kTemplate.id) != &kTemplate) register_dialog_template(kTemplate);
}

KT_BEGIN_MESSAGE_MAP(Cplecla, CResizableDialog)
  KT_ON_NOTIFY(kLvnColumnClick, kListId, OnColumnClick)
KT_END_MESSAGE_MAP()

void Cplecla::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  for (int k = 0; k < 10; ++k) {
    dx.Control(kFirstButtonId + k, m_buttons[std::size_t(k)]);
    dx.Control(kFirstCounterId + k, m_counters[std::size_t(k)]);
  }
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kHowToId, m_help_buttons[0]);
  dx.Control(kListHelpId, m_help_buttons[1]);
  dx.Control(kButtonsHelpId, m_help_buttons[2]);
}

bool Cplecla::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title("2A Plessi e Classi");
  ShowGrip(false);
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  for (int c = 0; c < 4; ++c) {
    std::string heading = kHeadings[c].Get();
    int width = c == 2 && og_track_count() < 2 ? 0 : 8 * int(heading.size());
    m_list.InsertColumn(c, heading, kLvcfmtLeft, width);
  }
  for (int c = 0; c < og_class_count(); ++c) m_opened_with[std::size_t(c)] = g_ui_structure.classes[c].building;
  m_order.Reset();
  for (int column = 0; column < 3; ++column) m_order.Sort(column, compare);
  FillRows();
  for (int k = 0; k < 10; ++k) {
    CColorButton& button = m_buttons[std::size_t(k)];
    bool used = k < building_count();
    button.SetCaption(used ? g_ui_settings.buildings[k].name : "");
    button.EnableWindow(used);
  }
  m_help.SetTextML(&kPageHelp);
  GotoDlgCtrl(&m_list);
  return false;
}

void Cplecla::FillRows() {
  std::array<int, 10> counts{};
  for (int c : m_order.Order()) {
    const UiClass& cls = g_ui_structure.classes[c];
    const char* label = og_class_label(c);
    int row = m_list.FindItemByText(-1, label);
    if (row < 0) row = m_list.InsertItem(m_list.GetItemCount(), label);
    m_list.SetItemText(row, 1, std::string(1, cls.code[1]));
    m_list.SetItemText(row, 2, std::string(1, cls.code[2]));
    bool used = cls.building >= 0 && cls.building < building_count();
    m_list.SetItemText(row, 3, used ? g_ui_settings.buildings[cls.building].name : "");
    if (cls.building >= 0 && cls.building < 10) ++counts[std::size_t(cls.building)];
  }
  for (int k = 0; k < 10; ++k)
    m_counters[std::size_t(k)].SetWindowText(k < building_count() ? std::to_string(counts[std::size_t(k)]) : "");
}

void Cplecla::SortBy(int column) {
  std::vector<int> selected = ClassOrderList::SelectedClasses(m_list);
  m_order.Sort(column, compare);
  m_list.DeleteAllItems();
  FillRows();
  ClassOrderList::SelectClasses(m_list, selected);
}

void Cplecla::OnColumnClick(NotifyHeader* header, LResult*) {
  m_help.SetTextML(&kSortTip);
  SortBy(reinterpret_cast<ListViewNotify*>(header)->subitem);
}

void Cplecla::Assign(int building) {
  if (building >= building_count()) return;
  for (int c : ClassOrderList::SelectedClasses(m_list)) g_ui_structure.classes[c].building = std::int8_t(building);
  GotoDlgCtrl(&m_list);
  FillRows();
}

bool Cplecla::OnCommand(WParam w, LParam l) {
  if (command_code(w) != kBnClicked) return CResizableDialog::OnCommand(w, l);
  int id = command_id(w);
  if (id >= kFirstButtonId && id < kFirstButtonId + 10) {
    Assign(id - kFirstButtonId);
    return true;
  }
  switch (id) {
    case kSaveId: EndDialog(kSaved); return true;
    case kAbandonId: OnCancel(); return true;
    case kHowToId: case kListHelpId: case kButtonsHelpId:
      m_help.SetTextML(&kPageHelp);
      GotoDlgCtrl(&m_list);
      return true;
    default:
      return CResizableDialog::OnCommand(w, l);
  }
}

void Cplecla::OnCancel() {
  if (ui_message_box_flags(g_abandon_question, kMbYesNo | kMbIconQuestion, kMbCursorBetween) != 6) return;
  for (int c = 0; c < og_class_count(); ++c) g_ui_structure.classes[c].building = m_opened_with[std::size_t(c)];
  EndDialog(kIdCancel);
}
