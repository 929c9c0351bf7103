#include "Sounds.h"

#include "Writers.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace artgen {

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2 * std::numbers::pi;

using Samples = std::vector<float>;

Samples Silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.0f);
}

double NoteFrequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A struck bell or vibraphone tone: a few inharmonic partials with their own decays.
void AddBell(Samples& out, double start, double frequency, double length, double gain) {
    const std::size_t first = static_cast<std::size_t>(start * kRate);
    const std::size_t count = static_cast<std::size_t>(length * kRate);
    const double partials[][3] = {{1.0, 1.0, 3.0}, {2.0, 0.35, 5.0}, {3.01, 0.15, 8.0}, {4.2, 0.08, 12.0}};
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        double sample = 0;
        for (const auto& p : partials)
            sample += p[1] * std::exp(-t * p[2]) * std::sin(kTwoPi * frequency * p[0] * t);
        out[first + i] += static_cast<float>(gain * attack * sample);
    }
}

// A soft electric-piano tone for the music: sine with a gentle second harmonic and a slow decay.
void AddPiano(Samples& out, double start, double frequency, double length, double gain) {
    const std::size_t first = static_cast<std::size_t>(start * kRate);
    const std::size_t count = static_cast<std::size_t>(length * kRate);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.01);
        const double release = std::min(1.0, (length - t) / 0.08);
        const double envelope = attack * release * std::exp(-t * 1.6);
        const double sample =
            std::sin(kTwoPi * frequency * t) + 0.25 * std::sin(kTwoPi * 2 * frequency * t) * std::exp(-t * 4);
        const std::size_t at = (first + i) % out.size(); // the music wraps so that its loop is seamless
        out[at] += static_cast<float>(gain * envelope * sample);
    }
}

// A chip landing on felt: a short noise click and a ceramic ring.
void AddChipClick(Samples& out, double start, double pitch, double gain, std::mt19937& random) {
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const std::size_t first = static_cast<std::size_t>(start * kRate);
    const std::size_t count = static_cast<std::size_t>(0.09 * kRate);
    double low = 0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double raw = noise(random);
        low += (raw - low) * 0.35;
        const double click = (raw - low) * std::exp(-t * 160);
        const double ring =
            (std::sin(kTwoPi * pitch * t) + 0.5 * std::sin(kTwoPi * pitch * 1.63 * t)) * std::exp(-t * 55);
        out[first + i] += static_cast<float>(gain * (0.7 * click + 0.45 * ring));
    }
}

void AddNoiseSweep(Samples& out, double start, double length, double gain, std::mt19937& random) {
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const std::size_t first = static_cast<std::size_t>(start * kRate);
    const std::size_t count = static_cast<std::size_t>(length * kRate);
    double low = 0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double progress = t / length;
        const double smoothing = 0.55 - 0.45 * progress; // the swish darkens as the card slides
        low += (noise(random) - low) * smoothing;
        const double envelope =
            std::sin(std::numbers::pi * std::min(1.0, progress * 1.3)) * (1 - progress * 0.5);
        out[first + i] += static_cast<float>(gain * envelope * low);
    }
}

void AddTone(Samples& out, double start, double frequency, double length, double gain, double vibrato = 0) {
    const std::size_t first = static_cast<std::size_t>(start * kRate);
    const std::size_t count = static_cast<std::size_t>(length * kRate);
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double envelope = std::min(1.0, t / 0.01) * std::min(1.0, (length - t) / 0.05);
        phase += kTwoPi * frequency * (1 + vibrato * std::sin(kTwoPi * 6 * t)) / kRate;
        const double sample = std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
        out[first + i] += static_cast<float>(gain * envelope * sample);
    }
}

void Normalise(Samples& samples, double peak) {
    float highest = 0;
    for (float s : samples)
        highest = std::max(highest, std::abs(s));
    if (highest <= 0) return;
    const float scale = static_cast<float>(peak / highest);
    for (float& s : samples)
        s *= scale;
}

// More chips for the larger denominations: a stack landing rather than a single chip.
Samples ChipSound(int denominationIndex) {
    std::mt19937 random(1000 + static_cast<unsigned>(denominationIndex));
    Samples out = Silence(0.2 + denominationIndex * 0.035);
    const int clicks = 1 + denominationIndex / 2;
    const double pitch = 2900 - denominationIndex * 120;
    for (int i = 0; i < clicks; ++i) {
        AddChipClick(out, 0.005 + i * 0.034, pitch * (1 + 0.04 * (i % 3)), 1.0 - i * 0.06, random);
    }
    Normalise(out, 0.7);
    return out;
}

Samples Arpeggio(const std::vector<int>& notes, double step, double ring, double peak) {
    Samples out = Silence(step * static_cast<double>(notes.size()) + ring);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        AddBell(out, step * static_cast<double>(i), NoteFrequency(notes[i]), ring, 1.0);
    }
    Normalise(out, peak);
    return out;
}

// A gentle eight-bar loop in C major (I – vi – IV – V twice) for the betting phase.
Samples BettingMusic() {
    constexpr double beat = 60.0 / 96.0;
    Samples out = Silence(beat * 32);
    const int chords[][4] = {{48, 60, 64, 67}, {45, 57, 60, 64}, {41, 57, 60, 65}, {43, 55, 59, 62},
                             {48, 60, 64, 67}, {45, 57, 60, 64}, {41, 57, 60, 65}, {43, 55, 62, 65}};
    const int melody[] = {76, 79, 77, 76, 72, 74, 76, 72, 69, 72, 74, 72, 71, 74, 79, 77,
                          76, 79, 81, 79, 76, 74, 72, 76, 77, 76, 74, 72, 71, 72, 74, 67};
    for (int bar = 0; bar < 8; ++bar) {
        const double barStart = bar * 4 * beat;
        AddPiano(out, barStart, NoteFrequency(chords[bar][0] - 12), beat * 3.8, 0.32);
        for (int beatInBar = 0; beatInBar < 4; ++beatInBar) {
            const double at = barStart + beatInBar * beat;
            for (int voice = 1; voice < 4; ++voice) {
                AddPiano(out, at + (beatInBar % 2) * beat * 0.5, NoteFrequency(chords[bar][voice]),
                         beat * 0.9, 0.07);
            }
            AddPiano(out, at, NoteFrequency(melody[bar * 4 + beatInBar]), beat * 1.4, 0.16);
        }
    }
    std::mt19937 random(7);
    for (int beatIndex = 0; beatIndex < 32; ++beatIndex) {
        Samples hat = Silence(0.05);
        AddChipClick(hat, 0, 5200, beatIndex % 2 == 0 ? 0.05 : 0.03, random);
        const std::size_t at = static_cast<std::size_t>((beatIndex + 0.5) * beat * kRate);
        for (std::size_t i = 0; i < hat.size(); ++i)
            out[(at + i) % out.size()] += hat[i];
    }
    Normalise(out, 0.55);
    return out;
}

struct NamedSound {
    const char* name; // UTF-8
    Samples samples;
};

std::vector<NamedSound> AllSounds() {
    std::vector<NamedSound> sounds;
    const char* chipNames[] = {"下注100.wav", "下注500.wav", "下注1000.wav", "下注5000.wav", "下注1w.wav",
                               "下注5W.wav",  "下注10w.wav", "下注50w.wav",  "下注100w.wav", "下注500w.wav"};
    for (int i = 0; i < 10; ++i)
        sounds.push_back({chipNames[i], ChipSound(i)});

    std::mt19937 random(99);
    Samples deal = Silence(0.22);
    AddNoiseSweep(deal, 0, 0.2, 1.0, random);
    Normalise(deal, 0.5);
    sounds.push_back({"发牌.wav", deal});

    Samples tick = Silence(0.12);
    AddBell(tick, 0, 1800, 0.12, 1.0);
    AddChipClick(tick, 0, 1200, 0.8, random);
    Normalise(tick, 0.6);
    sounds.push_back({"clock.wav", tick});

    sounds.push_back({"开始.wav", Arpeggio({72, 76, 79, 84}, 0.09, 0.8, 0.6)});
    sounds.push_back({"结束.wav", Arpeggio({84, 79, 76, 72}, 0.1, 0.8, 0.6)});
    sounds.push_back({"赢了.wav", Arpeggio({72, 76, 79, 84, 88, 91}, 0.075, 1.0, 0.65)});
    sounds.push_back({"输了.wav", Arpeggio({67, 63, 60}, 0.18, 0.9, 0.5)});
    sounds.push_back({"平局.wav", Arpeggio({72, 72}, 0.16, 0.6, 0.5)});
    sounds.push_back({"Start.wav", Arpeggio({79, 84}, 0.1, 0.6, 0.55)});
    sounds.push_back({"GameOver.wav", Arpeggio({79, 74, 72}, 0.12, 0.8, 0.55)});
    sounds.push_back({"Ready.wav", Arpeggio({76, 79}, 0.08, 0.5, 0.5)});
    sounds.push_back({"Public_BeOn.wav", Arpeggio({69, 76}, 0.1, 0.5, 0.5)});
    sounds.push_back({"Public_BeOff.wav", Arpeggio({76, 69}, 0.1, 0.5, 0.5)});
    sounds.push_back({"Public_Information.wav", Arpeggio({81}, 0.0, 0.7, 0.45)});

    Samples error = Silence(0.45);
    AddTone(error, 0.0, 196, 0.16, 1.0);
    AddTone(error, 0.22, 185, 0.2, 1.0);
    Normalise(error, 0.5);
    sounds.push_back({"Public_Error.wav", error});

    Samples exit = Silence(0.5);
    AddTone(exit, 0.0, 523, 0.14, 1.0);
    AddTone(exit, 0.14, 392, 0.14, 1.0);
    AddTone(exit, 0.28, 262, 0.2, 1.0);
    Normalise(exit, 0.45);
    sounds.push_back({"Public_Exit.wav", exit});

    sounds.push_back({"下注背景.wav", BettingMusic()});
    return sounds;
}

} // namespace

void WriteSounds(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const NamedSound& sound : AllSounds()) {
        // The table builds its sound paths from code page 936 bytes, so the names on disk are GBK too.
        WriteWave(folder / Utf8ToGbk(sound.name), sound.samples, kRate);
    }
}

} // namespace artgen
