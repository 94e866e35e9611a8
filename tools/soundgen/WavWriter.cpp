#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>

namespace {

// WAV is little-endian whatever the build machine is.
void put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

bool writeWav(const std::string& path, const synth::Samples& samples)
{
    constexpr std::uint32_t channels = 1, bitsPerSample = 16;
    constexpr std::uint32_t blockAlign = channels * bitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * blockAlign);

    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, channels, 2);
    put(out, synth::sampleRate, 4);
    put(out, synth::sampleRate * blockAlign, 4);
    put(out, blockAlign, 2);
    put(out, bitsPerSample, 2);
    out += "data";
    put(out, dataBytes, 4);
    for (double sample : samples) {
        const long value = std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0);
        put(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xffff, 2);
    }

    // Written aside and renamed, so a failed run never leaves a half file that
    // the build would take as up to date.
    const std::string partial = path + ".part";
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file)
        return false;
    return std::rename(partial.c_str(), path.c_str()) == 0;
}
