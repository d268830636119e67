#include "DemoPhrase.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "Noise.h"

namespace zvhost {

namespace {

// The seed of the noise every pluck and drum draws from in turn: the phrase is the same on every
// run.
constexpr std::uint32_t kNoiseSeed = 0x2545F491u;

// A plucked string: a burst of noise circulating in a delay line one period long, averaged on every
// pass so that the high partials die first.
std::vector<float> pluck(double frequency, int sampleRate, std::size_t length, Noise& noise) {
    const auto period = static_cast<std::size_t>(std::lround(sampleRate / frequency));
    std::vector<float> line(period);
    for (auto& sample : line) sample = noise.nextSingle();
    std::vector<float> out(length);
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t at = i % period;
        const std::size_t after = (i + 1) % period;
        out[i] = line[at];
        line[at] = 0.497f * (line[at] + line[after]);
    }
    return out;
}

// A drum: a sine falling from 180 Hz to 50 Hz with a short click of noise on top.
std::vector<float> drum(int sampleRate, std::size_t length, Noise& noise) {
    std::vector<float> out(length);
    double phase = 0.0;
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double frequency = 50.0 + 130.0 * std::exp(-t / 0.04);
        phase += 2.0 * std::numbers::pi * frequency / sampleRate;
        const double body = std::sin(phase) * std::exp(-t / 0.08);
        const double click = noise.nextSingle() * std::exp(-t / 0.004);
        out[i] = static_cast<float>(0.9 * body + 0.4 * click);
    }
    return out;
}

}  // namespace

const std::vector<DemoNote>& demoNotes() {
    static const std::vector<DemoNote> notes = {
        {0.00, 220.00, 0.8, 0.0},  // A3, left
        {0.55, 329.63, 0.0, 0.8},  // E4, right
        {1.10, 0.0, 0.6, 0.6},     // drum, centre
        {1.65, 440.00, 0.8, 0.0},  // A4, left
        {2.20, 554.37, 0.0, 0.8},  // C#5, right
    };
    return notes;
}

Audio synthesizeDemoPhrase(int sampleRate) {
    Audio audio;
    audio.sampleRate = sampleRate;
    const auto total = static_cast<std::size_t>(std::lround(kDemoPhraseSeconds * sampleRate));
    audio.left.assign(total, 0.0f);
    audio.right.assign(total, 0.0f);

    Noise noise(kNoiseSeed);
    const auto length = static_cast<std::size_t>(std::lround(kDemoNoteSeconds * sampleRate));
    const auto fade =
        static_cast<std::size_t>(sampleRate / 100);  // 10 ms, so a note ends without a click
    for (const DemoNote& note : demoNotes()) {
        const std::vector<float> sound = note.frequency > 0.0
                                             ? pluck(note.frequency, sampleRate, length, noise)
                                             : drum(sampleRate, length, noise);
        const auto start = static_cast<std::size_t>(std::lround(note.start * sampleRate));
        for (std::size_t i = 0; i < length && start + i < total; ++i) {
            const double envelope =
                i + fade >= length ? static_cast<double>(length - i) / static_cast<double>(fade)
                                   : 1.0;
            const double sample = sound[i] * envelope;
            audio.left[start + i] = static_cast<float>(sample * note.left);
            audio.right[start + i] = static_cast<float>(sample * note.right);
        }
    }
    return audio;
}

}  // namespace zvhost
