// A zip archive held in memory (an archive received over the network) as a
// minizip file source: read, seek and tell over one caller-owned block.
// The block must outlive the handle that reads it; nothing is ever written.
#pragma once

#include <minizip/ioapi.h>

#include <cstdint>

namespace kt_zip {

struct MemorySource {
  const unsigned char* data = nullptr;
  std::uint64_t size = 0;
  std::uint64_t position = 0;
};

// Fills `functions` so that minizip reads `source`.
void fill_memory_functions(zlib_filefunc64_def* functions, MemorySource* source);

}  // namespace kt_zip
