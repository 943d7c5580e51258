// Behaviour of the teaching-weight dialog (see teaching_weights.h): the
// subject list and its nesting column sorts, setting weights, the hard
// constraint's box and band table, save and abandon.
#include "constraints/teaching_weights.h"

#include <algorithm>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "shell/message_box.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

namespace {

#define KT_TEXT(name, it, de, en) const MlText name = {it, de, en};

KT_TEXT(kColumnName, "Materia", "Fach", "Subject")
KT_TEXT(kColumnType, "Tipologia", "Typ", "Type")
KT_TEXT(kColumnWeight, "Peso Didattico", "Didaktisches Gewicht", "Teaching Weight")
KT_TEXT(kConversation, "Conversazione / Compresenza", "Konversation / Mitanwesenheit", "Conversation / Co-teaching")
KT_TEXT(kHigh, "Alto", "Hoch", "High")
KT_TEXT(kLow, "Basso", "Niedrig", "Low")
KT_TEXT(kTableCaption, "Modalità di controllo del Peso Didattico"_cp, "Prüfung des didaktischen Gewichts"_cp,
        "Teaching Weight check")
KT_TEXT(kBandCaption, "Se una Classe in un giorno ha sino a Ore", "Wenn eine Klasse an einem Tag bis zu Stunden hat",
        "If a Class has up to Hours in a day")
KT_TEXT(kSecondCaption, "il numero massimo di ORE     con Peso Didattico ALTO è"_cp,
        "ist die Höchstzahl der STUNDEN mit HOHEM Gewicht"_cp, "the maximum of HOURS     with HIGH Teaching Weight is")
KT_TEXT(kQuantityCaption, "il numero massimo di MATERIE con Peso Didattico ALTO è"_cp,
        "ist die Höchstzahl der FÄCHER mit HOHEM Gewicht"_cp,
        "the maximum of SUBJECTS with HIGH Teaching Weight is")
KT_TEXT(kTableExplanation,
        "Per ogni lunghezza della giornata di una classe, il massimo di ore e di materie diverse con Peso Didattico "
        "ALTO in quel giorno.",
        "Für jede Tageslänge einer Klasse die Höchstzahl der Stunden und der verschiedenen Fächer mit hohem "
        "Gewicht an diesem Tag."_cp,
        "For each length of a class's day, the most hours and different subjects with HIGH Teaching Weight on "
        "that day.")
KT_TEXT(kPageHelp,
        "Selezionate le materie e premete Peso Didattico ALTO o BASSO. Le materie con peso ALTO (per esempio "
        "Italiano e Matematica) non dovrebbero accumularsi in uno stesso giorno di una classe.",
        "Wählen Sie die Fächer und drücken Sie HOCH oder NIEDRIG. Fächer mit hohem Gewicht (z.B. Deutsch und "
        "Mathematik) sollen sich nicht an einem Tag einer Klasse häufen."_cp,
        "Select the subjects and press HIGH or LOW Teaching Weight. Subjects of HIGH weight (for instance "
        "Italian and mathematics) should not pile up in one school day of a class.")
KT_TEXT(kSortHint,
        "SUGGERIMENTO: se volete vedere, ad esempio, quali Materie hanno peso ALTO, dovete ordinare la tabella  "
        "clickando PRIMA sulla colonna MATERIA, e DOPO sulla colonna PESO DIDATTICO.",
        "TIPP: um z.B. die Fächer mit hohem Gewicht zu sehen, sortieren Sie die Tabelle ZUERST nach der Spalte "
        "FACH und DANN nach der Spalte GEWICHT."_cp,
        "HINT: to see, for instance, which Subjects have HIGH weight, sort the table by clicking FIRST on the "
        "SUBJECT column and THEN on the TEACHING WEIGHT column.")
KT_TEXT(kHardHelp,
        "Potete attivare e disattivare il controllo sul Peso Didattico, conservando la configurazione.",
        "Sie können die Prüfung des didaktischen Gewichts ein- und ausschalten; die Einstellung bleibt erhalten."_cp,
        "You can switch the Teaching Weight check on and off, keeping its configuration.")
KT_TEXT(kTableHelpBalancing,
        "In bilanciamento il Peso Didattico distribuisce le ore ALTE nel modo più uniforme possibile, senza "
        "garantire alcun limite: la tabella non si usa."_cp,
        "Beim Ausgleich verteilt das Gewicht die hohen Stunden so gleichmäßig wie möglich, ohne Grenze: die "
        "Tabelle wird nicht benutzt."_cp,
        "When balancing, the Teaching Weight spreads HIGH hours as evenly as it can and guarantees no limit: the "
        "table is not used.")
KT_TEXT(kNoHighSubject, "Configurare almeno una materia con il Peso ALTO per attivare il controllo.",
        "Mindestens ein Fach mit HOHEM Gewicht einstellen, um die Prüfung einzuschalten."_cp,
        "Set at least one subject to HIGH weight to switch the check on.")
KT_TEXT(kNoTable,
        "Configurare la tabella delle ore massime con Peso ALTO ammesse (oppure disabilitare il controllo del Peso "
        "Didattico)",
        "Die Tabelle der erlaubten Höchststunden mit HOHEM Gewicht einstellen (oder die Prüfung ausschalten)"_cp,
        "Configure the table of the maximum HIGH weight hours allowed (or switch the Teaching Weight check off)")

int subject_slots() {
  return int(std::min<std::uint32_t>(std::uint32_t(g_ui_structure.subject_count), std::uint32_t(kUiMaxSubjects)));
}

}  // namespace

KT_BEGIN_MESSAGE_MAP(Cpesodi, CDialogML)
  KT_ON_COMMAND(kLowId, OnLow)
  KT_ON_COMMAND(kHighId, OnHigh)
  KT_ON_CONTROL(kBnClicked, kHardId, OnHard)
  KT_ON_COMMAND(kTableId, OnTable)
  KT_ON_COMMAND(kSaveId, OnSave)
  KT_ON_COMMAND(kHowToId, OnHowTo)
  KT_ON_COMMAND(kListHelpId, OnListHelp)
  KT_ON_COMMAND(kTableHelpId, OnTableHelp)
KT_END_MESSAGE_MAP()

Cpesodi::Cpesodi(bool balancing, Window* parent) : CDialogML(kTemplate, parent), m_balancing(balancing) {}

LResult Cpesodi::DoModal() {
  ui_register_teaching_weight_templates();
  ui_register_band_table_templates();
  return CDialogML::DoModal();
}

void Cpesodi::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kHardId, m_hard);
  dx.Control(kTableId, m_table_button);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kLowId, m_low);
  dx.Control(kHighId, m_high);
  dx.Control(kSaveId, m_save);
  dx.Control(kIdCancel, m_abandon);
  dx.Control(kHowToId, m_howto);
  dx.Control(kListHelpId, m_list_help);
  dx.Control(kTableHelpId, m_table_help);
}

Hq3TableSpec Cpesodi::TableSpec() {
  Hq3TableSpec spec;
  spec.triples = m_table.triples;
  spec.count = &m_table.count;
  spec.band_min = 1;
  spec.band_max = 12;
  spec.second_min = 1;
  spec.second_max = 12;
  spec.quantity_min = 0;
  spec.quantity_max = 12;
  spec.flags = kHq2NotAboveBand;
  spec.flags2 = kHq2EndsAtMaximum;
  return spec;
}

bool Cpesodi::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  const MlText* headings[3] = {&kColumnName, &kColumnType, &kColumnWeight};
  const int widths[3] = {32, 24, 8};
  for (int c = 0; c < 3; ++c)
    m_list.InsertColumn(c, headings[c]->Get(), kLvcfmtLeft, widths[c] * int(std::strlen(headings[c]->Get())));
  m_order.clear();
  for (int s = 0; s < subject_slots(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (subject.name[0] && !subject.hidden) m_order.push_back(s);
  }
  for (int c = 0; c < 3; ++c) SortByColumn(c);
  m_hard.SetCheck(g_ui_settings.pexdiy ? kBstChecked : kBstUnchecked);
  m_table = g_ui_settings.pexdiz;
  m_picker.SetBandData(&m_table_button, kTableCaption.Get(), kBandCaption.Get(), kSecondCaption.Get(),
                       kQuantityCaption.Get(), &kTableExplanation, TableSpec());
  if (m_balancing) {
    m_hard.EnableWindow(false);
    m_table_button.EnableWindow(false);
  }
  m_help.SetTextML(&kPageHelp);
  return true;
}

int Cpesodi::Compare(int column, int a, int b) const {
  const UiSubject& x = g_ui_structure.subjects[a];
  const UiSubject& y = g_ui_structure.subjects[b];
  switch (column) {
    case 0: {
      int c = std::strncmp(x.name, y.name, kUiNameSize);
      return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    case 1: return int(std::int8_t(x.type)) - int(std::int8_t(y.type));
    default: return int(std::int8_t(x.option_p)) - int(std::int8_t(y.option_p));
  }
}

void Cpesodi::SortByColumn(int column) {
  if (column < 0 || column > 2) return;
  std::vector<std::string> selected = m_list.IsWindow() ? SelectedNames() : std::vector<std::string>{};
  int& direction = m_direction[column];
  direction = direction == 1 ? -1 : 1;
  // Bubble passes keep equal keys in their order, so successive sorts nest.
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (std::size_t i = 1; i < m_order.size(); ++i) {
      if (Compare(column, m_order[i - 1], m_order[i]) * direction <= 0) continue;
      std::swap(m_order[i - 1], m_order[i]);
      swapped = true;
    }
  }
  if (m_list.IsWindow()) FillList(selected);
}

std::vector<std::string> Cpesodi::SelectedNames() const {
  std::vector<std::string> names;
  for (int item = m_list.GetNextItem(-1, kLvniSelected); item >= 0; item = m_list.GetNextItem(item, kLvniSelected))
    names.push_back(m_list.GetItemText(item, 0));
  return names;
}

void Cpesodi::FillList(const std::vector<std::string>& selected) {
  m_list.DeleteAllItems();
  int row = 0;
  for (int s : m_order) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    std::string name(subject.name, strnlen(subject.name, kUiNameSize - 1));
    m_list.InsertItem(row, name, std::uintptr_t(s));
    m_list.SetItemText(row, 1, (subject.type == 'C' || subject.type == 'c') ? kConversation.Get() : "");
    m_list.SetItemText(row, 2, subject.option_p ? kHigh.Get() : kLow.Get());
    if (std::find(selected.begin(), selected.end(), name) != selected.end())
      m_list.SetItemState(row, kLvisSelected, kLvisSelected);
    ++row;
  }
}

bool Cpesodi::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId && header->code == kLvnColumnClick) {
    SortByColumn(reinterpret_cast<ListViewNotify*>(l)->subitem);
    m_help.SetTextML(&kSortHint);
    return true;
  }
  return CDialogML::OnNotify(w, l, result);
}

void Cpesodi::SetWeight(std::uint8_t weight) {
  std::vector<std::string> selected = SelectedNames();
  for (const std::string& name : selected)
    for (int s = 0; s < subject_slots(); ++s) {
      UiSubject& subject = g_ui_structure.subjects[s];
      std::string own(subject.name, strnlen(subject.name, kUiNameSize - 1));
      if (kt::cp1252_casecmp(own.c_str(), name.c_str()) == 0) subject.option_p = weight;
    }
  FillList(selected);
  m_list.SetFocus();
}

void Cpesodi::OnHard() {
  m_help.SetTextML(&kHardHelp);
  bool checked = m_hard.GetCheck() == kBstChecked;
  g_ui_settings.pexdiy = checked ? 1 : 0;
  if (!checked) return;
  for (int s = 0; s < subject_slots(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (subject.name[0] && !subject.hidden && subject.option_p == 1) return;
  }
  m_hard.SetCheck(kBstUnchecked);
  g_ui_settings.pexdiy = 0;
  ui_message_box(kNoHighSubject.Get());
}

void Cpesodi::OnTable() {
  m_table = g_ui_settings.pexdiz;
  Hq3TableSpec spec = TableSpec();
  m_picker.SetBandData(&m_table_button, nullptr, nullptr, nullptr, nullptr, nullptr, spec);
  if (m_picker.DoModal() == kIdOk) g_ui_settings.pexdiz = m_table;
  m_table = g_ui_settings.pexdiz;
  m_picker.SetBandData(&m_table_button, nullptr, nullptr, nullptr, nullptr, nullptr, spec);
}

void Cpesodi::OnSave() {
  if (g_ui_settings.pexdiy && g_ui_settings.pexdiz.count == 0) {
    ui_message_box(kNoTable.Get());
    return;
  }
  if (!og_save_school_files()) return;
  EndDialog(kSaved);
}

// The question is asked only when there is something to abandon: with no
// change, asking whether to drop changes would tell the user there were some.
void Cpesodi::OnCancel() {
  if (!og_school_changed()) {
    EndDialog(kIdCancel);
    return;
  }
  if (ui_message_box_type(g_abandon_question.Get(), 36) != 6) return;
  og_read_school_files(0);
  EndDialog(kIdCancel);
}

void Cpesodi::OnHowTo() { m_help.SetTextML(&kPageHelp); }

void Cpesodi::OnListHelp() { m_help.SetTextML(&kSortHint); }

void Cpesodi::OnTableHelp() { m_help.SetTextML(m_balancing ? &kTableHelpBalancing : &kTableExplanation); }
