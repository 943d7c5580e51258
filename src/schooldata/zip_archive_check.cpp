// The whole-archive check (see zip_archive_check.h). The record is searched
// backwards from the end, as readers do: signature "PK\5\6", 22 bytes, then a
// comment of the length it states, which must end exactly at the end of the
// data. A ZIP64 archive keeps its real offsets elsewhere; its 0xFFFFFFFF
// fields are not checked here and minizip checks the rest.
#include "schooldata/zip_archive_check.h"

#include <cstdio>
#include <vector>

namespace kt_zip {
namespace {

constexpr std::size_t kRecordSize = 22;
constexpr std::size_t kSearchSpan = kRecordSize + 0xFFFF;

std::uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool archive_tail_is_whole(const unsigned char* tail, std::size_t tail_length, std::uint64_t total_size) {
  if (tail_length > total_size || tail_length < kRecordSize) return false;
  std::uint64_t tail_start = total_size - tail_length;
  for (std::size_t at = tail_length - kRecordSize + 1; at-- > 0;) {
    const unsigned char* r = tail + at;
    if (r[0] != 'P' || r[1] != 'K' || r[2] != 5 || r[3] != 6) continue;
    if (at + kRecordSize + le16(r + 20) != tail_length) continue;
    std::uint32_t cd_size = le32(r + 12), cd_offset = le32(r + 16);
    if (cd_size == 0xFFFFFFFF || cd_offset == 0xFFFFFFFF) return true;
    return static_cast<std::uint64_t>(cd_offset) + cd_size <= tail_start + at;
  }
  return false;
}

bool archive_file_is_whole(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bool whole = false;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long size = std::ftell(f);
    if (size >= 0) {
      std::size_t span = static_cast<std::uint64_t>(size) < kSearchSpan ? static_cast<std::size_t>(size) : kSearchSpan;
      std::vector<unsigned char> tail(span);
      if (std::fseek(f, size - static_cast<long>(span), SEEK_SET) == 0 &&
          std::fread(tail.data(), 1, span, f) == span)
        whole = archive_tail_is_whole(tail.data(), span, static_cast<std::uint64_t>(size));
    }
  }
  std::fclose(f);
  return whole;
}

}  // namespace kt_zip
