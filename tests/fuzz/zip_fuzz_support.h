// What both zip harnesses do with an opened archive: every entry described
// and read into memory piece by piece, then the whole archive unpacked into
// a target folder three levels down the private folder. Nothing may appear
// beside the target at any level: an entry name never climbs out.
#pragma once

#include <set>
#include <vector>

#include "fuzz_support.h"
#include "schooldata/zip_reader.h"

namespace kt_fuzz {

// Small limits: a bomb is stopped, not inflated, and runs stay fast.
inline constexpr std::uint64_t kEntryLimit = 1u << 20;
inline constexpr std::uint64_t kTotalLimit = 4u << 20;

inline void exercise_archive(UiZipHandle* handle, const std::set<std::string>& expected_at_top) {
  ui_zip_set_limits(handle, kEntryLimit, kTotalLimit);
  UiZipEntry entry;
  if (ui_zip_get_item(handle, -1, &entry) == kZipOk) {
    std::vector<unsigned char> piece(4096);
    for (int i = 0; i < entry.index && i < 64; ++i) {
      UiZipEntry item;
      if (ui_zip_get_item(handle, i, &item) != kZipOk) continue;
      for (int guard = 0; guard < 2048; ++guard) {
        std::uint32_t produced = 0;
        if (ui_zip_extract_to_memory(handle, i, piece.data(), piece.size(), &produced) != kZipMoreData) break;
      }
    }
  }
  fs::create_directories(work_folder() / "a" / "b" / "target");
  ui_zip_extract_all(handle, "\\a\\b\\target");
  ui_zip_close(handle);

  auto only = [](const fs::path& folder, const std::set<std::string>& names) {
    for (const auto& e : fs::directory_iterator(folder))
      if (!names.count(e.path().filename().string())) broken("the archive wrote outside its target folder");
  };
  only(work_folder(), expected_at_top);
  only(work_folder() / "a", {"b"});
  only(work_folder() / "a" / "b", {"target"});
}

}  // namespace kt_fuzz
