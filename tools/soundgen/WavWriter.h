#pragma once

#include "Synth.h"

#include <string>

// Writes 16-bit PCM mono WAV. Returns false when the file cannot be written.
bool writeWav(const std::string& path, const synth::Samples& samples);
