// The line scrambler: the at-rest encoding of the school files, the status
// file, the save files and "ricevi.txt". A scrambled line is lower-case hex:
// a seed byte S, each clear byte plus a running offset, three check bytes
// (sum + S, even positions + S + 17, odd positions + S + 37, all mod 256) and
// a line feed, so a stored line of n clear bytes is 2n + 9 characters long.
//
// Invariants: the key table below never changes (files written with another
// table read back as plain text); decoding never writes more than the input's
// length plus a terminator; a failed check copies the input unchanged.
//
// Workload: one call per line of a file; lines are up to a few hundred bytes.
#include <chrono>
#include <cstring>

#include "engine/engine_random.h"
#include "engine/text_lines.h"

// Chosen once for this system and never changed.
const std::uint8_t kScrambleKey[6] = {0x4B, 0x9E, 0x27, 0xD3, 0x61, 0xB8};

namespace {

const char kHexDigits[] = "0123456789abcdef";

void put_hex(char* out, std::uint8_t value) {
  out[0] = kHexDigits[value >> 4];
  out[1] = kHexDigits[value & 15];
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

// The running offsets of one line: the offset of each byte in turn.
struct OffsetSequence {
  explicit OffsetSequence(std::uint8_t seed) : run(seed) {}
  std::uint8_t next() {
    k = (k + 1 == 6) ? 0 : k + 1;
    std::uint8_t offset = static_cast<std::uint8_t>(kScrambleKey[k] + run);
    run = static_cast<std::uint8_t>(offset + 1);
    return offset;
  }
  std::uint8_t run;
  int k = 0;
};

// A generator seeded from the clock on its first use.
struct ClockSeededRandom {
  std::uint8_t next_byte() {
    if (!seeded) {
      auto now = std::chrono::system_clock::now().time_since_epoch();
      random.seed_with(static_cast<std::uint64_t>(
          std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
      seeded = true;
    }
    return static_cast<std::uint8_t>(random.below(256));
  }
  EngineRandom random;
  bool seeded = false;
};

ClockSeededRandom g_line_writer_random;
ClockSeededRandom g_status_writer_random;

}  // namespace

std::uint8_t or_next_line_seed() { return g_line_writer_random.next_byte(); }
std::uint8_t or_next_status_seed() { return g_status_writer_random.next_byte(); }

void or_scramble_line_seeded(std::uint8_t seed, const char* in, char* out) {
  std::uint8_t sum = seed;
  std::uint8_t even = static_cast<std::uint8_t>(seed + 17);
  std::uint8_t odd = static_cast<std::uint8_t>(seed + 37);
  OffsetSequence offsets(seed);
  put_hex(out, seed);
  char* p = out + 2;
  for (std::size_t i = 0; in[i]; ++i) {
    std::uint8_t b = static_cast<std::uint8_t>(in[i]);
    put_hex(p, static_cast<std::uint8_t>(b + offsets.next()));
    p += 2;
    sum = static_cast<std::uint8_t>(sum + b);
    if (i % 2 == 0)
      even = static_cast<std::uint8_t>(even + b);
    else
      odd = static_cast<std::uint8_t>(odd + b);
  }
  put_hex(p, sum);
  put_hex(p + 2, even);
  put_hex(p + 4, odd);
  p[6] = '\n';
  p[7] = '\0';
}

int or_scramble_line(int mode, const char* in, char* out) {
  if (mode == 0) {
    or_scramble_line_seeded(or_next_line_seed(), in, out);
    return 0;
  }
  std::size_t length = std::strlen(in);
  if (length < 9) {
    std::memcpy(out, in, length + 1);
    return 1;
  }
  std::uint8_t seed = static_cast<std::uint8_t>(or_parse_hex(2, in));
  std::size_t body = (length - 9) / 2;
  std::uint8_t sum = seed;
  std::uint8_t even = static_cast<std::uint8_t>(seed + 17);
  std::uint8_t odd = static_cast<std::uint8_t>(seed + 37);
  OffsetSequence offsets(seed);
  for (std::size_t i = 0; i < body; ++i) {
    std::uint8_t stored = static_cast<std::uint8_t>(or_parse_hex(2, in + 2 + 2 * i));
    std::uint8_t b = static_cast<std::uint8_t>(stored - offsets.next());
    out[i] = static_cast<char>(b);
    sum = static_cast<std::uint8_t>(sum + b);
    if (i % 2 == 0)
      even = static_cast<std::uint8_t>(even + b);
    else
      odd = static_cast<std::uint8_t>(odd + b);
  }
  out[body] = '\0';
  const char* checks = in + 2 + 2 * body;
  bool agree = or_parse_hex(2, checks) == sum && or_parse_hex(2, checks + 2) == even &&
               or_parse_hex(2, checks + 4) == odd;
  // A decoded zero byte would cut the line short; such a line was never
  // written by a scrambler (texts are zero-terminated), so it is plain text.
  if (agree && std::memchr(out, '\0', body) == nullptr) return 0;
  std::memcpy(out, in, length + 1);
  return 1;
}

int or_parse_hex(int n, const char* text) {
  // A text shorter than n reads as if padded with zeros; nothing past its
  // terminator is touched.
  int value = 0;
  bool ended = false;
  for (int i = 0; i < n; ++i) {
    if (!ended && text[i] == '\0') ended = true;
    value = value * 16 + (ended ? 0 : hex_digit(text[i]));
  }
  return value;
}
