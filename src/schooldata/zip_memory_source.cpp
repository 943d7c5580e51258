// minizip's file functions over a block in memory (see zip_memory_source.h).
// Reads are clamped to the block, seeks outside it fail, so a damaged
// central directory that points past the end reads nothing rather than
// beyond the caller's buffer.
#include "schooldata/zip_memory_source.h"

#include <cstring>

namespace kt_zip {
namespace {

voidpf open_source(voidpf opaque, const void*, int mode) {
  if (mode & ZLIB_FILEFUNC_MODE_WRITE) return nullptr;
  auto* s = static_cast<MemorySource*>(opaque);
  s->position = 0;
  return s;
}

uLong read_source(voidpf, voidpf stream, void* buf, uLong size) {
  auto* s = static_cast<MemorySource*>(stream);
  std::uint64_t left = s->position < s->size ? s->size - s->position : 0;
  uLong n = size < left ? size : static_cast<uLong>(left);
  if (n) std::memcpy(buf, s->data + s->position, n);
  s->position += n;
  return n;
}

uLong write_source(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T tell_source(voidpf, voidpf stream) { return static_cast<MemorySource*>(stream)->position; }

// minizip steps back over an entry's extra field by a relative seek whose
// offset is a negative number in an unsigned type, as a file's seek takes
// it: a relative offset is read as signed.
long seek_source(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* s = static_cast<MemorySource*>(stream);
  if (origin == ZLIB_FILEFUNC_SEEK_CUR || origin == ZLIB_FILEFUNC_SEEK_END) {
    std::int64_t step = static_cast<std::int64_t>(offset);
    std::uint64_t from = origin == ZLIB_FILEFUNC_SEEK_CUR ? s->position : s->size;
    if (step < 0 ? static_cast<std::uint64_t>(-(step + 1)) + 1 > from : static_cast<std::uint64_t>(step) > s->size - from)
      return -1;
    s->position = step < 0 ? from - (static_cast<std::uint64_t>(-(step + 1)) + 1) : from + static_cast<std::uint64_t>(step);
    return 0;
  }
  if (origin != ZLIB_FILEFUNC_SEEK_SET || offset > s->size) return -1;
  s->position = offset;
  return 0;
}

int close_source(voidpf, voidpf) { return 0; }
int error_source(voidpf, voidpf) { return 0; }

}  // namespace

void fill_memory_functions(zlib_filefunc64_def* functions, MemorySource* source) {
  functions->zopen64_file = open_source;
  functions->zread_file = read_source;
  functions->zwrite_file = write_source;
  functions->ztell64_file = tell_source;
  functions->zseek64_file = seek_source;
  functions->zclose_file = close_source;
  functions->zerror_file = error_source;
  functions->opaque = source;
}

}  // namespace kt_zip
