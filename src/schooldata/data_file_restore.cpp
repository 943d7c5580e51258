// Restore and delete of found copies (see data_file_restore.h). Paths are
// this machine's; names are compared ignoring case through the 1252 tables
// because pens are FAT file systems where "SCUOLA2.TXT" and "scuola2.txt"
// are one file. Each step asks before it changes anything; the copies
// replace files through temporaries.
#include "schooldata/data_file_restore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/system_atomic_write.h"
#include "platform/system_files.h"
#include "schooldata/later_work_aside.h"

namespace {

std::string trimmed(std::string p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

bool same_path(const std::string& a, const std::string& b) {
  return kt::cp1252_casecmp(kt::utf8_to_cp1252(trimmed(a)).c_str(), kt::utf8_to_cp1252(trimmed(b)).c_str()) == 0;
}

// `inner` strictly below `outer`.
bool strictly_below(const std::string& inner, const std::string& outer) {
  std::string o = trimmed(outer) + "/";
  std::string i = trimmed(inner);
  return i.size() > o.size() && kt::cp1252_casecmp(kt::utf8_to_cp1252(i.substr(0, o.size())).c_str(),
                                                   kt::utf8_to_cp1252(o).c_str()) == 0;
}

std::string with_arg(const char* format, const std::string& arg) {
  std::string text = kt::utf8_to_cp1252(arg);
  std::vector<char> out(std::strlen(format) + text.size() + 1);
  std::snprintf(out.data(), out.size(), format, text.c_str());
  return out.data();
}

// The existing file of `folder` named `name` ignoring case, else folder/name.
std::string file_in(const std::string& folder, const char* name) {
  std::string base = trimmed(folder) + "/";
  if (auto entries = kt::list_folder(folder))
    for (const kt::FolderEntry& e : *entries)
      if (!e.is_folder && kt::cp1252_casecmp(kt::utf8_to_cp1252(e.name).c_str(), name) == 0) return base + e.name;
  return base + name;
}

bool ask(const DataFileDialogue& d, const std::string& text) { return d.ask_yes_no && d.ask_yes_no(text); }
void tell(const DataFileDialogue& d, const std::string& text) {
  if (d.tell) d.tell(text);
}

// The marker of a restore's replacement of the files, beside them while it
// lasts; a name archives and copies leave out, as a temporary's.
constexpr const char* kRestoreMarker = "ripristino.kt-tmp-commit";

// The whole file, or false when it cannot be read to its end.
bool read_whole(const std::string& path, std::string* bytes) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return false;
  bytes->clear();
  char block[16384];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;) bytes->append(block, n);
  bool ok = !std::ferror(in);
  std::fclose(in);
  return ok;
}

// Copies the named files that exist from `from` into `to` as one step, as a
// save replaces the school's files: every copy is read whole and a target
// that is no file is refused before anything is written, then the files are
// replaced together. A failure is told with the file it met, and leaves the
// files of `to` as they were: a school is never left with files of two
// copies. Once the copy's files are in place, the school data files of
// `to` that the copy did not give (work done after the copy was made) are
// set aside in a sub-folder and the user is told where: read beside the
// copy's older description they would give the timetable of another school.
bool copy_data_files(const std::string& from, const std::string& to, const std::vector<const char*>& names,
                     const DataFileDialogue& dialogue, int language) {
  auto refuse = [&](const char* name) {
    tell(dialogue, with_arg(data_file_text(DataFileText::kCopyFailed, language), name));
    return false;
  };
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<const char*> copied;
  for (const char* name : names) {
    std::string source = file_in(from, name);
    if (!kt::file_exists(source)) continue;
    std::string target = file_in(to, name), bytes;
    struct stat st {};
    bool usable = ::stat(target.c_str(), &st) == 0 ? S_ISREG(st.st_mode) : errno == ENOENT;
    if (!usable || !read_whole(source, &bytes)) return refuse(name);
    files.emplace_back(target, std::move(bytes));
    copied.push_back(name);
  }
  if (files.empty()) return true;
  std::string failed;
  // A marker of its own: a save of the school still to be completed keeps
  // its marker, and finds at the next opening that its files were replaced.
  if (kt::replace_files_together(files, file_in(to, kRestoreMarker), &failed)) {
    std::set<std::string> written;
    for (const auto& f : files) written.insert(f.first.substr(f.first.find_last_of('/') + 1));
    std::string later = og_later_work_message(og_set_aside_later_work(trimmed(to), written), language);
    if (!later.empty()) tell(dialogue, later);
    return true;
  }
  for (std::size_t i = 0; i < files.size(); ++i)
    if (files[i].first == failed) return refuse(copied[i]);
  return refuse(copied.front());
}

bool newer(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  if (sa.st_mtim.tv_sec != sb.st_mtim.tv_sec) return sa.st_mtim.tv_sec > sb.st_mtim.tv_sec;
  return sa.st_mtim.tv_nsec > sb.st_mtim.tv_nsec;
}

std::size_t find_component(const std::string& path, const std::string& name) {
  std::string folded = kt::utf8_to_cp1252(path);
  std::string want = "/" + name + "/";
  for (std::size_t i = 0; i + want.size() <= folded.size(); ++i)
    if (kt::cp1252_casecmp(folded.substr(i, want.size()).c_str(), want.c_str()) == 0) return i;
  return std::string::npos;
}

}  // namespace

DataFileOutcome data_file_restore_to_working(const std::string& selected, const std::string& working,
                                             const DataFileDialogue& dialogue, int language) {
  if (selected.empty()) {
    tell(dialogue, data_file_text(DataFileText::kSelectFirst, language));
    return DataFileOutcome::kNothingSelected;
  }
  if (same_path(selected, working)) {
    tell(dialogue, data_file_text(DataFileText::kChooseOtherFolder, language));
    return DataFileOutcome::kSameFolder;
  }
  if (!ask(dialogue, data_file_text(DataFileText::kCoverExisting, language))) return DataFileOutcome::kCancelled;
  static const std::vector<const char*> kFiles = {"scuola1.txt", "scuola2.txt", "savego.txt",  "scuola3.txt",
                                                  "scuola3P.txt", "saveprov.txt", "assenze.txt", "ricevi.txt"};
  return copy_data_files(selected, working, kFiles, dialogue, language) ? DataFileOutcome::kRestored
                                                                         : DataFileOutcome::kFailed;
}

std::string data_file_pen_target(const std::string& selected, const std::string& pen_root,
                                 const std::string& drive_root) {
  std::string rest = strictly_below(selected, pen_root) ? trimmed(selected).substr(trimmed(pen_root).size())
                                                        : trimmed(selected);
  std::size_t at = find_component(rest + "/", "Copia_Dati_Orario");
  if (at != std::string::npos) rest.replace(at, std::string("/Copia_Dati_Orario").size(), "/KestrinTempusDati");
  return trimmed(drive_root) + rest;
}

DataFileOutcome data_file_restore_from_pen(const std::string& selected, const std::string& pen_root,
                                           const std::string& working, bool working_is_data_root,
                                           const DataFileDialogue& dialogue, int language,
                                           std::string* now_current) {
  if (selected.empty()) {
    tell(dialogue, data_file_text(DataFileText::kSelectFirst, language));
    return DataFileOutcome::kNothingSelected;
  }
  if (same_path(selected, working)) {
    tell(dialogue, data_file_text(DataFileText::kChooseOtherFolder, language));
    return DataFileOutcome::kSameFolder;
  }
  std::string target = data_file_pen_target(selected, pen_root, kt::drive_root());
  if (!working_is_data_root && !same_path(working, target) && dialogue.choose_data_folder) {
    int choice = dialogue.choose_data_folder(working, target);
    if (choice < 0) return DataFileOutcome::kCancelled;
    if (choice == 11) target = trimmed(working);
  }
  if (kt::folder_exists(target)) {
    if (!ask(dialogue, data_file_text(DataFileText::kCoverExisting, language))) return DataFileOutcome::kCancelled;
    std::string disk = file_in(target, "scuola2.txt"), pen = file_in(selected, "scuola2.txt");
    if (kt::file_exists(disk) && kt::file_exists(pen) && newer(disk, pen) &&
        !ask(dialogue, data_file_text(DataFileText::kPenOlder, language)))
      return DataFileOutcome::kCancelled;
  }
  if (!kt::make_folders(target)) {
    tell(dialogue, with_arg(data_file_text(DataFileText::kErrorCreating, language), target));
    return DataFileOutcome::kFailed;
  }
  static const std::vector<const char*> kFiles = {"scuola1.txt", "scuola2.txt", "scuola3.txt", "savego.txt",
                                                  "saveprov.txt", "ricevi.txt", "assenze.txt"};
  if (!copy_data_files(selected, target, kFiles, dialogue, language)) return DataFileOutcome::kFailed;
  if (::chdir(target.c_str()) == 0 && now_current) *now_current = target;
  return DataFileOutcome::kRestored;
}

DataFileOutcome data_file_delete_copy(const std::string& selected, const std::string& pen_root,
                                      const std::string& working, const DataFileDialogue& dialogue, int language) {
  if (selected.empty()) return DataFileOutcome::kNothingSelected;
  std::string folder = trimmed(selected);
  std::string root = trimmed(pen_root);
  if (!strictly_below(folder, root) || same_path(folder, working) || strictly_below(working, folder)) {
    tell(dialogue, data_file_text(DataFileText::kCannotDelete, language));
    return DataFileOutcome::kFailed;
  }
  if (!ask(dialogue, with_arg(data_file_text(DataFileText::kDeleteConfirm, language), folder)))
    return DataFileOutcome::kCancelled;
  std::string bin = root + "/Copia_Dati_DELETE";
  kt::make_folders(bin);
  std::string rest = folder.substr(root.size());
  std::size_t at = find_component(rest + "/", "Copia_Dati_Orario");
  if (at != std::string::npos) {
    std::string moved = rest;
    moved.replace(at, std::string("/Copia_Dati_Orario").size(), "/Copia_Dati_DELETE");
    std::string destination = root + moved;
    std::string parent = destination.substr(0, destination.find_last_of('/'));
    if (kt::make_folders(parent) && ::rename(folder.c_str(), destination.c_str()) == 0)
      return DataFileOutcome::kDeleted;
  }
  return kt::remove_folder_tree(folder) ? DataFileOutcome::kDeleted : DataFileOutcome::kFailed;
}
