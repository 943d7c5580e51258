// The description reader's memory on a large file: about 52 MB of lines
// (the liceo sample followed by comment lines the reader skips) are read
// line by line, and the program prints the growth of its peak resident
// memory during the read: the model's own blocks (about 14 MB), the same
// for 5 MB as for 100 MB of lines. Run by hand:
//   build/bench/reader_memory_bench [megabytes]
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "schooldata/description_reader.h"
#include "schooldata/structure_file.h"
#include "schooldata/ui_school_model.h"

namespace fs = std::filesystem;

long peak_kilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int main(int argc, char** argv) {
  long megabytes = argc > 1 ? std::atol(argv[1]) : 52;
  fs::path dir = fs::temp_directory_path() / ("reader_memory_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string sample = std::string(KT_SOURCE_DIR) + "/examples/liceo/";
  {
    std::ifstream in(sample + "scuola2.txt", std::ios::binary);
    std::ofstream out(dir / "scuola2.txt", std::ios::binary);
    out << in.rdbuf();
    std::string line = "REM:" + std::string(90, 'x') + "\n";
    for (long written = 0; written < megabytes * 1024 * 1024; written += long(line.size())) out << line;
  }
  og_read_structure_file_from(sample + "scuola1.txt", 0);
  long before = peak_kilobytes();
  int rc = og_read_assignments_file_from((dir / "scuola2.txt").string(), 0);
  long after = peak_kilobytes();
  std::printf("read %ld MB: rc %d, %u teachers, peak memory grew by %ld kB\n", megabytes, rc,
              g_ui_settings.teacher_count, after - before);
  fs::remove_all(dir);
  return rc == 0 ? 0 : 1;
}
