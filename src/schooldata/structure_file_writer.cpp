// Writer of "scuola1.txt" and the service-memo probe. Track names, class
// codes and subject names are upper-cased in the model as they are written,
// so the snapshot taken after the write equals what a later read gives.
//
// Every index taken from the model (counts, classroom indexes, track count)
// is bounded before use, so a model changed by a page or an import cannot
// make the writer read past a table. A failed write leaves the old file and
// the save counter as they were. Worker processes never write.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/shell_services.h"
#include "platform/cp1252.h"
#include "schooldata/school_file_lines.h"
#include "schooldata/status_info.h"
#include "schooldata/structure_file.h"
#include "schooldata/description_reader.h"
#include "schooldata/ui_school_model.h"

namespace {

UiSchoolStructure& st = g_ui_structure;

std::string upper(char* text, std::size_t size) {
  text[size - 1] = 0;
  kt::cp1252_make_upper(text);
  return text;
}

// A class is written when its track is known and its section enabled.
bool class_written(UiClass& c) {
  c.code[3] = 0;
  return og_class_in_structure(c);
}

// Writes the classes and returns the indexes of those written.
std::vector<std::uint32_t> write_classes(SchoolFileText& out, std::uint32_t classes) {
  // Twenty written classes a line: counted on the classes written, so a file
  // read back (without the classes left out) splits its lines the same way.
  std::vector<std::uint32_t> written;
  std::string line = "CLASSI:|";
  int on_line = 0;
  for (std::uint32_t i = 0; i < classes; ++i) {
    UiClass& c = st.classes[i];
    upper(c.code, sizeof c.code);
    if (!class_written(c)) continue;
    written.push_back(i);
    line += std::string(c.code) + "|";
    if (++on_line == 20) {
      out.line(line);
      line = "CLASSI:|";
      on_line = 0;
    }
  }
  if (on_line > 0) out.line(line);
  return written;
}

void write_subjects(SchoolFileText& out) {
  std::uint32_t count = st.subject_count > kUiMaxSubjects ? kUiMaxSubjects : st.subject_count;
  for (std::uint32_t start = 0; start < count; start += 4) {
    std::string line = "MATERIE:|";
    for (std::uint32_t i = start; i < start + 4 && i < count; ++i) {
      UiSubject& s = st.subjects[i];
      if (s.hidden) continue;
      line += upper(s.name, sizeof s.name) + "-" + (s.type == 'C' ? 'C' : 'N');
      if (s.option_p > 0) line += "-P" + std::to_string(s.option_p);
      if (s.option_n != 0) line += "-N" + std::to_string(s.option_n);
      if (s.option_m != 0) line += "-M" + std::to_string(s.option_m);
      line += "|";
    }
    if (line != "MATERIE:|") out.line(line);
  }
}

// The classroom settings name only the classes the file carries, ten to a
// line counted on those: a class left out of "CLASSI:" would be named where
// the reader cannot find it, and the lines would split otherwise next time.
void write_assignment(SchoolFileText& out, const std::vector<std::uint32_t>& classes) {
  std::string line = "ASAU:|" + std::to_string(st.room_assignment_mode);
  for (int v = 0; v < 10; ++v) line += "-" + std::to_string(st.room_assignment_values[v]);
  out.line(line + "|" + std::to_string(st.room_assignment_last) + "|");
  for (std::size_t start = 0; start < classes.size(); start += 10) {
    line = "ASAUMOVE:|";
    for (std::size_t k = start; k < start + 10 && k < classes.size(); ++k) {
      const UiClass& c = st.classes[classes[k]];
      if (c.room_move) line += std::string(c.code) + "|";
    }
    out.line(line);
  }
  out.line("");
  auto room_name = [](std::int32_t room) -> const char* {
    if (room < 0 || static_cast<std::uint32_t>(room) >= st.classroom_count ||
        room >= kUiMaxClassrooms) {
      return nullptr;
    }
    st.classroom_names[room][kUiNameSize - 1] = 0;
    return st.classroom_names[room];
  };
  bool any = false;
  for (std::uint32_t i : classes) any = any || room_name(st.classes[i].preferred_room);
  if (!any) return;
  for (std::size_t start = 0; start < classes.size(); start += 10) {
    line = "ASAUPREF:|";
    for (std::size_t k = start; k < start + 10 && k < classes.size(); ++k) {
      const UiClass& c = st.classes[classes[k]];
      const char* name = room_name(c.preferred_room);
      if (name != nullptr) line += std::string(c.code) + "-" + name + "|";
    }
    out.line(line);
  }
  out.line("");
  for (std::uint32_t i : classes) {
    std::string rooms;
    for (int r = 0; r < 30; ++r) {
      const char* name = room_name(st.classes[i].forbidden_rooms[r]);
      if (name != nullptr) rooms += std::string(name) + "|";
    }
    if (!rooms.empty()) out.line("ASAUVIET:|" + std::string(st.classes[i].code) + "|" + rooms);
  }
}

}  // namespace

bool og_class_in_structure(const UiClass& c) {
  if (c.code[0] == 0 || c.code[1] < 'A' || c.code[1] > 'Z') return false;
  int track = 0;
  if (st.track_count >= 2) {
    track = -1;
    for (int t = 0; t < st.track_count && t < kUiMaxTracks; ++t) {
      if (st.track_names[t][0] != 0 && st.track_names[t][0] == c.code[2]) track = t;
    }
    if (track < 0) return false;
  } else if (c.code[2] != 0 && c.code[2] != ' ') {
    return false;
  }
  return st.sections[track][c.code[1] - 'A'] != 0;
}

void (*g_apply_default_subject_flags)() = nullptr;

int og_structure_text(SchoolFileText& out) {
  if (g_process_number != 0) return 1;
  // A school whose files could not be read is never written over them.
  if (!og_school_loaded()) return -1;
  // Until a save has given the subjects the options their names suggest
  // (the seventh status byte says so), every save tries it.
  if (g_ui_structure.status[6] != '1' && g_apply_default_subject_flags) g_apply_default_subject_flags();
  g_ui_header.school_name[80] = 0;
  out.line(std::string("REM:") + g_ui_header.school_name);
  out.line(og_status_info_line());
  ++st.save_counter;
  // The file is now this program's: its version is recorded, and from then
  // on the description carries the status bytes too.
  std::snprintf(st.writer_version, sizeof st.writer_version, "%.5s", kProgramRelease);
  st.memo_date[21] = 0;
  st.memo_text[201] = 0;
  out.line("SERVICEMEMO:|" + std::string(st.writer_version) + "-" +
           std::to_string(st.save_counter) + "|" + st.memo_date + "|" + st.memo_text + "|");
  if (std::string stamp = og_pair_stamp_line(); !stamp.empty()) out.line(stamp);
  std::string tracks = "INDIRIZZI:|";
  int track_count = st.track_count < 0 ? 0 : st.track_count > kUiMaxTracks ? kUiMaxTracks
                                                                             : st.track_count;
  for (int t = 0; t < track_count; ++t) {
    tracks += upper(st.track_names[t], kUiNameSize) + "-";
    for (int s = 0; s < 26; ++s) {
      if (st.sections[t][s]) tracks += static_cast<char>('a' + s);
    }
    tracks += "|";
  }
  out.line(tracks);
  std::uint32_t classes = st.class_count > kUiMaxClasses ? kUiMaxClasses : st.class_count;
  std::vector<std::uint32_t> written = write_classes(out, classes);
  write_subjects(out);
  if (st.room_assignment_mode > 0 || st.room_assignment_values[0] >= 1) {
    write_assignment(out, written);
  }
  return 0;
}

void og_structure_text_written(bool written) {
  if (!written) {
    --st.save_counter;
    return;
  }
  og_snapshot_structure();
  std::memcpy(g_ui_header_saved.school_name, g_ui_header.school_name,
              sizeof g_ui_header.school_name);
  g_structure_pair_stamp = og_pair_stamp();
}

int og_write_structure_file_to(const std::string& path) {
  SchoolFileText out;
  int built = og_structure_text(out);
  if (built != 0) return built > 0 ? 0 : -1;
  bool written = out.commit(path);
  og_structure_text_written(written);
  return written ? 0 : -1;
}

int og_write_structure_file() { return og_write_structure_file_to("scuola1.txt"); }


unsigned og_read_service_memo(const std::string& path) {
  unsigned counter = 0;
  std::string why;
  og_read_school_lines(path, [&](const std::string& line) {
    if (line.rfind("SERVICEMEMO:", 0) != 0) return true;
    std::size_t bar = line.find_first_of("|\t");
    if (bar == std::string::npos) return false;
    std::string version = line.substr(bar + 1, 5);
    std::memset(st.writer_version, 0, sizeof st.writer_version);
    std::memcpy(st.writer_version, version.data(), version.size());
    if (line.size() > bar + 6 && line[bar + 6] == '-')
      counter = static_cast<unsigned>(std::strtoul(line.c_str() + bar + 7, nullptr, 10));
    return false;
  }, &why);
  return counter;
}
