// The journal of one command's files (see run_files.h). Invariants: a
// staged temporary exists exactly while its entry names it; the marker is
// written only once every temporary is on disk, and after it is written
// nothing removes a temporary it names; a kept copy of a file written
// straight through is a hard link (or a copy), removed at the end.
#include "engine/run_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

#include "platform/system_atomic_write.h"
#include "platform/system_files.h"

namespace {

constexpr const char* kMarker = "orario.kt-commit";
constexpr const char* kMarkerHead = "KT-RUN";
constexpr const char* kMarkerEnd = "END";

// The folders a command writes into, below the school folder; their own
// sub-folders of converted reports are looked at too.
constexpr const char* kOutputFolders[] = {"Orario", "Provvisorio", "RisultatoTest", "Sostituzioni"};
constexpr const char* kReportSubFolders[] = {"HTML", "Tabelle Ingrandite"};

struct Entry {
  bool deleted = false;
  std::string temporary;  // the new contents (not deleted)
};

// A file written straight through, as it was when the command began.
struct Kept {
  bool existed = false;
  std::string copy;
};

struct Journal {
  std::map<std::string, Entry> entries;
  std::map<std::string, Kept> kept;
  std::vector<std::string> made_folders;  // made by the command, parents first
};

thread_local Journal* t_journal = nullptr;
std::atomic<unsigned> g_counter{0};

// "./a/b" and "a//b" name the same file as "a/b".
std::string normal(const std::string& path) {
  std::string out;
  std::size_t i = 0;
  while (path.compare(i, 2, "./") == 0) i += 2;
  for (; i < path.size(); ++i) {
    if (path[i] == '/' && !out.empty() && out.back() == '/') continue;
    out += path[i];
  }
  return out;
}

// "<name>.kt-tmp-<pid>-<n>": a name the clean-up of dead processes'
// temporaries knows. A writer's own temporary name ("<name>.~<pid>-<n>",
// renamed later) gives its "<name>" only, so the clean-up reads the pid of
// this temporary and not of the writer's.
std::string temporary_for(const std::string& path) {
  std::string base = path;
  std::size_t slash = base.rfind('/');
  std::size_t own = base.find(".~", slash == std::string::npos ? 0 : slash + 1);
  if (own != std::string::npos && own > 0) base.erase(own);
  return base + ".kt-tmp-" + std::to_string(::getpid()) + "-" + std::to_string(g_counter++);
}

std::string parent_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool copy_bytes(const std::string& from, std::FILE* to, int* error) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) {
    if (errno == ENOENT) return true;
    *error = errno;
    return false;
  }
  char block[16384];
  std::size_t n;
  bool ok = true;
  while (ok && (n = std::fread(block, 1, sizeof block, in)) > 0) ok = std::fwrite(block, 1, n, to) == n;
  if (!ok) *error = errno ? errno : EIO;
  if (ok && std::ferror(in)) {
    *error = errno ? errno : EIO;
    ok = false;
  }
  std::fclose(in);
  return ok;
}

void forget_temporary(Entry& e) {
  if (!e.temporary.empty()) ::unlink(e.temporary.c_str());
  e.temporary.clear();
}

void sync_folder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Puts one marker's renames and deletions in place; false (errno in *error)
// at the first rename that fails, the rest left for another try.
bool apply(const std::vector<std::pair<std::string, std::string>>& renames,
           const std::vector<std::string>& deletions, int* error, std::string* failed = nullptr) {
  std::vector<std::string> folders;
  for (const auto& [temporary, target] : renames) {
    if (::rename(temporary.c_str(), target.c_str()) != 0 && errno != ENOENT) {
      if (error) *error = errno;
      if (failed) *failed = target;
      return false;
    }
    folders.push_back(parent_of(target));
  }
  for (const std::string& target : deletions) {
    if (::unlink(target.c_str()) != 0 && errno != ENOENT) {
      if (error) *error = errno;
      if (failed) *failed = target;
      return false;
    }
    folders.push_back(parent_of(target));
  }
  for (const std::string& f : folders) sync_folder(f);
  return true;
}

// The marker's text: head with the process, one line per rename ("W",
// temporary, target) and per deletion ("D", target), and its end.
std::string marker_text(const Journal& j) {
  std::string text = std::string(kMarkerHead) + " " + std::to_string(::getpid()) + "\n";
  for (const auto& [path, e] : j.entries) {
    if (e.deleted)
      text += "D\t" + path + "\n";
    else
      text += "W\t" + e.temporary + "\t" + path + "\n";
  }
  return text + kMarkerEnd + "\n";
}

void drop_kept(Journal& j, bool put_back) {
  for (auto& [path, k] : j.kept) {
    if (put_back) {
      if (k.existed && !k.copy.empty())
        ::rename(k.copy.c_str(), path.c_str());
      else if (!k.existed)
        ::unlink(path.c_str());
    }
    if (!k.copy.empty()) ::unlink(k.copy.c_str());
  }
  j.kept.clear();
}

// Makes the folders above `path` that are missing, noting them so that a
// failed command takes them away again. Answers 0, or why a folder could
// not be made (no right to write in the school's folder, say), which is the
// reason the file cannot be made either.
int make_parent_folders(Journal& j, const std::string& path) {
  std::vector<std::string> missing;
  for (std::string folder = parent_of(path); !folder.empty() && folder != "/" && !kt::folder_exists(folder);
       folder = parent_of(folder))
    missing.push_back(folder);
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), 0777) == 0)
      j.made_folders.push_back(*it);
    else if (errno != EEXIST)
      return errno;
  }
  return 0;
}

void end_journal() {
  delete t_journal;
  t_journal = nullptr;
}

bool process_alive(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH); }

// A temporary of this journal: a name with ".kt-tmp-" in the target's own folder.
bool plausible_rename(const std::string& temporary, const std::string& target) {
  return temporary.find(".kt-tmp-") != std::string::npos && parent_of(temporary) == parent_of(target) &&
         target.find("..") == std::string::npos && temporary.find('\n') == std::string::npos;
}

}  // namespace

void or_run_files_begin() {
  end_journal();
  t_journal = new Journal;
}

bool or_run_files_commit(std::string* failed, int* error, bool* pending) {
  if (pending) *pending = false;
  Journal* j = t_journal;
  if (j == nullptr) return true;
  auto fail = [&](const std::string& path, int why) {
    if (failed) *failed = path;
    if (error) *error = why != 0 ? why : EIO;
    return false;
  };
  if (!j->entries.empty()) {
    // Every new contents on the disk before the marker decides them: one
    // sync of the file system rather than one per report.
    int fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::syncfs(fd) != 0) {
      int why = errno;
      if (fd >= 0) ::close(fd);
      return fail(kMarker, why);
    }
    ::close(fd);
    int why = 0;
    if (!kt::write_file_atomically(kMarker, marker_text(*j), &why)) return fail(kMarker, why);
    std::vector<std::pair<std::string, std::string>> renames;
    std::vector<std::string> deletions;
    for (const auto& [path, e] : j->entries) {
      if (e.deleted)
        deletions.push_back(path);
      else
        renames.emplace_back(e.temporary, path);
    }
    // From here on the marker names the temporaries: nothing may remove them.
    j->entries.clear();
    std::string target;
    if (!apply(renames, deletions, &why, &target)) {
      drop_kept(*j, false);
      end_journal();
      if (pending) *pending = true;
      return fail(target, why);
    }
    ::unlink(kMarker);
    sync_folder("");
  }
  drop_kept(*j, false);
  end_journal();
  return true;
}

void or_run_files_abort() {
  Journal* j = t_journal;
  if (j == nullptr) return;
  for (auto& [path, e] : j->entries) forget_temporary(e);
  drop_kept(*j, true);
  // Only a folder left empty goes: the command made it for what it dropped.
  for (auto it = j->made_folders.rbegin(); it != j->made_folders.rend(); ++it) ::rmdir(it->c_str());
  end_journal();
}

std::FILE* or_run_files_open_write(const std::string& path, bool append, int* error, bool* handled) {
  *handled = t_journal != nullptr;
  if (!*handled) return nullptr;
  std::string key = normal(path);
  // A command's first write into an output folder makes it: before that
  // the command has created nothing.
  // What a plain write there would refuse is refused now, not at the end of
  // the command when the new file is put in place: a folder in the file's
  // place, a file the user made read-only.
  struct stat there {};
  if (::stat(key.c_str(), &there) == 0) {
    if (S_ISDIR(there.st_mode)) {
      *error = EISDIR;
      return nullptr;
    }
    if (::access(key.c_str(), W_OK) != 0) {
      *error = errno ? errno : EACCES;
      return nullptr;
    }
  }
  if (int why = make_parent_folders(*t_journal, key)) {
    *error = why;
    return nullptr;
  }
  std::string temporary = temporary_for(key);
  std::FILE* f = std::fopen(temporary.c_str(), "wb");
  if (f == nullptr) {
    *error = errno ? errno : EIO;
    return nullptr;
  }
  Entry& e = t_journal->entries[key];
  if (append && !e.deleted) {
    int why = 0;
    if (!copy_bytes(e.temporary.empty() ? key : e.temporary, f, &why)) {
      std::fclose(f);
      ::unlink(temporary.c_str());
      *error = why;
      return nullptr;
    }
  }
  forget_temporary(e);
  e.deleted = false;
  e.temporary = temporary;
  return f;
}

bool or_run_files_read_path(const std::string& path, std::string* read_from) {
  if (t_journal == nullptr) return false;
  auto it = t_journal->entries.find(normal(path));
  if (it == t_journal->entries.end()) {
    *read_from = path;
  } else {
    *read_from = it->second.deleted ? "" : it->second.temporary;
  }
  return true;
}

bool or_run_files_remove(const std::string& path) {
  if (t_journal == nullptr) return false;
  std::string key = normal(path);
  auto it = t_journal->entries.find(key);
  if (it != t_journal->entries.end()) forget_temporary(it->second);
  struct stat st;
  if (::lstat(key.c_str(), &st) != 0) {
    // Nothing on the disk to delete: the name was only ever the command's own.
    if (it != t_journal->entries.end()) t_journal->entries.erase(it);
    return true;
  }
  Entry& e = t_journal->entries[key];
  e.deleted = true;
  return true;
}

bool or_run_files_rename(const std::string& from, const std::string& to) {
  if (t_journal == nullptr) return false;
  auto it = t_journal->entries.find(normal(from));
  if (it == t_journal->entries.end() || it->second.deleted) return false;
  std::string temporary = it->second.temporary;
  it->second.temporary.clear();
  t_journal->entries.erase(it);
  Entry& e = t_journal->entries[normal(to)];
  forget_temporary(e);
  e.deleted = false;
  e.temporary = temporary;
  return true;
}

int or_run_files_exists(const std::string& path) {
  if (t_journal == nullptr) return -1;
  auto it = t_journal->entries.find(normal(path));
  if (it == t_journal->entries.end()) return -1;
  return it->second.deleted ? 0 : 1;
}

void or_run_files_before_direct_write(const std::string& path, bool undo) {
  if (t_journal == nullptr) return;
  std::string key = normal(path);
  auto it = t_journal->entries.find(key);
  if (it != t_journal->entries.end()) {
    forget_temporary(it->second);
    t_journal->entries.erase(it);
  }
  if (!undo || t_journal->kept.count(key)) return;
  Kept k;
  struct stat st;
  k.existed = ::stat(key.c_str(), &st) == 0;
  if (k.existed) {
    k.copy = temporary_for(key);
    if (::link(key.c_str(), k.copy.c_str()) != 0) {
      // A file system without hard links: a copy does the same.
      std::FILE* out = std::fopen(k.copy.c_str(), "wb");
      int why = 0;
      bool ok = out != nullptr && copy_bytes(key, out, &why);
      if (out != nullptr) ok = std::fclose(out) == 0 && ok;
      if (!ok) {
        ::unlink(k.copy.c_str());
        k.copy.clear();
      }
    }
  }
  t_journal->kept[key] = k;
}

void or_run_files_drop_write(const std::string& path, const std::string& temporary) {
  if (t_journal == nullptr) return;
  auto it = t_journal->entries.find(normal(path));
  if (it == t_journal->entries.end() || it->second.temporary != temporary) return;
  forget_temporary(it->second);
  t_journal->entries.erase(it);
}

bool or_settle_run_files(int* error) {
  bool settled = true;
  std::FILE* in = std::fopen(kMarker, "rb");
  if (in != nullptr) {
    std::string text;
    char block[4096];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, in)) > 0) text.append(block, n);
    bool read = std::ferror(in) == 0;
    std::fclose(in);
    std::istringstream lines(text);
    std::string line;
    long owner = 0;
    bool whole = read && std::getline(lines, line) && line.rfind(kMarkerHead, 0) == 0;
    if (whole) owner = std::strtol(line.c_str() + std::strlen(kMarkerHead), nullptr, 10);
    // A command of another process still running is finishing its own marker.
    bool others = owner != ::getpid() && process_alive(owner);
    std::vector<std::pair<std::string, std::string>> renames;
    std::vector<std::string> deletions;
    bool ended = false;
    while (whole && !ended && std::getline(lines, line)) {
      std::vector<std::string> fields;
      std::size_t start = 0;
      for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
      fields.push_back(line.substr(start));
      if (line == kMarkerEnd)
        ended = true;
      else if (fields.size() == 3 && fields[0] == "W" && plausible_rename(fields[1], fields[2]))
        renames.emplace_back(fields[1], fields[2]);
      else if (fields.size() == 2 && fields[0] == "D" && fields[1].find("..") == std::string::npos)
        deletions.push_back(fields[1]);
      else
        whole = false;
    }
    if (!others) {
      // A marker not written whole decides nothing: its temporaries are stale.
      if (whole && ended && !apply(renames, deletions, error)) settled = false;
      if (settled) ::unlink(kMarker);
    }
  }
  kt::remove_stale_temporaries(".");
  for (const char* folder : kOutputFolders) {
    if (!kt::folder_exists(folder)) continue;
    kt::remove_stale_temporaries(folder);
    for (const char* sub : kReportSubFolders) {
      std::string path = std::string(folder) + "/" + sub;
      if (kt::folder_exists(path)) kt::remove_stale_temporaries(path);
    }
  }
  return settled;
}

std::FILE* or_open_output_file(const std::string& path, const char* mode) {
  int error = 0;
  bool handled = false;
  std::FILE* f = or_run_files_open_write(path, mode[0] == 'a', &error, &handled);
  if (handled) {
    if (f == nullptr) errno = error;
    return f;
  }
  return std::fopen(path.c_str(), mode);
}
