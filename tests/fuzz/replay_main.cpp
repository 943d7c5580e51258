// Runs a fuzz harness over the files of its corpus folders, without
// libFuzzer: every build replays the corpora this way as an ordinary test,
// with any compiler, so an input that once broke a reader keeps being tried.
// Prints the plain count line; exits non-zero when a folder is missing or
// empty (a replay of nothing would pass for a replay).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  int replayed = 0;
  for (int a = 1; a < argc; ++a) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(argv[a], error))
      if (entry.is_regular_file()) files.push_back(entry.path());
    if (error || files.empty()) {
      std::fprintf(stderr, "replay: no inputs in %s\n", argv[a]);
      return 2;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::printf("replay: %d inputs\n", replayed);
  return 0;
}
