// The derogation files behind the derogation list (see exemption_list.h):
// reading the stored records, rewriting a file whole through a temporary
// file, and the search for derogations still in use, which loads the school
// once with every record and once more per record without it.
//
// Invariants: a rewritten file holds the non-empty records kept and, before
// them and as they were, every line that is not a record this list can show
// (damaged, cut, too long, written by other means): they are the officer's
// and the list has no way to tell him what they held. With neither, it holds
// one empty record (what the engine's initialising writer makes). Empty
// records and blank lines are not written back.
#include <cstdio>
#include <cstring>

#include "pickers/exemption_list.h"
#include "engine/text_lines.h"
#include "engine/status_block.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "shell/engine_commands.h"
#include "solver/exemptions.h"

namespace {
constexpr int kRecordLineLimit = 657;  // "%04u" and 219 bytes in hex, with room to spare
}

std::string vedide_file_path(bool remote) {
  if (remote) return kt::translate_path(".\\deroghe_remote.txt");
  return kt::translate_path(g_provisional_mode ? ".\\scuola3P.txt" : ".\\scuola3.txt");
}

bool vedide_read_file(const std::string& path, std::vector<ExemptionLine>& out, std::vector<std::string>* unread) {
  out.clear();
  if (unread) unread->clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  // Lines are read whole, however long, so that one the list cannot show
  // can be written back as it was.
  std::string text;
  int c = EOF;
  // A read error is not the end of the file: a list cut short would be
  // written back without the records past the error.
  bool whole = true;
  for (;;) {
    text.clear();
    while ((c = g_line_byte_source(f)) >= 0) {
      if (c == '\n') break;
      text.push_back(static_cast<char>(c));
    }
    if (c == kLineReadError) {
      whole = false;
      break;
    }
    if (c != '\n' && text.empty()) break;
    while (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) continue;
    ExemptionLine entry;
    bool parsed = text.size() <= std::size_t(kRecordLineLimit) && text.find('\0') == std::string::npos &&
                  or_parse_exemption_line(text.c_str(), entry.record);
    if (parsed && or_exemption_id(entry.record) == 0) continue;  // an empty record: no derogation
    if (!parsed) {
      if (unread) unread->push_back(text);
      continue;
    }
    entry.text = text;
    out.push_back(entry);
  }
  std::fclose(f);
  if (!whole) {
    out.clear();
    if (unread) unread->clear();
  }
  return whole;
}

bool vedide_write_file(const std::string& path, const std::vector<ExemptionLine>& lines,
                       const std::vector<std::string>& unread) {
  std::string bytes;
  for (const std::string& l : unread) bytes += l + "\r\n";
  for (const ExemptionLine& l : lines) bytes += l.text + "\r\n";
  if (bytes.empty()) {
    char line[4 + 2 * kExemptionRecordSize + 8];
    or_format_exemption_line(StoredExemption{}, line, sizeof line);
    bytes = line;
  }
  return kt::write_file_atomically(path, bytes);
}

ExemptionTrialHooks vedide_engine_hooks() {
  ExemptionTrialHooks hooks;
  hooks.load = [] { return og_run_engine(EngineCommandCode::Snod) == 0 || og_run_engine(EngineCommandCode::Snod) == 0; };
  hooks.apply = [](const StoredExemption& record) {
    g_exemption_current = record;
    or_apply_exemption_records(1);
  };
  hooks.errors = [] { return std::int32_t(g_status.error_count); };
  return hooks;
}

bool vedide_used_lines(const std::vector<ExemptionLine>& lines, const ExemptionTrialHooks& hooks,
                       std::vector<ExemptionLine>& used) {
  used.clear();
  if (!hooks.load()) return false;
  for (const ExemptionLine& l : lines) hooks.apply(l.record);
  std::int32_t with_all = hooks.errors();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!hooks.load()) return false;
    for (std::size_t k = 0; k < lines.size(); ++k)
      if (k != i) hooks.apply(lines[k].record);
    if (hooks.errors() > with_all) used.push_back(lines[i]);
  }
  return true;
}
