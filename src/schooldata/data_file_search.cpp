// The walk of the data-file search (see data_file_search.h). Each folder is
// read whole and closed before its sub-folders are walked, so the walk holds
// one directory open at a time however deep it goes; names are sorted so
// rows come in one order on every machine. Shaped for a home folder of some
// hundred thousand entries and a pen of a few hundred.
#include "schooldata/data_file_search.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/removable_media.h"

namespace {

struct Entry {
  std::string name;
  bool is_folder = false;
};

bool same_name(const std::string& utf8_name, const char* want) {
  return kt::cp1252_casecmp(kt::utf8_to_cp1252(utf8_name).c_str(), want) == 0;
}

std::string join_path(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The entries of a folder without following links: a link is neither a
// folder nor a file here.
std::vector<Entry> read_folder(const std::string& folder) {
  std::vector<Entry> entries;
  DIR* d = ::opendir(folder.c_str());
  if (!d) return entries;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    if (::lstat(join_path(folder, name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) entries.push_back({name, true});
    else if (S_ISREG(st.st_mode)) entries.push_back({name, false});
  }
  ::closedir(d);
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

std::string program_relative(const std::string& search_root) {
  std::string rel = kt::cp1252_to_utf8(search_root);
  for (char& c : rel)
    if (c == '\\') c = '/';
  std::size_t start = rel.find_first_not_of('/');
  return start == std::string::npos ? std::string() : rel.substr(start);
}

}  // namespace

DataFileSearchPlaces data_file_search_places(bool every_drive, const std::string& search_root) {
  DataFileSearchPlaces places;
  std::string rel = program_relative(search_root);
  if (every_drive) places.roots.push_back(join_path(kt::drive_root(), rel));
  for (const kt::MountedMedium& m : kt::removable_media()) places.roots.push_back(join_path(m.mount_point, rel));
  if (!every_drive) places.skipped_below_root = "Copia_Dati_DELETE";
  return places;
}

DataFileSearch::~DataFileSearch() {
  request_stop();
  join();
}

bool DataFileSearch::start(DataFileSearchPlaces places, bool selection_mode,
                           std::function<void(const std::string&)> on_folder, std::function<void()> on_done) {
  std::int8_t idle = kSearchIdle;
  if (!state_.compare_exchange_strong(idle, kSearchRunning)) return false;
  join();
  clear_rows();
  worker_ = std::thread([this, places = std::move(places), selection_mode, on_folder = std::move(on_folder),
                         on_done = std::move(on_done)] {
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 19);
    run(places, selection_mode, on_folder);
    state_ = kSearchIdle;
    if (on_done) on_done();
  });
  return true;
}

void DataFileSearch::request_stop() {
  std::int8_t running = kSearchRunning;
  state_.compare_exchange_strong(running, kSearchStopAsked);
}

void DataFileSearch::join() {
  if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
}

std::vector<DataFileCopy> DataFileSearch::rows() const {
  std::lock_guard<std::mutex> hold(rows_lock_);
  return rows_;
}

void DataFileSearch::clear_rows() {
  std::lock_guard<std::mutex> hold(rows_lock_);
  rows_.clear();
}

void DataFileSearch::run(const DataFileSearchPlaces& places, bool selection_mode,
                         const std::function<void(const std::string&)>& on_folder) {
  selection_mode_ = selection_mode;
  entered_.clear();
  folders_visited_ = 0;
  hit_bounds_ = false;
  for (const std::string& root : places.roots) {
    if (state_ == kSearchStopAsked) break;
    std::string skipped;
    if (!places.skipped_below_root.empty()) skipped = join_path(root, places.skipped_below_root);
    scan(root, skipped, 0, on_folder);
  }
  std::lock_guard<std::mutex> hold(rows_lock_);
  data_file_sort_newest_first(rows_);
}

void DataFileSearch::scan(const std::string& folder, const std::string& skipped, int depth,
                          const std::function<void(const std::string&)>& on_folder) {
  if (!skipped.empty() && kt::cp1252_casecmp(kt::utf8_to_cp1252(folder).c_str(),
                                             kt::utf8_to_cp1252(skipped).c_str()) == 0)
    return;
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
  std::pair<std::uint64_t, std::uint64_t> id{st.st_dev, st.st_ino};
  if (std::find(entered_.begin(), entered_.end(), id) != entered_.end()) return;
  if (depth > kSearchMaxDepth || folders_visited_ >= kSearchMaxFolders) {
    hit_bounds_ = true;
    return;
  }
  entered_.push_back(id);
  ++folders_visited_;
  if (on_folder) on_folder(folder);
  std::vector<Entry> entries = read_folder(folder);
  for (const Entry& e : entries) {
    if (state_ == kSearchStopAsked) return;
    if (!e.is_folder && same_name(e.name, "scuola2.txt")) add_row(folder, selection_mode_);
  }
  for (const Entry& e : entries) {
    if (state_ == kSearchStopAsked) return;
    if (e.is_folder && e.name[0] != '.') scan(join_path(folder, e.name), skipped, depth + 1, on_folder);
  }
}

void DataFileSearch::add_row(const std::string& folder, bool selection_mode) {
  std::vector<Entry> entries = read_folder(folder);
  auto find = [&](const char* want) -> const Entry* {
    for (const Entry& e : entries)
      if (!e.is_folder && same_name(e.name, want)) return &e;
    return nullptr;
  };
  DataFileCopy row;
  row.folder = folder;
  for (const char* name : {"scuola1.txt", "scuola2.txt", "scuola3.txt", "savego.txt", "saveprov.txt", "ricevi.txt"}) {
    if (!find(name)) continue;
    if (!row.found.empty()) row.found += ' ';
    row.found += name;
  }
  const Entry* description = find("scuola2.txt");
  struct stat st{};
  if (description) ::stat(join_path(folder, description->name).c_str(), &st);
  std::time_t when = st.st_mtime;
  std::tm tm{};
  ::localtime_r(&when, &tm);
  char text[64];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d %02d:%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900,
                tm.tm_hour, tm.tm_min);
  row.date_time = text;
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  row.sort_key = text;
  if (selection_mode) {
    std::string base = folder.substr(folder.find_last_of('/') + 1);
    if (base.size() >= 2 && base[base.size() - 2] == '_') {
      char letter = base.back();
      row.type = letter == 'B' ? std::string("B") : std::string(10, ' ') + letter;
    }
    std::snprintf(text, sizeof text, "%lld bytes", static_cast<long long>(st.st_size));
    row.size = text;
  }
  std::lock_guard<std::mutex> hold(rows_lock_);
  rows_.push_back(std::move(row));
}

void data_file_sort_newest_first(std::vector<DataFileCopy>& rows) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const DataFileCopy& a, const DataFileCopy& b) { return a.sort_key > b.sort_key; });
}
