// A check made before minizip sees an archive: the end-of-central-directory
// record must lie whole inside the data and the central directory it points
// at must lie before it. minizip itself accepts an archive whose last bytes
// are cut off and then reads its directory from whatever follows, so a
// download or a copy that stopped short is refused here with a clear code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kt_zip {

// `tail` is the last `tail_length` bytes of an archive of `total_size` bytes
// (at most the last 65557, more are ignored).
bool archive_tail_is_whole(const unsigned char* tail, std::size_t tail_length, std::uint64_t total_size);
// The same for a file of this machine; false when it cannot be read.
bool archive_file_is_whole(const std::string& path);

}  // namespace kt_zip
