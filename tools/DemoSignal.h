#pragma once

#include <vector>

// The built-in demo: about 10 s of stereo at 48 kHz with drum-like hits, a bass line and a
// sustained tone with vibrato whose level changes, so that the compressor visibly works.
// Deterministic: the same samples on every run and machine.
inline constexpr int kDemoSampleRate = 48000;
std::vector<std::vector<float>> makeDemoSignal();
