// Synthesizes the application's own sounds into the folder given on the
// command line: the ticking loop and the alarms of the sound menu.
#include "Synth.h"
#include "WavWriter.h"

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace synth;

namespace {

constexpr double peakDb = -3.0;

// Bar-like partials: a strong fundamental and quickly fading overtones.
const std::vector<Partial> marimba{{1.0, 1.0, 1.0}, {4.0, 0.3, 0.15}, {10.0, 0.08, 0.05}};
const std::vector<Partial> musicBox{
    {1.0, 1.0, 1.0}, {2.0, 0.25, 0.5}, {3.0, 0.12, 0.3}, {5.4, 0.05, 0.15}};
// Inharmonic ratios of a struck plate or a glass: bright, not a pitched note.
const std::vector<Partial> glass{
    {1.0, 1.0, 1.0}, {2.32, 0.5, 0.6}, {4.25, 0.3, 0.4}, {6.63, 0.15, 0.25}};
const std::vector<Partial> crystal{{1.0, 1.0, 1.0}, {2.76, 0.4, 0.4}, {5.4, 0.2, 0.2}};
const std::vector<Partial> reed{
    {1.0, 1.0, 1.0}, {3.0, 0.3, 0.8}, {5.0, 0.15, 0.6}, {7.0, 0.08, 0.5}};

// Two soft clock ticks half a second apart. The loop point falls in silence,
// so the loop is seamless.
Samples ticking()
{
    Samples out = silence(1.0);
    Noise noise(7);
    const std::pair<double, double> ticks[] = {{0.005, 1800.0}, {0.505, 1400.0}};
    for (const auto& [start, pitch] : ticks) {
        add(out, NoiseBurst{start, pitch * 1.6, 3.0, 1.0, {0.0008, 0.0, 0.004}}, noise);
        add(out, Tone{start,
                      pitch,
                      0.0,
                      0.0,
                      0.5,
                      {0.0008, 0.0, 0.008},
                      {{1.0, 1.0, 1.0}, {2.7, 0.4, 0.5}}});
    }
    return out;
}

// Water drops: short sines whose pitch jumps up, on a pentatonic scale.
Samples raindrops()
{
    Samples out = silence(1.3);
    const std::pair<double, double> drops[] = {{0.01, 1568.0}, {0.18, 2093.0}, {0.30, 1760.0},
                                               {0.53, 2637.0}, {0.67, 2349.0}, {0.91, 2093.0}};
    double gain = 1.0;
    for (const auto& [start, pitch] : drops) {
        add(out, Tone{start, pitch, pitch * 1.35, 0.04, gain, {0.002, 0.0, 0.06}});
        gain *= 0.9;
    }
    return out;
}

// Low bloops rising in pitch, with a faint splash.
Samples puddle()
{
    Samples out = silence(1.0);
    Noise noise(11);
    const double bloops[][3] = {{0.01, 260.0, 620.0}, {0.28, 320.0, 700.0}, {0.50, 220.0, 560.0}};
    for (const auto& [start, from, to] : bloops) {
        add(out, Tone{start, from, to, 0.09, 1.0, {0.004, 0.0, 0.09}});
        add(out, NoiseBurst{start, 4000.0, 1.0, 0.15, {0.001, 0.0, 0.02}}, noise);
    }
    return out;
}

// A rising major arpeggio on a marimba.
Samples joy()
{
    Samples out = silence(1.4);
    const double notes[] = {523.25, 659.26, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i) {
        const double decay = i == 3 ? 0.55 : 0.35;
        add(out, Tone{0.01 + 0.11 * i, notes[i], 0.0, 0.0, 1.0, {0.002, 0.0, decay}, marimba});
    }
    return out;
}

// A little music-box phrase that comes to rest.
Samples story()
{
    Samples out = silence(2.0);
    const std::pair<double, double> notes[] = {
        {0.01, 1174.7}, {0.26, 880.0}, {0.51, 987.8}, {0.81, 740.0}};
    for (const auto& [start, pitch] : notes)
        add(out, Tone{start, pitch, 0.0, 0.0, 1.0, {0.002, 0.0, 0.5}, musicBox});
    return out;
}

// Two taps on a window pane, the second softer and higher.
Samples window()
{
    Samples out = silence(1.8);
    Noise noise(23);
    const double taps[][3] = {{0.01, 1320.0, 1.0}, {0.19, 1760.0, 0.5}};
    for (const auto& [start, pitch, gain] : taps) {
        add(out, NoiseBurst{start, 6000.0, 2.0, 0.2 * gain, {0.0005, 0.0, 0.004}}, noise);
        add(out, Tone{start, pitch, 0.0, 0.0, gain, {0.001, 0.0, 0.6}, glass});
    }
    return out;
}

// Ice cubes touching in a glass: quick, high, inharmonic tinkles.
Samples ice()
{
    Samples out = silence(1.2);
    const std::pair<double, double> hits[] = {{0.01, 3100.0}, {0.08, 3900.0}, {0.17, 2700.0},
                                              {0.22, 4300.0}, {0.34, 3300.0}, {0.42, 2900.0},
                                              {0.56, 3700.0}};
    double gain = 1.0;
    for (const auto& [start, pitch] : hits) {
        add(out, Tone{start, pitch, 0.0, 0.0, gain, {0.0008, 0.0, 0.12}, crystal});
        gain *= 0.85;
    }
    return out;
}

// An uneasy reedy figure that settles on a dissonant dyad.
Samples complication()
{
    Samples out = silence(1.2);
    const std::pair<double, double> notes[] = {{0.01, 659.3}, {0.11, 698.5}, {0.21, 493.9}};
    for (const auto& [start, pitch] : notes)
        add(out, Tone{start, pitch, 0.0, 0.0, 0.7, {0.003, 0.04, 0.06}, reed});
    for (double pitch : {587.3, 830.6})
        add(out, Tone{0.43, pitch, 0.0, 0.0, 0.5, {0.003, 0.1, 0.25}, reed});
    return out;
}

// Woodblock knocks followed by a small bell.
Samples rick()
{
    Samples out = silence(0.8);
    Noise noise(31);
    const std::pair<double, double> knocks[] = {{0.01, 1100.0}, {0.10, 1100.0}, {0.27, 850.0}};
    for (const auto& [start, pitch] : knocks) {
        add(out, NoiseBurst{start, pitch * 1.4, 4.0, 0.6, {0.0005, 0.0, 0.01}}, noise);
        add(out, Tone{start,
                      pitch,
                      0.0,
                      0.0,
                      1.0,
                      {0.0008, 0.0, 0.025},
                      {{1.0, 1.0, 1.0}, {2.3, 0.4, 0.5}}});
    }
    add(out, Tone{0.41, 1318.5, 0.0, 0.0, 0.8, {0.002, 0.0, 0.15}, musicBox});
    return out;
}

// Breath across the neck of a bottle: a hollow tone inside a band of air noise.
Samples blow()
{
    Samples out = silence(1.5);
    Noise noise(43);
    const Envelope breath{0.12, 0.55, 0.15};
    const double pitch = 392.0;
    add(out, Tone{0.0,
                  pitch,
                  0.0,
                  0.0,
                  1.0,
                  breath,
                  {{1.0, 1.0, 1.0}, {2.0, 0.15, 1.0}, {3.0, 0.05, 1.0}}});
    add(out, NoiseBurst{0.0, pitch, 12.0, 2.0, breath}, noise);
    add(out, NoiseBurst{0.0, 1800.0, 0.7, 0.08, {0.05, 0.6, 0.1}}, noise);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::vector<std::pair<const char*, std::function<Samples()>>> sounds = {
        {"KPTickingSound", ticking},
        {"Raindrops", raindrops},
        {"Puddle", puddle},
        {"Joy", joy},
        {"Story", story},
        {"Window", window},
        {"Ice", ice},
        {"Complication", complication},
        {"Rick", rick},
        {"Blow", blow},
    };
    for (const auto& [name, make] : sounds) {
        Samples samples = make();
        fadeEdges(samples, 0.0, 0.03);
        normalise(samples, peakDb);
        const std::string path = std::string(argv[1]) + "/" + name + ".wav";
        if (!writeWav(path, samples)) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
