#pragma once

#include <cstdint>
#include <string>

// The payload must come out byte for byte the same on every build, so all
// "random" content is drawn from this generator, seeded from the entry name:
// no clock, no global state, nothing the C library may implement differently.
class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed) : state_(seed) {}
  explicit RandomSource(const std::string& name) : state_(SeedOf(name)) {}

  // SplitMix64.
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [0, bound); bound > 0.
  std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }

  // In [0, bound), small values much more often than large ones, the way
  // common characters and words turn up more often than rare ones.
  std::uint32_t Skewed(std::uint32_t bound) {
    const std::uint64_t a = Below(bound);
    const std::uint64_t b = Below(bound);
    return static_cast<std::uint32_t>(a * b / bound);
  }

  // FNV-1a of the name.
  static std::uint64_t SeedOf(const std::string& name) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : name) hash = (hash ^ c) * 0x100000001B3ull;
    return hash;
  }

 private:
  std::uint64_t state_;
};
