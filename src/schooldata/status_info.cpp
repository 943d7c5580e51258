// The status bytes shared by "scuola1.txt" and the description.
#include "schooldata/status_info.h"

#include <cstring>

#include "engine/status_block.h"
#include "schooldata/ui_school_model.h"
#include "shell/service_mode.h"

void og_read_status_info(const std::string& rest) {
  // An empty field (written by older versions before any byte was known)
  // says nothing: the bytes already read stay.
  if (rest.empty() || rest[0] == '|' || rest[0] == '\t') return;
  char* status = g_ui_structure.status;
  std::memset(status, '0', sizeof g_ui_structure.status);
  for (std::size_t i = 0; i < rest.size() && i < sizeof g_ui_structure.status && rest[i] != '|'; ++i)
    status[i] = rest[i];
}

void og_write_status_info(std::string& file, char* buffer) {
  for (int i = 0; i < 10; ++i)
    if (static_cast<unsigned char>(buffer[i]) < 33) buffer[i] = '0';
  if (g_service_mode) buffer[kStatusServiceSave] = '1';
  if (g_process_count != 0) buffer[kStatusProcesses] = static_cast<char>('0' + (g_process_count > 9 ? 9 : g_process_count));
  file += "STATUSINFO:";
  file.append(buffer, 10);
  file += "|\n";
}

std::string og_status_info_line() {
  std::string line;
  og_write_status_info(line, g_ui_structure.status);
  line.pop_back();
  return line;
}

bool og_data_from_sissi() { return g_ui_structure.status[kStatusSissiOrigin] >= '1'; }
