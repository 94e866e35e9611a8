#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

std::size_t indexAt(double seconds)
{
    return static_cast<std::size_t>(std::max(0.0, seconds) * sampleRate);
}

} // namespace

double Envelope::at(double t) const
{
    if (t < 0.0)
        return 0.0;
    if (t < attack)
        return 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
    if (t < attack + hold)
        return 1.0;
    return std::exp(-(t - attack - hold) / decay);
}

double Noise::next()
{
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return static_cast<double>(m_state) / 2147483648.0 - 1.0;
}

Samples silence(double seconds)
{
    return Samples(indexAt(seconds), 0.0);
}

void add(Samples& out, const Tone& tone)
{
    const double glideEnd = tone.endFrequency > 0.0 ? tone.endFrequency : tone.frequency;
    for (const Partial& partial : tone.partials) {
        // A partial above the Nyquist frequency would fold back as a stray pitch.
        if (std::max(tone.frequency, glideEnd) * partial.ratio > 0.45 * sampleRate)
            continue;
        Envelope envelope = tone.envelope;
        envelope.decay *= partial.decayScale;
        double phase = 0.0;
        for (std::size_t i = indexAt(tone.start); i < out.size(); ++i) {
            const double t = static_cast<double>(i) / sampleRate - tone.start;
            // Exponential glide: equal pitch steps per unit of time, as the ear hears it.
            const double progress = tone.glide > 0.0 ? std::min(1.0, t / tone.glide) : 1.0;
            const double frequency = tone.frequency * std::pow(glideEnd / tone.frequency, progress);
            out[i] += tone.gain * partial.gain * envelope.at(t) * std::sin(phase);
            phase = std::fmod(phase + twoPi * frequency * partial.ratio / sampleRate, twoPi);
        }
    }
}

void add(Samples& out, const NoiseBurst& burst, Noise& noise)
{
    // Band-pass biquad with 0 dB gain at the centre.
    const double w0 = twoPi * burst.centre / sampleRate;
    const double alpha = std::sin(w0) / (2.0 * burst.q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w0) / a0, a2 = (1.0 - alpha) / a0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (std::size_t i = indexAt(burst.start); i < out.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate - burst.start;
        const double x = noise.next() * burst.envelope.at(t);
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        out[i] += burst.gain * y;
    }
}

void fadeEdges(Samples& out, double fadeIn, double fadeOut)
{
    const std::size_t in = std::min(out.size(), indexAt(fadeIn));
    const std::size_t tail = std::min(out.size(), indexAt(fadeOut));
    for (std::size_t i = 0; i < in; ++i)
        out[i] *= static_cast<double>(i) / static_cast<double>(in);
    for (std::size_t i = 0; i < tail; ++i)
        out[out.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(tail);
}

void normalise(Samples& out, double peakDb)
{
    double peak = 0.0;
    for (double sample : out)
        peak = std::max(peak, std::abs(sample));
    if (peak == 0.0)
        return;
    const double scale = std::pow(10.0, peakDb / 20.0) / peak;
    for (double& sample : out)
        sample *= scale;
}

} // namespace synth
