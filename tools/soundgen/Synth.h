#pragma once

#include <cstdint>
#include <vector>

// Building blocks of the sound synthesizer: tones with decaying partials,
// band-passed noise and the final level. Everything is deterministic, so a
// build produces the same bytes every time.
namespace synth {

constexpr int sampleRate = 44100;

using Samples = std::vector<double>;

// Rises over `attack` seconds (raised cosine, so no click), holds full level for
// `hold` seconds, then decays exponentially with time constant `decay`.
struct Envelope
{
    double attack = 0.002;
    double hold = 0.0;
    double decay = 0.1;

    double at(double t) const;
};

// One partial of a tone: frequency ratio to the fundamental, level, and how
// much faster (< 1) or slower (> 1) than the envelope it dies away.
struct Partial
{
    double ratio = 1.0;
    double gain = 1.0;
    double decayScale = 1.0;
};

struct Tone
{
    double start = 0.0;
    double frequency = 440.0;
    double endFrequency = 0.0; // 0: no glide
    double glide = 0.05;       // seconds to reach endFrequency
    double gain = 1.0;
    Envelope envelope;
    std::vector<Partial> partials{{1.0, 1.0, 1.0}};
};

struct NoiseBurst
{
    double start = 0.0;
    double centre = 2000.0;
    double q = 1.0;
    double gain = 1.0;
    Envelope envelope;
};

// xorshift: the same sequence on every platform, unlike <random> distributions.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : m_state(seed ? seed : 1) {}
    double next(); // in [-1, 1)

private:
    std::uint32_t m_state;
};

Samples silence(double seconds);
void add(Samples& out, const Tone& tone);
void add(Samples& out, const NoiseBurst& burst, Noise& noise);
// Ramps the first and last few milliseconds so the file starts and ends at zero.
void fadeEdges(Samples& out, double fadeIn, double fadeOut);
// Scales so the loudest sample sits at `peakDb` dBFS.
void normalise(Samples& out, double peakDb);

} // namespace synth
