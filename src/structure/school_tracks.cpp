// The study tracks of the school page (see school_page.h): the track count,
// names and short print names, their validation and the removal of empty
// tracks. A track's initial is the first letter of its name and stands for
// the track in every class code, so renaming a track to a new initial
// rewrites the codes of its classes, and initials are kept unique.
// With one track class codes carry a blank in place of the initial.
#include <cstdio>
#include <cstring>

#include "engine/text_lines.h"
#include "platform/cp1252.h"
#include "schooldata/model_utilities.h"
#include "schooldata/ui_school_model.h"
#include "shell/message_box.h"
#include "structure/school_page.h"
#include "structure/school_page_texts.h"

using namespace kt::ui;

namespace {

constexpr char kSingleTrack[] = "Indirizzo Unico";

int track_count() { return std::clamp<int>(g_ui_structure.track_count, 1, Cproscuola::kTracks); }

char initial_of(int t) { return g_ui_structure.track_names[t][0]; }

void set_field(char* field, std::size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

// Gives the focus back to a field being typed in, caret at its end, so the
// next key adds to the text instead of replacing it.
void return_focus(Dialog& page, Edit& field) {
  page.GotoDlgCtrl(&field);
  int end = int(field.GetWindowText().size());
  field.SetSel(end, end);
}

}  // namespace

void Cproscuola::SetTrackCountList() {
  m_track_count.ResetContent();
  for (int n = 1; n <= kTracks; ++n) m_track_count.AddString(std::to_string(n));
  m_track_count.SetCurSel(track_count() - 1);
  m_delete_empty.EnableWindow(track_count() >= 2);
}

void Cproscuola::ClearTrackInitials() {
  for (int c = 0; c < og_class_count(); ++c)
    if (g_ui_structure.classes[c].code[0] != 0) g_ui_structure.classes[c].code[2] = ' ';
}

void Cproscuola::RefreshTrackRows() {
  char* first = g_ui_structure.track_names[0];
  if (track_count() == 1) {
    // The file keeps the name in capitals: the same name in other case is
    // no edit, and rewriting it would count the page as changed.
    if (kt::cp1252_casecmp(first, kSingleTrack) != 0) {
      std::snprintf(s_kept_first_track, sizeof s_kept_first_track, "%s", first);
      set_field(first, kUiNameSize, kSingleTrack);
    }
  } else if (kt::cp1252_casecmp(first, kSingleTrack) == 0) {
    set_field(first, kUiNameSize, s_kept_first_track);
  }
  bool guards[2] = {m_track_guard, m_short_guard};
  m_track_guard = m_short_guard = true;
  for (int t = 0; t < kTracks; ++t) {
    bool on = t < track_count();
    m_track_names[t].LimitText(18);
    m_track_names[t].SetWindowText(std::string(g_ui_structure.track_names[t], strnlen(g_ui_structure.track_names[t], 20)));
    m_short_names[t].LimitText(3);
    m_short_names[t].SetWindowText(std::string(g_ui_structure.track_short_names[t], strnlen(g_ui_structure.track_short_names[t], 3)));
    char initial = initial_of(t);
    m_initials[t].SetWindowText(initial ? std::string(1, initial) : std::string());
    bool editable = on && !(t == 0 && track_count() == 1);
    m_track_names[t].EnableWindow(editable);
    m_short_names[t].EnableWindow(editable);
    for (int s = 0; s < kSections; ++s) m_section_buttons[std::size_t(t * kSections + s)].EnableWindow(on);
  }
  m_track_guard = guards[0];
  m_short_guard = guards[1];
  RefreshList();
}

void Cproscuola::OnTrackCount() {
  int old = track_count();
  int count = m_track_count.GetCurSel() + 1;
  if (count < 1) return;
  g_ui_structure.track_count = std::int8_t(count);
  if (count == 1 && old >= 2) {
    for (int a = 0; a < og_class_count(); ++a) {
      const char* ca = g_ui_structure.classes[a].code;
      if (ca[0] == 0) continue;
      for (int b = a + 1; b < og_class_count(); ++b) {
        const char* cb = g_ui_structure.classes[b].code;
        if (cb[0] != ca[0] || cb[1] != ca[1]) continue;
        char text[256];
        std::snprintf(text, sizeof text, kTracksClash.Get(), std::string(ca, strnlen(ca, 3)).c_str(),
                      std::string(cb, strnlen(cb, 3)).c_str());
        ui_message_box(text);
        g_ui_structure.track_count = std::int8_t(old);
        SetTrackCountList();
        return;
      }
    }
    ClearTrackInitials();
  } else if (count >= 2 && old < 2) {
    for (int c = 0; c < og_class_count(); ++c) {
      char* code = g_ui_structure.classes[c].code;
      if (code[0] == 0 || static_cast<unsigned char>(code[2]) >= '!') continue;
      code[2] = 'N';
      set_field(g_ui_structure.track_names[0], kUiNameSize, "Normale");
    }
  }
  m_delete_empty.EnableWindow(count >= 2);
  RefreshTrackRows();
}

void Cproscuola::OnTrackName(int t) {
  if (m_track_guard) return;
  m_track_guard = true;
  char text[64] = {};
  std::snprintf(text, sizeof text, "%s", m_track_names[std::size_t(t)].GetWindowText().substr(0, 20).c_str());
  if (const MlText* note = og_name_cleaning_note(text, 0)) m_help.SetTextML(note);
  og_clean_name(text, 20, 0);
  std::string name = kt::cp1252_upper_copy(text);
  if (!name.empty()) {
    char old_initial = initial_of(t);
    if (name[0] != old_initial) {
      for (int other = 0; other < kTracks; ++other) {
        if (other == t || initial_of(other) == 0 || initial_of(other) != name[0]) continue;
        m_help.SetTextML(&kInitialUnique);
        char letter = 'A';
        for (; letter <= 'Z'; ++letter) {
          bool taken = false;
          for (int k = 0; k < kTracks; ++k) taken = taken || (k != t && initial_of(k) == letter);
          if (!taken) break;
        }
        name = std::string(1, letter) + " " + name;
        name = name.substr(0, 20);
        m_track_names[std::size_t(t)].SetWindowText(name);
        m_track_names[std::size_t(t)].SetSel(int(name.size()), int(name.size()));
        other = -1;  // look again with the new initial
      }
      for (int c = 0; c < og_class_count(); ++c) {
        char* code = g_ui_structure.classes[c].code;
        if (code[0] != 0 && old_initial != 0 && code[2] == old_initial) code[2] = name[0];
      }
    }
    set_field(g_ui_structure.track_names[t], kUiNameSize, name);
    m_initials[std::size_t(t)].SetWindowText(std::string(1, name[0]));
  }
  RefreshList();
  return_focus(*this, m_track_names[std::size_t(t)]);
  m_track_guard = false;
}

void Cproscuola::OnShortName(int t) {
  if (m_short_guard) return;
  m_short_guard = true;
  char text[64] = {};
  std::snprintf(text, sizeof text, "%s", m_short_names[std::size_t(t)].GetWindowText().substr(0, 20).c_str());
  og_clean_name(text, 20, 0);
  std::string name = kt::cp1252_upper_copy(text);
  std::size_t cut = 0;
  while (cut < name.size() && ((name[cut] >= 'A' && name[cut] <= 'Z') || name[cut] == '_')) ++cut;
  if (cut < name.size()) {
    name.resize(cut);
    m_short_names[std::size_t(t)].SetWindowText(name);
    message_beep(kBeepSimple);
  }
  bool clash = false;
  if (!name.empty() && name[0] != '_') {
    for (int other = 0; other < kTracks && !clash; ++other)
      clash = other != t && kt::cp1252_casecmp(name.c_str(), g_ui_structure.track_short_names[other]) == 0;
  }
  if (clash) ui_message_box(kDifferentShortNames);
  else set_field(g_ui_structure.track_short_names[t], sizeof g_ui_structure.track_short_names[t], name);
  RefreshList();
  return_focus(*this, m_short_names[std::size_t(t)]);
  m_short_guard = false;
}

bool Cproscuola::ValidateTracks() {
  int count = track_count();
  for (int t = 0; t < count; ++t) {
    if (or_is_letter(static_cast<unsigned char>(initial_of(t)))) continue;
    ui_message_box(kTrackNameMissing);
    GotoDlgCtrl(&m_track_names[std::size_t(t)]);
    return false;
  }
  for (int t = 1; t < count; ++t) {
    for (int u = 0; u < t; ++u) {
      if (initial_of(t) == 0 || initial_of(u) == 0 ||
          kt::cp1252_upper(static_cast<unsigned char>(initial_of(t))) !=
              kt::cp1252_upper(static_cast<unsigned char>(initial_of(u))))
        continue;
      ui_message_box(kTrackInitialsDiffer);
      GotoDlgCtrl(&m_track_names[std::size_t(t)]);
      return false;
    }
  }
  for (int t = 0; t < count; ++t) {
    char* short_name = g_ui_structure.track_short_names[t];
    if (strnlen(short_name, 4) != 1) continue;
    unsigned char letter = kt::cp1252_upper(static_cast<unsigned char>(short_name[0]));
    for (int u = 0; u < count; ++u) {
      if (u == t || kt::cp1252_upper(static_cast<unsigned char>(initial_of(u))) != letter) continue;
      ui_message_box(kShortNameIsInitial);
      GotoDlgCtrl(&m_short_names[std::size_t(t)]);
      return false;
    }
    if (kt::cp1252_upper(static_cast<unsigned char>(initial_of(t))) == letter) std::memset(short_name, 0, 4);
  }
  return true;
}

void Cproscuola::OnDeleteEmpty() {
  bool removed_any = false;
  bool removed = true;
  while (removed && g_ui_structure.track_count >= 2) {
    removed = false;
    int count = track_count();
    for (int t = 0; t < count && count >= 2; ++t) {
      bool used = false;
      for (int c = 0; c < og_class_count() && !used; ++c)
        used = g_ui_structure.classes[c].code[0] != 0 && g_ui_structure.classes[c].code[2] == initial_of(t);
      if (used) continue;
      for (int u = t; u + 1 < kTracks; ++u) {
        std::memcpy(g_ui_structure.track_names[u], g_ui_structure.track_names[u + 1], kUiNameSize);
        std::memcpy(g_ui_structure.track_short_names[u], g_ui_structure.track_short_names[u + 1], 4);
        std::memcpy(g_ui_structure.sections[u], g_ui_structure.sections[u + 1], kSections);
      }
      std::memset(g_ui_structure.track_names[kTracks - 1], 0, kUiNameSize);
      std::memset(g_ui_structure.track_short_names[kTracks - 1], 0, 4);
      std::memset(g_ui_structure.sections[kTracks - 1], 0, kSections);
      g_ui_structure.track_count = std::int8_t(count - 1);
      removed = removed_any = true;
      break;
    }
  }
  if (!removed_any) {
    ui_message_box(kNoEmptyTrack);
    return;
  }
  SetTrackCountList();
  if (track_count() == 1) ClearTrackInitials();
  RefreshTrackRows();
  RefreshSectionButtons();
  m_track_guard = m_short_guard = true;
  for (int t = track_count(); t < kTracks; ++t) {
    m_track_names[std::size_t(t)].SetWindowText("");
    m_short_names[std::size_t(t)].SetWindowText("");
    m_initials[std::size_t(t)].SetWindowText("");
    for (int s = 0; s < kSections; ++s) m_section_buttons[std::size_t(t * kSections + s)].SetCheck(0);
  }
  m_track_guard = m_short_guard = false;
}
