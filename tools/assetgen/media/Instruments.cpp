// The synthesiser's instruments: wooden and bone timbres for a stone-age band, and its drums.
#include "Instruments.h"

#include <algorithm>
#include <cmath>

namespace media {
namespace {

struct Partial {
    double ratio, amplitude, decay;  // decay: time constant in seconds
};

size_t Samples(double seconds) {
    return static_cast<size_t>(std::max(seconds, 0.0) * kSampleRate);
}

// Struck bars and logs: a handful of inharmonic partials, each dying away at its own speed, plus the knock
// of the mallet.
std::vector<double> StruckBar(const NoteRequest& note, const std::vector<Partial>& partials, double ring, double knock,
                              double knockCutoff, Rng& rng) {
    double longest = 0.0;
    for (const auto& partial : partials) longest = std::max(longest, partial.decay);
    std::vector<double> out(Samples(std::min(longest * ring, 3.0) + 0.01), 0.0);
    const double attack = 0.0015;
    for (const auto& partial : partials) {
        double frequency = note.frequency * partial.ratio;
        if (frequency > kSampleRate * 0.45) continue;
        double cycles = frequency / kSampleRate;
        double fall = std::exp(-1.0 / (partial.decay * kSampleRate));
        double level = partial.amplitude;
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += level * SineCycles(cycles * static_cast<double>(i));
            level *= fall;
        }
    }
    OnePoleLowPass knockFilter;
    knockFilter.Set(knockCutoff);
    size_t knockLength = Samples(0.012);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double value = out[i];
        if (i < knockLength) value += knock * knockFilter.Process(rng.Signed()) * (1.0 - t / 0.012);
        value *= SmoothRamp(t / attack);
        out[i] = value * note.velocity;
    }
    size_t fade = std::min(out.size(), Samples(0.01));
    for (size_t i = 0; i < fade; ++i) out[out.size() - 1 - i] *= SmoothRamp(static_cast<double>(i) / fade);
    return out;
}

double DecayFor(double frequency, double atMiddleC, double low, double high) {
    return std::clamp(atMiddleC * std::sqrt(261.6 / frequency), low, high);
}

// Blown pipes: a nearly pure tone with a little breath, a soft chiff at the start and a late vibrato.
std::vector<double> Pipe(const NoteRequest& note, const std::vector<std::pair<double, double>>& harmonics,
                         double breath, double chiff, double vibratoDepth, double attack, double release, Rng& rng) {
    std::vector<double> out(Samples(note.duration + release), 0.0);
    StateVariableFilter breathFilter;
    breathFilter.Set(note.frequency * 2.0, 5.0);
    StateVariableFilter chiffFilter;
    chiffFilter.Set(std::min(note.frequency * 6.0, 9000.0), 1.2);
    double phase = 0.0;
    const double vibratoRate = 5.0 + rng.Uniform() * 0.6;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double scoop = 1.0 - 0.012 * std::exp(-t / 0.03);  // players slide up into the note
        double vibrato = 1.0 + vibratoDepth * SmoothRamp((t - 0.18) / 0.25) * SineCycles(vibratoRate * t);
        phase += note.frequency * scoop * vibrato / kSampleRate;
        double value = 0.0;
        for (const auto& [ratio, amplitude] : harmonics) value += amplitude * SineCycles(phase * ratio);
        double noise = rng.Signed();
        breathFilter.Process(noise);
        value += breath * breathFilter.band;
        if (t < 0.05) {
            chiffFilter.Process(noise);
            value += chiff * chiffFilter.band * (1.0 - t / 0.05);
        }
        double envelope = SmoothRamp(t / attack);
        if (t > note.duration) envelope *= SmoothRamp(1.0 - (t - note.duration) / release);
        out[i] = value * envelope * note.velocity;
    }
    return out;
}

// Wooden bass: a plucked, hollow low tone that thumps at the start and dies away while held.
std::vector<double> LogBass(const NoteRequest& note, Rng& rng) {
    const double release = 0.06;
    std::vector<double> out(Samples(note.duration + release), 0.0);
    OnePoleLowPass tone;
    tone.Set(900.0);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double frequency = note.frequency * (1.0 + 0.04 * std::exp(-t / 0.02));
        phase += frequency / kSampleRate;
        double value = SineCycles(phase) + 0.35 * SineCycles(2.0 * phase) + 0.12 * SineCycles(3.0 * phase);
        if (t < 0.008) value += 0.4 * rng.Signed() * (1.0 - t / 0.008);
        value = tone.Process(value);
        double envelope = SmoothRamp(t / 0.004) * (0.35 + 0.65 * std::exp(-t / 0.35));
        if (t > note.duration) envelope *= SmoothRamp(1.0 - (t - note.duration) / release);
        out[i] = value * envelope * note.velocity * 1.4;
    }
    return out;
}

// A reedy drone through a slowly sweeping resonant filter, like a long hollow branch blown with the lips.
std::vector<double> Drone(const NoteRequest& note, double formantLow, double formantHigh, double sweepRate,
                          double attack, double release, Rng& rng) {
    std::vector<double> out(Samples(note.duration + release), 0.0);
    StateVariableFilter filter;
    double phase = 0.0;
    double sweepPhase = rng.Uniform();
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double increment = note.frequency / kSampleRate;
        phase += increment;
        if (phase >= 1.0) phase -= 1.0;
        double sweep = 0.5 - 0.5 * std::cos(kTwoPi * (sweepPhase + sweepRate * t));
        if ((i & 15) == 0) filter.Set(formantLow + (formantHigh - formantLow) * sweep, 3.0);
        filter.Process(BlepSaw(phase, increment));
        double envelope = SmoothRamp(t / attack);
        if (t > note.duration) envelope *= SmoothRamp(1.0 - (t - note.duration) / release);
        out[i] = (filter.band * 0.8 + filter.low * 0.3) * envelope * note.velocity;
    }
    return out;
}

// Humming voices: a soft buzz shaped by two vowel formants ("oo"), for caves and misty openings.
std::vector<double> Hum(const NoteRequest& note, Rng& rng) {
    const double attack = 0.25, release = 0.4;
    std::vector<double> out(Samples(note.duration + release), 0.0);
    StateVariableFilter first, second;
    first.Set(380.0, 4.0);
    second.Set(850.0, 5.0);
    double phases[3] = {rng.Uniform(), rng.Uniform(), rng.Uniform()};
    const double detune[3] = {1.0, 1.004, 0.996};
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double source = 0.0;
        for (int v = 0; v < 3; ++v) {
            double increment =
                note.frequency * detune[v] * (1.0 + 0.003 * SineCycles(4.7 * t + v / kTwoPi)) / kSampleRate;
            phases[v] += increment;
            if (phases[v] >= 1.0) phases[v] -= 1.0;
            source += BlepSaw(phases[v], increment);
        }
        first.Process(source);
        second.Process(source);
        double envelope = SmoothRamp(t / attack);
        if (t > note.duration) envelope *= SmoothRamp(1.0 - (t - note.duration) / release);
        out[i] = (first.band + 0.5 * second.band) * 0.25 * envelope * note.velocity;
    }
    return out;
}

// Pitched drum: a sine whose pitch drops as the skin or log settles, with a short knock of noise.
std::vector<double> Drum(const NoteRequest& note, double startRatio, double drop, double decay, double noise,
                         double noiseCutoff, double overtone, Rng& rng) {
    std::vector<double> out(Samples(decay * 6.0 + 0.01), 0.0);
    StateVariableFilter noiseFilter;
    noiseFilter.Set(noiseCutoff, 0.9);
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double frequency = note.frequency * (1.0 + (startRatio - 1.0) * std::exp(-t / drop));
        phase += frequency / kSampleRate;
        double value = SineCycles(phase) + overtone * SineCycles(phase * 2.71) * std::exp(-t / 0.03);
        noiseFilter.Process(rng.Signed());
        value += noise * noiseFilter.band * std::exp(-t / 0.015);
        double envelope = SmoothRamp(t / 0.001) * std::exp(-t / decay);
        out[i] = value * envelope * note.velocity;
    }
    size_t fade = std::min(out.size(), Samples(0.01));
    for (size_t i = 0; i < fade; ++i) out[out.size() - 1 - i] *= SmoothRamp(static_cast<double>(i) / fade);
    return out;
}

// Seed pods and gravel in a gourd: a brief hiss.
std::vector<double> Shaker(const NoteRequest& note, double length, double cutoff, Rng& rng) {
    std::vector<double> out(Samples(length), 0.0);
    StateVariableFilter filter;
    filter.Set(cutoff, 1.5);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        filter.Process(rng.Signed());
        double envelope = SmoothRamp(t / (length * 0.25)) * SmoothRamp((length - t) / (length * 0.75));
        out[i] = filter.band * envelope * note.velocity * 0.8;
    }
    return out;
}

// Hand clap: a few quick bursts of band-passed noise and a short tail.
std::vector<double> Clap(const NoteRequest& note, Rng& rng) {
    std::vector<double> out(Samples(0.2), 0.0);
    StateVariableFilter filter;
    filter.Set(1300.0, 1.8);
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double envelope = std::exp(-t / 0.05);
        for (double burst : {0.0, 0.011, 0.022}) {
            if (t >= burst && t < burst + 0.009) envelope += (1.0 - (t - burst) / 0.009) * 0.8;
        }
        filter.Process(rng.Signed());
        out[i] = filter.band * envelope * note.velocity * SmoothRamp(t / 0.0008) * SmoothRamp((0.2 - t) / 0.05);
    }
    return out;
}

}  // namespace

bool IsDrumInstrument(const std::string& name) {
    return name == "kick" || name == "logdrum" || name == "tom" || name == "shaker" || name == "stick" ||
           name == "clap";
}

bool IsKnownInstrument(const std::string& name) {
    return IsDrumInstrument(name) || name == "marimba" || name == "xylo" || name == "kalimba" || name == "icebell" ||
           name == "logbass" || name == "boneflute" || name == "panpipe" || name == "drone" || name == "hum";
}

std::vector<double> RenderInstrumentNote(const std::string& name, const NoteRequest& note, Rng& rng) {
    const double f = note.frequency;
    if (name == "marimba") {
        double decay = DecayFor(f, 0.55, 0.12, 1.2);
        return StruckBar(note, {{1.0, 1.0, decay}, {3.99, 0.28, decay * 0.18}, {9.9, 0.07, decay * 0.06}}, 5.0, 0.25,
                         2500.0, rng);
    }
    if (name == "xylo") {
        double decay = DecayFor(f, 0.22, 0.06, 0.5);
        return StruckBar(note, {{1.0, 1.0, decay}, {3.0, 0.3, decay * 0.4}, {6.24, 0.12, decay * 0.15}}, 5.0, 0.35,
                         5000.0, rng);
    }
    if (name == "kalimba") {
        double decay = DecayFor(f, 0.7, 0.2, 1.4);
        return StruckBar(note, {{1.0, 1.0, decay}, {5.93, 0.22, 0.04}, {2.0, 0.06, decay * 0.3}}, 5.0, 0.15, 3500.0,
                         rng);
    }
    if (name == "icebell") {
        double decay = DecayFor(f, 1.3, 0.4, 2.2);
        return StruckBar(note,
                         {{1.0, 1.0, decay}, {2.76, 0.35, decay * 0.45}, {5.4, 0.16, decay * 0.2}, {8.93, 0.07, 0.1}},
                         4.0, 0.08, 7000.0, rng);
    }
    if (name == "logbass") return LogBass(note, rng);
    if (name == "boneflute")
        return Pipe(note, {{1.0, 1.0}, {2.0, 0.18}, {3.0, 0.07}}, 0.12, 0.25, 0.006, 0.05, 0.1, rng);
    if (name == "panpipe")
        return Pipe(note, {{1.0, 1.0}, {3.0, 0.06}, {5.0, 0.025}}, 0.2, 0.35, 0.003, 0.035, 0.16, rng);
    if (name == "drone") return Drone(note, 250.0, 1100.0, 0.35, 0.12, 0.3, rng);
    if (name == "hum") return Hum(note, rng);
    if (name == "kick") return Drum({f, 0.0, note.velocity}, 2.2, 0.035, 0.2, 0.25, 900.0, 0.0, rng);
    if (name == "logdrum") return Drum({f, 0.0, note.velocity}, 1.15, 0.02, 0.13, 0.35, 2500.0, 0.35, rng);
    if (name == "tom") return Drum({f, 0.0, note.velocity}, 1.4, 0.04, 0.18, 0.3, 1500.0, 0.15, rng);
    if (name == "stick") return Drum({f, 0.0, note.velocity}, 1.02, 0.005, 0.022, 0.6, 4000.0, 0.5, rng);
    if (name == "shaker") return Shaker(note, 0.07, 7000.0, rng);
    if (name == "clap") return Clap(note, rng);
    return {};
}

}  // namespace media
