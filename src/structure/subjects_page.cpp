// Behaviour of the subjects page (see subjects_page.h). The list shows the
// subjects that are not hidden, in table order, one row per name; the page
// changes the working structure at once and the list is refilled after
// every change. Selection changes that the page makes itself are not shown
// back into the edit box, so a refill never overwrites what the user typed.
//
// A name that clashes with a lab, begins with a digit or would make a
// second subject of the same name is refused with a message; a full table
// (400 subjects) makes additions do nothing, as the user sees no row added.
#include "structure/subjects_page.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "schooldata/model_lookups.h"
#include "schooldata/ui_school_model.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/shared_texts.h"
#include "structure/subject_dictionary.h"
#include "schooldata/model_utilities.h"

using namespace kt::ui;

namespace {

using shared_text::kNameTaken;
using shared_text::kNeedsLetter;
using shared_text::kInUse;
using shared_text::kItalianOnly;

// Each column starts as wide as its heading has letters (6 pixels each for
// the first, 8 for the others) and the list then shares out its width: the
// German and English headings are kept short enough to show whole.
const MlText kHeadings[4] = {
    {"Nomi delle Materie insegnate nella scuola", "Alle Fächer der Schule"_cp, "Subjects in this school"},
    {"Tipologia", "Fachtyp", "Type"},
    {"Anche sempre ultime ore", "Auch immer letzte Stunden", "Also always last hours"},
    {"Attività non didattica"_cp, "Nicht-unterrichtend", "Non-teaching activity"},
};
const MlText kConversationType = {"Conversazione / Compresenza", "Mitanwesenheit", "Twin Teacher Lesson"};
const MlText kYesText = {"SI", "JA", "YES"};
const MlText kGeneralHelp = {
    "Il dizionario delle Materie insegnate nella scuola. Aggiungete le Materie dalle Classi di concorso "
    "ministeriali oppure con un nome libero; ogni altra pagina si riferisce a queste Materie.",
    "Das Lexikon der an der Schule unterrichteten Fächer. Fügen Sie Fächer mit einem freien Namen hinzu; jede "
    "andere Seite bezieht sich auf diese Fächer."_cp,
    "The dictionary of the subjects taught in the school. Add subjects under a free name; every other page "
    "refers to these subjects."};
const MlText kChooseFirst = {
    "Se volete INSERIRE una nuova Materia, dovete prima selezionarla dall'elenco delle Classi ministeriali, "
    "oppure specificarne il nome.",
    "Um ein neues Fach EINZUFÜGEN, müssen Sie es zuerst aus der Liste wählen oder seinen Namen angeben."_cp,
    "To INSERT a new subject, first choose it from the list or type its name."};
const MlText kSameAsLab = {"Il nome di una Materia non può essere uguale a quello di un Laboratorio esistente"_cp,
                           "Der Name eines Faches darf nicht gleich dem eines bestehenden Labors sein"_cp,
                           "The name of a subject cannot be the same as that of an existing lab"};
const MlText kTypeInUse = {"La materia %s non può cambiare tipologia perché è già usata da %s"_cp,
                           "Das Fach %s kann seinen Typ nicht ändern, weil es schon von %s benutzt wird"_cp,
                           "The subject %s cannot change its type because it is already used by %s"};
const MlText kSelectFirst = {
    "Se volete CAMBIARE NOME a una Materia, oppure cancellarla, prima dovete SELEZIONARLA, e poi scegliere una "
    "di questa due operazioni.",
    "Um ein Fach UMZUBENENNEN oder zu löschen, müssen Sie es zuerst AUSWÄHLEN und dann einen der beiden "
    "Vorgänge wählen."_cp,
    "To RENAME or delete a subject, first SELECT it, then choose one of the two operations."};
const MlText kNoRename = {"Ridenominazione non ammessa (materia in uso)", "Umbenennen nicht erlaubt (Fach in Gebrauch)",
                          "Renaming not allowed (subject in use)"};
const MlText kNewName = {"Nuovo Nome della Materia?", "Neuer Name des Faches?", "New name of the subject?"};
const MlText kStandBy = {"Disposizione", "Verfügung"_cp, "Substitutions"};
const MlText kSupport = {"Sostegno", "Behindertenhilfe", "Handicap Help"};
const MlText kHelpTexts[Cmaterie::kHelpButtons] = {
    {"Le Classi di concorso ministeriali sono consigliate, non obbligatorie: potete usare anche nomi liberi. Le "
     "materie di conversazione sono indicate come tali nell'elenco.",
     "Nur für die Italienische Version."_cp, "Only for the italian Version."},
    {"Potete dare a una Materia un nome libero di al massimo 20 caratteri, che inizi con una lettera.",
     "Sie können einem Fach einen freien Namen von höchstens 20 Zeichen geben, der mit einem Buchstaben "
     "beginnt."_cp,
     "You can give a subject a free name of at most 20 characters, beginning with a letter."},
    {"ATTENZIONE: una Materia è di CONVERSAZIONE / COMPRESENZA quando prevede sempre un secondo insegnante che "
     "affianca il primo."_cp,
     "ACHTUNG: ein Fach ist ein Fach mit MITANWESENHEIT, wenn immer ein zweiter Lehrer den ersten begleitet."_cp,
     "WARNING: a subject is a TWIN TEACHER subject when a second teacher always joins the first."},
    {"ATTENZIONE: una Materia è di CONVERSAZIONE / COMPRESENZA quando prevede sempre un secondo insegnante che "
     "affianca il primo (ad esempio la conversazione in lingua straniera)."_cp,
     "ACHTUNG: ein Fach ist ein Fach mit MITANWESENHEIT, wenn immer ein zweiter Lehrer den ersten begleitet "
     "(zum Beispiel die Konversation in einer Fremdsprache)."_cp,
     "WARNING: a subject is a TWIN TEACHER subject when a second teacher always joins the first (as in a "
     "conversation hour of a foreign language)."},
    {"Con questa opzione le ore della Materia possono accumularsi, se necessario, nelle ultime ore del giorno per "
     "alcune classi; i limiti generali sulle ultime ore restano quelli della tabella 11.8 dei parametri "
     "generali. Per una Materia di una sola ora settimanale il controllo per classe non ha significato.",
     "Mit dieser Option können sich die Stunden des Faches, wenn nötig, für einige Klassen in den letzten "
     "Stunden des Tages häufen; die allgemeinen Grenzen bleiben die der Tabelle 11.8 der allgemeinen "
     "Parameter."_cp,
     "With this option the hours of the subject may pile up, where needed, in the last hours of the day for "
     "some classes; the general limits on late hours stay those of table 11.8 of the general parameters. For a "
     "subject with one weekly hour the per-class check has no meaning."},
    {"Le ore di un'attività non didattica (ad esempio la sorveglianza della mensa) non contano nelle ore di "
     "insegnamento giornaliere del docente, nei massimi giornalieri per classe né nel controllo della "
     "distribuzione delle ore nella settimana."_cp,
     "Die Stunden einer nicht-unterrichtenden Tätigkeit (zum Beispiel die Aufsicht in der Mensa) zählen weder "
     "bei den täglichen Unterrichtsstunden des Lehrers noch bei den täglichen Höchstwerten der Klassen."_cp,
     "The hours of a non-teaching activity (such as canteen supervision) count neither in a teacher's daily "
     "teaching hours, nor in the daily maxima per class, nor in the check of the spread of hours over the "
     "week."},
    {"Per cambiare nome a una Materia o cancellarla, selezionatela nella lista. Le materie usate da almeno un "
     "insegnamento non vengono cancellate.",
     "Um ein Fach umzubenennen oder zu löschen, wählen Sie es in der Liste. Fächer, die von einem Lehrauftrag "
     "benutzt werden, werden nicht gelöscht."_cp,
     "To rename or delete a subject, select it in the list. Subjects used by a teaching post are not deleted."},
};
constexpr int kConversationHelp = 2;
constexpr int kLateHoursHelp = 4;
constexpr int kNonTeachingHelp = 5;

// The subject of this name, hidden or not; -1 none.
int find_any_subject(const char* name) {
  for (int i = 0; i < og_subject_count(); ++i)
    if (std::strncmp(g_ui_structure.subjects[i].name, name, kUiNameSize - 1) == 0) return i;
  return -1;
}

// True when a shown subject other than `self` has this exact name.
bool other_subject_named(int self, const char* name) {
  for (int j = 0; j < og_subject_count(); ++j) {
    const UiSubject& s = g_ui_structure.subjects[j];
    if (j != self && !s.hidden && std::strncmp(s.name, name, kUiNameSize - 1) == 0) return true;
  }
  return false;
}

bool lab_named(const char* name) {
  std::uint32_t labs = g_ui_structure.lab_count > std::uint32_t(kUiMaxLabs) ? kUiMaxLabs : g_ui_structure.lab_count;
  for (std::uint32_t i = 0; i < labs; ++i)
    if (g_ui_structure.labs[i].name[0] && dictionary_same_name(g_ui_structure.labs[i].name, name)) return true;
  return false;
}

int append_subject(const char* name) {
  if (og_subject_count() >= kUiMaxSubjects) return -1;
  int index = og_subject_count();
  UiSubject& s = g_ui_structure.subjects[index];
  std::memset(&s, 0, sizeof s);
  dictionary_copy_name(s.name, name);
  s.type = 'N';
  g_ui_structure.subject_count = std::uint32_t(index + 1);
  return index;
}

std::string edit_text(Edit& edit) {
  std::string text = edit.GetWindowText();
  if (text.size() > kUiNameSize - 1) text.resize(kUiNameSize - 1);
  return text;
}

}  // namespace

void Cmaterie::DoDataExchange(DataExchange& dx) {
  dx.Control(kMinistryId, m_ministry);
  dx.Control(kAddMinistryId, m_add_ministry);
  dx.Control(kNameId, m_name);
  dx.Control(kAddNameId, m_add_name);
  dx.Control(kConversationId, m_conversation);
  dx.Control(kLateHoursId, m_late_hours);
  dx.Control(kNonTeachingId, m_non_teaching);
  dx.Control(kListId, m_list);
  dx.Control(kRenameId, m_rename);
  dx.Control(kDeleteId, m_delete);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kHelpPaneId, m_help);
  dx.Control(kHintId, m_hint);
  for (int i = 0; i < kHelpButtons; ++i) dx.Control(kFirstHelpButtonId + i, m_help_buttons[std::size_t(i)]);
  for (int i = 0; i < kStatics; ++i) dx.Control(kFirstStaticId + i, m_statics[std::size_t(i)]);
}

bool Cmaterie::OnInitDialog() {
  CDictionaryPage::OnInitDialog();
  StartPage("3 Materie");
  m_help.SetTextML(&kGeneralHelp);
  m_name.LimitText(kUiNameSize - 1);
  if (ui_language() == 0) {
    for (int i = 0; i < kMinistrySubjectCount; ++i) {
      bool conversation = g_ministry_subjects[i].conversation;
      if ((m_type_restriction == 1 && conversation) || (m_type_restriction == 2 && !conversation)) continue;
      m_ministry.AddString(ministry_subject_name(i));
    }
  } else {
    m_ministry.AddString(kItalianOnly.Get());
    m_ministry.SetCurSel(0);
    m_ministry.EnableWindow(false);
    m_add_ministry.EnableWindow(false);
  }
  if (m_type_restriction != 0) {
    m_conversation.SetCheck(m_type_restriction == 2 ? 1 : 0);
    m_conversation.EnableWindow(false);
  }
  m_list.SetExtendedStyle(kLvsExFullRowSelect | kLvsExGridLines);
  for (int c = 0; c < 4; ++c) {
    const char* heading = kHeadings[c].Get();
    m_list.InsertColumn(c, heading, kLvcfmtLeft, int(std::strlen(heading)) * (c == 0 ? 6 : 8));
  }
  FillSubjectList(true);
  if (IsDialogForm()) {
    m_hint.EnableWindow(false);
    m_rename.EnableWindow(false);
    m_delete.EnableWindow(false);
  }
  return true;
}

int Cmaterie::FillSubjectList(bool clear) {
  m_program_selects = true;
  if (clear) m_list.DeleteAllItems();
  int appended = -1;
  for (int i = 0; i < og_subject_count(); ++i) {
    UiSubject& s = g_ui_structure.subjects[i];
    if (s.hidden) continue;
    s.name[kUiNameSize - 1] = '\0';
    int row = m_list.FindItemByText(-1, s.name);
    if (row < 0) appended = row = m_list.InsertItem(m_list.GetItemCount(), s.name);
    m_list.SetItemText(row, 1, s.type == 'C' ? kConversationType.Get() : " ");
    m_list.SetItemText(row, 2, s.option_n ? kYesText.Get() : " ");
    m_list.SetItemText(row, 3, s.option_m ? kYesText.Get() : " ");
  }
  ui_fit_list_columns(m_list, -1, -1, true);
  m_program_selects = false;
  return appended;
}

void Cmaterie::SelectRow(int row) {
  if (row < 0) return;
  m_program_selects = true;
  m_list.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
  m_list.SetItemState(row, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_list.EnsureVisible(row);
  m_program_selects = false;
}

void Cmaterie::AddFromMinistryList() {
  int chosen = m_ministry.GetCurSel();
  if (chosen < 0 || !m_ministry.IsWindowEnabled()) {
    if (chosen < 0) m_help.SetTextML(&kChooseFirst);
    return;
  }
  std::string name = m_ministry.GetLBText(chosen);
  if (name.size() > kUiNameSize - 1) name.resize(kUiNameSize - 1);
  int entry = ministry_subject_find(name.c_str());
  if (entry < 0) return;
  if (lab_named(name.c_str())) {
    ui_message_box(kSameAsLab);
    return;
  }
  int subject = find_any_subject(name.c_str());
  if (subject < 0) {
    subject = append_subject(name.c_str());
    if (subject < 0) return;
    dictionary_copy_name(m_added_name, name.c_str());
  }
  UiSubject& s = g_ui_structure.subjects[subject];
  s.hidden = 0;
  s.type = g_ministry_subjects[entry].conversation ? 'C' : 'N';
  s.option_n = g_ministry_subjects[entry].late_hours ? 1 : 0;
  int row = FillSubjectList(false);
  if (row >= 0) {
    SelectRow(row);
    m_list.SetFocus();
  }
}

void Cmaterie::AddOrUpdateSubject() {
  char name[kUiNameSize];
  og_clean_name(name, edit_text(m_name).c_str());
  if (const MlText* note = og_name_cleaning_note(edit_text(m_name).c_str(), 0)) m_help.SetTextML(note);
  if (name[0] >= '0' && name[0] <= '9') {
    ui_message_box(kNeedsLetter);
    return;
  }
  if (name[0] == '\0') return;
  kt::cp1252_make_upper(name);
  if (lab_named(name)) {
    ui_message_box(kSameAsLab);
    return;
  }
  char type = m_conversation.GetCheck() ? 'C' : 'N';
  int subject = find_any_subject(name);
  bool added = false;
  if (subject < 0 || g_ui_structure.subjects[subject].hidden) {
    if (subject < 0) subject = append_subject(name);
    if (subject < 0) return;
    UiSubject& s = g_ui_structure.subjects[subject];
    s.hidden = 0;
    s.type = type;
    s.option_n = m_late_hours.GetCheck() ? 1 : 0;
    s.option_m = m_non_teaching.GetCheck() ? 1 : 0;
    if (ui_language() == 0) ui_guess_subject_flags(subject);
    dictionary_copy_name(m_added_name, name);
    m_added_index = subject;
    added = true;
  } else {
    UiSubject& s = g_ui_structure.subjects[subject];
    s.option_m = m_non_teaching.GetCheck() ? 1 : 0;
    s.option_n = m_late_hours.GetCheck() ? 1 : 0;
    if (type != s.type) {
      int user = subject_first_user(subject, type == 'C', type == 'N');
      if (user >= 0) {
        char message[400];
        std::snprintf(message, sizeof message, kTypeInUse.Get(), s.name, g_ui_teachers[user].name);
        ui_message_box(message);
        m_conversation.SetCheck(s.type == 'C' ? 1 : 0);
      } else {
        s.type = type;
      }
    }
  }
  int row = FillSubjectList(false);
  if (row >= 0) {
    SelectRow(row);
    m_list.SetFocus();
  }
  if (added) {
    m_name.SetWindowText("");
    m_conversation.SetCheck(m_type_restriction == 2 ? 1 : 0);
  }
}

void Cmaterie::ShowSelectedSubject() {
  int row = m_list.GetNextItem(-1, kLvniSelected);
  if (row < 0) return;
  std::string name = m_list.GetItemText(row, 0);
  int subject = subject_find(name.c_str());
  if (subject < 0) return;
  bool ministry = ministry_subject_find(name.c_str()) >= 0;
  if (ui_language() == 0) {
    int entry = -1;
    for (int i = 0; i < m_ministry.GetCount() && entry < 0; ++i)
      if (m_ministry.GetLBText(i) == name) entry = i;
    m_ministry.SetCurSel(entry);
  }
  m_name.SetWindowText(name);
  m_conversation.EnableWindow(!ministry && m_type_restriction == 0);
  const UiSubject& s = g_ui_structure.subjects[subject];
  m_conversation.SetCheck(s.type == 'C' ? 1 : 0);
  m_late_hours.SetCheck(s.option_n ? 1 : 0);
  m_non_teaching.SetCheck(s.option_m ? 1 : 0);
}

void Cmaterie::DeleteSelectedSubjects() {
  m_help.SetTextML(&kSelectFirst);
  if (IsDialogForm()) {
    ui_message_box(kInUse);
    return;
  }
  for (int row = m_list.GetNextItem(-1, kLvniSelected); row >= 0; row = m_list.GetNextItem(row, kLvniSelected)) {
    std::string name = m_list.GetItemText(row, 0);
    int subject = subject_find(name.c_str());
    if (subject < 0) continue;
    if (dictionary_same_name(name.c_str(), kStandBy.Get()) || dictionary_same_name(name.c_str(), kSupport.Get()))
      continue;
    if (subject_first_user(subject, true, true) < 0) g_ui_structure.subjects[subject].hidden = 1;
  }
  FillSubjectList(true);
}

void Cmaterie::RenameSelectedSubjects() {
  m_help.SetTextML(&kSelectFirst);
  if (IsDialogForm()) {
    ui_message_box(kNoRename);
    return;
  }
  std::vector<std::string> names;
  for (int row = m_list.GetNextItem(-1, kLvniSelected); row >= 0; row = m_list.GetNextItem(row, kLvniSelected))
    names.push_back(m_list.GetItemText(row, 0));
  for (const std::string& old_name : names) {
    int subject = subject_find(old_name.c_str());
    if (subject < 0) continue;
    char answer[kUiNameSize];
    dictionary_copy_name(answer, old_name.c_str());
    if (casella_run_input_box(kNewName.Get(), answer, kUiNameSize - 1, 4, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
      continue;
    char name[kUiNameSize];
    og_clean_name(name, answer);
    kt::cp1252_make_upper(name);
    int other = subject_find(name);
    if (other >= 0 && other != subject) {
      ui_message_box(kNameTaken);
      continue;
    }
    if (std::strlen(name) < 2) continue;
    std::memcpy(g_ui_structure.subjects[subject].name, name, kUiNameSize);
  }
  FillSubjectList(true);
}

bool Cmaterie::CheckSubjectNames() {
  int count = og_subject_count();
  for (int i = 0; i < count; ++i) {
    UiSubject& s = g_ui_structure.subjects[i];
    if (s.hidden) continue;
    if (s.name[0] >= '0' && s.name[0] <= '9') {
      ui_message_box(kNeedsLetter);
      if (IsWindow()) m_list.SetFocus();
      return false;
    }
    for (int k = 0; k < kUiNameSize - 1 && s.name[k]; ++k) {
      if (s.name[k] != '/') continue;
      s.name[k] = '_';
      // Raise the character until no other shown subject has the name; a
      // name that would run past the code page keeps its last form.
      while (other_subject_named(i, s.name) && static_cast<unsigned char>(s.name[k]) < 255)
        s.name[k] = char(static_cast<unsigned char>(s.name[k]) + 1);
    }
  }
  if (IsWindow()) FillSubjectList(true);
  return true;
}

void Cmaterie::OnListFocus() {
  if (m_list.GetItemCount() == 0) return;
  SelectFirstRow(m_list);
  ShowSelectedSubject();
}

void Cmaterie::OnNameFocus() {
  if (m_type_restriction == 0) {
    m_conversation.EnableWindow(true);
    return;
  }
  m_conversation.SetCheck(m_type_restriction == 2 ? 1 : 0);
  m_conversation.EnableWindow(false);
}

void Cmaterie::OnHelpButton(int index) {
  if (index == 0 && ui_language() != 0) {
    m_help.SetTextML(&kItalianOnly);
    return;
  }
  m_help.SetTextML(&kHelpTexts[index]);
}

void Cmaterie::OnEnter(Window* focus) {
  if (focus == &m_ministry) AddFromMinistryList();
  if (focus == &m_name) AddOrUpdateSubject();
}

bool Cmaterie::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kEnSetFocus && id == kNameId) {
    OnNameFocus();
    return true;
  }
  if (code != kBnClicked) return CDictionaryPage::OnCommand(w, l);
  if (id >= kFirstHelpButtonId && id < kFirstHelpButtonId + kHelpButtons) {
    OnHelpButton(id - kFirstHelpButtonId);
    return true;
  }
  switch (id) {
    case kAddMinistryId:
    case kAddNameId:
      AddFromMinistryList();
      AddOrUpdateSubject();
      return true;
    case kConversationId:
      m_help.SetTextML(&kHelpTexts[kConversationHelp]);
      AddOrUpdateSubject();
      return true;
    case kLateHoursId:
      m_help.SetSchemeText(13, kHelpTexts[kLateHoursHelp].Get());
      AddOrUpdateSubject();
      return true;
    case kNonTeachingId:
      m_help.SetTextML(&kHelpTexts[kNonTeachingHelp]);
      AddOrUpdateSubject();
      return true;
    case kRenameId:
      RenameSelectedSubjects();
      return true;
    case kDeleteId:
      DeleteSelectedSubjects();
      return true;
    default:
      return CDictionaryPage::OnCommand(w, l);
  }
}

bool Cmaterie::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId &&
      OnListNotify(l, [this] { OnListFocus(); }, [this] { ShowSelectedSubject(); }, [this] { DeleteSelectedSubjects(); }))
    return true;
  return CDictionaryPage::OnNotify(w, l, result);
}
