// The engine's random numbers: a small seedable generator object with a fixed
// algorithm (xorshift64*), so a run is reproducible from its printed seed in a
// fresh process on any machine, whatever the C library's rand() does.
//
// The solver draws from `g_engine_random`, seeded once per run; the line
// writers draw their seed bytes from generators of their own, so writing a
// file never disturbs the solver's sequence.
//
// Workload: the solver draws millions of numbers per run; next() is a few
// instructions and never allocates.
#pragma once

#include <cstdint>

class EngineRandom {
 public:
  explicit EngineRandom(std::uint64_t seed = 1) { seed_with(seed); }
  void seed_with(std::uint64_t seed) {
    // splitmix64 of the seed, so nearby seeds give unrelated sequences and
    // the state is never zero.
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    state_ = (z ^ (z >> 31)) | 1;
  }
  // A number in 0 .. 0x7FFFFFFF, used as rand() % n.
  std::int32_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<std::int32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 33);
  }
  std::int32_t below(std::int32_t n) { return n > 0 ? next() % n : 0; }

 private:
  std::uint64_t state_;
};

// The solver's generator, seeded per run.
extern EngineRandom g_engine_random;

// Puts the generator back to the state a fresh process starts with. A
// command that draws before or without a run of its own (the reception
// hours of "rigo:") must draw what it draws in a fresh process, not go on
// from where the previous command's search left the generator.
void or_reset_engine_random();
