// The shared model lookups and steps of the import pages and the
// CImportPage base (see import_page.h).
//
// The folder current before the file question is restored after the read,
// since the screen's file dialog may change it and the school files are
// found relative to it.
#include "schooldata/import_page.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "shell/dialog_title.h"
#include "shell/message_box.h"
#include "schooldata/import_names.h"
#include "schooldata/model_utilities.h"

using namespace kt::ui;

std::function<bool(const std::string& filter, const std::string& initial, std::string& path)> g_import_file_chooser;

namespace kt::imports {

namespace {

const char* const kIntroduction[5] = {"L'importazione consente di", "risparmiare molto lavoro!",
                                      "Se non riesce, chiedete", "consiglio all'Assistenza!",
                                      "Assistenza tecnica: dal menu Servizi"};
const MlText kSureToClear = {{"Sicuro di cancellare tutti gli elementi ?", "Wollen Sie wirklich alle Artikel löschen?"_cp,
                              "Sure to delete all the items?"}};

const MlText kNothingRead = {{"Nessun dato importato: il file %s non contiene righe da importare",
                              "Keine Daten importiert: die Datei %s enth\xE4lt keine Zeilen zum Importieren",
                              "No data imported: the file %s holds no lines to import"}};
const MlText kNothingToSave = {{"Nessun dato importato: aprite prima un file con i dati da importare",
                                "Keine Daten importiert: zuerst eine Datei mit den zu importierenden Daten "
                                "\xF6" "ffnen",
                                "No data imported: first open a file with the data to import"}};

}  // namespace

int teacher_count() { return og_teacher_count(); }
int class_count() { return og_class_count(); }
int subject_count() { return og_subject_count(); }
bool valid_teacher(int t) { return t >= 0 && t < teacher_count(); }
bool valid_class(int c) { return c >= 0 && c < static_cast<int>(g_ui_structure.class_count) && c < kUiMaxClasses; }
bool valid_subject(int s) {
  return s >= 0 && s < static_cast<int>(g_ui_structure.subject_count) && s < kUiMaxSubjects;
}
bool valid_lab(int l) { return l >= 0 && l < static_cast<int>(g_ui_structure.lab_count) && l < kUiMaxLabs; }
const char* teacher_name(int t) { return valid_teacher(t) ? g_ui_teachers[t].name : ""; }
const char* class_code(int c) { return valid_class(c) ? g_ui_structure.classes[c].code : ""; }
const char* subject_name(int s) { return valid_subject(s) ? g_ui_structure.subjects[s].name : ""; }
signed char code_char(int c, int at) {
  return valid_class(c) ? static_cast<signed char>(g_ui_structure.classes[c].code[at]) : 0;
}

bool has_post(int teacher, int subject, int class_index) {
  if (!valid_teacher(teacher)) return false;
  const UiTeacher& t = g_ui_teachers[teacher];
  for (std::uint32_t p = 0; p < t.post_count && p < kUiMaxPosts; ++p) {
    if (t.posts[p].subject == subject && t.posts[p].class_index == class_index) return true;
  }
  return false;
}

std::int8_t add_hours(int have, int more) {
  int total = have + more;
  return static_cast<std::int8_t>(total > 84 ? 84 : total < 0 ? 0 : total);
}

UiTeachingPost* new_post(UiTeacher& teacher) {
  if (teacher.post_count >= kUiMaxPosts) {
    tell(og_import_too_many_posts_text(teacher.name));
    return nullptr;
  }
  UiTeachingPost* post = &teacher.posts[teacher.post_count++];
  og_reset_teaching_post(*post);
  return post;
}

bool sure_to_clear() { return ui_message_box_type(kSureToClear.Get(), kMbYesNo | kMbIconQuestion) == kIdYes; }

bool read_chosen_file(const char* filter, const char* initial, const std::function<void(const std::string&)>& read) {
  char folder[4096];
  std::string kept = ::getcwd(folder, sizeof folder) ? folder : "";
  std::string path;
  if (!g_import_file_chooser || !g_import_file_chooser(filter, initial, path)) return false;
  read(kt::translate_path(path));
  if (!kept.empty() && ::chdir(kept.c_str()) != 0) kept.clear();
  return true;
}

void tell(const std::string& text) { ui_message_box(text.c_str()); }

bool nothing_read(std::size_t rows, const std::string& path) {
  if (rows > 0) return false;
  std::string text = kNothingRead.Get();
  text.replace(text.find("%s"), 2, kt::utf8_to_cp1252(path));
  tell(text);
  return true;
}

bool nothing_to_save(bool read) {
  if (read) return false;
  tell(kNothingToSave.Get());
  return true;
}

}  // namespace kt::imports

bool CImportPage::OnNotify(WParam w, LParam l, LResult* result) {
  auto* header = reinterpret_cast<NotifyHeader*>(l);
  if (header && header->id == kListId && header->code == kLvnColumnClick) {
    SortBy(reinterpret_cast<ListViewNotify*>(l)->subitem);
    return true;
  }
  return CResizableDialog::OnNotify(w, l, result);
}

void CImportPage::OnOK() {
  Window* focus = Window::GetFocus();
  if (focus == &m_save) Save();
  if (focus == &m_abandon) OnCancel();
}

void CImportPage::SetUpList(const char* title, const MlText* columns, const int* factors, int count) {
  CResizableDialog::OnInitDialog();
  ui_set_current_dialog_title(title);
  FitIntoPageArea();
  ShowGrip(false);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kLvsExGridLines | kLvsExFullRowSelect);
  for (int c = 0; c < count; ++c) {
    const char* head = columns[c].Get();
    m_list.InsertColumn(c, head, kLvcfmtLeft, static_cast<int>(std::strlen(head)) * factors[c]);
  }
}

void CImportPage::AddIntroduction(int column) {
  for (const char* line : kt::imports::kIntroduction) {
    m_list.SetItemText(m_list.InsertItem(m_list.GetItemCount(), ""), column, line);
  }
}

int CImportPage::RowFor(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  for (int i = 0; i < m_list.GetItemCount(); ++i) {
    if (m_list.GetItemText(i, 0) == text) return i;
  }
  return m_list.InsertItem(m_list.GetItemCount(), text);
}
