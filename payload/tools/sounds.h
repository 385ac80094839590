#pragma once

#include "byte_sink.h"

// A short tone as a RIFF WAVE file: 8-bit mono PCM at 11025 Hz, a quick
// attack and a fading tail, the IME's key clicks and prompts.
Bytes ToneWave(int frequencyHz, int milliseconds);

constexpr int kWaveRate = 11025;
