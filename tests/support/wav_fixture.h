// Small sound files written by tests.
#pragma once

#include <string>

// A mono 16-bit PCM WAV file of `frames` sample frames at 8000 Hz.
std::string WavBytes(int frames);
