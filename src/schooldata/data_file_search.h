// Finding copies of school data: every folder that holds "scuola2.txt"
// below the places searched, with the data files it holds and the date of
// its "scuola2.txt". The places are this machine's: "every drive" is the
// drive root (KESTRINTEMPUS_ROOT or the home folder) and every removable
// medium; "the pen" is the removable media only.
//
// The walk runs on a worker thread at the lowest priority and polls a stop
// byte at every directory entry. It never follows a symbolic link, skips
// hidden folders, remembers the folders it entered (a bind mount cannot
// loop it) and is bounded in depth and in folders visited, so a huge or
// hostile tree ends the search instead of hanging it. Rows appear while the
// walk goes on; readers take a copy under the search's lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One folder found. Texts are 1252 (shown in the list); `folder` is this
// machine's path of the folder.
struct DataFileCopy {
  std::string folder;
  std::string found;       // "scuola1.txt scuola2.txt savego.txt ..."
  std::string date_time;   // "%02d-%02d-%04d %02d:%02d" of scuola2.txt, local time
  std::string sort_key;    // "%04d%02d%02d%02d%02d%02d"
  std::string type;        // selection mode: from a folder name ending in '_' and a letter
  std::string size;        // selection mode: "%d bytes" of scuola2.txt
};

inline constexpr int kSearchMaxDepth = 40;            // school folders lie a few levels down
inline constexpr int kSearchMaxFolders = 200000;      // a whole home folder of a busy machine
inline constexpr std::int8_t kSearchIdle = 0;
inline constexpr std::int8_t kSearchRunning = -1;
inline constexpr std::int8_t kSearchStopAsked = 1;

struct DataFileSearchPlaces {
  std::vector<std::string> roots;  // folders to walk, this machine's paths
  // Folder below each root that is never searched ("/Copia_Dati_DELETE/"
  // of a pen); empty for none.
  std::string skipped_below_root;
};

// The places of a search: every drive (drive root and removable media) or
// the pen only; `search_root` (program path below the root, may be empty)
// is appended to each.
DataFileSearchPlaces data_file_search_places(bool every_drive, const std::string& search_root);

class DataFileSearch {
 public:
  ~DataFileSearch();

  // Starts the worker; false when one is running. `on_folder` (may be
  // empty) hears every folder entered, `on_done` the end; both run on the
  // worker thread and must only hand work to the user-interface thread.
  bool start(DataFileSearchPlaces places, bool selection_mode,
             std::function<void(const std::string&)> on_folder = nullptr,
             std::function<void()> on_done = nullptr);
  // Asks a running search to stop; it ends at the next directory entry.
  void request_stop();
  // Waits for the worker (tests, closing the dialog).
  void join();

  std::int8_t state() const { return state_; }
  std::vector<DataFileCopy> rows() const;
  void clear_rows();
  bool hit_bounds() const { return hit_bounds_; }

  // The walk itself, on the calling thread (the worker calls it).
  void run(const DataFileSearchPlaces& places, bool selection_mode,
           const std::function<void(const std::string&)>& on_folder);

 private:
  void scan(const std::string& folder, const std::string& skipped, int depth,
            const std::function<void(const std::string&)>& on_folder);
  void add_row(const std::string& folder, bool selection_mode);

  std::atomic<std::int8_t> state_{kSearchIdle};
  std::atomic<bool> hit_bounds_{false};
  mutable std::mutex rows_lock_;
  std::vector<DataFileCopy> rows_;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> entered_;  // (device, inode), worker only
  int folders_visited_ = 0;
  bool selection_mode_ = false;
  std::thread worker_;
};

// Sorts rows newest first by their sort key (stable for equal keys).
void data_file_sort_newest_first(std::vector<DataFileCopy>& rows);
