// The service extraction of the school-folder chooser: a school sent to the
// service desk as "<name>_B.ZIP" on the shared server folder is unpacked
// into the data root's "ZZ_VOLANTE_DA_MIRVOL", which becomes current. The
// archive comes from outside, so it goes through the zip reader's safe
// names and limits; a failing entry is reported in the user's language and
// the entries after it are not extracted.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/paths.h"
#include "platform/system_files.h"
#include "schooldata/school_folder_list.h"
#include "schooldata/zip_reader.h"
#include "shell/app_startup.h"

int og_service_extraction(const std::string& pasted_name, const std::function<void(const std::string&)>& tell,
                          int language) {
  std::string folder = std::string(g_data_root) + "ZZ_VOLANTE_DA_MIRVOL";
  kt::make_folders(kt::translate_path(folder));
  og_set_current_folder(folder.c_str());
  std::string archive = "\\VPS_Server_Data\\MIRVOL\\send_to_serviceB\\" + pasted_name.substr(0, 40) + "_B.ZIP";
  if (!kt::file_exists(kt::translate_path(archive))) {
    char text[512];
    std::snprintf(text, sizeof text, "File %s NON TROVATO in MIRVOL", archive.c_str());
    if (tell) tell(text);
    return 1;
  }
  UiZipHandle* zip = ui_zip_open_file(archive.c_str(), nullptr);
  if (!zip) {
    if (tell) tell(ui_zip_error_text(ui_zip_last_error(), language));
    return 1;
  }
  std::uint32_t rc = ui_zip_extract_all(zip, folder.c_str());
  ui_zip_close(zip);
  if (rc != kZipOk && tell) tell(ui_zip_error_text(rc, language));
  return rc == kZipOk ? 0 : 1;
}
