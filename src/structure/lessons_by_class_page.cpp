// Behaviour of the lessons-by-class page (see lessons_by_class_page.h).
// Choosers hold names; the page looks them up by name when a choice is
// made, so a refill after a rename or an addition never leaves a stale
// index behind. A grid row refers to its hour by teacher, subject, second
// teacher, conversation subject and lab, never by post index, because a
// move may remove or merge posts.
//
// Wrong clicks beep; refusals are OK message boxes in the user's language;
// a move that cannot be made (no hour left, 40 posts) changes nothing.
#include "structure/lessons_by_class_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/model_utilities.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/model_lookups.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/home_page.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/labs_page.h"
#include "structure/saved_timetable_rename.h"
#include "structure/shared_texts.h"
#include "structure/subject_dictionary.h"
#include "structure/subjects_page.h"
#include "structure/teacher_page_texts.h"

using namespace kt::ui;

bool g_lacoco_save_without_asking = false;

namespace {

using shared_text::kNobody;
using shared_text::kTooManyTeachers;
using shared_text::kNeedsLetter;
using shared_text::kSaveNextWithoutAsking;

// Column widths the user set, kept for the whole run of the program.
ListColumnWidths g_column_widths{};

const MlText kHeadings[Clacoco::kColumns] = {
    {"Ora", "Std.", "Hour"},
    {"Materia", "Fach", "Subject"},
    {"Professore", "Lehrer", "Teacher"},
    {"Classe Articolata", "Verbundene Klasse", "Joint class"},
    {"Ore in questa Classe", "Stunden in dieser Klasse", "Hours in this class"},
    {"Prolungate", "Verlängert"_cp, "Extended"},
    {"Ore di Lezione totali del Professore", "Gesamtstunden des Lehrers", "Teacher's total hours"},
    {"Professore Compresente", "Mitanwesender Lehrer", "Twin teacher"},
    {"Ore di Lezione totali del Professore", "Gesamtstunden des Lehrers", "Teacher's total hours"},
    {"Materia di Compresenza / Conversazione", "Fach der Mitanwesenheit", "Twin teaching subject"},
    {"Laboratorio", "Labor", "Lab"},
    {"Ore Laboratorio", "Laborstunden", "Lab hours"},
    {"Sottogruppo", "Untergruppe", "Subgroup"},
    {"Ora prolungata", "Verlängerte Stunde"_cp, "Extended hour"},
};
const MlText kStartHelp = {
    "Selezionate una Classe, poi selezionate un'ORA di Lezione e servitevi di questa pagina per organizzare le "
    "MATERIE di insegnamento, le Ore in COMPRESENZA (e Conversazione) e le Ore in Laboratorio.",
    "Wählen Sie eine Klasse, dann eine UnterrichtsSTUNDE, und ordnen Sie hier die FÄCHER, die Stunden in "
    "MITANWESENHEIT und die Laborstunden."_cp,
    "Select a class, then a lesson HOUR, and use this page to organise the SUBJECTS, the TWIN TEACHER hours and "
    "the lab hours."};
const MlText kSortHelp = {
    "SUGGERIMENTO: se volete vedere, ad esempio, i dati ordinati per Professore e per Materia,  dovete ordinare la "
    "tabella delle Classi clickando PRIMA sulla colonna MATERIA, e DOPO sulla colonna Professore.",
    "TIPP: um die Daten z.B. nach Lehrer und Fach zu ordnen, klicken Sie ZUERST auf die Spalte FACH und DANN auf "
    "die Spalte Lehrer."_cp,
    "TIP: to see the data sorted, for example, by teacher and subject, click FIRST on the SUBJECT column and THEN "
    "on the Teacher column."};
const MlText kSubjectHelp = {
    "Potete attribuire questa Ora di Lezione a una Materia diversa. Se la Materia non appare nell'elenco, potete "
    "aggiungerla con il tasto \"nuova\".\nPer le ore di Laboratorio o Compresenza selezionate le colonne a destra.",
    "Sie können diese Stunde einem anderen Fach geben. Fehlt das Fach, fügen Sie es mit \"nuova\" hinzu."_cp,
    "You can give this hour to another subject. If the subject is not listed, add it with \"nuova\"."};
const MlText kTeacherHelp = {
    "Potete attribuire questa Ora di Lezione a un Professore diverso. Se il Professore non appare nell'elenco, "
    "potete aggiungerla con il tasto \"nuovo\".\nPer le ore di Laboratorio o Compresenza selezionate le colonne a "
    "destra.",
    "Sie können diese Stunde einem anderen Lehrer geben. Fehlt der Lehrer, fügen Sie ihn mit \"nuovo\" hinzu."_cp,
    "You can give this hour to another teacher. If the teacher is not listed, add them with \"nuovo\"."};
const MlText kCoTeachingHelp = {
    "Potete cambiare Professore in Compresenza, Laboratorio o Materia di Compresenza per l'Ora che avete "
    "selezionato.",
    "Sie können den mitanwesenden Lehrer, das Labor oder das Fach der Mitanwesenheit dieser Stunde ändern."_cp,
    "You can change the twin teacher, the lab or the twin teaching subject of the selected hour."};
const MlText kSubgroupHelp = {
    "Potete definire un Sottogruppo, dichiarando che le lezioni per la Materia avvengono contemporaneamente a "
    "quelle di un altra. La Classe allora si scinde i due o più Sottogruppi."_cp,
    "Sie können eine Untergruppe festlegen: die Stunden des Faches liegen gleichzeitig mit denen eines anderen."_cp,
    "You can define a subgroup: the lessons of the subject take place at the same time as those of another."};
const MlText kJoinSubjectHelp = {
    "Potete modificare la Materia, oppure spostare l'Ora in compresenza. Selezionate l'Ora dove questa deve essere "
    "messa in compresenza scegliendo una delle caselle colorate di Giallo.",
    "Sie können das Fach ändern oder die Stunde in Mitanwesenheit legen: wählen Sie eines der GELBEN Felder."_cp,
    "You can change the subject, or move the hour into twin teaching: choose one of the YELLOW cells."};
const MlText kJoinTeacherHelp = {
    "Potete modificare il Professore, oppure spostare l'Ora in compresenza. Selezionate l'Ora dove questa deve "
    "essere messa in compresenza scegliendo una delle caselle colorate di Giallo.",
    "Sie können den Lehrer ändern oder die Stunde in Mitanwesenheit legen: wählen Sie eines der GELBEN Felder."_cp,
    "You can change the teacher, or move the hour into twin teaching: choose one of the YELLOW cells."};
const MlText kNewHourHelp = {"Potete aggiungere una Materia e un Professore per creare un'Ora di Lezione Frontale.",
                             "Wählen Sie Fach und Lehrer für eine neue Frontalstunde."_cp,
                             "Choose a subject and a teacher to create a new frontal lesson hour."};
const MlText kEditMainClass = {"Per questo elemento, modificare la classe %s (Classe articolata Principale)",
                               "Für dieses Element die Klasse %s ändern (Hauptklasse des Verbundes)"_cp,
                               "For this item, change class %s (main joint class)"};
const MlText kEditJointList = {
    "Per modificare la lista delle classi articolate, modificare il docente %s al punto 6C della configurazione",
    "Um die Liste der verbundenen Klassen zu ändern, den Lehrer %s in Schritt 6C der Konfiguration ändern"_cp,
    "To change the list of joint classes, change teacher %s in step 6C of the configuration"};
const MlText kRenamePrompt = {"Ridenominazione - nuovo Nome del Professore?", "Umbenennen - neuer Name des Lehrers?",
                              "Rename - new name of the teacher?"};
const MlText kNameTaken = {"Nome già in uso. Impossibile ridenominare."_cp,
                           "Name schon vergeben. Umbenennen unmöglich."_cp, "Name already in use. Cannot rename."};
const MlText kNewTeacherPrompt = {"Aggiunta di un Professore - Nome del nuovo Professore?",
                                  "Neuer Lehrer - Name des neuen Lehrers?", "New teacher - name of the new teacher?"};
const MlText kTooShort = {"Inserire un nome lungo almeno 4 caratteri", "Bitte einen Namen mit mindestens 4 Zeichen",
                          "Please enter a name of at least 4 characters"};
const MlText kExists = {"Già esistente. Non inserito."_cp, "Schon vorhanden. Nicht eingefügt."_cp,
                        "Already exists. Not inserted."};
const MlText kSaveClass = {"I dati di %s sono stati modificati. Salvo le modifiche?",
                           "Die Daten von %s wurden geändert. Änderungen speichern?"_cp,
                           "The data of %s have been changed. Save the changes?"};
const MlText kToDefine = {"DEFINIRE LA MATERIA", "DEFINIRE LA MATERIA", "DEFINIRE LA MATERIA"};
const MlText kYesText = {"si", "ja", "yes"};
const MlText kDeleteLesson = {"Cancella questa Ora di Lezione", "Diese Unterrichtsstunde löschen"_cp,
                              "Delete this lesson hour"};
const MlText kDeleteKind = {"Cancella questa Ora di %s", "Diese Stunde %s löschen"_cp, "Delete this %s hour"};
const MlText kKindLab = {"Laboratorio", "Labor", "Lab"};
const MlText kKindAssistedLab = {"I.T.P. Laboratorio", "Laborassistent", "Lab assistant"};
const MlText kKindCoTeaching = {"Compresenza", "Mitanwesenheit", "Twin teaching"};

constexpr int kYes = 6, kNo = 7;

int lab_count() { return dictionary_count(g_ui_structure.lab_count, kUiMaxLabs); }

std::string field(const char* name) { return std::string(name, strnlen(name, kUiNameSize - 1)); }
std::string teacher_name(int t) { return t >= 0 && t < og_teacher_count() ? field(g_ui_teachers[t].name) : ""; }
std::string subject_name(int s) { return s >= 0 && s < og_subject_count() ? field(g_ui_structure.subjects[s].name) : ""; }

std::string title_case(const std::string& text) {
  std::vector<char> out(text.size() + 1);
  or_title_case(out.data(), text.c_str());
  return out.data();
}

std::string number(int n) { return std::to_string(n); }

int find_teacher(const std::string& name) {
  for (int t = 0; t < og_teacher_count(); ++t)
    if (!name.empty() && kt::cp1252_casecmp(g_ui_teachers[t].name, name.c_str()) == 0) return t;
  return -1;
}

// An ordinary or conversation subject of this name; created hidden with the
// type when absent (automatic subjects of co-teaching hours); -1 when full.
int subject_with_type(const char* name, char type, bool hidden) {
  for (int s = 0; s < og_subject_count(); ++s)
    if (std::strncmp(g_ui_structure.subjects[s].name, name, kUiNameSize - 1) == 0 &&
        g_ui_structure.subjects[s].type == type)
      return s;
  if (og_subject_count() >= kUiMaxSubjects) return -1;
  int s = og_subject_count();
  UiSubject& fresh = g_ui_structure.subjects[s];
  std::memset(&fresh, 0, sizeof fresh);
  dictionary_copy_name(fresh.name, name);
  fresh.type = type;
  fresh.hidden = hidden ? 1 : 0;
  g_ui_structure.subject_count = std::uint32_t(s + 1);
  return s;
}

// A name not yet used by a subject of the other type: characters from
// `first` on are raised in turn until the name is free.
std::string free_subject_name(std::string name, char type, std::size_t first) {
  for (std::size_t k = first, tries = 0; tries < 4096 && k < name.size(); ++tries) {
    bool taken = false;
    for (int s = 0; s < og_subject_count() && !taken; ++s)
      taken = g_ui_structure.subjects[s].type != type &&
              std::strncmp(g_ui_structure.subjects[s].name, name.c_str(), kUiNameSize - 1) == 0;
    if (!taken) break;
    auto& c = reinterpret_cast<unsigned char&>(name[k]);
    if (c < 'Z')
      ++c;
    else
      k = (k + 1) % std::max<std::size_t>(1, name.size());
  }
  return name;
}

// Every post with a lab and no partner gets its own teacher as partner.
void give_lab_posts_their_teacher() {
  for (int t = 0; t < og_teacher_count(); ++t)
    for (int p = 0; p < dictionary_count(g_ui_teachers[t].post_count, kUiMaxPosts); ++p) {
      UiTeachingPost& post = g_ui_teachers[t].posts[p];
      if (post.lab >= 0 && post.partner < 0) post.partner = t;
    }
}

}  // namespace

void Clacoco::DoDataExchange(DataExchange& dx) {
  const std::pair<int, Window*> bindings[] = {
      {kClassId, &m_classes},
      {kPrevId, &m_prev},
      {kNextId, &m_next},
      {kCountId, &m_count},
      {kBuildingTextId, &m_building_text},
      {kGridId, &m_grid},
      {kSubjectId, &m_subject},
      {kNewSubjectId, &m_new_subject},
      {kTeacherId, &m_teacher},
      {kNewTeacherId, &m_new_teacher},
      {kLabId, &m_lab},
      {kNewLabId, &m_new_lab},
      {kConversationId, &m_conversation},
      {kNewConversationId, &m_new_conversation},
      {kSecondId, &m_second},
      {kNewSecondId, &m_new_second},
      {kSubgroupId, &m_subgroup},
      {kAddHourId, &m_add_hour},
      {kAddHour2Id, &m_add_hour2},
      {kDeleteId, &m_delete},
      {kAnotherId, &m_another},
      {kSeparateId, &m_separate},
      {kRenameId, &m_rename},
      {kSaveId, &m_save},
      {kAbandonId, &m_abandon},
      {kSave2Id, &m_save2},
      {kAbandon2Id, &m_abandon2},
      {kAutoSaveId, &m_auto_save},
      {kHelpPaneId, &m_help},
      {kHowToId, &m_how_to},
  };
  for (const auto& [id, control] : bindings) dx.Control(id, *control);
  for (int i = 0; i < 2; ++i) dx.Control(kFirstHelpButtonId + i, m_help_buttons[std::size_t(i)]);
  for (int i = 0; i < kStatics; ++i) dx.Control(kFirstStaticId + i, m_statics[std::size_t(i)]);
}

bool Clacoco::OnInitDialog() {
  CDictionaryPage::OnInitDialog();
  StartPage("6B Vedi per classi");
  for (int c = 0; c < kColumns; ++c) m_grid.InsertColumn(c, kHeadings[c].Get());
  ui_restore_list_column_widths(m_grid, g_column_widths);
  m_grid.m_on_cell_selected = [this](int row, int column, int) { ShowHour(row, column); };
  m_grid.m_on_delete_key = [this] {
    message_beep(kBeepSimple);
    DeleteHour();
  };
  for (int c = 0; c < og_class_count(); ++c)
    if (g_ui_structure.classes[c].code[0]) m_classes.AddString(std::string(og_class_label(c)));
  m_class = g_selected_class;
  if (m_class < 0 || m_class >= og_class_count()) m_class = og_class_count() > 0 ? 0 : -1;
  g_selected_class = m_class;
  if (m_class >= 0) m_classes.SetCurSel(m_classes.FindStringExact(-1, std::string(og_class_label(m_class))));
  FillChoosers();
  m_auto_save.SetCheck(g_lacoco_save_without_asking ? 1 : 0);
  m_help.SetTextML(&kStartHelp);
  m_asked_auto_save = false;
  m_hour = ClassHour{};
  m_hour.class_index = m_class;
  BuildRows();
  EnableForColumn(-1);
  return true;
}

void Clacoco::FillChoosers() {
  for (ComboBox* c : {&m_subject, &m_teacher, &m_lab, &m_conversation, &m_second, &m_subgroup}) c->ResetContent();
  m_subgroup.AddString(kNobody.Get());
  for (int s = 0; s < og_subject_count(); ++s) {
    const UiSubject& subject = g_ui_structure.subjects[s];
    if (!subject.name[0]) continue;
    if (subject.type == 'C') {
      m_conversation.AddString(field(subject.name));
    } else if (!subject.hidden) {
      m_subject.AddString(field(subject.name));
      m_subgroup.AddString(field(subject.name));
    }
  }
  for (int l = 0; l < lab_count(); ++l)
    if (g_ui_structure.labs[l].name[0]) m_lab.AddString(field(g_ui_structure.labs[l].name));
  for (int t = 0; t < og_teacher_count(); ++t) {
    m_teacher.AddString(teacher_name(t));
    m_second.AddString(teacher_name(t));
  }
}

void Clacoco::BuildRows() {
  m_joining = false;
  m_rows = m_class >= 0 ? class_hours_build_rows(m_class) : std::vector<ClassHourRow>{};
  if (m_grid.IsWindow()) ShowRows();
}

void Clacoco::ShowRows() {
  m_grid.ClearAll();
  int subgroups = 0;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const ClassHourRow& r = m_rows[i];
    int row = m_grid.InsertRow(int(i), number(int(i) + 1));
    std::string joint;
    if (r.main_class >= 0) joint = std::string(og_class_label(r.main_class));
    for (int c : r.articulated)
      if (c >= 0) joint += (joint.empty() ? "" : " ") + std::string(og_class_label(c));
    kt::cp1252_make_upper(joint.data());
    std::string lab;
    if (r.lab >= 0 && r.lab < lab_count()) {
      const UiLab& l = g_ui_structure.labs[r.lab];
      bool elsewhere = m_class >= 0 && l.building != g_ui_structure.classes[m_class].building;
      lab = elsewhere ? field(l.name) : title_case(field(l.name));
    } else if (r.lab_group >= 0 && r.lab_group < kUiMaxLabGroups) {
      lab = " gruppo: " + field(g_ui_structure.lab_groups[r.lab_group].name);
    }
    bool any_hours = r.total_hours > 0;
    const std::string texts[kColumns] = {number(int(i) + 1),
                                         title_case(subject_name(r.subject)),
                                         teacher_name(r.teacher),
                                         joint,
                                         any_hours ? number(r.hours_in_class) : "",
                                         any_hours ? number(r.extended_in_class) : "",
                                         number(r.total_hours),
                                         teacher_name(r.second_teacher),
                                         r.second_total ? number(r.second_total) : "",
                                         subject_name(r.conversation),
                                         lab,
                                         r.lab_hours ? number(r.lab_hours) : "",
                                         subject_name(r.subgroup),
                                         r.extended ? kYesText.Get() : ""};
    for (int c = 1; c < kColumns; ++c) m_grid.SetItemText(row, c, texts[c]);
    // Changed rows show in their own colour; the hour column keeps the
    // grid's, where the row the change moved to shows as highlighted.
    if (r.changed)
      for (int c = 1; c < kColumns; ++c) m_grid.PaintCell(row, c, rgb(255, 230, 160));
    if (r.subgroup >= 0) ++subgroups;
  }
  // Until the user sizes a column, each is as wide as its heading and its
  // widest text: the list scrolls sideways rather than cut them short.
  if (std::all_of(g_column_widths.begin(), g_column_widths.end(), [](std::uint16_t w) { return w == 0; }))
    for (int c = 0; c < kColumns; ++c)
      m_grid.SetColumnWidth(c, std::max(ui_list_heading_width(m_grid, c), ui_list_content_width(m_grid, c)));
  int rows = int(m_rows.size());
  m_count.SetWindowText(subgroups ? number(rows) + "/" + number(rows - subgroups) : number(rows));
  bool buildings = g_ui_settings.building_count >= 2 && m_class >= 0;
  m_building_text.SetWindowText(
      buildings
          ? field(g_ui_settings
                      .buildings[std::clamp<int>(g_ui_structure.classes[m_class].building, 0, kUiMaxBuildings - 1)]
                      .name)
          : "");
}

void Clacoco::SortByColumn(int column) {
  m_help.SetTextML(&kSortHelp);
  if (column < 0 || column >= kColumns) return;
  int& direction = m_directions[std::size_t(column)];
  direction = direction == 1 ? -1 : 1;
  auto key_name = [column](const ClassHourRow& r) {
    switch (column) {
      case 1:
        return subject_name(r.subject);
      case 2:
        return teacher_name(r.teacher);
      case 7:
        return teacher_name(r.second_teacher);
      case 9:
        return subject_name(r.conversation);
      default:
        return r.lab >= 0 && r.lab < lab_count() ? field(g_ui_structure.labs[r.lab].name) : std::string();
    }
  };
  auto key_number = [column](const ClassHourRow& r) {
    switch (column) {
      case 4:
        return r.hours_in_class;
      case 5:
        return r.extended_in_class;
      case 6:
        return r.total_hours;
      case 8:
        return r.second_total;
      default:
        return r.lab_hours;
    }
  };
  bool by_name = column == 1 || column == 2 || column == 7 || column == 9 || column == 10;
  bool by_number = column == 4 || column == 5 || column == 6 || column == 8 || column == 11;
  if (by_name || by_number)
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const ClassHourRow& a, const ClassHourRow& b) {
      int order = by_name ? key_name(a).compare(key_name(b)) : key_number(a) - key_number(b);
      return order * direction < 0;
    });
  ShowRows();
}

void Clacoco::EnableForColumn(int column) {
  for (Window* w : std::initializer_list<Window*>{
           &m_subject, &m_new_subject, &m_teacher, &m_new_teacher, &m_lab, &m_new_lab, &m_conversation,
           &m_new_conversation, &m_second, &m_new_second, &m_subgroup, &m_delete, &m_another, &m_separate, &m_rename})
    w->EnableWindow(false);
  auto enable = [](std::initializer_list<Window*> list) {
    for (Window* w : list) w->EnableWindow(true);
  };
  m_delete.SetCaption(kDeleteLesson.Get());
  if (column == 1 || column == 3 || column == 4) {
    enable({&m_subject, &m_new_subject, &m_another, &m_delete});
  } else if (column == 2) {
    enable({&m_teacher, &m_new_teacher, &m_rename, &m_another, &m_delete});
  } else if (column == 7 || column == 9 || column == 10) {
    enable({&m_conversation, &m_new_conversation, &m_second, &m_new_second, &m_rename, &m_subgroup});
    if (m_hour.lab_group < 0) enable({&m_lab, &m_new_lab});
    if (m_hour.CoTeaching()) {
      const MlText& kind = m_hour.lab < 0                                                          ? kKindCoTeaching
                           : m_hour.second_teacher >= 0 && m_hour.second_teacher != m_hour.teacher ? kKindAssistedLab
                                                                                                   : kKindLab;
      char caption[80];
      std::snprintf(caption, sizeof caption, kDeleteKind.Get(), kind.Get());
      m_delete.SetCaption(caption);
      enable({&m_delete});
    }
    if (m_hour.second_teacher >= 0) enable({&m_separate});
  } else if (column == 12) {
    enable({&m_subgroup});
  }
}

void Clacoco::ShowHour(int row, int column) {
  EnableForColumn(-1);
  if (row < 0 || row >= int(m_rows.size())) return;
  const ClassHourRow& r = m_rows[std::size_t(row)];
  char message[300];
  if (r.main_class >= 0) {
    std::snprintf(message, sizeof message, kEditMainClass.Get(), og_class_label(r.main_class));
    ui_message_box(message);
    return;
  }
  if (column == 3) {
    std::snprintf(message, sizeof message, kEditJointList.Get(), teacher_name(r.teacher).c_str());
    ui_message_box(message);
    return;
  }
  if (m_joining) {
    CompleteJoin(r, column);
    return;
  }
  m_new_hour = false;
  m_column = column;
  m_hour = ClassHour{m_class, r.teacher, r.subject, r.second_teacher, r.conversation, r.lab, r.lab_group};
  auto select = [](ComboBox& c, const std::string& text) {
    c.SetCurSel(text.empty() ? -1 : c.FindStringExact(-1, text));
  };
  select(m_subject, subject_name(r.subject));
  select(m_teacher, teacher_name(r.teacher));
  select(m_second, teacher_name(r.second_teacher));
  select(m_conversation, subject_name(r.conversation));
  select(m_lab, r.lab >= 0 && r.lab < lab_count() ? field(g_ui_structure.labs[r.lab].name) : "");
  m_subgroup.SetCurSel(r.subgroup >= 0 ? m_subgroup.FindStringExact(0, subject_name(r.subgroup)) : 0);
  static const std::pair<int, const MlText*> kHelpOf[] = {
      {1, &kSubjectHelp},    {3, &kSubjectHelp},    {4, &kSubjectHelp},     {2, &kTeacherHelp},
      {7, &kCoTeachingHelp}, {9, &kCoTeachingHelp}, {10, &kCoTeachingHelp}, {12, &kSubgroupHelp}};
  const MlText* help = nullptr;
  for (const auto& [c, text] : kHelpOf)
    if (c == column) help = text;
  if (!help) {
    message_beep(kBeepSimple);
    return;
  }
  m_help.SetTextML(help);
  EnableForColumn(column);
  if ((column == 1 || column == 2) && r.second_teacher < 0 && r.conversation < 0 && r.lab < 0) {
    m_help.SetTextML(column == 1 ? &kJoinSubjectHelp : &kJoinTeacherHelp);
    StartJoin();
  }
}

// Paints the hours a frontal hour can be joined to: column 7 of the other
// teachers' frontal rows in two yellows, their co-teaching rows in blue.
void Clacoco::StartJoin() {
  m_joining = true;
  m_join_hint.Open(this);
  bool alternate = false;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const ClassHourRow& r = m_rows[i];
    if (r.teacher == m_hour.teacher) continue;
    bool free = r.conversation < 0 && r.lab < 0;
    Color colour = free ? (alternate ? rgb(247, 244, 149) : rgb(246, 244, 184)) : rgb(207, 223, 255);
    if (free) alternate = !alternate;
    m_grid.PaintCell(int(i), 7, colour);
    m_grid.InvalidateCell(int(i), 7);
  }
}

// The picked teacher holds the hour as a co-teaching hour with the current
// teacher as second teacher; the current teacher's frontal hour goes.
void Clacoco::CompleteJoin(const ClassHourRow& picked, int column) {
  m_joining = false;
  int original = m_hour.teacher;
  bool fits = column == 7 && picked.teacher != original && picked.main_class < 0 && picked.conversation < 0 &&
              picked.lab < 0 && picked.second_teacher < 0;
  if (!fits) {
    message_beep(kBeepSimple);
    ShowRows();
    return;
  }
  ClassHour target{m_class, picked.teacher, picked.subject, original, -1, m_hour.lab, m_hour.lab_group};
  if (target.lab < 0) {
    // The conversation subject the picked teacher already shares with the
    // original one (this class first), else a new one named after both.
    for (int pass = 0; pass < 2 && target.conversation < 0; ++pass) {
      const UiTeacher& t = g_ui_teachers[picked.teacher];
      for (int p = 0; p < dictionary_count(t.post_count, kUiMaxPosts) && target.conversation < 0; ++p)
        if (t.posts[p].partner == original && t.posts[p].conversation_subject >= 0 &&
            (pass == 1 || t.posts[p].class_index == m_class))
          target.conversation = t.posts[p].conversation_subject;
    }
    if (target.conversation < 0) {
      std::string first = subject_name(picked.subject), second = subject_name(m_hour.subject);
      while (first.size() + 1 + second.size() > std::size_t(kUiNameSize - 1)) {
        if (first.size() >= second.size())
          first.pop_back();
        else
          second.pop_back();
      }
      std::string name = free_subject_name(first + "+" + second, 'C', 0);
      target.conversation = subject_with_type(name.c_str(), 'C', false);
      if (target.conversation < 0) {
        message_beep(kBeepSimple);
        ShowRows();
        return;
      }
    }
  }
  ClassHour picked_frontal{m_class, picked.teacher, picked.subject, -1, -1, -1, -1};
  int p = class_hours_find_post(target, 1);
  bool joined = false;
  if (p >= 0) {
    UiTeachingPost& post = g_ui_teachers[picked.teacher].posts[p];
    ++post.partner_part.hours;
    post.copy = 1;
    if (post.partner_part.hours > post.own.hours) {
      ++post.own.hours;
      class_hours_take(picked_frontal);
    }
    joined = true;
  } else {
    joined = class_hours_move(picked_frontal, target);
  }
  if (joined)
    class_hours_take(ClassHour{m_class, original, m_hour.subject, -1, -1, -1, -1});
  else
    message_beep(kBeepSimple);
  class_hours_merge_posts(original);
  m_hour = target;
  FillChoosers();
  AfterChange(picked.teacher);
}

// The rows are built again; the highlight moves to the first row the
// change touched, as a whole row, so the user sees where the hour went
// without the page acting as if that row had been clicked.
void Clacoco::AfterChange(int teacher) {
  class_hours_merge_posts(teacher);
  BuildRows();
  EnableForColumn(-1);
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (!m_rows[i].changed) continue;
    m_grid.RequestCell(int(i), 0);
    m_grid.MoveHighlight(0);
    break;
  }
}

int Clacoco::ChosenTeacher(const ComboBox& chooser) const {
  int sel = chooser.GetCurSel();
  return sel < 0 ? -1 : find_teacher(chooser.GetLBText(sel));
}

int Clacoco::ChosenSubject(const ComboBox& chooser) const {
  int sel = chooser.GetCurSel();
  if (sel < 0) return -1;
  std::string name = chooser.GetLBText(sel);
  for (int s = 0; s < og_subject_count(); ++s)
    if (name == field(g_ui_structure.subjects[s].name)) return s;
  return -1;
}

int Clacoco::ChosenLab() const {
  int sel = m_lab.GetCurSel();
  if (sel < 0) return -1;
  std::string name = m_lab.GetLBText(sel);
  for (int l = 0; l < lab_count(); ++l)
    if (name == field(g_ui_structure.labs[l].name)) return l;
  return -1;
}

void Clacoco::OnFrontalTeacher() {
  int teacher = ChosenTeacher(m_teacher);
  if (teacher < 0) return;
  if (m_new_hour) {
    m_hour.teacher = teacher;
    m_subject.EnableWindow(true);
    m_new_subject.EnableWindow(true);
    return;
  }
  ClassHour from{m_class, m_hour.teacher, m_hour.subject, -1, -1, -1, -1};
  ClassHour to = from;
  to.teacher = teacher;
  if (teacher == m_hour.teacher || !class_hours_move(from, to)) {
    message_beep(kBeepSimple);
    return;
  }
  AfterChange(teacher);
}

void Clacoco::OnFrontalSubject() {
  int subject = ChosenSubject(m_subject);
  if (subject < 0) return;
  if (m_new_hour) {
    if (m_hour.teacher < 0) return;
    class_hours_give(ClassHour{m_class, m_hour.teacher, subject, -1, -1, -1, -1});
    m_new_hour = false;
    AfterChange(m_hour.teacher);
    return;
  }
  ClassHour to = m_hour;
  to.subject = subject;
  if (subject == m_hour.subject || !class_hours_move(m_hour, to)) {
    message_beep(kBeepSimple);
    return;
  }
  AfterChange(m_hour.teacher);
}

// `used`: the chooser just changed (kSecondId, kConversationId or kLabId).
void Clacoco::SetCoTeaching(int used) {
  if (m_hour.teacher < 0) return;
  int second = ChosenTeacher(m_second);
  int conversation = ChosenSubject(m_conversation);
  int lab = ChosenLab();
  if (conversation >= 0 && lab >= 0) {
    if (used == kLabId)
      m_conversation.SetCurSel(-1), conversation = -1;
    else
      m_lab.SetCurSel(-1), lab = -1;
  }
  if (lab >= 0 && second < 0) second = m_hour.teacher;
  if (conversation >= 0 && second == m_hour.teacher) {
    m_second.SetCurSel(-1);
    return;
  }
  if (second >= 0 && conversation < 0 && lab < 0) {
    std::string base = subject_name(m_hour.subject).substr(0, 14) + "_COMPR";
    std::string name = free_subject_name(base, 'C', 0);
    if (subject_with_type(name.c_str(), 'C', true) >= 0) {
      FillChoosers();
      m_conversation.SetCurSel(-1);
      m_second.SetCurSel(m_second.FindStringExact(-1, teacher_name(second)));
    }
    return;
  }
  ClassHour target = m_hour;
  target.second_teacher = second == m_hour.teacher ? -1 : second;
  target.conversation = conversation;
  target.lab = lab;
  target.lab_group = lab >= 0 ? -1 : m_hour.lab_group;
  int p = class_hours_find_post(target, 1);
  UiTeacher& teacher = g_ui_teachers[m_hour.teacher];
  if (p >= 0 && teacher.posts[p].partner_part.hours < teacher.posts[p].own.hours) {
    ++teacher.posts[p].partner_part.hours;
    teacher.posts[p].copy = 1;
  } else if (!class_hours_move(m_hour, target)) {
    message_beep(kBeepSimple);
    return;
  }
  m_hour = target;
  AfterChange(m_hour.teacher);
}

void Clacoco::OnSubgroup() {
  int p = class_hours_find_post(m_hour, -1);
  if (p < 0) return;
  UiTeachingPost& post = g_ui_teachers[m_hour.teacher].posts[p];
  int sel = m_subgroup.GetCurSel();
  int subject = sel <= 0 ? -1 : ChosenSubject(m_subgroup);
  if (subject >= 0 && subject == post.subject) {
    message_beep(kBeepSimple);
    m_subgroup.SetCurSel(-1);
    return;
  }
  post.own.subgroup_subject = subject;
  post.copy = 1;
  AfterChange(m_hour.teacher);
}

void Clacoco::DeleteHour() {
  if (m_hour.teacher < 0) return;
  bool partner_side = m_column == 7 || m_column == 9 || m_column == 10;
  bool done = partner_side ? class_hours_take_partner(m_hour) : class_hours_take(m_hour);
  if (!done) {
    message_beep(kBeepSimple);
    return;
  }
  AfterChange(m_hour.teacher);
}

void Clacoco::AnotherHour() {
  if (m_hour.teacher < 0 || !class_hours_give(m_hour)) {
    message_beep(kBeepSimple);
    return;
  }
  AfterChange(m_hour.teacher);
}

void Clacoco::SeparateHours() {
  int second = m_hour.second_teacher;
  if (second < 0 || !class_hours_take_partner(m_hour)) {
    message_beep(kBeepSimple);
    return;
  }
  const UiTeacher& t = g_ui_teachers[second];
  int subject = -1;
  int posts = dictionary_count(t.post_count, kUiMaxPosts);
  for (int p = 0; p < posts && subject < 0; ++p)
    if (t.posts[p].class_index == m_class) subject = t.posts[p].subject;
  if (subject < 0 && posts > 0) subject = t.posts[0].subject;
  if (subject < 0) subject = subject_with_type(free_subject_name(kToDefine.Get(), 'N', 0).c_str(), 'N', false);
  if (subject >= 0) {
    ClassHour hour{m_class, second, subject, -1, -1, -1, -1};
    if (m_hour.lab >= 0) hour.lab = m_hour.lab, hour.second_teacher = second;
    class_hours_give(hour);
    class_hours_merge_posts(second);
  }
  AfterChange(m_hour.teacher);
}

void Clacoco::RenameTeacher() {
  bool partner_side = m_column == 7 || m_column == 9 || m_column == 10;
  int teacher = partner_side ? m_hour.second_teacher : m_hour.teacher;
  if (teacher < 0 || teacher >= og_teacher_count()) return;
  char answer[kUiNameSize];
  dictionary_copy_name(answer, g_ui_teachers[teacher].name);
  if (casella_run_input_box(kRenamePrompt.Get(), answer, kUiNameSize - 1, 4, nullptr, nullptr, 0, 0, nullptr, 0) != 1)
    return;
  char name[kUiNameSize];
  og_clean_name(name, answer);
  kt::cp1252_make_upper(name);
  // A teacher's line starts with his name: the same first letter as a new
  // teacher's, or the school would no longer load.
  if (name[0] < 'A' || name[0] > 'Z') {
    ui_message_box(kNeedsLetter);
    return;
  }
  int other = find_teacher(name);
  if (other >= 0 && other != teacher) {
    ui_message_box(kNameTaken);
    return;
  }
  char old_name[kUiNameSize];
  dictionary_copy_name(old_name, g_ui_teachers[teacher].name);
  char new_name[kUiNameSize];
  dictionary_copy_name(new_name, og_escape_name(name));
  // The saved timetable names the teacher too: it follows first, and when
  // it cannot the teacher keeps his name, so the school and its saved week
  // still name him alike.
  std::string why;
  if (og_rename_in_saved_timetable(old_name, new_name, &why) < 0) {
    ui_message_box((std::string(procat_text::kRenameNotSaved.Get()) + why).c_str());
    return;
  }
  dictionary_copy_name(g_ui_teachers[teacher].name, new_name);
  FillChoosers();
  BuildRows();
}

void Clacoco::NewTeacher(ComboBox& chooser) {
  if (og_teacher_count() >= kUiMaxTeachers) {
    ui_message_box(kTooManyTeachers);
    return;
  }
  char answer[kUiNameSize] = {};
  if (casella_run_input_box(kNewTeacherPrompt.Get(), answer, kUiNameSize - 1, 4, nullptr, nullptr, 0, 0, nullptr, 0) !=
      1)
    return;
  char name[kUiNameSize];
  og_clean_name(name, answer);
  std::size_t length = std::strlen(name);
  if (length >= 4 && kt::cp1252_casecmp(name + length - 4, "_LAB") == 0) name[length - 4] = '\0';
  kt::cp1252_make_upper(name);
  if (std::strlen(name) < 4) {
    ui_message_box(kTooShort);
    return;
  }
  if (name[0] < 'A' || name[0] > 'Z') {
    ui_message_box(kNeedsLetter);
    return;
  }
  if (find_teacher(name) >= 0) {
    ui_message_box(kExists);
    return;
  }
  int index = og_teacher_count();
  og_init_teacher(index, name);
  g_ui_settings.teacher_count = std::uint32_t(index + 1);
  FillChoosers();
  chooser.SetCurSel(chooser.FindStringExact(-1, teacher_name(index)));
  if (&chooser == &m_teacher)
    OnFrontalTeacher();
  else
    SetCoTeaching(kSecondId);
}

void Clacoco::NewSubject(bool conversation) {
  Cmaterie dialog;
  dialog.m_type_restriction = conversation ? 2 : 1;
  dialog.DoModalCaptioned(true);
  FillChoosers();
  ComboBox& chooser = conversation ? m_conversation : m_subject;
  if (!dialog.m_added_name[0]) return;
  chooser.SetCurSel(chooser.FindStringExact(-1, dialog.m_added_name));
  if (conversation)
    SetCoTeaching(kConversationId);
  else
    OnFrontalSubject();
}

void Clacoco::NewLab() {
  Clapal dialog;
  dialog.DoModalCaptioned(true);
  FillChoosers();
  if (dialog.m_added_lab[0]) m_lab.SetCurSel(m_lab.FindStringExact(-1, dialog.m_added_lab));
}

void Clacoco::StartNewHour() {
  m_new_hour = true;
  m_joining = false;
  m_hour = ClassHour{};
  m_hour.class_index = m_class;
  m_grid.SetItemState(-1, 0, kLvisSelected | kLvisFocused);
  EnableForColumn(-1);
  m_teacher.SetCurSel(-1);
  m_subject.SetCurSel(-1);
  m_teacher.EnableWindow(true);
  m_new_teacher.EnableWindow(true);
  m_help.SetTextML(&kNewHourHelp);
}

bool Clacoco::ChangeClass(int index) {
  if (index < 0 || index >= og_class_count() || index == m_class) return false;
  give_lab_posts_their_teacher();
  if (og_save_if_changed(1) != 0) {
    if (g_lacoco_save_without_asking) {
      if (!og_save_description_file()) return false;
    } else {
      char question[200];
      std::snprintf(question, sizeof question, kSaveClass.Get(), og_class_label(m_class));
      int answer = ui_message_box_type(question, kMbYesNoCancel | kMbIconQuestion);
      if (answer != kYes && answer != kNo) {
        m_classes.SetCurSel(m_classes.FindStringExact(-1, std::string(og_class_label(m_class))));
        return false;
      }
      if (answer == kYes) {
        // A save that failed has said why; the class stays, its edits kept.
        if (!og_save_description_file()) {
          m_classes.SetCurSel(m_classes.FindStringExact(-1, std::string(og_class_label(m_class))));
          return false;
        }
        if (!m_asked_auto_save) {
          m_asked_auto_save = true;
          if (ui_message_box_type(kSaveNextWithoutAsking, kMbYesNo | kMbIconQuestion) == kYes) {
            g_lacoco_save_without_asking = true;
            m_auto_save.SetCheck(1);
          }
        }
      }
    }
  }
  m_class = g_selected_class = index;
  m_hour = ClassHour{};
  m_hour.class_index = m_class;
  m_classes.SetCurSel(m_classes.FindStringExact(-1, std::string(og_class_label(m_class))));
  BuildRows();
  EnableForColumn(-1);
  return true;
}

bool Clacoco::CheckBeforeLeaving() {
  give_lab_posts_their_teacher();
  return true;
}

void Clacoco::Abandon() {
  og_read_school_files(0);
  FillChoosers();
  BuildRows();
}

bool Clacoco::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange) {
    switch (id) {
      case kClassId: {
        int sel = m_classes.GetCurSel();
        if (sel >= 0) ChangeClass(og_find_class_by_label(m_classes.GetLBText(sel).c_str()));
        return true;
      }
      case kTeacherId:
        OnFrontalTeacher();
        return true;
      case kSubjectId:
        OnFrontalSubject();
        return true;
      case kSecondId:
      case kConversationId:
      case kLabId:
        SetCoTeaching(id);
        return true;
      case kSubgroupId:
        OnSubgroup();
        return true;
      default:
        break;
    }
  }
  if (code != kBnClicked) return CDictionaryPage::OnCommand(w, l);
  switch (id) {
    case kPrevId:
    case kNextId: {
      int sel = m_classes.GetCurSel() + (id == kPrevId ? -1 : 1);
      if (sel < 0 || sel >= m_classes.GetCount())
        message_beep(kBeepSimple);
      else
        ChangeClass(og_find_class_by_label(m_classes.GetLBText(sel).c_str()));
      return true;
    }
    case kAddHourId:
    case kAddHour2Id:
      StartNewHour();
      return true;
    case kDeleteId:
      DeleteHour();
      return true;
    case kAnotherId:
      AnotherHour();
      return true;
    case kSeparateId:
      SeparateHours();
      return true;
    case kRenameId:
      RenameTeacher();
      return true;
    case kNewTeacherId:
      NewTeacher(m_teacher);
      return true;
    case kNewSecondId:
      NewTeacher(m_second);
      return true;
    case kNewSubjectId:
      NewSubject(false);
      return true;
    case kNewConversationId:
      NewSubject(true);
      return true;
    case kNewLabId:
      NewLab();
      return true;
    case kSaveId:
    case kSave2Id:
      SaveFiles();
      return true;
    case kAbandonId:
    case kAbandon2Id:
      Abandon();
      return true;
    case kAutoSaveId:
      g_lacoco_save_without_asking = m_auto_save.GetCheck() != 0;
      return true;
    case kFirstHelpButtonId:
    case kFirstHelpButtonId + 1:
    case kHowToId:
      m_help.SetTextML(&kStartHelp);
      return true;
    default:
      return CDictionaryPage::OnCommand(w, l);
  }
}

bool Clacoco::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kGridId && header->code == kLvnColumnClick) {
    SortByColumn(reinterpret_cast<ListViewNotify*>(l)->subitem);
    return true;
  }
  if (header && header->id == kGridId && header->code == kHdnEndTrack) {
    auto* change = reinterpret_cast<ListViewNotify*>(l);
    ui_save_list_column_widths(change->subitem, change->width, m_grid, g_column_widths);
    return true;
  }
  return CDictionaryPage::OnNotify(w, l, result);
}
