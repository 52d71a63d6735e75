// Small signal-processing pieces shared by the sound effects and the music synthesiser.
#include "Dsp.h"

#include <cctype>

namespace media {

double MidiToFrequency(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

bool ParseNoteName(const std::string& text, int& midi) {
    static const int kOffsets[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (text.size() < 2) return false;
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter < 'a' || letter > 'g') return false;
    int semitone = kOffsets[letter - 'a'];
    size_t i = 1;
    while (i < text.size() && (text[i] == '#' || text[i] == 'b')) {
        semitone += text[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    midi = 12 * (text[i] - '0' + 1) + semitone;
    return true;
}

void StateVariableFilter::Set(double cutoff, double q) {
    cutoff = std::fmin(std::fmax(cutoff, 10.0), kSampleRate * 0.45);
    double g = std::tan(kPi * cutoff / kSampleRate);
    k = 1.0 / q;
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

void StateVariableFilter::Process(double input) {
    double v3 = input - ic2;
    double v1 = a1 * ic1 + a2 * v3;
    double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    low = v2;
    band = v1;
    high = input - k * v1 - v2;
}

double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double BlepSaw(double phase, double increment) {
    return 2.0 * phase - 1.0 - PolyBlep(phase, increment);
}

double BlepSquare(double phase, double increment) {
    double value = phase < 0.5 ? 1.0 : -1.0;
    value += PolyBlep(phase, increment);
    double shifted = phase + 0.5;
    if (shifted >= 1.0) shifted -= 1.0;
    value -= PolyBlep(shifted, increment);
    return value;
}

Reverb::Reverb(double roomSize, double damping) : feedback(0.7 + 0.28 * roomSize), damp(damping) {
    static const int kCombLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kPassLengths[4] = {556, 441, 341, 225};
    const int spread = 23;
    for (int length : kCombLengths) {
        combsLeft.push_back({std::vector<double>(length, 0.0)});
        combsRight.push_back({std::vector<double>(length + spread, 0.0)});
    }
    for (int length : kPassLengths) {
        passesLeft.push_back({std::vector<double>(length, 0.0)});
        passesRight.push_back({std::vector<double>(length + spread, 0.0)});
    }
}

double Reverb::RunComb(Comb& comb, double input) {
    double output = comb.buffer[comb.index];
    comb.store = output * (1.0 - damp) + comb.store * damp;
    comb.buffer[comb.index] = input + comb.store * feedback;
    if (++comb.index == comb.buffer.size()) comb.index = 0;
    return output;
}

double Reverb::RunAllPass(AllPass& pass, double input) {
    double buffered = pass.buffer[pass.index];
    double output = buffered - input;
    pass.buffer[pass.index] = input + buffered * 0.5;
    if (++pass.index == pass.buffer.size()) pass.index = 0;
    return output;
}

void Reverb::Process(double input, double& left, double& right) {
    double scaled = input * 0.015;
    double outLeft = 0.0, outRight = 0.0;
    for (auto& comb : combsLeft) outLeft += RunComb(comb, scaled);
    for (auto& comb : combsRight) outRight += RunComb(comb, scaled);
    for (auto& pass : passesLeft) outLeft = RunAllPass(pass, outLeft);
    for (auto& pass : passesRight) outRight = RunAllPass(pass, outRight);
    left += outLeft;
    right += outRight;
}

Echo::Echo(double delaySeconds, double feedbackAmount, double tone) : feedback(feedbackAmount) {
    size_t length = static_cast<size_t>(delaySeconds * kSampleRate);
    if (length < 1) length = 1;
    lineLeft.assign(length, 0.0);
    lineRight.assign(length, 0.0);
    toneLeft.Set(tone);
    toneRight.Set(tone);
}

void Echo::Process(double input, double& left, double& right) {
    // Ping-pong: each repeat crosses to the other side.
    double delayedLeft = lineLeft[index];
    double delayedRight = lineRight[index];
    lineLeft[index] = toneLeft.Process(input + delayedRight * feedback);
    lineRight[index] = toneRight.Process(delayedLeft * feedback);
    if (++index == lineLeft.size()) index = 0;
    left += delayedLeft;
    right += delayedRight;
}

}  // namespace media
