// Behaviour of the class move (see class_move.h). The class list offers
// the classes of the key's section (and track, with two or more tracks) in
// class order; choosing a class enables the section list, choosing a
// section enables the track list when there are tracks to choose. Saving
// checks, in order: a class chosen, a section chosen, a track chosen, the
// new code free; then rewrites the code and switches the destination
// section on. Enter saves only while the save button has the focus.
#include "structure/class_move.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/list_utilities.h"
#include "shell/message_box.h"
#include "structure/input_box.h"
#include "structure/unsaved_changes_prompt.h"

using namespace kt::ui;

namespace {

const MlText kHelp = {
    "Da qui potete assegnare a una diversa Sezione o a un diverso Indirizzo una Classe che ha già ore di Lezione."_cp,
    "Von hier aus können Sie eine Klasse, die schon Unterrichtsstunden hat, einem anderen Zug oder einer anderen "
    "Fachrichtung zuweisen."_cp,
    "From here you can assign a class that already has lessons to another section or another study track."};
const MlText kNeedSection = {"Specificare la Sezione", "Bitte den Zug angeben", "Please specify the section"};
const MlText kNeedTrack = {"Specificare l'Indirizzo", "Bitte die Fachrichtung angeben",
                           "Please specify the study track"};
const MlText kClassExists = {"La Classe %s esiste già"_cp, "Die Klasse %s existiert bereits",
                             "The class %s already exists"};

constexpr int kYes = 6;

// The code compared for equality: 2 characters with one track, 3 with more.
std::size_t code_length() { return og_track_count() >= 2 ? 3 : 2; }

}  // namespace

LResult Ccanocla::DoModal() {
  ui_register_structure_templates();
  return CDialogML::DoModal();
}

void Ccanocla::DoDataExchange(DataExchange& dx) {
  dx.Control(kClassListId, m_classes);
  dx.Control(kSectionListId, m_sections);
  dx.Control(kTrackListId, m_tracks);
  dx.Control(kHelpId, m_help);
  dx.Control(kSaveId, m_save);
  dx.Control(kAbandonId, m_abandon);
}

bool Ccanocla::OnInitDialog() {
  CDialogML::OnInitDialog();
  m_help.SetTextML(&kHelp);
  bool tracks = og_track_count() >= 2;
  for (int i = 0; i < og_class_count(); ++i) {
    const UiClass& c = g_ui_structure.classes[i];
    if (c.code[1] != m_key_section) continue;
    if (tracks && c.code[2] != m_key_track) continue;
    m_classes.AddString(og_class_label(i));
  }
  og_sort_class_list_box(m_classes);
  for (char letter = 'A'; letter <= 'Z'; ++letter) m_sections.AddString(std::string(1, letter));
  m_sections.EnableWindow(false);
  m_tracks.EnableWindow(false);
  if (tracks) {
    for (int t = 0; t < og_track_count(); ++t) {
      const char* name = g_ui_structure.track_names[t];
      const char* short_name = g_ui_structure.track_short_names[t];
      std::string name_text(name, strnlen(name, kUiNameSize));
      std::string short_text(short_name, strnlen(short_name, sizeof g_ui_structure.track_short_names[t]));
      m_tracks.AddString(name_text + ' ' + (short_text.empty() ? ' ' : '-') + ' ' + short_text);
    }
  }
  m_class = -1;
  m_section = -1;
  m_track = 255;
  m_track_index = 0;
  GotoDlgCtrl(&m_save);
  return false;
}

bool Ccanocla::OnCommand(WParam w, LParam l) {
  int id = command_id(w);
  int code = command_code(w);
  if (code == kCbnSelChange) {
    if (id == kClassListId) OnClassChosen();
    if (id == kSectionListId) OnSectionChosen();
    if (id == kTrackListId) OnTrackChosen();
    if (id == kClassListId || id == kSectionListId || id == kTrackListId) return true;
  }
  if (code == kBnClicked && id == kSaveId) {
    Save();
    return true;
  }
  if (code == kBnClicked && id == kAbandonId) {
    OnCancel();
    return true;
  }
  return CDialogML::OnCommand(w, l);
}

void Ccanocla::OnClassChosen() {
  int row = m_classes.GetCurSel();
  if (row < 0) return;
  int index = og_find_class_by_label(m_classes.GetLBText(row).c_str());
  if (index >= og_class_count()) return;
  m_class = index;
  m_sections.EnableWindow(true);
}

void Ccanocla::OnSectionChosen() {
  int row = m_sections.GetCurSel();
  if (row < 0 || row >= 26) return;
  m_section = std::int8_t('A' + row);
  if (og_track_count() >= 2) m_tracks.EnableWindow(true);
}

void Ccanocla::OnTrackChosen() {
  int row = m_tracks.GetCurSel();
  if (row < 0) return;
  std::string entry = m_tracks.GetLBText(row);
  if (!entry.empty()) m_track = std::uint8_t(entry[0]);
}

void Ccanocla::Save() {
  if (m_class < 0 || m_class >= og_class_count()) {
    message_beep(kBeepSimple);
    return;
  }
  if (m_section < 0) {
    ui_message_box(kNeedSection);
    return;
  }
  char initial = ' ';
  int track = 0;
  if (og_track_count() >= 2) {
    track = -1;
    for (int t = 0; t < og_track_count() && track < 0; ++t)
      if (m_track != 255 && std::uint8_t(g_ui_structure.track_names[t][0]) == m_track) track = t;
    if (track < 0) {
      ui_message_box(kNeedTrack);
      return;
    }
    initial = char(m_track);
  }
  UiClass& moved = g_ui_structure.classes[m_class];
  const char wanted[3] = {moved.code[0], char(m_section), initial};
  for (int i = 0; i < og_class_count(); ++i) {
    const UiClass& other = g_ui_structure.classes[i];
    if (std::memcmp(other.code, wanted, code_length()) != 0) continue;
    char shown[5];
    std::memcpy(shown, other.code, 4);
    shown[code_length()] = '\0';
    char message[160];
    std::snprintf(message, sizeof message, kClassExists.Get(), shown);
    ui_message_box(message);
    return;
  }
  moved.code[1] = char(m_section);
  moved.code[2] = initial;
  m_track_index = std::int8_t(track);
  g_ui_structure.sections[track][m_section - 'A'] = 1;
  EndDialog(kMoved);
}

void Ccanocla::OnCancel() {
  if (ui_message_box_flags(g_abandon_question, kMbYesNo | kMbIconQuestion, kMbCursorBetween) != kYes) return;
  EndDialog(kIdCancel);
}
