#include "sounds.h"

#include <cmath>

Bytes ToneWave(int frequencyHz, int milliseconds) {
  const std::uint32_t samples = static_cast<std::uint32_t>(kWaveRate) * static_cast<std::uint32_t>(milliseconds) / 1000;
  Bytes out;
  PutText(out, "RIFF");
  Put32(out, 36 + samples);
  PutText(out, "WAVEfmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kWaveRate);
  Put32(out, kWaveRate);  // bytes per second
  Put16(out, 1);          // block align
  Put16(out, 8);          // bits per sample
  PutText(out, "data");
  Put32(out, samples);
  const double attack = kWaveRate * 0.005;
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double fade = 1.0 - double(i) / samples;
    const double envelope = std::fmin(1.0, i / attack) * fade * fade;
    const double wave = std::sin(2.0 * 3.14159265358979323846 * frequencyHz * i / kWaveRate);
    Put8(out, static_cast<unsigned>(128 + std::lround(100.0 * envelope * wave)));
  }
  return out;
}
