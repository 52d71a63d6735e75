// Small signal-processing pieces shared by the sound effects and the music synthesiser.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace media {

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Deterministic random numbers (splitmix64): the same seed gives the same sound on every machine and run.
class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed) {}
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Signed() { return Uniform() * 2.0 - 1.0; }

private:
    uint64_t state;
};

double MidiToFrequency(double midi);

// "c4", "f#3", "bb2" -> MIDI number (c4 = 60); returns false for anything else.
bool ParseNoteName(const std::string& text, int& midi);

// Topology-preserving state-variable filter: stays stable when the cut-off moves every sample, which the
// swept noises of the effects need.
class StateVariableFilter {
public:
    void Set(double cutoff, double q);
    void Process(double input);
    double low = 0.0, band = 0.0, high = 0.0;

private:
    double a1 = 0.0, a2 = 0.0, a3 = 0.0, k = 1.0;
    double ic1 = 0.0, ic2 = 0.0;
};

class OnePoleLowPass {
public:
    void Set(double cutoff) { coefficient = 1.0 - std::exp(-kTwoPi * cutoff / kSampleRate); }
    double Process(double input) { return state += coefficient * (input - state); }

private:
    double coefficient = 1.0, state = 0.0;
};

// Band-limited sawtooth and square by polynomial smoothing of the jumps (no aliasing whine on high notes).
double PolyBlep(double phase, double increment);
double BlepSaw(double phase, double increment);
double BlepSquare(double phase, double increment);

// A plain stereo room reverb: eight damped combs and four all-passes per side, in the classic arrangement.
class Reverb {
public:
    Reverb(double roomSize, double damping);
    // Adds the reverberated input to the output pair.
    void Process(double input, double& left, double& right);

private:
    struct Comb {
        std::vector<double> buffer;
        size_t index = 0;
        double store = 0.0;
    };
    struct AllPass {
        std::vector<double> buffer;
        size_t index = 0;
    };
    double RunComb(Comb& comb, double input);
    double RunAllPass(AllPass& pass, double input);
    std::vector<Comb> combsLeft, combsRight;
    std::vector<AllPass> passesLeft, passesRight;
    double feedback, damp;
};

// Stereo echo with darkening repeats; the two sides are slightly apart so the repeats spread.
class Echo {
public:
    Echo(double delaySeconds, double feedback, double tone);
    void Process(double input, double& left, double& right);

private:
    std::vector<double> lineLeft, lineRight;
    size_t index = 0;
    double feedback;
    OnePoleLowPass toneLeft, toneRight;
};

// Raised-cosine ramp 0..1 used for attacks and releases so nothing starts or stops with a click.
inline double SmoothRamp(double x) {
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    return 0.5 - 0.5 * std::cos(kPi * x);
}

// sin(2 pi cycles) by a short polynomial: the synthesiser calls it for every partial of every sample, and the
// library sine was a quarter of the whole run. Error below 1e-7, far under 16-bit resolution.
inline double SineCycles(double cycles) {
    double x = cycles - std::floor(cycles + 0.5);  // -0.5 .. 0.5
    if (x > 0.25)
        x = 0.5 - x;
    else if (x < -0.25)
        x = -0.5 - x;
    double t = x * kTwoPi;
    double t2 = t * t;
    return t * (1.0 + t2 * (-1.0 / 6.0 + t2 * (1.0 / 120.0 + t2 * (-1.0 / 5040.0 +
                                                                   t2 * (1.0 / 362880.0 + t2 * (-1.0 / 39916800.0))))));
}

inline double DecibelsToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

}  // namespace media
