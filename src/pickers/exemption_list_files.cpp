// The derogation files behind the derogation list (see exemption_list.h):
// reading the stored records, rewriting a file whole through a temporary
// file, and the search for derogations still in use, which loads the school
// once with every record and once more per record without it.
//
// Invariants: a rewritten file holds only non-empty records, or one empty
// record when none is left (what the engine's initialising writer makes);
// lines longer than a record's line are skipped whole.
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

bool vedide_read_file(const std::string& path, std::vector<ExemptionLine>& out) {
  out.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char line[kRecordLineLimit + 8];
  long got;
  // A read error is not the end of the file: a list cut short would be
  // written back without the records past the error.
  bool whole = true;
  while ((got = or_read_plain_line(line, sizeof line, f)) != -1) {
    if (got == kLineReadError) {
      whole = false;
      break;
    }
    if (got == kLineTooLong) continue;
    std::size_t n = static_cast<std::size_t>(got);
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) line[--n] = 0;
    ExemptionLine entry;
    if (!or_parse_exemption_line(line, entry.record) || or_exemption_id(entry.record) == 0) continue;
    entry.text = line;
    out.push_back(entry);
  }
  std::fclose(f);
  if (!whole) out.clear();
  return whole;
}

bool vedide_write_file(const std::string& path, const std::vector<ExemptionLine>& lines) {
  std::string bytes;
  for (const ExemptionLine& l : lines) bytes += l.text + "\r\n";
  if (lines.empty()) {
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
