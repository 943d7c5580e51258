// Behaviour of the Orario Facile import page (see orario_facile_page.h):
// opening with its introduction rows and the repeated-import question,
// reading an Orario Facile or Argo file, listing and sorting the lessons,
// and the save that turns them into teaching posts.
//
// Weekly hours added to a post stay within 84 (a week), so a post never
// holds a value the description would refuse.
#include "schooldata/orario_facile_page.h"

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "schooldata/description_reader.h"
#include "schooldata/school_files.h"
#include "schooldata/description_writer.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "shell/ml_text.h"

using namespace kt::ui;
using namespace kt::imports;

namespace {

const MlText kColumns[10] = {
    {{"Progr.", "Progr.", "Progr."}},       {{"Professore", "Lehrer", "Teacher"}},
    {{"Professore", "Lehrer", "Teacher"}},  {{"Classe", "Klasse", "Class"}},
    {{"Sezione", "Abschnitt", "Section"}},  {{"Indirizzo", "Fachrichtung", "Address"}},
    {{"Materia", "Fach", "Subject"}},       {{"Ore", "Stunden", "Hours"}},
    {{"Configurato", "konfiguriert", "configured"}}, {{"Da Importare", "von den Einfuhrabgaben", "From Import"}},
};
const int kFactor[10] = {8, 16, 8, 8, 8, 16, 16, 8, 8, 8};
const char* const kExplanation =
    "Importazione dei dati dal ORARIO FACILE 2006 (c)Mathema Software.\r\nA fine importazione, rivedete tutta la "
    "configurazione e aggiungete quanto manca.\r\nLe Ore di Conversazione / Compresenza / Laboratorio appariranno "
    "come Lezioni Frontali: in fase di revisione della configurazione non sarà però difficile associarle alle "
    "lezioni di Materia Frontale nel modo voluto.\r\n"_cp;
const MlText kCoPresence = {{"Compresenza", "Mitanwesenheit", "Twin Teacher"}};

int compare(const ImportedLesson& a, const ImportedLesson& b, int column) {
  switch (column) {
    case 0: return b.number - a.number;
    case 1: return std::strcmp(teacher_name(a.teacher), teacher_name(b.teacher));
    case 2: return std::strcmp(teacher_name(a.second_teacher), teacher_name(b.second_teacher));
    case 3: return std::strcmp(class_code(a.class_index), class_code(b.class_index));
    case 4: return code_char(a.class_index, 1) - code_char(b.class_index, 1);
    case 5: return code_char(a.class_index, 2) - code_char(b.class_index, 2);
    case 6: return std::strcmp(subject_name(a.subject), subject_name(b.subject));
    case 7: return b.hours - a.hours;
    case 8: return b.configured - a.configured;
    default: return b.to_import - a.to_import;
  }
}

// The co-presence subject: the first "Compresenza%02d" no subject bears
// (in any case: the structure file stores names in upper case),
// appended as a conversation subject (the 99th when all exist); -1 after
// telling the subject limit.
int co_presence_subject() {
  UiSchoolStructure& st = g_ui_structure;
  int count = static_cast<int>(st.subject_count < kUiMaxSubjects ? st.subject_count : kUiMaxSubjects);
  char name[kUiNameSize];
  for (int n = 0; n < 100; ++n) {
    std::snprintf(name, sizeof name, "%s%02d", kCoPresence.Get(), n);
    bool taken = false;
    int at = -1;
    for (int s = 0; s < count; ++s) {
      if (kt::cp1252_casecmp(st.subjects[s].name, name) == 0) taken = true, at = s;
    }
    if (taken && n < 99) continue;
    if (taken) return at;
    if (count >= kUiMaxSubjects) break;
    UiSubject& s = st.subjects[count];
    std::memset(&s, 0, sizeof s);
    std::memcpy(s.name, name, std::strlen(name));
    s.type = 'C';
    st.subject_count = static_cast<std::uint32_t>(count + 1);
    return count;
  }
  char text[80];
  std::snprintf(text, sizeof text, "Numero Materie eccede il limite di %d", kUiMaxSubjects);
  ui_message_box(text);
  return -1;
}

}  // namespace

Corafac::Corafac() : CImportPage(kTemplate) {}

LResult Corafac::DoModal() {
  ui_register_import_templates();
  return CResizableDialog::DoModal();
}

void Corafac::DoDataExchange(DataExchange& dx) {
  dx.Control(kListId, m_list);
  dx.Control(kHelpId, m_help);
  dx.Control(kOpenId, m_open);
  dx.Control(kArgoId, m_argo);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
  dx.Control(kSortTipId, m_sort_tip);
}

bool Corafac::OnInitDialog() {
  SetUpList("Importa da Orario Facile", kColumns, kFactor, 10);
  AddIntroduction(1);
  m_lessons = ImportedLessons();
  m_help.SetText(kExplanation);
  if (g_ui_structure.status[2] >= '1' &&
      ui_message_box_type(
          "I dati provenienti da ORARIO FACILE (c)Mathema Software sono già stati inclusi: sicuro di proseguire?"_cp,
          kMbYesNo | kMbIconQuestion) != kIdYes) {
    EndDialog(-1);
  }
  return true;
}

bool Corafac::OnCommand(WParam w, LParam l) {
  if (command_code(w) == kBnClicked) {
    switch (command_id(w)) {
      case kOpenId: OpenFile(false); return true;
      case kArgoId: OpenFile(true); return true;
      case kSaveId: Save(); return true;
      case kAbandonId: OnCancel(); return true;
      case kSortTipId: m_help.SetText(og_import_sort_tip()); return true;
      default: break;
    }
  }
  return CResizableDialog::OnCommand(w, l);
}

void Corafac::OnCancel() {
  m_lessons = ImportedLessons();
  og_read_school_files(0);
  EndDialog(kIdCancel);
}

void Corafac::OpenFile(bool argo) {
  int read = 0;
  auto read_file = [&](const std::string& local) {
    read = argo ? og_read_argo_darwin(local, m_lessons, tell) : og_read_orario_facile(local, m_lessons, tell);
    if (read == 0 && nothing_read(m_lessons.lessons.size(), local)) read = -1;
  };
  if (!read_chosen_file(argo ? "DRW(*.drw)|*.drw||" : "OFD(*.ofd)|*.ofd||", "", read_file)) return;
  if (read < 0) {
    m_lessons = ImportedLessons();
    EndDialog(-1);
    return;
  }
  m_read = true;
  m_list.DeleteAllItems();
  FillList(true);
}

void Corafac::FillList(bool first_fill) {
  for (ImportedLesson& l : m_lessons.lessons) {
    l.configured = has_post(l.teacher, l.subject, l.class_index) ? 1 : 0;
    if (first_fill) l.to_import = l.configured ? 0 : 1;
    char hours[8];
    std::snprintf(hours, sizeof hours, "%d", l.hours);
    int at = RowFor(l.number);
    const char* code = class_code(l.class_index);
    int track = l.track >= 0 && l.track < kUiMaxTracks ? l.track : 0;
    m_list.SetItemText(at, 1, teacher_name(l.teacher));
    m_list.SetItemText(at, 2, teacher_name(l.second_teacher));
    m_list.SetItemText(at, 3, code);
    m_list.SetItemText(at, 4, code[0] ? code + 1 : "");
    m_list.SetItemText(at, 5, g_ui_structure.track_names[track]);
    m_list.SetItemText(at, 6, subject_name(l.subject));
    m_list.SetItemText(at, 7, hours);
    m_list.SetItemText(at, 8, og_import_yes_no(l.configured));
    m_list.SetItemText(at, 9, og_import_yes_no(l.to_import));
  }
}

void Corafac::SortBy(int column) {
  if (column < 0 || column > 9) return;
  m_help.SetText(og_import_sort_tip());
  SortRows(m_lessons.lessons, column, compare);
}

void Corafac::ApplyLessons() {
  int co_subject = -1;
  for (const ImportedLesson& l : m_lessons.lessons) {
    if (l.second_teacher < 0 || !valid_teacher(l.second_teacher)) continue;
    if ((co_subject = co_presence_subject()) < 0) return;
    break;
  }
  for (const ImportedLesson& l : m_lessons.lessons) {
    if (l.configured || !l.to_import || !valid_teacher(l.teacher)) continue;
    if (!valid_class(l.class_index) || !valid_subject(l.subject)) continue;
    int partner = valid_teacher(l.second_teacher) ? l.second_teacher : -1;
    UiTeacher& teacher = g_ui_teachers[l.teacher];
    UiTeachingPost* post = nullptr;
    for (std::uint32_t p = 0; p < teacher.post_count && p < kUiMaxPosts && !post; ++p) {
      UiTeachingPost& q = teacher.posts[p];
      if (q.subject == l.subject && q.class_index == l.class_index && q.partner == partner) post = &q;
    }
    if (post == nullptr) {
      if ((post = new_post(teacher)) == nullptr) continue;
      post->subject = l.subject;
      post->class_index = l.class_index;
      post->partner = partner;
      if (partner >= 0) post->conversation_subject = co_subject;
    }
    post->own.hours = add_hours(post->own.hours, l.hours);
    if (post->partner >= 0) post->partner_part.hours = add_hours(post->partner_part.hours, l.hours);
  }
}

void Corafac::Save() {
  // Before a file is read there is nothing to apply: saving then would
  // record an import that never was. After a refused save the lessons are
  // already in the model (the table is empty) and the save is made again.
  if (nothing_to_save(m_read)) return;
  ApplyLessons();
  m_lessons = ImportedLessons();
  char& status = g_ui_structure.status[2];
  status = status < '1' ? '1' : '2';
  if (!og_save_school_files()) return;
  EndDialog(kSaved);
}
